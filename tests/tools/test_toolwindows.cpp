#include "platform/inifile.h"
#include "platform/textfile.h"
#include "support/scriptedinteraction.h"
#include "support/testcontext.h"
#include "tools/toolentries.h"
#include "tools/topenieform.h"
#include "tools/tsetupform.h"
#include "tools/ttoolform.h"

#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using toolentries::ToolEntry;

class TestToolWindows : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedInteraction> m_ui;
    std::unique_ptr<TestContext> m_test;
    QString m_cfg;
    QString m_ini;

    /// Stands in for the main window: its caption and the two labels the preview changes.
    struct MainWindow
    {
        QWidget window;
        QLabel* system = new QLabel("企业管理系统", &window);
        QLabel* company = new QLabel("LW工作室", &window);

        MainWindow()
        {
            window.resize(900, 600);
            window.setWindowTitle("Dossiera");
        }
        Tsetupform::Preview preview() { return {&window, system, company}; }
    };

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_ui = std::make_unique<ScriptedInteraction>();
        m_test = std::make_unique<TestContext>(*m_ui);
        m_cfg = m_dir->filePath("menus.cfg");
        m_ini = m_dir->filePath("roster.ini");
    }
    void cleanup()
    {
        m_test.reset();
        m_ui.reset();
    }

    WindowContext& context(const char* right = "admin")
    {
        m_test->dm.loginright = QString::fromLatin1(right);
        return m_test->context;
    }

    void editorAddsChoosesAndSavesOnClose()
    {
        Ttoolform form(context("admin"), m_cfg);
        QCOMPARE(form.windowTitle(), QString("自定义工具箱菜单条"));
        QCOMPARE(form.rows(), QList<ToolEntry>{ToolEntry{}});
        form.StringGrid1->item(0, 0)->setText("计算器");
        form.BitBtn1Click();
        QCOMPARE(form.StringGrid1->rowCount(), 2);
        QCOMPARE(form.StringGrid1->currentRow(), 1);
        QCOMPARE(form.StringGrid1->currentColumn(), 0);
        QCOMPARE(form.StringGrid1->item(1, 0)->text(), QString("新条目"));
        // Only the program column opens the chooser, and a cancelled chooser changes nothing.
        m_ui->choose({"/usr/bin/bc", ""});
        form.StringGrid1DblClick(1, 0);
        form.StringGrid1DblClick(1, 1);
        form.StringGrid1DblClick(0, 1);
        QCOMPARE(m_ui->shown.size(), 2);
        QCOMPARE(m_ui->shown.first().text, QString("所有文件(*.*)|*.*"));
        form.StringGrid1->item(1, 2)->setText("-l");
        QVERIFY(!QFile::exists(m_cfg));
        form.BitBtn3->click(); // 退出
        QCOMPARE(toolentries::editorRows(m_cfg),
                 (QList<ToolEntry>{{"计算器", "", ""}, {"新条目", "/usr/bin/bc", "-l"}}));

        // Opened again, the editor shows what was saved; the close box saves as well.
        Ttoolform again(context("admin"), m_cfg);
        QCOMPARE(again.rows(), toolentries::editorRows(m_cfg));
        again.StringGrid1->item(0, 0)->setText("");
        again.show();
        again.close();
        QVERIFY(!QFile::exists(m_cfg));
    }

    void editorDeletesRows()
    {
        toolentries::save(m_cfg, {{"a", "/bin/a", ""}, {"b", "/bin/b", ""}, {"c", "/bin/c", ""}});
        Ttoolform form(context("admin"), m_cfg);
        form.StringGrid1->setCurrentCell(1, 0);
        m_ui->answer({false, true, true, true});
        form.BitBtn2Click(); // No
        QCOMPARE(form.rows().size(), 3);
        form.BitBtn2Click();
        QCOMPARE(form.rows(), (QList<ToolEntry>{{"a", "/bin/a", ""}, {"c", "/bin/c", ""}}));
        QCOMPARE(form.StringGrid1->verticalHeaderItem(1), nullptr); // numbered by the header: 1, 2
        QCOMPARE(form.StringGrid1->model()->headerData(1, Qt::Vertical).toString(), QString("2"));
        form.BitBtn2Click();
        form.BitBtn2Click();
        // The only row is cleared, never removed.
        QCOMPARE(form.rows(), (QList<ToolEntry>{{"新条目", "", ""}}));
        QCOMPARE(m_ui->texts(), QStringList(4, "你真的要删除本条记录吗？"));
    }

    void editorForAGuest()
    {
        toolentries::save(m_cfg, {{"a", "/bin/a", "x"}});
        Ttoolform form(context("guest"), m_cfg);
        form.show();
        QVERIFY(!form.GroupBox1->isEnabled());
        QVERIFY(!form.BitBtn1->isEnabled());
        QVERIFY(!form.BitBtn2->isEnabled());
        QVERIFY(form.BitBtn3->isEnabled());
        form.close();
        QCOMPARE(toolentries::editorRows(m_cfg), (QList<ToolEntry>{{"a", "/bin/a", "x"}}));
    }

    void setupPreviewsOnOpeningAndKeepsItOnLeaving_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("system");
        QTest::addColumn<QString>("company");
        QTest::newRow("nothing stored") << QStringList{} << "Quillon"
                                        << "LW工作室";
        QTest::newRow("stored names") << QStringList{"[user]", "system=人事档案", "company=东方公司"} << "人事档案"
                                      << "东方公司";
    }

    void setupPreviewsOnOpeningAndKeepsItOnLeaving()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, system);
        QFETCH(QString, company);
        if (!stored.isEmpty()) {
            textfile::writeLines(m_ini, stored);
        }
        const QByteArray before = QFile::exists(m_ini) ? textfile::readLines(m_ini).join('\n').toUtf8() : "<none>";
        MainWindow main;
        {
            Tsetupform form(context("admin"), main.preview(), m_ini);
            QCOMPARE(form.Edit1->text(), system);
            QCOMPARE(main.window.windowTitle(), system);
            QCOMPARE(main.system->text(), system);
            QCOMPARE(main.company->text(), company);
            form.Edit1->setText("临时名称");
            QCOMPARE(main.window.windowTitle(), QString("临时名称"));
            form.BitBtn2->click(); // 退出
        }
        QCOMPARE(main.system->text(), QString("临时名称"));
        QCOMPARE(QFile::exists(m_ini) ? textfile::readLines(m_ini).join('\n').toUtf8() : "<none>", before);
        QVERIFY(m_ui->shown.isEmpty());
    }

    void setupSavesTheChoices_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("checked");
        QTest::addColumn<int>("choose");
        QTest::addColumn<QString>("saved");
        QTest::newRow("backup kept") << "backup" << 1 << 0 << "backup";
        QTest::newRow("exit kept") << "exit" << 2 << 0 << "exit";
        QTest::newRow("other value saved as none") << "always" << 3 << 0 << "none";
        QTest::newRow("backup chosen") << "none" << 3 << 1 << "backup";
        QTest::newRow("exit chosen") << "backup" << 1 << 2 << "exit";
    }

    void setupSavesTheChoices()
    {
        QFETCH(QString, stored);
        QFETCH(int, checked);
        QFETCH(int, choose);
        QFETCH(QString, saved);
        ini::writeString(m_ini, "onclose", "option", stored);
        MainWindow main;
        Tsetupform form(context("admin"), main.preview(), m_ini);
        QRadioButton* buttons[] = {nullptr, form.RadioButton1, form.RadioButton2, form.RadioButton3};
        QVERIFY(buttons[checked]->isChecked());
        if (choose != 0) {
            buttons[choose]->setChecked(true);
        }
        form.Edit2->setText("新公司");
        form.BitBtn1->click();
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(ini::readString(m_ini, "onclose", "option", ""), saved);
        QCOMPARE(ini::readString(m_ini, "user", "system", ""), QString("Quillon"));
        QCOMPARE(ini::readString(m_ini, "user", "company", ""), QString("新公司"));
        QCOMPARE(m_ui->texts(), QStringList{"设置完成"});
    }

    void setupForAGuest()
    {
        ini::writeString(m_ini, "user", "system", "人事档案");
        MainWindow main;
        Tsetupform form(context("guest"), main.preview(), m_ini);
        QCOMPARE(main.window.windowTitle(), QString("人事档案"));
        for (QWidget* w : {static_cast<QWidget*>(form.GroupBox1), static_cast<QWidget*>(form.GroupBox2),
                           static_cast<QWidget*>(form.GroupBox3), static_cast<QWidget*>(form.BitBtn1)}) {
            QVERIFY(!w->isEnabled());
        }
        QVERIFY(form.BitBtn2->isEnabled());
    }

    void setupCentresEachNameByItsWidth_data()
    {
        QTest::addColumn<int>("windowWidth");
        QTest::addColumn<QString>("company");
        QTest::newRow("short") << 900 << "甲";
        QTest::newRow("long") << 900 << QString("很长的公司名称").repeated(6);
        QTest::newRow("longer than the window") << 300 << QString("很长的公司名称").repeated(6);
    }

    void setupCentresEachNameByItsWidth()
    {
        QFETCH(int, windowWidth);
        QFETCH(QString, company);
        MainWindow main;
        main.window.resize(windowWidth, 600);
        Tsetupform form(context("admin"), main.preview(), m_ini);
        form.Edit2->setText(company);
        const int width = main.company->width();
        QVERIFY(width >= main.company->fontMetrics().horizontalAdvance(company));
        QCOMPARE(main.company->x(), (windowWidth - width) / 2);
        form.Edit1->setText(company);
        QCOMPARE(main.system->x(), (windowWidth - main.system->width()) / 2);
    }

    void webAddresses_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("opened"); // empty: nothing opened, the dialog stays
        QTest::newRow("without scheme") << "www.example.cn"
                                        << "http://www.example.cn";
        QTest::newRow("with scheme") << "http://www.example.cn"
                                     << "http://www.example.cn";
        QTest::newRow("scheme inside") << "go http://x.cn"
                                       << "go http://x.cn";
        QTest::newRow("upper-case scheme") << "HTTP://x.cn"
                                           << "http://HTTP://x.cn";
        QTest::newRow("other scheme") << "https://x.cn"
                                      << "http://https://x.cn";
        QTest::newRow("bang prefix") << "!ftp://x.cn "
                                     << "ftp://x.cn";
        QTest::newRow("blanks before") << "  x.cn  "
                                       << "http://  x.cn";
        QTest::newRow("exactly the scheme") << "http://"
                                            << "";
        QTest::newRow("empty") << ""
                               << "";
    }

    void webAddresses()
    {
        QFETCH(QString, typed);
        QFETCH(QString, opened);
        Topenieform2 form(context());
        QCOMPARE(form.Edit1->text(), QString("http://"));
        form.show();
        form.Edit1->setText(typed);
        QTest::keyClick(form.Edit1, Qt::Key_Return); // Enter is "确定"
        QCOMPARE(m_ui->opened, opened.isEmpty() ? QStringList{} : QStringList{opened});
        QCOMPARE(form.isVisible(), opened.isEmpty());
    }

    void mailAddresses_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("opened");
        QTest::newRow("plain") << "a@b.cn"
                               << "mailto:a@b.cn";
        QTest::newRow("blanks around") << "  a@b.cn \t"
                                       << "mailto:a@b.cn";
        QTest::newRow("empty") << ""
                               << "";
    }

    void mailAddresses()
    {
        QFETCH(QString, typed);
        QFETCH(QString, opened);
        Topenieform1 form(context());
        QCOMPARE(form.windowTitle(), QString("发送电子邮件"));
        form.show();
        form.Edit1->setText(typed);
        form.BitBtn1->click();
        QCOMPARE(m_ui->opened, opened.isEmpty() ? QStringList{} : QStringList{opened});
        QCOMPARE(form.isVisible(), opened.isEmpty());
        if (form.isVisible()) {
            form.BitBtn2->click(); // 取消 closes without opening anything
            QVERIFY(!form.isVisible());
            QVERIFY(m_ui->opened.isEmpty());
        }
    }
};

QTEST_MAIN(TestToolWindows)
#include "test_toolwindows.moc"
