#pragma once

class Tdm;
class Tmainform;

/// Connects the main window's entries for the database file (backup, restore, compaction, repair) to their windows.
void bindSafetyCommands(Tmainform& mainform, Tdm& dm);
