#include "support/clirun.h"
#include "support/testdb.h"

#include <QProcess>
#include <QtTest>

namespace {

const char* const rows = "INSERT INTO person(ID,name,dept,birth,status) VALUES"
                         " ('A001','张三','技术部','1999-12-31',1),"
                         " ('A002','张四',NULL,'2000-01-30',1),"
                         " ('A003','张五','生产部','2000-01-31',1),"
                         " ('A004','李六','技术部','1990-01-01',2);";

using Result = clirun::Result;

Result runCli(const QString& home, const QString& sql, const QStringList& extra = {})
{
    return clirun::run(QStringList{"sql", "-", "--home", home} + extra, sql.toUtf8());
}

} // namespace

/// roster-cli sql: one Jet SELECT in, tab-separated UTF-8 out; anything else refused with code 2.
class TestRosterCli : public QObject
{
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
    void refuses_data();
    void refuses();
};

void TestRosterCli::answers_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("params");
    QTest::addColumn<QString>("output");
    QTest::newRow("Jet dialect: & with NULL, LIKE *, date + days")
        << "SELECT name & \"-\" & dept AS x FROM person WHERE name LIKE \"张*\" AND birth < #2000-01-01# + 30 "
           "ORDER BY ID"
        << QStringList{} << "x\n张三-技术部\n张四-\n";
    QTest::newRow("NULL empty, dates as yyyy-MM-dd") << "SELECT ID, dept, birth FROM person WHERE ID = \"A002\""
                                                     << QStringList{} << "ID\tdept\tbirth\nA002\t\t2000-01-30\n";
    QTest::newRow("parameters") << "SELECT ID FROM person WHERE dept = \"%param1\" AND status = %param2 ORDER BY ID"
                                << QStringList{"--param1", "技术部", "--param2", "2"} << "ID\nA004\n";
    QTest::newRow("a parameter used more than once, in any letter case")
        << "SELECT ID FROM person WHERE (dept = \"%param1\" OR dept = \"%PARAM1\") AND status = %Param2 ORDER BY ID"
        << QStringList{"--param2", "1", "--param1", "技术部"} << "ID\nA001\n";
    QTest::newRow("no rows keeps the heading")
        << "SELECT ID, name FROM person WHERE 1=0" << QStringList{} << "ID\tname\n";
}

void TestRosterCli::answers()
{
    QFETCH(QString, sql);
    QFETCH(QStringList, params);
    QFETCH(QString, output);
    testdb::TempFile db(QString::fromUtf8(rows));
    const Result r = runCli(db.folder(), sql, params);
    QCOMPARE(r.err, QString());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, output);
}

void TestRosterCli::refuses_data()
{
    QTest::addColumn<QString>("sql");
    QTest::newRow("delete") << "DELETE FROM person";
    QTest::newRow("select then delete") << "SELECT * FROM person; DELETE FROM person";
    QTest::newRow("update") << "UPDATE person SET name = \"x\"";
    QTest::newRow("pragma") << "PRAGMA case_sensitive_like=1";
}

void TestRosterCli::refuses()
{
    QFETCH(QString, sql);
    testdb::TempFile db(QString::fromUtf8(rows));
    const Result r = runCli(db.folder(), sql);
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.out.isEmpty());
    QVERIFY(r.err.contains(QStringLiteral("SELECT")));
    // Nothing was changed.
    const Result check = runCli(db.folder(), QStringLiteral("SELECT count(*) AS n FROM person WHERE name <> \"x\""));
    QCOMPARE(check.out, QStringLiteral("n\n4\n"));
}

QTEST_GUILESS_MAIN(TestRosterCli)
#include "test_rostercli.moc"
