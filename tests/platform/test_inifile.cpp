#include "platform/errors.h"
#include "platform/inifile.h"
#include "platform/textfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestIniFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;

private slots:
    void init()
    {
        m_path = m_dir.filePath("settings.ini");
        QFile::remove(m_path);
        textfile::writeLines(m_path,
                             {"; comment", "[System]", "appTitle = 人事档案", "OEM=0", "Empty=", "", "[FilterItemList]",
                              "部门=dept", "姓名=name", "文化程度=education", "", "[user]", "style=bmpstyle"});
    }

    void reads_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "System"
                               << "appTitle"
                               << "人事档案";
        QTest::newRow("names ignore case") << "SYSTEM"
                                           << "APPTITLE"
                                           << "人事档案";
        QTest::newRow("zero is a value") << "System"
                                         << "OEM"
                                         << "0";
        QTest::newRow("empty value") << "System"
                                     << "Empty"
                                     << "";
        QTest::newRow("missing key") << "System"
                                     << "Version"
                                     << "<default>";
        QTest::newRow("missing section") << "nothing"
                                         << "appTitle"
                                         << "<default>";
        QTest::newRow("key of another section") << "user"
                                                << "appTitle"
                                                << "<default>";
    }
    void reads()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QCOMPARE(ini::readString(m_path, section, key, "<default>"), expected);
    }

    void missingFileReadsDefaults()
    {
        const QString none = m_dir.filePath("none.ini");
        QCOMPARE(ini::readString(none, "System", "appTitle", "Dossiera"), QString("Dossiera"));
        QVERIFY(ini::sectionKeys(none, "FilterItemList").isEmpty());
    }

    void sectionKeysInFileOrder()
    {
        QCOMPARE(ini::sectionKeys(m_path, "filteritemlist"), (QStringList{"部门", "姓名", "文化程度"}));
        QVERIFY(ini::sectionKeys(m_path, "export").isEmpty());
    }

    void writeReplacesOnlyItsLine()
    {
        ini::writeString(m_path, "USER", "Style", "webstyle");
        QCOMPARE(ini::readString(m_path, "user", "style", ""), QString("webstyle"));
        const QStringList lines = textfile::readLines(m_path);
        QCOMPARE(lines.size(), 13);
        QCOMPARE(lines.first(), QString("; comment"));
        QCOMPARE(lines.at(2), QString("appTitle = 人事档案"));
        QCOMPARE(lines.last(), QString("style=webstyle"));
    }

    void writeAddsKeysAndSections()
    {
        ini::writeString(m_path, "System", "Version", "5.0");
        ini::writeString(m_path, "background", "image", "/tmp/新背景.jpg");
        QCOMPARE(ini::readString(m_path, "System", "Version", ""), QString("5.0"));
        QCOMPARE(ini::readString(m_path, "background", "image", ""), QString("/tmp/新背景.jpg"));
        QCOMPARE(ini::sectionKeys(m_path, "System"), (QStringList{"appTitle", "OEM", "Empty", "Version"}));

        const QString fresh = m_dir.filePath("fresh.ini");
        ini::writeString(fresh, "itemscount", "count", "2");
        QCOMPARE(ini::readString(fresh, "Itemscount", "COUNT", "0"), QString("2"));
    }

    void nothingIsCached()
    {
        QCOMPARE(ini::readString(m_path, "user", "style", ""), QString("bmpstyle"));
        textfile::writeLines(m_path, {"[user]", "style=changed"});
        QCOMPARE(ini::readString(m_path, "user", "style", ""), QString("changed"));
    }

    void failedWriteRaises() { QVERIFY_THROWS_EXCEPTION(FileError, ini::writeString(m_dir.path(), "a", "b", "c")); }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "test_inifile.moc"
