#include "exchange/docxwriter.h"

#include "platform/errors.h"

#include <QDir>

#include <zip.h>

#include <algorithm>

namespace exporting {

namespace {

// A4 in twentieths of a point, with the margins of a Chinese word processor's blank document.
constexpr int PageShort = 11906;
constexpr int PageLong = 16838;
constexpr int MarginTopBottom = 1440;
constexpr int MarginLeftRight = 1800;
// A wide table (landscape) gets narrow margins and 7.5 pt text, so that more than a few characters
// fit in a column.
constexpr int WideMargin = 720;
const char* const WideText = R"(<w:sz w:val="15"/><w:szCs w:val="15"/>)";

const char* const ContentTypes =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    "\n"
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Default Extension="xml" ContentType="application/xml"/>)"
    R"(<Override PartName="/word/document.xml" )"
    R"(ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>)"
    R"(<Override PartName="/word/styles.xml" )"
    R"(ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"/>)"
    R"(</Types>)";

const char* const PackageRels =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    "\n"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" )"
    R"(Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" )"
    R"(Target="word/document.xml"/>)"
    R"(</Relationships>)";

const char* const DocumentRels =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    "\n"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" )"
    R"(Target="styles.xml"/>)"
    R"(</Relationships>)";

QByteArray borders()
{
    QByteArray xml("<w:tblBorders>");
    for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"}) {
        xml += QByteArray("<w:") + side + R"( w:val="single" w:sz="4" w:space="0" w:color="auto"/>)";
    }
    return xml + "</w:tblBorders>";
}

// 五号 (10.5 pt) 宋体 as the body text of a Chinese document; the grid table style that the
// original's table format stood for.
QByteArray stylesXml()
{
    return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
           "\n"
           R"(<w:styles xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
           R"(<w:docDefaults><w:rPrDefault><w:rPr>)"
           R"(<w:rFonts w:ascii="Times New Roman" w:hAnsi="Times New Roman" w:eastAsia="宋体" w:cs="Times New Roman"/>)"
           R"(<w:sz w:val="21"/><w:szCs w:val="21"/><w:lang w:val="en-US" w:eastAsia="zh-CN"/>)"
           R"(</w:rPr></w:rPrDefault><w:pPrDefault/></w:docDefaults>)"
           R"(<w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/></w:style>)"
           R"(<w:style w:type="table" w:default="1" w:styleId="TableNormal"><w:name w:val="Normal Table"/>)"
           R"(<w:tblPr><w:tblInd w:w="0" w:type="dxa"/><w:tblCellMar><w:top w:w="0" w:type="dxa"/>)"
           R"(<w:left w:w="108" w:type="dxa"/><w:bottom w:w="0" w:type="dxa"/><w:right w:w="108" w:type="dxa"/>)"
           R"(</w:tblCellMar></w:tblPr></w:style>)"
           R"(<w:style w:type="table" w:styleId="TableGrid"><w:name w:val="Table Grid"/>)"
           R"(<w:basedOn w:val="TableNormal"/><w:tblPr>)" +
           borders() + R"(</w:tblPr></w:style></w:styles>)";
}

/// Text fit for a WordprocessingML run: markup characters escaped, characters XML cannot carry
/// left out, line breaks and tabs as the run's own elements.
QByteArray runContent(const QString& text)
{
    const auto plain = [](QChar c) {
        const char16_t u = c.unicode();
        return u >= 0x20 && u != u'&' && u != u'<' && u != u'>' && !c.isSurrogate() && u < 0xFFFE;
    };
    if (std::all_of(text.cbegin(), text.cend(), plain)) {
        return R"(<w:t xml:space="preserve">)" + text.toUtf8() + "</w:t>";
    }
    QString out;
    out.reserve(text.size() + 16);
    out += QLatin1String(R"(<w:t xml:space="preserve">)");
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (u == u'\r' || u == u'\n') {
            if (u == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
                ++i;
            }
            out += QLatin1String(R"(</w:t><w:br/><w:t xml:space="preserve">)");
        } else if (u == u'\t') {
            out += QLatin1String(R"(</w:t><w:tab/><w:t xml:space="preserve">)");
        } else if (u == u'&') {
            out += QLatin1String("&amp;");
        } else if (u == u'<') {
            out += QLatin1String("&lt;");
        } else if (u == u'>') {
            out += QLatin1String("&gt;");
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += c;
            out += text.at(++i);
        } else if (u >= 0x20 && !c.isSurrogate() && u != 0xFFFE && u != 0xFFFF) {
            out += c;
        }
    }
    out += QLatin1String("</w:t>");
    return out.toUtf8();
}

