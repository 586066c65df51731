#include "app/commands.h"
#include "app/exportcommand.h"
#include "app/tmainform.h"
#include "exchange/texportform.h"
#include "exportfixture.h"
#include "platform/errors.h"
#include "support/scriptedinteraction.h"
#include "support/testcontext.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>

using exporting::Format;
using exporting::Source;
using Rows = QList<QStringList>;

Q_DECLARE_METATYPE(exporting::Format)

namespace {

/// The installation, the scripted seam and a window context whose data module is on the database.
struct Fixture : exportfixture::Folder
{
    Fixture() { exportfixture::connect(context.dm, file); }
    void search(const QString& condition) { exportfixture::search(context.dm, condition); }

    ScriptedInteraction ui;
    TestContext context{ui};
};

void tick(Texportform& form, int row)
{
    form.CheckListBox1->item(row)->setCheckState(Qt::Checked);
}

QRadioButton* formatChoice(Texportform& form, Format format)
{
    switch (format) {
    case Format::Word:
        return form.RadioButton1;
    case Format::Excel:
        return form.RadioButton2;
    default:
        return form.RadioButton3;
    }
}

} // namespace

/// The export wizard over the writers: its pages, its field list, its choices and what an export
/// shows and opens.
class TestExportForm : public QObject
{
    Q_OBJECT

private slots:
    void layout();
    void navigation_data();
    void navigation();
    void selectionFollowsTheList();
    void exports_data();
    void exports();
    void wordWithoutAQuery();
    void unwritable_data();
    void unwritable();
    void closingKeepsTheChoices();
    void mainWindowEntries();
};

void TestExportForm::layout()
{
    Fixture home;
    Texportform form(home.context.context);
    QCOMPARE(form.windowTitle(), QStringLiteral("数据库输出"));
    QCOMPARE(form.size(), QSize(500, 314));
    QCOMPARE(form.Label1->text(), QStringLiteral("欢迎使用roster数据输出向导"));
    QCOMPARE(form.GroupBox1->title(), QStringLiteral("第一步：请选择要输出的类型"));
    QCOMPARE(form.GroupBox2->title(), QStringLiteral("第二步：请选择要输出的字段"));
    QCOMPARE(form.GroupBox3->title(), QStringLiteral("第三步：开始输出"));
    QVERIFY(form.RadioButton1->isChecked());
    QVERIFY(form.RadioButton4->isChecked());
    QCOMPARE(form.RadioButton5->text(), QStringLiteral("查询结果"));
    QVERIFY(form.Memo1->isReadOnly());
    QCOMPARE(form.Memo1->toPlainText().split(u'\n'),
             (QStringList{"注意事项:", "", "如果是数据输出到Word或者Excel格式请先检查", "",
                          "一下你系统中是否装有Microsoft Office系列", "",
                          "软件，如果有，请点击\"数据输出\"按钮，输出数据。"}));
    // The field list in the section's order, all unticked.
    QStringList captions;
    for (int i = 0; i < form.CheckListBox1->count(); ++i) {
        QCOMPARE(form.CheckListBox1->item(i)->checkState(), Qt::Unchecked);
        captions << form.CheckListBox1->item(i)->text();
    }
    QCOMPARE(captions, (QStringList{"工号", "姓名", "出生日期", "家庭住址", "年龄", "无此字段", "空字段"}));
    // The note of the first two pages.
    const auto notes = form.findChildren<QLabel*>();
    QCOMPARE(
        std::count_if(notes.begin(), notes.end(),
                      [](QLabel* l) { return l->text() == QStringLiteral("选择完后请点击“下一步“按钮继续本向导"); }),
        2);
}

void TestExportForm::navigation_data()
{
    QTest::addColumn<QString>("clicks"); // n = 下一步, p = 上一步
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("enabled"); // 上一步, 下一步, 数据输出

    QTest::newRow("at creation") << "" << 0 << "010";
    QTest::newRow("page 2") << "n" << 1 << "110";
    QTest::newRow("page 3: export enabled") << "nn" << 2 << "101";
    QTest::newRow("back from page 3") << "nnp" << 1 << "110";
    QTest::newRow("back to page 1") << "nnpp" << 0 << "010";
}

void TestExportForm::navigation()
{
    QFETCH(QString, clicks);
    QFETCH(int, page);
    QFETCH(QString, enabled);

    Fixture home;
    Texportform form(home.context.context);
    for (const QChar click : clicks) {
        (click == u'n' ? form.BitBtn2 : form.BitBtn1)->click();
    }
    QCOMPARE(form.page(), page);
    QCOMPARE(form.Notebook1->currentIndex(), page);
    const QString state = QString::number(form.BitBtn1->isEnabled()) + QString::number(form.BitBtn2->isEnabled()) +
                          QString::number(form.BitBtn3->isEnabled());
    QCOMPARE(state, enabled);
}

void TestExportForm::selectionFollowsTheList()
{
    Fixture home;
    Texportform form(home.context.context);
    tick(form, 3);
    tick(form, 0);
    tick(form, 2);
    const exporting::Selection selection = form.getinfo();
    QCOMPARE(selection.captions, (QStringList{"工号", "出生日期", "家庭住址"}));
    QCOMPARE(selection.fields, (QStringList{"ID", "birth", "addr"}));
}

