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

} // namespace testdb
