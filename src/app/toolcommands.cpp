#include "app/toolcommands.h"

#include "app/commands.h"
#include "app/tmainform.h"
#include "data/dmunit.h"
#include "platform/paths.h"
#include "records/basedata.h"
#include "tools/taddform.h"
#include "tools/tnoteform.h"
#include "tools/topenieform.h"
#include "tools/tsetupform.h"
#include "tools/ttoolform.h"
#include "tools/tworkform.h"

#include <QLabel>
#include <QPointer>

#include <memory>

void bindToolCommands(Tmainform& mainform)
{
    // Each of these windows is made for one use and destroyed when its action ends.
    mainform.bindCommand(command::Setup, [&mainform] {
        Tsetupform form({&mainform, mainform.systemLabel(), mainform.companyLabel()}, paths::rosterini(),
                        currentLoginRight(), &mainform);
        mainform.runModal(form);
    });
    mainform.bindCommand(command::ToolsEditor, [&mainform] {
        Ttoolform form(toolentries::menusFile(), currentLoginRight(), &mainform);
        mainform.runModal(form);
    });
    mainform.bindCommand(command::Mail, [&mainform] {
        Topenieform1 form(&mainform);
        mainform.runModal(form);
    });
    mainform.bindCommand(command::Web, [&mainform] {
        Topenieform2 form(&mainform);
        mainform.runModal(form);
    });
}

namespace {

/// Shows a window that is kept for the run, made on first use.
template <typename Window, typename Make> void showKept(QPointer<Window>& window, Make make)
{
    if (!window) {
        window = make();
    }
    // Another user may have logged in since the window was last shown.
    window->applyRight(currentLoginRight());
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void bindOfficeCommands(Tmainform& mainform, Tdm& dm)
{
    auto* entry = new Taddform(*dm.adbkquery, &mainform);
    auto addressBook = std::make_shared<QPointer<Tworkform>>();
    mainform.bindCommand(command::Addressbook, [&mainform, &dm, entry, addressBook] {
        showKept(*addressBook, [&] { return new Tworkform(*dm.adbkquery, *entry, currentLoginRight(), &mainform); });
    });
    auto notepad = std::make_shared<QPointer<Tnoteform>>();
    mainform.bindCommand(command::Notepad, [&mainform, &dm, notepad] {
        showKept(*notepad, [&] { return new Tnoteform(*dm.notequery, currentLoginRight(), &mainform); });
    });
}
