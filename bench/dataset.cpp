// bench/dataset: the data store's figures at N persons (default 100 000, each with detail rows),
// every one beside the same work done with the plain SQLite C API in the same run.
//
//   dataset [N]
//
// This program includes sqlite3.h for the baseline only: the baseline is what SQLite alone does,
// not the product.

#include "benchdb.h"

#include "data/dmunit.h"
#include "platform/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace {

QTextStream out(stdout);

using benchdb::best;
using benchdb::check;
using benchdb::exec;
using benchdb::kilobytes;
using benchdb::ms;

/// Baseline: prepare, step the rows wanted, read every column of the last row stepped.
int baselineSelect(sqlite3* db, const char* sql, bool toEnd)
{
    sqlite3_stmt* stmt = nullptr;
    check(sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr), db);
    int rows = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        ++rows;
        if (!toEnd) {
            break;
        }
    }
    if (rows) {
        volatile int bytes = 0;
        for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
            bytes += sqlite3_column_bytes(stmt, c);
        }
    }
    sqlite3_finalize(stmt);
    return rows;
}

int spanYears(const char* text, const QDateTime& now)
{
    int y = 0;
    int m = 0;
    int d = 0;
    const QDate from = sscanf(text, "%4d-%2d-%2d", &y, &m, &d) == 3 ? QDate(y, m, d) : QDate();
    if (!from.isValid() || !(now > QDateTime(from, QTime(0, 0), Qt::UTC))) {
        return 0;
    }
    const double days = double(from.daysTo(now.date())) + now.time().msecsSinceStartOfDay() / 86400000.0;
    return int(qint64(std::floor(days / 30.4375)) / 12);
}

void baselineRecalc(sqlite3* db)
{
    exec(db, "BEGIN");
    sqlite3_stmt* read = nullptr;
    sqlite3_stmt* write = nullptr;
    sqlite3_prepare_v2(db, "SELECT rowid, birth, date1, date2 FROM person", -1, &read, nullptr);
    sqlite3_prepare_v2(db, "UPDATE person SET age=?1, workage=?2, hereworkage=?3 WHERE rowid=?4", -1, &write, nullptr);
    std::vector<std::array<qint64, 4>> rows;
    const QDateTime local = QDateTime::currentDateTime();
    const QDateTime now(local.date(), local.time(), Qt::UTC);
    while (sqlite3_step(read) == SQLITE_ROW) {
        std::array<qint64, 4> row{};
        for (int c = 1; c <= 3; ++c) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(read, c));
            row[size_t(c - 1)] = text ? spanYears(text, now) : 0;
        }
        row[3] = sqlite3_column_int64(read, 0);
        rows.push_back(row);
    }
    sqlite3_finalize(read);
    for (const auto& row : rows) {
        for (int c = 0; c < 4; ++c) {
            sqlite3_bind_int64(write, c + 1, row[size_t(c)]);
        }
        check(sqlite3_step(write), db);
        sqlite3_reset(write);
    }
    sqlite3_finalize(write);
    exec(db, "COMMIT");
}

void line(const QString& what, double dataset, double baseline)
{
    benchdb::printLine(out, what, dataset, baseline);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int persons = argc > 1 ? std::max(1, atoi(argv[1])) : 100000;
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("roster5.dat"));

    const double build = ms([&] { benchdb::buildDatabase(path, persons); });
    out << "persons: " << persons << "  (family 2, history 1, contract 1 each); file " << QFileInfo(path).size() / 1024
        << " KiB, built in " << QString::number(build / 1000.0, 'f', 1) << " s" << Qt::endl;
    out << "rss after building: " << kilobytes("VmRSS:") / 1024 << " MiB" << Qt::endl << Qt::endl;

    sqlite3* raw = nullptr;
    check(sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, SQLITE_OPEN_READWRITE, nullptr), raw);

    paths::setAppPath(dir.path());
    Tdm dm;
    dm.db->setFileName(path);
    dm.db->open();

    benchdb::printHeader(out, QStringLiteral("dataset"));

    engine::Query& q = *dm.personquery; // filter "status=1", order "id"
    double open = best(3, [&] {
        q.close();
        q.open();
        (void)q.field(QStringLiteral("name")).asString();
    });
    double openBase = best(3, [&] { baselineSelect(raw, "SELECT * FROM person WHERE status=1 ORDER BY id", false); });
    line(QStringLiteral("open, filter status=1, order id, 1st row"), open, openBase);

    int count = 0;
    double countMs = best(3, [&] { count = q.recordCount(); });
    double countBase = best(3, [&] {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(raw, "SELECT count(*) FROM person WHERE status=1", -1, &stmt, nullptr);
        sqlite3_step(stmt);
        sqlite3_finalize(stmt);
    });
    line(QStringLiteral("record count (%1)").arg(count), countMs, countBase);

    double last = best(3, [&] {
        q.first();
        q.last();
        (void)q.field(QStringLiteral("name")).asString();
    });
    double lastBase = best(3, [&] { baselineSelect(raw, "SELECT * FROM person WHERE status=1 ORDER BY id", true); });
    line(QStringLiteral("move to the last row"), last, lastBase);

    int likeCount = 0;
    double like = best(3, [&] {
        q.close();
        q.setMacro(QStringLiteral("where"), QStringLiteral("WHERE name LIKE \"张*\""));
        q.open();
        (void)q.field(QStringLiteral("name")).asString();
        likeCount = q.recordCount();
    });
    double likeBase = best(
        3, [&] { baselineSelect(raw, "SELECT * FROM person WHERE name LIKE '张%' AND status=1 ORDER BY id", false); });
    line(QStringLiteral("reopen WHERE name LIKE \"张*\" (%1 rows)").arg(likeCount), like, likeBase);
    q.close();

    // Writes: the baseline first, then the data module over the same rows.
    double recalcBase = ms([&] { baselineRecalc(raw); });
    double recalc = ms([&] { dm.recalcages(); });
    line(QStringLiteral("recalcages over all persons"), recalc, recalcBase);

    // Grid painting: 40 visible rows at 200 places spread over the whole set.
    q.close();
    q.clearMacro(QStringLiteral("where"));
    q.open();
    double paint = ms([&] {
        const int rows = q.rowCount();
        for (int spot = 0; spot < 200; ++spot) {
            const int top = int(qint64(rows - 40) * spot / 200);
            for (int r = top; r < top + 40; ++r) {
                for (int c = 0; c < 6; ++c) {
                    (void)q.peek(r, c);
                }
            }
        }
    });
    out << Qt::endl
        << "grid: 200 screens of 40 rows x 6 columns read through peek: " << QString::number(paint, 'f', 1) << " ms"
        << Qt::endl;

    sqlite3_close(raw);
    out << "peak resident memory: " << kilobytes("VmHWM:") / 1024 << " MiB" << Qt::endl;
    return 0;
}
