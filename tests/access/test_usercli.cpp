#include "access/loginrules.h"
#include "access/md5hex.h"
#include "access/useradmin.h"
#include "data/installationlock.h"
#include "support/clirun.h"
#include "support/foreignlock.h"
#include "support/scriptedinteraction.h"
#include "support/testdb.h"

#include <QTest>

namespace {

QString usersSql()
{
    return QStringLiteral("INSERT INTO password(user,passwd,isadmin,key) VALUES"
                          " ('管理员','%1',-1,'AAAAAAAA'), ('张三','%2',0,'BBBBBBBB'), ('李四','%2',NULL,'CCCCCCCC');")
        .arg(access::passwordDigest("forgotten"), access::passwordDigest("zs"));
}

} // namespace

/// The way back in from the command line: roster-cli users and roster-cli passwd.
class TestUserCli : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        access::LoginSession::resetFailureCount();
        access::setQuitHandler([] {});
    }

    void listsUsers()
    {
        testdb::TempFile file(usersSql());
        const clirun::Result result = clirun::run({"users", "--home", file.folder()});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QString("用户名\t系统管理员\n李四\t否\n管理员\t是\n张三\t否\n"));
    }

    void newPasswordLogsIn()
    {
        testdb::TempFile file(usersSql());
        const clirun::Result result = clirun::run({"passwd", "管理员", "--home", file.folder()}, "新的 密码\n");
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QString("个人资料修改成功\n"));

        engine::Database db;
        db.open(file.path());
        const QList<access::UserRecord> users = access::listUsers(db);
        const access::UserRecord& admin = users.at(1); // NULL, then -1, then 0: the isadmin index
        QCOMPARE(admin.user, QString("管理员"));
        QVERIFY(admin.key != "AAAAAAAA");
        QCOMPARE(admin.key.size(), 8);
        ScriptedInteraction ui;
        access::LoginSession old;
        QCOMPARE(old.attempt(&admin, "forgotten"), access::LoginResult::WrongPassword);
        access::LoginSession session;
        QCOMPARE(session.attempt(&admin, "新的 密码"), access::LoginResult::LoggedIn);
        QCOMPARE(session.right(), QString("admin"));
    }

    void waitsForTheRunningProgram()
    {
        testdb::TempFile file(usersSql());
        ForeignLock program(InstallationLock::lockFileFor(file.path()));
        QVERIFY(program.locked());
        const clirun::Result result = clirun::run({"passwd", "管理员", "--home", file.folder()}, "new\n");
        QCOMPARE(result.exitCode, 3);
        QVERIFY(result.err.contains(file.path()));
        engine::Database db;
        db.open(file.path());
        QCOMPARE(db.selectValue("SELECT passwd FROM password WHERE user = '管理员'").toString(),
                 access::passwordDigest("forgotten"));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("err");
        QTest::newRow("unknown user") << QStringList{"passwd", "王五"} << QByteArray("x\n") << 1
                                      << "没有名为\"王五\"的用户\n";
        QTest::newRow("no line on standard input")
            << QStringList{"passwd", "管理员"} << QByteArray() << 1 << "没有读到新密码\n";
        QTest::newRow("no user named") << QStringList{"passwd"} << QByteArray("x\n") << 2 << "";
        QTest::newRow("two users named") << QStringList{"passwd", "张三", "李四"} << QByteArray("x\n") << 2 << "";
        QTest::newRow("unknown option") << QStringList{"users", "--all"} << QByteArray() << 2 << "";
    }

    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        QFETCH(int, exitCode);
        QFETCH(QString, err);
        testdb::TempFile file(usersSql());
        const clirun::Result result = clirun::run(args + QStringList{"--home", file.folder()}, input);
        QCOMPARE(result.exitCode, exitCode);
        if (!err.isEmpty()) {
            QCOMPARE(result.err, err);
        }
        QCOMPARE(result.out, QString());
        engine::Database db;
        db.open(file.path());
        QCOMPARE(db.selectValue("SELECT passwd FROM password WHERE user = '管理员'").toString(),
                 access::passwordDigest("forgotten"));
    }
};

QTEST_MAIN(TestUserCli)
#include "test_usercli.moc"
