#include "tools/toolentries.h"

#include "platform/errors.h"
#include "platform/inifile.h"
#include "platform/interaction.h"
#include "platform/paths.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace toolentries {

namespace {

int entryCount(const QString& file, const QString& defaultCount)
{
    return ini::readString(file, QStringLiteral("itemscount"), QStringLiteral("count"), defaultCount).trimmed().toInt();
}

QString entryValue(const QString& file, int number, const char* key)
{
    return ini::readString(file, QString::number(number), QString::fromLatin1(key), QString());
}

} // namespace

QString menusFile()
{
    return paths::datapath() + QStringLiteral("menus.cfg");
}

QList<MenuItem> menuItems(const QString& file)
{
    QList<MenuItem> items;
    const int count = entryCount(file, QStringLiteral("0"));
    for (int i = 1; i <= count; ++i) {
        items.append({i, QString::number(i) + QLatin1Char('.') + entryValue(file, i, "caption")});
    }
    return items;
}

QList<ToolEntry> editorRows(const QString& file)
{
    QList<ToolEntry> rows;
    // The grid starts with one row and never has fewer.
    const int count = qMax(1, entryCount(file, QStringLiteral("1")));
    for (int i = 1; i <= count; ++i) {
        rows.append({entryValue(file, i, "caption"), entryValue(file, i, "filename"), entryValue(file, i, "param")});
    }
    return rows;
}

void save(const QString& file, const QList<ToolEntry>& rows)
{
    if (rows.isEmpty() || rows.first().caption.isEmpty()) {
        QFile::remove(file);
        return;
    }
    QStringList lines{QStringLiteral("[Itemscount]"), QStringLiteral("count=%1").arg(rows.size())};
    for (int i = 0; i < rows.size(); ++i) {
        lines << QStringLiteral("[%1]").arg(i + 1) << QStringLiteral("caption=") + rows[i].caption
              << QStringLiteral("filename=") + rows[i].filename << QStringLiteral("param=") + rows[i].param;
    }
    // A missing data folder would lose the entries; the write reports any other failure.
    QDir().mkpath(QFileInfo(file).absolutePath());
    textfile::writeLines(file, lines);
}

ToolEntry newRow()
{
    return {QStringLiteral("新条目"), QString(), QString()};
}

void removeRow(QList<ToolEntry>& rows, int index)
{
    if (index < 0 || index >= rows.size()) {
        return;
    }
    if (rows.size() == 1) {
        rows[0] = newRow();
        return;
    }
    rows.removeAt(index);
}

void runEntry(const QString& file, int number)
{
    const QString filename = entryValue(file, number, "filename");
    if (filename.isEmpty()) {
        return;
    }
    const QFileInfo info(filename);
    if (info.isFile() && info.isExecutable()) {
        interaction::current().startProgram(filename, QProcess::splitCommand(entryValue(file, number, "param")));
    } else {
        interaction::current().openDocument(filename);
    }
}

} // namespace toolentries
