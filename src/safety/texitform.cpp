#include "safety/texitform.h"

#include "app/windowcontext.h"
#include "platform/errorboundary.h"
#include "safety/closerule.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Texitform::Texitform(WindowContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_context(context)
{
    setObjectName(QStringLiteral("exitformDialog"));
    setWindowTitle(QStringLiteral("退出本系统"));
    setModal(true);

    auto* group = new QGroupBox(QStringLiteral("退出选项"), this);
    group->setObjectName(QStringLiteral("GroupBox1GroupBox"));
    auto* text = new QLabel(QStringLiteral("    建议选择【备份后退出】，这样做的好处是万一数据库发\n"
                                           "生异常等，则可以通过【roster数据库异常用户解决方案】\n"
                                           "来恢复数据库，让你避免不必要的损失！当然这样做会占用\n"
                                           "一定的硬盘空间！考虑哦"),
                            group);
    text->setObjectName(QStringLiteral("Label1Label"));
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(text);

    m_backupButton = new QPushButton(QStringLiteral("备份后退出"), this);
    m_backupButton->setObjectName(QStringLiteral("BitBtn1PushButton"));
    m_backupButton->setDefault(true);
    m_exitButton = new QPushButton(QStringLiteral("直接退出"), this);
    m_exitButton->setObjectName(QStringLiteral("BitBtn2PushButton"));
    m_exitButton->setAutoDefault(false);
    m_cancelButton = new QPushButton(QStringLiteral("取消退出"), this);
    m_cancelButton->setObjectName(QStringLiteral("BitBtn3PushButton"));
    m_cancelButton->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_backupButton);
    buttons->addWidget(m_exitButton);
    buttons->addWidget(m_cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_backupButton, &QPushButton::clicked, this, guarded(this, &Texitform::backupButtonClick));
    connect(m_exitButton, &QPushButton::clicked, this, guarded(this, &Texitform::exitButtonClick));
    connect(m_cancelButton, &QPushButton::clicked, this, guarded(this, &Texitform::cancelButtonClick));
}

std::optional<Texitform::Choice> Texitform::ask()
{
    m_choice.reset();
    m_context.runModal(*this);
    return m_choice;
}

void Texitform::choose(Choice choice)
{
    m_choice = choice;
    if (choice == Choice::Cancel) {
        reject();
    } else {
        accept();
    }
}

void Texitform::keyPressEvent(QKeyEvent* event)
{
    // Esc is the cancel button's key; the close box, by contrast, decides nothing.
    if (event->key() == Qt::Key_Escape) {
        m_cancelButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Texitform::backupButtonClick()
{
    safety::copyToLastUse();
    choose(Choice::BackupAndExit);
}

void Texitform::exitButtonClick()
{
    choose(Choice::Exit);
}

void Texitform::cancelButtonClick()
{
    choose(Choice::Cancel);
}
