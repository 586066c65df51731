#pragma once

#include <QString>

/// The three user settings the setup dialog edits in roster.ini: the system and company names
/// shown on the main window and the close-time option.
namespace setupsettings {

/// The close-time choices in the dialog's order.
enum class CloseChoice
{
    Backup, ///< "backup": the last-use copy, then close
    Exit,   ///< "exit": close without a copy
    Remind, ///< "none" (and any other stored value): the exit dialog at every close
};

struct Settings
{
    QString system;
    QString company;
    CloseChoice close = CloseChoice::Remind;
};

/// Reads user/system (default "Quillon"), user/company (default "LW工作室") and onclose/option.
Settings read(const QString& rosterini);
/// Writes the three keys; throws FileError when the file cannot be written.
void write(const QString& rosterini, const Settings& settings);

/// "backup", "exit" or "none".
QString optionValue(CloseChoice choice);
CloseChoice choiceOf(const QString& option);

} // namespace setupsettings
