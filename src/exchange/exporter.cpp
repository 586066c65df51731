#include "exchange/exporter.h"

#include "exchange/docxwriter.h"
#include "exchange/webpagewriter.h"
#include "exchange/workbookwriter.h"
#include "platform/paths.h"

#include <memory>

namespace exporting {

QString reportTitle()
{
    return QStringLiteral("人员资料明晰表");
}

QString defaultPath(Format format)
{
    static const char* const extensions[] = {"docx", "xlsx", "htm"};
    return paths::apppath() + QStringLiteral("reports/detail.") + QLatin1String(extensions[int(format)]);
}

bool exportPersons(Tdm& dm, const Request& request, const Progress& progress)
{
    engine::Dataset* source = sourceDataset(dm, request.source);
    std::unique_ptr<TableWriter> writer;
    switch (request.format) {
    case Format::Word:
        if (source == nullptr) {
            return false;
        }
        writer = std::make_unique<DocxWriter>(request.path, reportTitle(), QStringLiteral("明晰表："), request.date);
        break;
    case Format::Excel:
        writer = std::make_unique<WorkbookWriter>(request.path);
        break;
    case Format::Web:
        writer = std::make_unique<WebPageWriter>(request.path, reportTitle(), request.date);
        break;
    }
    writeTable(*writer, request.selection, source, progress);
    return true;
}

} // namespace exporting
