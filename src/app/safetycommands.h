#pragma once

class Tmainform;
class WindowContext;

/// Connects the main window's entries for the database file (backup, restore, compaction, repair) to their windows.
void bindSafetyCommands(Tmainform& mainform, WindowContext& context);
