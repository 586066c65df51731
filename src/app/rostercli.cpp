// roster-cli: the installation's command-line tool.
//   roster-cli create-db DIR           builds DIR/roster5.dat from schema.sql and sample.sql
//   roster-cli install-text SRC DST    writes a UTF-8 source text as an installation text (GBK, CR LF)
//   roster-cli sql FILE|- [--home DIR] [--param1 V ... --param9 V]
//                                      runs one Jet SELECT against the installation's database and
//                                      prints tab-separated UTF-8 lines with a heading line
//   roster-cli card --pdf FILE (--id ID | --all) [--full] [--home DIR]
//                                      writes personnel cards (with --full each person's whole
//                                      archive) as a PDF file
//   roster-cli stat NAME [--save FILE] [--home DIR]
//                                      runs the statistic NAME of sysdata.ini as the statistics
//                                      window does; prints it like sql or saves FILE (txt, csv, htm,
//                                      rtf or xlsx by its extension)
//   roster-cli backup [--dir DIR] [--home DIR]
//                                      makes today's checked backup (default folder bak/), lists it in
//                                      the folder's backup.ini and prints its path
//   roster-cli restore DATE|FILE [--dir DIR] [--home DIR]
//                                      puts a backup (a date listed in the folder's backup.ini, else a
//                                      file) in the database's place; the old file is kept as
//                                      <database>.before-restore
//   roster-cli check [--home DIR]      full integrity check of the database and its person count; exit
//                                      code 0 only when it is sound (only reads, takes no lock)
//   roster-cli compact [--home DIR]    compacts the database file
//   roster-cli repair [FILE] [--home DIR]
//                                      repairs the database file (or FILE); a damaged file is kept as
//                                      <name>.before-repair
//   roster-cli users [--home DIR]      lists the users and whether each is an administrator
//   roster-cli passwd USER [--home DIR]
//                                      sets a user's password from standard input (the way back in
//                                      for an administrator who has forgotten his)
//   roster-cli remind [birthdays|contracts] [--home DIR]
//                                      prints the reminder lists with their headings
//   roster-cli export --format doc|xls|web [--fields CAPTION,...] [--found CONDITION] [--out FILE]
//                     [--home DIR]         writes the export wizard's document of every person, or of
//                                      the persons on the job that CONDITION finds, with the fields
//                                      of section export (all of them without --fields)
// Exit codes: 0 success; 1 a data or file failure, or missing input; 2 bad arguments or a refused
// statement; 3 another process holds the installation lock.

#include "access/useradmin.h"
#include "data/databasefile.h"
#include "data/dmunit.h"
#include "data/engine/database.h"
#include "data/engine/dbfile.h"
#include "data/engine/jetsql.h"
#include "data/installationlock.h"
#include "exchange/exporter.h"
#include "exchange/resultfile.h"
#include "exchange/statistics.h"
#include "platform/console.h"
#include "platform/errors.h"
#include "platform/inifile.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "records/personprint.h"
#include "report/report.h"
#include "safety/backup.h"
#include "tools/reminders.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMap>
#include <QRegularExpression>
#include <QTextStream>

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>

namespace {

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

QTextStream& out()
{
    static QTextStream stream(stdout);
    stream.setEncoding(QStringConverter::Utf8);
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

/// One field of the TSV output: as the result grid shows it, no tab or line break inside.
QString tsvField(const QVariant& value, const QString& declaredType)
{
    QString text = resultfile::cellText(value, declaredType);
    text.replace(u'\t', u' ').replace(u'\r', u' ').replace(u'\n', u' ');
    return text;
}

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

/// The database file of the installation in `home`, as roster.ini names it.
QString installationDatabase(const QString& home)
{
    paths::setAppPath(home);
    return dbfile::configuredPath();
}

void openDatabase(engine::Database& db, const QString& home)
{
    db.open(installationDatabase(home));
}

int runSql(const QStringList& args)
{
    QString source;
    QStringList params(9);
    bool anyParam = false;
    QString home = QCoreApplication::applicationDirPath();
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--home") && i + 1 < args.size()) {
            home = args[++i];
        } else if (arg.startsWith(QLatin1String("--param")) && arg.size() == 8 && arg[7] >= u'1' && arg[7] <= u'9' &&
                   i + 1 < args.size()) {
            params[arg[7].digitValue() - 1] = args[++i];
            anyParam = true;
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
    QStringList lines;
    if (source == QLatin1String("-")) {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly)) {
            throw FileError(QStringLiteral("无法读取标准输入"));
        }
        lines = textfile::splitLines(QString::fromUtf8(in.readAll()));
    } else {
        // Statistics files are installation texts (GBK, or UTF-8 with a byte order mark).
        lines = textfile::readLines(source);
    }
    if (anyParam) {
        lines = stats::replaceParams(lines, params);
    }
    engine::Database db;
    openDatabase(db, home);
    engine::ResultSet result;
    try {
        result = db.selectReadOnly(lines.join(u' '));
    } catch (const engine::RefusedStatement& e) {
        err() << "roster-cli sql: " << e.message() << Qt::endl;
        return 2;
    }
    printResult(result);
    return 0;
}

