#include "platform/textfile.h"
#include "records/deptdropform.h"
#include "records/depttree.h"
#include "records/depttreewidget.h"
#include "records/setform5.h"
#include "recordsfixture.h"
#include "support/scriptedinteraction.h"
#include "support/testcontext.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

namespace {

const QByteArray exampleFile("A\r\n\tA1\r\n\t\tA11\r\nB\r\n");

/// The item reached by following child indices from the first level.
QTreeWidgetItem* itemAt(QTreeWidget* tree, std::initializer_list<int> path)
{
    auto it = path.begin();
    QTreeWidgetItem* item = tree->topLevelItem(*it++);
    for (; it != path.end() && item != nullptr; ++it) {
        item = item->child(*it);
    }
    return item;
}

void select(QTreeWidget* tree, QTreeWidgetItem* item)
{
    tree->setCurrentItem(item);
    item->setSelected(true);
}

struct Picked
{
    bool ok = false;
    QStringList names;
};

/// Runs pickdept for a control while `act` plays the user once the picker is open.
Picked pick(Tdeptdropform& picker, QWidget* control, const std::function<void()>& act)
{
    QTimer::singleShot(0, &picker, act);
    const std::optional<depttree::DeptNames> names = picker.pickdept(control);
    Picked result;
    result.ok = names.has_value();
    if (names) {
        result.names = {names->dept, names->dept1, names->dept2};
    }
    return result;
}

} // namespace

class TestDeptWindows : public QObject
{
    Q_OBJECT

private slots:
    void pickdeptFollowsTheLevelTable_data()
    {
        QTest::addColumn<QList<int>>("path");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("first level") << QList<int>{1} << QStringList{"B", "", ""};
        QTest::newRow("second level") << QList<int>{0, 0} << QStringList{"A", "A1", ""};
        QTest::newRow("third level") << QList<int>{0, 0, 0} << QStringList{"A", "A1", "A11"};
        QTest::newRow("fourth level") << QList<int>{0, 0, 0, 0} << QStringList{"", "", ""};
    }
    void pickdeptFollowsTheLevelTable()
    {
        QFETCH(QList<int>, path);
        QFETCH(QStringList, names);
        RecordsHome home;
        ScriptedInteraction ui;
        TestContext t(ui);
        RecordsHome::writeRaw(depttree::deptfile(), "A\r\n\tA1\r\n\t\tA11\r\n\t\t\tA111\r\nB\r\n");
        Tdeptdropform picker(t.context);
        picker.loadFile(depttree::deptfile());
        QLineEdit control;
        control.show();

        const Picked result = pick(picker, &control, [&] {
            QVERIFY(picker.isVisible());
            QTreeWidgetItem* item = picker.TreeView1->topLevelItem(path[0]);
            for (int i = 1; i < path.size(); ++i) {
                item = item->child(path[i]);
            }
            select(picker.TreeView1, item);
            picker.BitBtn1->click();
        });
        QVERIFY(result.ok);
        QCOMPARE(result.names, names);
        QVERIFY(!picker.isVisible());
    }

    void pickdeptPicksNothingUnlessOk()
    {
        RecordsHome home;
        ScriptedInteraction ui;
        TestContext t(ui);
        Tdeptdropform picker(t.context);
        DeptForest tree;
        depttree::parseLines(textfile::splitLines(exampleFile), tree);
        picker.setTree(tree);
        QCOMPARE(picker.firstLevelNames(), (QStringList{"A", "B"}));
        QLineEdit control;
        control.show();

        // Cancel, a click elsewhere (the popup closes itself), and OK with nothing selected.
        Picked r = pick(picker, &control, [&] {
            select(picker.TreeView1, itemAt(picker.TreeView1, {0}));
            picker.BitBtn2->click();
        });
        QVERIFY(!r.ok);
        r = pick(picker, &control, [&] {
            select(picker.TreeView1, itemAt(picker.TreeView1, {0}));
            picker.close();
        });
        QVERIFY(!r.ok);
        r = pick(picker, &control, [&] {
            picker.TreeView1->clearSelection();
            picker.TreeView1->setCurrentItem(nullptr);
            picker.BitBtn1->click();
        });
        QVERIFY(!r.ok);

        // A double click picks.
        r = pick(picker, &control, [&] {
            QTreeWidgetItem* b = itemAt(picker.TreeView1, {1});
            select(picker.TreeView1, b);
            emit picker.TreeView1->itemDoubleClicked(b, 0);
        });
        QVERIFY(r.ok);
        QCOMPARE(r.names, (QStringList{"B", "", ""}));
    }

