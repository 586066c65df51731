#include "tools/reminderbar.h"

#include <QTextDocument>

ReminderBar::ReminderBar(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("reminderLabel"));
    setTextFormat(Qt::RichText);
    setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(this, &QLabel::linkActivated, this, [this](const QString& link) {
        emit listRequested(link == QLatin1String("birthdays") ? reminders::List::Birthdays
                                                              : reminders::List::Contracts);
    });
    hide();
}

void ReminderBar::showCounts(const reminders::Counts& counts)
{
    setText(QStringLiteral("<span style=\"white-space:pre\">本月过生日：<a href=\"birthdays\">%1人</a>  "
                           "合同即将到期：<a href=\"contracts\">%2人</a></span>")
                .arg(counts.birthdays)
                .arg(counts.contracts));
    setVisible(counts.any());
}

QString ReminderBar::plainText() const
{
    QTextDocument document;
    document.setHtml(text());
    return document.toPlainText();
}
