#pragma once

#include "tools/dailyalarm.h"

#include <QDateTime>
#include <QLabel>

#include <functional>

class QTimer;

/// The clock on the navigation page's bottom bar: shows the time, checks its daily alarm about
/// twice a second and reports clicks. The time source can be replaced, so that tests step through
/// a day without waiting.
class AlarmClock : public QLabel
{
    Q_OBJECT

public:
    static constexpr int CheckInterval = 450; ///< milliseconds between checks

    explicit AlarmClock(QWidget* parent = nullptr);

    void setTimeSource(std::function<QDateTime()> now);
    QDateTime now() const;
    /// True while the alarm must wait (the note window is open).
    void setBusyCheck(std::function<bool()> busy);

    /// Sets the alarm time from now on and switches the alarm on.
    void setAlarm(const QTime& time);
    const DailyAlarm& alarm() const { return m_alarm; }

    /// One check: shows the time, reports a new day and a due alarm. The timer calls it.
    void tick();

signals:
    void clicked();
    /// The alarm fell due.
    void alarmed();
    /// The first check on a day after the first check of the run.
    void dayChanged();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::function<QDateTime()> m_now;
    std::function<bool()> m_busy;
    DailyAlarm m_alarm;
    QDate m_day;
    QTimer* m_timer = nullptr;
};
