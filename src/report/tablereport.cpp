#include "report/tablereport.h"

#include <QAbstractItemModel>
#include <QPainter>

namespace report {

namespace {

constexpr double kCellPadding = 3;
constexpr double kRowPadding = 6;
constexpr double kGap = 8; // between header, title, table and footer

QString withPage(QString text, int page)
{
    return text.replace(PageToken, QString::number(page));
}

} // namespace

TableRows TableRows::fromList(const QList<QStringList>& rows)
{
    return {int(rows.size()), [rows](int row, int column) { return rows.value(row).value(column); }};
}

TableRows TableRows::fromModel(const QAbstractItemModel& model)
{
    const QAbstractItemModel* source = &model;
    return {model.rowCount(), [source](int row, int column) {
                return source->data(source->index(row, column), Qt::DisplayRole).toString();
            }};
}

TableRows TableRows::fromModel(std::shared_ptr<const QAbstractItemModel> model)
{
    TableRows rows = fromModel(*model);
    rows.text = [model, read = std::move(rows.text)](int row, int column) { return read(row, column); };
    return rows;
}

TableReport::TableReport(TableFrame frame, QList<TableColumn> columns, TableRows rows)
    : m_frame(std::move(frame)), m_columns(std::move(columns)), m_rows(std::move(rows))
{
}

QPageLayout TableReport::pageLayout() const
{
    return QPageLayout(QPageSize(QPageSize::A4), m_frame.orientation, QMarginsF(0, 0, 0, 0));
}

QList<QList<int>> TableReport::columnBands(double available) const
{
    QList<QList<int>> bands;
    double used = 0;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (bands.isEmpty() || (used + m_columns[i].width > available && !bands.last().isEmpty())) {
            bands.append(QList<int>());
            used = 0;
        }
        bands.last().append(i);
        used += m_columns[i].width;
    }
    return bands;
}

void TableReport::paintPageFrame(Canvas& canvas) const
{
    const QFont font = canvas.font(m_frame.pageFamily, m_frame.pagePoints);
    const double m = m_frame.margin;
    const double width = canvas.pageSize().width() - 2 * m;
    const double line = canvas.lineHeight(font);
    const int page = canvas.pageNumber();
    const QRectF header(m, m, width, line);
    canvas.text(header, withPage(m_frame.headerLeft, page), font, Qt::AlignLeft | Qt::AlignVCenter);
    canvas.text(header, withPage(m_frame.headerRight, page), font, Qt::AlignRight | Qt::AlignVCenter);
    const QRectF footer(m, canvas.pageSize().height() - m - line, width, line);
    canvas.text(footer, withPage(m_frame.footerLeft, page), font, Qt::AlignLeft | Qt::AlignVCenter);
    canvas.text(footer, withPage(m_frame.footerCentre, page), font, Qt::AlignHCenter | Qt::AlignVCenter);
    canvas.text(footer, withPage(m_frame.footerRight, page), font, Qt::AlignRight | Qt::AlignVCenter);
}

double TableReport::paintTitle(Canvas& canvas, double top) const
{
    const double m = m_frame.margin;
    const double width = canvas.pageSize().width() - 2 * m;
    if (!m_frame.title.isEmpty()) {
        const QFont font = canvas.font(m_frame.titleFamily, m_frame.titlePoints);
        const double height = canvas.lineHeight(font);
        canvas.text(QRectF(m, top, width, height), m_frame.title, font, Qt::AlignHCenter | Qt::AlignVCenter);
        top += height;
    }
    const QFont small = canvas.font(m_frame.pageFamily, m_frame.pagePoints);
    const double line = canvas.lineHeight(small);
    if (m_frame.ruleLength > 0) {
        const QFont ruleFont = canvas.font(m_frame.bodyFamily, m_frame.bodyPoints);
        const double height = canvas.lineHeight(ruleFont);
        canvas.text(QRectF(m, top, width, height), QString(m_frame.ruleLength, u'='), ruleFont,
                    Qt::AlignHCenter | Qt::AlignVCenter);
        top += height;
    }
    if (!m_frame.note.isEmpty()) {
        canvas.text(QRectF(m, top, width, line), m_frame.note, small, Qt::AlignRight | Qt::AlignVCenter);
        top += line;
    }
    return top + kGap;
}

double TableReport::paintRow(Canvas& canvas, const QList<int>& band, double top, double height, int row) const
{
    const QFont font = canvas.font(m_frame.bodyFamily, m_frame.bodyPoints);
    double x = m_frame.margin;
    for (int column : band) {
        const TableColumn& spec = m_columns[column];
        const QRectF cell(x, top, spec.width, height);
        canvas.frame(cell);
        const QString text = row < 0 ? spec.title : m_rows.text(row, column);
        const Qt::Alignment alignment = row < 0 ? Qt::AlignHCenter : spec.alignment;
        canvas.text(cell.adjusted(kCellPadding, 0, -kCellPadding, 0), text, font,
                    int(alignment | Qt::AlignVCenter) | Qt::TextSingleLine);
        x += spec.width;
    }
    return top + height;
}

void TableReport::paint(Canvas& canvas) const
{
    const double m = m_frame.margin;
    const QFont pageFont = canvas.font(m_frame.pageFamily, m_frame.pagePoints);
    const double pageLine = canvas.lineHeight(pageFont);
    const double rowHeight = canvas.lineHeight(canvas.font(m_frame.bodyFamily, m_frame.bodyPoints)) + kRowPadding;
    const double bodyTop = m + pageLine + kGap;
    const double bodyBottom = canvas.pageSize().height() - m - pageLine - kGap;
    const QList<QList<int>> bands = columnBands(canvas.pageSize().width() - 2 * m);

    bool first = true;
    for (const QList<int>& band : bands) {
        int row = 0;
        do {
            canvas.startPage();
            paintPageFrame(canvas);
            double top = first ? paintTitle(canvas, bodyTop) : bodyTop;
            first = false;
            top = paintRow(canvas, band, top, rowHeight, -1);
            // At least one row goes on every page, so a page too small for any still ends.
            bool placed = false;
            while (row < m_rows.count && (!placed || top + rowHeight <= bodyBottom)) {
                top = paintRow(canvas, band, top, rowHeight, row++);
                placed = true;
            }
        } while (row < m_rows.count);
    }
    if (bands.isEmpty()) {
        canvas.startPage();
        paintPageFrame(canvas);
        paintTitle(canvas, bodyTop);
    }
}

} // namespace report
