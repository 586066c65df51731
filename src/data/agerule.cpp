#include "data/agerule.h"

#include <cmath>

namespace agerule {

QDateTime systemNow()
{
    return QDateTime::currentDateTime();
}

int yearsBetween(const QDateTime& from, const QDateTime& now)
{
    // Calendar days plus the difference of the times of day, so that daylight saving changes
    // between the two dates do not move the result by an hour.
    const double days = double(from.date().daysTo(now.date())) +
                        double(now.time().msecsSinceStartOfDay() - from.time().msecsSinceStartOfDay()) / 86400000.0;
    const auto months = static_cast<qint64>(std::floor(std::fabs(days) / 30.4375));
    return int(months / 12);
}

} // namespace agerule
