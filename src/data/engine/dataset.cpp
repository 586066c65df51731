#include "data/engine/dataset.h"

#include "data/engine/jetsql.h"
#include "data/engine/statement.h"

#include <algorithm>
#include <cmath>

namespace engine {

namespace {

constexpr int pageSize = 256;
constexpr int cacheLimit = 4096;

FieldKind kindOf(jet::ColumnKind kind)
{
    switch (kind) {
    case jet::ColumnKind::Text:
        return FieldKind::Text;
    case jet::ColumnKind::Integer:
        return FieldKind::Integer;
    case jet::ColumnKind::Real:
        return FieldKind::Float;
    case jet::ColumnKind::Date:
        return FieldKind::Date;
    case jet::ColumnKind::DateTime:
        return FieldKind::DateTime;
    case jet::ColumnKind::Boolean:
        return FieldKind::Boolean;
    case jet::ColumnKind::Blob:
        return FieldKind::Blob;
    }
    return FieldKind::Text;
}

FieldKind kindOfValue(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::LongLong:
        return FieldKind::Integer;
    case QMetaType::Double:
        return FieldKind::Float;
    case QMetaType::QByteArray:
        return FieldKind::Blob;
    default:
        return FieldKind::Text;
    }
}

QString quoteName(const QString& name)
{
    return u'"' + QString(name).replace(u'"', QLatin1String("\"\"")) + u'"';
}

[[noreturn]] void notEditing()
{
    throw DbError(QStringLiteral("Dataset not in edit or insert mode"));
}

/// Reads ISO date and date-time texts (also with one-digit month or day and with '/' or 'T').
int digits(const QString& text, int from, int count)
{
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9') {
            return -1;
        }
        value = value * 10 + (c - u'0');
    }
    return value;
}

} // namespace

bool parseIsoDateTime(const QString& raw, QDate* date, QTime* time)
{
    // The stored forms "yyyy-MM-dd" and "yyyy-MM-dd HH:mm:ss" first, without the format parser.
    if ((raw.size() == 10 || raw.size() == 19) && raw[4] == u'-' && raw[7] == u'-') {
        const QDate d(digits(raw, 0, 4), digits(raw, 5, 2), digits(raw, 8, 2));
        if (d.isValid() && raw.size() == 10) {
            *date = d;
            *time = QTime(0, 0);
            return true;
        }
        if (d.isValid() && raw[10] == u' ' && raw[13] == u':' && raw[16] == u':') {
            const QTime t(digits(raw, 11, 2), digits(raw, 14, 2), digits(raw, 17, 2));
            if (t.isValid()) {
                *date = d;
                *time = t;
                return true;
            }
        }
    }
    QString text = raw.trimmed();
    text.replace(u'/', u'-').replace(u'T', u' ');
    const QString datePart = text.section(u' ', 0, 0);
    const QString timePart = text.section(u' ', 1).trimmed();
    const QDate d = QDate::fromString(datePart, QStringLiteral("yyyy-M-d"));
    QTime t(0, 0);
    if (!timePart.isEmpty()) {
        t = QTime::fromString(timePart, QStringLiteral("H:m:s"));
        if (!t.isValid()) {
            t = QTime::fromString(timePart, QStringLiteral("H:m"));
        }
        if (!t.isValid()) {
            t = QTime::fromString(timePart, QStringLiteral("H:m:s.zzz"));
        }
    }
    if (!d.isValid() || !t.isValid()) {
        return false;
    }
    *date = d;
    *time = t;
    return true;
}

namespace {

QDateTime parseDateTime(const QString& raw, bool* ok)
{
    QDate date;
    QTime time;
    *ok = parseIsoDateTime(raw, &date, &time);
    return *ok ? QDateTime(date, time) : QDateTime();
}

/// The stored text of a date: "yyyy-MM-dd", with the time when there is one.
QString isoText(const QDate& date, const QTime& time, FieldKind kind)
{
    if (time == QTime(0, 0) && kind != FieldKind::DateTime) {
        return date.toString(QStringLiteral("yyyy-MM-dd"));
    }
    return date.toString(QStringLiteral("yyyy-MM-dd")) + u' ' + time.toString(QStringLiteral("HH:mm:ss"));
}

/// "yyyy-MM-dd" with two-digit month and day, as dates are stored.
bool isPlainDate(const QString& text)
{
    if (text.size() != 10) {
        return false;
    }
    for (int i = 0; i < 10; ++i) {
        const bool dash = i == 4 || i == 7;
        if (dash ? text[i] != u'-' : !text[i].isDigit()) {
            return false;
        }
    }
    return true;
}

QString isoText(const QDateTime& value, FieldKind kind)
{
    return isoText(value.date(), value.time(), kind);
}

} // namespace

