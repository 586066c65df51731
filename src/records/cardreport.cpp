#include "records/cardreport.h"

#include "data/engine/database.h"
#include "data/engine/dataset.h"

#include <QImage>

using report::Canvas;

namespace {

struct Cell
{
    double left, top, right, bottom;
    const char16_t* label; ///< a label cell's text, or nullptr for a value cell
    const char* field;     ///< a value cell's field
};

constexpr double kRow = 25;

constexpr Cell label(double left, double top, double right, const char16_t* text, double rows = 1)
{
    return {left, top, right, top + rows * kRow, text, nullptr};
}

constexpr Cell value(double left, double top, double right, const char* field)
{
    return {left, top, right, top + kRow, nullptr, field};
}

// The card table: rows 25 high from y 228, x 55 to 700; first-column labels 60 wide in rows 228
// to 278 and 93 wide below; the photo holds x 596 to 700 from y 253 to 403.
const Cell kCells[] = {
    label(55, 228, 115, u"工号"),
    value(115, 228, 228, "id"),
    label(228, 228, 306, u"姓名"),
    value(306, 228, 376, "name"),
    label(376, 228, 406, u"性别"),
    value(406, 228, 446, "sex"),
    label(446, 228, 496, u"民族"),
    value(496, 228, 556, "folk"),
    label(556, 228, 596, u"籍贯"),
    value(596, 228, 700, "native"),

    label(55, 253, 115, u"出生日期"),
    value(115, 253, 195, "birth"),
    label(195, 253, 228, u"年龄"),
    value(228, 253, 268, "age"),
    label(268, 253, 306, u"婚否"),
    value(306, 253, 346, "ismarry"),
    label(346, 253, 406, u"身份证号"),
    value(406, 253, 596, "cardID"),

    label(55, 278, 115, u"文化程度"),
    value(115, 278, 228, "education"),
    label(228, 278, 306, u"政治面貌"),
    value(306, 278, 376, "political"),
    label(376, 278, 406, u"联\n系\n方\n式", 3),
    label(406, 278, 466, u"电话"),
    value(466, 278, 596, "phone"),

    label(55, 303, 148, u"参加工作时间"),
    value(148, 303, 228, "date1"),
    label(228, 303, 306, u"工龄"),
    value(306, 303, 376, "workage"),
    label(406, 303, 466, u"家庭电话"),
    value(466, 303, 596, "call"),

    label(55, 328, 148, u"入本单位时间"),
    value(148, 328, 228, "date2"),
    label(228, 328, 306, u"本单位工龄"),
    value(306, 328, 376, "hereworkage"),
    label(406, 328, 466, u"手机"),
    value(466, 328, 596, "mphone"),

    label(55, 353, 148, u"家庭住址"),
    value(148, 353, 596, "addr"),
    label(55, 378, 148, u"毕业学校"),
    value(148, 378, 596, "school"),

    label(55, 403, 148, u"职务信息", 2),
    label(148, 403, 208, u"隶属部门"),
    value(208, 403, 368, "dept"),
    label(368, 403, 428, u"职工类型"),
    value(428, 403, 528, "isworker"),
    label(528, 403, 588, u"工资类别"),
    value(588, 403, 700, "aboutpay"),
    label(148, 428, 208, u"职务"),
    value(208, 428, 368, "duty"),
    label(368, 428, 428, u"职称"),
    value(428, 428, 700, "technical"),

    {55, 453, 148, 972, u"个\n人\n备\n注", nullptr},
};

const QRectF kPhoto(QPointF(596, 253), QPointF(700, 403));
const QRectF kNotes(QPointF(148, 453), QPointF(700, 972));
constexpr double kNotesLeftInset = 18;
constexpr double kNotesTopInset = 14;
constexpr double kValueInset = 4;
constexpr double kTextHeight = 18;

QString cardTitle()
{
    return QStringLiteral("职工人事档案报表");
}

QList<engine::DatasetModel::Column> textColumns()
{
    QList<engine::DatasetModel::Column> columns;
    for (const Cell& cell : kCells) {
        if (cell.field) {
            columns.append({QString::fromLatin1(cell.field), {}, true});
        }
    }
    columns.append({QStringLiteral("comments"), {}, true});
    return columns;
}

} // namespace

