#pragma once

#include "exchange/exportdata.h"

#include <QDate>

/// The three exports of person records, as the export wizard and `roster-cli export` run them.
namespace exporting {

enum class Format
{
    Word,  ///< "Word文档格式": reports/detail.docx
    Excel, ///< "Excel电子表格格式": reports/detail.xlsx
    Web    ///< "Web页格式": reports/detail.htm
};

/// The title of every document: "人员资料明晰表".
QString reportTitle();
/// `apppath` + "reports/detail." + the format's extension.
QString defaultPath(Format format);

/// What one export writes, and where.
struct Request
{
    Format format = Format::Word;
    Source source = Source::AllPersons;
    Selection selection;
    QString path;
    QDate date; ///< "制表日期："
};

/// Writes the document. False, with nothing written, for the word-processor document of
/// "查询结果" while the person query is closed ("没找到任何查询数据！"); the spreadsheet and the
/// web page then hold the heading row only. A file that cannot be written throws FileError and
/// leaves an earlier file of that name whole.
bool exportPersons(Tdm& dm, const Request& request, const Progress& progress = {});

} // namespace exporting
