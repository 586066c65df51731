#include "access/loginrules.h"
#include "access/md5hex.h"
#include "access/tloginform.h"
#include "app/navbrowser.h"
#include "app/picturepage.h"
#include "app/taboutbox.h"
#include "app/tmainform.h"
#include "app/toolcommands.h"
#include "app/windowcontext.h"
#include "data/dmunit.h"
#include "platform/errors.h"
#include "platform/inifile.h"
#include "platform/interaction.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "safety/texitform.h"
#include "support/fakeshellstore.h"
#include "support/scriptedinteraction.h"
#include "tools/toolentries.h"
#include "tools/ttoolform.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTimer>

namespace {

void writeJpeg(const QString& path, QColor colour)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QVERIFY(image.save(path, "JPG"));
}

} // namespace

class TestMainform : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<ScriptedInteraction> m_ui;
    FakeShellStore m_store;
    std::unique_ptr<Tdm> m_dm;
    std::unique_ptr<WindowContext> m_context;
    QStringList m_dialogs; ///< the modal windows the main window ran, by class
    std::function<void(QDialog&)> m_onDialog;
    int m_quits = 0;

    std::unique_ptr<Tmainform> makeWindow()
    {
        auto window = std::make_unique<Tmainform>(*m_context);
        m_context->setModalRunner([this](QDialog& dialog) {
            m_dialogs << QString::fromLatin1(dialog.metaObject()->className()) + ":" + dialog.windowTitle();
            if (m_onDialog) {
                m_onDialog(dialog);
            }
            return 0;
        });
        return window;
    }

    QString home(const QString& rel) const { return QDir(m_home->path()).filePath(rel); }