int runStat(const QStringList& args)
{
    QString name;
    QString saveAs;
    QString home = QCoreApplication::applicationDirPath();
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--home") && i + 1 < args.size()) {
            home = args[++i];
        } else if (arg == QLatin1String("--save") && i + 1 < args.size()) {
            saveAs = args[++i];
        } else if (name.isEmpty() && !arg.startsWith(QLatin1String("--"))) {
            name = arg;
        } else {
            err() << "roster-cli stat: unknown argument " << arg << Qt::endl;
            return 2;
        }
    }
    if (name.isEmpty()) {
        err() << "usage: roster-cli stat NAME [--save FILE] [--home DIR]" << Qt::endl;
        return 2;
    }
    std::optional<resultfile::Format> format;
    if (!saveAs.isEmpty()) {
        format = resultfile::formatOfFile(saveAs);
        if (!format) {
            err() << "roster-cli stat: 文件类型只能是 txt、csv、htm、rtf 或 xlsx：" << saveAs << Qt::endl;
            return 2;
        }
    }
    paths::setAppPath(home);
    if (!stats::statisticNames(paths::sysinifile()).contains(name, Qt::CaseInsensitive)) {
        err() << "roster-cli stat: 没有名为“" << name << "”的统计" << Qt::endl;
        return 1;
    }
    const stats::Definition definition =
        stats::parseDefinition(stats::definitionValue(paths::sysinifile(), name), paths::sqlpath());
    engine::Database db;
    openDatabase(db, home);
    engine::ResultSet result;
    try {
        result = stats::run(db, definition);
    } catch (const engine::DbError& e) {
        // Refused by the read-only guard or rejected by the engine.
        err() << "roster-cli stat: " << e.message() << Qt::endl;
        return 2;
    } catch (const jet::SqlError& e) {
        err() << "roster-cli stat: " << e.message() << Qt::endl;
        return 2;
    }
    if (format) {
        resultfile::write(result, saveAs, *format, name);
    } else {
        printResult(result);
    }
    return 0;
}

int printCards(const QStringList& args)
{
    QString pdf;
    QString id;
    bool all = false;
    bool full = false;
    QString home = QCoreApplication::applicationDirPath();
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--pdf") && i + 1 < args.size()) {
            // Opening the database moves the current folder to the installation's.
            pdf = QFileInfo(args[++i]).absoluteFilePath();
        } else if (arg == QLatin1String("--id") && i + 1 < args.size()) {
            id = args[++i];
        } else if (arg == QLatin1String("--home") && i + 1 < args.size()) {
            home = args[++i];
        } else if (arg == QLatin1String("--all")) {
            all = true;
        } else if (arg == QLatin1String("--full")) {
            full = true;
        } else {
            err() << "roster-cli card: unknown argument " << arg << Qt::endl;
            return 2;
        }
    }
    if (pdf.isEmpty() || all == !id.isEmpty()) {
        err() << "usage: roster-cli card --pdf FILE (--id ID | --all) [--full] [--home DIR]" << Qt::endl;
        return 2;
    }

    Tdm dm;
    dm.db->setFileName(installationDatabase(home));
    if (all) {
        dm.personquery->open(); // the browser's list: the persons on the job in 工号 order
    } else {
        personprint::selectPerson(*dm.personquery, id);
        if (dm.personquery->isEmpty()) {
            err() << QStringLiteral("没有工号为“%1”的人员").arg(id) << Qt::endl;
            return 1;
        }
    }
    report::installFontSubstitutes();
    const auto cards = personprint::cards(dm, report::Range::All, QDate::currentDate(), full);
    report::writePdf(*cards, pdf);
    QTextStream(stdout) << "wrote " << pdf << Qt::endl;
    return 0;
}

