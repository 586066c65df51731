#include "records/basedata.h"

#include "platform/interaction.h"
#include "records/codelist.h"
#include "records/deptdropform.h"
#include "records/depttree.h"
#include "records/setdlgform.h"
#include "records/setform5.h"

#include <QApplication>
#include <QPointer>

namespace {
QPointer<Tdeptdropform> g_picker;
QPointer<TSetDlgForm> g_editor;
QPointer<QWidget> g_owner;
std::function<QString()> g_loginRight;

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

void createRecordWindows(QWidget* owner)
{
    g_owner = owner;
    g_picker = new Tdeptdropform(owner);
    try {
        g_picker->loadFile(depttree::deptfile());
    } catch (const std::exception& e) {
        ShowError(depttree::readErrorText(e));
    }
    g_editor = new TSetDlgForm(owner);
}

Tdeptdropform* deptPicker()
{
    return g_picker;
}

TSetDlgForm* codeListEditor()
{
    return g_editor;
}

void openCodeList(const QString& caption, const QString& key)
{
    if (g_editor == nullptr) {
        return;
    }
    QWidget* owner = ownerFor(g_owner);
    if (owner != g_editor && g_editor->parentWidget() != owner) {
        g_editor->setParent(owner, g_editor->windowFlags());
        // Lent to a modal window, the editor comes back when that window is done, so that it
        // never goes down with a window shorter-lived than the run.
        if (auto* dialog = qobject_cast<QDialog*>(owner); dialog != nullptr && owner != g_owner) {
            QObject::connect(
                dialog, &QDialog::finished, g_editor,
                [] {
                    if (g_editor != nullptr && g_owner != nullptr) {
                        g_editor->setParent(g_owner, g_editor->windowFlags());
                    }
                },
                Qt::SingleShotConnection);
        }
    }
    g_editor->openlist(caption, codelistfile(key));
}

void editDepartments(QWidget* parent)
{
    Tsetform5 form(g_picker, ownerFor(parent));
    form.exec();
}

void openBaseData(const QString& key)
{
    if (key == QLatin1String("dept")) {
        editDepartments();
        return;
    }
    for (const BaseDataEntry& entry : baseDataEntries()) {
        if (entry.key == key) {
            openCodeList(entry.caption, key);
            return;
        }
    }
}

void setLoginRightSource(std::function<QString()> source)
{
    g_loginRight = std::move(source);
}

QString currentLoginRight()
{
    return g_loginRight ? g_loginRight() : QString();
}

QString deptLabelText()
{
    return QStringLiteral("部门");
}
