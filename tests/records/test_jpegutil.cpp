#include "records/jpegutil.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace JpegUtil;

class TestJpegUtil : public QObject
{
    Q_OBJECT

    static QImage gradient(int w, int h)
    {
        QImage image(w, h, QImage::Format_BGR888);
        for (int y = 0; y < h; ++y) {
            uchar* row = image.scanLine(y);
            for (int x = 0; x < w; ++x) {
                row[x * 3 + 0] = uchar(10 * x + 40 * y); // blue
                row[x * 3 + 1] = uchar(100 + x);         // green
                row[x * 3 + 2] = uchar(200 + y);         // red
            }
        }
        return image;
    }

    static QString saveJpeg(const QTemporaryDir& dir, const QString& name, int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(QColor(120, 80, 40));
        const QString path = dir.filePath(name);
        image.save(path, "JPEG", 95);
        return path;
    }

private slots:
    void mulDivRoundsHalvesAwayFromZero_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("c");
        QTest::addColumn<int>("expected");
        QTest::newRow("79.5 up") << 106 << 480 << 640 << 80;
        QTest::newRow("exact") << 3 << 65536 << 2 << 98304;
        QTest::newRow("below half") << 10 << 1 << 3 << 3;
        QTest::newRow("negative half") << -3 << 1 << 2 << -2;
        QTest::newRow("zero divisor") << 5 << 5 << 0 << -1;
        QTest::newRow("large product") << 65535 << 65536 << 65536 << 65535;
    }
    void mulDivRoundsHalvesAwayFromZero()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, c);
        QFETCH(int, expected);
        QCOMPARE(MulDiv(a, b, c), expected);
    }

    void resizeFourByFourToTwoByTwo()
    {
        const QImage src = gradient(4, 4);
        QImage dst(2, 2, QImage::Format_BGR888);
        resizebitmap(src, dst);
        // (0,0) samples source pixel (0,0), with the weight 1 of the row below (wy0 + wy1 = 65537).
        // (1,1) samples position 1.5, 1.5: blue of pixels (1,1) 50, (2,1) 60, (1,2) 90, (2,2) 100 with
        // weights 16384, 16384, 16384, 16385.
        const uchar* row0 = dst.constScanLine(0);
        const uchar* row1 = dst.constScanLine(1);
        QCOMPARE(int(row0[0]), (0 * 65536 + 40 * 1) >> 16);
        QCOMPARE(int(row1[3]), (50 * 16384 + 60 * 16384 + 90 * 16384 + 100 * 16385) >> 16);
        QCOMPARE(int(row1[4]), (101 * 16384 + 102 * 16384 + 101 * 16384 + 102 * 16385) >> 16);
        QCOMPARE(int(row1[5]), (201 * 16384 + 201 * 16384 + 202 * 16384 + 202 * 16385) >> 16);
    }

    void uniformAreaKeepsItsValue()
    {
        QImage src(7, 5, QImage::Format_BGR888);
        src.fill(QColor(90, 60, 30));
        QImage dst(3, 2, QImage::Format_BGR888);
        resizebitmap(src, dst);
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 3; ++x) {
                QCOMPARE(dst.pixelColor(x, y), QColor(90, 60, 30));
            }
        }
    }

    void sameSizeIsACopy()
    {
        const QImage src = gradient(3, 3);
        QImage dst(3, 3, QImage::Format_BGR888);
        resizebitmap(src, dst);
        QCOMPARE(dst, src);
    }

    void shrinkWidePhotoToTheBoxWidth()
    {
        QTemporaryDir dir;
        const QImage shrunk = jpegtobitmap(shrinkjpeg(saveJpeg(dir, "wide.jpg", 640, 480), 106));
        QCOMPARE(shrunk.size(), QSize(106, 80));
        QCOMPARE(shrunk.format(), QImage::Format_BGR888);
    }

    void narrowPhotoKeepsItsSizeButIsRecompressed()
    {
        QTemporaryDir dir;
        const QString path = saveJpeg(dir, "narrow.jpg", 100, 150);
        const JpegImage jpeg = shrinkjpeg(path, 106);
        QCOMPARE(jpegtobitmap(jpeg).size(), QSize(100, 150));
        QFile original(path);
        QVERIFY(original.open(QIODevice::ReadOnly));
        QVERIFY(jpeg.data != original.readAll());
    }

    void unreadableFilesGiveNothing()
    {
        QTemporaryDir dir;
        QFile notJpeg(dir.filePath("photo.jpg"));
        QVERIFY(notJpeg.open(QIODevice::WriteOnly));
        notJpeg.write("not a picture");
        notJpeg.close();

        QImage bitmap;
        QVERIFY(!loadjpeg(bitmap, dir.path(), QString()));
        QVERIFY(!loadjpeg(bitmap, dir.path(), "missing.jpg"));
        QVERIFY(!loadjpeg(bitmap, dir.path(), "photo.jpg"));
        QVERIFY(shrinkjpeg(dir.filePath("photo.jpg"), 106).isEmpty());
        QVERIFY(jpegtobitmap(JpegImage{}).isNull());
    }

    void bitmapBytesAreAWindowsBitmap()
    {
        const QByteArray bytes = bitmapBytes(gradient(5, 4));
        QVERIFY(bytes.startsWith("BM"));
        const QImage back = QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_BGR888);
        QCOMPARE(back, gradient(5, 4));
    }
};

QTEST_GUILESS_MAIN(TestJpegUtil)
#include "test_jpegutil.moc"
