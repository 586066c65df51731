#pragma once

#include <QList>
#include <QString>

#include <functional>

class QWidget;
class Tdeptdropform;
class TSetDlgForm;

/// The base-data entries of the main window and the two windows created for them at start-up.

/// One entry of the base-data menu, in menu order; the list key "dept" is the department editor.
struct BaseDataEntry
{
    QString caption;
    QString key;
};
const QList<BaseDataEntry>& baseDataEntries();

/// Creates the department picker (reading the department file; a read error is shown by the
/// default error display and the picker keeps what was read) and the code-list editor. Both
/// are children of `owner`, which destroys them; they are hidden until used.
void createRecordWindows(QWidget* owner);
/// The windows made by createRecordWindows; null before it (or after their owner is gone).
Tdeptdropform* deptPicker();
TSetDlgForm* codeListEditor();

/// Opens the code-list editor with the list of `key` (its file through codelistfile).
void openCodeList(const QString& caption, const QString& key);
/// Opens the department editor modally, a new window each time.
void editDepartments(QWidget* parent = nullptr);
/// Runs a base-data entry by its list key: the department editor for "dept", else the code list.
void openBaseData(const QString& key);

/// The current user's right ("admin" or "guest"), read by the department editor each time it
/// is shown. Until the program sets a source, the right is empty, which is not "guest".
void setLoginRightSource(std::function<QString()> source);
QString currentLoginRight();

/// The personnel browser's label of the department field; the department editor's title is
/// this followed by "类型设置".
QString deptLabelText();
