#include "exchange/exporter.h"
#include "exportfixture.h"
#include "platform/errors.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

using exporting::Format;
using exporting::Source;
using Rows = QList<QStringList>;

Q_DECLARE_METATYPE(exporting::Format)

namespace {

const QDate Today(2026, 12, 11);

/// The text of an HTML cell: character references and the four escaped characters resolved.
QString unescape(QString html)
{
    static const QRegularExpression reference(QStringLiteral("&#x([0-9A-F]+);"));
    for (auto match = reference.match(html); match.hasMatch(); match = reference.match(html)) {
        const char32_t cp = match.captured(1).toUInt(nullptr, 16);
        html.replace(match.capturedStart(), match.capturedLength(), QString::fromUcs4(&cp, 1));
    }
    return html.replace(QLatin1String("&lt;"), QLatin1String("<"))
        .replace(QLatin1String("&gt;"), QLatin1String(">"))
        .replace(QLatin1String("&quot;"), QLatin1String("\""))
        .replace(QLatin1String("&amp;"), QLatin1String("&"));
}

/// The heading and record rows of a written document, read by the format's real reader (the web
/// page by its table cells; its exact bytes are pinned separately).
Rows rowsOf(Format format, const QString& path)
{
    if (format == Format::Word) {
        return exportfixture::documentTable(exportfixture::readBack(QStringLiteral("docx"), path));
    }
    if (format == Format::Excel) {
        return exportfixture::workbookRows(exportfixture::readBack(QStringLiteral("xlsx"), path));
    }
    const QString page = textfile::decode([&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }());
    Rows rows;
    static const QRegularExpression cell(QStringLiteral("^ *<t[hd][^>]*>(.*)</t[hd]>$"));
    for (const QString& line : textfile::splitLines(page)) {
        if (line == QLatin1String("  <tr>")) {
            rows << QStringList();
        } else if (const auto match = cell.match(line); match.hasMatch()) {
            rows.last() << (match.captured(1) == QLatin1String("&nbsp;") ? QString() : unescape(match.captured(1)));
        }
    }
    return rows;
}

QString fileName(Format format)
{
    return QFileInfo(exporting::defaultPath(format)).fileName();
}

} // namespace

/// The three documents of the export, read back with real readers, over the record sources.
class TestExportWriters : public QObject
{
    Q_OBJECT

private slots:
    void webPageBytes();
    void document();
    void workbook();
    void contents_data();
    void contents();
    void wordNeedsAnOpenQuery();
    void noFieldTicked();
    void unwritable_data();
    void unwritable();
    void readsWithoutMoving();
    void fieldList();
};

