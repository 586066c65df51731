// bench/browser: the personnel browser over N persons (default 100 000, each with detail rows):
// showing it until the person list has painted its first rows, moving to another person by
// clicking a row, scrolling the list to the end, and the peak memory; every figure beside the
// same work done with the plain SQLite C API in the same run.
//
//   QT_QPA_PLATFORM=offscreen browser [N]
//
// This program includes sqlite3.h for the baseline, which is what SQLite alone does, not the
// product, and to list the product's own slow statements during the first show (a profile
// trace on the data module's connection, read only).

#include "benchdb.h"

#include "app/windowcontext.h"
#include "data/dmunit.h"
#include "data/engine/datasetmodel.h"
#include "dataaware/datagrid.h"
#include "platform/interaction.h"
#include "platform/paths.h"
#include "records/tworkerform.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>

#include <sqlite3.h>

#include <algorithm>
#include <vector>

using benchdb::check;
using benchdb::kilobytes;
using benchdb::ms;

namespace {

QTextStream out(stdout);

/// Notes that a widget received a paint event; the paint itself is done once the event loop
/// returns from delivering it.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }

    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            painted = true;
        }
        return false;
    }
};

/// Runs the event loop until `watch` has seen a paint (then the paint is complete).
void untilPainted(PaintWatch& watch)
{
    QElapsedTimer guard;
    guard.start();
    while (!watch.painted) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (guard.elapsed() > 30000) {
            qFatal("the person list was not painted within 30 s");
        }
    }
    // Whatever else the same round posted (the rest of the window) is painted as well.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

/// The installation's data folder beside the database: the browser reads sysdata.ini and the
/// code lists, the department picker the department file.
void copyDataFolder(const QString& home)
{
    const QDir source(QStringLiteral(ROSTER_SOURCE_DIR "/install/roster/data"));
    QDir(home).mkpath(QStringLiteral("data"));
    for (const QString& name : source.entryList(QDir::Files)) {
        QFile::copy(source.filePath(name), QDir(home).filePath(QStringLiteral("data/") + name));
    }
}

struct DetailTable
{
    int page;
    const char* table;
    const char* key;
    const char* order;
};

// The browser's detail pages, with the key and order of their queries in the data module.
const DetailTable kDetails[] = {
    {1, "family", "id", "name"},
    {2, "history", "id", "date1"},
    {3, "honor", "id", "sorts"},
    {4, "assess", "id", "tech"},
    {5, "train", "id", "mode"},
    {6, "contracts", "person_id", "start_date"},
    {7, "redeployments", "person_id", "id DESC"},
};

/// Baseline: prepare, bind the text parameters, step `limit` rows (all with -1), read every
/// column of each row stepped; returns the first column of the first row.
QByteArray select(sqlite3* db, const QByteArray& sql, const QList<QByteArray>& params = {}, int limit = -1,
                  int* rowsOut = nullptr)
{
    sqlite3_stmt* stmt = nullptr;
    check(sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr), db);
    for (int i = 0; i < params.size(); ++i) {
        sqlite3_bind_text(stmt, i + 1, params[i].constData(), int(params[i].size()), SQLITE_STATIC);
    }
    QByteArray first;
    int rows = 0;
    volatile int bytes = 0;
    while ((limit < 0 || rows < limit) && sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
            (void)sqlite3_column_text(stmt, c);
            bytes += sqlite3_column_bytes(stmt, c);
        }
        if (rows == 0) {
            first = QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
        }
        ++rows;
    }
    sqlite3_finalize(stmt);
    if (rowsOut) {
        *rowsOut = rows;
    }
    return first;
}

/// Baseline of showing: the first screen of (name, id) of the persons on the job in ID order,
/// the first person's row and the first row of each of the seven detail tables for that person.
void baselineShow(sqlite3* db, int screenRows)
{
    sqlite3_stmt* stmt = nullptr;
    check(sqlite3_prepare_v2(db, "SELECT name, ID FROM person WHERE status=1 ORDER BY ID LIMIT ?1", -1, &stmt, nullptr),
          db);
    sqlite3_bind_int(stmt, 1, screenRows);
    QByteArray firstId;
    volatile int bytes = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        bytes += sqlite3_column_bytes(stmt, 0) + sqlite3_column_bytes(stmt, 1);
        if (firstId.isEmpty()) {
            firstId = QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1)));
        }
    }
    sqlite3_finalize(stmt);
    select(db, "SELECT * FROM person WHERE ID=?1", {firstId}, 1);
    for (const DetailTable& d : kDetails) {
        select(db, QByteArray("SELECT * FROM ") + d.table + " WHERE " + d.key + "=?1 ORDER BY " + d.order, {firstId},
               1);
    }
}

