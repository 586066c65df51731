#pragma once

#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

/// A throw-away installation folder with a data folder, for the department and code-list tests.
struct RecordsHome
{
    QTemporaryDir dir;

    RecordsHome()
    {
        QDir(dir.path()).mkpath(QStringLiteral("data"));
        paths::setAppPath(dir.path());
    }

    QString data(const QString& name) const { return paths::datapath() + name; }

    static QByteArray bytes(const QString& path)
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    static void writeRaw(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(bytes);
    }
};
