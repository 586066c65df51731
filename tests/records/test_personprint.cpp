#include "data/dmunit.h"
#include "data/engine/query.h"
#include "platform/paths.h"
#include "records/personprint.h"
#include "support/clirun.h"
#include "support/pdftext.h"
#include "support/testdb.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using pdftext::Word;
using report::Range;

namespace {

constexpr double kPageWidth = 210 / 25.4 * 96;
constexpr double kPageHeight = 297 / 25.4 * 96;
constexpr double kMargin = 2 / 2.54 * 96;

// A001 has a row in every detail list, A002 in two of them, A003 in none; A"4 has a quote.
const char* const kRows =
    "INSERT INTO person(ID,name,status) VALUES ('A001','张伟',1),('A002','李娜',1),('A003','张敏',1),"
    " ('B001','王强',2),('A\"4','赵丽',1);"
    "INSERT INTO family(id,name,relation,date) VALUES ('A001','张父','父亲','1950-02-03'),"
    " ('A002','李母','母亲','1955-04-05');"
    "INSERT INTO history(id,date1,date2,company) VALUES ('A001','1998-07-01','2003-02-28','第一机床厂'),"
    " ('A002','2001-01-01',NULL,'纺织厂');"
    "INSERT INTO honor(id,sorts,date1,reason1) VALUES ('A001','嘉奖','2005-05-01','技术革新');"
    "INSERT INTO assess(id,tech,mode) VALUES ('A001','工程师','评审');"
    "INSERT INTO train(id,mode,subject) VALUES ('A001','脱产','焊接');"
    "INSERT INTO contracts(person_id,contract_no,name) VALUES ('A001','HT-01','劳动合同');"
    "INSERT INTO redeployments(person_id,date,category,from_value,to_value) VALUES"
    " ('A001','2006-01-01','部门','一车间','二车间');";

/// The page on which a word stands first, 0 when it is nowhere.
int pageOf(const QList<Word>& words, const QString& text)
{
    for (const Word& word : words) {
        if (word.text == text) {
            return word.page;
        }
    }
    return 0;
}

} // namespace

/// The printed tables of the detail pages, the whole archive of a person, and the card command
/// of roster-cli, rendered to PDF and read back.
class TestPersonPrint : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void detailTableOfEachPage_data();
    void detailTableOfEachPage();
    void detailTableFrameAtItsPlaces();
    void wholeArchiveListsOnlyTheNonEmptyTables_data();
    void wholeArchiveListsOnlyTheNonEmptyTables();
    void everyCardFollowedByItsOwnLists();
    void selectPersonFindsAnyStatus_data();
    void selectPersonFindsAnyStatus();
    void cliCardsOfTheSampleInstallation();
    void cliFailures_data();
    void cliFailures();

private:
    void moveTo(const QString& id);
    QList<Word> render(const report::Report& report, int* pages = nullptr);

    QTemporaryDir m_out;
    std::unique_ptr<testdb::TempFile> m_file;
    std::unique_ptr<Tdm> m_dm;
};

void TestPersonPrint::initTestCase()
{
    report::installFontSubstitutes();
}

void TestPersonPrint::init()
{
    m_file = std::make_unique<testdb::TempFile>(QString::fromUtf8(kRows));
    paths::setAppPath(m_file->folder());
    m_dm = std::make_unique<Tdm>();
    m_dm->db->setFileName(m_file->path());
    m_dm->personquery->open();
    moveTo("A001");
}

void TestPersonPrint::moveTo(const QString& id)
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

void TestPersonPrint::cleanup()
{
    m_dm.reset();
    m_file.reset();
}

QList<Word> TestPersonPrint::render(const report::Report& report, int* pages)
{
    const QString file = m_out.filePath(QStringLiteral("print.pdf"));
    report::writePdf(report, file);
    if (pages) {
        *pages = pdftext::pageCount(file);
    }
    return pdftext::words(file);
}

