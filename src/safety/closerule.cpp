#include "safety/closerule.h"

#include "data/databasefile.h"
#include "data/engine/database.h"
#include "platform/errorboundary.h"
#include "platform/inifile.h"
#include "platform/paths.h"

namespace safety {

CloseAction closeAction()
{
    const QString option = ini::readString(paths::rosterini(), QStringLiteral("onclose"), QStringLiteral("option"),
                                           QStringLiteral("none"));
    if (option == QLatin1String("backup")) {
        return CloseAction::CopyAndClose;
    }
    if (option == QLatin1String("exit")) {
        return CloseAction::Close;
    }
    return CloseAction::AskExitDialog;
}

QString lastUsePath()
{
    return paths::apppath() + QStringLiteral("roster.lst");
}

bool copyToLastUse(engine::Database& db)
{
    return ignoreErrors("roster.lst", [&db] { dbfile::copyDatabase(db, lastUsePath()); });
}

} // namespace safety
