#include "tools/topenieform.h"

#include "app/windowcontext.h"
#include "platform/errorboundary.h"
#include "platform/interaction.h"
#include "records/recordstyle.h"
#include "tools/shelladdress.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

Topenieform::Topenieform(WindowContext& context, const QString& caption, const QString& group, const QString& text,
                         const QString& note, AddressRule rule, QWidget* parent)
    : QDialog(parent), m_context(context), m_rule(std::move(rule))
{
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(372, 150);

    GroupBox1 = new QGroupBox(group, this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1GroupBox"));
    GroupBox1->setGeometry(8, 6, 356, 62);
    Edit1 = new QLineEdit(text, GroupBox1);
    Edit1->setObjectName(QStringLiteral("Edit1LineEdit"));
    Edit1->setGeometry(12, 26, 332, 22);

    Label1 = new QLabel(note, this);
    Label1->setObjectName(QStringLiteral("Label1Label"));
    Label1->setGeometry(10, 80, 190, 60);

    BitBtn1 = new QPushButton(QStringLiteral("确定"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1PushButton"));
    // The default button: Enter in the box presses it.
    BitBtn1->setDefault(true);
    BitBtn1->setGeometry(206, 112, 75, 25);
    BitBtn2 = new QPushButton(QStringLiteral("取消"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2PushButton"));
    BitBtn2->setAutoDefault(false);
    BitBtn2->setGeometry(289, 112, 75, 25);

    connect(BitBtn1, &QPushButton::clicked, this, guarded(this, &Topenieform::BitBtn1Click));
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void Topenieform::BitBtn1Click()
{
    const std::optional<QString> address = m_rule(Edit1->text());
    if (!address) {
        return;
    }
    // Whether a program took the address is not examined.
    m_context.ui().openDocument(*address);
    accept();
}

void Topenieform::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    recordstyle::fixAndCentre(this, width(), height());
}

Topenieform1::Topenieform1(WindowContext& context, QWidget* parent)
    : Topenieform(context, QStringLiteral("发送电子邮件"), QStringLiteral("输入收件人电子邮件地址"), QString(),
                  QStringLiteral("系统会启动相关的电子邮件程序\n(如Outlook等)来发送电子邮件!"),
                  &shelladdress::mailAddress, parent)
{
    setObjectName(QStringLiteral("openieform1Dialog"));
}

Topenieform2::Topenieform2(WindowContext& context, QWidget* parent)
    : Topenieform(context, QStringLiteral("访问网站"), QStringLiteral("输入网址"), QStringLiteral("http://"),
                  QStringLiteral("系统会启动默认的浏览器程序\n(如IE,Netscape等)来访问网站!"), &shelladdress::webAddress,
                  parent)
{
    setObjectName(QStringLiteral("openieform2Dialog"));
}
