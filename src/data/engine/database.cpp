#include "data/engine/database.h"

#include "data/engine/statement.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <cstring>

#include "data/engine/jetfunctions.h"
#include "data/engine/jetsql.h"

namespace engine {

// ---------------------------------------------------------------------------------------------
// Errors

DbError::DbError(const QString& message, int rc, int extendedRc, const QString& sql)
    : RosterError(message), m_rc(rc), m_extendedRc(extendedRc ? extendedRc : rc), m_sql(sql)
{
}

bool DbError::isConstraint() const
{
    return (m_extendedRc & 0xff) == SQLITE_CONSTRAINT;
}

bool DbError::isMissingValue() const
{
    return m_extendedRc == SQLITE_CONSTRAINT_NOTNULL || m_extendedRc == SQLITE_CONSTRAINT_CHECK;
}

bool DbError::isDuplicate() const
{
    return m_extendedRc == SQLITE_CONSTRAINT_UNIQUE || m_extendedRc == SQLITE_CONSTRAINT_PRIMARYKEY;
}

int DbError::jetCode() const
{
    if (isDuplicate()) {
        return 3022;
    }
    if (m_extendedRc == SQLITE_CONSTRAINT_NOTNULL) {
        return 3314;
    }
    if (m_extendedRc == SQLITE_CONSTRAINT_CHECK) {
        return 3315;
    }
    return 0;
}

/// The Chinese text for a failure the engine reports, as the Chinese edition of the old engine
/// showed its own, followed by the engine's detail (which names the column, table or file).
QString engineText(int rc, int extendedRc, const QString& detail)
{
    struct Known
    {
        const char* detail;
        const char* text;
    };
    // The Jet functions report their failures with the old engine's English texts.
    static const Known functionTexts[] = {
        {"Overflow", "溢出"},
        {"Division by zero", "除数为零"},
        {"Invalid procedure call or argument", "无效的过程调用或参数"},
        {"Invalid use of Null", "无效使用 Null"},
        {"Type mismatch", "类型不匹配"},
        {"Invalid pattern string.", "无效的模式字符串"},
    };
    QString text;
    switch (rc & 0xff) {
    case SQLITE_ERROR:
        for (const Known& known : functionTexts) {
            if (detail == QLatin1String(known.detail)) {
                text = QString::fromUtf8(known.text);
            }
        }
        if (!text.isEmpty()) {
            break;
        }
        if (detail.startsWith(QLatin1String("no such column"))) {
            text = QStringLiteral("SQL 语句中有未知的字段名");
        } else if (detail.startsWith(QLatin1String("no such table"))) {
            text = QStringLiteral("找不到数据库表");
        } else if (detail.startsWith(QLatin1String("no such function")) ||
                   detail.startsWith(QLatin1String("wrong number of arguments"))) {
            text = QStringLiteral("表达式中有未定义的函数或参数个数不对");
        } else {
            text = QStringLiteral("SQL 语句出错");
        }
        break;
    case SQLITE_PERM:
        text = QStringLiteral("没有访问数据库文件的权限");
        break;
    case SQLITE_ABORT:
    case SQLITE_INTERRUPT:
        text = QStringLiteral("操作被中止");
        break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        text = QStringLiteral("数据库正被其他程序使用（已锁定），请稍后再试");
        break;
    case SQLITE_NOMEM:
        text = QStringLiteral("内存不足");
        break;
    case SQLITE_READONLY:
        text = QStringLiteral("数据库是只读的，无法写入，请检查数据库文件及其所在文件夹是否允许写入");
        break;
    case SQLITE_IOERR:
        text = QStringLiteral("读写数据库文件时出错");
        break;
    case SQLITE_CORRUPT:
        text = QStringLiteral("数据库文件已损坏");
        break;
    case SQLITE_FULL:
        text = QStringLiteral("磁盘已满，无法写入数据库");
        break;
    case SQLITE_CANTOPEN:
        text = QStringLiteral("无法打开数据库文件");
        break;
    case SQLITE_TOOBIG:
        text = QStringLiteral("字符串或二进制数据太长");
        break;
    case SQLITE_CONSTRAINT:
        switch (extendedRc) {
        case SQLITE_CONSTRAINT_UNIQUE:
        case SQLITE_CONSTRAINT_PRIMARYKEY:
            text = QStringLiteral("字段值重复，索引、主关键字或关系中不允许有重复的值");
            break;
        case SQLITE_CONSTRAINT_NOTNULL:
            text = QStringLiteral("字段必须有值");
            break;
        case SQLITE_CONSTRAINT_CHECK:
            text = QStringLiteral("字段值不符合有效性规则");
            break;
        default:
            text = QStringLiteral("操作违反了数据库的规则");
            break;
        }
        break;
    case SQLITE_MISMATCH:
        text = QStringLiteral("数据类型不匹配");
        break;
    case SQLITE_NOTADB:
        text = QStringLiteral("文件不是数据库");
        break;
    case SQLITE_AUTH:
        text = QStringLiteral("语句未获准执行");
        break;
    default:
        text = QStringLiteral("数据库引擎出错");
        break;
    }
    return detail.isEmpty() ? text : text + QStringLiteral("：") + detail;
}

namespace {

DbError engineError(sqlite3* db, int rc, const QString& sql)
{
    const int extended = db ? sqlite3_extended_errcode(db) : rc;
    const QString detail = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
    return DbError(engineText(rc, extended, detail), rc & 0xff, extended, sql);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Statements

QVariant columnValue(sqlite3_stmt* stmt, int column)
{
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, column));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)),
                                          sqlite3_column_bytes(stmt, column)));
    case SQLITE_BLOB: {
        const void* data = sqlite3_column_blob(stmt, column);
        return QVariant(QByteArray(static_cast<const char*>(data), sqlite3_column_bytes(stmt, column)));
    }
    default:
        return QVariant();
    }
}

