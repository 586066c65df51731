#pragma once

#include "platform/errors.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

struct sqlite3;

namespace jet {
class SchemaInfo;
}

namespace engine {

class StatementCache;

/// A failure reported by the database engine. The message is the engine's own text; the codes
/// let handlers decide by the kind of failure instead of searching the text.
class DbError : public RosterError
{
public:
    explicit DbError(const QString& message, int rc = 0, int extendedRc = 0, const QString& sql = {});

    int rc() const { return m_rc; }                 ///< SQLite's primary result code (19 = constraint)
    int extendedRc() const { return m_extendedRc; } ///< e.g. 1299 NOT NULL, 2067 UNIQUE, 275 CHECK
    QString sql() const { return m_sql; }

    /// The row broke a rule of the schema (required, unique, check, relation).
    bool isConstraint() const;
    /// A required value is missing: NOT NULL, or a CHECK that refuses an empty text.
    bool isMissingValue() const;
    /// A value that must be unique is already stored (UNIQUE or PRIMARY KEY).
    bool isDuplicate() const;
    /// The Jet error number the old engine raised for the same failure (3022 duplicate,
    /// 3314 missing value, 3315 empty text), 0 when there is none.
    int jetCode() const;

private:
    int m_rc;
    int m_extendedRc;
    QString m_sql;
};

/// The message of a failure the engine reports: a Chinese text chosen by the engine's result code
/// (for a Jet function's failure, by its text), then "：" and the engine's own detail.
QString engineText(int rc, int extendedRc, const QString& detail);

/// The statement was refused because it is not one read-only SELECT.
class RefusedStatement : public DbError
{
public:
    using DbError::DbError;
};

/// Column names and rows of a SELECT, every row read to the end.
struct ResultSet
{
    QStringList columns;
    QStringList declaredTypes; ///< the schema's declared type of a plain column, else empty
    QList<QVariantList> rows;
};

/// The connection to one database file. Opened read-write and never created: a missing, empty,
/// non-database or damaged file fails with a DbError carrying the engine's message. Every SQL text
/// passes through the Jet translator before SQLite sees it. Closing closes every dataset on the
/// connection; a dataset that opens while the connection is closed opens it again.
class Database : public QObject
{
    Q_OBJECT

public:
    explicit Database(QObject* parent = nullptr);
    ~Database() override;

    /// The file opened by open() and by a reopen on demand; a name without folder is resolved
    /// against the current directory at the time of opening (after beforeConnect).
    void setFileName(const QString& fileName);
    QString fileName() const { return m_fileName; }

    void open();
    void open(const QString& fileName);
    /// A fresh empty database in memory, for tests and scratch work; `script` is raw SQLite SQL
    /// (for example install/schema.sql) run before the connection is used.
    void openMemory(const QString& script = {});
    void close();
    bool isOpen() const { return m_db != nullptr; }
    /// Opens the connection with the last file name when it is closed (a memory database cannot be
    /// reopened and throws).
    void ensureOpen();

    /// Runs once just before the connection opens (the data module sets the current directory).
    std::function<void(Database&)> beforeConnect;

    /// The Jet text as SQLite will see it.
    QString translate(const QString& jetSql) const;

    /// Runs one Jet statement (not a SELECT); returns the number of rows changed.
    /// `params` bind to ?1, ?2, ... of the translated text.
    int execute(const QString& jetSql, const QVariantList& params = {});
    /// Runs one Jet SELECT and reads every row.
    ResultSet select(const QString& jetSql, const QVariantList& params = {});
    /// The rows of a SELECT, for tests and small look-ups.
    QList<QVariantList> selectRows(const QString& jetSql, const QVariantList& params = {});
    /// The first column of the first row, or an invalid QVariant when there is no row.
    QVariant selectValue(const QString& jetSql, const QVariantList& params = {});

    /// Runs a user's statement only when it is exactly one read-only SELECT (or WITH ... SELECT);
    /// anything else throws RefusedStatement before it runs. An authorizer denies every write,
    /// PRAGMA, ATTACH and transaction while the statement is prepared.
    ResultSet selectReadOnly(const QString& jetSql);

    /// Raw SQLite SQL, untranslated, possibly several statements (schema scripts, fixtures).
    void executeScript(const QString& sqliteSql);

    qint64 lastInsertRowId() const;
    int changes() const;
    bool inTransaction() const;

    /// Declared types of a table's columns, in order (names as the schema spells them).
    QList<QPair<QString, QString>> tableColumns(const QString& table) const;
    /// Column names of a named index, in index order; empty when there is no such index.
    QStringList indexColumns(const QString& indexName) const;
    QStringList tableNames() const;

    /// The column kinds the translator works with (read from the schema at open).
    const jet::SchemaInfo& schema() const;

    // Engine internals.
    sqlite3* handle() const { return m_db; }
    StatementCache& statements() const;

signals:
    void opened();
    /// Datasets on the connection close themselves on this signal.
    void aboutToClose();
    void closed();

private:
    void openHandle(const QString& path, bool memory);
    void configure();
    void loadSchema();
    void check(int rc, const QString& sql = {}) const;

    sqlite3* m_db = nullptr;
    QString m_fileName;
    bool m_memory = false;
    std::unique_ptr<StatementCache> m_statements;
    std::unique_ptr<jet::SchemaInfo> m_schema;
};

/// Begins a transaction (a savepoint when one is already running) and rolls it back on
/// destruction unless commit() was called.
class Transaction
{
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();
    void rollback();

private:
    Database& m_db;
    QString m_savepoint;
    bool m_done = false;
};

} // namespace engine
