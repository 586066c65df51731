#include "access/loginrules.h"
#include "app/recordcommands.h"
#include "app/rosterapplication.h"
#include "app/shellstore.h"
#include "app/taboutbox.h"
#include "app/tmainform.h"
#include "app/toolcommands.h"
#include "app/windowcontext.h"
#include "data/dmunit.h"
#include "platform/interaction.h"
#include "platform/paths.h"
#include "platform/widgetinteraction.h"

#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QScreen>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    RosterApplication app(argc, argv);
    Q_INIT_RESOURCE(app);
    Q_INIT_RESOURCE(records);

    // The toolkit's own dialogs (file choosers, calendars, the print preview) speak Chinese like the rest.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    QTranslator toolkitTexts;
    if (toolkitTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&toolkitTexts);
    }
    paths::initFromArguments(app.arguments(), QCoreApplication::applicationDirPath());

    WidgetInteraction desktop;
    Tdm dm;
    WindowContext context(dm, desktop);

    // The start-up picture; creating it also sets the application title.
    QPointer<TAboutBox> splash = new TAboutBox;
    splash->show();
    splash->repaint();
    QCoreApplication::processEvents();

    access::setQuitHandler([&context] {
        // The login's quit and a refused start: the connection is closed, then nothing else runs.
        context.store().closeDatabase();
        std::fflush(nullptr);
        std::_Exit(0);
    });

    Tmainform mainform(context);
    // The address entry window is made first, as start-up has always made it.
    bindOfficeCommands(mainform);
    context.createStartupWindows();
    bindRecordCommands(mainform);
    bindToolCommands(mainform);

    if (splash) {
        splash->close();
    }
    // Without a window manager a maximise request is not honoured; the work area is the same size.
    mainform.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    mainform.showMaximized();
    return app.exec();
}
