#include "data/databasefile.h"
#include "data/engine/database.h"
#include "data/engine/query.h"
#include "data/installationlock.h"
#include "platform/inifile.h"
#include "platform/paths.h"
#include "safety/backup.h"
#include "support/clirun.h"
#include "support/foreignlock.h"
#include "support/testdb.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const char* const twoPersons = "INSERT INTO person(ID,name,status) VALUES ('A001','张三',1),('A002','李四',1);";

void makeDatabase(const QString& path, const QString& rows)
{
    testdb::TempFile made(rows);
    QVERIFY(QFile::copy(made.path(), path));
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

/// Dated, checked backups with their index, and the restore through the database-file service,
/// from the core and from roster-cli.
class TestBackup : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void pickedFolder_data();
    void pickedFolder();

    void twoBackupsOnOneDay();
    void foldersListedSeparately();
    void listShowsSizeAndPersons();
    void configuredDatabaseIsTheOneCopied();
    void unsoundBackupLeavesNothing();

    void cliBackupTwiceOnOneDay();
    void cliRestore_data();
    void cliRestore();
    void cliRestoreWhileTheProgramRuns();

private:
    std::unique_ptr<QTemporaryDir> m_home;
    QString home(const QString& name) const { return m_home->filePath(name); }
    QString database() const { return home("roster5.dat"); }
    const QDate m_day{2026, 3, 9};
};

void TestBackup::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    paths::setAppPath(m_home->path());
    makeDatabase(database(), twoPersons);
}

void TestBackup::pickedFolder_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("folder");
    QTest::newRow("separator appended") << "/mnt/usb"
                                        << "/mnt/usb/";
    QTest::newRow("ending with one unchanged") << "/mnt/usb/"
                                               << "/mnt/usb/";
    QTest::newRow("empty stays empty") << ""
                                       << "";
}

void TestBackup::pickedFolder()
{
    QFETCH(QString, text);
    QFETCH(QString, folder);
    QCOMPARE(backup::pickedFolder(text), folder);
}

void TestBackup::twoBackupsOnOneDay()
{
    engine::Database db;
    db.open(database());
    const backup::Made first = backup::makeBackup(db, backup::defaultFolder(), m_day);
    QCOMPARE(first.path, home("bak/2026-03-09.bak"));
    QCOMPARE(first.check.persons, qint64(2));
    db.execute("INSERT INTO person(ID,name,status) VALUES (\"A003\",\"王五\",1)");
    const backup::Made second = backup::makeBackup(db, backup::defaultFolder(), m_day);
    QCOMPARE(second.path, first.path);
    QCOMPARE(QDir(home("bak")).entryList({"*.bak"}), QStringList{"2026-03-09.bak"});
    QCOMPARE(testdb::personIds(second.path), (QStringList{"A001", "A002", "A003"}));
    QCOMPARE(backup::listedDates(backup::defaultFolder()), QStringList{"2026-03-09"});
    QCOMPARE(backup::listedFile(backup::defaultFolder(), "2026-03-09"), first.path);
    backup::makeBackup(db, backup::defaultFolder(), m_day.addDays(1));
    QCOMPARE(backup::listedDates(backup::defaultFolder()), (QStringList{"2026-03-09", "2026-03-10"}));
}

void TestBackup::foldersListedSeparately()
{
    engine::Database db;
    db.open(database());
    const QString other = backup::pickedFolder(home("elsewhere"));
    backup::makeBackup(db, backup::defaultFolder(), m_day);
    backup::makeBackup(db, other, m_day.addDays(2));
    QCOMPARE(backup::listedDates(backup::defaultFolder()), QStringList{"2026-03-09"});
    QCOMPARE(backup::listedDates(other), QStringList{"2026-03-11"});
    // A date listed in one folder is not found in the other.
    QCOMPARE(backup::listedFile(other, "2026-03-09"), QString());
    QCOMPARE(backup::listedFile(other, "2026-03-11"), other + "2026-03-11.bak");
}

void TestBackup::listShowsSizeAndPersons()
{
    engine::Database db;
    db.open(database());
    const QString folder = backup::defaultFolder();
    const QString kept = backup::makeBackup(db, folder, m_day).path;
    const QString deleted = backup::makeBackup(db, folder, m_day.addDays(1)).path;
    const QString replaced = backup::makeBackup(db, folder, m_day.addDays(2)).path;
    QVERIFY(QFile::remove(deleted));
    QFile text(replaced);
    QVERIFY(text.open(QIODevice::WriteOnly | QIODevice::Truncate));
    text.write("no database");
    text.close();

    const QList<backup::Entry> entries = backup::listBackups(folder);
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries[0].date, QString("2026-03-09"));
    QVERIFY(entries[0].exists);
    QCOMPARE(entries[0].size, QFileInfo(kept).size());
    QCOMPARE(entries[0].persons, qint64(2));
    QVERIFY(backup::describe(entries[0]).endsWith("，2 人"));
    QVERIFY(!entries[1].exists);
    QCOMPARE(backup::describe(entries[1]), QString("文件不存在"));
    QVERIFY(entries[2].exists);
    QCOMPARE(entries[2].persons, qint64(-1));
    QVERIFY(backup::describe(entries[2]).endsWith("不是可用的数据库"));
}

void TestBackup::configuredDatabaseIsTheOneCopied()
{
    makeDatabase(home("other.dat"), "INSERT INTO person(ID,name,status) VALUES ('O001','其他',1);");
    ini::writeString(paths::rosterini(), "database", "filepath", "other.dat");
    const clirun::Result result = clirun::run({"backup", "--home", m_home->path()});
    QCOMPARE(result.exitCode, 0);
    const QString made = result.out.trimmed();
    QVERIFY(made.startsWith(home("bak/")));
    QCOMPARE(testdb::personIds(made), QStringList{"O001"});
}

