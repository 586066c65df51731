#include "app/navigation.h"

#include "platform/textfile.h"

namespace navigation {

bool isCommandLink(const QString& address)
{
    return address.contains(QLatin1String("rssys:"));
}

QString linkname(const QString& address)
{
    if (!isCommandLink(address)) {
        return QString();
    }
    return address.mid(address.lastIndexOf(QLatin1Char(':')) + 1);
}

QString upperAscii(const QString& text)
{
    QString result = text;
    for (QChar& c : result) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) {
            c = QChar(c.unicode() - ('a' - 'A'));
        }
    }
    return result;
}

int commandForAddress(const QStringList& linklist, const QString& address)
{
    if (!isCommandLink(address)) {
        return -1;
    }
    const QString name = upperAscii(linkname(address));
    for (int i = 0; i < linklist.size(); ++i) {
        if (upperAscii(linklist.at(i)) == name) {
            return i;
        }
    }
    return -1;
}

std::optional<QStringList> loadLinkList(const QString& path)
{
    return textfile::readLinesIfPresent(path);
}

} // namespace navigation
