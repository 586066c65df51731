#include "data/engine/dataset.h"
#include "data/engine/query.h"
#include "data/engine/table.h"
#include "support/testdb.h"

#include <QSignalSpy>
#include <QtTest>

using engine::DataAction;
using engine::DatasetState;
using engine::DbError;
using engine::Query;

namespace {

const char* const threePersons = "INSERT INTO person(ID,name,status,birth) VALUES('A001','张三',1,'1980-06-15');"
                                 "INSERT INTO person(ID,name,status) VALUES('A002','李四',2);"
                                 "INSERT INTO person(ID,name,status) VALUES('A003','王五',1);";

/// Records every event of a dataset as its Delphi name.
void logEvents(engine::Dataset& d, QStringList& log)
{
    auto add = [&log](const char* name) {
        return [&log, name](engine::Dataset&) { log << QString::fromLatin1(name); };
    };
    d.beforeInsert = add("BeforeInsert");
    d.afterInsert = add("AfterInsert");
    d.onNewRecord = add("OnNewRecord");
    d.beforeEdit = add("BeforeEdit");
    d.afterEdit = add("AfterEdit");
    d.beforePost = add("BeforePost");
    d.afterPost = add("AfterPost");
    d.beforeCancel = add("BeforeCancel");
    d.afterCancel = add("AfterCancel");
    d.beforeDelete = add("BeforeDelete");
    d.afterDelete = add("AfterDelete");
    d.beforeScroll = add("BeforeScroll");
    d.afterScroll = add("AfterScroll");
    d.beforeClose = add("BeforeClose");
    d.afterClose = add("AfterClose");
    d.beforeRefresh = add("BeforeRefresh");
    d.afterRefresh = add("AfterRefresh");
}

/// Runs a script of operations separated by ';' on the dataset.
void run(Query& q, const QString& script)
{
    for (const QString& op : script.split(u';', Qt::SkipEmptyParts)) {
        if (op == QLatin1String("edit")) {
            q.edit();
        } else if (op == QLatin1String("set")) {
            q.field(QStringLiteral("name")).setAsString(QStringLiteral("改名"));
        } else if (op == QLatin1String("setnew")) {
            q.field(QStringLiteral("ID")).setAsString(QStringLiteral("A000"));
            q.field(QStringLiteral("name")).setAsString(QStringLiteral("新人"));
        } else if (op == QLatin1String("next")) {
            q.next();
        } else if (op == QLatin1String("prior")) {
            q.prior();
        } else if (op == QLatin1String("first")) {
            q.first();
        } else if (op == QLatin1String("last")) {
            q.last();
        } else if (op == QLatin1String("append")) {
            q.append();
        } else if (op == QLatin1String("insert")) {
            q.insert();
        } else if (op == QLatin1String("post")) {
            q.post();
        } else if (op == QLatin1String("cancel")) {
            q.cancel();
        } else if (op == QLatin1String("delete")) {
            q.remove();
        } else if (op == QLatin1String("refresh")) {
            q.refresh();
        } else if (op == QLatin1String("close")) {
            q.close();
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown op ") + op));
        }
    }
}

} // namespace

/// Datasets: Delphi's event order and states, post errors against real constraint failures,
/// field conversions, filter and refresh, macros.
class TestDataset : public QObject
{
    Q_OBJECT

private slots:
    void eventOrder_data();
    void eventOrder();
    void postError_data();
    void postError();
    void editOnEmptyAppends();
    void untouchedNewRowIsDropped();
    void emptyTextIsStoredAsNull();
    void fieldConversions();
    void eofAndBofVisitEveryRowOnce();
    void filterRequeriesAndGoesFirst();
    void refreshKeepsCurrentRow();
    void macroExpansion_data();
    void macroExpansion();
    void storedDefaultWhereSelectsEverything();
    void snapshotIsReadOnly();
    void tableFollowsNamedIndex();
    void closingTheConnectionClosesDatasets();
    void signalsForTheModel();
    void peekRowsReadsPagesInOrder();
};

