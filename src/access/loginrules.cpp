#include "access/loginrules.h"

#include "access/md5hex.h"
#include "platform/interaction.h"

#include <cstdio>
#include <cstdlib>

namespace access {
namespace {

int g_failures = 0;

std::function<void()>& quitHandler()
{
    static std::function<void()> handler = [] {
        // Nothing may run after a refused login or a refused start: no close rules, no settings
        // written. Leaving through _Exit also keeps global destructors from running while the
        // application object and its windows are still alive.
        std::fflush(nullptr);
        std::_Exit(0);
    };
    return handler;
}

} // namespace

LoginResult LoginSession::attempt(const UserRecord* chosen, const QString& password)
{
    if (chosen == nullptr) {
        ShowInfo(QStringLiteral("请选择用户名！"));
        return LoginResult::NoUserChosen;
    }
    // Case-sensitive on purpose: digests are stored in upper case, anything else is not ours.
    if (passwordDigest(password) != chosen->passwd) {
        ++g_failures;
        if (g_failures >= 3) {
            ShowError(QStringLiteral("你不是本系统用户，你无权使用本数据库！"));
            return LoginResult::Refused;
        }
        ShowError(QStringLiteral("密码错误！不能进入系统，请重新输入！"));
        return LoginResult::WrongPassword;
    }
    m_user = chosen->user;
    if (!chosen->isadmin.isNull() && chosen->isadmin.toBool()) {
        m_right = QStringLiteral("admin");
    } else {
        m_right = QStringLiteral("guest");
        ShowInfo(QStringLiteral("你只是普通用户，只能浏览数据，不能对数据进行修改增添！"));
    }
    m_succeeded = true;
    return LoginResult::LoggedIn;
}

int LoginSession::failureCount()
{
    return g_failures;
}

void LoginSession::resetFailureCount()
{
    g_failures = 0;
}

void quitProgram()
{
    quitHandler()();
}

void setQuitHandler(std::function<void()> handler)
{
    quitHandler() = std::move(handler);
}

} // namespace access
