#include "data/engine/dbfile.h"

#include "data/engine/database.h"
#include "platform/errors.h"

#include <QFile>

#include <functional>
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
