#pragma once

#include <QString>
#include <QStringList>

/// The user's own entries of the tools menu, kept in data/menus.cfg.
namespace toolentries {

/// The menu captions "1.caption", "2.caption", ... in entry order; empty for a missing file.
QStringList menuCaptions(const QString& menusFile);

/// The entry number carried by a menu caption: the first character when the second is a full
/// stop, else the first two; 0 when that is not a number.
int entryNumber(const QString& caption);

/// Starts the program the file holds under that number now, with its parameters. Failures are
/// not reported.
void runEntry(const QString& menusFile, int number);

} // namespace toolentries
