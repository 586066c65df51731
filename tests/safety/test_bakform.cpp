#include "app/windowcontext.h"
#include "data/databasefile.h"
#include "data/dmunit.h"
#include "platform/paths.h"
#include "safety/backup.h"
#include "safety/tbakform.h"
#include "support/scriptedinteraction.h"
#include "support/testdb.h"

#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const char* const twoPersons = "INSERT INTO person(ID,name,status) VALUES ('A001','张三',1),('A002','李四',1);";
const QString restoreWarning = "这个操作会覆盖现有的数据库,\n并且覆盖之后数据不能恢复!!!\n你还要继续吗？";

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

/// The backup and restore window over a real data module and database file.
class TestBakform : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void opening_data();
    void opening();
    void guestSeesTheListOnly();

    void backupInto_data();
    void backupInto();
    void emptyOtherPathIsRefused();

    void restoreRefusals_data();
    void restoreRefusals();
    void restoreReplacesAndReopens();
    void restoreWithAFailedReopenKeepsTheWindow();
    void browseStartsAtHome();

private:
    /// A backup of the current database made `daysAgo` before today in `folder`, then a person
    /// added, so that the database and the backup differ.
    QString makeBackup(const QString& folder, int daysAgo = 0);

    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<testdb::TempFile> m_file;
    std::unique_ptr<Tdm> m_dm;
    std::unique_ptr<ScriptedInteraction> m_ui;
    std::unique_ptr<WindowContext> m_context;
    QString home(const QString& name) const { return m_home->filePath(name); }
};

void TestBakform::init()
{
    m_context.reset();
    m_dm.reset();
    m_ui.reset(); // the seam goes back to the console when the old one goes: before the new one comes
    m_ui = std::make_unique<ScriptedInteraction>();
    m_file = std::make_unique<testdb::TempFile>(QString::fromUtf8(twoPersons));
    m_home = std::make_unique<QTemporaryDir>();
    paths::setAppPath(m_file->folder());
    m_dm = std::make_unique<Tdm>();
    m_context = std::make_unique<WindowContext>(*m_dm, *m_ui);
    m_dm->db->open();
    m_dm->loginright = "admin";
}

QString TestBakform::makeBackup(const QString& folder, int daysAgo)
{
    const QString path = backup::makeBackup(*m_dm->db, folder, QDate::currentDate().addDays(-daysAgo)).path;
    m_dm->db->execute(QString("INSERT INTO person(ID,name,status) VALUES (\"N%1\",\"新人\",1)").arg(daysAgo));
    return path;
}

void TestBakform::opening_data()
{
    QTest::addColumn<bool>("backupmode");
    QTest::addColumn<int>("page");
    QTest::newRow("backup") << true << 0;
    QTest::newRow("restore") << false << 1;
}

void TestBakform::opening()
{
    QFETCH(bool, backupmode);
    QFETCH(int, page);
    Tbakform empty(*m_context, backupmode);
    QCOMPARE(empty.windowTitle(), QString("数据备份与恢复"));
    QVERIFY(empty.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(empty.PageControl1->currentIndex(), page);
    QCOMPARE(empty.PageControl1->tabText(0), QString("数据备份"));
    QCOMPARE(empty.PageControl1->tabText(1), QString("数据恢复"));
    QCOMPARE(empty.GroupBox2->title(), QString("没有可恢复的备份"));
    QCOMPARE(empty.ListBox1->count(), 0);
    QVERIFY(empty.RadioButton1->isChecked() && empty.RadioButton3->isChecked());
    QVERIFY(!empty.Edit1->isEnabled() && !empty.Edit2->isEnabled());
    QCOMPARE(empty.BitBtn1->isDefault(), backupmode);
    QCOMPARE(empty.BitBtn3->isDefault(), !backupmode);

    makeBackup(backup::defaultFolder(), 1);
    makeBackup(backup::defaultFolder());
    Tbakform listed(*m_context, backupmode);
    QCOMPARE(listed.GroupBox2->title(), QString("可恢复的备份列表"));
    QCOMPARE(listed.ListBox1->count(), 2);
    // Each date with its file's size and the persons it holds.
    QVERIFY(listed.ListBox1->item(0)->text().startsWith(backup::dateText(QDate::currentDate().addDays(-1))));
    QVERIFY(listed.ListBox1->item(0)->text().endsWith("，2 人"));
    QVERIFY(listed.ListBox1->item(1)->text().endsWith("，3 人"));
    QVERIFY(m_ui->shown.isEmpty());
}

void TestBakform::guestSeesTheListOnly()
{
    makeBackup(backup::defaultFolder());
    m_dm->loginright = "guest";
    Tbakform form(*m_context, false);
    QCOMPARE(form.ListBox1->count(), 1);
    QVERIFY(!form.BitBtn1->isEnabled());
    QVERIFY(!form.BitBtn3->isEnabled());
    QVERIFY(!form.BitBtn4->isEnabled());
    QVERIFY(form.BitBtn2->isEnabled() && form.BitBtn5->isEnabled());
}

void TestBakform::backupInto_data()
{
    QTest::addColumn<QString>("other"); // empty: the default folder
    QTest::addColumn<QString>("folder");
    QTest::newRow("default folder") << ""
                                    << "bak/";
    QTest::newRow("other path, separator appended") << "usb"
                                                    << "usb/";
    QTest::newRow("other path ending with one") << "usb/"
                                                << "usb/";
}

void TestBakform::backupInto()
{
    QFETCH(QString, other);
    QFETCH(QString, folder);
    Tbakform form(*m_context, true);
    if (!other.isEmpty()) {
        form.RadioButton2->setChecked(true);
        form.DirectoryEdit1->setText(home(other));
    }
    const QString expected = (other.isEmpty() ? paths::apppath() : m_home->path() + "/") + folder;
    QCOMPARE(form.backupFolder(), expected);
    form.BitBtn1->click();
    QCOMPARE(m_ui->texts(), QStringList{"数据库备份完成!"});
    const QString made = expected + backup::dateText(QDate::currentDate()) + ".bak";
    QCOMPARE(backup::listedFile(expected, backup::dateText(QDate::currentDate())), made);
    QCOMPARE(testdb::personIds(made), (QStringList{"A001", "A002"}));
    QVERIFY(m_dm->db->isOpen());
}

void TestBakform::emptyOtherPathIsRefused()
{
    makeBackup(backup::defaultFolder());
    Tbakform form(*m_context, true);
    form.RadioButton2->setChecked(true);
    form.BitBtn1->click();
    form.RadioButton4->setChecked(true);
    form.BitBtn3->click();
    QCOMPARE(form.ListBox1->count(), 0);
    form.RadioButton3->setChecked(true);
    form.BitBtn3->click();
    form.ListBox1->setCurrentRow(0);
    form.RadioButton4->setChecked(true);
    form.BitBtn4->click();
    QCOMPARE(m_ui->texts(), QStringList(3, "请选择备份路径！"));
    QCOMPARE(QDir(paths::apppath() + "bak").entryList({"*.bak"}).size(), 1);
    QCOMPARE(testdb::personIds(m_file->path()).size(), 3);
}

void TestBakform::restoreRefusals_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("texts");
    const QStringList gone{"你选择的文件已被破坏或删除，请重新选择！"};
    QTest::newRow("nothing selected") << "no selection" << QStringList{"请先选择要还原的文件！"};
    QTest::newRow("listed file deleted") << "delete" << gone;
    QTest::newRow("listed file damaged") << "damage" << gone;
    QTest::newRow("folder changed after reading") << "other folder" << gone;
    QTest::newRow("answered No") << "no" << QStringList{restoreWarning};
}

