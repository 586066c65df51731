#pragma once

#include "report/tablereport.h"

#include <QDate>
#include <QString>

#include <memory>

class Tdm;

namespace engine {
class Query;
}

/// What the personnel browser and roster-cli print of a person: the card, the printed table of a
/// detail page, and the whole archive (the card followed by every non-empty detail list).
namespace personprint {

/// The printed table of a detail page: the grid's columns at their widths in 宋体, the title and
/// its rule of "=", "编号: " + the person's number + "    姓名: " + the name at the top left of
/// every page and "打印日期:" + the date at the bottom right, 2 cm margins.
std::unique_ptr<report::TableReport> detailTable(int page, const QString& personId, const QString& name,
                                                 report::TableRows rows, const QDate& printDate);

/// The rows of a detail page's dataset as the browser's grid shows them (the dataset must
/// outlive them).
report::TableRows shownRows(engine::Query& detail, int page);
/// The rows of a detail page for one person, read by a query of their own in the order of the
/// data module's query.
report::TableRows personRows(Tdm& dm, int page, const QString& personId);

/// Selects one person of any status into the person query by number.
void selectPerson(engine::Query& persons, const QString& personId);

/// The cards of the data module's person query in the range; with `full` each card is followed by
/// the person's non-empty detail lists. The query must outlive the report.
std::unique_ptr<report::Report> cards(Tdm& dm, report::Range range, const QDate& printDate, bool full);

} // namespace personprint
