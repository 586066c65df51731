#include "tools/officelistwindow.h"

#include "app/windowcontext.h"
#include "data/engine/query.h"
#include "dataaware/datagrid.h"
#include "platform/errorboundary.h"
#include "platform/interaction.h"
#include "records/recordstyle.h"
#include "report/printing.h"
#include "report/report.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

/// Shows every cell of the grid centred.
class CentredCells : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->displayAlignment = Qt::AlignCenter;
    }
};

QToolButton* toolButton(const QString& caption, QStyle::StandardPixmap glyph, int number, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QStringLiteral("ToolButton%1ToolButton").arg(number));
    button->setText(caption);
    button->setIcon(QApplication::style()->standardIcon(glyph));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setFixedSize(56, 44);
    return button;
}

} // namespace

OfficeListWindow::OfficeListWindow(WindowContext& context, engine::Query& query, const Setup& setup, QWidget* parent)
    : QDialog(parent), m_context(context), m_query(query), m_fieldOfChoice(setup.fieldOfChoice)
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    auto* toolbar = new QHBoxLayout;
    toolbar->setContentsMargins(6, 4, 6, 0);
    toolbar->setSpacing(2);
    ToolButton1 = toolButton(QStringLiteral("新增"), QStyle::SP_FileDialogNewFolder, 1, this);
    ToolButton2 = toolButton(QStringLiteral("修改"), QStyle::SP_FileDialogDetailedView, 2, this);
    ToolButton3 = toolButton(QStringLiteral("删除"), QStyle::SP_TrashIcon, 3, this);
    ToolButton4 = toolButton(QStringLiteral("打印"), QStyle::SP_FileDialogContentsView, 4, this);
    ToolButton5 = toolButton(QStringLiteral("退出"), QStyle::SP_DialogCloseButton, 5, this);
    for (QToolButton* button : {ToolButton1, ToolButton2, ToolButton3, ToolButton4, ToolButton5}) {
        toolbar->addWidget(button);
    }
    toolbar->addStretch();
    layout->addLayout(toolbar);

    GroupBox1 = new QGroupBox(setup.searchGroup, this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1GroupBox"));
    auto* search = new QHBoxLayout(GroupBox1);
    Label1 = new QLabel(QStringLiteral("查询条件"), GroupBox1);
    ComboBox1 = new QComboBox(GroupBox1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1ComboBox"));
    ComboBox1->addItems(setup.choices);
    ComboBox1->setCurrentIndex(0);
    Edit1 = new QLineEdit(GroupBox1);
    Edit1->setObjectName(QStringLiteral("Edit1LineEdit"));
    search->addWidget(Label1);
    search->addWidget(ComboBox1);
    search->addWidget(Edit1, 1);
    auto* searchRow = new QHBoxLayout;
    searchRow->setContentsMargins(6, 0, 6, 0);
    searchRow->addWidget(GroupBox1);
    layout->addLayout(searchRow);

    QList<DataGrid::Column> columns;
    for (const officelists::Column& column : setup.columns) {
        columns.append({column.field, column.title, 90});
    }
    DBGridEh1 = new DataGrid(&m_query, columns, this);
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1DataGrid"));
    DBGridEh1->setItemDelegate(new CentredCells(DBGridEh1));
    DBGridEh1->setSelectionBehavior(QAbstractItemView::SelectRows);

    m_body = new QVBoxLayout;
    m_body->setContentsMargins(6, 0, 6, 0);
    layout->addLayout(m_body, 1);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1StatusBar"));
    StatusBar1->setSizeGripEnabled(false);
    layout->addWidget(StatusBar1);

    connect(ToolButton1, &QToolButton::clicked, this, [this] { runAction(ToolButton1, &OfficeListWindow::addRecord); });
    connect(ToolButton2, &QToolButton::clicked, this,
            [this] { runAction(ToolButton2, &OfficeListWindow::changeRecord); });
    connect(ToolButton3, &QToolButton::clicked, this,
            [this] { runAction(ToolButton3, &OfficeListWindow::deleteCurrent); });
    connect(ToolButton4, &QToolButton::clicked, this, [this] { runAction(ToolButton4, &OfficeListWindow::printList); });
    connect(ToolButton5, &QToolButton::clicked, this, &QWidget::close);
    connect(Edit1, &QLineEdit::textChanged, this, guarded(this, &OfficeListWindow::Edit1Change));
    connect(DBGridEh1, &DataGrid::titleClicked, this, guarded(this, &OfficeListWindow::DBGridEh1TitleBtnClick));
    // The grid's keys do what the buttons do, and only while the buttons may be used.
    recordstyle::bindListKeys(
        DBGridEh1, [this] { runAction(ToolButton1, &OfficeListWindow::addRecord); },
        [this] { runAction(ToolButton3, &OfficeListWindow::deleteCurrent); });

    m_gridFocus = DBGridEh1->focusPolicy();
}

void OfficeListWindow::applyRights()
{
    m_guest = m_context.isGuest();
    for (QToolButton* button : {ToolButton1, ToolButton2, ToolButton3}) {
        button->setEnabled(!m_guest);
    }
    DBGridEh1->setFocusPolicy(m_guest ? Qt::NoFocus : m_gridFocus);
}

void OfficeListWindow::runAction(QToolButton* button, void (OfficeListWindow::*action)())
{
    if (!button->isEnabled()) {
        return;
    }
    runGuarded([this, action] { (this->*action)(); });
}

void OfficeListWindow::FormActivate()
{
    try {
        m_query.open();
    } catch (const std::exception&) {
        ShowError(QStringLiteral("打开数据库出错！"));
    }
}

void OfficeListWindow::Edit1Change(const QString& text)
{
    officelists::search(m_query, m_fieldOfChoice(ComboBox1->currentIndex()), text);
}

void OfficeListWindow::DBGridEh1TitleBtnClick(int column)
{
    const QString order = m_sort.click(column, DBGridEh1->fieldName(column));
    DBGridEh1->setSortMark(
        column, m_sort.mark() == workerpages::SortCycle::Mark::Descending ? Qt::DescendingOrder : Qt::AscendingOrder,
        m_sort.mark() != workerpages::SortCycle::Mark::None);
    officelists::sortBy(m_query, order);
}

void OfficeListWindow::deleteCurrent()
{
    if (!m_query.active() || m_query.isEmpty()) {
        return;
    }
    if (AskYesNo(QStringLiteral("你真的要删除本条记录吗？"))) {
        m_query.remove();
    }
}

void OfficeListWindow::printList()
{
    const std::unique_ptr<report::Report> list = listReport();
    m_context.printing().preview(*list, this);
}

void OfficeListWindow::reject()
{
    close();
}

void OfficeListWindow::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        FormActivate();
    }
}

void OfficeListWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Another user may have logged in since the window was last shown.
    applyRights();
    FormActivate();
}

void OfficeListWindow::closeEvent(QCloseEvent* event)
{
    m_query.close();
    hide();
    event->accept();
}
