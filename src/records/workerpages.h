#pragma once

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>

/// What the personnel browser does differently on each of its nine pages: 0 the person page,
/// 1 to 7 the detail lists, 8 the notes.
namespace workerpages {

constexpr int PersonPage = 0;
constexpr int NotesPage = 8;
constexpr int PageCount = 9;

bool isDetailPage(int page);

QString pageCaption(int page);
/// The add button's caption; empty for the notes page, which keeps the caption it had.
QString addCaption(int page);
QString savedMessage(int page);
QString deleteQuestion(int page);
/// Whether the page's grid deletes its row with Ctrl+Delete after its own question (all detail
/// pages but the rewards and punishments).
bool hasGridDeletion(int page);
/// The field of a detail row that holds its person's key: "id" or "person_id".
QString tieField(int page);
/// The values a new detail row starts with (besides its tie field).
QList<QPair<QString, QString>> newRowDefaults(int page, const QDate& today);

/// The `where` text of the quick filter: a prefix match on field, the typed text keeping Jet's
/// wild cards (see likeLiteral, which also throws for a text that is no valid pattern). Empty text
/// gives an empty text (the macro is then cleared).
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

    int markedColumn() const { return m_column; }
    Mark mark() const { return m_mark; }

private:
    int m_column = -1;
    Mark m_mark = Mark::None;
};

} // namespace workerpages
