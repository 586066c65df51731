#include "access/loginrules.h"
#include "app/tmainform.h"
#include "app/windowcontext.h"
#include "data/databasefile.h"
#include "data/dmunit.h"
#include "platform/inifile.h"
#include "platform/paths.h"
#include "safety/closerule.h"
#include "safety/terrorform.h"
#include "support/scriptedinteraction.h"
#include "support/testdb.h"

#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const char* const current = "INSERT INTO person(ID,name,status) VALUES ('A001','张三',1),('A002','李四',1);";
const char* const older = "INSERT INTO person(ID,name,status) VALUES ('L001','上次',1);";

void makeDatabase(const QString& path, const QString& rows)
{
    testdb::TempFile made(rows);
    QFile::remove(path);
    QVERIFY(QFile::copy(made.path(), path));
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

/// The recovery wizard over a real data module whose database could not be opened.
class TestErrorform : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pagesAndCaptions_data();
    void pagesAndCaptions();
    void restoreGroupFollowsTheRadio();
    void downloadOpensThePage();
    void quitEndsTheProgram();

    void repairOfANamedFile();
    void restore_data();
    void restore();
    void startUpGoesOnToTheLoginAfterARestore();

private:
    QString home(const QString& name) const { return paths::apppath() + name; }

    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<ScriptedInteraction> m_ui;
    std::unique_ptr<Tdm> m_dm;
    std::unique_ptr<WindowContext> m_context;
    int m_quits = 0;
};

void TestErrorform::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    paths::setAppPath(m_home->path());
    m_ui = std::make_unique<ScriptedInteraction>();
    m_dm = std::make_unique<Tdm>();
    m_context = std::make_unique<WindowContext>(*m_dm, *m_ui);
    m_quits = 0;
    access::setQuitHandler([this] { ++m_quits; });
    ini::writeString(paths::rosterini(), "database", "filepath", "other.dat");
    m_dm->db->setFileName("other.dat");
}

void TestErrorform::cleanup()
{
    m_context.reset();
    m_dm.reset();
    m_ui.reset();
}

void TestErrorform::pagesAndCaptions_data()
{
    QTest::addColumn<int>("first");  // radio of the choice page: 0 download, 1 repair, 2 restore
    QTest::addColumn<int>("second"); // the choice after "上一步"
    QTest::newRow("download, then repair") << 0 << 1;
    QTest::newRow("repair, then restore") << 1 << 2;
    QTest::newRow("restore, then download") << 2 << 0;
}

void TestErrorform::pagesAndCaptions()
{
    QFETCH(int, first);
    QFETCH(int, second);
    const int pages[] = {Terrorform::DriverPage, Terrorform::RepairPage, Terrorform::RestorePage};
    const QString captions[] = {"下载驱动", "开始修复", "开始恢复"};
    Terrorform wizard(*m_context);
    QCOMPARE(wizard.windowTitle(), QString("Roster数据库异常用户解决方案"));
    QCOMPARE(wizard.currentPage(), int(Terrorform::ChoicePage));
    QCOMPARE(wizard.BitBtn2->text(), QString("下一步"));
    QVERIFY(!wizard.BitBtn1->isEnabled());
    QVERIFY(wizard.RadioButton1->isChecked());
    QRadioButton* radios[] = {wizard.RadioButton1, wizard.RadioButton2, wizard.RadioButton3};

    radios[first]->setChecked(true);
    wizard.BitBtn2->click();
    QCOMPARE(wizard.currentPage(), pages[first]);
    QCOMPARE(wizard.BitBtn2->text(), captions[first]);
    QVERIFY(wizard.BitBtn1->isEnabled());

    wizard.BitBtn1->click();
    QCOMPARE(wizard.currentPage(), int(Terrorform::ChoicePage));
    QCOMPARE(wizard.BitBtn2->text(), QString("下一步"));
    QVERIFY(!wizard.BitBtn1->isEnabled());

    radios[second]->setChecked(true);
    wizard.BitBtn2->click();
    QCOMPARE(wizard.currentPage(), pages[second]);
    QCOMPARE(wizard.BitBtn2->text(), captions[second]);
    QVERIFY(m_ui->shown.isEmpty());
}

void TestErrorform::restoreGroupFollowsTheRadio()
{
    Terrorform wizard(*m_context);
    QVERIFY(wizard.RadioButton4->isChecked());
    QVERIFY(!wizard.GroupBox4->isEnabled());
    wizard.RadioButton5->setChecked(true);
    QVERIFY(wizard.GroupBox4->isEnabled());
    wizard.RadioButton4->setChecked(true);
    QVERIFY(!wizard.GroupBox4->isEnabled());
}

void TestErrorform::downloadOpensThePage()
{
    Terrorform wizard(*m_context);
    wizard.BitBtn2->click();
    wizard.BitBtn2->click();
    QCOMPARE(m_ui->opened, QStringList{home("html/download.htm")});
    QCOMPARE(wizard.currentPage(), int(Terrorform::DriverPage));
    QVERIFY(QFile::exists(QStringLiteral(ROSTER_SOURCE_DIR "/install/roster/html/download.htm")));
}

void TestErrorform::quitEndsTheProgram()
{
    Terrorform wizard(*m_context);
    wizard.BitBtn3->click();
    QCOMPARE(m_quits, 1);
}

