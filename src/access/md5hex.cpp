#include "access/md5hex.h"

#include "platform/textfile.h"

#include <QCryptographicHash>

QString MD5Hex(const QString& text)
{
    const QByteArray digest = QCryptographicHash::hash(textfile::encodeGbk(text), QCryptographicHash::Md5);
    return QString::fromLatin1(digest.toHex()).toUpper();
}

namespace access {

QString passwordDigest(const QString& password)
{
    // The salt is part of every digest ever stored; changing it locks every user out.
    return MD5Hex(password + QStringLiteral("vrelk"));
}

} // namespace access
