#include "tools/reminderdesk.h"

#include "app/tmainform.h"
#include "tools/alarmclock.h"
#include "tools/reminderbar.h"
#include "tools/tfrmlist.h"
#include "tools/twakeform.h"

ReminderDesk::ReminderDesk(engine::Database& db, AlarmClock& clock, ReminderBar& bar, QWidget* owner)
    : QObject(owner), m_db(db), m_clock(clock), m_bar(bar), m_owner(owner),
      m_runModal([](QDialog& dialog) { return dialog.exec(); })
{
    connect(&clock, &AlarmClock::clicked, this, &ReminderDesk::setAlarm);
    connect(&clock, &AlarmClock::alarmed, this, &ReminderDesk::raiseAlarm);
    connect(&clock, &AlarmClock::dayChanged, this, &ReminderDesk::refreshCounts);
    connect(&bar, &ReminderBar::listRequested, this, &ReminderDesk::openList);
    // An alarm due while the note is open waits until it closes, instead of opening it twice.
    clock.setBusyCheck([this] { return m_wake && m_wake->isVisible(); });
}

void ReminderDesk::setModalRunner(std::function<int(QDialog&)> runner)
{
    m_runModal = std::move(runner);
}

Twakeform* ReminderDesk::wakeForm() const
{
    return m_wake;
}

void ReminderDesk::openList(reminders::List list)
{
    TfrmList form(m_db, m_owner);
    form.openList(list);
    m_runModal(form);
}

void ReminderDesk::setAlarm()
{
    if (!m_wake) {
        m_wake = new Twakeform(m_owner);
    }
    m_wake->prepareSet();
    runWakeForm();
}

void ReminderDesk::raiseAlarm()
{
    if (!m_wake) {
        m_wake = new Twakeform(m_owner);
    }
    m_wake->prepareAlarm(m_clock.now().time());
    runWakeForm();
}

void ReminderDesk::runWakeForm()
{
    if (m_runModal(*m_wake) == QDialog::Accepted && m_wake->remind()) {
        m_clock.setAlarm(m_wake->alarmTime());
    }
}

void ReminderDesk::refreshCounts()
{
    try {
        m_bar.showCounts(reminders::counts(m_db));
    } catch (const std::exception&) {
        // The counts only point the way to the lists; the lists themselves report the failure.
        m_bar.hide();
    }
}

void bindReminderCommands(Tmainform& mainform, engine::Database& db)
{
    auto* bar = new ReminderBar;
    mainform.addBesideClock(bar);
    auto* desk = new ReminderDesk(db, *mainform.clock(), *bar, &mainform);
    mainform.bindEntry(mainform.birthdayEntry(), [desk] { desk->openList(reminders::List::Birthdays); });
    mainform.bindEntry(mainform.contractEntry(), [desk] { desk->openList(reminders::List::Contracts); });
    QObject::connect(&mainform, &Tmainform::loggedIn, desk, &ReminderDesk::refreshCounts);
}
