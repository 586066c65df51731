#include "data/engine/dbfile.h"

#include "data/engine/database.h"
#include "platform/errors.h"

#include <QFile>

#include <algorithm>
#include <functional>
#include <limits>
#include <sqlite3.h>

namespace engine {

namespace {

/// One raw connection owned for the length of a file operation.
class RawConnection
{
public:
    RawConnection(const QString& path, int flags)
    {
        const QByteArray name = QFile::encodeName(path);
        m_rc = sqlite3_open_v2(name.constData(), &m_db, flags, nullptr);
        if (m_rc == SQLITE_OK) {
            sqlite3_extended_result_codes(m_db, 1);
        }
    }
    ~RawConnection() { sqlite3_close_v2(m_db); }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    bool ok() const { return m_rc == SQLITE_OK; }
    sqlite3* handle() const { return m_db; }
    QString error() const { return QString::fromUtf8(m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(m_rc)); }
    int errorCode() const { return m_db ? sqlite3_extended_errcode(m_db) : m_rc; }

    /// Steps a statement to its end; `row` sees each row. False (with error()) on failure.
    bool each(const char* sql, const std::function<void(sqlite3_stmt*)>& row)
    {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr) != SQLITE_OK) {
            return false;
        }
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            row(stmt);
        }
        sqlite3_finalize(stmt);
        return rc == SQLITE_DONE;
    }

private:
    sqlite3* m_db = nullptr;
    int m_rc = SQLITE_OK;
};

QString columnText(sqlite3_stmt* stmt, int column)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)));
}

void backupInto(sqlite3* source, const QString& sourceName, const QString& target)
{
    RawConnection destination(target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    if (!destination.ok()) {
        throw DbError(QStringLiteral("%1: %2").arg(destination.error(), target), destination.errorCode());
    }
    sqlite3_backup* backup = sqlite3_backup_init(destination.handle(), "main", source, "main");
    if (backup == nullptr) {
        throw DbError(destination.error(), destination.errorCode());
    }
    // -1 copies every page in one step, holding the source's read lock throughout.
    const int stepRc = sqlite3_backup_step(backup, -1);
    const int finishRc = sqlite3_backup_finish(backup);
    if (stepRc != SQLITE_DONE || finishRc != SQLITE_OK) {
        const int rc = stepRc != SQLITE_DONE ? stepRc : finishRc;
        QString message = QString::fromUtf8(sqlite3_errmsg(source));
        if (sqlite3_errcode(source) == SQLITE_OK) {
            message = QString::fromUtf8(sqlite3_errstr(rc));
        }
        throw DbError(QStringLiteral("%1: %2").arg(message, sourceName), rc);
    }
}

} // namespace

