#include "data/agerule.h"
#include "data/dmunit.h"
#include "platform/paths.h"
#include "support/scriptedinteraction.h"
#include "support/testdb.h"

#include <QtTest>

using engine::DataAction;
using engine::DatasetState;

namespace {

const char* const fixture =
    "INSERT INTO person(ID,name,status,birth,date1,date2,age,workage,hereworkage) VALUES"
    " ('A001','张三',1,'1980-06-15','2000-03-01','2030-01-01',5,5,5),"
    " ('A002','李四',2,NULL,'  ','2008-06-14',5,5,5),"
    " ('B\"7','王五',1,'not a date','2008-06-15 ','2009-06-15',5,5,5);"
    "INSERT INTO family(id,name) VALUES ('A001','妻'),('A001','子'),('A002','父'),('B\"7','母');"
    "INSERT INTO history(id,company) VALUES ('A001','甲厂'),('A002','乙厂');"
    "INSERT INTO honor(id,sorts) VALUES ('A001','先进');"
    "INSERT INTO assess(id,tech) VALUES ('A002','工程师');"
    "INSERT INTO train(id,mode) VALUES ('A001','脱产'),('A001','在职');"
    "INSERT INTO contracts(person_id,contract_no) VALUES ('A001','HT1'),('A002','HT2');"
    "INSERT INTO redeployments(person_id,category) VALUES ('A001','部门调动'),('A001','职务调动'),('B\"7','部门调动');";

/// A data module on a temporary copy of the fixture, with the personnel window's page settable.
struct Module
{
    Module() : file(QString::fromUtf8(fixture))
    {
        paths::setAppPath(file.folder());
        dm.db->setFileName(file.path());
        dm.activePage = [this] { return page; };
    }
    testdb::TempFile file;
    Tdm dm;
    int page = 0;
};

/// A text field of each page's table, shown in the tests.
QString shownField(int page)
{
    static const char* const names[] = {"", "name", "company", "sorts", "tech", "mode", "contract_no", "category"};
    return QString::fromLatin1(names[page]);
}

QDateTime at(const QString& text)
{
    return QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm"));
}

} // namespace

/// The data module: reselecting details, key stamping, the person post errors and the age rule.
class TestDmunit : public QObject
{
    Q_OBJECT

private slots:
    void objectsAndDefaults();
    void selectdetail_data();
    void selectdetail();
    void selectdetailWithEmptyKey();
    void keyStamping_data();
    void keyStamping();
    void personPostErrors_data();
    void personPostErrors();
    void photoHooks();
    void spanRule_data();
    void spanRule();
    void recalcages();
    void recalcagesReportsProgressAndRefreshes();
};

void TestDmunit::objectsAndDefaults()
{
    Tdm dm;
    QVERIFY(dm.loginuser.isEmpty() && dm.loginright.isEmpty());
    QCOMPARE(dm.db->fileName(), QStringLiteral("roster5.dat"));
    QCOMPARE(dm.personquery->filter(), QStringLiteral("status=1"));
    QVERIFY(dm.personquery->filtered());
    QCOMPARE(dm.notequery->macro(QStringLiteral("order")), QStringLiteral("date DESC"));
    QCOMPARE(dm.redeployquery->macro(QStringLiteral("order")), QStringLiteral("id desc"));
    QCOMPARE(dm.adbkquery->expandedSql(), QStringLiteral("SELECT * FROM addrbook  ORDER BY name"));
    QVERIFY(!dm.personquery->active());
}

void TestDmunit::selectdetail_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("person");
    QTest::addColumn<QString>("where");
    QTest::addColumn<QStringList>("rows"); // first field after the key, in the query's order
    QTest::newRow("1 family, order by name") << 1 << "A001"
                                             << "WHERE ID = \"A001\"" << QStringList{"妻", "子"};
    QTest::newRow("2 history") << 2 << "A002"
                               << "WHERE ID = \"A002\"" << QStringList{"乙厂"};
    QTest::newRow("3 honor") << 3 << "A001"
                             << "WHERE ID = \"A001\"" << QStringList{"先进"};
    QTest::newRow("4 assess, none") << 4 << "A001"
                                    << "WHERE ID = \"A001\"" << QStringList{};
    QTest::newRow("5 train, order by mode") << 5 << "A001"
                                            << "WHERE ID = \"A001\"" << QStringList{"在职", "脱产"};
    QTest::newRow("6 contracts") << 6 << "A002"
                                 << "WHERE person_id = \"A002\"" << QStringList{"HT2"};
    QTest::newRow("7 redeployments, newest first")
        << 7 << "A001"
        << "WHERE person_id = \"A001\"" << QStringList{"职务调动", "部门调动"};
    QTest::newRow("key with a double quote") << 1 << "B\"7"
                                             << "WHERE ID = \"B\"\"7\"" << QStringList{"母"};
}

