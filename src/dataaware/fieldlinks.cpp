#include "dataaware/fieldlinks.h"

#include "data/engine/dataset.h"
#include "dataaware/dateedit.h"
#include "platform/interaction.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

using engine::Dataset;
using engine::DatasetState;

QString invalidValueText(const QString& typed, engine::FieldKind kind)
{
    const bool date = kind == engine::FieldKind::Date || kind == engine::FieldKind::DateTime;
    const bool number = kind == engine::FieldKind::Integer || kind == engine::FieldKind::Float;
    return QStringLiteral("'%1'不是有效的%2")
        .arg(typed, date     ? QStringLiteral("日期")
                    : number ? QStringLiteral("数字")
                             : QStringLiteral("值"));
}

FieldLinks::FieldLinks(Dataset* dataset, QObject* parent) : QObject(parent), m_dataset(dataset)
{
    connect(dataset, &Dataset::currentRowChanged, this, &FieldLinks::reload);
    connect(dataset, &Dataset::datasetReset, this, &FieldLinks::reload);
    connect(dataset, &Dataset::rowChanged, this, &FieldLinks::reload);
    connect(dataset, &Dataset::stateChanged, this, &FieldLinks::reload);
}

void FieldLinks::add(QWidget* widget, const QString& field)
{
    m_links.push_back({widget, field});
    show(m_links.back());
}

FieldLinks::Link* FieldLinks::linkOf(QWidget* widget)
{
    for (Link& link : m_links) {
        if (link.widget == widget) {
            return &link;
        }
    }
    return nullptr;
}

void FieldLinks::bind(QLineEdit* edit, const QString& field)
{
    connect(edit, &QLineEdit::textEdited, this, [this, edit](const QString& text) { write(edit, text); });
    connect(edit, &QLineEdit::editingFinished, this, [this, edit] { leave(edit); });
    add(edit, field);
}

void FieldLinks::bind(QComboBox* combo, const QString& field)
{
    if (combo->isEditable()) {
        connect(combo->lineEdit(), &QLineEdit::textEdited, this,
                [this, combo](const QString& text) { write(combo, text); });
        connect(combo->lineEdit(), &QLineEdit::editingFinished, this, [this, combo] { leave(combo); });
    }
    connect(combo, &QComboBox::activated, this, [this, combo](int index) { write(combo, combo->itemText(index)); });
    add(combo, field);
}

void FieldLinks::bind(QPlainTextEdit* memo, const QString& field)
{
    connect(memo, &QPlainTextEdit::textChanged, this, [this, memo] {
        if (!m_writing && memo->document()->isModified()) {
            write(memo, memo->toPlainText());
        }
    });
    add(memo, field);
}

void FieldLinks::bind(DateEdit* date, const QString& field)
{
    connect(date, &DateEdit::textEdited, this, [this, date](const QString& text) { write(date, text); });
    connect(date, &DateEdit::editingFinished, this, [this, date] { leave(date); });
    add(date, field);
}

void FieldLinks::write(QWidget* widget, const QString& text)
{
    Link* link = linkOf(widget);
    if (!link || m_readOnly || !m_dataset->active()) {
        return;
    }
    m_writing = true;
    try {
        if (m_dataset->state() == DatasetState::Browse) {
            m_dataset->edit();
        }
        m_dataset->field(link->field).setAsString(text);
        link->pending = false;
    } catch (const engine::DbError&) {
        // Half-typed dates and numbers do not fit yet; leaving the control reports it.
        link->pending = true;
    }
    m_writing = false;
}

void FieldLinks::leave(QWidget* widget)
{
    Link* link = linkOf(widget);
    if (!link || !link->pending) {
        return;
    }
    link->pending = false;
    QString typed;
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        typed = edit->text();
    } else if (auto* date = qobject_cast<DateEdit*>(widget)) {
        typed = date->text();
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        typed = combo->currentText();
    }
    show(*link);
    StdError(invalidValueText(typed, m_dataset->field(link->field).kind()));
}

QString FieldLinks::valueText(const QString& field) const
{
    if (!m_dataset->active() || (m_dataset->recordCount() == 0 && m_dataset->state() == DatasetState::Browse)) {
        return QString();
    }
    if (!m_dataset->hasField(field)) {
        return QString();
    }
    return m_dataset->field(field).asString();
}

void FieldLinks::show(const Link& link)
{
    QWidget* widget = link.widget;
    if (!widget) {
        return;
    }
    const bool writing = m_writing;
    m_writing = true;
    const QString text = valueText(link.field);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        if (edit->text() != text) {
            edit->setText(text);
            edit->setCursorPosition(0);
        }
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (combo->isEditable()) {
            combo->setEditText(text);
            combo->lineEdit()->setCursorPosition(0);
        } else {
            combo->setCurrentIndex(combo->findText(text));
        }
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) {
        if (memo->toPlainText() != text) {
            memo->setPlainText(text);
        }
        memo->document()->setModified(false);
    } else if (auto* date = qobject_cast<DateEdit*>(widget)) {
        date->setText(text);
    }
    m_writing = writing;
}

void FieldLinks::reload()
{
    if (m_writing) {
        return;
    }
    for (Link& link : m_links) {
        link.pending = false;
        show(link);
    }
}

void FieldLinks::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    for (const Link& link : m_links) {
        if (auto* edit = qobject_cast<QLineEdit*>(link.widget)) {
            edit->setReadOnly(readOnly);
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(link.widget)) {
            memo->setReadOnly(readOnly);
        } else if (auto* date = qobject_cast<DateEdit*>(link.widget)) {
            date->setReadOnly(readOnly);
        } else if (link.widget) {
            link.widget->setEnabled(!readOnly);
        }
    }
}
