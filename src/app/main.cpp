#include "access/loginrules.h"
#include "access/tusersetform.h"
#include "app/commands.h"
#include "app/exportcommand.h"
#include "app/recordcommands.h"
#include "app/rosterapplication.h"
#include "app/safetycommands.h"
#include "app/shellstore.h"
#include "app/taboutbox.h"
#include "app/tmainform.h"
#include "app/toolcommands.h"
#include "app/windowcontext.h"
#include "data/databasefile.h"
#include "data/dmunit.h"
#include "data/installationlock.h"
#include "exchange/tfrmstat.h"
#include "platform/interaction.h"
#include "platform/paths.h"
#include "platform/widgetinteraction.h"
#include "report/report.h"
#include "tools/reminderdesk.h"

#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QScreen>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <optional>

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
    report::installFontSubstitutes();

    WidgetInteraction desktop;
    Tdm dm;
    WindowContext context(dm, desktop);

    // The start-up picture; creating it also sets the application title.
    QPointer<TAboutBox> splash = new TAboutBox;
    splash->show();
    splash->repaint();
    QCoreApplication::processEvents();

    // Held for the whole run, so that no other process replaces the database file under it.
    std::optional<InstallationLock> lock;
    try {
        lock.emplace(dbfile::configuredPath());
    } catch (const LockHeld& e) {
        delete splash;
        ShowError(e.message());
        return 1;
    }

    access::setQuitHandler([&context, &lock] {
        // The login's quit and a refused start: the connection is closed, then nothing else runs.
        context.store().closeDatabase();
        lock.reset();
        std::fflush(nullptr);
        std::_Exit(0);
    });

    Tmainform mainform(context);
    // The address entry window is made first, as start-up has always made it.
    bindOfficeCommands(mainform);
    context.createStartupWindows();
    bindRecordCommands(mainform);
    mainform.bindCommand(command::Statistics, [&context] { context.statWindow().present(); });
    bindSafetyCommands(mainform, context);
    bindAccessCommands(mainform);
    bindReminderCommands(mainform);
    bindExportCommand(mainform);
    bindToolCommands(mainform);

    if (splash) {
        splash->close();
    }
    // Without a window manager a maximise request is not honoured; the work area is the same size.
    mainform.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    mainform.showMaximized();
    return app.exec();
}