void TestDataset::eventOrder_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("events");
    QTest::addColumn<QString>("currentId"); // after the script
    QTest::addColumn<int>("count");
    QTest::newRow("next with pending edit posts first")
        << "edit;set;next"
        << "BeforeEdit,AfterEdit,BeforePost,AfterPost,BeforeScroll,AfterScroll"
        << "A002" << 3;
    QTest::newRow("next with untouched edit cancels")
        << "edit;next"
        << "BeforeEdit,AfterEdit,BeforeCancel,AfterCancel,BeforeScroll,AfterScroll"
        << "A002" << 3;
    QTest::newRow("insert") << "insert"
                            << "BeforeInsert,BeforeScroll,OnNewRecord,AfterInsert,AfterScroll"
                            << "" << 3;
    QTest::newRow("untouched insert then next is dropped")
        << "insert;next"
        << "BeforeInsert,BeforeScroll,OnNewRecord,AfterInsert,AfterScroll,"
           "BeforeCancel,AfterCancel,BeforeScroll,AfterScroll"
        << "A002" << 3;
    QTest::newRow("append, fill, post stays on the new row")
        << "append;setnew;post"
        << "BeforeInsert,BeforeScroll,OnNewRecord,AfterInsert,AfterScroll,BeforePost,AfterPost"
        << "A000" << 4;
    QTest::newRow("delete lands on the next row") << "delete"
                                                  << "BeforeDelete,BeforeScroll,AfterDelete,AfterScroll"
                                                  << "A002" << 2;
    QTest::newRow("delete of the last row lands on the previous one")
        << "last;delete"
        << "BeforeScroll,AfterScroll,BeforeDelete,BeforeScroll,AfterDelete,AfterScroll"
        << "A002" << 2;
    QTest::newRow("delete in insert state cancels")
        << "insert;delete"
        << "BeforeInsert,BeforeScroll,OnNewRecord,AfterInsert,AfterScroll,BeforeCancel,AfterCancel"
        << "A001" << 3;
    QTest::newRow("next at eof only fires before scroll") << "last;next"
                                                          << "BeforeScroll,AfterScroll,BeforeScroll"
                                                          << "A003" << 3;
    QTest::newRow("cancel edit") << "edit;set;cancel"
                                 << "BeforeEdit,AfterEdit,BeforeCancel,AfterCancel"
                                 << "A001" << 3;
    QTest::newRow("refresh posts pending edit")
        << "edit;set;refresh"
        << "BeforeEdit,AfterEdit,BeforePost,AfterPost,BeforeRefresh,AfterRefresh"
        << "A001" << 3;
    QTest::newRow("close drops pending edit") << "edit;set;close"
                                              << "BeforeEdit,AfterEdit,BeforeClose,AfterClose"
                                              << "" << 0;
}

void TestDataset::eventOrder()
{
    QFETCH(QString, script);
    QFETCH(QString, events);
    QFETCH(QString, currentId);
    QFETCH(int, count);
    auto db = testdb::memory(QString::fromUtf8(threePersons));
    Query q(db.get());
    q.setSql({QStringLiteral("SELECT * FROM person"), QStringLiteral("ORDER BY ID")});
    q.open();
    QStringList log;
    logEvents(q, log);
    run(q, script);
    QCOMPARE(log.join(u','), events);
    if (q.active()) {
        QCOMPARE(q.field(QStringLiteral("id")).asString(), currentId);
        QCOMPARE(q.recordCount(), count);
        QCOMPARE(q.state(), script == QLatin1String("insert") ? DatasetState::Insert : DatasetState::Browse);
    }
    // Edits that were posted are in the table; dropped ones are not.
    const int stored = db->selectValue(QStringLiteral("SELECT count(*) FROM person")).toInt();
    QCOMPARE(stored, q.active() ? count : 3);
    const bool renamed = db->selectValue(QStringLiteral("SELECT count(*) FROM person WHERE name='改名'")).toInt() == 1;
    QCOMPARE(renamed, script.startsWith(QLatin1String("edit;set;")) && !script.endsWith(QLatin1String("cancel")) &&
                          !script.endsWith(QLatin1String("close")));
}

