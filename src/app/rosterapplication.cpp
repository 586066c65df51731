#include "app/rosterapplication.h"

#include "platform/errors.h"
#include "platform/interaction.h"

RosterApplication::RosterApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool RosterApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const AbortOp&) {
        // A silent abort ends the action without a message.
    } catch (const std::exception& e) {
        showException(e);
    }
    return false;
}

void showException(const std::exception& e)
{
    ShowError(exceptionText(e));
}
