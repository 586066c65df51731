#include "app/toolentries.h"

#include "platform/inifile.h"
#include "platform/interaction.h"

#include <QFileInfo>
#include <QProcess>

namespace toolentries {

QStringList menuCaptions(const QString& menusFile)
{
    const int count =
        ini::readString(menusFile, QStringLiteral("itemscount"), QStringLiteral("count"), QStringLiteral("0"))
            .trimmed()
            .toInt();
    QStringList captions;
    // The number is read back from the first two characters of the caption, so entries past 99
    // could not be told apart.
    for (int i = 1; i <= qMin(count, 99); ++i) {
        captions << QString::number(i) + QLatin1Char('.') +
                        ini::readString(menusFile, QString::number(i), QStringLiteral("caption"), QString());
    }
    return captions;
}

int entryNumber(const QString& caption)
{
    if (caption.size() >= 2 && caption.at(1) == QLatin1Char('.')) {
        return caption.left(1).toInt();
    }
    return caption.left(2).toInt();
}

void runEntry(const QString& menusFile, int number)
{
    const QString section = QString::number(number);
    const QString filename = ini::readString(menusFile, section, QStringLiteral("filename"), QString());
    const QString param = ini::readString(menusFile, section, QStringLiteral("param"), QString());
    if (filename.isEmpty()) {
        return;
    }
    const QFileInfo info(filename);
    if (param.isEmpty() && !(info.isFile() && info.isExecutable())) {
        // A document: its default program opens it.
        interaction::current().openDocument(filename);
    } else {
        interaction::current().startProgram(filename, QProcess::splitCommand(param));
    }
}

} // namespace toolentries
