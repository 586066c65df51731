#pragma once

#include <QString>
#include <QStringList>

#include <optional>

/// The rssys: link scheme of the navigation page: a link with such an address loads nothing
/// and runs one of the system's commands, chosen by its name in html/linkdefine.css.
namespace navigation {

/// Whether the address belongs to the command scheme (exact letters, anywhere in the address).
bool isCommandLink(const QString& address);

/// The text after the last colon of an address that contains "rssys:"; empty for any other.
QString linkname(const QString& address);

/// The command number for an address: the line number (from 0) of the first line of the link
/// list equal to the link name, compared in upper case; -1 when no line is equal or the address
/// is not a command link.
int commandForAddress(const QStringList& linklist, const QString& address);

/// Upper case of the letters a to z only; every other character stays as it is.
QString upperAscii(const QString& text);

/// The lines of html/linkdefine.css, or nothing when the file is missing.
std::optional<QStringList> loadLinkList(const QString& path);

} // namespace navigation
