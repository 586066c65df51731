#pragma once

#include "data/engine/database.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <vector>

namespace engine {

enum class DatasetState
{
    Inactive,
    Browse,
    Edit,
    Insert
};

/// What happens after a failed post: Fail raises the error, Abort gives up silently (AbortOp) and
/// keeps the edits, Retry posts again (the handler must have removed the cause).
enum class DataAction
{
    Fail,
    Abort,
    Retry
};

/// The kind of a field, from the schema's declared type (or from the value for computed columns).
enum class FieldKind
{
    Text,
    Integer,
    Float,
    Date,
    DateTime,
    Boolean,
    Blob
};

class Dataset;

/// Reads a stored date text: "yyyy-MM-dd" or "yyyy-MM-dd HH:mm:ss" (also one-digit month or day,
/// '/' or 'T' as separators, surrounding blanks). False when it is no date.
bool parseIsoDateTime(const QString& text, QDate* date, QTime* time);

/// A stored value as the text of a field of that kind (Field::asString's conversion), for readers
/// that take values without moving the dataset (Dataset::peek).
QString fieldText(const QVariant& value, FieldKind kind);

/// A handle on one field of a dataset's current row. Reads NULL as "" / 0 / false / an invalid
/// date. Writes need the dataset in edit or insert state; a text written as "" is stored as NULL.
class Field
{
public:
    Field(Dataset* dataset, int index) : m_dataset(dataset), m_index(index) {}

    QString name() const;
    FieldKind kind() const;
    int index() const { return m_index; }

    QVariant value() const;
    bool isNull() const;
    QString asString() const;
    qint64 asInteger() const;
    double asFloat() const;
    /// Throws DbError when the stored text is not a date.
    QDateTime asDateTime() const;
    QDate asDate() const;
    bool asBoolean() const;
    QByteArray asBytes() const;

    void setValue(const QVariant& value);
    /// Converted to the field's kind; "" clears. Throws DbError for a text that does not convert.
    void setAsString(const QString& text);
    void setAsInteger(qint64 value);
    void setAsFloat(double value);
    void setAsDateTime(const QDateTime& value);
    void setAsDate(const QDate& value);
    void setAsBoolean(bool value);
    void setAsBytes(const QByteArray& value);
    void clear();

private:
    Dataset* m_dataset;
    int m_index;
};

/// The TDataSet of this system: an ordered set of rows with a current row, the states Inactive,
/// Browse, Edit and Insert, and Delphi's event order. A SELECT over one table keeps only the rows'
/// rowids (the keyset) and fetches field values on demand in pages, so 100 000 rows open, count
/// and scroll quickly; any other SELECT is a read-only snapshot. Statements never stay open
/// between calls.
class Dataset : public QObject
{
    Q_OBJECT

public:
    explicit Dataset(Database* database = nullptr, QObject* parent = nullptr);
    ~Dataset() override;

    void setDatabase(Database* database);
    Database* database() const { return m_database; }

    // Opening and closing
    void open();
    void close();
    void setActive(bool active);
    bool active() const { return m_state != DatasetState::Inactive; }
    DatasetState state() const { return m_state; }
    /// Runs the query again (posting pending changes first) and stays on the same row when it is
    /// still there, else on the row that took its place.
    void refresh();

    // Rows
    bool isEmpty() const { return m_keys.empty() && m_rows.empty(); }
    int recordCount() const;
    /// 1-based number of the current row, 0 when there is none.
    int recNo() const;
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    /// True when rows can be changed (a keyset over one table).
    bool canModify() const { return m_keyset; }

    // Moving: each posts pending changes first (or drops an untouched new row).
    void first();
    void last();
    void next();
    void prior();
    /// Makes the 0-based row current; nothing happens when it already is.
    void moveTo(int row);

    // Editing
    void append();
    void insert();
    void edit();
    void post();
    void cancel();
    /// Deletes the current row (in insert state: cancels).
    void remove();
    /// Posts pending changes when a field was modified, else cancels.
    void checkBrowseMode();
    bool modified() const { return m_modified; }
    /// Marks the row being edited as changed although no field was: a picture kept outside the
    /// row (a photo file) is stored with the row's next post. Throws in browse state.
    void setModified();

