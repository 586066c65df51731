#pragma once

#include "data/engine/dataset.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <vector>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QWidget;
class DateEdit;

/// The message for a text typed into a bound control or a grid cell that does not fit its field.
QString invalidValueText(const QString& typed, engine::FieldKind kind);

/// The data-aware controls of the system: plain widgets bound to fields of one dataset. A bound
/// control shows its field of the current row and follows every move, refresh and cancel; what
/// the user types puts the dataset into editing (as a data source with auto-edit does) and is
/// written into the field at once. A text that does not fit the field's kind is reported when the
/// control is left, and the field's value comes back.
class FieldLinks : public QObject
{
    Q_OBJECT

public:
    explicit FieldLinks(engine::Dataset* dataset, QObject* parent = nullptr);

    void bind(QLineEdit* edit, const QString& field);
    /// An editable or a fixed-choice combo box; its text is the value.
    void bind(QComboBox* combo, const QString& field);
    void bind(QPlainTextEdit* memo, const QString& field);
    void bind(DateEdit* date, const QString& field);

    /// Shows the current row's values in every bound control.
    void reload();
    /// Read-only controls show values but take no input.
    void setReadOnly(bool readOnly);

    engine::Dataset* dataset() const { return m_dataset; }

private:
    struct Link
    {
        QPointer<QWidget> widget;
        QString field;
        bool pending = false; ///< the last text typed did not fit the field
    };

    void add(QWidget* widget, const QString& field);
    Link* linkOf(QWidget* widget);
    /// Writes a text typed by the user into the link's field.
    void write(QWidget* widget, const QString& text);
    /// The control was left: reports a text that did not fit and shows the field's value again.
    void leave(QWidget* widget);
    QString valueText(const QString& field) const;
    void show(const Link& link);

    engine::Dataset* m_dataset;
    std::vector<Link> m_links;
    bool m_writing = false;
    bool m_readOnly = false;
};
