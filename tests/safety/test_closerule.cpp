#include "data/databasefile.h"
#include "data/engine/database.h"
#include "data/engine/query.h"
#include "platform/inifile.h"
#include "platform/paths.h"
#include "safety/closerule.h"
#include "safety/texitform.h"
#include "support/scriptedinteraction.h"
#include "support/testcontext.h"
#include "support/testdb.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void makeDatabase(const QString& path, const QString& rows)
{
    testdb::TempFile made(rows);
    QVERIFY(QFile::copy(made.path(), path));
}

const char* const current = "INSERT INTO person(ID,name,status) VALUES ('A001','张三',1),('A002','李四',1);";
const char* const other = "INSERT INTO person(ID,name,status) VALUES ('O001','其他',1);";
const char* const older = "INSERT INTO person(ID,name,status) VALUES ('L001','上次',1),('L002','上次',1),"
                          "('L003','上次',1);";

} // namespace

class TestCloseRule : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_home;
    QString home(const QString& name) const { return paths::apppath() + name; }
    QString lastUse() const { return home("roster.lst"); }

private slots:
    void init()
    {
        m_home = std::make_unique<QTemporaryDir>();
        paths::setAppPath(m_home->path());
        makeDatabase(home("roster5.dat"), current);
        makeDatabase(lastUse(), older);
    }

    void options_data()
    {
        QTest::addColumn<QString>("option"); // empty: no onclose section at all
        QTest::addColumn<int>("action");
        QTest::newRow("backup copies and closes") << "backup" << int(safety::CloseAction::CopyAndClose);
        QTest::newRow("exit closes without a copy") << "exit" << int(safety::CloseAction::Close);
        QTest::newRow("none asks") << "none" << int(safety::CloseAction::AskExitDialog);
        QTest::newRow("missing section asks") << "" << int(safety::CloseAction::AskExitDialog);
        QTest::newRow("other text asks") << "Backup" << int(safety::CloseAction::AskExitDialog);
    }

    void options()
    {
        QFETCH(QString, option);
        QFETCH(int, action);
        if (!option.isEmpty()) {
            ini::writeString(paths::rosterini(), "onclose", "option", option);
        }
        QCOMPARE(int(safety::closeAction()), action);
    }

    /// The copy is of the file the connection uses, open or closed, and only a sound copy replaces
    /// the previous one.
    void lastUseCopy_data()
    {
        QTest::addColumn<QString>("configured");
        QTest::addColumn<bool>("open");
        QTest::addColumn<QString>("damage"); // "", "during the run", "missing file"
        QTest::addColumn<bool>("copied");
        QTest::addColumn<QStringList>("lastUse");
        const QStringList currentIds{"A001", "A002"};
        const QStringList olderIds{"L001", "L002", "L003"};
        QTest::newRow("open connection") << "roster5.dat" << true << "" << true << currentIds;
        QTest::newRow("closed connection") << "roster5.dat" << false << "" << true << currentIds;
        QTest::newRow("another configured file") << "other.dat" << true << "" << true << QStringList{"O001"};
        QTest::newRow("damaged during the run") << "roster5.dat" << true << "during the run" << false << olderIds;
        QTest::newRow("damaged, connection closed") << "roster5.dat" << false << "during the run" << false << olderIds;
        QTest::newRow("missing file") << "gone.dat" << false << "missing file" << false << olderIds;
    }

    void lastUseCopy()
    {
        QFETCH(QString, configured);
        QFETCH(bool, open);
        QFETCH(QString, damage);
        QFETCH(bool, copied);
        QFETCH(QStringList, lastUse);
        if (configured == "other.dat") {
            makeDatabase(home(configured), other);
        }
        engine::Database db;
        db.setFileName(configured);
        engine::Query persons(&db);
        if (open) {
            db.open(dbfile::resolve(configured));
            persons.setSql({"SELECT * FROM person"});
            persons.open();
        }
        if (damage == "during the run") {
            testdb::damagePage(home(configured), testdb::rootPage(home("roster5.dat"), "person"));
        }
        if (!copied) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("roster.lst"));
        }
        QCOMPARE(safety::copyToLastUse(db), copied);
        QCOMPARE(testdb::personIds(this->lastUse()), lastUse);
        QVERIFY(dbfile::check(this->lastUse()).sound());
        QCOMPARE(QDir(m_home->path()).entryList({"roster.lst?*"}), QStringList());
    }

    void exitDialogButtons_data()
    {
        QTest::addColumn<int>("button"); // 0 备份后退出, 1 直接退出, 2 取消退出
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("copies");
        QTest::newRow("backup then exit") << 0 << int(Texitform::Choice::BackupAndExit) << 1;
        QTest::newRow("exit") << 1 << int(Texitform::Choice::Exit) << 0;
        QTest::newRow("cancel") << 2 << int(Texitform::Choice::Cancel) << 0;
    }

    void exitDialogButtons()
    {
        QFETCH(int, button);
        QFETCH(int, choice);
        QFETCH(int, copies);
        ScriptedInteraction ui;
        TestContext t(ui);
        Texitform form(t.context);
        QCOMPARE(form.windowTitle(), QString("退出本系统"));
        QVERIFY(form.backupButton()->isDefault());
        QPushButton* buttons[] = {form.backupButton(), form.exitButton(), form.cancelButton()};
        QCOMPARE(buttons[button]->text(), (QStringList{"备份后退出", "直接退出", "取消退出"}.at(button)));
        t.context.setModalRunner([&](QDialog& dialog) {
            dialog.show();
            buttons[button]->click();
            return dialog.result();
        });
        const std::optional<Texitform::Choice> chosen = form.ask();
        QVERIFY(chosen.has_value());
        QCOMPARE(int(*chosen), choice);
        QVERIFY(!form.isVisible());
        QCOMPARE(t.store.lastUseCopies, copies);
    }

    /// A good roster.lst survives 备份后退出 after the database was damaged during the run.
    void backupExitAfterDamageKeepsTheGoodCopy()
    {
        // The program's own path: the dialog, the context and the data module's store.
        ScriptedInteraction ui;
        Tdm dm;
        WindowContext context(dm, ui);
        dm.db->open(home("roster5.dat"));
        QVERIFY(safety::copyToLastUse(*dm.db));
        const QByteArray good = readFile(lastUse());
        testdb::damagePage(home("roster5.dat"), testdb::rootPage(home("roster5.dat"), "person"));
        Texitform form(context);
        context.setModalRunner([&form](QDialog& dialog) {
            dialog.show();
            form.backupButton()->click();
            return dialog.result();
        });
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("roster.lst"));
        QCOMPARE(form.ask(), std::optional(Texitform::Choice::BackupAndExit));
        QCOMPARE(readFile(lastUse()), good);
    }

    void exitDialogEscapeCancelsAndCloseBoxDecidesNothing()
    {
        ScriptedInteraction ui;
        TestContext t(ui);
        Texitform form(t.context);
        t.context.setModalRunner([](QDialog& dialog) {
            dialog.show();
            dialog.close();
            return dialog.result();
        });
        QCOMPARE(form.ask(), std::nullopt);
        t.context.setModalRunner([](QDialog& dialog) {
            dialog.show();
            QTest::keyClick(&dialog, Qt::Key_Escape);
            return dialog.result();
        });
        QCOMPARE(form.ask(), std::optional(Texitform::Choice::Cancel));
        QVERIFY(!form.isVisible());
    }

    void exitDialogText()
    {
        ScriptedInteraction ui;
        TestContext t(ui);
        Texitform form(t.context);
        const QLabel* text = form.findChild<QLabel*>("Label1Label");
        QVERIFY(text != nullptr);
        QVERIFY(text->text().startsWith("    建议选择【备份后退出】"));
        QVERIFY(text->text().endsWith("一定的硬盘空间！考虑哦"));
        QCOMPARE(text->text().count('\n'), 3);
    }
};

QTEST_MAIN(TestCloseRule)
#include "test_closerule.moc"