void TestPersonPrint::detailTableOfEachPage_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("headings");
    QTest::addColumn<QStringList>("cells");
    QTest::newRow("1 family") << 1 << "家庭成员报表" << QStringList{"成员姓名", "与本人关系", "出生日期"}
                              << QStringList{"张父", "父亲", "1950-02-03"};
    QTest::newRow("2 history") << 2 << "工作经历报表" << QStringList{"开始时间", "结束时间", "工作单位"}
                               << QStringList{"1998-07-01", "2003-02-28", "第一机床厂"};
    QTest::newRow("3 honours") << 3 << "奖惩记录报表" << QStringList{"奖惩种类", "奖惩日期", "奖惩原因"}
                               << QStringList{"嘉奖", "2005-05-01", "技术革新"};
    QTest::newRow("4 titles") << 4 << "职称评定报表" << QStringList{"专业技术资格名", "取得方式"}
                              << QStringList{"工程师", "评审"};
    QTest::newRow("5 training") << 5 << "培训纪录报表" << QStringList{"培训方式", "所学专业"}
                                << QStringList{"脱产", "焊接"};
    QTest::newRow("6 contracts") << 6 << "合同" << QStringList{"合同编号", "合同名称"}
                                 << QStringList{"HT-01", "劳动合同"};
    QTest::newRow("7 redeployments") << 7 << "调动记录报表" << QStringList{"日期", "类别", "调动前", "调动后"}
                                     << QStringList{"2006-01-01", "部门", "一车间", "二车间"};
}

void TestPersonPrint::detailTableOfEachPage()
{
    QFETCH(int, page);
    QFETCH(QString, title);
    QFETCH(QStringList, headings);
    QFETCH(QStringList, cells);
    m_dm->selectdetail(page);
    const auto table = personprint::detailTable(
        page, "A001", "张伟", personprint::shownRows(*m_dm->detailQuery(page), page), QDate(2009, 1, 2));
    int pages = 0;
    const QList<Word> words = render(*table, &pages);
    QCOMPARE(pages, 1);
    QCOMPARE(pdftext::count(words, title), 1);
    // Headings and cells stand left to right in the grid's order, the cells under the headings.
    double x = 0;
    for (const QString& heading : headings) {
        const Word word = pdftext::find(words, heading);
        QVERIFY2(word.page == 1 && word.box.left() > x, qPrintable(heading));
        x = word.box.left();
    }
    const double headingBottom = pdftext::find(words, headings.first()).box.bottom();
    x = 0;
    for (const QString& cell : cells) {
        const Word word = pdftext::find(words, cell);
        QVERIFY2(word.page == 1 && word.box.left() > x && word.box.top() > headingBottom, qPrintable(cell));
        x = word.box.left();
    }
}

void TestPersonPrint::detailTableFrameAtItsPlaces()
{
    m_dm->selectdetail(2);
    const auto table =
        personprint::detailTable(2, "A001", "张伟", personprint::shownRows(*m_dm->histquery, 2), QDate(2009, 1, 2));
    const QList<Word> words = render(*table);
    QVERIFY(pdftext::pageText(words, 1).startsWith(QStringLiteral("编号: A001 姓名: 张伟 工作经历报表 ") +
                                                   QString(29, u'=')));

    const Word header = pdftext::find(words, "编号:");
    QVERIFY(qAbs(header.box.left() - kMargin) < 2);
    QVERIFY(qAbs(header.box.top() - kMargin) < 4);
    const Word title = pdftext::find(words, "工作经历报表");
    QVERIFY(qAbs(title.box.center().x() - kPageWidth / 2) < 3);
    QVERIFY(title.box.height() > header.box.height() * 1.4); // 15 pt against 9 pt
    QCOMPARE(pdftext::find(words, QString(29, u'=')).page, 1);
    const Word footer = pdftext::find(words, "打印日期:2009-01-02");
    QCOMPARE(footer.page, 1);
    QVERIFY(qAbs(footer.box.right() - (kPageWidth - kMargin)) < 3);
    QVERIFY(qAbs(footer.box.bottom() - (kPageHeight - kMargin)) < 5);
    QCOMPARE(footer.box.height(), header.box.height());
    // The first column stands at the left margin at its screen width of 80.
    QVERIFY(qAbs(pdftext::find(words, "开始时间").box.center().x() - (kMargin + 40)) < 2);
    QVERIFY(qAbs(pdftext::find(words, "结束时间").box.center().x() - (kMargin + 120)) < 2);
}

void TestPersonPrint::wholeArchiveListsOnlyTheNonEmptyTables_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("every list") << "A001" << QStringList{"家庭成员报表", "工作经历报表", "奖惩记录报表", "职称评定报表",
                                                         "培训纪录报表", "合同",         "调动记录报表"};
    QTest::newRow("two lists") << "A002" << QStringList{"家庭成员报表", "工作经历报表"};
    QTest::newRow("no lists") << "A003" << QStringList{};
}