void bindValue(sqlite3_stmt* stmt, int index, const QVariant& value)
{
    if (!value.isValid() || value.isNull()) {
        sqlite3_bind_null(stmt, index);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Bool:
        sqlite3_bind_int64(stmt, index, value.toBool() ? -1 : 0);
        return;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::Short:
        sqlite3_bind_int64(stmt, index, value.toLongLong());
        return;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(stmt, index, value.toDouble());
        return;
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        sqlite3_bind_blob64(stmt, index, bytes.constData(), sqlite3_uint64(bytes.size()), SQLITE_TRANSIENT);
        return;
    }
    case QMetaType::QDate:
        sqlite3_bind_text(stmt, index, value.toDate().toString(QStringLiteral("yyyy-MM-dd")).toUtf8().constData(), -1,
                          SQLITE_TRANSIENT);
        return;
    case QMetaType::QDateTime:
        sqlite3_bind_text(stmt, index,
                          value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8().constData(), -1,
                          SQLITE_TRANSIENT);
        return;
    default: {
        const QByteArray text = value.toString().toUtf8();
        sqlite3_bind_text64(stmt, index, text.constData(), sqlite3_uint64(text.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
        return;
    }
    }
}

sqlite3_stmt* StatementCache::acquire(const QString& sql, int* rc)
{
    auto it = m_statements.find(sql);
    if (it != m_statements.end()) {
        sqlite3_stmt* stmt = it.value();
        m_statements.erase(it);
        *rc = SQLITE_OK;
        return stmt;
    }
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    *rc = sqlite3_prepare_v3(m_db, text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (*rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return nullptr;
    }
    return stmt;
}

void StatementCache::release(const QString& sql, sqlite3_stmt* stmt)
{
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    if (m_statements.contains(sql) || m_statements.size() > 200) {
        sqlite3_finalize(stmt);
        return;
    }
    m_statements.insert(sql, stmt);
}

void StatementCache::clear()
{
    for (sqlite3_stmt* stmt : std::as_const(m_statements)) {
        sqlite3_finalize(stmt);
    }
    m_statements.clear();
}

Statement::Statement(const Database& db, const QString& sqliteSql) : m_db(db), m_sql(sqliteSql)
{
    if (!db.isOpen()) {
        throw DbError(QStringLiteral("Database is not open"), SQLITE_MISUSE);
    }
    int rc = SQLITE_OK;
    m_stmt = db.statements().acquire(sqliteSql, &rc);
    if (!m_stmt) {
        throw engineError(db.handle(), rc, sqliteSql);
    }
}

Statement::Statement(const Database& db, sqlite3_stmt* prepared, const QString& sqliteSql)
    : m_db(db), m_sql(sqliteSql), m_stmt(prepared), m_cached(false)
{
}

Statement::~Statement()
{
    if (m_stmt) {
        // A statement of a connection that has been closed and opened again is not reused.
        if (m_cached && m_db.isOpen() && sqlite3_db_handle(m_stmt) == m_db.handle()) {
            m_db.statements().release(m_sql, m_stmt);
        } else {
            sqlite3_finalize(m_stmt);
        }
    }
}

void Statement::bindAll(const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i) {
        bindValue(m_stmt, i + 1, values[i]);
    }
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    const DbError error = engineError(sqlite3_db_handle(m_stmt), rc, m_sql);
    sqlite3_reset(m_stmt);
    throw error;
}

int Statement::run()
{
    while (step()) {
    }
    return sqlite3_changes(sqlite3_db_handle(m_stmt));
}

QString Statement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

// ---------------------------------------------------------------------------------------------
// Connection

namespace {

QString translateJet(const QString& jetSql, const jet::SchemaInfo& schema)
{
    return jet::translate(jetSql, schema).sql;
}

ResultSet readAll(Statement& stmt)
{
    ResultSet result;
    const int count = stmt.columnCount();
    for (int i = 0; i < count; ++i) {
        result.columns << stmt.columnName(i);
        const char* declared = sqlite3_column_decltype(stmt.handle(), i);
        result.declaredTypes << (declared ? QString::fromUtf8(declared) : QString());
    }
    while (stmt.step()) {
        QVariantList row;
        row.reserve(count);
        for (int i = 0; i < count; ++i) {
            row << stmt.value(i);
        }
        result.rows << row;
    }
    return result;
}

int readOnlyAuthorizer(void* denied, int action, const char*, const char*, const char*, const char*)
{
    switch (action) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_FUNCTION:
    case SQLITE_RECURSIVE:
        return SQLITE_OK;
    default:
        *static_cast<bool*>(denied) = true;
        return SQLITE_DENY;
    }
}

/// True when the text after the first statement holds nothing but blanks, semicolons and comments.
bool onlyTrivia(const char* tail)
{
    const char* p = tail;
    while (*p) {
        if (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n' || *p == ';') {
            ++p;
        } else if (p[0] == '-' && p[1] == '-') {
            while (*p && *p != '\n') {
                ++p;
            }
        } else if (p[0] == '/' && p[1] == '*') {
            const char* end = strstr(p + 2, "*/");
            if (!end) {
                return true;
            }
            p = end + 2;
        } else {
            return false;
        }
    }
    return true;
}

QString firstKeyword(const QString& sql)
{
    int i = 0;
    while (i < sql.size()) {
        if (sql[i].isSpace() || sql[i] == u'(') {
            ++i;
        } else if (sql.mid(i, 2) == QLatin1String("--")) {
            i = sql.indexOf(u'\n', i);
            if (i < 0) {
                return {};
            }
        } else if (sql.mid(i, 2) == QLatin1String("/*")) {
            i = sql.indexOf(QLatin1String("*/"), i + 2);
            if (i < 0) {
                return {};
            }
            i += 2;
        } else {
            break;
        }
    }
    int j = i;
    while (j < sql.size() && sql[j].isLetter()) {
        ++j;
    }
    return sql.mid(i, j - i).toUpper();
}

} // namespace

