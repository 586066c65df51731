#pragma once

class Tmainform;

/// Connects the main window's entries for the office tools (setup, tools menu editor, mail and
/// web dialogs) to their windows.
void bindToolCommands(Tmainform& mainform);

/// Creates the address entry window (start-up) and connects the entries of the address book
/// and the notepad, whose windows are made on first use and kept for the run.
void bindOfficeCommands(Tmainform& mainform);
