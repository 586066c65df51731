#include "data/engine/database.h"
#include "data/engine/jetlike.h"
#include "data/engine/jetsql.h"
#include "data/likeliteral.h"
#include "support/testdb.h"

#include <QtTest>

/// Jet's LIKE wild cards, on their own and as the connection's LIKE operator.
class TestJetLike : public QObject
{
    Q_OBJECT

private slots:
    void matches_data();
    void matches();
    void invalidPatterns_data();
    void invalidPatterns();
    void searchBoxLiterals_data();
    void searchBoxLiterals();
    void likeOperator();
};

void TestJetLike::matches_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");

    QTest::newRow("* any run") << "a*c"
                               << "abbbc" << true;
    QTest::newRow("* empty run") << "a*c"
                                 << "ac" << true;
    QTest::newRow("* must still end right") << "a*c"
                                            << "abd" << false;
    QTest::newRow("* backtracks") << "*a*b"
                                  << "aabab" << true;
    QTest::newRow("lone * matches empty") << "*"
                                          << "" << true;
    QTest::newRow("? one character") << "a?c"
                                     << "abc" << true;
    QTest::newRow("? not zero characters") << "a?c"
                                           << "ac" << false;
    QTest::newRow("# a digit") << "a#b"
                               << "a7b" << true;
    QTest::newRow("# not a letter") << "a#b"
                                    << "axb" << false;
    QTest::newRow("whole text must match") << "abc"
                                           << "abcd" << false;
    QTest::newRow("list") << "[abc]x"
                          << "bx" << true;
    QTest::newRow("range") << "[a-c]x"
                           << "dx" << false;
    QTest::newRow("negated range excludes") << "[!a-c]x"
                                            << "bx" << false;
    QTest::newRow("negated range admits") << "[!a-c]x"
                                          << "dx" << true;
    QTest::newRow("range without case") << "[a-c]"
                                        << "B" << true;
    QTest::newRow("[*] is a star") << "a[*]"
                                   << "a*" << true;
    QTest::newRow("[*] is not any run") << "a[*]"
                                        << "abc" << false;
    QTest::newRow("[?] and [#] literal") << "[?][#]"
                                         << "?#" << true;
    QTest::newRow("[#] is not a digit") << "[#]"
                                        << "1" << false;
    QTest::newRow("[] is the empty string") << "a[]b"
                                            << "ab" << true;
    QTest::newRow("] outside a list is literal") << "a]"
                                                 << "a]" << true;
    QTest::newRow("hyphen last is literal") << "[a-]"
                                            << "-" << true;
    QTest::newRow("hyphen first is literal") << "[-a]"
                                             << "-" << true;
    QTest::newRow("! not first is literal") << "[a!]"
                                            << "!" << true;
    QTest::newRow("% is literal") << "100%"
                                  << "100%" << true;
    QTest::newRow("% is not a wild card") << "100%"
                                          << "1000" << false;
    QTest::newRow("_ is not a wild card") << "a_b"
                                          << "axb" << false;
    QTest::newRow("case ignored") << "ABC*"
                                  << "abcdef" << true;
    QTest::newRow("case ignored beyond ASCII") << "Ä*"
                                               << "äx" << true;
    QTest::newRow("Chinese prefix") << "张*"
                                    << "张三" << true;
    QTest::newRow("Ext-B character is one ?") << "张?"
                                              << "张𠀾" << true;
    QTest::newRow("Ext-B character is not two ?") << "张??"
                                                  << "张𠀾" << false;
    QTest::newRow("Ext-B character in a list") << "张[𠀾a]"
                                               << "张𠀾" << true;
    QTest::newRow("empty pattern, empty text") << ""
                                               << "" << true;
    QTest::newRow("empty pattern, some text") << ""
                                              << "a" << false;
}

void TestJetLike::matches()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(bool, expected);
    QCOMPARE(jet::likeMatch(pattern, text), expected);
}

void TestJetLike::invalidPatterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::newRow("unclosed list") << "ab[cd";
    QTest::newRow("descending range") << "[z-a]";
    QTest::newRow("a lone bracket typed into a search box") << "[*";
}

