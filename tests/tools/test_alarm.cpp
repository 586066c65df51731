#include "support/scriptedinteraction.h"
#include "tools/alarmclock.h"
#include "tools/dailyalarm.h"
#include "tools/reminderbar.h"
#include "tools/reminderdesk.h"
#include "tools/twakeform.h"

#include "app/windowcontext.h"
#include "data/dmunit.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

namespace {

QDateTime at(int day, const QString& time)
{
    // In UTC: stepping a local time through three days of checks costs a time-zone look-up each step.
    return QDateTime(QDate(2026, 3, day), QTime::fromString(time, "HH:mm:ss.zzz"), Qt::UTC);
}

/// The moments at which the alarm fires when the clock checks every 450 ms from `from` to `to`.
QStringList firings(DailyAlarm& alarm, const QDateTime& from, const QDateTime& to)
{
    QStringList fired;
    for (QDateTime now = from; now <= to; now = now.addMSecs(450)) {
        if (alarm.check(now, false)) {
            fired << now.toString("d HH:mm:ss.zzz");
        }
    }
    return fired;
}

} // namespace

/// The daily alarm stepped through days without waiting, and the note window around it.
class TestAlarm : public QObject
{
    Q_OBJECT

private slots:
    void rule_data()
    {
        QTest::addColumn<QString>("setAt");
        QTest::addColumn<QString>("alarm");
        QTest::addColumn<QStringList>("fired"); ///< over three days of checks from the setting on
        QTest::newRow("08:00:00 set at 09:00 fires the next days")
            << "09:00:00.000"
            << "08:00:00" << QStringList{"2 08:00:00.000", "3 08:00:00.000"};
        QTest::newRow("later the same day")
            << "07:59:51.000"
            << "08:00:00" << QStringList{"1 08:00:00.000", "2 08:00:00.000", "3 08:00:00.000"};
        QTest::newRow("the same second is not later") << "08:00:00.000"
                                                      << "08:00:00" << QStringList{"2 08:00:00.000", "3 08:00:00.000"};
        QTest::newRow("one second later is today")
            << "07:59:59.600"
            << "08:00:00" << QStringList{"1 08:00:00.050", "2 08:00:00.050", "3 08:00:00.050"};
        QTest::newRow("the first check at or after the second")
            << "23:00:00.000"
            << "00:00:30" << QStringList{"2 00:00:30.150", "3 00:00:30.150"};
    }

    void rule()
    {
        QFETCH(QString, setAt);
        QFETCH(QString, alarm);
        QFETCH(QStringList, fired);
        DailyAlarm daily;
        QVERIFY(!daily.check(at(1, setAt), false)); // off at start
        daily.set(QTime::fromString(alarm, "HH:mm:ss"), at(1, setAt));
        QCOMPARE(firings(daily, at(1, setAt), at(3, "23:59:59.999")), fired);
    }

    void dueWhileBusyFiresOnceAfterwards()
    {
        DailyAlarm daily;
        daily.set(QTime(8, 0, 0), at(1, "07:00:00.000"));
        QVERIFY(!daily.check(at(1, "08:00:00.100"), true));
        QVERIFY(!daily.check(at(1, "08:00:00.550"), true));
        QVERIFY(!daily.check(at(1, "08:03:00.000"), true));
        QVERIFY(daily.check(at(1, "08:03:00.450"), false));
        QVERIFY(!daily.check(at(1, "08:03:00.900"), false));
        const QStringList next = firings(daily, at(1, "08:03:01.000"), at(2, "09:00:00.000"));
        QCOMPARE(next.size(), 1);
        QVERIFY(next.first().startsWith("2 08:00:00."));
    }

