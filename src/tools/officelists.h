#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace engine {
class Query;
}

/// The rules the address book and the notepad share: which field each search choice searches,
/// the column titles of their grids, and how a search or an order reaches their query.
namespace officelists {

struct Column
{
    QString title;
    QString field;
};

/// The address book's search choices, in their order; "按拼音首字母查询" searches `name` as well.
QStringList addressSearchChoices();
QString addressSearchField(int choice);
/// The eight columns of the address list.
QList<Column> addressColumns();

/// The notepad's search choices and their fields (`date` is searched by its text "yyyy-MM-dd").
QStringList noteSearchChoices();
QString noteSearchField(int choice);
QList<Column> noteColumns();

/// A search typed into a search box: the query is reopened with a prefix match on `field` (the
/// search boxes' one rule: Jet's wild cards kept, double quotes doubled), or with no condition
/// for an empty text. A text that is no valid pattern throws RosterError with the message for
/// the user before the query is touched; when the query cannot be opened with the new
/// condition, the old one is put back and the error is thrown on.
void search(engine::Query& query, const QString& field, const QString& typed);

/// A title click's new order ("field" or "field DESC"): the query is reopened in that order,
/// its search kept. An empty order (the mark removed) changes nothing.
void sortBy(engine::Query& query, const QString& order);

} // namespace officelists
