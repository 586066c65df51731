#include "records/activationwatcher.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

ActivationWatcher::ActivationWatcher(QWidget* window) : QObject(window), m_window(window)
{
    window->installEventFilter(this);
    // Coming back from another application straight into another window of the program
    // sends the editor no deactivation (it had none left); the focus change still means leaving.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &ActivationWatcher::focusWindowChanged);
}

bool ActivationWatcher::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window) {
        switch (event->type()) {
        case QEvent::WindowActivate:
            enter();
            break;
        case QEvent::WindowDeactivate:
            // The new active window is already set; none means another application has the focus.
            if (QApplication::activeWindow() != nullptr) {
                leave();
            }
            break;
        case QEvent::Hide:
        case QEvent::Close:
            leave();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void ActivationWatcher::enter()
{
    if (m_suspended || m_inside) {
        return;
    }
    m_inside = true;
    emit entered();
}

void ActivationWatcher::leave()
{
    if (m_suspended || !m_inside) {
        return;
    }
    m_inside = false;
    emit left();
}

void ActivationWatcher::focusWindowChanged(QWindow* focusWindow)
{
    if (focusWindow == nullptr || !m_inside) {
        return;
    }
    QWidget* active = QApplication::activeWindow();
    if (active != nullptr && active != m_window && !m_window->isAncestorOf(active)) {
        leave();
    }
}
