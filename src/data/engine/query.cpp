#include "data/engine/query.h"

#include <algorithm>
#include <vector>

namespace engine {

QString expandMacros(const QString& text, const QList<QPair<QString, QString>>& macros)
{
    // Markers are found in the text as written, so a value is inserted unchanged even when it
    // happens to hold another marker.
    struct Hit
    {
        int at;
        int length;
        QString value;
    };
    std::vector<Hit> hits;
    for (const auto& macro : macros) {
        const QString marker = u'%' + macro.first;
        int from = 0;
        for (;;) {
            const int at = text.indexOf(marker, from, Qt::CaseInsensitive);
            if (at < 0) {
                break;
            }
            const bool overlaps = std::any_of(hits.begin(), hits.end(), [&](const Hit& hit) {
                return at < hit.at + hit.length && hit.at < at + marker.size();
            });
            if (!overlaps) {
                hits.push_back({at, int(marker.size()), macro.second});
                break;
            }
            from = at + 1;
        }
    }
    std::sort(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) { return a.at < b.at; });
    QString result;
    int pos = 0;
    for (const Hit& hit : hits) {
        result += QStringView(text).mid(pos, hit.at - pos);
        result += hit.value;
        pos = hit.at + hit.length;
    }
    result += QStringView(text).mid(pos);
    return result;
}

Query::Query(Database* database, QObject* parent) : Dataset(database, parent) {}

Query::Macro* Query::find(const QString& name)
{
    for (Macro& macro : m_macros) {
        if (macro.name.compare(name, Qt::CaseInsensitive) == 0) {
            return &macro;
        }
    }
    return nullptr;
}

const Query::Macro* Query::find(const QString& name) const
{
    return const_cast<Query*>(this)->find(name);
}

Query::Macro& Query::entry(const QString& name)
{
    if (Macro* macro = find(name)) {
        return *macro;
    }
    m_macros.append(Macro{name, {}, false, false});
    return m_macros.last();
}

void Query::assign(const QString& name, const QString& value, bool cleared, bool isStoredDefault)
{
    Macro& macro = entry(name);
    macro.value = value;
    macro.cleared = cleared;
    macro.isStoredDefault = isStoredDefault;
}

void Query::defineMacro(const QString& name, const QString& storedDefault)
{
    assign(name, storedDefault, false, true);
}

void Query::setMacro(const QString& name, const QString& value)
{
    assign(name, value, false, false);
}

void Query::clearMacro(const QString& name)
{
    assign(name, QString(), true, false);
}

QString Query::macro(const QString& name) const
{
    const Macro* macro = find(name);
    return macro ? macro->value : QString();
}

bool Query::isMacroCleared(const QString& name) const
{
    const Macro* macro = find(name);
    return !macro || macro->cleared;
}

QString Query::expandedSql() const
{
    QList<QPair<QString, QString>> values;
    for (const Macro& macro : m_macros) {
        QString value = macro.cleared ? QString() : macro.value;
        if (macro.isStoredDefault && macro.name.compare(QLatin1String("where"), Qt::CaseInsensitive) == 0 &&
            !value.trimmed().startsWith(QLatin1String("where"), Qt::CaseInsensitive)) {
            value.clear();
        }
        values.append({macro.name, value});
    }
    return expandMacros(text(), values);
}

int Query::execSql()
{
    if (!database()) {
        throw DbError(QStringLiteral("Missing database connection"));
    }
    return database()->execute(expandedSql());
}

} // namespace engine
