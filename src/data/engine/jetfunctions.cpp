#include "data/engine/jetfunctions.h"

#include "data/engine/jetlike.h"
#include "data/engine/jetsql.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>

#include <cfenv>
#include <cmath>
#include <limits>
#include <optional>

#include <sqlite3.h>

namespace jet {

namespace {

// ---- values ----------------------------------------------------------------------------------

QString textOf(sqlite3_value* v);

QString numberText(double d)
{
    if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 1e15) {
        return QString::number(qint64(d));
    }
    return QString::number(d, 'g', 15);
}

/// The text Jet makes of a value when it joins or measures it.
QString textOf(sqlite3_value* v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        return QString::number(sqlite3_value_int64(v));
    case SQLITE_FLOAT:
        return numberText(sqlite3_value_double(v));
    case SQLITE_NULL:
        return {};
    default:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
    }
}

bool isNull(sqlite3_value* v)
{
    return sqlite3_value_type(v) == SQLITE_NULL;
}

void resultText(sqlite3_context* ctx, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    sqlite3_result_text(ctx, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
}

void resultNumber(sqlite3_context* ctx, double d)
{
    if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 9e15) {
        sqlite3_result_int64(ctx, qint64(d));
    } else {
        sqlite3_result_double(ctx, d);
    }
}

/// VBA rounds halves to even (CInt, Round, the operands of \ and Mod).
double bankersRound(double d)
{
    const int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(d);
    std::fesetround(mode);
    return r;
}

void invalidCall(sqlite3_context* ctx)
{
    sqlite3_result_error(ctx, "Invalid procedure call or argument", -1);
}

void invalidNull(sqlite3_context* ctx)
{
    sqlite3_result_error(ctx, "Invalid use of Null", -1);
}

void overflow(sqlite3_context* ctx)
{
    sqlite3_result_error(ctx, "Overflow", -1);
}

void typeMismatch(sqlite3_context* ctx)
{
    sqlite3_result_error(ctx, "Type mismatch", -1);
}

/// False (and the engine's "string or blob too big" set) when a text of `units` UTF-8 bytes would
/// exceed the connection's length limit: checked before the text is built, so that Space(2e9)
/// neither allocates gigabytes nor wraps an int.
bool fitsLengthLimit(sqlite3_context* ctx, double units)
{
    const int limit = sqlite3_limit(sqlite3_context_db_handle(ctx), SQLITE_LIMIT_LENGTH, -1);
    if (!(units <= double(limit))) {
        sqlite3_result_error_toobig(ctx);
        return false;
    }
    return true;
}

/// The whole number a value rounds to, or nothing when it does not fit a 64-bit integer.
std::optional<qint64> roundedInteger(sqlite3_value* v)
{
    if (sqlite3_value_type(v) == SQLITE_INTEGER) {
        return qint64(sqlite3_value_int64(v));
    }
    const double r = bankersRound(sqlite3_value_double(v));
    // 2^63 itself is out of range; every double below it converts exactly.
    if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0)) {
        return std::nullopt;
    }
    return qint64(r);
}

QList<uint> codePoints(const QString& s)
{
    return s.toUcs4();
}

QString fromCodePoints(const QList<uint>& cps, qsizetype from, qsizetype count)
{
    if (from >= cps.size() || count <= 0) {
        return {};
    }
    count = std::min(count, cps.size() - from);
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(cps.constData() + from), count);
}

// ---- dates -----------------------------------------------------------------------------------

const QDate& dayZero()
{
    static const QDate zero(1899, 12, 30);
    return zero;
}

struct DateValue
{
    QDateTime when;
    bool hasTime = false;
};

/// Reads ISO text (the stored form), the other forms of a #date# literal, or a Jet date serial.
std::optional<DateValue> readDate(sqlite3_value* v)
{
    const int type = sqlite3_value_type(v);
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
        const double serial = sqlite3_value_double(v);
        const double days = std::floor(serial);
        const qint64 ms = qint64(std::llround((serial - days) * 86400000.0));
        DateValue d;
        d.when = QDateTime(dayZero().addDays(qint64(days)), QTime(0, 0)).addMSecs(ms);
        d.hasTime = ms != 0;
        return d;
    }
    if (type != SQLITE_TEXT) {
        return std::nullopt;
    }
    QString text = textOf(v).trimmed();
    if (text.size() > 10 && text[10] == u'T') {
        text[10] = u' ';
    }
    const QString iso = parseDateLiteral(text);
    if (iso.isEmpty()) {
        return std::nullopt;
    }
    DateValue d;
    if (iso.size() > 10) {
        d.when = QDateTime::fromString(iso, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        d.hasTime = true;
    } else {
        d.when = QDateTime(QDate::fromString(iso, QStringLiteral("yyyy-MM-dd")), QTime(0, 0));
    }
    if (!d.when.isValid()) {
        return std::nullopt;
    }
    return d;
}

