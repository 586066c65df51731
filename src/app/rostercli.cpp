// roster-cli: the installation's command-line tool.
//   roster-cli create-db DIR           builds DIR/roster5.dat from schema.sql and sample.sql
//   roster-cli install-text SRC DST    writes a UTF-8 source text as an installation text (GBK, CR LF)

#include "data/engine/dbfile.h"
#include "platform/errors.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

namespace {

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

QString sourceFolder()
{
    return QStringLiteral(ROSTER_INSTALL_SOURCE);
}

QString readUtf8(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw FileError(QStringLiteral("无法打开文件 %1：%2").arg(path, file.errorString()));
    }
    return QString::fromUtf8(file.readAll());
}

int createDb(const QString& folder)
{
    const QString target = QDir(folder).filePath(QStringLiteral("roster5.dat"));
    engine::createDatabaseFile(target, {readUtf8(sourceFolder() + QStringLiteral("/schema.sql")),
                                        readUtf8(sourceFolder() + QStringLiteral("/sample.sql"))});
    QTextStream(stdout) << "created " << target << Qt::endl;
    return 0;
}

int installText(const QString& source, const QString& target)
{
    QString text = readUtf8(source);
    if (text.startsWith(QChar(0xFEFF))) {
        text.remove(0, 1);
    }
    textfile::writeLines(target, textfile::splitLines(text));
    return 0;
}

int usage()
{
    err() << "usage: roster-cli create-db DIR | install-text SRC DST" << Qt::endl;
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    try {
        if (args.size() == 2 && args[0] == QLatin1String("create-db")) {
            return createDb(args[1]);
        }
        if (args.size() == 3 && args[0] == QLatin1String("install-text")) {
            return installText(args[1], args[2]);
        }
        return usage();
    } catch (const std::exception& e) {
        err() << exceptionText(e) << Qt::endl;
        return 1;
    }
}
