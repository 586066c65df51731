#include "safety/terrorform.h"

#include "access/loginrules.h"
#include "app/windowcontext.h"
#include "data/databasefile.h"
#include "data/dmunit.h"
#include "platform/errorboundary.h"
#include "platform/interaction.h"
#include "platform/paths.h"
#include "platform/screencentre.h"
#include "safety/closerule.h"

#include <QDebug>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString& nextCaption()
{
    static const QString text = QStringLiteral("下一步");
    return text;
}

const QString& repairCaption()
{
    static const QString text = QStringLiteral("开始修复");
    return text;
}

const QString& restoreCaption()
{
    static const QString text = QStringLiteral("开始恢复");
    return text;
}

const QString& downloadCaption()
{
    static const QString text = QStringLiteral("下载驱动");
    return text;
}

QPushButton* makeButton(const QString& text, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

/// A file name box with its browse button, in one row.
QHBoxLayout* fileRow(QLineEdit*& edit, QPushButton*& browse, const QString& suffix, QWidget* parent)
{
    edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("FilenameEdit%1LineEdit").arg(suffix));
    edit->setMinimumWidth(300);
    browse = makeButton(QStringLiteral("..."), QStringLiteral("BrowseButton%1PushButton").arg(suffix), parent);
    browse->setFixedWidth(28);
    auto* row = new QHBoxLayout;
    row->addWidget(edit);
    row->addWidget(browse);
    return row;
}

} // namespace

Terrorform::Terrorform(WindowContext& context, QWidget* parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("errorformDialog"));
    setWindowTitle(QStringLiteral("Roster数据库异常用户解决方案"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);

    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1StackedWidget"));
    m_pages->addWidget(createChoicePage());
    m_pages->addWidget(createRepairPage());
    m_pages->addWidget(createRestorePage());
    m_pages->addWidget(createDriverPage());

    BitBtn1 = makeButton(QStringLiteral("上一步"), QStringLiteral("BitBtn1PushButton"), this);
    BitBtn1->setEnabled(false);
    BitBtn2 = makeButton(nextCaption(), QStringLiteral("BitBtn2PushButton"), this);
    BitBtn3 = makeButton(QStringLiteral("退出系统"), QStringLiteral("BitBtn3PushButton"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn3);

    auto* body = new QVBoxLayout;
    body->addWidget(m_pages);
    body->addLayout(buttons);
    body->setContentsMargins(12, 8, 12, 12);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(createHeader());
    layout->addLayout(body);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(BitBtn1, &QPushButton::clicked, this, guarded(this, &Terrorform::backClick));
    connect(BitBtn2, &QPushButton::clicked, this, guarded(this, &Terrorform::stepClick));
    connect(BitBtn3, &QPushButton::clicked, this, guarded(this, &Terrorform::quitClick));

    adjustSize();
    centreOnScreen(*this);
}

QWidget* Terrorform::createHeader()
{
    auto* header = new QWidget(this);
    header->setObjectName(QStringLiteral("Panel1Widget"));
    header->setAutoFillBackground(true);
    QPalette palette = header->palette();
    palette.setColor(QPalette::Window, Qt::white);
    header->setPalette(palette);
    auto* picture = new QLabel(header);
    picture->setObjectName(QStringLiteral("Image1Label"));
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(40, 40));
    auto* title = new QLabel(QStringLiteral("roster数据库异常用户解决方案"), header);
    title->setObjectName(QStringLiteral("Label1Label"));
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 3);
    title->setFont(bold);
    auto* layout = new QHBoxLayout(header);
    layout->setContentsMargins(16, 10, 16, 10);
    layout->addWidget(picture);
    layout->addWidget(title);
    layout->addStretch();
    return header;
}

QWidget* Terrorform::createChoicePage()
{
    auto* page = new QWidget;
    auto* group = new QGroupBox(QStringLiteral("请选择你的异常种类"), page);
    group->setObjectName(QStringLiteral("GroupBox1GroupBox"));
    RadioButton1 = new QRadioButton(QStringLiteral("系统中没有安装Microsoft Access数据库驱动引擎，我想要下载"), group);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1RadioButton"));
    RadioButton1->setChecked(true);
    RadioButton2 = new QRadioButton(QStringLiteral("本地数据库由于操作原因被破坏，我想要修复"), group);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2RadioButton"));
    RadioButton3 = new QRadioButton(QStringLiteral("本地数据库丢失，我想要从备份的还原"), group);
    RadioButton3->setObjectName(QStringLiteral("RadioButton3RadioButton"));
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(RadioButton1);
    groupLayout->addWidget(RadioButton2);
    groupLayout->addWidget(RadioButton3);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(group);
    layout->addStretch();
    return page;
}

QWidget* Terrorform::createRepairPage()
{
    auto* page = new QWidget;
    auto* group = new QGroupBox(QStringLiteral("请选择要修复的本地数据库"), page);
    group->setObjectName(QStringLiteral("GroupBox2GroupBox"));
    auto* label = new QLabel(QStringLiteral("本地数据库"), group);
    QHBoxLayout* row = fileRow(FilenameEdit1, BrowseButton1, QStringLiteral("1"), group);
    row->insertWidget(0, label);
    auto* hint = new QLabel(QStringLiteral("选择完后，点击【开始修复】按钮进行本地数据库的修复"), group);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addLayout(row);
    groupLayout->addWidget(hint);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(group);
    layout->addStretch();
    connect(BrowseButton1, &QPushButton::clicked, this, guarded([this] {
                chooseFile(FilenameEdit1,
                           QStringLiteral("roster数据库文件(*.dat)|*.dat|roster数据库备份文件(*.bak)|*.bak"));
            }));
    return page;
}

