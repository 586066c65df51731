#pragma once

// What the benchmarks share: a database of N persons with detail rows, built with the plain
// SQLite C API, the clock and the memory figures, and the printed table.

#include <QString>
#include <QTextStream>

#include <functional>

struct sqlite3;

namespace benchdb {

/// Milliseconds taken by one run of `work`.
double ms(const std::function<void()>& work);
/// The best of a few runs, so that one disturbed run does not decide.
double best(int runs, const std::function<void()>& work);
/// A figure of /proc/self/status in KiB ("VmHWM:", "VmRSS:"), -1 when it cannot be read.
long kilobytes(const char* key);

/// Stops the program with SQLite's message unless `rc` is a success code.
void check(int rc, sqlite3* db);
void exec(sqlite3* db, const char* sql);

/// Creates `path` from install/schema.sql and fills it with `persons` persons (one in ten
/// departed), each with two family rows, one history row and one contract, in one transaction.
/// The same seed every time, so that runs compare.
void buildDatabase(const QString& path, int persons);
/// The ID of the person inserted `i`-th of `persons`: IDs are not in insertion order.
QString personId(int i, int persons);

/// The title line of the table: the first column's caption, then the product's column caption.
void printHeader(QTextStream& out, const QString& product);
/// One figure beside its baseline, the ratio, and the peak resident memory so far.
void printLine(QTextStream& out, const QString& what, double product, double baseline, int decimals = 1);

} // namespace benchdb
