#pragma once

#include "access/useradmin.h"

#include <QDialog>

class DataGrid;
class FieldLinks;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class Tdm;
class WindowContext;

/// The user administration "数据库用户设置" over the data module's password table: a list of the
/// users and, when the window is wide, the details of the current one. Created for each use, shown
/// modally; closing it closes the password table.
class Tusersetform : public QDialog
{
    Q_OBJECT

public:
    static constexpr int NarrowWidth = 296; ///< the list alone
    static constexpr int WideWidth = 528;   ///< the list and the details

    explicit Tusersetform(WindowContext& context, QWidget* parent = nullptr,
                          access::KeyNumbers numbers = access::clockSeededNumbers());

    /// Sets the width; the details are shown exactly at the wide width.
    void setFormWidth(int width);
    bool detailsShown() const;

    DataGrid* dbgrid1 = nullptr;      ///< "用户名"
    QPushButton* BitBtn1 = nullptr;   ///< "新增>>"
    QPushButton* BitBtn2 = nullptr;   ///< "资料>>" / "资料<<"
    QPushButton* BitBtn3 = nullptr;   ///< "删除"
    QPushButton* BitBtn4 = nullptr;   ///< "退出"
    QGroupBox* GroupBox1 = nullptr;   ///< "用户资料"
    QLineEdit* DBEdit1 = nullptr;     ///< "用户名", bound to user
    QLineEdit* Edit1 = nullptr;       ///< "密码"
    QLineEdit* Edit2 = nullptr;       ///< "确认密码"
    QCheckBox* DBCheckBox1 = nullptr; ///< "是否系统管理员", bound to isadmin
    QPushButton* BitBtn5 = nullptr;   ///< "确认"
    QPushButton* BitBtn6 = nullptr;   ///< "取消"

    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn5Click();
    void BitBtn6Click();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showAdminFlag();
    void writeAdminFlag(bool checked);
    void clearPasswords();

    Tdm& m_dm;
    access::UserAdmin m_admin;
    FieldLinks* m_links = nullptr;
    bool m_showingFlag = false;
};

class Tmainform;
/// Enables "用户设置(&U)" (and its navigation command): a new window for each use.
void bindAccessCommands(Tmainform& mainform);
