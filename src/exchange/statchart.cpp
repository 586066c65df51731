#include "exchange/statchart.h"

#include "exchange/resultfile.h"

namespace statchart {

namespace {

bool isNumeric(const engine::ResultSet& result, int column)
{
    bool any = false;
    for (const QVariantList& row : result.rows) {
        const QVariant& v = row.value(column);
        if (v.isNull()) {
            continue;
        }
        if (v.typeId() != QMetaType::LongLong && v.typeId() != QMetaType::Double) {
            return false;
        }
        any = true;
    }
    return any;
}

} // namespace

std::optional<Chart> chartOf(const engine::ResultSet& result)
{
    if (result.rows.isEmpty()) {
        return std::nullopt;
    }
    int textColumn = -1;
    QList<int> numeric;
    for (int c = 0; c < result.columns.size(); ++c) {
        if (isNumeric(result, c)) {
            numeric << c;
        } else if (textColumn < 0) {
            textColumn = c;
        } else {
            return std::nullopt;
        }
    }
    if (textColumn < 0 || numeric.isEmpty()) {
        return std::nullopt;
    }
    Chart chart;
    chart.categoryTitle = result.columns[textColumn];
    for (const QVariantList& row : result.rows) {
        chart.categories << resultfile::cellText(row.value(textColumn), result.declaredTypes.value(textColumn));
    }
    for (const int c : numeric) {
        Series s;
        s.name = result.columns[c];
        for (const QVariantList& row : result.rows) {
            s.values << row.value(c).toDouble();
        }
        chart.series << s;
    }
    return chart;
}

} // namespace statchart
