#pragma once

#include "tools/toolentries.h"

#include <QDialog>

class WindowContext;

class QGroupBox;
class QLabel;
class QPushButton;
class QTableWidget;

/// The tools menu editor "自定义工具箱菜单条": one grid row per entry of data/menus.cfg. Created
/// for each use and shown modally; every close saves the rows (toolentries::save).
class Ttoolform : public QDialog
{
    Q_OBJECT

public:
    /// Reads the rows of `menusFile`; a guest sees them but can change nothing.
    Ttoolform(WindowContext& context, const QString& menusFile, QWidget* parent = nullptr);

    /// What the grid holds, top to bottom.
    QList<toolentries::ToolEntry> rows() const;

    QGroupBox* GroupBox1 = nullptr; ///< "当前定义的条目"
    QTableWidget* StringGrid1 = nullptr;
    QLabel* Label1 = nullptr;       ///< the note under the grid
    QPushButton* BitBtn1 = nullptr; ///< "新增"
    QPushButton* BitBtn2 = nullptr; ///< "删除"
    QPushButton* BitBtn3 = nullptr; ///< "退出"

    void BitBtn1Click();
    void BitBtn2Click();
    /// A double click on a program cell chooses the program with a file chooser.
    void StringGrid1DblClick(int row, int column);

    /// Closing by any way saves the rows.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setRows(const QList<toolentries::ToolEntry>& rows);

    WindowContext& m_context;
    QString m_menusFile;
};
