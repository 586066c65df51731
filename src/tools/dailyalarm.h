#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

/// The daily alarm of the navigation page's clock. The clock checks it about twice a second with
/// the current time; it fires at the first check in the alarm's hour and minute at or after its
/// second, once a day. Nothing of it is stored: it lives for the run of the program, off at start.
class DailyAlarm
{
public:
    /// Sets the alarm time and switches the alarm on. A time not later than `now`'s time of day,
    /// to the second, first fires on the next day.
    void set(const QTime& time, const QDateTime& now);
    bool isOn() const { return m_on; }
    QTime time() const { return m_time; }

    /// One check of the clock. `busy` is true while the note window is open: an alarm due then
    /// waits and fires at the first check after the window has closed, instead of opening the
    /// window a second time. True when the alarm fires now.
    bool check(const QDateTime& now, bool busy);

private:
    bool dueAt(const QDateTime& now) const;

    QTime m_time;
    bool m_on = false;
    QDate m_lastDay;        ///< the day it last fired (or is counted as done)
    bool m_waiting = false; ///< fell due while the note window was open
};
