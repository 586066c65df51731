#pragma once

#include <QColor>
#include <QTableView>

namespace engine {
class Dataset;
class DatasetModel;
} // namespace engine

/// The data-aware grid: a table view over a dataset's item model whose selected row is the
/// dataset's current row. Clicking another row moves the dataset (posting pending changes first);
/// when that post fails the selection goes back. Optional: striped rows and title clicks.
class DataGrid : public QTableView
{
    Q_OBJECT

public:
    struct Column
    {
        QString field;
        QString title;
        int width = 64;
    };

    DataGrid(engine::Dataset* dataset, const QList<Column>& columns, QWidget* parent = nullptr);

    engine::Dataset* dataset() const { return m_dataset; }
    QString fieldName(int column) const;

    /// Paints odd record numbers (1, 3, ...) in `odd` and even ones white.
    void setStripes(const QColor& odd);
    /// Shows the sort mark on one title (or none with `shown` false).
    void setSortMark(int column, Qt::SortOrder order, bool shown);
    using QTableView::edit;

    /// Cells take input in place, the editor opening at once.
    void setEditable(bool editable);

signals:
    /// A column title was clicked.
    void titleClicked(int column);

protected:
    /// The editor opens on the current cell only while the grid has the focus: a reselected
    /// detail list must not take the keyboard away from the box the user is typing in.
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

private:
    void followDataset(int row);
    void followView(const QModelIndex& current, const QModelIndex& previous);
    /// The dataset refused to move: the grid shows its current row again.
    void restoreCurrentRow();

    engine::Dataset* m_dataset;
    engine::DatasetModel* m_model;
    bool m_following = false;
};
