#include "app/sysinfo.h"

#include "platform/inifile.h"

namespace {

QString systemKey(const QString& file, const char* key, const QString& defaultValue = QString())
{
    return ini::readString(file, QStringLiteral("System"), QString::fromLatin1(key), defaultValue);
}

} // namespace

SysInfo readSysInfo(const QString& sysinifile)
{
    SysInfo info;
    info.oemmode = !systemKey(sysinifile, "OEM").isEmpty();
    info.photoondisk = !systemKey(sysinifile, "photoOnDisk").isEmpty();
    info.oemTag = systemKey(sysinifile, "OEMTag", QStringLiteral("Roster"));
    const QString systemName = systemKey(sysinifile, "SystemName", QStringLiteral("Dossiera人力资源管理系统"));
    info.title = systemName + systemKey(sysinifile, "Version");
    info.panels[0] = systemName;
    info.panels[1] = QStringLiteral("Ver ") + systemKey(sysinifile, "Version", QStringLiteral("1.0.0"));
    info.panels[2] = systemKey(sysinifile, "ReleaseDate");
    info.panels[3] =
        systemKey(sysinifile, "SupportWebSite") + QStringLiteral("  ") + systemKey(sysinifile, "SupportMail");
    return info;
}

AboutInfo readAboutInfo(const QString& sysinifile)
{
    AboutInfo info;
    info.appTitle = systemKey(sysinifile, "appTitle", QStringLiteral("Dossiera"));
    info.copyright = systemKey(sysinifile, "Copyright");
    info.version = systemKey(sysinifile, "Version");
    info.website = systemKey(sysinifile, "SupportWebSite");
    info.mail = systemKey(sysinifile, "SupportMail");
    info.oemmode = !systemKey(sysinifile, "OEM").isEmpty();
    return info;
}
