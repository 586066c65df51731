#include "access/loginrules.h"
#include "access/md5hex.h"
#include "access/useradmin.h"
#include "data/engine/table.h"
#include "support/scriptedinteraction.h"
#include "support/testdb.h"

#include <QTest>

using access::ConfirmResult;
using access::UserAdmin;

namespace {

const QString kNotOwn = QStringLiteral("你不是系统管理员，只能修改自己的密码！");
const QString kIncomplete = QStringLiteral("请检查资料是否齐全，两次输入密码是否一致！");
const QString kSelf = QStringLiteral("不能删除自己！");
const QString kAskDelete = QStringLiteral("你真的要删除本条记录吗？");
const QString kOwnRight = QStringLiteral("不能操作自己的权限设置！");

/// Three users: an administrator, a guest and a second guest, each with its own key.
QString usersSql()
{
    return QStringLiteral("INSERT INTO password(user,passwd,isadmin,key) VALUES"
                          " ('管理员','%1',-1,'%4'), ('张三','%2',0,'%5'), ('李四','%3',0,'%6');")
        .arg(access::passwordDigest("root"), access::passwordDigest("zs"), access::passwordDigest("ls"),
             access::keyFor(1), access::keyFor(2), access::keyFor(3));
}

/// Numbers handed out in turn; the last one repeats.
access::KeyNumbers numbers(QList<int> list)
{
    return [list, i = 0]() mutable { return list.at(std::min(i++, int(list.size()) - 1)); };
}

} // namespace

/// The rules of the user administration: who may change which record, what reaches the table,
/// the key of each confirmation, and the password change of the command line.
class TestUserAdmin : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<engine::Database> m_db;
    std::unique_ptr<engine::Table> m_users;

    void select(const QString& user)
    {
        for (int row = 0; row < m_users->recordCount(); ++row) {
            m_users->moveTo(row);
            if (m_users->field("user").asString() == user) {
                return;
            }
        }
        QFAIL(qPrintable("no user " + user));
    }

    QVariantList stored(const QString& user)
    {
        const auto rows = m_db->selectRows("SELECT passwd, key, isadmin FROM password WHERE user = ?", {user});
        return rows.isEmpty() ? QVariantList() : rows.first();
    }

    /// Logs in as the login window would, from the table as stored now.
    access::LoginResult login(const QString& user, const QString& password)
    {
        const QList<access::UserRecord> users = access::listUsers(*m_db);
        const auto chosen =
            std::find_if(users.begin(), users.end(), [&](const access::UserRecord& r) { return r.user == user; });
        access::LoginSession session;
        return session.attempt(chosen == users.end() ? nullptr : &*chosen, password);
    }

