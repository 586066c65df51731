#include "tools/shelladdress.h"

namespace shelladdress {

std::optional<QString> mailAddress(const QString& typed)
{
    if (typed.isEmpty()) {
        return std::nullopt;
    }
    return QStringLiteral("mailto:") + typed.trimmed();
}

std::optional<QString> webAddress(const QString& typed)
{
    const QString scheme = QStringLiteral("http://");
    if (typed.isEmpty() || typed == scheme) {
        return std::nullopt;
    }
    QString address = typed;
    if (address.startsWith(QLatin1Char('!'))) {
        address.remove(0, 1);
    } else if (!address.contains(scheme, Qt::CaseSensitive)) {
        address.prepend(scheme);
    }
    return address.trimmed();
}

} // namespace shelladdress
