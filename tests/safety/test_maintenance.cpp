#include "app/safetycommands.h"
#include "app/tmainform.h"
#include "app/windowcontext.h"
#include "data/databasefile.h"
#include "data/dmunit.h"
#include "platform/paths.h"
#include "support/clirun.h"
#include "support/scriptedinteraction.h"
#include "support/testdb.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

/// 400 persons with long remarks, so that the person table spans many pages, and a few rows in
/// the detail tables.
QString manyPersons()
{
    QString sql = "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 400) "
                  "INSERT INTO person(ID,name,status,comments) SELECT printf('P%04d', x), '人员' || x, 1, "
                  "substr(replace(hex(zeroblob(300)), '00', '备注'), 1, 300) FROM n;"
                  "INSERT INTO family(id,name) VALUES ('P0001','妻'),('P0002','子');"
                  "INSERT INTO redeployments(person_id,category) VALUES ('P0001','部门调动');";
    return sql;
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

/// A leaf page of a table or index, with the number of cells on it: the middle one of its b-tree,
/// or the first (rows inserted in order fill the leaves in page order).
QPair<int, int> middleLeaf(const QString& path, const QString& name, bool first = false)
{
    engine::Database db;
    db.open(path);
    const auto rows = db.selectRows(
        QString("SELECT pageno, ncell FROM dbstat WHERE name = \"%1\" AND pagetype = \"leaf\" ORDER BY pageno")
            .arg(name));
    if (rows.isEmpty()) {
        return {0, 0};
    }
    const QVariantList& row = rows.at(first ? 0 : rows.size() / 2);
    return {row.value(0).toInt(), row.value(1).toInt()};
}

/// Changes the rowid stored in the last entry of an index page: the page stays readable, the
/// entry points at the wrong row (what REINDEX mends).
void misdirectIndexEntry(const QString& path, int page)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    file.seek(qint64(page) * 4096 - 1);
    const char last = file.peek(1).at(0);
    file.write(QByteArray(1, char(last ^ 0x01)));
}

} // namespace

/// Compaction and repair of the database file, through the data module and roster-cli.
class TestMaintenance : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void compactionKeepsEveryRow();
    void compactionOfADamagedFileChangesNothing();

    void repair_data();
    void repair();
    void repairOfTheOpenDatabaseReopensIt();
    void cancelledChoiceLeavesTheConnectionOpen();
    void namedRepairLeavesTheConnectionAlone();

    void menuEntries_data();
    void menuEntries();

    void cliCheckAndRepair();

private:
    QString database() const { return m_file->path(); }
    QString home(const QString& name) const { return paths::apppath() + name; }

    std::unique_ptr<ScriptedInteraction> m_ui;
    std::unique_ptr<testdb::TempFile> m_file;
    std::unique_ptr<Tdm> m_dm;
};

void TestMaintenance::init()
{
    m_ui = std::make_unique<ScriptedInteraction>();
    m_file = std::make_unique<testdb::TempFile>(manyPersons());
    paths::setAppPath(m_file->folder());
    m_dm = std::make_unique<Tdm>();
    m_dm->loginright = "admin";
    m_dm->db->open();
}

void TestMaintenance::cleanup()
{
    m_dm.reset();
    m_file.reset();
    m_ui.reset();
}

void TestMaintenance::compactionKeepsEveryRow()
{
    m_dm->db->execute("DELETE FROM person WHERE ID > \"P0100\"");
    const QStringList ids = testdb::personIds(database());
    const qint64 before = QFileInfo(database()).size();
    writeBytes(home("temp.dat"), "left by an interrupted compaction");
    m_dm->personquery->open();
    m_dm->compactdb();
    QCOMPARE(m_ui->texts(), QStringList{"本地数据库压缩完成！"});
    QVERIFY(m_dm->db->isOpen());
    QVERIFY(!m_dm->personquery->active());
    QVERIFY(!QFile::exists(home("temp.dat")));
    QVERIFY(QFileInfo(database()).size() < before);
    QCOMPARE(testdb::personIds(database()), ids);
    QVERIFY(dbfile::check(database()).sound());
    QCOMPARE(QDir(paths::apppath()).entryList({"*.before-*"}), QStringList());
}

