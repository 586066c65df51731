#pragma once

#include "data/engine/database.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

/// Databases for tests: built from install/schema.sql (and optionally install/sample.sql or
/// given SQL rows) either in memory or as a file in a temporary folder that goes with the object.
namespace testdb {

/// install/schema.sql as text.
QString schemaSql();
/// install/sample.sql as text.
QString sampleSql();

/// A connection to a fresh in-memory database with the schema, then `rows` (raw SQLite SQL, e.g.
/// "INSERT INTO person(ID,name) VALUES('A001','张三');").
std::unique_ptr<engine::Database> memory(const QString& rows = {}, bool withSample = false);

/// A database file "roster5.dat" with the schema (and the sample or the rows) in a temporary
/// folder; the folder and the file go when the object goes.
class TempFile
{
public:
    explicit TempFile(const QString& rows = {}, bool withSample = false);
    QString folder() const { return m_dir.path(); }
    QString path() const { return m_path; }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

/// The number of the first page of a table or index, read from the file's schema.
int rootPage(const QString& path, const QString& name);

/// Overwrites one page of a database file with garbage and advances the file's change counter, so
/// that a connection holding the file open sees the damage at its next read instead of its cache.
void damagePage(const QString& path, int page);

/// The person IDs of a database file, in rowid order (opened for this call alone).
QStringList personIds(const QString& path);

} // namespace testdb