QWidget* Terrorform::createRestorePage()
{
    auto* page = new QWidget;
    auto* group = new QGroupBox(QStringLiteral("数据库丢失解决方案"), page);
    group->setObjectName(QStringLiteral("GroupBox3GroupBox"));
    RadioButton4 = new QRadioButton(QStringLiteral("从上次使用时断点恢复"), group);
    RadioButton4->setObjectName(QStringLiteral("RadioButton4RadioButton"));
    RadioButton4->setChecked(true);
    RadioButton5 = new QRadioButton(QStringLiteral("从备份文件恢复"), group);
    RadioButton5->setObjectName(QStringLiteral("RadioButton5RadioButton"));
    GroupBox4 = new QGroupBox(QStringLiteral("请选择数据库备份文件"), group);
    GroupBox4->setObjectName(QStringLiteral("GroupBox4GroupBox"));
    GroupBox4->setEnabled(false);
    QHBoxLayout* row = fileRow(FilenameEdit2, BrowseButton2, QStringLiteral("2"), GroupBox4);
    row->insertWidget(0, new QLabel(QStringLiteral("文件名"), GroupBox4));
    GroupBox4->setLayout(row);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(RadioButton4);
    groupLayout->addWidget(RadioButton5);
    groupLayout->addWidget(GroupBox4);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(group);
    layout->addStretch();
    connect(RadioButton5, &QRadioButton::toggled, GroupBox4, &QGroupBox::setEnabled);
    connect(BrowseButton2, &QPushButton::clicked, this, guarded([this] {
                chooseFile(FilenameEdit2,
                           QStringLiteral("roster数据库备份文件(*.bak)|*.bak|roster数据库文件(*.dat)|*.dat"));
            }));
    return page;
}

QWidget* Terrorform::createDriverPage()
{
    auto* page = new QWidget;
    auto* group = new QGroupBox(QStringLiteral("系统中缺少Microsoft Access数据库驱动解决放案"), page);
    group->setObjectName(QStringLiteral("GroupBox5GroupBox"));
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(
        new QLabel(QStringLiteral("方案1：安装 Microsoft Office 系列软件，数据库驱动便会自动安装上"), group));
    groupLayout->addWidget(
        new QLabel(QStringLiteral("方案2：点击【下载驱动】按钮选择并下载2兆的数据库驱动引擎文件"), group));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(group);
    layout->addStretch();
    return page;
}

int Terrorform::currentPage() const
{
    return m_pages->currentIndex();
}

void Terrorform::showPage(Page page, const QString& caption)
{
    m_pages->setCurrentIndex(page);
    BitBtn2->setText(caption);
}

void Terrorform::chooseFile(QLineEdit* edit, const QString& filter)
{
    const QString chosen = interaction::current().chooseOpenFile(windowTitle(), filter, paths::apppath());
    if (!chosen.isEmpty()) {
        edit->setText(chosen);
    }
}

void Terrorform::backClick()
{
    showPage(ChoicePage, nextCaption());
    BitBtn1->setEnabled(false);
}

void Terrorform::stepClick()
{
    const QString caption = BitBtn2->text();
    if (caption == downloadCaption()) {
        interaction::current().openDocument(paths::apppath() + QStringLiteral("html/download.htm"));
    } else if (caption == repairCaption()) {
        repair();
    } else if (caption == restoreCaption()) {
        restore();
    } else if (caption == nextCaption()) {
        BitBtn1->setEnabled(true);
        if (RadioButton1->isChecked()) {
            showPage(DriverPage, downloadCaption());
        } else if (RadioButton2->isChecked()) {
            showPage(RepairPage, repairCaption());
        } else {
            showPage(RestorePage, restoreCaption());
        }
    }
}

void Terrorform::quitClick()
{
    access::quitProgram();
}

void Terrorform::repair()
{
    if (FilenameEdit1->text().isEmpty()) {
        ShowError(QStringLiteral("请选择要修复的数据库文件！"));
        return;
    }
    if (AskYesNo(QStringLiteral("你要修复数据库吗？"))) {
        m_context.dm().repairdb(FilenameEdit1->text());
    }
}

void Terrorform::restore()
{
    QString file;
    if (RadioButton4->isChecked()) {
        file = safety::lastUsePath();
        if (!QFile::exists(file)) {
            ShowError(QStringLiteral("上次断点文件不存在，请具体选择数据库文件恢复！"));
            return;
        }
    } else {
        file = FilenameEdit2->text();
        if (file.isEmpty()) {
            ShowError(QStringLiteral("请选择一个文件！"));
            return;
        }
        if (!QFile::exists(file)) {
            ShowError(QStringLiteral("文件不存在，请重新选择！"));
            return;
        }
    }
    if (restoreFrom(file)) {
        ShowInfo(QStringLiteral("数据库恢复成功，现在就启动本系统！"));
        accept();
    } else {
        ShowError(QStringLiteral("数据库恢复失败！"));
    }
}

bool Terrorform::restoreFrom(const QString& file)
{
    // Into the file the connection opens, checked first; the replaced file stays as .before-restore.
    return ignoreErrors("restore", [this, &file] { dbfile::restoreDatabase(*m_context.dm().db, file); });
}
