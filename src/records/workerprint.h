#pragma once

#include "report/report.h"

#include <QObject>

class QMenu;
class QWidget;
class Tdm;
class WindowContext;

/// The personnel browser's printing: the card of the current person or of every listed person,
/// the whole archive of the current person, and the table of a detail page, each to the preview
/// or straight to the printer.
class WorkerPrint : public QObject
{
    Q_OBJECT

public:
    WorkerPrint(WindowContext& context, QWidget* window);

    /// The menus of the person page under "打印预览" and "打印".
    QMenu* previewMenu() const { return m_previewMenu; }
    QMenu* printMenu() const { return m_printMenu; }

    void previewCards(report::Range range);
    /// Fails with "请按装打印机！" when no printer takes the cards.
    void printCards(report::Range range);
    void previewArchive();
    void printArchive();
    /// The table of a detail page (1 to 7) for the current person.
    void previewTable(int page);
    void printTable(int page);

private:
    /// The print date: the data module's clock (tests set it), else today.
    QDate today() const;
    std::unique_ptr<report::Report> table(int page) const;
    void printGuarded(const report::Report& report);

    WindowContext& m_context;
    Tdm& m_dm;
    QWidget* m_window;
    QMenu* m_previewMenu;
    QMenu* m_printMenu;
};
