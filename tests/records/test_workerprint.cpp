#include "app/windowcontext.h"
#include "data/dmunit.h"
#include "data/engine/query.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "records/tworkerform.h"
#include "report/report.h"
#include "support/pdfprinting.h"
#include "support/pdftext.h"
#include "support/scriptedinteraction.h"
#include "support/testdb.h"

#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using pdftext::Word;

namespace {

const char* const kRows = "INSERT INTO person(ID,name,status) VALUES ('A001','张伟',1),('A002','李娜',1),"
                          " ('A003','张敏',1),('B001','王强',2);"
                          "INSERT INTO history(id,date1,company) VALUES ('A001','1998-07-01','第一机床厂'),"
                          " ('A002','2001-01-01','纺织厂');";

QStringList entries(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        texts << action->text();
    }
    return texts;
}

/// The person numbers on the pages of a printed document, one list per page.
QList<QStringList> idsByPage(const QString& pdf)
{
    const QList<Word> words = pdftext::words(pdf);
    QList<QStringList> pages(pdftext::pageCount(pdf));
    for (const Word& word : words) {
        if (QRegularExpression(QStringLiteral("^[AB]00\\d$")).match(word.text).hasMatch() &&
            !pages[word.page - 1].contains(word.text)) {
            pages[word.page - 1] << word.text;
        }
    }
    return pages;
}

} // namespace

/// The browser's print buttons: enabled by page, their menus on the person page, and what each
/// entry sends to the preview or the printer.
class TestWorkerPrint : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void buttonsByPageAndRight_data();
    void buttonsByPageAndRight();
    void menusOfThePersonPage();
    void menuEntriesPrintTheirRange_data();
    void menuEntriesPrintTheirRange();
    void detailPageButtonsPrintItsTable_data();
    void detailPageButtonsPrintItsTable();
    void noPrinter();

private:
    void open(const QString& right);
    void moveTo(const QString& id);

    std::unique_ptr<testdb::TempFile> m_file;
    std::unique_ptr<Tdm> m_dm;
    std::unique_ptr<ScriptedInteraction> m_seam;
    std::unique_ptr<WindowContext> m_context;
    std::unique_ptr<Tworkerform> m_form;
    std::unique_ptr<PdfPrinting> m_printing;
};

void TestWorkerPrint::initTestCase()
{
    report::installFontSubstitutes();
}

void TestWorkerPrint::init()
{
    m_file = std::make_unique<testdb::TempFile>(QString::fromUtf8(kRows));
    paths::setAppPath(m_file->folder());
    QDir(m_file->folder()).mkpath("data");
    textfile::writeLines(paths::sysinifile(), {"[FilterItemList]", "姓名=name"});
    m_dm = std::make_unique<Tdm>();
    m_dm->db->setFileName(m_file->path());
    m_dm->clock = [] { return QDateTime(QDate(2010, 1, 2), QTime(9, 0)); };
    m_seam = std::make_unique<ScriptedInteraction>();
    m_context = std::make_unique<WindowContext>(*m_dm, *m_seam);
    m_printing = std::make_unique<PdfPrinting>(*m_context);
}

void TestWorkerPrint::cleanup()
{
    m_form.reset();
    m_printing.reset();
    m_context.reset();
    m_seam.reset();
    m_dm.reset();
    m_file.reset();
}

void TestWorkerPrint::open(const QString& right)
{
    m_dm->loginright = right;
    m_form = std::make_unique<Tworkerform>(*m_context);
    m_form->show();
}

void TestWorkerPrint::moveTo(const QString& id)
{
    engine::Query& persons = *m_dm->personquery;
    for (int row = 0; row < persons.rowCount(); ++row) {
        if (persons.peek(row, persons.fieldIndex("ID")).toString() == id) {
            persons.moveTo(row);
            return;
        }
    }
    QFAIL(qPrintable("no person " + id));
}

void TestWorkerPrint::buttonsByPageAndRight_data()
{
    QTest::addColumn<QString>("right");
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("menus");
    QTest::newRow("admin, person page") << "admin" << 0 << true << true;
    QTest::newRow("admin, family") << "admin" << 1 << true << false;
    QTest::newRow("admin, redeployments") << "admin" << 7 << true << false;
    QTest::newRow("admin, notes") << "admin" << 8 << false << false;
    QTest::newRow("guest, person page") << "guest" << 0 << true << true;
    QTest::newRow("guest, contracts") << "guest" << 6 << true << false;
    QTest::newRow("guest, notes") << "guest" << 8 << false << false;
}

