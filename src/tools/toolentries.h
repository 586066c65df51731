#pragma once

#include <QList>
#include <QString>

/// The user's own entries of the tools menu, kept in data/menus.cfg: what the menu shows, what a
/// click starts, and the editor's rows with the file they are saved to.
namespace toolentries {

/// One entry: its menu caption, the program or file it opens and the parameter text.
struct ToolEntry
{
    QString caption;
    QString filename;
    QString param;

    bool operator==(const ToolEntry& other) const
    {
        return caption == other.caption && filename == other.filename && param == other.param;
    }
};

/// One item of the tools menu: the entry's number and its caption "n.caption".
struct MenuItem
{
    int number = 0;
    QString caption;
};

/// The file's path: data/menus.cfg of the installation.
QString menusFile();

/// Every entry the file holds, in order (the count defaults to 0: a missing file gives none).
QList<MenuItem> menuItems(const QString& file);

/// The editor's rows: `count` defaults to 1 here, so a missing file gives one empty row; missing
/// keys read as empty texts.
QList<ToolEntry> editorRows(const QString& file);

/// Saves the editor's rows: the file is rewritten whole (a new file put in place, so a failed
/// write leaves the old one) when the first row has a caption, and deleted otherwise. Throws
/// FileError when the new file cannot be written.
void save(const QString& file, const QList<ToolEntry>& rows);

/// The row "新增" appends.
ToolEntry newRow();
/// "删除" on row `index`: the only row is cleared to a new row, any other row is removed.
void removeRow(QList<ToolEntry>& rows, int index);

/// Starts what the file holds under that number at this moment: an executable file is started
/// with `param` split as a shell splits it (quotes keep blanks together); anything else (a
/// document, an address) is opened with its default program and `param` is ignored. Nothing is
/// reported when that fails or the entry names nothing.
void runEntry(const QString& file, int number);

} // namespace toolentries