void TestDataset::postError_data()
{
    QTest::addColumn<QString>("failure"); // "missing name" or "duplicate ID"
    QTest::addColumn<DataAction>("action");
    QTest::addColumn<QString>("outcome"); // "error", "abort" or "stored"
    QTest::newRow("missing name, fail") << "missing name" << DataAction::Fail << "error";
    QTest::newRow("missing name, abort") << "missing name" << DataAction::Abort << "abort";
    QTest::newRow("missing name, retry after mending") << "missing name" << DataAction::Retry << "stored";
    QTest::newRow("duplicate ID, fail") << "duplicate ID" << DataAction::Fail << "error";
    QTest::newRow("duplicate ID, abort") << "duplicate ID" << DataAction::Abort << "abort";
    QTest::newRow("duplicate ID, retry after mending") << "duplicate ID" << DataAction::Retry << "stored";
}

void TestDataset::postError()
{
    QFETCH(QString, failure);
    QFETCH(DataAction, action);
    QFETCH(QString, outcome);
    auto db = testdb::memory(QString::fromUtf8(threePersons));
    Query q(db.get());
    q.setSql({QStringLiteral("SELECT * FROM person ORDER BY ID")});
    q.open();
    int errors = 0;
    bool missing = false;
    bool duplicate = false;
    q.onPostError = [&](engine::Dataset& d, const DbError& e, DataAction& a) {
        ++errors;
        missing = e.isMissingValue();
        duplicate = e.isDuplicate();
        a = action;
        if (action == DataAction::Retry) {
            d.field(QStringLiteral("ID")).setAsString(QStringLiteral("B001"));
            d.field(QStringLiteral("name")).setAsString(QStringLiteral("补名"));
        }
    };
    q.append();
    q.field(QStringLiteral("ID"))
        .setAsString(failure == QLatin1String("duplicate ID") ? QStringLiteral("a001") : QStringLiteral("B001"));
    if (failure == QLatin1String("duplicate ID")) {
        q.field(QStringLiteral("name")).setAsString(QStringLiteral("重号"));
    }
    QString result;
    try {
        q.post();
        result = QStringLiteral("stored");
    } catch (const AbortOp&) {
        result = QStringLiteral("abort");
    } catch (const DbError& e) {
        result = QStringLiteral("error");
        QVERIFY(failure == QLatin1String("duplicate ID") ? e.isDuplicate() : e.isMissingValue());
    }
    QCOMPARE(result, outcome);
    QCOMPARE(errors, 1);
    QCOMPARE(missing, failure == QLatin1String("missing name"));
    QCOMPARE(duplicate, failure == QLatin1String("duplicate ID"));
    if (outcome == QLatin1String("stored")) {
        QCOMPARE(q.state(), DatasetState::Browse);
        QCOMPARE(q.field(QStringLiteral("ID")).asString(), QStringLiteral("B001"));
        QCOMPARE(q.recordCount(), 4);
    } else {
        // The record stays in insert with what was typed, so that the user can correct it.
        QCOMPARE(q.state(), DatasetState::Insert);
        QVERIFY(!q.field(QStringLiteral("ID")).asString().isEmpty());
        QCOMPARE(q.recordCount(), 3);
    }
}

