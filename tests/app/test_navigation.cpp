#include "app/navbrowser.h"
#include "app/navigation.h"
#include "app/sysinfo.h"
#include "platform/inifile.h"
#include "platform/textfile.h"
#include "support/scriptedinteraction.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestNavigation : public QObject
{
    Q_OBJECT

private slots:
    void linkname_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "rssys:abc"
                               << "abc";
        QTest::newRow("nothing after the colon") << "rssys:"
                                                 << "";
        QTest::newRow("further colons") << "rssys:one:two"
                                        << "two";
        QTest::newRow("scheme inside the address") << "file:///x/rssys:person"
                                                   << "person";
        QTest::newRow("other address") << "file:///x/index.html"
                                       << "";
        QTest::newRow("scheme word without its colon") << "file:///x/rssys.html"
                                                       << "";
        QTest::newRow("letters differ") << "RSSYS:abc"
                                        << "";
    }

    void linkname()
    {
        QFETCH(QString, address);
        QFETCH(QString, name);
        QCOMPARE(navigation::linkname(address), name);
    }

    void dispatch_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("command");
        const QStringList abc{"a", "b", "c"};
        QTest::newRow("upper-case name finds its line") << abc << "rssys:C" << 2;
        QTest::newRow("lower-case name") << abc << "rssys:a" << 0;
        QTest::newRow("no such name") << abc << "rssys:d" << -1;
        QTest::newRow("empty name, no empty line") << abc << "rssys:" << -1;
        QTest::newRow("empty name finds the empty line") << QStringList{"a", "", "c"} << "rssys:" << 1;
        QTest::newRow("first equal line wins") << QStringList{"x", "PERSON", "person"} << "rssys:Person" << 1;
        QTest::newRow("only a-z change case") << QStringList{"人员a", "é"} << "rssys:人员A" << 0;
        QTest::newRow("non-ascii letters keep their case") << QStringList{"é"} << "rssys:É" << -1;
        QTest::newRow("not a command link") << QStringList{"index.html"} << "index.html" << -1;
        QTest::newRow("empty list") << QStringList{} << "rssys:a" << -1;
    }

    void dispatch()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, address);
        QFETCH(int, command);
        QCOMPARE(navigation::commandForAddress(lines, address), command);
    }

    void linkListKeepsEmptyLinesAndReportsAMissingFile()
    {
        QTemporaryDir dir;
        const QString css = dir.filePath("linkdefine.css");
        QVERIFY(!navigation::loadLinkList(css).has_value());
        textfile::writeLines(css, {"setup", "", "login"});
        QCOMPARE(navigation::loadLinkList(css).value(), (QStringList{"setup", "", "login"}));
    }

    void browserCancelsCommandLinksBeforeLoading()
    {
        QTemporaryDir dir;
        const QString page = dir.filePath("index.html");
        textfile::writeLines(page, {"<html><body><a href=\"rssys:c\">人员档案浏览</a></body></html>"});
        NavBrowser browser;
        QSignalSpy links(&browser, &NavBrowser::commandLinkRequested);
        browser.setSource(QUrl::fromLocalFile(page));
        QCOMPARE(browser.source(), QUrl::fromLocalFile(page));
        QVERIFY(links.isEmpty());
        const QString shown = browser.toHtml();

        browser.setSource(QUrl("rssys:C"));
        browser.setSource(QUrl("rssys:"));
        QCOMPARE(links.size(), 2);
        QCOMPARE(links.at(0).at(0).toString(), QString("rssys:C"));
        QCOMPARE(links.at(1).at(0).toString(), QString("rssys:"));
        QCOMPARE(browser.source(), QUrl::fromLocalFile(page));
        QCOMPARE(browser.toHtml(), shown);
    }

    void outsideAddressesGoToTheDesktop()
    {
        ScriptedInteraction ui;
        NavBrowser browser;
        browser.setSource(QUrl("https://www.roster.example.com/"));
        QCOMPARE(ui.opened, QStringList{"https://www.roster.example.com/"});
        QVERIFY(browser.source().isEmpty());
    }

    void sysinfoDefaultsWithoutTheInstallationFile()
    {
        QTemporaryDir dir;
        const SysInfo info = readSysInfo(dir.filePath("data/sysdata.ini"));
        QCOMPARE(info.title, QString("Dossiera人力资源管理系统"));
        QCOMPARE(info.panels[0], QString("Dossiera人力资源管理系统"));
        QCOMPARE(info.panels[1], QString("Ver 1.0.0"));
        QCOMPARE(info.panels[2], QString());
        QCOMPARE(info.panels[3], QString("  "));
        QCOMPARE(info.oemTag, QString("Roster"));
        QVERIFY(!info.oemmode);
        QVERIFY(!info.photoondisk);
        const AboutInfo about = readAboutInfo(dir.filePath("data/sysdata.ini"));
        QCOMPARE(about.appTitle, QString("Dossiera"));
        QVERIFY(about.version.isEmpty() && about.website.isEmpty() && about.mail.isEmpty() &&
                about.copyright.isEmpty());
    }

    void sysinfoFromTheInstallationFile()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("sysdata.ini");
        textfile::writeLines(file, {"[system]", "SystemName=人事", "Version=5.1", "ReleaseDate=2026-12-01",
                                    "SupportWebSite=www.x.cn", "SupportMail=a@x.cn", "OEM=0", "photoOnDisk=1"});
        const SysInfo info = readSysInfo(file);
        QCOMPARE(info.title, QString("人事5.1"));
        QCOMPARE(info.panels[1], QString("Ver 5.1"));
        QCOMPARE(info.panels[2], QString("2026-12-01"));
        QCOMPARE(info.panels[3], QString("www.x.cn  a@x.cn"));
        QVERIFY(info.oemmode); // "0" is not empty
        QVERIFY(info.photoondisk);
    }
};

QTEST_MAIN(TestNavigation)
#include "test_navigation.moc"