void TestErrorform::repairOfANamedFile()
{
    makeDatabase(home("other.dat"), current);
    testdb::damagePage(home("other.dat"), testdb::rootPage(home("other.dat"), "family_id"));
    Terrorform wizard(*m_context);
    wizard.RadioButton2->setChecked(true);
    wizard.BitBtn2->click();
    wizard.BitBtn2->click();
    QCOMPARE(m_ui->texts(), QStringList{"请选择要修复的数据库文件！"});
    m_ui->clear();
    m_ui->choose({home("other.dat")});
    wizard.BrowseButton1->click();
    QCOMPARE(wizard.FilenameEdit1->text(), home("other.dat"));
    m_ui->answer({false, true});
    wizard.BitBtn2->click();
    QVERIFY(!QFile::exists(home("other.dat.before-repair")));
    wizard.BitBtn2->click();
    QCOMPARE(m_ui->texts(), (QStringList{"你要修复数据库吗？", "你要修复数据库吗？", "本地数据库修复完成！"}));
    QVERIFY(!m_dm->db->isOpen());
    QVERIFY(dbfile::check(home("other.dat")).sound());
    QVERIFY(QFile::exists(home("other.dat.before-repair")));
}

void TestErrorform::restore_data()
{
    QTest::addColumn<QString>("source");  // "last use" or a file name in the home folder ("" none)
    QTest::addColumn<QString>("prepare"); // "sound", "damaged", "none"
    QTest::addColumn<QString>("message");
    QTest::newRow("last use copy") << "last use"
                                   << "sound"
                                   << "数据库恢复成功，现在就启动本系统！";
    QTest::newRow("no last use copy") << "last use"
                                      << "none"
                                      << "上次断点文件不存在，请具体选择数据库文件恢复！";
    QTest::newRow("damaged last use copy") << "last use"
                                           << "damaged"
                                           << "数据库恢复失败！";
    QTest::newRow("chosen backup") << "2026-01-02.bak"
                                   << "sound"
                                   << "数据库恢复成功，现在就启动本系统！";
    QTest::newRow("no file named") << ""
                                   << "none"
                                   << "请选择一个文件！";
    QTest::newRow("named file missing") << "gone.bak"
                                        << "none"
                                        << "文件不存在，请重新选择！";
    QTest::newRow("named file not a database") << "notes.bak"
                                               << "text"
                                               << "数据库恢复失败！";
}

void TestErrorform::restore()
{
    QFETCH(QString, source);
    QFETCH(QString, prepare);
    QFETCH(QString, message);
    makeDatabase(home("roster5.dat"), current); // the fixed name of the original, not the file in use
    makeDatabase(home("other.dat"), current);
    testdb::damagePage(home("other.dat"), 1);
    const QByteArray damaged = readBytes(home("other.dat"));
    const QString file = source == "last use" ? safety::lastUsePath() : home(source);
    if (prepare == "sound" || prepare == "damaged") {
        makeDatabase(file, older);
    }
    if (prepare == "damaged") {
        testdb::damagePage(file, testdb::rootPage(file, "person"));
    } else if (prepare == "text") {
        QFile text(file);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("not a database");
    }
    Terrorform wizard(*m_context);
    wizard.RadioButton3->setChecked(true);
    wizard.BitBtn2->click();
    if (source != "last use") {
        wizard.RadioButton5->setChecked(true);
        wizard.FilenameEdit2->setText(source.isEmpty() ? QString() : file);
    }
    if (message == "数据库恢复失败！") {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^restore: "));
    }
    wizard.show();
    wizard.BitBtn2->click();
    QCOMPARE(m_ui->texts(), QStringList{message});
    const bool restored = message.startsWith("数据库恢复成功");
    QCOMPARE(wizard.isVisible(), !restored);
    QCOMPARE(wizard.result(), restored ? int(QDialog::Accepted) : int(QDialog::Rejected));
    if (restored) {
        QCOMPARE(testdb::personIds(home("other.dat")), QStringList{"L001"});
        QCOMPARE(readBytes(home("other.dat.before-restore")), damaged);
    } else {
        QCOMPARE(readBytes(home("other.dat")), damaged);
        QVERIFY(!QFile::exists(home("other.dat.before-restore")));
    }
    QCOMPARE(testdb::personIds(home("roster5.dat")).size(), 2);
    QVERIFY(!m_dm->db->isOpen());
}

void TestErrorform::startUpGoesOnToTheLoginAfterARestore()
{
    makeDatabase(home("other.dat"), current);
    testdb::damagePage(home("other.dat"), 1);
    makeDatabase(safety::lastUsePath(), older);
    QStringList dialogs;
    m_context->setModalRunner([&dialogs](QDialog& dialog) {
        dialogs << QString::fromLatin1(dialog.metaObject()->className());
        if (auto* wizard = qobject_cast<Terrorform*>(&dialog)) {
            wizard->RadioButton3->setChecked(true);
            wizard->BitBtn2->click();
            wizard->BitBtn2->click();
        }
        return int(dialog.result());
    });
    m_ui->answer({true});
    Tmainform window(*m_context);
    QCOMPARE(dialogs, QStringList{"Terrorform"});
    QCOMPARE(m_ui->texts().last(), QString("数据库恢复成功，现在就启动本系统！"));
    QCOMPARE(m_quits, 0);
    window.show();
    QTRY_VERIFY(dialogs.contains("Tloginform"));
    // The login read the users of the restored file.
    QVERIFY(m_dm->db->isOpen());
    QCOMPARE(m_dm->db->selectValue("SELECT count(*) FROM person").toInt(), 1);
}

QTEST_MAIN(TestErrorform)
#include "test_errorform.moc"
