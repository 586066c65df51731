#pragma once

#include "exchange/exportdata.h"

#include <vector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace exporting {

/// The spreadsheet of the export (reports/detail.xlsx): row 1 the captions, then one row per
/// record; every cell is formatted as text ("@"), so codes with leading zeros and dates arrive
/// exactly as the program's text. Rows are streamed to the library's work files; the workbook is
/// written beside the target and put in its place only when complete.
class WorkbookWriter : public TableWriter
{
public:
    explicit WorkbookWriter(const QString& path);
    ~WorkbookWriter() override;
    WorkbookWriter(const WorkbookWriter&) = delete;
    WorkbookWriter& operator=(const WorkbookWriter&) = delete;

    void heading(const QStringList& captions) override;
    void record(const QStringList& values) override;
    void finish() override;

private:
    void row(const QStringList& texts);

    QString m_path;
    QString m_workPath;
    lxw_workbook* m_workbook = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    lxw_format* m_text = nullptr;
    unsigned m_row = 0;
    std::vector<double> m_widths;
};

} // namespace exporting