/// The options of a command that works on an installation: --home DIR, --dir DIR and positional
/// arguments.
struct Options
{
    QString home = QCoreApplication::applicationDirPath();
    QString dir;
    QStringList positional;
};

bool parseOptions(const QStringList& args, Options& options)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--home") && i + 1 < args.size()) {
            options.home = args[++i];
        } else if (arg == QLatin1String("--dir") && i + 1 < args.size()) {
            options.dir = backup::pickedFolder(args[++i]);
        } else if (arg.startsWith(QLatin1String("--"))) {
            return false;
        } else {
            options.positional << arg;
        }
    }
    paths::setAppPath(options.home);
    if (options.dir.isEmpty()) {
        options.dir = backup::defaultFolder();
    }
    return true;
}

int runBackup(const QStringList& args)
{
    Options options;
    if (!parseOptions(args, options) || !options.positional.isEmpty()) {
        err() << "usage: roster-cli backup [--dir DIR] [--home DIR]" << Qt::endl;
        return 2;
    }
    engine::Database db;
    db.setFileName(dbfile::configuredPath());
    try {
        const backup::Made made = backup::makeBackup(db, options.dir, QDate::currentDate());
        out() << made.path << Qt::endl;
        return 0;
    } catch (const dbfile::CheckFailed& e) {
        err() << QStringLiteral("备份文件校验失败！") << '\n' << e.message() << Qt::endl;
        return 1;
    }
}

int runRestore(const QStringList& args)
{
    Options options;
    if (!parseOptions(args, options) || options.positional.size() != 1) {
        err() << "usage: roster-cli restore DATE|FILE [--dir DIR] [--home DIR]" << Qt::endl;
        return 2;
    }
    const QString database = dbfile::configuredPath();
    InstallationLock lock(database);
    const QString source = backup::restoreSource(options.positional.first(), options.dir);
    if (!QFileInfo(source).isFile()) {
        err() << QStringLiteral("你选择的文件已被破坏或删除，请重新选择！") << ' ' << source << Qt::endl;
        return 1;
    }
    engine::Database db;
    db.setFileName(database);
    try {
        dbfile::restoreDatabase(db, source);
    } catch (const RosterError& e) {
        err() << QStringLiteral("数据库恢复失败") << '\n' << e.message() << Qt::endl;
        return 1;
    }
    out() << QStringLiteral("数据库恢复成功") << ' ' << database << Qt::endl;
    return 0;
}

int runCheck(const QStringList& args)
{
    Options options;
    if (!parseOptions(args, options) || !options.positional.isEmpty()) {
        err() << "usage: roster-cli check [--home DIR]" << Qt::endl;
        return 2;
    }
    const QString database = dbfile::configuredPath();
    const dbfile::Check result = dbfile::check(database);
    if (!result.sound()) {
        err() << QStringLiteral("数据库文件 %1 已损坏：").arg(database) << '\n'
              << result.problems.mid(0, 20).join(u'\n') << Qt::endl;
        return 1;
    }
    out() << QStringLiteral("数据库完好：%1，%2 人").arg(database).arg(result.persons) << Qt::endl;
    return 0;
}

int runCompact(const QStringList& args)
{
    Options options;
    if (!parseOptions(args, options) || !options.positional.isEmpty()) {
        err() << "usage: roster-cli compact [--home DIR]" << Qt::endl;
        return 2;
    }
    const QString database = dbfile::configuredPath();
    InstallationLock lock(database);
    engine::Database db;
    db.setFileName(database);
    try {
        dbfile::compactDatabase(db, paths::apppath() + QStringLiteral("temp.dat"));
    } catch (const RosterError& e) {
        err() << QStringLiteral("本地数据库压缩出错！") << '\n' << e.message() << Qt::endl;
        return 1;
    }
    out() << QStringLiteral("本地数据库压缩完成！") << Qt::endl;
    return 0;
}

