#pragma once

#include <QDialog>
#include <QStringList>

class ActivationWatcher;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class WindowContext;

/// The code-list editor: one list file at a time, loaded each time the window becomes active
/// and written back each time it stops being active within the program. Created once, hidden
/// when closed, retargeted by openlist.
class TSetDlgForm : public QDialog
{
    Q_OBJECT

public:
    /// A child of the context's owner.
    explicit TSetDlgForm(WindowContext& context);
    ~TSetDlgForm() override;

    /// Shows the list file `path` under the title `caption`, bringing the window to the front.
    void openlist(const QString& caption, const QString& path);

    QString listPath() const { return m_path; }
    QStringList entries() const;

    /// Becoming active: the file's lines replace the entries (none when the file is missing).
    void loadList();
    /// Stopping being active: the entries replace the file. Throws FileError.
    void saveList();

    QListWidget* ListBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* BitBtn1 = nullptr; ///< "增加"
    QPushButton* BitBtn2 = nullptr; ///< "删除"
    QPushButton* BitBtn3 = nullptr; ///< "退出"

    void BitBtn1Click();
    void BitBtn2Click();

private:
    void enteredWindow();
    void leftWindow();

    ActivationWatcher* m_watcher = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QString m_path;
    bool m_keepFile = false;
};
