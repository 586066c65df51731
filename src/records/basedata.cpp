#include "records/basedata.h"

#include "app/rosterapplication.h"
#include "records/codelist.h"
#include "records/deptdropform.h"
#include "records/depttree.h"
#include "records/setdlgform.h"
#include "records/setform5.h"

#include <QPointer>

namespace {
QPointer<Tdeptdropform> g_picker;
QPointer<TSetDlgForm> g_editor;
std::function<QString()> g_loginRight;
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
    g_picker = new Tdeptdropform(owner);
    try {
        g_picker->loadFile(depttree::deptfile());
    } catch (const std::exception& e) {
        showException(e);
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
    if (g_editor != nullptr) {
        g_editor->openlist(caption, codelistfile(key));
    }
}

void editDepartments(QWidget* parent)
{
    Tsetform5 form(g_picker, parent);
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
