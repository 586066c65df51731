#include "exchange/resultfile.h"

#include "platform/errors.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <xlsxwriter.h>

namespace resultfile {

namespace {

QList<QStringList> table(const engine::ResultSet& result)
{
    QList<QStringList> rows;
    rows << result.columns;
    for (const QVariantList& row : result.rows) {
        QStringList cells;
        for (int i = 0; i < row.size(); ++i) {
            cells << cellText(row[i], result.declaredTypes.value(i));
        }
        rows << cells;
    }
    return rows;
}

QByteArray textFile(const engine::ResultSet& result)
{
    QStringList lines;
    for (QStringList cells : table(result)) {
        for (QString& cell : cells) {
            // A tab or line break inside a value would start another column or row.
            cell.replace(u'\t', u' ').replace(u'\r', u' ').replace(u'\n', u' ');
        }
        lines << cells.join(u'\t');
    }
    return textfile::joinLines(lines);
}

QString csvField(const QString& text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\r') && !text.contains(u'\n')) {
        return text;
    }
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QByteArray csvFile(const engine::ResultSet& result)
{
    // UTF-8 with a byte order mark, so that spreadsheet programs read the Chinese; CR LF as RFC 4180.
    QByteArray bytes("\xEF\xBB\xBF");
    for (const QStringList& cells : table(result)) {
        QStringList fields;
        for (const QString& cell : cells) {
            fields << csvField(cell);
        }
        bytes += fields.join(u',').toUtf8() + "\r\n";
    }
    return bytes;
}

QByteArray htmlFile(const engine::ResultSet& result, const QString& title)
{
    QString html = QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>%1</title>\n"
                                  "</head>\n<body>\n<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n")
                       .arg(title.toHtmlEscaped());
    const QList<QStringList> rows = table(result);
    for (int r = 0; r < rows.size(); ++r) {
        const QString cellTag = r == 0 ? QStringLiteral("th") : QStringLiteral("td");
        html += QStringLiteral("<tr>");
        for (const QString& cell : rows[r]) {
            html += QStringLiteral("<%1>%2</%1>").arg(cellTag, cell.toHtmlEscaped());
        }
        html += QStringLiteral("</tr>\n");
    }
    html += QStringLiteral("</table>\n</body>\n</html>\n");
    return html.toUtf8();
}

/// RTF text: control characters escaped, every character beyond ASCII as \uN? (UTF-16 units,
/// signed as RTF wants them), line breaks as \line.
QString rtfText(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (c == u'\\' || c == u'{' || c == u'}') {
            out += u'\\';
            out += c;
        } else if (c == u'\n') {
            out += QStringLiteral("\\line ");
        } else if (c == u'\r') {
            continue;
        } else if (u < 0x80) {
            out += c;
        } else {
            out += QStringLiteral("\\u%1?").arg(int(qint16(u)));
        }
    }
    return out;
}

QByteArray rtfFile(const engine::ResultSet& result)
{
    const QList<QStringList> rows = table(result);
    const int columns = int(result.columns.size());
    QString rtf = QStringLiteral("{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}"
                                 "\\uc1\\f0\\fs20\n");
    for (int r = 0; r < rows.size(); ++r) {
        rtf += QStringLiteral("\\trowd\\trgaph108");
        for (int c = 1; c <= columns; ++c) {
            rtf += QStringLiteral("\\clbrdrt\\brdrs\\clbrdrl\\brdrs\\clbrdrb\\brdrs\\clbrdrr\\brdrs\\cellx%1")
                       .arg(c * 1800);
        }
        rtf += u'\n';
        for (const QString& cell : rows[r]) {
            rtf += QStringLiteral("\\pard\\intbl %1%2%3\\cell\n")
                       .arg(r == 0 ? QStringLiteral("{\\b ") : QString(), rtfText(cell),
                            r == 0 ? QStringLiteral("}") : QString());
        }
        rtf += QStringLiteral("\\row\n");
    }
    rtf += QStringLiteral("\\pard\\par\n}\n");
    return rtf.toLatin1();
}

void check(lxw_error error, const QString& path)
{
    if (error != LXW_NO_ERROR) {
        throw FileError(QStringLiteral("无法写入文件 %1：%2").arg(path, QString::fromUtf8(lxw_strerror(error))));
    }
}