Database::Database(QObject* parent) : QObject(parent), m_schema(std::make_unique<jet::SchemaInfo>()) {}

Database::~Database()
{
    close();
}

void Database::setFileName(const QString& fileName)
{
    m_fileName = fileName;
}

void Database::open(const QString& fileName)
{
    setFileName(fileName);
    open();
}

void Database::open()
{
    if (isOpen()) {
        return;
    }
    if (beforeConnect) {
        beforeConnect(*this);
    }
    const QFileInfo info(m_fileName);
    if (m_fileName.isEmpty() || !info.exists() || !info.isFile()) {
        throw DbError(engineText(SQLITE_CANTOPEN, SQLITE_CANTOPEN,
                                 QStringLiteral("unable to open database file: %1").arg(m_fileName)),
                      SQLITE_CANTOPEN);
    }
    if (info.size() == 0) {
        throw DbError(
            engineText(SQLITE_NOTADB, SQLITE_NOTADB, QStringLiteral("file is not a database: %1").arg(m_fileName)),
            SQLITE_NOTADB);
    }
    openHandle(m_fileName, false);
}

void Database::openMemory(const QString& script)
{
    close();
    openHandle(QStringLiteral(":memory:"), true);
    if (!script.isEmpty()) {
        executeScript(script);
    }
}