void TestDataset::editOnEmptyAppends()
{
    auto db = testdb::memory();
    Query q(db.get());
    q.setSql({QStringLiteral("SELECT * FROM family")});
    q.open();
    QVERIFY(q.eof() && q.bof() && q.isEmpty());
    QStringList log;
    logEvents(q, log);
    q.edit();
    QCOMPARE(q.state(), DatasetState::Insert);
    QCOMPARE(log.join(u','), QStringLiteral("BeforeInsert,BeforeScroll,OnNewRecord,AfterInsert,AfterScroll"));
    q.field(QStringLiteral("name")).setAsString(QStringLiteral("新成员"));
    q.post();
    QCOMPARE(q.recordCount(), 1);
}

void TestDataset::untouchedNewRowIsDropped()
{
    auto db = testdb::memory(QString::fromUtf8(threePersons));
    Query q(db.get());
    q.setSql({QStringLiteral("SELECT * FROM family ORDER BY name")});
    // Defaults set when the row is made do not count as a change.
    q.onNewRecord = [](engine::Dataset& d) { d.field(QStringLiteral("name")).setAsString(QStringLiteral("新成员")); };
    q.open();
    q.append();
    QVERIFY(!q.modified());
    q.first();
    QCOMPARE(db->selectValue(QStringLiteral("SELECT count(*) FROM family")).toInt(), 0);
    // Once the user changes something, the defaults are stored with it.
    q.append();
    q.field(QStringLiteral("relation")).setAsString(QStringLiteral("父亲"));
    q.first();
    QCOMPARE(db->selectRows(QStringLiteral("SELECT name, relation FROM family")),
             (QList<QVariantList>{{QStringLiteral("新成员"), QStringLiteral("父亲")}}));
}

void TestDataset::emptyTextIsStoredAsNull()
{
    auto db = testdb::memory(QString::fromUtf8(threePersons));
    Query q(db.get());
    q.setSql({QStringLiteral("SELECT * FROM person ORDER BY ID")});
    q.open();
    q.edit();
    q.field(QStringLiteral("phone")).setAsString(QString());
    q.field(QStringLiteral("birth")).setAsString(QString());
    q.post();
    QCOMPARE(db->selectValue(QStringLiteral("SELECT count(*) FROM person WHERE phone IS NULL AND birth IS NULL AND "
                                            "ID='A001'"))
                 .toInt(),
             1);
    // An emptied 姓名 is a missing value, refused by the engine.
    q.edit();
    q.field(QStringLiteral("NAME")).setAsString(QString());
    try {
        q.post();
        QFAIL("an empty name was stored");
    } catch (const DbError& e) {
        QVERIFY(e.isMissingValue());
    }
    QCOMPARE(q.state(), DatasetState::Edit);
    q.cancel();
    QCOMPARE(q.field(QStringLiteral("name")).asString(), QStringLiteral("张三"));
}

void TestDataset::fieldConversions()
{
    auto db = testdb::memory(QString::fromUtf8(threePersons) +
                             QStringLiteral("INSERT INTO password(user,isadmin) VALUES('admin',-1);"));
    Query q(db.get());
    q.setSql({QStringLiteral("SELECT * FROM person ORDER BY ID")});
    q.open();
    QCOMPARE(q.field(QStringLiteral("birth")).asDate(), QDate(1980, 6, 15));
    QCOMPARE(q.field(QStringLiteral("birth")).asString(), QStringLiteral("1980-06-15"));
    QCOMPARE(q.field(QStringLiteral("age")).asInteger(), 0);
    QVERIFY(q.field(QStringLiteral("age")).isNull());
    QVERIFY_THROWS_EXCEPTION(DbError, q.field(QStringLiteral("name")).setAsString(QStringLiteral("x")));
    QVERIFY_THROWS_EXCEPTION(DbError, q.field(QStringLiteral("nosuchfield")));
    q.edit();
    q.field(QStringLiteral("age")).setAsString(QStringLiteral("28"));
    q.field(QStringLiteral("date1")).setAsDateTime(QDateTime(QDate(2001, 3, 1), QTime(0, 0)));
    QVERIFY_THROWS_EXCEPTION(DbError, q.field(QStringLiteral("date2")).setAsString(QStringLiteral("not a date")));
    QVERIFY_THROWS_EXCEPTION(DbError, q.field(QStringLiteral("age")).setAsString(QStringLiteral("x")));
    q.post();
    QCOMPARE(db->selectRows(QStringLiteral("SELECT typeof(age), age, date1 FROM person WHERE ID='A001'")),
             (QList<QVariantList>{{QStringLiteral("integer"), qint64(28), QStringLiteral("2001-03-01")}}));

    Query users(db.get());
    users.setSql({QStringLiteral("SELECT * FROM password")});
    users.open();
    QVERIFY(users.field(QStringLiteral("isadmin")).asBoolean());
    users.edit();
    users.field(QStringLiteral("isadmin")).setAsBoolean(false);
    users.post();
    QCOMPARE(db->selectValue(QStringLiteral("SELECT isadmin FROM password")).toInt(), 0);
}

