#pragma once

class QWidget;

/// Moves a window so that its frame stands in the middle of the work area of its screen.
void centreOnScreen(QWidget& window);
