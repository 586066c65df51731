#pragma once

#include "access/md5hex.h"
#include "app/shellstore.h"
#include "platform/errors.h"

/// The data module as far as the main window and the login use it: the file name, whether the
/// connection is open (or fails to open), the password table's rows and the last login.
class FakeShellStore : public ShellStore
{
public:
    void setDatabaseFile(const QString& fileName) override { file = fileName; }
    QString databaseFile() const override { return file; }
    void openDatabase() override
    {
        if (failOpen) {
            throw RosterError("unable to open database file");
        }
        open = true;
    }
    void closeDatabase() override { open = false; }
    QList<access::UserRecord> users() override
    {
        if (failUsers) {
            throw RosterError("no such table: password");
        }
        return userRows;
    }
    void setLogin(const QString& user, const QString& right) override
    {
        loginuser = user;
        loginright = right;
    }
    void recalcages(const std::function<void(int, int)>& progress) override
    {
        ++recalcRuns;
        for (int i = 1; i <= 3; ++i) {
            progress(i, 3);
        }
    }

    QString file;
    bool failOpen = false;
    bool failUsers = false;
    bool open = false;
    QList<access::UserRecord> userRows{{"admin", access::passwordDigest("123"), "0000000A", QVariant(-1)}};
    QString loginuser;
    QString loginright;
    int recalcRuns = 0;
};
