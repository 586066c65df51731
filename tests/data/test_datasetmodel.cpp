#include "data/engine/datasetmodel.h"
#include "data/engine/query.h"
#include "support/testdb.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

using engine::DatasetModel;

/// The grid model: reads without moving, edits through the dataset, follows inserts, deletes and
/// reopening.
class TestDatasetModel : public QObject
{
    Q_OBJECT

private slots:
    void showsChosenColumnsWithoutScrolling();
    void editsInPlaceAndPostsOnRowChange();
    void followsInsertDeleteAndReopen();
};

namespace {

std::unique_ptr<engine::Database> people(int count)
{
    QString rows = QStringLiteral("INSERT INTO person(ID,name,birth,status) VALUES ");
    for (int i = 0; i < count; ++i) {
        rows += QStringLiteral("%1('P%2','人%2','1980-01-%3',%4)")
                    .arg(i ? QStringLiteral(",") : QString())
                    .arg(i, 4, 10, QLatin1Char('0'))
                    .arg(i % 28 + 1, 2, 10, QLatin1Char('0'))
                    .arg(i % 3 == 0 ? 2 : 1);
    }
    return testdb::memory(rows + u';');
}

} // namespace

void TestDatasetModel::showsChosenColumnsWithoutScrolling()
{
    auto db = people(1000);
    engine::Query q(db.get());
    q.setSql({QStringLiteral("SELECT * FROM person ORDER BY ID")});
    q.open();
    DatasetModel model(&q);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setColumns(
        {{"ID", QStringLiteral("职工编号")}, {"name", QStringLiteral("姓名")}, {"birth", QStringLiteral("生日")}});
    int scrolls = 0;
    q.beforeScroll = [&](engine::Dataset&) { ++scrolls; };
    QCOMPARE(model.rowCount(), 1000);
    QCOMPARE(model.columnCount(), 3);
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("姓名"));
    QCOMPARE(model.data(model.index(999, 0)).toString(), QStringLiteral("P0999"));
    QCOMPARE(model.data(model.index(300, 2)).toString(), QStringLiteral("1980-01-21"));
    QCOMPARE(model.data(model.index(0, 1)).toString(), QStringLiteral("人0000"));
    QCOMPARE(scrolls, 0);
    QCOMPARE(q.recNo(), 1);
}

void TestDatasetModel::editsInPlaceAndPostsOnRowChange()
{
    auto db = people(5);
    engine::Query q(db.get());
    q.setSql({QStringLiteral("SELECT * FROM person ORDER BY ID")});
    q.open();
    DatasetModel model(&q);
    model.setColumns({{"ID", "ID"}, {"name", "name"}});
    QSignalSpy current(&model, &DatasetModel::currentRowChanged);
    QVERIFY(model.setData(model.index(2, 1), QStringLiteral("改")));
    QCOMPARE(q.recNo(), 3);
    QCOMPARE(current.count(), 1);
    QCOMPARE(q.state(), engine::DatasetState::Edit);
    QCOMPARE(model.data(model.index(2, 1)).toString(), QStringLiteral("改"));
    QCOMPARE(db->selectValue(QStringLiteral("SELECT name FROM person WHERE ID='P0002'")).toString(),
             QStringLiteral("人0002"));
    q.moveTo(4);
    QCOMPARE(db->selectValue(QStringLiteral("SELECT name FROM person WHERE ID='P0002'")).toString(),
             QStringLiteral("改"));
}

void TestDatasetModel::followsInsertDeleteAndReopen()
{
    auto db = people(5);
    engine::Query q(db.get());
    q.setSql({QStringLiteral("SELECT * FROM person ORDER BY ID")});
    q.open();
    DatasetModel model(&q);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    q.moveTo(1);
    q.insert();
    QCOMPARE(model.rowCount(), 6);
    QCOMPARE(model.data(model.index(1, 0)).toString(), QString());
    QCOMPARE(model.data(model.index(2, 0)).toString(), QStringLiteral("P0001"));
    q.field(QStringLiteral("ID")).setAsString(QStringLiteral("N1"));
    q.field(QStringLiteral("name")).setAsString(QStringLiteral("新"));
    q.post();
    QCOMPARE(model.rowCount(), 6);
    QCOMPARE(model.data(model.index(1, 0)).toString(), QStringLiteral("N1"));
    q.remove();
    QCOMPARE(model.rowCount(), 5);
    q.setFilter(QStringLiteral("status=2"));
    q.setFiltered(true);
    QCOMPARE(model.rowCount(), 2);
    q.close();
    QCOMPARE(model.rowCount(), 0);
}

QTEST_GUILESS_MAIN(TestDatasetModel)
#include "test_datasetmodel.moc"
