#pragma once

#include <QString>

/// The database schema the program was built with (install/schema.sql), raw SQLite SQL.
QString schemaSql();
