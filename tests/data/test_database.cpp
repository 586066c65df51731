#include "data/engine/database.h"
#include "support/testdb.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using engine::Database;
using engine::DbError;

/// The connection: opening refuses missing and damaged files, errors carry the engine's codes,
/// user SELECTs are guarded.
class TestDatabase : public QObject
{
    Q_OBJECT

private slots:
    void refusesBadFiles_data();
    void refusesBadFiles();
    void opensAndRunsBeforeConnect();
    void constraintErrorsCarryTheirKind();
    void transactionRollsBackUnlessCommitted();
    void failedCommitStaysOpenUntilRolledBack();
    void readOnlyGuard_data();
    void readOnlyGuard();
};

void TestDatabase::refusesBadFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("create");
    QTest::addColumn<int>("rc");
    QTest::addColumn<QString>("text");
    QTest::newRow("missing") << QByteArray() << false << 14 << "无法打开数据库文件：unable to open database file: ";
    QTest::newRow("empty") << QByteArray() << true << 26 << "文件不是数据库：file is not a database: ";
    QTest::newRow("text") << QByteArray("this is only a text file, not a database at all\n").repeated(200) << true << 26
                          << "文件不是数据库：file is not a database";
    QTest::newRow("truncated database") << QByteArray("truncate") << true << 11
                                        << "数据库文件已损坏：database disk image is malformed";
}

void TestDatabase::refusesBadFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, create);
    QFETCH(int, rc);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("roster5.dat"));
    std::unique_ptr<testdb::TempFile> real;
    QString target = path;
    if (content == "truncate") {
        real = std::make_unique<testdb::TempFile>(QStringLiteral(
            "INSERT INTO notepad(caption) SELECT hex(randomblob(300)) FROM (WITH RECURSIVE c(x) AS (SELECT 1 UNION "
            "ALL SELECT x+1 FROM c WHERE x<3000) SELECT x FROM c);"));
        target = real->path();
        QFile file(target);
        QVERIFY(file.resize(file.size() / 2));
    } else if (create) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    Database db;
    try {
        db.open(target);
        QFAIL("opening should fail");
    } catch (const DbError& e) {
        QCOMPARE(e.rc(), rc);
        QVERIFY2(e.message().startsWith(text), qPrintable(e.message()));
    }
    QVERIFY(!db.isOpen());
    QVERIFY(!QFile::exists(path) || create);
}

void TestDatabase::opensAndRunsBeforeConnect()
{
    testdb::TempFile file(QStringLiteral("INSERT INTO person(ID,name) VALUES('A001','张三');"));
    Database db;
    int calls = 0;
    // A name without folder is found relative to the directory that beforeConnect sets.
    db.beforeConnect = [&](Database&) {
        ++calls;
        QDir::setCurrent(file.folder());
    };
    db.open(QStringLiteral("roster5.dat"));
    QCOMPARE(calls, 1);
    QCOMPARE(db.selectValue(QStringLiteral("SELECT name FROM person WHERE ID='a001'")).toString(),
             QStringLiteral("张三"));
    db.close();
    QVERIFY(!db.isOpen());
    db.ensureOpen();
    QCOMPARE(calls, 2);
}

void TestDatabase::constraintErrorsCarryTheirKind()
{
    auto db = testdb::memory(QStringLiteral("INSERT INTO person(ID,name) VALUES('A001','张三');"));
    try {
        db->execute(QStringLiteral("INSERT INTO person(ID) VALUES('A002')"));
        QFAIL("missing name accepted");
    } catch (const DbError& e) {
        QVERIFY(e.isMissingValue());
        QVERIFY(!e.isDuplicate());
        QCOMPARE(e.jetCode(), 3314);
    }
    try {
        db->execute(QStringLiteral("INSERT INTO person(ID,name) VALUES('a001','李四')"));
        QFAIL("duplicate ID accepted");
    } catch (const DbError& e) {
        QVERIFY(e.isDuplicate());
        QVERIFY(!e.isMissingValue());
        QCOMPARE(e.jetCode(), 3022);
        QCOMPARE(e.rc(), 19);
    }
}

