#include "records/personprint.h"

#include "data/dmunit.h"
#include "data/engine/query.h"
#include "records/cardreport.h"
#include "records/workerpages.h"
#include "report/datasetrows.h"

namespace personprint {

namespace {

struct PrintColumn
{
    const char* field;
    const char16_t* title;
    int width;
};

/// The grid of a detail page: every column with its title and width.
QList<PrintColumn> gridColumns(int page)
{
    switch (page) {
    case 1:
        return {{"name", u"成员姓名", 60}, {"relation", u"与本人关系", 70}, {"date", u"出生日期", 80},
                {"dept", u"工作单位", 70}, {"duty", u"担任职务", 70},       {"political", u"政治面貌", 60},
                {"phone", u"联系电话", 70}};
    case 2:
        return {{"date1", u"开始时间", 80}, {"date2", u"结束时间", 80}, {"company", u"工作单位", 70},
                {"dept", u"部门名称", 70},  {"duty", u"担任职务", 70},  {"level1", u"级别", 70}};
    case 3:
        return {{"sorts", u"奖惩种类", 60},    {"date1", u"奖惩日期", 80},     {"reason1", u"奖惩原因", 60},
                {"dept", u"奖惩批准单位", 80}, {"date2", u"解除处分日期", 80}, {"reason2", u"解除处分原因", 100}};
    case 4:
        return {{"tech", u"专业技术资格名", 90},    {"mode", u"取得方式", 60},      {"date0", u"取得日期", 60},
                {"duty", u"聘用专业技术职务", 100}, {"date1", u"聘用开始时间", 80}, {"date2", u"聘用结束时间", 80},
                {"dept", u"聘用单位", 60}};
    case 5:
        return {{"mode", u"培训方式", 60},    {"date1", u"开始时间", 80},   {"date2", u"结束时间", 80},
                {"term", u"培训期限", 60},    {"subject", u"所学专业", 60}, {"dept", u"培训单位", 60},
                {"content", u"培训内容", 60}, {"outlay", u"培训经费", 60},  {"result", u"培训结果", 60}};
    case 6:
        return {{"contract_no", u"合同编号", 80}, {"name", u"合同名称", 80},       {"category", u"合同类型", 80},
                {"prop", u"合同性质", 80},        {"start_date", u"起始日期", 80}, {"end_date", u"终止日期", 80},
                {"comment", u"备注", 80}};
    case 7:
        return {{"date", u"日期", 80},
                {"category", u"类别", 87},
                {"from_value", u"调动前", 114},
                {"to_value", u"调动后", 112},
                {"reason", u"调动原因", 123}};
    default:
        return {};
    }
}

QString jetString(const QString& text)
{
    return u'"' + QString(text).replace(u'"', QLatin1String("\"\"")) + u'"';
}

QStringList gridFields(int page)
{
    QStringList fields;
    for (const PrintColumn& column : gridColumns(page)) {
        fields << QString::fromLatin1(column.field);
    }
    return fields;
}

} // namespace

QString tableTitle(int page)
{
    switch (page) {
    case 1:
        return QStringLiteral("家庭成员报表");
    case 2:
        return QStringLiteral("工作经历报表");
    case 3:
        return QStringLiteral("奖惩记录报表");
    case 4:
        return QStringLiteral("职称评定报表");
    case 5:
        return QStringLiteral("培训纪录报表");
    case 6:
        return QStringLiteral("合同");
    case 7:
        return QStringLiteral("调动记录报表");
    default:
        return {};
    }
}

std::unique_ptr<report::TableReport> detailTable(int page, const QString& personId, const QString& name,
                                                 report::TableRows rows, const QDate& printDate)
{
    report::TableFrame frame;
    frame.title = tableTitle(page);
    frame.ruleLength = 29;
    frame.headerLeft = QStringLiteral("编号: ") + personId + QStringLiteral("    姓名: ") + name;
    frame.footerRight = QStringLiteral("打印日期:") + printDate.toString(QStringLiteral("yyyy-MM-dd"));
    QList<report::TableColumn> columns;
    for (const PrintColumn& column : gridColumns(page)) {
        columns.append({QString::fromUtf16(column.title), double(column.width)});
    }
    return std::make_unique<report::TableReport>(frame, columns, std::move(rows));
}

report::TableRows shownRows(engine::Query& detail, int page)
{
    return report::datasetRows(detail, gridFields(page));
}

report::TableRows personRows(Tdm& dm, int page, const QString& personId)
{
    const engine::Query& shown = *dm.detailQuery(page);
    auto query = std::make_shared<engine::Query>(dm.db);
    query->setSql(shown.sql());
    query->defineMacro(QStringLiteral("where"), {});
    query->setMacro(QStringLiteral("where"), QStringLiteral("WHERE ") + workerpages::tieField(page) +
                                                 QStringLiteral(" = ") + jetString(personId));
    query->defineMacro(QStringLiteral("order"), shown.macro(QStringLiteral("order")));
    query->open();
    return report::datasetRows(std::move(query), gridFields(page));
}

void selectPerson(engine::Query& persons, const QString& personId)
{
    persons.close();
    persons.setFiltered(false);
    persons.setMacro(QStringLiteral("where"), QStringLiteral("WHERE ID = ") + jetString(personId));
    persons.open();
}

std::unique_ptr<report::Report> cards(Tdm& dm, report::Range range, const QDate& printDate, bool full)
{
    auto report = std::make_unique<CardReport>(*dm.personquery, range, printDate);
    if (full) {
        report->setAppendix([&dm, printDate](report::Canvas& canvas, const QString& id, const QString& name) {
            for (int page = 1; page <= 7; ++page) {
                report::TableRows rows = personRows(dm, page, id);
                if (rows.count > 0) {
                    detailTable(page, id, name, std::move(rows), printDate)->paint(canvas);
                }
            }
        });
    }
    return report;
}

} // namespace personprint
