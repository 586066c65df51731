#pragma once

#include "data/engine/database.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

/// A query result saved as a file: plain text, CSV, HTML, RTF or a spreadsheet workbook. Every
/// row of the result is written, with the column names as the first row.
namespace resultfile {

enum class Format
{
    Text,
    Csv,
    Html,
    Rtf,
    Workbook
};

struct FormatInfo
{
    Format format;
    QString filter;    ///< the save dialog's file type
    QString extension; ///< without the dot
};

/// The five types in the order the save dialog offers them.
const QList<FormatInfo>& formats();

/// The name as it is saved: unchanged when its last characters (as many as the extension has)
/// equal the extension without regard to case, otherwise "." + extension appended.
QString withExtension(const QString& name, const QString& extension);

/// The format a file name's extension names (txt, csv, htm, rtf, xlsx), if any.
std::optional<Format> formatOfFile(const QString& path);

/// A value as the result grid shows it: Null empty, a date column without a midnight time, reals
/// with up to 15 significant digits, a picture as its size.
QString cellText(const QVariant& value, const QString& declaredType = {});

/// Writes the whole result; throws FileError when the file cannot be written.
void write(const engine::ResultSet& result, const QString& path, Format format, const QString& title = {});

} // namespace resultfile
