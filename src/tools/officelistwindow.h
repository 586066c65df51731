#pragma once

#include "records/workerpages.h"
#include "tools/officelists.h"

#include <QDialog>

#include <functional>
#include <memory>

class DataGrid;
class WindowContext;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QStatusBar;
class QToolButton;
class QVBoxLayout;

namespace engine {
class Query;
}
namespace report {
class Report;
}

/// What the address book and the notepad windows share: the toolbar "新增", "修改", "删除",
/// "打印", "退出"; the search group with its field chooser and search-as-you-type box; a grid
/// whose titles sort; the query opened when the window becomes active and closed when it is
/// closed (the window is only hidden); "打印" previews the window's report. A guest can neither add, change nor delete,
/// also not with the grid's Insert and Delete keys, which follow the buttons.
class OfficeListWindow : public QDialog
{
    Q_OBJECT

public:
    QToolButton* ToolButton1 = nullptr; ///< "新增"
    QToolButton* ToolButton2 = nullptr; ///< "修改"
    QToolButton* ToolButton3 = nullptr; ///< "删除"
    QToolButton* ToolButton4 = nullptr; ///< "打印"
    QToolButton* ToolButton5 = nullptr; ///< "退出"
    QGroupBox* GroupBox1 = nullptr;     ///< the search group
    QLabel* Label1 = nullptr;           ///< "查询条件"
    QComboBox* ComboBox1 = nullptr;     ///< the search field
    QLineEdit* Edit1 = nullptr;         ///< the search text
    DataGrid* DBGridEh1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    /// The rights of the user logged in now: a guest can neither add, change nor delete, and the
    /// grid does not take the focus. Applied when the window is made and each time it is shown.
    virtual void applyRights();
    bool isGuest() const { return m_guest; }

    /// Opens the query; "打开数据库出错！" when that fails.
    void FormActivate();
    /// Searches again with the new text (the field chosen now applies).
    void Edit1Change(const QString& text);
    /// Turns the title's sort mark on and reopens the query in that order.
    void DBGridEh1TitleBtnClick(int column);
    /// "删除": asks, then deletes the current record.
    void deleteCurrent();
    /// "打印": the window's report over the list as it stands, in the print preview.
    void printList();
    /// Esc closes the window as "退出" does, closing its query.
    void reject() override;

protected:
    struct Setup
    {
        QString searchGroup;
        QStringList choices;
        std::function<QString(int)> fieldOfChoice;
        QList<officelists::Column> columns;
    };
    OfficeListWindow(WindowContext& context, engine::Query& query, const Setup& setup, QWidget* parent);

    /// The layout below the search group, where the grid stands; the window adds its own parts.
    QVBoxLayout* body() const { return m_body; }
    /// What "新增" and "修改" do in this window.
    virtual void addRecord() = 0;
    virtual void changeRecord() = 0;
    virtual std::unique_ptr<report::Report> listReport() = 0;

    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    WindowContext& m_context;
    engine::Query& m_query;

private:
    void runAction(QToolButton* button, void (OfficeListWindow::*action)());

    std::function<QString(int)> m_fieldOfChoice;
    Qt::FocusPolicy m_gridFocus = Qt::StrongFocus;
    bool m_guest = false;
    workerpages::SortCycle m_sort;
    QVBoxLayout* m_body = nullptr;
};
