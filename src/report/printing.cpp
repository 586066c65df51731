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
        // A failure while painting closes the preview and goes on to the caller's error display.
        std::exception_ptr failure;
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
            try {
                render(report, *target);
            } catch (...) {
                failure = std::current_exception();
                QMetaObject::invokeMethod(&dialog, &QDialog::reject, Qt::QueuedConnection);
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

} // namespace

Printing& toolkitPrinting()
{
    static ToolkitPrinting toolkit;
    return toolkit;
}

} // namespace report
