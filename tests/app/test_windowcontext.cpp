#include "app/commands.h"
#include "app/recordcommands.h"
#include "app/tmainform.h"
#include "app/windowcontext.h"
#include "data/dmunit.h"
#include "platform/inifile.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "records/deptdropform.h"
#include "records/setdlgform.h"
#include "records/setform5.h"
#include "records/tfrmredeploy.h"
#include "records/tworkerform.h"
#include "support/scriptedinteraction.h"
#include "support/testdb.h"

#include <QAction>
#include <QDir>
#include <QPointer>
#include <QPushButton>
#include <QTest>

/// The window context of a run over a temporary installation: the reused windows, the session's
/// right, the modal runner, and the main window's entries reaching the windows through it.
class TestWindowContext : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<testdb::TempFile> m_file;

private slots:
    void init()
    {
        m_file = std::make_unique<testdb::TempFile>(
            QStringLiteral("INSERT INTO person(ID,name,status) VALUES('A001','张伟',1),('B001','王强',2);"));
        paths::setAppPath(m_file->folder());
        QDir(m_file->folder()).mkpath(QStringLiteral("data"));
        ini::writeString(paths::rosterini(), QStringLiteral("database"), QStringLiteral("filepath"), m_file->path());
        ini::writeString(paths::sysinifile(), QStringLiteral("FieldSetFile"), QStringLiteral("folk"),
                         QStringLiteral("folk.txt"));
        textfile::writeLines(paths::datapath() + QStringLiteral("dept.txt"), {"销售部", "\t华东区"});
    }

    void cleanup() { m_file.reset(); }

    void reusedWindowsAreMadeOnceAsChildrenOfTheOwner()
    {
        ScriptedInteraction ui;
        Tdm dm;
        QPointer<Tworkerform> kept;
        {
            QWidget owner;
            WindowContext context(dm, ui);
            context.setOwner(&owner);
            context.createStartupWindows();
            Tworkerform* worker = &context.workerForm();
            QCOMPARE(&context.workerForm(), worker);
            QCOMPARE(&context.deptPicker(), &context.deptPicker());
            for (QWidget* window :
                 QList<QWidget*>{worker, &context.deptPicker(), &context.codeListEditor(), &context.redeployDialog()}) {
                QCOMPARE(window->parentWidget(), &owner);
                QVERIFY(!window->isVisible());
            }
            // The picker read the department file when it was made.
            QCOMPARE(context.deptPicker().firstLevelNames(), QStringList{"销售部"});
            kept = worker;
        }
        QVERIFY(kept.isNull());
        QVERIFY(ui.shown.isEmpty());

        // Without an owner the context itself takes them away; an owner gone first leaves nothing
        // for the context to delete twice.
        {
            WindowContext context(dm, ui);
            kept = &context.workerForm();
            QVERIFY(kept->parentWidget() == nullptr);
        }
        QVERIFY(kept.isNull());
        {
            WindowContext context(dm, ui);
            auto owner = std::make_unique<QWidget>();
            context.setOwner(owner.get());
            context.createStartupWindows();
            owner.reset();
        }
    }

    void anUnreadableDepartmentFileIsShownAndThePickerStillComes()
    {
        ScriptedInteraction ui;
        Tdm dm;
        textfile::writeLines(paths::datapath() + QStringLiteral("dept.txt"), {"A", "\t\tA11", "B"});
        WindowContext context(dm, ui);
        Tdeptdropform& picker = context.deptPicker();
        QCOMPARE(ui.texts().size(), 1);
        QVERIFY(ui.texts().first().startsWith("Invalid level (2) for item \"A11\"\n\n")); // then the line to mend
        QCOMPARE(picker.firstLevelNames(), QStringList{"A"});
    }

    void theGuestRightIsReadAtEachCall_data()
    {
        QTest::addColumn<QString>("right");
        QTest::addColumn<bool>("guest");
        QTest::newRow("before a login") << QString() << false;
        QTest::newRow("administrator") << "admin" << false;
        QTest::newRow("guest") << "guest" << true;
        QTest::newRow("the right is compared whole") << "guests" << false;
    }

    void theGuestRightIsReadAtEachCall()
    {
        QFETCH(QString, right);
        QFETCH(bool, guest);
        ScriptedInteraction ui;
        Tdm dm;
        WindowContext context(dm, ui);
        dm.loginright = right;
        QCOMPARE(context.isGuest(), guest);
        Tsetform5 editor(context);
        editor.show();
        QCOMPARE(editor.isGuest(), guest);
        QCOMPARE(editor.Button1->isEnabled(), !guest);
    }

    void theMainWindowsEntriesReachTheWindowsThroughTheContext()
    {
        ScriptedInteraction ui;
        Tdm dm;
        dm.loginright = QStringLiteral("admin");
        WindowContext context(dm, ui);
        QStringList modal;
        context.setModalRunner([&](QDialog& dialog) {
            modal << QString::fromLatin1(dialog.metaObject()->className()) + u':' + dialog.windowTitle();
            return int(QDialog::Rejected);
        });
        Tmainform mainform(context);
        QCOMPARE(context.owner(), &mainform);
        QVERIFY(dm.db->isOpen());
        context.createStartupWindows();
        bindRecordCommands(mainform);

        // 人员档案浏览 shows the one browser; 离职人员浏览 runs it modally in the departed view.
        mainform.runlink(command::Persons);
        Tworkerform& worker = context.workerForm();
        QVERIFY(worker.isVisible());
        QCOMPARE(worker.windowTitle(), QStringLiteral("在职人员浏览"));
        mainform.departedEntry()->trigger();
        QCOMPARE(modal, QStringList{"Tworkerform:离职人员浏览"});
        QCOMPARE(worker.windowTitle(), QStringLiteral("在职人员浏览"));

        // The base-data entries: the code-list editor with its list, the department editor modally.
        mainform.runlink(command::Folk);
        QCOMPARE(context.codeListEditor().windowTitle(), QStringLiteral("民族档案设置"));
        QCOMPARE(context.codeListEditor().listPath(), paths::datapath() + QStringLiteral("folk.txt"));
        mainform.runlink(command::Departments);
        QVERIFY(modal.last().startsWith(QStringLiteral("Tsetform5:")));
        QVERIFY(ui.shown.isEmpty());
    }

    void aFailingEntryIsShownAndTheProgramGoesOn()
    {
        ScriptedInteraction ui;
        Tdm dm;
        WindowContext context(dm, ui);
        Tmainform mainform(context);
        int runs = 0;
        mainform.bindCommand(command::Search, [&runs] {
            ++runs;
            throw RosterError(QStringLiteral("查询语句有误"));
        });
        mainform.runlink(command::Search);
        mainform.runlink(command::Search);
        QCOMPARE(runs, 2);
        QCOMPARE(ui.texts(), (QStringList{"查询语句有误", "查询语句有误"}));
        QCOMPARE(ui.shown.first().kind, ScriptedInteraction::Kind::Error);
    }
};

QTEST_MAIN(TestWindowContext)
#include "test_windowcontext.moc"
