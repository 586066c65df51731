#include "access/loginrules.h"
#include "access/md5hex.h"
#include "access/tloginform.h"
#include "support/scriptedinteraction.h"
#include "support/testcontext.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using access::LoginResult;
using access::LoginSession;
using access::UserRecord;

namespace {

const QString kWrong = QStringLiteral("密码错误！不能进入系统，请重新输入！");
const QString kRefused = QStringLiteral("你不是本系统用户，你无权使用本数据库！");
const QString kGuest = QStringLiteral("你只是普通用户，只能浏览数据，不能对数据进行修改增添！");
const QString kChoose = QStringLiteral("请选择用户名！");

QList<UserRecord> sampleUsers()
{
    return {
        {QStringLiteral("张三"), access::passwordDigest(QStringLiteral("zs")), QStringLiteral("0000000A"), QVariant(0)},
        {QStringLiteral("admin"), access::passwordDigest(QStringLiteral("123")), QStringLiteral("0000000B"),
         QVariant(-1)},
        {QStringLiteral("空密码"), access::passwordDigest(QString()), QStringLiteral("0000000C"), QVariant(-1)},
        {QStringLiteral("小写"), access::passwordDigest(QStringLiteral("abc")).toLower(), QStringLiteral("0000000D"),
         QVariant(-1)},
        {QStringLiteral("无权限"), access::passwordDigest(QStringLiteral("x")), QStringLiteral("0000000E"), QVariant()},
    };
}

/// Presses "登陆" in the window with the given user and password.
void attempt(Tloginform& form, const QString& user, const QString& password)
{
    form.userChooser()->setCurrentIndex(form.userChooser()->findText(user));
    form.passwordEdit()->setText(password);
    form.loginButton()->click();
}

} // namespace

class TestLogin : public QObject
{
    Q_OBJECT

private:
    int m_quits = 0;

private slots:
    void init()
    {
        LoginSession::resetFailureCount();
        m_quits = 0;
        access::setQuitHandler([this] { ++m_quits; });
    }

    void outcomes_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("right");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("administrator") << "admin"
                                       << "123" << int(LoginResult::LoggedIn) << "admin" << QStringList();
        QTest::newRow("guest gets the notice") << "张三"
                                               << "zs" << int(LoginResult::LoggedIn) << "guest" << QStringList{kGuest};
        QTest::newRow("null isadmin is a guest") << "无权限"
                                                 << "x" << int(LoginResult::LoggedIn) << "guest" << QStringList{kGuest};
        QTest::newRow("empty password, stored empty") << "空密码"
                                                      << "" << int(LoginResult::LoggedIn) << "admin" << QStringList();
        QTest::newRow("empty password, stored other")
            << "admin"
            << "" << int(LoginResult::WrongPassword) << "" << QStringList{kWrong};
        QTest::newRow("lower-case digest never matches")
            << "小写"
            << "abc" << int(LoginResult::WrongPassword) << "" << QStringList{kWrong};
        QTest::newRow("password is case-sensitive")
            << "张三"
            << "ZS" << int(LoginResult::WrongPassword) << "" << QStringList{kWrong};
    }

    void outcomes()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(int, result);
        QFETCH(QString, right);
        QFETCH(QStringList, messages);
        ScriptedInteraction ui;
        const QList<UserRecord> users = sampleUsers();
        const auto chosen =
            std::find_if(users.begin(), users.end(), [&](const UserRecord& r) { return r.user == user; });
        QVERIFY(chosen != users.end());
        LoginSession session;
        QCOMPARE(int(session.attempt(&*chosen, password)), result);
        QCOMPARE(session.succeeded(), result == int(LoginResult::LoggedIn));
        QCOMPARE(session.right(), right);
        QCOMPARE(session.user(), session.succeeded() ? user : QString());
        QCOMPARE(ui.texts(), messages);
    }

    void failureCountSpansLoginWindows()
    {
        ScriptedInteraction ui;
        TestContext t(ui);
        t.store.userRows = sampleUsers();
        {
            Tloginform first(t.context);
            attempt(first, "admin", "1");
            attempt(first, "admin", "12");
            QCOMPARE(ui.texts(), (QStringList{kWrong, kWrong}));
            QCOMPARE(first.passwordEdit()->text(), QString("12")); // kept for another try
            attempt(first, "admin", "123");
            QVERIFY(first.succeeded());
            QCOMPARE(first.loginRight(), QString("admin"));
            QCOMPARE(t.store.loginuser, QString("admin")); // the session of the run
            QCOMPARE(t.store.loginright, QString("admin"));
        }
        QCOMPARE(LoginSession::failureCount(), 2);
        ui.clear();
        Tloginform relogin(t.context);
        attempt(relogin, "admin", "bad");
        QCOMPARE(ui.texts(), QStringList{kRefused});
        QCOMPARE(ui.shown.first().kind, ScriptedInteraction::Kind::Error);
        QCOMPARE(m_quits, 1);
        QVERIFY(!relogin.succeeded());
    }

    void noUserChosenIsNotAFailure()
    {
        ScriptedInteraction ui;
        TestContext t(ui);
        t.store.userRows = sampleUsers();
        Tloginform form(t.context);
        QCOMPARE(form.userChooser()->currentText(), QString());
        form.passwordEdit()->setText("123");
        for (int i = 0; i < 4; ++i) {
            form.loginButton()->click();
        }
        QCOMPARE(ui.texts(), QStringList(4, kChoose));
        QCOMPARE(LoginSession::failureCount(), 0);
        QCOMPARE(m_quits, 0);
    }

    void emptyOrUnreadablePasswordTableOffersNoName_data()
    {
        QTest::addColumn<bool>("unreadable");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("empty table") << false << QStringList{kChoose};
        QTest::newRow("unreadable table is shown")
            << true << QStringList{QStringLiteral("no such table: password"), kChoose};
    }

    void emptyOrUnreadablePasswordTableOffersNoName()
    {
        QFETCH(bool, unreadable);
        QFETCH(QStringList, messages);
        ScriptedInteraction ui;
        TestContext t(ui);
        t.store.userRows.clear();
        t.store.failUsers = unreadable;
        Tloginform form(t.context);
        QCOMPARE(form.userChooser()->count(), 0);
        form.loginButton()->click();
        QCOMPARE(ui.texts(), messages);
        form.quitButton()->click();
        QCOMPARE(m_quits, 1);
    }

    void refusesToCloseBeforeSuccess()
    {
        ScriptedInteraction ui;
        TestContext t(ui);
        t.store.userRows = sampleUsers();
        Tloginform form(t.context);
        form.show();
        QVERIFY(!form.close());
        QVERIFY(form.isVisible());
        QCOMPARE(m_quits, 0);
        attempt(form, "admin", "123");
        QVERIFY(form.succeeded());
        QVERIFY(!form.isVisible());
    }

    void chooserListsUsersInTableOrder()
    {
        ScriptedInteraction ui;
        TestContext t(ui);
        t.store.userRows = sampleUsers();
        Tloginform form(t.context);
        QCOMPARE(form.userChooser()->count(), 5);
        QCOMPARE(form.userChooser()->itemText(0), QString("张三"));
        QCOMPARE(form.userChooser()->itemData(1).toString(), QString("0000000B"));
        QCOMPARE(form.passwordEdit()->echoMode(), QLineEdit::Password);
        QVERIFY(form.loginButton()->isDefault());
    }
};

QTEST_MAIN(TestLogin)
#include "test_login.moc"
