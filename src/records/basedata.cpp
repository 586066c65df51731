#include "records/basedata.h"

#include "app/windowcontext.h"
#include "records/codelist.h"
#include "records/setdlgform.h"
#include "records/setform5.h"

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
    context.codeListEditor().openlist(caption, codelistfile(key));
}

void editDepartments(WindowContext& context, QWidget* parent)
{
    Tsetform5 form(context, parent);
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
