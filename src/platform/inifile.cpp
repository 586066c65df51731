#include "platform/inifile.h"

#include "platform/textfile.h"

#include <optional>

namespace ini {
namespace {

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

/// The name of a "[section]" line, or nothing for any other line.
std::optional<QString> sectionName(const QString& line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(u'[')) {
        return std::nullopt;
    }
    const qsizetype close = t.indexOf(u']');
    if (close < 0) {
        return std::nullopt;
    }
    return t.mid(1, close - 1).trimmed();
}

struct KeyLine
{
    QString key;
    QString value;
};

std::optional<KeyLine> keyLine(const QString& line)
{
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(u';')) {
        return std::nullopt;
    }
    const qsizetype eq = t.indexOf(u'=');
    if (eq <= 0) {
        return std::nullopt;
    }
    return KeyLine{t.left(eq).trimmed(), t.mid(eq + 1).trimmed()};
}

QStringList linesOf(const QString& file)
{
    return textfile::readLinesIfPresent(file).value_or(QStringList());
}

/// Calls visit(lineIndex, key, value) for each key line of the first section of that name.
template <typename Visit> void forEachKey(const QStringList& lines, const QString& section, Visit visit)
{
    bool inside = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (auto name = sectionName(lines[i])) {
            if (inside) {
                return;
            }
            inside = sameName(*name, section);
            continue;
        }
        if (!inside) {
            continue;
        }
        if (auto kv = keyLine(lines[i])) {
            if (!visit(i, kv->key, kv->value)) {
                return;
            }
        }
    }
}

} // namespace

QString readString(const QString& file, const QString& section, const QString& key, const QString& defaultValue)
{
    QString result = defaultValue;
    forEachKey(linesOf(file), section, [&](qsizetype, const QString& k, const QString& v) {
        if (sameName(k, key)) {
            result = v;
            return false;
        }
        return true;
    });
    return result;
}

QStringList sectionKeys(const QString& file, const QString& section)
{
    QStringList keys;
    forEachKey(linesOf(file), section, [&](qsizetype, const QString& k, const QString&) {
        keys.append(k);
        return true;
    });
    return keys;
}

void writeString(const QString& file, const QString& section, const QString& key, const QString& value)
{
    QStringList lines = linesOf(file);

    qsizetype sectionLine = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (auto name = sectionName(lines[i]); name && sameName(*name, section)) {
            sectionLine = i;
            break;
        }
    }

    if (sectionLine < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) {
            lines.append(QString());
        }
        lines.append(QStringLiteral("[%1]").arg(section));
        lines.append(key + u'=' + value);
        textfile::writeLines(file, lines);
        return;
    }

    qsizetype lastContent = sectionLine;
    for (qsizetype i = sectionLine + 1; i < lines.size(); ++i) {
        if (sectionName(lines[i])) {
            break;
        }
        if (auto kv = keyLine(lines[i]); kv && sameName(kv->key, key)) {
            lines[i] = kv->key + u'=' + value;
            textfile::writeLines(file, lines);
            return;
        }
        if (!lines[i].trimmed().isEmpty()) {
            lastContent = i;
        }
    }
    lines.insert(lastContent + 1, key + u'=' + value);
    textfile::writeLines(file, lines);
}

} // namespace ini
