#include "safety/tbakform.h"

#include "app/windowcontext.h"
#include "data/databasefile.h"
#include "data/dmunit.h"
#include "platform/errorboundary.h"
#include "platform/interaction.h"
#include "platform/screencentre.h"
#include "safety/backup.h"

#include <QDebug>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QPushButton* makeButton(const QString& text, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

/// A page's folder choice: radio "系统默认路径" with the disabled "bak/", radio "其它路径" with a
/// directory box and its browse button.
QGroupBox* folderGroup(const QString& caption, const QString& suffix, QRadioButton*& byDefault, QLineEdit*& fixed,
                       QRadioButton*& other, QLineEdit*& directory, QPushButton*& browse, QWidget* parent)
{
    auto* group = new QGroupBox(caption, parent);
    group->setObjectName(QStringLiteral("GroupBox%1GroupBox").arg(suffix));
    byDefault = new QRadioButton(QStringLiteral("系统默认路径"), group);
    byDefault->setObjectName(QStringLiteral("DefaultRadioButton%1").arg(suffix));
    byDefault->setChecked(true);
    fixed = new QLineEdit(QStringLiteral("bak/"), group);
    fixed->setObjectName(QStringLiteral("DefaultEdit%1").arg(suffix));
    fixed->setEnabled(false);
    other = new QRadioButton(QStringLiteral("其它路径"), group);
    other->setObjectName(QStringLiteral("OtherRadioButton%1").arg(suffix));
    directory = new QLineEdit(group);
    directory->setObjectName(QStringLiteral("DirectoryEdit%1").arg(suffix));
    browse = makeButton(QStringLiteral("..."), QStringLiteral("BrowseButton%1").arg(suffix), group);
    browse->setFixedWidth(28);

    auto* layout = new QGridLayout(group);
    layout->addWidget(byDefault, 0, 0);
    layout->addWidget(fixed, 0, 1, 1, 2);
    layout->addWidget(other, 1, 0);
    layout->addWidget(directory, 1, 1);
    layout->addWidget(browse, 1, 2);
    layout->setColumnMinimumWidth(1, 240);
    return group;
}

QString folderOf(const QRadioButton* byDefault, const QLineEdit* directory)
{
    return byDefault->isChecked() ? backup::defaultFolder() : backup::pickedFolder(directory->text());
}

} // namespace

