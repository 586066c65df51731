#pragma once

#include <QDialog>

class ActivationWatcher;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class Tdeptdropform;
class WindowContext;

/// The department editor: builds the tree of dept.txt. Reloads the file each time it becomes
/// active; each time it stops being active it hands its tree to the picker and writes the file.
/// A guest may look but not change anything; nor may anyone while the file cannot be read whole.
class Tsetform5 : public QDialog
{
    Q_OBJECT

public:
    /// The context's department picker receives the tree whenever the editor is left.
    explicit Tsetform5(WindowContext& context, QWidget* parent = nullptr);
    ~Tsetform5() override;

    /// Becoming active: the file replaces the shown tree. Throws the read's error.
    void loadTree();
    /// Stopping being active: the picker takes the tree, then the file. Throws FileError.
    void saveTree();

    bool isGuest() const { return m_guest; }
    /// False for a guest and while dept.txt could not be read whole.
    bool canChange() const { return !m_guest && !m_unreadable; }

    QGroupBox* GroupBox1 = nullptr;
    QTreeWidget* TreeView1 = nullptr;
    QLineEdit* Edit1 = nullptr;     ///< name of a new department
    QLineEdit* Edit2 = nullptr;     ///< name of a new sub-department
    QPushButton* BitBtn1 = nullptr; ///< "修改"
    QPushButton* BitBtn2 = nullptr; ///< "删除"
    QPushButton* BitBtn3 = nullptr; ///< "退出"
    QPushButton* Button1 = nullptr; ///< "新建部门"
    QPushButton* Button2 = nullptr; ///< "新建下属部门"

    void BitBtn1Click();
    void BitBtn2Click();
    void Button1Click();
    void Button2Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void applyRight();
    void enteredWindow();
    void leftWindow();

    WindowContext& m_context;
    ActivationWatcher* m_watcher = nullptr;
    bool m_guest = false;
    bool m_unreadable = false; ///< dept.txt is there but was not read whole
    bool m_told = false;       ///< the user has been told so in this window
};