void TestPersonPrint::wholeArchiveListsOnlyTheNonEmptyTables()
{
    QFETCH(QString, id);
    QFETCH(QStringList, titles);
    moveTo(id);
    int pages = 0;
    const QList<Word> words = render(*personprint::cards(*m_dm, Range::Current, QDate(2009, 1, 2), true), &pages);
    QCOMPARE(pages, 1 + titles.size());
    QCOMPARE(pageOf(words, "职工人事档案报表"), 1);
    for (int i = 0; i < titles.size(); ++i) {
        QCOMPARE(pageOf(words, titles[i]), i + 2);
        QCOMPARE(pdftext::find(words, id, i + 2).page, i + 2); // the header names the person
    }
}

void TestPersonPrint::everyCardFollowedByItsOwnLists()
{
    m_dm->personquery->setMacro("where", "WHERE ID IN (\"A002\", \"A003\")");
    m_dm->personquery->close();
    m_dm->personquery->open();
    int pages = 0;
    const QList<Word> words = render(*personprint::cards(*m_dm, Range::All, QDate(2009, 1, 2), true), &pages);
    QCOMPARE(pages, 4);
    const QStringList expected{"A002 职工人事档案报表", "A002 家庭成员报表 李母", "A002 工作经历报表 纺织厂",
                               "A003 职工人事档案报表"};
    for (int page = 1; page <= 4; ++page) {
        const QString text = pdftext::pageText(words, page);
        for (const QString& part : expected[page - 1].split(u' ')) {
            QVERIFY2(text.contains(part), qPrintable(QStringLiteral("page %1: %2").arg(page).arg(text)));
        }
        QVERIFY(!text.contains(page < 4 ? "A003" : "A002"));
    }
    QCOMPARE(pdftext::count(words, "第4页", 4), 1);
}

void TestPersonPrint::selectPersonFindsAnyStatus_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("found");
    QTest::newRow("on the job") << "A002" << 1;
    QTest::newRow("departed") << "B001" << 1;
    QTest::newRow("quote in the number") << "A\"4" << 1;
    QTest::newRow("unknown") << "Z999" << 0;
    QTest::newRow("no prefix match") << "A00" << 0;
}

void TestPersonPrint::selectPersonFindsAnyStatus()
{
    QFETCH(QString, id);
    QFETCH(int, found);
    personprint::selectPerson(*m_dm->personquery, id);
    QCOMPARE(m_dm->personquery->rowCount(), found);
    if (found) {
        QCOMPARE(m_dm->personquery->field("id").asString(), id);
    }
}

void TestPersonPrint::cliCardsOfTheSampleInstallation()
{
    testdb::TempFile sample({}, true);
    engine::Database db;
    db.open(sample.path());
    const int onTheJob = db.selectValue("SELECT count(*) FROM person WHERE status = 1").toInt();
    const QString firstId = db.selectValue("SELECT ID FROM person WHERE status = 1 ORDER BY ID").toString();
    db.close();
    QVERIFY(onTheJob > 1);

    const QString all = m_out.filePath("all.pdf");
    clirun::Result r = clirun::run({"card", "--all", "--pdf", all, "--home", sample.folder()});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(pdftext::pageCount(all), onTheJob);
    const QList<Word> words = pdftext::words(all);
    QCOMPARE(pdftext::count(words, firstId, 1), 2);

    const QString one = m_out.filePath("one.pdf");
    r = clirun::run({"card", "--id", firstId, "--full", "--pdf", one, "--home", sample.folder()});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(pdftext::pageCount(one) > 1);
    QCOMPARE(pageOf(pdftext::words(one), "家庭成员报表"), 2);
}

void TestPersonPrint::cliFailures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown number") << QStringList{"--id", "Z999"} << 1 << "没有工号为“Z999”的人员";
    QTest::newRow("no range") << QStringList{} << 2 << "usage: roster-cli card";
    QTest::newRow("both ranges") << QStringList{"--id", "A001", "--all"} << 2 << "usage: roster-cli card";
    QTest::newRow("unknown option") << QStringList{"--all", "--colour"} << 2 << "unknown argument --colour";
}

void TestPersonPrint::cliFailures()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const QString pdf = m_out.filePath("failed.pdf");
    const clirun::Result r = clirun::run(QStringList{"card", "--pdf", pdf, "--home", m_file->folder()} + arguments);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY(!QFile::exists(pdf));
}

QTEST_MAIN(TestPersonPrint)
#include "test_personprint.moc"
