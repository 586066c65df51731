#pragma once

#include <QDialog>
#include <QTime>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class WindowContext;

/// The reminder note "重要事务": a note and the alarm time. Created on first use and kept for the
/// run, so that the note and the time boxes keep what was typed. In set mode the time row is shown;
/// in alarm mode the window is lower, hides it and shows the time of the alarm in its caption.
class Twakeform : public QDialog
{
    Q_OBJECT

public:
    static constexpr int FormWidth = 360;
    static constexpr int SetHeight = 290;
    static constexpr int AlarmHeight = 245;

    /// A child of the context's owner, kept for the run like the other reused windows.
    explicit Twakeform(WindowContext& context);

    /// Set mode: the whole window with the time row, captioned "重要事务".
    void prepareSet();
    /// Alarm mode at the time `now` ("提醒：现在是" and the time).
    void prepareAlarm(const QTime& now);

    /// What "确定" leaves: the alarm time when "提醒我" is ticked.
    bool remind() const;
    QTime alarmTime() const;

    QPlainTextEdit* Memo1 = nullptr;
    QSpinBox* SpinEdit1 = nullptr;  ///< hour
    QSpinBox* SpinEdit2 = nullptr;  ///< minute
    QSpinBox* SpinEdit3 = nullptr;  ///< second
    QCheckBox* CheckBox1 = nullptr; ///< "提醒我"
    QPushButton* BitBtn1 = nullptr; ///< "确定"
    QPushButton* BitBtn2 = nullptr; ///< "取消"

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void setTimeRowVisible(bool visible);

    QList<QWidget*> m_timeRow;
};