QString fieldText(const QVariant& v, FieldKind kind)
{
    if (v.isNull()) {
        return {};
    }
    switch (kind) {
    case FieldKind::Date:
    case FieldKind::DateTime: {
        const QString text = v.toString();
        if (kind == FieldKind::Date && isPlainDate(text)) {
            return text; // already its own text; parsing it would give it back
        }
        QDate date;
        QTime time;
        return parseIsoDateTime(text, &date, &time) ? isoText(date, time, kind) : text;
    }
    case FieldKind::Boolean:
        return v.toLongLong() != 0 ? QStringLiteral("True") : QStringLiteral("False");
    case FieldKind::Float:
        return v.typeId() == QMetaType::Double ? QString::number(v.toDouble(), 'g', 15) : v.toString();
    case FieldKind::Blob:
        return QString::fromUtf8(v.toByteArray());
    default:
        return v.toString();
    }
}

// ---------------------------------------------------------------------------------------------
// Field

QString Field::name() const
{
    return m_dataset->fieldName(m_index);
}

FieldKind Field::kind() const
{
    return m_dataset->fieldKind(m_index);
}

QVariant Field::value() const
{
    return m_dataset->currentValue(m_index);
}

bool Field::isNull() const
{
    return value().isNull();
}

QString Field::asString() const
{
    return fieldText(value(), kind());
}

namespace {

/// The value read as a number: Null and a blank text are 0; a text must hold a number of the kind
/// `parse` reads, else the error names it as `kind`.
template <typename T, typename Parse> T numberValue(const QVariant& v, const QString& kind, Parse parse)
{
    if (v.isNull()) {
        return T(0);
    }
    const QString text = v.toString().trimmed();
    if (text.isEmpty()) {
        return T(0);
    }
    bool ok = false;
    const T result = parse(text, &ok);
    if (!ok) {
        throw DbError(QStringLiteral("'%1' is not a valid %2 value").arg(text, kind));
    }
    return result;
}

} // namespace

qint64 Field::asInteger() const
{
    const QVariant v = value();
    if (v.typeId() == QMetaType::LongLong) {
        return v.toLongLong();
    }
    if (v.typeId() == QMetaType::Double) {
        return qint64(std::llround(v.toDouble()));
    }
    return numberValue<qint64>(v, QStringLiteral("integer"),
                               [](const QString& text, bool* ok) { return text.toLongLong(ok); });
}

double Field::asFloat() const
{
    const QVariant v = value();
    if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Double) {
        return v.toDouble();
    }
    return numberValue<double>(v, QStringLiteral("floating point"),
                               [](const QString& text, bool* ok) { return text.toDouble(ok); });
}

QDateTime Field::asDateTime() const
{
    const QVariant v = value();
    if (v.isNull() || v.toString().trimmed().isEmpty()) {
        return {};
    }
    bool ok = false;
    const QDateTime result = parseDateTime(v.toString(), &ok);
    if (!ok) {
        throw DbError(QStringLiteral("'%1' is not a valid date and time").arg(v.toString()));
    }
    return result;
}

QDate Field::asDate() const
{
    return asDateTime().date();
}

bool Field::asBoolean() const
{
    const QVariant v = value();
    if (v.isNull()) {
        return false;
    }
    if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Double) {
        return v.toDouble() != 0.0;
    }
    const QString text = v.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("yes") || text == QLatin1String("-1") ||
        text == QLatin1String("1")) {
        return true;
    }
    if (text.isEmpty() || text == QLatin1String("false") || text == QLatin1String("no") || text == QLatin1String("0")) {
        return false;
    }
    throw DbError(QStringLiteral("'%1' is not a valid boolean value").arg(v.toString()));
}

QByteArray Field::asBytes() const
{
    const QVariant v = value();
    if (v.isNull()) {
        return {};
    }
    return v.typeId() == QMetaType::QByteArray ? v.toByteArray() : v.toString().toUtf8();
}

void Field::setValue(const QVariant& value)
{
    if (value.typeId() == QMetaType::QString) {
        setAsString(value.toString());
        return;
    }
    if (value.typeId() == QMetaType::Bool) {
        setAsBoolean(value.toBool());
        return;
    }
    if (value.typeId() == QMetaType::QDate) {
        setAsDate(value.toDate());
        return;
    }
    if (value.typeId() == QMetaType::QDateTime) {
        setAsDateTime(value.toDateTime());
        return;
    }
    m_dataset->setCurrentValue(m_index, value);
}

