#pragma once

#include <QString>
#include <QStringList>

namespace engine {

/// Builds a new database file from SQL scripts (run in one transaction). Used by the
/// installation tool only; the program itself never creates a database. Refuses to replace an
/// existing file. Throws DbError or FileError.
void createDatabaseFile(const QString& path, const QStringList& scripts);

} // namespace engine
