#include "report/printing.h"

#include "report/report.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace report {

namespace {

class ToolkitPrinting : public Printing
{
public:
    void preview(const Report& report, QWidget* parent) override
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(report.title());
        printer.setFullPage(true);
        prepareDevice(report, printer);
        QPrintPreviewDialog dialog(&printer, parent);
        dialog.setWindowTitle(report.title());
        // A failure while painting reaches the caller's error display after the dialog closes.
        std::exception_ptr failure;
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
            try {
                render(report, *target);
            } catch (...) {
                failure = std::current_exception();
            }
        });
        dialog.exec();
        if (failure) {
            std::rethrow_exception(failure);
        }
    }

    void print(const Report& report) override
    {
        const QPrinterInfo device = QPrinterInfo::defaultPrinter();
        if (device.isNull()) {
            throw PrintError(QStringLiteral("没有安装打印机"));
        }
        QPrinter printer(device, QPrinter::HighResolution);
        printer.setDocName(report.title());
        printer.setFullPage(true);
        printer.setPrintRange(QPrinter::AllPages);
        printer.setCopyCount(1);
        printer.setCollateCopies(true);
        prepareDevice(report, printer);
        try {
            render(report, printer);
        } catch (const RosterError& e) {
            throw PrintError(e.message());
        }
        if (printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted) {
            throw PrintError(QStringLiteral("打印机出错"));
        }
    }
};

ToolkitPrinting g_toolkit;
Printing* g_current = &g_toolkit;

} // namespace

Printing& printing()
{
    return *g_current;
}

void installPrinting(Printing* implementation)
{
    g_current = implementation ? implementation : &g_toolkit;
}

} // namespace report