void Field::setAsString(const QString& text)
{
    // Controls write their text back; an emptied box means "no value", as the old engine stored it.
    if (text.isEmpty()) {
        clear();
        return;
    }
    switch (kind()) {
    case FieldKind::Integer: {
        bool ok = false;
        const qint64 number = text.trimmed().toLongLong(&ok);
        if (!ok) {
            throw DbError(QStringLiteral("'%1' is not a valid integer value").arg(text));
        }
        m_dataset->setCurrentValue(m_index, number);
        return;
    }
    case FieldKind::Float: {
        bool ok = false;
        const double number = text.trimmed().toDouble(&ok);
        if (!ok) {
            throw DbError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
        }
        m_dataset->setCurrentValue(m_index, number);
        return;
    }
    case FieldKind::Date:
    case FieldKind::DateTime: {
        if (text.trimmed().isEmpty()) {
            clear();
            return;
        }
        QDate date;
        QTime time;
        if (!parseIsoDateTime(text, &date, &time)) {
            throw DbError(QStringLiteral("'%1' is not a valid date").arg(text));
        }
        m_dataset->setCurrentValue(m_index, isoText(date, time, kind()));
        return;
    }
    case FieldKind::Boolean: {
        const QString t = text.trimmed().toLower();
        if (t == QLatin1String("true") || t == QLatin1String("yes") || t == QLatin1String("-1") ||
            t == QLatin1String("1")) {
            setAsBoolean(true);
        } else if (t == QLatin1String("false") || t == QLatin1String("no") || t == QLatin1String("0")) {
            setAsBoolean(false);
        } else {
            throw DbError(QStringLiteral("'%1' is not a valid boolean value").arg(text));
        }
        return;
    }
    case FieldKind::Blob:
        m_dataset->setCurrentValue(m_index, text.toUtf8());
        return;
    case FieldKind::Text:
        m_dataset->setCurrentValue(m_index, text);
        return;
    }
}

void Field::setAsInteger(qint64 value)
{
    if (kind() == FieldKind::Text) {
        m_dataset->setCurrentValue(m_index, QString::number(value));
    } else {
        m_dataset->setCurrentValue(m_index, value);
    }
}

void Field::setAsFloat(double value)
{
    if (kind() == FieldKind::Text) {
        m_dataset->setCurrentValue(m_index, QString::number(value, 'g', 15));
    } else {
        m_dataset->setCurrentValue(m_index, value);
    }
}

void Field::setAsDateTime(const QDateTime& value)
{
    if (!value.isValid()) {
        clear();
        return;
    }
    m_dataset->setCurrentValue(m_index, isoText(value, kind()));
}

void Field::setAsDate(const QDate& value)
{
    if (!value.isValid()) {
        clear();
        return;
    }
    m_dataset->setCurrentValue(m_index, value.toString(QStringLiteral("yyyy-MM-dd")));
}

void Field::setAsBoolean(bool value)
{
    if (kind() == FieldKind::Text) {
        m_dataset->setCurrentValue(m_index, value ? QStringLiteral("True") : QStringLiteral("False"));
    } else {
        m_dataset->setCurrentValue(m_index, qint64(value ? -1 : 0));
    }
}

void Field::setAsBytes(const QByteArray& value)
{
    if (value.isNull()) {
        clear();
        return;
    }
    m_dataset->setCurrentValue(m_index, value);
}

void Field::clear()
{
    m_dataset->setCurrentValue(m_index, QVariant());
}

// ---------------------------------------------------------------------------------------------
// Dataset: opening

Dataset::Dataset(Database* database, QObject* parent) : QObject(parent)
{
    setDatabase(database);
}

Dataset::~Dataset() = default;

void Dataset::setDatabase(Database* database)
{
    if (m_database == database) {
        return;
    }
    if (active()) {
        close();
    }
    if (m_database) {
        disconnect(m_database, nullptr, this, nullptr);
    }
    m_database = database;
    if (m_database) {
        connect(m_database, &Database::aboutToClose, this, &Dataset::close);
    }
}

void Dataset::fire(const Event& event)
{
    if (event) {
        event(*this);
    }
}

void Dataset::setState(DatasetState state)
{
    if (m_state != state) {
        m_state = state;
        emit stateChanged(state);
    }
}

void Dataset::setActive(bool active)
{
    if (active) {
        open();
    } else {
        close();
    }
}

void Dataset::open()
{
    if (active()) {
        return;
    }
    if (!m_database) {
        throw DbError(QStringLiteral("Missing database connection"));
    }
    fire(beforeOpen);
    m_database->ensureOpen();
    try {
        openCursor();
    } catch (...) {
        clearData();
        throw;
    }
    m_current = isEmpty() ? -1 : 0;
    m_bof = true;
    m_eof = isEmpty();
    setState(DatasetState::Browse);
    emit datasetReset();
    emit currentRowChanged(m_current);
    fire(afterOpen);
    // Also when nothing was found: whoever follows the current row (the detail lists of a person)
    // must learn that there is none, or it keeps showing the row it had.
    fire(afterScroll);
}

