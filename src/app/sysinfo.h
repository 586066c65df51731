#pragma once

#include <QString>

/// What the installation's description (data/sysdata.ini, section System) tells the shell.
struct SysInfo
{
    QString title;     ///< main window title: SystemName followed by Version
    QString panels[4]; ///< the status bar's four panels, left to right
    QString oemTag;    ///< brand label of the navigation page
    bool oemmode = false;
    bool photoondisk = false;
};

/// Reads section System of the given file; a missing file or key gives the defaults.
SysInfo readSysInfo(const QString& sysinifile);

/// The About box's texts, read when it is created (before the main window exists).
struct AboutInfo
{
    QString appTitle;
    QString copyright;
    QString version;
    QString website;
    QString mail;
    bool oemmode = false;
};

AboutInfo readAboutInfo(const QString& sysinifile);
