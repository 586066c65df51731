#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>

class Tdm;

/// What one photo box of the person page holds: the picture exactly as it was loaded (a JPEG
/// stays a JPEG) and its decoded image for showing. The window only paints `image()`.
class PhotoBox : public QObject
{
    Q_OBJECT

public:
    explicit PhotoBox(QObject* parent = nullptr);

    bool isEmpty() const { return m_bytes.isEmpty(); }
    /// The picture in its own encoding.
    QByteArray bytes() const { return m_bytes; }
    QImage image() const { return m_image; }

    /// Takes encoded picture bytes; false (and the box unchanged) when they are no picture.
    bool setBytes(const QByteArray& bytes);
    /// Loads a picture file as it is; false (and the box unchanged) when it cannot be read.
    bool loadFile(const QString& path);
    void clear();

signals:
    void changed();

private:
    QByteArray m_bytes;
    QImage m_image;
};

/// The photo rules of the personnel browser. File mode (`photoondisk`): one file
/// apppath + "photo/" + id + ".jpg" per person, loaded into the file box on every move and
/// written after every store of the person. Database mode: the person field `picture`, a Windows
/// bitmap at most 106 pixels wide, shown in the database box, which follows the current row.
class PersonPhotos : public QObject
{
    Q_OBJECT

public:
    /// Width of the photo box; database photos are shrunk to it.
    static constexpr int BoxWidth = 106;
    static constexpr int BoxHeight = 133;

    explicit PersonPhotos(Tdm& dm, QObject* parent = nullptr);
    ~PersonPhotos() override;

    /// The mode of the installation; read again at every show of the browser.
    void setPhotoOnDisk(bool photoondisk);
    bool photoOnDisk() const { return m_photoOnDisk; }

    PhotoBox* fileBox() const { return m_fileBox; }
    PhotoBox* databaseBox() const { return m_databaseBox; }

    /// The photo file of a person; empty for a key that cannot name a file inside the photo
    /// folder (empty, ".", "..", or holding a path separator).
    static QString photoFile(const QString& personId);
    static QString fileFilter() { return QStringLiteral("照片文件(*.jpg;*.jpeg)|*.jpeg;*.jpg"); }

    /// Installs afterScroll and afterPost as the data module's photo hooks.
    void attach();
    void detach();

    /// "选择照片": asks for a file through the message seam; cancel does nothing.
    void choosePhoto();
    /// "清除照片".
    void clearPhoto();
    /// The data module's step after a move: file mode shows the person's photo file or nothing.
    void afterScroll(const QString& personId);
    /// The data module's step after a store: file mode writes the box's picture to the file.
    /// Throws FileError when the file cannot be written.
    void afterPost(const QString& personId);
    /// Shows the current person's `picture` in the database box.
    void reloadDatabaseBox();

private:
    void chooseFileMode(const QString& path);
    void chooseDatabaseMode(const QString& path);

    QPointer<Tdm> m_dm;
    bool m_photoOnDisk = false;
    bool m_attached = false;
    PhotoBox* m_fileBox;
    PhotoBox* m_databaseBox;
};
