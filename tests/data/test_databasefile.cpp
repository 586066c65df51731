#include "data/databasefile.h"
#include "data/engine/database.h"
#include "data/engine/query.h"
#include "data/installationlock.h"
#include "platform/paths.h"
#include "support/foreignlock.h"
#include "support/testdb.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const char* const twoPersons = "INSERT INTO person(ID,name,status) VALUES ('A001','张三',1),('A002','李四',1);";
const char* const threePersons =
    "INSERT INTO person(ID,name,status) VALUES ('B001','王五',1),('B002','赵六',1),('B003','钱七',2);";

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

/// A database file with `rows` at `path` (made elsewhere, then moved in).
void makeDatabase(const QString& path, const QString& rows)
{
    testdb::TempFile made(rows);
    QVERIFY(QFile::copy(made.path(), path));
}

} // namespace

/// The database-file service: checks, consistent copies, replacement and the installation lock.
class TestDatabaseFile : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void resolvesAsTheConnection_data();
    void resolvesAsTheConnection();

    void check_data();
    void check();

    void copyWhileDatasetsAreOpenAndAnotherWriterIsBusy();
    void copyRefusedInsideOwnTransaction();
    void failedCopyKeepsTheTargetAndLeavesNoWorkFile();

    void replacementRemovesJournalsAndKeepsTheOldFile_data();
    void replacementRemovesJournalsAndKeepsTheOldFile();
    void replacementRefusedWhileAnotherProcessHoldsTheLock();
    void restoreOfADamagedFileReplacesNothing();

    void lockHeldElsewhereIsRefused();
    void staleLockIsTakenOver();
    void lockSharedWithinTheProcess();
    void uncreatableLockRunsWithout();

private:
    std::unique_ptr<QTemporaryDir> m_home;
    QString home(const QString& name) const { return m_home->filePath(name); }
};

void TestDatabaseFile::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    paths::setAppPath(m_home->path());
}

void TestDatabaseFile::resolvesAsTheConnection_data()
{
    QTest::addColumn<QString>("configured"); // empty: no roster.ini entry
    QTest::addColumn<QString>("expected");   // relative to the home folder unless absolute
    QTest::newRow("default") << ""
                             << "roster5.dat";
    QTest::newRow("bare name") << "other.dat"
                               << "other.dat";
    QTest::newRow("relative folder") << "sub/../data/x.dat"
                                     << "data/x.dat";
    QTest::newRow("absolute") << "/srv/roster/y.dat"
                              << "/srv/roster/y.dat";
}

void TestDatabaseFile::resolvesAsTheConnection()
{
    QFETCH(QString, configured);
    QFETCH(QString, expected);
    if (!configured.isEmpty()) {
        writeBytes(paths::rosterini(), "[database]\r\nfilepath=" + configured.toUtf8() + "\r\n");
    }
    const QString want = expected.startsWith('/') ? expected : home(expected);
    QCOMPARE(dbfile::configuredPath(), want);
    engine::Database db;
    db.setFileName(configured.isEmpty() ? QStringLiteral("roster5.dat") : configured);
    QCOMPARE(dbfile::pathOf(db), want);
}

void TestDatabaseFile::check_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("isDatabase");
    QTest::addColumn<bool>("hasPersons");
    QTest::addColumn<bool>("sound");
    QTest::addColumn<qint64>("persons");
    QTest::newRow("sound") << "sound" << true << true << true << qint64(2);
    QTest::newRow("missing") << "missing" << false << false << false << qint64(-1);
    QTest::newRow("zero bytes") << "empty" << true << false << false << qint64(-1);
    QTest::newRow("text file") << "text" << false << false << false << qint64(-1);
    QTest::newRow("database without person") << "foreign" << true << false << false << qint64(-1);
    QTest::newRow("a page of person overwritten") << "damaged" << true << true << false << qint64(-1);
}

void TestDatabaseFile::check()
{
    QFETCH(QString, kind);
    QFETCH(bool, isDatabase);
    QFETCH(bool, hasPersons);
    QFETCH(bool, sound);
    QFETCH(qint64, persons);
    const QString path = home("x.dat");
    if (kind == "sound" || kind == "damaged") {
        makeDatabase(path, twoPersons);
    } else if (kind == "empty") {
        writeBytes(path, {});
    } else if (kind == "text") {
        writeBytes(path, QByteArray("这不是数据库\r\n").repeated(200));
    } else if (kind == "foreign") {
        engine::createDatabaseFile(path, {"CREATE TABLE other(a);"});
    }
    if (kind == "damaged") {
        testdb::damagePage(path, testdb::rootPage(path, "person"));
    }
    const QByteArray before = readBytes(path);
    const dbfile::Check result = dbfile::check(path);
    QCOMPARE(result.isDatabase, isDatabase);
    QCOMPARE(result.hasPersons, hasPersons);
    QCOMPARE(result.sound(), sound);
    QCOMPARE(result.problems.isEmpty(), sound);
    if (sound) {
        QCOMPARE(result.persons, persons);
    }
    QCOMPARE(readBytes(path), before); // a check only reads
    QVERIFY(!QFile::exists(path + "-journal"));
}