void TestWorkerPrint::buttonsByPageAndRight()
{
    QFETCH(QString, right);
    QFETCH(int, page);
    QFETCH(bool, enabled);
    QFETCH(bool, menus);
    open(right);
    m_form->setActivePage(8); // from the notes page back: enabling follows the page
    m_form->setActivePage(page);
    QCOMPARE(m_form->previewButton->isEnabled(), enabled);
    QCOMPARE(m_form->printButton->isEnabled(), enabled);
    QCOMPARE(m_form->previewButton->menu() != nullptr, menus);
    QCOMPARE(m_form->printButton->menu() != nullptr, menus);
}

void TestWorkerPrint::menusOfThePersonPage()
{
    open("admin");
    QCOMPARE(entries(m_form->previewButton->menu()),
             (QStringList{"打印预览当前记录", "打印预览全部记录", "打印完整档案"}));
    QCOMPARE(entries(m_form->printButton->menu()), (QStringList{"打印当前记录", "打印全部记录", "打印完整档案"}));
}

void TestWorkerPrint::menuEntriesPrintTheirRange_data()
{
    QTest::addColumn<bool>("toPrinter");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QList<QStringList>>("pages");
    // The list is filtered to the persons named 张; A003 is current.
    const QList<QStringList> current{{"A003"}};
    const QList<QStringList> listed{{"A001"}, {"A003"}};
    for (bool toPrinter : {false, true}) {
        const char* where = toPrinter ? "print" : "preview";
        QTest::addRow("%s current", where) << toPrinter << 0 << current;
        QTest::addRow("%s all listed", where) << toPrinter << 1 << listed;
        QTest::addRow("%s archive", where) << toPrinter << 2 << current;
    }
}

void TestWorkerPrint::menuEntriesPrintTheirRange()
{
    QFETCH(bool, toPrinter);
    QFETCH(int, entry);
    QFETCH(QList<QStringList>, pages);
    open("guest");
    m_form->fieldChosen(0);
    m_form->valueChanged("张");
    moveTo("A003");
    QMenu* menu = toPrinter ? m_form->printButton->menu() : m_form->previewButton->menu();
    menu->actions().at(entry)->trigger();
    const QStringList& sent = toPrinter ? m_printing->printed : m_printing->previewed;
    QCOMPARE(sent.size(), 1);
    QCOMPARE((toPrinter ? m_printing->previewed : m_printing->printed).size(), 0);
    QCOMPARE(idsByPage(sent[0]), pages);
    QCOMPARE(m_dm->personquery->field("id").asString(), QStringLiteral("A003"));
}

void TestWorkerPrint::detailPageButtonsPrintItsTable_data()
{
    QTest::addColumn<bool>("toPrinter");
    QTest::newRow("preview") << false;
    QTest::newRow("print") << true;
}

void TestWorkerPrint::detailPageButtonsPrintItsTable()
{
    QFETCH(bool, toPrinter);
    open("admin");
    moveTo("A002");
    m_form->setActivePage(2);
    (toPrinter ? m_form->printButton : m_form->previewButton)->click();
    const QStringList& sent = toPrinter ? m_printing->printed : m_printing->previewed;
    QCOMPARE(sent.size(), 1);
    const QList<Word> words = pdftext::words(sent[0]);
    const QString text = pdftext::pageText(words, 1);
    QVERIFY2(text.startsWith("编号: A002 姓名: 李娜 工作经历报表"), qPrintable(text));
    QVERIFY(text.endsWith("打印日期:2010-01-02"));
    // The current person's row only, under the headings.
    const Word date = pdftext::find(words, "2001-01-01");
    const Word company = pdftext::find(words, "纺织厂");
    QVERIFY(date.page == 1 && company.page == 1);
    QVERIFY(qAbs(date.box.center().y() - company.box.center().y()) < 3);
    QVERIFY(date.box.top() > pdftext::find(words, "开始时间").box.bottom());
    QVERIFY(!text.contains("第一机床厂"));
}

void TestWorkerPrint::noPrinter()
{
    ScriptedInteraction& ui = *m_seam;
    m_printing->noPrinter = true;
    open("admin");
    for (int entry = 0; entry < 3; ++entry) {
        m_form->printButton->menu()->actions().at(entry)->trigger();
    }
    QCOMPARE(ui.texts(), QStringList(3, "请按装打印机！"));
    QCOMPARE(ui.shown.first().kind, ScriptedInteraction::Kind::Error);
    // A table has no handler of its own: the failure goes on to the default error display.
    ui.clear();
    m_form->setActivePage(1);
    m_form->printButton->click();
    QCOMPARE(ui.texts(), QStringList{"没有安装打印机"});
}

QTEST_MAIN(TestWorkerPrint)
#include "test_workerprint.moc"