void TestDataset::eofAndBofVisitEveryRowOnce()
{
    auto db = testdb::memory(QString::fromUtf8(threePersons));
    Query q(db.get());
    q.setSql({QStringLiteral("SELECT * FROM person ORDER BY ID DESC")});
    q.open();
    QVERIFY(q.bof());
    QVERIFY(!q.eof());
    QStringList seen;
    while (!q.eof()) {
        seen << q.field(QStringLiteral("ID")).asString();
        q.next();
    }
    QCOMPARE(seen, (QStringList{"A003", "A002", "A001"}));
    QCOMPARE(q.recNo(), 3);
    q.first();
    q.prior();
    QVERIFY(q.bof());
    QCOMPARE(q.recNo(), 1);
}

void TestDataset::filterRequeriesAndGoesFirst()
{
    auto db = testdb::memory(QString::fromUtf8(threePersons));
    Query q(db.get());
    q.setSql({QStringLiteral("SELECT * FROM person ORDER BY ID")});
    q.setFilter(QStringLiteral("status=1"));
    q.setFiltered(true);
    q.open();
    QCOMPARE(q.recordCount(), 2);
    q.last();
    QStringList log;
    logEvents(q, log);
    q.setFilter(QStringLiteral("status=2"));
    QCOMPARE(q.recordCount(), 1);
    QCOMPARE(q.field(QStringLiteral("ID")).asString(), QStringLiteral("A002"));
    QCOMPARE(log.join(u','), QStringLiteral("BeforeScroll,AfterScroll"));
    q.setFiltered(false);
    QCOMPARE(q.recordCount(), 3);
    QCOMPARE(q.recNo(), 1);
    q.setFilter(QStringLiteral("name LIKE \"王*\""));
    q.setFiltered(true);
    QCOMPARE(q.recordCount(), 1);
    QCOMPARE(q.field(QStringLiteral("ID")).asString(), QStringLiteral("A003"));
}

void TestDataset::refreshKeepsCurrentRow()
{
    auto db = testdb::memory(QString::fromUtf8(threePersons));
    Query q(db.get());
    q.setSql({QStringLiteral("SELECT * FROM person ORDER BY ID")});
    q.open();
    q.next();
    db->execute(QStringLiteral("INSERT INTO person(ID,name) VALUES('A0015','新')"));
    db->execute(QStringLiteral("UPDATE person SET name='李四四' WHERE ID='A002'"));
    q.refresh();
    QCOMPARE(q.recordCount(), 4);
    QCOMPARE(q.field(QStringLiteral("ID")).asString(), QStringLiteral("A002"));
    QCOMPARE(q.field(QStringLiteral("name")).asString(), QStringLiteral("李四四"));
    QCOMPARE(q.recNo(), 3);
    // When the row has gone, the one that took its place is current.
    db->execute(QStringLiteral("DELETE FROM person WHERE ID='A002'"));
    q.refresh();
    QCOMPARE(q.field(QStringLiteral("ID")).asString(), QStringLiteral("A003"));
}