QByteArray paragraph(const QString& text, const char* alignment)
{
    return QByteArray(R"(<w:p><w:pPr><w:jc w:val=")") + alignment + R"("/></w:pPr><w:r>)" + runContent(text) +
           "</w:r></w:p>";
}

[[noreturn]] void zipFailed(const QString& path, const QString& reason)
{
    throw FileError(QStringLiteral("无法写入文件 %1：%2").arg(QDir::toNativeSeparators(path), reason));
}

/// One zip archive written in the file's place when it is closed (libzip writes a work file
/// beside it and renames it).
class ZipPackage
{
public:
    explicit ZipPackage(const QString& path) : m_path(path)
    {
        int error = 0;
        m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        if (m_zip == nullptr) {
            zip_error_t ze;
            zip_error_init_with_code(&ze, error);
            const QString reason = QString::fromLocal8Bit(zip_error_strerror(&ze));
            zip_error_fini(&ze);
            zipFailed(path, reason);
        }
    }
    ~ZipPackage()
    {
        if (m_zip != nullptr) {
            zip_discard(m_zip);
        }
    }
    ZipPackage(const ZipPackage&) = delete;
    ZipPackage& operator=(const ZipPackage&) = delete;

    /// `bytes` must stay alive until close().
    void addBuffer(const char* name, const char* bytes)
    {
        add(name, zip_source_buffer(m_zip, bytes, qstrlen(bytes), 0));
    }
    /// The file is read when the archive is closed. Compressed at the fastest level: a body of
    /// 100 000 rows is tens of megabytes of very repetitive markup.
    void addFile(const char* name, const QString& file)
    {
        const zip_int64_t index = add(name, zip_source_file(m_zip, QFile::encodeName(file).constData(), 0, -1));
        if (zip_set_file_compression(m_zip, zip_uint64_t(index), ZIP_CM_DEFLATE, 1) != 0) {
            failed();
        }
    }
    void close()
    {
        if (zip_close(m_zip) != 0) {
            failed();
        }
        m_zip = nullptr;
    }

private:
    zip_int64_t add(const char* name, zip_source_t* source)
    {
        if (source == nullptr) {
            failed();
        }
        const zip_int64_t index = zip_file_add(m_zip, name, source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(source);
            failed();
        }
        return index;
    }
    [[noreturn]] void failed() { zipFailed(m_path, QString::fromLocal8Bit(zip_strerror(m_zip))); }

    QString m_path;
    zip_t* m_zip = nullptr;
};

} // namespace

DocxWriter::DocxWriter(const QString& path, const QString& title, const QString& captionLine, const QDate& date)
    : m_path(path), m_out(m_body)
{
    if (!m_body.open()) {
        throw FileError(QStringLiteral("无法创建临时文件：%1").arg(m_body.errorString()));
    }
    m_out.write(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
                "\n"
                R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:body>)");
    m_out.write(paragraph(title, "center"));
    m_out.write(paragraph(QStringLiteral("制表日期：") + date.toString(QStringLiteral("yyyy-MM-dd")), "left"));
    m_out.write(paragraph(captionLine, "left"));
}

void DocxWriter::heading(const QStringList& captions)
{
    m_columns = int(captions.size());
    if (m_columns == 0) {
        return;
    }
    const bool landscape = m_columns > PortraitColumns;
    const int textWidth = landscape ? PageLong - 2 * WideMargin : PageShort - 2 * MarginLeftRight;
    const QByteArray size = landscape ? WideText : "";
    m_cellRun = size.isEmpty() ? QByteArray() : "<w:rPr>" + size + "</w:rPr>";
    m_headerRun = "<w:rPr><w:b/>" + size + "</w:rPr>";
    m_out.write(R"(<w:tbl><w:tblPr><w:tblStyle w:val="TableGrid"/><w:tblW w:w="5000" w:type="pct"/>)" + borders() +
                R"(<w:tblLayout w:type="fixed"/><w:tblLook w:val="04A0"/></w:tblPr><w:tblGrid>)");
    const QByteArray column = R"(<w:gridCol w:w=")" + QByteArray::number(textWidth / m_columns) + R"("/>)";
    for (int i = 0; i < m_columns; ++i) {
        m_out.write(column);
    }
    m_out.write("</w:tblGrid>");
    row(captions, true);
}

void DocxWriter::record(const QStringList& values)
{
    if (m_columns > 0) {
        row(values, false);
    }
}

void DocxWriter::row(const QStringList& texts, bool header)
{
    QByteArray xml = header ? QByteArray("<w:tr><w:trPr><w:tblHeader/></w:trPr>") : QByteArray("<w:tr>");
    for (const QString& text : texts) {
        if (text.isEmpty()) {
            xml += "<w:tc><w:p/></w:tc>";
        } else {
            xml += "<w:tc><w:p><w:r>";
            xml += header ? m_headerRun : m_cellRun;
            xml += runContent(text);
            xml += "</w:r></w:p></w:tc>";
        }
    }
    xml += "</w:tr>";
    m_out.write(xml);
}

void DocxWriter::finish()
{
    if (m_columns > 0) {
        m_out.write("</w:tbl>");
    }
    const bool landscape = m_columns > PortraitColumns;
    const QByteArray side = QByteArray::number(landscape ? WideMargin : MarginLeftRight);
    const QByteArray width = QByteArray::number(landscape ? PageLong : PageShort);
    const QByteArray height = QByteArray::number(landscape ? PageShort : PageLong);
    m_out.write(R"(<w:p/><w:p/><w:sectPr><w:pgSz w:w=")" + width + R"(" w:h=")" + height + '"' +
                (landscape ? R"( w:orient="landscape")" : "") + R"(/><w:pgMar w:top=")" +
                QByteArray::number(MarginTopBottom) + R"(" w:right=")" + side + R"(" w:bottom=")" +
                QByteArray::number(MarginTopBottom) + R"(" w:left=")" + side +
                R"(" w:header="851" w:footer="992" w:gutter="0"/></w:sectPr></w:body></w:document>)");
    m_out.flush();
    if (!m_body.flush()) {
        throw FileError(QStringLiteral("无法写入临时文件：%1").arg(m_body.errorString()));
    }

    ZipPackage package(m_path);
    package.addBuffer("[Content_Types].xml", ContentTypes);
    package.addBuffer("_rels/.rels", PackageRels);
    package.addFile("word/document.xml", m_body.fileName());
    package.addBuffer("word/_rels/document.xml.rels", DocumentRels);
    const QByteArray styles = stylesXml();
    package.addBuffer("word/styles.xml", styles.constData());
    package.close();
}

} // namespace exporting
