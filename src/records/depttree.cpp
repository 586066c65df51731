#include "records/depttree.h"

#include "platform/errors.h"
#include "platform/paths.h"
#include "platform/textfile.h"

#include <QDir>

namespace depttree {

LevelError::LevelError(int count, const QString& text, int line)
    : RosterError(QStringLiteral("Invalid level (%1) for item \"%2\"").arg(count).arg(text)), m_line(line)
{
}

QString readErrorText(const std::exception& error)
{
    QString text = exceptionText(error);
    if (const auto* level = dynamic_cast<const LevelError*>(&error)) {
        text += QStringLiteral("\n\n部门文件 %1 的第 %2 行比上一行多缩进了不止一级，其后的部门没有读入。"
                               "请改正该行；在此之前部门只能查看，不能修改。")
                    .arg(QDir::toNativeSeparators(deptfile()))
                    .arg(level->line());
    }
    return text;
}

QString deptfile()
{
    return paths::datapath() + QStringLiteral("dept.txt");
}

void parseLines(const QStringList& lines, DeptForest& tree)
{
    tree.clear();
    // The path from the first level down to the node placed last; its length - 1 is that
    // node's level. Indices rather than pointers, because vectors move their nodes when they grow.
    std::vector<std::size_t> path;

    auto nodeAt = [&tree, &path](std::size_t depth) -> DeptNode& {
        DeptNode* node = &tree[path[0]];
        for (std::size_t i = 1; i <= depth; ++i) {
            node = &node->children[path[i]];
        }
        return *node;
    };
    auto siblingsAt = [&](std::size_t level) -> DeptForest& { return level == 0 ? tree : nodeAt(level - 1).children; };

    for (int number = 0; number < lines.size(); ++number) {
        const QString& line = lines.at(number);
        qsizetype count = 0;
        while (count < line.size() && (line.at(count) == u'\t' || line.at(count) == u' ')) {
            ++count;
        }
        const QString text = line.mid(count);

        std::size_t level = 0;
        if (!path.empty()) {
            const std::size_t previous = path.size() - 1;
            if (static_cast<std::size_t>(count) > previous + 1) {
                throw LevelError(int(count), text, number + 1);
            }
            level = static_cast<std::size_t>(count);
        }

        DeptForest& siblings = siblingsAt(level);
        siblings.push_back(DeptNode{text, {}});
        path.resize(level + 1);
        path[level] = siblings.size() - 1;
    }
}

void readFile(const QString& path, DeptForest& tree)
{
    parseLines(textfile::readLines(path), tree);
}

namespace {

void appendLines(const DeptForest& nodes, int level, QStringList& lines)
{
    for (const DeptNode& node : nodes) {
        lines.append(QString(level, u'\t') + node.text);
        appendLines(node.children, level + 1, lines);
    }
}

} // namespace

QStringList toLines(const DeptForest& tree)
{
    QStringList lines;
    appendLines(tree, 0, lines);
    return lines;
}

void writeFile(const QString& path, const DeptForest& tree)
{
    textfile::writeLines(path, toLines(tree));
}

QStringList firstLevelNames(const DeptForest& tree)
{
    QStringList names;
    for (const DeptNode& node : tree) {
        names.append(node.text);
    }
    return names;
}

DeptNames namesForPath(const QStringList& pathFromTop)
{
    switch (pathFromTop.size()) {
    case 1:
        return {pathFromTop[0], QString(), QString()};
    case 2:
        return {pathFromTop[0], pathFromTop[1], QString()};
    case 3:
        return {pathFromTop[0], pathFromTop[1], pathFromTop[2]};
    default:
        return {};
    }
}

} // namespace depttree

QRect pickerPlacement(const QRect& controlRect, const QSize& pickerSize, const QRect& workArea)
{
    // Edges are counted the way the window system counts them: right = left + width and
    // bottom = top + height, one past the last pixel.
    const int controlTop = controlRect.y();
    const int controlBottom = controlRect.y() + controlRect.height();
    const int areaLeft = workArea.x();
    const int areaTop = workArea.y();
    const int areaRight = workArea.x() + workArea.width();
    const int areaBottom = workArea.y() + workArea.height();

    int left = controlRect.x();
    int top = controlBottom + 1;
    int width = pickerSize.width();
    int height = pickerSize.height();

    if (workArea.width() < width) {
        width = workArea.width();
    }
    if (left + width > areaRight) {
        left = areaRight - width;
        if (left < areaLeft) {
            left = areaLeft;
        }
    }
    if (top + height > areaBottom && controlTop - areaTop > areaBottom - controlBottom) {
        top = controlTop - height;
    }
    if (top < areaTop) {
        height -= areaTop - top;
        top = areaTop;
    }
    if (top + height > areaBottom) {
        height = areaBottom - top;
    }
    return QRect(left, top, width, height);
}