int runRepair(const QStringList& args)
{
    Options options;
    if (!parseOptions(args, options) || options.positional.size() > 1) {
        err() << "usage: roster-cli repair [FILE] [--home DIR]" << Qt::endl;
        return 2;
    }
    InstallationLock lock(dbfile::configuredPath());
    const QString file = options.positional.isEmpty() ? dbfile::configuredPath()
                                                      : QFileInfo(options.positional.first()).absoluteFilePath();
    dbfile::RepairResult result;
    try {
        result = dbfile::repairFile(file);
    } catch (const LockHeld&) {
        throw;
    } catch (const RosterError& e) {
        err() << QStringLiteral("数据库修复出错！") << '\n' << e.message() << Qt::endl;
        return 1;
    }
    for (const engine::SalvagedTable& table : std::as_const(result.tables)) {
        out() << table.table << '\t' << table.copied
              << (table.damaged ? QStringLiteral("\t有损坏的行未能读出") : QString()) << '\n';
    }
    out() << QStringLiteral("本地数据库修复完成！") << QStringLiteral("（%1 人）").arg(result.check.persons)
          << Qt::endl;
    return 0;
}

int listUsers(const QStringList& args)
{
    Options options;
    if (!parseOptions(args, options) || !options.positional.isEmpty()) {
        err() << "usage: roster-cli users [--home DIR]" << Qt::endl;
        return 2;
    }
    engine::Database db;
    openDatabase(db, options.home);
    out() << QStringLiteral("用户名\t系统管理员") << '\n';
    for (const access::UserRecord& user : access::listUsers(db)) {
        out() << user.user << '\t' << (user.isadmin.toBool() ? QStringLiteral("是") : QStringLiteral("否")) << '\n';
    }
    out().flush();
    return 0;
}

int changePassword(const QStringList& args)
{
    Options options;
    if (!parseOptions(args, options) || options.positional.size() != 1) {
        err() << "usage: roster-cli passwd USER [--home DIR]   (the new password is read from standard input)"
              << Qt::endl;
        return 2;
    }
    const QString user = options.positional.first();
    engine::Database db;
    // Reaching the installation's database file is the proof of being its administrator.
    openDatabase(db, options.home);
    InstallationLock lock(db.fileName());
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
    Options options;
    const bool valid = parseOptions(args, options) && options.positional.size() <= 1;
    const QString which = options.positional.value(0);
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
    openDatabase(db, options.home);
    for (int i = 0; i < lists.size(); ++i) {
        if (i > 0) {
            out() << '\n';
        }
        out() << reminders::caption(lists[i]) << '\n';
        printResult(reminders::select(db, lists[i]));
    }
    return 0;
}

int runExport(const QStringList& args)
{
    const QString usageText = QStringLiteral("usage: roster-cli export --format doc|xls|web [--fields CAPTION,...] "
                                             "[--found CONDITION] [--out FILE] [--home DIR]");
    QString format;
    QString fields;
    QString condition;
    QString outPath;
    QString home = QCoreApplication::applicationDirPath();
    bool hasFields = false;
    bool found = false;
    for (int i = 0; i + 1 < args.size(); i += 2) {
        const QString& option = args[i];
        const QString& value = args[i + 1];
        if (option == QLatin1String("--format")) {
            format = value;
        } else if (option == QLatin1String("--fields")) {
            fields = value;
            hasFields = true;
        } else if (option == QLatin1String("--found")) {
            condition = value;
            found = true;
        } else if (option == QLatin1String("--out")) {
            outPath = value;
        } else if (option == QLatin1String("--home")) {
            home = value;
        } else {
            err() << "roster-cli export: unknown argument " << option << Qt::endl << usageText << Qt::endl;
            return 2;
        }
    }
    static const QMap<QString, exporting::Format> formats = {{QStringLiteral("doc"), exporting::Format::Word},
                                                             {QStringLiteral("xls"), exporting::Format::Excel},
                                                             {QStringLiteral("web"), exporting::Format::Web}};
    if (args.size() % 2 != 0 || !formats.contains(format)) {
        err() << usageText << Qt::endl;
        return 2;
    }
    paths::setAppPath(home);

    // The columns follow the section's order, as the wizard's list does, whatever order --fields has.
    const QList<exporting::ExportField> list = exporting::readFieldList(paths::sysinifile());
    QStringList wanted;
    if (hasFields) {
        wanted = fields.split(QRegularExpression(QStringLiteral("[,，]")), Qt::SkipEmptyParts);
        for (QString& caption : wanted) {
            caption = caption.trimmed();
            const bool known = std::any_of(list.cbegin(), list.cend(),
                                           [&](const exporting::ExportField& f) { return f.caption == caption; });
            if (!known) {
                err() << QStringLiteral("输出字段“%1”不在 %2 的 export 一节中").arg(caption, paths::sysinifile())
                      << Qt::endl;
                return 1;
            }
        }
    }
    QStringList ticked;
    for (const exporting::ExportField& field : list) {
        if (!hasFields || wanted.contains(field.caption)) {
            ticked << field.caption;
        }
    }

    exporting::Request request;
    request.format = formats.value(format);
    request.source = found ? exporting::Source::FoundPersons : exporting::Source::AllPersons;
    request.selection = exporting::getinfo(ticked, paths::sysinifile());
    request.path = outPath.isEmpty() ? exporting::defaultPath(request.format) : outPath;
    request.date = QDate::currentDate();
    if (outPath.isEmpty()) {
        QDir().mkpath(QFileInfo(request.path).absolutePath());
    }

    Tdm dm;
    dm.db->setFileName(dbfile::configuredPath());
    dm.db->open();
    if (found) {
        // As a search leaves the person query: its where macro, under its filter status=1.
        dm.personquery->setMacro(QStringLiteral("where"), QStringLiteral("WHERE ") + condition);
        try {
            dm.personquery->open();
        } catch (const engine::DbError& e) {
            err() << QStringLiteral("查询条件有误：") << e.message() << Qt::endl;
            return 2;
        }
    }
    int records = 0;
    exporting::exportPersons(dm, request, [&records](int done, int) { records = done; });
    out() << QStringLiteral("已写入 %1（%2 条记录）").arg(QDir::toNativeSeparators(request.path)).arg(records)
          << Qt::endl;
    return 0;
}