void TestDmunit::selectdetail()
{
    QFETCH(int, page);
    QFETCH(QString, person);
    QFETCH(QString, where);
    QFETCH(QStringList, rows);
    Module m;
    m.page = page;
    m.dm.personquery->setFiltered(false);
    m.dm.personquery->open();
    while (m.dm.personquery->field(QStringLiteral("ID")).asString() != person) {
        m.dm.personquery->next();
        QVERIFY(!m.dm.personquery->eof());
    }
    // The move itself reselected the page's query.
    engine::Query* query = m.dm.detailQuery(page);
    QVERIFY(query->active());
    QCOMPARE(query->macro(QStringLiteral("where")), where);
    QStringList seen;
    const int column = query->fieldIndex(shownField(page));
    for (query->first(); !query->eof(); query->next()) {
        seen << query->field(column).asString();
    }
    QCOMPARE(seen, rows);
    // Pages 0 and 8 have no detail query: nothing is reselected.
    for (int other : {0, 8}) {
        m.page = other;
        query->close();
        m.dm.selectdetail();
        QVERIFY(!query->active());
    }
}

void TestDmunit::selectdetailWithEmptyKey()
{
    Module m;
    m.file.path();
    m.dm.db->open();
    m.dm.db->execute(QStringLiteral("DELETE FROM person"));
    m.page = 1;
    m.dm.familyquery->setMacro(QStringLiteral("where"), QStringLiteral("WHERE ID = \"A001\""));
    m.dm.personquery->open();
    m.dm.selectdetail();
    QVERIFY(m.dm.familyquery->isMacroCleared(QStringLiteral("where")));
    QCOMPARE(m.dm.familyquery->recordCount(), 4);
    QCOMPARE(m.dm.familyquery->macro(QStringLiteral("order")), QStringLiteral("name"));
}

void TestDmunit::keyStamping_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("keyField");
    for (int page = 1; page <= 7; ++page) {
        QTest::addRow("page %d", page) << page << (page >= 6 ? "person_id" : "id");
    }
}

void TestDmunit::keyStamping()
{
    QFETCH(int, page);
    QFETCH(QString, keyField);
    Module m;
    m.page = page;
    m.dm.personquery->open(); // A001 first of the people on the job
    engine::Query* query = m.dm.detailQuery(page);
    query->append();
    query->field(keyField).setAsString(QStringLiteral("typed-wrong"));
    query->post();
    QCOMPARE(query->field(keyField).asString(), QStringLiteral("A001"));
    // An untouched key is stamped as well.
    query->append();
    query->field(shownField(page)).setAsString(QStringLiteral("x"));
    query->post();
    QCOMPARE(query->field(keyField).asString(), QStringLiteral("A001"));
}

void TestDmunit::personPostErrors_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("no name") << "C001"
                             << ""
                             << "[工号]和[姓名]必须填写!";
    QTest::newRow("no ID") << ""
                           << "赵六"
                           << "[工号]和[姓名]必须填写!";
    QTest::newRow("duplicate ID") << "a001"
                                  << "赵六"
                                  << "增加新记录出错，请注意[工号]和[姓名]必须填写，而且[工号]不能和以前的记录重复！";
}

void TestDmunit::personPostErrors()
{
    QFETCH(QString, id);
    QFETCH(QString, name);
    QFETCH(QString, message);
    Module m;
    ScriptedInteraction ui;
    m.dm.personquery->open();
    m.dm.personquery->append();
    m.dm.personquery->field(QStringLiteral("ID")).setAsString(id);
    m.dm.personquery->field(QStringLiteral("name")).setAsString(name);
    m.dm.personquery->field(QStringLiteral("sex")).setAsString(QStringLiteral("男"));
    QVERIFY_THROWS_EXCEPTION(AbortOp, m.dm.personquery->post());
    QCOMPARE(ui.texts(), QStringList{message});
    QCOMPARE(ui.shown.first().kind, ScriptedInteraction::Kind::Error);
    QCOMPARE(m.dm.personquery->state(), DatasetState::Insert);
    // Corrected, the same record is stored.
    m.dm.personquery->field(QStringLiteral("ID")).setAsString(QStringLiteral("C009"));
    m.dm.personquery->field(QStringLiteral("name")).setAsString(QStringLiteral("赵六"));
    m.dm.personquery->post();
    QCOMPARE(m.dm.db->selectValue(QStringLiteral("SELECT status FROM person WHERE ID='C009'")).toInt(), 1);
}

