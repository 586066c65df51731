// bench/export: the three export documents of N persons (default 100 000) with ten fields, each
// beside the plain write of the same document in the same run:
//   web page  the same lines from a prepared statement, encoded and written by a plain loop;
//   workbook  libxlsxwriter alone filling the same text cells from a prepared statement;
//   document  the same document body from a prepared statement, zipped by libzip alone.
//
//   export [N]
//
// This program includes sqlite3.h, xlsxwriter.h and zip.h for the baselines only.

#include "benchdb.h"

#include "data/dmunit.h"
#include "exchange/exporter.h"
#include "platform/paths.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTextStream>

#include <sqlite3.h>
#include <xlsxwriter.h>
#include <zip.h>

namespace {

QTextStream out(stdout);

const QStringList Captions = {"工号",     "姓名", "性别",         "出生日期",     "部门",
                              "二级部门", "职务", "参加工作时间", "入本单位时间", "家庭住址"};
const char* const Select = "SELECT ID,name,sex,birth,dept,dept_1,duty,date1,date2,addr FROM person";
constexpr int Columns = 10;

/// Steps through the persons with the plain C API, handing each row's column texts to `row`.
void eachRow(sqlite3* db, const std::function<void(sqlite3_stmt*)>& row)
{
    sqlite3_stmt* stmt = nullptr;
    benchdb::check(sqlite3_prepare_v2(db, Select, -1, &stmt, nullptr), db);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        row(stmt);
    }
    sqlite3_finalize(stmt);
}

QString text(sqlite3_stmt* stmt, int column)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)),
                             sqlite3_column_bytes(stmt, column));
}

void baselineWeb(sqlite3* db, const QString& path)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    QStringEncoder gbk("GBK");
    QByteArray buffer = "<html>\r\n<head>\r\n...\r\n<table class=\"dataTable\"  width=\"1200\" >\r\n  <tr>\r\n";
    for (const QString& caption : Captions) {
        buffer += "     <th width=\"80\">" + gbk(caption) + "</th>\r\n";
    }
    buffer += "  </tr>\r\n";
    eachRow(db, [&](sqlite3_stmt* stmt) {
        buffer += "  <tr>\r\n";
        for (int c = 0; c < Columns; ++c) {
            const QString value = text(stmt, c);
            buffer += value.isEmpty() ? QByteArray("    <td >&nbsp;</td>\r\n") : "    <td >" + gbk(value) + "</td>\r\n";
        }
        buffer += "  </tr>\r\n";
        if (buffer.size() > (1 << 16)) {
            file.write(buffer);
            buffer.clear();
        }
    });
    buffer += "</table>\r\n</body>\r\n</html>\r\n";
    file.write(buffer);
}

void baselineWorkbook(sqlite3* db, const QString& path)
{
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    lxw_format* textFormat = workbook_add_format(workbook);
    format_set_num_format(textFormat, "@");
    for (int c = 0; c < Columns; ++c) {
        worksheet_write_string(sheet, 0, lxw_col_t(c), Captions[c].toUtf8().constData(), textFormat);
    }
    lxw_row_t row = 1;
    eachRow(db, [&](sqlite3_stmt* stmt) {
        for (int c = 0; c < Columns; ++c) {
            const char* value = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
            worksheet_write_string(sheet, row, lxw_col_t(c), value != nullptr ? value : "", textFormat);
        }
        ++row;
    });
    workbook_close(workbook);
}

