#include "app/tmainform.h"

#include "access/tloginform.h"
#include "app/navbrowser.h"
#include "app/navigation.h"
#include "app/picturepage.h"
#include "app/shellstore.h"
#include "app/sysinfo.h"
#include "app/taboutbox.h"
#include "app/toolentries.h"
#include "app/windowcontext.h"
#include "platform/errorboundary.h"
#include "platform/errors.h"
#include "platform/inifile.h"
#include "platform/interaction.h"
#include "platform/paths.h"
#include "platform/workprogress.h"
#include "records/basedata.h"
#include "safety/closerule.h"
#include "safety/texitform.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The maker's support pages; the web entries append their topic word.
const char* const kSupportSite = "https://www.roster.example.com/support/";

QIcon appIcon(const QString& name, QStyle::StandardPixmap fallback)
{
    const QString resource = QStringLiteral(":/icons/") + name + QStringLiteral(".png");
    if (QFile::exists(resource)) {
        return QIcon(resource);
    }
    return QApplication::style()->standardIcon(fallback);
}

QString htmlFile(const QString& name)
{
    return paths::apppath() + QStringLiteral("html") + QDir::separator() + name;
}

QString defaultBackground()
{
    return paths::apppath() + QStringLiteral("pic") + QDir::separator() + QStringLiteral("bg.jpg");
}

} // namespace

Tmainform::Tmainform(WindowContext& context, QWidget* parent)
    : QMainWindow(parent), m_context(context), m_store(context.store())
{
    setObjectName(QStringLiteral("mainformMainWindow"));
    m_context.setOwner(this);
    canclose = false;

    createPages();
    createMenus();
    createToolBar();
    createStatusBar();
    createPictureMenu();
    createConnections();
    addToolEntries();

    // A missing reports folder is made here; whoever writes a report finds out if that failed.
    QDir().mkpath(paths::apppath() + QStringLiteral("reports"));

    m_store.setDatabaseFile(ini::readString(paths::rosterini(), QStringLiteral("database"), QStringLiteral("filepath"),
                                            QStringLiteral("roster5.dat")));
    oemmode = false;
    photoondisk = false;
    openDatabase();
    showsysinfo();
}

Tmainform::~Tmainform() = default;

void Tmainform::openDatabase()
{
    try {
        m_store.openDatabase();
        return;
    } catch (const std::exception&) {
        // The question below is the whole report.
    }
    const QString question =
        QStringLiteral("打开数据库出错,可能原因有:\n\n1.没有安装Microsoft数据库驱动引擎\n2.本地数据库") +
        m_store.databaseFile() + QStringLiteral("损坏或丢失") + QStringLiteral("\n\n") +
        QStringLiteral("是否现在就启动【Roster数据库异常用户解决方案】 ？");
    if (!AskYesNo(question)) {
        access::quitProgram();
        return;
    }
    // Going on with the connection closed: the first table a window opens tries again.
}

