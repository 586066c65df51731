#include "exportfixture.h"
#include "support/clirun.h"

#include <QJsonArray>

using Rows = QList<QStringList>;

namespace {

using Result = clirun::Result;

Result runCli(const QString& home, const QStringList& args)
{
    return clirun::run(QStringList{"export", "--home", home} + args);
}

} // namespace

/// roster-cli export: the wizard's documents from the command line, through the same writers.
class TestExportCli : public QObject
{
    Q_OBJECT

private slots:
    void writes_data();
    void writes();
    void refuses_data();
    void refuses();
};

void TestExportCli::writes_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("file");
    QTest::addColumn<Rows>("rows");

    QTest::newRow("workbook of every person and field in the section's order")
        << QStringList{"--format", "xls"} << "reports/detail.xlsx"
        << Rows{{"工号", "姓名", "出生日期", "家庭住址", "年龄", "无此字段", "空字段"}};
    QTest::newRow("chosen fields keep the section's order")
        << QStringList{"--format", "xls", "--fields", "姓名，工号"} << "reports/detail.xlsx"
        << Rows{{"工号", "姓名"}, {"007", "张三"}, {"A002", "李四"}, {"A003", "王五한😀"}};
    QTest::newRow("found persons are those on the job the condition finds")
        << QStringList{"--format", "doc", "--fields", "工号,姓名", "--found", "name LIKE \"*五*\" OR ID = \"007\""}
        << "reports/detail.docx" << Rows{{"工号", "姓名"}, {"007", "张三"}};
    QTest::newRow("another file") << QStringList{"--format", "doc", "--fields", "姓名", "--out", "其他.docx"}
                                  << "其他.docx" << Rows{{"姓名"}, {"张三"}, {"李四"}, {"王五한😀"}};
}

void TestExportCli::writes()
{
    QFETCH(QStringList, args);
    QFETCH(QString, file);
    QFETCH(Rows, rows);

    exportfixture::Installation home;
    for (QString& arg : args) {
        if (arg.endsWith(QLatin1String(".docx"))) {
            arg = home.folder() + u'/' + arg;
        }
    }
    const Result result = runCli(home.folder(), args);
    QVERIFY2(result.exitCode == 0, qPrintable(result.err));
    const QString path = home.folder() + u'/' + file;
    QVERIFY2(result.out.contains(QDir::toNativeSeparators(path)), qPrintable(result.out));
    QVERIFY(result.out.contains(QStringLiteral("%1 条记录").arg(rows.size() - 1)));
    const bool document = file.endsWith(QLatin1String(".docx"));
    const auto book = exportfixture::readBack(document ? QStringLiteral("docx") : QStringLiteral("xlsx"), path);
    const Rows written = document ? exportfixture::documentTable(book) : exportfixture::workbookRows(book);
    // A caption over no field ends the records: the full section has its heading row only.
    QCOMPARE(written, rows);
}

void TestExportCli::refuses_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("unknown caption") << QStringList{"--format", "web", "--fields", "工号,电话"} << 1
                                     << "输出字段“电话”不在";
    QTest::newRow("file that cannot be written")
        << QStringList{"--format", "web", "--out", "/nonexistent/folder/detail.htm"} << 1 << "无法写入文件";
    QTest::newRow("unknown format") << QStringList{"--format", "pdf"} << 2 << "usage:";
    QTest::newRow("no format") << QStringList{} << 2 << "usage:";
    QTest::newRow("unknown option") << QStringList{"--format", "web", "--all", "yes"} << 2 << "unknown argument";
    QTest::newRow("bad condition") << QStringList{"--format", "web", "--found", "nosuch = 1"} << 2 << "查询条件有误";
}

void TestExportCli::refuses()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    exportfixture::Installation home;
    const Result result = runCli(home.folder(), args);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
    QVERIFY(!QFile::exists(home.folder() + QStringLiteral("/reports/detail.htm")));
}

QTEST_GUILESS_MAIN(TestExportCli)
#include "test_exportcli.moc"
