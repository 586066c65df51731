#include "exchange/tfrmstat.h"

#include "app/windowcontext.h"
#include "data/dmunit.h"
#include "exchange/resultfile.h"
#include "exchange/statchart.h"
#include "exchange/statistics.h"
#include "platform/errorboundary.h"
#include "platform/errors.h"
#include "platform/interaction.h"
#include "platform/paths.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBitmap>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPieSeries>
#include <QPointer>
#include <QPushButton>
#include <QSaveFile>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>
#include <QValueAxis>

/// The result as the grid shows it: the columns of the query, titled by their names.
class ResultModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setResult(const engine::ResultSet* result)
    {
        beginResetModel();
        m_result = result;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() || !m_result ? 0 : int(m_result->rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() || !m_result ? 0 : int(m_result->columns.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!m_result || !index.isValid()) {
            return {};
        }
        const QVariant& v = m_result->rows[index.row()].value(index.column());
        if (role == Qt::DisplayRole) {
            return resultfile::cellText(v, m_result->declaredTypes.value(index.column()));
        }
        if (role == Qt::TextAlignmentRole && (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Double)) {
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole || !m_result) {
            return {};
        }
        return orientation == Qt::Horizontal ? QVariant(m_result->columns.value(section)) : QVariant(section + 1);
    }

private:
    const engine::ResultSet* m_result = nullptr;
};

namespace {

QIcon icon(const QString& name, QStyle::StandardPixmap fallback)
{
    const QString resource = QStringLiteral(":/icons/") + name + QStringLiteral(".png");
    return QFile::exists(resource) ? QIcon(resource) : QApplication::style()->standardIcon(fallback);
}

/// A row of the statistics list: the image at 4 pixels with its top-left colour transparent, the
/// name at image width + 10 and 3 pixels below the row's top.
class StatRowDelegate : public QStyledItemDelegate
{
public:
    StatRowDelegate(const QPixmap& image, QObject* parent) : QStyledItemDelegate(parent), m_image(image)
    {
        const QImage pixels = m_image.toImage();
        if (!pixels.isNull()) {
            m_image.setMask(QBitmap::fromImage(pixels.createMaskFromColor(pixels.pixel(0, 0))));
        }
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& palette = option.palette;
        painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
        painter->drawPixmap(option.rect.left() + 4, option.rect.top(), m_image);
        painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
        const QRect text(option.rect.left() + m_image.width() + 10, option.rect.top() + 3,
                         option.rect.width() - m_image.width() - 10, option.rect.height() - 3);
        painter->drawText(text, Qt::AlignLeft | Qt::AlignTop, index.data().toString());
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width() + m_image.width() + 10, TfrmStat::RowHeight);
    }

private:
    QPixmap m_image;
};

} // namespace

