#pragma once

#include <QString>

#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;

/// The progress of long work that holds a dataset (age recomputation; export, import and mass
/// deletion next). Its dialog only repaints, at most every 100 ms and once more at the end, and
/// the event loop never runs while the work goes on: no click or key reaches another window that
/// could write into the work's transaction or close its query. Input given meanwhile waits in the
/// queue until the work is over.
class WorkProgress
{
public:
    /// Milliseconds of a monotonic clock; tests replace it.
    using Clock = std::function<qint64()>;

    static constexpr qint64 RepaintInterval = 100;

    /// Shows the dialog with `label` over `parent`.
    WorkProgress(const QString& label, QWidget* parent, Clock clock = {});
    ~WorkProgress();
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    /// Reports `done` of `total`; repaints when the last repaint is 100 ms old or the work is done.
    void step(int done, int total);

    /// How often the dialog was repainted so far.
    int repaints() const { return m_repaints; }
    QProgressDialog& dialog() const { return *m_dialog; }

private:
    std::unique_ptr<QProgressDialog> m_dialog;
    Clock m_clock;
    qint64 m_lastRepaint = 0;
    int m_repaints = 0;
};
