#include "platform/inifile.h"
#include "platform/paths.h"
#include "safety/closerule.h"
#include "safety/texitform.h"
#include "support/scriptedinteraction.h"
#include "support/testcontext.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestCloseRule : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_home;
    QString database() const { return paths::apppath() + "roster5.dat"; }
    QString lastUse() const { return paths::apppath() + "roster.lst"; }

private slots:
    void init()
    {
        m_home = std::make_unique<QTemporaryDir>();
        paths::setAppPath(m_home->path());
        writeFile(database(), "current database");
        writeFile(lastUse(), "old copy");
    }

    void options_data()
    {
        QTest::addColumn<QString>("option"); // empty: no onclose section at all
        QTest::addColumn<int>("action");
        QTest::addColumn<QByteArray>("lastUse");
        QTest::newRow("backup copies and closes")
            << "backup" << int(safety::CloseAction::Close) << QByteArray("current database");
        QTest::newRow("exit closes without a copy")
            << "exit" << int(safety::CloseAction::Close) << QByteArray("old copy");
        QTest::newRow("none asks") << "none" << int(safety::CloseAction::AskExitDialog) << QByteArray("old copy");
        QTest::newRow("missing section asks")
            << "" << int(safety::CloseAction::AskExitDialog) << QByteArray("old copy");
        QTest::newRow("other text asks") << "Backup" << int(safety::CloseAction::AskExitDialog)
                                         << QByteArray("old copy");
    }

    void options()
    {
        QFETCH(QString, option);
        QFETCH(int, action);
        QFETCH(QByteArray, lastUse);
        ScriptedInteraction ui;
        if (!option.isEmpty()) {
            ini::writeString(paths::rosterini(), "onclose", "option", option);
        }
        QCOMPARE(int(safety::applyCloseRule()), action);
        QCOMPARE(readFile(this->lastUse()), lastUse);
        QVERIFY(ui.shown.isEmpty()); // close-time copies report nothing
    }

    void backupUsesTheFixedNameWhateverTheDatabaseSetting()
    {
        ini::writeString(paths::rosterini(), "database", "filepath", "other.dat");
        writeFile(paths::apppath() + "other.dat", "other database");
        ini::writeString(paths::rosterini(), "onclose", "option", "backup");
        QCOMPARE(safety::applyCloseRule(), safety::CloseAction::Close);
        QCOMPARE(readFile(lastUse()), QByteArray("current database"));
    }

    void failedCopyKeepsThePreviousCopyAndStillCloses()
    {
        QFile::remove(database());
        ini::writeString(paths::rosterini(), "onclose", "option", "backup");
        QCOMPARE(safety::applyCloseRule(), safety::CloseAction::Close);
        QCOMPARE(readFile(lastUse()), QByteArray("old copy"));
    }

    void exitDialogButtons_data()
    {
        QTest::addColumn<int>("button"); // 0 备份后退出, 1 直接退出, 2 取消退出
        QTest::addColumn<int>("choice");
        QTest::addColumn<QByteArray>("lastUse");
        QTest::newRow("backup then exit")
            << 0 << int(Texitform::Choice::BackupAndExit) << QByteArray("current database");
        QTest::newRow("exit") << 1 << int(Texitform::Choice::Exit) << QByteArray("old copy");
        QTest::newRow("cancel") << 2 << int(Texitform::Choice::Cancel) << QByteArray("old copy");
    }

    void exitDialogButtons()
    {
        QFETCH(int, button);
        QFETCH(int, choice);
        QFETCH(QByteArray, lastUse);
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
        QCOMPARE(readFile(this->lastUse()), lastUse);
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
