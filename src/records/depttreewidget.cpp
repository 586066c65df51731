#include "records/depttreewidget.h"

#include <QTreeWidget>

namespace depttreewidget {
namespace {

QTreeWidgetItem* makeItem(const DeptNode& node, bool editable)
{
    auto* item = new QTreeWidgetItem(QStringList{node.text});
    if (editable) {
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
    for (const DeptNode& child : node.children) {
        item->addChild(makeItem(child, editable));
    }
    return item;
}

DeptNode makeNode(const QTreeWidgetItem* item)
{
    DeptNode node{item->text(0), {}};
    for (int i = 0; i < item->childCount(); ++i) {
        node.children.push_back(makeNode(item->child(i)));
    }
    return node;
}

} // namespace

void fill(QTreeWidget* widget, const DeptForest& tree, bool editable)
{
    widget->clear();
    QList<QTreeWidgetItem*> items;
    for (const DeptNode& node : tree) {
        items.append(makeItem(node, editable));
    }
    widget->addTopLevelItems(items);
}

DeptForest read(const QTreeWidget* widget)
{
    DeptForest tree;
    for (int i = 0; i < widget->topLevelItemCount(); ++i) {
        tree.push_back(makeNode(widget->topLevelItem(i)));
    }
    return tree;
}

int level(const QTreeWidgetItem* item)
{
    int n = 0;
    for (const QTreeWidgetItem* p = item->parent(); p != nullptr; p = p->parent()) {
        ++n;
    }
    return n;
}

QStringList pathTexts(const QTreeWidgetItem* item)
{
    QStringList texts;
    for (const QTreeWidgetItem* p = item; p != nullptr; p = p->parent()) {
        texts.prepend(p->text(0));
    }
    return texts;
}

} // namespace depttreewidget