void baselineDocument(sqlite3* db, const QString& path)
{
    QTemporaryFile body;
    body.open();
    QByteArray buffer = "<?xml version=\"1.0\"?><w:document><w:body><w:tbl>";
    eachRow(db, [&](sqlite3_stmt* stmt) {
        buffer += "<w:tr>";
        for (int c = 0; c < Columns; ++c) {
            const char* value = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
            buffer += value == nullptr ? QByteArray("<w:tc><w:p/></w:tc>")
                                       : QByteArray("<w:tc><w:p><w:r><w:t xml:space=\"preserve\">") + value +
                                             "</w:t></w:r></w:p></w:tc>";
        }
        buffer += "</w:tr>";
        if (buffer.size() > (1 << 16)) {
            body.write(buffer);
            buffer.clear();
        }
    });
    buffer += "</w:tbl></w:body></w:document>";
    body.write(buffer);
    body.flush();
    int error = 0;
    zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    const zip_int64_t index =
        zip_file_add(zip, "word/document.xml",
                     zip_source_file(zip, QFile::encodeName(body.fileName()).constData(), 0, -1), ZIP_FL_OVERWRITE);
    zip_set_file_compression(zip, zip_uint64_t(index), ZIP_CM_DEFLATE, 1);
    zip_close(zip);
}

qint64 fileSize(const QString& path)
{
    return QFileInfo(path).size();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int persons = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    QTemporaryDir dir;
    const QString database = dir.filePath(QStringLiteral("roster5.dat"));
    const double build = benchdb::ms([&] { benchdb::buildDatabase(database, persons); });
    out << "database of " << persons << " persons built in " << qRound(build) << " ms" << Qt::endl;

    paths::setAppPath(dir.path());
    QDir(dir.path()).mkpath(QStringLiteral("data"));
    QDir(dir.path()).mkpath(QStringLiteral("reports"));
    const QStringList fields = {"ID", "name", "sex", "birth", "dept", "dept_1", "duty", "date1", "date2", "addr"};
    QStringList section{QStringLiteral("[export]")};
    for (int i = 0; i < Columns; ++i) {
        section << Captions[i] + u'=' + fields[i];
    }
    textfile::writeLines(paths::sysinifile(), section);

    Tdm dm;
    dm.db->setFileName(database);
    dm.db->open();
    sqlite3* raw = nullptr;
    benchdb::check(sqlite3_open_v2(QFile::encodeName(database).constData(), &raw, SQLITE_OPEN_READONLY, nullptr), raw);

    const exporting::Selection selection = exporting::getinfo(Captions, paths::sysinifile());
    const QString baselinePath = dir.filePath(QStringLiteral("baseline"));
    const struct
    {
        exporting::Format format;
        const char* what;
        void (*baseline)(sqlite3*, const QString&);
    } formats[] = {{exporting::Format::Web, "web page (detail.htm)", baselineWeb},
                   {exporting::Format::Excel, "workbook (detail.xlsx)", baselineWorkbook},
                   {exporting::Format::Word, "document (detail.docx)", baselineDocument}};

    benchdb::printHeader(out, QStringLiteral("export"));
    {
        struct Null : exporting::TableWriter
        {
            void heading(const QStringList&) override {}
            void record(const QStringList&) override {}
            void finish() override {}
        } null;
        const double reading = benchdb::best(3, [&] {
            dm.persontable->close();
            exporting::writeTable(null, selection, exporting::sourceDataset(dm, exporting::Source::AllPersons));
        });
        const double plain = benchdb::best(3, [&] {
            eachRow(raw, [](sqlite3_stmt* s) {
                for (int c = 0; c < Columns; ++c)
                    text(s, c);
            });
        });
        benchdb::printLine(out, QStringLiteral("reading the records only (no file)"), reading, plain, 0);
    }
    for (const auto& format : formats) {
        const QString path = exporting::defaultPath(format.format);
        const double product = benchdb::best(3, [&] {
            // Each run opens the person table as an export after start-up does.
            dm.persontable->close();
            exporting::exportPersons(
                dm, {format.format, exporting::Source::AllPersons, selection, path, QDate::currentDate()});
        });
        const double baseline = benchdb::best(3, [&] { format.baseline(raw, baselinePath); });
        benchdb::printLine(out, QString::fromLatin1(format.what), product, baseline, 0);
        out << "    file " << fileSize(path) / 1024 << " KiB, baseline " << fileSize(baselinePath) / 1024 << " KiB"
            << Qt::endl;
    }
    sqlite3_close(raw);
    return 0;
}
