#include "platform/textfile.h"

#include "platform/errors.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace textfile {

QString decode(const QByteArray& bytes)
{
    static const QByteArray bom("\xEF\xBB\xBF");
    if (bytes.startsWith(bom)) {
        return QString::fromUtf8(bytes.mid(bom.size()));
    }
    QStringDecoder gbk("GBK");
    return gbk(bytes);
}

QByteArray encodeGbk(const QString& text)
{
    QStringEncoder gbk("GBK");
    return gbk(text);
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < n) {
        lines.append(text.mid(start));
    }
    return lines;
}

QByteArray joinLines(const QStringList& lines)
{
    QByteArray out;
    for (const QString& line : lines) {
        out += encodeGbk(line);
        out += "\r\n";
    }
    return out;
}

std::optional<QStringList> readLinesIfPresent(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return splitLines(decode(file.readAll()));
}

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw FileError(QStringLiteral("无法打开文件 %1：%2").arg(path, file.errorString()));
    }
    return splitLines(decode(file.readAll()));
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw FileError(QStringLiteral("无法写入文件 %1：%2").arg(path, file.errorString()));
    }
}

void writeLines(const QString& path, const QStringList& lines)
{
    writeBytes(path, joinLines(lines));
}

} // namespace textfile
