#include "exchange/workbookwriter.h"

#include "platform/errors.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace exporting {

namespace {

/// The longest text a spreadsheet cell holds.
constexpr qsizetype CellLimit = 32767;
/// Column widths follow the heading and the first rows, in characters (a Chinese one counts two).
constexpr unsigned MeasuredRows = 1000;
constexpr double NarrowestColumn = 8.43;
constexpr double WidestColumn = 60;

double displayWidth(const QString& text)
{
    double width = 0;
    for (const QChar c : text) {
        width += c.unicode() >= 0x2E80 ? 2 : 1;
    }
    return width;
}

[[noreturn]] void failed(const QString& path, const QString& reason)
{
    throw FileError(QStringLiteral("无法写入文件 %1：%2").arg(QDir::toNativeSeparators(path), reason));
}

} // namespace

WorkbookWriter::WorkbookWriter(const QString& path) : m_path(path)
{
    // A name of our own beside the target, so that the finished workbook replaces it in one step.
    // The library creates the file itself, with the permissions any new file gets.
    {
        QTemporaryFile work(
            QFileInfo(path).absoluteDir().filePath(QStringLiteral(".%1.XXXXXX").arg(QFileInfo(path).fileName())));
        if (!work.open()) {
            failed(path, work.errorString());
        }
        m_workPath = work.fileName();
    }

    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    m_workbook = workbook_new_opt(QFile::encodeName(m_workPath).constData(), &options);
    if (m_workbook != nullptr) {
        m_sheet = workbook_add_worksheet(m_workbook, nullptr);
        m_text = workbook_add_format(m_workbook);
    }
    if (m_sheet == nullptr || m_text == nullptr) {
        failed(path, QStringLiteral("无法创建工作簿"));
    }
    format_set_num_format(m_text, "@");
}

WorkbookWriter::~WorkbookWriter()
{
    if (m_workbook != nullptr) {
        // An export that failed: the library's close releases its memory and work files.
        workbook_close(m_workbook);
    }
    QFile::remove(m_workPath);
}

void WorkbookWriter::heading(const QStringList& captions)
{
    row(captions);
}

void WorkbookWriter::record(const QStringList& values)
{
    row(values);
}

void WorkbookWriter::row(const QStringList& texts)
{
    if (m_row <= MeasuredRows) {
        m_widths.resize(std::max(m_widths.size(), size_t(texts.size())), NarrowestColumn);
        for (int column = 0; column < texts.size(); ++column) {
            m_widths[size_t(column)] = std::max(m_widths[size_t(column)], displayWidth(texts[column]) + 2);
        }
    }
    for (int column = 0; column < texts.size(); ++column) {
        const QByteArray text = texts[column].left(CellLimit).toUtf8();
        const lxw_error error = worksheet_write_string(m_sheet, m_row, lxw_col_t(column), text.constData(), m_text);
        if (error != LXW_NO_ERROR) {
            failed(m_path, QString::fromUtf8(lxw_strerror(error)));
        }
    }
    ++m_row;
}

void WorkbookWriter::finish()
{
    for (size_t column = 0; column < m_widths.size(); ++column) {
        worksheet_set_column(m_sheet, lxw_col_t(column), lxw_col_t(column), std::min(m_widths[column], WidestColumn),
                             nullptr);
    }
    const lxw_error error = workbook_close(m_workbook);
    m_workbook = nullptr;
    if (error != LXW_NO_ERROR) {
        failed(m_path, QString::fromUtf8(lxw_strerror(error)));
    }
    if (std::rename(QFile::encodeName(m_workPath).constData(), QFile::encodeName(m_path).constData()) != 0) {
        failed(m_path, QString::fromLocal8Bit(std::strerror(errno)));
    }
}

} // namespace exporting
