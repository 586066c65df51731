#include "access/useradmin.h"

#include "access/md5hex.h"
#include "data/dmunit.h"
#include "data/engine/table.h"
#include "platform/errors.h"
#include "platform/interaction.h"

#include <QRandomGenerator>

namespace access {
namespace {

const QString kUser = QStringLiteral("user");

QString text(const engine::Dataset& users, int row, const QString& field)
{
    return users.peek(row, users.fieldIndex(field)).toString();
}

/// The keys of every row as shown, the row being confirmed included: its new key must differ
/// from its old one, so that every confirmation changes it.
QStringList keysOf(const engine::Dataset& users)
{
    QStringList keys;
    for (int row = 0; row < users.rowCount(); ++row) {
        const QString key = text(users, row, QStringLiteral("key"));
        if (!key.isEmpty()) {
            keys << key;
        }
    }
    return keys;
}

QString currentUser(engine::Dataset& users)
{
    return users.isEmpty() && users.state() != engine::DatasetState::Insert ? QString() : users.field(kUser).asString();
}

} // namespace

KeyNumbers clockSeededNumbers()
{
    // The global generator is seeded once from the system's entropy, which serves better than a
    // generator seeded from the clock at each press: the key is only a lookup value.
    return [] { return int(QRandomGenerator::global()->bounded(100000)); };
}

QString keyFor(int number)
{
    return MD5Hex(QString::number(number)).mid(7, 8);
}

QString newKey(const QStringList& taken, const KeyNumbers& numbers)
{
    // A few draws find a free key unless the table is nearly full; then the numbers are tried in
    // turn, so that the search ends whatever the source returns.
    for (int draw = 0; draw < 64; ++draw) {
        const QString key = keyFor(numbers());
        if (!taken.contains(key, Qt::CaseInsensitive)) {
            return key;
        }
    }
    for (int number = 0; number < 100000; ++number) {
        const QString key = keyFor(number);
        if (!taken.contains(key, Qt::CaseInsensitive)) {
            return key;
        }
    }
    throw RosterError(QStringLiteral("用户太多，无法生成新的用户键值"));
}

QList<UserRecord> readUsers(engine::Dataset& users)
{
    QList<UserRecord> records;
    for (int row = 0; row < users.rowCount(); ++row) {
        if (users.isPendingRow(row)) {
            continue;
        }
        records << UserRecord{text(users, row, kUser), text(users, row, QStringLiteral("passwd")),
                              text(users, row, QStringLiteral("key")),
                              users.peek(row, users.fieldIndex(QStringLiteral("isadmin")))};
    }
    return records;
}

void storePassword(engine::Dataset& users, const QString& password, const KeyNumbers& numbers)
{
    const QString key = newKey(keysOf(users), numbers);
    users.edit();
    users.field(QStringLiteral("passwd")).setAsString(passwordDigest(password));
    users.field(QStringLiteral("key")).setAsString(key);
    users.post();
}

QString savedText()
{
    return QStringLiteral("个人资料修改成功");
}

UserAdmin::UserAdmin(engine::Dataset& users, const QString& loginuser, const QString& loginright, KeyNumbers numbers)
    : m_users(users), m_loginuser(loginuser), m_loginright(loginright), m_numbers(std::move(numbers))
{
}

bool UserAdmin::isGuest() const
{
    return Tdm::isGuestRight(m_loginright);
}

bool UserAdmin::isOwnRecord() const
{
    return currentUser(m_users) == m_loginuser;
}

void UserAdmin::append()
{
    m_users.append();
}

bool UserAdmin::remove()
{
    if (m_users.isEmpty() && m_users.state() != engine::DatasetState::Insert) {
        return false;
    }
    if (isOwnRecord()) {
        ShowInfo(QStringLiteral("不能删除自己！"));
        return false;
    }
    if (!AskYesNo(QStringLiteral("你真的要删除本条记录吗？"))) {
        return false;
    }
    m_users.remove();
    return true;
}

ConfirmResult UserAdmin::confirm(const QString& password, const QString& again)
{
    if (!isOwnRecord() && isGuest()) {
        ShowError(QStringLiteral("你不是系统管理员，只能修改自己的密码！"));
        return ConfirmResult::NotOwnRecord;
    }
    const QString name = currentUser(m_users);
    if (name.isEmpty() || password != again) {
        ShowError(QStringLiteral("请检查资料是否齐全，两次输入密码是否一致！"));
        return ConfirmResult::Incomplete;
    }
    if (password.isEmpty() &&
        !AskYesNo(QStringLiteral("用户") + u'"' + name + u'"' + QStringLiteral("真的要不设置密码吗？"))) {
        return ConfirmResult::Declined;
    }
    storePassword(m_users, password, m_numbers);
    return ConfirmResult::Stored;
}

void UserAdmin::cancel()
{
    m_users.cancel();
}

bool UserAdmin::mayEnterAdminBox() const
{
    if (isOwnRecord()) {
        ShowError(QStringLiteral("不能操作自己的权限设置！"));
        return false;
    }
    return true;
}

namespace {

/// The password table in the order of its isadmin index, as the data module opens it.
void openUsers(engine::Table& table)
{
    table.setTableName(QStringLiteral("password"));
    table.setIndexName(QStringLiteral("subkey"));
    table.open();
}

} // namespace

PasswordChange setPassword(engine::Database& db, const QString& user, const QString& password,
                           const KeyNumbers& numbers)
{
    engine::Table table(&db);
    openUsers(table);
    int found = -1;
    for (int row = 0; row < table.rowCount(); ++row) {
        if (text(table, row, kUser) == user) {
            if (found >= 0) {
                return PasswordChange::AmbiguousUser;
            }
            found = row;
        }
    }
    if (found < 0) {
        return PasswordChange::UnknownUser;
    }
    table.moveTo(found);
    storePassword(table, password, numbers);
    return PasswordChange::Stored;
}

QList<UserRecord> listUsers(engine::Database& db)
{
    engine::Table table(&db);
    openUsers(table);
    return readUsers(table);
}

} // namespace access
