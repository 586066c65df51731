#include "app/recordcommands.h"

#include "app/commands.h"
#include "app/tmainform.h"
#include "app/windowcontext.h"
#include "records/tworkerform.h"

void bindRecordCommands(Tmainform& mainform)
{
    WindowContext& context = mainform.context();
    mainform.bindCommand(command::Persons, [&mainform, &context] {
        Tworkerform& worker = context.workerForm();
        worker.setPhotoOnDisk(mainform.photoondisk);
        worker.show();
        worker.raise();
        worker.activateWindow();
    });
    mainform.bindEntry(mainform.departedEntry(), [&mainform, &context] {
        Tworkerform& worker = context.workerForm();
        worker.setPhotoOnDisk(mainform.photoondisk);
        worker.hide();
        worker.setview(true);
        context.runModal(worker);
        worker.setview(false);
    });
}
