#pragma once

#include "data/engine/database.h"
#include "platform/errors.h"

#include <QString>
#include <QStringList>

/// Statistics: named definitions in section `statistic` of sysdata.ini, each naming an SQL file
/// under the SQL folder with up to nine parameters. What the statistics window and `roster-cli stat`
/// run is this one code.
namespace stats {

/// The SQL file of a statistic does not exist; the message is the information text to show.
class MissingStatFile : public FileError
{
public:
    explicit MissingStatFile(const QString& path);
    QString path() const { return m_path; }

private:
    QString m_path;
};

/// One definition value, "file" or "file(p1,p2,...)", taken apart.
struct Definition
{
    QString sqlFile;    ///< the SQL folder + the first word, blanks trimmed from the whole path
    QString paramText;  ///< from the second word to the end, trimmed; empty without parameters
    QStringList params; ///< parameters 1 to 9, always nine entries ("" where none is given)
};

/// The words of a text: the longest runs holding none of "(", ")" and ","; blanks stay in their word.
QStringList words(const QString& text);

/// Reads a definition value; `sqlPath` is the SQL folder with its trailing separator.
Definition parseDefinition(const QString& value, const QString& sqlPath);

/// Replaces the placeholders "%param1" to "%param9" in nine passes, n = 1 to 9 in this order: each
/// pass replaces every occurrence, found without regard to letter case, by parameter n (missing
/// entries count as empty); text inserted by a pass is not searched again in that pass.
QString replaceParams(const QString& line, const QStringList& params);
QStringList replaceParams(const QStringList& lines, const QStringList& params);

/// The statistics' names in the order of section `statistic` of the settings file.
QStringList statisticNames(const QString& sysIniFile);

/// The definition value of a name; a missing key reads as "NULL".
QString definitionValue(const QString& sysIniFile, const QString& name);

/// The SQL text a definition runs: its file's lines, rewritten with the parameters when there are
/// any, joined with blanks. Throws MissingStatFile, or FileError when the file cannot be read.
QString statementText(const Definition& definition);

/// Runs a definition through the read-only guard: one SELECT, nothing written. Throws
/// MissingStatFile, FileError, engine::RefusedStatement or engine::DbError.
engine::ResultSet run(engine::Database& db, const Definition& definition);

} // namespace stats