void TestJetLike::invalidPatterns()
{
    QFETCH(QString, pattern);
    bool thrown = false;
    try {
        jet::likeMatch(pattern, QStringLiteral("abc"));
    } catch (const jet::SqlError&) {
        thrown = true;
    }
    QVERIFY(thrown);
    QVERIFY(!jet::isValidLikePattern(pattern));
    // A search box refuses it before any statement is run, saying so in Chinese.
    QString message;
    try {
        likeLiteral(pattern);
    } catch (const RosterError& e) {
        message = e.message();
    }
    QVERIFY2(message.contains(pattern) && message.contains(QStringLiteral("不是有效的查询内容")), qPrintable(message));
}

void TestJetLike::searchBoxLiterals_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("literal");
    QTest::addColumn<QStringList>("ids");
    QTest::newRow("prefix") << "张*"
                            << "\"张*\"" << QStringList{"A1", "A3"};
    QTest::newRow("a list of first letters") << "[张李]*"
                                             << "\"[张李]*\"" << QStringList{"A1", "A2", "A3"};
    QTest::newRow("one character") << "?四"
                                   << "\"?四\"" << QStringList{"A2"};
    QTest::newRow("a digit") << "a#c*"
                             << "\"a#c*\"" << QStringList{"B2"};
    QTest::newRow("double quote doubled") << "赵\"*"
                                          << "\"赵\"\"*\"" << QStringList{"A4"};
    QTest::newRow("percent and underscore are plain") << "%_*"
                                                      << "\"%_*\"" << QStringList{};
    QTest::newRow("empty list stands for nothing") << "[]李*"
                                                   << "\"[]李*\"" << QStringList{"A2"};
}

void TestJetLike::searchBoxLiterals()
{
    QFETCH(QString, typed);
    QFETCH(QString, literal);
    QFETCH(QStringList, ids);
    QCOMPARE(likeLiteral(typed), literal);
    auto db = testdb::memory(QStringLiteral("INSERT INTO person(ID, name) VALUES ('A1', '张三'), ('A2', '李四'),"
                                            " ('A3', '张𠀾'), ('A4', '赵\"丽'), ('B1', 'abc'), ('B2', 'a1c');"));
    QStringList found;
    for (const QVariantList& row : db->selectRows(QStringLiteral("SELECT ID FROM person WHERE name LIKE ") + literal +
                                                  QStringLiteral(" ORDER BY ID"))) {
        found << row.first().toString();
    }
    QCOMPARE(found, ids);
}

void TestJetLike::likeOperator()
{
    auto db =
        testdb::memory(QStringLiteral("INSERT INTO person(ID, name, dept) VALUES ('A1', '张三', 'Sales'),"
                                      " ('A2', '李四', NULL), ('A3', '张𠀾', '100%'), ('B1', 'abc', 'sales_x');"));
    auto ids = [&](const QString& where) {
        QStringList result;
        for (const QVariantList& row :
             db->selectRows(QStringLiteral("SELECT ID FROM person WHERE ") + where + QStringLiteral(" ORDER BY ID"))) {
            result << row.first().toString();
        }
        return result;
    };
    QCOMPARE(ids(QStringLiteral("name LIKE \"张*\"")), (QStringList{"A1", "A3"}));
    QCOMPARE(ids(QStringLiteral("name NOT LIKE \"张*\"")), (QStringList{"A2", "B1"}));
    QCOMPARE(ids(QStringLiteral("dept LIKE \"SALES*\"")), (QStringList{"A1", "B1"}));
    QCOMPARE(ids(QStringLiteral("dept LIKE \"*[%]\"")), QStringList{"A3"});
    QCOMPARE(ids(QStringLiteral("dept LIKE \"sales_*\"")), QStringList{"B1"});
    QCOMPARE(ids(QStringLiteral("ID LIKE \"[!a]#\"")), QStringList{"B1"});
    // Null is neither like nor unlike anything.
    QCOMPARE(ids(QStringLiteral("dept LIKE \"*\" OR dept NOT LIKE \"*\"")), (QStringList{"A1", "A3", "B1"}));
    // The search window's blank search: a blank between two stars.
    QCOMPARE(ids(QStringLiteral(" name LIKE  \"* *\"")), QStringList{});
    bool failed = false;
    try {
        ids(QStringLiteral("name LIKE \"张[\""));
    } catch (const RosterError& e) {
        failed = e.message().contains(QLatin1String("Invalid pattern"));
    }
    QVERIFY(failed);
}

QTEST_GUILESS_MAIN(TestJetLike)
#include "test_jetlike.moc"
