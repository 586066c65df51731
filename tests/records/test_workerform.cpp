#include "app/windowcontext.h"
#include "data/dmunit.h"
#include "data/engine/database.h"
#include "data/engine/query.h"
#include "dataaware/datagrid.h"
#include "dataaware/dateedit.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "records/tworkerform.h"
#include "records/workerpages.h"
#include "support/scriptedinteraction.h"
#include "support/testdb.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using engine::DatasetState;
using namespace workerpages;

namespace {

const char* const kPersons =
    "INSERT INTO person(ID,name,status,birth,date1) VALUES"
    " ('A001','张伟',1,'1980-06-15','2000-07-01'),('A002','李娜',1,NULL,NULL),('A003','张敏',1,NULL,NULL),"
    " ('B001','王强',2,NULL,NULL),('A004','赵\"丽',1,NULL,NULL);"
    "INSERT INTO family(id,name) VALUES('A001','张父'),('A002','李母');";

/// The browser over a temporary installation: database, settings with the quick filter, and the
/// clock at a fixed "now".
struct Browser
{
    explicit Browser(const QString& rows = QString::fromUtf8(kPersons), const QString& right = "admin") : file(rows)
    {
        paths::setAppPath(file.folder());
        QDir(file.folder()).mkpath("data");
        textfile::writeLines(paths::sysinifile(), {"[FilterItemList]", "姓名=name", "工号=id", "其他=", "",
                                                   "[FieldSetFile]", "folk=folk.txt"});
        dm.db->setFileName(file.path());
        dm.loginright = right;
        dm.clock = [] { return QDateTime(QDate(2009, 6, 15), QTime(9, 0)); };
        form = std::make_unique<Tworkerform>(context);
        form->show();
    }
    QStringList listed() const
    {
        QStringList ids;
        for (int row = 0; row < dm.personquery->rowCount(); ++row) {
            ids << dm.personquery->peek(row, dm.personquery->fieldIndex("ID")).toString();
        }
        return ids;
    }
    void moveTo(const QString& id)
    {
        const int row = int(listed().indexOf(id));
        QVERIFY(row >= 0);
        form->personGrid->setCurrentIndex(form->personGrid->model()->index(row, 0));
        QCOMPARE(dm.personquery->field("ID").asString(), id);
    }
    QVariant stored(const QString& sql) { return dm.db->selectValue(sql); }
    DateEdit* dateBox(const QString& field) { return qobject_cast<DateEdit*>(form->personBox(field)); }
    void personBoxFocus(const QString& field)
    {
        QWidget* box = form->personBox(field);
        (box->focusProxy() ? box->focusProxy() : box)->setFocus();
    }

    testdb::TempFile file;
    Tdm dm;
    ScriptedInteraction seam; ///< a test that looks at messages installs its own over this one
    WindowContext context{dm, seam};
    std::unique_ptr<Tworkerform> form;
};

} // namespace