    // Filter in Jet syntax ("status=1"); setting either re-queries and goes to the first row.
    void setFilter(const QString& filter);
    QString filter() const { return m_filter; }
    void setFiltered(bool filtered);
    bool filtered() const { return m_filtered; }

    // Fields (names without regard to case)
    int fieldCount() const { return int(m_fields.size()); }
    QStringList fieldNames() const;
    /// -1 when there is no such field.
    int fieldIndex(const QString& name) const;
    bool hasField(const QString& name) const { return fieldIndex(name) >= 0; }
    /// Throws DbError "Field 'x' not found".
    Field field(const QString& name);
    Field field(int index) { return Field(this, index); }
    FieldKind fieldKind(int index) const { return m_fields[size_t(index)].kind; }
    QString fieldName(int index) const { return m_fields[size_t(index)].name; }

    // For the item model: rows as shown, including a pending new row; reading never moves.
    int rowCount() const;
    int currentRow() const;
    QVariant peek(int row, int column) const;
    /// The values of `columns` of `count` rows from `first` on, as peek gives them, read a page at a
    /// time without the row cache: for readers that go through every row once (the export).
    QList<QVariantList> peekRows(int first, int count, const QList<int>& columns) const;
    bool isPendingRow(int row) const { return m_state == DatasetState::Insert && row == m_insertPos; }

    // Events, synchronous; a "before" handler that throws AbortOp gives the operation up silently.
    using Event = std::function<void(Dataset&)>;
    Event beforeOpen, afterOpen, beforeClose, afterClose;
    Event beforeInsert, afterInsert, onNewRecord;
    Event beforeEdit, afterEdit;
    Event beforePost, afterPost;
    Event beforeCancel, afterCancel;
    Event beforeDelete, afterDelete;
    Event beforeScroll, afterScroll;
    Event beforeRefresh, afterRefresh;
    std::function<void(Dataset&, const DbError&, DataAction&)> onPostError;
    std::function<void(Dataset&, const DbError&, DataAction&)> onDeleteError;

signals:
    /// Rows replaced as a whole (open, close, refresh, filter).
    void datasetReset();
    /// Pairs around a row that appears (a new row) or goes (deleted, or a new row dropped).
    void rowAboutToBeInserted(int row);
    void rowInserted(int row);
    void rowAboutToBeRemoved(int row);
    void rowRemoved(int row);
    void rowChanged(int row);
    void currentRowChanged(int row);
    void stateChanged(engine::DatasetState state);

protected:
    /// The Jet SELECT text this dataset shows.
    virtual QString selectText() const = 0;

private:
    friend class Field;

    struct FieldInfo
    {
        QString name;   ///< as the result names it
        QString origin; ///< the table column it comes from (keyset only)
        FieldKind kind = FieldKind::Text;
    };

    void openCursor();
    void loadKeys();
    void loadKeysForFilter();
    void clearData();
    void setState(DatasetState state);
    void fire(const Event& event);
    void doInsertAppend(bool append);
    void internalPost();
    void internalDelete();
    void scrollTo(int index, bool toEof, bool toBof);
    qint64 currentRowid() const;
    /// The row's values with pictures left out (NULL); they are read when asked for.
    QVariantList loadFullRow(qint64 rowid) const;
    const QVariantList& cachedRow(int keyIndex) const;
    QVariant currentValue(int column) const;
    void setCurrentValue(int column, const QVariant& value);
    QString quotedTable() const;

    QPointer<Database> m_database;
    DatasetState m_state = DatasetState::Inactive;
    std::vector<FieldInfo> m_fields;
    QHash<QString, int> m_fieldIndex; // by case-folded name

    // keyset mode
    bool m_keyset = false;
    QString m_table;
    QString m_keysetSql;
    QString m_fetchSql;
    QString m_rowSql;
    QHash<QByteArray, QString> m_updateSql; // by the mask of changed fields
    std::vector<qint64> m_keys;
    mutable QHash<qint64, QVariantList> m_cache;
    // snapshot mode
    QList<QVariantList> m_rows;

    int m_current = -1;
    bool m_eof = true;
    bool m_bof = true;

    // edit buffer
    QVariantList m_buffer;
    std::vector<bool> m_changed;
    bool m_modified = false;
    int m_insertPos = -1;

    QString m_filter;
    bool m_filtered = false;
};

} // namespace engine
