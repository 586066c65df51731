#include "pdftext.h"

#include <QFont>
#include <QHash>
#include <QProcess>
#include <QRawFont>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <algorithm>

namespace pdftext {

namespace {

QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
        return {};
    }
    return process.readAllStandardOutput();
}

/// Radical → the ideograph drawn with the same glyph, in the CJK faces the reports print with.
const QHash<char16_t, char16_t>& radicalIdeographs()
{
    static const QHash<char16_t, char16_t> table = [] {
        QHash<char16_t, char16_t> result;
        for (const char* family : {"Noto Serif CJK SC", "Noto Sans CJK SC"}) {
            const QRawFont font = QRawFont::fromFont(QFont(QString::fromLatin1(family)));
            QHash<quint32, char16_t> ideographOfGlyph;
            for (char16_t c = 0x4E00; c <= 0x9FFF; ++c) {
                const auto glyphs = font.glyphIndexesForString(QString(QChar(c)));
                if (!glyphs.isEmpty() && glyphs[0] != 0 && !ideographOfGlyph.contains(glyphs[0])) {
                    ideographOfGlyph.insert(glyphs[0], c);
                }
            }
            for (char16_t c = 0x2E80; c <= 0x2FDF; ++c) {
                const auto glyphs = font.glyphIndexesForString(QString(QChar(c)));
                if (!glyphs.isEmpty() && ideographOfGlyph.contains(glyphs[0]) && !result.contains(c)) {
                    result.insert(c, ideographOfGlyph.value(glyphs[0]));
                }
            }
        }
        return result;
    }();
    return table;
}

QString unfoldRadicals(QString text)
{
    for (QChar& c : text) {
        c = QChar(radicalIdeographs().value(c.unicode(), c.unicode()));
    }
    return text;
}

} // namespace

QList<Word> words(const QString& pdfFile)
{
    constexpr double kPixelsPerPoint = 96.0 / 72.0;
    QList<Word> result;
    QXmlStreamReader xml(run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfFile, QStringLiteral("-")}));
    int page = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == QLatin1String("page")) {
            ++page;
        } else if (xml.name() == QLatin1String("word")) {
            const auto a = xml.attributes();
            const QPointF topLeft(a.value(QLatin1String("xMin")).toDouble(), a.value(QLatin1String("yMin")).toDouble());
            const QPointF bottomRight(a.value(QLatin1String("xMax")).toDouble(),
                                      a.value(QLatin1String("yMax")).toDouble());
            Word word;
            word.page = page;
            word.box = QRectF(topLeft * kPixelsPerPoint, bottomRight * kPixelsPerPoint);
            word.text = unfoldRadicals(xml.readElementText());
            result.append(word);
        }
    }
    return result;
}

QString pageText(const QList<Word>& words, int page)
{
    QStringList texts;
    for (const Word& word : words) {
        if (word.page == page) {
            texts << word.text;
        }
    }
    return texts.join(u' ');
}

Word find(const QList<Word>& words, const QString& text, int page)
{
    for (const Word& word : words) {
        if (word.page == page && word.text == text) {
            return word;
        }
    }
    return {};
}

int count(const QList<Word>& words, const QString& text, int page)
{
    return int(std::count_if(words.begin(), words.end(),
                             [&](const Word& word) { return word.page == page && word.text == text; }));
}

int pageCount(const QString& pdfFile)
{
    const QString info = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {pdfFile}));
    const auto match =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption).match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QList<int> imagesPerPage(const QString& pdfFile)
{
    QList<int> perPage(pageCount(pdfFile), 0);
    const QStringList lines =
        QString::fromUtf8(run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdfFile})).split(u'\n');
    // Two heading lines, then "page num type ..." per picture; soft masks are not pictures.
    for (const QString& line : lines.mid(2)) {
        const QStringList fields = line.simplified().split(u' ');
        if (fields.size() > 2 && fields[2] != QLatin1String("smask")) {
            const int page = fields[0].toInt();
            if (page >= 1 && page <= perPage.size()) {
                ++perPage[page - 1];
            }
        }
    }
    return perPage;
}

} // namespace pdftext
