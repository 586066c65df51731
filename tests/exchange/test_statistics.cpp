#include "exchange/resultfile.h"
#include "exchange/statchart.h"
#include "exchange/statistics.h"
#include "statshome.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

/// Statistics: the definition's words and parameters, the nine replacement passes, the read-only
/// run of the shipped samples, the five saved formats read back by independent readers, and the
/// chart a result allows.
class TestStatistics : public QObject
{
    Q_OBJECT

private slots:
    void definitions_data();
    void definitions();
    void parameters_data();
    void parameters();
    void extensions_data();
    void extensions();
    void everySampleRunsWithRows();
    void agegroupUsesItsParametersTwice();
    void writingStatementIsRefused_data();
    void writingStatementIsRefused();
    void missingFileIsNamed();
    void savedFilesReadBack_data();
    void savedFilesReadBack();
    void chartNeedsOneTextAndNumbers_data();
    void chartNeedsOneTextAndNumbers();
};

void TestStatistics::definitions_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("paramText");
    QTest::addColumn<QStringList>("params");
    QTest::newRow("file alone") << "a.sql"
                                << "/s/a.sql"
                                << "" << QStringList{};
    QTest::newRow("two parameters") << "a.sql(x,y)"
                                    << "/s/a.sql"
                                    << "x,y)" << QStringList{"x", "y"};
    QTest::newRow("empty first parameter collapses") << "a.sql(,y)"
                                                     << "/s/a.sql"
                                                     << "y)" << QStringList{"y"};
    QTest::newRow("blanks stay in their word") << "a.sql(30, 40)"
                                               << "/s/a.sql"
                                               << "30, 40)" << QStringList{"30", " 40"};
    QTest::newRow("blanks around the whole path go") << "a.sql  (1)"
                                                     << "/s/a.sql"
                                                     << "1)" << QStringList{"1"};
    QTest::newRow("a missing key") << "NULL"
                                   << "/s/NULL"
                                   << "" << QStringList{};
}

void TestStatistics::definitions()
{
    QFETCH(QString, value);
    QFETCH(QString, file);
    QFETCH(QString, paramText);
    QFETCH(QStringList, params);
    const stats::Definition d = stats::parseDefinition(value, QStringLiteral("/s/"));
    QCOMPARE(d.sqlFile, file);
    QCOMPARE(d.paramText, paramText);
    while (params.size() < 9) {
        params << QString();
    }
    QCOMPARE(d.params, params);
}

void TestStatistics::parameters_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("params");
    QTest::addColumn<QString>("expected");
    QTest::newRow("every occurrence, any letter case")
        << "age < %param1 OR %PARAM1 = %Param1" << QStringList{"30"} << "age < 30 OR 30 = 30";
    QTest::newRow("%param10 is %param1 and a 0") << "x = %param10" << QStringList{"7"} << "x = 70";
    QTest::newRow("missing parameters are empty")
        << "[%param1][%param2][%param3]" << QStringList{"a", "b"} << "[a][b][]";
    QTest::newRow("inserted text is not searched in the same pass")
        << "%param1|%param1" << QStringList{"%param1x"} << "%param1x|%param1x";
    QTest::newRow("a later pass searches earlier insertions") << "%param1" << QStringList{"<%param2>", "b"} << "<b>";
    QTest::newRow("nine parameters") << "%param9%param8%param1" << QStringList{"1", "", "", "", "", "", "", "8", "9"}
                                     << "981";
}

void TestStatistics::parameters()
{
    QFETCH(QString, line);
    QFETCH(QStringList, params);
    QFETCH(QString, expected);
    QCOMPARE(stats::replaceParams(line, params), expected);
}

void TestStatistics::extensions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("saved");
    QTest::newRow("no extension") << "结果"
                                  << "txt"
                                  << "结果.txt";
    QTest::newRow("upper case") << "r.TXT"
                                << "txt"
                                << "r.TXT";
    QTest::newRow("no dot compared") << "rtxt"
                                     << "txt"
                                     << "rtxt";
    QTest::newRow("another extension") << "r.htm"
                                       << "txt"
                                       << "r.htm.txt";
    QTest::newRow("workbook, four characters") << "r.XLSX"
                                               << "xlsx"
                                               << "r.XLSX";
    QTest::newRow("old workbook name") << "r.xls"
                                       << "xlsx"
                                       << "r.xls.xlsx";
}

void TestStatistics::extensions()
{
    QFETCH(QString, name);
    QFETCH(QString, extension);
    QFETCH(QString, saved);
    QCOMPARE(resultfile::withExtension(name, extension), saved);
}

void TestStatistics::everySampleRunsWithRows()
{
    StatsHome home;
    engine::Database db;
    db.open(home.db.path());
    const QStringList names = stats::statisticNames(paths::sysinifile());
    QVERIFY(names.size() >= 14);
    for (const QString& name : names) {
        const auto d = stats::parseDefinition(stats::definitionValue(paths::sysinifile(), name), paths::sqlpath());
        engine::ResultSet result;
        try {
            result = stats::run(db, d);
        } catch (const RosterError& e) {
            QFAIL(qPrintable(name + QStringLiteral(": ") + e.message()));
        }
        QVERIFY2(!result.rows.isEmpty(), qPrintable(name));
    }
}

