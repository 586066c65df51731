#include "access/md5hex.h"
#include "access/tloginform.h"
#include "access/tusersetform.h"
#include "access/useradmin.h"
#include "app/windowcontext.h"
#include "data/dmunit.h"
#include "dataaware/datagrid.h"
#include "platform/paths.h"
#include "support/scriptedinteraction.h"
#include "support/testdb.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString kSaved = QStringLiteral("个人资料修改成功");

QString usersSql()
{
    return QStringLiteral("INSERT INTO password(user,passwd,isadmin,key) VALUES"
                          " ('管理员','%1',-1,'AAAAAAAA'), ('张三','%2',0,'BBBBBBBB'), ('李四','%3',0,'CCCCCCCC');")
        .arg(access::passwordDigest("root"), access::passwordDigest("zs"), access::passwordDigest("ls"));
}

/// Types a text as an input method commits it (QTest's key clicks know only ASCII).
void type(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(edit, &event);
}

/// The window over a temporary database, logged in as `user` with `right`.
struct Window
{
    Window(const QString& user, const QString& right) : file(usersSql()), context(dm, ui)
    {
        paths::setAppPath(file.folder());
        dm.db->setFileName(file.path());
        dm.loginuser = user;
        dm.loginright = right;
        form = std::make_unique<Tusersetform>(context, nullptr, [] { return 4711; });
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

    void select(const QString& user)
    {
        for (int row = 0; row < dm.tblpass->rowCount(); ++row) {
            if (dm.tblpass->peek(row, dm.tblpass->fieldIndex("user")).toString() == user) {
                form->dbgrid1->setCurrentIndex(form->dbgrid1->model()->index(row, 0));
                QCOMPARE(dm.tblpass->field("user").asString(), user);
                return;
            }
        }
        QFAIL(qPrintable("no user " + user));
    }

    QString storedDigest(const QString& user)
    {
        return dm.db->selectValue("SELECT passwd FROM password WHERE user = ?", {user}).toString();
    }

    void typePasswords(const QString& first, const QString& second)
    {
        form->Edit1->setText(first);
        form->Edit2->setText(second);
    }

    ScriptedInteraction ui;
    testdb::TempFile file;
    Tdm dm;
    WindowContext context; ///< the data module itself is the store: the login reads the real table
    std::unique_ptr<Tusersetform> form;
};

} // namespace