void Tmainform::createPages()
{
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1StackedWidget"));

    m_picturePage = new PicturePage(m_pages);
    m_pages->addWidget(m_picturePage);

    m_webPage = new QWidget(m_pages);
    m_webPage->setObjectName(QStringLiteral("webpageWidget"));
    m_browser = new NavBrowser(m_webPage);

    m_bottomBar = new QFrame(m_webPage);
    m_bottomBar->setObjectName(QStringLiteral("Panel2Frame"));
    m_bottomBar->setFixedHeight(42);
    m_bottomBar->setAutoFillBackground(true);
    QPalette barPalette = m_bottomBar->palette();
    barPalette.setColor(QPalette::Window, QColor(0xF7, 0xFB, 0xFF));
    m_bottomBar->setPalette(barPalette);

    m_brandLabel = new QLabel(QStringLiteral("Roster"), m_bottomBar);
    m_brandLabel->setObjectName(QStringLiteral("oemtagLabel"));
    QFont brandFont = m_brandLabel->font();
    brandFont.setBold(true);
    m_brandLabel->setFont(brandFont);
    m_dateLabel = new QLabel(m_bottomBar);
    m_dateLabel->setObjectName(QStringLiteral("dateLabel"));
    m_clockLabel = new QLabel(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")), m_bottomBar);
    m_clockLabel->setObjectName(QStringLiteral("RxClock1Label"));

    auto* barLayout = new QHBoxLayout(m_bottomBar);
    barLayout->setContentsMargins(10, 4, 10, 4);
    barLayout->setSpacing(16);
    barLayout->addWidget(m_brandLabel);
    barLayout->addWidget(m_dateLabel);
    barLayout->addWidget(m_clockLabel);
    barLayout->addStretch();
    const struct
    {
        const char* icon;
        QStyle::StandardPixmap fallback;
        const char* tip;
        const char* name;
    } buttons[] = {
        {"home", QStyle::SP_DirHomeIcon, "主页", "homeToolButton"},
        {"back", QStyle::SP_ArrowBack, "后退", "backToolButton"},
        {"forward", QStyle::SP_ArrowForward, "前进", "forwardToolButton"},
        {"refresh", QStyle::SP_BrowserReload, "刷新", "refreshToolButton"},
        {"stop", QStyle::SP_BrowserStop, "停止", "stopToolButton"},
    };
    for (std::size_t i = 0; i < m_navButtons.size(); ++i) {
        auto* button = new QToolButton(m_bottomBar);
        button->setObjectName(QString::fromLatin1(buttons[i].name));
        button->setAutoRaise(true);
        button->setIcon(appIcon(QString::fromLatin1(buttons[i].icon), buttons[i].fallback));
        button->setIconSize(QSize(20, 20));
        button->setFixedSize(28, 28);
        button->setToolTip(QString::fromUtf8(buttons[i].tip));
        barLayout->addWidget(button);
        m_navButtons[i] = button;
    }

    auto* webLayout = new QVBoxLayout(m_webPage);
    webLayout->setContentsMargins(0, 0, 0, 0);
    webLayout->setSpacing(0);
    webLayout->addWidget(m_browser, 1);
    webLayout->addWidget(m_bottomBar);
    m_pages->addWidget(m_webPage);

    m_pages->setCurrentWidget(m_webPage);
    setCentralWidget(m_pages);

    auto* clock = new QTimer(this);
    clock->setInterval(1000);
    connect(clock, &QTimer::timeout, this,
            [this] { m_clockLabel->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))); });
    clock->start();
}

QAction* Tmainform::addEntry(QMenu* menu, int number, const QString& text, const QString& shortcut)
{
    QAction* action = addPlainEntry(menu, text, shortcut);
    m_commands.at(number) = action;
    return action;
}

QAction* Tmainform::addPlainEntry(QMenu* menu, const QString& text, const QString& shortcut)
{
    QAction* action = menu->addAction(text);
    if (!shortcut.isEmpty()) {
        action->setShortcut(QKeySequence(shortcut));
    }
    // Until its window exists an entry stays disabled; bindCommand enables it.
    action->setEnabled(false);
    return action;
}