/// The personnel browser driven offscreen: views, filter, sorting, pages, adding, saving,
/// deleting, rights and the years recomputed when a date box is left.
class TestWorkerForm : public QObject
{
    Q_OBJECT

private slots:
    void sortCycle_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("order");
        QTest::addColumn<int>("mark");
        QTest::newRow("first click ascending") << QList<int>{0} << "name" << int(SortCycle::Mark::Ascending);
        QTest::newRow("second descending") << QList<int>{0, 0} << "name DESC" << int(SortCycle::Mark::Descending);
        QTest::newRow("third removes the mark") << QList<int>{0, 0, 0} << "" << int(SortCycle::Mark::None);
        QTest::newRow("fourth starts again") << QList<int>{0, 0, 0, 0} << "name" << int(SortCycle::Mark::Ascending);
        QTest::newRow("another column starts ascending")
            << QList<int>{0, 0, 1} << "id" << int(SortCycle::Mark::Ascending);
    }
    void sortCycle()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(QString, order);
        QFETCH(int, mark);
        SortCycle cycle;
        QString last;
        for (int column : clicks) {
            last = cycle.click(column, column == 0 ? "name" : "id");
        }
        QCOMPARE(last, order);
        QCOMPARE(int(cycle.mark()), mark);
    }

    void filterText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("where");
        QTest::newRow("prefix") << "张"
                                << "WHERE name LIKE \"张*\"";
        QTest::newRow("quote doubled") << "赵\""
                                       << "WHERE name LIKE \"赵\"\"*\"";
        QTest::newRow("empty clears") << ""
                                      << "";
    }
    void filterText()
    {
        QFETCH(QString, typed);
        QFETCH(QString, where);
        QCOMPARE(filterWhere("name", typed), where);
    }

    void viewsFilterByStatus()
    {
        Browser b;
        QCOMPARE(b.form->windowTitle(), QString("在职人员浏览"));
        QCOMPARE(b.listed(), (QStringList{"A001", "A002", "A003", "A004"}));
        QVERIFY(b.form->stampLabel->isHidden());

        b.form->setview(true);
        QCOMPARE(b.form->windowTitle(), QString("离职人员浏览"));
        QCOMPARE(b.form->statusButton->text(), QString("复职"));
        QCOMPARE(b.listed(), QStringList{"B001"});
        QVERIFY(!b.form->stampLabel->isHidden());
        QVERIFY(b.form->addButton->isHidden());
        QVERIFY(b.form->redeployButton->isHidden());
        QVERIFY(!b.form->deleteButton->isHidden());

        b.form->setview(false);
        QCOMPARE(b.form->statusButton->text(), QString("离职"));
        QCOMPARE(b.listed().size(), 4);
        QVERIFY(!b.form->addButton->isHidden());
    }

    void theStatusButtonMovesThePersonToTheOtherView_data()
    {
        QTest::addColumn<bool>("departed");
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("done");
        QTest::newRow("on the job, 离职") << false << "A002" << 2 << "操作成功，该人员状态已经转为离职！";
        QTest::newRow("departed, 复职") << true << "B001" << 1 << "操作成功，该人员状态已经转为复职！";
    }

    void theStatusButtonMovesThePersonToTheOtherView()
    {
        QFETCH(bool, departed);
        QFETCH(QString, id);
        QFETCH(int, status);
        QFETCH(QString, done);
        Browser b;
        ScriptedInteraction ui;
        b.form->setview(departed);
        b.moveTo(id);
        ui.answer({true});
        b.form->statusButton->click();
        QCOMPARE(b.stored(QStringLiteral("SELECT status FROM person WHERE ID='%1'").arg(id)).toInt(), status);
        QCOMPARE(ui.lastText(), done);
        QVERIFY(!b.listed().contains(id));
    }

    void detailQueriesOpenForTheCurrentPerson()
    {
        Browser b;
        QCOMPARE(b.form->activePage(), int(PersonPage));
        QCOMPARE(b.dm.personquery->field("ID").asString(), QString("A001"));
        for (int page = 1; page < NotesPage; ++page) {
            QVERIFY(b.dm.detailQuery(page)->active());
        }
        QCOMPARE(b.dm.familyquery->recordCount(), 1);
        QCOMPARE(b.dm.familyquery->field("name").asString(), QString("张父"));

        b.form->hide();
        QVERIFY(!b.dm.familyquery->active());
        QVERIFY(b.dm.personquery->active());
    }

    void prefixFilterAndItsClearing()
    {
        Browser b;
        QCOMPARE(b.form->fieldChooser->count(), 3);
        QCOMPARE(b.form->fieldChooser->currentIndex(), -1);
        QVERIFY(!b.form->valueBox->isEnabled());

        b.form->fieldChosen(0); // 姓名
        QVERIFY(b.form->valueBox->isEnabled());
        b.form->valueBox->setEditText("张");
        QCOMPARE(b.listed(), (QStringList{"A001", "A003"}));
        b.form->valueBox->setEditText("");
        QCOMPARE(b.listed().size(), 4);

        // A double quote typed into the value still finds the person.
        b.form->valueBox->setEditText("赵\"");
        QCOMPARE(b.listed(), QStringList{"A004"});

        // The departed view keeps its status filter under the name filter.
        b.form->valueBox->setEditText("王");
        QVERIFY(b.listed().isEmpty());

        b.form->showAllPersons();
        QVERIFY(b.form->valueBox->currentText().isEmpty());
        QCOMPARE(b.listed().size(), 4);
        QCOMPARE(b.form->fieldChooser->currentIndex(), 0);

        // A caption without a field does nothing with the list.
        b.form->fieldChosen(2);
        b.form->valueBox->setEditText("x");
        QCOMPARE(b.listed().size(), 4);
    }

    void anEmptyListReselectsTheDetails()
    {
        Browser b;
        b.form->setActivePage(1);
        b.moveTo("A002");
        QCOMPARE(b.dm.familyquery->recordCount(), 1);
        b.form->fieldChosen(0);
        b.form->valueBox->setEditText("nobody");
        QVERIFY(b.listed().isEmpty());
        // Without a person the key is empty and the page's query selects every row of its table.
        QCOMPARE(b.dm.familyquery->macro("where"), QString());
        QCOMPARE(b.dm.familyquery->recordCount(), 2);

        b.form->showAllPersons();
        QCOMPARE(b.dm.personquery->field("ID").asString(), QString("A001"));
        QCOMPARE(b.dm.familyquery->recordCount(), 1);
        QCOMPARE(b.dm.familyquery->field("name").asString(), QString("张父"));
    }

    void thirdTitleClickKeepsTheLastOrder()
    {
        Browser b;
        b.form->personTitleClicked(1); // 工号 ascending
        QCOMPARE(b.listed(), (QStringList{"A001", "A002", "A003", "A004"}));
        b.form->personTitleClicked(1); // descending
        QCOMPARE(b.listed(), (QStringList{"A004", "A003", "A002", "A001"}));
        b.form->personTitleClicked(1); // mark removed: the order stays
        QCOMPARE(b.listed(), (QStringList{"A004", "A003", "A002", "A001"}));
        QCOMPARE(b.dm.personquery->macro("order"), QString("id DESC"));
    }

    void newFamilyRowBelongsToTheShownPerson()
    {
        Browser b;
        ScriptedInteraction ui;
        b.moveTo("A002");
        b.form->setActivePage(1);
        QCOMPARE(b.form->addButton->text(), QString("新增家庭成员"));
        QCOMPARE(b.dm.familyquery->recordCount(), 1);

        b.form->addClick();
        QCOMPARE(b.dm.familyquery->state(), DatasetState::Edit);
        QCOMPARE(b.stored("SELECT count(*) FROM family WHERE id='A002' AND name='新成员'").toInt(), 1);

        b.dm.familyquery->field("relation").setAsString("母子");
        b.form->saveClick();
        QCOMPARE(ui.texts(), QStringList{"家庭成员保存成功！"});
        QCOMPARE(ui.shown.first().caption, QString("信息"));
        QCOMPARE(b.stored("SELECT relation FROM family WHERE name='新成员'").toString(), QString("母子"));

        // Saving with nothing pending says nothing on a detail page.
        ui.clear();
        b.form->saveClick();
        QVERIFY(ui.texts().isEmpty());

        ui.answer({true});
        b.form->deleteClick();
        QCOMPARE(ui.texts(), QStringList{"你真的要删除本条\"家庭成员\"吗？"});
        QCOMPARE(b.stored("SELECT count(*) FROM family WHERE name='新成员'").toInt(), 0);
    }

    void addDoesNothingWithoutAPersonKey()
    {
        Browser b{QStringLiteral("INSERT INTO family(id,name) VALUES('X9','某人');")};
        QVERIFY(b.listed().isEmpty());
        b.form->setActivePage(1);
        const int before = b.stored("SELECT count(*) FROM family").toInt();
        b.form->addClick();
        QCOMPARE(b.stored("SELECT count(*) FROM family").toInt(), before);
        QCOMPARE(b.dm.familyquery->state(), DatasetState::Browse);
    }

    void pageButtonsAndCaptions()
    {
        Browser b;
        const QStringList captions{"新建人员",     "新增家庭成员", "新增工作经历", "新增奖惩纪录",
                                   "新增职称评定", "新建培训记录", "新建合同",     "新建调动记录"};
        for (int page = 0; page < NotesPage; ++page) {
            b.form->setActivePage(page);
            QCOMPARE(b.form->addButton->text(), captions.at(page));
            QVERIFY(b.form->addButton->isEnabled());
            QVERIFY(b.form->deleteButton->isEnabled());
        }
        b.form->setActivePage(NotesPage);
        QCOMPARE(b.form->addButton->text(), captions.last()); // the notes keep the caption they had
        QVERIFY(!b.form->addButton->isEnabled());
        QVERIFY(!b.form->deleteButton->isEnabled());
        QVERIFY(!b.form->previewButton->isEnabled());
        QVERIFY(!b.form->printButton->isEnabled());
        b.form->setActivePage(2);
        QVERIFY(b.form->addButton->isEnabled());
    }

    void guestBrowsesButKeepsDetailsAndNotesEditable()
    {
        Browser b(QString::fromUtf8(kPersons), "guest");
        ScriptedInteraction ui;
        QVERIFY(!b.form->personPage->isEnabled());
        QVERIFY(!b.form->statusButton->isEnabled());
        QVERIFY(!b.form->redeployButton->isEnabled());
        for (int page = 0; page <= NotesPage; ++page) {
            b.form->setActivePage(page);
            QVERIFY(!b.form->addButton->isEnabled());
            QVERIFY(!b.form->deleteButton->isEnabled());
        }

        b.form->setActivePage(1);
        QVERIFY(b.form->detailGrids[1]->model()->flags(b.form->detailGrids[1]->model()->index(0, 0)) &
                Qt::ItemIsEditable);
        b.form->detailGrids[1]->model()->setData(b.form->detailGrids[1]->model()->index(0, 1), "父亲");
        b.form->saveClick();
        QCOMPARE(ui.texts(), QStringList{"家庭成员保存成功！"});
        QCOMPARE(b.stored("SELECT relation FROM family WHERE name='张父'").toString(), QString("父亲"));

        ui.clear();
        b.form->setActivePage(NotesPage);
        b.form->notesEdit->setFocus();
        QTest::keyClicks(b.form->notesEdit, "note");
        b.form->saveClick();
        QCOMPARE(ui.texts(), QStringList{"备注保存成功！"});
        QCOMPARE(b.stored("SELECT comments FROM person WHERE ID='A001'").toString(), QString("note"));
    }

    void newPersonAndItsRequiredFields()
    {
        Browser b;
        ScriptedInteraction ui;
        b.form->addClick();
        QCOMPARE(b.dm.personquery->state(), DatasetState::Insert);
        QCOMPARE(b.dm.personquery->field("status").asInteger(), 1);

        b.form->saveClick();
        QCOMPARE(ui.texts(), QStringList{"[工号]和[姓名]必须填写!"});
        QCOMPARE(b.dm.personquery->state(), DatasetState::Insert);

        ui.clear();
        auto* id = qobject_cast<QLineEdit*>(b.form->personBox("id"));
        auto* name = qobject_cast<QLineEdit*>(b.form->personBox("name"));
        QTest::keyClicks(id, "C001");
        QTest::keyClicks(name, "Sun Li");
        b.form->saveClick();
        QCOMPARE(ui.texts(), QStringList{"人员资料保存成功！"});
        QCOMPARE(b.stored("SELECT status FROM person WHERE ID='C001'").toInt(), 1);
        QCOMPARE(b.form->currentName->text(), QString("Sun Li"));
    }

    void changingThePageStoresThePendingPerson()
    {
        Browser b;
        ScriptedInteraction ui;
        b.moveTo("A003");
        QTest::keyClicks(qobject_cast<QLineEdit*>(b.form->personBox("native")), "Guangdong");
        QCOMPARE(b.dm.personquery->state(), DatasetState::Edit);
        b.form->setActivePage(1);
        QCOMPARE(b.dm.personquery->state(), DatasetState::Browse);
        QCOMPARE(b.stored("SELECT native FROM person WHERE ID='A003'").toString(), QString("Guangdong"));
        QCOMPARE(b.dm.familyquery->recordCount(), 0);
    }

    void deletingAPersonLeavesItsDetails()
    {
        Browser b;
        ScriptedInteraction ui;
        ui.answer({false, true});
        b.form->deleteClick();
        QCOMPARE(b.listed().size(), 4);
        b.form->deleteClick();
        QCOMPARE(ui.texts(), (QStringList{"你真的要删除本条记录吗？", "你真的要删除本条记录吗？"}));
        QCOMPARE(b.listed().size(), 3);
        QCOMPARE(b.stored("SELECT count(*) FROM family WHERE id='A001'").toInt(), 1);
    }

    void listStaysInStepAfterDeleteAndCancel()
    {
        Browser b;
        ScriptedInteraction ui;
        auto shownIds = [&b] {
            QStringList ids;
            QAbstractItemModel* model = b.form->personGrid->model();
            for (int row = 0; row < model->rowCount(); ++row) {
                ids << model->index(row, 1).data().toString();
            }
            return ids;
        };
        b.moveTo("A002");
        ui.answer({true});
        b.form->deleteClick();
        QCOMPARE(b.listed(), (QStringList{"A001", "A003", "A004"}));
        QCOMPARE(shownIds(), b.listed());
        QCOMPARE(b.form->currentId->text(), QString("A003"));
        QCOMPARE(b.form->personGrid->currentIndex().row(), 1);

        // The last person: the one before becomes current.
        b.moveTo("A004");
        ui.answer({true});
        b.form->deleteClick();
        QCOMPARE(shownIds(), (QStringList{"A001", "A003"}));
        QCOMPARE(b.form->currentId->text(), QString("A003"));

        // A new person whose store failed is dropped by cancelling, with no second store.
        b.form->addClick();
        b.form->saveClick();
        QCOMPARE(ui.texts().count("[工号]和[姓名]必须填写!"), 1);
        b.form->cancelClick();
        QCOMPARE(ui.texts().count("[工号]和[姓名]必须填写!"), 1);
        QCOMPARE(b.dm.personquery->state(), DatasetState::Browse);
        QCOMPARE(shownIds(), (QStringList{"A001", "A003"}));
    }

    void reselectedDetailsLeaveTheFocusAlone()
    {
        Browser b;
        QVERIFY(QTest::qWaitForWindowActive(b.form.get()));
        b.form->setActivePage(1);
        b.form->personGrid->setFocus();
        b.moveTo("A002");
        QCOMPARE(QApplication::focusWidget(), b.form->personGrid);
        b.form->valueBox->setEnabled(true);
        b.form->fieldChosen(0);
        b.form->valueBox->setFocus();
        b.form->valueBox->setEditText("李");
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus == b.form->valueBox || b.form->valueBox->isAncestorOf(focus));
    }

    void cancelRestoresTheEditedValue()
    {
        Browser b;
        auto* native = qobject_cast<QLineEdit*>(b.form->personBox("native"));
        QTest::keyClicks(native, "Hunan");
        b.form->cancelClick();
        QCOMPARE(b.dm.personquery->state(), DatasetState::Browse);
        QVERIFY(native->text().isEmpty());
    }

    void enterMovesTheFocusOrTheGridColumn()
    {
        Browser b;
        QVERIFY(QTest::qWaitForWindowActive(b.form.get()));
        QWidget* id = b.form->personBox("id");
        id->setFocus();
        QTest::keyClick(id, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), b.form->personBox("name"));

        b.form->setActivePage(1);
        DataGrid* grid = b.form->detailGrids[1];
        grid->setFocus();
        const int columns = grid->model()->columnCount();
        grid->setCurrentIndex(grid->model()->index(0, columns - 1));
        // The key goes where the focus is: the cell's editor, open while the grid has the focus. It
        // moves one column, not once for each parent the key passes on its way.
        QVERIFY(grid->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(grid->currentIndex().column(), 0); // wraps from the last column to the first
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
        QTRY_COMPARE(grid->currentIndex().column(), 1);
        QTest::qWait(50);
        QCOMPARE(grid->currentIndex().column(), 1); // one column per key, however late the commit comes
        QVERIFY(QApplication::focusWidget() == grid || grid->isAncestorOf(QApplication::focusWidget()));
    }

    void tabOrderFollowsThePersonFields()
    {
        Browser b;
        QVERIFY(QTest::qWaitForWindowActive(b.form.get()));
        const QStringList fields{"id",      "name",     "folk",      "birth",       "age",      "education",
                                 "ismarry", "sex",      "political", "cardID",      "native",   "date1",
                                 "workage", "isworker", "date2",     "hereworkage", "aboutpay", "dept",
                                 "dept_1",  "dept_2",   "duty",      "technical",   "phone",    "call",
                                 "mphone",  "school",   "subject",   "gdate",       "addr"};
        b.personBoxFocus("id");
        for (const QString& field : fields) {
            QWidget* box = b.form->personBox(field);
            QWidget* focus = QApplication::focusWidget();
            QVERIFY2(focus == box || box->isAncestorOf(focus), qPrintable(field));
            QTest::keyClick(focus, Qt::Key_Tab);
        }
    }

    void aTypedDetailRowIsStoredWhenThePersonChanges()
    {
        Browser b;
        b.form->setActivePage(1);
        QAbstractItemModel* model = b.form->detailGrids[1]->model();
        QVERIFY(model->setData(model->index(0, 1), "父亲"));
        QCOMPARE(b.dm.familyquery->state(), DatasetState::Edit);
        b.moveTo("A002");
        QCOMPARE(b.stored("SELECT relation FROM family WHERE name='张父'").toString(), QString("父亲"));
        QCOMPARE(b.stored("SELECT id FROM family WHERE name='张父'").toString(), QString("A001"));
        QCOMPARE(b.dm.familyquery->field("name").asString(), QString("李母"));
    }

    void aTypedDetailRowIsStoredWhenThePageChanges()
    {
        Browser b;
        b.form->setActivePage(1);
        QAbstractItemModel* model = b.form->detailGrids[1]->model();
        QVERIFY(model->setData(model->index(0, 4), "经理"));
        b.form->setActivePage(2);
        QCOMPARE(b.dm.familyquery->state(), DatasetState::Browse);
        QCOMPARE(b.stored("SELECT duty FROM family WHERE name='张父'").toString(), QString("经理"));
    }

    void aCellThatIsNoDateIsReportedAndTheGridKeepsWorking()
    {
        Browser b{QString::fromUtf8(kPersons) + "INSERT INTO family(id,name,duty) VALUES('A001','张母','教师');"};
        ScriptedInteraction ui;
        QVERIFY(QTest::qWaitForWindowActive(b.form.get()));
        b.form->setActivePage(1);
        DataGrid* grid = b.form->detailGrids[1];
        auto typeInto = [grid](int row, int column, const QString& text) {
            grid->setFocus();
            grid->setCurrentIndex(grid->model()->index(row, column));
            QWidget* editor = QApplication::focusWidget();
            QVERIFY(grid->isAncestorOf(editor));
            QTest::keyClicks(editor, text);
            QTest::keyClick(editor, Qt::Key_Tab);
        };
        typeInto(0, 2, "abc"); // 出生日期
        QCOMPARE(ui.texts(), QStringList{"'abc'不是有效的日期"});

        ui.clear();
        typeInto(1, 4, "FOO"); // 担任职务 of the other member
        b.form->saveClick();
        QCOMPARE(ui.texts(), QStringList{"家庭成员保存成功！"});
        QCOMPARE(b.stored("SELECT count(*) FROM family WHERE duty='FOO'").toInt(), 1);
    }

    void aReloginIsSeenWhenTheWindowIsActivatedAgain()
    {
        Browser b;
        QVERIFY(QTest::qWaitForWindowActive(b.form.get()));
        QVERIFY(b.form->deleteButton->isEnabled());
        b.dm.loginright = "guest";
        QEvent activation(QEvent::ActivationChange);
        QApplication::sendEvent(b.form.get(), &activation);
        QVERIFY(!b.form->deleteButton->isEnabled());
        QVERIFY(!b.form->addButton->isEnabled());
        QVERIFY(!b.form->statusButton->isEnabled());
        QVERIFY(!b.form->personPage->isEnabled());
    }

    void escapeClosesTheWindowFromAnyControl()
    {
        Browser b;
        QVERIFY(QTest::qWaitForWindowActive(b.form.get()));
        b.form->setActivePage(1);
        DataGrid* grid = b.form->detailGrids[1];
        grid->setFocus();
        grid->edit(grid->model()->index(0, 0));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!b.form->isVisible());
    }

    void leavingTheDateBoxes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("expected");
        // "Now" is 2009-06-15 09:00.
        QTest::newRow("birth in the past") << "birth"
                                           << "1980-06-15"
                                           << "age"
                                           << "29";
        QTest::newRow("birth in the future is a positive age") << "birth"
                                                               << "2019-06-16"
                                                               << "age"
                                                               << "10";
        QTest::newRow("start of working life") << "date1"
                                               << "2000-07-01"
                                               << "workage"
                                               << "8";
        QTest::newRow("future start of working life") << "date1"
                                                      << "2010-01-01"
                                                      << "workage"
                                                      << "0";
        QTest::newRow("joined today") << "date2"
                                      << "2009-06-15"
                                      << "hereworkage"
                                      << "0";
        QTest::newRow("joined long ago") << "date2"
                                         << "1990-01-01"
                                         << "hereworkage"
                                         << "19";
        QTest::newRow("empty birth keeps the age") << "birth"
                                                   << ""
                                                   << "age"
                                                   << "77";
        QTest::newRow("empty date keeps the years") << "date1"
                                                    << ""
                                                    << "workage"
                                                    << "77";
    }
    void leavingTheDateBoxes()
    {
        QFETCH(QString, box);
        QFETCH(QString, date);
        QFETCH(QString, target);
        QFETCH(QString, expected);
        Browser b;
        b.dm.personquery->edit();
        b.dm.personquery->field(target).setAsString("77");
        b.dm.personquery->field(box).setAsString(date);
        if (box == "birth") {
            b.form->leaveBirth();
        } else if (box == "date1") {
            b.form->leaveDate1();
        } else {
            b.form->leaveDate2();
        }
        QCOMPARE(b.dm.personquery->field(target).asString(), expected);
    }
};

QTEST_MAIN(TestWorkerForm)
#include "test_workerform.moc"