/// Baseline of a move: the person's row and, on a detail page, that page's rows of the person.
void baselineMove(sqlite3* db, const QByteArray& id, int page)
{
    select(db, "SELECT * FROM person WHERE ID=?1", {id}, 1);
    for (const DetailTable& d : kDetails) {
        if (d.page == page) {
            select(db, QByteArray("SELECT * FROM ") + d.table + " WHERE " + d.key + "=?1 ORDER BY " + d.order, {id});
        }
    }
}

struct SlowStatement
{
    QString sql;
    double ms;
};
QList<SlowStatement> g_slowStatements;

int traceSlow(unsigned, void*, void* stmt, void* nanoseconds)
{
    const double took = double(*static_cast<sqlite3_int64*>(nanoseconds)) / 1e6;
    if (took >= 2.0) {
        g_slowStatements.append({QString::fromUtf8(sqlite3_sql(static_cast<sqlite3_stmt*>(stmt))).left(110), took});
    }
    return 0;
}

QString pageName(int page)
{
    static const char* const names[] = {"person page", "family",    "history",   "honours", "assessments",
                                        "training",    "contracts", "redeploys", "notes"};
    return QString::fromLatin1(page >= 0 && page <= 8 ? names[page] : "?");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const int persons = argc > 1 ? std::max(1, atoi(argv[1])) : 100000;
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("roster5.dat"));

    const double build = ms([&] { benchdb::buildDatabase(path, persons); });
    copyDataFolder(dir.path());
    out << "persons: " << persons << "  (family 2, history 1, contract 1 each); file " << QFileInfo(path).size() / 1024
        << " KiB, built in " << QString::number(build / 1000.0, 'f', 1) << " s" << Qt::endl;
    out << "rss after building: " << kilobytes("VmRSS:") / 1024 << " MiB" << Qt::endl;

    sqlite3* raw = nullptr;
    check(sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, SQLITE_OPEN_READWRITE, nullptr), raw);

    paths::setAppPath(dir.path());
    Tdm dm;
    dm.loginright = QStringLiteral("admin");
    dm.db->setFileName(path);
    dm.db->open();

    QWidget owner;
    WindowContext context(dm, interaction::current());
    context.setOwner(&owner);
    const double create = ms([&] { context.createStartupWindows(); });
    Tworkerform* form = &context.workerForm();
    DataGrid* grid = form->personGrid;
    PaintWatch watch(grid->viewport());
    out << "browser created in " << QString::number(create, 'f', 1) << " ms; rss " << kilobytes("VmRSS:") / 1024
        << " MiB" << Qt::endl
        << Qt::endl;

    benchdb::printHeader(out, QStringLiteral("browser"));

    // (1) Showing, the first time: nothing of the browser has been painted or opened yet.
    auto showOnce = [&] {
        watch.painted = false;
        return ms([&] {
            form->show();
            form->activateWindow();
            untilPainted(watch);
        });
    };
    sqlite3_trace_v2(dm.db->handle(), SQLITE_TRACE_PROFILE, traceSlow, nullptr);
    const double firstShow = showOnce();
    sqlite3_trace_v2(dm.db->handle(), 0, nullptr, nullptr);
    const int rowCount = grid->model()->rowCount();
    const int screenRows = grid->viewport()->height() / grid->verticalHeader()->defaultSectionSize() + 1;
    if (rowCount == 0 || grid->indexAt(QPoint(2, 2)).row() != 0 ||
        grid->model()->index(0, 1).data().toString().isEmpty()) {
        qFatal("the person list shows no rows after the first paint");
    }
    const double showBase = benchdb::best(3, [&] { baselineShow(raw, screenRows); });
    benchdb::printLine(out, QStringLiteral("show, first rows painted (first time)"), firstShow, showBase);

    // Shown again, each time from a closed person query (a hide closes the detail queries).
    double againShow = 1e300;
    for (int i = 0; i < 3; ++i) {
        form->hide();
        dm.personquery->close();
        QCoreApplication::processEvents();
        againShow = std::min(againShow, showOnce());
    }
    benchdb::printLine(out, QStringLiteral("show again from a closed list (best of 3)"), againShow, showBase);

    // (2) Moving by a click on another visible row, the detail reselect and the repaint included;
    // once on the person page and once on each detail page.
    out << Qt::endl;
    double worstMove = 0;
    QString worstPage;
    const int visible = std::max(2, std::min(screenRows - 1, rowCount));
    for (int page = 0; page <= 7; ++page) {
        form->pages->setCurrentIndex(page);
        QCoreApplication::processEvents();
        std::vector<double> times;
        std::vector<QByteArray> ids;
        for (int k = 0; k < 10; ++k) {
            const int target = (grid->currentIndex().row() + 1 + (k * 7) % (visible - 1)) % visible;
            watch.painted = false;
            times.push_back(ms([&] {
                grid->setCurrentIndex(grid->model()->index(target, 0));
                untilPainted(watch);
            }));
            if (dm.personquery->currentRow() != target) {
                qFatal("the click on row %d did not move the person query", target);
            }
            ids.push_back(dm.personquery->field(QStringLiteral("id")).asString().toUtf8());
        }
        std::sort(times.begin(), times.end());
        const double median = times[times.size() / 2];
        const double moveBase = benchdb::best(3,
                                              [&] {
                                                  for (const QByteArray& id : ids) {
                                                      baselineMove(raw, id, page);
                                                  }
                                              }) /
                                double(ids.size());
        benchdb::printLine(out, QStringLiteral("move by a click, %1 (median of 10)").arg(pageName(page)), median,
                           moveBase, 2);
        if (times.back() > worstMove) {
            worstMove = times.back();
            worstPage = pageName(page);
        }
    }
    out << "slowest single move: " << QString::number(worstMove, 'f', 1) << " ms (" << worstPage << ")" << Qt::endl;
    form->pages->setCurrentIndex(0);
    QCoreApplication::processEvents();

    // (3) Scrolling to the end: the first time (no row of the end cached yet), then again.
    out << Qt::endl;
    auto scrollOnce = [&] {
        watch.painted = false;
        return ms([&] {
            grid->scrollToBottom();
            untilPainted(watch);
        });
    };
    const double firstScroll = scrollOnce();
    if (grid->verticalScrollBar()->value() != grid->verticalScrollBar()->maximum() ||
        grid->indexAt(QPoint(2, grid->viewport()->height() - 2)).row() < rowCount - screenRows) {
        qFatal("the person list did not scroll to its end");
    }
    const QByteArray lastScreen =
        "SELECT name, ID FROM person WHERE status=1 ORDER BY ID DESC LIMIT " + QByteArray::number(screenRows);
    const double scrollBase = benchdb::best(3, [&] { select(raw, lastScreen); });
    benchdb::printLine(out, QStringLiteral("scroll to the end (first time)"), firstScroll, scrollBase);
    double againScroll = 1e300;
    for (int i = 0; i < 3; ++i) {
        grid->scrollToTop();
        watch.painted = false;
        untilPainted(watch);
        againScroll = std::min(againScroll, scrollOnce());
    }
    benchdb::printLine(out, QStringLiteral("scroll to the end again (best of 3)"), againScroll, scrollBase);

    out << Qt::endl << "statements of the first show that took 2 ms or more:" << Qt::endl;
    for (const SlowStatement& slow : g_slowStatements) {
        out << "  " << qSetFieldWidth(8) << Qt::right << QString::number(slow.ms, 'f', 1) << qSetFieldWidth(0)
            << " ms  " << slow.sql << Qt::endl;
    }
    out << Qt::endl
        << "list: " << rowCount << " persons, " << screenRows << " rows a screen" << Qt::endl
        << "peak resident memory: " << kilobytes("VmHWM:") / 1024 << " MiB" << Qt::endl;

    form->hide();
    sqlite3_close(raw);
    return 0;
}
