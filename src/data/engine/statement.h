#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

#include <sqlite3.h>

namespace engine {

class Database;

/// Turns a column of the current row into a QVariant (NULL = invalid QVariant).
QVariant columnValue(sqlite3_stmt* stmt, int column);
/// Binds a value to a 1-based parameter: NULL, whole numbers, reals, bytes (BLOB), dates as ISO text.
void bindValue(sqlite3_stmt* stmt, int index, const QVariant& value);

/// A prepared statement borrowed from the connection's cache for one use: bound, stepped to
/// its end and reset when this object goes, so no read stays open across user interaction.
class Statement
{
public:
    Statement(const Database& db, const QString& sqliteSql);
    /// Takes over a statement prepared outside the cache (the read-only guard prepares its own);
    /// it is finalized when this object goes.
    Statement(const Database& db, sqlite3_stmt* prepared, const QString& sqliteSql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(int index, const QVariant& value) { bindValue(m_stmt, index, value); }
    void bindAll(const QVariantList& values);
    /// True while a row is available; throws DbError on failure.
    bool step();
    /// Steps a statement that returns no rows; returns sqlite3_changes.
    int run();
    QVariant value(int column) const { return columnValue(m_stmt, column); }
    qint64 int64(int column) const { return sqlite3_column_int64(m_stmt, column); }
    int columnCount() const { return sqlite3_column_count(m_stmt); }
    QString columnName(int column) const;
    sqlite3_stmt* handle() const { return m_stmt; }

private:
    const Database& m_db;
    QString m_sql;
    sqlite3_stmt* m_stmt = nullptr;
    bool m_cached = true;
};

/// Prepared statements keyed by their SQLite text, finalized when the connection closes.
class StatementCache
{
public:
    explicit StatementCache(sqlite3* db) : m_db(db) {}
    ~StatementCache() { clear(); }

    /// A prepared statement taken out of the cache (or newly prepared); nullptr with the rc when
    /// preparing failed. Give it back with release(), which resets it.
    sqlite3_stmt* acquire(const QString& sql, int* rc);
    void release(const QString& sql, sqlite3_stmt* stmt);
    void clear();

private:
    sqlite3* m_db;
    QHash<QString, sqlite3_stmt*> m_statements;
};

} // namespace engine
