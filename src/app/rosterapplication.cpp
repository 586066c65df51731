#include "app/rosterapplication.h"

#include "platform/errorboundary.h"

RosterApplication::RosterApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool RosterApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    runGuarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
