#include "data/dmunit.h"
#include "platform/errors.h"
#include "platform/paths.h"
#include "records/photos.h"
#include "support/scriptedinteraction.h"
#include "support/testdb.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QtTest>

using engine::DatasetState;

namespace {

const char* const persons = "INSERT INTO person(ID,name,status) VALUES"
                            " ('A001','张三',1),('A002','李四',1),('A003','王五',1);";

QByteArray encoded(const QSize& size, const char* format, QColor colour = Qt::darkCyan)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 90);
    return bytes;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// An installation with a photo folder, the data module on three persons and the photo rules
/// attached as the browser attaches them.
struct Home
{
    explicit Home(bool photoondisk) : file(QString::fromUtf8(persons)), photos(dm)
    {
        paths::setAppPath(file.folder());
        QDir(file.folder()).mkpath(QStringLiteral("photo"));
        QDir(file.folder()).mkpath(QStringLiteral("pick"));
        dm.db->setFileName(file.path());
        dm.loginright = QStringLiteral("admin");
        photos.setPhotoOnDisk(photoondisk);
        photos.attach();
    }
    QString photo(const QString& id) const { return file.folder() + QStringLiteral("/photo/") + id + ".jpg"; }
    QString pick(const QString& name) const { return file.folder() + QStringLiteral("/pick/") + name; }
    QString id() { return dm.personquery->field(QStringLiteral("ID")).asString(); }
    QByteArray storedPicture(const QString& id)
    {
        return dm.db->selectValue(QStringLiteral("SELECT picture FROM person WHERE ID=?1"), {id}).toByteArray();
    }

    testdb::TempFile file;
    Tdm dm;
    PersonPhotos photos;
};

} // namespace

/// The person photos: files named by the person's key, or a shrunk bitmap in the database.
class TestPhotos : public QObject
{
    Q_OBJECT

private slots:
    void fileModeFollowsThePersonShown()
    {
        Home home(true);
        const QByteArray first = encoded({40, 50}, "JPEG");
        writeFile(home.photo("A001"), first);
        PhotoBox* box = home.photos.fileBox();

        home.dm.personquery->open();
        QCOMPARE(home.id(), QStringLiteral("A001"));
        QCOMPARE(box->bytes(), first);
        QCOMPARE(box->image().size(), QSize(40, 50));

        // To a person without a file: the box empties, and storing that person writes nothing.
        home.dm.personquery->next();
        QVERIFY(box->isEmpty());
        QVERIFY(box->image().isNull());
        home.dm.personquery->edit();
        home.dm.personquery->field(QStringLiteral("phone")).setAsString(QStringLiteral("1"));
        home.dm.personquery->post();
        QVERIFY(!QFile::exists(home.photo("A002")));

        home.dm.personquery->prior();
        QCOMPARE(box->bytes(), first);
    }

    void fileModeChoiceIsWrittenAsItIsWhenStored()
    {
        Home home(true);
        ScriptedInteraction ui;
        // A progressive JPEG of odd size: any re-encoding would change its bytes.
        const QByteArray chosen = encoded({641, 479}, "JPEG", Qt::magenta);
        writeFile(home.pick("face.jpg"), chosen);
        home.dm.personquery->open();
        home.dm.personquery->next();

        ui.choose({QString()});
        home.photos.choosePhoto();
        QCOMPARE(home.dm.personquery->state(), DatasetState::Browse);
        QVERIFY(home.photos.fileBox()->isEmpty());
        QCOMPARE(ui.shown.last().kind, ScriptedInteraction::Kind::OpenFile);
        QCOMPARE(ui.shown.last().text, QStringLiteral("照片文件(*.jpg;*.jpeg)|*.jpeg;*.jpg"));

        ui.choose({home.pick("face.jpg")});
        home.photos.choosePhoto();
        QCOMPARE(home.dm.personquery->state(), DatasetState::Edit);
        QCOMPARE(home.photos.fileBox()->bytes(), chosen);
        QVERIFY(!QFile::exists(home.photo("A002"))); // only a store writes it
        home.dm.personquery->post();
        QCOMPARE(readFile(home.photo("A002")), chosen);

        // Moving away and back shows it again.
        home.dm.personquery->next();
        QVERIFY(home.photos.fileBox()->isEmpty());
        home.dm.personquery->prior();
        QCOMPARE(home.photos.fileBox()->bytes(), chosen);
    }