void Tmainform::createMenus()
{
    using namespace command;
    QMenuBar* bar = menuBar();

    QMenu* systemMenu = bar->addMenu(QStringLiteral("系统管理(&S)"));
    addEntry(systemMenu, Setup, QStringLiteral("系统设置(&T)"), QStringLiteral("Ctrl+S"))->setVisible(false);
    QMenu* baseData = systemMenu->addMenu(QStringLiteral("基础数据"));
    // The base-data entries hold consecutive command numbers in menu order.
    static_assert(Technical - Folk == 7, "eight base-data commands from Folk on");
    int number = Folk;
    for (const BaseDataEntry& entry : baseDataEntries()) {
        if (number != Folk) {
            baseData->addSeparator();
        }
        QAction* action = addEntry(baseData, number++, entry.caption);
        action->setData(entry.key); // the list key is the entry's hint
    }
    systemMenu->addSeparator();
    addEntry(systemMenu, Users, QStringLiteral("用户设置(&U)"), QStringLiteral("Ctrl+U"));
    addEntry(systemMenu, Relogin, QStringLiteral("重新登陆(&L)"), QStringLiteral("Ctrl+L"));
    systemMenu->addSeparator();
    addEntry(systemMenu, Exit, QStringLiteral("退出系统(&X)"), QStringLiteral("Ctrl+Q"));

    QMenu* staffMenu = bar->addMenu(QStringLiteral("人事管理(&A)"));
    addEntry(staffMenu, Persons, QStringLiteral("人员档案浏览(&P)"), QStringLiteral("F2"));
    m_departedAction = addPlainEntry(staffMenu, QStringLiteral("离职人员浏览(&L)"));
    staffMenu->addSeparator();
    addEntry(staffMenu, Search, QStringLiteral("人员资料查询(&L)"), QStringLiteral("F3"));
    addEntry(staffMenu, Statistics, QStringLiteral("人员资料统计(&A)"), QStringLiteral("F4"));
    staffMenu->addSeparator();
    addEntry(staffMenu, Export, QStringLiteral("档案数据导出(&E)"), QStringLiteral("F5"));
    m_importAction = addPlainEntry(staffMenu, QStringLiteral("从文件导入数据库(&I)"), QStringLiteral("F6"));
    staffMenu->addSeparator();
    m_recalcAction = addPlainEntry(staffMenu, QStringLiteral("重新计算年龄信息(&R)"));
    staffMenu->addSeparator();
    m_birthdayAction = addPlainEntry(staffMenu, QStringLiteral("本月过生日的员工(&B)"));
    m_contractAction = addPlainEntry(staffMenu, QStringLiteral("一个月内合同到期的员工(&C)"));

    QMenu* memoMenu = bar->addMenu(QStringLiteral("备忘纪录(&B)"));
    addEntry(memoMenu, Notepad, QStringLiteral("日常记事(&N)"), QStringLiteral("F7"));
    addEntry(memoMenu, Addressbook, QStringLiteral("通讯录(&D)"), QStringLiteral("F8"));

    QMenu* dbMenu = bar->addMenu(QStringLiteral("数据库(&D)"));
    addEntry(dbMenu, Backup, QStringLiteral("数据库备份(&B)"), QStringLiteral("Ctrl+B"));
    addEntry(dbMenu, Restore, QStringLiteral("数据库恢复(&R)"), QStringLiteral("Ctrl+R"));
    dbMenu->addSeparator();
    addEntry(dbMenu, Compact, QStringLiteral("数据库压缩(&Z)"));
    addEntry(dbMenu, Repair, QStringLiteral("数据库修复(&A)"));

    m_toolsMenu = bar->addMenu(QStringLiteral("工具箱(&T)"));
    addEntry(m_toolsMenu, Mail, QStringLiteral("发送邮件(&M)"), QStringLiteral("Ctrl+M"))->setVisible(false);
    addEntry(m_toolsMenu, Web, QStringLiteral("打开网站(&W)"), QStringLiteral("Ctrl+W"))->setVisible(false);
    QMenu* switchMenu = m_toolsMenu->addMenu(QStringLiteral("切换窗口(&F)"));
    m_modeGroup = new QActionGroup(this);
    m_modeGroup->setExclusive(true);
    for (int number : {PictureMode, WebMode}) {
        QAction* action = addEntry(
            switchMenu, number, number == PictureMode ? QStringLiteral("&1.传统方式") : QStringLiteral("&2.Web方式"));
        action->setCheckable(true);
        action->setEnabled(true);
        m_modeGroup->addAction(action);
    }
    m_commands[WebMode]->setChecked(true);
    addEntry(m_toolsMenu, Background, QStringLiteral("切换背景(&B)"), QStringLiteral("Ctrl+I"))->setEnabled(true);
    m_toolsMenu->addSeparator();
    addEntry(m_toolsMenu, ToolsEditor, QStringLiteral("自定义菜单(&D)..."), QStringLiteral("Ctrl+D"));

    m_helpMenu = bar->addMenu(QStringLiteral("帮助(&H)"));
    m_helpTopicAction = addPlainEntry(m_helpMenu, QStringLiteral("帮助主题(&T)"), QStringLiteral("F1"));
    m_helpTopicAction->setEnabled(true);
    m_webEntries << m_helpMenu->addSeparator();
    const struct
    {
        const char* caption;
        const char* topic;
    } webEntries[] = {
        {"产品网站", "homepage"}, {"人力资源管理社区", "bbs"}, {"最新更新", "alert"},
        {"使用交流", "bbs"},      {"意见反馈", "guestbook"},
    };
    for (const auto& entry : webEntries) {
        QAction* action = addPlainEntry(m_helpMenu, QString::fromUtf8(entry.caption));
        action->setEnabled(true);
        const QString topic = QString::fromLatin1(entry.topic);
        connect(action, &QAction::triggered, this, guarded([this, topic] { openSupportPage(topic); }));
        m_webEntries << action;
    }
    m_webEntries << m_helpMenu->addSeparator();
    addEntry(m_helpMenu, About, QStringLiteral("关于本软件(&A)"));

    // Entries that work from the start; the others wait for their windows (bindCommand).
    m_commands[Relogin]->setEnabled(true);
    m_commands[Exit]->setEnabled(true);
    m_commands[About]->setEnabled(true);
    m_recalcAction->setEnabled(true);
}