void Database::openHandle(const QString& path, bool memory)
{
    sqlite3* db = nullptr;
    const QByteArray name = memory ? QByteArray(":memory:") : QFile::encodeName(path);
    const int rc =
        sqlite3_open_v2(name.constData(), &db, SQLITE_OPEN_READWRITE | (memory ? SQLITE_OPEN_MEMORY : 0), nullptr);
    if (rc != SQLITE_OK) {
        const int extended = db ? sqlite3_extended_errcode(db) : rc;
        const DbError error(
            engineText(rc, extended, QStringLiteral("%1: %2").arg(QString::fromUtf8(sqlite3_errstr(rc)), path)), rc,
            extended);
        sqlite3_close(db);
        throw error;
    }
    m_db = db;
    m_memory = memory;
    m_statements = std::make_unique<StatementCache>(m_db);
    try {
        configure();
    } catch (...) {
        m_statements.reset();
        sqlite3_close(m_db);
        m_db = nullptr;
        throw;
    }
    emit opened();
}

void Database::configure()
{
    sqlite3_extended_result_codes(m_db, 1);
    // Double-quoted strings are turned into literals by the translator; with DQS on, a misspelt
    // name would silently become a string.
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_busy_timeout(m_db, 5000);
    jet::registerFunctions(m_db);
    // The first statement loads the schema and reads every page: a text file, a truncated file or
    // a damaged page shows here, not later in the middle of the user's work.
    Statement check(*this, QStringLiteral("PRAGMA quick_check"));
    QStringList problems;
    while (check.step()) {
        const QString line = check.value(0).toString();
        if (line != QLatin1String("ok")) {
            problems << line;
        }
    }
    if (!problems.isEmpty()) {
        throw DbError(engineText(SQLITE_CORRUPT, SQLITE_CORRUPT,
                                 QStringLiteral("database disk image is malformed: %1").arg(problems.join(u'\n'))),
                      SQLITE_CORRUPT);
    }
    // A page cache of 16 MB keeps a recomputation of every person from spilling to disk.
    executeScript(QStringLiteral("PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL; PRAGMA cache_size=-16384;"));
    loadSchema();
}

void Database::loadSchema()
{
    m_schema = std::make_unique<jet::SchemaInfo>();
    for (const QString& table : tableNames()) {
        for (const auto& column : tableColumns(table)) {
            m_schema->addColumn(table, column.first, jet::SchemaInfo::kindFromDeclaredType(column.second));
        }
    }
}

