#pragma once

#include "platform/errors.h"

#include <QString>

#include <memory>

class QLockFile;

/// Another live process holds the installation lock; the message names the database file.
class LockHeld : public RosterError
{
public:
    explicit LockHeld(const QString& databasePath);
};

/// The lock beside the database file (`<database>.lock`) that keeps two processes from changing
/// the same installation's database file at once: the program holds it for its whole run, and the
/// command-line tool for a command that changes the file or its rows. A lock left by a process
/// that has ended is taken over. A lock that cannot be created (a read-only folder) is reported to
/// qWarning and the holder goes on without one.
class InstallationLock
{
public:
    /// Takes the lock for this object's life; throws LockHeld when another live process holds it.
    explicit InstallationLock(const QString& databasePath);
    ~InstallationLock();
    InstallationLock(const InstallationLock&) = delete;
    InstallationLock& operator=(const InstallationLock&) = delete;

    /// False when the lock could not be created and the holder goes on without it.
    bool held() const;

    static QString lockFileFor(const QString& databasePath);
    /// Whether this process holds the lock of that database file (through any object).
    static bool heldHere(const QString& databasePath);

private:
    std::shared_ptr<QLockFile> m_file; ///< shared by every holder of the same file in this process
};
