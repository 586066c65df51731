#include "tools/officelists.h"

#include "data/engine/query.h"
#include "records/workerpages.h"

namespace officelists {

namespace {

QString fieldOf(const QStringList& fields, int choice)
{
    return fields.value(choice, fields.first());
}

/// Reopens the query with one macro changed; on failure the old value comes back.
void reopenWith(engine::Query& query, const QString& macro, const QString& value)
{
    const bool wasCleared = query.isMacroCleared(macro);
    const QString old = query.macro(macro);
    auto set = [&query, &macro](bool cleared, const QString& text) {
        if (cleared) {
            query.clearMacro(macro);
        } else {
            query.setMacro(macro, text);
        }
    };
    query.close();
    set(value.isEmpty(), value);
    try {
        query.open();
    } catch (...) {
        query.close();
        set(wasCleared, old);
        try {
            query.open();
        } catch (...) {
            // The first error is the one to report.
        }
        throw;
    }
}

} // namespace

QStringList addressSearchChoices()
{
    return {QStringLiteral("按姓名查询"), QStringLiteral("按拼音首字母查询"), QStringLiteral("按QQ查询"),
            QStringLiteral("按电子邮件查询")};
}

QString addressSearchField(int choice)
{
    return fieldOf({QStringLiteral("name"), QStringLiteral("name"), QStringLiteral("oicq"), QStringLiteral("email")},
                   choice);
}

QList<Column> addressColumns()
{
    return {
        {QStringLiteral("姓名"), QStringLiteral("name")},       {QStringLiteral("性别"), QStringLiteral("sex")},
        {QStringLiteral("家庭电话"), QStringLiteral("phone1")}, {QStringLiteral("工作电话"), QStringLiteral("phone2")},
        {QStringLiteral("联系电话"), QStringLiteral("call")},   {QStringLiteral("手机"), QStringLiteral("mphone")},
        {QStringLiteral("QQ"), QStringLiteral("oicq")},         {QStringLiteral("电子邮件"), QStringLiteral("email")}};
}

QStringList noteSearchChoices()
{
    return {QStringLiteral("按日期查询"), QStringLiteral("按类别查询"), QStringLiteral("按标题查询")};
}

QString noteSearchField(int choice)
{
    return fieldOf({QStringLiteral("date"), QStringLiteral("sort"), QStringLiteral("caption")}, choice);
}

QList<Column> noteColumns()
{
    return {{QStringLiteral("日期"), QStringLiteral("date")},
            {QStringLiteral("类别"), QStringLiteral("sort")},
            {QStringLiteral("标题"), QStringLiteral("caption")}};
}

void search(engine::Query& query, const QString& field, const QString& typed)
{
    // Built first: a text that is no valid pattern throws here and leaves the list as it is.
    const QString where = workerpages::filterWhere(field, typed);
    reopenWith(query, QStringLiteral("where"), where);
}

void sortBy(engine::Query& query, const QString& order)
{
    if (!order.isEmpty()) {
        reopenWith(query, QStringLiteral("order"), order);
    }
}

} // namespace officelists
