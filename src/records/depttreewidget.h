#pragma once

#include "records/depttree.h"

class QTreeWidget;
class QTreeWidgetItem;

/// Moves the department tree between its plain form and the tree controls of the two windows.
namespace depttreewidget {

/// Replaces the control's items with the tree; `editable` lets labels be renamed in place.
void fill(QTreeWidget* widget, const DeptForest& tree, bool editable = false);
DeptForest read(const QTreeWidget* widget);

/// 0 for a first-level item, 1 for its children and so on.
int level(const QTreeWidgetItem* item);
/// The texts from the first level down to the item.
QStringList pathTexts(const QTreeWidgetItem* item);

} // namespace depttreewidget
