#pragma once

#include "tools/officelistwindow.h"

class DateEdit;
class FieldLinks;
class QPlainTextEdit;
class QPushButton;

/// The notepad "日常记事": the notes of the note query in a grid beside the selected note. While a
/// note is being added or changed the grid, "新增" and "删除" are disabled, so the note under the
/// edit cannot change and no stray click loses it. Created on first use, kept for the run and
/// shown without blocking the other windows.
class Tnoteform : public OfficeListWindow
{
    Q_OBJECT

public:
    /// Lists the data module's note query.
    explicit Tnoteform(WindowContext& context, QWidget* parent = nullptr);

    QGroupBox* GroupBox2 = nullptr;    ///< "资料"
    DateEdit* DBDateEdit1 = nullptr;   ///< 日期
    QLineEdit* DBEdit1 = nullptr;      ///< 类别
    QLineEdit* DBEdit2 = nullptr;      ///< 标题
    QGroupBox* GroupBox3 = nullptr;    ///< "内容"
    QPlainTextEdit* DBMemo1 = nullptr; ///< the note's text
    QPushButton* BitBtn1 = nullptr;    ///< "确认"
    QPushButton* BitBtn2 = nullptr;    ///< "取消"

    bool adding() const { return m_adding; }
    bool changing() const { return m_changing; }
    bool editing() const { return m_editing; }

    /// The rights, with the buttons an edit under way keeps disabled.
    void applyRights() override;

    /// "确认": stores the note being added or changed; nothing when neither is under way.
    void BitBtn1Click();
    /// "取消": drops the note being added or the changes.
    void BitBtn2Click();
    /// Esc is "取消" while a note is being edited, and nothing otherwise.
    void reject() override;

protected:
    /// A new note dated today, the focus in 类别.
    void addRecord() override;
    /// The current note in editing, the focus in its text.
    void changeRecord() override;
    /// The printed list over the query as it stands.
    std::unique_ptr<report::Report> listReport() override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setEditing(bool on);

    FieldLinks* m_links = nullptr;
    QList<QWidget*> m_enterChain;
    bool m_adding = false;
    bool m_changing = false;
    bool m_editing = false;
};
