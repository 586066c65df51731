#pragma once

#include "data/dmunit.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "support/testdb.h"

#include <QDir>
#include <QJsonDocument>
#include <QProcess>
#include <QtTest>

/// A temporary installation for the export: a database with three persons (one departed), a
/// sysdata.ini whose section `export` also holds a caption over no field and one over an empty
/// name, and the data module on it.
namespace exportfixture {

// 007 keeps its leading zeros only as text; 张三's address needs escaping; 王五 has left; 한 and 😀
// are outside GBK.
inline const char* const persons = "INSERT INTO person(ID,name,birth,addr,age,status) VALUES"
                                   " ('007','张三','1980-05-01','a<b & \"c\"',46,1),"
                                   " ('A002','李四',NULL,NULL,NULL,1),"
                                   " ('A003','王五한😀','1990-01-31','x',36,2);";

inline const QStringList sysdata = {QStringLiteral("[export]"),        QStringLiteral("工号=ID"),
                                    QStringLiteral("姓名=name"),       QStringLiteral("出生日期=birth"),
                                    QStringLiteral("家庭住址=addr"),   QStringLiteral("年龄=age"),
                                    QStringLiteral("无此字段=nosuch"), QStringLiteral("空字段=")};

/// Opens the data module on the installation's database.
inline void connect(Tdm& dm, const testdb::TempFile& file)
{
    dm.db->setFileName(file.path());
    dm.loginright = QStringLiteral("admin");
    dm.db->open();
}

/// Puts the person query where a search leaves it: `where` set, filter status=1, open.
inline void search(Tdm& dm, const QString& condition)
{
    dm.personquery->close();
    dm.personquery->setMacro(QStringLiteral("where"), QStringLiteral("WHERE ") + condition);
    dm.personquery->open();
}

/// The folder: database, data/sysdata.ini and reports/; `apppath` points at it.
struct Folder
{
    Folder() : file(QString::fromUtf8(persons))
    {
        paths::setAppPath(file.folder());
        QDir(file.folder()).mkpath(QStringLiteral("data"));
        QDir(file.folder()).mkpath(QStringLiteral("reports"));
        textfile::writeLines(paths::sysinifile(), sysdata);
    }
    QString folder() const { return file.folder(); }

    testdb::TempFile file;
};

/// The folder with a data module of its own on it.
struct Installation : Folder
{
    Installation() { connect(dm, file); }
    void search(const QString& condition) { exportfixture::search(dm, condition); }

    Tdm dm;
};

/// A document read back by python-docx or openpyxl (tests/exchange/exportreadback.py).
inline QJsonDocument readBack(const QString& kind, const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("/usr/bin/python3"),
                  {QStringLiteral(ROSTER_SOURCE_DIR "/tests/exchange/exportreadback.py"), kind, path});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        qWarning().noquote() << process.readAllStandardError();
        return {};
    }
    return QJsonDocument::fromJson(process.readAllStandardOutput());
}

/// The rows of a read-back workbook as texts.
inline QList<QStringList> workbookRows(const QJsonDocument& book, const char* key = "rows")
{
    QList<QStringList> rows;
    for (const QJsonValue& row : book[QLatin1String(key)].toArray()) {
        QStringList cells;
        for (const QJsonValue& cell : row.toArray()) {
            cells << (cell.isString() ? cell.toString() : QString::number(cell.toDouble()));
        }
        rows << cells;
    }
    return rows;
}

/// The table of a read-back document (its first "table" block), and the paragraphs around it.
inline QList<QStringList> documentTable(const QJsonDocument& document)
{
    for (const QJsonValue& block : document.array()) {
        if (block[QLatin1String("table")].isArray()) {
            QList<QStringList> rows;
            for (const QJsonValue& row : block[QLatin1String("table")].toArray()) {
                QStringList cells;
                for (const QJsonValue& cell : row.toArray()) {
                    cells << cell.toString();
                }
                rows << cells;
            }
            return rows;
        }
    }
    return {};
}

} // namespace exportfixture