TfrmStat::TfrmStat(WindowContext& context) : QMainWindow(context.owner()), m_context(context)
{
    setObjectName(QStringLiteral("frmStat"));
    setWindowTitle(QStringLiteral("数据库统计"));
    setWindowFlag(Qt::Window);
    resize(DesignWidth, DesignHeight);

    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolButton1 = ToolBar1->addAction(icon(QStringLiteral("chart"), QStyle::SP_MediaPlay), QStringLiteral("统计"), this,
                                      guarded(this, &TfrmStat::ListBox1Click));
    ToolButton2 = ToolBar1->addAction(icon(QStringLiteral("export"), QStyle::SP_DialogSaveButton),
                                      QStringLiteral("保存结果"), this, guarded(this, &TfrmStat::ToolButton2Click));
    ToolButton3 = ToolBar1->addAction(icon(QStringLiteral("exit"), QStyle::SP_DialogCloseButton),
                                      QStringLiteral("关闭"), this, guarded(this, &TfrmStat::ToolButton3Click));
    ToolButton1->setEnabled(false);
    ToolButton2->setEnabled(false);

    Splitter1 = new QSplitter(this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    ListBox1 = new QListWidget(Splitter1);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setUniformItemSizes(true);
    const QPixmap rowImage = icon(QStringLiteral("notepad"), QStyle::SP_FileIcon).pixmap(16, 16);
    ListBox1->setItemDelegate(new StatRowDelegate(rowImage, ListBox1));
    connect(ListBox1, &QListWidget::itemClicked, this, guarded(this, &TfrmStat::ListBox1Click));
    connect(ListBox1, &QListWidget::itemActivated, this, guarded(this, &TfrmStat::ListBox1Click));
    connect(ListBox1, &QListWidget::itemSelectionChanged, this,
            [this] { ToolButton1->setEnabled(!ListBox1->selectedItems().isEmpty()); });

    PageControl1 = new QTabWidget(Splitter1);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    DBGridEh1 = new QTableView(PageControl1);
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGridEh1->verticalHeader()->setDefaultSectionSize(RowHeight + 2);
    m_model = new ResultModel(this);
    m_model->setResult(&m_result);
    DBGridEh1->setModel(m_model);
    PageControl1->addTab(DBGridEh1, QStringLiteral("结果"));

    auto* chartPage = new QWidget(PageControl1);
    auto* chartLayout = new QVBoxLayout(chartPage);
    ChartView1 = new QChartView(chartPage);
    ChartView1->setObjectName(QStringLiteral("ChartView1"));
    ChartView1->setRenderHint(QPainter::Antialiasing);
    chartLayout->addWidget(ChartView1, 1);
    auto* buttons = new QHBoxLayout;
    PieButton = new QPushButton(QStringLiteral("饼图"), chartPage);
    PieButton->setCheckable(true);
    SaveChartButton = new QPushButton(QStringLiteral("保存图表..."), chartPage);
    buttons->addWidget(PieButton);
    buttons->addWidget(SaveChartButton);
    buttons->addStretch(1);
    chartLayout->addLayout(buttons);
    connect(PieButton, &QPushButton::toggled, this, guarded(this, &TfrmStat::PieButtonClick));
    connect(SaveChartButton, &QPushButton::clicked, this, guarded(this, &TfrmStat::SaveChartButtonClick));
    PageControl1->addTab(chartPage, QStringLiteral("图表"));
    PageControl1->setTabEnabled(1, false);

    Splitter1->addWidget(ListBox1);
    Splitter1->addWidget(PageControl1);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({ListWidth, DesignWidth - ListWidth});
    setCentralWidget(Splitter1);

    StatusPanel = new QLabel(QStringLiteral("单击左边的统计模板系统便开始自动统计"), this);
    StatusPanel->setObjectName(QStringLiteral("StatusBar1Panel"));
    statusBar()->addWidget(StatusPanel, 1);
}

TfrmStat::~TfrmStat()
{
    // The base class hides the grid after this class's members are gone: it must not read the result then.
    m_model->setResult(nullptr);
}

void TfrmStat::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        refill();
    }
    QMainWindow::showEvent(event);
}

void TfrmStat::refill()
{
    ListBox1->clear();
    ListBox1->addItems(stats::statisticNames(paths::sysinifile()));
    ListBox1->setCurrentRow(-1, QItemSelectionModel::Clear);
    ToolButton1->setEnabled(false);
}

void TfrmStat::ListBox1Click()
{
    QListWidgetItem* item = ListBox1->currentItem();
    ToolButton1->setEnabled(item && item->isSelected());
    if (!item || !item->isSelected()) {
        return;
    }
    const QString name = item->text();
    StatusPanel->setText(name + QStringLiteral(" 统计中……"));
    StatusPanel->repaint();
    const stats::Definition definition =
        stats::parseDefinition(stats::definitionValue(paths::sysinifile(), name), paths::sqlpath());
    QString text;
    bool missing = false;
    try {
        text = stats::statementText(definition);
    } catch (const stats::MissingStatFile& e) {
        ShowInfo(e.message());
        missing = true;
    } catch (const std::exception&) {
        // An unreadable file is a failure of the run, as a bad statement is.
        setResult({}, name);
        ShowError(QStringLiteral("统计出错！"));
        missing = true;
    }
    if (!missing) {
        // The previous result goes first: a failed run leaves the grid empty.
        setResult({}, name);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        try {
            engine::ResultSet result = m_context.dm().db->selectReadOnly(text);
            QApplication::restoreOverrideCursor();
            setResult(result, name);
        } catch (const std::exception&) {
            QApplication::restoreOverrideCursor();
            ShowError(QStringLiteral("统计出错！"));
        }
    }
    for (int c = 0; c < m_model->columnCount(); ++c) {
        DBGridEh1->setColumnWidth(c, ColumnWidth);
    }
    StatusPanel->setText(name + QStringLiteral(" 统计完毕"));
}

