#pragma once

#include "data/databasefile.h"

#include <QDate>
#include <QList>
#include <QString>

namespace engine {
class Database;
}

/// Dated backups of the database and their index: one file `<date>.bak` per day in a backup
/// folder, listed in that folder's backup.ini (section `bakfile`, key = the date text, value = the
/// file's full path, in file order). Used by the backup window and by roster-cli.
namespace backup {

/// apppath + "bak/".
QString defaultFolder();
/// The folder a directory picker's text names: a separator appended when it does not end with
/// one; empty for an empty text (no folder chosen).
QString pickedFolder(const QString& text);
/// The date text of file names and keys, "yyyy-MM-dd".
QString dateText(const QDate& date);
/// folder + "backup.ini".
QString indexFile(const QString& folder);

/// A backup made: its file and what its check found.
struct Made
{
    QString path;
    dbfile::Check check;
};

/// Makes the day's backup of the connection's database in `folder` (created, one level, when
/// missing): a consistent copy, checked, at folder + date text + ".bak" (replacing that day's
/// earlier backup only once the new one is known to be good), then the backup.ini entry. Throws
/// dbfile::CheckFailed when the copy is not sound (no file, no entry), another RosterError when
/// the copy could not be made.
Made makeBackup(engine::Database& db, const QString& folder, const QDate& date);

/// The dates listed in a folder's backup.ini, in file order.
QStringList listedDates(const QString& folder);
/// The file a folder's backup.ini lists for a date; empty when the date is not listed there.
QString listedFile(const QString& folder, const QString& date);

/// A listed backup as the restore list shows it.
struct Entry
{
    QString date;
    QString path;
    bool exists = false;
    qint64 size = 0;
    qint64 persons = -1; ///< -1 when the file is missing or not a database of this program
};
/// Every listed backup of a folder with its size and person count (read from the file).
QList<Entry> listBackups(const QString& folder);
/// "2.0 MB, 20 人" or "文件不存在" for one entry of the list.
QString describe(const Entry& entry);

/// A restore's argument from the command line: a date listed in the folder's backup.ini names its
/// file; anything else is a file path.
QString restoreSource(const QString& argument, const QString& folder);

} // namespace backup
