#pragma once

#include "exchange/exporter.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class WindowContext;

/// The export wizard "数据库输出": what to write (page 1), which fields (page 2) and which persons
/// (page 3), then "数据输出" writes the document into reports/ and opens it with the desktop's
/// program. Modeless, created on first use and then only shown and hidden: closing keeps the page,
/// the ticks and the choices. The writing itself is exporting::exportPersons.
class Texportform : public QDialog
{
    Q_OBJECT

public:
    static constexpr int DesignWidth = 500;
    static constexpr int DesignHeight = 314;

    /// A child of the context's owner. Reads the field list from section `export` of sysdata.ini,
    /// once.
    explicit Texportform(WindowContext& context);

    /// Shows the wizard (centred the first time) with `source` chosen on page 3: the main window
    /// opens it with "全库数据", the search window with "查询结果".
    void openWith(exporting::Source source);

    exporting::Format format() const;
    exporting::Source source() const;
    /// `getinfo`: the ticked captions in the list's order (not the order of ticking) and their
    /// field names as section `export` gives them now.
    exporting::Selection getinfo() const;
    /// The page shown, 0 to 2.
    int page() const;

    QLabel* Image1 = nullptr;             ///< the picture strip
    QStackedWidget* Notebook1 = nullptr;  ///< the three pages
    QLabel* Label1 = nullptr;             ///< "欢迎使用roster数据输出向导"
    QGroupBox* GroupBox1 = nullptr;       ///< "第一步：请选择要输出的类型"
    QRadioButton* RadioButton1 = nullptr; ///< "Word文档格式"
    QRadioButton* RadioButton2 = nullptr; ///< "Excel电子表格格式"
    QRadioButton* RadioButton3 = nullptr; ///< "Web页格式"
    QGroupBox* GroupBox2 = nullptr;       ///< "第二步：请选择要输出的字段"
    QListWidget* CheckListBox1 = nullptr; ///< the field list, three columns of tick boxes
    QGroupBox* GroupBox3 = nullptr;       ///< "第三步：开始输出"
    QRadioButton* RadioButton4 = nullptr; ///< "全库数据"
    QRadioButton* RadioButton5 = nullptr; ///< "查询结果"
    QPlainTextEdit* Memo1 = nullptr;      ///< the notes of page 3
    QPushButton* BitBtn1 = nullptr;       ///< "上一步"
    QPushButton* BitBtn2 = nullptr;       ///< "下一步"
    QPushButton* BitBtn3 = nullptr;       ///< "数据输出"
    QPushButton* BitBtn4 = nullptr;       ///< "取消"

    void BitBtn1Click();
    void BitBtn2Click();
    /// Writes the chosen document and opens it. The word-processor document reports its own
    /// outcome ("没找到任何查询数据！", "数据导出过程出现错误，中断数据导出", "创建报表完毕！"); a
    /// workbook or page that cannot be written throws, and nothing is opened.
    void BitBtn3Click();

private:
    QWidget* choicePage(QGroupBox* group, const QString& note);
    void showPage(int page);

    WindowContext& m_context;
    bool m_placed = false;
};