void TfrmStat::setResult(const engine::ResultSet& result, const QString& name)
{
    m_result = result;
    m_resultName = name;
    m_model->setResult(&m_result);
    ToolButton2->setEnabled(!m_result.columns.isEmpty());
    drawChart();
}

void TfrmStat::drawChart()
{
    const auto chart = statchart::chartOf(m_result);
    PageControl1->setTabEnabled(1, chart.has_value());
    auto* view = new QChart;
    if (chart) {
        view->setTitle(m_resultName);
        if (PieButton->isChecked()) {
            // A pie shows one series: the first numeric column.
            auto* pie = new QPieSeries;
            const statchart::Series& first = chart->series.first();
            for (int i = 0; i < chart->categories.size(); ++i) {
                pie->append(QStringLiteral("%1 %2").arg(chart->categories[i]).arg(first.values[i]), first.values[i]);
            }
            pie->setLabelsVisible(true);
            view->addSeries(pie);
            // The slices carry their names; a legend would repeat them, cut short.
            view->legend()->setVisible(false);
        } else {
            auto* bars = new QBarSeries;
            double top = 0;
            for (const statchart::Series& s : chart->series) {
                auto* set = new QBarSet(s.name);
                for (const double v : s.values) {
                    *set << v;
                    top = std::max(top, v);
                }
                bars->append(set);
            }
            view->addSeries(bars);
            auto* categories = new QBarCategoryAxis;
            categories->append(chart->categories);
            categories->setTitleText(chart->categoryTitle);
            view->addAxis(categories, Qt::AlignBottom);
            bars->attachAxis(categories);
            auto* values = new QValueAxis;
            values->setRange(0, top > 0 ? top : 1);
            values->setLabelFormat(QStringLiteral("%g"));
            values->applyNiceNumbers();
            view->addAxis(values, Qt::AlignLeft);
            bars->attachAxis(values);
        }
    } else if (PageControl1->currentIndex() == 1) {
        PageControl1->setCurrentIndex(0);
    }
    QChart* old = ChartView1->chart();
    ChartView1->setChart(view);
    delete old;
}

void TfrmStat::PieButtonClick()
{
    drawChart();
}

void TfrmStat::SaveChartButtonClick()
{
    const QString chosen = interaction::current().chooseSaveFile(
        QStringLiteral("保存图表"), QStringLiteral("PNG 图片(*.png)|*.png"), m_resultName + QStringLiteral(".png"));
    if (chosen.isEmpty()) {
        return;
    }
    const QString path = resultfile::withExtension(chosen, QStringLiteral("png"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !ChartView1->grab().save(&file, "PNG") || !file.commit()) {
        ShowError(QStringLiteral("无法写入文件 %1：%2").arg(path, file.errorString()));
    }
}

void TfrmStat::ToolButton2Click()
{
    if (m_result.columns.isEmpty()) {
        return;
    }
    QListWidgetItem* item = ListBox1->currentItem();
    const QString proposed = item && item->isSelected() ? item->text() : m_resultName;
    QStringList filter;
    for (const resultfile::FormatInfo& info : resultfile::formats()) {
        filter << info.filter << QStringLiteral("*.") + info.extension.toUpper();
    }
    int type = 0;
    const QString chosen =
        interaction::current().chooseSaveFileType(QStringLiteral("保存结果"), filter.join(u'|'), proposed, &type);
    if (chosen.isEmpty()) {
        return;
    }
    const resultfile::FormatInfo& info = resultfile::formats().value(type, resultfile::formats().first());
    resultfile::write(m_result, resultfile::withExtension(chosen, info.extension), info.format, m_resultName);
}

void TfrmStat::ToolButton3Click()
{
    hide();
}

void TfrmStat::present()
{
    show();
    raise();
    activateWindow();
}
