#include "records/workerpages.h"

#include "data/likeliteral.h"

namespace workerpages {
namespace {

struct Page
{
    const char16_t* caption;
    const char16_t* add;
    const char16_t* saved;
    const char16_t* question;
    const char16_t* tie;
};

const Page kPages[PageCount] = {
    {u"基本档案", u"新建人员", u"人员资料保存成功！", u"你真的要删除本条记录吗？", u""},
    {u"家庭成员", u"新增家庭成员", u"家庭成员保存成功！", u"你真的要删除本条\"家庭成员\"吗？", u"id"},
    {u"工作经历", u"新增工作经历", u"工作经历保存成功！", u"你真的要删除本条\"工作经历\"吗？", u"id"},
    {u"奖惩纪录", u"新增奖惩纪录", u"奖惩纪录保存成功！", u"你真的要删除本条\"奖惩纪录\"吗？", u"id"},
    {u"职称评定", u"新增职称评定", u"职称评定保存成功！", u"你真的要删除本条\"职称评定\"吗？", u"id"},
    {u"培训纪录", u"新建培训记录", u"培训纪录保存成功！", u"你真的要删除本条\"培训纪录\"吗？", u"id"},
    {u"合同管理", u"新建合同", u"合同保存成功！", u"你真的要删除本条\"合同\"吗？", u"person_id"},
    {u"调动记录", u"新建调动记录", u"调动纪录保存成功！", u"你真的要删除本条\"调动记录\"吗？", u"person_id"},
    {u"备注", u"", u"备注保存成功！", u"", u""},
};

QString text(const char16_t* s)
{
    return QString::fromUtf16(s);
}

const Page& at(int page)
{
    return kPages[page >= 0 && page < PageCount ? page : PersonPage];
}

} // namespace

bool isDetailPage(int page)
{
    return page > PersonPage && page < NotesPage;
}

QString pageCaption(int page)
{
    return text(at(page).caption);
}

QString addCaption(int page)
{
    return text(at(page).add);
}

QString savedMessage(int page)
{
    return text(at(page).saved);
}

QString deleteQuestion(int page)
{
    return text(at(page).question);
}

bool hasGridDeletion(int page)
{
    return isDetailPage(page) && page != 3;
}

QString tieField(int page)
{
    return isDetailPage(page) ? text(at(page).tie) : QString();
}

QList<QPair<QString, QString>> newRowDefaults(int page, const QDate& today)
{
    switch (page) {
    case 1:
        return {{"name", QStringLiteral("新成员")}};
    case 2:
        return {{"date1", today.toString("yyyy-MM-dd")}, {"date2", today.toString("yyyy-MM-dd")}};
    case 3:
        return {{"sorts", QStringLiteral("新类别")}};
    case 4:
        return {{"tech", QStringLiteral("新建资格名")}};
    case 5:
        return {{"mode", QStringLiteral("新建培训")}};
    case 6:
        return {{"contract_no", QStringLiteral("新建合同")}};
    default:
        return {};
    }
}

QString filterWhere(const QString& field, const QString& typed)
{
    if (typed.isEmpty()) {
        return QString();
    }
    return QStringLiteral("WHERE %1 LIKE %2").arg(field, likeLiteral(typed, QStringLiteral("*")));
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