void Database::close()
{
    if (!m_db) {
        return;
    }
    emit aboutToClose();
    m_statements.reset();
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    emit closed();
}

void Database::ensureOpen()
{
    if (isOpen()) {
        return;
    }
    if (m_memory) {
        throw DbError(QStringLiteral("A memory database cannot be reopened"), SQLITE_MISUSE);
    }
    open();
}

QString Database::translate(const QString& jetSql) const
{
    return translateJet(jetSql, *m_schema);
}

const jet::SchemaInfo& Database::schema() const
{
    return *m_schema;
}

StatementCache& Database::statements() const
{
    return *m_statements;
}

void Database::check(int rc, const QString& sql) const
{
    if (rc != SQLITE_OK) {
        throw engineError(m_db, rc, sql);
    }
}

int Database::execute(const QString& jetSql, const QVariantList& params)
{
    ensureOpen();
    Statement stmt(*this, translate(jetSql));
    stmt.bindAll(params);
    return stmt.run();
}

ResultSet Database::select(const QString& jetSql, const QVariantList& params)
{
    ensureOpen();
    Statement stmt(*this, translate(jetSql));
    stmt.bindAll(params);
    return readAll(stmt);
}

QList<QVariantList> Database::selectRows(const QString& jetSql, const QVariantList& params)
{
    return select(jetSql, params).rows;
}

QVariant Database::selectValue(const QString& jetSql, const QVariantList& params)
{
    const QList<QVariantList> rows = selectRows(jetSql, params);
    return rows.isEmpty() || rows.first().isEmpty() ? QVariant() : rows.first().first();
}

ResultSet Database::selectReadOnly(const QString& jetSql)
{
    ensureOpen();
    const QString keyword = firstKeyword(jetSql);
    if (keyword != QLatin1String("SELECT") && keyword != QLatin1String("WITH")) {
        throw RefusedStatement(QStringLiteral("只能执行一条 SELECT 查询语句"), SQLITE_AUTH, SQLITE_AUTH, jetSql);
    }
    QString sql;
    try {
        sql = translate(jetSql);
    } catch (const jet::SqlError& e) {
        // Among others: a second statement after the first.
        throw RefusedStatement(QStringLiteral("只能执行一条 SELECT 查询语句：%1").arg(e.message()), SQLITE_AUTH,
                               SQLITE_AUTH, jetSql);
    }
    if (firstKeyword(sql) != keyword) {
        throw RefusedStatement(QStringLiteral("只能执行一条 SELECT 查询语句"), SQLITE_AUTH, SQLITE_AUTH, sql);
    }
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    bool denied = false;
    sqlite3_set_authorizer(m_db, readOnlyAuthorizer, &denied);
    const int rc = sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &raw, &tail);
    sqlite3_set_authorizer(m_db, nullptr, nullptr);
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> owned(raw, sqlite3_finalize);
    if (rc != SQLITE_OK) {
        if ((rc & 0xff) == SQLITE_AUTH || denied) {
            throw RefusedStatement(
                QStringLiteral("只能执行一条 SELECT 查询语句（%1）").arg(QString::fromUtf8(sqlite3_errmsg(m_db))),
                rc & 0xff, sqlite3_extended_errcode(m_db), sql);
        }
        check(rc, sql);
    }
    if (!raw || !onlyTrivia(tail)) {
        throw RefusedStatement(QStringLiteral("只能执行一条 SELECT 查询语句：文本中有多条语句"), SQLITE_AUTH,
                               SQLITE_AUTH, sql);
    }
    if (!sqlite3_stmt_readonly(raw) || sqlite3_column_count(raw) == 0 || sqlite3_stmt_isexplain(raw)) {
        throw RefusedStatement(QStringLiteral("只能执行一条 SELECT 查询语句"), SQLITE_AUTH, SQLITE_AUTH, sql);
    }
    Statement stmt(*this, owned.release(), sql);
    return readAll(stmt);
}

