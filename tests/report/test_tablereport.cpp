#include "platform/errors.h"
#include "report/tablereport.h"
#include "support/pdftext.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using pdftext::Word;
using report::TableColumn;
using report::TableFrame;
using report::TableReport;
using report::TableRows;

namespace {

constexpr double kPageWidth = 210 / 25.4 * 96;
constexpr double kPageHeight = 297 / 25.4 * 96;
constexpr double kMargin = 2 / 2.54 * 96;

TableFrame detailFrame()
{
    TableFrame frame;
    frame.title = QStringLiteral("测试报表");
    frame.ruleLength = 29;
    frame.headerLeft = QStringLiteral("编号: A1    姓名: 张三");
    frame.footerCentre = QStringLiteral("第") + report::PageToken + QStringLiteral("页");
    frame.footerRight = QStringLiteral("打印日期:2026-01-02");
    return frame;
}

QList<QStringList> numberedRows(int count, int columns)
{
    QList<QStringList> rows;
    for (int r = 0; r < count; ++r) {
        QStringList row;
        for (int c = 0; c < columns; ++c) {
            row << QStringLiteral("r%1c%2").arg(r, 3, 10, QLatin1Char('0')).arg(c);
        }
        rows << row;
    }
    return rows;
}

} // namespace

class TestTableReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void frameAndColumnsAtTheirPlaces();
    void rowsRunOverPagesWithTheFrameOnEach();
    void columnsWiderThanThePageContinueOnLaterPages();
    void anEmptyTableStillPrintsItsTitleAndHeadings();
    void anUnwritableFileFailsAndLeavesNothing();

private:
    QList<Word> render(const TableReport& table, int* pages = nullptr);

    QTemporaryDir m_dir;
};

void TestTableReport::initTestCase()
{
    QVERIFY(m_dir.isValid());
    report::installFontSubstitutes();
}

QList<Word> TestTableReport::render(const TableReport& table, int* pages)
{
    const QString file = m_dir.filePath(QStringLiteral("table.pdf"));
    report::writePdf(table, file);
    if (pages) {
        *pages = pdftext::pageCount(file);
    }
    return pdftext::words(file);
}

