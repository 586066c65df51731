#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <functional>

namespace access {

/// One row of the password table, as far as the login reads it.
struct UserRecord
{
    QString user;
    QString passwd;   ///< the stored password digest
    QString key;      ///< the chooser's key
    QVariant isadmin; ///< yes/no; null when the field is empty
};

/// What one press of "登陆" led to.
enum class LoginResult
{
    NoUserChosen,  ///< nothing happened but the hint
    WrongPassword, ///< counted; the window stays open
    Refused,       ///< the failure that ends the program; the caller quits
    LoggedIn,
};

/// The rules of one login window. The failure count belongs to the whole run: it is shared by
/// every login window and never reset, so three wrong passwords in any windows end the program.
class LoginSession
{
public:
    /// Checks the password against the chosen record (nullptr when the chooser shows no name)
    /// and shows the login's messages.
    LoginResult attempt(const UserRecord* chosen, const QString& password);

    bool succeeded() const { return m_succeeded; }
    QString user() const { return m_user; }
    QString right() const { return m_right; } ///< "admin" or "guest" after a success

    static int failureCount();
    /// Tests only: each test case starts a fresh "run".
    static void resetFailureCount();

private:
    bool m_succeeded = false;
    QString m_user;
    QString m_right;
};

/// Ends the program at once, without the main window's close rules. Tests install a handler
/// that records the call instead, since a real quit would end the test program.
void quitProgram();
void setQuitHandler(std::function<void()> handler);

} // namespace access
