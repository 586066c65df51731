#pragma once

#include "data/engine/database.h"

#include <QString>
#include <QStringList>

/// The two reminder lists drawn from the personnel data: the persons in service whose birthday
/// falls in the current month, and the contracts of persons in service that end within 30 days.
/// Both are the Jet queries the lists have always run; "today" is the engine's Date().
namespace reminders {

enum class List
{
    Birthdays,
    Contracts,
};

/// The caption of the list's group box (and its heading on the command line).
QString caption(List list);
/// The query's lines, each one SQL line.
QStringList sqlLines(List list);
/// Runs the list's query and reads every row.
engine::ResultSet select(engine::Database& db, List list);

/// How many rows each list has now.
struct Counts
{
    int birthdays = 0;
    int contracts = 0;
    bool any() const { return birthdays > 0 || contracts > 0; }
};
Counts counts(engine::Database& db);

} // namespace reminders
