#include "platform/errors.h"
#include "platform/textfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestTextFile : public QObject
{
    Q_OBJECT

private:
    QByteArray readBytes(const QString& path)
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    void writeRaw(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

private slots:
    void splitLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << "" << QStringList();
        QTest::newRow("crlf") << "a\r\nb\r\n" << QStringList{"a", "b"};
        QTest::newRow("lf") << "a\nb\n" << QStringList{"a", "b"};
        QTest::newRow("cr") << "a\rb\r" << QStringList{"a", "b"};
        QTest::newRow("mixed") << "a\r\nb\nc\rd" << QStringList{"a", "b", "c", "d"};
        QTest::newRow("last line without break") << "a\r\nb" << QStringList{"a", "b"};
        QTest::newRow("blank lines kept") << "a\r\n\r\n\r\nb\r\n" << QStringList{"a", "", "", "b"};
        QTest::newRow("only a break") << "\r\n" << QStringList{""};
        QTest::newRow("lf cr is two breaks") << "a\n\rb" << QStringList{"a", "", "b"};
        QTest::newRow("blanks kept") << "  a \r\n" << QStringList{"  a "};
    }
    void splitLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(textfile::splitLines(text), lines);
    }

    void gbkRoundTripWritesCrLfAfterEveryLine()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("list.txt");
        const QStringList lines{"汉族", "", "回族 ", "𠀀"}; // the last one is outside GBK's range
        textfile::writeLines(path, {"汉族", "回族"});
        QCOMPARE(readBytes(path), QByteArray("\xBA\xBA\xD7\xE5\r\n\xBB\xD8\xD7\xE5\r\n"));
        QCOMPARE(textfile::readLines(path), (QStringList{"汉族", "回族"}));

        textfile::writeLines(path, lines.mid(0, 3));
        QCOMPARE(textfile::readLines(path), lines.mid(0, 3));
    }

    void utf8ByteOrderMarkMeansUtf8()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("bom.txt");
        writeRaw(path, QByteArray("\xEF\xBB\xBF") + QString("销售部\r\n\t华东区").toUtf8());
        QCOMPARE(textfile::readLines(path), (QStringList{"销售部", "\t华东区"}));
    }

    void missingFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("none.txt");
        QVERIFY(!textfile::readLinesIfPresent(path).has_value());
        QVERIFY_THROWS_EXCEPTION(FileError, textfile::readLines(path));
    }

    void failedWriteKeepsTheOldFile()
    {
        QTemporaryDir dir;
        // A folder cannot be replaced by a file: the write fails and says so.
        QVERIFY_THROWS_EXCEPTION(FileError, textfile::writeLines(dir.path(), {"x"}));

        const QString path = dir.filePath("keep.txt");
        textfile::writeLines(path, {"old"});
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        bool threw = false;
        try {
            textfile::writeLines(path, {"new"});
        } catch (const FileError&) {
            threw = true;
        }
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (!threw) {
            QSKIP("running as a user who may write into a read-only folder");
        }
        QCOMPARE(textfile::readLines(path), QStringList{"old"});
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "test_textfile.moc"
