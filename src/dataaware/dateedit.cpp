#include "dataaware/dateedit.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

namespace {
const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
}

DateEdit::DateEdit(QWidget* parent)
    : QWidget(parent), m_lineEdit(new QLineEdit(this)), m_dropButton(new QToolButton(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_lineEdit);
    layout->addWidget(m_dropButton);
    m_dropButton->setArrowType(Qt::DownArrow);
    m_dropButton->setFocusPolicy(Qt::NoFocus);
    m_lineEdit->setPlaceholderText(QString());
    setFocusProxy(m_lineEdit);

    connect(m_lineEdit, &QLineEdit::textEdited, this, &DateEdit::textEdited);
    connect(m_lineEdit, &QLineEdit::editingFinished, this, &DateEdit::editingFinished);
    connect(m_dropButton, &QToolButton::clicked, this, &DateEdit::dropCalendar);
}

QDate DateEdit::date() const
{
    return QDate::fromString(m_lineEdit->text().trimmed(), kDateFormat);
}

void DateEdit::setDate(const QDate& date)
{
    m_lineEdit->setText(date.isValid() ? date.toString(kDateFormat) : QString());
}

QString DateEdit::text() const
{
    return m_lineEdit->text();
}

void DateEdit::setText(const QString& text)
{
    m_lineEdit->setText(text);
}

void DateEdit::setReadOnly(bool readOnly)
{
    m_lineEdit->setReadOnly(readOnly);
    m_dropButton->setEnabled(!readOnly);
}

void DateEdit::dropCalendar()
{
    auto* calendar = new QCalendarWidget(this);
    calendar->setWindowFlags(Qt::Popup);
    calendar->setAttribute(Qt::WA_DeleteOnClose);
    calendar->setSelectedDate(date().isValid() ? date() : QDate::currentDate());
    calendar->move(mapToGlobal(QPoint(0, height())));
    connect(calendar, &QCalendarWidget::activated, this, [this, calendar](const QDate& picked) {
        setDate(picked);
        emit textEdited(m_lineEdit->text());
        calendar->close();
        m_lineEdit->setFocus();
    });
    calendar->show();
}
