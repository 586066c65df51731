#pragma once

#include "platform/paths.h"
#include "platform/textfile.h"
#include "support/testdb.h"

#include <QDir>
#include <QFile>

/// An installation in a temporary folder: the sample database, and data/sysdata.ini and
/// data/sql/ written from the shipped sources as the installation writes them (GBK, CR LF).
struct StatsHome
{
    testdb::TempFile db{QString(), true};

    StatsHome()
    {
        const QString source = QStringLiteral(ROSTER_SOURCE_DIR "/install/roster/data/");
        QDir(db.folder()).mkpath(QStringLiteral("data/sql"));
        install(source + QStringLiteral("sysdata.ini"), QStringLiteral("data/sysdata.ini"));
        for (const QString& name : QDir(source + QStringLiteral("sql")).entryList(QDir::Files)) {
            install(source + QStringLiteral("sql/") + name, QStringLiteral("data/sql/") + name);
        }
        paths::setAppPath(db.folder());
    }

    QString folder() const { return db.folder(); }

    void install(const QString& utf8Source, const QString& target) const
    {
        QFile in(utf8Source);
        in.open(QIODevice::ReadOnly);
        writeText(target, QString::fromUtf8(in.readAll()));
    }

    /// Writes an installation text under the folder (GBK, CR LF).
    void writeText(const QString& relative, const QString& text) const
    {
        textfile::writeLines(QDir(db.folder()).filePath(relative), textfile::splitLines(text));
    }
};
