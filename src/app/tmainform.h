#pragma once

#include "app/commands.h"

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <functional>

class NavBrowser;
class PicturePage;
class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QMenu;
class QStackedWidget;
class QToolButton;
class ShellStore;
class Texitform;
class WindowContext;

/// The main window: menus, toolbar and status bar, the picture and navigation pages, the
/// command table that the navigation links fire, and the close rules.
class Tmainform : public QMainWindow
{
    Q_OBJECT

public:
    /// Runs the creation steps: tool entries, reports folder, database file name, opening the
    /// database (or the question that may end the program), the system information. Becomes the
    /// owner of the context's reused windows.
    explicit Tmainform(WindowContext& context, QWidget* parent = nullptr);
    ~Tmainform() override;

    /// Fires the menu entry of that command number exactly as a click would; a disabled entry
    /// and a number without entry do nothing.
    void runlink(int number);
    /// The menu entry of a command number, or nullptr.
    QAction* commandAction(int number) const;
    /// Later windows hook in here: connects the entry to its action (run through the error
    /// boundary) and enables it.
    void bindCommand(int number, const std::function<void()>& action);
    /// The same for the entries that have no command number.
    void bindEntry(QAction* entry, const std::function<void()>& action);
    QAction* departedEntry() const { return m_departedAction; } ///< 离职人员浏览(&L)
    QAction* importEntry() const { return m_importAction; }     ///< 从文件导入数据库(&I)
    QAction* birthdayEntry() const { return m_birthdayAction; } ///< 本月过生日的员工(&B)
    QAction* contractEntry() const { return m_contractAction; } ///< 一个月内合同到期的员工(&C)

    void showsysinfo();
    /// The steps of the first showing: date, login, link list, page mode.
    void showStep();
    void loadlinks();
    void restoreMode();

    void picturemode();
    void webmode();
    void choosebackground();
    void gohome();
    bool isPictureMode() const;

    /// A navigation about to load an rssys: address: runs the command its name stands for.
    void dispatchLink(const QString& address);

    WindowContext& context() const { return m_context; }

    NavBrowser* browser() const { return m_browser; }
    PicturePage* picturePage() const { return m_picturePage; }
    QStackedWidget* pages() const { return m_pages; }
    QLabel* systemLabel() const;
    QLabel* companyLabel() const;
    QLabel* brandLabel() const { return m_brandLabel; }
    QLabel* dateLabel() const { return m_dateLabel; }
    QLabel* statusPanel(int i) const { return m_panels.at(i); }
    QMenu* toolsMenu() const { return m_toolsMenu; }
    QMenu* helpMenu() const { return m_helpMenu; }
    QMenu* pictureMenu() const { return m_pictureMenu; }
    QList<QAction*> helpWebEntries() const { return m_webEntries; }

    bool canclose = false;
    bool oemmode = false;
    bool photoondisk = false;
    QStringList linklist;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void createPages();
    void createPictureMenu();
    void addToolEntries();
    void openDatabase();
    void createConnections();

    QAction* addEntry(QMenu* menu, int number, const QString& text, const QString& shortcut = QString());
    QAction* addPlainEntry(QMenu* menu, const QString& text, const QString& shortcut = QString());

    void relogin();
    void openLogin(const QString& caption);
    void showAbout();
    void recalcAges();
    void openHelp();
    void openSupportPage(const QString& topic);
    void startDesktopProgram(const QStringList& candidates);

    WindowContext& m_context;
    ShellStore& m_store;
    bool m_shown = false;

    std::array<QAction*, command::Count> m_commands{};
    QActionGroup* m_modeGroup = nullptr;
    QMenu* m_toolsMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    QMenu* m_pictureMenu = nullptr;
    QAction* m_departedAction = nullptr;
    QAction* m_importAction = nullptr;
    QAction* m_recalcAction = nullptr;
    QAction* m_birthdayAction = nullptr;
    QAction* m_contractAction = nullptr;
    QAction* m_helpTopicAction = nullptr;
    QList<QAction*> m_webEntries; ///< the Help menu's web entries and their separators
    QList<QAction*> m_pictureMenuMirrors;

    QStackedWidget* m_pages = nullptr;
    PicturePage* m_picturePage = nullptr;
    QWidget* m_webPage = nullptr;
    NavBrowser* m_browser = nullptr;
    QFrame* m_bottomBar = nullptr;
    QLabel* m_brandLabel = nullptr;
    QLabel* m_dateLabel = nullptr;
    QLabel* m_clockLabel = nullptr;
    std::array<QToolButton*, 5> m_navButtons{};
    std::array<QLabel*, 4> m_panels{};

    Texitform* m_exitform = nullptr;
};