void TestDmunit::photoHooks()
{
    Module m;
    QStringList scrolled;
    QStringList posted;
    m.dm.photoAfterScroll = [&](const QString& id) { scrolled << id; };
    m.dm.photoAfterPost = [&](const QString& id) { posted << id; };
    m.dm.personquery->open();
    m.dm.personquery->next();
    m.dm.personquery->edit();
    m.dm.personquery->field(QStringLiteral("phone")).setAsString(QStringLiteral("1"));
    m.dm.personquery->post();
    QCOMPARE(scrolled, (QStringList{"A001", "B\"7"}));
    QCOMPARE(posted, QStringList{"B\"7"});
}

void TestDmunit::spanRule_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("now");
    QTest::addColumn<int>("years");
    QTest::newRow("day before anniversary") << "1980-06-15 00:00"
                                            << "2009-06-14 12:00" << 28;
    QTest::newRow("anniversary morning") << "1980-06-15 00:00"
                                         << "2009-06-15 09:00" << 29;
    QTest::newRow("365.2083 days is 11 months") << "2000-03-01 00:00"
                                                << "2001-03-01 05:00" << 0;
    QTest::newRow("365.2917 days is 12 months") << "2000-03-01 00:00"
                                                << "2001-03-01 07:00" << 1;
    QTest::newRow("365.5 days") << "2008-03-01 00:00"
                                << "2009-03-01 12:00" << 1;
    QTest::newRow("same day") << "2009-06-15 00:00"
                              << "2009-06-15 23:00" << 0;
    QTest::newRow("future date counts the span") << "2030-01-01 00:00"
                                                 << "2009-06-15 09:00" << 20;
}

void TestDmunit::spanRule()
{
    QFETCH(QString, from);
    QFETCH(QString, now);
    QFETCH(int, years);
    QCOMPARE(agerule::yearsBetween(at(from), at(now)), years);
}

void TestDmunit::recalcages()
{
    Module m;
    m.dm.clock = [] { return at(QStringLiteral("2009-06-15 09:00")); };
    m.dm.recalcages();
    const auto rows =
        m.dm.db->selectRows(QStringLiteral("SELECT ID, age, workage, hereworkage FROM person ORDER BY ID"));
    // A001: born 1980-06-15 (29), working since 2000-03-01 (9), joins in 2030 (future: 0).
    // A002 (departed, recomputed too): no birth and a blank date1 give 0; 2008-06-14 is a year ago.
    // B"7: an unreadable birth keeps the old age; 2008-06-15 with a trailing blank reads (365.375
    // days, 12 months); a date of today gives 0.
    QCOMPARE(rows, (QList<QVariantList>{{"A001", qint64(29), qint64(9), qint64(0)},
                                        {"A002", qint64(0), qint64(0), qint64(1)},
                                        {"B\"7", qint64(5), qint64(1), qint64(0)}}));
    QVERIFY(m.dm.persontable->active());
    QVERIFY(m.dm.persontable->eof());
    QVERIFY(!m.dm.db->inTransaction());
}

void TestDmunit::recalcagesReportsProgressAndRefreshes()
{
    Module m;
    m.dm.clock = [] { return at(QStringLiteral("2009-06-15 09:00")); };
    m.dm.personquery->open();
    QCOMPARE(m.dm.personquery->field(QStringLiteral("age")).asInteger(), 5);
    QList<int> done;
    m.dm.recalcages([&](int n, int total) {
        QCOMPARE(total, 3);
        done << n;
    });
    QCOMPARE(done, (QList<int>{1, 2, 3}));
    QCOMPARE(m.dm.personquery->field(QStringLiteral("age")).asInteger(), 29);
}

QTEST_GUILESS_MAIN(TestDmunit)
#include "test_dmunit.moc"
