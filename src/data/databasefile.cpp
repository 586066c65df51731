#include "data/databasefile.h"

#include "data/engine/database.h"
#include "data/installationlock.h"
#include "data/schema.h"
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

namespace dbfile {

namespace {

const QStringList& journalSuffixes()
{
    static const QStringList suffixes{QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")};
    return suffixes;
}

/// The installation lock of a file for a step that changes it: this process's own lock when it
/// holds it (the program), else taken for the step (LockHeld when another live process has it).
class LockScope
{
public:
    explicit LockScope(const QString& databasePath)
    {
        if (!InstallationLock::heldHere(databasePath)) {
            m_lock.emplace(databasePath);
        }
    }

private:
    std::optional<InstallationLock> m_lock;
};

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

/// The old file's copy for `keep`, with the journal files that belong to it. A copy, not a link: a
/// repair changes the file in place afterwards.
void keepOldFile(const QString& databasePath, Keep keep)
{
    const QString kept = keptCopyOf(databasePath, keep);
    removeFile(kept);
    removeJournals(kept);
    if (!QFile::exists(databasePath)) {
        return;
    }
    for (const QString& suffix : QStringList{QString()} + journalSuffixes()) {
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
    const LockScope lock(target);
    db.close();
    replaceFile(target, newFile, keep);
}

void replaceFile(const QString& target, const QString& newFile, Keep keep)
{
    const LockScope lock(target);
    QString moving = newFile;
    if (QFileInfo(newFile).absolutePath() != QFileInfo(target).absolutePath() && QFile::exists(newFile)) {
        // rename(2) works within one file system only: bring the file beside the target first.
        moving = workFileFor(target);
        removeFile(moving);
        if (!QFile::copy(newFile, moving)) {
            QFile::remove(moving);
            throw FileError(QStringLiteral("无法复制文件 %1").arg(QDir::toNativeSeparators(newFile)));
        }
    }
    if (keep != Keep::Nothing) {
        keepOldFile(target, keep);
    }
    renameOver(moving, target);
    if (moving != newFile) {
        QFile::remove(newFile);
    }
    // The old file's journals would be replayed into the new one at its first opening.
    removeJournals(target);
}

void compactDatabase(engine::Database& db, const QString& workFile)
{
    const QString target = pathOf(db);
    const LockScope lock(target);
    db.close();
    removeFile(workFile);
    removeJournals(workFile);
    engine::vacuumInto(target, workFile);
    try {
        const Check result = check(workFile);
        if (!result.sound()) {
            throw CheckFailed(workFile, result);
        }
        replaceDatabase(db, workFile, Keep::Nothing);
    } catch (...) {
        QFile::remove(workFile);
        throw;
    }
}

RepairResult repairFile(const QString& path)
{
    const LockScope lock(path);
    RepairResult result;
    result.check = check(path);
    if (!result.check.isDatabase || !result.check.hasPersons) {
        throw CheckFailed(path, result.check);
    }
    if (result.check.sound()) {
        return result;
    }
    keepOldFile(path, Keep::BeforeRepair);
    try {
        engine::reindexFile(path);
        result.check = check(path);
        if (result.check.sound()) {
            result.how = Repair::Reindexed;
            return result;
        }
    } catch (const engine::DbError&) {
        // Damaged pages, not only wrong index entries: the rows are salvaged below.
    }
    const QString salvaged = path + QStringLiteral(".salvage");
    removeFile(salvaged);
    removeJournals(salvaged);
    try {
        result.tables = engine::salvageInto(path, salvaged, schemaSql());
        result.check = check(salvaged);
        if (!result.check.sound()) {
            throw CheckFailed(salvaged, result.check);
        }
        replaceFile(path, salvaged, Keep::Nothing); // the damaged file is kept already
    } catch (...) {
        QFile::remove(salvaged);
        throw;
    }
    result.how = Repair::Salvaged;
    return result;
}

Check restoreDatabase(engine::Database& db, const QString& source)
{
    const QString target = pathOf(db);
    const LockScope lock(target);
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
