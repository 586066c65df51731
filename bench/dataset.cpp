// bench/dataset: the data store's figures at N persons (default 100 000, each with detail rows),
// every one beside the same work done with the plain SQLite C API in the same run.
//
//   dataset [N]
//
// This program includes sqlite3.h for the baseline only: the baseline is what SQLite alone does,
// not the product.

#include "data/dmunit.h"
#include "data/engine/dbfile.h"
#include "platform/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cmath>
#include <functional>

namespace {

QTextStream out(stdout);

double ms(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

/// The best of a few runs, so that one disturbed run does not decide.
double best(int runs, const std::function<void()>& work)
{
    double result = 1e300;
    for (int i = 0; i < runs; ++i) {
        result = std::min(result, ms(work));
    }
    return result;
}

long kilobytes(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key)) {
            return line.mid(qstrlen(key)).trimmed().split(' ').first().toLong();
        }
    }
    return -1;
}

void check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        qFatal("sqlite: %s", sqlite3_errmsg(db));
    }
}

void exec(sqlite3* db, const char* sql)
{
    check(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), db);
}

QString isoDate(QRandomGenerator& random, int fromYear, int toYear)
{
    const QDate date(int(random.bounded(fromYear, toYear + 1)), int(random.bounded(1, 13)), int(random.bounded(1, 29)));
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

void buildDatabase(const QString& path, int persons)
{
    QFile schemaFile(QStringLiteral(ROSTER_SOURCE_DIR "/install/schema.sql"));
    if (!schemaFile.open(QIODevice::ReadOnly)) {
        qFatal("cannot read schema.sql");
    }
    engine::createDatabaseFile(path, {QString::fromUtf8(schemaFile.readAll())});
    sqlite3* db = nullptr;
    check(sqlite3_open(QFile::encodeName(path).constData(), &db), db);
    exec(db, "BEGIN");
    sqlite3_stmt* person = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO person(ID,name,sex,birth,dept,dept_1,duty,date1,date2,status,phone,addr,comments)"
                       " VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?)",
                       -1, &person, nullptr);
    sqlite3_stmt* family = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO family(id,name,relation,date) VALUES(?,?,?,?)", -1, &family, nullptr);
    sqlite3_stmt* history = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO history(id,date1,date2,company) VALUES(?,?,?,?)", -1, &history, nullptr);
    sqlite3_stmt* contract = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO contracts(person_id,contract_no,start_date,end_date) VALUES(?,?,?,?)", -1,
                       &contract, nullptr);
    const QStringList surnames{"张", "王", "李", "赵", "刘", "陈", "杨", "黄", "周", "吴"};
    const QStringList given{"伟", "芳", "娜", "敏", "静", "丽", "强", "磊", "军", "洋", "勇", "艳", "杰", "涛", "明"};
    const QStringList depts{"技术研发部", "生产部", "人力资源部", "财务部", "销售部", "总经理办公室"};
    QRandomGenerator random(20240501);
    auto bindText = [](sqlite3_stmt* stmt, int index, const QString& text) {
        const QByteArray bytes = text.toUtf8();
        sqlite3_bind_text(stmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
    };
    for (int i = 0; i < persons; ++i) {
        // IDs are not in insertion order, so that ORDER BY id has real work to do.
        const QString id = QStringLiteral("P%1").arg((qint64(i) * 7919) % persons, 7, 10, QLatin1Char('0'));
        const QString name = surnames[int(random.bounded(surnames.size()))] + given[int(random.bounded(given.size()))]
                             + given[int(random.bounded(given.size()))];
        bindText(person, 1, id);
        bindText(person, 2, name);
        bindText(person, 3, random.bounded(2) ? QStringLiteral("男") : QStringLiteral("女"));
        bindText(person, 4, isoDate(random, 1955, 2004));
        bindText(person, 5, depts[int(random.bounded(depts.size()))]);
        bindText(person, 6, QStringLiteral("一组"));
        bindText(person, 7, QStringLiteral("职员"));
        bindText(person, 8, isoDate(random, 1975, 2020));
        bindText(person, 9, isoDate(random, 1990, 2024));
        sqlite3_bind_int(person, 10, random.bounded(10) == 0 ? 2 : 1);
        bindText(person, 11, QStringLiteral("0571-8888%1").arg(i % 10000, 4, 10, QLatin1Char('0')));
        bindText(person, 12, QStringLiteral("浙江省杭州市西湖区文三路%1号").arg(i % 500));
        bindText(person, 13, QStringLiteral("备注"));
        check(sqlite3_step(person), db);
        sqlite3_reset(person);
        for (int f = 0; f < 2; ++f) {
            bindText(family, 1, id);
            bindText(family, 2, name + QString::number(f));
            bindText(family, 3, f ? QStringLiteral("子") : QStringLiteral("配偶"));
            bindText(family, 4, isoDate(random, 1950, 2020));
            check(sqlite3_step(family), db);
            sqlite3_reset(family);
        }
        bindText(history, 1, id);
        bindText(history, 2, isoDate(random, 1980, 2000));
        bindText(history, 3, isoDate(random, 2000, 2010));
        bindText(history, 4, QStringLiteral("某某公司"));
        check(sqlite3_step(history), db);
        sqlite3_reset(history);
        bindText(contract, 1, id);
        bindText(contract, 2, QStringLiteral("HT%1").arg(i));
        bindText(contract, 3, isoDate(random, 2015, 2024));
        bindText(contract, 4, isoDate(random, 2025, 2030));
        check(sqlite3_step(contract), db);
        sqlite3_reset(contract);
    }
    sqlite3_finalize(person);
    sqlite3_finalize(family);
    sqlite3_finalize(history);
    sqlite3_finalize(contract);
    exec(db, "COMMIT");
    sqlite3_close(db);
}

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
    out << qSetFieldWidth(44) << Qt::left << what << qSetFieldWidth(12) << Qt::right << QString::number(dataset, 'f', 1)
        << QString::number(baseline, 'f', 1) << QString::number(baseline > 0 ? dataset / baseline : 0.0, 'f', 2)
        << QString::number(kilobytes("VmHWM:") / 1024) << qSetFieldWidth(0) << Qt::endl;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int persons = argc > 1 ? std::max(1, atoi(argv[1])) : 100000;
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("roster5.dat"));

    const double build = ms([&] { buildDatabase(path, persons); });
    out << "persons: " << persons << "  (family 2, history 1, contract 1 each); file "
        << QFileInfo(path).size() / 1024 << " KiB, built in " << QString::number(build / 1000.0, 'f', 1) << " s"
        << Qt::endl;
    out << "rss after building: " << kilobytes("VmRSS:") / 1024 << " MiB" << Qt::endl << Qt::endl;

    sqlite3* raw = nullptr;
    check(sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, SQLITE_OPEN_READWRITE, nullptr), raw);

    paths::setAppPath(dir.path());
    Tdm dm;
    dm.db->setFileName(path);
    dm.db->open();

    out << qSetFieldWidth(44) << Qt::left << "figure (ms)" << qSetFieldWidth(12) << Qt::right << "dataset"
        << "sqlite" << "ratio" << "peak MiB" << qSetFieldWidth(0) << Qt::endl;

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
    double likeBase = best(3, [&] {
        baselineSelect(raw, "SELECT * FROM person WHERE name LIKE '张%' AND status=1 ORDER BY id", false);
    });
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
    out << Qt::endl << "grid: 200 screens of 40 rows x 6 columns read through peek: " << QString::number(paint, 'f', 1)
        << " ms" << Qt::endl;

    sqlite3_close(raw);
    out << "peak resident memory: " << kilobytes("VmHWM:") / 1024 << " MiB" << Qt::endl;
    return 0;
}
