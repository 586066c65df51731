#include "remindersfixture.h"
#include "support/clirun.h"
#include "support/testdb.h"

#include <QTest>

/// roster-cli remind: the lists with their headings as tab-separated UTF-8.
class TestRemindCli : public QObject
{
    Q_OBJECT

private slots:
    void prints_data()
    {
        const QDate today = QDate::currentDate();
        const QString m = QString::number(today.month());
        const QString birthdays = "本月过生日的员工\n姓名\t生日\t部门\t职务\n一号\t" + m +
                                  "月1日\t技术部\t主管\n中号\t" + m + "月15日\t生产部\t组长\n末号\t" + m + "月" +
                                  QString::number(today.daysInMonth()) + "日\t技术部\t\n";
        const auto in = [&](int days) { return today.addDays(days).toString(Qt::ISODate); };
        const QString contracts =
            "一个月内合同到期的员工\n姓名\t起始日期\t到期日\t合同编号\t合同名称\t合同类别\t合同性质\n"
            "一号\t2019-05-06\t" +
            in(0) + "\tC00\t劳动合同\t固定期限\t新签\n一号\t2020-01-01\t" + in(10) +
            "\tC10\t劳动合同\t固定期限\t续签\n外月\t2021-03-04\t" + in(29) + "\tC29\t劳务协议\t任务\t新签\n";
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::newRow("both") << QStringList{"remind"} << 0 << birthdays + "\n" + contracts;
        QTest::newRow("birthdays") << QStringList{"remind", "birthdays"} << 0 << birthdays;
        QTest::newRow("contracts") << QStringList{"remind", "contracts"} << 0 << contracts;
        QTest::newRow("unknown list") << QStringList{"remind", "holidays"} << 2 << "";
        QTest::newRow("two lists named") << QStringList{"remind", "birthdays", "contracts"} << 2 << "";
    }

    void prints()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        testdb::TempFile file(reminderRows(QDate::currentDate()));
        const clirun::Result result = clirun::run(args + QStringList{"--home", file.folder()});
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.out, out);
    }

    void missingDatabase()
    {
        QTemporaryDir empty;
        const clirun::Result result = clirun::run({"remind", "--home", empty.path()});
        QCOMPARE(result.exitCode, 1);
        QVERIFY(!result.err.isEmpty());
    }
};

QTEST_MAIN(TestRemindCli)
#include "test_remindcli.moc"
