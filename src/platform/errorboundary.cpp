#include "platform/errorboundary.h"

#include "platform/errors.h"
#include "platform/interaction.h"

#include <QtGlobal>

namespace errorboundary {

bool runGuarded(const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (const AbortOp&) {
        // A silent abort ends the action without a message.
    } catch (const std::exception& e) {
        showException(e);
    }
    return false;
}

bool ignoreErrors(const char* where, const std::function<void()>& step)
{
    try {
        step();
        return true;
    } catch (const AbortOp&) {
        // Not a failure: the step gave itself up.
    } catch (const std::exception& e) {
        qWarning("%s: %s", where, qUtf8Printable(exceptionText(e)));
    }
    return false;
}

} // namespace errorboundary
