#include "app/windowcontext.h"
#include "data/dmunit.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "records/deptdropform.h"
#include "records/depttree.h"
#include "records/redeployment.h"
#include "records/tfrmredeploy.h"
#include "support/scriptedinteraction.h"
#include "support/testdb.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

using engine::DatasetState;
using Kind = ScriptedInteraction::Kind;
using Row = QStringList; // category, from_value, to_value, reason

namespace {

const char* const persons = "INSERT INTO person(ID,name,status,dept,dept_1,dept_2,duty) VALUES"
                            " ('A001','张三',1,'销售部','华东区',NULL,'经理'),"
                            " ('A002','李四',1,'行政部',NULL,NULL,NULL);"
                            "INSERT INTO redeployments(person_id,category,from_value,to_value) VALUES"
                            " ('A002','部门调动','财务部','行政部');";

/// The data module on a temporary database, the browser on its page "调动记录" and at 张三.
struct Module
{
    explicit Module(const QString& extra = {}) : file(QString::fromUtf8(persons) + extra)
    {
        paths::setAppPath(file.folder());
        QDir(file.folder()).mkpath(QStringLiteral("data"));
        dm.db->setFileName(file.path());
        dm.loginright = QStringLiteral("admin");
        dm.activePage = [] { return 7; };
        dm.personquery->open();
        dm.redeployquery->open();
        dm.selectdetail();
    }
    /// The stored redeployments of a person in the order written.
    QList<Row> rows(const QString& id = QStringLiteral("A001"))
    {
        QList<Row> result;
        const auto found = dm.db->selectRows(
            QStringLiteral(
                "SELECT category,from_value,to_value,reason FROM redeployments WHERE person_id=?1 ORDER BY id"),
            {id});
        for (const QVariantList& r : found) {
            result << Row{r[0].toString(), r[1].toString(), r[2].toString(), r[3].toString()};
        }
        return result;
    }
    /// dept, dept_1, dept_2 and duty as stored.
    QStringList stored(const QString& id = QStringLiteral("A001"))
    {
        const auto r =
            dm.db->selectRows(QStringLiteral("SELECT dept,dept_1,dept_2,duty FROM person WHERE ID=?1"), {id});
        return {r[0][0].toString(), r[0][1].toString(), r[0][2].toString(), r[0][3].toString()};
    }
    /// The same four fields as the person query shows them.
    QStringList shown()
    {
        QStringList result;
        for (const char* name : {"dept", "dept_1", "dept_2", "duty"}) {
            result << dm.personquery->field(QString::fromLatin1(name)).asString();
        }
        return result;
    }
    testdb::TempFile file;
    Tdm dm;
};

redeployment::Target target(const QString& dept, const QString& dept1, const QString& dept2, const QString& duty,
                            const QString& reason)
{
    return {dept, dept1, dept2, duty, reason};
}

} // namespace

Q_DECLARE_METATYPE(redeployment::Target)

/// Redeployment of the current person: the rows written, one transaction, and the dialog.
class TestRedeployment : public QObject
{
    Q_OBJECT

private slots:
    void movesAndRows_data()
    {
        QTest::addColumn<redeployment::Target>("to");
        QTest::addColumn<QStringList>("person");
        QTest::addColumn<QList<Row>>("rows");
        QTest::newRow("department only, no duty row")
            << target("行政部", "", "", "", "工作需要") << QStringList{"行政部", "", "", "经理"}
            << QList<Row>{{"部门调动", "销售部华东区", "行政部", "工作需要"}};
        QTest::newRow("with a duty: department row first")
            << target("行政部", "综合科", "文书组", "主任", "") << QStringList{"行政部", "综合科", "文书组", "主任"}
            << QList<Row>{{"部门调动", "销售部华东区", "行政部综合科文书组", ""}, {"职务调动", "经理", "主任", ""}};
        QTest::newRow("nothing changes, the rows are still written")
            << target("销售部", "华东区", "", "经理", "复核") << QStringList{"销售部", "华东区", "", "经理"}
            << QList<Row>{{"部门调动", "销售部华东区", "销售部华东区", "复核"}, {"职务调动", "经理", "经理", "复核"}};
    }
    void movesAndRows()
    {
        QFETCH(redeployment::Target, to);
        QFETCH(QStringList, person);
        QFETCH(QList<Row>, rows);
        Module m;
        ScriptedInteraction ui;
        const int shownBefore = m.dm.redeployquery->recordCount();

        QVERIFY(redeployment::redeploy(m.dm, to));
        QCOMPARE(ui.texts(), QStringList{"调动成功！"});
        QCOMPARE(ui.shown[0].kind, Kind::Information);
        QCOMPARE(ui.shown[0].caption, interaction::appTitle());
        QCOMPARE(m.stored(), person);
        QCOMPARE(m.shown(), person);
        QCOMPARE(m.rows(), rows);
        QCOMPARE(m.rows("A002").size(), 1);
        // The rows show at once on the page, and every one got a date from the table.
        QCOMPARE(m.dm.redeployquery->recordCount(), shownBefore + rows.size());
        QCOMPARE(m.dm.db->selectValue(QStringLiteral("SELECT count(*) FROM redeployments WHERE date IS NULL")).toInt(),
                 0);
        QCOMPARE(m.dm.personquery->state(), DatasetState::Browse);
        QCOMPARE(m.dm.redeployquery->state(), DatasetState::Browse);
    }

