#include "app/exportcommand.h"

#include "app/commands.h"
#include "app/tmainform.h"
#include "app/windowcontext.h"
#include "exchange/texportform.h"

void bindExportCommand(Tmainform& mainform)
{
    WindowContext& context = mainform.context();
    mainform.bindCommand(command::Export, [&context] { context.exportForm().openWith(exporting::Source::AllPersons); });
}