void TestDatabaseFile::copyWhileDatasetsAreOpenAndAnotherWriterIsBusy()
{
    testdb::TempFile file(QString(), true);
    engine::Database db;
    db.open(file.path());
    engine::Query persons(&db);
    persons.setSql({"SELECT * FROM person ORDER BY ID"});
    persons.open();
    persons.next();
    const qint64 committed = db.selectValue("SELECT count(*) FROM person").toLongLong();

    // Another connection is in the middle of a write: its rows are not part of a consistent state.
    engine::Database writer;
    writer.open(file.path());
    engine::Transaction pending(writer);
    writer.execute("INSERT INTO person(ID,name,status) VALUES (\"Z999\",\"未提交\",1)");

    const dbfile::Check copied = dbfile::copyDatabase(db, home("copy.dat"));
    QVERIFY2(copied.sound(), qPrintable(copied.problems.join('\n')));
    QCOMPARE(copied.persons, committed);
    QCOMPARE(dbfile::check(home("copy.dat")).persons, committed);
    QVERIFY(!testdb::personIds(home("copy.dat")).contains("Z999"));
    QVERIFY(!QFile::exists(home("copy.dat.work")));
    QVERIFY(persons.active()); // the copy leaves the connection and its datasets alone
}

void TestDatabaseFile::copyRefusedInsideOwnTransaction()
{
    testdb::TempFile file(QString::fromUtf8(twoPersons));
    engine::Database db;
    db.open(file.path());
    writeBytes(home("copy.dat"), "older copy");
    engine::Transaction open(db);
    db.execute("DELETE FROM person");
    QVERIFY_THROWS_EXCEPTION(engine::DbError, dbfile::copyDatabase(db, home("copy.dat")));
    QCOMPARE(readBytes(home("copy.dat")), QByteArray("older copy"));
}

void TestDatabaseFile::failedCopyKeepsTheTargetAndLeavesNoWorkFile()
{
    testdb::TempFile file(QString::fromUtf8(twoPersons));
    testdb::damagePage(file.path(), testdb::rootPage(file.path(), "person"));
    writeBytes(home("copy.dat"), "older copy");
    QVERIFY_THROWS_EXCEPTION(RosterError, dbfile::copyFile(file.path(), home("copy.dat")));
    QCOMPARE(readBytes(home("copy.dat")), QByteArray("older copy"));
    QVERIFY(!QFile::exists(home("copy.dat.work")));
    QVERIFY_THROWS_EXCEPTION(RosterError, dbfile::copyFile(home("missing.dat"), home("copy.dat")));
    QCOMPARE(readBytes(home("copy.dat")), QByteArray("older copy"));
}

void TestDatabaseFile::replacementRemovesJournalsAndKeepsTheOldFile_data()
{
    QTest::addColumn<int>("keep");
    QTest::addColumn<QString>("keptName");
    QTest::newRow("restore") << int(dbfile::Keep::BeforeRestore) << "roster5.dat.before-restore";
    QTest::newRow("repair") << int(dbfile::Keep::BeforeRepair) << "roster5.dat.before-repair";
    QTest::newRow("compaction keeps none") << int(dbfile::Keep::Nothing) << "";
}

void TestDatabaseFile::replacementRemovesJournalsAndKeepsTheOldFile()
{
    QFETCH(int, keep);
    QFETCH(QString, keptName);
    const QString target = home("roster5.dat");
    makeDatabase(target, twoPersons);
    const QByteArray oldBytes = readBytes(target);
    // What a crash leaves behind: a journal of the old file, and an older kept copy.
    writeBytes(target + "-journal", "stale journal of the old file");
    writeBytes(target + "-wal", "stale wal");
    if (!keptName.isEmpty()) {
        writeBytes(home(keptName), "an older kept copy");
    }
    makeDatabase(home("new.dat"), threePersons);

    // As after a crash: the connection is closed (opening it would replay or drop the journal).
    engine::Database db;
    db.setFileName(target);
    dbfile::replaceDatabase(db, home("new.dat"), dbfile::Keep(keep));

    QVERIFY(!db.isOpen());
    QVERIFY(!QFile::exists(home("new.dat")));
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        QVERIFY2(!QFile::exists(target + suffix), suffix);
    }
    QCOMPARE(testdb::personIds(target), (QStringList{"B001", "B002", "B003"}));
    QVERIFY(dbfile::check(target).sound());
    if (keptName.isEmpty()) {
        QCOMPARE(QDir(m_home->path()).entryList({"*.before-*"}, QDir::Files), QStringList());
    } else {
        QCOMPARE(readBytes(home(keptName)), oldBytes);
        // The journal belongs to the kept file and goes with it.
        QCOMPARE(readBytes(home(keptName) + "-journal"), QByteArray("stale journal of the old file"));
    }
}

