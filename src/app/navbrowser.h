#pragma once

#include <QTextBrowser>

/// The navigation page's browser. Every navigation passes through doSetSource before anything
/// loads; an rssys: address is cancelled there and handed on as a command link instead.
class NavBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    explicit NavBrowser(QWidget* parent = nullptr);

signals:
    /// An rssys: address was about to load; the page shown has not changed.
    void commandLinkRequested(const QString& address);

protected:
    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    /// The address of the link being followed exactly as the page writes it: the URL handed to
    /// doSetSource has its scheme in lower case, and only the exact letters "rssys:" run a command.
    QString m_followedHref;
};
