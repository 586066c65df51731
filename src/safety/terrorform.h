#pragma once

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class WindowContext;

/// The recovery wizard "Roster数据库异常用户解决方案", offered at start-up when the database cannot
/// be opened: a choice page and three action pages (repair a chosen file, restore from the last-use
/// copy or a chosen file, the download page of the database engine). The step button's caption is
/// the wizard's state and decides what a click does. A successful restore closes it; "退出系统"
/// ends the program; its close box closes it and start-up goes on.
class Terrorform : public QDialog
{
    Q_OBJECT

public:
    enum Page
    {
        ChoicePage,
        RepairPage,
        RestorePage,
        DriverPage
    };

    explicit Terrorform(WindowContext& context, QWidget* parent = nullptr);

    int currentPage() const;

    void backClick(); ///< "上一步"
    void stepClick(); ///< the step button, by its caption
    void quitClick(); ///< "退出系统"

    // The choice page.
    QRadioButton* RadioButton1 = nullptr; ///< download the driver
    QRadioButton* RadioButton2 = nullptr; ///< repair
    QRadioButton* RadioButton3 = nullptr; ///< restore from a backup
    // The repair page.
    QLineEdit* FilenameEdit1 = nullptr;
    QPushButton* BrowseButton1 = nullptr;
    // The restore page.
    QRadioButton* RadioButton4 = nullptr; ///< "从上次使用时断点恢复"
    QRadioButton* RadioButton5 = nullptr; ///< "从备份文件恢复"
    QGroupBox* GroupBox4 = nullptr;       ///< "请选择数据库备份文件"
    QLineEdit* FilenameEdit2 = nullptr;
    QPushButton* BrowseButton2 = nullptr;
    // The buttons.
    QPushButton* BitBtn1 = nullptr; ///< "上一步"
    QPushButton* BitBtn2 = nullptr; ///< the step button
    QPushButton* BitBtn3 = nullptr; ///< "退出系统"

private:
    QWidget* createHeader();
    QWidget* createChoicePage();
    QWidget* createRepairPage();
    QWidget* createRestorePage();
    QWidget* createDriverPage();
    void showPage(Page page, const QString& caption);
    void chooseFile(QLineEdit* edit, const QString& filter);
    void repair();
    void restore();
    /// Restores `file` into the database the connection opens; true when it was put in place.
    bool restoreFrom(const QString& file);

    WindowContext& m_context;
    QStackedWidget* m_pages = nullptr;
};
