#include "data/dmunit.h"
#include "exchange/tfrmstat.h"
#include "platform/inifile.h"
#include "statshome.h"
#include "support/scriptedinteraction.h"
#include "support/testcontext.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

/// The statistics window over a shipped installation: the list, a run, its failures, saving and
/// the chart page.
class TestStatWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void showsTheListAndRunsAClickedStatistic();
    void everySampleShowsRows();
    void missingFileKeepsThePreviousResult();
    void failedRunEmptiesTheGrid();
    void savesEveryRowAsTheChosenType();
    void showingAgainRefillsTheList();
    void chartSavesAsPicture();

private:
    void click(const QString& name);

    std::unique_ptr<StatsHome> m_home;
    std::unique_ptr<ScriptedInteraction> m_ui;
    std::unique_ptr<TestContext> m_context;
    engine::Database* m_db = nullptr;
    TfrmStat* m_window = nullptr;
};

void TestStatWindow::init()
{
    m_home = std::make_unique<StatsHome>();
    m_ui = std::make_unique<ScriptedInteraction>();
    m_context = std::make_unique<TestContext>(*m_ui);
    m_db = m_context->dm.db;
    m_db->setFileName(m_home->db.path());
    m_window = &m_context->context.statWindow();
    m_window->present();
}

void TestStatWindow::cleanup()
{
    m_context.reset();
    m_ui.reset();
    m_home.reset();
}

void TestStatWindow::click(const QString& name)
{
    const auto items = m_window->ListBox1->findItems(name, Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    m_window->ListBox1->setCurrentItem(items.first());
    emit m_window->ListBox1->itemClicked(items.first());
}

void TestStatWindow::showsTheListAndRunsAClickedStatistic()
{
    TfrmStat& w = *m_window;
    QCOMPARE(w.size(), QSize(TfrmStat::DesignWidth, TfrmStat::DesignHeight));
    QCOMPARE(w.StatusPanel->text(), QStringLiteral("单击左边的统计模板系统便开始自动统计"));
    QCOMPARE(w.ListBox1->count(), ini::sectionKeys(paths::sysinifile(), QStringLiteral("statistic")).size());
    QVERIFY(!w.ToolButton1->isEnabled());
    QVERIFY(!w.ToolButton2->isEnabled());
    QCOMPARE(w.ListBox1->visualItemRect(w.ListBox1->item(0)).height(), TfrmStat::RowHeight);

    click(QStringLiteral("按部门统计人数"));
    QVERIFY(w.ToolButton1->isEnabled());
    QVERIFY(w.ToolButton2->isEnabled());
    QCOMPARE(w.StatusPanel->text(), QStringLiteral("按部门统计人数 统计完毕"));
    QAbstractItemModel* model = w.DBGridEh1->model();
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("部门"));
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("人数"));
    QCOMPARE(model->rowCount(),
             int(m_db->selectValue(QStringLiteral("SELECT Count(*) FROM (SELECT DISTINCT dept FROM person "
                                                  "WHERE status = 1)"))
                     .toInt()));
    QCOMPARE(w.DBGridEh1->columnWidth(0), TfrmStat::ColumnWidth);
    QCOMPARE(w.DBGridEh1->columnWidth(1), TfrmStat::ColumnWidth);
    // The headcount by department is a chart; a list of persons is not.
    QVERIFY(w.PageControl1->isTabEnabled(1));
    click(QStringLiteral("离职人员名单"));
    QVERIFY(!w.PageControl1->isTabEnabled(1));
    w.ToolButton3->trigger();
    QVERIFY(!w.isVisible());
}

void TestStatWindow::everySampleShowsRows()
{
    ScriptedInteraction& ui = *m_ui;
    for (int i = 0; i < m_window->ListBox1->count(); ++i) {
        const QString name = m_window->ListBox1->item(i)->text();
        click(name);
        QVERIFY2(ui.shown.isEmpty(), qPrintable(name + u' ' + ui.texts().join(u' ')));
        QVERIFY2(m_window->DBGridEh1->model()->rowCount() > 0, qPrintable(name));
    }
}

