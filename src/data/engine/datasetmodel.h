#pragma once

#include "data/engine/dataset.h"

#include <QAbstractTableModel>
#include <QPointer>

namespace engine {

/// The item model of the data-aware grids: one row per dataset row (a pending new row included),
/// columns chosen by field name. Painting reads through the dataset's row cache and never moves
/// the current row, so a grid over 100 000 persons fires no scroll events. Editing a cell moves
/// to its row, puts the dataset into edit and writes the field; the row is stored when the
/// dataset moves on, as in the old grids.
class DatasetModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    struct Column
    {
        QString field;
        QString title;
        bool readOnly = false;
    };

    explicit DatasetModel(Dataset* dataset, QObject* parent = nullptr);

    Dataset* dataset() const { return m_dataset; }
    /// The columns shown; none set = every field under its own name.
    void setColumns(const QList<Column>& columns);
    QList<Column> columns() const { return m_columns; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }

    /// True while rows are being inserted, removed or replaced: a view's current index moves then
    /// by itself, and must not be taken for the user moving to another row.
    bool isChanging() const { return m_changing; }

    /// The field name of a column ("" when out of range).
    QString fieldName(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    /// The dataset's current row changed (the view follows it).
    void currentRowChanged(int row);

private:
    void rebuild();
    int fieldOf(int column) const;
    QString display(const QVariant& value, FieldKind kind) const;

    QPointer<Dataset> m_dataset;
    QList<Column> m_columns;
    bool m_explicitColumns = false;
    std::vector<int> m_fieldIndexes;
    int m_rows = 0;
    bool m_readOnly = false;
    bool m_changing = false;
};

} // namespace engine
