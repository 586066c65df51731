#include "platform/interaction.h"
#include "support/scriptedinteraction.h"

#include <QTest>

class TestInteraction : public QObject
{
    Q_OBJECT

private slots:
    void messageBoxesCarryTheApplicationTitle()
    {
        ScriptedInteraction ui;
        interaction::setAppTitle("人事档案");
        ui.answer({true, false});
        ShowInfo("计算完成！");
        ShowError("出错");
        QVERIFY(AskYesNo("继续？"));
        QVERIFY(!AskYesNo("继续？"));
        StdInfo("保存成功");
        QCOMPARE(ui.texts(), (QStringList{"计算完成！", "出错", "继续？", "继续？", "保存成功"}));
        QCOMPARE(ui.shown.at(0).caption, QString("人事档案"));
        QCOMPARE(ui.shown.at(1).kind, ScriptedInteraction::Kind::Error);
        QCOMPARE(ui.shown.at(4).caption, QString("信息"));
    }

    void unscriptedQuestionThrows()
    {
        ScriptedInteraction ui;
        QVERIFY_THROWS_EXCEPTION(std::logic_error, AskYesNo("?"));
    }

    void filters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qt");
        QTest::newRow("one") << "roster数据库文件(*.dat)|*.dat"
                             << "roster数据库文件 (*.dat)";
        QTest::newRow("two patterns") << "照片文件(*.jpg;*.jpeg)|*.jpeg;*.jpg"
                                      << "照片文件 (*.jpeg *.jpg)";
        QTest::newRow("two entries") << "备份(*.bak)|*.bak|数据库|*.dat"
                                     << "备份 (*.bak);;数据库 (*.dat)";
    }
    void filters()
    {
        QFETCH(QString, filter);
        QFETCH(QString, qt);
        QCOMPARE(interaction::toQtFilter(filter), qt);
    }
};

QTEST_GUILESS_MAIN(TestInteraction)
#include "test_interaction.moc"