void TestBackup::unsoundBackupLeavesNothing()
{
    engine::Database db;
    db.open(database());
    const QString earlier = backup::makeBackup(db, backup::defaultFolder(), m_day).path;
    const QByteArray earlierBytes = readBytes(earlier);
    const QByteArray index = readBytes(backup::indexFile(backup::defaultFolder()));
    testdb::damagePage(database(), testdb::rootPage(earlier, "person"));
    QVERIFY_THROWS_EXCEPTION(dbfile::CheckFailed, backup::makeBackup(db, backup::defaultFolder(), m_day));
    QVERIFY_THROWS_EXCEPTION(dbfile::CheckFailed, backup::makeBackup(db, backup::defaultFolder(), m_day.addDays(1)));
    QCOMPARE(readBytes(earlier), earlierBytes);
    QCOMPARE(QDir(home("bak")).entryList(QDir::Files), (QStringList{"2026-03-09.bak", "backup.ini"}));
    QCOMPARE(readBytes(backup::indexFile(backup::defaultFolder())), index);
}

void TestBackup::cliBackupTwiceOnOneDay()
{
    const clirun::Result first = clirun::run({"backup", "--home", m_home->path(), "--dir", home("usb")});
    QCOMPARE(first.exitCode, 0);
    const clirun::Result second = clirun::run({"backup", "--home", m_home->path(), "--dir", home("usb")});
    QCOMPARE(second.exitCode, 0);
    QCOMPARE(second.out, first.out);
    const QString today = backup::dateText(QDate::currentDate());
    QCOMPARE(first.out.trimmed(), home("usb/") + today + ".bak");
    QCOMPARE(QDir(home("usb")).entryList(QDir::Files), (QStringList{today + ".bak", "backup.ini"}));
    QCOMPARE(backup::listedDates(home("usb/")), QStringList{today});
    QVERIFY(!QDir(home("bak")).exists());

    testdb::damagePage(database(), testdb::rootPage(database(), "person"));
    const clirun::Result damaged = clirun::run({"backup", "--home", m_home->path(), "--dir", home("usb")});
    QCOMPARE(damaged.exitCode, 1);
    QVERIFY(damaged.err.contains("备份文件校验失败！"));
    QCOMPARE(testdb::personIds(home("usb/") + today + ".bak").size(), 2);
}

void TestBackup::cliRestore_data()
{
    QTest::addColumn<QString>("argument"); // "<date>": the listed date, "<file>": the backup's path
    QTest::addColumn<QString>("backup");   // "sound", "damaged", "missing"
    QTest::addColumn<int>("exitCode");
    QTest::newRow("by date") << "<date>"
                             << "sound" << 0;
    QTest::newRow("by file") << "<file>"
                             << "sound" << 0;
    QTest::newRow("damaged backup") << "<date>"
                                    << "damaged" << 1;
    QTest::newRow("deleted backup") << "<date>"
                                    << "missing" << 1;
    QTest::newRow("unlisted date") << "2001-01-01"
                                   << "sound" << 1;
}

void TestBackup::cliRestore()
{
    QFETCH(QString, argument);
    QFETCH(QString, backup);
    QFETCH(int, exitCode);
    QString path;
    {
        engine::Database db;
        db.open(database());
        db.execute("INSERT INTO person(ID,name,status) VALUES (\"A003\",\"王五\",1)");
        path = backup::makeBackup(db, backup::defaultFolder(), m_day).path;
        db.execute("DELETE FROM person");
    }
    const QByteArray current = readBytes(database());
    if (backup == "damaged") {
        testdb::damagePage(path, testdb::rootPage(path, "person"));
    } else if (backup == "missing") {
        QVERIFY(QFile::remove(path));
    }
    // A hot journal of the current file would be replayed into the restored one.
    QFile journal(database() + "-journal");
    QVERIFY(journal.open(QIODevice::WriteOnly));
    journal.write("journal of the current file");
    journal.close();

    argument.replace("<date>", "2026-03-09").replace("<file>", path);
    const clirun::Result result = clirun::run({"restore", argument, "--home", m_home->path()});
    QCOMPARE(result.exitCode, exitCode);
    if (exitCode == 0) {
        QCOMPARE(testdb::personIds(database()), (QStringList{"A001", "A002", "A003"}));
        QCOMPARE(readBytes(database() + ".before-restore"), current);
        QVERIFY(!QFile::exists(database() + "-journal"));
        QVERIFY(result.out.contains("数据库恢复成功"));
    } else {
        QCOMPARE(readBytes(database()), current);
        QVERIFY(!QFile::exists(database() + ".before-restore"));
        QVERIFY(result.err.contains(backup == "damaged" ? "数据库恢复失败" : "你选择的文件已被破坏或删除"));
    }
    QVERIFY(!QFile::exists(InstallationLock::lockFileFor(database())));
}

void TestBackup::cliRestoreWhileTheProgramRuns()
{
    engine::Database db;
    db.open(database());
    const QString path = backup::makeBackup(db, backup::defaultFolder(), m_day).path;
    db.execute("DELETE FROM person");
    db.close();
    const QByteArray current = readBytes(database());
    ForeignLock program(InstallationLock::lockFileFor(database()));
    QVERIFY(program.locked());
    const clirun::Result result = clirun::run({"restore", "2026-03-09", "--home", m_home->path()});
    QCOMPARE(result.exitCode, 3);
    QVERIFY(result.err.contains(database()));
    QCOMPARE(readBytes(database()), current);
    QVERIFY(!QFile::exists(database() + ".before-restore"));
    QVERIFY(QFile::exists(path));
}

QTEST_GUILESS_MAIN(TestBackup)
#include "test_backup.moc"
