#pragma once

#include <QDialog>

#include <optional>

class QPushButton;
class WindowContext;

/// The exit dialog ("退出本系统"): asks whether to make the last-use copy before the program
/// ends. "备份后退出" makes the copy before it closes.
class Texitform : public QDialog
{
    Q_OBJECT

public:
    enum class Choice
    {
        BackupAndExit,
        Exit,
        Cancel
    };

    explicit Texitform(WindowContext& context, QWidget* parent = nullptr);

    /// Shows the dialog through the context's modal runner. The button pressed; none when the
    /// close box closed it, which decides nothing.
    std::optional<Choice> ask();
    /// The button that closed the dialog last; none before a button was pressed.
    std::optional<Choice> choice() const { return m_choice; }

    QPushButton* backupButton() const { return m_backupButton; }
    QPushButton* exitButton() const { return m_exitButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void backupButtonClick();
    void exitButtonClick();
    void cancelButtonClick();

    void choose(Choice choice);

    WindowContext& m_context;
    std::optional<Choice> m_choice;
    QPushButton* m_backupButton = nullptr;
    QPushButton* m_exitButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
