#include "data/databasefile.h"

#include "data/engine/database.h"
#include "data/installationlock.h"
#include "platform/errors.h"
#include "platform/inifile.h"
#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <unistd.h>

namespace dbfile {

namespace {

const QStringList& journalSuffixes()
{
    static const QStringList suffixes{QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")};
    return suffixes;
}

/// rename(2): replaces the target in one step, or fails and changes nothing.
void renameOver(const QString& from, const QString& to)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        throw FileError(QStringLiteral("无法把文件 %1 改名为 %2：%3")
                            .arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to),
                                 QString::fromLocal8Bit(std::strerror(errno))));
    }
}

QString workFileFor(const QString& target)
{
    return target + QStringLiteral(".work");
}

void removeFile(const QString& path)
{
    if (QFile::exists(path) && !QFile::remove(path)) {
        throw FileError(QStringLiteral("无法删除文件 %1").arg(QDir::toNativeSeparators(path)));
    }
}

/// Makes the copy at `target` through a work file: `copy` fills the work file, the check decides.
template <typename Copy> Check copyThroughWorkFile(const QString& target, Copy copy)
{
    const QString work = workFileFor(target);
    removeFile(work);
    removeJournals(work);
    try {
        copy(work);
        const Check result = check(work);
        if (!result.sound()) {
            throw CheckFailed(target, result);
        }
        renameOver(work, target);
        return result;
    } catch (...) {
        QFile::remove(work);
        removeJournals(work);
        throw;
    }
}

/// The old file's copy for `keep`: a hard link when the file system has them (no second copy of a
/// large file), else a plain copy; its journal files move along, since they belong to it.
void keepOldFile(const QString& databasePath, Keep keep)
{
    const QString kept = keptCopyOf(databasePath, keep);
    removeFile(kept);
    removeJournals(kept);
    if (!QFile::exists(databasePath)) {
        return;
    }
    if (::link(QFile::encodeName(databasePath).constData(), QFile::encodeName(kept).constData()) != 0 &&
        !QFile::copy(databasePath, kept)) {
        throw FileError(QStringLiteral("无法保留原数据库文件 %1").arg(QDir::toNativeSeparators(kept)));
    }
    for (const QString& suffix : journalSuffixes()) {
        if (QFile::exists(databasePath + suffix) && !QFile::copy(databasePath + suffix, kept + suffix)) {
            throw FileError(QStringLiteral("无法保留原数据库文件 %1").arg(QDir::toNativeSeparators(kept + suffix)));
        }
    }
}

} // namespace

CheckFailed::CheckFailed(const QString& path, const Check& result)
    : FileError(QStringLiteral("数据库文件 %1 校验失败：%2")
                    .arg(QDir::toNativeSeparators(path), result.problems.mid(0, 5).join(QStringLiteral("；")))),
      m_result(result)
{
}

QString resolve(const QString& fileName)
{
    return QDir::cleanPath(QDir(paths::apppath()).absoluteFilePath(fileName));
}

QString configuredPath()
{
    return resolve(ini::readString(paths::rosterini(), QStringLiteral("database"), QStringLiteral("filepath"),
                                   QStringLiteral("roster5.dat")));
}

QString pathOf(const engine::Database& db)
{
    return resolve(db.fileName());
}

Check check(const QString& path)
{
    return engine::checkDatabaseFile(path);
}

Check peek(const QString& path)
{
    return engine::checkDatabaseFile(path, false);
}

Check copyDatabase(engine::Database& db, const QString& target)
{
    if (!db.isOpen()) {
        return copyFile(pathOf(db), target);
    }
    return copyThroughWorkFile(target, [&db](const QString& work) { engine::backupDatabase(db, work); });
}

Check copyFile(const QString& source, const QString& target)
{
    return copyThroughWorkFile(target, [&source](const QString& work) { engine::backupDatabaseFile(source, work); });
}

QString keptCopyOf(const QString& databasePath, Keep keep)
{
    switch (keep) {
    case Keep::BeforeRestore:
        return databasePath + QStringLiteral(".before-restore");
    case Keep::BeforeRepair:
        return databasePath + QStringLiteral(".before-repair");
    case Keep::Nothing:
        break;
    }
    return {};
}

void replaceDatabase(engine::Database& db, const QString& newFile, Keep keep)
{
    const QString target = pathOf(db);
    std::optional<InstallationLock> lock;
    if (!InstallationLock::heldHere(target)) {
        lock.emplace(target);
    }
    db.close();
    if (keep != Keep::Nothing) {
        keepOldFile(target, keep);
    }
    renameOver(newFile, target);
    // The old file's journals would be replayed into the new one at its first opening.
    removeJournals(target);
}

Check restoreDatabase(engine::Database& db, const QString& source)
{
    const QString target = pathOf(db);
    std::optional<InstallationLock> lock;
    if (!InstallationLock::heldHere(target)) {
        lock.emplace(target);
    }
    db.close();
    // The copy lies beside the database, so that the rename below stays on one file system.
    const QString work = target + QStringLiteral(".restore");
    const Check result = copyFile(source, work);
    try {
        replaceDatabase(db, work, Keep::BeforeRestore);
    } catch (...) {
        QFile::remove(work);
        throw;
    }
    return result;
}

void removeJournals(const QString& databasePath)
{
    for (const QString& suffix : journalSuffixes()) {
        removeFile(databasePath + suffix);
    }
}

} // namespace dbfile