void Dataset::openCursor()
{
    clearData();
    Database& db = *m_database;
    const jet::Translation tr = jet::translate(selectText(), db.schema());
    if (!tr.isSelect) {
        throw DbError(QStringLiteral("The statement is not a SELECT: %1").arg(selectText()));
    }
    QString condition;
    if (m_filtered && !m_filter.trimmed().isEmpty()) {
        condition = jet::translateCondition(m_filter, db.schema(), tr.isSimpleSelect ? tr.table : QString());
    }

    // Describe the result; a keyset needs every column to be a plain column of the one table.
    bool keyset = tr.isSimpleSelect;
    {
        Statement probe(db, tr.sql);
        sqlite3_stmt* stmt = probe.handle();
        const int count = probe.columnCount();
        for (int i = 0; i < count; ++i) {
            FieldInfo info;
            info.name = probe.columnName(i);
            const char* origin = sqlite3_column_origin_name(stmt, i);
            const char* table = sqlite3_column_table_name(stmt, i);
            const char* declared = sqlite3_column_decltype(stmt, i);
            info.origin = origin ? QString::fromUtf8(origin) : QString();
            if (!origin || !table || QString::fromUtf8(table).compare(tr.table, Qt::CaseInsensitive) != 0) {
                keyset = false;
            }
            info.kind =
                declared ? kindOf(jet::SchemaInfo::kindFromDeclaredType(QString::fromUtf8(declared))) : FieldKind::Text;
            m_fieldIndex.insert(info.name.toCaseFolded(), int(m_fields.size()));
            m_fields.push_back(info);
        }
    }

    if (keyset) {
        m_table = tr.table;
        QString where = tr.where;
        if (!condition.isEmpty()) {
            where = where.isEmpty() ? condition : QStringLiteral("(%1) AND (%2)").arg(where, condition);
        }
        m_keysetSql = QStringLiteral("SELECT rowid FROM %1%2%3 ORDER BY %4")
                          .arg(quotedTable(), tr.tableAlias.isEmpty() ? QString() : u' ' + quoteName(tr.tableAlias),
                               where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where,
                               tr.orderBy.isEmpty() ? QStringLiteral("rowid") : tr.orderBy + QStringLiteral(", rowid"));
        QStringList columns{QStringLiteral("rowid")};
        for (const FieldInfo& info : m_fields) {
            // Pictures are read only for the row that asks for them, not for every row of a page.
            columns << (info.kind == FieldKind::Blob ? QStringLiteral("NULL") : quoteName(info.origin));
        }
        QStringList marks;
        for (int i = 1; i <= pageSize; ++i) {
            marks << QStringLiteral("?%1").arg(i);
        }
        m_fetchSql = QStringLiteral("SELECT %1 FROM %2 WHERE rowid IN (%3)")
                         .arg(columns.join(u','), quotedTable(), marks.join(u','));
        m_rowSql = QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?1").arg(columns.mid(1).join(u','), quotedTable());
        try {
            loadKeys();
            m_keyset = true;
            return;
        } catch (const DbError&) {
            // An ORDER BY that names a result alias cannot sort the keyset: show a snapshot instead.
            m_keys.clear();
        }
    }

    m_keyset = false;
    const QString sql =
        condition.isEmpty() ? tr.sql : QStringLiteral("SELECT * FROM (%1) WHERE %2").arg(tr.sql, condition);
    Statement stmt(db, sql);
    const int count = stmt.columnCount();
    std::vector<bool> kindKnown(m_fields.size(), false);
    for (size_t i = 0; i < m_fields.size(); ++i) {
        kindKnown[i] = sqlite3_column_decltype(stmt.handle(), int(i)) != nullptr;
    }
    while (stmt.step()) {
        QVariantList row;
        row.reserve(count);
        for (int i = 0; i < count; ++i) {
            QVariant v = stmt.value(i);
            if (size_t(i) < m_fields.size() && !kindKnown[size_t(i)] && !v.isNull()) {
                m_fields[size_t(i)].kind = kindOfValue(v);
                kindKnown[size_t(i)] = true;
            }
            row << v;
        }
        m_rows << row;
    }
}

void Dataset::loadKeys()
{
    m_keys.clear();
    m_cache.clear();
    Statement stmt(*m_database, m_keysetSql);
    while (stmt.step()) {
        m_keys.push_back(stmt.int64(0));
    }
}

QString Dataset::quotedTable() const
{
    return quoteName(m_table);
}

void Dataset::clearData()
{
    m_fields.clear();
    m_fieldIndex.clear();
    m_keys.clear();
    m_keys.shrink_to_fit();
    m_cache.clear();
    m_updateSql.clear();
    m_rows.clear();
    m_keyset = false;
    m_buffer.clear();
    m_changed.clear();
    m_modified = false;
    m_current = -1;
    m_insertPos = -1;
    m_eof = m_bof = true;
}

