#include "records/tfrmredeploy.h"

#include "app/windowcontext.h"
#include "platform/errorboundary.h"
#include "platform/paths.h"
#include "platform/screencentre.h"
#include "platform/textfile.h"
#include "records/deptdropform.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QPushButton* plainButton(const QString& text, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    // Enter must not press a button of this dialog.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace

TfrmRedeploy::TfrmRedeploy(WindowContext& context) : QDialog(context.owner()), m_context(context)
{
    setObjectName(QStringLiteral("frmRedeployDialog"));
    setWindowTitle(QStringLiteral("人员调动"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(DesignWidth, DesignHeight);

    GroupBox1 = new QGroupBox(QStringLiteral("调动到："), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1GroupBox"));
    GroupBox1->setGeometry(8, 6, 488, 124);

    Label1 = new QLabel(QStringLiteral("部门"), GroupBox1);
    Label1->setObjectName(QStringLiteral("Label1Label"));
    Label1->setGeometry(16, 27, 36, 16);
    Edit1 = new QLineEdit(GroupBox1);
    Edit1->setObjectName(QStringLiteral("Edit1LineEdit"));
    Edit1->setGeometry(56, 24, 128, 22);
    SpeedButton1 = plainButton(QStringLiteral("..."), QStringLiteral("SpeedButton1PushButton"), GroupBox1);
    SpeedButton1->setGeometry(186, 24, 22, 22);
    QFont small = SpeedButton1->font();
    small.setBold(true);
    small.setPointSize(qMax(6, small.pointSize() - 2));
    SpeedButton1->setFont(small);
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    Edit2 = new QLineEdit(GroupBox1);
    Edit2->setObjectName(QStringLiteral("Edit2LineEdit"));
    Edit2->setGeometry(210, 24, 128, 22);
    Edit3 = new QLineEdit(GroupBox1);
    Edit3->setObjectName(QStringLiteral("Edit3LineEdit"));
    Edit3->setGeometry(342, 24, 130, 22);

    Label2 = new QLabel(QStringLiteral("职务"), GroupBox1);
    Label2->setObjectName(QStringLiteral("Label2Label"));
    Label2->setGeometry(16, 59, 36, 16);
    ComboBox1 = new QComboBox(GroupBox1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1ComboBox"));
    ComboBox1->setEditable(true);
    // Enter in the box neither adds the text to the list nor closes the dialog.
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setGeometry(56, 56, 416, 22);

    Label3 = new QLabel(QStringLiteral("原因"), GroupBox1);
    Label3->setObjectName(QStringLiteral("Label3Label"));
    Label3->setGeometry(16, 91, 36, 16);
    Edit4 = new QLineEdit(GroupBox1);
    Edit4->setObjectName(QStringLiteral("Edit4LineEdit"));
    Edit4->setGeometry(56, 88, 416, 22);

    BitBtn1 = plainButton(QStringLiteral("确定"), QStringLiteral("BitBtn1PushButton"), this);
    BitBtn1->setGeometry(330, 140, 75, 26);
    BitBtn2 = plainButton(QStringLiteral("取消"), QStringLiteral("BitBtn2PushButton"), this);
    BitBtn2->setGeometry(417, 140, 75, 26);

    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Edit3);
    setTabOrder(Edit3, ComboBox1);
    setTabOrder(ComboBox1, Edit4);
    setTabOrder(Edit4, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);

    connect(SpeedButton1, &QPushButton::clicked, this, guarded(this, &TfrmRedeploy::SpeedButton1Click));
    connect(BitBtn1, &QPushButton::clicked, this, guarded(this, &TfrmRedeploy::BitBtn1Click));
    connect(BitBtn2, &QPushButton::clicked, this, guarded(this, &TfrmRedeploy::BitBtn2Click));
}

void TfrmRedeploy::setPicker(Tdeptdropform* picker)
{
    m_picker = picker;
}

bool TfrmRedeploy::ask()
{
    return m_context.runModal(*this) == QDialog::Accepted;
}

redeployment::Target TfrmRedeploy::values() const
{
    redeployment::Target target;
    target.dept = Edit1->text();
    target.dept1 = Edit2->text();
    target.dept2 = Edit3->text();
    target.duty = ComboBox1->currentText();
    target.reason = Edit4->text();
    return target;
}

void TfrmRedeploy::loadDuties()
{
    const std::optional<QStringList> lines =
        textfile::readLinesIfPresent(paths::datapath() + QStringLiteral("duty.txt"));
    if (!lines) {
        return;
    }
    const QString typed = ComboBox1->currentText();
    ComboBox1->clear();
    ComboBox1->addItems(*lines);
    ComboBox1->setEditText(typed);
}

void TfrmRedeploy::SpeedButton1Click()
{
    Tdeptdropform* picker = m_picker ? m_picker.data() : &m_context.deptPicker();
    if (const std::optional<depttree::DeptNames> names = picker->pickdept(Edit1)) {
        Edit1->setText(names->dept);
        Edit2->setText(names->dept1);
        Edit3->setText(names->dept2);
    }
}

void TfrmRedeploy::BitBtn1Click()
{
    accept();
}

void TfrmRedeploy::BitBtn2Click()
{
    reject();
}

void TfrmRedeploy::showEvent(QShowEvent* event)
{
    loadDuties();
    centreOnScreen(*this);
    QDialog::showEvent(event);
}

void TfrmRedeploy::keyPressEvent(QKeyEvent* event)
{
    // Only the two buttons close the dialog.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool redeployCurrentPerson(WindowContext& context)
{
    TfrmRedeploy& dialog = context.redeployDialog();
    if (!dialog.ask()) {
        return false;
    }
    return redeployment::redeploy(context.dm(), dialog.values());
}
