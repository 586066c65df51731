#pragma once

#include "data/engine/database.h"

#include <QList>
#include <QString>

#include <optional>

/// Which part of a statistics result a chart can show: one text column naming the categories
/// (such as the department) and one or more numeric columns (such as the headcount).
namespace statchart {

struct Series
{
    QString name;
    QList<double> values; ///< one per category; Null counts as 0
};

struct Chart
{
    QString categoryTitle;
    QStringList categories;
    QList<Series> series;
};

/// The chart of a result, or nothing when the result has not exactly one text column and at least
/// one numeric column (a column whose values are all numbers or Null, at least one a number), or
/// no rows.
std::optional<Chart> chartOf(const engine::ResultSet& result);

} // namespace statchart
