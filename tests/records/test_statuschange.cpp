#include "data/dmunit.h"
#include "platform/paths.h"
#include "records/statuschange.h"
#include "support/scriptedinteraction.h"
#include "support/testdb.h"

#include <QtTest>

using engine::DatasetState;
using Kind = ScriptedInteraction::Kind;

namespace {

const char* const persons = "INSERT INTO person(ID,name,status) VALUES"
                            " ('A001','张三',1),('A002','李四',1),('A003','王五',2);";

/// The data module on a temporary database of three persons, two on the job.
struct Module
{
    explicit Module(const QString& extra = {}) : file(QString::fromUtf8(persons) + extra)
    {
        paths::setAppPath(file.folder());
        dm.db->setFileName(file.path());
        dm.loginright = QStringLiteral("admin");
        dm.personquery->open();
    }
    int storedStatus(const QString& id)
    {
        return dm.db->selectValue(QStringLiteral("SELECT status FROM person WHERE ID=?1"), {id}).toInt();
    }
    QStringList listed()
    {
        QStringList ids;
        for (int row = 0; row < dm.personquery->rowCount(); ++row) {
            ids << dm.personquery->peek(row, dm.personquery->fieldIndex(QStringLiteral("ID"))).toString();
        }
        return ids;
    }
    testdb::TempFile file;
    Tdm dm;
};

} // namespace

/// The status button: leave and return with their messages, refusals and a failing store.
class TestStatusChange : public QObject
{
    Q_OBJECT

private slots:
    void leaveAndReturn()
    {
        Module m;
        ScriptedInteraction ui;
        QCOMPARE(m.listed(), (QStringList{"A001", "A002"}));

        ui.answer({true});
        QVERIFY(statuschange::changeStatus(m.dm, statuschange::Status::Departed));
        QCOMPARE(ui.texts(), (QStringList{"确定要将该人员状态转变为离职吗?", "操作成功，该人员状态已经转为离职！"}));
        QCOMPARE(ui.shown[0].kind, Kind::Question);
        QCOMPARE(ui.shown[0].caption, interaction::appTitle());
        QCOMPARE(ui.shown[1].kind, Kind::Information);
        QVERIFY(ui.shown[1].caption != interaction::appTitle()); // the standard dialog, titled by its kind
        QCOMPARE(m.storedStatus("A001"), 2);
        QCOMPARE(m.listed(), QStringList{"A002"});
        QCOMPARE(m.dm.personquery->state(), DatasetState::Browse);

        // The departed view: the same person comes back.
        ui.clear();
        m.dm.personquery->setFilter(QStringLiteral("status=2"));
        QCOMPARE(m.listed(), (QStringList{"A001", "A003"}));
        QCOMPARE(m.dm.personquery->field(QStringLiteral("ID")).asString(), QStringLiteral("A001"));
        ui.answer({true});
        QVERIFY(statuschange::changeStatus(m.dm, statuschange::Status::OnTheJob));
        QCOMPARE(ui.texts(), (QStringList{"确定要将该人员状态转变为复职吗?", "操作成功，该人员状态已经转为复职！"}));
        QCOMPARE(m.storedStatus("A001"), 1);
        QCOMPARE(m.listed(), QStringList{"A003"});
    }

    void answeringNoChangesNothing()
    {
        Module m;
        ScriptedInteraction ui;
        ui.answer({false});
        QVERIFY(!statuschange::changeStatus(m.dm, statuschange::Status::Departed));
        QCOMPARE(ui.texts(), QStringList{"确定要将该人员状态转变为离职吗?"});
        QCOMPARE(m.storedStatus("A001"), 1);
        QCOMPARE(m.dm.personquery->state(), DatasetState::Browse);
    }

    void refusedWhileThePersonIsEdited_data()
    {
        QTest::addColumn<bool>("inserting");
        QTest::newRow("editing") << false;
        QTest::newRow("new person") << true;
    }
    void refusedWhileThePersonIsEdited()
    {
        QFETCH(bool, inserting);
        Module m;
        ScriptedInteraction ui;
        if (inserting) {
            m.dm.personquery->append();
        } else {
            m.dm.personquery->edit();
            m.dm.personquery->field(QStringLiteral("phone")).setAsString(QStringLiteral("123"));
        }
        QVERIFY(!statuschange::changeStatus(m.dm, statuschange::Status::Departed));
        QCOMPARE(ui.texts(), QStringList{"当前人员资料处于编辑状态，请保存之后再做本项操作！"});
        QCOMPARE(ui.shown[0].kind, Kind::Information);
        QCOMPARE(m.dm.personquery->state(), inserting ? DatasetState::Insert : DatasetState::Edit);
        m.dm.personquery->cancel();
        QCOMPARE(m.storedStatus("A001"), 1);
    }

    void guestAndEmptyListDoNothing()
    {
        Module m;
        ScriptedInteraction ui;
        m.dm.loginright = QStringLiteral("guest");
        QVERIFY(!statuschange::changeStatus(m.dm, statuschange::Status::Departed));
        m.dm.loginright = QStringLiteral("admin");
        m.dm.personquery->setFilter(QStringLiteral("status=3"));
        QVERIFY(m.dm.personquery->isEmpty());
        QVERIFY(!statuschange::changeStatus(m.dm, statuschange::Status::OnTheJob));
        QCOMPARE(ui.texts(), QStringList());
        QCOMPARE(m.dm.db->selectValue(QStringLiteral("SELECT count(*) FROM person")).toInt(), 3);
    }

    void aFailedStoreIsReportedAndForgotten()
    {
        Module m(QStringLiteral("CREATE TRIGGER nostatus BEFORE UPDATE OF status ON person"
                                " BEGIN SELECT RAISE(ABORT, 'status is locked'); END;"));
        ScriptedInteraction ui;
        ui.answer({true});
        QVERIFY(!statuschange::changeStatus(m.dm, statuschange::Status::Departed));
        QCOMPARE(ui.lastText(), QStringLiteral("操作失败"));
        QCOMPARE(ui.shown.last().kind, Kind::Error);
        QVERIFY(ui.shown.last().caption != interaction::appTitle());
        QVERIFY(!ui.texts().contains(QStringLiteral("操作成功，该人员状态已经转为离职！")));
        // Nothing is left to be stored by the next move.
        QCOMPARE(m.dm.personquery->state(), DatasetState::Browse);
        QCOMPARE(m.dm.personquery->field(QStringLiteral("status")).asInteger(), 1);
        m.dm.db->executeScript(QStringLiteral("DROP TRIGGER nostatus"));
        m.dm.personquery->next();
        QCOMPARE(m.storedStatus("A001"), 1);
        QCOMPARE(m.listed(), (QStringList{"A001", "A002"}));
    }
};

QTEST_GUILESS_MAIN(TestStatusChange)
#include "test_statuschange.moc"
