#include "tools/officereports.h"

#include "data/engine/dataset.h"
#include "report/tablereport.h"

#include <QDateTime>

namespace officereports {

namespace {

const QString kPageFooter = QStringLiteral("第") + report::PageToken + QStringLiteral("页");

/// A stored value as the reports print it: dates as "yyyy-MM-dd".
QString printed(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QDateTime:
        return value.toDateTime().date().toString(QStringLiteral("yyyy-MM-dd"));
    default:
        return value.toString();
    }
}

QString cell(engine::Dataset& data, int row, const QString& field)
{
    return printed(data.peek(row, data.fieldIndex(field)));
}

class NotesReport : public report::Report
{
public:
    explicit NotesReport(engine::Dataset& notes) : m_notes(notes) {}

    QString title() const override { return QStringLiteral("日常记事"); }

    void paint(report::Canvas& canvas) const override
    {
        const int count = m_notes.rowCount();
        // An empty list still gives a page, so the preview has something to show.
        for (int row = 0; row < qMax(1, count); ++row) {
            canvas.startPage();
            paintFooter(canvas);
            if (row < count) {
                paintNote(canvas, row);
            }
        }
    }

private:
    static constexpr double kMargin = report::pixelsFromCm(2.0);

    double width(report::Canvas& canvas) const { return canvas.pageSize().width() - 2 * kMargin; }

    void paintFooter(report::Canvas& canvas) const
    {
        const QFont font = canvas.font(QStringLiteral("宋体"), 9);
        const double line = canvas.lineHeight(font);
        const QString footer = QString(kPageFooter).replace(report::PageToken, QString::number(canvas.pageNumber()));
        canvas.text(QRectF(kMargin, canvas.pageSize().height() - kMargin - line, width(canvas), line), footer, font,
                    Qt::AlignHCenter | Qt::AlignVCenter);
    }

    void paintNote(report::Canvas& canvas, int row) const
    {
        const double w = width(canvas);
        double top = kMargin;
        const QFont body = canvas.font(QStringLiteral("宋体"), 11);
        const double line = canvas.lineHeight(body);
        canvas.text(QRectF(kMargin, top, w, line), cell(m_notes, row, QStringLiteral("sort")) + QStringLiteral(" 之"),
                    body, Qt::AlignLeft | Qt::AlignVCenter);
        top += line;
        canvas.text(QRectF(kMargin, top, w, line), QString(26, u'='), body, Qt::AlignLeft | Qt::AlignVCenter);
        top += line + 8;
        const QFont large = canvas.font(QStringLiteral("黑体"), 20, true);
        const double titleHeight = canvas.lineHeight(large);
        canvas.fittedText(QRectF(kMargin, top, w, titleHeight), cell(m_notes, row, QStringLiteral("caption")), large,
                          Qt::AlignHCenter | Qt::AlignVCenter);
        top += titleHeight + 4;
        canvas.text(QRectF(kMargin, top, w, line),
                    QStringLiteral("日期：") + cell(m_notes, row, QStringLiteral("date")), body,
                    Qt::AlignRight | Qt::AlignVCenter);
        top += line + 8;
        const QFont footer = canvas.font(QStringLiteral("宋体"), 9);
        const double bottom = canvas.pageSize().height() - kMargin - canvas.lineHeight(footer) - 8;
        const QRectF box(kMargin, top, w, bottom - top);
        canvas.frame(box);
        canvas.text(box.adjusted(8, 8, -8, -8), cell(m_notes, row, QStringLiteral("comments")), body,
                    Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
    }

    engine::Dataset& m_notes;
};

} // namespace

std::unique_ptr<report::Report> addressBook(engine::Dataset& adbkquery, const QDate& printDate)
{
    report::TableFrame frame;
    frame.title = QStringLiteral("我的通讯录");
    frame.titleFamily = QStringLiteral("隶书");
    frame.titlePoints = 22;
    frame.ruleLength = 37;
    frame.headerRight = QStringLiteral("打印日期：") + printDate.toString(QStringLiteral("yyyy-MM-dd"));
    frame.footerCentre = kPageFooter;

    const struct
    {
        const char* title;
        const char* field;
        double width;
    } columns[] = {{"姓名", "name", 80},        {"性别", "sex", 36},       {"家庭电话", "phone1", 100},
                   {"工作电话", "phone2", 100}, {"联系电话", "call", 100}, {"手机", "mphone", 100},
                   {"电子邮件", "email", 124}};
    QList<report::TableColumn> tableColumns;
    QStringList fields;
    for (const auto& column : columns) {
        tableColumns.append({QString::fromUtf8(column.title), column.width});
        fields << QString::fromLatin1(column.field);
    }
    engine::Dataset* data = &adbkquery;
    report::TableRows rows{adbkquery.rowCount(),
                           [data, fields](int row, int column) { return cell(*data, row, fields.value(column)); }};
    return std::make_unique<report::TableReport>(frame, tableColumns, rows);
}

std::unique_ptr<report::Report> notes(engine::Dataset& notequery)
{
    return std::make_unique<NotesReport>(notequery);
}

} // namespace officereports
