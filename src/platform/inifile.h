#pragma once

#include <QString>
#include <QStringList>

/// Settings files in the INI form. Every call goes to the file: nothing is cached, so a value
/// written by one window is what the next read anywhere sees. Section and key names are
/// matched without regard to letter case; a missing or unreadable file reads as defaults.
namespace ini {

QString readString(const QString& file, const QString& section, const QString& key, const QString& defaultValue);

/// Replaces the key's value, or adds the key (and its section) where missing; every other line
/// stays as it was. Atomic; throws FileError when the file cannot be written.
void writeString(const QString& file, const QString& section, const QString& key, const QString& value);

/// The keys of a section in file order; empty for a missing file or section.
QStringList sectionKeys(const QString& file, const QString& section);

} // namespace ini
