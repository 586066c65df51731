#include "access/tusersetform.h"

#include "app/commands.h"
#include "app/tmainform.h"
#include "app/windowcontext.h"
#include "data/dmunit.h"
#include "dataaware/datagrid.h"
#include "dataaware/fieldlinks.h"
#include "platform/errorboundary.h"
#include "platform/interaction.h"
#include "platform/screencentre.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int FormHeight = 262;

QPushButton* button(const QString& text, const char* name, QWidget* parent, const QRect& geometry)
{
    auto* result = new QPushButton(text, parent);
    result->setObjectName(QString::fromLatin1(name));
    result->setGeometry(geometry);
    result->setAutoDefault(false);
    return result;
}

QLineEdit* passwordBox(const char* name, QWidget* parent, const QRect& geometry)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(geometry);
    edit->setEchoMode(QLineEdit::Password);
    // The style's own mask character is a dot; the window has always shown stars.
    edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    return edit;
}

} // namespace

Tusersetform::Tusersetform(WindowContext& context, QWidget* parent, access::KeyNumbers numbers)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_dm(context.dm()), m_admin(*m_dm.tblpass, m_dm.loginuser, m_dm.loginright, std::move(numbers))
{
    Tdm& dm = m_dm;
    setObjectName(QStringLiteral("usersetformDialog"));
    setWindowTitle(QStringLiteral("数据库用户设置"));
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose, false);

    // Opened before the grid and the bound controls, so that they show its rows at once.
    if (!dm.tblpass->active()) {
        dm.tblpass->open();
    }

    dbgrid1 = new DataGrid(dm.tblpass, {{QStringLiteral("user"), QStringLiteral("用户名"), 150}}, this);
    dbgrid1->setObjectName(QStringLiteral("dbgrid1DataGrid"));
    dbgrid1->setGeometry(8, 8, 180, FormHeight - 16);
    dbgrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    dbgrid1->horizontalHeader()->setStretchLastSection(true);

    BitBtn1 = button(QStringLiteral("新增>>"), "BitBtn1PushButton", this, {196, 8, 92, 28});
    BitBtn2 = button(QStringLiteral("资料>>"), "BitBtn2PushButton", this, {196, 44, 92, 28});
    BitBtn3 = button(QStringLiteral("删除"), "BitBtn3PushButton", this, {196, 80, 92, 28});
    BitBtn4 = button(QStringLiteral("退出"), "BitBtn4PushButton", this, {196, FormHeight - 36, 92, 28});

    GroupBox1 = new QGroupBox(QStringLiteral("用户资料"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1GroupBox"));
    GroupBox1->setGeometry(NarrowWidth, 4, WideWidth - NarrowWidth - 8, FormHeight - 8);
    const struct
    {
        const char* text;
        int top;
    } labels[] = {{"用户名", 28}, {"密码", 64}, {"确认密码", 100}};
    for (const auto& label : labels) {
        auto* caption = new QLabel(QString::fromUtf8(label.text), GroupBox1);
        caption->setGeometry(10, label.top, 64, 24);
    }
    DBEdit1 = new QLineEdit(GroupBox1);
    DBEdit1->setObjectName(QStringLiteral("DBEdit1LineEdit"));
    DBEdit1->setGeometry(76, 28, 134, 24);
    Edit1 = passwordBox("Edit1LineEdit", GroupBox1, {76, 64, 134, 24});
    Edit2 = passwordBox("Edit2LineEdit", GroupBox1, {76, 100, 134, 24});
    DBCheckBox1 = new QCheckBox(QStringLiteral("是否系统管理员"), GroupBox1);
    DBCheckBox1->setObjectName(QStringLiteral("DBCheckBox1CheckBox"));
    DBCheckBox1->setGeometry(76, 136, 134, 24);
    BitBtn5 = button(QStringLiteral("确认"), "BitBtn5PushButton", GroupBox1, {20, 196, 84, 28});
    BitBtn6 = button(QStringLiteral("取消"), "BitBtn6PushButton", GroupBox1, {116, 196, 84, 28});

    m_links = new FieldLinks(dm.tblpass, this);
    m_links->bind(DBEdit1, QStringLiteral("user"));
    for (auto signal : {&engine::Dataset::currentRowChanged, &engine::Dataset::rowChanged}) {
        connect(dm.tblpass, signal, this, guarded(this, &Tusersetform::showAdminFlag));
    }
    connect(dm.tblpass, &engine::Dataset::datasetReset, this, guarded(this, &Tusersetform::showAdminFlag));
    connect(dm.tblpass, &engine::Dataset::stateChanged, this, guarded(this, &Tusersetform::showAdminFlag));
    connect(DBCheckBox1, &QCheckBox::toggled, this, guarded(this, &Tusersetform::writeAdminFlag));
    DBCheckBox1->installEventFilter(this);
    showAdminFlag();

    connect(BitBtn1, &QPushButton::clicked, this, guarded(this, &Tusersetform::BitBtn1Click));
    connect(BitBtn2, &QPushButton::clicked, this, guarded(this, &Tusersetform::BitBtn2Click));
    connect(BitBtn3, &QPushButton::clicked, this, guarded(this, &Tusersetform::BitBtn3Click));
    connect(BitBtn4, &QPushButton::clicked, this, &QDialog::close);
    connect(BitBtn5, &QPushButton::clicked, this, guarded(this, &Tusersetform::BitBtn5Click));
    connect(BitBtn6, &QPushButton::clicked, this, guarded(this, &Tusersetform::BitBtn6Click));

    if (m_admin.isGuest()) {
        BitBtn1->setEnabled(false);
        BitBtn3->setEnabled(false);
        m_links->setReadOnly(true);
    }
    setFixedHeight(FormHeight);
    setFormWidth(NarrowWidth);
}

void Tusersetform::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

void Tusersetform::setFormWidth(int width)
{
    setFixedWidth(width);
    GroupBox1->setVisible(width == WideWidth);
    // Enter confirms the details while they are shown and adds a user while they are not.
    BitBtn5->setDefault(width == WideWidth);
    BitBtn1->setDefault(width != WideWidth);
}

bool Tusersetform::detailsShown() const
{
    return GroupBox1->isVisibleTo(this);
}

void Tusersetform::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    BitBtn2->setText(width() >= WideWidth ? QStringLiteral("资料<<") : QStringLiteral("资料>>"));
}