void TestExportWriters::webPageBytes()
{
    exportfixture::Installation home;
    const QString path = exporting::defaultPath(Format::Web);
    const auto selection = exporting::getinfo({"工号", "姓名", "家庭住址"}, paths::sysinifile());
    QVERIFY(exporting::exportPersons(home.dm, {Format::Web, Source::AllPersons, selection, path, Today}));

    const QStringList lines = {
        R"(<html>)",
        R"(<head>)",
        R"(<title>人员资料明晰表</title>)",
        R"(<meta http-equiv="Content-Type" content="text/html; charset=gb2312">)",
        R"(<style type="text/css">)",
        R"(<!--)",
        R"(.title {  font-family: "黑体"; font-size: 36px; font-style: normal; })",
        R"(.line {  border-color: #CCCCCC black black; border-style: outset; border-top-width: medium})",
        R"(.info {  font-family: "宋体"; font-size: 12pt; color: #0066FF})",
        R"(body {  font-family: "宋体"; font-size: 12pt})",
        R"(.dataTable{border-collapse:collapse;background-color:white;border:1px solid #BBBBBB;})",
        ".dataTable td, .dataTable th {\tborder:1px solid #E6E6E6;padding:2px 1px 2px 5px;vertical-align:top;"
        "line-height: 22px;\tborder-left:1px solid #D6D6D6;border-right:1px solid #D6D6D6;}",
        R"(.dataTable th {color: #000000;background-color: #EEEEEE;text-align: center;font-weight: bold;)"
        R"(padding: 1px;line-height: 28px;border:1px solid #BBBBBB;})",
        R"(-->)",
        R"(</style>)",
        R"(</head>)",
        R"()",
        R"(<body bgcolor="#FFFFFF" text="#000000">)",
        R"(<p align="center" class="title">人员资料明晰表</p>)",
        R"(<p>制表日期：2026-12-11<br>)",
        R"(</p>)",
        R"(<table class="dataTable"  width="360" >)",
        R"(  <tr>)",
        R"(     <th width="80">工号</th>)",
        R"(     <th width="80">姓名</th>)",
        R"(     <th width="80">家庭住址</th>)",
        R"(  </tr>)",
        R"(  <tr>)",
        R"(    <td >007</td>)",
        R"(    <td >张三</td>)",
        R"(    <td >a&lt;b &amp; &quot;c&quot;</td>)",
        R"(  </tr>)",
        R"(  <tr>)",
        R"(    <td >A002</td>)",
        R"(    <td >李四</td>)",
        R"(    <td >&nbsp;</td>)",
        R"(  </tr>)",
        R"(  <tr>)",
        R"(    <td >A003</td>)",
        R"(    <td >王五&#xD55C;&#x1F600;</td>)",
        R"(    <td >x</td>)",
        R"(  </tr>)",
        R"(</table>)",
        R"(</body>)",
        R"(</html>)",
    };
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    // GBK with CR LF: 张三 as its two GBK characters.
    QVERIFY(bytes.contains("<td >\xD5\xC5\xC8\xFD</td>\r\n"));
    QCOMPARE(bytes, textfile::joinLines(lines));
}

void TestExportWriters::document()
{
    exportfixture::Installation home;
    const QString path = exporting::defaultPath(Format::Word);
    const auto selection = exporting::getinfo({"工号", "姓名", "出生日期"}, paths::sysinifile());
    QVERIFY(exporting::exportPersons(home.dm, {Format::Word, Source::AllPersons, selection, path, Today}));

    const QJsonArray blocks = exportfixture::readBack(QStringLiteral("docx"), path).array();
    QCOMPARE(blocks.size(), 6);
    const QList<QPair<QString, QString>> paragraphs = {
        {"人员资料明晰表", "CENTER"}, {"制表日期：2026-12-11", "LEFT"}, {"明晰表：", "LEFT"}};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(blocks[i][QLatin1String("p")].toString(), paragraphs[i].first);
        QCOMPARE(blocks[i][QLatin1String("align")].toString(), paragraphs[i].second);
    }
    const Rows table = exportfixture::documentTable(QJsonDocument(blocks));
    QCOMPARE(table, (Rows{{"工号", "姓名", "出生日期"},
                          {"007", "张三", "1980-05-01"},
                          {"A002", "李四", ""},
                          {"A003", "王五한😀", "1990-01-31"}}));
    for (int i = 4; i < 6; ++i) {
        QCOMPARE(blocks[i][QLatin1String("p")].toString(), QString());
    }
}

void TestExportWriters::workbook()
{
    exportfixture::Installation home;
    const QString path = exporting::defaultPath(Format::Excel);
    const auto selection = exporting::getinfo({"工号", "出生日期", "家庭住址", "年龄"}, paths::sysinifile());
    QVERIFY(exporting::exportPersons(home.dm, {Format::Excel, Source::AllPersons, selection, path, Today}));

    const QJsonDocument book = exportfixture::readBack(QStringLiteral("xlsx"), path);
    // Every cell is text: the code keeps its zeros, the date and the age stay as the program writes them.
    QCOMPARE(book[QLatin1String("rows")].toArray()[1].toArray()[3].toString(), QStringLiteral("46"));
    QCOMPARE(exportfixture::workbookRows(book), (Rows{{"工号", "出生日期", "家庭住址", "年龄"},
                                                      {"007", "1980-05-01", "a<b & \"c\"", "46"},
                                                      {"A002", "", "", ""},
                                                      {"A003", "1990-01-31", "x", "36"}}));
    for (const QStringList& formats : exportfixture::workbookRows(book, "formats")) {
        QCOMPARE(formats, QStringList(4, QStringLiteral("@")));
    }
}

