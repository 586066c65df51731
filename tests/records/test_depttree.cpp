#include "platform/errors.h"
#include "records/depttree.h"
#include "recordsfixture.h"

#include <QTest>

using depttree::DeptNames;

namespace {

/// The tree written as its file lines with "." for each level, so a whole tree fits in one cell.
QStringList outline(const DeptForest& tree)
{
    QStringList lines = depttree::toLines(tree);
    for (QString& line : lines) {
        qsizetype n = 0;
        while (n < line.size() && line.at(n) == u'\t') {
            ++n;
        }
        line = QString(n, u'.') + line.mid(n);
    }
    return lines;
}

} // namespace

class TestDeptTree : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("tree");
        QTest::newRow("empty") << QStringList() << QStringList();
        QTest::newRow("tabs") << QStringList{"A", "\tA1", "\t\tA11", "B"} << QStringList{"A", ".A1", "..A11", "B"};
        QTest::newRow("blanks read as tabs")
            << QStringList{"A", " A1", "  A11", "B"} << QStringList{"A", ".A1", "..A11", "B"};
        QTest::newRow("tabs and blanks mixed")
            << QStringList{"A", " A1", "\t A11", " \tA12"} << QStringList{"A", ".A1", "..A11", "..A12"};
        QTest::newRow("up several levels") << QStringList{"A", "\tA1", "\t\tA11", "\t\t\tA111", "B", "\tB1"}
                                           << QStringList{"A", ".A1", "..A11", "...A111", "B", ".B1"};
        QTest::newRow("up one of several levels") << QStringList{"A", "\tA1", "\t\tA11", "\t\t\tA111", "\tA2"}
                                                  << QStringList{"A", ".A1", "..A11", "...A111", ".A2"};
        QTest::newRow("first line indented is first level")
            << QStringList{"\t\tA", "\tA1", "B"} << QStringList{"A", ".A1", "B"};
        QTest::newRow("trailing blanks and inner blanks kept")
            << QStringList{"销售 部 ", "\t华东区  "} << QStringList{"销售 部 ", ".华东区  "};
        QTest::newRow("empty names") << QStringList{"A", "", "\t"} << QStringList{"A", "", "."};
        QTest::newRow("siblings keep order, duplicates too")
            << QStringList{"B", "A", "\tx", "\tx", "A"} << QStringList{"B", "A", ".x", ".x", "A"};
    }
    void parse()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, tree);
        DeptForest forest{DeptNode{"old", {}}};
        depttree::parseLines(lines, forest);
        QCOMPARE(outline(forest), tree);
    }

    void levelJumpStopsReadingAndKeepsWhatWasRead_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("second line two deep")
            << QStringList{"A", "\t\tA11", "B"} << "Invalid level (2) for item \"A11\"" << QStringList{"A"};
        QTest::newRow("blanks counted") << QStringList{"A", " A1", "    深 处 ", "B"}
                                        << "Invalid level (4) for item \"深 处 \"" << QStringList{"A", ".A1"};
        QTest::newRow("after going up") << QStringList{"A", "\tA1", "B", "\t\tB11"}
                                        << "Invalid level (2) for item \"B11\"" << QStringList{"A", ".A1", "B"};
    }
    void levelJumpStopsReadingAndKeepsWhatWasRead()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, error);
        QFETCH(QStringList, kept);
        DeptForest forest;
        try {
            depttree::parseLines(lines, forest);
            QFAIL("no error for a level jump");
        } catch (const RosterError& e) {
            QCOMPARE(e.message(), error);
        }
        QCOMPARE(outline(forest), kept);
    }

    void fourLineExampleWritesBackTheSameBytes()
    {
        RecordsHome home;
        const QString path = depttree::deptfile();
        QCOMPARE(path, home.data("dept.txt"));
        const QByteArray file("A\r\n\tA1\r\n\t\tA11\r\nB\r\n");
        RecordsHome::writeRaw(path, file);

        DeptForest tree;
        depttree::readFile(path, tree);
        QCOMPARE(tree.size(), std::size_t(2));
        QCOMPARE(tree[0].text, QString("A"));
        QCOMPARE(tree[0].children.size(), std::size_t(1));
        QCOMPARE(tree[0].children[0].text, QString("A1"));
        QCOMPARE(tree[0].children[0].children.size(), std::size_t(1));
        QCOMPARE(tree[0].children[0].children[0].text, QString("A11"));
        QCOMPARE(tree[1].text, QString("B"));
        QVERIFY(tree[1].children.empty());

        RecordsHome::writeRaw(path, QByteArray());
        depttree::writeFile(path, tree);
        QCOMPARE(RecordsHome::bytes(path), file);
    }

    void blanksAndGbkAreWrittenBackAsTabs()
    {
        RecordsHome home;
        const QString path = depttree::deptfile();
        RecordsHome::writeRaw(path,
                              QByteArray("\xCF\xFA\xCA\xDB\xB2\xBF\n \xBB\xAA\xB6\xAB\xC7\xF8")); // 销售部, 华东区
        DeptForest tree;
        depttree::readFile(path, tree);
        QCOMPARE(depttree::firstLevelNames(tree), QStringList{"销售部"});
        depttree::writeFile(path, tree);
        QCOMPARE(RecordsHome::bytes(path), QByteArray("\xCF\xFA\xCA\xDB\xB2\xBF\r\n\t\xBB\xAA\xB6\xAB\xC7\xF8\r\n"));

        depttree::writeFile(path, {});
        QCOMPARE(RecordsHome::bytes(path), QByteArray());
    }

    void missingFileFailsAndKeepsTheTree()
    {
        RecordsHome home;
        DeptForest tree{DeptNode{"A", {}}};
        QVERIFY_THROWS_EXCEPTION(FileError, depttree::readFile(depttree::deptfile(), tree));
        QCOMPARE(outline(tree), QStringList{"A"});
    }

    void pickedNames_data()
    {
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("level 0") << QStringList{"A"} << QStringList{"A", "", ""};
        QTest::newRow("level 1") << QStringList{"A", "A1"} << QStringList{"A", "A1", ""};
        QTest::newRow("level 2") << QStringList{"A", "A1", "A11"} << QStringList{"A", "A1", "A11"};
        QTest::newRow("level 3") << QStringList{"A", "A1", "A11", "A111"} << QStringList{"", "", ""};
    }
    void pickedNames()
    {
        QFETCH(QStringList, path);
        QFETCH(QStringList, names);
        const DeptNames n = depttree::namesForPath(path);
        QCOMPARE((QStringList{n.dept, n.dept1, n.dept2}), names);
    }

    void placement_data()
    {
        QTest::addColumn<QRect>("control");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QRect>("placed");
        const QRect screen(0, 0, 1280, 760); // a task bar of 40 below
        // A control 100 by 21 at (x, y): its bottom edge is y + 21.
        QTest::newRow("plain below") << QRect(100, 200, 100, 21) << screen << QRect(100, 222, 217, 257);
        QTest::newRow("near the right edge") << QRect(1200, 200, 60, 21) << screen << QRect(1280 - 217, 222, 217, 257);
        QTest::newRow("near the bottom, more room above")
            << QRect(100, 600, 100, 21) << screen << QRect(100, 600 - 257, 217, 257);
        QTest::newRow("near the bottom, more room below: shrunk")
            << QRect(100, 150, 100, 21) << QRect(0, 0, 1280, 400) << QRect(100, 172, 217, 400 - 172);
        QTest::newRow("above but too little room: shrunk to the top")
            << QRect(100, 200, 100, 21) << QRect(0, 0, 1280, 400) << QRect(100, 0, 217, 200);
        QTest::newRow("work area narrower than the picker")
            << QRect(50, 100, 100, 21) << QRect(10, 0, 150, 760) << QRect(10, 122, 150, 257);
        QTest::newRow("work area not at the origin")
            << QRect(1900, 500, 100, 21) << QRect(1280, 40, 800, 560) << QRect(2080 - 217, 500 - 257, 217, 257);
        QTest::newRow("left of the work area stays") << QRect(-50, 100, 100, 21) << screen << QRect(-50, 122, 217, 257);
    }
    void placement()
    {
        QFETCH(QRect, control);
        QFETCH(QRect, area);
        QFETCH(QRect, placed);
        QCOMPARE(pickerPlacement(control, QSize(217, 257), area), placed);
    }
};

QTEST_GUILESS_MAIN(TestDeptTree)
#include "test_depttree.moc"