void Dataset::close()
{
    if (!active()) {
        return;
    }
    fire(beforeClose);
    // Pending changes are dropped, as the old datasets did.
    clearData();
    setState(DatasetState::Inactive);
    emit datasetReset();
    fire(afterClose);
}

void Dataset::refresh()
{
    if (!active()) {
        throw DbError(QStringLiteral("Cannot perform this operation on a closed dataset"));
    }
    checkBrowseMode();
    fire(beforeRefresh);
    const qint64 rowid = m_keyset ? currentRowid() : -1;
    const int oldIndex = m_current;
    // Again from the text, so that macros changed since opening take effect.
    try {
        openCursor();
    } catch (...) {
        clearData();
        setState(DatasetState::Inactive);
        emit datasetReset();
        throw;
    }
    int index = -1;
    if (rowid >= 0) {
        const auto it = std::find(m_keys.begin(), m_keys.end(), rowid);
        if (it != m_keys.end()) {
            index = int(it - m_keys.begin());
        }
    }
    const int count = recordCount();
    if (index < 0) {
        index = count == 0 ? -1 : std::clamp(oldIndex, 0, count - 1);
    }
    m_current = index;
    m_eof = count == 0;
    m_bof = count == 0;
    emit datasetReset();
    emit currentRowChanged(m_current);
    fire(afterRefresh);
}

void Dataset::setFilter(const QString& filter)
{
    if (filter == m_filter) {
        return;
    }
    if (active() && m_filtered) {
        checkBrowseMode();
    }
    m_filter = filter;
    if (active() && m_filtered) {
        loadKeysForFilter();
    }
}

void Dataset::setFiltered(bool filtered)
{
    if (filtered == m_filtered) {
        return;
    }
    if (active()) {
        checkBrowseMode();
    }
    m_filtered = filtered;
    if (active()) {
        loadKeysForFilter();
    }
}

void Dataset::setModified()
{
    if (m_state != DatasetState::Edit && m_state != DatasetState::Insert) {
        notEditing();
    }
    m_modified = true;
}

void Dataset::loadKeysForFilter()
{
    try {
        openCursor();
    } catch (...) {
        // A filter the engine refuses leaves the dataset closed rather than without fields.
        clearData();
        setState(DatasetState::Inactive);
        emit datasetReset();
        throw;
    }
    m_current = isEmpty() ? -1 : 0;
    emit datasetReset();
    first();
}

// ---------------------------------------------------------------------------------------------
// Dataset: rows and values

int Dataset::recordCount() const
{
    return m_keyset ? int(m_keys.size()) : int(m_rows.size());
}

int Dataset::recNo() const
{
    if (m_state == DatasetState::Insert) {
        return m_insertPos + 1;
    }
    return m_current + 1;
}

int Dataset::rowCount() const
{
    return recordCount() + (m_state == DatasetState::Insert ? 1 : 0);
}

int Dataset::currentRow() const
{
    return m_state == DatasetState::Insert ? m_insertPos : m_current;
}

qint64 Dataset::currentRowid() const
{
    if (!m_keyset || m_current < 0 || m_current >= int(m_keys.size())) {
        return -1;
    }
    return m_keys[size_t(m_current)];
}

const QVariantList& Dataset::cachedRow(int keyIndex) const
{
    const qint64 rowid = m_keys[size_t(keyIndex)];
    auto it = m_cache.constFind(rowid);
    if (it != m_cache.constEnd()) {
        return it.value();
    }
    if (m_cache.size() + pageSize > cacheLimit) {
        m_cache.clear();
    }
    const int start = keyIndex - keyIndex % pageSize;
    const int end = std::min(start + pageSize, int(m_keys.size()));
    Statement stmt(*m_database, m_fetchSql);
    for (int i = start; i < end; ++i) {
        stmt.bind(i - start + 1, m_keys[size_t(i)]);
    }
    const int columns = int(m_fields.size());
    while (stmt.step()) {
        QVariantList row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c) {
            row << stmt.value(c + 1);
        }
        m_cache.insert(stmt.int64(0), row);
    }
    it = m_cache.constFind(rowid);
    if (it == m_cache.constEnd()) {
        // Deleted behind our back: show it empty rather than fail while painting.
        it = m_cache.insert(rowid, QVariantList(columns));
    }
    return it.value();
}

QVariantList Dataset::loadFullRow(qint64 rowid) const
{
    Statement stmt(*m_database, m_rowSql);
    stmt.bind(1, rowid);
    if (!stmt.step()) {
        throw DbError(QStringLiteral("Record not found or changed by another user"));
    }
    QVariantList row;
    for (int c = 0; c < int(m_fields.size()); ++c) {
        row << stmt.value(c);
    }
    return row;
}

