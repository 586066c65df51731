#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

/// Shrinking of person photos before they are kept in the database. Bitmaps are 24 bits per
/// pixel with the bytes of a pixel in blue, green, red order.
namespace JpegUtil {

/// An encoded JPEG image; empty when nothing could be loaded.
struct JpegImage
{
    QByteArray data;
    bool isEmpty() const { return data.isEmpty(); }
};

/// a × b / c computed exactly and rounded to the nearest integer, halves away from zero;
/// -1 when c is 0.
int MulDiv(int a, int b, int c);

/// Decodes the JPEG file folder + name into bitmap. False for an empty name or any failure.
bool loadjpeg(QImage& bitmap, const QString& folder, const QString& name);

/// Loads the JPEG file, shrinks it to maxWidth (keeping the aspect ratio) when it is wider and
/// encodes it with quality 30. An unreadable file gives an empty image.
JpegImage shrinkjpeg(const QString& path, int maxWidth);

/// Bilinear resampling of src into dst, whose size is already set, in 16.16 fixed point.
void resizebitmap(const QImage& src, QImage& dst);

/// The decoded pixels of a JPEG image; a null image for an empty one.
QImage jpegtobitmap(const JpegImage& jpeg);

/// The bitmap as the bytes of a Windows bitmap file, as the database keeps photos.
QByteArray bitmapBytes(const QImage& bitmap);

} // namespace JpegUtil
