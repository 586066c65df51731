#include "app/rosterapplication.h"
#include "platform/inifile.h"
#include "platform/interaction.h"
#include "platform/paths.h"
#include "platform/widgetinteraction.h"

#include <QMainWindow>

int main(int argc, char** argv)
{
    RosterApplication app(argc, argv);
    paths::initFromArguments(app.arguments(), QCoreApplication::applicationDirPath());

    WidgetInteraction desktop;
    interaction::install(&desktop);
    interaction::setAppTitle(ini::readString(paths::sysinifile(), "System", "appTitle", "Dossiera"));

    QMainWindow window;
    window.setWindowTitle(ini::readString(paths::sysinifile(), "System", "SystemName", "Dossiera人力资源管理系统") +
                          ini::readString(paths::sysinifile(), "System", "Version", QString()));
    window.showMaximized();
    return app.exec();
}
