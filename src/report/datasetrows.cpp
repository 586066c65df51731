#include "report/datasetrows.h"

#include "data/engine/datasetmodel.h"

namespace report {

TableRows datasetRows(engine::Dataset& dataset, const QStringList& fields)
{
    auto model = std::make_shared<engine::DatasetModel>(&dataset);
    QList<engine::DatasetModel::Column> columns;
    for (const QString& field : fields) {
        columns.append({field, field, true});
    }
    model->setColumns(columns);
    return TableRows::fromModel(std::shared_ptr<const QAbstractItemModel>(std::move(model)));
}

TableRows datasetRows(std::shared_ptr<engine::Dataset> dataset, const QStringList& fields)
{
    TableRows rows = datasetRows(*dataset, fields);
    rows.text = [dataset, read = std::move(rows.text)](int row, int column) { return read(row, column); };
    return rows;
}

} // namespace report
