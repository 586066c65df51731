#include "data/dmunit.h"
#include "data/engine/query.h"
#include "platform/paths.h"
#include "records/cardreport.h"
#include "support/pdftext.h"
#include "support/testdb.h"

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

using pdftext::Word;
using report::Range;

namespace {

const char* const kPersons =
    "INSERT INTO person(ID,name,sex,folk,native,birth,age,ismarry,cardID,education,political,phone,call,mphone,"
    "date1,workage,date2,hereworkage,addr,school,dept,isworker,aboutpay,duty,technical,comments,status) VALUES"
    " ('A001','张伟','男','汉族','河北石家庄','1980-06-15',45,'已婚','130102198006150011','本科','中共党员',"
    "'0311-1234567','0311-7654321','13900001111','2000-07-01',25,'2003-03-01',22,'石家庄市长安区建设路8号',"
    "'河北师范大学','销售部','正式工','一类','经理','工程师','第一行备注',1),"
    " ('A002','李娜','女',NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,"
    "NULL,NULL,NULL,NULL,NULL,NULL,1),"
    " ('A003','张敏','女',NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,"
    "NULL,NULL,NULL,NULL,NULL,NULL,1),"
    " ('B001','王强','男',NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,"
    "NULL,NULL,NULL,NULL,NULL,NULL,2);";

const QDate kPrintDate(2009, 6, 15);

QByteArray jpeg(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

/// The words of one page inside a box of the layout.
QStringList wordsInside(const QList<Word>& words, int page, const QRectF& box)
{
    QStringList inside;
    for (const Word& word : words) {
        if (word.page == page && box.contains(word.box.center())) {
            inside << word.text;
        }
    }
    return inside;
}

} // namespace

/// The personnel card rendered to PDF and read back with its positions.
class TestCardReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void everyListedPersonOnePageInListOrder_data();
    void everyListedPersonOnePageInListOrder();
    void currentRangePrintsTheCurrentPersonOnly();
    void labelsAndValuesAtTheirPlaces_data();
    void labelsAndValuesAtTheirPlaces();
    void photoFromThePictureField();
    void noPhotoAndNoNotesLeaveTheirBoxesEmpty();
    void longValuesStayInsideTheirCells();

private:
    QList<Word> render(Range range, int* pages = nullptr);

    QTemporaryDir m_out;
    std::unique_ptr<testdb::TempFile> m_file;
    std::unique_ptr<Tdm> m_dm;
};

void TestCardReport::initTestCase()
{
    report::installFontSubstitutes();
}

void TestCardReport::init()
{
    m_file = std::make_unique<testdb::TempFile>(QString::fromUtf8(kPersons));
    paths::setAppPath(m_file->folder());
    m_dm = std::make_unique<Tdm>();
    m_dm->db->setFileName(m_file->path());
}

void TestCardReport::cleanup()
{
    m_dm.reset();
    m_file.reset();
}

QList<Word> TestCardReport::render(Range range, int* pages)
{
    const QString file = m_out.filePath(QStringLiteral("card.pdf"));
    report::writePdf(CardReport(*m_dm->personquery, range, kPrintDate), file);
    if (pages) {
        *pages = pdftext::pageCount(file);
    }
    return pdftext::words(file);
}

void TestCardReport::everyListedPersonOnePageInListOrder_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("order");
    QTest::addColumn<QStringList>("printed");
    QTest::newRow("on the job") << "status=1"
                                << ""
                                << "id" << QStringList{"A001", "A002", "A003"};
    QTest::newRow("departed") << "status=2"
                              << ""
                              << "id" << QStringList{"B001"};
    QTest::newRow("search, reversed") << "status=1"
                                      << "WHERE name LIKE \"张*\""
                                      << "id DESC" << QStringList{"A003", "A001"};
    QTest::newRow("nobody") << "status=1"
                            << "WHERE name = \"无人\""
                            << "id" << QStringList{};
}

