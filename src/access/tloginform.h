#pragma once

#include "access/loginrules.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QLineEdit;
class QPushButton;
class WindowContext;

/// The login window: a user chooser over the password table and a password box. It cannot be
/// closed before a successful login, which becomes the context's session; "退出" (and the third
/// failure of the run) ends the program.
class Tloginform : public QDialog
{
    Q_OBJECT

public:
    /// Lists the users of the context's password table in the order of its isadmin index; a table
    /// that cannot be read is shown as an error and leaves the list empty.
    explicit Tloginform(WindowContext& context, QWidget* parent = nullptr);

    bool succeeded() const { return m_session.succeeded(); }
    QString loginUser() const { return m_session.user(); }
    QString loginRight() const { return m_session.right(); }

    QComboBox* userChooser() const { return m_userChooser; }
    QLineEdit* passwordEdit() const { return m_passwordEdit; }
    QPushButton* loginButton() const { return m_loginButton; }
    QPushButton* quitButton() const { return m_quitButton; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BitBtn1Click();
    void BitBtn2Click();
    const access::UserRecord* chosenRecord() const;

    WindowContext& m_context;
    QList<access::UserRecord> m_users;
    access::LoginSession m_session;
    QComboBox* m_userChooser = nullptr;
    QLineEdit* m_passwordEdit = nullptr;
    QPushButton* m_loginButton = nullptr;
    QPushButton* m_quitButton = nullptr;
};
