#include "data/dmunit.h"
#include "dataaware/datagrid.h"
#include "dataaware/dateedit.h"
#include "platform/paths.h"
#include "report/report.h"
#include "support/pdfprinting.h"
#include "support/pdftext.h"
#include "support/scriptedinteraction.h"
#include "support/testcontext.h"
#include "support/testdb.h"
#include "tools/taddform.h"
#include "tools/tnoteform.h"
#include "tools/tworkform.h"

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

const char* const kRows = "INSERT INTO addrbook(name,sex,mphone,oicq,email) VALUES"
                          " ('张三','男','139','1001','zs@a.cn'),"
                          " ('李四','女','137','2002','ls@b.cn'),"
                          " ('张明远','男','138','1003','zmy@a.cn'),"
                          " ('王\"五','男','136','','wang@c.cn'),"
                          " ('*号','女','135','','star@c.cn');"
                          "INSERT INTO notepad(date,sort,caption,comments) VALUES"
                          " ('2026-11-02','工作','周会','议程'),"
                          " ('2026-12-05','生活','体检','带卡'),"
                          " ('2026-12-09','工作','报表','月报');";

/// A window context whose data module works on a temporary database with a few entries and notes.
struct Module
{
    explicit Module(interaction::Interaction& ui) : file(QString::fromUtf8(kRows)), test(ui)
    {
        paths::setAppPath(file.folder());
        test.dm.db->setFileName(file.path());
        test.dm.loginright = QStringLiteral("admin");
    }
    int count(const char* table) const
    {
        return test.dm.db->selectValue(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table))).toInt();
    }
    testdb::TempFile file;
    TestContext test;
};

QStringList column(engine::Dataset& data, const QString& field)
{
    QStringList values;
    for (int row = 0; row < data.rowCount(); ++row) {
        values << data.peek(row, data.fieldIndex(field)).toString();
    }
    return values;
}

/// Types a text as the user would (the key simulation knows only ASCII).
void type(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->insert(text);
}

void type(QPlainTextEdit* memo, const QString& text)
{
    memo->setFocus();
    memo->moveCursor(QTextCursor::End);
    memo->insertPlainText(text);
}

void press(QWidget* widget, Qt::Key key)
{
    QTest::keyClick(widget, key);
}

} // namespace

class TestOfficeWindows : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ScriptedInteraction> m_ui;
    std::unique_ptr<Module> m_module;

    Tdm& dm() { return m_module->test.dm; }
    /// The context, with the right of the user logged in.
    WindowContext& context(const char* right = "admin")
    {
        dm().loginright = QString::fromLatin1(right);
        return m_module->test.context;
    }

