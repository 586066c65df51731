#pragma once

#include "tools/reminders.h"

#include <QDialog>

class DataGrid;
class QGroupBox;
class QPushButton;
class QVBoxLayout;
class WindowContext;

namespace engine {
class Query;
}

/// The reminder list "提醒": one of the two lists in a read-only grid. Created for each use over its
/// own query on the data module's connection, shown modally, destroyed on close.
class TfrmList : public QDialog
{
    Q_OBJECT

public:
    static constexpr int DesignWidth = 532;
    static constexpr int DesignHeight = 320;
    static constexpr int ColumnWidth = 100;

    explicit TfrmList(WindowContext& context, QWidget* parent = nullptr);

    /// Names the list in the group box, runs its query and fills the grid.
    void openList(reminders::List list);

    QGroupBox* GroupBox1 = nullptr;
    DataGrid* DBGrid1 = nullptr;
    QPushButton* BitBtn1 = nullptr; ///< "确定"
    engine::Query* query() const { return m_query; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    engine::Query* m_query = nullptr;
    QVBoxLayout* m_groupLayout = nullptr;
};