QList<QVariantList> Dataset::peekRows(int first, int count, const QList<int>& columns) const
{
    QList<QVariantList> rows;
    const int end = std::min(first + count, rowCount());
    if (!m_keyset || m_state != DatasetState::Browse) {
        for (int row = first; row < end; ++row) {
            QVariantList values;
            for (const int column : columns) {
                values << peek(row, column);
            }
            rows << values;
        }
        return rows;
    }
    QStringList names{QStringLiteral("rowid")};
    for (const int column : columns) {
        const FieldInfo& info = m_fields[size_t(column)];
        names << (info.kind == FieldKind::Blob ? QStringLiteral("NULL") : quoteName(info.origin));
    }
    for (int start = first; start < end; start += pageSize) {
        const int n = std::min(pageSize, end - start);
        QStringList marks;
        for (int i = 1; i <= n; ++i) {
            marks << QStringLiteral("?%1").arg(i);
        }
        Statement stmt(*m_database, QStringLiteral("SELECT %1 FROM %2 WHERE rowid IN (%3)")
                                        .arg(names.join(u','), quotedTable(), marks.join(u',')));
        for (int i = 0; i < n; ++i) {
            stmt.bind(i + 1, m_keys[size_t(start + i)]);
        }
        QHash<qint64, QVariantList> fetched;
        fetched.reserve(n);
        while (stmt.step()) {
            QVariantList values;
            values.reserve(columns.size());
            for (int c = 1; c <= columns.size(); ++c) {
                values << stmt.value(c);
            }
            fetched.insert(stmt.int64(0), values);
        }
        for (int i = 0; i < n; ++i) {
            // A row deleted behind our back reads empty, as peek shows it.
            rows << fetched.value(m_keys[size_t(start + i)], QVariantList(columns.size()));
        }
    }
    return rows;
}

QVariant Dataset::peek(int row, int column) const
{
    if (column < 0 || column >= int(m_fields.size()) || row < 0 || row >= rowCount()) {
        return {};
    }
    if ((m_state == DatasetState::Insert && row == m_insertPos) ||
        (m_state == DatasetState::Edit && row == m_current)) {
        return m_buffer.value(column);
    }
    int index = row;
    if (m_state == DatasetState::Insert && row > m_insertPos) {
        --index;
    }
    if (!m_keyset) {
        return m_rows[index].value(column);
    }
    if (m_fields[size_t(column)].kind == FieldKind::Blob) {
        return {};
    }
    return cachedRow(index).value(column);
}

QVariant Dataset::currentValue(int column) const
{
    if (!active()) {
        throw DbError(QStringLiteral("Cannot perform this operation on a closed dataset"));
    }
    const bool blob = m_fields[size_t(column)].kind == FieldKind::Blob;
    if (m_state == DatasetState::Insert || (m_state == DatasetState::Edit && (!blob || m_changed[size_t(column)]))) {
        return m_buffer.value(column);
    }
    if (m_current < 0) {
        return {};
    }
    if (!m_keyset) {
        return m_rows[m_current].value(column);
    }
    if (blob) {
        Statement stmt(*m_database, QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?1")
                                        .arg(quoteName(m_fields[size_t(column)].origin), quotedTable()));
        stmt.bind(1, currentRowid());
        return stmt.step() ? stmt.value(0) : QVariant();
    }
    return cachedRow(m_current).value(column);
}

void Dataset::setCurrentValue(int column, const QVariant& value)
{
    if (m_state != DatasetState::Edit && m_state != DatasetState::Insert) {
        notEditing();
    }
    m_buffer[column] = value;
    m_changed[size_t(column)] = true;
    m_modified = true;
    emit rowChanged(currentRow());
}

QStringList Dataset::fieldNames() const
{
    QStringList names;
    for (const FieldInfo& info : m_fields) {
        names << info.name;
    }
    return names;
}

int Dataset::fieldIndex(const QString& name) const
{
    return m_fieldIndex.value(name.toCaseFolded(), -1);
}

Field Dataset::field(const QString& name)
{
    const int index = fieldIndex(name);
    if (index < 0) {
        throw DbError(QStringLiteral("Field '%1' not found").arg(name));
    }
    return Field(this, index);
}

// ---------------------------------------------------------------------------------------------
// Dataset: moving

void Dataset::checkBrowseMode()
{
    if (!active()) {
        throw DbError(QStringLiteral("Cannot perform this operation on a closed dataset"));
    }
    if (m_state == DatasetState::Edit || m_state == DatasetState::Insert) {
        if (m_modified) {
            post();
        } else {
            cancel();
        }
    }
}

