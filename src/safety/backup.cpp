#include "safety/backup.h"

#include "platform/inifile.h"
#include "platform/paths.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace backup {

namespace {

const QString& section()
{
    static const QString name = QStringLiteral("bakfile");
    return name;
}

} // namespace

QString defaultFolder()
{
    return paths::apppath() + QStringLiteral("bak/");
}

QString pickedFolder(const QString& text)
{
    if (text.isEmpty() || text.endsWith(u'/') || text.endsWith(QDir::separator())) {
        return text;
    }
    return text + u'/';
}

QString dateText(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString indexFile(const QString& folder)
{
    return folder + QStringLiteral("backup.ini");
}

Made makeBackup(engine::Database& db, const QString& folder, const QDate& date)
{
    QDir().mkdir(folder); // one level; an existing folder or a failure shows in the copy
    const QString key = dateText(date);
    Made made;
    made.path = folder + key + QStringLiteral(".bak");
    made.check = dbfile::copyDatabase(db, made.path);
    ini::writeString(indexFile(folder), section(), key, made.path);
    return made;
}

QStringList listedDates(const QString& folder)
{
    return ini::sectionKeys(indexFile(folder), section());
}

QString listedFile(const QString& folder, const QString& date)
{
    return ini::readString(indexFile(folder), section(), date, QString());
}

QList<Entry> listBackups(const QString& folder)
{
    QList<Entry> entries;
    for (const QString& date : listedDates(folder)) {
        Entry entry;
        entry.date = date;
        entry.path = listedFile(folder, date);
        const QFileInfo info(entry.path);
        entry.exists = !entry.path.isEmpty() && info.isFile();
        if (entry.exists) {
            entry.size = info.size();
            const dbfile::Check found = dbfile::peek(entry.path);
            if (found.problems.isEmpty()) {
                entry.persons = found.persons;
            }
        }
        entries << entry;
    }
    return entries;
}

QString describe(const Entry& entry)
{
    if (!entry.exists) {
        return QStringLiteral("文件不存在");
    }
    const QString size = QLocale(QLocale::Chinese, QLocale::China).formattedDataSize(entry.size);
    if (entry.persons < 0) {
        return QStringLiteral("%1，不是可用的数据库").arg(size);
    }
    return QStringLiteral("%1，%2 人").arg(size).arg(entry.persons);
}

QString restoreSource(const QString& argument, const QString& folder)
{
    const QString listed = listedFile(folder, argument);
    return listed.isEmpty() ? argument : listed;
}

} // namespace backup
