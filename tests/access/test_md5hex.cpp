#include "access/md5hex.h"

#include <QCryptographicHash>
#include <QTest>

class TestMd5Hex : public QObject
{
    Q_OBJECT

private slots:
    void digests_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("digest");
        // The test suite of RFC 1321, appendix A.5, in upper case.
        QTest::newRow("empty") << ""
                               << "D41D8CD98F00B204E9800998ECF8427E";
        QTest::newRow("a") << "a"
                           << "0CC175B9C0F1B6A831C399E269772661";
        QTest::newRow("abc") << "abc"
                             << "900150983CD24FB0D6963F7D28E17F72";
        QTest::newRow("message digest") << "message digest"
                                        << "F96B697D7CB7938D525A2F31AAF161D0";
        QTest::newRow("alphabet") << "abcdefghijklmnopqrstuvwxyz"
                                  << "C3FCD3D76192E4007DFB496CCA67E13B";
        QTest::newRow("alphanumeric") << "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"
                                      << "D174AB98D277D9F5A5611C2C9F419D9F";
        QTest::newRow("digits") << "12345678901234567890123456789012345678901234567890123456789012345678901234567890"
                                << "57EDF4A22BE3C955AC49DA2E2107B67A";
        // Digests of the GBK bytes (你好 is C4 E3 BA C3), worked out independently of this code.
        QTest::newRow("chinese") << "你好"
                                 << "B94AE3C6D892B29CF48D9BEA819B27B9";
        QTest::newRow("chinese and digits") << "管理员123"
                                            << "82319127B7564366893F75D2BE6902AC";
    }

    void digests()
    {
        QFETCH(QString, text);
        QFETCH(QString, digest);
        QCOMPARE(MD5Hex(text), digest);
    }

    void chineseTextIsNotDigestedAsUtf8()
    {
        const QString utf8Digest = QString::fromLatin1(
            QCryptographicHash::hash(QStringLiteral("你好").toUtf8(), QCryptographicHash::Md5).toHex().toUpper());
        QVERIFY(MD5Hex(QStringLiteral("你好")) != utf8Digest);
    }

    void passwordDigestAppendsTheSalt()
    {
        QCOMPARE(access::passwordDigest(QString()), MD5Hex(QStringLiteral("vrelk")));
        QCOMPARE(access::passwordDigest(QStringLiteral("abc")), MD5Hex(QStringLiteral("abcvrelk")));
        QVERIFY(access::passwordDigest(QStringLiteral("abc")) != MD5Hex(QStringLiteral("abc")));
    }
};

QTEST_GUILESS_MAIN(TestMd5Hex)
#include "test_md5hex.moc"
