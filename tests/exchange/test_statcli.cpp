#include "platform/inifile.h"
#include "statshome.h"
#include "support/clirun.h"

#include <QProcess>
#include <QtTest>

namespace {

using Result = clirun::Result;

Result stat(const QString& home, const QStringList& args)
{
    return clirun::run(QStringList{"stat"} + args + QStringList{"--home", home});
}

} // namespace

/// roster-cli stat: the statistics window's run from the command line, with its exit codes.
class TestStatCli : public QObject
{
    Q_OBJECT

private slots:
    void everySampleExitsWithRows();
    void failures_data();
    void failures();
    void savesByExtension();
};

void TestStatCli::everySampleExitsWithRows()
{
    StatsHome home;
    const QStringList names = ini::sectionKeys(paths::sysinifile(), QStringLiteral("statistic"));
    QVERIFY(!names.isEmpty());
    for (const QString& name : names) {
        const Result r = stat(home.folder(), {name});
        QVERIFY2(r.exitCode == 0, qPrintable(name + u' ' + r.err));
        QVERIFY2(r.out.count(u'\n') >= 2, qPrintable(name + QStringLiteral(" printed no rows")));
    }
    // The headcount by department, as the window shows it.
    const Result dept = stat(home.folder(), {QStringLiteral("按部门统计人数")});
    QVERIFY(dept.out.startsWith(QStringLiteral("部门\t人数\n")));
}

void TestStatCli::failures_data()
{
    QTest::addColumn<QString>("definition");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("no such statistic") << ""
                                       << "" << QStringList{"没有这个"} << 1 << "没有名为“没有这个”的统计";
    QTest::newRow("missing file") << "缺文件=nofile.sql(1)"
                                  << "" << QStringList{"缺文件"} << 1 << "nofile.sql不存在！";
    QTest::newRow("writing statement") << "删除=bad.sql"
                                       << "DELETE FROM person" << QStringList{"删除"} << 2
                                       << "只能执行一条 SELECT 查询语句";
    QTest::newRow("engine rejects") << "坏列=bad.sql"
                                    << "SELECT nosuch FROM person" << QStringList{"坏列"} << 2
                                    << "SQL 语句中有未知的字段名";
    QTest::newRow("unknown file type") << ""
                                       << "" << QStringList{"按部门统计人数", "--save", "r.doc"} << 2
                                       << "文件类型只能是";
    QTest::newRow("no name") << ""
                             << "" << QStringList{} << 2 << "usage";
}

void TestStatCli::failures()
{
    QFETCH(QString, definition);
    QFETCH(QString, sql);
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    StatsHome home;
    if (!definition.isEmpty()) {
        ini::writeString(paths::sysinifile(), QStringLiteral("statistic"), definition.section(u'=', 0, 0),
                         definition.section(u'=', 1));
    }
    if (!sql.isEmpty()) {
        home.writeText(QStringLiteral("data/sql/bad.sql"), sql);
    }
    const Result r = stat(home.folder(), args);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QCOMPARE(r.out, QString());
}

void TestStatCli::savesByExtension()
{
    StatsHome home;
    const QString target = QDir(home.folder()).filePath(QStringLiteral("部门.CSV"));
    const Result r = stat(home.folder(), {QStringLiteral("按部门统计人数"), QStringLiteral("--save"), target});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QString());
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    QVERIFY(QString::fromUtf8(bytes.mid(3)).startsWith(QStringLiteral("部门,人数\r\n")));
}

QTEST_GUILESS_MAIN(TestStatCli)
#include "test_statcli.moc"
