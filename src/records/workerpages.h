#pragma once

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>

class Tdm;

namespace engine {
class Query;
}

/// What the personnel browser does differently on each of its nine pages: 0 the person page,
/// 1 to 7 the detail lists, 8 the notes. One description per page, read by the browser, the
/// data module and the printing.
namespace workerpages {

constexpr int PersonPage = 0;
constexpr int NotesPage = 8;
constexpr int PageCount = 9;

bool isDetailPage(int page);

/// A column of a detail page's grid, as shown and as printed.
struct GridColumn
{
    QString field;
    QString title;
    int width;
};

/// A value a new detail row starts with (besides its tie field): the text, or today's date.
struct NewRowValue
{
    QString field;
    QString text;
    bool today = false;
};

struct PageDescription
{
    QString caption;
    /// The add button's caption; empty for the notes page, which keeps the caption it had.
    QString addCaption;
    QString savedMessage;
    QString deleteQuestion;
    /// The data module's query of a detail page; null for the person and notes pages.
    engine::Query* Tdm::*query = nullptr;
    /// The field of a detail row that holds its person's key: "ID" or "person_id".
    QString tieField;
    QList<NewRowValue> newRow;
    QList<GridColumn> columns;
    /// Whether a click on a column title sorts the grid.
    bool sortable = false;
    /// Whether the grid's columns keep their widths and Tab stays out of its cells.
    bool fixedColumns = false;
    /// Whether the print buttons print the page (the card, or the grid as a table).
    bool prints = false;
    /// The title above a printed table; empty for the person page, which prints the card.
    QString printTitle;
};

/// The description of a page; a number outside 0 to 8 gives the person page's.
const PageDescription& description(int page);

/// The values a new detail row of the page starts with, today's date filled in.
QList<QPair<QString, QString>> newRowDefaults(int page, const QDate& today);

/// The `where` text of the quick filter: a prefix match on field. A double quote typed into the
/// value is doubled inside the literal so the search still works. Empty text gives an empty
/// text (the macro is then cleared).
QString filterWhere(const QString& field, const QString& typed);

/// The sort mark of a grid's column titles: a click cycles none → ascending → descending → none,
/// and marking one column removes the marks of the others.
class SortCycle
{
public:
    enum class Mark
    {
        None,
        Ascending,
        Descending
    };

    /// Applies a click on a title; returns the new order text ("field" or "field DESC"), or an
    /// empty text when the click removed the mark (the list then keeps its order).
    QString click(int column, const QString& field);

    Mark mark() const { return m_mark; }

private:
    int m_column = -1;
    Mark m_mark = Mark::None;
};

} // namespace workerpages
