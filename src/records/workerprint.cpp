#include "records/workerprint.h"

#include "app/windowcontext.h"

#include "data/dmunit.h"
#include "platform/errorboundary.h"
#include "platform/interaction.h"
#include "records/personprint.h"
#include "report/printing.h"

#include <QMenu>
#include <QWidget>

using report::Range;

WorkerPrint::WorkerPrint(WindowContext& context, QWidget* window)
    : QObject(window), m_context(context), m_dm(context.dm()), m_window(window), m_previewMenu(new QMenu(window)),
      m_printMenu(new QMenu(window))
{
    // Failures other than the printer's reach the default error display.
    m_previewMenu->addAction(QStringLiteral("打印预览当前记录"), this,
                             guarded([this] { previewCards(Range::Current); }));
    m_previewMenu->addAction(QStringLiteral("打印预览全部记录"), this, guarded([this] { previewCards(Range::All); }));
    m_previewMenu->addAction(QStringLiteral("打印完整档案"), this, guarded(this, &WorkerPrint::previewArchive));
    m_printMenu->addAction(QStringLiteral("打印当前记录"), this, guarded([this] { printCards(Range::Current); }));
    m_printMenu->addAction(QStringLiteral("打印全部记录"), this, guarded([this] { printCards(Range::All); }));
    m_printMenu->addAction(QStringLiteral("打印完整档案"), this, guarded(this, &WorkerPrint::printArchive));
}

void WorkerPrint::previewCards(Range range)
{
    m_context.printing().preview(*personprint::cards(m_dm, range, today(), false), m_window);
}

void WorkerPrint::printCards(Range range)
{
    printGuarded(*personprint::cards(m_dm, range, today(), false));
}

void WorkerPrint::previewArchive()
{
    m_context.printing().preview(*personprint::cards(m_dm, Range::Current, today(), true), m_window);
}

void WorkerPrint::printArchive()
{
    printGuarded(*personprint::cards(m_dm, Range::Current, today(), true));
}

QDate WorkerPrint::today() const
{
    return m_dm.clock ? m_dm.clock().date() : QDate::currentDate();
}

void WorkerPrint::printGuarded(const report::Report& report)
{
    try {
        m_context.printing().print(report);
    } catch (const report::PrintError&) {
        ShowError(QStringLiteral("请按装打印机！"));
    }
}

std::unique_ptr<report::Report> WorkerPrint::table(int page) const
{
    engine::Query& persons = *m_dm.personquery;
    const bool any = persons.active() && !persons.isEmpty();
    const QString id = any ? persons.field(QStringLiteral("id")).asString() : QString();
    const QString name = any ? persons.field(QStringLiteral("name")).asString() : QString();
    return personprint::detailTable(page, id, name, personprint::shownRows(*m_dm.detailQuery(page), page), today());
}

void WorkerPrint::previewTable(int page)
{
    m_context.printing().preview(*table(page), m_window);
}

void WorkerPrint::printTable(int page)
{
    m_context.printing().print(*table(page));
}
