#include "app/navbrowser.h"

#include "app/navigation.h"
#include "platform/interaction.h"

#include <QKeyEvent>
#include <QMouseEvent>

NavBrowser::NavBrowser(QWidget* parent) : QTextBrowser(parent)
{
    setObjectName(QStringLiteral("WebBrowser1TextBrowser"));
    setOpenLinks(true);
    setOpenExternalLinks(false);
}

void NavBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type)
{
    const QString address = m_followedHref.isEmpty() ? name.toString() : m_followedHref;
    m_followedHref.clear();
    if (navigation::isCommandLink(address)) {
        emit commandLinkRequested(address);
        return;
    }
    const QString scheme = name.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto")) {
        // The page only shows local files; outside addresses go to the desktop's browser.
        interaction::current().openDocument(address);
        return;
    }
    if (!scheme.isEmpty() && scheme != QLatin1String("file") && scheme != QLatin1String("qrc")) {
        return; // nothing here can load it ("RSSYS:person" among others): the page stays
    }
    QTextBrowser::doSetSource(name, type);
}

void NavBrowser::mouseReleaseEvent(QMouseEvent* event)
{
    m_followedHref = anchorAt(event->position().toPoint());
    QTextBrowser::mouseReleaseEvent(event);
    m_followedHref.clear();
}

void NavBrowser::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        m_followedHref = textCursor().charFormat().anchorHref();
    }
    QTextBrowser::keyPressEvent(event);
    m_followedHref.clear();
}
