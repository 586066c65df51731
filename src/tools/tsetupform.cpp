#include "tools/tsetupform.h"

#include "app/windowcontext.h"
#include "platform/errorboundary.h"
#include "platform/interaction.h"
#include "records/recordstyle.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>

namespace {

QLabel* label(const QString& text, const QRect& at, QWidget* parent)
{
    auto* result = new QLabel(text, parent);
    result->setGeometry(at);
    return result;
}

QLineEdit* box(const QString& name, const QString& text, const QRect& at, QWidget* parent)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setGeometry(at);
    return edit;
}

} // namespace

Tsetupform::Tsetupform(WindowContext& context, const Preview& preview, const QString& rosterini, QWidget* parent)
    : QDialog(parent), m_preview(preview), m_rosterini(rosterini)
{
    setObjectName(QStringLiteral("setupformDialog"));
    setWindowTitle(QStringLiteral("系统参数设置"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint);
    setFixedSize(400, 320);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1TabWidget"));
    PageControl1->setGeometry(8, 8, 384, 264);

    auto* basic = new QWidget;
    basic->setObjectName(QStringLiteral("TabSheet1Widget"));
    GroupBox1 = new QGroupBox(QStringLiteral("用户信息"), basic);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1GroupBox"));
    GroupBox1->setGeometry(8, 6, 362, 88);
    label(QStringLiteral("系统名称"), {14, 26, 64, 20}, GroupBox1);
    Edit1 = box(QStringLiteral("Edit1LineEdit"), QStringLiteral("企业管理系统"), {84, 24, 262, 22}, GroupBox1);
    label(QStringLiteral("公司名称"), {14, 56, 64, 20}, GroupBox1);
    Edit2 = box(QStringLiteral("Edit2LineEdit"), QStringLiteral("我的公司"), {84, 54, 262, 22}, GroupBox1);

    GroupBox2 = new QGroupBox(QStringLiteral("系统参数"), basic);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2GroupBox"));
    GroupBox2->setGeometry(8, 100, 362, 122);
    const struct
    {
        const char* caption;
        const char* name;
        const char* path;
    } folders[] = {{"数据库路径", "Edit3LineEdit", "\\"},
                   {"备份文件路径", "Edit4LineEdit", "bak\\"},
                   {"图像文件路径", "Edit5LineEdit", "pic\\"}};
    QLineEdit** folderBoxes[] = {&Edit3, &Edit4, &Edit5};
    for (int i = 0; i < 3; ++i) {
        label(QString::fromUtf8(folders[i].caption), {14, 26 + i * 30, 80, 20}, GroupBox2);
        QLineEdit* edit = box(QString::fromLatin1(folders[i].name), QString::fromLatin1(folders[i].path),
                              {100, 24 + i * 30, 246, 22}, GroupBox2);
        edit->setReadOnly(true);
        edit->setEnabled(false);
        *folderBoxes[i] = edit;
    }
    PageControl1->addTab(basic, QStringLiteral("基本设置"));

    auto* closing = new QWidget;
    closing->setObjectName(QStringLiteral("TabSheet2Widget"));
    auto* picture = new QLabel(closing);
    picture->setObjectName(QStringLiteral("Image1Label"));
    picture->setPixmap(QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon).pixmap(48, 48));
    picture->setGeometry(14, 14, 52, 52);
    GroupBox3 = new QGroupBox(QStringLiteral("退出选项"), closing);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3GroupBox"));
    GroupBox3->setGeometry(76, 6, 294, 110);
    RadioButton1 = new QRadioButton(QStringLiteral("是的，我要系统自动备份然后退出"), GroupBox3);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1RadioButton"));
    RadioButton1->setGeometry(14, 24, 270, 22);
    RadioButton2 = new QRadioButton(QStringLiteral("不，系统直接退出，不要备份"), GroupBox3);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2RadioButton"));
    RadioButton2->setGeometry(14, 52, 270, 22);
    RadioButton3 = new QRadioButton(QStringLiteral("我要系统每次提醒我"), GroupBox3);
    RadioButton3->setObjectName(QStringLiteral("RadioButton3RadioButton"));
    RadioButton3->setGeometry(14, 80, 270, 22);
    RadioButton3->setChecked(true);
    auto* hint =
        label(QStringLiteral("提示： 建议选择【备份后退出】，万一数据库发生异常丢失情况，则可以选择恢复数据库系统！"
                             "当然这样做会占用一定的硬盘空间！"),
              {14, 126, 356, 90}, closing);
    hint->setObjectName(QStringLiteral("Label6Label"));
    hint->setWordWrap(true);
    hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PageControl1->addTab(closing, QStringLiteral("退出设置"));
    PageControl1->setCurrentIndex(0);

    BitBtn1 = new QPushButton(QStringLiteral("确认"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1PushButton"));
    BitBtn1->setDefault(true);
    BitBtn1->setGeometry(216, 284, 80, 26);
    BitBtn2 = new QPushButton(QStringLiteral("退出"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2PushButton"));
    BitBtn2->setAutoDefault(false);
    BitBtn2->setGeometry(308, 284, 80, 26);

    connect(Edit1, &QLineEdit::textChanged, this, &Tsetupform::Edit1Change);
    connect(Edit2, &QLineEdit::textChanged, this, &Tsetupform::Edit2Change);
    connect(BitBtn1, &QPushButton::clicked, this, guarded(this, &Tsetupform::BitBtn1Click));
    // "退出", Esc and the close box leave without writing.
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    // Filling a box previews the stored names on the main window from the moment the dialog opens.
    const setupsettings::Settings stored = setupsettings::read(m_rosterini);
    Edit1->setText(stored.system);
    Edit2->setText(stored.company);
    QRadioButton* choices[] = {RadioButton1, RadioButton2, RadioButton3};
    choices[static_cast<int>(stored.close)]->setChecked(true);

    if (context.isGuest()) {
        GroupBox1->setEnabled(false);
        GroupBox2->setEnabled(false);
        GroupBox3->setEnabled(false);
        BitBtn1->setEnabled(false);
    }
}

setupsettings::Settings Tsetupform::values() const
{
    setupsettings::Settings settings;
    settings.system = Edit1->text();
    settings.company = Edit2->text();
    settings.close = RadioButton1->isChecked()   ? setupsettings::CloseChoice::Backup
                     : RadioButton2->isChecked() ? setupsettings::CloseChoice::Exit
                                                 : setupsettings::CloseChoice::Remind;
    return settings;
}

void Tsetupform::centreLabel(QLabel* label) const
{
    // Measured by its own width, so that a long name stays centred.
    label->adjustSize();
    label->move((m_preview.window->width() - label->width()) / 2, label->y());
}

void Tsetupform::Edit1Change(const QString& text)
{
    if (!m_preview.window || !m_preview.systemLabel) {
        return;
    }
    m_preview.window->setWindowTitle(text);
    m_preview.systemLabel->setText(text);
    centreLabel(m_preview.systemLabel);
}

void Tsetupform::Edit2Change(const QString& text)
{
    if (!m_preview.window || !m_preview.companyLabel) {
        return;
    }
    m_preview.companyLabel->setText(text);
    centreLabel(m_preview.companyLabel);
}

void Tsetupform::BitBtn1Click()
{
    // A settings file that cannot be written is said, never followed by "设置完成".
    if (!runGuarded([this] { setupsettings::write(m_rosterini, values()); })) {
        return;
    }
    ShowInfo(QStringLiteral("设置完成"));
    accept();
}

void Tsetupform::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    recordstyle::fixAndCentre(this, width(), height());
}
