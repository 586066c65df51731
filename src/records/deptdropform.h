#pragma once

#include "records/depttree.h"

#include <QDialog>

#include <optional>

class QPushButton;
class QTreeWidget;
class WindowContext;

/// The department picker: a borderless drop-down with the department tree that opens below a
/// control and hands back the picked node's three level names. Created once, hidden between uses.
class Tdeptdropform : public QDialog
{
    Q_OBJECT

public:
    static constexpr int DesignWidth = 217;
    static constexpr int DesignHeight = 257;

    /// A child of the context's owner.
    explicit Tdeptdropform(WindowContext& context);

    /// Replaces the tree with the file's; throws like depttree::readFile (a level error keeps
    /// the nodes before the bad line).
    void loadFile(const QString& path);

    DeptForest tree() const;
    void setTree(const DeptForest& tree);
    QStringList firstLevelNames() const;

    /// Opens below `control` and waits (processing events) until the picker hides. The three names
    /// of the node picked with OK or a double click, following the node's level; none otherwise.
    std::optional<depttree::DeptNames> pickdept(QWidget* control);

    QTreeWidget* TreeView1 = nullptr;
    QPushButton* BitBtn1 = nullptr; ///< OK
    QPushButton* BitBtn2 = nullptr; ///< Cancel

    void BitBtn1Click();
    void BitBtn2Click();

signals:
    void hidden();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    bool m_ok = false;
};