void TestDatabaseFile::replacementRefusedWhileAnotherProcessHoldsTheLock()
{
    const QString target = home("roster5.dat");
    makeDatabase(target, twoPersons);
    const QByteArray oldBytes = readBytes(target);
    makeDatabase(home("new.dat"), threePersons);
    ForeignLock other(InstallationLock::lockFileFor(target));
    QVERIFY(other.locked());

    engine::Database db;
    db.open(target);
    QVERIFY_THROWS_EXCEPTION(LockHeld, dbfile::replaceDatabase(db, home("new.dat"), dbfile::Keep::BeforeRestore));
    QVERIFY_THROWS_EXCEPTION(LockHeld, dbfile::restoreDatabase(db, home("new.dat")));
    QVERIFY(db.isOpen());
    QCOMPARE(readBytes(target), oldBytes);
    QVERIFY(QFile::exists(home("new.dat")));
    QVERIFY(!QFile::exists(target + ".before-restore"));
}

void TestDatabaseFile::restoreOfADamagedFileReplacesNothing()
{
    const QString target = home("roster5.dat");
    makeDatabase(target, twoPersons);
    const QByteArray oldBytes = readBytes(target);
    makeDatabase(home("backup.bak"), threePersons);
    testdb::damagePage(home("backup.bak"), testdb::rootPage(home("backup.bak"), "person"));

    engine::Database db;
    db.open(target);
    QVERIFY_THROWS_EXCEPTION(RosterError, dbfile::restoreDatabase(db, home("backup.bak")));
    QCOMPARE(readBytes(target), oldBytes);
    QVERIFY(!QFile::exists(target + ".before-restore"));
    QVERIFY(!QFile::exists(target + ".restore"));

    // The same call with a sound file restores it and keeps the replaced one.
    makeDatabase(home("good.bak"), threePersons);
    QCOMPARE(dbfile::restoreDatabase(db, home("good.bak")).persons, qint64(3));
    QCOMPARE(testdb::personIds(target).size(), 3);
    QCOMPARE(readBytes(target + ".before-restore"), oldBytes);
}

void TestDatabaseFile::lockHeldElsewhereIsRefused()
{
    const QString target = home("roster5.dat");
    ForeignLock other(InstallationLock::lockFileFor(target));
    QVERIFY(other.locked());
    try {
        InstallationLock lock(target);
        QFAIL("the lock was taken while another process holds it");
    } catch (const LockHeld& e) {
        QVERIFY(e.message().contains(target));
        QVERIFY(e.message().contains("另一个运行中的"));
    }
    QVERIFY(!InstallationLock::heldHere(target));
}

void TestDatabaseFile::staleLockIsTakenOver()
{
    const QString target = home("roster5.dat");
    const QString lockFile = InstallationLock::lockFileFor(target);
    {
        QProcess holder;
        holder.start(QStringLiteral(ROSTER_LOCKHOLDER), {lockFile});
        QVERIFY(holder.waitForReadyRead(10000));
        holder.kill(); // ends without removing its lock file
        holder.waitForFinished();
    }
    QVERIFY(QFile::exists(lockFile));
    InstallationLock lock(target);
    QVERIFY(lock.held());
    QVERIFY(InstallationLock::heldHere(target));
}

void TestDatabaseFile::lockSharedWithinTheProcess()
{
    const QString target = home("roster5.dat");
    const QString lockFile = InstallationLock::lockFileFor(target);
    {
        InstallationLock program(target);
        {
            InstallationLock command(home("./roster5.dat"));
            QVERIFY(command.held());
        }
        QVERIFY(InstallationLock::heldHere(target));
        QVERIFY(QFile::exists(lockFile));
        QProcess other;
        other.start(QStringLiteral(ROSTER_LOCKHOLDER), {lockFile});
        QVERIFY(other.waitForFinished(10000));
        QCOMPARE(other.readAllStandardOutput().trimmed(), QByteArray("refused"));
    }
    QVERIFY(!InstallationLock::heldHere(target));
    QVERIFY(!QFile::exists(lockFile));
}

void TestDatabaseFile::uncreatableLockRunsWithout()
{
    const QString target = home("no such folder/roster5.dat");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("无法创建锁文件"));
    InstallationLock lock(target);
    QVERIFY(!lock.held());
    QVERIFY(!InstallationLock::heldHere(target));
}

QTEST_GUILESS_MAIN(TestDatabaseFile)
#include "test_databasefile.moc"
