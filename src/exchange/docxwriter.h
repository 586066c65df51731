#pragma once

#include "exchange/exportdata.h"

#include <QDate>
#include <QTemporaryFile>

namespace exporting {

/// The word-processor document of the export (reports/detail.docx): a centred title, the
/// left-aligned lines "制表日期：" + date and the caption line, a grid table whose first row holds
/// the captions and each further row one record, then two empty paragraphs. The body is streamed
/// to a work file and zipped with the package's other parts when the export finishes; the zip is
/// put in the file's place only when it is complete. With no columns the document has no table (a
/// table of no columns is not a valid document).
class DocxWriter : public TableWriter
{
public:
    DocxWriter(const QString& path, const QString& title, const QString& captionLine, const QDate& date);

    void heading(const QStringList& captions) override;
    void record(const QStringList& values) override;
    void finish() override;

    /// More columns than this turn the page to landscape, with smaller text.
    static constexpr int PortraitColumns = 8;

private:
    void row(const QStringList& texts, bool header);

    QString m_path;
    QTemporaryFile m_body;
    BufferedOutput m_out;
    int m_columns = 0;
    QByteArray m_cellRun;   ///< run properties of a value
    QByteArray m_headerRun; ///< run properties of a caption
};

} // namespace exporting
