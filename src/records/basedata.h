#pragma once

#include <QList>
#include <QString>

class QWidget;
class WindowContext;

/// The base-data entries of the main window and the windows they open.

/// One entry of the base-data menu, in menu order; the list key "dept" is the department editor.
struct BaseDataEntry
{
    QString caption;
    QString key;
};
const QList<BaseDataEntry>& baseDataEntries();

/// Opens the context's code-list editor with the list of `key` (its file through codelistfile).
void openCodeList(WindowContext& context, const QString& caption, const QString& key);
/// Opens the department editor modally, a new window each time.
void editDepartments(WindowContext& context, QWidget* parent = nullptr);
/// Runs a base-data entry by its list key: the department editor for "dept", else the code list.
void openBaseData(WindowContext& context, const QString& key, QWidget* parent = nullptr);

/// The personnel browser's label of the department field; the department editor's title is
/// this followed by "类型设置".
QString deptLabelText();
