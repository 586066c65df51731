#include "data/engine/datasetmodel.h"

namespace engine {

DatasetModel::DatasetModel(Dataset* dataset, QObject* parent) : QAbstractTableModel(parent), m_dataset(dataset)
{
    connect(dataset, &Dataset::datasetReset, this, [this] {
        m_changing = true;
        beginResetModel();
        rebuild();
        endResetModel();
        m_changing = false;
    });
    connect(dataset, &Dataset::rowAboutToBeInserted, this, [this](int row) {
        m_changing = true;
        beginInsertRows({}, row, row);
    });
    connect(dataset, &Dataset::rowInserted, this, [this](int) {
        m_rows = m_dataset->rowCount();
        endInsertRows();
        m_changing = false;
    });
    connect(dataset, &Dataset::rowAboutToBeRemoved, this, [this](int row) {
        m_changing = true;
        beginRemoveRows({}, row, row);
    });
    connect(dataset, &Dataset::rowRemoved, this, [this](int) {
        m_rows = m_dataset->rowCount();
        endRemoveRows();
        m_changing = false;
    });
    connect(dataset, &Dataset::rowChanged, this, [this](int row) {
        if (row >= 0 && row < m_rows && !m_columns.isEmpty()) {
            emit dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1));
        }
    });
    connect(dataset, &Dataset::currentRowChanged, this, &DatasetModel::currentRowChanged);
    connect(dataset, &QObject::destroyed, this, [this] {
        beginResetModel();
        m_rows = 0;
        m_fieldIndexes.clear();
        endResetModel();
    });
    rebuild();
}

void DatasetModel::setColumns(const QList<Column>& columns)
{
    beginResetModel();
    m_columns = columns;
    m_explicitColumns = true;
    rebuild();
    endResetModel();
}

void DatasetModel::rebuild()
{
    if (!m_dataset) {
        m_rows = 0;
        return;
    }
    if (!m_explicitColumns) {
        m_columns.clear();
        for (const QString& name : m_dataset->fieldNames()) {
            m_columns.append({name, name, false});
        }
    }
    m_fieldIndexes.clear();
    for (const Column& column : std::as_const(m_columns)) {
        m_fieldIndexes.push_back(m_dataset->fieldIndex(column.field));
    }
    m_rows = m_dataset->active() ? m_dataset->rowCount() : 0;
}

QString DatasetModel::fieldName(int column) const
{
    return column >= 0 && column < m_columns.size() ? m_columns[column].field : QString();
}

int DatasetModel::fieldOf(int column) const
{
    return column >= 0 && size_t(column) < m_fieldIndexes.size() ? m_fieldIndexes[size_t(column)] : -1;
}

int DatasetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int DatasetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QString DatasetModel::display(const QVariant& value, FieldKind kind) const
{
    if (value.isNull()) {
        return {};
    }
    if (kind == FieldKind::Date || kind == FieldKind::DateTime) {
        // Painted for every visible cell: the dataset's reader takes the stored forms without a format parser.
        const QString text = value.toString();
        QDate date;
        QTime time;
        if (!parseIsoDateTime(text, &date, &time)) {
            return text;
        }
        if (kind == FieldKind::DateTime && time != QTime(0, 0)) {
            return date.toString(QStringLiteral("yyyy-MM-dd")) + u' ' + time.toString(QStringLiteral("HH:mm:ss"));
        }
        return date.toString(QStringLiteral("yyyy-MM-dd"));
    }
    if (kind == FieldKind::Float && value.typeId() == QMetaType::Double) {
        return QString::number(value.toDouble(), 'g', 15);
    }
    if (kind == FieldKind::Blob) {
        return QStringLiteral("(BLOB)");
    }
    return value.toString();
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const
{
    if (!m_dataset || !index.isValid() || index.row() >= m_rows) {
        return {};
    }
    const int field = fieldOf(index.column());
    if (field < 0 || !m_dataset->active()) {
        return {};
    }
    const FieldKind kind = m_dataset->fieldKind(field);
    if (kind == FieldKind::Boolean) {
        if (role == Qt::CheckStateRole) {
            const QVariant v = m_dataset->peek(index.row(), field);
            return v.isNull() ? QVariant() : QVariant(v.toLongLong() != 0 ? Qt::Checked : Qt::Unchecked);
        }
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        return display(m_dataset->peek(index.row(), field), kind);
    }
    return {};
}

bool DatasetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!m_dataset || !index.isValid() || !(flags(index) & Qt::ItemIsEditable)) {
        return false;
    }
    const int field = fieldOf(index.column());
    if (field < 0) {
        return false;
    }
    if (role != Qt::EditRole && !(role == Qt::CheckStateRole && m_dataset->fieldKind(field) == FieldKind::Boolean)) {
        return false;
    }
    m_dataset->moveTo(index.row());
    m_dataset->edit();
    Field target = m_dataset->field(field);
    if (role == Qt::CheckStateRole) {
        target.setAsBoolean(value.toInt() == Qt::Checked);
    } else {
        target.setAsString(value.toString());
    }
    return true;
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return section >= 0 && section < m_columns.size() ? QVariant(m_columns[section].title) : QVariant();
    }
    return section + 1;
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags result = QAbstractTableModel::flags(index);
    if (!m_dataset || !index.isValid()) {
        return result;
    }
    const int field = fieldOf(index.column());
    if (!m_readOnly && m_dataset->canModify() && field >= 0 && !m_columns[index.column()].readOnly &&
        m_dataset->fieldKind(field) != FieldKind::Blob) {
        result |= Qt::ItemIsEditable;
        if (m_dataset->fieldKind(field) == FieldKind::Boolean) {
            result |= Qt::ItemIsUserCheckable;
        }
    }
    return result;
}

} // namespace engine
