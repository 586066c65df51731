#pragma once

#include "report/report.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>

class QAbstractItemModel;

namespace report {

/// One column of a printed table: its title and its width in 96-dpi units.
struct TableColumn
{
    QString title;
    double width = 80;
    Qt::Alignment alignment = Qt::AlignLeft;
};

/// The rows of a printed table, read on demand while the pages are painted.
struct TableRows
{
    int count = 0;
    std::function<QString(int row, int column)> text;

    /// Fixed rows (one list of texts per row).
    static TableRows fromList(const QList<QStringList>& rows);
    /// The display texts of a model's rows; the model must outlive the report.
    static TableRows fromModel(const QAbstractItemModel& model);
    /// The same for a model the rows keep alive (with whatever it reads from).
    static TableRows fromModel(std::shared_ptr<const QAbstractItemModel> model);
};

/// What surrounds the table. Texts may hold PageToken for the page number.
struct TableFrame
{
    QString title; ///< once, centred, above the table
    QString titleFamily = QStringLiteral("黑体");
    double titlePoints = 15;
    int ruleLength = 0;                            ///< a line of this many "=" under the title
    QString note;                                  ///< once, under the title, at the right
    QString headerLeft, headerRight;               ///< every page, top
    QString footerLeft, footerCentre, footerRight; ///< every page, bottom
    QString pageFamily = QStringLiteral("宋体");   ///< header, footer and note
    double pagePoints = 9;
    QString bodyFamily = QStringLiteral("宋体"); ///< column titles and cells
    double bodyPoints = 10;
    double margin = pixelsFromCm(2.0); ///< all four sides
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
};

/// A table of rows with a title, a page header and a page footer, printed at the columns' own
/// widths (never fitted to the paper): the column titles head every page, and columns that do not
/// fit beside the others continue on the pages that follow, so nothing is cut off.
class TableReport : public Report
{
public:
    TableReport(TableFrame frame, QList<TableColumn> columns, TableRows rows);

    QPageLayout pageLayout() const override;
    void paint(Canvas& canvas) const override;
    QString title() const override { return m_frame.title; }

private:
    /// Groups of consecutive columns, each as wide as the page allows (a wider column alone).
    QList<QList<int>> columnBands(double available) const;
    void paintPageFrame(Canvas& canvas) const;
    double paintTitle(Canvas& canvas, double top) const;
    double paintRow(Canvas& canvas, const QList<int>& band, double top, double height, int row) const;

    TableFrame m_frame;
    QList<TableColumn> m_columns;
    TableRows m_rows;
};

} // namespace report
