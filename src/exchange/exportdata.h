#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFileDevice>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class Tdm;
namespace engine {
class Dataset;
}

/// What every export shares, whatever document it writes: the tickable field list of section
/// `export` of sysdata.ini, the selection built from the ticks, the record source and the loop
/// that hands the heading row and the records to a document writer.
namespace exporting {

/// One entry of section `export`: the caption shown in the field list and used as the column
/// heading, and the field of `person` whose values fill the column.
struct ExportField
{
    QString caption;
    QString field;
};

/// The entries of section `export` in the section's order.
QList<ExportField> readFieldList(const QString& iniFile);

/// The export selection: column i is caption i over field i.
struct Selection
{
    QStringList captions;
    QStringList fields;
};

/// `getinfo`: `tickedCaptions` are the ticked items in list order; each caption's field name is
/// read from the section now (empty text when the key is missing).
Selection getinfo(const QStringList& tickedCaptions, const QString& iniFile);

/// The record sources of the wizard.
enum class Source
{
    AllPersons,  ///< "全库数据": every person whatever the status (`persontable`)
    FoundPersons ///< "查询结果": the rows the person query holds, only while it is open
};

/// The dataset an export reads: `persontable`, opened here when closed (a failure to open is
/// ignored: the export then has its heading row only), or `personquery` when it is open;
/// nullptr for "查询结果" with the query closed.
engine::Dataset* sourceDataset(Tdm& dm, Source source);

/// Receives one export: the heading row, each record's texts in column order, then finish().
/// A failure to write throws FileError.
class TableWriter
{
public:
    virtual ~TableWriter() = default;
    virtual void heading(const QStringList& captions) = 0;
    virtual void record(const QStringList& values) = 0;
    virtual void finish() = 0;
};

/// Collects bytes and writes them to a file in large pieces; a failed write throws FileError.
class BufferedOutput
{
public:
    explicit BufferedOutput(QFileDevice& file) : m_file(file) {}
    void write(QByteArrayView bytes)
    {
        m_buffer.append(bytes);
        if (m_buffer.size() >= FlushSize) {
            flush();
        }
    }
    void flush();

private:
    static constexpr qsizetype FlushSize = 1 << 16;
    QFileDevice& m_file;
    QByteArray m_buffer;
};

/// Called after each record with (records done, records in all).
using Progress = std::function<void(int done, int total)>;

/// Hands the heading row and every record of `source` (none when it is null or closed) to
/// `writer`, then finishes it. The records are read without moving the dataset, so a shown
/// person stays current and no record hook runs. A field name that is empty or not a field of
/// the source ends the record loop at the first record, silently; so does any failure to read a
/// record (its text goes to the warning log). A failure to write goes to the caller.
void writeTable(TableWriter& writer, const Selection& selection, engine::Dataset* source,
                const Progress& progress = {});

} // namespace exporting
