#include "tools/reminders.h"

namespace reminders {

QString caption(List list)
{
    return list == List::Birthdays ? QStringLiteral("本月过生日的员工") : QStringLiteral("一个月内合同到期的员工");
}

QStringList sqlLines(List list)
{
    // The texts, trailing blanks included, are those the lists have always run; the translator
    // turns them into SQLite.
    if (list == List::Birthdays) {
        return {
            QStringLiteral("SELECT person.name AS 姓名,month(person.birth) & '月' & day(person.birth) & '日'  AS 生日, "
                           "person.dept AS 部门,person.duty AS 职务 FROM person "),
            QStringLiteral("WHERE Month([person.birth]) = Month(date()) and person.status=1  "),
            QStringLiteral("order by day(person.birth) "),
        };
    }
    return {
        QStringLiteral("SELECT person.name as 姓名, contracts.start_date as 起始日期 ,contracts.end_date as 到期日,  "
                       "contracts.contract_no as 合同编号, contracts.name as 合同名称, contracts.category as 合同类别, "
                       "contracts.prop as 合同性质 "),
        QStringLiteral("FROM person, contracts "),
        QStringLiteral("WHERE person.id = contracts.person_id and contracts.end_date >= date() and ( "
                       "contracts.end_date < date()+30 )  and person.status=1  "),
        QStringLiteral("ORDER BY contracts.end_date "),
    };
}

engine::ResultSet select(engine::Database& db, List list)
{
    return db.select(sqlLines(list).join(u' '));
}

Counts counts(engine::Database& db)
{
    return {int(select(db, List::Birthdays).rows.size()), int(select(db, List::Contracts).rows.size())};
}

} // namespace reminders