private slots:
    void init()
    {
        m_ui = std::make_unique<ScriptedInteraction>();
        m_module = std::make_unique<Module>(*m_ui);
    }
    void cleanup()
    {
        m_module.reset();
        m_ui.reset();
    }

    void addressSearch_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("name prefix") << 0 << "张" << QStringList{"张三", "张明远"};
        QTest::newRow("initials search the name") << 1 << "张" << QStringList{"张三", "张明远"};
        QTest::newRow("qq") << 2 << "100" << QStringList{"张三", "张明远"};
        QTest::newRow("email") << 3 << "ls" << QStringList{"李四"};
        QTest::newRow("double quote") << 0 << "王\"" << QStringList{"王\"五"};
        QTest::newRow("wild card kept") << 0 << "*明" << QStringList{"张明远"};
        QTest::newRow("no match") << 0 << "赵" << QStringList{};
    }

    void addressSearch()
    {
        QFETCH(int, choice);
        QFETCH(QString, typed);
        QFETCH(QStringList, names);
        Taddform entry(context());
        Tworkform form(context("admin"), entry);
        QCOMPARE(form.ComboBox1->currentText(), QString("按姓名查询"));
        form.FormActivate();
        form.ComboBox1->setCurrentIndex(choice);
        form.Edit1->setText(typed);
        QStringList found = column(*dm().adbkquery, "name");
        found.sort();
        names.sort();
        QCOMPARE(found, names);
        QVERIFY(m_ui->shown.isEmpty());
        form.Edit1->clear();
        QCOMPARE(dm().adbkquery->rowCount(), 5);
    }

    void invalidPatternLeavesTheList_data()
    {
        QTest::addColumn<bool>("notepad");
        QTest::newRow("address book") << false;
        QTest::newRow("notepad") << true;
    }

    void invalidPatternLeavesTheList()
    {
        QFETCH(bool, notepad);
        Taddform entry(context());
        std::unique_ptr<OfficeListWindow> form;
        if (notepad) {
            form = std::make_unique<Tnoteform>(context("admin"));
        } else {
            form = std::make_unique<Tworkform>(context("admin"), entry);
        }
        engine::Query& query = notepad ? *dm().notequery : *dm().adbkquery;
        form->FormActivate();
        form->ComboBox1->setCurrentIndex(notepad ? 2 : 0);
        form->Edit1->setText(notepad ? "体" : "张");
        const int before = query.rowCount();
        form->Edit1->setText(notepad ? "体[" : "张[");
        QCOMPARE(m_ui->shown.size(), 1);
        QCOMPARE(m_ui->shown.first().kind, ScriptedInteraction::Kind::Error);
        QVERIFY(query.active());
        QCOMPARE(query.rowCount(), before);
    }

    void titleClicksSortAndKeepTheSearch()
    {
        Taddform entry(context());
        Tworkform form(context("admin"), entry);
        form.FormActivate();
        form.Edit1->setText("张");
        const int mobile = 5;
        QCOMPARE(form.DBGridEh1->fieldName(mobile), QString("mphone"));
        form.DBGridEh1TitleBtnClick(mobile);
        QCOMPARE(column(*dm().adbkquery, "mphone"), (QStringList{"138", "139"}));
        form.DBGridEh1TitleBtnClick(mobile);
        QCOMPARE(column(*dm().adbkquery, "mphone"), (QStringList{"139", "138"}));
        form.DBGridEh1TitleBtnClick(mobile); // the mark goes, the order stays
        QCOMPARE(column(*dm().adbkquery, "mphone"), (QStringList{"139", "138"}));
        QCOMPARE(dm().adbkquery->macro("order"), QString("mphone DESC"));
        form.Edit1->clear();
        QCOMPARE(column(*dm().adbkquery, "mphone"), (QStringList{"139", "138", "137", "136", "135"}));
    }

    void threeEntriesInARow()
    {
        Taddform entry(context());
        Tworkform form(context("admin"), entry);
        form.show();
        form.ToolButton1->click();
        QVERIFY(entry.isVisible());
        QCOMPARE(entry.focusWidget(), static_cast<QWidget*>(entry.DBEdit1));
        for (const char* name : {"赵一", "钱二", "孙三"}) {
            type(entry.DBEdit1, QString::fromUtf8(name));
            QTest::keyClicks(entry.DBEdit7, "1380000");
            // Enter ends the field chain on "确认", and Enter there presses it.
            press(entry.DBEdit7, Qt::Key_Return);
            QCOMPARE(entry.focusWidget(), static_cast<QWidget*>(entry.BitBtn1));
            press(entry.BitBtn1, Qt::Key_Return);
            QCOMPARE(entry.Label11->text(), QString("记录已保存,请输入下一条纪录！"));
            QVERIFY(entry.isVisible());
        }
        entry.BitBtn2->click(); // 取消 drops the empty fourth entry
        QVERIFY(!entry.isVisible());
        QCOMPARE(m_module->count("addrbook"), 8);
        QCOMPARE(dm().db->selectValue("SELECT COUNT(*) FROM addrbook WHERE mphone='1380000'").toInt(), 3);
        // Shown again, the information line is empty.
        entry.show();
        QVERIFY(entry.Label11->text().isEmpty());
        entry.hide();
    }

    void changingAnEntryAndTheEnterChain()
    {
        Taddform entry(context());
        Tworkform form(context("admin"), entry);
        form.show();
        form.Edit1->setText("李");
        form.ToolButton2->click();
        QCOMPARE(entry.mode(), Taddform::Mode::Change);
        QCOMPARE(entry.DBEdit1->text(), QString("李四"));
        // Enter walks the fields in their order and ends on "确认".
        QList<QWidget*> visited;
        entry.DBEdit1->setFocus();
        for (int i = 0; i < 8; ++i) {
            press(entry.focusWidget(), Qt::Key_Return);
            visited << entry.focusWidget();
        }
        const QList<QWidget*> chain{entry.DBComboBox1->lineEdit(),
                                    entry.DBEdit2,
                                    entry.DBEdit3,
                                    entry.DBEdit4,
                                    entry.DBEdit5,
                                    entry.DBEdit6,
                                    entry.DBEdit7,
                                    entry.BitBtn1};
        QCOMPARE(visited.size(), chain.size());
        for (int i = 0; i < chain.size(); ++i) {
            QVERIFY2(visited[i] == chain[i] || visited[i]->focusProxy() == chain[i] ||
                         chain[i]->focusProxy() == visited[i] || visited[i] == entry.DBComboBox1,
                     qPrintable(QString::number(i)));
        }
        entry.DBEdit5->selectAll();
        QTest::keyClicks(entry.DBEdit5, "new@b.cn");
        entry.BitBtn1->click();
        QVERIFY(!entry.isVisible());
        QCOMPARE(dm().db->selectValue("SELECT email FROM addrbook WHERE name='李四'").toString(), QString("new@b.cn"));
    }

    void deletingAsksFirst()
    {
        Taddform entry(context());
        Tworkform form(context("admin"), entry);
        form.show();
        m_ui->answer({false, true});
        form.ToolButton3->click();
        QCOMPARE(m_module->count("addrbook"), 5);
        press(form.DBGridEh1, Qt::Key_Delete);
        QCOMPARE(m_module->count("addrbook"), 4);
        QCOMPARE(m_ui->texts(), QStringList(2, "你真的要删除本条记录吗？"));
    }

    void guestsCannotChangeAnything_data()
    {
        QTest::addColumn<bool>("notepad");
        QTest::newRow("address book") << false;
        QTest::newRow("notepad") << true;
    }

    void guestsCannotChangeAnything()
    {
        QFETCH(bool, notepad);
        Taddform entry(context());
        std::unique_ptr<OfficeListWindow> form;
        if (notepad) {
            form = std::make_unique<Tnoteform>(context("guest"));
        } else {
            form = std::make_unique<Tworkform>(context("guest"), entry);
        }
        form->show();
        for (QToolButton* button : {form->ToolButton1, form->ToolButton2, form->ToolButton3}) {
            QVERIFY(!button->isEnabled());
        }
        QVERIFY(form->ToolButton5->isEnabled());
        QCOMPARE(form->DBGridEh1->focusPolicy(), Qt::NoFocus);
        // The grid's keys follow the buttons: no question, no new row, nothing deleted.
        press(form->DBGridEh1, Qt::Key_Insert);
        press(form->DBGridEh1, Qt::Key_Delete);
        form->DBGridEh1->doubleClicked(form->DBGridEh1->model()->index(0, 0));
        QVERIFY(m_ui->shown.isEmpty());
        QVERIFY(!entry.isVisible());
        engine::Query& query = notepad ? *dm().notequery : *dm().adbkquery;
        QCOMPARE(query.state(), engine::DatasetState::Browse);
        QCOMPARE(m_module->count(notepad ? "notepad" : "addrbook"), notepad ? 3 : 5);
        // Searching still works.
        form->Edit1->setText(notepad ? "2026-12" : "张");
        QCOMPARE(query.rowCount(), 2);
    }

    void rightsFollowTheUserLoggedInNow()
    {
        // Each showing reads the right of the user logged in then.
        Taddform entry(context());
        Tworkform book(context("admin"), entry);
        context("guest");
        book.show();
        QVERIFY(!book.ToolButton1->isEnabled());
        QCOMPARE(book.DBGridEh1->focusPolicy(), Qt::NoFocus);
        book.close();
        context("admin");
        book.show();
        QVERIFY(book.ToolButton1->isEnabled() && book.ToolButton2->isEnabled() && book.ToolButton3->isEnabled());
        QVERIFY(book.DBGridEh1->focusPolicy() != Qt::NoFocus);

        Tnoteform notes(context("guest"));
        context("admin");
        notes.show();
        notes.ToolButton1->click();
        notes.applyRights(); // read again while a note is being added
        QVERIFY(!notes.ToolButton1->isEnabled());
        QVERIFY(!notes.ToolButton3->isEnabled());
        QVERIFY(notes.ToolButton2->isEnabled());
        notes.BitBtn2->click();
        QVERIFY(notes.ToolButton1->isEnabled());
    }

    void closingClosesTheQuery()
    {
        Taddform entry(context());
        Tworkform form(context("admin"), entry);
        form.show();
        QVERIFY(dm().adbkquery->active());
        form.ToolButton1->click();
        type(entry.DBEdit1, "未存");
        form.ToolButton5->click(); // 退出
        QVERIFY(!form.isVisible());
        QVERIFY(!entry.isVisible());
        QVERIFY(!dm().adbkquery->active());
        QCOMPARE(m_module->count("addrbook"), 5);
        form.show(); // shown again with its search text
        QVERIFY(dm().adbkquery->active());
        press(form.Edit1, Qt::Key_Escape); // Esc leaves as "退出" does
        QVERIFY(!form.isVisible());
        QVERIFY(!dm().adbkquery->active());
    }

    void openingFailureIsReported()
    {
        dm().db->setFileName(m_module->file.folder() + "/missing.dat");
        Taddform entry(context());
        Tworkform form(context("admin"), entry);
        form.show();
        Tnoteform notes(context("admin"));
        notes.show();
        QCOMPARE(m_ui->texts(), QStringList(2, "打开数据库出错！"));
    }

    void aNewNoteIsDatedToday()
    {
        Tnoteform form(context("admin"));
        QCOMPARE(form.ComboBox1->currentText(), QString("按日期查询"));
        form.show();
        QVERIFY(!form.BitBtn1->isEnabled());
        form.ToolButton1->click();
        QVERIFY(form.editing());
        QCOMPARE(form.DBDateEdit1->date(), QDate::currentDate());
        QCOMPARE(form.focusWidget(), static_cast<QWidget*>(form.DBEdit1));
        // While editing the list and the buttons that would lose the note are disabled.
        QVERIFY(!form.DBGridEh1->isEnabled());
        QVERIFY(!form.ToolButton1->isEnabled());
        QVERIFY(!form.ToolButton3->isEnabled());
        QVERIFY(form.BitBtn1->isEnabled());
        type(form.DBEdit1, "工作");
        press(form.DBEdit1, Qt::Key_Return);
        QCOMPARE(form.focusWidget(), static_cast<QWidget*>(form.DBEdit2));
        type(form.DBEdit2, "新记事");
        press(form.DBEdit2, Qt::Key_Return);
        QCOMPARE(form.focusWidget(), static_cast<QWidget*>(form.DBMemo1));
        form.BitBtn1->click();
        QVERIFY(!form.editing());
        QVERIFY(form.DBGridEh1->isEnabled());
        QCOMPARE(dm().db->selectValue("SELECT date FROM notepad WHERE caption='新记事'").toString(),
                 QDate::currentDate().toString("yyyy-MM-dd"));
    }

    void cancellingANewNoteLeavesNothing()
    {
        Tnoteform form(context("admin"));
        form.show();
        form.ToolButton1->click();
        type(form.DBEdit2, "不要");
        form.BitBtn2->click();
        QVERIFY(!form.editing());
        QCOMPARE(m_module->count("notepad"), 3);
        // Insert in the grid adds as "新增" does; Esc is "取消".
        press(form.DBGridEh1, Qt::Key_Insert);
        QVERIFY(form.adding());
        press(form.DBEdit1, Qt::Key_Escape);
        QVERIFY(!form.editing());
        QVERIFY(form.isVisible());
        QCOMPARE(m_module->count("notepad"), 3);
        // "确认" with no note under way does nothing.
        form.BitBtn1Click();
        QVERIFY(!form.editing());
    }

    void changingANote()
    {
        Tnoteform form(context("admin"));
        form.show();
        form.ComboBox1->setCurrentIndex(2);
        form.Edit1->setText("体");
        form.ToolButton2->click();
        QVERIFY(form.changing());
        QCOMPARE(form.focusWidget(), static_cast<QWidget*>(form.DBMemo1));
        form.DBMemo1->setFocus();
        type(form.DBMemo1, "和表");
        form.BitBtn1->click();
        QVERIFY(!form.changing());
        QCOMPARE(dm().db->selectValue("SELECT comments FROM notepad WHERE caption='体检'").toString(),
                 QString("带卡和表"));
    }

    void notesSearchedByDateTextAndSorted()
    {
        Tnoteform form(context("admin"));
        form.show();
        form.Edit1->setText("2026-12");
        QCOMPARE(column(*dm().notequery, "caption"), (QStringList{"报表", "体检"})); // stored order: date DESC
        form.DBGridEh1TitleBtnClick(2);                                              // code point order: 体 before 报
        QCOMPARE(column(*dm().notequery, "caption"), (QStringList{"体检", "报表"}));
        form.DBGridEh1TitleBtnClick(2);
        QCOMPARE(column(*dm().notequery, "caption"), (QStringList{"报表", "体检"}));
    }

    void addressBookPrintsTheListAsItStands()
    {
        PdfPrinting printing(m_module->test.context);
        dm().db->execute("UPDATE addrbook SET phone1='010-1', phone2='010-2', call='010-3', comments='备注文字'"
                         " WHERE name='张三'");
        Taddform entry(context());
        Tworkform form(context("guest"), entry); // a guest prints as well
        form.show();
        form.Edit1->setText("张");
        form.DBGridEh1TitleBtnClick(0);
        form.ToolButton4->click();
        QCOMPARE(printing.previewed.size(), 1);
        const auto words = pdftext::words(printing.previewed.first());
        const QString page = pdftext::pageText(words, 1);
        for (const char* text : {"我的通讯录", "姓名", "性别", "家庭电话", "工作电话", "联系电话", "手机", "电子邮件",
                                 "张三", "男", "010-1", "010-2", "010-3", "139", "zs@a.cn", "张明远", "第1页"}) {
            QVERIFY2(pdftext::count(words, QString::fromUtf8(text)) >= 1, text);
        }
        QCOMPARE(pdftext::count(words, QString(37, '=')), 1);
        QCOMPARE(pdftext::count(words, "打印日期：" + QDate::currentDate().toString("yyyy-MM-dd")), 1);
        // Only what the search left, in the chosen order; no QQ number, no comments.
        QVERIFY(pdftext::find(words, "张三").box.top() < pdftext::find(words, "张明远").box.top());
        QVERIFY(!page.contains("李四"));
        QVERIFY(!page.contains("1001"));
        QVERIFY(!page.contains("QQ"));
        QVERIFY(!page.contains("备注文字"));
        QCOMPARE(pdftext::pageCount(printing.previewed.first()), 1);
    }

    void longAddressBookRunsOverPages()
    {
        PdfPrinting printing(m_module->test.context);
        for (int i = 0; i < 80; ++i) {
            dm().db->execute(
                QStringLiteral("INSERT INTO addrbook(name) VALUES ('联系人%1')").arg(i, 2, 10, QChar('0')));
        }
        Taddform entry(context());
        Tworkform form(context("admin"), entry);
        form.show();
        form.ToolButton4->click();
        const auto words = pdftext::words(printing.previewed.first());
        const int pages = pdftext::pageCount(printing.previewed.first());
        QVERIFY(pages >= 2);
        QCOMPARE(pdftext::count(words, "我的通讯录", 2), 0);
        QCOMPARE(pdftext::count(words, "姓名", 2), 1); // the column titles head every page
        QCOMPARE(pdftext::count(words, "第2页", 2), 1);
    }

    void notepadPrintsOneNotePerPage()
    {
        PdfPrinting printing(m_module->test.context);
        Tnoteform form(context("admin"));
        form.show();
        form.Edit1->setText("2026-12");
        form.ToolButton4->click();
        const QString file = printing.previewed.first();
        QCOMPARE(pdftext::pageCount(file), 2);
        const auto words = pdftext::words(file);
        // Stored order: the newest first.
        const struct
        {
            const char* sort;
            const char* caption;
            const char* date;
            const char* text;
        } pages[] = {{"工作", "报表", "日期：2026-12-09", "月报"}, {"生活", "体检", "日期：2026-12-05", "带卡"}};
        for (int i = 0; i < 2; ++i) {
            const int number = i + 1;
            QCOMPARE(pdftext::pageText(words, number).left(QString::fromUtf8(pages[i].sort).size() + 2),
                     QString::fromUtf8(pages[i].sort) + " 之");
            for (const char* text : {pages[i].caption, pages[i].date, pages[i].text}) {
                QVERIFY2(pdftext::count(words, QString::fromUtf8(text), number) == 1, text);
            }
            QCOMPARE(pdftext::count(words, QString(26, '='), number), 1);
            QCOMPARE(pdftext::count(words, QString("第%1页").arg(number), number), 1);
            // The date stands at the right, the title across the middle.
            const auto date = pdftext::find(words, QString::fromUtf8(pages[i].date), number);
            QVERIFY(date.box.left() > 400);
        }
    }
};

QTEST_MAIN(TestOfficeWindows)
#include "test_officewindows.moc"
