#pragma once

#include <QList>
#include <QRectF>
#include <QString>

/// Reading a PDF back for tests through poppler-utils: its words with their boxes (pdftotext
/// -bbox), its page count (pdfinfo) and its pictures (pdfimages -list).
namespace pdftext {

struct Word
{
    int page = 0; ///< 1-based
    QString text; ///< radicals read back as their ideographs (see words())
    QRectF box;   ///< in screen pixels at 96 per inch from the page's top-left corner
};

/// Every word of the file in reading order. The PDF writer names each glyph by the lowest code
/// point the font draws with it, so an ideograph that shares its glyph with a radical reads back
/// as the radical (⼯ for 工, ⻚ for 页); words() turns such radicals back into the ideograph the
/// font draws with the same glyph.
QList<Word> words(const QString& pdfFile);
/// The words of one page joined by blanks.
QString pageText(const QList<Word>& words, int page);
/// The first word equal to `text` on the page; an empty word (page 0) when there is none.
Word find(const QList<Word>& words, const QString& text, int page = 1);
/// How many words on the page equal `text`.
int count(const QList<Word>& words, const QString& text, int page = 1);
int pageCount(const QString& pdfFile);
/// The number of pictures on each page (index 0 = page 1).
QList<int> imagesPerPage(const QString& pdfFile);

} // namespace pdftext