void TestExportForm::exports_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("document") << Format::Word << "reports/detail.docx" << QStringList{"创建报表完毕！"};
    QTest::newRow("workbook") << Format::Excel << "reports/detail.xlsx" << QStringList{};
    QTest::newRow("web page") << Format::Web << "reports/detail.htm" << QStringList{};
}

void TestExportForm::exports()
{
    QFETCH(Format, format);
    QFETCH(QString, file);
    QFETCH(QStringList, messages);

    Fixture home;
    ScriptedInteraction& ui = home.ui;
    Texportform form(home.context.context);
    formatChoice(form, format)->setChecked(true);
    tick(form, 1);
    tick(form, 0);
    home.search(QStringLiteral("ID = \"A002\""));
    form.openWith(Source::FoundPersons);
    form.BitBtn2->click();
    form.BitBtn2->click();
    form.BitBtn3->click();

    const QString path = home.folder() + u'/' + file;
    QCOMPARE(ui.opened, QStringList{path});
    QCOMPARE(ui.texts(), messages);
    if (format == Format::Excel) {
        QCOMPARE(exportfixture::workbookRows(exportfixture::readBack(QStringLiteral("xlsx"), path)),
                 (Rows{{"工号", "姓名"}, {"A002", "李四"}}));
    } else if (format == Format::Word) {
        QCOMPARE(exportfixture::documentTable(exportfixture::readBack(QStringLiteral("docx"), path)),
                 (Rows{{"工号", "姓名"}, {"A002", "李四"}}));
    } else {
        QFile page(path);
        QVERIFY(page.open(QIODevice::ReadOnly));
        QVERIFY(page.readAll().contains("    <td >A002</td>\r\n    <td >\xC0\xEE\xCB\xC4</td>\r\n  </tr>\r\n</table>"));
    }
}

void TestExportForm::wordWithoutAQuery()
{
    Fixture home;
    ScriptedInteraction& ui = home.ui;
    Texportform form(home.context.context);
    tick(form, 0);
    form.openWith(Source::FoundPersons);
    form.BitBtn3Click();
    QCOMPARE(ui.texts(), QStringList{"没找到任何查询数据！"});
    QVERIFY(ui.opened.isEmpty());
    QVERIFY(!QFile::exists(exporting::defaultPath(Format::Word)));
}

void TestExportForm::unwritable_data()
{
    QTest::addColumn<Format>("format");
    QTest::newRow("document") << Format::Word;
    QTest::newRow("workbook") << Format::Excel;
    QTest::newRow("web page") << Format::Web;
}

void TestExportForm::unwritable()
{
    QFETCH(Format, format);
    Fixture home;
    ScriptedInteraction& ui = home.ui;
    // The reports folder is a file: nothing can be written below it.
    QVERIFY(QDir(home.folder()).rmdir(QStringLiteral("reports")));
    textfile::writeLines(home.folder() + QStringLiteral("/reports"), {});
    Texportform form(home.context.context);
    formatChoice(form, format)->setChecked(true);
    tick(form, 0);
    bool thrown = false;
    try {
        form.BitBtn3Click();
    } catch (const FileError&) {
        thrown = true;
    }
    // The document says so itself; the other two reach the default error display.
    QCOMPARE(thrown, format != Format::Word);
    QCOMPARE(ui.texts(), format == Format::Word ? QStringList{"数据导出过程出现错误，中断数据导出"} : QStringList{});
    QVERIFY(ui.opened.isEmpty());
}

void TestExportForm::closingKeepsTheChoices()
{
    Fixture home;
    Texportform form(home.context.context);
    form.openWith(Source::FoundPersons);
    QVERIFY(form.isVisible());
    QVERIFY(!form.isModal());
    QCOMPARE(form.source(), Source::FoundPersons);
    form.RadioButton3->setChecked(true);
    tick(form, 4);
    form.BitBtn2->click();
    form.BitBtn4->click();
    QVERIFY(!form.isVisible());

    form.openWith(Source::AllPersons);
    QVERIFY(form.isVisible());
    QCOMPARE(form.page(), 1);
    QCOMPARE(form.format(), Format::Web);
    QCOMPARE(form.source(), Source::AllPersons);
    QCOMPARE(form.getinfo().captions, QStringList{"年龄"});
}

void TestExportForm::mainWindowEntries()
{
    Fixture home;
    Tmainform mainform(home.context.context);
    home.context.context.setOwner(&mainform);
    QAction* entry = mainform.commandAction(command::Export);
    QCOMPARE(entry->text(), QStringLiteral("档案数据导出(&E)"));
    QCOMPARE(entry->shortcut(), QKeySequence(QStringLiteral("F5")));
    QVERIFY(!entry->isEnabled());
    bindExportCommand(mainform);
    QVERIFY(entry->isEnabled());

    // The search window opens the one wizard with the found persons; the main window's entries
    // (the menu, the toolbar and navigation command 28 fire the same action) with every person.
    Texportform& wizard = home.context.context.exportForm();
    QCOMPARE(wizard.parentWidget(), &mainform);
    wizard.openWith(Source::FoundPersons);
    wizard.hide();
    mainform.runlink(28);
    QCOMPARE(&home.context.context.exportForm(), &wizard);
    QVERIFY(wizard.isVisible());
    QCOMPARE(wizard.source(), Source::AllPersons);
}

QTEST_MAIN(TestExportForm)
#include "test_exportform.moc"