int usage()
{
    err() << "usage: roster-cli create-db DIR | install-text SRC DST | sql FILE|- [--home DIR] [--paramN VALUE]\n"
             "       roster-cli card --pdf FILE (--id ID | --all) [--full] [--home DIR]\n"
             "       roster-cli stat NAME [--save FILE] [--home DIR]\n"
             "       roster-cli backup [--dir DIR] [--home DIR] | restore DATE|FILE [--dir DIR] [--home DIR]\n"
             "       roster-cli check [--home DIR] | compact [--home DIR] | repair [FILE] [--home DIR]\n"
             "       roster-cli users [--home DIR] | passwd USER [--home DIR] | remind [birthdays|contracts] [--home "
             "DIR]\n"
             "       roster-cli export --format doc|xls|web [--fields CAPTION,...] [--found CONDITION] [--out FILE] "
             "[--home DIR]\n"
             "exit codes: 0 success; 1 a data failure or missing input (a file, a statistic, a user, a 工号,\n"
             "  some rows not imported); 2 bad arguments or a refused statement; 3 the installation is locked\n"
             "  by another process"
          << Qt::endl;
    return 2;
}

/// The card command paints pages, which needs the GUI library's fonts but never a screen.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv)
{
    if (argc > 1 && qstrcmp(argv[1], "card") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace

int main(int argc, char** argv)
{
    const auto app = makeApplication(argc, argv);
    const QStringList args = app->arguments().mid(1);
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
        if (!args.isEmpty() && args[0] == QLatin1String("card")) {
            return printCards(args.mid(1));
        }
        if (!args.isEmpty() && args[0] == QLatin1String("stat")) {
            return runStat(args.mid(1));
        }
        if (!args.isEmpty() && args[0] == QLatin1String("backup")) {
            return runBackup(args.mid(1));
        }
        if (!args.isEmpty() && args[0] == QLatin1String("restore")) {
            return runRestore(args.mid(1));
        }
        if (!args.isEmpty() && args[0] == QLatin1String("check")) {
            return runCheck(args.mid(1));
        }
        if (!args.isEmpty() && args[0] == QLatin1String("compact")) {
            return runCompact(args.mid(1));
        }
        if (!args.isEmpty() && args[0] == QLatin1String("repair")) {
            return runRepair(args.mid(1));
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
        if (!args.isEmpty() && args[0] == QLatin1String("export")) {
            return runExport(args.mid(1));
        }
        return usage();
    } catch (const LockHeld& e) {
        err() << e.message() << Qt::endl;
        return 3;
    } catch (const std::exception& e) {
        err() << exceptionText(e) << Qt::endl;
        return 1;
    }
}
