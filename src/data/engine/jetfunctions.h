#pragma once

struct sqlite3;

namespace jet {

/// Registers on a connection the functions the translated SQL calls: the Jet `like` (2 and 3
/// arguments, taking over SQLite's LIKE operator), concatenation with Jet's Null rule (jet_cat),
/// date arithmetic on ISO text (jet_daysadd, jet_daysdiff), Date()/Now()/Time() in local time, and
/// jet_* stand-ins for Jet's functions (Year ... DateDiff, Left/Right/Mid, InStr, Val, Nz, Format ...).
/// Call it again after anything that resets SQLite's own LIKE (PRAGMA case_sensitive_like).
void registerFunctions(sqlite3* db);

} // namespace jet