void TestCardReport::everyListedPersonOnePageInListOrder()
{
    QFETCH(QString, filter);
    QFETCH(QString, where);
    QFETCH(QString, order);
    QFETCH(QStringList, printed);
    engine::Query& persons = *m_dm->personquery;
    persons.setFilter(filter);
    if (!where.isEmpty()) {
        persons.setMacro("where", where);
    }
    persons.setMacro("order", order);
    persons.open();

    int pages = 0;
    const QList<Word> words = render(Range::All, &pages);
    // A document has one page even when nobody is listed; that page is blank.
    QCOMPARE(pages, std::max<int>(1, printed.size()));
    const QStringList everyone{"A001", "A002", "A003", "B001"};
    for (int page = 1; page <= printed.size(); ++page) {
        for (const QString& id : everyone) {
            // The number stands under 职工编号 and in the 工号 cell.
            QCOMPARE(pdftext::count(words, id, page), id == printed[page - 1] ? 2 : 0);
        }
        QCOMPARE(pdftext::count(words, QStringLiteral("第%1页").arg(page), page), 1);
    }
    if (printed.isEmpty()) {
        QVERIFY(words.isEmpty());
    }
}

void TestCardReport::currentRangePrintsTheCurrentPersonOnly()
{
    m_dm->personquery->open();
    m_dm->personquery->moveTo(1);
    int pages = 0;
    const QList<Word> words = render(Range::Current, &pages);
    QCOMPARE(pages, 1);
    QCOMPARE(pdftext::count(words, "A002", 1), 2);
    QCOMPARE(pdftext::count(words, "李娜", 1), 1);
    QCOMPARE(m_dm->personquery->currentRow(), 1);
}

void TestCardReport::labelsAndValuesAtTheirPlaces_data()
{
    // Where the layout puts a text: its left edge (left-aligned) or its centre (centred), and
    // the vertical centre of its box.
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("centred");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::newRow("title") << "职工人事档案报表" << true << 379.0 << 104.0;
    QTest::newRow("print date") << "打印日期：2009-06-15" << false << 548.0 << 181.0;
    QTest::newRow("number label") << "职工编号：" << false << 56.0 << 191.0;
    QTest::newRow("工号 label") << "工号" << true << 85.0 << 240.5;
    QTest::newRow("姓名 value") << "张伟" << false << 310.0 << 240.5;
    QTest::newRow("籍贯 value") << "河北石家庄" << false << 600.0 << 240.5;
    QTest::newRow("birth as date text") << "1980-06-15" << false << 119.0 << 265.5;
    QTest::newRow("age as number") << "45" << false << 232.0 << 265.5;
    QTest::newRow("card id") << "130102198006150011" << false << 410.0 << 265.5;
    QTest::newRow("电话 value") << "0311-1234567" << false << 470.0 << 290.5;
    QTest::newRow("93-wide label") << "参加工作时间" << true << 101.5 << 315.5;
    QTest::newRow("本单位工龄 value") << "22" << false << 310.0 << 340.5;
    QTest::newRow("mobile") << "13900001111" << false << 470.0 << 340.5;
    QTest::newRow("address runs to 596") << "石家庄市长安区建设路8号" << false << 152.0 << 365.5;
    QTest::newRow("job info spans two rows") << "职务信息" << true << 101.5 << 428.0;
    QTest::newRow("工资类别 value") << "一类" << false << 592.0 << 415.5;
    QTest::newRow("职称 value") << "工程师" << false << 432.0 << 440.5;
    QTest::newRow("notes inset") << "第一行备注" << false << 166.0 << 476.0;
    QTest::newRow("核准") << "核准：" << false << 64.0 << 1007.0;
    QTest::newRow("审核 after its blank") << "审核：" << false << 223.0 << 1007.0;
    QTest::newRow("填表人") << "填表人：" << false << 376.0 << 1007.0;
    QTest::newRow("填表日期") << "填表日期：" << false << 532.0 << 1007.0;
    QTest::newRow("page footer") << "第1页" << true << 379.0 << 1041.0;
}

