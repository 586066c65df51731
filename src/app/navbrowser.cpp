#include "app/navbrowser.h"

#include "app/navigation.h"
#include "platform/interaction.h"

NavBrowser::NavBrowser(QWidget* parent) : QTextBrowser(parent)
{
    setObjectName(QStringLiteral("WebBrowser1TextBrowser"));
    setOpenLinks(true);
    setOpenExternalLinks(false);
}

void NavBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type)
{
    const QString address = name.toString();
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
    QTextBrowser::doSetSource(name, type);
}
