#pragma once

#include "platform/errors.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

/// The Jet SQL dialect the program and the statistics files are written in, and its translation
/// into SQLite's. Nothing here touches a database: translate() is a pure function of the text and
/// the schema's column kinds.
namespace jet {

/// A statement the translator cannot read (bad literal, unbalanced brackets, stray characters).
class SqlError : public RosterError
{
public:
    using RosterError::RosterError;
};

enum class ColumnKind
{
    Text,
    Integer,
    Real,
    Date,
    DateTime,
    Boolean,
    Blob
};

/// Column kinds by table and column (names without regard to case); filled by the connection from
/// the schema.
class SchemaInfo
{
public:
    void addColumn(const QString& table, const QString& column, ColumnKind kind);
    std::optional<ColumnKind> columnKind(const QString& table, const QString& column) const;
    /// The kind of a column of that name in any table, when every table that has it agrees.
    std::optional<ColumnKind> columnKind(const QString& column) const;
    bool hasTable(const QString& table) const;
    /// Column names of a table in the order they were added.
    QStringList columns(const QString& table) const;

    /// "DATE" -> Date, "DATETIME"/"TIMESTAMP" -> DateTime, "BOOLEAN"/"BIT"/"YESNO" -> Boolean,
    /// otherwise SQLite's affinity rules (INT -> Integer, CHAR/CLOB/TEXT -> Text, none/BLOB -> Blob, else Real).
    static ColumnKind kindFromDeclaredType(const QString& declType);

private:
    struct Table
    {
        QStringList columns;
        QHash<QString, ColumnKind> kinds; // by folded column name
    };
    QHash<QString, Table> m_tables; // by folded table name
};

/// One Jet statement as SQLite text, with what the dataset layer needs to know about it.
struct Translation
{
    QString sql;
    QStringList tables; ///< tables named by the statement (FROM, JOIN, INTO, UPDATE), first use order
    bool isSelect = false;

    /// SELECT <list> FROM <one table> [WHERE ...] [ORDER BY ...] with no join, subquery source,
    /// grouping, aggregate, DISTINCT, TOP or UNION: its rows map one to one onto the table's rows.
    bool isSimpleSelect = false;
    QString table;      ///< the table of a simple SELECT, as written
    QString tableAlias; ///< its alias, empty when none
    QString selectList; ///< translated select list of a SELECT ("*", "rowid, name", ...)
    QString where;      ///< translated WHERE condition without the keyword; empty when none
    QString orderBy;    ///< translated ORDER BY list without the keywords; empty when none

    QStringList warnings; ///< literals read with a guess (a #date# taken day-first)
};

/// Translates one Jet statement (a trailing ";" is allowed); throws SqlError on bad syntax.
Translation translate(const QString& jetSql, const SchemaInfo& schema);

/// Translates a bare condition (a dataset filter such as "status=1") in the scope of one table.
/// Returns SQLite text usable after WHERE; throws SqlError.
QString translateCondition(const QString& jetCondition, const SchemaInfo& schema, const QString& table);

/// The ISO text ("yyyy-MM-dd" or "yyyy-MM-dd HH:mm:ss") of the inside of a Jet #date# literal, or an
/// empty string when it is no date. `dayFirst` is set when an impossible month/day order was swapped.
QString parseDateLiteral(const QString& inside, bool* dayFirst = nullptr);

} // namespace jet
