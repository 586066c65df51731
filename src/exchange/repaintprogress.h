#pragma once

#include <QElapsedTimer>
#include <QString>

#include <memory>

class QLabel;
class QProgressBar;
class QWidget;

/// Progress of long work that holds a dataset (an export, an import, a mass deletion). The window
/// appears once the work has run for a second and is then only repainted, at most every 100 ms.
/// It never processes events: no user input, timer or other window can run while the work holds
/// the dataset.
class RepaintProgress
{
public:
    RepaintProgress(QWidget* parent, const QString& text);
    ~RepaintProgress();
    RepaintProgress(const RepaintProgress&) = delete;
    RepaintProgress& operator=(const RepaintProgress&) = delete;

    /// After each record: `done` of `total`.
    void step(int done, int total);
    /// Whether the window is showing.
    bool visible() const;

    static constexpr int ShowAfterMs = 1000;
    static constexpr int RepaintEveryMs = 100;

private:
    QWidget* m_parent;
    QString m_text;
    QElapsedTimer m_clock;
    qint64 m_painted = -1;
    std::unique_ptr<QWidget> m_window;
    QLabel* m_label = nullptr;
    QProgressBar* m_bar = nullptr;
};