QString dateText(const QDateTime& when, bool withTime)
{
    if (withTime || when.time() != QTime(0, 0)) {
        return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    return when.date().toString(QStringLiteral("yyyy-MM-dd"));
}

/// Date arguments as in VBA: the weekday 1 = Sunday ... 7 = Saturday, counted from `firstDay`.
int vbWeekday(const QDate& d, int firstDay)
{
    const int sundayBased = d.dayOfWeek() % 7 + 1;
    return (sundayBased - firstDay + 7) % 7 + 1;
}

qint64 floorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

/// Index of the week (starting on `firstDay`, 1 = Sunday) that holds the date.
qint64 weekIndex(const QDate& d, int firstDay)
{
    static const qint64 knownSunday = QDate(2000, 1, 2).toJulianDay();
    return floorDiv(d.toJulianDay() - (knownSunday + firstDay - 1), 7);
}

int firstDayArgument(sqlite3_value** argv, int argc, int index)
{
    if (argc > index && !isNull(argv[index])) {
        const int f = sqlite3_value_int(argv[index]);
        if (f >= 1 && f <= 7) {
            return f;
        }
    }
    return 1;
}

// ---- the functions ---------------------------------------------------------------------------

void fnLike(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (isNull(argv[0]) || isNull(argv[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    try {
        bool matched = false;
        if (argc == 3 && !isNull(argv[2])) {
            const QList<uint> escape = codePoints(textOf(argv[2]));
            if (escape.size() != 1) {
                sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
                return;
            }
            matched = likeMatch(textOf(argv[0]), textOf(argv[1]), char32_t(escape.first()));
        } else {
            matched = likeMatch(textOf(argv[0]), textOf(argv[1]));
        }
        sqlite3_result_int(ctx, matched ? 1 : 0);
    } catch (const SqlError& e) {
        const QByteArray message = e.message().toUtf8();
        sqlite3_result_error(ctx, message.constData(), int(message.size()));
    }
}

void fnCat(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    QString text;
    bool any = false;
    for (int i = 0; i < argc; ++i) {
        if (!isNull(argv[i])) {
            any = true;
            text += textOf(argv[i]);
        }
    }
    if (!any) {
        sqlite3_result_null(ctx);
        return;
    }
    resultText(ctx, text);
}

void fnDate(sqlite3_context* ctx, int, sqlite3_value**)
{
    resultText(ctx, QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
}

void fnNow(sqlite3_context* ctx, int, sqlite3_value**)
{
    resultText(ctx, QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

void fnTime(sqlite3_context* ctx, int, sqlite3_value**)
{
    resultText(ctx, QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
}

template <int Part> void fnDatePart(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto d = readDate(argv[0]);
    if (!d) {
        // A time of day alone ("10:30:00") still has hours and minutes.
        sqlite3_result_null(ctx);
        return;
    }
    const QDate date = d->when.date();
    const QTime time = d->when.time();
    int value = 0;
    switch (Part) {
    case 0:
        value = date.year();
        break;
    case 1:
        value = date.month();
        break;
    case 2:
        value = date.day();
        break;
    case 3:
        value = time.hour();
        break;
    case 4:
        value = time.minute();
        break;
    case 5:
        value = time.second();
        break;
    default:
        value = vbWeekday(date, firstDayArgument(argv, argc, 1));
        break;
    }
    sqlite3_result_int(ctx, value);
}

void fnNz(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (!isNull(argv[0])) {
        sqlite3_result_value(ctx, argv[0]);
    } else if (argc > 1) {
        sqlite3_result_value(ctx, argv[1]);
    } else {
        sqlite3_result_text(ctx, "", 0, SQLITE_STATIC);
    }
}

void fnLeftRight(sqlite3_context* ctx, sqlite3_value** argv, bool left)
{
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    if (isNull(argv[1])) {
        invalidNull(ctx);
        return;
    }
    const qint64 n = sqlite3_value_int64(argv[1]);
    if (n < 0) {
        invalidCall(ctx);
        return;
    }
    const QList<uint> cps = codePoints(textOf(argv[0]));
    const qsizetype count = qsizetype(std::min<qint64>(n, cps.size()));
    resultText(ctx, fromCodePoints(cps, left ? 0 : cps.size() - count, count));
}

void fnLeft(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    fnLeftRight(ctx, argv, true);
}

void fnRight(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    fnLeftRight(ctx, argv, false);
}

void fnMid(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    if (isNull(argv[1]) || (argc > 2 && isNull(argv[2]))) {
        invalidNull(ctx);
        return;
    }
    const qint64 start = sqlite3_value_int64(argv[1]);
    const qint64 length = argc > 2 ? sqlite3_value_int64(argv[2]) : std::numeric_limits<qint64>::max();
    if (start < 1 || length < 0) {
        invalidCall(ctx);
        return;
    }
    const QList<uint> cps = codePoints(textOf(argv[0]));
    const qint64 count = std::min<qint64>(length, std::max<qint64>(0, cps.size() - (start - 1)));
    resultText(ctx, fromCodePoints(cps, qsizetype(start - 1), qsizetype(count)));
}

void fnLen(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    sqlite3_result_int64(ctx, codePoints(textOf(argv[0])).size());
}

void fnUcase(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    resultText(ctx, textOf(argv[0]).toUpper());
}

void fnLcase(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    resultText(ctx, textOf(argv[0]).toLower());
}

void fnInstr(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    // InStr(s1, s2) or InStr(start, s1, s2[, compare]); compare 0 is binary, otherwise as text.
    qint64 start = 1;
    int first = 0;
    bool binary = false;
    if (argc >= 3) {
        if (isNull(argv[0])) {
            invalidNull(ctx);
            return;
        }
        start = sqlite3_value_int64(argv[0]);
        first = 1;
        if (argc == 4 && !isNull(argv[3])) {
            binary = sqlite3_value_int(argv[3]) == 0;
        }
    }
    if (start < 1) {
        invalidCall(ctx);
        return;
    }
    if (isNull(argv[first]) || isNull(argv[first + 1])) {
        sqlite3_result_null(ctx);
        return;
    }
    QString haystack = textOf(argv[first]);
    QString needle = textOf(argv[first + 1]);
    if (!binary) {
        haystack = haystack.toCaseFolded();
        needle = needle.toCaseFolded();
    }
    const QList<uint> h = codePoints(haystack);
    const QList<uint> n = codePoints(needle);
    if (start > h.size()) {
        sqlite3_result_int(ctx, n.isEmpty() && start == 1 ? 1 : 0);
        return;
    }
    if (n.isEmpty()) {
        sqlite3_result_int64(ctx, start);
        return;
    }
    for (qsizetype i = qsizetype(start - 1); i + n.size() <= h.size(); ++i) {
        if (std::equal(n.begin(), n.end(), h.begin() + i)) {
            sqlite3_result_int64(ctx, i + 1);
            return;
        }
    }
    sqlite3_result_int(ctx, 0);
}

void fnVal(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    const int type = sqlite3_value_type(argv[0]);
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
        sqlite3_result_value(ctx, argv[0]);
        return;
    }
    // Val reads the leading number and skips blanks, tabs and line feeds anywhere in it.
    QString text = textOf(argv[0]);
    text.remove(QRegularExpression(QStringLiteral("[ \\t\\n\\r]")));
    static const QRegularExpression number(QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)([eEdD][+-]?\d+)?)"));
    const auto m = number.match(text);
    if (!m.hasMatch()) {
        sqlite3_result_int(ctx, 0);
        return;
    }
    QString digits = m.captured(0);
    digits.replace(u'd', u'e').replace(u'D', u'e');
    resultNumber(ctx, digits.toDouble());
}

void fnDaysAdd(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0]) || isNull(argv[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto d = readDate(argv[0]);
    if (!d) {
        sqlite3_result_null(ctx);
        return;
    }
    const double days = sqlite3_value_double(argv[1]);
    const QDateTime when = d->when.addMSecs(qint64(std::llround(days * 86400000.0)));
    resultText(ctx, dateText(when, d->hasTime));
}

void fnDaysDiff(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0]) || isNull(argv[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto a = readDate(argv[0]);
    const auto b = readDate(argv[1]);
    if (!a || !b) {
        sqlite3_result_null(ctx);
        return;
    }
    resultNumber(ctx, double(b->when.msecsTo(a->when)) / 86400000.0);
}

QString intervalOf(sqlite3_value* v)
{
    return textOf(v).trimmed().toLower();
}

void fnDateAdd(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[1]) || isNull(argv[2])) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto d = readDate(argv[2]);
    if (!d) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString interval = intervalOf(argv[0]);
    const qint64 n = qint64(std::trunc(sqlite3_value_double(argv[1])));
    QDateTime when = d->when;
    // Months are added with the day clamped to the month's end, as Jet does (Jan 31 + 1 m = Feb 28/29).
    if (interval == u"yyyy") {
        when.setDate(when.date().addYears(int(n)));
    } else if (interval == u"q") {
        when.setDate(when.date().addMonths(int(n * 3)));
    } else if (interval == u"m") {
        when.setDate(when.date().addMonths(int(n)));
    } else if (interval == u"y" || interval == u"d" || interval == u"w") {
        when = when.addDays(n);
    } else if (interval == u"ww") {
        when = when.addDays(n * 7);
    } else if (interval == u"h") {
        when = when.addSecs(n * 3600);
    } else if (interval == u"n") {
        when = when.addSecs(n * 60);
    } else if (interval == u"s") {
        when = when.addSecs(n);
    } else {
        invalidCall(ctx);
        return;
    }
    resultText(ctx, dateText(when, d->hasTime));
}

void fnDateDiff(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (isNull(argv[1]) || isNull(argv[2])) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto a = readDate(argv[1]);
    const auto b = readDate(argv[2]);
    if (!a || !b) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString interval = intervalOf(argv[0]);
    const QDate d1 = a->when.date();
    const QDate d2 = b->when.date();
    const qint64 s1 = QDateTime(dayZero(), QTime(0, 0)).secsTo(a->when);
    const qint64 s2 = QDateTime(dayZero(), QTime(0, 0)).secsTo(b->when);
    qint64 value = 0;
    // DateDiff counts the boundaries crossed between the two dates, not whole periods.
    if (interval == u"yyyy") {
        value = d2.year() - d1.year();
    } else if (interval == u"q") {
        value = (d2.year() * 4 + (d2.month() - 1) / 3) - (d1.year() * 4 + (d1.month() - 1) / 3);
    } else if (interval == u"m") {
        value = (d2.year() * 12 + d2.month()) - (d1.year() * 12 + d1.month());
    } else if (interval == u"y" || interval == u"d") {
        value = d1.daysTo(d2);
    } else if (interval == u"w") {
        value = d1.daysTo(d2) / 7;
    } else if (interval == u"ww") {
        const int firstDay = firstDayArgument(argv, argc, 3);
        value = weekIndex(d2, firstDay) - weekIndex(d1, firstDay);
    } else if (interval == u"h") {
        value = floorDiv(s2, 3600) - floorDiv(s1, 3600);
    } else if (interval == u"n") {
        value = floorDiv(s2, 60) - floorDiv(s1, 60);
    } else if (interval == u"s") {
        value = s2 - s1;
    } else {
        invalidCall(ctx);
        return;
    }
    sqlite3_result_int64(ctx, value);
}

void fnDatePartFn(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (isNull(argv[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto d = readDate(argv[1]);
    if (!d) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString interval = intervalOf(argv[0]);
    const QDate date = d->when.date();
    const QTime time = d->when.time();
    const int firstDay = firstDayArgument(argv, argc, 2);
    qint64 value = 0;
    if (interval == u"yyyy") {
        value = date.year();
    } else if (interval == u"q") {
        value = (date.month() - 1) / 3 + 1;
    } else if (interval == u"m") {
        value = date.month();
    } else if (interval == u"y") {
        value = date.dayOfYear();
    } else if (interval == u"d") {
        value = date.day();
    } else if (interval == u"w") {
        value = vbWeekday(date, firstDay);
    } else if (interval == u"ww") {
        // Week 1 is the week that holds January 1.
        value = weekIndex(date, firstDay) - weekIndex(QDate(date.year(), 1, 1), firstDay) + 1;
    } else if (interval == u"h") {
        value = time.hour();
    } else if (interval == u"n") {
        value = time.minute();
    } else if (interval == u"s") {
        value = time.second();
    } else {
        invalidCall(ctx);
        return;
    }
    sqlite3_result_int64(ctx, value);
}

void fnDateSerial(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0]) || isNull(argv[1]) || isNull(argv[2])) {
        invalidNull(ctx);
        return;
    }
    int year = sqlite3_value_int(argv[0]);
    if (year >= 0 && year < 100) {
        year = year < 30 ? 2000 + year : 1900 + year;
    }
    // Months and days outside their range roll over, as in Jet (month 13 is January of the next year).
    const QDate d = QDate(year, 1, 1).addMonths(sqlite3_value_int(argv[1]) - 1).addDays(sqlite3_value_int(argv[2]) - 1);
    if (!d.isValid()) {
        invalidCall(ctx);
        return;
    }
    resultText(ctx, d.toString(QStringLiteral("yyyy-MM-dd")));
}

void fnCDate(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto d = readDate(argv[0]);
    if (!d) {
        sqlite3_result_error(ctx, "Type mismatch", -1);
        return;
    }
    resultText(ctx, dateText(d->when, d->hasTime));
}

template <int Kind> void fnRounding(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    const double x = sqlite3_value_double(argv[0]);
    switch (Kind) {
    case 0: // Int
        resultNumber(ctx, std::floor(x));
        break;
    case 1: // Fix
        resultNumber(ctx, std::trunc(x));
        break;
    case 2: { // Round(x[, places])
        const int places = argc > 1 && !isNull(argv[1]) ? sqlite3_value_int(argv[1]) : 0;
        if (places < 0) {
            invalidCall(ctx);
            return;
        }
        const double scale = std::pow(10.0, places);
        const double r = bankersRound(x * scale) / scale;
        if (places == 0) {
            resultNumber(ctx, r);
        } else {
            sqlite3_result_double(ctx, r);
        }
        break;
    }
    case 3: // Sgn
        sqlite3_result_int(ctx, x > 0 ? 1 : x < 0 ? -1 : 0);
        break;
    case 4: // Sqr
        if (x < 0) {
            invalidCall(ctx);
            return;
        }
        sqlite3_result_double(ctx, std::sqrt(x));
        break;
    default: // ceiling, for TOP n PERCENT
        resultNumber(ctx, std::ceil(x));
        break;
    }
}

/// DateValue keeps the date and drops the time of day; TimeValue keeps the time alone.
template <bool DatePart> void fnDateOrTimeValue(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto d = readDate(argv[0]);
    if (!d) {
        typeMismatch(ctx);
        return;
    }
    resultText(ctx, DatePart ? d->when.date().toString(QStringLiteral("yyyy-MM-dd"))
                             : d->when.time().toString(QStringLiteral("HH:mm:ss")));
}

/// The number a conversion function reads: numbers as they are, a text holding a number, and the
/// texts "True" and "False" (-1 and 0) as VBA reads them.
std::optional<double> numberOf(sqlite3_value* v)
{
    const int type = sqlite3_value_type(v);
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
        return sqlite3_value_double(v);
    }
    if (type != SQLITE_TEXT) {
        return std::nullopt;
    }
    const QString text = textOf(v).trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
        return -1.0;
    }
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
        return 0.0;
    }
    bool ok = false;
    const double d = text.toDouble(&ok);
    if (!ok || !std::isfinite(d)) {
        return std::nullopt;
    }
    return d;
}

enum class Conversion
{
    Bool,
    Byte,
    Integer,
    Long,
    Currency,
    Single,
    Double
};

/// CBool, CByte, CInt, CLng, CCur, CSng and CDbl: a text that holds no number is a type mismatch,
/// a value outside the target type's range an overflow. Null stays Null.
template <Conversion Kind> void fnConvert(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto number = numberOf(argv[0]);
    if (!number) {
        typeMismatch(ctx);
        return;
    }
    const double x = *number;
    const auto whole = [&](double low, double high) {
        const double r = bankersRound(x);
        if (r < low || r > high) {
            overflow(ctx);
        } else {
            sqlite3_result_int64(ctx, qint64(r));
        }
    };
    switch (Kind) {
    case Conversion::Bool:
        sqlite3_result_int(ctx, x != 0 ? -1 : 0);
        break;
    case Conversion::Byte:
        whole(0, 255);
        break;
    case Conversion::Integer:
        whole(-32768, 32767);
        break;
    case Conversion::Long:
        whole(-2147483648.0, 2147483647.0);
        break;
    case Conversion::Currency: {
        // Four decimal places, the range of a 64-bit count of ten-thousandths.
        const double r = bankersRound(x * 10000.0) / 10000.0;
        if (std::fabs(r) > 922337203685477.5807) {
            overflow(ctx);
        } else {
            resultNumber(ctx, r);
        }
        break;
    }
    case Conversion::Single:
        if (std::fabs(x) > double(std::numeric_limits<float>::max())) {
            overflow(ctx);
        } else {
            // A single keeps seven significant digits; shown as a double it would gain noise digits.
            sqlite3_result_double(ctx, QString::number(double(float(x)), 'g', 7).toDouble());
        }
        break;
    case Conversion::Double:
        sqlite3_result_double(ctx, x);
        break;
    }
}

void fnCVar(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    sqlite3_result_value(ctx, argv[0]);
}

void fnCStr(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    resultText(ctx, textOf(argv[0]));
}

void fnStr(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    // Str keeps a place for the sign: positive numbers get a leading blank.
    const double x = sqlite3_value_double(argv[0]);
    resultText(ctx, (x >= 0 ? QStringLiteral(" ") : QString()) + numberText(x));
}

void fnSpace(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    const double n = bankersRound(sqlite3_value_double(argv[0]));
    if (n < 0) {
        invalidCall(ctx);
        return;
    }
    if (fitsLengthLimit(ctx, n)) {
        resultText(ctx, QString(qsizetype(n), u' '));
    }
}

/// String(n, c): n times the character c, given as a character code or as a text (its first character).
void fnString(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0])) {
        invalidNull(ctx);
        return;
    }
    if (isNull(argv[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    const double n = bankersRound(sqlite3_value_double(argv[0]));
    if (n < 0) {
        invalidCall(ctx);
        return;
    }
    QString character;
    const int type = sqlite3_value_type(argv[1]);
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
        // Codes above 255 are taken modulo 256, as VBA's String does.
        const qint64 code = qint64(bankersRound(sqlite3_value_double(argv[1])));
        if (code < 0) {
            invalidCall(ctx);
            return;
        }
        character = QChar(char16_t(code % 256));
    } else {
        const QList<uint> cps = codePoints(textOf(argv[1]));
        if (cps.isEmpty()) {
            invalidCall(ctx);
            return;
        }
        character = fromCodePoints(cps, 0, 1);
    }
    if (fitsLengthLimit(ctx, n * double(character.toUtf8().size()))) {
        resultText(ctx, character.repeated(qsizetype(n)));
    }
}

template <int Kind> void fnArithmetic(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (isNull(argv[0]) || isNull(argv[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    if (Kind == 2) {
        resultNumber(ctx, std::pow(sqlite3_value_double(argv[0]), sqlite3_value_double(argv[1])));
        return;
    }
    // \ and Mod round both operands to whole numbers first.
    const auto a = roundedInteger(argv[0]);
    const auto b = roundedInteger(argv[1]);
    if (!a || !b) {
        overflow(ctx);
        return;
    }
    if (*b == 0) {
        sqlite3_result_error(ctx, "Division by zero", -1);
        return;
    }
    // The one quotient that does not fit: the smallest integer divided by -1 (a hardware trap in C++).
    if (*b == -1) {
        if (Kind == 0 && *a == std::numeric_limits<qint64>::min()) {
            overflow(ctx);
            return;
        }
        sqlite3_result_int64(ctx, Kind == 0 ? -*a : 0);
        return;
    }
    sqlite3_result_int64(ctx, Kind == 0 ? *a / *b : *a % *b);
}

// ---- Format ----------------------------------------------------------------------------------

QString formatNumber(double x, const QString& format)
{
    const bool percent = format.contains(u'%');
    if (percent) {
        x *= 100;
    }
    const int dot = int(format.indexOf(u'.'));
    const QString integerPart = dot < 0 ? format : format.left(dot);
    const QString fraction = dot < 0 ? QString() : format.mid(dot + 1);
    const int decimals = int(fraction.count(u'0') + fraction.count(u'#'));
    const int minDigits = int(integerPart.count(u'0'));
    const bool grouping = integerPart.contains(u',');
    QString digits = QString::number(std::fabs(bankersRound(x * std::pow(10.0, decimals)) / std::pow(10.0, decimals)),
                                     'f', decimals);
    QString whole = dot < 0 || decimals == 0 ? digits.section(u'.', 0, 0) : digits.section(u'.', 0, 0);
    QString frac = decimals > 0 ? digits.section(u'.', 1, 1) : QString();
    // Optional places (#) after the point drop trailing zeros.
    const int required = int(fraction.count(u'0'));
    while (frac.size() > required && frac.endsWith(u'0')) {
        frac.chop(1);
    }
    if (whole == u"0" && minDigits == 0) {
        whole.clear();
    }
    while (whole.size() < minDigits) {
        whole.prepend(u'0');
    }
    if (grouping) {
        for (int i = int(whole.size()) - 3; i > 0; i -= 3) {
            whole.insert(i, u',');
        }
    }
    QString text = whole;
    if (!frac.isEmpty() || (dot >= 0 && required > 0)) {
        text += u'.' + frac;
    }
    if (x < 0 && text.contains(QRegularExpression(QStringLiteral("[1-9]")))) {
        text.prepend(u'-');
    }
    if (percent) {
        text += u'%';
    }
    return text;
}

QString formatDate(const QDateTime& when, const QString& format)
{
    const QString f = format.toLower();
    if (f == u"short date" || f == u"general date" || f == u"medium date") {
        return dateText(when, f == u"general date" && when.time() != QTime(0, 0));
    }
    if (f == u"long date") {
        return when.toString(QStringLiteral("yyyy年M月d日"));
    }
    if (f == u"short time") {
        return when.toString(QStringLiteral("HH:mm"));
    }
    if (f == u"long time" || f == u"medium time") {
        return when.toString(QStringLiteral("HH:mm:ss"));
    }
    QString out;
    bool afterHour = false;
    for (int i = 0; i < format.size();) {
        const QChar c = format[i].toLower();
        int run = 1;
        while (i + run < format.size() && format[i + run].toLower() == c) {
            ++run;
        }
        if (format[i] == u'\\' && i + 1 < format.size()) {
            out += format[i + 1];
            i += 2;
            continue;
        }
        if (format[i] == u'"') {
            const int end = int(format.indexOf(u'"', i + 1));
            out += format.mid(i + 1, end < 0 ? -1 : end - i - 1);
            i = end < 0 ? int(format.size()) : end + 1;
            continue;
        }
        const QDate d = when.date();
        const QTime t = when.time();
        if (c == u'y') {
            out += run >= 3   ? QString::number(d.year())
                   : run == 2 ? QStringLiteral("%1").arg(d.year() % 100, 2, 10, QChar(u'0'))
                              : QString::number(d.dayOfYear());
            afterHour = false;
        } else if (c == u'm') {
            if (afterHour && run <= 2) {
                out +=
                    run == 2 ? QStringLiteral("%1").arg(t.minute(), 2, 10, QChar(u'0')) : QString::number(t.minute());
            } else {
                out += run == 2 ? QStringLiteral("%1").arg(d.month(), 2, 10, QChar(u'0')) : QString::number(d.month());
            }
            afterHour = false;
        } else if (c == u'd') {
            out += run == 2 ? QStringLiteral("%1").arg(d.day(), 2, 10, QChar(u'0')) : QString::number(d.day());
            afterHour = false;
        } else if (c == u'h') {
            out += run == 2 ? QStringLiteral("%1").arg(t.hour(), 2, 10, QChar(u'0')) : QString::number(t.hour());
            afterHour = true;
        } else if (c == u'n') {
            out += run == 2 ? QStringLiteral("%1").arg(t.minute(), 2, 10, QChar(u'0')) : QString::number(t.minute());
            afterHour = false;
        } else if (c == u's') {
            out += run == 2 ? QStringLiteral("%1").arg(t.second(), 2, 10, QChar(u'0')) : QString::number(t.second());
            afterHour = false;
        } else {
            out += format.mid(i, run);
        }
        i += run;
    }
    return out;
}

void fnFormat(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString format = argc > 1 && !isNull(argv[1]) ? textOf(argv[1]) : QString();
    if (format.isEmpty()) {
        resultText(ctx, textOf(argv[0]));
        return;
    }
    const int type = sqlite3_value_type(argv[0]);
    static const QRegularExpression numeric(QStringLiteral(R"(^[0#,.%]+$)"));
    const QString named = format.toLower();
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT ||
        (type == SQLITE_TEXT && numeric.match(format).hasMatch() && !readDate(argv[0]))) {
        const double x = sqlite3_value_double(argv[0]);
        if (named == u"fixed") {
            resultText(ctx, formatNumber(x, QStringLiteral("0.00")));
        } else if (named == u"standard") {
            resultText(ctx, formatNumber(x, QStringLiteral("#,##0.00")));
        } else if (named == u"percent") {
            resultText(ctx, formatNumber(x, QStringLiteral("0.00%")));
        } else if (named == u"general number") {
            resultText(ctx, numberText(x));
        } else if (numeric.match(format).hasMatch()) {
            resultText(ctx, formatNumber(x, format));
        } else if (const auto d = readDate(argv[0])) {
            resultText(ctx, formatDate(d->when, format));
        } else {
            resultText(ctx, textOf(argv[0]));
        }
        return;
    }
    if (const auto d = readDate(argv[0])) {
        resultText(ctx, formatDate(d->when, format));
        return;
    }
    resultText(ctx, textOf(argv[0]));
}

struct Registration
{
    const char* name;
    int args;
    void (*fn)(sqlite3_context*, int, sqlite3_value**);
    bool deterministic;
};

} // namespace

void registerFunctions(sqlite3* db)
{
    static const Registration functions[] = {
        {"like", 2, fnLike, true},
        {"like", 3, fnLike, true},
        {"jet_cat", -1, fnCat, true},
        {"jet_date", 0, fnDate, false},
        {"jet_now", 0, fnNow, false},
        {"jet_time", 0, fnTime, false},
        // Safety net for SQL that reached the engine untranslated: date() would be UTC.
        {"date", 0, fnDate, false},
        {"time", 0, fnTime, false},
        {"jet_year", 1, fnDatePart<0>, true},
        {"jet_month", 1, fnDatePart<1>, true},
        {"jet_day", 1, fnDatePart<2>, true},
        {"jet_hour", 1, fnDatePart<3>, true},
        {"jet_minute", 1, fnDatePart<4>, true},
        {"jet_second", 1, fnDatePart<5>, true},
        {"jet_weekday", 1, fnDatePart<6>, true},
        {"jet_weekday", 2, fnDatePart<6>, true},
        {"jet_nz", 1, fnNz, true},
        {"jet_nz", 2, fnNz, true},
        {"jet_left", 2, fnLeft, true},
        {"jet_right", 2, fnRight, true},
        {"jet_mid", 2, fnMid, true},
        {"jet_mid", 3, fnMid, true},
        {"jet_len", 1, fnLen, true},
        {"jet_ucase", 1, fnUcase, true},
        {"jet_lcase", 1, fnLcase, true},
        {"jet_instr", 2, fnInstr, true},
        {"jet_instr", 3, fnInstr, true},
        {"jet_instr", 4, fnInstr, true},
        {"jet_val", 1, fnVal, true},
        {"jet_daysadd", 2, fnDaysAdd, true},
        {"jet_daysdiff", 2, fnDaysDiff, true},
        {"jet_dateadd", 3, fnDateAdd, true},
        {"jet_datediff", 3, fnDateDiff, true},
        {"jet_datediff", 4, fnDateDiff, true},
        {"jet_datediff", 5, fnDateDiff, true},
        {"jet_datepart", 2, fnDatePartFn, true},
        {"jet_datepart", 3, fnDatePartFn, true},
        {"jet_datepart", 4, fnDatePartFn, true},
        {"jet_dateserial", 3, fnDateSerial, true},
        {"jet_cdate", 1, fnCDate, true},
        {"jet_int", 1, fnRounding<0>, true},
        {"jet_fix", 1, fnRounding<1>, true},
        {"jet_round", 1, fnRounding<2>, true},
        {"jet_round", 2, fnRounding<2>, true},
        {"jet_sgn", 1, fnRounding<3>, true},
        {"jet_sqr", 1, fnRounding<4>, true},
        {"jet_cbool", 1, fnConvert<Conversion::Bool>, true},
        {"jet_cbyte", 1, fnConvert<Conversion::Byte>, true},
        {"jet_cint", 1, fnConvert<Conversion::Integer>, true},
        {"jet_clng", 1, fnConvert<Conversion::Long>, true},
        {"jet_ccur", 1, fnConvert<Conversion::Currency>, true},
        {"jet_csng", 1, fnConvert<Conversion::Single>, true},
        {"jet_cdbl", 1, fnConvert<Conversion::Double>, true},
        {"jet_cvar", 1, fnCVar, true},
        {"jet_datevalue", 1, fnDateOrTimeValue<true>, true},
        {"jet_timevalue", 1, fnDateOrTimeValue<false>, true},
        {"jet_ceil", 1, fnRounding<5>, true},
        {"jet_cstr", 1, fnCStr, true},
        {"jet_str", 1, fnStr, true},
        {"jet_space", 1, fnSpace, true},
        {"jet_string", 2, fnString, true},
        {"jet_intdiv", 2, fnArithmetic<0>, true},
        {"jet_mod", 2, fnArithmetic<1>, true},
        {"jet_pow", 2, fnArithmetic<2>, true},
        {"jet_format", 1, fnFormat, true},
        {"jet_format", 2, fnFormat, true},
    };
    for (const Registration& r : functions) {
        const int flags = SQLITE_UTF8 | (r.deterministic ? SQLITE_DETERMINISTIC : 0);
        sqlite3_create_function(db, r.name, r.args, flags, nullptr, r.fn, nullptr, nullptr);
    }
}

} // namespace jet