void TestDataset::macroExpansion_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("where"); // value set; "<cleared>" clears; "<default>" keeps the stored "0"
    QTest::addColumn<QString>("expected");
    const QStringList person{"SELECT", "*", "FROM person", "%where ", "ORDER BY", "%order"};
    QTest::newRow("stored default") << person << "<default>"
                                    << "SELECT * FROM person   ORDER BY id";
    QTest::newRow("where clause") << person << "WHERE ID = \"A001\""
                                  << "SELECT * FROM person WHERE ID = \"A001\"  ORDER BY id";
    QTest::newRow("cleared") << person << "<cleared>"
                             << "SELECT * FROM person   ORDER BY id";
    QTest::newRow("marker in any case") << QStringList{"SELECT * FROM person %WHERE ORDER BY %Order"} << "WHERE age>1"
                                        << "SELECT * FROM person WHERE age>1 ORDER BY id";
    QTest::newRow("only the first occurrence")
        << QStringList{"SELECT * FROM person %where", "AND '%where'"} << "WHERE 1=1"
        << "SELECT * FROM person WHERE 1=1 AND '%where'";
    QTest::newRow("value kept unchanged") << person << "where name LIKE \"%order*\""
                                          << "SELECT * FROM person where name LIKE \"%order*\"  ORDER BY id";
}

void TestDataset::macroExpansion()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, where);
    QFETCH(QString, expected);
    Query q;
    q.setSql(lines);
    q.defineMacro(QStringLiteral("where"), QStringLiteral("0"));
    q.defineMacro(QStringLiteral("order"), QStringLiteral("id"));
    if (where == QLatin1String("<cleared>")) {
        q.clearMacro(QStringLiteral("where"));
    } else if (where != QLatin1String("<default>")) {
        q.setMacro(QStringLiteral("where"), where);
    }
    QCOMPARE(q.expandedSql(), expected);
}

void TestDataset::storedDefaultWhereSelectsEverything()
{
    auto db = testdb::memory(QString::fromUtf8(threePersons) +
                             QStringLiteral("INSERT INTO addrbook(name) VALUES('乙'),('甲');"));
    Query people(db.get());
    people.setSql({"SELECT", "*", "FROM person", "%where ", "ORDER BY", "%order"});
    people.defineMacro(QStringLiteral("where"), QStringLiteral("0"));
    people.defineMacro(QStringLiteral("order"), QStringLiteral("id"));
    people.open();
    QCOMPARE(people.recordCount(), 3);
    people.close();
    people.setMacro(QStringLiteral("where"), QStringLiteral("WHERE ID = \"A002\""));
    people.open();
    QCOMPARE(people.recordCount(), 1);
    people.close();
    people.setMacro(QStringLiteral("order"), QStringLiteral("name DESC"));
    people.clearMacro(QStringLiteral("where"));
    people.open();
    QCOMPARE(people.field(QStringLiteral("name")).asString(), QStringLiteral("王五"));

    Query book(db.get());
    book.setSql({"SELECT", "*", "FROM", "addrbook", "%where", "ORDER BY", "%order"});
    book.defineMacro(QStringLiteral("where"), QStringLiteral("name"));
    book.defineMacro(QStringLiteral("order"), QStringLiteral("name"));
    book.open();
    QCOMPARE(book.recordCount(), 2);
}

void TestDataset::snapshotIsReadOnly()
{
    auto db = testdb::memory(QString::fromUtf8(threePersons));
    Query q(db.get());
    q.setSql({QStringLiteral("SELECT status, count(*) AS n FROM person GROUP BY status ORDER BY status")});
    q.open();
    QVERIFY(!q.canModify());
    QCOMPARE(q.recordCount(), 2);
    QCOMPARE(q.field(QStringLiteral("N")).asInteger(), 2);
    QVERIFY_THROWS_EXCEPTION(DbError, q.edit());
}