void TestStatWindow::missingFileKeepsThePreviousResult()
{
    ScriptedInteraction& ui = *m_ui;
    ini::writeString(paths::sysinifile(), QStringLiteral("statistic"), QStringLiteral("缺文件"),
                     QStringLiteral("nofile.sql"));
    m_window->hide();
    m_window->show();
    click(QStringLiteral("按性别统计人数"));
    const int rows = m_window->DBGridEh1->model()->rowCount();
    QVERIFY(rows > 0);
    click(QStringLiteral("缺文件"));
    QCOMPARE(ui.texts(),
             QStringList{QStringLiteral("统计文件") + paths::sqlpath() + QStringLiteral("nofile.sql不存在！")});
    QCOMPARE(ui.shown.first().kind, ScriptedInteraction::Kind::Information);
    QCOMPARE(m_window->DBGridEh1->model()->rowCount(), rows);
    QCOMPARE(m_window->StatusPanel->text(), QStringLiteral("缺文件 统计完毕"));
}

void TestStatWindow::failedRunEmptiesTheGrid()
{
    ScriptedInteraction& ui = *m_ui;
    m_home->writeText(QStringLiteral("data/sql/bad.sql"), QStringLiteral("DELETE FROM person WHERE ID = \"%param1\""));
    ini::writeString(paths::sysinifile(), QStringLiteral("statistic"), QStringLiteral("删除"),
                     QStringLiteral("bad.sql(A001)"));
    m_window->hide();
    m_window->show();
    click(QStringLiteral("按性别统计人数"));
    click(QStringLiteral("删除"));
    QCOMPARE(ui.texts(), QStringList{QStringLiteral("统计出错！")});
    QCOMPARE(ui.shown.first().kind, ScriptedInteraction::Kind::Error);
    QCOMPARE(m_window->DBGridEh1->model()->rowCount(), 0);
    QCOMPARE(m_window->DBGridEh1->model()->columnCount(), 0);
    QVERIFY(!m_window->ToolButton2->isEnabled());
    QCOMPARE(m_window->StatusPanel->text(), QStringLiteral("删除 统计完毕"));
    QCOMPARE(m_db->selectValue(QStringLiteral("SELECT Count(*) FROM person WHERE ID = 'A001'")).toInt(), 1);
}

void TestStatWindow::savesEveryRowAsTheChosenType()
{
    ScriptedInteraction& ui = *m_ui;
    click(QStringLiteral("按部门统计人数"));
    const QString base = QDir(m_home->folder()).filePath(QStringLiteral("结果"));
    ui.choose({base});
    ui.saveTypes = {1};
    m_window->ToolButton2->trigger();
    QCOMPARE(ui.proposedPaths, QStringList{QStringLiteral("按部门统计人数")});
    QFile csv(base + QStringLiteral(".csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), m_window->DBGridEh1->model()->rowCount() + 1);
    // Cancelling writes nothing.
    ui.choose({QString()});
    m_window->ToolButton2->trigger();
    QCOMPARE(QDir(m_home->folder()).entryList({QStringLiteral("结果*")}, QDir::Files).size(), 1);
}

void TestStatWindow::showingAgainRefillsTheList()
{
    ScriptedInteraction& ui = *m_ui;
    click(QStringLiteral("按职称统计人数"));
    ini::writeString(paths::sysinifile(), QStringLiteral("statistic"), QStringLiteral("新统计"),
                     QStringLiteral("sex.sql"));
    m_window->hide();
    m_window->show();
    QVERIFY(!m_window->ListBox1->findItems(QStringLiteral("新统计"), Qt::MatchExactly).isEmpty());
    QVERIFY(m_window->ListBox1->selectedItems().isEmpty());
    QVERIFY(!m_window->ToolButton1->isEnabled());
    // The old result stays; saving proposes the statistic that produced it.
    QVERIFY(m_window->ToolButton2->isEnabled());
    ui.choose({QString()});
    m_window->ToolButton2->trigger();
    QCOMPARE(ui.proposedPaths, QStringList{QStringLiteral("按职称统计人数")});
}

void TestStatWindow::chartSavesAsPicture()
{
    ScriptedInteraction& ui = *m_ui;
    click(QStringLiteral("按部门统计人数"));
    m_window->PageControl1->setCurrentIndex(1);
    m_window->PieButton->click();
    const QString base = QDir(m_home->folder()).filePath(QStringLiteral("图表"));
    ui.choose({base});
    m_window->SaveChartButton->click();
    QVERIFY2(ui.texts().isEmpty(), qPrintable(ui.texts().join(u' ')));
    const QImage picture(base + QStringLiteral(".png"));
    QVERIFY(!picture.isNull());
    QVERIFY(picture.width() > 100 && picture.height() > 100);
}

QTEST_MAIN(TestStatWindow)
#include "test_statwindow.moc"
