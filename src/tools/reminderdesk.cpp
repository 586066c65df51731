#include "tools/reminderdesk.h"

#include "app/tmainform.h"
#include "app/windowcontext.h"
#include "data/dmunit.h"
#include "platform/errorboundary.h"
#include "tools/alarmclock.h"
#include "tools/reminderbar.h"
#include "tools/tfrmlist.h"
#include "tools/twakeform.h"

ReminderDesk::ReminderDesk(WindowContext& context, AlarmClock& clock, ReminderBar& bar)
    : QObject(&clock), m_context(context), m_clock(clock), m_bar(bar)
{
    connect(&clock, &AlarmClock::clicked, this, guarded(this, &ReminderDesk::setAlarm));
    connect(&clock, &AlarmClock::alarmed, this, guarded(this, &ReminderDesk::raiseAlarm));
    connect(&clock, &AlarmClock::dayChanged, this, &ReminderDesk::refreshCounts);
    connect(&bar, &ReminderBar::listRequested, this, guarded(this, &ReminderDesk::openList));
    // An alarm due while the note is open waits until it closes, instead of opening it twice.
    clock.setBusyCheck([this] { return m_wake && m_wake->isVisible(); });
}

Twakeform* ReminderDesk::wakeForm() const
{
    return m_wake;
}

Twakeform& ReminderDesk::wake()
{
    if (!m_wake) {
        m_wake = new Twakeform(m_context);
    }
    return *m_wake;
}

void ReminderDesk::openList(reminders::List list)
{
    TfrmList form(m_context, m_context.owner());
    form.openList(list);
    m_context.runModal(form);
}

void ReminderDesk::setAlarm()
{
    wake().prepareSet();
    runWakeForm();
}

void ReminderDesk::raiseAlarm()
{
    wake().prepareAlarm(m_clock.now().time());
    runWakeForm();
}

void ReminderDesk::runWakeForm()
{
    if (m_context.runModal(*m_wake) == QDialog::Accepted && m_wake->remind()) {
        m_clock.setAlarm(m_wake->alarmTime());
    }
}

void ReminderDesk::refreshCounts()
{
    // The counts only point the way to the lists, which report a failure themselves: a database
    // that cannot be read hides them instead of showing an error after every login and midnight.
    if (!ignoreErrors("reminder counts", [this] { m_bar.showCounts(reminders::counts(*m_context.dm().db)); })) {
        m_bar.hide();
    }
}

void bindReminderCommands(Tmainform& mainform)
{
    auto* bar = new ReminderBar;
    mainform.addBesideClock(bar);
    auto* desk = new ReminderDesk(mainform.context(), *mainform.clock(), *bar);
    mainform.bindEntry(mainform.birthdayEntry(), [desk] { desk->openList(reminders::List::Birthdays); });
    mainform.bindEntry(mainform.contractEntry(), [desk] { desk->openList(reminders::List::Contracts); });
    QObject::connect(&mainform, &Tmainform::loggedIn, desk, &ReminderDesk::refreshCounts);
}