void Tmainform::createToolBar()
{
    using namespace command;
    QToolBar* toolbar = addToolBar(QStringLiteral("工具栏"));
    toolbar->setObjectName(QStringLiteral("ToolBar1ToolBar"));
    toolbar->setMovable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar->setIconSize(QSize(16, 16));

    auto addButton = [toolbar](QAction* action, const QString& caption, const QIcon& icon) {
        action->setIconText(caption);
        action->setIcon(icon);
        toolbar->addAction(action);
        if (auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(action))) {
            button->setFixedSize(55, 35);
            button->setAutoRaise(true);
        }
    };
    addButton(m_commands[Persons], QStringLiteral("人事档案"),
              appIcon(QStringLiteral("person"), QStyle::SP_FileDialogDetailedView));
    addButton(m_commands[Search], QStringLiteral("档案查询"),
              appIcon(QStringLiteral("search"), QStyle::SP_FileDialogContentsView));
    toolbar->addSeparator();
    addButton(m_commands[Statistics], QStringLiteral("数据统计"),
              appIcon(QStringLiteral("chart"), QStyle::SP_FileDialogListView));
    addButton(m_commands[Export], QStringLiteral("数据输出"),
              appIcon(QStringLiteral("export"), QStyle::SP_DialogSaveButton));
    toolbar->addSeparator();
    addButton(m_commands[Addressbook], QStringLiteral("通讯录"),
              appIcon(QStringLiteral("addressbook"), QStyle::SP_DirHomeIcon));
    addButton(m_commands[Notepad], QStringLiteral("日常记事"), appIcon(QStringLiteral("notepad"), QStyle::SP_FileIcon));
    toolbar->addSeparator();
    addButton(m_commands[WebMode], QStringLiteral("导航"),
              appIcon(QStringLiteral("navigate"), QStyle::SP_ComputerIcon));
    toolbar->addSeparator();
    addButton(m_commands[Exit], QStringLiteral("退出系统"),
              appIcon(QStringLiteral("exit"), QStyle::SP_DialogCloseButton));
}

void Tmainform::createStatusBar()
{
    const int widths[] = {280, 80, 160};
    for (std::size_t i = 0; i < m_panels.size(); ++i) {
        auto* panel = new QLabel(statusBar());
        panel->setObjectName(QStringLiteral("StatusPanel%1Label").arg(i + 1));
        if (i < 3) {
            panel->setFixedWidth(widths[i]);
            panel->setAlignment(Qt::AlignCenter);
            statusBar()->addWidget(panel);
        } else {
            statusBar()->addWidget(panel, 1);
        }
        m_panels[i] = panel;
    }
}

