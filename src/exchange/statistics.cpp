#include "exchange/statistics.h"

#include "platform/inifile.h"
#include "platform/textfile.h"

#include <QFileInfo>

namespace stats {

namespace {

bool isSeparator(QChar c)
{
    return c == u'(' || c == u')' || c == u',';
}

/// Start positions of the words of a text.
QList<int> wordStarts(const QString& text)
{
    QList<int> starts;
    for (int i = 0; i < text.size(); ++i) {
        if (!isSeparator(text[i]) && (i == 0 || isSeparator(text[i - 1]))) {
            starts << i;
        }
    }
    return starts;
}

} // namespace

MissingStatFile::MissingStatFile(const QString& path)
    : FileError(QStringLiteral("统计文件") + path + QStringLiteral("不存在！")), m_path(path)
{
}

QStringList words(const QString& text)
{
    QStringList result;
    QString word;
    for (const QChar c : text) {
        if (isSeparator(c)) {
            if (!word.isEmpty()) {
                result << word;
                word.clear();
            }
        } else {
            word += c;
        }
    }
    if (!word.isEmpty()) {
        result << word;
    }
    return result;
}

Definition parseDefinition(const QString& value, const QString& sqlPath)
{
    Definition d;
    const QStringList all = words(value);
    d.sqlFile = (sqlPath + all.value(0)).trimmed();
    const QList<int> starts = wordStarts(value);
    if (starts.size() >= 2) {
        d.paramText = value.mid(starts[1]).trimmed();
    }
    const QStringList params = words(d.paramText);
    for (int n = 0; n < 9; ++n) {
        d.params << params.value(n);
    }
    return d;
}

QString replaceParams(const QString& line, const QStringList& params)
{
    QString text = line;
    for (int n = 1; n <= 9; ++n) {
        const QString placeholder = QStringLiteral("%param") + QString::number(n);
        const QString value = params.value(n - 1);
        QString out;
        qsizetype from = 0;
        for (;;) {
            const qsizetype at = text.indexOf(placeholder, from, Qt::CaseInsensitive);
            if (at < 0) {
                break;
            }
            out += QStringView(text).mid(from, at - from);
            out += value;
            from = at + placeholder.size();
        }
        out += QStringView(text).mid(from);
        text = out;
    }
    return text;
}

QStringList replaceParams(const QStringList& lines, const QStringList& params)
{
    QStringList result;
    result.reserve(lines.size());
    for (const QString& line : lines) {
        result << replaceParams(line, params);
    }
    return result;
}

QStringList statisticNames(const QString& sysIniFile)
{
    return ini::sectionKeys(sysIniFile, QStringLiteral("statistic"));
}

QString definitionValue(const QString& sysIniFile, const QString& name)
{
    return ini::readString(sysIniFile, QStringLiteral("statistic"), name, QStringLiteral("NULL"));
}

QString statementText(const Definition& definition)
{
    if (!QFileInfo(definition.sqlFile).isFile()) {
        throw MissingStatFile(definition.sqlFile);
    }
    QStringList lines = textfile::readLines(definition.sqlFile);
    if (!definition.paramText.isEmpty()) {
        lines = replaceParams(lines, definition.params);
    }
    return lines.join(u' ');
}

engine::ResultSet run(engine::Database& db, const Definition& definition)
{
    return db.selectReadOnly(statementText(definition));
}

} // namespace stats
