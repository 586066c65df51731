#include "exchange/exportdata.h"

#include "data/dmunit.h"
#include "platform/errors.h"
#include "platform/inifile.h"

#include <QtDebug>

namespace exporting {

namespace {

const QString Section = QStringLiteral("export");
/// Records read from the source at a time.
constexpr int ChunkRows = 256;

} // namespace

QList<ExportField> readFieldList(const QString& iniFile)
{
    QList<ExportField> list;
    const QStringList keys = ini::sectionKeys(iniFile, Section);
    for (const QString& caption : keys) {
        list.append({caption, ini::readString(iniFile, Section, caption, QString())});
    }
    return list;
}

Selection getinfo(const QStringList& tickedCaptions, const QString& iniFile)
{
    Selection selection;
    for (const QString& caption : tickedCaptions) {
        selection.captions << caption;
        selection.fields << ini::readString(iniFile, Section, caption, QString());
    }
    return selection;
}

engine::Dataset* sourceDataset(Tdm& dm, Source source)
{
    if (source == Source::FoundPersons) {
        return dm.personquery->active() ? dm.personquery : nullptr;
    }
    if (!dm.persontable->active()) {
        try {
            dm.persontable->open();
        } catch (const std::exception& e) {
            qWarning("export: persontable could not be opened: %s", qPrintable(exceptionText(e)));
        }
    }
    return dm.persontable;
}

void BufferedOutput::flush()
{
    if (m_file.write(m_buffer) != m_buffer.size()) {
        throw FileError(QStringLiteral("无法写入文件 %1：%2").arg(m_file.fileName(), m_file.errorString()));
    }
    m_buffer.clear();
}

void writeTable(TableWriter& writer, const Selection& selection, engine::Dataset* source, const Progress& progress)
{
    writer.heading(selection.captions);

    QList<int> columns;
    bool readable = source != nullptr && source->active();
    for (const QString& name : selection.fields) {
        const int column = readable && !name.isEmpty() ? source->fieldIndex(name) : -1;
        readable = readable && column >= 0;
        columns << column;
    }
    const int total = readable ? source->rowCount() : 0;
    QStringList values;
    for (int first = 0; first < total; first += ChunkRows) {
        QList<QVariantList> rows;
        try {
            rows = source->peekRows(first, ChunkRows, columns);
        } catch (const std::exception& e) {
            qWarning("export: the record loop ends at record %d: %s", first, qPrintable(exceptionText(e)));
            break;
        }
        for (int i = 0; i < rows.size(); ++i) {
            values.clear();
            for (int c = 0; c < columns.size(); ++c) {
                values << engine::fieldText(rows[i][c], source->fieldKind(columns[c]));
            }
            writer.record(values);
            if (progress) {
                progress(first + i + 1, total);
            }
        }
    }
    writer.finish();
}

} // namespace exporting
