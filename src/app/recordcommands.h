#pragma once

class Tmainform;

/// Connects the main window's entries for personnel records to their windows.
void bindRecordCommands(Tmainform& mainform);
