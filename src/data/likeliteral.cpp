#include "data/likeliteral.h"

#include "data/engine/jetlike.h"
#include "platform/errors.h"

QString likeLiteral(const QString& typed, const QString& appended)
{
    const QString pattern = typed + appended;
    if (!jet::isValidLikePattern(pattern)) {
        throw RosterError(
            QStringLiteral("“%1”不是有效的查询内容：方括号“[”必须以“]”结束，其中的范围须由小到大（如 [a-z]）。")
                .arg(typed));
    }
    return u'"' + QString(pattern).replace(u'"', QStringLiteral("\"\"")) + u'"';
}
