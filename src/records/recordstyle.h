#pragma once

#include <QString>

#include <functional>

class QGroupBox;
class QWidget;

/// Pieces the two side-file editors share.
namespace recordstyle {

/// The hint both editors show in their "提示" box.
QString hintText();

/// The "提示" group box with the hint, placed at the given geometry inside `parent`.
QGroupBox* makeHintBox(QWidget* parent, int x, int y, int width, int height);

/// Editors are fixed-size, always on top and centred on the screen.
void fixAndCentre(QWidget* window, int width, int height);

/// The list's own keys: Insert runs `insertKey`, Delete runs `deleteKey`; other keys pass.
void bindListKeys(QWidget* list, std::function<void()> insertKey, std::function<void()> deleteKey);

} // namespace recordstyle