void TestMaintenance::compactionOfADamagedFileChangesNothing()
{
    m_dm->db->close();
    testdb::damagePage(database(), middleLeaf(database(), "person").first);
    const QByteArray damaged = readBytes(database());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("malformed"));
    m_dm->compactdb();
    QCOMPARE(m_ui->texts(), QStringList{"本地数据库压缩出错！"});
    QVERIFY(!m_dm->db->isOpen());
    QCOMPARE(readBytes(database()), damaged);
    QVERIFY(!QFile::exists(home("temp.dat")));
}

void TestMaintenance::repair_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("lost");      // persons lost: -1 for "the file is unchanged"
    QTest::addColumn<bool>("keptCopy"); // <name>.before-repair made
    QTest::addColumn<int>("how");       // dbfile::Repair, for the files that are mended
    const int sound = int(dbfile::Repair::Sound);
    const int reindexed = int(dbfile::Repair::Reindexed);
    const int salvaged = int(dbfile::Repair::Salvaged);
    QTest::newRow("sound") << "sound"
                           << "本地数据库修复完成！" << -1 << false << sound;
    QTest::newRow("missing") << "missing"
                             << "数据库修复出错！" << -1 << false << -1;
    QTest::newRow("zero bytes") << "empty"
                                << "数据库修复出错！" << -1 << false << -1;
    QTest::newRow("text file") << "text"
                               << "数据库修复出错！" << -1 << false << -1;
    QTest::newRow("a page of person overwritten") << "table page"
                                                  << "本地数据库修复完成！" << 1 << true << salvaged;
    QTest::newRow("the first page of person overwritten") << "first table page"
                                                          << "本地数据库修复完成！" << 1 << true << salvaged;
    QTest::newRow("index entries wrong") << "index entry"
                                         << "本地数据库修复完成！" << 0 << true << reindexed;
    QTest::newRow("an index page overwritten") << "index page"
                                               << "本地数据库修复完成！" << 0 << true << salvaged;
    QTest::newRow("schema page overwritten") << "schema page"
                                             << "数据库修复出错！" << -1 << false << -1;
}

void TestMaintenance::repair()
{
    QFETCH(QString, fixture);
    QFETCH(QString, message);
    QFETCH(int, lost);
    QFETCH(bool, keptCopy);
    QFETCH(int, how);
    m_dm->db->close();
    const QString file = home("damaged.dat");
    QVERIFY(QFile::copy(database(), file));
    const QStringList ids = testdb::personIds(file);
    int lostRows = 0;
    if (fixture == "missing") {
        QFile::remove(file);
    } else if (fixture == "empty") {
        writeBytes(file, {});
    } else if (fixture == "text") {
        writeBytes(file, "这不是数据库");
    } else if (fixture == "table page" || fixture == "first table page") {
        const auto leaf = middleLeaf(file, "person", fixture == "first table page");
        lostRows = leaf.second;
        QVERIFY(leaf.first > 1 && lostRows > 0);
        testdb::damagePage(file, leaf.first);
    } else if (fixture == "index entry") {
        misdirectIndexEntry(file, testdb::rootPage(file, "family_id"));
    } else if (fixture == "index page") {
        testdb::damagePage(file, middleLeaf(file, "person_name").first);
    } else if (fixture == "schema page") {
        testdb::damagePage(file, 1);
    }
    const QByteArray before = readBytes(file);
    if (how >= 0) {
        // The same file once more, straight through the service, to see which way it was mended.
        QVERIFY(QFile::copy(file, home("second.dat")));
        QCOMPARE(int(dbfile::repairFile(home("second.dat")).how), how);
    }
    if (message != "本地数据库修复完成！") {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("."));
    }
    m_dm->repairdb(file);
    QCOMPARE(m_ui->texts(), QStringList{message});
    QVERIFY(!m_dm->db->isOpen()); // a named repair leaves the connection alone
    QCOMPARE(QFile::exists(file + ".before-repair"), keptCopy);
    if (keptCopy) {
        QCOMPARE(readBytes(file + ".before-repair"), before);
    }
    if (lost < 0) {
        QCOMPARE(readBytes(file), before);
        return;
    }
    QVERIFY(dbfile::check(file).sound());
    const QStringList left = testdb::personIds(file);
    QCOMPARE(left.size(), ids.size() - (lost ? lostRows : 0));
    if (fixture == "first table page") {
        QCOMPARE(left.first(), ids.at(lostRows)); // the rows after the lost page are all there
    }
    QVERIFY(lostRows < 40);
    for (const QString& id : left) {
        QVERIFY(ids.contains(id));
    }
    engine::Database repaired;
    repaired.open(file);
    QCOMPARE(repaired.selectValue("SELECT count(*) FROM family").toInt(), 2);
    QCOMPARE(repaired.selectValue("SELECT category FROM redeployments WHERE person_id = \"P0001\"").toString(),
             QString("部门调动"));
    QVERIFY(!QFile::exists(file + ".salvage"));
}

