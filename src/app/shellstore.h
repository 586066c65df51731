#pragma once

#include "access/loginrules.h"

#include <QList>
#include <QString>

#include <functional>

/// What the main window needs of the data module: the connection, the password table and the
/// age recomputation. The program hands the data module over; tests hand over a stand-in.
class ShellStore
{
public:
    virtual ~ShellStore() = default;

    virtual void setDatabaseFile(const QString& fileName) = 0;
    /// The connection's file name as the user should see it.
    virtual QString databaseFile() const = 0;
    /// Opens the connection; throws when the file cannot be opened.
    virtual void openDatabase() = 0;
    virtual void closeDatabase() = 0;
    /// Makes the last-use copy roster.lst of the database the connection uses; a failure is ignored.
    virtual void copyToLastUse() = 0;

    /// The rows of the password table in the order of its isadmin index.
    virtual QList<access::UserRecord> users() = 0;
    virtual void setLogin(const QString& user, const QString& right) = 0;

    /// Recomputes the ages of every person; progress(done, total) after each person.
    virtual void recalcages(const std::function<void(int, int)>& progress) = 0;
};