Tbakform::Tbakform(WindowContext& context, bool backupmode, QWidget* parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("bakformDialog"));
    setWindowTitle(QStringLiteral("数据备份与恢复"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setModal(true);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1TabWidget"));
    PageControl1->addTab(createBackupPage(), QStringLiteral("数据备份"));
    PageControl1->addTab(createRestorePage(), QStringLiteral("数据恢复"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(PageControl1, &QTabWidget::currentChanged, this, guarded(this, &Tbakform::updateDefaultButton));

    PageControl1->setCurrentIndex(backupmode ? 0 : 1);
    updateDefaultButton();
    adjustSize();
    centreOnScreen(*this);

    readListClick();
    if (m_context.isGuest()) {
        BitBtn1->setEnabled(false);
        BitBtn3->setEnabled(false);
        BitBtn4->setEnabled(false);
    }
}

QWidget* Tbakform::createBackupPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1Widget"));
    QGroupBox* group = folderGroup(QStringLiteral("备份设置"), QStringLiteral("1"), RadioButton1, Edit1, RadioButton2,
                                   DirectoryEdit1, BrowseButton1, page);
    BitBtn1 = makeButton(QStringLiteral("开始备份"), QStringLiteral("BitBtn1PushButton"), page);
    BitBtn2 = makeButton(QStringLiteral("退出"), QStringLiteral("BitBtn2PushButton"), page);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(group);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(BrowseButton1, &QPushButton::clicked, this, guarded([this] { chooseDirectory(DirectoryEdit1); }));
    connect(BitBtn1, &QPushButton::clicked, this, guarded(this, &Tbakform::backupClick));
    connect(BitBtn2, &QPushButton::clicked, this, &Tbakform::reject);
    return page;
}

QWidget* Tbakform::createRestorePage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2Widget"));
    GroupBox2 = new QGroupBox(QStringLiteral("可恢复的文档列表"), page);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2GroupBox"));
    ListBox1 = new QListWidget(GroupBox2);
    ListBox1->setObjectName(QStringLiteral("ListBox1ListWidget"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setMinimumHeight(140);
    auto* listLayout = new QVBoxLayout(GroupBox2);
    listLayout->addWidget(ListBox1);

    QGroupBox* options = folderGroup(QStringLiteral("数据选项"), QStringLiteral("3"), RadioButton3, Edit2, RadioButton4,
                                     DirectoryEdit2, BrowseButton2, page);
    BitBtn3 = makeButton(QStringLiteral("读取列表"), QStringLiteral("BitBtn3PushButton"), page);
    BitBtn4 = makeButton(QStringLiteral("开始恢复"), QStringLiteral("BitBtn4PushButton"), page);
    BitBtn5 = makeButton(QStringLiteral("取消恢复"), QStringLiteral("BitBtn5PushButton"), page);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn3);
    buttons->addWidget(BitBtn4);
    buttons->addWidget(BitBtn5);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(GroupBox2);
    layout->addWidget(options);
    layout->addLayout(buttons);

    connect(BrowseButton2, &QPushButton::clicked, this, guarded([this] { chooseDirectory(DirectoryEdit2); }));
    connect(BitBtn3, &QPushButton::clicked, this, guarded(this, &Tbakform::readListClick));
    connect(BitBtn4, &QPushButton::clicked, this, guarded(this, &Tbakform::restoreClick));
    connect(BitBtn5, &QPushButton::clicked, this, &Tbakform::reject);
    return page;
}

void Tbakform::updateDefaultButton()
{
    // Each page has its own default button; Esc is the dialog's reject on both ("退出", "取消恢复").
    const bool onBackup = PageControl1->currentIndex() == 0;
    BitBtn1->setDefault(onBackup);
    BitBtn3->setDefault(!onBackup);
}

void Tbakform::chooseDirectory(QLineEdit* edit)
{
    // The original started at the floppy drive; the user's home folder stands in for it.
    const QString start = edit->text().isEmpty() ? QDir::homePath() : edit->text();
    const QString chosen = interaction::current().chooseDirectory(windowTitle(), start);
    if (!chosen.isEmpty()) {
        edit->setText(QDir::toNativeSeparators(chosen));
    }
}

QString Tbakform::backupFolder() const
{
    return folderOf(RadioButton1, DirectoryEdit1);
}

QString Tbakform::restoreFolder() const
{
    return folderOf(RadioButton3, DirectoryEdit2);
}

void Tbakform::backupClick()
{
    const QString folder = backupFolder();
    if (folder.isEmpty()) {
        ShowError(QStringLiteral("请选择备份路径！"));
        return;
    }
    try {
        backup::makeBackup(*m_context.dm().db, folder, QDate::currentDate());
    } catch (const dbfile::CheckFailed& e) {
        qWarning().noquote() << e.message();
        ShowError(QStringLiteral("备份文件校验失败！"));
        return;
    } catch (const std::exception& e) {
        // A copy that could not be made is not reported to the user; the reason goes to the log.
        qWarning().noquote() << exceptionText(e);
        return;
    }
    ShowInfo(QStringLiteral("数据库备份完成!"));
}

void Tbakform::readListClick()
{
    ListBox1->clear();
    const QString folder = restoreFolder();
    if (folder.isEmpty()) {
        ShowError(QStringLiteral("请选择备份路径！"));
    } else {
        for (const backup::Entry& entry : backup::listBackups(folder)) {
            auto* item = new QListWidgetItem(QStringLiteral("%1    %2").arg(entry.date, backup::describe(entry)));
            item->setData(Qt::UserRole, entry.date);
            ListBox1->addItem(item);
        }
    }
    GroupBox2->setTitle(ListBox1->count() == 0 ? QStringLiteral("没有可恢复的备份")
                                               : QStringLiteral("可恢复的备份列表"));
}

void Tbakform::restoreClick()
{
    const QString folder = restoreFolder();
    if (folder.isEmpty()) {
        ShowError(QStringLiteral("请选择备份路径！"));
        return;
    }
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    if (selected.isEmpty()) {
        ShowInfo(QStringLiteral("请先选择要还原的文件！"));
        return;
    }
    // Looked up in the folder the page names now, which may not be the one the list was read from.
    const QString file = backup::listedFile(folder, selected.first()->data(Qt::UserRole).toString());
    if (file.isEmpty() || !dbfile::check(file).sound()) {
        ShowError(QStringLiteral("你选择的文件已被破坏或删除，请重新选择！"));
        return;
    }
    if (!AskYesNo(QStringLiteral("这个操作会覆盖现有的数据库,\n并且覆盖之后数据不能恢复!!!\n你还要继续吗？"))) {
        return;
    }
    try {
        dbfile::restoreDatabase(*m_context.dm().db, file);
        ShowInfo(QStringLiteral("数据库恢复成功"));
    } catch (const std::exception& e) {
        qWarning().noquote() << exceptionText(e);
        ShowError(QStringLiteral("数据库恢复失败"));
    }
    try {
        m_context.dm().db->open();
    } catch (const std::exception& e) {
        qWarning().noquote() << exceptionText(e);
        ShowError(QStringLiteral("打开数据库出错！"));
        return;
    }
    accept();
}