void TestDatabase::transactionRollsBackUnlessCommitted()
{
    auto db = testdb::memory();
    {
        engine::Transaction t(*db);
        db->execute(QStringLiteral("INSERT INTO notepad(caption) VALUES('a')"));
    }
    QCOMPARE(db->selectValue(QStringLiteral("SELECT count(*) FROM notepad")).toInt(), 0);
    {
        engine::Transaction outer(*db);
        db->execute(QStringLiteral("INSERT INTO notepad(caption) VALUES('a')"));
        {
            engine::Transaction inner(*db);
            db->execute(QStringLiteral("INSERT INTO notepad(caption) VALUES('b')"));
        }
        outer.commit();
    }
    QCOMPARE(db->selectValue(QStringLiteral("SELECT count(*) FROM notepad")).toInt(), 1);
}

void TestDatabase::failedCommitStaysOpenUntilRolledBack()
{
    testdb::TempFile file;
    Database db;
    db.open(file.path());
    Database reader;
    reader.open(file.path());
    db.executeScript(QStringLiteral("PRAGMA busy_timeout=50"));
    {
        engine::Transaction t(db);
        db.execute(QStringLiteral("INSERT INTO notepad(caption) VALUES('a')"));
        {
            // The other connection holds a shared lock while its transaction reads: COMMIT is busy.
            engine::Transaction reading(reader);
            reader.selectValue(QStringLiteral("SELECT count(*) FROM notepad"));
            try {
                t.commit();
                QFAIL("COMMIT succeeded under a shared lock");
            } catch (const DbError& e) {
                QCOMPARE(e.rc(), 5);
                QVERIFY2(e.message().startsWith(QStringLiteral("数据库正被其他程序使用")), qPrintable(e.message()));
            }
            QVERIFY(db.inTransaction());
        }
    }
    // The failed transaction was rolled back on leaving, so the next one is a transaction of its own.
    QVERIFY(!db.inTransaction());
    {
        engine::Transaction t(db);
        db.execute(QStringLiteral("INSERT INTO notepad(caption) VALUES('b')"));
        t.commit();
    }
    QVERIFY(!db.inTransaction());
    QCOMPARE(reader.selectValue(QStringLiteral("SELECT group_concat(caption) FROM notepad")).toString(),
             QStringLiteral("b"));
}

void TestDatabase::readOnlyGuard_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("select") << "SELECT * FROM person" << true;
    QTest::newRow("with select") << "WITH x AS (SELECT ID FROM person) SELECT * FROM x" << true;
    QTest::newRow("select with semicolon") << "SELECT 1;" << true;
    QTest::newRow("select with comment tail") << "SELECT 1; -- done" << false;
    QTest::newRow("delete") << "DELETE FROM person" << false;
    QTest::newRow("two statements") << "SELECT 1; DELETE FROM person" << false;
    QTest::newRow("with delete") << "WITH x AS (SELECT 1) DELETE FROM person" << false;
    QTest::newRow("pragma") << "PRAGMA case_sensitive_like=1" << false;
    QTest::newRow("pragma query") << "PRAGMA user_version" << false;
    QTest::newRow("begin") << "BEGIN" << false;
    QTest::newRow("attach") << "ATTACH ':memory:' AS x" << false;
    QTest::newRow("explain delete") << "EXPLAIN DELETE FROM person" << false;
    QTest::newRow("pragma function") << "SELECT * FROM pragma_table_info('person')" << false;
}

void TestDatabase::readOnlyGuard()
{
    QFETCH(QString, sql);
    QFETCH(bool, allowed);
    auto db = testdb::memory(QStringLiteral("INSERT INTO person(ID,name) VALUES('A001','张三');"));
    bool ran = false;
    try {
        db->selectReadOnly(sql);
        ran = true;
    } catch (const engine::RefusedStatement&) {
        ran = false;
    } catch (const DbError& e) {
        QFAIL(qPrintable(QStringLiteral("unexpected engine error: ") + e.message()));
    }
    QCOMPARE(ran, allowed);
    QCOMPARE(db->selectValue(QStringLiteral("SELECT count(*) FROM person")).toInt(), 1);
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "test_database.moc"