void TestTableReport::frameAndColumnsAtTheirPlaces()
{
    const TableReport table(detailFrame(),
                            {{QStringLiteral("甲"), 60}, {QStringLiteral("乙"), 100}, {QStringLiteral("丙"), 80}},
                            TableRows::fromList({{"a1", "b1", "c1"}, {"a2", "b2", "c2"}}));
    int pages = 0;
    const QList<Word> words = render(table, &pages);
    QCOMPARE(pages, 1);

    const Word title = pdftext::find(words, QStringLiteral("测试报表"));
    QVERIFY(title.page == 1);
    QVERIFY(qAbs(title.box.center().x() - kPageWidth / 2) < 3);
    const Word rule = pdftext::find(words, QString(29, u'='));
    QVERIFY(rule.page == 1);
    QVERIFY(rule.box.top() > title.box.top());

    const Word header = pdftext::find(words, QStringLiteral("编号:"));
    QVERIFY(qAbs(header.box.left() - kMargin) < 2);
    QVERIFY(qAbs(header.box.top() - kMargin) < 4);
    QVERIFY(header.box.bottom() < title.box.top());
    QVERIFY(pdftext::pageText(words, 1).startsWith(QStringLiteral("编号: A1 姓名: 张三 测试报表")));

    const Word footer = pdftext::find(words, QStringLiteral("打印日期:2026-01-02"));
    QVERIFY(qAbs(footer.box.right() - (kPageWidth - kMargin)) < 3);
    QVERIFY(qAbs(footer.box.bottom() - (kPageHeight - kMargin)) < 5);
    const Word pageNumber = pdftext::find(words, QStringLiteral("第1页"));
    QVERIFY(qAbs(pageNumber.box.center().x() - kPageWidth / 2) < 3);

    // Column titles centred over their columns, cells at the columns' left edges.
    const double left[] = {kMargin, kMargin + 60, kMargin + 160};
    const double width[] = {60, 100, 80};
    const QString titles[] = {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")};
    for (int c = 0; c < 3; ++c) {
        const Word heading = pdftext::find(words, titles[c]);
        QVERIFY2(qAbs(heading.box.center().x() - (left[c] + width[c] / 2)) < 2, qPrintable(titles[c]));
        QVERIFY(heading.box.top() > rule.box.bottom());
        const Word first = pdftext::find(words, QStringLiteral("%1%2").arg(QChar(u'a' + c)).arg(1));
        const Word second = pdftext::find(words, QStringLiteral("%1%2").arg(QChar(u'a' + c)).arg(2));
        QVERIFY(qAbs(first.box.left() - (left[c] + 3)) < 2);
        QVERIFY(first.box.top() > heading.box.bottom());
        QVERIFY(second.box.top() > first.box.bottom());
    }
}

void TestTableReport::rowsRunOverPagesWithTheFrameOnEach()
{
    const int rowCount = 120;
    TableFrame frame = detailFrame();
    const TableReport table(frame, {{QStringLiteral("编号"), 90}}, TableRows::fromList(numberedRows(rowCount, 1)));
    int pages = 0;
    const QList<Word> words = render(table, &pages);
    QVERIFY(pages >= 3);

    int next = 0;
    for (int page = 1; page <= pages; ++page) {
        QCOMPARE(pdftext::count(words, QStringLiteral("编号"), page), 1);
        QCOMPARE(pdftext::count(words, QStringLiteral("编号:"), page), 1);
        QCOMPARE(pdftext::count(words, QStringLiteral("测试报表"), page), page == 1 ? 1 : 0);
        const Word footer = pdftext::find(words, QStringLiteral("打印日期:2026-01-02"), page);
        QCOMPARE(footer.page, page);
        QCOMPARE(pdftext::count(words, QStringLiteral("第%1页").arg(page), page), 1);
        for (const Word& word : words) {
            if (word.page == page && word.text.startsWith(u'r')) {
                // Every row once, in order, above the footer.
                QCOMPARE(word.text, QStringLiteral("r%1c0").arg(next, 3, 10, QLatin1Char('0')));
                QVERIFY(word.box.bottom() < footer.box.top());
                ++next;
            }
        }
    }
    QCOMPARE(next, rowCount);
}

void TestTableReport::columnsWiderThanThePageContinueOnLaterPages()
{
    QList<TableColumn> columns;
    for (int c = 0; c < 12; ++c) {
        columns.append({QStringLiteral("列%1").arg(c), 100});
    }
    const TableReport table(detailFrame(), columns, TableRows::fromList(numberedRows(3, 12)));
    int pages = 0;
    const QList<Word> words = render(table, &pages);
    QVERIFY(pages >= 2);
    for (int c = 0; c < 12; ++c) {
        int headings = 0;
        for (int page = 1; page <= pages; ++page) {
            headings += pdftext::count(words, QStringLiteral("列%1").arg(c), page);
            for (const Word& word : words) {
                if (word.page == page && word.text == QStringLiteral("列%1").arg(c)) {
                    QVERIFY(word.box.right() <= kPageWidth - kMargin + 1);
                }
            }
        }
        QCOMPARE(headings, 1);
        for (int r = 0; r < 3; ++r) {
            const QString cell = QStringLiteral("r%1c%2").arg(r, 3, 10, QLatin1Char('0')).arg(c);
            QVERIFY2(std::any_of(words.begin(), words.end(), [&](const Word& w) { return w.text == cell; }),
                     qPrintable(cell));
        }
    }
}

void TestTableReport::anEmptyTableStillPrintsItsTitleAndHeadings()
{
    const TableReport table(detailFrame(), {{QStringLiteral("姓名"), 80}}, TableRows::fromList({}));
    int pages = 0;
    const QList<Word> words = render(table, &pages);
    QCOMPARE(pages, 1);
    QCOMPARE(
        pdftext::pageText(words, 1),
        QStringLiteral("编号: A1 姓名: 张三 测试报表 ============================= 姓名 第1页 打印日期:2026-01-02"));
}

void TestTableReport::anUnwritableFileFailsAndLeavesNothing()
{
    const TableReport table(detailFrame(), {{QStringLiteral("姓名"), 80}}, TableRows::fromList({}));
    const QString file = m_dir.filePath(QStringLiteral("missing/folder/table.pdf"));
    QVERIFY_THROWS_EXCEPTION(FileError, report::writePdf(table, file));
    QVERIFY(!QFile::exists(file));
}

QTEST_MAIN(TestTableReport)
#include "test_tablereport.moc"
