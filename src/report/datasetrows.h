#pragma once

#include "report/tablereport.h"

#include <QStringList>

#include <memory>

namespace engine {
class Dataset;
}

namespace report {

/// The rows of a dataset for a printed table: the named fields as columns, in the text the grids
/// show (dates as yyyy-MM-dd), every row from first to last, read without moving the dataset.
/// The dataset must outlive the rows.
TableRows datasetRows(engine::Dataset& dataset, const QStringList& fields);
/// The same for a dataset the rows own.
TableRows datasetRows(std::shared_ptr<engine::Dataset> dataset, const QStringList& fields);

} // namespace report
