#include "platform/workprogress.h"

#include "platform/interaction.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressDialog>

WorkProgress::WorkProgress(const QString& label, QWidget* parent, Clock clock)
    : m_dialog(std::make_unique<QProgressDialog>(label, QString(), 0, 0, parent)), m_clock(std::move(clock))
{
    if (!m_clock) {
        auto timer = std::make_shared<QElapsedTimer>();
        timer->start();
        m_clock = [timer] { return timer->elapsed(); };
    }
    m_dialog->setWindowTitle(interaction::appTitle());
    // A modal progress dialog runs the event loop in setValue; this one must not, so it is shown
    // as an ordinary window and painted by hand.
    m_dialog->setWindowModality(Qt::NonModal);
    m_dialog->setMinimumDuration(0);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->show();
    // Once, to let the window appear; input stays queued.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_lastRepaint = m_clock();
}

WorkProgress::~WorkProgress()
{
    m_dialog->close();
}

void WorkProgress::step(int done, int total)
{
    const qint64 now = m_clock();
    if (now - m_lastRepaint < RepaintInterval && done < total) {
        return;
    }
    m_dialog->setMaximum(total);
    m_dialog->setValue(done);
    m_dialog->repaint();
    m_lastRepaint = now;
    ++m_repaints;
}
