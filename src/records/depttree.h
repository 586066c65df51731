#pragma once

#include "platform/errors.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <exception>

#include <vector>

/// One department and its sub-departments, in insertion order.
struct DeptNode
{
    QString text;
    std::vector<DeptNode> children;

    bool operator==(const DeptNode& other) const { return text == other.text && children == other.children; }
};

/// The department tree: the first-level departments in order. Level 0 is a first-level
/// department, 1 its children, 2 theirs; a hand-edited file may hold deeper nodes.
using DeptForest = std::vector<DeptNode>;

namespace depttree {

/// A line of the file more than one level below the line before it. The message is the
/// reading's own ("Invalid level (n) for item "text""); `line` counts the file's lines from 1.
class LevelError : public RosterError
{
public:
    LevelError(int count, const QString& text, int line);
    int line() const { return m_line; }

private:
    int m_line;
};

/// What the user is told when dept.txt could not be read: the error's own text and, for a level
/// error, which line of which file to mend (in Chinese).
QString readErrorText(const std::exception& error);

/// The file of the tree: the data folder's dept.txt.
QString deptfile();

/// Rebuilds the tree from the lines of the file. Each line's leading TABs and blanks count one
/// level each; the first line is always a first-level node. A line more than one level below
/// the previous node stops the reading with LevelError "Invalid level (n) for item "text"";
/// the nodes read before it stay in `tree`.
void parseLines(const QStringList& lines, DeptForest& tree);

/// Reads the file into `tree`. When the file cannot be read the FileError leaves `tree` as it
/// was; a level error leaves the nodes before the bad line (see parseLines).
void readFile(const QString& path, DeptForest& tree);

/// The lines of the file: as many TABs as the node's level, then its text, in pre-order.
QStringList toLines(const DeptForest& tree);
/// Writes the tree (GBK, CR LF after every line, an empty tree is an empty file). Throws FileError.
void writeFile(const QString& path, const DeptForest& tree);

/// The names of the first-level departments, in order.
QStringList firstLevelNames(const DeptForest& tree);

/// The three department names of a picked node, given the texts on its path from the first
/// level down to the node itself.
struct DeptNames
{
    QString dept;
    QString dept1;
    QString dept2;
};
DeptNames namesForPath(const QStringList& pathFromTop);

} // namespace depttree

/// Where the department picker opens for a control (all in screen coordinates): below the
/// control, kept inside the work area, above the control when it does not fit below and there
/// is more room above, shrunk where the work area is too small.
QRect pickerPlacement(const QRect& controlRect, const QSize& pickerSize, const QRect& workArea);