    void fileModeChoiceIsStoredByMovingOn()
    {
        Home home(true);
        ScriptedInteraction ui;
        const QByteArray chosen = encoded({64, 80}, "JPEG", Qt::yellow);
        writeFile(home.pick("face.jpg"), chosen);
        home.dm.personquery->open();

        ui.choose({home.pick("face.jpg")});
        home.photos.choosePhoto();
        QVERIFY(home.dm.personquery->modified());
        home.dm.personquery->next(); // the move stores the person, and the store writes the file
        QCOMPARE(readFile(home.photo("A001")), chosen);
        home.dm.personquery->prior();
        QCOMPARE(home.photos.fileBox()->bytes(), chosen);
    }

    void fileModeClearing()
    {
        Home home(true);
        writeFile(home.photo("A001"), encoded({20, 20}, "JPEG"));
        home.dm.personquery->open();
        QVERIFY(!home.photos.fileBox()->isEmpty());

        // A new person that takes the key of a photo file: clearing deletes nothing.
        home.dm.personquery->append();
        home.dm.personquery->field(QStringLiteral("ID")).setAsString(QStringLiteral("A001"));
        home.photos.fileBox()->loadFile(home.photo("A001"));
        home.photos.clearPhoto();
        QVERIFY(home.photos.fileBox()->isEmpty());
        QVERIFY(QFile::exists(home.photo("A001")));
        home.dm.personquery->cancel();

        // A stored person: the file goes at once, the record is not put into editing.
        home.dm.personquery->first();
        QCOMPARE(home.id(), QStringLiteral("A001"));
        QVERIFY(!home.photos.fileBox()->isEmpty());
        home.photos.clearPhoto();
        QVERIFY(home.photos.fileBox()->isEmpty());
        QVERIFY(!QFile::exists(home.photo("A001")));
        QCOMPARE(home.dm.personquery->state(), DatasetState::Browse);
        // Clearing again, without a file, does nothing.
        home.photos.clearPhoto();
        QVERIFY(!QFile::exists(home.photo("A001")));
    }

    void fileModeWriteFailures()
    {
        Home home(true);
        ScriptedInteraction ui;
        writeFile(home.pick("face.jpg"), encoded({30, 30}, "JPEG"));
        home.dm.personquery->open();

        // The photo folder is missing: the file layer's error, the person is stored.
        QDir(home.file.folder() + "/photo").removeRecursively();
        ui.choose({home.pick("face.jpg")});
        home.photos.choosePhoto();
        home.dm.personquery->field(QStringLiteral("phone")).setAsString(QStringLiteral("77"));
        QVERIFY_THROWS_EXCEPTION(FileError, home.dm.personquery->post());
        QCOMPARE(home.dm.personquery->state(), DatasetState::Browse);
        QCOMPARE(home.dm.db->selectValue(QStringLiteral("SELECT phone FROM person WHERE ID='A001'")).toString(),
                 QStringLiteral("77"));

        // A key that would lead out of the photo folder names no file.
        QDir(home.file.folder()).mkpath(QStringLiteral("photo"));
        home.dm.personquery->edit();
        home.dm.personquery->field(QStringLiteral("ID")).setAsString(QStringLiteral("../A001"));
        QVERIFY_THROWS_EXCEPTION(FileError, home.dm.personquery->post());
        QVERIFY(!QFile::exists(home.file.folder() + "/A001.jpg"));
        QVERIFY(PersonPhotos::photoFile(QStringLiteral("..")).isEmpty());
        QVERIFY(PersonPhotos::photoFile(QStringLiteral("a\\b")).isEmpty());
        QCOMPARE(PersonPhotos::photoFile(QStringLiteral("A.1")), paths::apppath() + QStringLiteral("photo/A.1.jpg"));
    }

