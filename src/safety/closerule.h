#pragma once

#include <QString>

namespace safety {

/// What the close-time option asks for when the main window is closed.
enum class CloseAction
{
    Close,         ///< the window may close (after the copy, for "backup")
    AskExitDialog, ///< show the exit dialog; it decides
};

/// Reads roster.ini onclose/option and, for "backup", makes the last-use copy first.
CloseAction applyCloseRule();

/// Copies apppath + "roster5.dat" over apppath + "roster.lst". A failed copy is not an error
/// for anyone: the close goes on and an older copy stays where it was. Returns whether it worked.
bool copyToLastUse();

} // namespace safety
