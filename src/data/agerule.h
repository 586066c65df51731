#pragma once

#include <QDateTime>

#include <functional>

/// The span rule for ages and years of service: whole years of mean months (30.4375 days)
/// between a date and now. The value moves up on or near the anniversary, depending on leap days
/// and the time of day.
namespace agerule {

/// Supplies "now"; tests set it, the program uses the local clock.
using Clock = std::function<QDateTime()>;
QDateTime systemNow();

/// Years between `from` and `now`: days including now's time of day, whole mean months of their
/// absolute value, then whole years of those months.
int yearsBetween(const QDateTime& from, const QDateTime& now);

} // namespace agerule