void Tmainform::createPictureMenu()
{
    using namespace command;
    m_pictureMenu = new QMenu(this);
    QAction* about = m_pictureMenu->addAction(QStringLiteral("◇版本信息(&I)"));
    QMenu* tools = m_pictureMenu->addMenu(QStringLiteral("◆工具箱(&T)"));
    QAction* mail = tools->addAction(QStringLiteral("◎发送邮件(&M)"));
    QAction* web = tools->addAction(QStringLiteral("◎打开网站(&W)"));
    QAction* calculator = tools->addAction(QStringLiteral("◎计算器"));
    QAction* editor = tools->addAction(QStringLiteral("◎记事本"));
    QAction* background = m_pictureMenu->addAction(QStringLiteral("◇切换背景(&B)"));
    QAction* exit = m_pictureMenu->addAction(QStringLiteral("◆退出系统(&X)"));

    // These fire the main menu's entries and follow their enabled state, so that binding an
    // entry once enables it everywhere.
    const std::pair<QAction*, int> mirrors[] = {
        {about, About}, {mail, Mail}, {web, Web}, {background, Background}, {exit, Exit}};
    for (const auto& [mirror, number] : mirrors) {
        QAction* target = m_commands[number];
        mirror->setEnabled(target->isEnabled());
        connect(target, &QAction::changed, mirror, [mirror, target] { mirror->setEnabled(target->isEnabled()); });
        connect(mirror, &QAction::triggered, this, guarded([this, number] { runlink(number); }));
        m_pictureMenuMirrors << mirror;
    }
    connect(calculator, &QAction::triggered, this, guarded([this] {
                startDesktopProgram({QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                                     QStringLiteral("galculator"), QStringLiteral("xcalc")});
            }));
    connect(editor, &QAction::triggered, this, guarded([this] {
                startDesktopProgram({QStringLiteral("gedit"), QStringLiteral("gnome-text-editor"),
                                     QStringLiteral("kate"), QStringLiteral("mousepad"), QStringLiteral("xdg-open")});
            }));
}

void Tmainform::createConnections()
{
    using namespace command;
    connect(m_commands[Relogin], &QAction::triggered, this, guarded(this, &Tmainform::relogin));
    connect(m_commands[Exit], &QAction::triggered, this, guarded(this, &Tmainform::close));
    connect(m_commands[PictureMode], &QAction::triggered, this, guarded(this, &Tmainform::picturemode));
    connect(m_commands[WebMode], &QAction::triggered, this, guarded(this, &Tmainform::webmode));
    connect(m_commands[Background], &QAction::triggered, this, guarded(this, &Tmainform::choosebackground));
    connect(m_commands[About], &QAction::triggered, this, guarded(this, &Tmainform::showAbout));
    connect(m_recalcAction, &QAction::triggered, this, guarded(this, &Tmainform::recalcAges));
    connect(m_helpTopicAction, &QAction::triggered, this, guarded(this, &Tmainform::openHelp));

    connect(m_browser, &NavBrowser::commandLinkRequested, this, guarded(this, &Tmainform::dispatchLink));
    connect(m_navButtons[0], &QToolButton::clicked, this, guarded(this, &Tmainform::gohome));
    connect(m_navButtons[1], &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_navButtons[2], &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_navButtons[3], &QToolButton::clicked, m_browser, &QTextBrowser::reload);
    // The stop button (m_navButtons[4]) has nothing to stop: a local page loads in one piece.

    for (int number = Folk; number <= Technical; ++number) {
        const QString key = m_commands[number]->data().toString();
        bindCommand(number, [this, key] { openBaseData(m_context, key, this); });
    }

    connect(m_picturePage, &PicturePage::menuRequested, this, [this](const QPoint& at) { m_pictureMenu->popup(at); });
}