void Tusersetform::BitBtn1Click()
{
    setFormWidth(WideWidth);
    m_admin.append();
    DBEdit1->setFocus();
}

void Tusersetform::BitBtn2Click()
{
    setFormWidth(width() == WideWidth ? NarrowWidth : WideWidth);
}

void Tusersetform::BitBtn3Click()
{
    m_admin.remove();
}

void Tusersetform::BitBtn5Click()
{
    switch (m_admin.confirm(Edit1->text(), Edit2->text())) {
    case access::ConfirmResult::NotOwnRecord:
        clearPasswords();
        break;
    case access::ConfirmResult::Stored:
        clearPasswords();
        BitBtn2Click();
        ShowInfo(access::savedText());
        break;
    case access::ConfirmResult::Incomplete:
    case access::ConfirmResult::Declined:
        break;
    }
}

void Tusersetform::BitBtn6Click()
{
    m_admin.cancel();
    BitBtn2Click();
}

void Tusersetform::clearPasswords()
{
    Edit1->clear();
    Edit2->clear();
}

void Tusersetform::showAdminFlag()
{
    engine::Dataset& users = *m_dm.tblpass;
    const bool hasRow = users.active() && (!users.isEmpty() || users.state() == engine::DatasetState::Insert);
    m_showingFlag = true;
    DBCheckBox1->setChecked(hasRow && users.field(QStringLiteral("isadmin")).asBoolean());
    m_showingFlag = false;
}

void Tusersetform::writeAdminFlag(bool checked)
{
    if (m_showingFlag) {
        return;
    }
    m_dm.tblpass->edit();
    m_dm.tblpass->field(QStringLiteral("isadmin")).setAsBoolean(checked);
}

bool Tusersetform::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != DBCheckBox1) {
        return QDialog::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::FocusIn:
        runGuarded([this] {
            if (!m_admin.mayEnterAdminBox()) {
                BitBtn6->setFocus();
            }
        });
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        // A guest's box is read-only, and one's own flag is never changed: entering it was refused.
        return m_admin.isGuest() || m_admin.isOwnRecord();
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space && (m_admin.isGuest() || m_admin.isOwnRecord());
    default:
        return false;
    }
}

void Tusersetform::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        // Esc is the details' "取消"; with the details hidden it does nothing.
        if (detailsShown()) {
            BitBtn6->click();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

void Tusersetform::closeEvent(QCloseEvent* event)
{
    runGuarded([this] { m_dm.tblpass->close(); });
    QDialog::closeEvent(event);
}

void bindAccessCommands(Tmainform& mainform)
{
    mainform.bindCommand(command::Users, [&mainform] {
        Tusersetform form(mainform.context(), &mainform);
        mainform.context().runModal(form);
    });
}
