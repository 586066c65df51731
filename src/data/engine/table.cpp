#include "data/engine/table.h"

#include <QRegularExpression>

namespace engine {

Table::Table(Database* database, QObject* parent) : Dataset(database, parent) {}

QString Table::selectText() const
{
    QStringList order;
    if (!m_indexName.isEmpty() && database() && database()->isOpen()) {
        order = database()->indexColumns(m_indexName);
        if (order.isEmpty()) {
            throw DbError(QStringLiteral("Index '%1' not found").arg(m_indexName));
        }
    } else if (!m_indexFieldNames.isEmpty()) {
        order = m_indexFieldNames.split(QRegularExpression(QStringLiteral("[;,]")), Qt::SkipEmptyParts);
    }
    QString text = QStringLiteral("SELECT * FROM [%1]").arg(m_tableName);
    if (!order.isEmpty()) {
        QStringList names;
        for (const QString& name : order) {
            names << u'[' + name.trimmed() + u']';
        }
        text += QStringLiteral(" ORDER BY ") + names.join(QStringLiteral(", "));
    }
    return text;
}

} // namespace engine
