// This file includes sqlite3.h: the database is built, and the baselines run, with SQLite alone.

#include "benchdb.h"

#include "data/engine/dbfile.h"

#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QStringList>

#include <sqlite3.h>

#include <algorithm>

namespace benchdb {

double ms(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

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

namespace {

QString isoDate(QRandomGenerator& random, int fromYear, int toYear)
{
    const QDate date(int(random.bounded(fromYear, toYear + 1)), int(random.bounded(1, 13)), int(random.bounded(1, 29)));
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace

QString personId(int i, int persons)
{
    return QStringLiteral("P%1").arg((qint64(i) * 7919) % persons, 7, 10, QLatin1Char('0'));
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
        const QString id = personId(i, persons);
        const QString name = surnames[int(random.bounded(surnames.size()))] + given[int(random.bounded(given.size()))] +
                             given[int(random.bounded(given.size()))];
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

void printHeader(QTextStream& out, const QString& product)
{
    out << qSetFieldWidth(44) << Qt::left << "figure (ms)" << qSetFieldWidth(12) << Qt::right << product << "sqlite"
        << "ratio"
        << "peak MiB" << qSetFieldWidth(0) << Qt::endl;
}

void printLine(QTextStream& out, const QString& what, double product, double baseline, int decimals)
{
    out << qSetFieldWidth(44) << Qt::left << what << qSetFieldWidth(12) << Qt::right
        << QString::number(product, 'f', decimals) << QString::number(baseline, 'f', decimals)
        << QString::number(baseline > 0 ? product / baseline : 0.0, 'f', 2)
        << QString::number(kilobytes("VmHWM:") / 1024) << qSetFieldWidth(0) << Qt::endl;
}

} // namespace benchdb
