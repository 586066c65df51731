#include "platform/inifile.h"
#include "platform/textfile.h"
#include "support/scriptedinteraction.h"
#include "tools/toolentries.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using toolentries::ToolEntry;
Q_DECLARE_METATYPE(QList<ToolEntry>)

class TestToolEntries : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_cfg;

    QStringList captionsOf(const QList<toolentries::MenuItem>& items)
    {
        QStringList captions;
        for (const auto& item : items) {
            captions << item.caption;
        }
        return captions;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_cfg = m_dir->filePath("menus.cfg");
    }

    void missingFileGivesNoMenuItemsAndOneEmptyRow()
    {
        QVERIFY(toolentries::menuItems(m_cfg).isEmpty());
        QCOMPARE(toolentries::editorRows(m_cfg), QList<ToolEntry>{ToolEntry{}});
    }

    void savedRowsReadBackAndBecomeMenuItems()
    {
        const QList<ToolEntry> rows{
            {"计算器", "/usr/bin/calc", "-a \"b c\""}, {"", "/tmp/readme.txt", ""}, {"编辑器", "", ""}};
        toolentries::save(m_cfg, rows);
        QCOMPARE(toolentries::editorRows(m_cfg), rows);
        const auto items = toolentries::menuItems(m_cfg);
        // A later row without caption still becomes an item: its number and a full stop.
        QCOMPARE(captionsOf(items), (QStringList{"1.计算器", "2.", "3.编辑器"}));
        QCOMPARE(items.at(2).number, 3);
        // The section name the editor writes, found again by the readers' "itemscount".
        QCOMPARE(textfile::readLines(m_cfg).mid(0, 2), (QStringList{"[Itemscount]", "count=3"}));
    }

    void emptyFirstCaptionDeletesTheFile_data()
    {
        QTest::addColumn<QList<ToolEntry>>("rows");
        QTest::newRow("later rows with captions") << QList<ToolEntry>{{"", "/bin/a", ""}, {"有标题", "/bin/b", ""}};
        QTest::newRow("one empty row") << QList<ToolEntry>{ToolEntry{}};
        QTest::newRow("no rows") << QList<ToolEntry>{};
    }

    void emptyFirstCaptionDeletesTheFile()
    {
        QFETCH(QList<ToolEntry>, rows);
        toolentries::save(m_cfg, {{"旧条目", "/bin/old", ""}});
        QVERIFY(QFile::exists(m_cfg));
        toolentries::save(m_cfg, rows);
        QVERIFY(!QFile::exists(m_cfg));
        QVERIFY(toolentries::menuItems(m_cfg).isEmpty());
    }

    void savingReplacesEveryOldSection()
    {
        toolentries::save(m_cfg, {{"a", "/bin/a", "1"}, {"b", "/bin/b", "2"}, {"c", "/bin/c", "3"}});
        toolentries::save(m_cfg, {{"x", "/bin/x", ""}});
        QCOMPARE(toolentries::editorRows(m_cfg), (QList<ToolEntry>{{"x", "/bin/x", ""}}));
        QCOMPARE(ini::readString(m_cfg, "2", "caption", "<none>"), QString("<none>"));
    }

    void removingRows_data()
    {
        QTest::addColumn<QList<ToolEntry>>("rows");
        QTest::addColumn<int>("index");
        QTest::addColumn<QList<ToolEntry>>("expected");
        const ToolEntry a{"a", "/bin/a", "1"};
        const ToolEntry b{"b", "/bin/b", "2"};
        const ToolEntry c{"c", "/bin/c", "3"};
        QTest::newRow("only row cleared") << QList<ToolEntry>{a} << 0 << QList<ToolEntry>{{"新条目", "", ""}};
        QTest::newRow("middle row") << QList<ToolEntry>{a, b, c} << 1 << QList<ToolEntry>{a, c};
        QTest::newRow("last row") << QList<ToolEntry>{a, b, c} << 2 << QList<ToolEntry>{a, b};
        QTest::newRow("no current row") << QList<ToolEntry>{a, b} << -1 << QList<ToolEntry>{a, b};
    }

    void removingRows()
    {
        QFETCH(QList<ToolEntry>, rows);
        QFETCH(int, index);
        QFETCH(QList<ToolEntry>, expected);
        toolentries::removeRow(rows, index);
        QCOMPARE(rows, expected);
    }

    void aClickStartsWhatTheFileHoldsNow()
    {
        ScriptedInteraction ui;
        textfile::writeLines(m_cfg, {"[Itemscount]", "count=2", "[1]", "caption=计算器", "filename=/bin/echo",
                                     "param=a \"b c\"", "[2]", "caption=", "filename=/tmp/readme.txt", "param=-x"});
        const auto items = toolentries::menuItems(m_cfg);
        toolentries::runEntry(m_cfg, items.at(0).number);
        // The editor changes the file during the run; the old item starts what it holds now.
        toolentries::save(m_cfg, {{"列表", "/bin/ls", "-l"}, {"说明", "/tmp/readme.txt", "-x"}});
        toolentries::runEntry(m_cfg, items.at(0).number);
        // A document is opened with its program; its parameters are not passed.
        toolentries::runEntry(m_cfg, items.at(1).number);
        QCOMPARE(ui.started, (QList<QStringList>{{"/bin/echo", "a", "b c"}, {"/bin/ls", "-l"}}));
        QCOMPARE(ui.opened, QStringList{"/tmp/readme.txt"});
    }

    void theHundredthEntryStartsItsOwnProgram()
    {
        ScriptedInteraction ui;
        QList<ToolEntry> rows;
        for (int i = 1; i <= 100; ++i) {
            rows.append({QString("工具%1").arg(i),
                         i == 10    ? "/bin/true"
                         : i == 100 ? "/bin/echo"
                                    : "/bin/false",
                         QString::number(i)});
        }
        toolentries::save(m_cfg, rows);
        const auto items = toolentries::menuItems(m_cfg);
        QCOMPARE(items.size(), 100);
        QCOMPARE(items.last().caption, QString("100.工具100"));
        toolentries::runEntry(m_cfg, items.last().number);
        QCOMPARE(ui.started, (QList<QStringList>{{"/bin/echo", "100"}}));
    }

    void anEntryWithoutFileStartsNothing()
    {
        ScriptedInteraction ui;
        toolentries::save(m_cfg, {{"空", "", "x"}});
        toolentries::runEntry(m_cfg, 1);
        toolentries::runEntry(m_cfg, 7);
        QVERIFY(ui.started.isEmpty());
        QVERIFY(ui.opened.isEmpty());
    }
};

QTEST_MAIN(TestToolEntries)
#include "test_toolentries.moc"