CardReport::CardReport(engine::Dataset& persons, report::Range range, const QDate& printDate)
    : m_persons(persons), m_texts(&persons), m_range(range), m_current(persons.currentRow()), m_printDate(printDate)
{
    m_texts.setColumns(textColumns());
}

QString CardReport::title() const
{
    return cardTitle();
}

QList<int> CardReport::rows() const
{
    QList<int> rows;
    if (!m_persons.active()) {
        return rows;
    }
    if (m_range == report::Range::Current) {
        if (m_current >= 0 && m_current < m_persons.rowCount()) {
            rows.append(m_current);
        }
        return rows;
    }
    for (int row = 0; row < m_persons.rowCount(); ++row) {
        rows.append(row);
    }
    return rows;
}

QByteArray CardReport::picture(int row) const
{
    if (row == m_persons.currentRow()) {
        return m_persons.field(QStringLiteral("picture")).asBytes();
    }
    // Rows other than the current one keep no pictures in memory: read the stored one.
    const QString id = m_texts.data(m_texts.index(row, m_texts.columnOf(QStringLiteral("id")))).toString();
    return m_persons.database()
        ->selectValue(QStringLiteral("SELECT picture FROM person WHERE ID = ?"), {id})
        .toByteArray();
}

void CardReport::paint(Canvas& canvas) const
{
    for (int row : rows()) {
        const auto value = [this, row](const QString& field) {
            return m_texts.data(m_texts.index(row, m_texts.columnOf(field))).toString();
        };
        canvas.startPage();
        paintCard(canvas, value, picture(row), m_printDate);
        if (m_appendix) {
            m_appendix(canvas, value(QStringLiteral("id")), value(QStringLiteral("name")));
        }
    }
}

void CardReport::paintCard(Canvas& canvas, const std::function<QString(const QString&)>& value,
                           const QByteArray& picture, const QDate& printDate)
{
    const QFont body = canvas.font(QStringLiteral("宋体"), 10);
    const int centred = Qt::AlignCenter;
    const int valueFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    const QString date = printDate.toString(QStringLiteral("yyyy-MM-dd"));

    // Page header band.
    canvas.text(QRectF(295, 92, 463 - 295, 24), cardTitle(), canvas.font(QStringLiteral("黑体"), 15), centred);

    // Record band.
    canvas.text(QRectF(548, 172, 704 - 548, kTextHeight), QStringLiteral("打印日期：") + date, body, valueFlags);
    const QRectF numberLabel(QPointF(56, 182), QPointF(128, 182 + kTextHeight));
    const QRectF numberValue(QPointF(129, 182), QPointF(201, 182 + kTextHeight));
    canvas.frame(numberLabel, Canvas::BottomBorder);
    canvas.frame(numberValue, Canvas::BottomBorder);
    canvas.text(numberLabel, QStringLiteral("职工编号："), body, valueFlags);
    canvas.fittedText(numberValue, value(QStringLiteral("id")), body, valueFlags);

    for (const Cell& cell : kCells) {
        const QRectF box(QPointF(cell.left, cell.top), QPointF(cell.right, cell.bottom));
        canvas.frame(box);
        if (cell.label) {
            canvas.text(box, QString::fromUtf16(cell.label), body, centred);
        } else {
            canvas.fittedText(box.adjusted(kValueInset, 0, -kValueInset, 0), value(QString::fromLatin1(cell.field)),
                              body, valueFlags);
        }
    }

    canvas.frame(kPhoto);
    canvas.image(kPhoto.adjusted(1, 1, -1, -1), QImage::fromData(picture));

    canvas.frame(kNotes);
    canvas.text(kNotes.adjusted(kNotesLeftInset, kNotesTopInset, -kNotesLeftInset, -kNotesTopInset),
                value(QStringLiteral("comments")), body, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);

    const double signatureX[] = {64, 220, 376, 532};
    const QString signatures[] = {QStringLiteral("核准："), QStringLiteral(" 审核："), QStringLiteral("填表人："),
                                  QStringLiteral("填表日期：")};
    for (int i = 0; i < 4; ++i) {
        canvas.text(QRectF(signatureX[i], 998, 150, kTextHeight), signatures[i], body, valueFlags);
    }

    // Page footer band.
    canvas.text(QRectF(253, 1032, 505 - 253, kTextHeight), QStringLiteral("第%1页").arg(canvas.pageNumber()), body,
                centred);
}
