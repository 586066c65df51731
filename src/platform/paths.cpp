#include "platform/paths.h"

#include <QDir>

namespace paths {
namespace {
QString g_apppath;
}

void setAppPath(const QString& folder)
{
    QString p = QDir::toNativeSeparators(QDir(folder).absolutePath());
    if (!p.endsWith(QDir::separator())) {
        p += QDir::separator();
    }
    g_apppath = p;
}

void initFromArguments(const QStringList& arguments, const QString& programFolder)
{
    const qsizetype i = arguments.indexOf(QStringLiteral("--home"));
    if (i >= 0 && i + 1 < arguments.size()) {
        setAppPath(arguments.at(i + 1));
    } else {
        setAppPath(programFolder);
    }
}

QString apppath()
{
    return g_apppath;
}

QString datapath()
{
    return g_apppath + QStringLiteral("data") + QDir::separator();
}

QString sysinifile()
{
    return datapath() + QStringLiteral("sysdata.ini");
}

QString sqlpath()
{
    return datapath() + QStringLiteral("sql") + QDir::separator();
}

QString rosterini()
{
    return g_apppath + QStringLiteral("roster.ini");
}

} // namespace paths
