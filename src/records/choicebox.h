#pragma once

#include <QComboBox>
#include <functional>

class QToolButton;

/// A combo box that asks before it drops down: the person page's choice boxes reload their code
/// list there, and the department box opens the department picker instead of a list.
class DropDownCombo : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;

    /// Runs before the list drops down; returning true means it was handled and no list shows.
    std::function<bool()> beforeDropDown;

    void showPopup() override;
};

/// A choice box with its ellipsis button, which opens the list's editor.
class ChoiceBox : public QWidget
{
    Q_OBJECT

public:
    explicit ChoiceBox(QWidget* parent = nullptr);

    DropDownCombo* combo() const { return m_combo; }
    QToolButton* ellipsis() const { return m_ellipsis; }

private:
    DropDownCombo* m_combo;
    QToolButton* m_ellipsis;
};
