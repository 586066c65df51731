#include "app/toolcommands.h"

#include "app/commands.h"
#include "app/tmainform.h"
#include "app/windowcontext.h"
#include "platform/paths.h"
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
    WindowContext& context = mainform.context();
    // Each of these windows is made for one use and destroyed when its action ends.
    mainform.bindCommand(command::Setup, [&mainform, &context] {
        Tsetupform form(context, {&mainform, mainform.systemLabel(), mainform.companyLabel()}, paths::rosterini(),
                        &mainform);
        context.runModal(form);
    });
    mainform.bindCommand(command::ToolsEditor, [&mainform, &context] {
        Ttoolform form(context, toolentries::menusFile(), &mainform);
        context.runModal(form);
    });
    mainform.bindCommand(command::Mail, [&mainform, &context] {
        Topenieform1 form(context, &mainform);
        context.runModal(form);
    });
    mainform.bindCommand(command::Web, [&mainform, &context] {
        Topenieform2 form(context, &mainform);
        context.runModal(form);
    });
}

namespace {

/// Shows a window that is kept for the run, made on first use.
template <typename Window, typename Make> void showKept(QPointer<Window>& window, Make make)
{
    if (!window) {
        window = make();
    }
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void bindOfficeCommands(Tmainform& mainform)
{
    WindowContext& context = mainform.context();
    auto* entry = new Taddform(context, &mainform);
    auto addressBook = std::make_shared<QPointer<Tworkform>>();
    mainform.bindCommand(command::Addressbook, [&mainform, &context, entry, addressBook] {
        showKept(*addressBook, [&] { return new Tworkform(context, *entry, &mainform); });
    });
    auto notepad = std::make_shared<QPointer<Tnoteform>>();
    mainform.bindCommand(command::Notepad, [&mainform, &context, notepad] {
        showKept(*notepad, [&] { return new Tnoteform(context, &mainform); });
    });
}