private slots:
    void init()
    {
        access::LoginSession::resetFailureCount();
        access::setQuitHandler([] {});
        m_db = testdb::memory(usersSql());
        m_users = std::make_unique<engine::Table>(m_db.get());
        m_users->setTableName("password");
        m_users->setIndexName("subkey");
        m_users->open();
    }

    void cleanup()
    {
        m_users.reset();
        m_db.reset();
    }

    void confirm_data()
    {
        QTest::addColumn<QString>("loginuser");
        QTest::addColumn<QString>("right");
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("again");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("texts");
        const QString askEmpty = QStringLiteral("用户\"张三\"真的要不设置密码吗？");
        QTest::newRow("guest on another user's record")
            << "张三"
            << "guest"
            << "李四"
            << "new"
            << "new" << QList<bool>{} << int(ConfirmResult::NotOwnRecord) << QStringList{kNotOwn};
        QTest::newRow("guest on his own record")
            << "张三"
            << "guest"
            << "张三"
            << "new"
            << "new" << QList<bool>{} << int(ConfirmResult::Stored) << QStringList{};
        QTest::newRow("administrator on another user's record")
            << "管理员"
            << "admin"
            << "张三"
            << "new"
            << "new" << QList<bool>{} << int(ConfirmResult::Stored) << QStringList{};
        QTest::newRow("two different passwords")
            << "管理员"
            << "admin"
            << "张三"
            << "new"
            << "New" << QList<bool>{} << int(ConfirmResult::Incomplete) << QStringList{kIncomplete};
        QTest::newRow("second box empty")
            << "张三"
            << "guest"
            << "张三"
            << "new"
            << "" << QList<bool>{} << int(ConfirmResult::Incomplete) << QStringList{kIncomplete};
        QTest::newRow("both empty, no") << "张三"
                                        << "guest"
                                        << "张三"
                                        << ""
                                        << "" << QList<bool>{false} << int(ConfirmResult::Declined)
                                        << QStringList{askEmpty};
        QTest::newRow("both empty, yes") << "张三"
                                         << "guest"
                                         << "张三"
                                         << ""
                                         << "" << QList<bool>{true} << int(ConfirmResult::Stored)
                                         << QStringList{askEmpty};
    }

    void confirm()
    {
        QFETCH(QString, loginuser);
        QFETCH(QString, right);
        QFETCH(QString, record);
        QFETCH(QString, password);
        QFETCH(QString, again);
        QFETCH(QList<bool>, answers);
        QFETCH(int, result);
        QFETCH(QStringList, texts);
        ScriptedInteraction ui;
        for (bool answer : answers) {
            ui.answer({answer});
        }
        select(record);
        const QVariantList before = stored(record);
        UserAdmin admin(*m_users, loginuser, right, numbers({42}));
        QCOMPARE(int(admin.confirm(password, again)), result);
        QCOMPARE(ui.texts(), texts);
        const QVariantList after = stored(record);
        if (result == int(ConfirmResult::Stored)) {
            QCOMPARE(after.at(0).toString(), access::passwordDigest(password));
            QCOMPARE(after.at(1).toString(), access::keyFor(42));
            QCOMPARE(m_users->state(), engine::DatasetState::Browse);
            ui.clear();
            QCOMPARE(login(record, password), access::LoginResult::LoggedIn);
            QCOMPARE(login(record, "zs"), access::LoginResult::WrongPassword);
        } else {
            QCOMPARE(after, before);
        }
    }

    void everyConfirmationChangesTheKey()
    {
        ScriptedInteraction ui;
        select("张三");
        // The same number each time: its key, once held by this very row, is not taken again.
        UserAdmin admin(*m_users, "张三", "guest", numbers({42}));
        QCOMPARE(admin.confirm("a", "a"), ConfirmResult::Stored);
        const QString first = stored("张三").at(1).toString();
        QCOMPARE(admin.confirm("a", "a"), ConfirmResult::Stored);
        const QString second = stored("张三").at(1).toString();
        QCOMPARE(first, access::keyFor(42));
        QVERIFY(second != first);
        QCOMPARE(second.size(), 8);
    }

    void collidingKeyIsGeneratedAgain_data()
    {
        QTest::addColumn<QList<int>>("draws");
        QTest::addColumn<QString>("key");
        // 1, 2 and 3 are the keys of the three rows.
        QTest::newRow("another row's key, then a free one") << QList<int>{2, 3, 77} << access::keyFor(77);
        QTest::newRow("a source stuck on a taken key") << QList<int>{1} << access::keyFor(0);
    }

    void collidingKeyIsGeneratedAgain()
    {
        QFETCH(QList<int>, draws);
        QFETCH(QString, key);
        ScriptedInteraction ui;
        select("管理员");
        UserAdmin admin(*m_users, "管理员", "admin", numbers(draws));
        QCOMPARE(admin.confirm("root", "root"), ConfirmResult::Stored);
        QCOMPARE(stored("管理员").at(1).toString(), key);
        const auto keys = m_db->selectRows("SELECT key FROM password GROUP BY key HAVING COUNT(*) > 1");
        QVERIFY(keys.isEmpty());
    }

    void keyIsTheMiddleOfTheDigest()
    {
        QCOMPARE(access::keyFor(12345), MD5Hex("12345").mid(7, 8));
        QCOMPARE(access::keyFor(0), QString("495D565E")); // MD5 of "0" is CFCD2084 95D565EF ...
    }

    void administratorAddsAUserWhoLogsIn()
    {
        ScriptedInteraction ui;
        UserAdmin admin(*m_users, "管理员", "admin", numbers({500}));
        admin.append();
        m_users->field("user").setAsString("王五");
        m_users->field("isadmin").setAsBoolean(true);
        QCOMPARE(admin.confirm("ww", "ww"), ConfirmResult::Stored);
        QCOMPARE(stored("王五"), (QVariantList{access::passwordDigest("ww"), access::keyFor(500), -1}));
        QCOMPARE(login("王五", "ww"), access::LoginResult::LoggedIn);
    }

    void newRowWithoutNameIsRefused()
    {
        ScriptedInteraction ui;
        UserAdmin admin(*m_users, "管理员", "admin", numbers({500}));
        admin.append();
        QCOMPARE(admin.confirm("x", "x"), ConfirmResult::Incomplete);
        QCOMPARE(ui.texts(), QStringList{kIncomplete});
        QCOMPARE(m_users->state(), engine::DatasetState::Insert);
    }

    void cancelDuringInsertionRemovesTheRow()
    {
        UserAdmin admin(*m_users, "管理员", "admin");
        admin.append();
        m_users->field("user").setAsString("半途");
        QCOMPARE(m_users->rowCount(), 4);
        admin.cancel();
        QCOMPARE(m_users->rowCount(), 3);
        QCOMPARE(m_users->state(), engine::DatasetState::Browse);
        QCOMPARE(m_db->selectValue("SELECT COUNT(*) FROM password").toInt(), 3);
    }

    void cancelDropsTypedChanges()
    {
        select("张三");
        UserAdmin admin(*m_users, "管理员", "admin");
        m_users->edit();
        m_users->field("user").setAsString("改名");
        admin.cancel();
        QCOMPARE(m_users->field("user").asString(), QString("张三"));
    }

    void remove_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("left");
        QTest::newRow("himself") << "管理员" << QList<bool>{} << QStringList{kSelf} << 3;
        QTest::newRow("another, no") << "张三" << QList<bool>{false} << QStringList{kAskDelete} << 3;
        QTest::newRow("another, yes") << "张三" << QList<bool>{true} << QStringList{kAskDelete} << 2;
    }

    void remove()
    {
        QFETCH(QString, record);
        QFETCH(QList<bool>, answers);
        QFETCH(QStringList, texts);
        QFETCH(int, left);
        ScriptedInteraction ui;
        for (bool answer : answers) {
            ui.answer({answer});
        }
        select(record);
        UserAdmin admin(*m_users, "管理员", "admin");
        QCOMPARE(admin.remove(), left == 2);
        QCOMPARE(ui.texts(), texts);
        QCOMPARE(m_db->selectValue("SELECT COUNT(*) FROM password").toInt(), left);
        QCOMPARE(stored(record).isEmpty(), left == 2);
    }

    void adminBoxOfOnesOwnRecord()
    {
        ScriptedInteraction ui;
        UserAdmin admin(*m_users, "管理员", "admin");
        select("张三");
        QVERIFY(admin.mayEnterAdminBox());
        QVERIFY(ui.texts().isEmpty());
        select("管理员");
        QVERIFY(!admin.mayEnterAdminBox());
        QCOMPARE(ui.texts(), QStringList{kOwnRight});
        QCOMPARE(ui.shown.first().kind, ScriptedInteraction::Kind::Error);
        // He can still change his own password.
        ui.clear();
        QCOMPARE(admin.confirm("new", "new"), ConfirmResult::Stored);
        QCOMPARE(login("管理员", "new"), access::LoginResult::LoggedIn);
    }

    void commandLinePassword_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<int>("result");
        QTest::newRow("known") << "管理员" << int(access::PasswordChange::Stored);
        QTest::newRow("unknown") << "王五" << int(access::PasswordChange::UnknownUser);
        QTest::newRow("names are matched exactly") << "张" << int(access::PasswordChange::UnknownUser);
        QTest::newRow("two rows with the name") << "双" << int(access::PasswordChange::AmbiguousUser);
    }

    void commandLinePassword()
    {
        QFETCH(QString, user);
        QFETCH(int, result);
        m_db->execute("INSERT INTO password(user,passwd,isadmin,key) VALUES ('双','x',0,'A')");
        m_db->execute("INSERT INTO password(user,passwd,isadmin,key) VALUES ('双','y',0,'B')");
        const auto before = m_db->selectRows("SELECT user, passwd, key FROM password ORDER BY rowid");
        QCOMPARE(int(access::setPassword(*m_db, user, "忘了又设", numbers({9}))), result);
        if (result == int(access::PasswordChange::Stored)) {
            QCOMPARE(stored(user).mid(0, 2), (QVariantList{access::passwordDigest("忘了又设"), access::keyFor(9)}));
            ScriptedInteraction ui;
            QCOMPARE(login(user, "忘了又设"), access::LoginResult::LoggedIn);
            QCOMPARE(login(user, "root"), access::LoginResult::WrongPassword);
        } else {
            QCOMPARE(m_db->selectRows("SELECT user, passwd, key FROM password ORDER BY rowid"), before);
        }
    }
};

QTEST_MAIN(TestUserAdmin)
#include "test_useradmin.moc"
