#include "platform/errors.h"
#include "platform/inifile.h"
#include "platform/textfile.h"
#include "records/basedata.h"
#include "records/codelist.h"
#include "records/setdlgform.h"
#include "recordsfixture.h"
#include "support/scriptedinteraction.h"
#include "support/testcontext.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

class TestCodeList : public QObject
{
    Q_OBJECT

private:
    static void setFile(const QString& key, const QString& file)
    {
        ini::writeString(paths::sysinifile(), QStringLiteral("FieldSetFile"), key, file);
    }
    static void add(TSetDlgForm& form, const QString& text)
    {
        form.Edit1->setText(text);
        form.BitBtn1->click();
    }

private slots:
    void fileRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("empty file") << QByteArray() << QStringList() << QByteArray();
        QTest::newRow("last line without a break")
            << QByteArray("\xBA\xBA\xD7\xE5\r\n\xBB\xD8\xD7\xE5") << QStringList{"汉族", "回族"}
            << QByteArray("\xBA\xBA\xD7\xE5\r\n\xBB\xD8\xD7\xE5\r\n");
        QTest::newRow("duplicates and empty lines kept in order")
            << QByteArray("a\r\n\r\na\r\nb\r\n\r\n") << QStringList{"a", "", "a", "b", ""}
            << QByteArray("a\r\n\r\na\r\nb\r\n\r\n");
        QTest::newRow("blanks kept, LF and CR lines")
            << QByteArray(" a \n\tb\rc") << QStringList{" a ", "\tb", "c"} << QByteArray(" a \r\n\tb\r\nc\r\n");
    }
    void fileRoundTrip()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, entries);
        QFETCH(QByteArray, written);
        RecordsHome home;
        const QString path = home.data("list.txt");
        RecordsHome::writeRaw(path, file);
        QCOMPARE(codelist::read(path), entries);
        codelist::write(path, codelist::read(path));
        QCOMPARE(RecordsHome::bytes(path), written);
    }

    void codelistfileGoesThroughFieldSetFile()
    {
        RecordsHome home;
        setFile("folk", "minzu.txt");
        setFile("duty", "");
        QCOMPARE(codelistfile("folk"), home.data("minzu.txt"));
        QCOMPARE(codelistfile("FOLK"), home.data("minzu.txt"));
        // A missing key and an empty value name the data folder, which is no list.
        QCOMPARE(codelistfile("political"), paths::datapath());
        QCOMPARE(codelistfile("duty"), paths::datapath());
        QVERIFY(!codelist::exists(codelistfile("political")));
        QCOMPARE(codelist::read(codelistfile("political")), QStringList());
        QVERIFY_THROWS_EXCEPTION(FileError, codelist::write(codelistfile("political"), {"x"}));
    }

    void editorAddsAndDeletesWithoutChecks()
    {
        RecordsHome home;
        ScriptedInteraction ui;
        TestContext t(ui);
        TSetDlgForm form(t.context);
        add(form, "汉族");
        add(form, "汉族");
        add(form, "");
        QCOMPARE(form.entries(), (QStringList{"汉族", "汉族"}));
        QVERIFY(form.Edit1->text().isEmpty());

        form.ListBox1->clearSelection();
        form.BitBtn2->click();
        QCOMPARE(form.entries().size(), 2);
        form.ListBox1->setCurrentRow(0);
        form.BitBtn2->click();
        QCOMPARE(form.entries(), QStringList{"汉族"});

        // Enter in the window presses "增加".
        form.show();
        form.Edit1->setText("回族");
        QTest::keyClick(form.Edit1, Qt::Key_Return);
        QCOMPARE(form.entries(), (QStringList{"汉族", "回族"}));
    }

    void retargetingFromAnExistingListToAMissingOne()
    {
        RecordsHome home;
        ScriptedInteraction ui;
        setFile("folk", "folk.txt");
        setFile("aboutpay", "aboutpay.txt");
        RecordsHome::writeRaw(home.data("folk.txt"), textfile::encodeGbk("汉族\r\n回族"));
        RecordsHome::writeRaw(home.data("dept.txt"), QByteArray());
        QWidget mainWindow;
        TestContext t(ui);
        t.context.setOwner(&mainWindow);
        TSetDlgForm* form = &t.context.codeListEditor();
        QCOMPARE(form->parent(), &mainWindow);

        openCodeList(t.context, "民族档案设置", "folk");
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(form->windowTitle(), QString("民族档案设置"));
        QCOMPARE(form->listPath(), home.data("folk.txt"));
        QCOMPARE(form->entries(), (QStringList{"汉族", "回族"}));
        add(*form, "满族");

        openCodeList(t.context, "工资类别设置", "aboutpay");
        QCOMPARE(RecordsHome::bytes(home.data("folk.txt")), textfile::encodeGbk("汉族\r\n回族\r\n满族\r\n"));
        QCOMPARE(form->windowTitle(), QString("工资类别设置"));
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(form->entries(), QStringList());
        QVERIFY(!QFile::exists(home.data("aboutpay.txt")));

        form->BitBtn3->click();
        QVERIFY(!form->isVisible());
        QVERIFY(QFile::exists(home.data("aboutpay.txt")));
        QCOMPARE(RecordsHome::bytes(home.data("aboutpay.txt")), QByteArray());
        QCOMPARE(ui.texts(), QStringList());
    }

    void anotherWindowOfTheProgramTakingTheFocusWritesTheList()
    {
        RecordsHome home;
        ScriptedInteraction ui;
        setFile("duty", "duty.txt");
        QWidget other;
        other.resize(200, 100);
        other.show();
        TestContext t(ui);
        TSetDlgForm form(t.context);
        form.openlist("职务类别设置", codelistfile("duty"));
        QVERIFY(QTest::qWaitForWindowActive(&form));
        add(form, "经理");
        QVERIFY(!QFile::exists(home.data("duty.txt")));

        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QCOMPARE(RecordsHome::bytes(home.data("duty.txt")), textfile::encodeGbk("经理\r\n"));

        // Becoming active again loads what the file now holds.
        RecordsHome::writeRaw(home.data("duty.txt"), "a\r\nb\r\n");
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(form.entries(), (QStringList{"a", "b"}));
    }

    void aMissingFieldSetFileEntryFailsOnLeaving()
    {
        RecordsHome home;
        ScriptedInteraction ui;
        TestContext t(ui);
        TSetDlgForm form(t.context);
        form.openlist("政治面貌设置", codelistfile("political"));
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(form.entries(), QStringList());
        QVERIFY_THROWS_EXCEPTION(FileError, form.saveList());

        // Leaving shows the file layer's error; the window still goes away.
        form.close();
        QVERIFY(!form.isVisible());
        QCOMPARE(ui.shown.size(), 1);
        QCOMPARE(ui.shown[0].kind, ScriptedInteraction::Kind::Error);
        QVERIFY(ui.shown[0].text.contains(QDir::toNativeSeparators(paths::datapath())));
    }
};

QTEST_MAIN(TestCodeList)
#include "test_codelist.moc"
