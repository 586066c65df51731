#include "data/installationlock.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>

namespace {

/// The lock is a fact about the process: a second holder of the same file in the same process
/// shares the first one's lock (QLockFile would take our own pid for another holder), and the
/// file goes with the last holder.
QHash<QString, std::weak_ptr<QLockFile>>& heldLocks()
{
    static QHash<QString, std::weak_ptr<QLockFile>> locks;
    return locks;
}

QString keyOf(const QString& databasePath)
{
    return QFileInfo(databasePath).absoluteFilePath();
}

} // namespace

LockHeld::LockHeld(const QString& databasePath)
    : RosterError(
          QStringLiteral("数据库文件 %1 正被另一个运行中的 Roster 程序使用（锁文件 %2），请先关闭那个程序再试！")
              .arg(QDir::toNativeSeparators(databasePath),
                   QDir::toNativeSeparators(InstallationLock::lockFileFor(databasePath))))
{
}

InstallationLock::InstallationLock(const QString& databasePath)
{
    const QString key = keyOf(databasePath);
    m_file = heldLocks().value(key).lock();
    if (m_file) {
        return;
    }
    auto file = std::make_shared<QLockFile>(lockFileFor(key));
    // Held for a whole run: only the end of the holding process makes it stale, never its age.
    file->setStaleLockTime(0);
    if (file->tryLock(0)) {
        m_file = file;
        heldLocks().insert(key, file);
        return;
    }
    if (file->error() == QLockFile::LockFailedError) {
        throw LockHeld(key);
    }
    qWarning().noquote() << QStringLiteral("无法创建锁文件 %1，程序在没有锁的情况下继续运行").arg(lockFileFor(key));
}

InstallationLock::~InstallationLock() = default;

bool InstallationLock::held() const
{
    return m_file != nullptr;
}

QString InstallationLock::lockFileFor(const QString& databasePath)
{
    return keyOf(databasePath) + QStringLiteral(".lock");
}

bool InstallationLock::heldHere(const QString& databasePath)
{
    return !heldLocks().value(keyOf(databasePath)).expired();
}
