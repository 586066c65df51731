#pragma once

#include "tools/reminders.h"

#include <QObject>
#include <QPointer>

class AlarmClock;
class ReminderBar;
class Tmainform;
class Twakeform;
class WindowContext;

/// The reminders of the main window: the two list windows, the note window behind the clock with
/// its daily alarm, and the counts beside the clock after each login and after midnight.
class ReminderDesk : public QObject
{
    Q_OBJECT

public:
    /// Lives as long as the clock; its windows go through the context's modal runner.
    ReminderDesk(WindowContext& context, AlarmClock& clock, ReminderBar& bar);

    void openList(reminders::List list);
    /// A click on the clock: the note window in set mode.
    void setAlarm();
    /// The clock's alarm: the note window in alarm mode.
    void raiseAlarm();
    /// Reads the counts again; a database that cannot be read hides them.
    void refreshCounts();

    /// The note window; null before its first use.
    Twakeform* wakeForm() const;

private:
    Twakeform& wake();
    /// Shows the note window and applies "确定" with "提醒我" ticked.
    void runWakeForm();

    WindowContext& m_context;
    AlarmClock& m_clock;
    ReminderBar& m_bar;
    QPointer<Twakeform> m_wake;
};

/// Enables the main window's list entries, connects the clock and puts the counts beside it.
void bindReminderCommands(Tmainform& mainform);
