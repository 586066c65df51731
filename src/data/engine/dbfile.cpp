#include "data/engine/dbfile.h"

#include "platform/errors.h"

#include <QFile>
#include <sqlite3.h>

namespace engine {

void createDatabaseFile(const QString& path, const QStringList& scripts)
{
    if (QFile::exists(path)) {
        throw FileError(QStringLiteral("文件已存在，不会被替换：%1").arg(path));
    }
    sqlite3* db = nullptr;
    const QByteArray name = QFile::encodeName(path);
    if (sqlite3_open_v2(name.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        throw RosterError(message);
    }
    QString script = QStringLiteral("BEGIN;\n") + scripts.join(u'\n') + QStringLiteral("\nCOMMIT;");
    char* error = nullptr;
    if (sqlite3_exec(db, script.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = QString::fromUtf8(error);
        sqlite3_free(error);
        sqlite3_close(db);
        QFile::remove(path);
        throw RosterError(message);
    }
    sqlite3_close(db);
}

} // namespace engine
