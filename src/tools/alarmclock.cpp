#include "tools/alarmclock.h"

#include <QMouseEvent>
#include <QTimer>

AlarmClock::AlarmClock(QWidget* parent)
    : QLabel(parent), m_now([] { return QDateTime::currentDateTime(); }), m_busy([] { return false; })
{
    setObjectName(QStringLiteral("RxClock1Label"));
    setCursor(Qt::PointingHandCursor);
    m_timer = new QTimer(this);
    m_timer->setInterval(CheckInterval);
    connect(m_timer, &QTimer::timeout, this, &AlarmClock::tick);
    m_timer->start();
    tick();
}

void AlarmClock::setTimeSource(std::function<QDateTime()> now)
{
    m_now = std::move(now);
    m_day = QDate();
    tick();
}

QDateTime AlarmClock::now() const
{
    return m_now();
}

void AlarmClock::setBusyCheck(std::function<bool()> busy)
{
    m_busy = std::move(busy);
}

void AlarmClock::setAlarm(const QTime& time)
{
    m_alarm.set(time, m_now());
}

void AlarmClock::tick()
{
    const QDateTime now = m_now();
    setText(now.time().toString(QStringLiteral("HH:mm:ss")));
    const QDate day = now.date();
    if (m_day.isValid() && day != m_day) {
        m_day = day;
        emit dayChanged();
    }
    m_day = day;
    if (m_alarm.check(now, m_busy())) {
        emit alarmed();
    }
}

void AlarmClock::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}
