#include "report/report.h"

#include "platform/errors.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

namespace report {

namespace {

constexpr double kScreenDpi = 96.0;
constexpr double kSmallestFittedPoints = 6.0;

/// Brush-style faces that stand in for 隶书 when one is installed.
const QStringList& brushFamilies()
{
    static const QStringList families{QStringLiteral("LXGW WenKai"), QStringLiteral("AR PL UKai CN"),
                                      QStringLiteral("AR PL KaitiM GB")};
    return families;
}

/// The face of the Latin letters and digits beside a CJK family. Qt 6.4's PDF writer loses the text
/// (not the look) of digits that follow Latin letters in the Noto CJK faces, so such runs are
/// drawn in a Latin face; the CJK family draws everything else.
QString latinFace(const QString& family)
{
    return family == QLatin1String("黑体") ? QStringLiteral("Liberation Sans") : QStringLiteral("Liberation Serif");
}

bool hasBrushFont()
{
    static const bool found = std::any_of(brushFamilies().begin(), brushFamilies().end(),
                                          [](const QString& family) { return QFontDatabase::hasFamily(family); });
    return found;
}

} // namespace

void installFontSubstitutes()
{
    const QString serif = QStringLiteral("Noto Serif CJK SC");
    const QString sans = QStringLiteral("Noto Sans CJK SC");
    QFont::insertSubstitutions(QStringLiteral("宋体"), {serif, sans});
    QFont::insertSubstitutions(QStringLiteral("黑体"), {sans, serif});
    QFont::insertSubstitutions(QStringLiteral("隶书"), brushFamilies() + QStringList{serif, sans});
}

Canvas::Canvas(QPainter& painter, QPagedPaintDevice& device)
    : m_painter(painter), m_device(device), m_scale(device.logicalDpiX() / kScreenDpi)
{
    const QPageLayout layout = device.pageLayout();
    m_pageSize = QSizeF(layout.fullRectPoints().size()) * (kScreenDpi / 72.0);
    applyScale();
}

void Canvas::applyScale()
{
    m_painter.resetTransform();
    m_painter.scale(m_scale, m_scale);
    QPen pen(Qt::black);
    pen.setWidthF(1.0);
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
}

void Canvas::startPage()
{
    if (m_page > 0 && !m_device.newPage()) {
        throw RosterError(QStringLiteral("无法开始新的一页"));
    }
    ++m_page;
    applyScale();
}

QFont Canvas::font(const QString& family, double points, bool bold) const
{
    QFont font;
    font.setFamilies({latinFace(family), family});
    // The painter scales 96-dpi units to the device; the font is sized in those units.
    font.setPointSizeF(points * kScreenDpi / m_device.logicalDpiY());
    font.setBold(bold || (family == QLatin1String("隶书") && !hasBrushFont()));
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

void Canvas::frame(const QRectF& box, int borders)
{
    if (borders & LeftBorder) {
        m_painter.drawLine(box.topLeft(), box.bottomLeft());
    }
    if (borders & TopBorder) {
        m_painter.drawLine(box.topLeft(), box.topRight());
    }
    if (borders & RightBorder) {
        m_painter.drawLine(box.topRight(), box.bottomRight());
    }
    if (borders & BottomBorder) {
        m_painter.drawLine(box.bottomLeft(), box.bottomRight());
    }
}

void Canvas::text(const QRectF& box, const QString& text, const QFont& font, int flags)
{
    if (text.isEmpty()) {
        return;
    }
    m_painter.save();
    m_painter.setClipRect(box, Qt::IntersectClip);
    m_painter.setFont(font);
    m_painter.drawText(box, flags, text);
    m_painter.restore();
}

void Canvas::fittedText(const QRectF& box, const QString& text, const QFont& font, int flags)
{
    QFont fitted = font;
    const double least = kSmallestFittedPoints * kScreenDpi / m_device.logicalDpiY();
    while (textWidth(fitted, text) > box.width() && fitted.pointSizeF() * 0.9 >= least) {
        fitted.setPointSizeF(fitted.pointSizeF() * 0.9);
    }
    this->text(box, text, fitted, flags);
}

void Canvas::image(const QRectF& box, const QImage& image)
{
    if (image.isNull() || box.isEmpty()) {
        return;
    }
    QSizeF size = image.size();
    size.scale(box.size(), Qt::KeepAspectRatio);
    QRectF target(QPointF(), size);
    target.moveCenter(box.center());
    m_painter.save();
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_painter.drawImage(target, image);
    m_painter.restore();
}

double Canvas::lineHeight(const QFont& font) const
{
    return QFontMetricsF(font, &m_device).height();
}

double Canvas::textWidth(const QFont& font, const QString& text) const
{
    return QFontMetricsF(font, &m_device).horizontalAdvance(text);
}

QPageLayout Report::pageLayout() const
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

void prepareDevice(const Report& report, QPagedPaintDevice& device)
{
    QPageLayout layout = report.pageLayout();
    layout.setMode(QPageLayout::FullPageMode);
    device.setPageLayout(layout);
}

void render(const Report& report, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device)) {
        throw RosterError(QStringLiteral("无法开始打印“%1”").arg(report.title()));
    }
    Canvas canvas(painter, device);
    try {
        report.paint(canvas);
    } catch (...) {
        painter.end();
        throw;
    }
    if (canvas.pageNumber() == 0) {
        canvas.startPage(); // a document has at least one page, even an empty one
    }
    if (!painter.end()) {
        throw RosterError(QStringLiteral("打印“%1”失败").arg(report.title()));
    }
}

void writePdf(const Report& report, const QString& fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        throw FileError(QStringLiteral("无法写入文件 %1：%2").arg(fileName, file.errorString()));
    }
    {
        QPdfWriter writer(&file);
        writer.setTitle(report.title());
        writer.setCreator(QStringLiteral("Roster"));
        prepareDevice(report, writer);
        render(report, writer);
    }
    if (!file.commit()) {
        throw FileError(QStringLiteral("无法写入文件 %1：%2").arg(fileName, file.errorString()));
    }
}

} // namespace report
