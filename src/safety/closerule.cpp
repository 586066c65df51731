#include "safety/closerule.h"

#include "platform/inifile.h"
#include "platform/paths.h"

#include <QFile>

namespace safety {

CloseAction applyCloseRule()
{
    const QString option = ini::readString(paths::rosterini(), QStringLiteral("onclose"), QStringLiteral("option"),
                                           QStringLiteral("none"));
    if (option == QLatin1String("backup")) {
        copyToLastUse();
        return CloseAction::Close;
    }
    if (option == QLatin1String("exit")) {
        return CloseAction::Close;
    }
    return CloseAction::AskExitDialog;
}

bool copyToLastUse()
{
    // The fixed name is meant: the recovery wizard restores exactly this file.
    const QString source = paths::apppath() + QStringLiteral("roster5.dat");
    const QString target = paths::apppath() + QStringLiteral("roster.lst");
    if (!QFile::exists(source)) {
        return false; // keep the previous copy rather than losing it for nothing
    }
    // Copy beside the target first, so that a failed copy leaves the previous one whole.
    const QString work = target + QStringLiteral(".new");
    QFile::remove(work);
    if (!QFile::copy(source, work)) {
        QFile::remove(work);
        return false;
    }
    QFile::remove(target);
    return QFile::rename(work, target);
}

} // namespace safety
