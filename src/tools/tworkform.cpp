#include "tools/tworkform.h"

#include "app/windowcontext.h"
#include "data/dmunit.h"
#include "data/engine/query.h"
#include "dataaware/datagrid.h"
#include "records/recordstyle.h"
#include "tools/officereports.h"
#include "tools/taddform.h"

#include <QDate>
#include <QToolButton>
#include <QVBoxLayout>

Tworkform::Tworkform(WindowContext& context, Taddform& entry, QWidget* parent)
    : OfficeListWindow(context, *context.dm().adbkquery,
                       {QStringLiteral("查询"), officelists::addressSearchChoices(), &officelists::addressSearchField,
                        officelists::addressColumns()},
                       parent),
      m_entry(entry)
{
    setObjectName(QStringLiteral("workformDialog"));
    setWindowTitle(QStringLiteral("通讯录"));
    body()->addWidget(DBGridEh1);
    recordstyle::fixAndCentre(this, 764, 460);
    connect(DBGridEh1, &QAbstractItemView::doubleClicked, ToolButton2, &QToolButton::click);
    applyRights();
}

void Tworkform::addRecord()
{
    m_entry.show();
    m_entry.raise();
    m_query.append();
    m_entry.setMode(Taddform::Mode::Add);
}

void Tworkform::changeRecord()
{
    if (m_query.isEmpty()) {
        return;
    }
    m_entry.show();
    m_entry.raise();
    m_entry.setMode(Taddform::Mode::Change);
    m_query.edit();
}

void Tworkform::closeEvent(QCloseEvent* event)
{
    // The entry window works on this window's query, which closes now.
    if (m_entry.isVisible()) {
        m_entry.BitBtn2Click();
    }
    OfficeListWindow::closeEvent(event);
}

std::unique_ptr<report::Report> Tworkform::listReport()
{
    return officereports::addressBook(m_query, QDate::currentDate());
}
