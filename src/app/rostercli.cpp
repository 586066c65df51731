// roster-cli: the installation's command-line tool.
//   roster-cli create-db DIR           builds DIR/roster5.dat from schema.sql and sample.sql
//   roster-cli install-text SRC DST    writes a UTF-8 source text as an installation text (GBK, CR LF)
//   roster-cli sql FILE|- [--home DIR] [--param1 V ... --param9 V]
//                                      runs one Jet SELECT against the installation's database and
//                                      prints tab-separated UTF-8 lines with a heading line
//   roster-cli users [--home DIR]      lists the users and whether each is an administrator
//   roster-cli passwd USER [--home DIR]
//                                      sets a user's password from standard input (the way back in
//                                      for an administrator who has forgotten his)
//   roster-cli remind [birthdays|contracts] [--home DIR]
//                                      prints the reminder lists with their headings

#include "access/useradmin.h"
#include "data/engine/database.h"
#include "data/engine/dbfile.h"
#include "data/engine/query.h"
#include "platform/console.h"
#include "platform/errors.h"
#include "platform/inifile.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "tools/reminders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <iostream>
#include <string>

namespace {

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

QString sourceFolder()
{
    return QStringLiteral(ROSTER_INSTALL_SOURCE);
}

QString readUtf8(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw FileError(QStringLiteral("无法打开文件 %1：%2").arg(path, file.errorString()));
    }
    return QString::fromUtf8(file.readAll());
}

int createDb(const QString& folder)
{
    const QString target = QDir(folder).filePath(QStringLiteral("roster5.dat"));
    engine::createDatabaseFile(target, {readUtf8(sourceFolder() + QStringLiteral("/schema.sql")),
                                        readUtf8(sourceFolder() + QStringLiteral("/sample.sql"))});
    QTextStream(stdout) << "created " << target << Qt::endl;
    return 0;
}

int installText(const QString& source, const QString& target)
{
    QString text = readUtf8(source);
    if (text.startsWith(QChar(0xFEFF))) {
        text.remove(0, 1);
    }
    textfile::writeLines(target, textfile::splitLines(text));
    return 0;
}

/// One field of the TSV output: NULL empty, dates as yyyy-MM-dd, no tab or line break inside.
QString tsvField(const QVariant& value, const QString& declaredType)
{
    if (value.isNull()) {
        return {};
    }
    if (value.typeId() == QMetaType::QByteArray) {
        return QStringLiteral("<BLOB %1 bytes>").arg(value.toByteArray().size());
    }
    if (value.typeId() == QMetaType::Double) {
        return QString::number(value.toDouble(), 'g', 15);
    }
    QString text = value.toString();
    if (declaredType.compare(QLatin1String("DATE"), Qt::CaseInsensitive) == 0 &&
        text.endsWith(QLatin1String(" 00:00:00"))) {
        text.chop(9);
    }
    text.replace(u'\t', u' ').replace(u'\r', u' ').replace(u'\n', u' ');
    return text;
}

/// The installation's database as roster.ini names it, the folder given by --home.
void openInstallationDatabase(engine::Database& db, const QString& home)
{
    paths::setAppPath(home);
    QString fileName = ini::readString(paths::rosterini(), QStringLiteral("database"), QStringLiteral("filepath"),
                                       QStringLiteral("roster5.dat"));
    if (QDir::isRelativePath(fileName)) {
        fileName = paths::apppath() + fileName;
    }
    db.open(fileName);
}

QTextStream& out()
{
    static QTextStream stream(stdout);
    stream.setEncoding(QStringConverter::Utf8);
    return stream;
}

/// A heading line with the column names, then one tab-separated line per row.
void printResult(const engine::ResultSet& result)
{
    out() << result.columns.join(u'\t') << '\n';
    for (const QVariantList& row : std::as_const(result.rows)) {
        QStringList fields;
        for (int i = 0; i < row.size(); ++i) {
            fields << tsvField(row[i], result.declaredTypes.value(i));
        }
        out() << fields.join(u'\t') << '\n';
    }
    out().flush();
}

int runSql(const QStringList& args)
{
    QString source;
    QList<QPair<QString, QString>> params;
    QString home = QCoreApplication::applicationDirPath();
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--home") && i + 1 < args.size()) {
            home = args[++i];
        } else if (arg.startsWith(QLatin1String("--param")) && arg.size() == 8 && arg[7] >= u'1' && arg[7] <= u'9' &&
                   i + 1 < args.size()) {
            params.append({arg.mid(2), args[++i]});
        } else if (source.isEmpty() && (arg == QLatin1String("-") || !arg.startsWith(QLatin1String("--")))) {
            source = arg;
        } else {
            err() << "roster-cli sql: unknown argument " << arg << Qt::endl;
            return 2;
        }
    }
    if (source.isEmpty()) {
        err() << "usage: roster-cli sql FILE|- [--home DIR] [--param1 VALUE ... --param9 VALUE]" << Qt::endl;
        return 2;
    }
    QString text;
    if (source == QLatin1String("-")) {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly)) {
            throw FileError(QStringLiteral("无法读取标准输入"));
        }
        text = QString::fromUtf8(in.readAll());
    } else {
        // Statistics files are installation texts (GBK, or UTF-8 with a byte order mark).
        text = textfile::readLines(source).join(u' ');
    }
    text = engine::expandMacros(text, params);

    engine::Database db;
    openInstallationDatabase(db, home);
    engine::ResultSet result;
    try {
        result = db.selectReadOnly(text);
    } catch (const engine::RefusedStatement& e) {
        err() << "roster-cli sql: " << e.message() << Qt::endl;
        return 2;
    }
    printResult(result);
    return 0;
}

