#include "dataaware/datagrid.h"

#include "data/engine/dataset.h"
#include "data/engine/datasetmodel.h"
#include "dataaware/fieldlinks.h"
#include "platform/errors.h"
#include "platform/interaction.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>

namespace {

/// The grid's cells: a text typed into a cell that does not fit its field is reported here and the
/// field keeps its value (an exception must not travel through the view's commit, which would leave
/// the view unable to commit again); with stripes, rows are painted by record number first.
class CellDelegate : public QStyledItemDelegate
{
public:
    CellDelegate(engine::Dataset* dataset, engine::DatasetModel* model, QObject* parent)
        : QStyledItemDelegate(parent), m_dataset(dataset), m_model(model)
    {
    }

    void setStripes(const QColor& odd) { m_odd = odd; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (m_odd.isValid()) {
            const bool oddRecord = (index.row() + 1) % 2 == 1;
            painter->fillRect(option.rect, oddRecord ? m_odd : QColor(Qt::white));
        }
        QStyledItemDelegate::paint(painter, option, index);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        try {
            QStyledItemDelegate::setModelData(editor, model, index);
        } catch (const engine::DbError&) {
            const QString typed = editor->property("text").toString();
            const int field = m_dataset->fieldIndex(m_model->fieldName(index.column()));
            StdError(field >= 0 ? invalidValueText(typed, m_dataset->fieldKind(field)) : typed);
        } catch (const AbortOp&) {
            // The dataset gave the move up silently; the cell keeps its value.
        } catch (const std::exception& e) {
            ShowError(exceptionText(e));
        }
    }

private:
    engine::Dataset* m_dataset;
    engine::DatasetModel* m_model;
    QColor m_odd;
};

} // namespace

DataGrid::DataGrid(engine::Dataset* dataset, const QList<Column>& columns, QWidget* parent)
    : QTableView(parent), m_dataset(dataset), m_model(new engine::DatasetModel(dataset, this))
{
    QList<engine::DatasetModel::Column> modelColumns;
    for (const Column& c : columns) {
        modelColumns.append({c.field, c.title, false});
    }
    m_model->setColumns(modelColumns);
    setModel(m_model);
    setItemDelegate(new CellDelegate(dataset, m_model, this));
    for (int i = 0; i < columns.size(); ++i) {
        setColumnWidth(i, columns.at(i).width);
    }
    verticalHeader()->setDefaultSectionSize(20);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditable(false);

    connect(m_model, &engine::DatasetModel::currentRowChanged, this, &DataGrid::followDataset);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { followDataset(m_dataset->currentRow()); });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &DataGrid::followView);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &DataGrid::titleClicked);
    followDataset(m_dataset->currentRow());
}

QString DataGrid::fieldName(int column) const
{
    return m_model->fieldName(column);
}

void DataGrid::setStripes(const QColor& odd)
{
    static_cast<CellDelegate*>(itemDelegate())->setStripes(odd);
}

void DataGrid::setSortMark(int column, Qt::SortOrder order, bool shown)
{
    horizontalHeader()->setSortIndicatorShown(shown);
    if (shown) {
        horizontalHeader()->setSortIndicator(column, order);
    }
}

void DataGrid::setEditable(bool editable)
{
    setSelectionBehavior(editable ? QAbstractItemView::SelectItems : QAbstractItemView::SelectRows);
    setEditTriggers(editable ? QAbstractItemView::AllEditTriggers : QAbstractItemView::NoEditTriggers);
    m_model->setReadOnly(!editable);
}

void DataGrid::restoreCurrentRow()
{
    // Now and once more after the view has finished the click that asked for the move: the click
    // still selects the row it hit after this handler returns.
    followDataset(m_dataset->currentRow());
    QTimer::singleShot(0, this, [this] { followDataset(m_dataset->currentRow()); });
}

bool DataGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (trigger == CurrentChanged && !hasFocus()) {
        return false;
    }
    return QTableView::edit(index, trigger, event);
}

void DataGrid::followDataset(int row)
{
    if (m_following) {
        return;
    }
    m_following = true;
    const int column = qMax(0, currentIndex().column());
    if (row >= 0 && row < m_model->rowCount()) {
        const QModelIndex target = m_model->index(row, column);
        QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
        if (selectionBehavior() == SelectRows) {
            flags |= QItemSelectionModel::Rows;
        }
        selectionModel()->setCurrentIndex(target, flags);
        scrollTo(target);
    } else {
        selectionModel()->clearSelection();
    }
    m_following = false;
}

void DataGrid::followView(const QModelIndex& current, const QModelIndex&)
{
    if (m_following || m_model->isChanging() || !current.isValid() || !m_dataset->active() ||
        current.row() == m_dataset->currentRow()) {
        return;
    }
    try {
        m_dataset->moveTo(current.row());
    } catch (const AbortOp&) {
        restoreCurrentRow();
    } catch (const std::exception& e) {
        restoreCurrentRow();
        ShowError(exceptionText(e));
    }
}
