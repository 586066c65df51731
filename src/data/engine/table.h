#pragma once

#include "data/engine/dataset.h"

namespace engine {

/// A dataset over every row of one named table (TTable), in the order of a named index (or of
/// explicit field names); rows with equal keys keep their storage order.
class Table : public Dataset
{
    Q_OBJECT

public:
    explicit Table(Database* database = nullptr, QObject* parent = nullptr);

    void setTableName(const QString& name) { m_tableName = name; }
    QString tableName() const { return m_tableName; }
    /// The index whose columns give the order; its columns are looked up when the table opens.
    void setIndexName(const QString& name) { m_indexName = name; }
    QString indexName() const { return m_indexName; }
    /// Field names separated by ';' or ',', used when no index name is set.
    void setIndexFieldNames(const QString& names) { m_indexFieldNames = names; }
    QString indexFieldNames() const { return m_indexFieldNames; }

protected:
    QString selectText() const override;

private:
    QString m_tableName;
    QString m_indexName;
    QString m_indexFieldNames;
};

} // namespace engine
