#include "tools/tnoteform.h"

#include "app/windowcontext.h"
#include "data/dmunit.h"
#include "data/engine/query.h"
#include "dataaware/datagrid.h"
#include "dataaware/dateedit.h"
#include "dataaware/fieldlinks.h"
#include "platform/errorboundary.h"
#include "records/recordstyle.h"
#include "tools/officereports.h"

#include <QDate>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

Tnoteform::Tnoteform(WindowContext& context, QWidget* parent)
    : OfficeListWindow(context, *context.dm().notequery,
                       {QStringLiteral("查找"), officelists::noteSearchChoices(), &officelists::noteSearchField,
                        officelists::noteColumns()},
                       parent)
{
    setObjectName(QStringLiteral("noteformDialog"));
    setWindowTitle(QStringLiteral("日常记事"));

    auto* panel = new QWidget(this);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    GroupBox2 = new QGroupBox(QStringLiteral("资料"), panel);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2GroupBox"));
    auto* form = new QFormLayout(GroupBox2);
    DBDateEdit1 = new DateEdit(GroupBox2);
    DBDateEdit1->setObjectName(QStringLiteral("DBDateEdit1DateEdit"));
    DBEdit1 = new QLineEdit(GroupBox2);
    DBEdit1->setObjectName(QStringLiteral("DBEdit1LineEdit"));
    DBEdit2 = new QLineEdit(GroupBox2);
    DBEdit2->setObjectName(QStringLiteral("DBEdit2LineEdit"));
    form->addRow(QStringLiteral("日期"), DBDateEdit1);
    form->addRow(QStringLiteral("类别"), DBEdit1);
    form->addRow(QStringLiteral("标题"), DBEdit2);
    GroupBox3 = new QGroupBox(QStringLiteral("内容"), panel);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3GroupBox"));
    auto* textLayout = new QVBoxLayout(GroupBox3);
    DBMemo1 = new QPlainTextEdit(GroupBox3);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1PlainTextEdit"));
    DBMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textLayout->addWidget(DBMemo1);
    BitBtn1 = new QPushButton(QStringLiteral("确认"), panel);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1PushButton"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("取消"), panel);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2PushButton"));
    BitBtn2->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    panelLayout->addWidget(GroupBox2);
    panelLayout->addWidget(GroupBox3, 1);
    panelLayout->addLayout(buttons);

    auto* row = new QHBoxLayout;
    row->addWidget(DBGridEh1, 3);
    row->addWidget(panel, 4);
    body()->addLayout(row);
    recordstyle::fixAndCentre(this, 760, 480);

    m_links = new FieldLinks(&m_query, this);
    m_links->bind(DBDateEdit1, QStringLiteral("date"));
    m_links->bind(DBEdit1, QStringLiteral("sort"));
    m_links->bind(DBEdit2, QStringLiteral("caption"));
    m_links->bind(DBMemo1, QStringLiteral("comments"));

    connect(BitBtn1, &QPushButton::clicked, this, guarded(this, &Tnoteform::BitBtn1Click));
    connect(BitBtn2, &QPushButton::clicked, this, guarded(this, &Tnoteform::BitBtn2Click));
    m_enterChain = {DBDateEdit1, DBEdit1, DBEdit2, DBMemo1};
    for (QWidget* field :
         {static_cast<QWidget*>(DBDateEdit1), static_cast<QWidget*>(DBEdit1), static_cast<QWidget*>(DBEdit2)}) {
        field->installEventFilter(this);
    }
    for (QLineEdit* inner : DBDateEdit1->findChildren<QLineEdit*>()) {
        inner->installEventFilter(this);
    }
    applyRights();
}

void Tnoteform::applyRights()
{
    OfficeListWindow::applyRights();
    setEditing(m_editing);
}

void Tnoteform::setEditing(bool on)
{
    m_editing = on;
    BitBtn1->setEnabled(on);
    BitBtn2->setEnabled(on);
    m_links->setReadOnly(!on);
    DBGridEh1->setEnabled(!on);
    if (!isGuest()) {
        ToolButton1->setEnabled(!on);
        ToolButton3->setEnabled(!on);
    }
}

void Tnoteform::addRecord()
{
    m_adding = true;
    m_query.insert();
    m_query.field(QStringLiteral("date")).setAsDate(QDate::currentDate());
    setEditing(true);
    DBEdit1->setFocus();
}

void Tnoteform::changeRecord()
{
    if (!m_query.active() || m_query.isEmpty()) {
        return;
    }
    m_adding = false;
    m_changing = true;
    setEditing(true);
    m_query.edit();
    DBMemo1->setFocus();
}

void Tnoteform::BitBtn1Click()
{
    if (!m_adding && !m_changing) {
        return;
    }
    m_query.post();
    m_changing = false;
    // The adding flag stays until "修改" or "取消", as the window has always kept it.
    setEditing(false);
}

void Tnoteform::BitBtn2Click()
{
    m_adding = false;
    if (m_query.active()) {
        m_query.cancel();
    }
    m_changing = false;
    setEditing(false);
}

void Tnoteform::reject()
{
    if (m_editing) {
        BitBtn2Click();
    }
}

void Tnoteform::closeEvent(QCloseEvent* event)
{
    if (m_editing) {
        BitBtn2Click();
    }
    OfficeListWindow::closeEvent(event);
}

bool Tnoteform::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        QObject* field = watched->parent() == DBDateEdit1 ? DBDateEdit1 : watched;
        const int at = m_enterChain.indexOf(static_cast<QWidget*>(field));
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && at >= 0 && at + 1 < m_enterChain.size()) {
            m_enterChain.at(at + 1)->setFocus();
            return true;
        }
    }
    return OfficeListWindow::eventFilter(watched, event);
}

std::unique_ptr<report::Report> Tnoteform::listReport()
{
    return officereports::notes(m_query);
}