void TestBakform::restoreRefusals()
{
    QFETCH(QString, change);
    QFETCH(QStringList, texts);
    const QString path = makeBackup(backup::defaultFolder());
    makeBackup(home("elsewhere/"), 3); // listed only in the other folder
    Tbakform form(*m_context, false);
    QCOMPARE(form.ListBox1->count(), 1);
    if (change != "no selection") {
        form.ListBox1->setCurrentRow(0);
    }
    if (change == "delete") {
        QVERIFY(QFile::remove(path));
    } else if (change == "damage") {
        testdb::damagePage(path, testdb::rootPage(path, "person"));
    } else if (change == "other folder") {
        form.RadioButton4->setChecked(true);
        form.DirectoryEdit2->setText(home("elsewhere"));
    } else if (change == "no") {
        m_ui->answer({false});
    }
    const QByteArray before = readBytes(m_file->path());
    form.BitBtn4->click();
    QCOMPARE(m_ui->texts(), texts);
    QCOMPARE(readBytes(m_file->path()), before);
    QVERIFY(!QFile::exists(m_file->path() + ".before-restore"));
    QVERIFY(m_dm->db->isOpen());
}

void TestBakform::restoreReplacesAndReopens()
{
    makeBackup(backup::defaultFolder(), 2);
    m_dm->personquery->open();
    const QByteArray before = readBytes(m_file->path());
    Tbakform form(*m_context, false);
    form.ListBox1->setCurrentRow(0);
    m_ui->answer({true});
    form.show();
    form.BitBtn4->click();
    QCOMPARE(m_ui->texts(), (QStringList{restoreWarning, "数据库恢复成功"}));
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QVERIFY(m_dm->db->isOpen());
    QCOMPARE(m_dm->db->selectValue("SELECT count(*) FROM person").toInt(), 2);
    QCOMPARE(readBytes(m_file->path() + ".before-restore"), before);
    QCOMPARE(testdb::personIds(m_file->path() + ".before-restore").size(), 3);
}

void TestBakform::restoreWithAFailedReopenKeepsTheWindow()
{
    makeBackup(backup::defaultFolder());
    Tbakform form(*m_context, false);
    form.ListBox1->setCurrentRow(0);
    m_ui->answer({true});
    m_dm->db->beforeConnect = [](engine::Database&) { throw RosterError("no connection today"); };
    form.show();
    QTest::ignoreMessage(QtWarningMsg, "no connection today");
    form.BitBtn4->click();
    QCOMPARE(m_ui->texts(), (QStringList{restoreWarning, "数据库恢复成功", "打开数据库出错！"}));
    QVERIFY(form.isVisible());
    QVERIFY(!m_dm->db->isOpen());
    QCOMPARE(testdb::personIds(m_file->path()).size(), 2);
}

void TestBakform::browseStartsAtHome()
{
    Tbakform form(*m_context, true);
    m_ui->choose({home("chosen")});
    form.BrowseButton1->click();
    QCOMPARE(form.DirectoryEdit1->text(), home("chosen"));
    QCOMPARE(m_ui->shown.last().kind, ScriptedInteraction::Kind::Directory);
    QCOMPARE(m_ui->shown.last().text, QDir::homePath());
}

QTEST_MAIN(TestBakform)
#include "test_bakform.moc"