private slots:
    void init()
    {
        m_home = std::make_unique<QTemporaryDir>();
        paths::setAppPath(m_home->path());
        m_ui = std::make_unique<ScriptedInteraction>();
        m_store = FakeShellStore();
        m_dm = std::make_unique<Tdm>();
        m_context = std::make_unique<WindowContext>(*m_dm, *m_ui, &m_store);
        m_dialogs.clear();
        m_onDialog = nullptr;
        m_quits = 0;
        access::LoginSession::resetFailureCount();
        access::setQuitHandler([this] { ++m_quits; });
        interaction::setAppTitle("Dossiera");
    }

    void cleanup()
    {
        m_context.reset();
        m_dm.reset();
        m_ui.reset();
    }

    void creationWithoutInstallationFiles()
    {
        auto window = makeWindow();
        QCOMPARE(m_store.file, QString("roster5.dat"));
        QVERIFY(m_store.open);
        QVERIFY(QDir(home("reports")).exists());
        QCOMPARE(window->windowTitle(), QString("Dossiera人力资源管理系统"));
        QCOMPARE(window->statusPanel(0)->text(), QString("Dossiera人力资源管理系统"));
        QCOMPARE(window->statusPanel(1)->text(), QString("Ver 1.0.0"));
        QCOMPARE(window->statusPanel(2)->text(), QString());
        QCOMPARE(window->statusPanel(3)->text(), QString("  "));
        QCOMPARE(window->statusPanel(0)->width(), 280);
        QCOMPARE(window->statusPanel(1)->width(), 80);
        QCOMPARE(window->statusPanel(2)->width(), 160);
        QCOMPARE(window->brandLabel()->text(), QString("Roster"));
        QVERIFY(!window->oemmode && !window->canclose);
        QVERIFY(m_ui->shown.isEmpty());

        TAboutBox* about = new TAboutBox;
        QCOMPARE(interaction::appTitle(), QString("Dossiera"));
        QVERIFY(about->versionLabel()->text().isEmpty() && about->websiteLabel()->text().isEmpty() &&
                about->mailLabel()->text().isEmpty() && about->copyrightLabel()->text().isEmpty());
        QCOMPARE(about->size(), QSize(450, 300));
        delete about;
    }

    void oemHidesTheWebEntriesAndTheAboutTexts()
    {
        QDir().mkpath(paths::datapath());
        textfile::writeLines(paths::sysinifile(), {"[System]", "OEM=0", "appTitle=人事", "Version=5"});
        auto window = makeWindow();
        QVERIFY(window->oemmode);
        QCOMPARE(window->helpWebEntries().size(), 7);
        for (QAction* entry : window->helpWebEntries()) {
            QVERIFY(!entry->isVisible());
        }
        TAboutBox about;
        QCOMPARE(interaction::appTitle(), QString("人事"));
        QVERIFY(about.versionLabel()->isHidden());
    }

    void databaseFailureAsksNamingTheFile()
    {
        ini::writeString(paths::rosterini(), "database", "filepath", "lost.dat");
        m_store.failOpen = true;
        m_ui->answer({false});
        makeWindow();
        QCOMPARE(m_ui->texts().size(), 1);
        QVERIFY(m_ui->lastText().contains("2.本地数据库lost.dat损坏或丢失"));
        QVERIFY(m_ui->lastText().endsWith("是否现在就启动【Roster数据库异常用户解决方案】 ？"));
        QCOMPARE(m_quits, 1);
        QVERIFY(!QFile::exists(paths::rosterini()) ||
                ini::readString(paths::rosterini(), "user", "style", "unset") == "unset");

        m_ui->clear();
        m_ui->answer({true});
        auto window = makeWindow();
        QCOMPARE(m_quits, 1); // Yes shows the recovery wizard, then goes on with the connection closed
        QCOMPARE(m_dialogs.last(), QString("Terrorform:Roster数据库异常用户解决方案"));
        QVERIFY(!m_store.open);
    }

    void commandLinksRunTheirEntries()
    {
        auto window = makeWindow();
        const QString index = home("html/index.html");
        QDir().mkpath(home("html"));
        textfile::writeLines(index, {"<html><body><a href=\"rssys:c\">重新登陆</a></body></html>"});
        textfile::writeLines(home("html/linkdefine.css"), {"a", "b", "c"});
        window->loadlinks();
        QCOMPARE(window->linklist, (QStringList{"a", "b", "c"}));
        window->gohome();
        QCOMPARE(window->browser()->source(), QUrl::fromLocalFile(index));

        window->browser()->setSource(QUrl("rssys:C")); // command 2, login again
        QCOMPARE(m_dialogs, QStringList{"Tloginform:LW工作室用户登陆"});
        window->browser()->setSource(QUrl("rssys:d"));
        window->browser()->setSource(QUrl("rssys:"));
        QCOMPARE(m_dialogs.size(), 1);
        QCOMPARE(window->browser()->source(), QUrl::fromLocalFile(index));

        window->linklist = QStringList{"a", "b", ""};
        window->browser()->setSource(QUrl("rssys:"));
        QCOMPARE(m_dialogs.size(), 2);
    }

    void missingLinkListIsReportedAndDispatchesNothing()
    {
        auto window = makeWindow();
        window->loadlinks();
        QCOMPARE(m_ui->texts(), QStringList{"html文件夹下linkdefine.css文件丢失,Web导航界面可能会不能用！"});
        QCOMPARE(m_ui->shown.first().kind, ScriptedInteraction::Kind::Error);
        window->browser()->setSource(QUrl("rssys:"));
        QVERIFY(m_dialogs.isEmpty());
    }

    void disabledEntriesRunNothing()
    {
        auto window = makeWindow();
        // Entries whose windows come later, and numbers past the table.
        for (int n : {0, 1, 4, 5, 14, 15, 16, 17, 18, 19, 20, 21, 25, 27, 28}) {
            QVERIFY2(!window->commandAction(n)->isEnabled(), qPrintable(QString::number(n)));
            window->runlink(n);
        }
        window->runlink(29);
        window->runlink(-1);
        QVERIFY(m_dialogs.isEmpty());
        QVERIFY(m_ui->shown.isEmpty());
        QCOMPARE(window->commandAction(4)->text(), QString("人员档案浏览(&P)"));
        QCOMPARE(window->commandAction(4)->shortcut(), QKeySequence("F2"));

        for (int n = 6; n <= 13; ++n) {
            QVERIFY(window->commandAction(n)->isEnabled()); // the base-data windows exist
        }
        QCOMPARE(window->commandAction(10)->text(), QString("部门类别设置"));
        QCOMPARE(window->commandAction(11)->data().toString(), QString("aboutpay"));

        int runs = 0;
        window->bindCommand(4, [&runs] { ++runs; });
        window->runlink(4);
        QCOMPARE(runs, 1);
        for (QAction* entry :
             {window->departedEntry(), window->importEntry(), window->birthdayEntry(), window->contractEntry()}) {
            QVERIFY(!entry->isEnabled());
        }
    }

    void entriesKeptOutOfTheMenusRunOnceBound()
    {
        auto window = makeWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::qWait(20); // the login step after the first show
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));

        QList<QAction*> inMenus;
        std::function<void(QMenu*)> collect = [&](QMenu* menu) {
            for (QAction* action : menu->actions()) {
                inMenus << action;
                if (action->menu()) {
                    collect(action->menu());
                }
            }
        };
        for (QAction* top : window->menuBar()->actions()) {
            collect(top->menu());
        }
        QMenu* pictureTools = window->pictureMenu()->actions().at(1)->menu(); // ◆工具箱
        const struct
        {
            int number;
            Qt::Key key;
            QAction* pictureCopy;
        } entries[] = {{0, Qt::Key_S, nullptr},
                       {20, Qt::Key_M, pictureTools->actions().at(0)},
                       {21, Qt::Key_W, pictureTools->actions().at(1)}};
        for (const auto& entry : entries) {
            const QByteArray name = QByteArray::number(entry.number);
            QAction* action = window->commandAction(entry.number);
            QVERIFY2(!inMenus.contains(action), name);
            int runs = 0;
            window->bindCommand(entry.number, [&runs] { ++runs; });
            window->runlink(entry.number);
            QCOMPARE(runs, 1);
            QTest::keyClick(window.get(), entry.key, Qt::ControlModifier);
            QVERIFY2(runs == 2, name);
            if (entry.pictureCopy) {
                QVERIFY(entry.pictureCopy->isEnabled());
                entry.pictureCopy->trigger();
                QCOMPARE(runs, 3);
            }
            // The stand-in goes with this loop's counter.
            disconnect(action, &QAction::triggered, nullptr, nullptr);
        }
    }

    void toolCommandsOpenTheirWindows()
    {
        ini::writeString(paths::rosterini(), "user", "system", "人事档案管理");
        auto window = makeWindow();
        bindToolCommands(*window);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::qWait(20); // the login step after the first show
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        const struct
        {
            int number;
            Qt::Key key;
            const char* dialog;
        } entries[] = {{0, Qt::Key_S, "Tsetupform:系统参数设置"},
                       {20, Qt::Key_M, "Topenieform1:发送电子邮件"},
                       {21, Qt::Key_W, "Topenieform2:访问网站"},
                       {25, Qt::Key_D, "Ttoolform:自定义工具箱菜单条"}};
        for (const auto& entry : entries) {
            m_dialogs.clear();
            window->runlink(entry.number);
            QTest::keyClick(window.get(), entry.key, Qt::ControlModifier);
            QCOMPARE(m_dialogs, QStringList(2, QString::fromUtf8(entry.dialog)));
        }
        // The setup dialog previewed the stored name on the main window.
        QCOMPARE(window->windowTitle(), QString("人事档案管理"));
        QCOMPARE(window->systemLabel()->text(), QString("人事档案管理"));
    }

    void aToolEntryAddedInTheEditorIsStartedAfterARestart()
    {
        {
            auto window = makeWindow();
            bindToolCommands(*window);
            const int fixedItems = int(window->toolsMenu()->actions().size());
            m_onDialog = [](QDialog& dialog) {
                auto& editor = dynamic_cast<Ttoolform&>(dialog);
                editor.StringGrid1->item(0, 0)->setText("列表");
                editor.StringGrid1->item(0, 1)->setText("/bin/ls");
                editor.StringGrid1->item(0, 2)->setText("-l \"a b\"");
                editor.BitBtn3->click();
            };
            window->runlink(command::ToolsEditor);
            // The menu of this run stays as it was built.
            QCOMPARE(window->toolsMenu()->actions().size(), fixedItems);
        }
        m_onDialog = nullptr;
        auto window = makeWindow();
        QAction* entry = window->toolsMenu()->actions().last();
        QCOMPARE(entry->text(), QString("1.列表"));
        entry->trigger();
        QCOMPARE(m_ui->started, (QList<QStringList>{{"/bin/ls", "-l", "a b"}}));
    }

    void onlyTheExactSchemeLettersRunACommand()
    {
        auto window = makeWindow();
        const QString index = home("html/index.html");
        QDir().mkpath(home("html"));
        textfile::writeLines(index, {"<html><body><p><a href=\"RSSYS:c\">UPPERLINK</a></p>",
                                     "<p><a href=\"rssys:c\">lowerlink</a></p></body></html>"});
        textfile::writeLines(home("html/linkdefine.css"), {"a", "b", "c"});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QTest::qWait(20); // the login step after the first show
        window->webmode();
        window->gohome();
        NavBrowser* browser = window->browser();
        QVERIFY(browser->isVisible());
        const int before = int(m_dialogs.size());
        auto click = [browser](const QString& text) {
            QTextCursor cursor = browser->document()->find(text);
            QVERIFY(!cursor.isNull());
            cursor.setPosition(cursor.selectionStart() + 2);
            QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(cursor).center());
        };
        click("UPPERLINK");
        QCOMPARE(m_dialogs.size(), before);
        QCOMPARE(browser->source(), QUrl::fromLocalFile(index));
        click("lowerlink"); // command 2, login again
        QCOMPARE(m_dialogs.size(), before + 1);
        QVERIFY(m_dialogs.last().startsWith("Tloginform:"));
    }

    void aboutEntryAndPictureMenuShareTheCommand()
    {
        auto window = makeWindow();
        window->runlink(26);
        QCOMPARE(m_dialogs.size(), 1);
        QVERIFY(m_dialogs.first().startsWith("TAboutBox:"));
        window->pictureMenu()->actions().first()->trigger(); // ◇版本信息(&I)
        QCOMPARE(m_dialogs.size(), 2);
    }

    void closeOptions_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<bool>("dialogShown");
        QTest::addColumn<int>("lastUseCopies");
        QTest::newRow("backup") << "backup" << false << 1;
        QTest::newRow("exit") << "exit" << false << 0;
        QTest::newRow("none") << "none" << true << 0;
    }

    void closeOptions()
    {
        QFETCH(QString, option);
        QFETCH(bool, dialogShown);
        QFETCH(int, lastUseCopies);
        ini::writeString(paths::rosterini(), "onclose", "option", option);
        m_onDialog = [](QDialog& dialog) { qobject_cast<Texitform*>(&dialog)->exitButton()->click(); };
        auto window = makeWindow();
        window->runlink(3);
        QCOMPARE(!m_dialogs.isEmpty(), dialogShown);
        QVERIFY(window->canclose);
        QCOMPARE(m_store.lastUseCopies, lastUseCopies);
        QCOMPARE(ini::readString(paths::rosterini(), "user", "style", ""), QString("webstyle"));
        QVERIFY(m_ui->shown.isEmpty());
    }

    void cancelledExitKeepsTheWindowAndReusesTheDialog()
    {
        auto window = makeWindow();
        QList<QDialog*> seen;
        m_onDialog = [&seen](QDialog& dialog) {
            seen << &dialog;
            auto* exitform = qobject_cast<Texitform*>(&dialog);
            (seen.size() == 1 ? exitform->cancelButton() : exitform->backupButton())->click();
        };
        window->show();
        QVERIFY(!window->close());
        QVERIFY(window->isVisible());
        QVERIFY(!window->canclose);
        QVERIFY(window->close());
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen.at(0), seen.at(1));
        QCOMPARE(m_store.lastUseCopies, 1);
    }

    void pageModeRoundTrip()
    {
        writeJpeg(home("pic/bg.jpg"), Qt::red);
        ini::writeString(paths::rosterini(), "onclose", "option", "exit");
        {
            auto window = makeWindow();
            window->restoreMode(); // no user/style: web mode
            QVERIFY(!window->isPictureMode());
            QCOMPARE(window->pages()->currentIndex(), 1);
            window->runlink(22);
            QVERIFY(window->isPictureMode());
            QVERIFY(window->pages()->currentWidget() == window->picturePage());
            QVERIFY(!window->picturePage()->picture().isNull());
            QVERIFY(window->close());
        }
        QCOMPARE(ini::readString(paths::rosterini(), "user", "style", ""), QString("bmpstyle"));
        auto window = makeWindow();
        window->restoreMode();
        QVERIFY(window->isPictureMode());
        QVERIFY(window->systemLabel()->isHidden());
        window->runlink(23);
        QVERIFY(!window->isPictureMode());
        QVERIFY(m_ui->shown.isEmpty());
    }

    void missingBackgroundFallsBackThenKeepsThePicture()
    {
        writeJpeg(home("pic/bg.jpg"), Qt::blue);
        ini::writeString(paths::rosterini(), "background", "image", home("pic/deleted.jpg"));
        auto window = makeWindow();
        window->picturemode();
        QVERIFY(m_ui->shown.isEmpty());
        QCOMPARE(window->picturePage()->picture().toImage().pixelColor(5, 5).blue() > 200, true);
        QFile::remove(home("pic/bg.jpg"));
        window->webmode();
        window->picturemode();
        QCOMPARE(m_ui->texts(), QStringList{"背景图像文件不存在，请重新设置"});
        QVERIFY(!window->picturePage()->picture().isNull()); // the previous picture stays
    }

    void choosingABackgroundKeepsThePage()
    {
        writeJpeg(home("other.jpg"), Qt::green);
        textfile::writeBytes(home("broken.jpg"), "not a picture");
        auto window = makeWindow();
        window->webmode();
        m_ui->choose({home("broken.jpg"), home("other.jpg"), QString()});
        window->runlink(24);
        QCOMPARE(m_ui->texts().size(), 1);
        QCOMPARE(m_ui->shown.last().kind, ScriptedInteraction::Kind::Error);
        QCOMPARE(ini::readString(paths::rosterini(), "background", "image", "none"), QString("none"));
        window->runlink(24);
        QVERIFY(!window->isPictureMode());
        QCOMPARE(QDir::fromNativeSeparators(ini::readString(paths::rosterini(), "background", "image", "")),
                 QDir::fromNativeSeparators(home("other.jpg")));
        window->runlink(24); // cancelled: nothing changes
        window->picturemode();
        QVERIFY(window->picturePage()->picture().toImage().pixelColor(5, 5).green() > 200);
    }

    void loginSetsTheCurrentUser()
    {
        auto window = makeWindow();
        // Run the window modally for real, so that whatever its closing does happens before the
        // main window reads the result.
        m_onDialog = [](QDialog& dialog) {
            auto* login = qobject_cast<Tloginform*>(&dialog);
            QTimer::singleShot(0, login, [login] {
                login->userChooser()->setCurrentIndex(0);
                login->passwordEdit()->setText("123");
                login->loginButton()->click();
            });
            dialog.exec();
        };
        window->runlink(2);
        QCOMPARE(m_store.loginuser, QString("admin"));
        QCOMPARE(m_store.loginright, QString("admin"));
    }

    void recalcAsksThenReports()
    {
        auto window = makeWindow();
        QAction* recalc = nullptr;
        for (QAction* menu : window->menuBar()->actions()) {
            for (QAction* entry : menu->menu()->actions()) {
                if (entry->text() == "重新计算年龄信息(&R)") {
                    recalc = entry;
                }
            }
        }
        QVERIFY(recalc != nullptr);
        m_ui->answer({false, true});
        recalc->trigger();
        QCOMPARE(m_store.recalcRuns, 0);
        recalc->trigger();
        QCOMPARE(m_store.recalcRuns, 1);
        QCOMPARE(m_ui->texts(), (QStringList{"现在将重新计算数据库人员年龄、工龄等信息，是否继续？",
                                             "现在将重新计算数据库人员年龄、工龄等信息，是否继续？", "计算完成！"}));
    }

    void webEntriesShowTheWaitPageThenOpenTheSite()
    {
        QDir().mkpath(home("html"));
        textfile::writeLines(home("html/wait.htm"), {"<html><body>请稍候……</body></html>"});
        auto window = makeWindow();
        window->picturemode();
        m_ui->clear();
        QAction* product = window->helpWebEntries().at(1); // 产品网站
        QCOMPARE(product->text(), QString("产品网站"));
        product->trigger();
        QVERIFY(!window->isPictureMode());
        QCOMPARE(window->browser()->source(), QUrl::fromLocalFile(home("html/wait.htm")));
        QCOMPARE(m_ui->opened.size(), 1);
        QVERIFY(m_ui->opened.first().endsWith("homepage"));
        window->helpWebEntries().at(5)->trigger(); // 意见反馈
        QVERIFY(m_ui->opened.last().endsWith("guestbook"));
    }

    void toolEntriesAndHelp()
    {
        QDir().mkpath(paths::datapath());
        textfile::writeLines(home("data/menus.cfg"),
                             {"[Itemscount]", "count=1", "[1]", "caption=编辑器", "filename=/bin/true", "param=x"});
        auto window = makeWindow();
        QAction* last = window->toolsMenu()->actions().last();
        QCOMPARE(last->text(), QString("1.编辑器"));
        last->trigger();
        QCOMPARE(m_ui->started, (QList<QStringList>{{"/bin/true", "x"}}));
        window->helpMenu()->actions().first()->trigger(); // 帮助主题(&T)
        QCOMPARE(m_ui->opened, QStringList{paths::apppath() + "help.chm"});
    }
};

QTEST_MAIN(TestMainform)
#include "test_mainform.moc"
