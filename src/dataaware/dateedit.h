#pragma once

#include <QDate>
#include <QWidget>

class QLineEdit;
class QToolButton;

/// A date box that may hold no date: a text box for "yyyy-MM-dd" with a button that drops a
/// calendar. Empty text means no date.
class DateEdit : public QWidget
{
    Q_OBJECT

public:
    explicit DateEdit(QWidget* parent = nullptr);

    /// The date shown, or an invalid date when the box is empty or its text is no date.
    QDate date() const;
    void setDate(const QDate& date);
    QString text() const;
    void setText(const QString& text);
    void setReadOnly(bool readOnly);

signals:
    /// The user changed the text (typing or picking from the calendar).
    void textEdited(const QString& text);
    /// The box lost the focus or the user pressed Enter.
    void editingFinished();

private:
    void dropCalendar();

    QLineEdit* m_lineEdit;
    QToolButton* m_dropButton;
};
