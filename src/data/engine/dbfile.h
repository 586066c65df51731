#pragma once

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

} // namespace engine
