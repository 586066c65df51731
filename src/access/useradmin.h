#pragma once

#include "access/loginrules.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace engine {
class Database;
class Dataset;
} // namespace engine

namespace access {

/// A pseudo-random whole number from 0 to 99999 for each call.
using KeyNumbers = std::function<int()>;
/// The program's source: a generator seeded from the clock at each call.
KeyNumbers clockSeededNumbers();

/// The login chooser's key for a number: MD5Hex of its decimal text, characters 8 to 15.
QString keyFor(int number);

/// A key for a number from `numbers` that none of `taken` holds (compared without regard to case).
/// The chooser selects a user by key, so a key held twice would hide one of the two users.
/// Throws when every number's key is taken.
QString newKey(const QStringList& taken, const KeyNumbers& numbers);

/// The users of the password table in its current order (the table object must be open).
QList<UserRecord> readUsers(engine::Dataset& users);

/// Stores a password for the current row of the password table: the digest, a new key that no
/// other row holds (nor this row before), and whatever was typed into the row, in one post. A row
/// being inserted stays in insert mode.
void storePassword(engine::Dataset& users, const QString& password, const KeyNumbers& numbers);

/// The text every successful save shows.
QString savedText();

/// What one press of "确认" led to.
enum class ConfirmResult
{
    NotOwnRecord, ///< a guest on another user's record; the window clears both password boxes
    Incomplete,   ///< empty name or two different passwords
    Declined,     ///< the empty password was not wanted
    Stored,
};

/// The rules of the user administration window over the open password table. The logged-in user
/// and right are read when the window is created.
class UserAdmin
{
public:
    UserAdmin(engine::Dataset& users, const QString& loginuser, const QString& loginright,
              KeyNumbers numbers = clockSeededNumbers());

    bool isGuest() const;
    /// The current row is the logged-in user's own record.
    bool isOwnRecord() const;

    /// "新增>>": a new empty row, being inserted.
    void append();
    /// "删除": refuses the own record, asks, deletes. True when a row went.
    bool remove();
    /// "确认" with the texts of the two password boxes; shows the rule's messages, the saved
    /// notice excepted (the window shows it after it has cleared its boxes).
    ConfirmResult confirm(const QString& password, const QString& again);
    /// "取消": drops a row being inserted or the changes typed into the current one.
    void cancel();
    /// Entering the administrator box: refused (with the message) on one's own record.
    bool mayEnterAdminBox() const;

private:
    engine::Dataset& m_users;
    QString m_loginuser;
    QString m_loginright;
    KeyNumbers m_numbers;
};

/// The password change of the command line, through the same store as "确认".
enum class PasswordChange
{
    Stored,
    UnknownUser,
    AmbiguousUser, ///< several rows carry the name; which one was meant cannot be told
};
PasswordChange setPassword(engine::Database& db, const QString& user, const QString& password,
                           const KeyNumbers& numbers = clockSeededNumbers());

/// The users of a database in the order of the password table's index.
QList<UserRecord> listUsers(engine::Database& db);

} // namespace access