    void emptyDepartmentIsRefused()
    {
        Module m;
        ScriptedInteraction ui;
        QVERIFY(!redeployment::redeploy(m.dm, target("", "综合科", "", "主任", "x")));
        QCOMPARE(ui.texts(), QStringList{"调动失败，部门不能为空！"});
        QCOMPARE(ui.shown[0].kind, Kind::Error);
        QCOMPARE(ui.shown[0].caption, interaction::appTitle());
        QCOMPARE(m.stored(), (QStringList{"销售部", "华东区", "", "经理"}));
        QCOMPARE(m.rows(), QList<Row>{});
        QCOMPARE(m.dm.personquery->state(), DatasetState::Browse);
    }

    void aFailingRowUndoesTheWholeMove_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::newRow("second row fails") << "职务调动";
        QTest::newRow("first row fails") << "部门调动";
    }
    void aFailingRowUndoesTheWholeMove()
    {
        QFETCH(QString, failing);
        Module m(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON redeployments WHEN NEW.category='%1'"
                                " BEGIN SELECT RAISE(ABORT, 'refused'); END;")
                     .arg(failing));
        ScriptedInteraction ui;
        const QStringList before{"销售部", "华东区", "", "经理"};
        const int shownBefore = m.dm.redeployquery->recordCount();

        QVERIFY(!redeployment::redeploy(m.dm, target("行政部", "综合科", "", "主任", "工作需要")));
        QCOMPARE(ui.texts(), QStringList{"调动失败！"});
        QCOMPARE(ui.shown[0].kind, Kind::Error);
        QCOMPARE(m.stored(), before);
        QCOMPARE(m.rows(), QList<Row>{});
        // The datasets show what is stored, with nothing pending.
        QCOMPARE(m.shown(), before);
        QCOMPARE(m.dm.personquery->state(), DatasetState::Browse);
        QCOMPARE(m.dm.redeployquery->state(), DatasetState::Browse);
        QCOMPARE(m.dm.redeployquery->recordCount(), shownBefore);
        QVERIFY(!m.dm.db->inTransaction());

        // Moving on stores nothing, and the next attempt works from a clean state.
        m.dm.personquery->next();
        m.dm.personquery->prior();
        QCOMPARE(m.stored(), before);
        m.dm.db->executeScript(QStringLiteral("DROP TRIGGER refuse"));
        ui.clear();
        QVERIFY(redeployment::redeploy(m.dm, target("行政部", "", "", "", "")));
        QCOMPARE(ui.texts(), QStringList{"调动成功！"});
        QCOMPARE(m.rows(), (QList<Row>{{"部门调动", "销售部华东区", "行政部", ""}}));
    }

    void pendingPersonEditsAreKeptWhenTheMoveFails()
    {
        Module m(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON redeployments WHEN NEW.category IS NOT NULL"
                                " BEGIN SELECT RAISE(ABORT, 'refused'); END;"));
        ScriptedInteraction ui;
        m.dm.personquery->edit();
        m.dm.personquery->field(QStringLiteral("phone")).setAsString(QStringLiteral("6688"));
        QVERIFY(!redeployment::redeploy(m.dm, target("行政部", "", "", "", "")));
        QCOMPARE(ui.texts(), QStringList{"调动失败！"});
        QCOMPARE(m.dm.db->selectValue(QStringLiteral("SELECT phone FROM person WHERE ID='A001'")).toString(),
                 QStringLiteral("6688"));
        QCOMPARE(m.stored()[0], QStringLiteral("销售部"));

        // A redeployment row being edited on the page is kept too.
        m.dm.redeployquery->edit();
        m.dm.redeployquery->field(QStringLiteral("reason")).setAsString(QStringLiteral("补记"));
        QVERIFY(!redeployment::redeploy(m.dm, target("行政部", "", "", "", "")));
        QCOMPARE(m.dm.db->selectValue(QStringLiteral("SELECT count(*) FROM redeployments WHERE reason='补记'")).toInt(),
                 1);
    }

    void guestMovesNobody()
    {
        Module m;
        ScriptedInteraction ui;
        m.dm.loginright = QStringLiteral("guest");
        QVERIFY(!redeployment::redeploy(m.dm, target("行政部", "", "", "", "")));
        QCOMPARE(m.stored()[0], QStringLiteral("销售部"));
        QCOMPARE(m.rows(), QList<Row>{});
    }

    void theDialogKeepsItsBoxesForTheNextMove()
    {
        Module m;
        ScriptedInteraction ui;
        QWidget owner;
        WindowContext context(m.dm, ui);
        context.setOwner(&owner);
        TfrmRedeploy* dialog = &context.redeployDialog();
        QCOMPARE(dialog->parent(), &owner);

        dialog->Edit1->setText(QStringLiteral("行政部"));
        dialog->ComboBox1->setEditText(QStringLiteral("主任"));
        dialog->Edit4->setText(QStringLiteral("工作需要"));
        QTimer::singleShot(0, dialog, [dialog] { dialog->BitBtn1->click(); });
        QVERIFY(redeployCurrentPerson(context));

        // Shown again, the boxes hold the same; "确定" without a change writes equal values.
        QString seen;
        QTimer::singleShot(0, dialog, [dialog, &seen] {
            seen = dialog->Edit1->text() + u'|' + dialog->ComboBox1->currentText() + u'|' + dialog->Edit4->text();
            dialog->BitBtn1->click();
        });
        QVERIFY(redeployCurrentPerson(context));
        QCOMPARE(seen, QStringLiteral("行政部|主任|工作需要"));
        QCOMPARE(m.rows(), (QList<Row>{{"部门调动", "销售部华东区", "行政部", "工作需要"},
                                       {"职务调动", "经理", "主任", "工作需要"},
                                       {"部门调动", "行政部", "行政部", "工作需要"},
                                       {"职务调动", "主任", "主任", "工作需要"}}));

        // "取消" moves nobody and says nothing.
        ui.clear();
        QTimer::singleShot(0, dialog, [dialog] { dialog->BitBtn2->click(); });
        QVERIFY(!redeployCurrentPerson(context));
        QCOMPARE(ui.texts(), QStringList());
        QCOMPARE(m.rows().size(), 4);
    }

    void enterAndEscDoNotCloseTheDialog()
    {
        Module m;
        ScriptedInteraction ui;
        WindowContext context(m.dm, ui);
        TfrmRedeploy dialog(context);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("人员调动"));
        QCOMPARE(dialog.size(), QSize(504, 176));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QCOMPARE(dialog.GroupBox1->title(), QStringLiteral("调动到："));
        QVERIFY(dialog.SpeedButton1->font().bold());
        QVERIFY(dialog.SpeedButton1->x() > dialog.Edit1->geometry().right());
        QVERIFY(dialog.SpeedButton1->geometry().right() < dialog.Edit2->x());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QRect centre = dialog.screen()->availableGeometry();
        QVERIFY(qAbs(dialog.frameGeometry().center().x() - centre.center().x()) <= 1);

        dialog.Edit1->setText(QStringLiteral("行政部"));
        dialog.ComboBox1->setEditText(QStringLiteral("主任"));
        for (QWidget* box : QList<QWidget*>{dialog.Edit1, dialog.Edit2, dialog.Edit3, dialog.ComboBox1, dialog.Edit4,
                                            dialog.BitBtn1, dialog.BitBtn2}) {
            box->setFocus();
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
                QTest::keyClick(box, key);
                QVERIFY2(dialog.isVisible(), qPrintable(box->objectName()));
            }
        }
        QCOMPARE(dialog.ComboBox1->count(), 0); // Enter adds nothing to the duty list
        QCOMPARE(dialog.Edit1->text(), QStringLiteral("行政部"));

        const QString shot = QDir(m.file.folder()).filePath(QStringLiteral("redeploy.png"));
        QVERIFY(dialog.grab().save(shot));

        dialog.BitBtn2->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void dutiesAreReloadedAtEveryShowing()
    {
        Module m;
        const QString duties = paths::datapath() + QStringLiteral("duty.txt");
        ScriptedInteraction ui;
        WindowContext context(m.dm, ui);
        TfrmRedeploy dialog(context);
        dialog.ComboBox1->addItem(QStringLiteral("旧项"));
        dialog.show();
        QCOMPARE(dialog.ComboBox1->count(), 1); // no file: the items stay

        dialog.hide();
        textfile::writeLines(duties, {QStringLiteral("经理"), QStringLiteral("主任")});
        dialog.ComboBox1->setEditText(QStringLiteral("自填职务"));
        dialog.show();
        QCOMPARE(dialog.ComboBox1->count(), 2);
        QCOMPARE(dialog.ComboBox1->itemText(1), QStringLiteral("主任"));
        QCOMPARE(dialog.ComboBox1->currentText(), QStringLiteral("自填职务"));

        dialog.hide();
        textfile::writeLines(duties, {QStringLiteral("科员")});
        dialog.show();
        QCOMPARE(dialog.ComboBox1->count(), 1);
        QCOMPARE(dialog.ComboBox1->itemText(0), QStringLiteral("科员"));
        QCOMPARE(dialog.values().duty, QStringLiteral("自填职务"));
    }

    void theEllipsisPicksBelowTheFirstBox()
    {
        Module m;
        ScriptedInteraction ui;
        WindowContext context(m.dm, ui);
        Tdeptdropform picker(context);
        DeptForest tree;
        depttree::parseLines({QStringLiteral("销售部"), QStringLiteral("\t华东区"), QStringLiteral("行政部")}, tree);
        picker.setTree(tree);
        TfrmRedeploy dialog(context);
        dialog.setPicker(&picker);
        dialog.Edit1->setText(QStringLiteral("x"));
        dialog.Edit2->setText(QStringLiteral("y"));
        dialog.Edit3->setText(QStringLiteral("z"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        QRect placed;
        QTimer::singleShot(0, &picker, [&] {
            placed = picker.geometry();
            QTreeWidgetItem* item = picker.TreeView1->topLevelItem(0)->child(0);
            picker.TreeView1->setCurrentItem(item);
            item->setSelected(true);
            picker.BitBtn1->click();
        });
        dialog.SpeedButton1->click();
        const QRect box(dialog.Edit1->mapToGlobal(QPoint(0, 0)), dialog.Edit1->size());
        QCOMPARE(placed, pickerPlacement(box, QSize(Tdeptdropform::DesignWidth, Tdeptdropform::DesignHeight),
                                         dialog.Edit1->screen()->availableGeometry()));
        QCOMPARE(dialog.values().dept, QStringLiteral("销售部"));
        QCOMPARE(dialog.values().dept1, QStringLiteral("华东区"));
        QCOMPARE(dialog.values().dept2, QString());

        // Nothing picked: the boxes stay.
        QTimer::singleShot(0, &picker, [&] { picker.BitBtn2->click(); });
        dialog.SpeedButton1->click();
        QCOMPARE(dialog.values().dept, QStringLiteral("销售部"));
        QCOMPARE(dialog.values().dept1, QStringLiteral("华东区"));
        QVERIFY(dialog.isVisible());
    }
};

QTEST_MAIN(TestRedeployment)
#include "test_redeployment.moc"
