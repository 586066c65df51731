#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

/// Text files of the installation: GBK (a UTF-8 byte order mark means UTF-8), lines split at
/// CR, LF or CR LF, written in GBK with CR LF after every line.
namespace textfile {

QString decode(const QByteArray& bytes);
QByteArray encodeGbk(const QString& text);

/// Splits at CR, LF or CR LF; a final line break does not start another line.
QStringList splitLines(const QString& text);
QByteArray joinLines(const QStringList& lines);

/// Reads the lines of a file; throws FileError when the file cannot be opened.
QStringList readLines(const QString& path);
/// Reads the lines of a file, or nothing when it is missing or unreadable.
std::optional<QStringList> readLinesIfPresent(const QString& path);

/// Writes atomically: a failed write leaves the old file whole. Throws FileError.
void writeLines(const QString& path, const QStringList& lines);
void writeBytes(const QString& path, const QByteArray& bytes);

} // namespace textfile
