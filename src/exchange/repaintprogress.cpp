#include "exchange/repaintprogress.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

RepaintProgress::RepaintProgress(QWidget* parent, const QString& text) : m_parent(parent), m_text(text)
{
    m_clock.start();
}

RepaintProgress::~RepaintProgress() = default;

bool RepaintProgress::visible() const
{
    return m_window && m_window->isVisible();
}

void RepaintProgress::step(int done, int total)
{
    const qint64 now = m_clock.elapsed();
    if (now < ShowAfterMs || (m_painted >= 0 && now - m_painted < RepaintEveryMs)) {
        return;
    }
    if (!m_window) {
        m_window = std::make_unique<QWidget>(m_parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        m_window->setObjectName(QStringLiteral("progressWindow"));
        m_window->setWindowTitle(m_parent != nullptr ? m_parent->windowTitle() : QString());
        m_window->setWindowModality(Qt::ApplicationModal);
        auto* layout = new QVBoxLayout(m_window.get());
        m_label = new QLabel(m_text, m_window.get());
        m_bar = new QProgressBar(m_window.get());
        m_bar->setFormat(QStringLiteral("%v / %m"));
        m_bar->setMinimumWidth(320);
        layout->addWidget(m_label);
        layout->addWidget(m_bar);
        m_window->adjustSize();
        if (m_parent != nullptr) {
            const QPoint centre = m_parent->mapToGlobal(m_parent->rect().center());
            m_window->move(centre - m_window->rect().center());
        }
        m_window->show();
    }
    m_bar->setRange(0, total);
    m_bar->setValue(done);
    m_window->repaint();
    m_painted = now;
}
