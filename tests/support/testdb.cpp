#include "testdb.h"

#include "data/engine/dbfile.h"

#include <QDir>
#include <QFile>

namespace testdb {

namespace {

QString readSource(const QString& name)
{
    QFile file(QStringLiteral(ROSTER_SOURCE_DIR "/install/") + name);
    if (!file.open(QIODevice::ReadOnly)) {
        throw FileError(QStringLiteral("cannot read %1").arg(file.fileName()));
    }
    return QString::fromUtf8(file.readAll());
}

QStringList scripts(const QString& rows, bool withSample)
{
    QStringList result{schemaSql()};
    if (withSample) {
        result << sampleSql();
    }
    if (!rows.isEmpty()) {
        result << rows;
    }
    return result;
}

} // namespace

QString schemaSql()
{
    return readSource(QStringLiteral("schema.sql"));
}

QString sampleSql()
{
    return readSource(QStringLiteral("sample.sql"));
}

std::unique_ptr<engine::Database> memory(const QString& rows, bool withSample)
{
    auto db = std::make_unique<engine::Database>();
    db->openMemory(scripts(rows, withSample).join(u'\n'));
    return db;
}

TempFile::TempFile(const QString& rows, bool withSample)
{
    m_path = QDir(m_dir.path()).filePath(QStringLiteral("roster5.dat"));
    engine::createDatabaseFile(m_path, scripts(rows, withSample));
}

int rootPage(const QString& path, const QString& name)
{
    engine::Database db;
    db.open(path);
    return db.selectValue(QStringLiteral("SELECT rootpage FROM sqlite_schema WHERE name = ?1"), {name}).toInt();
}

void damagePage(const QString& path, int page)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        throw FileError(QStringLiteral("cannot open %1").arg(path));
    }
    const QByteArray header = file.read(100);
    int pageSize = (quint8(header[16]) << 8) | quint8(header[17]);
    if (pageSize == 1) {
        pageSize = 65536;
    }
    file.seek(qint64(page - 1) * pageSize);
    file.write(QByteArray(pageSize, char(0xA5)));
    // Bytes 24..27: the change counter every connection compares before it trusts its cache.
    const quint32 counter =
        (quint8(header[24]) << 24 | quint8(header[25]) << 16 | quint8(header[26]) << 8 | quint8(header[27])) + 1;
    const char bytes[4] = {char(counter >> 24), char(counter >> 16), char(counter >> 8), char(counter)};
    file.seek(24);
    file.write(bytes, 4);
}

QStringList personIds(const QString& path)
{
    engine::Database db;
    db.open(path);
    QStringList ids;
    for (const QVariantList& row : db.selectRows(QStringLiteral("SELECT ID FROM person ORDER BY rowid"))) {
        ids << row.value(0).toString();
    }
    return ids;
}

} // namespace testdb