void TestCardReport::labelsAndValuesAtTheirPlaces()
{
    QFETCH(QString, text);
    QFETCH(bool, centred);
    QFETCH(double, x);
    QFETCH(double, y);
    m_dm->personquery->open();
    const QList<Word> words = render(Range::Current);
    const Word word = pdftext::find(words, text);
    QVERIFY2(word.page == 1, qPrintable(pdftext::pageText(words, 1)));
    const double left = centred ? word.box.center().x() : word.box.left();
    QVERIFY2(qAbs(left - x) < 4, qPrintable(QStringLiteral("x %1").arg(left)));
    QVERIFY2(qAbs(word.box.center().y() - y) < 5, qPrintable(QStringLiteral("y %1").arg(word.box.center().y())));
}

void TestCardReport::photoFromThePictureField()
{
    m_dm->db->execute("UPDATE person SET picture = ? WHERE ID = 'A002'", {jpeg(QSize(106, 133))});
    m_dm->personquery->open(); // A001 is current: A002's picture is read from the table
    const QString file = m_out.filePath(QStringLiteral("photos.pdf"));
    report::writePdf(CardReport(*m_dm->personquery, Range::All, kPrintDate), file);
    QCOMPARE(pdftext::imagesPerPage(file), (QList<int>{0, 1, 0}));

    m_dm->personquery->moveTo(1); // now the current row's picture
    report::writePdf(CardReport(*m_dm->personquery, Range::Current, kPrintDate), file);
    QCOMPARE(pdftext::imagesPerPage(file), QList<int>{1});
}

void TestCardReport::noPhotoAndNoNotesLeaveTheirBoxesEmpty()
{
    m_dm->personquery->open();
    m_dm->personquery->moveTo(1); // 李娜: no picture, no notes
    const QString file = m_out.filePath(QStringLiteral("empty.pdf"));
    report::writePdf(CardReport(*m_dm->personquery, Range::Current, kPrintDate), file);
    QCOMPARE(pdftext::imagesPerPage(file), QList<int>{0});
    const QList<Word> words = pdftext::words(file);
    QCOMPARE(wordsInside(words, 1, QRectF(QPointF(148, 453), QPointF(700, 972))), QStringList());
    QCOMPARE(wordsInside(words, 1, QRectF(QPointF(596, 253), QPointF(700, 403))), QStringList());
    // The labels are still there.
    QCOMPARE(pdftext::count(words, "个", 1), 1);
    QCOMPARE(pdftext::count(words, "籍贯", 1), 1);
}

void TestCardReport::longValuesStayInsideTheirCells()
{
    const QString longNotes = QString(400, QChar(u'记'));
    m_dm->db->execute("UPDATE person SET name = ?, comments = ? WHERE ID = 'A001'",
                      {QStringLiteral("欧阳长长长名"), longNotes});
    m_dm->personquery->open();
    const QList<Word> words = render(Range::Current);
    const Word name = pdftext::find(words, QStringLiteral("欧阳长长长名"));
    QVERIFY(name.page == 1);
    QVERIFY2(name.box.left() >= 306 && name.box.right() <= 376, qPrintable(QString::number(name.box.right())));
    // The notes wrap into lines inside the box with its insets.
    QString notes;
    int lines = 0;
    for (const Word& word : words) {
        if (word.text.startsWith(u'记')) {
            QVERIFY(word.box.left() >= 166 - 1 && word.box.right() <= 700 - 18 + 1);
            QVERIFY(word.box.top() >= 453 + 14 - 2 && word.box.bottom() <= 972);
            notes += word.text;
            ++lines;
        }
    }
    QVERIFY(lines > 1);
    QCOMPARE(notes, longNotes);
}

QTEST_MAIN(TestCardReport)
#include "test_cardreport.moc"
