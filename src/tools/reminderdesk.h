#pragma once

#include "tools/reminders.h"

#include <QObject>
#include <QPointer>

#include <functional>

class AlarmClock;
class QDialog;
class ReminderBar;
class Tmainform;
class Twakeform;

namespace engine {
class Database;
}

/// The reminders of the main window: the two list windows, the note window behind the clock with
/// its daily alarm, and the counts beside the clock after each login and after midnight.
class ReminderDesk : public QObject
{
    Q_OBJECT

public:
    ReminderDesk(engine::Database& db, AlarmClock& clock, ReminderBar& bar, QWidget* owner);

    /// Runs a modal window; tests replace it so that no dialog waits for a person.
    void setModalRunner(std::function<int(QDialog&)> runner);

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
    /// Shows the note window and applies "确定" with "提醒我" ticked.
    void runWakeForm();

    engine::Database& m_db;
    AlarmClock& m_clock;
    ReminderBar& m_bar;
    QWidget* m_owner;
    QPointer<Twakeform> m_wake;
    std::function<int(QDialog&)> m_runModal;
};

/// Enables the main window's list entries, connects the clock and puts the counts beside it.
void bindReminderCommands(Tmainform& mainform, engine::Database& db);
