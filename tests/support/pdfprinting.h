#pragma once

#include "report/printing.h"

#include <QStringList>

class WindowContext;
#include <QTemporaryDir>

/// A stand-in for the preview and the printer: each report sent to either is written as a PDF
/// file, so a test reads back what the user would have seen or printed. Installs itself for its
/// lifetime in the window context it is given. With `noPrinter` set, printing fails as it does when no printer is
/// installed.
class PdfPrinting : public report::Printing
{
public:
    explicit PdfPrinting(WindowContext& context);
    ~PdfPrinting() override;

    void preview(const report::Report& report, QWidget* parent) override;
    void print(const report::Report& report) override;

    bool noPrinter = false;
    QStringList previewed; ///< PDF files of the previews, in order
    QStringList printed;   ///< PDF files of the printed documents, in order

private:
    QString write(const report::Report& report, const QString& kind, int number);

    WindowContext& m_context;
    QTemporaryDir m_dir;
};
