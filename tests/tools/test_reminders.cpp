#include "remindersfixture.h"
#include "support/testdb.h"
#include "tools/reminders.h"

#include <QTest>

using reminders::List;

/// The two reminder lists on a database whose dates are relative to today: who is listed, in
/// which order, with which columns.
class TestReminders : public QObject
{
    Q_OBJECT

private slots:
    void lists_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<QStringList>("rows");
        const QDate today = QDate::currentDate();
        const QString m = QString::number(today.month());
        const auto in = [&](int days) { return today.addDays(days).toString(Qt::ISODate); };
        QTest::newRow("birthdays: day order, no date and departed left out")
            << int(List::Birthdays) << QStringList{"姓名", "生日", "部门", "职务"}
            << QStringList{"一号|" + m + "月1日|技术部|主管", "中号|" + m + "月15日|生产部|组长",
                           "末号|" + m + "月" + QString::number(today.daysInMonth()) + "日|技术部|"};
        QTest::newRow("contracts: from today to 29 days on, one row per contract")
            << int(List::Contracts)
            << QStringList{"姓名", "起始日期", "到期日", "合同编号", "合同名称", "合同类别", "合同性质"}
            << QStringList{"一号|2019-05-06|" + in(0) + "|C00|劳动合同|固定期限|新签",
                           "一号|2020-01-01|" + in(10) + "|C10|劳动合同|固定期限|续签",
                           "外月|2021-03-04|" + in(29) + "|C29|劳务协议|任务|新签"};
    }

    void lists()
    {
        QFETCH(int, list);
        QFETCH(QStringList, columns);
        QFETCH(QStringList, rows);
        const QDate today = QDate::currentDate();
        auto db = testdb::memory(reminderRows(today));
        const engine::ResultSet result = reminders::select(*db, List(list));
        if (QDate::currentDate() != today) {
            QSKIP("midnight passed during the test");
        }
        QCOMPARE(result.columns, columns);
        QStringList shown;
        for (const QVariantList& row : result.rows) {
            QStringList fields;
            for (const QVariant& value : row) {
                fields << value.toString();
            }
            shown << fields.join(u'|');
        }
        QCOMPARE(shown, rows);
    }

    void countsFollowTheLists()
    {
        auto db = testdb::memory(reminderRows(QDate::currentDate()));
        const reminders::Counts counts = reminders::counts(*db);
        QCOMPARE(counts.birthdays, 3);
        QCOMPARE(counts.contracts, 3);
        QVERIFY(counts.any());
        auto empty = testdb::memory();
        QVERIFY(!reminders::counts(*empty).any());
    }
};

QTEST_MAIN(TestReminders)
#include "test_reminders.moc"
