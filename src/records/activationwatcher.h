#pragma once

#include <QObject>

class QWidget;
class QWindow;

/// Tells a side-file editor when it becomes active and when it stops being active within the
/// program. Leaving means another window of this program took the focus, or the editor was
/// hidden or closed; switching to another application is neither leaving nor entering, so
/// coming back from it does not reload what the user was editing.
class ActivationWatcher : public QObject
{
    Q_OBJECT

public:
    explicit ActivationWatcher(QWidget* window);

    /// True between entering and leaving.
    bool isInside() const { return m_inside; }

    /// While set, activation changes are ignored: the editor's own error box about a failed
    /// load must neither write the half-read contents back nor trigger another load.
    void setSuspended(bool suspended) { m_suspended = suspended; }

    /// Enters or leaves now, for the editor's own retargeting; each does nothing when already done.
    void enter();
    void leave();

signals:
    void entered();
    void left();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void focusWindowChanged(QWindow* focusWindow);

    QWidget* m_window;
    bool m_inside = false;
    bool m_suspended = false;
};
