#include "app/recordcommands.h"

#include "app/commands.h"
#include "app/tmainform.h"
#include "records/tworkerform.h"

void bindRecordCommands(Tmainform& mainform)
{
    Tworkerform* worker = workerForm();
    if (!worker) {
        return;
    }
    mainform.bindCommand(command::Persons, [&mainform, worker] {
        worker->setPhotoOnDisk(mainform.photoondisk);
        worker->show();
        worker->raise();
        worker->activateWindow();
    });
    mainform.bindEntry(mainform.departedEntry(), [&mainform, worker] {
        worker->setPhotoOnDisk(mainform.photoondisk);
        worker->hide();
        worker->setview(true);
        worker->exec();
        worker->setview(false);
    });
}
