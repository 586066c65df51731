#include "exchange/webpagewriter.h"

#include "platform/errors.h"
#include "platform/textfile.h"

#include <algorithm>

namespace exporting {

QByteArray WebPageWriter::gbkWithReferences(const QString& text)
{
    QByteArray bytes = m_gbk(text);
    if (!m_gbk.hasError()) {
        return bytes;
    }
    // The rare text with a character outside GBK: an encoder's error state cannot be cleared, so
    // each character gets a fresh one, and so does the next text.
    m_gbk = QStringEncoder("GBK");
    bytes.clear();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        QStringEncoder single("GBK");
        const QByteArray encoded = single(QStringView(text).mid(i, pair ? 2 : 1));
        const char32_t cp = pair ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1)) : text.at(i).unicode();
        bytes += single.hasError() ? "&#x" + QByteArray::number(uint(cp), 16).toUpper() + ';' : encoded;
        i += pair ? 1 : 0;
    }
    return bytes;
}

QByteArray WebPageWriter::htmlText(const QString& text)
{
    const auto special = [](QChar c) { return c == u'&' || c == u'<' || c == u'>' || c == u'"'; };
    if (std::none_of(text.cbegin(), text.cend(), special)) {
        return gbkWithReferences(text);
    }
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            escaped += QLatin1String("&amp;");
            break;
        case u'<':
            escaped += QLatin1String("&lt;");
            break;
        case u'>':
            escaped += QLatin1String("&gt;");
            break;
        case u'"':
            escaped += QLatin1String("&quot;");
            break;
        default:
            escaped += c;
        }
    }
    return gbkWithReferences(escaped);
}

WebPageWriter::WebPageWriter(const QString& path, const QString& title, const QDate& date)
    : m_file(path), m_out(m_file), m_title(title), m_date(date), m_gbk("GBK")
{
    if (!m_file.open(QIODevice::WriteOnly)) {
        throw FileError(QStringLiteral("无法写入文件 %1：%2").arg(path, m_file.errorString()));
    }
}

void WebPageWriter::line(const QByteArray& bytes)
{
    m_out.write(bytes);
    m_out.write("\r\n");
}

void WebPageWriter::heading(const QStringList& captions)
{
    const QByteArray title = htmlText(m_title);
    line("<html>");
    line("<head>");
    line("<title>" + title + "</title>");
    line(R"(<meta http-equiv="Content-Type" content="text/html; charset=gb2312">)");
    line(R"(<style type="text/css">)");
    line("<!--");
    line(textfile::encodeGbk(
        QStringLiteral(R"(.title {  font-family: "黑体"; font-size: 36px; font-style: normal; })")));
    line(".line {  border-color: #CCCCCC black black; border-style: outset; border-top-width: medium}");
    line(textfile::encodeGbk(QStringLiteral(R"(.info {  font-family: "宋体"; font-size: 12pt; color: #0066FF})")));
    line(textfile::encodeGbk(QStringLiteral(R"(body {  font-family: "宋体"; font-size: 12pt})")));
    line(".dataTable{border-collapse:collapse;background-color:white;border:1px solid #BBBBBB;}");
    line(".dataTable td, .dataTable th {\tborder:1px solid #E6E6E6;padding:2px 1px 2px 5px;vertical-align:top;"
         "line-height: 22px;\tborder-left:1px solid #D6D6D6;border-right:1px solid #D6D6D6;}");
    line(".dataTable th {color: #000000;background-color: #EEEEEE;text-align: center;font-weight: bold;"
         "padding: 1px;line-height: 28px;border:1px solid #BBBBBB;}");
    line("-->");
    line("</style>");
    line("</head>");
    line("");
    line(R"(<body bgcolor="#FFFFFF" text="#000000">)");
    line(R"(<p align="center" class="title">)" + title + "</p>");
    line(textfile::encodeGbk(QStringLiteral("<p>制表日期：")) +
         m_date.toString(QStringLiteral("yyyy-MM-dd")).toLatin1() + "<br>");
    line("</p>");
    line(R"(<table class="dataTable"  width=")" + QByteArray::number(120 * captions.size()) + R"(" >)");
    line("  <tr>");
    for (const QString& caption : captions) {
        line(R"(     <th width="80">)" + htmlText(caption) + "</th>");
    }
    line("  </tr>");
}

void WebPageWriter::record(const QStringList& values)
{
    m_out.write("  <tr>\r\n");
    for (const QString& value : values) {
        if (value.isEmpty()) {
            m_out.write("    <td >&nbsp;</td>\r\n");
        } else {
            m_out.write("    <td >");
            m_out.write(htmlText(value));
            m_out.write("</td>\r\n");
        }
    }
    m_out.write("  </tr>\r\n");
}

void WebPageWriter::finish()
{
    line("</table>");
    line("</body>");
    line("</html>");
    m_out.flush();
    if (!m_file.commit()) {
        throw FileError(QStringLiteral("无法写入文件 %1：%2").arg(m_file.fileName(), m_file.errorString()));
    }
}

} // namespace exporting
