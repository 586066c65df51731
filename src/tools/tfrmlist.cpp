#include "tools/tfrmlist.h"

#include "app/windowcontext.h"
#include "data/dmunit.h"
#include "data/engine/query.h"
#include "dataaware/datagrid.h"

#include "platform/screencentre.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TfrmList::TfrmList(WindowContext& context, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmListDialog"));
    setWindowTitle(QStringLiteral("提醒"));
    setModal(true);
    resize(DesignWidth, DesignHeight);

    // Its own query over the data module's connection.
    m_query = new engine::Query(context.dm().db, this);
    m_query->setObjectName(QStringLiteral("Query1"));

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1GroupBox"));
    m_groupLayout = new QVBoxLayout(GroupBox1);

    BitBtn1 = new QPushButton(QStringLiteral("确定"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1PushButton"));
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1, 1);
    layout->addLayout(buttons);
}

void TfrmList::openList(reminders::List list)
{
    GroupBox1->setTitle(reminders::caption(list));
    m_query->close();
    m_query->setSql(reminders::sqlLines(list));
    m_query->open();

    QList<DataGrid::Column> columns;
    for (const QString& name : m_query->fieldNames()) {
        columns.append({name, name, ColumnWidth});
    }
    delete DBGrid1;
    DBGrid1 = new DataGrid(m_query, columns, GroupBox1);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1DataGrid"));
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_groupLayout->addWidget(DBGrid1);
}

void TfrmList::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}
