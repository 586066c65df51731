#pragma once

#include <QString>
#include <QStringList>

/// The installation's folders. `apppath` is the program's folder with a trailing separator;
/// the command-line option --home DIR replaces it (portable installations and tests).
namespace paths {

/// Takes --home DIR from the arguments, else the given program folder.
void initFromArguments(const QStringList& arguments, const QString& programFolder);
void setAppPath(const QString& folder);

QString apppath();
QString datapath();   ///< apppath + "data/"
QString sysinifile(); ///< apppath + "data/sysdata.ini"
QString sqlpath();    ///< apppath + "data/sql/"
QString rosterini();  ///< apppath + "roster.ini"

} // namespace paths