void Tmainform::addToolEntries()
{
    const QString menusFile = paths::datapath() + QStringLiteral("menus.cfg");
    for (const QString& caption : toolentries::menuCaptions(menusFile)) {
        QAction* action = m_toolsMenu->addAction(caption);
        connect(action, &QAction::triggered, this, guarded([action, menusFile] {
                    toolentries::runEntry(menusFile, toolentries::entryNumber(action->text()));
                }));
    }
}

void Tmainform::bindCommand(int number, const std::function<void()>& action)
{
    bindEntry(commandAction(number), action);
}

void Tmainform::bindEntry(QAction* entry, const std::function<void()>& action)
{
    if (entry == nullptr) {
        return;
    }
    connect(entry, &QAction::triggered, this, guarded(action));
    entry->setEnabled(true);
}

QAction* Tmainform::commandAction(int number) const
{
    if (number < 0 || number >= command::Count) {
        return nullptr;
    }
    return m_commands.at(number);
}

void Tmainform::runlink(int number)
{
    QAction* entry = commandAction(number);
    if (entry != nullptr && entry->isEnabled()) {
        entry->trigger();
    }
}

void Tmainform::dispatchLink(const QString& address)
{
    const int number = navigation::commandForAddress(linklist, address);
    if (number >= 0) {
        runlink(number);
    }
}

QLabel* Tmainform::systemLabel() const
{
    return m_picturePage->systemLabel();
}

QLabel* Tmainform::companyLabel() const
{
    return m_picturePage->companyLabel();
}

void Tmainform::showsysinfo()
{
    const SysInfo info = readSysInfo(paths::sysinifile());
    oemmode = info.oemmode;
    photoondisk = info.photoondisk;
    m_brandLabel->setText(info.oemTag);
    setWindowTitle(info.title);
    for (std::size_t i = 0; i < m_panels.size(); ++i) {
        m_panels[i]->setText(info.panels[i]);
    }
    for (QAction* action : m_webEntries) {
        action->setVisible(!oemmode);
    }
}

void Tmainform::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        // After the window has appeared, so that the login stands in front of it.
        QTimer::singleShot(0, this, &Tmainform::showStep);
    }
}

void Tmainform::showStep()
{
    m_dateLabel->setText(QDate::currentDate().toString(QStringLiteral("yyyy年MM月dd日")));
    openLogin(interaction::appTitle());
    loadlinks();
    restoreMode();
}

void Tmainform::loadlinks()
{
    linklist.clear();
    if (const auto lines = navigation::loadLinkList(htmlFile(QStringLiteral("linkdefine.css")))) {
        linklist = *lines;
    } else {
        ShowError(QStringLiteral("html文件夹下linkdefine.css文件丢失,Web导航界面可能会不能用！"));
    }
}

void Tmainform::restoreMode()
{
    const QString style = ini::readString(paths::rosterini(), QStringLiteral("user"), QStringLiteral("style"),
                                          QStringLiteral("webstyle"));
    if (style == QLatin1String("bmpstyle")) {
        m_commands[command::PictureMode]->setChecked(true);
        picturemode();
    } else {
        m_commands[command::WebMode]->setChecked(true);
        webmode();
    }
}

bool Tmainform::isPictureMode() const
{
    return m_commands[command::PictureMode]->isChecked();
}

void Tmainform::picturemode()
{
    QString image =
        ini::readString(paths::rosterini(), QStringLiteral("background"), QStringLiteral("image"), defaultBackground());
    if (!QFile::exists(image)) {
        image = defaultBackground();
    }
    const QPixmap picture(image);
    if (QFile::exists(image) && !picture.isNull()) {
        m_picturePage->setPicture(picture);
    } else {
        ShowInfo(QStringLiteral("背景图像文件不存在，请重新设置"));
    }
    systemLabel()->hide();
    companyLabel()->hide();
    m_pages->setCurrentWidget(m_picturePage);
    m_commands[command::PictureMode]->setChecked(true);
}