void TestExportWriters::contents_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<QString>("search"); // empty: 全库数据; else 查询结果 after that search
    QTest::addColumn<QStringList>("ticked");
    QTest::addColumn<Rows>("rows");

    const Rows heading = {{"工号", "姓名"}};
    for (const Format format : {Format::Word, Format::Excel, Format::Web}) {
        const QByteArray name = fileName(format).toUtf8();
        QTest::newRow(name + ": every person, departed too")
            << format << QString() << QStringList{"工号", "姓名"}
            << Rows{{"工号", "姓名"}, {"007", "张三"}, {"A002", "李四"}, {"A003", "王五한😀"}};
        QTest::newRow(name + ": found persons, on the job only")
            << format << QStringLiteral("ID <> \"A002\"") << QStringList{"姓名", "工号"}
            << Rows{{"姓名", "工号"}, {"张三", "007"}};
        QTest::newRow(name + ": a search that found nothing")
            << format << QStringLiteral("ID = \"none\"") << QStringList{"工号", "姓名"} << heading;
        QTest::newRow(name + ": a caption over no field")
            << format << QString() << QStringList{"工号", "无此字段"} << Rows{{"工号", "无此字段"}};
        QTest::newRow(name + ": a caption over an empty name")
            << format << QStringLiteral("1=1") << QStringList{"空字段", "工号"} << Rows{{"空字段", "工号"}};
    }
}

void TestExportWriters::contents()
{
    QFETCH(Format, format);
    QFETCH(QString, search);
    QFETCH(QStringList, ticked);
    QFETCH(Rows, rows);

    exportfixture::Installation home;
    if (!search.isEmpty()) {
        home.search(search);
    }
    const QString path = exporting::defaultPath(format);
    const auto selection = exporting::getinfo(ticked, paths::sysinifile());
    const Source source = search.isEmpty() ? Source::AllPersons : Source::FoundPersons;
    int done = -1;
    QVERIFY(exporting::exportPersons(home.dm, {format, source, selection, path, Today}, [&](int records, int total) {
        QCOMPARE(total, int(rows.size()) - 1);
        done = records;
    }));
    QCOMPARE(rowsOf(format, path), rows);
    QCOMPARE(done, rows.size() > 1 ? int(rows.size()) - 1 : -1);
}

void TestExportWriters::wordNeedsAnOpenQuery()
{
    exportfixture::Installation home;
    const auto selection = exporting::getinfo({"工号", "姓名"}, paths::sysinifile());
    QVERIFY(!home.dm.personquery->active());
    const QString document = exporting::defaultPath(Format::Word);
    QVERIFY(!exporting::exportPersons(home.dm, {Format::Word, Source::FoundPersons, selection, document, Today}));
    QVERIFY(!QFile::exists(document));

    // The other two write their heading row only.
    for (const Format format : {Format::Excel, Format::Web}) {
        const QString path = exporting::defaultPath(format);
        QVERIFY(exporting::exportPersons(home.dm, {format, Source::FoundPersons, selection, path, Today}));
        QCOMPARE(rowsOf(format, path), (Rows{{"工号", "姓名"}}));
    }
}