void createDatabaseFile(const QString& path, const QStringList& scripts)
{
    if (QFile::exists(path)) {
        throw FileError(QStringLiteral("文件已存在，不会被替换：%1").arg(path));
    }
    sqlite3* db = nullptr;
    const QByteArray name = QFile::encodeName(path);
    if (sqlite3_open_v2(name.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        throw RosterError(message);
    }
    QString script = QStringLiteral("BEGIN;\n") + scripts.join(u'\n') + QStringLiteral("\nCOMMIT;");
    char* error = nullptr;
    if (sqlite3_exec(db, script.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = QString::fromUtf8(error);
        sqlite3_free(error);
        sqlite3_close(db);
        QFile::remove(path);
        throw RosterError(message);
    }
    sqlite3_close(db);
}

FileCheck checkDatabaseFile(const QString& path, bool integrity)
{
    FileCheck result;
    if (!QFile::exists(path)) {
        result.problems << QStringLiteral("unable to open database file: %1").arg(path);
        return result;
    }
    RawConnection db(path, SQLITE_OPEN_READONLY);
    if (!db.ok()) {
        result.problems << db.error();
        return result;
    }
    // Reading the schema tells an SQLite file from anything else (a zero-byte file reads as empty).
    const bool schemaRead = db.each("SELECT name FROM sqlite_schema WHERE type = 'table'", [&](sqlite3_stmt* stmt) {
        if (columnText(stmt, 0).compare(QLatin1String("person"), Qt::CaseInsensitive) == 0) {
            result.hasPersons = true;
        }
    });
    if (!schemaRead) {
        result.problems << db.error();
        return result;
    }
    result.isDatabase = true;
    const bool checked = !integrity || db.each("PRAGMA integrity_check", [&](sqlite3_stmt* stmt) {
        const QString line = columnText(stmt, 0);
        if (line != QLatin1String("ok")) {
            result.problems << line;
        }
    });
    if (!checked) {
        result.problems << db.error();
    }
    if (result.hasPersons && !db.each("SELECT count(*) FROM person",
                                      [&](sqlite3_stmt* stmt) { result.persons = sqlite3_column_int64(stmt, 0); })) {
        result.problems << db.error();
    }
    if (!result.hasPersons) {
        result.problems << QStringLiteral("no such table: person");
    }
    return result;
}

void vacuumInto(const QString& source, const QString& target)
{
    RawConnection db(source, SQLITE_OPEN_READONLY);
    if (!db.ok()) {
        throw DbError(QStringLiteral("%1: %2").arg(db.error(), source), db.errorCode());
    }
    QString literal = target;
    literal.replace(u'\'', QStringLiteral("''"));
    const QByteArray sql = QStringLiteral("VACUUM INTO '%1'").arg(literal).toUtf8();
    if (!db.each(sql.constData(), [](sqlite3_stmt*) {})) {
        const DbError error(QStringLiteral("%1: %2").arg(db.error(), source), db.errorCode());
        // A failed VACUUM INTO leaves an empty target behind.
        QFile::remove(target);
        throw error;
    }
}

void reindexFile(const QString& path)
{
    RawConnection db(path, SQLITE_OPEN_READWRITE);
    if (!db.ok() || !db.each("REINDEX", [](sqlite3_stmt*) {})) {
        throw DbError(QStringLiteral("%1: %2").arg(db.error(), path), db.errorCode());
    }
}

namespace {

struct Column
{
    QString name;
    bool rowidAlias = false;
};

QString quoted(const QString& name)
{
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

/// The columns of a table by name, empty when its definition cannot be read.
QList<Column> columnsOf(RawConnection& db, const QString& table)
{
    QList<Column> columns;
    QList<Column> keys;
    const QByteArray sql = QStringLiteral("PRAGMA table_info(%1)").arg(quoted(table)).toUtf8();
    db.each(sql.constData(), [&](sqlite3_stmt* stmt) {
        Column column{columnText(stmt, 1), false};
        if (sqlite3_column_int(stmt, 5) > 0) {
            column.rowidAlias = columnText(stmt, 2).compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0;
            keys << column;
        }
        columns << column;
    });
    if (keys.size() != 1) {
        for (Column& column : columns) {
            column.rowidAlias = false;
        }
    }
    return columns;
}

/// Reads the rows of one table from `first` on, in rowid order, handing each to `row`; returns the
/// rowid after the last row read, or stops at the first read failure (`failed` set).
qint64 readFrom(RawConnection& source, const QByteArray& select, qint64 first, bool& failed,
                const std::function<void(sqlite3_stmt*)>& row)
{
    sqlite3_stmt* stmt = nullptr;
    failed = sqlite3_prepare_v2(source.handle(), select.constData(), -1, &stmt, nullptr) != SQLITE_OK;
    if (failed) {
        return first;
    }
    sqlite3_bind_int64(stmt, 1, first);
    qint64 next = first;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        next = sqlite3_column_int64(stmt, 0) + 1;
        row(stmt);
    }
    sqlite3_finalize(stmt);
    failed = rc != SQLITE_DONE;
    return next;
}

/// Whether a seek to the first rowid at or after `at` can be read: 1 a row, 0 no row left, -1 a
/// read failure.
int probe(RawConnection& source, const QString& table, qint64 at)
{
    int result = -1;
    const QByteArray sql =
        QStringLiteral("SELECT rowid FROM %1 WHERE rowid >= ?1 ORDER BY rowid LIMIT 1").arg(quoted(table)).toUtf8();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(source.handle(), sql.constData(), -1, &stmt, nullptr) == SQLITE_OK) {
        sqlite3_bind_int64(stmt, 1, at);
        const int rc = sqlite3_step(stmt);
        result = rc == SQLITE_ROW ? 1 : rc == SQLITE_DONE ? 0 : -1;
    }
    sqlite3_finalize(stmt);
    return result;
}

/// The first rowid after a read failure at `failedAt` from which reading works again: steps
/// forward by doubling, then narrows down by halving. Returns -1 when nothing after it can be read.
/// The rowids the program makes are positive, so a failure before them goes on from 1.
qint64 resumePoint(RawConnection& source, const QString& table, qint64 failedAt)
{
    constexpr qint64 largest = std::numeric_limits<qint64>::max();
    qint64 bad = std::max<qint64>(failedAt, 0);
    qint64 good = -1;
    for (qint64 step = 1; step <= largest - bad; step = step > largest / 2 ? largest : step * 2) {
        if (probe(source, table, bad + step) >= 0) {
            good = bad + step;
            break;
        }
        bad += step;
        if (step == largest) {
            break;
        }
    }
    if (good < 0) {
        return -1;
    }
    while (good - bad > 1) {
        const qint64 middle = bad + (good - bad) / 2;
        (probe(source, table, middle) >= 0 ? good : bad) = middle;
    }
    return good;
}

} // namespace

QList<SalvagedTable> salvageInto(const QString& source, const QString& target, const QString& schema)
{
    createDatabaseFile(target, {schema});
    RawConnection from(source, SQLITE_OPEN_READONLY);
    RawConnection to(target, SQLITE_OPEN_READWRITE);
    if (!from.ok() || !to.ok()) {
        QFile::remove(target);
        throw DbError(QStringLiteral("%1: %2").arg(from.error(), source), from.errorCode());
    }
    QStringList tables;
    to.each("SELECT name FROM sqlite_schema WHERE type = 'table' AND name NOT LIKE 'sqlite_%' ORDER BY rowid",
            [&](sqlite3_stmt* stmt) { tables << columnText(stmt, 0); });

    QList<SalvagedTable> report;
    bool anyRead = false;
    to.each("BEGIN", [](sqlite3_stmt*) {});
    for (const QString& table : std::as_const(tables)) {
        QStringList sourceNames;
        for (const Column& column : columnsOf(from, table)) {
            sourceNames << column.name.toLower();
        }
        if (sourceNames.isEmpty()) {
            continue; // not in the damaged file, or its definition is lost
        }
        QStringList names;
        bool aliased = false;
        for (const Column& column : columnsOf(to, table)) {
            if (sourceNames.contains(column.name.toLower())) {
                names << quoted(column.name);
                aliased = aliased || column.rowidAlias;
            }
        }
        // With an INTEGER PRIMARY KEY the key column carries the rowid; without one the rowid is
        // written explicitly, so the salvaged rows keep the identity they had.
        const QString insertColumns = (aliased ? QString() : QStringLiteral("rowid, ")) + names.join(u',');
        QStringList marks;
        for (int i = 0; i < names.size() + (aliased ? 0 : 1); ++i) {
            marks << QStringLiteral("?%1").arg(i + 1);
        }
        const QByteArray select = QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid >= ?1 ORDER BY rowid")
                                      .arg(names.join(u','), quoted(table))
                                      .toUtf8();
        const QByteArray insert = QStringLiteral("INSERT INTO %1(%2) VALUES (%3)")
                                      .arg(quoted(table), insertColumns, marks.join(u','))
                                      .toUtf8();
        sqlite3_stmt* store = nullptr;
        sqlite3_prepare_v2(to.handle(), insert.constData(), -1, &store, nullptr);

        SalvagedTable done{table, 0, false};
        const int offset = aliased ? 1 : 0; // the rowid column of the SELECT is skipped when aliased
        qint64 next = std::numeric_limits<qint64>::min();
        for (;;) {
            bool failed = false;
            next = readFrom(from, select, next, failed, [&](sqlite3_stmt* row) {
                const int count = sqlite3_column_count(row);
                for (int i = offset; i < count; ++i) {
                    sqlite3_bind_value(store, i - offset + 1, sqlite3_column_value(row, i));
                }
                if (sqlite3_step(store) == SQLITE_DONE) {
                    ++done.copied;
                } else {
                    done.damaged = true; // a row the schema refuses is not stored
                }
                sqlite3_reset(store);
            });
            anyRead = anyRead || !failed || done.copied > 0;
            if (!failed) {
                break;
            }
            done.damaged = true;
            next = resumePoint(from, table, next);
            if (next < 0) {
                break;
            }
        }
        sqlite3_finalize(store);
        report << done;
    }
    if (!anyRead || !to.each("COMMIT", [](sqlite3_stmt*) {})) {
        const QString message = anyRead ? to.error() : QStringLiteral("no table could be read: %1").arg(source);
        to.each("ROLLBACK", [](sqlite3_stmt*) {});
        QFile::remove(target);
        throw DbError(message, SQLITE_CORRUPT);
    }
    return report;
}

void backupDatabase(Database& source, const QString& target)
{
    source.ensureOpen();
    if (source.inTransaction()) {
        throw DbError(QStringLiteral("cannot copy a database inside a transaction"), SQLITE_MISUSE);
    }
    backupInto(source.handle(), source.fileName(), target);
}

void backupDatabaseFile(const QString& source, const QString& target)
{
    if (!QFile::exists(source)) {
        throw DbError(QStringLiteral("unable to open database file: %1").arg(source), SQLITE_CANTOPEN);
    }
    RawConnection db(source, SQLITE_OPEN_READONLY);
    if (!db.ok()) {
        throw DbError(QStringLiteral("%1: %2").arg(db.error(), source), db.errorCode());
    }
    backupInto(db.handle(), source, target);
}

} // namespace engine