void Database::executeScript(const QString& sqliteSql)
{
    if (!m_db) {
        throw DbError(QStringLiteral("Database is not open"), SQLITE_MISUSE);
    }
    char* error = nullptr;
    const int rc = sqlite3_exec(m_db, sqliteSql.toUtf8().constData(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        const QString detail = error ? QString::fromUtf8(error) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_free(error);
        const int extended = sqlite3_extended_errcode(m_db);
        throw DbError(engineText(rc, extended, detail), rc & 0xff, extended, sqliteSql);
    }
    if (sqliteSql.contains(QLatin1String("CREATE"), Qt::CaseInsensitive) ||
        sqliteSql.contains(QLatin1String("ALTER"), Qt::CaseInsensitive) ||
        sqliteSql.contains(QLatin1String("DROP"), Qt::CaseInsensitive)) {
        m_statements->clear();
        loadSchema();
    }
}

qint64 Database::lastInsertRowId() const
{
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

int Database::changes() const
{
    return m_db ? sqlite3_changes(m_db) : 0;
}

bool Database::inTransaction() const
{
    return m_db && !sqlite3_get_autocommit(m_db);
}

QStringList Database::tableNames() const
{
    QStringList names;
    Statement stmt(*this, QStringLiteral("SELECT name FROM sqlite_schema WHERE type='table' AND name NOT LIKE "
                                         "'sqlite\\_%' ESCAPE '\\' ORDER BY name"));
    while (stmt.step()) {
        names << stmt.value(0).toString();
    }
    return names;
}

QList<QPair<QString, QString>> Database::tableColumns(const QString& table) const
{
    QList<QPair<QString, QString>> columns;
    Statement stmt(*this, QStringLiteral("SELECT name, type FROM pragma_table_info(?1)"));
    stmt.bind(1, table);
    while (stmt.step()) {
        columns << qMakePair(stmt.value(0).toString(), stmt.value(1).toString());
    }
    return columns;
}

QStringList Database::indexColumns(const QString& indexName) const
{
    QStringList columns;
    Statement stmt(*this, QStringLiteral("SELECT name FROM pragma_index_info(?1) ORDER BY seqno"));
    stmt.bind(1, indexName);
    while (stmt.step()) {
        columns << stmt.value(0).toString();
    }
    return columns;
}

// ---------------------------------------------------------------------------------------------
// Transactions

Transaction::Transaction(Database& db) : m_db(db)
{
    db.ensureOpen();
    if (db.inTransaction()) {
        static int counter = 0;
        m_savepoint = QStringLiteral("roster_sp%1").arg(++counter);
        db.executeScript(QStringLiteral("SAVEPOINT %1").arg(m_savepoint));
    } else {
        db.executeScript(QStringLiteral("BEGIN"));
    }
}

Transaction::~Transaction()
{
    if (!m_done) {
        try {
            rollback();
        } catch (...) {
            // A failed rollback during unwinding leaves SQLite to roll back on close.
        }
    }
}

void Transaction::commit()
{
    // A COMMIT that fails (the database busy) leaves the transaction open: it stays ours to roll back.
    m_db.executeScript(m_savepoint.isEmpty() ? QStringLiteral("COMMIT")
                                             : QStringLiteral("RELEASE %1").arg(m_savepoint));
    m_done = true;
}

void Transaction::rollback()
{
    m_done = true;
    if (!m_db.isOpen() || !m_db.inTransaction()) {
        return;
    }
    if (m_savepoint.isEmpty()) {
        m_db.executeScript(QStringLiteral("ROLLBACK"));
    } else {
        m_db.executeScript(QStringLiteral("ROLLBACK TO %1; RELEASE %1").arg(m_savepoint));
    }
}

} // namespace engine
