#include "records/jpegutil.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

#include <cstdint>
#include <cstdlib>

namespace JpegUtil {
namespace {

constexpr QImage::Format kBitmapFormat = QImage::Format_BGR888;
constexpr int kJpegQuality = 30;

QImage as24Bits(const QImage& image)
{
    return image.format() == kBitmapFormat ? image : image.convertToFormat(kBitmapFormat);
}

QByteArray encodeJpeg(const QImage& bitmap)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(kJpegQuality);
    return writer.write(bitmap) ? bytes : QByteArray();
}

} // namespace

int MulDiv(int a, int b, int c)
{
    if (c == 0) {
        return -1;
    }
    const int64_t product = int64_t(a) * int64_t(b);
    const int64_t magnitude = (std::llabs(product) * 2 + std::llabs(int64_t(c))) / (2 * std::llabs(int64_t(c)));
    return int((product < 0) != (c < 0) ? -magnitude : magnitude);
}

bool loadjpeg(QImage& bitmap, const QString& folder, const QString& name)
{
    if (name.isEmpty()) {
        return false;
    }
    QImageReader reader(QDir(folder).filePath(name), "jpeg");
    QImage decoded = reader.read();
    if (decoded.isNull()) {
        return false;
    }
    bitmap = as24Bits(decoded);
    return true;
}

JpegImage shrinkjpeg(const QString& path, int maxWidth)
{
    const QFileInfo info(path);
    QImage bitmap;
    if (!loadjpeg(bitmap, info.absolutePath(), info.fileName())) {
        return {};
    }
    if (maxWidth < bitmap.width()) {
        QImage shrunk(maxWidth, MulDiv(maxWidth, bitmap.height(), bitmap.width()), kBitmapFormat);
        resizebitmap(bitmap, shrunk);
        return {encodeJpeg(shrunk)};
    }
    return {encodeJpeg(bitmap)};
}

void resizebitmap(const QImage& source, QImage& dst)
{
    const QImage src = as24Bits(source);
    if (dst.format() != kBitmapFormat) {
        dst = QImage(dst.size(), kBitmapFormat);
    }
    if (src.size() == dst.size()) {
        dst = src.copy();
        return;
    }

    const int xstep = MulDiv(src.width() - 1, 65536, dst.width());
    const int ystep = MulDiv(src.height() - 1, 65536, dst.height());
    const int lastColumn = src.width() - 1;

    uint32_t sy = 0;
    for (int y = 0; y < dst.height(); ++y) {
        const int iy = int(sy >> 16);
        const uint32_t fy = sy & 65535;
        const uchar* rowA = src.constScanLine(iy);
        const uchar* rowB = src.constScanLine(iy < src.height() - 1 ? iy + 1 : iy);
        const uint32_t wy1 = fy + 1;
        const uint32_t wy0 = 65536 - fy;
        uchar* out = dst.scanLine(y);

        uint32_t sx = 0;
        for (int x = 0; x < dst.width(); ++x) {
            const int ix = int(sx >> 16);
            const uint32_t fx = sx & 65535;
            const uint32_t w01 = uint32_t(MulDiv(int(fx), int(wy0), 65536));
            const uint32_t w00 = wy0 - w01;
            const uint32_t w11 = uint32_t(MulDiv(int(fx), int(wy1), 65536));
            const uint32_t w10 = wy1 - w11;
            // The right-hand neighbour only carries weight inside the row; keep the read inside it.
            const int right = ix < lastColumn ? ix + 1 : ix;
            for (int c = 0; c < 3; ++c) {
                const uint32_t sum = rowA[ix * 3 + c] * w00 + rowA[right * 3 + c] * w01 + rowB[ix * 3 + c] * w10 +
                                     rowB[right * 3 + c] * w11;
                out[x * 3 + c] = uchar(sum >> 16);
            }
            sx += uint32_t(xstep);
        }
        sy += uint32_t(ystep);
    }
}

QImage jpegtobitmap(const JpegImage& jpeg)
{
    if (jpeg.isEmpty()) {
        return {};
    }
    return as24Bits(QImage::fromData(jpeg.data, "jpeg"));
}

QByteArray bitmapBytes(const QImage& bitmap)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    as24Bits(bitmap).save(&buffer, "BMP");
    return bytes;
}

} // namespace JpegUtil