/// The arguments of a command that takes `--home DIR` and plain words.
struct Words
{
    QString home = QCoreApplication::applicationDirPath();
    QStringList words;
};

bool readWords(const QString& command, const QStringList& args, Words& result)
{
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--home") && i + 1 < args.size()) {
            result.home = args[++i];
        } else if (args[i].startsWith(QLatin1String("--"))) {
            err() << "roster-cli " << command << ": unknown argument " << args[i] << Qt::endl;
            return false;
        } else {
            result.words << args[i];
        }
    }
    return true;
}

int listUsers(const QStringList& args)
{
    Words words;
    if (!readWords(QStringLiteral("users"), args, words) || !words.words.isEmpty()) {
        err() << "usage: roster-cli users [--home DIR]" << Qt::endl;
        return 2;
    }
    engine::Database db;
    openInstallationDatabase(db, words.home);
    out() << QStringLiteral("用户名\t系统管理员") << '\n';
    for (const access::UserRecord& user : access::listUsers(db)) {
        out() << user.user << '\t' << (user.isadmin.toBool() ? QStringLiteral("是") : QStringLiteral("否")) << '\n';
    }
    out().flush();
    return 0;
}

int changePassword(const QStringList& args)
{
    Words words;
    if (!readWords(QStringLiteral("passwd"), args, words) || words.words.size() != 1) {
        err() << "usage: roster-cli passwd USER [--home DIR]   (the new password is read from standard input)"
              << Qt::endl;
        return 2;
    }
    const QString user = words.words.first();
    engine::Database db;
    // Reaching the installation's database file is the proof of being its administrator.
    openInstallationDatabase(db, words.home);
    // TODO(installation lock): hold the installation lock of the database file from here to the end
    // of the change (InstallationLock, which throws LockHeld: exit code 3 while a running program
    // holds it), as the other commands that change the database do.
    QString password;
    if (!console::readSecretLine(QStringLiteral("新密码："), password)) {
        err() << QStringLiteral("没有读到新密码") << Qt::endl;
        return 1;
    }
    if (console::inputIsTerminal()) {
        QString again;
        if (!console::readSecretLine(QStringLiteral("确认密码："), again) || again != password) {
            err() << QStringLiteral("两次输入密码不一致！") << Qt::endl;
            return 1;
        }
        if (password.isEmpty()) {
            err() << QStringLiteral("用户\"%1\"真的要不设置密码吗？(y/n) ").arg(user) << Qt::flush;
            std::string text;
            if (!std::getline(std::cin, text) || (text != "y" && text != "Y")) {
                return 1;
            }
        }
    }
    switch (access::setPassword(db, user, password)) {
    case access::PasswordChange::Stored:
        out() << access::savedText() << Qt::endl;
        return 0;
    case access::PasswordChange::UnknownUser:
        err() << QStringLiteral("没有名为\"%1\"的用户").arg(user) << Qt::endl;
        return 1;
    case access::PasswordChange::AmbiguousUser:
        err() << QStringLiteral("有多个名为\"%1\"的用户，无法确定要修改哪一个").arg(user) << Qt::endl;
        return 1;
    }
    return 1;
}

int remind(const QStringList& args)
{
    Words words;
    const bool valid = readWords(QStringLiteral("remind"), args, words) && words.words.size() <= 1;
    const QString which = words.words.value(0);
    QList<reminders::List> lists;
    if (valid && (which.isEmpty() || which == QLatin1String("birthdays"))) {
        lists << reminders::List::Birthdays;
    }
    if (valid && (which.isEmpty() || which == QLatin1String("contracts"))) {
        lists << reminders::List::Contracts;
    }
    if (lists.isEmpty()) {
        err() << "usage: roster-cli remind [birthdays|contracts] [--home DIR]" << Qt::endl;
        return 2;
    }
    engine::Database db;
    openInstallationDatabase(db, words.home);
    for (int i = 0; i < lists.size(); ++i) {
        if (i > 0) {
            out() << '\n';
        }
        out() << reminders::caption(lists[i]) << '\n';
        printResult(reminders::select(db, lists[i]));
    }
    return 0;
}

int usage()
{
    err() << "usage: roster-cli create-db DIR | install-text SRC DST | sql FILE|- [--home DIR] [--paramN VALUE]\n"
             "       | users [--home DIR] | passwd USER [--home DIR] | remind [birthdays|contracts] [--home DIR]"
          << Qt::endl;
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    try {
        if (args.size() == 2 && args[0] == QLatin1String("create-db")) {
            return createDb(args[1]);
        }
        if (args.size() == 3 && args[0] == QLatin1String("install-text")) {
            return installText(args[1], args[2]);
        }
        if (!args.isEmpty() && args[0] == QLatin1String("sql")) {
            return runSql(args.mid(1));
        }
        if (!args.isEmpty() && args[0] == QLatin1String("users")) {
            return listUsers(args.mid(1));
        }
        if (!args.isEmpty() && args[0] == QLatin1String("passwd")) {
            return changePassword(args.mid(1));
        }
        if (!args.isEmpty() && args[0] == QLatin1String("remind")) {
            return remind(args.mid(1));
        }
        return usage();
    } catch (const std::exception& e) {
        err() << exceptionText(e) << Qt::endl;
        return 1;
    }
}
