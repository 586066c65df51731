#include "records/workerpages.h"

#include "data/dmunit.h"

#include <array>

namespace workerpages {
namespace {

const std::array<PageDescription, PageCount>& pages()
{
    static const std::array<PageDescription, PageCount> table{{
        {QStringLiteral("基本档案"),
         QStringLiteral("新建人员"),
         QStringLiteral("人员资料保存成功！"),
         QStringLiteral("你真的要删除本条记录吗？"),
         nullptr,
         QString(),
         {},
         {},
         false,
         false,
         true,
         QString()},
        {QStringLiteral("家庭成员"),
         QStringLiteral("新增家庭成员"),
         QStringLiteral("家庭成员保存成功！"),
         QStringLiteral("你真的要删除本条\"家庭成员\"吗？"),
         &Tdm::familyquery,
         QStringLiteral("ID"),
         {{"name", QStringLiteral("新成员")}},
         {{"name", "成员姓名", 60},
          {"relation", "与本人关系", 70},
          {"date", "出生日期", 80},
          {"dept", "工作单位", 70},
          {"duty", "担任职务", 70},
          {"political", "政治面貌", 60},
          {"phone", "联系电话", 70}},
         true,
         false,
         true,
         QStringLiteral("家庭成员报表")},
        {QStringLiteral("工作经历"),
         QStringLiteral("新增工作经历"),
         QStringLiteral("工作经历保存成功！"),
         QStringLiteral("你真的要删除本条\"工作经历\"吗？"),
         &Tdm::histquery,
         QStringLiteral("ID"),
         {{"date1", QString(), true}, {"date2", QString(), true}},
         {{"date1", "开始时间", 80},
          {"date2", "结束时间", 80},
          {"company", "工作单位", 70},
          {"dept", "部门名称", 70},
          {"duty", "担任职务", 70},
          {"level1", "级别", 70}},
         true,
         false,
         true,
         QStringLiteral("工作经历报表")},
        {QStringLiteral("奖惩纪录"),
         QStringLiteral("新增奖惩纪录"),
         QStringLiteral("奖惩纪录保存成功！"),
         QStringLiteral("你真的要删除本条\"奖惩纪录\"吗？"),
         &Tdm::honorquery,
         QStringLiteral("ID"),
         {{"sorts", QStringLiteral("新类别")}},
         {{"sorts", "奖惩种类", 60},
          {"date1", "奖惩日期", 80},
          {"reason1", "奖惩原因", 60},
          {"dept", "奖惩批准单位", 80},
          {"date2", "解除处分日期", 80},
          {"reason2", "解除处分原因", 100}},
         true,
         true,
         true,
         QStringLiteral("奖惩记录报表")},
        {QStringLiteral("职称评定"),
         QStringLiteral("新增职称评定"),
         QStringLiteral("职称评定保存成功！"),
         QStringLiteral("你真的要删除本条\"职称评定\"吗？"),
         &Tdm::assessquery,
         QStringLiteral("ID"),
         {{"tech", QStringLiteral("新建资格名")}},
         {{"tech", "专业技术资格名", 90},
          {"mode", "取得方式", 60},
          {"date0", "取得日期", 60},
          {"duty", "聘用专业技术职务", 100},
          {"date1", "聘用开始时间", 80},
          {"date2", "聘用结束时间", 80},
          {"dept", "聘用单位", 60}},
         true,
         false,
         true,
         QStringLiteral("职称评定报表")},
        {QStringLiteral("培训纪录"),
         QStringLiteral("新建培训记录"),
         QStringLiteral("培训纪录保存成功！"),
         QStringLiteral("你真的要删除本条\"培训纪录\"吗？"),
         &Tdm::trainquery,
         QStringLiteral("ID"),
         {{"mode", QStringLiteral("新建培训")}},
         {{"mode", "培训方式", 60},
          {"date1", "开始时间", 80},
          {"date2", "结束时间", 80},
          {"term", "培训期限", 60},
          {"subject", "所学专业", 60},
          {"dept", "培训单位", 60},
          {"content", "培训内容", 60},
          {"outlay", "培训经费", 60},
          {"result", "培训结果", 60}},
         true,
         false,
         true,
         QStringLiteral("培训纪录报表")},
        {QStringLiteral("合同管理"),
         QStringLiteral("新建合同"),
         QStringLiteral("合同保存成功！"),
         QStringLiteral("你真的要删除本条\"合同\"吗？"),
         &Tdm::contractquery,
         QStringLiteral("person_id"),
         {{"contract_no", QStringLiteral("新建合同")}},
         {{"contract_no", "合同编号", 80},
          {"name", "合同名称", 80},
          {"category", "合同类型", 80},
          {"prop", "合同性质", 80},
          {"start_date", "起始日期", 80},
          {"end_date", "终止日期", 80},
          {"comment", "备注", 80}},
         false,
         false,
         true,
         QStringLiteral("合同")},
        {QStringLiteral("调动记录"),
         QStringLiteral("新建调动记录"),
         QStringLiteral("调动纪录保存成功！"),
         QStringLiteral("你真的要删除本条\"调动记录\"吗？"),
         &Tdm::redeployquery,
         QStringLiteral("person_id"),
         {},
         {{"date", "日期", 80},
          {"category", "类别", 87},
          {"from_value", "调动前", 114},
          {"to_value", "调动后", 112},
          {"reason", "调动原因", 123}},
         false,
         false,
         true,
         QStringLiteral("调动记录报表")},
        {QStringLiteral("备注"),
         QString(),
         QStringLiteral("备注保存成功！"),
         QString(),
         nullptr,
         QString(),
         {},
         {},
         false,
         false,
         false,
         QString()},
    }};
    return table;
}

} // namespace

bool isDetailPage(int page)
{
    return page > PersonPage && page < NotesPage;
}

const PageDescription& description(int page)
{
    return pages()[std::size_t(page >= 0 && page < PageCount ? page : PersonPage)];
}

QList<QPair<QString, QString>> newRowDefaults(int page, const QDate& today)
{
    QList<QPair<QString, QString>> values;
    for (const NewRowValue& value : description(page).newRow) {
        values.append({value.field, value.today ? today.toString(QStringLiteral("yyyy-MM-dd")) : value.text});
    }
    return values;
}

QString filterWhere(const QString& field, const QString& typed)
{
    if (typed.isEmpty()) {
        return QString();
    }
    QString literal = typed;
    literal.replace(u'"', QStringLiteral("\"\""));
    return QStringLiteral("WHERE %1 LIKE \"%2*\"").arg(field, literal);
}

QString SortCycle::click(int column, const QString& field)
{
    if (column != m_column) {
        m_column = column;
        m_mark = Mark::Ascending;
    } else {
        m_mark = m_mark == Mark::None ? Mark::Ascending : m_mark == Mark::Ascending ? Mark::Descending : Mark::None;
    }
    switch (m_mark) {
    case Mark::Ascending:
        return field;
    case Mark::Descending:
        return field + QStringLiteral(" DESC");
    case Mark::None:
        break;
    }
    return QString();
}

} // namespace workerpages
