#pragma once

#include "data/engine/database.h"

#include <QMainWindow>

class QAction;
class QLabel;
class QListWidget;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTableView;
class QToolBar;
class QChartView;
class ResultModel;
class WindowContext;

/// The statistics window "数据库统计": the statistics named in sysdata.ini on the left, the result
/// of the one clicked on the right as a table and, where it has one text column and numbers, as a
/// chart. Modeless, created on first use and hidden on close.
class TfrmStat : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int DesignWidth = 610;
    static constexpr int DesignHeight = 480;
    static constexpr int ListWidth = 193;
    static constexpr int RowHeight = 18;
    static constexpr int ColumnWidth = 80;

    /// A window of the context's owner; it reads the data module's connection.
    explicit TfrmStat(WindowContext& context);
    ~TfrmStat() override;

    QToolBar* ToolBar1 = nullptr;
    QAction* ToolButton1 = nullptr; ///< "统计"
    QAction* ToolButton2 = nullptr; ///< "保存结果"
    QAction* ToolButton3 = nullptr; ///< "关闭"
    QListWidget* ListBox1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QTabWidget* PageControl1 = nullptr; ///< the grid's page and the chart's
    QTableView* DBGridEh1 = nullptr;
    QChartView* ChartView1 = nullptr;
    QPushButton* PieButton = nullptr;       ///< bars or pie
    QPushButton* SaveChartButton = nullptr; ///< the chart as a PNG picture
    QLabel* StatusPanel = nullptr;

    /// Shows the window (refilling its list when it was hidden) and brings it to the front.
    void present();

    /// Runs the selected statistic (a click on the list, "统计").
    void ListBox1Click();
    /// "保存结果": every row of the result in the chosen format.
    void ToolButton2Click();
    /// "关闭": hides the window.
    void ToolButton3Click();
    void PieButtonClick();
    void SaveChartButtonClick();

    /// The result shown; no columns when there is none.
    const engine::ResultSet& result() const { return m_result; }
    /// The statistic that produced the result shown.
    QString resultName() const { return m_resultName; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refill();
    void setResult(const engine::ResultSet& result, const QString& name);
    void drawChart();

    WindowContext& m_context;
    ResultModel* m_model = nullptr;
    engine::ResultSet m_result;
    QString m_resultName;
};