/// The user administration window driven offscreen: its two widths, the guest's limits, adding,
/// confirming, cancelling and the administrator box of one's own record.
class TestUsersetForm : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        access::LoginSession::resetFailureCount();
        access::setQuitHandler([] {});
    }

    void widthsAndCaptions()
    {
        Window w("管理员", "admin");
        QCOMPARE(w.form->windowTitle(), QString("数据库用户设置"));
        QCOMPARE(w.form->width(), Tusersetform::NarrowWidth);
        QVERIFY(!w.form->detailsShown());
        QCOMPARE(w.form->BitBtn2->text(), QString("资料>>"));
        QVERIFY(w.form->BitBtn1->isDefault());
        QCOMPARE(w.form->dbgrid1->model()->headerData(0, Qt::Horizontal).toString(), QString("用户名"));
        QCOMPARE(w.form->dbgrid1->model()->rowCount(), 3);
        QCOMPARE(w.form->Edit1->echoMode(), QLineEdit::Password);

        w.form->BitBtn2->click();
        QCOMPARE(w.form->width(), Tusersetform::WideWidth);
        QVERIFY(w.form->detailsShown());
        QCOMPARE(w.form->BitBtn2->text(), QString("资料<<"));
        QVERIFY(w.form->BitBtn5->isDefault());

        w.form->BitBtn2->click();
        QCOMPARE(w.form->width(), Tusersetform::NarrowWidth);
        QCOMPARE(w.form->BitBtn2->text(), QString("资料>>"));
        // Any width short of the wide one opens the details.
        w.form->setFormWidth(400);
        QVERIFY(!w.form->detailsShown());
        w.form->BitBtn2->click();
        QCOMPARE(w.form->width(), Tusersetform::WideWidth);
    }

    void guestLimits()
    {
        Window w("张三", "guest");
        QVERIFY(!w.form->BitBtn1->isEnabled());
        QVERIFY(!w.form->BitBtn3->isEnabled());
        QVERIFY(w.form->BitBtn2->isEnabled());
        QVERIFY(w.form->DBEdit1->isReadOnly());
        w.select("李四");
        w.form->BitBtn2->click();
        const bool before = w.form->DBCheckBox1->isChecked();
        QTest::mouseClick(w.form->DBCheckBox1, Qt::LeftButton);
        QCOMPARE(w.form->DBCheckBox1->isChecked(), before);
        QCOMPARE(w.dm.tblpass->state(), engine::DatasetState::Browse);
    }

    void guestConfirmingAnotherUsersRecord()
    {
        Window w("张三", "guest");
        w.select("李四");
        w.form->BitBtn2->click();
        w.typePasswords("hack", "hack");
        w.form->BitBtn5->click();
        QCOMPARE(w.ui.texts(), QStringList{"你不是系统管理员，只能修改自己的密码！"});
        QCOMPARE(w.form->Edit1->text(), QString());
        QCOMPARE(w.form->Edit2->text(), QString());
        QCOMPARE(w.storedDigest("李四"), access::passwordDigest("ls"));
        QVERIFY(w.form->detailsShown());
    }

    void guestChangesHisOwnPassword()
    {
        Window w("张三", "guest");
        w.select("张三");
        w.form->BitBtn2->click();
        w.typePasswords("新密码", "新密码");
        w.form->BitBtn5->click();
        QCOMPARE(w.ui.texts(), QStringList{kSaved});
        QCOMPARE(w.storedDigest("张三"), access::passwordDigest("新密码"));
        QCOMPARE(w.form->Edit1->text(), QString());
        QCOMPARE(w.form->Edit2->text(), QString());
        QCOMPARE(w.form->width(), Tusersetform::NarrowWidth);
    }

    void differentPasswordsStayInTheWindow()
    {
        Window w("管理员", "admin");
        w.select("张三");
        w.form->BitBtn2->click();
        w.typePasswords("one", "two");
        w.form->BitBtn5->click();
        QCOMPARE(w.ui.texts(), QStringList{"请检查资料是否齐全，两次输入密码是否一致！"});
        QCOMPARE(w.storedDigest("张三"), access::passwordDigest("zs"));
        QCOMPARE(w.form->Edit1->text(), QString("one"));
        QVERIFY(w.form->detailsShown());
    }

    void administratorAddsAUserWhoLogsIn()
    {
        Window w("管理员", "admin");
        w.form->BitBtn1->click();
        QCOMPARE(w.form->width(), Tusersetform::WideWidth);
        QCOMPARE(w.form->focusWidget(), w.form->DBEdit1);
        QCOMPARE(w.dm.tblpass->state(), engine::DatasetState::Insert);
        type(w.form->DBEdit1, "王五");
        QTest::mouseClick(w.form->DBCheckBox1, Qt::LeftButton);
        QVERIFY(w.form->DBCheckBox1->isChecked());
        w.typePasswords("ww", "ww");
        w.form->BitBtn5->click();
        QCOMPARE(w.ui.texts(), QStringList{kSaved});
        const auto row = w.dm.db->selectRows("SELECT passwd, isadmin, key FROM password WHERE user = '王五'");
        QCOMPARE(row, (QList<QVariantList>{{access::passwordDigest("ww"), -1, access::keyFor(4711)}}));
        w.form->close();
        QVERIFY(!w.dm.tblpass->active());

        w.ui.clear();
        Tloginform login(w.context);
        login.userChooser()->setCurrentIndex(login.userChooser()->findText("王五"));
        login.passwordEdit()->setText("ww");
        login.loginButton()->click();
        QVERIFY(login.succeeded());
        QCOMPARE(login.loginRight(), QString("admin"));
        QVERIFY(w.ui.texts().isEmpty());
    }

    void cancelDuringInsertion()
    {
        Window w("管理员", "admin");
        w.form->BitBtn1->click();
        type(w.form->DBEdit1, "半途");
        QCOMPARE(w.form->dbgrid1->model()->rowCount(), 4);
        w.form->BitBtn6->click();
        QCOMPARE(w.form->dbgrid1->model()->rowCount(), 3);
        QCOMPARE(w.form->width(), Tusersetform::NarrowWidth);
        QCOMPARE(w.dm.db->selectValue("SELECT COUNT(*) FROM password").toInt(), 3);
        QVERIFY(w.ui.texts().isEmpty());
    }

    void ownAdministratorBox()
    {
        Window w("管理员", "admin");
        w.select("管理员");
        w.form->BitBtn2->click();
        QVERIFY(w.form->DBCheckBox1->isChecked());
        QTest::mouseClick(w.form->DBCheckBox1, Qt::LeftButton);
        QCOMPARE(w.ui.texts(), QStringList{"不能操作自己的权限设置！"});
        QCOMPARE(w.form->focusWidget(), w.form->BitBtn6);
        QVERIFY(w.form->DBCheckBox1->isChecked());
        QCOMPARE(w.dm.tblpass->state(), engine::DatasetState::Browse);

        // Another user's box takes the click.
        w.ui.clear();
        w.select("张三");
        QTest::mouseClick(w.form->DBCheckBox1, Qt::LeftButton);
        QVERIFY(w.ui.texts().isEmpty());
        QVERIFY(w.form->DBCheckBox1->isChecked());
        QCOMPARE(w.dm.tblpass->state(), engine::DatasetState::Edit);
    }

    void administratorCannotDeleteHimself()
    {
        Window w("管理员", "admin");
        w.select("管理员");
        w.form->BitBtn3->click();
        QCOMPARE(w.ui.texts(), QStringList{"不能删除自己！"});
        w.ui.clear();
        w.ui.answer({true});
        w.select("李四");
        w.form->BitBtn3->click();
        QCOMPARE(w.ui.texts(), QStringList{"你真的要删除本条记录吗？"});
        QCOMPARE(w.dm.db->selectValue("SELECT COUNT(*) FROM password").toInt(), 2);
    }
};

QTEST_MAIN(TestUsersetForm)
#include "test_usersetform.moc"