void TestMaintenance::repairOfTheOpenDatabaseReopensIt()
{
    m_ui->choose({database()});
    m_dm->repairdb(QString());
    QCOMPARE(m_ui->texts(), QStringList{"本地数据库修复完成！"});
    QCOMPARE(m_ui->shown.first().kind, ScriptedInteraction::Kind::OpenFile);
    QCOMPARE(m_ui->shown.first().text, Tdm::databaseFileFilter());
    QVERIFY(m_dm->db->isOpen());
}

void TestMaintenance::cancelledChoiceLeavesTheConnectionOpen()
{
    m_dm->personquery->open();
    m_ui->choose({QString()});
    m_dm->repairdb(QString());
    QVERIFY(m_ui->texts().isEmpty());
    QVERIFY(m_dm->db->isOpen());
    QVERIFY(m_dm->personquery->active());
}

void TestMaintenance::namedRepairLeavesTheConnectionAlone()
{
    m_dm->db->close();
    m_dm->repairdb(database());
    QCOMPARE(m_ui->texts(), QStringList{"本地数据库修复完成！"});
    QVERIFY(!m_dm->db->isOpen());
}

void TestMaintenance::menuEntries_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("right");
    QTest::addColumn<QStringList>("texts");
    const QString guest = "你是普通用户，无法完成这项操作，请找管理员协商！";
    QTest::newRow("compaction, guest") << 18 << "guest" << QStringList{guest};
    QTest::newRow("repair, guest") << 19 << "guest" << QStringList{guest};
    QTest::newRow("compaction, No") << 18 << "admin" << QStringList{"你真的要压缩数据库吗？"};
    QTest::newRow("repair, No") << 19 << "admin" << QStringList{"你真的要修复数据库吗？"};
}

void TestMaintenance::menuEntries()
{
    QFETCH(int, command);
    QFETCH(QString, right);
    QFETCH(QStringList, texts);
    WindowContext context(*m_dm, *m_ui);
    Tmainform window(context);
    bindSafetyCommands(window, context);
    m_dm->loginright = right;
    m_ui->clear();
    m_ui->answer({false});
    const QByteArray before = readBytes(database());
    window.runlink(command);
    QCOMPARE(m_ui->texts(), texts);
    QVERIFY(m_dm->db->isOpen());
    QCOMPARE(readBytes(database()), before);
}

void TestMaintenance::cliCheckAndRepair()
{
    m_dm.reset();
    const QString folder = m_file->folder();
    QCOMPARE(clirun::run({"check", "--home", folder}).exitCode, 0);
    testdb::damagePage(database(), middleLeaf(database(), "person").first);
    const clirun::Result damaged = clirun::run({"check", "--home", folder});
    QCOMPARE(damaged.exitCode, 1);
    QVERIFY(damaged.err.contains("已损坏"));
    const clirun::Result compact = clirun::run({"compact", "--home", folder});
    QCOMPARE(compact.exitCode, 1);
    QVERIFY(compact.err.contains("本地数据库压缩出错！"));
    const clirun::Result repaired = clirun::run({"repair", "--home", folder});
    QCOMPARE(repaired.exitCode, 0);
    QVERIFY(repaired.out.contains("本地数据库修复完成！"));
    QVERIFY(QFile::exists(database() + ".before-repair"));
    const clirun::Result again = clirun::run({"check", "--home", folder});
    QCOMPARE(again.exitCode, 0);
    QVERIFY(again.out.contains("数据库完好"));
    QCOMPARE(clirun::run({"compact", "--home", folder}).exitCode, 0);
    QCOMPARE(clirun::run({"repair", folder + "/none.dat", "--home", folder}).exitCode, 1);
    QCOMPARE(clirun::run({"check", "extra", "--home", folder}).exitCode, 2);
}

QTEST_MAIN(TestMaintenance)
#include "test_maintenance.moc"
