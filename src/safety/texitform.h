#pragma once

#include <QDialog>

#include <functional>

class QPushButton;

/// The exit dialog ("退出本系统"): asks whether to make the last-use copy before the program
/// ends. It sets or clears the main window's close permission; its close box leaves it alone.
class Texitform : public QDialog
{
    Q_OBJECT

public:
    /// `makeLastUseCopy` is what "备份后退出" runs before it allows the close.
    Texitform(bool& canclose, std::function<void()> makeLastUseCopy, QWidget* parent = nullptr);

    QPushButton* backupButton() const { return m_backupButton; }
    QPushButton* exitButton() const { return m_exitButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void backupButtonClick();
    void exitButtonClick();
    void cancelButtonClick();

    bool& m_canclose;
    std::function<void()> m_makeLastUseCopy;
    QPushButton* m_backupButton = nullptr;
    QPushButton* m_exitButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