void TestExportWriters::noFieldTicked()
{
    exportfixture::Installation home;
    for (const Format format : {Format::Word, Format::Excel, Format::Web}) {
        QVERIFY(
            exporting::exportPersons(home.dm, {format, Source::AllPersons, {}, exporting::defaultPath(format), Today}));
    }
    // The document keeps its paragraphs but has no table: a table of no columns is not valid.
    const QJsonArray blocks =
        exportfixture::readBack(QStringLiteral("docx"), exporting::defaultPath(Format::Word)).array();
    QStringList texts;
    for (const QJsonValue& block : blocks) {
        QVERIFY(block[QLatin1String("p")].isString());
        texts << block[QLatin1String("p")].toString();
    }
    QCOMPARE(texts, (QStringList{"人员资料明晰表", "制表日期：2026-12-11", "明晰表：", "", ""}));
    QCOMPARE(rowsOf(Format::Excel, exporting::defaultPath(Format::Excel)), Rows());
    // The page: width 0, an empty heading row and one empty row per person.
    QFile page(exporting::defaultPath(Format::Web));
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QByteArray bytes = page.readAll();
    QVERIFY(bytes.contains("<table class=\"dataTable\"  width=\"0\" >\r\n  <tr>\r\n  </tr>\r\n"));
    QCOMPARE(bytes.count("  <tr>\r\n  </tr>\r\n"), 4);
}

void TestExportWriters::unwritable_data()
{
    QTest::addColumn<Format>("format");
    for (const Format format : {Format::Word, Format::Excel, Format::Web}) {
        QTest::newRow(fileName(format).toUtf8()) << format;
    }
}

void TestExportWriters::unwritable()
{
    QFETCH(Format, format);
    exportfixture::Installation home;
    const auto selection = exporting::getinfo({"工号"}, paths::sysinifile());
    // A folder that is a file: nothing can be created below it.
    const QString blocker = home.folder() + QStringLiteral("/reports/blocker");
    textfile::writeLines(blocker, {});
    const QString path = blocker + QStringLiteral("/") + fileName(format);
    try {
        exporting::exportPersons(home.dm, {format, Source::AllPersons, selection, path, Today});
        QFAIL("no error for a file that cannot be written");
    } catch (const FileError& e) {
        QVERIFY2(e.message().contains(QDir::toNativeSeparators(path)), qPrintable(e.message()));
    }
    // Nothing is left behind in the reports folder.
    QCOMPARE(QDir(home.folder() + QStringLiteral("/reports")).entryList(QDir::Files | QDir::Hidden),
             QStringList{"blocker"});
}

void TestExportWriters::readsWithoutMoving()
{
    exportfixture::Installation home;
    home.search(QStringLiteral("1=1"));
    home.dm.personquery->last();
    int scrolls = 0;
    home.dm.personquery->afterScroll = [&](engine::Dataset&) { ++scrolls; };
    const auto selection = exporting::getinfo({"工号"}, paths::sysinifile());
    QVERIFY(exporting::exportPersons(
        home.dm, {Format::Web, Source::FoundPersons, selection, exporting::defaultPath(Format::Web), Today}));
    QCOMPARE(scrolls, 0);
    QCOMPARE(home.dm.personquery->field(QStringLiteral("ID")).asString(), QStringLiteral("A002"));
}

void TestExportWriters::fieldList()
{
    exportfixture::Installation home;
    QStringList captions;
    QStringList fields;
    for (const auto& entry : exporting::readFieldList(paths::sysinifile())) {
        captions << entry.caption;
        fields << entry.field;
    }
    QCOMPARE(captions, (QStringList{"工号", "姓名", "出生日期", "家庭住址", "年龄", "无此字段", "空字段"}));
    QCOMPARE(fields, (QStringList{"ID", "name", "birth", "addr", "age", "nosuch", ""}));
    // The selection reads the field names when the export starts; a caption gone from the file
    // has an empty name.
    textfile::writeLines(paths::sysinifile(), {"[export]", "姓名=ID"});
    const auto selection = exporting::getinfo({"工号", "姓名"}, paths::sysinifile());
    QCOMPARE(selection.captions, (QStringList{"工号", "姓名"}));
    QCOMPARE(selection.fields, (QStringList{"", "ID"}));
}

QTEST_GUILESS_MAIN(TestExportWriters)
#include "test_exportwriters.moc"