void Tmainform::webmode()
{
    m_pages->setCurrentWidget(m_webPage);
    m_commands[command::WebMode]->setChecked(true);
    gohome();
}

void Tmainform::gohome()
{
    // A missing start page simply leaves the browser empty.
    m_browser->setSource(QUrl::fromLocalFile(htmlFile(QStringLiteral("index.html"))));
}

void Tmainform::choosebackground()
{
    const QString file = interaction::current().chooseOpenFile(
        QStringLiteral("选择背景图像"),
        QStringLiteral("图像文件(*.jpg;*.jpeg;*.bmp;*.png)|*.jpg;*.jpeg;*.bmp;*.png|所有文件(*.*)|*.*"),
        paths::apppath() + QStringLiteral("pic"));
    if (file.isEmpty()) {
        return;
    }
    QImageReader reader(file);
    const QImage image = reader.read();
    if (image.isNull()) {
        ShowError(QStringLiteral("无法载入图像文件 %1：%2").arg(QDir::toNativeSeparators(file), reader.errorString()));
        return;
    }
    m_picturePage->setPicture(QPixmap::fromImage(image));
    try {
        ini::writeString(paths::rosterini(), QStringLiteral("background"), QStringLiteral("image"),
                         QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath()));
    } catch (const std::exception& e) {
        showException(e);
    }
}

void Tmainform::relogin()
{
    openLogin(companyLabel()->text() + QStringLiteral("用户登陆"));
}

void Tmainform::openLogin(const QString& caption)
{
    Tloginform login(m_context, this);
    login.setWindowTitle(caption);
    m_context.runModal(login);
}

void Tmainform::showAbout()
{
    QPointer<TAboutBox> about = new TAboutBox(this);
    m_context.runModal(*about);
    if (about) {
        about->close();
    }
}

void Tmainform::recalcAges()
{
    if (!AskYesNo(QStringLiteral("现在将重新计算数据库人员年龄、工龄等信息，是否继续？"))) {
        return;
    }
    {
        WorkProgress progress(QStringLiteral("正在重新计算年龄信息……"), this);
        m_store.recalcages([&progress](int done, int total) { progress.step(done, total); });
    }
    ShowInfo(QStringLiteral("计算完成！"));
}

void Tmainform::openHelp()
{
    interaction::current().openDocument(paths::apppath() + QStringLiteral("help.chm"));
}

void Tmainform::openSupportPage(const QString& topic)
{
    m_pages->setCurrentWidget(m_webPage);
    m_commands[command::WebMode]->setChecked(true);
    m_browser->setSource(QUrl::fromLocalFile(htmlFile(QStringLiteral("wait.htm"))));
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 500) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    // The page shows local files only, so the site opens in the desktop's browser.
    interaction::current().openDocument(QString::fromLatin1(kSupportSite) + topic);
}

void Tmainform::startDesktopProgram(const QStringList& candidates)
{
    for (const QString& name : candidates) {
        if (!QStandardPaths::findExecutable(name).isEmpty()) {
            interaction::current().startProgram(name, {});
            return;
        }
    }
    // None installed: try the first all the same; a failed start is not reported.
    interaction::current().startProgram(candidates.first(), {});
}

void Tmainform::closeEvent(QCloseEvent* event)
{
    if (safety::applyCloseRule() == safety::CloseAction::Close) {
        canclose = true;
    } else {
        if (m_exitform == nullptr) {
            m_exitform = new Texitform(m_context, this);
        }
        if (const std::optional<Texitform::Choice> choice = m_exitform->ask()) {
            canclose = *choice != Texitform::Choice::Cancel;
        }
    }
    if (!canclose) {
        event->ignore();
        return;
    }
    try {
        ini::writeString(paths::rosterini(), QStringLiteral("user"), QStringLiteral("style"),
                         isPictureMode() ? QStringLiteral("bmpstyle") : QStringLiteral("webstyle"));
    } catch (const std::exception& e) {
        showException(e);
    }
    linklist.clear();
    event->accept();
}
