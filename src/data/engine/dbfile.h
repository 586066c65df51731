#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace engine {

class Database;

/// Builds a new database file from SQL scripts (run in one transaction). Used by the
/// installation tool only; the program itself never creates a database. Refuses to replace an
/// existing file. Throws DbError or FileError.
void createDatabaseFile(const QString& path, const QStringList& scripts);

/// What a full integrity check of a database file found. The file is only read.
struct FileCheck
{
    bool isDatabase = false; ///< an SQLite file whose schema could be read
    bool hasPersons = false; ///< it has the table person
    qint64 persons = -1;     ///< rows of person, -1 when they could not be counted
    QStringList problems;    ///< the check's findings or the engine's error; empty when sound

    bool sound() const { return isDatabase && hasPersons && persons >= 0 && problems.isEmpty(); }
};

/// Runs PRAGMA integrity_check (every page, every index) on a file opened read-only and counts its
/// persons; with `integrity` false only the schema and the count are read. Never throws: a
/// missing or foreign file is reported in the result.
FileCheck checkDatabaseFile(const QString& path, bool integrity = true);

/// Copies the open connection's database into `target` (created or overwritten) with SQLite's
/// backup API, in one step under one read transaction, so the copy is a consistent state even while
/// other connections write. Refused while the connection itself is inside a transaction, whose
/// uncommitted rows would be copied. Throws DbError.
void backupDatabase(Database& source, const QString& target);

/// The same from a database file that no connection of ours has open; the source is opened
/// read-only, so nothing of it (not even a journal beside it) is changed.
void backupDatabaseFile(const QString& source, const QString& target);

/// Compacts a closed database file into `target` (which must not exist) with VACUUM INTO, on a
/// private read-only connection. A failure throws DbError and leaves no target behind.
void vacuumInto(const QString& source, const QString& target);

/// Rebuilds every index of a closed database file in place (REINDEX). Throws DbError.
void reindexFile(const QString& path);

/// What a salvage copied, per table: rows read and rows lost (the damaged table's own count when it
/// could still be read, -1 when not).
struct SalvagedTable
{
    QString table;
    qint64 copied = 0;
    bool damaged = false; ///< a read failed and rows were skipped
};

/// Copies every readable row of every table of the damaged file `source` into the fresh file
/// `target` made from `schema`, table by table in rowid order with the rows' own rowids; after a
/// read failure it seeks forward to the first rowid that can be read again, so one lost page loses
/// only its own rows. Columns are matched by name. Throws DbError when not one table could be read.
QList<SalvagedTable> salvageInto(const QString& source, const QString& target, const QString& schema);

} // namespace engine