void TestStatistics::agegroupUsesItsParametersTwice()
{
    StatsHome home;
    engine::Database db;
    db.open(home.db.path());
    const auto d = stats::parseDefinition(QStringLiteral("agegroup.sql(30,40,50)"), paths::sqlpath());
    const engine::ResultSet result = stats::run(db, d);
    QCOMPARE(result.columns, (QStringList{"年龄段", "人数", "最小年龄", "最大年龄"}));
    const QStringList bands{"30岁以下", "30-40岁", "40-50岁", "50岁以上"};
    qint64 people = 0;
    for (const QVariantList& row : result.rows) {
        QVERIFY2(bands.contains(row[0].toString()), qPrintable(row[0].toString()));
        people += row[1].toLongLong();
    }
    QCOMPARE(people, db.selectValue(QStringLiteral("SELECT Count(*) FROM person WHERE status = 1")).toLongLong());
}

void TestStatistics::writingStatementIsRefused_data()
{
    QTest::addColumn<QString>("sql");
    QTest::newRow("delete") << "DELETE FROM person";
    QTest::newRow("select, then a delete") << "SELECT * FROM person;\nDELETE FROM person";
    QTest::newRow("update with a parameter") << "UPDATE person SET name = \"%param1\"";
    QTest::newRow("pragma") << "PRAGMA case_sensitive_like=1";
}

void TestStatistics::writingStatementIsRefused()
{
    QFETCH(QString, sql);
    StatsHome home;
    home.writeText(QStringLiteral("data/sql/bad.sql"), sql);
    engine::Database db;
    db.open(home.db.path());
    const QVariant before = db.selectValue(QStringLiteral("SELECT group_concat(name) FROM person"));
    const auto d = stats::parseDefinition(QStringLiteral("bad.sql(x)"), paths::sqlpath());
    QVERIFY_THROWS_EXCEPTION(engine::RefusedStatement, stats::run(db, d));
    QCOMPARE(db.selectValue(QStringLiteral("SELECT group_concat(name) FROM person")), before);
}

void TestStatistics::missingFileIsNamed()
{
    StatsHome home;
    engine::Database db;
    db.open(home.db.path());
    const auto d = stats::parseDefinition(stats::definitionValue(paths::sysinifile(), QStringLiteral("没有这个")),
                                          paths::sqlpath());
    try {
        stats::run(db, d);
        QFAIL("a missing file ran");
    } catch (const stats::MissingStatFile& e) {
        QCOMPARE(e.message(), QStringLiteral("统计文件") + paths::sqlpath() + QStringLiteral("NULL不存在！"));
    }
}

void TestStatistics::savedFilesReadBack_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("extension");
    for (const resultfile::FormatInfo& info : resultfile::formats()) {
        QTest::newRow(qPrintable(info.extension)) << int(info.format) << info.extension;
    }
}

void TestStatistics::savedFilesReadBack()
{
    QFETCH(int, format);
    QFETCH(QString, extension);
    engine::ResultSet result;
    result.columns = QStringList{"部门", "人数", "备注"};
    result.declaredTypes = QStringList{"", "", ""};
    result.rows << QVariantList{QStringLiteral("技术部"), qint64(3), QStringLiteral("甲, \"乙\"")};
    result.rows << QVariantList{QStringLiteral("<销售&市场>"), 2.5, QVariant()};
    result.rows << QVariantList{QStringLiteral("{财务}\\"), qint64(-1), QStringLiteral("𠀾")};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("结果.") + extension);
    resultfile::write(result, path, resultfile::Format(format), QStringLiteral("按部门"));

    QProcess reader;
    reader.start(QStringLiteral("/usr/bin/python3"),
                 QStringList{QStringLiteral(ROSTER_SOURCE_DIR "/tests/exchange/readback.py"), extension, path});
    QVERIFY(reader.waitForFinished(180000));
    QVERIFY2(reader.exitCode() == 0, reader.readAllStandardError().constData());
    QString expected =
        QStringLiteral("部门\t人数\t备注\n技术部\t3\t甲, \"乙\"\n<销售&市场>\t2.5\t\n{财务}\\\t-1\t𠀾\n");
    if (extension == u"txt") {
        // The system's text files are GBK: a character GBK lacks comes back as GBK's replacement.
        expected = textfile::decode(textfile::encodeGbk(expected));
    }
    QCOMPARE(QString::fromUtf8(reader.readAllStandardOutput()), expected);
}

void TestStatistics::chartNeedsOneTextAndNumbers_data()
{
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<QList<QVariantList>>("rows");
    QTest::addColumn<int>("series");
    QTest::newRow("headcount by department")
        << QStringList{"部门", "人数", "平均年龄"}
        << QList<QVariantList>{{"技术部", qint64(3), 35.5}, {"销售部", qint64(2), QVariant()}} << 2;
    QTest::newRow("two text columns") << QStringList{"工号", "姓名"} << QList<QVariantList>{{"A1", "张三"}} << 0;
    QTest::newRow("numbers only") << QStringList{"人数"} << QList<QVariantList>{{qint64(3)}} << 0;
    QTest::newRow("no rows") << QStringList{"部门", "人数"} << QList<QVariantList>{} << 0;
    QTest::newRow("a text among the numbers")
        << QStringList{"部门", "人数"} << QList<QVariantList>{{"a", qint64(1)}, {"b", "x"}} << 0;
}

void TestStatistics::chartNeedsOneTextAndNumbers()
{
    QFETCH(QStringList, columns);
    QFETCH(QList<QVariantList>, rows);
    QFETCH(int, series);
    engine::ResultSet result;
    result.columns = columns;
    result.rows = rows;
    const auto chart = statchart::chartOf(result);
    QCOMPARE(chart ? int(chart->series.size()) : 0, series);
    if (chart) {
        QCOMPARE(chart->categoryTitle, columns.first());
        QCOMPARE(chart->categories.size(), rows.size());
        QCOMPARE(chart->series.last().values.last(), 0.0);
    }
}

QTEST_GUILESS_MAIN(TestStatistics)
#include "test_statistics.moc"
