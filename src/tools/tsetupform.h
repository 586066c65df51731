#pragma once

#include "tools/setupsettings.h"

#include <QDialog>
#include <QPointer>

class WindowContext;

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

/// The setup dialog "系统参数设置": the system and company names, previewed on the main window
/// while they are typed, and the close-time option, all kept in roster.ini. Created for each
/// use and shown modally.
class Tsetupform : public QDialog
{
    Q_OBJECT

public:
    /// What the preview changes: the main window's caption and its two labels.
    struct Preview
    {
        QPointer<QWidget> window;
        QPointer<QLabel> systemLabel;
        QPointer<QLabel> companyLabel;
    };

    /// Reads the settings of `rosterini` into the boxes (the preview runs for each name that
    /// differs from the box's first text); a guest sees them but can change nothing.
    Tsetupform(WindowContext& context, const Preview& preview, const QString& rosterini, QWidget* parent = nullptr);

    /// What the boxes and choices hold.
    setupsettings::Settings values() const;

    QTabWidget* PageControl1 = nullptr;
    QGroupBox* GroupBox1 = nullptr; ///< "用户信息"
    QLineEdit* Edit1 = nullptr;     ///< 系统名称
    QLineEdit* Edit2 = nullptr;     ///< 公司名称
    QGroupBox* GroupBox2 = nullptr; ///< "系统参数"
    QLineEdit* Edit3 = nullptr;     ///< 数据库路径
    QLineEdit* Edit4 = nullptr;     ///< 备份文件路径
    QLineEdit* Edit5 = nullptr;     ///< 图像文件路径
    QGroupBox* GroupBox3 = nullptr; ///< "退出选项"
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QPushButton* BitBtn1 = nullptr; ///< "确认"
    QPushButton* BitBtn2 = nullptr; ///< "退出"

    void Edit1Change(const QString& text);
    void Edit2Change(const QString& text);
    /// "确认": writes the settings, says so and closes.
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void centreLabel(QLabel* label) const;

    Preview m_preview;
    QString m_rosterini;
};
