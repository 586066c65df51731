#pragma once

#include <QString>

namespace engine {
class Database;
}

namespace safety {

/// What the close-time option asks for when the main window is closed.
enum class CloseAction
{
    CopyAndClose,  ///< "backup": make the last-use copy, then close
    Close,         ///< "exit": close without a copy
    AskExitDialog, ///< anything else: show the exit dialog; it decides
};

/// Reads roster.ini onclose/option.
CloseAction closeAction();

/// apppath + "roster.lst".
QString lastUsePath();

/// Makes the last-use copy of the database the connection uses (open or closed): a consistent
/// copy, checked, and only then put in roster.lst's place, so a damaged database never replaces a
/// good copy. A failed copy is not an error for anyone: the close goes on, the older copy stays and
/// the reason goes to qWarning. Returns whether it worked.
bool copyToLastUse(engine::Database& db);

} // namespace safety
