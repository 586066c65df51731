#pragma once

#include "tools/reminders.h"

#include <QLabel>

/// The counts beside the clock, "本月过生日：N人  合同即将到期：M人", each count a link to its list.
/// Hidden while both lists are empty.
class ReminderBar : public QLabel
{
    Q_OBJECT

public:
    explicit ReminderBar(QWidget* parent = nullptr);

    void showCounts(const reminders::Counts& counts);
    /// The text as the user reads it.
    QString plainText() const;

signals:
    void listRequested(reminders::List list);
};