    void pickerOpensBelowTheControl()
    {
        RecordsHome home;
        ScriptedInteraction ui;
        TestContext t(ui);
        Tdeptdropform picker(t.context);
        QLineEdit control;
        control.setGeometry(40, 60, 120, 24);
        control.show();
        QVERIFY(QTest::qWaitForWindowExposed(&control));
        QRect placed;
        pick(picker, &control, [&] {
            placed = picker.geometry();
            picker.BitBtn2->click();
        });
        const QRect area = control.screen()->availableGeometry();
        const QRect c(control.mapToGlobal(QPoint(0, 0)), control.size());
        QCOMPARE(placed, pickerPlacement(c, QSize(217, 257), area));
        QCOMPARE(placed.top(), c.y() + c.height() + 1);
    }

    void subDepartmentsStopAtTheSecondLevel()
    {
        RecordsHome home;
        ScriptedInteraction ui;
        TestContext t(ui);
        RecordsHome::writeRaw(depttree::deptfile(), exampleFile);
        Tsetform5 form(t.context);
        form.loadTree();
        QTreeWidget* tree = form.TreeView1;

        // Under a third-level node: refused, and the box is emptied.
        select(tree, itemAt(tree, {0, 0, 0}));
        form.Edit2->setText("A111");
        form.Button2->click();
        QCOMPARE(ui.texts(), QStringList{"最多只能建2级下属部门"});
        QVERIFY(form.Edit2->text().isEmpty());
        QCOMPARE(itemAt(tree, {0, 0, 0})->childCount(), 0);

        // Under a second-level node: allowed.
        ui.clear();
        select(tree, itemAt(tree, {0, 0}));
        form.Edit2->setText("A12");
        form.Button2->click();
        QCOMPARE(ui.texts(), QStringList());
        QCOMPARE(itemAt(tree, {0, 0, 1})->text(0), QString("A12"));
        QVERIFY(form.Edit2->text().isEmpty());

        // Nothing selected: asked to choose, the text stays.
        tree->clearSelection();
        tree->setCurrentItem(nullptr);
        form.Edit2->setText("C1");
        QTest::keyClick(form.Edit2, Qt::Key_Return);
        QCOMPARE(ui.texts(), QStringList{"请先确定要在哪个部门下建立！"});
        QCOMPARE(form.Edit2->text(), QString("C1"));

        // An empty box does nothing at all.
        ui.clear();
        form.Edit2->clear();
        form.Button2->click();
        QCOMPARE(ui.texts(), QStringList());
    }

    void editingTheTreeAndLeavingWritesFileAndPicker()
    {
        RecordsHome home;
        ScriptedInteraction ui;
        TestContext t(ui);
        RecordsHome::writeRaw(depttree::deptfile(), exampleFile);
        Tsetform5 form(t.context);
        Tdeptdropform& picker = t.context.deptPicker();
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(form.windowTitle(), QString("部门类型设置"));
        QCOMPARE(form.GroupBox1->title(), QString("部门类型设置"));
        QTreeWidget* tree = form.TreeView1;
        QCOMPARE(tree->topLevelItemCount(), 2);

        // A new department joins the first level at its end.
        form.Edit1->setText("C");
        QTest::keyClick(form.Edit1, Qt::Key_Return);
        QVERIFY(form.Edit1->text().isEmpty());
        form.Edit1->setText("");
        form.Button1->click();
        QCOMPARE(tree->topLevelItemCount(), 3);

        // Deleting A takes its sub-tree with it; renaming B.
        select(tree, itemAt(tree, {0}));
        QTest::keyClick(tree, Qt::Key_Delete);
        select(tree, itemAt(tree, {0}));
        itemAt(tree, {0})->setText(0, "乙");
        form.Edit2->setText("乙1");
        form.Button2->click();

        form.BitBtn3->click();
        QVERIFY(!form.isVisible());
        QCOMPARE(RecordsHome::bytes(depttree::deptfile()), textfile::encodeGbk("乙\r\n\t乙1\r\nC\r\n"));
        QCOMPARE(picker.firstLevelNames(), (QStringList{"乙", "C"}));
        QCOMPARE(depttree::toLines(picker.tree()), (QStringList{"乙", "\t乙1", "C"}));
    }

