#include "access/tloginform.h"

#include "app/shellstore.h"
#include "app/windowcontext.h"
#include "platform/errorboundary.h"
#include "platform/interaction.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

Tloginform::Tloginform(WindowContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_context(context)
{
    // Without a readable user table (no database) the chooser stays empty and only "退出" leads
    // out, which is all such a run can offer.
    runGuarded([this] { m_users = m_context.store().users(); });
    setObjectName(QStringLiteral("loginformDialog"));
    setWindowTitle(interaction::appTitle());
    setModal(true);

    auto* header = new QFrame(this);
    header->setObjectName(QStringLiteral("Panel1Frame"));
    header->setAutoFillBackground(true);
    QPalette headerPalette = header->palette();
    headerPalette.setColor(QPalette::Window, Qt::white);
    header->setPalette(headerPalette);
    auto* picture = new QLabel(header);
    picture->setObjectName(QStringLiteral("Image1Label"));
    QPixmap headerPixmap(QStringLiteral(":/icons/login.png"));
    if (headerPixmap.isNull()) {
        headerPixmap = style()->standardIcon(QStyle::SP_DialogApplyButton).pixmap(48, 48);
    }
    picture->setPixmap(headerPixmap.height() > 64 ? headerPixmap.scaledToHeight(64, Qt::SmoothTransformation)
                                                  : headerPixmap);
    auto* title = new QLabel(QStringLiteral("数据库用户登陆"), header);
    title->setObjectName(QStringLiteral("Label3Label"));
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    title->setFont(bold);
    auto* headerLayout = new QHBoxLayout(header);
    headerLayout->addWidget(picture);
    headerLayout->addWidget(title, 1);

    m_userChooser = new QComboBox(this);
    m_userChooser->setObjectName(QStringLiteral("DBLookupComboBox1ComboBox"));
    for (const access::UserRecord& record : m_users) {
        m_userChooser->addItem(record.user, record.key);
    }
    m_userChooser->setCurrentIndex(-1);
    m_userChooser->setMinimumWidth(180);

    m_passwordEdit = new QLineEdit(this);
    m_passwordEdit->setObjectName(QStringLiteral("Edit1LineEdit"));
    m_passwordEdit->setEchoMode(QLineEdit::Password);
    // The style's own mask character is a dot; the window has always shown stars.
    m_passwordEdit->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("用户名"), m_userChooser);
    fields->addRow(QStringLiteral("密码"), m_passwordEdit);
    fields->setContentsMargins(24, 12, 24, 4);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    m_loginButton = new QPushButton(QStringLiteral("登陆"), this);
    m_loginButton->setObjectName(QStringLiteral("BitBtn1PushButton"));
    m_loginButton->setDefault(true);
    m_quitButton = new QPushButton(QStringLiteral("退出"), this);
    m_quitButton->setObjectName(QStringLiteral("BitBtn2PushButton"));
    m_quitButton->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_loginButton);
    buttons->addWidget(m_quitButton);
    buttons->setContentsMargins(12, 0, 12, 8);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(header);
    layout->addLayout(fields);
    layout->addWidget(line);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_loginButton, &QPushButton::clicked, this, guarded(this, &Tloginform::BitBtn1Click));
    connect(m_quitButton, &QPushButton::clicked, this, guarded(this, &Tloginform::BitBtn2Click));
}

const access::UserRecord* Tloginform::chosenRecord() const
{
    const int i = m_userChooser->currentIndex();
    if (i < 0 || i >= m_users.size() || m_userChooser->currentText().isEmpty()) {
        return nullptr;
    }
    return &m_users.at(i);
}

void Tloginform::BitBtn1Click()
{
    switch (m_session.attempt(chosenRecord(), m_passwordEdit->text())) {
    case access::LoginResult::LoggedIn:
        m_context.store().setLogin(m_session.user(), m_session.right());
        accept();
        break;
    case access::LoginResult::Refused:
        BitBtn2Click();
        break;
    case access::LoginResult::NoUserChosen:
    case access::LoginResult::WrongPassword:
        break;
    }
}

void Tloginform::BitBtn2Click()
{
    access::quitProgram();
}

void Tloginform::closeEvent(QCloseEvent* event)
{
    if (m_session.succeeded()) {
        QDialog::closeEvent(event);
    } else {
        event->ignore();
    }
}

void Tloginform::keyPressEvent(QKeyEvent* event)
{
    // A held Enter key must not run through the three attempts of the run on its own.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->isAutoRepeat()) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        m_quitButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
