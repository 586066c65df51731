#include "platform/errors.h"

QString exceptionText(const std::exception& e)
{
    if (auto* roster = dynamic_cast<const RosterError*>(&e)) {
        return roster->message();
    }
    return QString::fromUtf8(e.what());
}
