#include "records/setform5.h"

#include "app/windowcontext.h"
#include "platform/errorboundary.h"
#include "platform/errors.h"
#include "platform/interaction.h"
#include "records/activationwatcher.h"
#include "records/basedata.h"
#include "records/deptdropform.h"
#include "records/depttree.h"
#include "records/depttreewidget.h"
#include "records/recordstyle.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

Tsetform5::Tsetform5(WindowContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      m_context(context)
{
    setObjectName(QStringLiteral("Setform5"));
    setModal(true);
    recordstyle::fixAndCentre(this, 299, 375);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("TreeGroupBox"));
    GroupBox1->setGeometry(6, 2, 192, 280);
    TreeView1 = new QTreeWidget(GroupBox1);
    TreeView1->setObjectName(QStringLiteral("TreeView1TreeWidget"));
    TreeView1->setGeometry(6, 20, 180, 255);
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);

    BitBtn1 = new QPushButton(QStringLiteral("修改"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1PushButton"));
    BitBtn1->setGeometry(204, 8, 88, 26);
    BitBtn2 = new QPushButton(QStringLiteral("删除"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2PushButton"));
    BitBtn2->setGeometry(204, 36, 88, 26);
    recordstyle::makeHintBox(this, 204, 64, 88, 190);
    BitBtn3 = new QPushButton(QStringLiteral("退出"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3PushButton"));
    BitBtn3->setGeometry(204, 256, 88, 26);

    auto* entryBox = new QGroupBox(QStringLiteral("这里输入你要添加的条目"), this);
    entryBox->setObjectName(QStringLiteral("EntryGroupBox"));
    entryBox->setGeometry(6, 286, 287, 82);
    Edit1 = new QLineEdit(entryBox);
    Edit1->setObjectName(QStringLiteral("Edit1LineEdit"));
    Edit1->setGeometry(8, 20, 170, 26);
    Button1 = new QPushButton(QStringLiteral("新建部门"), entryBox);
    Button1->setObjectName(QStringLiteral("Button1PushButton"));
    Button1->setGeometry(184, 19, 96, 28);
    Edit2 = new QLineEdit(entryBox);
    Edit2->setObjectName(QStringLiteral("Edit2LineEdit"));
    Edit2->setGeometry(8, 50, 170, 26);
    Button2 = new QPushButton(QStringLiteral("新建下属部门"), entryBox);
    Button2->setObjectName(QStringLiteral("Button2PushButton"));
    Button2->setGeometry(184, 49, 96, 28);

    // Enter belongs to the two boxes, not to a default button.
    for (QPushButton* button : {BitBtn1, BitBtn2, BitBtn3, Button1, Button2}) {
        button->setAutoDefault(false);
    }
    recordstyle::bindListKeys(
        TreeView1, [this] { BitBtn1Click(); }, [this] { BitBtn2Click(); });
    m_watcher = new ActivationWatcher(this);

    connect(BitBtn1, &QPushButton::clicked, this, guarded(this, &Tsetform5::BitBtn1Click));
    connect(BitBtn2, &QPushButton::clicked, this, guarded(this, &Tsetform5::BitBtn2Click));
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::close);
    connect(Button1, &QPushButton::clicked, this, guarded(this, &Tsetform5::Button1Click));
    connect(Button2, &QPushButton::clicked, this, guarded(this, &Tsetform5::Button2Click));
    connect(Edit1, &QLineEdit::returnPressed, this, guarded(this, &Tsetform5::Button1Click));
    connect(Edit2, &QLineEdit::returnPressed, this, guarded(this, &Tsetform5::Button2Click));
    connect(m_watcher, &ActivationWatcher::entered, this, guarded(this, &Tsetform5::enteredWindow));
    connect(m_watcher, &ActivationWatcher::left, this, guarded(this, &Tsetform5::leftWindow));

    applyRight();
}

Tsetform5::~Tsetform5()
{
    // Going away is not leaving: the hide that destruction brings must not write anything.
    delete m_watcher;
}

void Tsetform5::applyRight()
{
    m_guest = m_context.isGuest();
    const bool locked = !canChange();
    for (QPushButton* button : {BitBtn1, BitBtn2, Button1, Button2}) {
        button->setEnabled(!locked);
    }
    Edit1->setReadOnly(locked);
    Edit2->setReadOnly(locked);
    TreeView1->setEditTriggers(locked ? QAbstractItemView::NoEditTriggers
                                      : QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
}

void Tsetform5::showEvent(QShowEvent* event)
{
    const QString caption = deptLabelText() + QStringLiteral("类型设置");
    setWindowTitle(caption);
    GroupBox1->setTitle(caption);
    applyRight();
    QDialog::showEvent(event);
    Edit1->setFocus();
}

void Tsetform5::loadTree()
{
    DeptForest tree = depttreewidget::read(TreeView1);
    try {
        depttree::readFile(depttree::deptfile(), tree);
    } catch (...) {
        depttreewidget::fill(TreeView1, tree, !m_guest);
        throw;
    }
    depttreewidget::fill(TreeView1, tree, !m_guest);
}

void Tsetform5::saveTree()
{
    const DeptForest tree = depttreewidget::read(TreeView1);
    m_context.deptPicker().setTree(tree);
    depttree::writeFile(depttree::deptfile(), tree);
}

void Tsetform5::Button1Click()
{
    if (!canChange() || Edit1->text().isEmpty()) {
        return;
    }
    auto* item = new QTreeWidgetItem(QStringList{Edit1->text()});
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    QTreeWidgetItem* top = TreeView1->itemAt(0, 0);
    if (top != nullptr && top->parent() != nullptr) {
        top->parent()->addChild(item);
    } else {
        TreeView1->addTopLevelItem(item);
    }
    Edit1->clear();
}

void Tsetform5::Button2Click()
{
    if (!canChange() || Edit2->text().isEmpty()) {
        return;
    }
    QTreeWidgetItem* selected = TreeView1->currentItem();
    if (selected == nullptr || !selected->isSelected()) {
        ShowInfo(QStringLiteral("请先确定要在哪个部门下建立！"));
        return;
    }
    if (depttreewidget::level(selected) > 1) {
        ShowInfo(QStringLiteral("最多只能建2级下属部门"));
        Edit2->clear();
        return;
    }
    auto* item = new QTreeWidgetItem(QStringList{Edit2->text()});
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    selected->addChild(item);
    selected->setExpanded(true);
    Edit2->clear();
}

void Tsetform5::BitBtn1Click()
{
    QTreeWidgetItem* selected = TreeView1->currentItem();
    if (!canChange() || selected == nullptr || !selected->isSelected()) {
        return;
    }
    TreeView1->editItem(selected);
}

void Tsetform5::BitBtn2Click()
{
    QTreeWidgetItem* selected = TreeView1->currentItem();
    if (!canChange() || selected == nullptr || !selected->isSelected()) {
        return;
    }
    delete selected;
}

void Tsetform5::enteredWindow()
{
    try {
        loadTree();
        m_unreadable = false;
        applyRight();
    } catch (const std::exception& e) {
        // A tree not read whole is never written back: it would lose every department after the
        // bad line. The editor only shows it until the file is mended; a missing file is
        // written anew on leaving.
        m_unreadable = QFileInfo::exists(depttree::deptfile());
        applyRight();
        if (m_told && m_unreadable) {
            return;
        }
        m_told = m_unreadable;
        QString text = depttree::readErrorText(e);
        if (m_unreadable && dynamic_cast<const depttree::LevelError*>(&e) == nullptr) {
            text += QStringLiteral("\n\n部门文件没有全部读入，在此之前部门只能查看，不能修改。");
        }
        m_watcher->setSuspended(true);
        ShowError(text);
        m_watcher->setSuspended(false);
    }
}

void Tsetform5::leftWindow()
{
    if (m_unreadable) {
        return;
    }
    try {
        saveTree();
    } catch (const std::exception& e) {
        showException(e);
    }
}