    /// The clock and the note window: set mode, the alarm, "确定" in alarm mode, the note kept.
    void noteWindowAroundTheAlarm()
    {
        ScriptedInteraction ui;
        QDateTime now = at(1, "09:00:00.000");
        QWidget owner;
        AlarmClock clock(&owner);
        clock.setTimeSource([&now] { return now; });
        ReminderBar bar(&owner);
        Tdm dm;
        WindowContext context(dm, ui);
        context.setOwner(&owner);
        ReminderDesk desk(context, clock, bar);
        QStringList runs;
        std::function<void(Twakeform&)> onShow;
        context.setModalRunner([&](QDialog& dialog) {
            auto& wake = static_cast<Twakeform&>(dialog);
            runs << QString("%1 %2 %3")
                        .arg(wake.windowTitle())
                        .arg(wake.height())
                        .arg(wake.SpinEdit1->isVisibleTo(&wake) ? "true" : "false");
            dialog.show();
            onShow(wake);
            const int result = dialog.result();
            dialog.hide();
            return result;
        });

        // Set mode: a note and 08:00:00 at 09:00.
        onShow = [](Twakeform& wake) {
            wake.Memo1->setPlainText("交月报");
            wake.SpinEdit1->setValue(8);
            wake.CheckBox1->setChecked(true);
            wake.BitBtn1->click();
        };
        QTest::mouseClick(&clock, Qt::LeftButton);
        QCOMPARE(runs, QStringList{"重要事务 290 true"});
        QVERIFY(clock.alarm().isOn());
        QCOMPARE(clock.alarm().time(), QTime(8, 0, 0));

        // Nothing more today; the next day at 08:00:00 the note comes back in alarm mode.
        QString shownNote;
        onShow = [&](Twakeform& wake) {
            shownNote = wake.Memo1->toPlainText();
            QVERIFY(!wake.CheckBox1->isChecked());
            wake.BitBtn1->click();
        };
        for (now = at(1, "09:00:00.000"); now < at(2, "08:00:00.000"); now = now.addSecs(60)) {
            clock.tick();
        }
        QCOMPARE(runs.size(), 1);
        now = at(2, "08:00:00.000");
        clock.tick();
        QCOMPARE(runs.last(), QString("提醒：现在是08:00:00 245 false"));
        QCOMPARE(shownNote, QString("交月报"));
        // "确定" in alarm mode kept the alarm and its time; it fires the day after again.
        QVERIFY(clock.alarm().isOn());
        QCOMPARE(clock.alarm().time(), QTime(8, 0, 0));
        now = at(3, "08:00:00.300");
        clock.tick();
        QCOMPARE(runs.size(), 3);

        // The note and the time boxes stay for the next setting.
        onShow = [&](Twakeform& wake) {
            shownNote = wake.Memo1->toPlainText();
            QCOMPARE(wake.SpinEdit1->value(), 8);
            wake.BitBtn2->click();
        };
        QTest::mouseClick(&clock, Qt::LeftButton);
        QCOMPARE(runs.last(), QString("重要事务 290 true"));
        QCOMPARE(shownNote, QString("交月报"));
    }

    void alarmDueWhileTheNoteIsOpen()
    {
        ScriptedInteraction ui;
        QDateTime now = at(1, "07:00:00.000");
        QWidget owner;
        AlarmClock clock(&owner);
        clock.setTimeSource([&now] { return now; });
        ReminderBar bar(&owner);
        Tdm dm;
        WindowContext context(dm, ui);
        context.setOwner(&owner);
        ReminderDesk desk(context, clock, bar);
        clock.setAlarm(QTime(8, 0, 0));
        int opened = 0;
        bool nested = false;
        context.setModalRunner([&](QDialog& dialog) {
            nested = nested || dialog.isVisible();
            ++opened;
            dialog.show();
            if (opened == 1) {
                // The user keeps the note open across the alarm time: the clock goes on ticking.
                for (now = at(1, "07:59:59.000"); now < at(1, "08:02:00.000"); now = now.addMSecs(450)) {
                    clock.tick();
                }
            }
            dialog.hide();
            return int(QDialog::Rejected);
        });
        QTest::mouseClick(&clock, Qt::LeftButton);
        QCOMPARE(opened, 1);
        QVERIFY(!nested);
        clock.tick();
        QCOMPARE(opened, 2);
        QCOMPARE(desk.wakeForm()->windowTitle(), QString("提醒：现在是08:02:00"));
        now = now.addSecs(30);
        clock.tick();
        QCOMPARE(opened, 2);
    }
};

QTEST_MAIN(TestAlarm)
#include "test_alarm.moc"
