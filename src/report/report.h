#pragma once

#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QRectF>
#include <QString>

class QPagedPaintDevice;
class QPainter;

/// The printed reports. A report is a paint function over QPainter on any paged device: the same
/// code paints into a QPrinter for the preview and the printer and into a QPdfWriter for PDF
/// files. Layouts are written in screen pixels at 96 per inch from the page's top-left corner;
/// the canvas scales them to the device.
namespace report {

/// Which records of a dataset a report prints: the current one, or every one from first to last.
enum class Range
{
    Current,
    All
};

/// The page-number field of a text ("第[PAGE#]页").
inline const QString PageToken = QStringLiteral("[PAGE#]");

/// Pixels at 96 per inch for a length in centimetres.
constexpr double pixelsFromCm(double cm)
{
    return cm / 2.54 * 96.0;
}

/// The painter of one report run: pages one after another, 96-dpi units, the reports' fonts,
/// boxes with chosen borders and texts clipped to their boxes.
class Canvas
{
public:
    Canvas(QPainter& painter, QPagedPaintDevice& device);

    QPainter& painter() { return m_painter; }
    /// The whole page in 96-dpi units.
    QSizeF pageSize() const { return m_pageSize; }
    /// 1-based number of the page being painted; 0 before the first startPage().
    int pageNumber() const { return m_page; }
    /// Begins the next page: every page of a report starts with this call.
    void startPage();

    /// A font of the reports ("宋体", "黑体", "隶书") at a size in points, sized for this device.
    QFont font(const QString& family, double points, bool bold = false) const;

    enum Border
    {
        NoBorder = 0,
        LeftBorder = 1,
        TopBorder = 2,
        RightBorder = 4,
        BottomBorder = 8,
        AllBorders = 15
    };
    void frame(const QRectF& box, int borders = AllBorders);
    /// Text inside a box, clipped to it; `flags` are Qt::AlignmentFlag and Qt::TextFlag values.
    void text(const QRectF& box, const QString& text, const QFont& font, int flags);
    /// One line that must be read whole: a text wider than its box is drawn in a smaller font,
    /// down to 6 points, before it is clipped.
    void fittedText(const QRectF& box, const QString& text, const QFont& font, int flags);
    /// The picture scaled into the box with its proportions kept, centred.
    void image(const QRectF& box, const QImage& image);
    /// Height of one line of a font in 96-dpi units.
    double lineHeight(const QFont& font) const;
    /// Width of a text in a font in 96-dpi units.
    double textWidth(const QFont& font, const QString& text) const;

private:
    void applyScale();

    QPainter& m_painter;
    QPagedPaintDevice& m_device;
    double m_scale;
    QSizeF m_pageSize;
    int m_page = 0;
};

/// A printable document.
class Report
{
public:
    virtual ~Report() = default;
    /// The paper the layout is written for; margins are part of the layout, so the device's are 0.
    virtual QPageLayout pageLayout() const;
    /// Paints every page; each page begins with canvas.startPage().
    virtual void paint(Canvas& canvas) const = 0;
    /// The name of the document (PDF title, print job).
    virtual QString title() const = 0;
};

/// Puts the report's paper on the device (before a preview lets the user change it).
void prepareDevice(const Report& report, QPagedPaintDevice& device);
/// Paints the report on the device as it is set up. Throws RosterError when painting cannot begin.
void render(const Report& report, QPagedPaintDevice& device);
/// Writes the report as a PDF file; the file is replaced only when the whole document was written.
void writePdf(const Report& report, const QString& fileName);

/// Maps the printed font families 宋体, 黑体 and 隶书 to installed CJK fonts; called once at start-up.
void installFontSubstitutes();

} // namespace report