void Dataset::scrollTo(int index, bool toEof, bool toBof)
{
    const int old = m_current;
    m_current = index;
    m_eof = toEof;
    m_bof = toBof;
    if (old != m_current) {
        emit currentRowChanged(m_current);
    }
    fire(afterScroll);
}

void Dataset::first()
{
    checkBrowseMode();
    fire(beforeScroll);
    scrollTo(isEmpty() ? -1 : 0, isEmpty(), true);
}

void Dataset::last()
{
    checkBrowseMode();
    fire(beforeScroll);
    scrollTo(recordCount() - 1, true, isEmpty());
}

void Dataset::next()
{
    checkBrowseMode();
    fire(beforeScroll);
    if (m_eof) {
        return;
    }
    if (m_current + 1 < recordCount()) {
        scrollTo(m_current + 1, false, false);
    } else {
        scrollTo(m_current, true, m_bof);
    }
}

void Dataset::prior()
{
    checkBrowseMode();
    fire(beforeScroll);
    if (m_bof) {
        return;
    }
    if (m_current > 0) {
        scrollTo(m_current - 1, false, false);
    } else {
        scrollTo(m_current, m_eof, true);
    }
}

void Dataset::moveTo(int row)
{
    if (!active()) {
        throw DbError(QStringLiteral("Cannot perform this operation on a closed dataset"));
    }
    if (row == currentRow() || row < 0) {
        return;
    }
    // A row number counts the pending new row, which goes away (or is stored) first.
    const bool pendingBefore = m_state == DatasetState::Insert && row > m_insertPos;
    const bool posting = m_state == DatasetState::Insert && m_modified;
    checkBrowseMode();
    if (pendingBefore && !posting) {
        --row;
    }
    if (row >= recordCount()) {
        row = recordCount() - 1;
    }
    if (row == m_current || row < 0) {
        return;
    }
    fire(beforeScroll);
    scrollTo(row, false, false);
}

// ---------------------------------------------------------------------------------------------
// Dataset: editing

void Dataset::doInsertAppend(bool append)
{
    checkBrowseMode();
    if (!m_keyset) {
        throw DbError(QStringLiteral("Cannot modify a read-only dataset"));
    }
    fire(beforeInsert);
    fire(beforeScroll);
    m_insertPos = append || m_current < 0 ? recordCount() : m_current;
    emit rowAboutToBeInserted(m_insertPos);
    m_buffer = QVariantList(int(m_fields.size()));
    m_changed.assign(m_fields.size(), false);
    if (append) {
        m_eof = true;
    }
    setState(DatasetState::Insert);
    emit rowInserted(m_insertPos);
    emit currentRowChanged(m_insertPos);
    try {
        fire(onNewRecord);
    } catch (...) {
        cancel();
        throw;
    }
    // Defaults set by OnNewRecord are stored with the row but do not count as a change.
    m_modified = false;
    fire(afterInsert);
    fire(afterScroll);
}

void Dataset::append()
{
    doInsertAppend(true);
}

void Dataset::insert()
{
    doInsertAppend(false);
}

void Dataset::edit()
{
    if (m_state == DatasetState::Edit || m_state == DatasetState::Insert) {
        return;
    }
    checkBrowseMode();
    if (!m_keyset) {
        throw DbError(QStringLiteral("Cannot modify a read-only dataset"));
    }
    if (isEmpty()) {
        append();
        return;
    }
    fire(beforeEdit);
    // The row as read for display (pictures are read when asked for); a page read serves many
    // rows, which matters when every row of a table is edited in turn.
    m_buffer = cachedRow(m_current);
    m_changed.assign(m_fields.size(), false);
    m_modified = false;
    setState(DatasetState::Edit);
    fire(afterEdit);
}

void Dataset::runWithRetry(const std::function<void()>& operation, const ErrorHandler& onError)
{
    // The handler decides: Fail passes the error on, Abort gives up silently, Retry runs again
    // (the handler has mended the cause).
    for (;;) {
        try {
            operation();
            return;
        } catch (const DbError& error) {
            DataAction action = DataAction::Fail;
            if (onError) {
                onError(*this, error, action);
            }
            if (action == DataAction::Abort) {
                throw AbortOp();
            }
            if (action == DataAction::Fail) {
                throw;
            }
        }
    }
}

void Dataset::post()
{
    if (m_state != DatasetState::Edit && m_state != DatasetState::Insert) {
        notEditing();
    }
    fire(beforePost);
    runWithRetry([this] { internalPost(); }, onPostError);
    setState(DatasetState::Browse);
    m_modified = false;
    m_buffer.clear();
    emit rowChanged(m_current);
    fire(afterPost);
}