QByteArray workbookFile(const engine::ResultSet& result, const QString& path)
{
    // The library writes to a path; the workbook is built in a work folder and then put in place
    // atomically like every other file.
    QTemporaryDir work;
    if (!work.isValid()) {
        throw FileError(QStringLiteral("无法写入文件 %1：%2").arg(path, work.errorString()));
    }
    const QByteArray workPath = QFile::encodeName(work.filePath(QStringLiteral("result.xlsx")));
    lxw_workbook* book = workbook_new(workPath.constData());
    if (!book) {
        throw FileError(QStringLiteral("无法写入文件 %1").arg(path));
    }
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    lxw_error error = LXW_NO_ERROR;
    const auto keep = [&error](lxw_error e) {
        if (error == LXW_NO_ERROR) {
            error = e;
        }
    };
    for (int c = 0; c < result.columns.size(); ++c) {
        keep(worksheet_write_string(sheet, 0, lxw_col_t(c), result.columns[c].toUtf8().constData(), bold));
    }
    for (int r = 0; r < result.rows.size(); ++r) {
        const QVariantList& row = result.rows[r];
        for (int c = 0; c < row.size(); ++c) {
            const QVariant& v = row[c];
            const auto at = lxw_row_t(r + 1);
            if (v.isNull()) {
                continue;
            }
            if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Double) {
                keep(worksheet_write_number(sheet, at, lxw_col_t(c), v.toDouble(), nullptr));
            } else {
                const QString text = cellText(v, result.declaredTypes.value(c));
                keep(worksheet_write_string(sheet, at, lxw_col_t(c), text.toUtf8().constData(), nullptr));
            }
        }
    }
    keep(workbook_close(book));
    check(error, path);
    QFile file(QFile::decodeName(workPath));
    if (!file.open(QIODevice::ReadOnly)) {
        throw FileError(QStringLiteral("无法写入文件 %1：%2").arg(path, file.errorString()));
    }
    return file.readAll();
}

} // namespace

const QList<FormatInfo>& formats()
{
    static const QList<FormatInfo> list = {
        {Format::Text, QStringLiteral("文本文件(*.txt)"), QStringLiteral("txt")},
        {Format::Csv, QStringLiteral("Excel CSV格式(*.csv)"), QStringLiteral("csv")},
        {Format::Html, QStringLiteral("HTML 格式(*.htm)"), QStringLiteral("htm")},
        {Format::Rtf, QStringLiteral("Rich Text 格式(*.rtf)"), QStringLiteral("rtf")},
        // No maintained library writes the old binary workbook; a file named .xls that is not one
        // would be wrong, so the fifth type is the current workbook format.
        {Format::Workbook, QStringLiteral("Microsoft Excel 工作簿文件(*.xlsx)"), QStringLiteral("xlsx")},
    };
    return list;
}

QString withExtension(const QString& name, const QString& extension)
{
    if (name.right(extension.size()).compare(extension, Qt::CaseInsensitive) == 0) {
        return name;
    }
    return name + u'.' + extension;
}

std::optional<Format> formatOfFile(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    for (const FormatInfo& info : formats()) {
        if (suffix.compare(info.extension, Qt::CaseInsensitive) == 0) {
            return info.format;
        }
    }
    return std::nullopt;
}

QString cellText(const QVariant& value, const QString& declaredType)
{
    if (value.isNull()) {
        return {};
    }
    if (value.typeId() == QMetaType::QByteArray) {
        return QStringLiteral("<BLOB %1 bytes>").arg(value.toByteArray().size());
    }
    if (value.typeId() == QMetaType::Double) {
        return QString::number(value.toDouble(), 'g', 15);
    }
    QString text = value.toString();
    if (declaredType.compare(QLatin1String("DATE"), Qt::CaseInsensitive) == 0 &&
        text.endsWith(QLatin1String(" 00:00:00"))) {
        text.chop(9);
    }
    return text;
}

void write(const engine::ResultSet& result, const QString& path, Format format, const QString& title)
{
    QByteArray bytes;
    switch (format) {
    case Format::Text:
        bytes = textFile(result);
        break;
    case Format::Csv:
        bytes = csvFile(result);
        break;
    case Format::Html:
        bytes = htmlFile(result, title.isEmpty() ? QFileInfo(path).completeBaseName() : title);
        break;
    case Format::Rtf:
        bytes = rtfFile(result);
        break;
    case Format::Workbook:
        bytes = workbookFile(result, path);
        break;
    }
    textfile::writeBytes(path, bytes);
}

} // namespace resultfile
