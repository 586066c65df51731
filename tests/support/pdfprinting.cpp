#include "pdfprinting.h"

#include "app/windowcontext.h"
#include "report/report.h"

PdfPrinting::PdfPrinting(WindowContext& context) : m_context(context)
{
    m_context.setPrinting(this);
}

PdfPrinting::~PdfPrinting()
{
    m_context.setPrinting(nullptr);
}

QString PdfPrinting::write(const report::Report& report, const QString& kind, int number)
{
    const QString file = m_dir.filePath(QStringLiteral("%1-%2.pdf").arg(kind).arg(number));
    report::writePdf(report, file);
    return file;
}

void PdfPrinting::preview(const report::Report& report, QWidget*)
{
    previewed << write(report, QStringLiteral("preview"), int(previewed.size()));
}

void PdfPrinting::print(const report::Report& report)
{
    if (noPrinter) {
        throw report::PrintError(QStringLiteral("没有安装打印机"));
    }
    printed << write(report, QStringLiteral("print"), int(printed.size()));
}
