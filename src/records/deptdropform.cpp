#include "records/deptdropform.h"

#include "app/windowcontext.h"
#include "platform/errorboundary.h"
#include "records/depttreewidget.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTreeWidget>

Tdeptdropform::Tdeptdropform(WindowContext& context) : QDialog(context.owner(), Qt::Popup | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("DeptDropForm"));
    resize(DesignWidth, DesignHeight);

    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName(QStringLiteral("TreeView1TreeWidget"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    TreeView1->setMouseTracking(true); // hot tracking
    TreeView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    TreeView1->setAllColumnsShowFocus(true);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setExpandsOnDoubleClick(false); // a double click picks

    BitBtn1 = new QPushButton(this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1PushButton"));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn1->setToolTip(QStringLiteral("确定"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2PushButton"));
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    BitBtn2->setToolTip(QStringLiteral("取消"));
    BitBtn2->setAutoDefault(false);

    connect(BitBtn1, &QPushButton::clicked, this, guarded(this, &Tdeptdropform::BitBtn1Click));
    connect(BitBtn2, &QPushButton::clicked, this, guarded(this, &Tdeptdropform::BitBtn2Click));
    connect(TreeView1, &QTreeWidget::itemDoubleClicked, this, guarded(this, &Tdeptdropform::BitBtn1Click));
    connect(TreeView1, &QTreeWidget::currentItemChanged, this, [](QTreeWidgetItem* current) {
        if (current != nullptr) {
            current->setExpanded(true);
        }
    });
}

void Tdeptdropform::loadFile(const QString& path)
{
    DeptForest forest = tree();
    try {
        depttree::readFile(path, forest);
    } catch (...) {
        setTree(forest);
        throw;
    }
    setTree(forest);
}

DeptForest Tdeptdropform::tree() const
{
    return depttreewidget::read(TreeView1);
}

void Tdeptdropform::setTree(const DeptForest& tree)
{
    depttreewidget::fill(TreeView1, tree);
}

QStringList Tdeptdropform::firstLevelNames() const
{
    QStringList names;
    for (int i = 0; i < TreeView1->topLevelItemCount(); ++i) {
        names.append(TreeView1->topLevelItem(i)->text(0));
    }
    return names;
}

void Tdeptdropform::BitBtn1Click()
{
    m_ok = true;
    hide();
}

void Tdeptdropform::BitBtn2Click()
{
    m_ok = false;
    hide();
}

void Tdeptdropform::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    TreeView1->setFocus();
}

void Tdeptdropform::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    emit hidden();
}

std::optional<depttree::DeptNames> Tdeptdropform::pickdept(QWidget* control)
{
    const QRect controlRect(control->mapToGlobal(QPoint(0, 0)), control->size());
    QScreen* screen = control->screen() != nullptr ? control->screen() : QGuiApplication::primaryScreen();
    const QRect area =
        screen != nullptr ? screen->availableGeometry() : QRect(controlRect.topLeft(), QSize(10000, 10000));
    // Always from the design size: a picker shrunk for one cramped control is whole again for the next.
    const QRect place = pickerPlacement(controlRect, QSize(DesignWidth, DesignHeight), area);
    setGeometry(place);
    TreeView1->setGeometry(0, 0, 185, place.height());
    BitBtn1->setGeometry(189, 4, 24, 24);
    BitBtn2->setGeometry(189, 32, 24, 24);

    m_ok = false;
    QEventLoop loop;
    connect(this, &Tdeptdropform::hidden, &loop, &QEventLoop::quit);
    show();
    if (isVisible()) {
        loop.exec();
    }

    QTreeWidgetItem* item = TreeView1->currentItem();
    if (!m_ok || item == nullptr || !item->isSelected()) {
        return std::nullopt;
    }
    return depttree::namesForPath(depttreewidget::pathTexts(item));
}