    void renameStartsInPlaceEditing()
    {
        RecordsHome home;
        ScriptedInteraction ui;
        TestContext t(ui);
        RecordsHome::writeRaw(depttree::deptfile(), exampleFile);
        Tsetform5 form(t.context);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTreeWidget* tree = form.TreeView1;
        select(tree, itemAt(tree, {1}));
        form.BitBtn1->click();
        auto* editor = tree->findChild<QLineEdit*>();
        QVERIFY(editor != nullptr && editor->isVisible());
        editor->setText("乙");
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(itemAt(tree, {1})->text(0), QString("乙"));
    }

    void reloadsTheFileAtEveryActivation()
    {
        RecordsHome home;
        ScriptedInteraction ui;
        TestContext t(ui);
        RecordsHome::writeRaw(depttree::deptfile(), exampleFile);
        QWidget other;
        other.show();
        Tsetform5 form(t.context);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        RecordsHome::writeRaw(depttree::deptfile(), "X\r\n");
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(depttree::toLines(depttreewidget::read(form.TreeView1)), QStringList{"X"});
    }

    void guestCannotChangeTheTree()
    {
        RecordsHome home;
        ScriptedInteraction ui;
        TestContext t(ui);
        RecordsHome::writeRaw(depttree::deptfile(), exampleFile);
        t.dm.loginright = QStringLiteral("guest");
        Tsetform5 form(t.context);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QVERIFY(form.isGuest());
        for (QPushButton* b : {form.BitBtn1, form.BitBtn2, form.Button1, form.Button2}) {
            QVERIFY(!b->isEnabled());
        }
        QVERIFY(form.BitBtn3->isEnabled());
        QVERIFY(form.Edit1->isReadOnly());
        QVERIFY(form.Edit2->isReadOnly());
        QCOMPARE(form.TreeView1->editTriggers(), QAbstractItemView::NoEditTriggers);

        QTreeWidget* tree = form.TreeView1;
        select(tree, itemAt(tree, {0}));
        QTest::keyClick(tree, Qt::Key_Delete);
        QTest::keyClick(tree, Qt::Key_Insert);
        QVERIFY(tree->findChild<QLineEdit*>() == nullptr || !tree->findChild<QLineEdit*>()->isVisible());
        QTest::keyClick(form.Edit2, Qt::Key_Return);
        QCOMPARE(tree->topLevelItemCount(), 2);
        QCOMPARE(ui.texts(), QStringList());

        form.close();
        QCOMPARE(RecordsHome::bytes(depttree::deptfile()), exampleFile);
    }

    void aBadLevelKeepsTheFileUntilTheTreeIsChanged()
    {
        RecordsHome home;
        ScriptedInteraction ui;
        TestContext t(ui);
        const QByteArray bad("A\r\n\t\tA11\r\nB\r\n");
        RecordsHome::writeRaw(depttree::deptfile(), bad);
        Tsetform5 form(t.context);
        Tdeptdropform& picker = t.context.deptPicker();
        ui.clear(); // the picker made at start-up reports the same line
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(ui.texts(), QStringList{"Invalid level (2) for item \"A11\""});
        QCOMPARE(form.TreeView1->topLevelItemCount(), 1);

        // Only looking: the rest of the file survives.
        form.close();
        QCOMPARE(RecordsHome::bytes(depttree::deptfile()), bad);
        QCOMPARE(picker.firstLevelNames(), QStringList{"A"});
    }

    void aMissingFileIsWrittenAnewOnLeaving()
    {
        RecordsHome home;
        ScriptedInteraction ui;
        TestContext t(ui);
        Tsetform5 form(t.context);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(ui.shown.size(), 1);
        QCOMPARE(ui.shown[0].kind, ScriptedInteraction::Kind::Error);
        form.Edit1->setText("A");
        form.Button1->click();
        form.close();
        QCOMPARE(RecordsHome::bytes(depttree::deptfile()), QByteArray("A\r\n"));
    }
};

QTEST_MAIN(TestDeptWindows)
#include "test_deptwindows.moc"
