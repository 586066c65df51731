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
};
