#pragma once

#include "data/engine/dataset.h"

#include <QList>
#include <QStringList>

namespace engine {

/// A dataset over an SQL text in the Jet dialect (TQuery). The text is kept as lines, joined with
/// one blank each. `%` macros: when the text is used, the first occurrence of "%" + a macro's name,
/// found without regard to case, is replaced by the macro's value; a cleared macro by nothing.
class Query : public Dataset
{
    Q_OBJECT

public:
    explicit Query(Database* database = nullptr, QObject* parent = nullptr);

    void setSql(const QStringList& lines) { m_lines = lines; }
    QStringList sql() const { return m_lines; }
    /// The lines joined with blanks, macros not yet expanded.
    QString text() const { return m_lines.join(u' '); }

    /// Declares a macro with its stored default. A stored default that is not a WHERE clause
    /// (such as "0" or "name" after the table name) expands to nothing: it would be read as a
    /// table alias or be a syntax error.
    void defineMacro(const QString& name, const QString& storedDefault);
    void setMacro(const QString& name, const QString& value);
    void clearMacro(const QString& name);
    /// The macro's value; empty when cleared or unknown.
    QString macro(const QString& name) const;
    bool isMacroCleared(const QString& name) const;

    /// The text with every macro expanded, as it goes to the translator.
    QString expandedSql() const;

    /// Runs the text as a statement that returns no rows; returns the number of rows changed.
    int execSql();

protected:
    QString selectText() const override { return expandedSql(); }

private:
    struct Macro
    {
        QString name;
        QString value;
        bool cleared = false;
        bool isStoredDefault = false;
    };
    Macro* find(const QString& name);
    const Macro* find(const QString& name) const;
    Macro& entry(const QString& name);
    void assign(const QString& name, const QString& value, bool cleared, bool isStoredDefault);

    QStringList m_lines;
    QList<Macro> m_macros;
};

/// Expands `%` macros in a text: each (name, value) pair replaces the first occurrence of "%" +
/// name, found without regard to case; a null value stands for a cleared macro (nothing).
QString expandMacros(const QString& text, const QList<QPair<QString, QString>>& macros);

} // namespace engine
