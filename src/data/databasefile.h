#pragma once

#include "data/engine/dbfile.h"
#include "platform/errors.h"

#include <QList>
#include <QString>

namespace engine {
class Database;
}

/// The one service for everything that copies, replaces or checks the database file: the last-use
/// copy, backups and restores, compaction, repair and the recovery wizard go through it.
namespace dbfile {

using Check = engine::FileCheck;

/// A copy was made but is not a sound database; the copy is gone again.
class CheckFailed : public FileError
{
public:
    CheckFailed(const QString& path, const Check& result);
    const Check& result() const { return m_result; }

private:
    Check m_result;
};

/// A configured database file name as the connection resolves it: a name without folder (or a
/// relative one) against the program's folder, where the data module's connect step puts the
/// current directory.
QString resolve(const QString& fileName);
/// The database file that roster.ini names (`database`/`filepath`, default "roster5.dat"), resolved.
QString configuredPath();
/// The file the connection opens.
QString pathOf(const engine::Database& db);

/// A full integrity check of a file with its person count; only reads.
Check check(const QString& path);
/// Only the schema and the person count, for showing what a file holds (no page-by-page check).
Check peek(const QString& path);

/// A consistent copy of the connection's database at `target`: SQLite's backup API into a work
/// file beside the target, checked, then renamed into place. A closed connection is not opened:
/// its file is copied as copyFile does. A failure throws and leaves an
/// existing target as it was and no work file behind. Returns the copy's check.
Check copyDatabase(engine::Database& db, const QString& target);
/// The same from a file no connection of ours has open (it is only read).
Check copyFile(const QString& source, const QString& target);

/// What a replacement keeps of the file it replaces.
enum class Keep
{
    Nothing,       ///< compaction: the new file holds the same rows
    BeforeRestore, ///< `<name>.before-restore`, so a restore chosen by mistake can be undone
    BeforeRepair,  ///< `<name>.before-repair`, the damaged file as it was
};

QString keptCopyOf(const QString& databasePath, Keep keep);

/// Puts `newFile` in the place of the connection's database file. The connection is closed first;
/// the installation lock must be this process's or free (else LockHeld, and nothing changes). The
/// old file is kept as `keep` says (an older copy of that name replaced, with the journal files
/// that belong to it), `newFile` takes the name in one rename(2), and no -journal, -wal or -shm of
/// the old file stays beside the new one, where SQLite would replay it. The connection stays
/// closed. Throws FileError when the new file cannot take the name; the old file is then in place.
void replaceDatabase(engine::Database& db, const QString& newFile, Keep keep);

/// Restores `source` (a backup, the last-use copy) into the connection's database file: a
/// consistent copy of it beside the database, checked, then put in place by replaceDatabase with
/// the `.before-restore` copy. A source that is not a sound database throws before anything is
/// replaced. Returns the check of the restored file.
Check restoreDatabase(engine::Database& db, const QString& source);

/// Puts `newFile` in the place of `target` (any database file, the connection's or another):
/// the lock of `target` must be this process's or free; the old file is kept as `keep` says, the new
/// one takes the name in one rename(2) (or through a copy beside the target when the two lie on
/// different file systems), and the old file's journals are removed.
void replaceFile(const QString& target, const QString& newFile, Keep keep);

/// Compacts the connection's database: the connection is closed, VACUUM INTO `workFile` (a leftover
/// one removed first) on a private connection, the result checked and put in the database file's
/// place by replaceDatabase, keeping nothing. A failure throws and leaves the database file as it
/// was and no work file; the connection stays closed either way.
void compactDatabase(engine::Database& db, const QString& workFile);

/// How a repair ended.
enum class Repair
{
    Sound,     ///< nothing to mend: the file is unchanged and not copied
    Reindexed, ///< only indexes were wrong: rebuilt in place
    Salvaged,  ///< every readable row copied into a fresh file that took the damaged file's place
};

struct RepairResult
{
    Repair how = Repair::Sound;
    Check check; ///< of the repaired file
    QList<engine::SalvagedTable> tables;
};

/// Repairs a closed database file: a sound file is left alone; a file that is no database of this
/// program (not SQLite, or without table person) throws and stays unchanged; otherwise the file is
/// first kept with its journals as `<name>.before-repair`, then mended by REINDEX when only indexes
/// are wrong, else salvaged into a fresh file made from the built-in schema, which replaces it.
/// Throws when nothing could be read. Needs the lock of the file, as replaceFile does.
RepairResult repairFile(const QString& path);

/// Removes the -journal, -wal and -shm files of a database file.
void removeJournals(const QString& databasePath);

} // namespace dbfile
