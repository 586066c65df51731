#include "records/codelist.h"

#include "platform/inifile.h"
#include "platform/paths.h"
#include "platform/textfile.h"

#include <QFileInfo>

QString codelistfile(const QString& key)
{
    return paths::datapath() + ini::readString(paths::sysinifile(), QStringLiteral("FieldSetFile"), key, QString());
}

namespace codelist {

bool exists(const QString& path)
{
    return QFileInfo(path).isFile();
}

QStringList read(const QString& path)
{
    if (!exists(path)) {
        return {};
    }
    return textfile::readLines(path);
}

void write(const QString& path, const QStringList& entries)
{
    textfile::writeLines(path, entries);
}

} // namespace codelist
