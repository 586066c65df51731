#include "records/basedata.h"

#include "app/windowcontext.h"
#include "records/codelist.h"
#include "records/setdlgform.h"
#include "records/setform5.h"

#include <QApplication>
#include <QPointer>

namespace {

/// The window an editor opens for: the one running modally when there is one (a modal window
/// blocks every window but its own), else `fallback`.
QWidget* ownerFor(QWidget* fallback)
{
    QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr ? modal : fallback;
}

} // namespace

const QList<BaseDataEntry>& baseDataEntries()
{
    static const QList<BaseDataEntry> entries{
        {QStringLiteral("民族档案设置"), QStringLiteral("folk")},
        {QStringLiteral("职工类型设置"), QStringLiteral("isworker")},
        {QStringLiteral("文化程度设置"), QStringLiteral("education")},
        {QStringLiteral("政治面貌设置"), QStringLiteral("political")},
        {QStringLiteral("部门类别设置"), QStringLiteral("dept")},
        {QStringLiteral("工资类别设置"), QStringLiteral("aboutpay")},
        {QStringLiteral("职务类别设置"), QStringLiteral("duty")},
        {QStringLiteral("职称类别设置"), QStringLiteral("technical")},
    };
    return entries;
}

void openCodeList(WindowContext& context, const QString& caption, const QString& key)
{
    TSetDlgForm& editor = context.codeListEditor();
    QWidget* owner = ownerFor(context.owner());
    if (owner != nullptr && owner != &editor && editor.parentWidget() != owner) {
        editor.setParent(owner, editor.windowFlags());
        // Lent to a modal window, the editor comes back when that window is done, so that it
        // never goes down with a window shorter-lived than the run.
        if (auto* dialog = qobject_cast<QDialog*>(owner); dialog != nullptr && owner != context.owner()) {
            QObject::connect(
                dialog, &QDialog::finished, &editor,
                [lent = QPointer<TSetDlgForm>(&editor), home = QPointer<QWidget>(context.owner())] {
                    if (lent != nullptr) {
                        lent->setParent(home, lent->windowFlags());
                    }
                },
                Qt::SingleShotConnection);
        }
    }
    editor.openlist(caption, codelistfile(key));
}

void editDepartments(WindowContext& context, QWidget* parent)
{
    Tsetform5 form(context, ownerFor(parent));
    context.runModal(form);
}

void openBaseData(WindowContext& context, const QString& key, QWidget* parent)
{
    if (key == QLatin1String("dept")) {
        editDepartments(context, parent);
        return;
    }
    for (const BaseDataEntry& entry : baseDataEntries()) {
        if (entry.key == key) {
            openCodeList(context, entry.caption, key);
            return;
        }
    }
}

QString deptLabelText()
{
    return QStringLiteral("部门");
}
