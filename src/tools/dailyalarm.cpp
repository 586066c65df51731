#include "tools/dailyalarm.h"

void DailyAlarm::set(const QTime& time, const QDateTime& now)
{
    m_time = QTime(time.hour(), time.minute(), time.second());
    m_on = true;
    m_waiting = false;
    const QTime current = now.time();
    const QTime currentSecond(current.hour(), current.minute(), current.second());
    // Today counts as done when the time has come already: the first firing is tomorrow's.
    m_lastDay = m_time <= currentSecond ? now.date() : QDate();
}

bool DailyAlarm::dueAt(const QDateTime& now) const
{
    const QTime t = now.time();
    return m_lastDay != now.date() && t.hour() == m_time.hour() && t.minute() == m_time.minute() &&
           t.second() >= m_time.second();
}

bool DailyAlarm::check(const QDateTime& now, bool busy)
{
    if (!m_on) {
        return false;
    }
    if (dueAt(now)) {
        m_lastDay = now.date();
        m_waiting = true;
    }
    if (!m_waiting || busy) {
        return false;
    }
    m_waiting = false;
    return true;
}