    void databaseModeStoresAShrunkBitmap_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("stored");
        QTest::newRow("640 by 480 jpeg") << "big.jpg" << encoded({640, 480}, "JPEG") << QSize(106, 80);
        QTest::newRow("100 by 150 jpeg keeps its size")
            << "small.JPEG" << encoded({100, 150}, "JPEG") << QSize(100, 150);
        QTest::newRow("other kinds are taken as they are") << "wide.png" << encoded({300, 20}, "PNG") << QSize(300, 20);
        QTest::newRow("a jpeg that is none gives no picture") << "bad.jpg" << QByteArray("not a picture") << QSize();
    }
    void databaseModeStoresAShrunkBitmap()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, stored);
        Home home(false);
        ScriptedInteraction ui;
        writeFile(home.pick(name), bytes);
        home.dm.db->execute(QStringLiteral("UPDATE person SET picture=?1 WHERE ID='A001'"), {encoded({5, 5}, "BMP")});
        home.dm.personquery->open();
        QCOMPARE(home.photos.databaseBox()->image().size(), QSize(5, 5));

        ui.choose({home.pick(name)});
        home.photos.choosePhoto();
        QCOMPARE(home.dm.personquery->state(), DatasetState::Edit);
        QCOMPARE(home.photos.databaseBox()->image().isNull(), !stored.isValid());
        if (stored.isValid()) {
            QCOMPARE(home.photos.databaseBox()->image().size(), stored);
        }
        home.dm.personquery->post();
        QVERIFY(!QFile::exists(home.photo("A001")));

        const QByteArray picture = home.storedPicture("A001");
        if (!stored.isValid()) {
            QVERIFY(picture.isEmpty());
            QVERIFY(
                home.dm.db->selectValue(QStringLiteral("SELECT picture IS NULL FROM person WHERE ID='A001'")).toBool());
            return;
        }
        QVERIFY(picture.startsWith("BM")); // a Windows bitmap
        const QImage image = QImage::fromData(picture, "BMP");
        QCOMPARE(image.size(), stored);
        QCOMPARE(int(uchar(picture[28])) | int(uchar(picture[29])) << 8, 24); // bits per pixel in the header
        QCOMPARE(home.photos.databaseBox()->image().size(), stored);
    }

    void databaseModeBoxFollowsRowsCancelAndClear()
    {
        Home home(false);
        ScriptedInteraction ui;
        writeFile(home.pick("big.jpg"), encoded({640, 480}, "JPEG"));
        home.dm.db->execute(QStringLiteral("UPDATE person SET picture=?1 WHERE ID='A001'"), {encoded({7, 9}, "BMP")});
        PhotoBox* box = home.photos.databaseBox();
        home.dm.personquery->open();
        QCOMPARE(box->image().size(), QSize(7, 9));
        home.dm.personquery->next();
        QVERIFY(box->isEmpty());
        home.dm.personquery->prior();
        QCOMPARE(box->image().size(), QSize(7, 9));

        // A choice undone by cancelling shows the stored photo again.
        ui.choose({home.pick("big.jpg")});
        home.photos.choosePhoto();
        QCOMPARE(box->image().size(), QSize(106, 80));
        home.dm.personquery->cancel();
        QCOMPARE(box->image().size(), QSize(7, 9));

        // Clearing empties the field with the next store.
        home.photos.clearPhoto();
        QCOMPARE(home.dm.personquery->state(), DatasetState::Edit);
        QVERIFY(box->isEmpty());
        QVERIFY(!home.storedPicture("A001").isEmpty());
        home.dm.personquery->post();
        QVERIFY(home.dm.db->selectValue(QStringLiteral("SELECT picture IS NULL FROM person WHERE ID='A001'")).toBool());
    }
};

QTEST_GUILESS_MAIN(TestPhotos)
#include "test_photos.moc"
