#include "access/loginrules.h"
#include "access/md5hex.h"
#include "access/tloginform.h"
#include "app/commands.h"
#include "app/tmainform.h"
#include "app/windowcontext.h"
#include "data/dmunit.h"
#include "dataaware/datagrid.h"
#include "platform/paths.h"
#include "remindersfixture.h"
#include "support/scriptedinteraction.h"
#include "support/testdb.h"
#include "tools/alarmclock.h"
#include "tools/reminderbar.h"
#include "tools/reminderdesk.h"
#include "tools/tfrmlist.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

/// Closes the next modal list window with "确定" once it runs, after noting its group caption.
void closeNextList(QString* caption)
{
    QTimer::singleShot(0, [caption] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* list = qobject_cast<TfrmList*>(widget); list && list->isVisible()) {
                *caption = list->GroupBox1->title();
                list->BitBtn1->click();
            }
        }
    });
}

} // namespace

/// The list window, and the main window's reminder entries and counts after a login.
class TestReminderWindows : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        access::LoginSession::resetFailureCount();
        access::setQuitHandler([] {});
    }

    void listWindow_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("birthdays") << int(reminders::List::Birthdays) << "本月过生日的员工"
                                   << QStringList{"姓名", "生日", "部门", "职务"};
        QTest::newRow("contracts") << int(reminders::List::Contracts) << "一个月内合同到期的员工"
                                   << QStringList{"姓名",     "起始日期", "到期日",  "合同编号",
                                                  "合同名称", "合同类别", "合同性质"};
    }

    void listWindow()
    {
        QFETCH(int, list);
        QFETCH(QString, caption);
        QFETCH(QStringList, titles);
        ScriptedInteraction ui;
        testdb::TempFile file(reminderRows(QDate::currentDate()));
        Tdm dm;
        dm.db->open(file.path());
        WindowContext context(dm, ui);
        TfrmList form(context);
        form.openList(reminders::List(list));
        form.show();
        QCOMPARE(form.windowTitle(), QString("提醒"));
        QCOMPARE(form.size(), QSize(TfrmList::DesignWidth, TfrmList::DesignHeight));
        QCOMPARE(form.GroupBox1->title(), caption);
        QAbstractItemModel* model = form.DBGrid1->model();
        QCOMPARE(model->rowCount(), 3);
        QStringList shown;
        for (int c = 0; c < model->columnCount(); ++c) {
            shown << model->headerData(c, Qt::Horizontal).toString();
            QCOMPARE(form.DBGrid1->columnWidth(c), TfrmList::ColumnWidth);
        }
        QCOMPARE(shown, titles);
        QCOMPARE(model->index(0, 0).data().toString(), QString("一号"));
        QVERIFY(!(model->flags(model->index(0, 0)) & Qt::ItemIsEditable));
        QCOMPARE(form.DBGrid1->selectionBehavior(), QAbstractItemView::SelectRows);
        // The grid grows with the window.
        const int before = form.DBGrid1->width();
        form.resize(800, 500);
        QTRY_VERIFY(form.DBGrid1->width() > before);
        form.BitBtn1->click();
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QVERIFY(!form.isVisible());
    }

    void mainWindowEntriesAndCounts()
    {
        ScriptedInteraction ui;
        testdb::TempFile file(reminderRows(QDate::currentDate()) +
                              "INSERT INTO password(user,passwd,isadmin,key) VALUES('admin','" +
                              access::passwordDigest("123") + "',-1,'0000000A');");
        paths::setAppPath(file.folder());
        Tdm dm;
        WindowContext context(dm, ui);
        Tmainform mainform(context);
        bindReminderCommands(mainform);
        QVERIFY(mainform.birthdayEntry()->isEnabled());
        QVERIFY(mainform.contractEntry()->isEnabled());
        auto* bar = mainform.findChild<ReminderBar*>();
        QVERIFY(bar);
        QVERIFY(bar->isHidden()); // nothing before a login

        context.setModalRunner([](QDialog& dialog) {
            if (auto* login = qobject_cast<Tloginform*>(&dialog)) {
                QTimer::singleShot(0, login, [login] {
                    login->userChooser()->setCurrentIndex(0);
                    login->passwordEdit()->setText("123");
                    login->loginButton()->click();
                });
            }
            return dialog.exec();
        });
        mainform.runlink(command::Relogin);
        QVERIFY(!bar->isHidden());
        QCOMPARE(bar->plainText(), QString("本月过生日：3人  合同即将到期：3人"));
        QCOMPARE(bar->parentWidget(), mainform.clock()->parentWidget());

        // A new contract shows at the next login.
        dm.db->execute("INSERT INTO contracts(person_id,end_date) VALUES('P2',date())");
        mainform.runlink(command::Relogin);
        QCOMPARE(bar->plainText(), QString("本月过生日：3人  合同即将到期：4人"));

        QString caption;
        closeNextList(&caption);
        emit bar->linkActivated("contracts");
        QCOMPARE(caption, QString("一个月内合同到期的员工"));
        closeNextList(&caption);
        mainform.birthdayEntry()->trigger();
        QCOMPARE(caption, QString("本月过生日的员工"));
        QVERIFY(ui.texts().isEmpty());
    }

    void countsAfterMidnight()
    {
        ScriptedInteraction ui;
        testdb::TempFile file(reminderRows(QDate::currentDate()));
        Tdm dm;
        dm.db->open(file.path());
        WindowContext context(dm, ui);
        QWidget owner;
        AlarmClock clock(&owner);
        QDateTime now(QDate(2026, 3, 1), QTime(23, 59, 59));
        clock.setTimeSource([&now] { return now; });
        ReminderBar bar(&owner);
        ReminderDesk desk(context, clock, bar);
        clock.tick();
        QVERIFY(bar.isHidden());
        now = now.addSecs(2);
        clock.tick();
        QVERIFY(!bar.isHidden());
        QCOMPARE(bar.plainText(), QString("本月过生日：3人  合同即将到期：3人"));
    }
};

QTEST_MAIN(TestReminderWindows)
#include "test_reminderwindows.moc"
