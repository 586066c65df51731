#include "tools/setupsettings.h"

#include "platform/inifile.h"

namespace setupsettings {

Settings read(const QString& rosterini)
{
    Settings settings;
    settings.system =
        ini::readString(rosterini, QStringLiteral("user"), QStringLiteral("system"), QStringLiteral("Quillon"));
    settings.company =
        ini::readString(rosterini, QStringLiteral("user"), QStringLiteral("company"), QStringLiteral("LW工作室"));
    settings.close = choiceOf(
        ini::readString(rosterini, QStringLiteral("onclose"), QStringLiteral("option"), QStringLiteral("none")));
    return settings;
}

void write(const QString& rosterini, const Settings& settings)
{
    ini::writeString(rosterini, QStringLiteral("user"), QStringLiteral("system"), settings.system);
    ini::writeString(rosterini, QStringLiteral("user"), QStringLiteral("company"), settings.company);
    ini::writeString(rosterini, QStringLiteral("onclose"), QStringLiteral("option"), optionValue(settings.close));
}

QString optionValue(CloseChoice choice)
{
    switch (choice) {
    case CloseChoice::Backup:
        return QStringLiteral("backup");
    case CloseChoice::Exit:
        return QStringLiteral("exit");
    case CloseChoice::Remind:
        break;
    }
    return QStringLiteral("none");
}

CloseChoice choiceOf(const QString& option)
{
    if (option == QLatin1String("backup")) {
        return CloseChoice::Backup;
    }
    if (option == QLatin1String("exit")) {
        return CloseChoice::Exit;
    }
    return CloseChoice::Remind;
}

} // namespace setupsettings
