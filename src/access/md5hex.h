#pragma once

#include <QString>

/// 32 upper-case hexadecimal digits of the MD5 digest (RFC 1321) of the text's GBK bytes.
QString MD5Hex(const QString& text);

namespace access {

/// The digest stored for a password: MD5Hex of the password followed by the salt.
QString passwordDigest(const QString& password);

} // namespace access
