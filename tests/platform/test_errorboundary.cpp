#include "platform/errorboundary.h"
#include "platform/errors.h"
#include "support/scriptedinteraction.h"

#include <QObject>
#include <QTest>

#include <stdexcept>

namespace {

/// A sender with a signal that carries an argument, as the toolkit's signals do.
class Sender : public QObject
{
    Q_OBJECT

signals:
    void fired(int value);
};

enum class Failure
{
    None,
    Roster,
    Standard,
    Abort
};

void fail(Failure failure)
{
    switch (failure) {
    case Failure::None:
        return;
    case Failure::Roster:
        throw FileError(QStringLiteral("无法写入文件 a.txt"));
    case Failure::Standard:
        throw std::runtime_error("bad_alloc-like failure");
    case Failure::Abort:
        throw AbortOp();
    }
}

} // namespace

/// The one error boundary: nothing escapes a guarded slot, failures are shown as the default error
/// display shows them, an abort is silent, and an ignored failure still reaches qWarning.
class TestErrorBoundary : public QObject
{
    Q_OBJECT

private slots:
    void guardedSlots_data()
    {
        QTest::addColumn<int>("failure");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("ranToTheEnd");
        QTest::newRow("no failure") << int(Failure::None) << QStringList() << true;
        QTest::newRow("the system's error shows its message")
            << int(Failure::Roster) << QStringList{QStringLiteral("无法写入文件 a.txt")} << false;
        QTest::newRow("any std::exception shows its text")
            << int(Failure::Standard) << QStringList{QStringLiteral("bad_alloc-like failure")} << false;
        QTest::newRow("an abort says nothing") << int(Failure::Abort) << QStringList() << false;
    }

    void guardedSlots()
    {
        QFETCH(int, failure);
        QFETCH(QStringList, shown);
        QFETCH(bool, ranToTheEnd);
        ScriptedInteraction ui;
        Sender sender;
        QList<int> received;
        bool finished = false;
        // One slot takes the signal's argument, one takes none; both run behind the boundary.
        QObject::connect(&sender, &Sender::fired, &sender, guarded([&](int value) {
            received << value;
            fail(Failure(failure));
            finished = true;
        }));
        QObject::connect(&sender, &Sender::fired, &sender, guarded([&] { received << -1; }));
        emit sender.fired(7); // would terminate the test if anything escaped
        QCOMPARE(received, (QList<int>{7, -1}));
        QCOMPARE(finished, ranToTheEnd);
        QCOMPARE(ui.texts(), shown);
        for (const ScriptedInteraction::Shown& s : ui.shown) {
            QCOMPARE(s.kind, ScriptedInteraction::Kind::Error);
        }
        QCOMPARE(runGuarded([&] { fail(Failure(failure)); }), ranToTheEnd);
    }

    void guardedMemberFunctionTakesTheArgumentsItDeclares()
    {
        ScriptedInteraction ui;
        struct Target
        {
            QList<int> seen;
            int calls = 0;
            void withValue(int v) { seen << v; }
            void withoutValue()
            {
                ++calls;
                throw RosterError(QStringLiteral("不能删除"));
            }
        } target;
        Sender sender;
        QObject::connect(&sender, &Sender::fired, &sender, guarded(&target, &Target::withValue));
        QObject::connect(&sender, &Sender::fired, &sender, guarded(&target, &Target::withoutValue));
        emit sender.fired(3);
        emit sender.fired(4);
        QCOMPARE(target.seen, (QList<int>{3, 4}));
        QCOMPARE(target.calls, 2);
        QCOMPARE(ui.texts(), (QStringList{QStringLiteral("不能删除"), QStringLiteral("不能删除")}));
    }

    void ignoredFailuresGoToTheWarningsOnly()
    {
        ScriptedInteraction ui;
        QTest::ignoreMessage(QtWarningMsg, "storing a row: 无法写入文件 a.txt");
        QVERIFY(!ignoreErrors("storing a row", [] { fail(Failure::Roster); }));
        QVERIFY(!ignoreErrors("storing a row", [] { fail(Failure::Abort); })); // an abort is no failure to log
        QVERIFY(ignoreErrors("storing a row", [] {}));
        QVERIFY(ui.shown.isEmpty());
    }
};

QTEST_MAIN(TestErrorBoundary)
#include "test_errorboundary.moc"