void TestDataset::tableFollowsNamedIndex()
{
    auto db = testdb::memory(QStringLiteral("INSERT INTO password(user,isadmin) VALUES('guest1',0),('admin',-1),"
                                            "('guest2',0);"));
    engine::Table t(db.get());
    t.setTableName(QStringLiteral("password"));
    t.setIndexName(QStringLiteral("subkey"));
    t.open();
    QStringList users;
    for (t.first(); !t.eof(); t.next()) {
        users << t.field(QStringLiteral("user")).asString();
    }
    QCOMPARE(users, (QStringList{"admin", "guest1", "guest2"}));
}

void TestDataset::closingTheConnectionClosesDatasets()
{
    testdb::TempFile file(QString::fromUtf8(threePersons));
    engine::Database db;
    db.setFileName(file.path());
    Query q(&db);
    q.setSql({QStringLiteral("SELECT * FROM person")});
    // Opening a dataset on a closed connection opens the connection.
    q.open();
    QVERIFY(db.isOpen());
    db.close();
    QVERIFY(!q.active());
    q.open();
    QVERIFY(db.isOpen());
    QCOMPARE(q.recordCount(), 3);
}

void TestDataset::signalsForTheModel()
{
    auto db = testdb::memory(QString::fromUtf8(threePersons));
    Query q(db.get());
    q.setSql({QStringLiteral("SELECT * FROM person ORDER BY ID")});
    q.open();
    QSignalSpy inserted(&q, &engine::Dataset::rowInserted);
    QSignalSpy removed(&q, &engine::Dataset::rowRemoved);
    q.next();
    q.insert();
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.first().first().toInt(), 1);
    QCOMPARE(q.rowCount(), 4);
    QVERIFY(q.isPendingRow(1));
    QCOMPARE(q.peek(2, q.fieldIndex(QStringLiteral("ID"))).toString(), QStringLiteral("A002"));
    q.cancel();
    QCOMPARE(removed.count(), 1);
    QCOMPARE(q.rowCount(), 3);
    QCOMPARE(q.field(QStringLiteral("ID")).asString(), QStringLiteral("A002"));
}

void TestDataset::peekRowsReadsPagesInOrder()
{
    // 600 persons stored in the reverse of the query's order, so pages of row ids are not runs of
    // storage.
    auto db = testdb::memory(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<600) "
                                            "INSERT INTO person(ID,name,birth) SELECT printf('P%04d', 601-i), 'n'||i, "
                                            "CASE WHEN i % 7 = 0 THEN '1990-01-02' END FROM n;"));
    Query q(db.get());
    q.setSql({QStringLiteral("SELECT * FROM person ORDER BY ID")});
    q.open();
    const QList<int> columns{q.fieldIndex(QStringLiteral("birth")), q.fieldIndex(QStringLiteral("ID"))};
    const auto expected = [&](int first, int count) {
        QList<QVariantList> rows;
        for (int row = first; row < std::min(first + count, q.rowCount()); ++row) {
            rows << QVariantList{q.peek(row, columns[0]), q.peek(row, columns[1])};
        }
        return rows;
    };
    for (const auto& [first, count] : {std::pair{0, 600}, {250, 20}, {590, 256}, {600, 5}}) {
        QCOMPARE(q.peekRows(first, count, columns), expected(first, count));
    }
    QCOMPARE(q.peekRows(0, 1, columns).first().last().toString(), QStringLiteral("P0001"));
    // A row being edited shows what was typed, as the grid shows it.
    q.moveTo(3);
    q.edit();
    q.field(QStringLiteral("ID")).setAsString(QStringLiteral("X"));
    QCOMPARE(q.peekRows(2, 3, columns), expected(2, 3));
    QCOMPARE(q.peekRows(3, 1, columns).first().last().toString(), QStringLiteral("X"));
}

QTEST_GUILESS_MAIN(TestDataset)
#include "test_dataset.moc"