void Dataset::internalPost()
{
    Database& db = *m_database;
    db.ensureOpen();
    if (m_state == DatasetState::Insert) {
        QStringList names;
        QStringList marks;
        QVariantList values;
        for (size_t i = 0; i < m_fields.size(); ++i) {
            if (m_changed[i]) {
                names << quoteName(m_fields[i].origin);
                values << m_buffer[int(i)];
                marks << QStringLiteral("?%1").arg(values.size());
            }
        }
        const QString sql = names.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quotedTable())
                                            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                                  .arg(quotedTable(), names.join(u','), marks.join(u','));
        Statement stmt(db, sql);
        stmt.bindAll(values);
        stmt.run();
        const qint64 rowid = db.lastInsertRowId();
        m_keys.insert(m_keys.begin() + m_insertPos, rowid);
        m_current = m_insertPos;
        m_insertPos = -1;
        // Re-read so that defaults filled in by the database show.
        if (m_cache.size() >= cacheLimit) {
            m_cache.clear();
        }
        m_cache.insert(rowid, loadFullRow(rowid));
        m_eof = false;
        return;
    }
    QVariantList values;
    QByteArray mask(int(m_fields.size()), '0');
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (m_changed[i]) {
            values << m_buffer[int(i)];
            mask[int(i)] = '1';
        }
    }
    if (values.isEmpty()) {
        return;
    }
    const qint64 rowid = currentRowid();
    values << rowid;
    QString& sql = m_updateSql[mask];
    if (sql.isEmpty()) {
        QStringList sets;
        for (size_t i = 0; i < m_fields.size(); ++i) {
            if (m_changed[i]) {
                sets << quoteName(m_fields[i].origin) + QStringLiteral("=?") + QString::number(sets.size() + 1);
            }
        }
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?%3").arg(quotedTable(), sets.join(u',')).arg(values.size());
    }
    Statement stmt(db, sql);
    stmt.bindAll(values);
    if (stmt.run() != 1) {
        throw DbError(QStringLiteral("Record not found or changed by another user"));
    }
    // Only a row already in the cache is kept up to date; the others are read when shown.
    auto cached = m_cache.find(rowid);
    if (cached != m_cache.end()) {
        QVariantList row = m_buffer;
        for (size_t i = 0; i < m_fields.size(); ++i) {
            if (m_fields[i].kind == FieldKind::Blob) {
                row[int(i)] = QVariant();
            }
        }
        cached.value() = row;
    }
}

void Dataset::cancel()
{
    if (m_state != DatasetState::Edit && m_state != DatasetState::Insert) {
        return;
    }
    fire(beforeCancel);
    const bool inserting = m_state == DatasetState::Insert;
    const int pendingRow = m_insertPos;
    if (inserting) {
        emit rowAboutToBeRemoved(pendingRow);
    }
    m_buffer.clear();
    m_changed.clear();
    m_modified = false;
    m_insertPos = -1;
    setState(DatasetState::Browse);
    if (inserting) {
        emit rowRemoved(pendingRow);
        const int count = recordCount();
        m_current = count == 0 ? -1 : std::min(pendingRow, count - 1);
        m_eof = count == 0 ? true : m_eof && pendingRow >= count;
        m_bof = count == 0 ? true : m_bof;
        emit currentRowChanged(m_current);
    } else {
        emit rowChanged(m_current);
    }
    fire(afterCancel);
}

void Dataset::remove()
{
    if (m_state == DatasetState::Insert) {
        cancel();
        return;
    }
    if (!active()) {
        throw DbError(QStringLiteral("Cannot perform this operation on a closed dataset"));
    }
    if (isEmpty()) {
        throw DbError(QStringLiteral("Cannot perform this operation on an empty dataset"));
    }
    if (!m_keyset) {
        throw DbError(QStringLiteral("Cannot modify a read-only dataset"));
    }
    fire(beforeDelete);
    fire(beforeScroll);
    runWithRetry([this] { internalDelete(); }, onDeleteError);
    m_buffer.clear();
    m_changed.clear();
    m_modified = false;
    setState(DatasetState::Browse);
    const int removed = m_current;
    const int count = recordCount();
    m_current = count == 0 ? -1 : std::min(removed, count - 1);
    m_eof = count == 0;
    m_bof = count == 0;
    emit rowRemoved(removed);
    emit currentRowChanged(m_current);
    fire(afterDelete);
    fire(afterScroll);
}

void Dataset::internalDelete()
{
    const qint64 rowid = currentRowid();
    Statement stmt(*m_database, QStringLiteral("DELETE FROM %1 WHERE rowid=?1").arg(quotedTable()));
    stmt.bind(1, rowid);
    stmt.run();
    emit rowAboutToBeRemoved(m_current);
    m_keys.erase(m_keys.begin() + m_current);
    m_cache.remove(rowid);
}

} // namespace engine
