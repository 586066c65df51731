#include "tools/taddform.h"

#include "app/windowcontext.h"
#include "data/dmunit.h"
#include "data/engine/query.h"
#include "dataaware/fieldlinks.h"
#include "platform/errorboundary.h"
#include "records/recordstyle.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

Taddform::Taddform(WindowContext& context, QWidget* parent) : QDialog(parent), m_query(*context.dm().adbkquery)
{
    setObjectName(QStringLiteral("addformDialog"));
    setWindowTitle(QStringLiteral("资料输入"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint);
    recordstyle::fixAndCentre(this, 456, 392);

    GroupBox1 = new QGroupBox(QStringLiteral("新增资料"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1GroupBox"));
    GroupBox1->setGeometry(8, 4, 440, 316);
    GroupBox2 = new QGroupBox(QStringLiteral("个人资料"), GroupBox1);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2GroupBox"));
    GroupBox2->setGeometry(10, 20, 420, 150);
    GroupBox3 = new QGroupBox(QStringLiteral("备注"), GroupBox1);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3GroupBox"));
    GroupBox3->setGeometry(10, 176, 420, 130);

    m_links = new FieldLinks(&m_query, this);
    auto field = [this](const QString& caption, const QString& name, int column, int row) {
        auto* label = new QLabel(caption, GroupBox2);
        label->setGeometry(12 + column * 206, 24 + row * 30, 56, 20);
        auto* edit = new QLineEdit(GroupBox2);
        edit->setObjectName(name);
        edit->setGeometry(70 + column * 206, 22 + row * 30, 136, 22);
        return edit;
    };
    DBEdit1 = field(QStringLiteral("姓名"), QStringLiteral("DBEdit1LineEdit"), 0, 0);
    auto* sexLabel = new QLabel(QStringLiteral("性别"), GroupBox2);
    sexLabel->setGeometry(218, 24, 56, 20);
    DBComboBox1 = new QComboBox(GroupBox2);
    DBComboBox1->setObjectName(QStringLiteral("DBComboBox1ComboBox"));
    DBComboBox1->setEditable(true);
    DBComboBox1->setInsertPolicy(QComboBox::NoInsert);
    DBComboBox1->addItems({QStringLiteral("男"), QStringLiteral("女")});
    DBComboBox1->setGeometry(276, 22, 136, 22);
    DBEdit2 = field(QStringLiteral("家庭电话"), QStringLiteral("DBEdit2LineEdit"), 0, 1);
    DBEdit3 = field(QStringLiteral("QQ"), QStringLiteral("DBEdit3LineEdit"), 1, 1);
    DBEdit4 = field(QStringLiteral("工作电话"), QStringLiteral("DBEdit4LineEdit"), 0, 2);
    DBEdit5 = field(QStringLiteral("电子邮件"), QStringLiteral("DBEdit5LineEdit"), 1, 2);
    DBEdit6 = field(QStringLiteral("联系电话"), QStringLiteral("DBEdit6LineEdit"), 0, 3);
    DBEdit7 = field(QStringLiteral("手机"), QStringLiteral("DBEdit7LineEdit"), 1, 3);
    DBMemo1 = new QPlainTextEdit(GroupBox3);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1PlainTextEdit"));
    DBMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DBMemo1->setGeometry(10, 20, 400, 100);

    m_links->bind(DBEdit1, QStringLiteral("name"));
    m_links->bind(DBComboBox1, QStringLiteral("sex"));
    m_links->bind(DBEdit2, QStringLiteral("phone1"));
    m_links->bind(DBEdit3, QStringLiteral("oicq"));
    m_links->bind(DBEdit4, QStringLiteral("phone2"));
    m_links->bind(DBEdit5, QStringLiteral("email"));
    m_links->bind(DBEdit6, QStringLiteral("call"));
    m_links->bind(DBEdit7, QStringLiteral("mphone"));
    m_links->bind(DBMemo1, QStringLiteral("comments"));

    Label11 = new QLabel(this);
    Label11->setObjectName(QStringLiteral("Label11Label"));
    Label11->setGeometry(12, 330, 260, 20);
    QFont bold = Label11->font();
    bold.setBold(true);
    Label11->setFont(bold);

    BitBtn1 = new QPushButton(QStringLiteral("确认"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1PushButton"));
    // Enter on "确认", where the field chain ends, presses it.
    BitBtn1->setAutoDefault(true);
    BitBtn1->setGeometry(288, 356, 75, 25);
    BitBtn2 = new QPushButton(QStringLiteral("取消"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2PushButton"));
    BitBtn2->setAutoDefault(false);
    BitBtn2->setGeometry(372, 356, 75, 25);
    connect(BitBtn1, &QPushButton::clicked, this, guarded(this, &Taddform::BitBtn1Click));
    connect(BitBtn2, &QPushButton::clicked, this, guarded(this, &Taddform::BitBtn2Click));

    // Enter moves on in this order and ends on "确认"; the comments box keeps its Enter.
    m_enterChain = {DBEdit1, DBComboBox1, DBEdit2, DBEdit3, DBEdit4, DBEdit5, DBEdit6, DBEdit7, BitBtn1};
    for (int i = 0; i + 1 < m_enterChain.size(); ++i) {
        m_enterChain[i]->installEventFilter(this);
    }
    DBComboBox1->lineEdit()->installEventFilter(this);
    setTabOrder(DBEdit1, DBComboBox1);
    for (int i = 1; i + 1 < m_enterChain.size(); ++i) {
        setTabOrder(m_enterChain[i], m_enterChain[i + 1]);
    }
}

bool Taddform::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        QObject* field = watched == DBComboBox1->lineEdit() ? DBComboBox1 : watched;
        const int at = m_enterChain.indexOf(static_cast<QWidget*>(field));
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && at >= 0) {
            m_enterChain.at(at + 1)->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Taddform::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Label11->clear();
    DBEdit1->setFocus();
}

void Taddform::BitBtn1Click()
{
    if (m_mode == Mode::Add) {
        // Appending stores the entry typed so far; an untouched empty one is dropped instead.
        m_query.append();
        Label11->setText(QStringLiteral("记录已保存,请输入下一条纪录！"));
        DBEdit1->setFocus();
        return;
    }
    m_query.post();
    hide();
}

void Taddform::BitBtn2Click()
{
    if (m_query.active()) {
        m_query.cancel();
    }
    hide();
}

void Taddform::reject()
{
    BitBtn2Click();
}
