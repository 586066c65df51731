#include "tools/twakeform.h"

#include "app/windowcontext.h"
#include "platform/screencentre.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

constexpr int Margin = 8;
constexpr int MemoHeight = 190;
constexpr int RowTop = MemoHeight + 2 * Margin;
constexpr int ButtonHeight = 28;

QSpinBox* timeBox(int maximum, QWidget* parent, int left, const char* name)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(0, maximum);
    box->setValue(0);
    box->setGeometry(left, RowTop, 52, 24);
    return box;
}

} // namespace

Twakeform::Twakeform(WindowContext& context)
    : QDialog(context.owner(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("wakeformDialog"));
    setModal(true);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1PlainTextEdit"));
    Memo1->setGeometry(Margin, Margin, FormWidth - 2 * Margin, MemoHeight);

    const auto label = [this](const char* text, int left) {
        auto* caption = new QLabel(QString::fromUtf8(text), this);
        caption->setGeometry(left, RowTop, 20, 24);
        m_timeRow << caption;
    };
    label("在", Margin);
    SpinEdit1 = timeBox(23, this, 28, "SpinEdit1SpinBox");
    label("时", 82);
    SpinEdit2 = timeBox(59, this, 102, "SpinEdit2SpinBox");
    label("分", 156);
    SpinEdit3 = timeBox(59, this, 176, "SpinEdit3SpinBox");
    label("秒", 230);
    CheckBox1 = new QCheckBox(QStringLiteral("提醒我"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1CheckBox"));
    CheckBox1->setGeometry(260, RowTop, 92, 24);
    m_timeRow << SpinEdit1 << SpinEdit2 << SpinEdit3 << CheckBox1;

    BitBtn1 = new QPushButton(QStringLiteral("确定"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1PushButton"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("取消"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2PushButton"));
    BitBtn2->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    prepareSet();
}

void Twakeform::prepareSet()
{
    setFixedSize(FormWidth, SetHeight);
    setWindowTitle(QStringLiteral("重要事务"));
    setTimeRowVisible(true);
}

void Twakeform::prepareAlarm(const QTime& now)
{
    setFixedSize(FormWidth, AlarmHeight);
    CheckBox1->setChecked(false);
    setTimeRowVisible(false);
    setWindowTitle(QStringLiteral("提醒：现在是") + now.toString(QStringLiteral("HH:mm:ss")));
}

bool Twakeform::remind() const
{
    return CheckBox1->isChecked();
}

QTime Twakeform::alarmTime() const
{
    return QTime(SpinEdit1->value(), SpinEdit2->value(), SpinEdit3->value());
}

void Twakeform::setTimeRowVisible(bool visible)
{
    for (QWidget* widget : std::as_const(m_timeRow)) {
        widget->setVisible(visible);
    }
}

void Twakeform::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // The buttons keep to the bottom edge, so that the lower alarm window covers the time row.
    const int top = height() - Margin - ButtonHeight;
    BitBtn2->setGeometry(width() - Margin - 80, top, 80, ButtonHeight);
    BitBtn1->setGeometry(width() - 2 * (Margin + 80), top, 80, ButtonHeight);
}

void Twakeform::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}
