#pragma once

#include <QString>
#include <QStringList>

/// The file of a code list: the data folder followed by the list key's value in section
/// FieldSetFile of the installation's settings. A missing key or empty value gives the data
/// folder itself, which names no list file.
QString codelistfile(const QString& key);

/// Code-list files: one entry per line, blanks, empty lines and duplicates kept in order.
namespace codelist {

/// True when the path names a list file that exists (the data folder itself does not count).
bool exists(const QString& path);

/// The entries of an existing list file; throws FileError when it cannot be read. A path that
/// names no file gives an empty list.
QStringList read(const QString& path);

/// Replaces the file (creating it) with the entries, CR LF after every one; an empty list is an
/// empty file. Throws FileError, the data folder itself included.
void write(const QString& path, const QStringList& entries);

} // namespace codelist
