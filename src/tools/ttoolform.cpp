#include "tools/ttoolform.h"

#include "app/windowcontext.h"
#include "platform/errorboundary.h"
#include "platform/interaction.h"
#include "records/recordstyle.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace {

enum Column
{
    CaptionColumn,
    ProgramColumn,
    ParamColumn
};

QTableWidgetItem* cell(const QString& text, bool editable)
{
    auto* item = new QTableWidgetItem(text);
    if (!editable) {
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    }
    return item;
}

} // namespace

Ttoolform::Ttoolform(WindowContext& context, const QString& menusFile, QWidget* parent)
    : QDialog(parent), m_context(context), m_menusFile(menusFile)
{
    setObjectName(QStringLiteral("toolformDialog"));
    setWindowTitle(QStringLiteral("自定义工具箱菜单条"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(600, 352);

    GroupBox1 = new QGroupBox(QStringLiteral("当前定义的条目"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1GroupBox"));
    GroupBox1->setGeometry(8, 6, 584, 216);
    StringGrid1 = new QTableWidget(0, 3, GroupBox1);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1TableWidget"));
    StringGrid1->setGeometry(10, 22, 564, 184);
    StringGrid1->setHorizontalHeaderLabels(
        {QStringLiteral("显示标题"), QStringLiteral("可执行程序名(双击可以更改)"), QStringLiteral("运行参数")});
    // The fixed number column is the row header, which numbers the rows 1, 2, 3 … by itself.
    StringGrid1->verticalHeader()->setMinimumWidth(18);
    StringGrid1->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    StringGrid1->setColumnWidth(CaptionColumn, 106);
    StringGrid1->setColumnWidth(ProgramColumn, 327);
    StringGrid1->setColumnWidth(ParamColumn, 99);
    StringGrid1->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);

    Label1 = new QLabel(QStringLiteral("注意：\n"
                                       "    在这里所做的修改在下次启动本软件的时候生效\n"
                                       "    下次启动本软件时你会看到自己定义的菜单条，\n"
                                       "    位置在  \"工具箱\"->\"自定已菜单条\"  的下面。"),
                        this);
    Label1->setObjectName(QStringLiteral("Label1Label"));
    Label1->setGeometry(12, 230, 400, 76);

    BitBtn1 = new QPushButton(QStringLiteral("新增"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1PushButton"));
    BitBtn1->setDefault(true);
    BitBtn1->setGeometry(430, 236, 75, 25);
    BitBtn2 = new QPushButton(QStringLiteral("删除"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2PushButton"));
    BitBtn2->setAutoDefault(false);
    BitBtn2->setGeometry(515, 236, 75, 25);
    BitBtn3 = new QPushButton(QStringLiteral("退出"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3PushButton"));
    BitBtn3->setAutoDefault(false);
    BitBtn3->setGeometry(515, 316, 75, 25);

    connect(BitBtn1, &QPushButton::clicked, this, guarded(this, &Ttoolform::BitBtn1Click));
    connect(BitBtn2, &QPushButton::clicked, this, guarded(this, &Ttoolform::BitBtn2Click));
    // "退出" is the cancel button: it and Esc close the window like its close box.
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::reject);
    connect(StringGrid1, &QTableWidget::cellDoubleClicked, this, guarded(this, &Ttoolform::StringGrid1DblClick));

    setRows(toolentries::editorRows(m_menusFile));
    if (m_context.isGuest()) {
        GroupBox1->setEnabled(false);
        BitBtn1->setEnabled(false);
        BitBtn2->setEnabled(false);
    }
}

void Ttoolform::setRows(const QList<toolentries::ToolEntry>& rows)
{
    StringGrid1->setRowCount(0);
    StringGrid1->setRowCount(rows.size());
    for (int i = 0; i < rows.size(); ++i) {
        StringGrid1->setItem(i, CaptionColumn, cell(rows[i].caption, true));
        StringGrid1->setItem(i, ProgramColumn, cell(rows[i].filename, false));
        StringGrid1->setItem(i, ParamColumn, cell(rows[i].param, true));
    }
}

QList<toolentries::ToolEntry> Ttoolform::rows() const
{
    QList<toolentries::ToolEntry> rows;
    for (int i = 0; i < StringGrid1->rowCount(); ++i) {
        auto text = [this, i](int column) {
            const QTableWidgetItem* item = StringGrid1->item(i, column);
            return item ? item->text() : QString();
        };
        rows.append({text(CaptionColumn), text(ProgramColumn), text(ParamColumn)});
    }
    return rows;
}

void Ttoolform::BitBtn1Click()
{
    StringGrid1->setFocus();
    QList<toolentries::ToolEntry> entries = rows();
    entries.append(toolentries::newRow());
    setRows(entries);
    StringGrid1->setCurrentCell(entries.size() - 1, CaptionColumn);
}

void Ttoolform::BitBtn2Click()
{
    if (!AskYesNo(QStringLiteral("你真的要删除本条记录吗？"))) {
        return;
    }
    const int current = StringGrid1->currentRow();
    QList<toolentries::ToolEntry> entries = rows();
    toolentries::removeRow(entries, entries.size() == 1 ? 0 : current);
    setRows(entries);
    if (!entries.isEmpty()) {
        StringGrid1->setCurrentCell(qBound(0, current, int(entries.size()) - 1), CaptionColumn);
    }
}

void Ttoolform::StringGrid1DblClick(int row, int column)
{
    if (column != ProgramColumn) {
        return;
    }
    const QString file =
        m_context.ui().chooseOpenFile(QStringLiteral("打开"), QStringLiteral("所有文件(*.*)|*.*"), QString());
    if (!file.isEmpty()) {
        StringGrid1->item(row, ProgramColumn)->setText(file);
    }
}

void Ttoolform::done(int result)
{
    // A cell still being typed into belongs to the rows that are saved.
    StringGrid1->setCurrentItem(nullptr);
    runGuarded([this] { toolentries::save(m_menusFile, rows()); });
    QDialog::done(result);
}

void Ttoolform::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    recordstyle::fixAndCentre(this, width(), height());
}
