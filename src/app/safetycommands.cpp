#include "app/safetycommands.h"

#include "app/commands.h"
#include "app/tmainform.h"
#include "safety/tbakform.h"

void bindSafetyCommands(Tmainform& mainform, Tdm& dm)
{
    const auto openBakform = [&mainform, &dm](bool backupmode) {
        mainform.backupmode = backupmode;
        Tbakform form(dm, mainform.backupmode, &mainform);
        form.exec();
    };
    mainform.bindCommand(command::Backup, [openBakform] { openBakform(true); });
    mainform.bindCommand(command::Restore, [openBakform] { openBakform(false); });
}
