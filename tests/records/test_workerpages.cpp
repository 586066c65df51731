#include "data/dmunit.h"
#include "data/engine/query.h"
#include "platform/paths.h"
#include "records/workerpages.h"
#include "support/testdb.h"

#include <QtTest>

using namespace workerpages;

/// The one description of each browser page against the installation's schema: a name in it that
/// the page's table lacks would only fail when a user opens, adds to or prints that page.
class TestWorkerPages : public QObject
{
    Q_OBJECT

private slots:
    void detailPagesNameFieldsOfTheirQueries_data()
    {
        QTest::addColumn<int>("page");
        for (int page = 1; page < NotesPage; ++page) {
            QTest::newRow(qPrintable(description(page).caption)) << page;
        }
    }

    void detailPagesNameFieldsOfTheirQueries()
    {
        QFETCH(int, page);
        testdb::TempFile file;
        paths::setAppPath(file.folder());
        Tdm dm;
        dm.db->setFileName(file.path());
        const PageDescription& facts = description(page);
        engine::Query* query = dm.detailQuery(page);
        QVERIFY(query != nullptr);
        QCOMPARE(query, dm.*facts.query);
        query->open();

        QVERIFY2(query->hasField(facts.tieField), qPrintable(facts.tieField));
        QVERIFY(!facts.columns.isEmpty());
        for (const GridColumn& column : facts.columns) {
            QVERIFY2(query->hasField(column.field), qPrintable(column.field));
            QVERIFY(!column.title.isEmpty() && column.width > 0);
        }
        for (const NewRowValue& value : facts.newRow) {
            QVERIFY2(query->hasField(value.field), qPrintable(value.field));
        }
        QVERIFY(facts.prints && !facts.printTitle.isEmpty());
        QVERIFY(!facts.addCaption.isEmpty() && !facts.deleteQuestion.isEmpty());
    }

    void pagesWithoutDetailQuery_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("prints");
        QTest::newRow("person page prints the card") << PersonPage << true;
        QTest::newRow("notes page prints nothing") << NotesPage << false;
        QTest::newRow("outside the pages: the person page") << PageCount << true;
        QTest::newRow("negative: the person page") << -1 << true;
    }

    void pagesWithoutDetailQuery()
    {
        QFETCH(int, page);
        QFETCH(bool, prints);
        Tdm dm;
        QVERIFY(dm.detailQuery(page) == nullptr);
        QCOMPARE(description(page).prints, prints);
        QVERIFY(description(page).columns.isEmpty());
    }

    void newRowDefaultsFillInToday()
    {
        const QDate today(2009, 1, 2);
        QCOMPARE(newRowDefaults(2, today),
                 (QList<QPair<QString, QString>>{{"date1", "2009-01-02"}, {"date2", "2009-01-02"}}));
        QCOMPARE(newRowDefaults(1, today), (QList<QPair<QString, QString>>{{"name", "新成员"}}));
        QVERIFY(newRowDefaults(7, today).isEmpty());
    }
};

QTEST_MAIN(TestWorkerPages)
#include "test_workerpages.moc"
