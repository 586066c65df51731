#pragma once

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class WindowContext;

/// The backup and restore window "数据备份与恢复": a dated, checked backup of the database on one
/// page, the list of a folder's backups and the restore on the other. Created for each use, shown
/// modally, destroyed on close. A guest sees the list read at opening but can neither back up,
/// restore nor read the list again.
class Tbakform : public QDialog
{
    Q_OBJECT

public:
    /// Opens on the backup page when `backupmode` is true, else on the restore page, and reads the
    /// restore page's list.
    Tbakform(WindowContext& context, bool backupmode, QWidget* parent = nullptr);

    /// The folder a page's radio pair names at this moment; empty when "其它路径" is empty.
    QString backupFolder() const;
    QString restoreFolder() const;

    void backupClick();   ///< "开始备份"
    void readListClick(); ///< "读取列表"
    void restoreClick();  ///< "开始恢复"

    QTabWidget* PageControl1 = nullptr;
    // The backup page.
    QRadioButton* RadioButton1 = nullptr; ///< "系统默认路径"
    QLineEdit* Edit1 = nullptr;           ///< "bak/", disabled
    QRadioButton* RadioButton2 = nullptr; ///< "其它路径"
    QLineEdit* DirectoryEdit1 = nullptr;
    QPushButton* BrowseButton1 = nullptr;
    QPushButton* BitBtn1 = nullptr; ///< "开始备份"
    QPushButton* BitBtn2 = nullptr; ///< "退出"
    // The restore page.
    QGroupBox* GroupBox2 = nullptr; ///< "可恢复的文档列表"
    QListWidget* ListBox1 = nullptr;
    QRadioButton* RadioButton3 = nullptr; ///< "系统默认路径"
    QLineEdit* Edit2 = nullptr;           ///< "bak/", disabled
    QRadioButton* RadioButton4 = nullptr; ///< "其它路径"
    QLineEdit* DirectoryEdit2 = nullptr;
    QPushButton* BrowseButton2 = nullptr;
    QPushButton* BitBtn3 = nullptr; ///< "读取列表"
    QPushButton* BitBtn4 = nullptr; ///< "开始恢复"
    QPushButton* BitBtn5 = nullptr; ///< "取消恢复"

private:
    QWidget* createBackupPage();
    QWidget* createRestorePage();
    /// A row "radio, box" of a page's folder choice with its directory picker.
    void chooseDirectory(QLineEdit* edit);
    void updateDefaultButton();

    WindowContext& m_context;
};
