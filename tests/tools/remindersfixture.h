#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

/// Persons and contracts with dates relative to `today`, for the reminder lists.
///
/// Birthdays this month: 一号 (the 1st), 中号 (the 15th), 末号 (the month's last day), each born in
/// another year; not listed: 无生日 (no birth date), 离职 (departed), 外月 (born in another month).
/// Contracts within 30 days, by end date: 一号 today, 一号 in 10 days, 外月 in 29 days; not
/// listed: 中号 in exactly 30 days and yesterday, 离职 in 5 days.
inline QString reminderRows(const QDate& today)
{
    const auto day = [&](int year, int d) { return QDate(year, today.month(), d).toString(Qt::ISODate); };
    const auto in = [&](int days) { return today.addDays(days).toString(Qt::ISODate); };
    const QDate otherMonth = today.addMonths(6);
    QStringList sql;
    sql << QStringLiteral("INSERT INTO person(ID,name,birth,dept,duty,status) VALUES"
                          " ('P3','中号','%1','生产部','组长',1), ('P2','末号','%2','技术部',NULL,1),"
                          " ('P1','一号','%3','技术部','主管',1), ('P4','无生日',NULL,'技术部',NULL,1),"
                          " ('P5','离职','%4','技术部',NULL,2), ('P6','外月','%5','销售部',NULL,1);")
               .arg(day(2001, 15), day(1980, today.daysInMonth()), day(1995, 1), day(1985, 10),
                    QDate(1980, otherMonth.month(), 5).toString(Qt::ISODate));
    sql << QStringLiteral("INSERT INTO contracts(person_id,contract_no,name,category,prop,start_date,end_date) VALUES"
                          " ('P3','C30','劳动合同','固定期限','续签','2020-01-01','%1'),"
                          " ('P1','C10','劳动合同','固定期限','续签','2020-01-01','%2'),"
                          " ('P6','C29','劳务协议','任务','新签','2021-03-04','%3'),"
                          " ('P1','C00','劳动合同','固定期限','新签','2019-05-06','%4'),"
                          " ('P3','Cm1','劳动合同','固定期限','续签','2020-01-01','%5'),"
                          " ('P5','C05','劳动合同','固定期限','续签','2020-01-01','%6');")
               .arg(in(30), in(10), in(29), in(0), in(-1), in(5));
    return sql.join(u'\n');
}
