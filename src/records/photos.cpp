#include "records/photos.h"

#include "data/dmunit.h"
#include "platform/errorboundary.h"
#include "platform/errors.h"
#include "platform/interaction.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "records/jpegutil.h"

#include <QFile>
#include <QFileInfo>

PhotoBox::PhotoBox(QObject* parent) : QObject(parent) {}

bool PhotoBox::setBytes(const QByteArray& bytes)
{
    const QImage image = QImage::fromData(bytes);
    if (image.isNull()) {
        return false;
    }
    m_bytes = bytes;
    m_image = image;
    emit changed();
    return true;
}

bool PhotoBox::loadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    return setBytes(file.readAll());
}

void PhotoBox::clear()
{
    if (m_bytes.isEmpty() && m_image.isNull()) {
        return;
    }
    m_bytes.clear();
    m_image = QImage();
    emit changed();
}

PersonPhotos::PersonPhotos(Tdm& dm, QObject* parent)
    : QObject(parent), m_dm(&dm), m_fileBox(new PhotoBox(this)), m_databaseBox(new PhotoBox(this))
{
    engine::Query* person = m_dm->personquery;
    const auto follow = [this] {
        if (!m_photoOnDisk) {
            reloadDatabaseBox();
        }
    };
    connect(person, &engine::Dataset::currentRowChanged, this, follow);
    connect(person, &engine::Dataset::datasetReset, this, follow);
    connect(person, &engine::Dataset::rowChanged, this, follow);
    connect(person, &engine::Dataset::stateChanged, this, follow);
}

PersonPhotos::~PersonPhotos()
{
    detach();
}

void PersonPhotos::setPhotoOnDisk(bool photoondisk)
{
    m_photoOnDisk = photoondisk;
    // The current person's photo is shown at once, whether or not a move follows.
    if (m_photoOnDisk) {
        afterScroll(m_dm->currentPersonId());
    } else {
        reloadDatabaseBox();
    }
}

QString PersonPhotos::photoFile(const QString& personId)
{
    // The key is typed by the user; it must not lead the file out of the photo folder.
    if (personId.isEmpty() || personId == QStringLiteral(".") || personId == QStringLiteral("..") ||
        personId.contains(u'/') || personId.contains(u'\\') || personId.contains(QChar(0))) {
        return {};
    }
    return paths::apppath() + QStringLiteral("photo/") + personId + QStringLiteral(".jpg");
}

void PersonPhotos::attach()
{
    m_dm->photoAfterScroll = [this](const QString& id) { afterScroll(id); };
    m_dm->photoAfterPost = [this](const QString& id) { afterPost(id); };
    m_attached = true;
}

void PersonPhotos::detach()
{
    // Hooks installed by someone else stay.
    if (!m_attached || m_dm.isNull()) {
        return;
    }
    m_attached = false;
    m_dm->photoAfterScroll = nullptr;
    m_dm->photoAfterPost = nullptr;
}

void PersonPhotos::afterScroll(const QString& personId)
{
    if (!m_photoOnDisk) {
        return;
    }
    const QString path = photoFile(personId);
    if (path.isEmpty() || !QFileInfo::exists(path) || !m_fileBox->loadFile(path)) {
        m_fileBox->clear();
    }
}

void PersonPhotos::afterPost(const QString& personId)
{
    if (!m_photoOnDisk || m_fileBox->isEmpty()) {
        return;
    }
    const QString path = photoFile(personId);
    if (path.isEmpty()) {
        throw FileError(QStringLiteral("无法写入照片文件：工号“%1”不能用作文件名").arg(personId));
    }
    textfile::writeBytes(path, m_fileBox->bytes());
}

void PersonPhotos::reloadDatabaseBox()
{
    engine::Query* person = m_dm->personquery;
    QByteArray bytes;
    if (person->active() && person->rowCount() > 0 && person->hasField(QStringLiteral("picture"))) {
        bytes = person->field(QStringLiteral("picture")).asBytes();
    }
    if (bytes.isEmpty() || !m_databaseBox->setBytes(bytes)) {
        m_databaseBox->clear();
    }
}

void PersonPhotos::choosePhoto()
{
    const QString path = interaction::current().chooseOpenFile(QStringLiteral("打开"), fileFilter(), QString());
    if (path.isEmpty()) {
        return;
    }
    if (m_photoOnDisk) {
        chooseFileMode(path);
    } else {
        chooseDatabaseMode(path);
    }
}

void PersonPhotos::chooseFileMode(const QString& path)
{
    engine::Query* person = m_dm->personquery;
    person->edit();
    if (!m_fileBox->loadFile(path)) {
        throw FileError(QStringLiteral("无法读取照片文件 %1").arg(path));
    }
    // No field changes, yet moving to another person must store the record and with it the file.
    person->setModified();
}

void PersonPhotos::chooseDatabaseMode(const QString& path)
{
    engine::Query* person = m_dm->personquery;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("jpg") || suffix == QStringLiteral("jpeg")) {
        const JpegUtil::JpegImage shrunk = JpegUtil::shrinkjpeg(path, BoxWidth);
        person->edit();
        const QImage bitmap = JpegUtil::jpegtobitmap(shrunk);
        engine::Field picture = person->field(QStringLiteral("picture"));
        if (bitmap.isNull()) {
            // A file that is no JPEG gives an empty picture.
            picture.clear();
        } else {
            picture.setAsBytes(JpegUtil::bitmapBytes(bitmap));
        }
    } else {
        ignoreErrors("photo: storing the chosen picture", [&] {
            person->edit();
            QImage image;
            if (image.load(path)) {
                person->field(QStringLiteral("picture")).setAsBytes(JpegUtil::bitmapBytes(image));
            }
        });
    }
    reloadDatabaseBox();
}

void PersonPhotos::clearPhoto()
{
    engine::Query* person = m_dm->personquery;
    if (m_photoOnDisk) {
        m_fileBox->clear();
        if (person->state() == engine::DatasetState::Insert || !person->active() || person->isEmpty()) {
            return;
        }
        const QString path = photoFile(person->field(QStringLiteral("id")).asString());
        if (!path.isEmpty()) {
            QFile::remove(path);
        }
        return;
    }
    ignoreErrors("photo: clearing the picture", [person] {
        person->edit();
        person->field(QStringLiteral("picture")).clear();
    });
    reloadDatabaseBox();
}
