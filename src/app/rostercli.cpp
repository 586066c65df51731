// roster-cli: the installation's command-line tool.
//   roster-cli create-db DIR           builds DIR/roster5.dat from schema.sql and sample.sql
//   roster-cli install-text SRC DST    writes a UTF-8 source text as an installation text (GBK, CR LF)
//   roster-cli sql FILE|- [--home DIR] [--param1 V ... --param9 V]
//                                      runs one Jet SELECT against the installation's database and
//                                      prints tab-separated UTF-8 lines with a heading line
//   roster-cli export --format doc|xls|web [--fields CAPTION,...] [--found CONDITION] [--out FILE]
//                     [--home DIR]         writes the export wizard's document of every person, or of
//                                      the persons on the job that CONDITION finds, with the fields
//                                      of section export (all of them without --fields)

#include "data/dmunit.h"
#include "data/engine/database.h"
#include "data/engine/dbfile.h"
#include "data/engine/query.h"
#include "exchange/exporter.h"
#include "platform/errors.h"
#include "platform/inifile.h"
#include "platform/paths.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QTextStream>

#include <algorithm>

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

/// The database file of the installation at `apppath`, as roster.ini names it.
QString databaseFileName()
{
    const QString fileName = ini::readString(paths::rosterini(), QStringLiteral("database"), QStringLiteral("filepath"),
                                             QStringLiteral("roster5.dat"));
    return QDir::isRelativePath(fileName) ? paths::apppath() + fileName : fileName;
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

    paths::setAppPath(home);
    engine::Database db;
    db.open(databaseFileName());
    engine::ResultSet result;
    try {
        result = db.selectReadOnly(text);
    } catch (const engine::RefusedStatement& e) {
        err() << "roster-cli sql: " << e.message() << Qt::endl;
        return 2;
    }
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    out << result.columns.join(u'\t') << '\n';
    for (const QVariantList& row : std::as_const(result.rows)) {
        QStringList fields;
        for (int i = 0; i < row.size(); ++i) {
            fields << tsvField(row[i], result.declaredTypes.value(i));
        }
        out << fields.join(u'\t') << '\n';
    }
    out.flush();
    return 0;
}

int runExport(const QStringList& args)
{
    const QString usageText = QStringLiteral("usage: roster-cli export --format doc|xls|web [--fields CAPTION,...] "
                                             "[--found CONDITION] [--out FILE] [--home DIR]");
    QString format;
    QString fields;
    QString condition;
    QString out;
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
            out = value;
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
    request.path = out.isEmpty() ? exporting::defaultPath(request.format) : out;
    request.date = QDate::currentDate();
    if (out.isEmpty()) {
        QDir().mkpath(QFileInfo(request.path).absolutePath());
    }

    Tdm dm;
    dm.db->setFileName(databaseFileName());
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
    QTextStream(stdout)
        << QStringLiteral("已写入 %1（%2 条记录）").arg(QDir::toNativeSeparators(request.path)).arg(records)
        << Qt::endl;
    return 0;
}

int usage()
{
    err()
        << "usage: roster-cli create-db DIR | install-text SRC DST | sql FILE|- [--home DIR] [--paramN VALUE]\n"
           "       | export --format doc|xls|web [--fields CAPTION,...] [--found CONDITION] [--out FILE] [--home DIR]\n"
           "exit codes: 0 success; 1 a data failure or missing input (a file, a statistic, a user, a 工号,\n"
           "  some rows not imported); 2 bad arguments or a refused statement; 3 the installation is locked\n"
           "  by another process"
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
        if (!args.isEmpty() && args[0] == QLatin1String("export")) {
            return runExport(args.mid(1));
        }
        return usage();
    } catch (const std::exception& e) {
        err() << exceptionText(e) << Qt::endl;
        return 1;
    }
}
