#include "records/personprint.h"

#include "data/dmunit.h"
#include "data/engine/query.h"
#include "records/cardreport.h"
#include "records/workerpages.h"
#include "report/datasetrows.h"

namespace personprint {

namespace {

QString jetString(const QString& text)
{
    return u'"' + QString(text).replace(u'"', QLatin1String("\"\"")) + u'"';
}

QStringList gridFields(int page)
{
    QStringList fields;
    for (const workerpages::GridColumn& column : workerpages::description(page).columns) {
        fields << column.field;
    }
    return fields;
}

} // namespace

std::unique_ptr<report::TableReport> detailTable(int page, const QString& personId, const QString& name,
                                                 report::TableRows rows, const QDate& printDate)
{
    report::TableFrame frame;
    frame.title = workerpages::description(page).printTitle;
    frame.ruleLength = 29;
    frame.headerLeft = QStringLiteral("编号: ") + personId + QStringLiteral("    姓名: ") + name;
    frame.footerRight = QStringLiteral("打印日期:") + printDate.toString(QStringLiteral("yyyy-MM-dd"));
    QList<report::TableColumn> columns;
    for (const workerpages::GridColumn& column : workerpages::description(page).columns) {
        columns.append({column.title, double(column.width)});
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
    query->setMacro(QStringLiteral("where"), QStringLiteral("WHERE ") + workerpages::description(page).tieField +
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
            for (int page = 0; page < workerpages::PageCount; ++page) {
                if (!workerpages::isDetailPage(page) || !workerpages::description(page).prints) {
                    continue;
                }
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
