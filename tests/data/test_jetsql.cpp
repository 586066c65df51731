#include "data/engine/database.h"
#include "data/engine/jetsql.h"
#include "support/testdb.h"

#include <QDate>
#include <QtTest>

/// The Jet-to-SQLite translator, judged by the rows the translated statements return from a small
/// personnel fixture: literals, & and +, date arithmetic, TOP with ties, the Jet functions, and the
/// statements the translator must refuse.
class TestJetSql : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void rows_data();
    void rows();
    void changesRows();
    void selectParts();
    void refuses_data();
    void refuses();
    void failsWithTheEngineText_data();
    void failsWithTheEngineText();

private:
    std::unique_ptr<engine::Database> m_db;
};

namespace {

QString fixture()
{
    // Ages 20..50 with a tie at 30 and at 40; birth dates around the 2000-01-31 boundary; one person
    // born this month; 张𠀾 carries a character outside the Basic Multilingual Plane.
    return QStringLiteral(
        "INSERT INTO person(ID, name, dept, birth, age, status, duty) VALUES"
        " ('A1', '张三', '办公室', '1999-12-20', 30, 1, '主任'),"
        " ('A2', '李四', NULL, '2000-02-01', 40, 1, NULL),"
        " ('A3', '张𠀾', '销售', '1980-05-05', 40, 2, NULL),"
        " ('A4', 'name', 'x', NULL, 20, 1, NULL),"
        " ('A5', '王五', '销售', '1990-03-03', 25, 1, NULL),"
        " ('A6', '张飞', '销售', '2000-01-30', 30, 1, NULL),"
        " ('A7', '张良', '财务', '2000-01-31', 35, 1, NULL),"
        " ('A8', '赵六', '财务', date('now', 'localtime', 'start of month', '+14 days', '-30 years'), 50, 1, '会计');"
        "INSERT INTO contracts(person_id, contract_no, end_date) VALUES"
        " ('A1', 'C1', date('now', 'localtime', '+10 days')),"
        " ('A1', 'C0', date('now', 'localtime', '-1 days')),"
        " ('A2', 'C2', date('now', 'localtime', '+40 days')),"
        " ('A3', 'C3', date('now', 'localtime', '+29 days')),"
        " ('A5', 'C5', date('now', 'localtime', '+30 days'));"
        "INSERT INTO password(user, passwd, isadmin, key) VALUES ('admin', 'x', -1, 'k1'), ('guest', 'y', 0, 'k2');");
}

QString cell(const QVariant& v)
{
    if (!v.isValid() || v.isNull()) {
        return QStringLiteral("<null>");
    }
    return v.toString();
}

QStringList texts(const QList<QVariantList>& rows)
{
    QStringList result;
    for (const QVariantList& row : rows) {
        QStringList cells;
        for (const QVariant& v : row) {
            cells << cell(v);
        }
        result << cells.join(u'|');
    }
    return result;
}

QString inDays(int days)
{
    return QDate::currentDate().addDays(days).toString(QStringLiteral("yyyy-MM-dd"));
}

/// The fixture's people on the job born in the current month, by day: 赵六 always, others by the calendar.
QStringList birthdaysThisMonth()
{
    struct Born
    {
        const char* row;
        int month;
        int day;
    };
    const int month = QDate::currentDate().month();
    QList<Born> born = {{"张三|12月20日|办公室|主任", 12, 20},
                        {"李四|2月1日||", 2, 1},
                        {"王五|3月3日|销售|", 3, 3},
                        {"张飞|1月30日|销售|", 1, 30},
                        {"张良|1月31日|财务|", 1, 31}};
    QStringList result;
    bool zhaoDone = false;
    for (const Born& b : born) {
        if (b.month != month) {
            continue;
        }
        if (!zhaoDone && b.day > 15) {
            result << QStringLiteral("赵六|%1月15日|财务|会计").arg(month);
            zhaoDone = true;
        }
        result << QString::fromUtf8(b.row).replace(QLatin1String("||"), QLatin1String("|<null>|"));
    }
    if (!zhaoDone) {
        result << QStringLiteral("赵六|%1月15日|财务|会计").arg(month);
    }
    for (QString& r : result) {
        if (r.endsWith(u'|')) {
            r += QStringLiteral("<null>");
        }
    }
    return result;
}

} // namespace

void TestJetSql::init()
{
    m_db = testdb::memory(fixture());
}

void TestJetSql::rows_data()
{
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QStringList>("expected");

    // literals
    QTest::newRow("& chain, LIKE and a date literal plus days")
        << QStringLiteral(
               "SELECT name & \"-\" & dept AS x FROM person WHERE name LIKE \"张*\" AND birth < #2000-01-01# + 30"
               " ORDER BY ID")
        << QStringList{"张三-办公室", "张𠀾-销售", "张飞-销售"};
    QTest::newRow("double-quoted text is a value, not the column")
        << QStringLiteral("SELECT ID FROM person WHERE name = \"name\"") << QStringList{"A4"};
    QTest::newRow("\"\" and '' inside strings")
        << QStringLiteral("SELECT \"say \"\"hi\"\"\" AS a, 'it''s' AS b, \"it's\" AS c FROM person WHERE ID = \"A1\"")
        << QStringList{"say \"hi\"|it's|it's"};
    QTest::newRow("bracketed names and case-insensitive keywords")
        << QStringLiteral("sElEcT [name] fRoM [person] wHeRe [ID] = 'a1'") << QStringList{"张三"};
    QTest::newRow("Chinese alias in a subquery")
        << QStringLiteral("SELECT 姓名 FROM (SELECT name AS 姓名 FROM person WHERE ID = \"A6\") AS 人员")
        << QStringList{"张飞"};
    QTest::newRow("True and False") << QStringLiteral(
                                           "SELECT user, isadmin = True, isadmin = False FROM password ORDER BY user")
                                    << QStringList{"admin|-1|0", "guest|0|-1"};
    QTest::newRow("US date literal") << QStringLiteral("SELECT ID FROM person WHERE birth = #2/1/2000#")
                                     << QStringList{"A2"};
    QTest::newRow("year-first date literals")
        << QStringLiteral("SELECT ID FROM person WHERE birth = #2000/01/30# OR birth = #2000-1-31# ORDER BY ID")
        << QStringList{"A6", "A7"};
    QTest::newRow("impossible month read day first")
        << QStringLiteral("SELECT ID FROM person WHERE birth = #30/01/2000#") << QStringList{"A6"};
    QTest::newRow("date literals with times")
        << QStringLiteral("SELECT #2004-02-01 10:30#, #2/1/2003 3:05 PM#, #2004-02-01 00:00:00#")
        << QStringList{"2004-02-01 10:30:00|2003-02-01 15:05:00|2004-02-01"};
    QTest::newRow("texts compare without case, also function results")
        << QStringLiteral(
               "SELECT ID FROM person WHERE Left(name, 2) = \"NA\" AND \"x\" = \"X\" AND Left(dept, 1) IN (\"X\")")
        << QStringList{"A4"};
    QTest::newRow("date column against ISO text compares as text")
        << QStringLiteral("SELECT ID FROM person WHERE birth >= \"2000-01-31\" ORDER BY ID") << QStringList{"A2", "A7"};
    QTest::newRow("date column against a literal range")
        << QStringLiteral("SELECT ID FROM person WHERE birth BETWEEN #1/30/2000# AND #2000-01-31# ORDER BY ID")
        << QStringList{"A6", "A7"};

    // & and +
    QTest::newRow("& with Null") << QStringLiteral(
                                        "SELECT name & dept, dept & \"\", Null & Null FROM person WHERE ID = \"A2\"")
                                 << QStringList{"李四||<null>"};
    QTest::newRow("& binds looser than +") << QStringLiteral("SELECT \"a\" & 1 + 2, 1 + 2 & 3") << QStringList{"a3|33"};
    QTest::newRow("+ of two texts joins them, with Null")
        << QStringLiteral("SELECT name + \"!\", name + dept FROM person WHERE ID = \"A2\"")
        << QStringList{"李四!|<null>"};
    QTest::newRow("numbers and text in &")
        << QStringLiteral("SELECT Month(birth) & '月' & Day(birth) & '日', 7 / 2 & \"\" FROM person WHERE ID = \"A1\"")
        << QStringList{"12月20日|3.5"};

    // arithmetic
    QTest::newRow("/ is real division, \\ and Mod are whole")
        << QStringLiteral("SELECT 7 / 2, 7 \\ 2, 7 Mod 3, -7 Mod 3, 2 ^ 3, 8 / 2 * 3")
        << QStringList{"3.5|3|1|-1|8|12"};
    QTest::newRow("minus before a negative value is no SQL comment")
        << QStringLiteral("SELECT - -1, 2 - -age, 2^-1 FROM person WHERE ID = \"A1\"") << QStringList{"1|32|0.5"};
    QTest::newRow("a comparison as a value is -1 or 0")
        << QStringLiteral("SELECT Sum(age > 30), Count(*) FROM person") << QStringList{"-4|8"};

    // dates
    QTest::newRow("date() + 30") << QStringLiteral(
                                        "SELECT date() + 30, Date() - 1, 30 + DATE() FROM person WHERE ID = \"A1\"")
                                 << QStringList{inDays(30) + u'|' + inDays(-1) + u'|' + inDays(30)};
    QTest::newRow("end_date - date()") << QStringLiteral(
                                              "SELECT contract_no, end_date - date() FROM contracts ORDER BY end_date")
                                       << QStringList{"C0|-1", "C1|10", "C3|29", "C5|30", "C2|40"};
    QTest::newRow("date column plus and minus days")
        << QStringLiteral("SELECT birth + 2, birth - 20, #2000-03-01# - birth FROM person WHERE ID = \"A2\"")
        << QStringList{"2000-02-03|2000-01-12|29"};
    QTest::newRow("Null date plus days") << QStringLiteral("SELECT birth + 1 FROM person WHERE ID = \"A4\"")
                                         << QStringList{"<null>"};
    QTest::newRow("contracts ending within 30 days")
        << QStringLiteral("SELECT person.name as 姓名, contracts.end_date as 到期日 FROM person, contracts "
                          "WHERE person.id = contracts.person_id and contracts.end_date >= date() and "
                          "( contracts.end_date < date()+30 )  and person.status=1  ORDER BY contracts.end_date ")
        << QStringList{QStringLiteral("张三|") + inDays(10)};
    QTest::newRow("birthdays this month")
        << QStringLiteral(
               "SELECT person.name AS 姓名,month(person.birth) & '月' & day(person.birth) & '日'  AS 生日, "
               "person.dept AS 部门,person.duty AS 职务 FROM person "
               "WHERE Month([person.birth]) = Month(date()) and person.status=1  order by day(person.birth) ")
        << birthdaysThisMonth();
    QTest::newRow("Year, Month, Day, Weekday")
        << QStringLiteral("SELECT Year(birth), Month(birth), Day(birth), Weekday(birth) FROM person WHERE ID = \"A2\"")
        << QStringList{"2000|2|1|3"};
    QTest::newRow("DateAdd clamps to the month's end")
        << QStringLiteral("SELECT DateAdd(\"m\", 1, #2024-01-31#), DateAdd(\"yyyy\", -1, #2/29/2024#), "
                          "DateAdd(\"d\", 1, #2024-12-31#), DateAdd(\"h\", 2, #2024-01-01 23:00#)")
        << QStringList{"2024-02-29|2023-02-28|2025-01-01|2024-01-02 01:00:00"};
    QTest::newRow("DateDiff counts boundaries")
        << QStringLiteral("SELECT DateDiff(\"yyyy\", #2024-12-31#, #2025-01-01#), DateDiff(\"m\", #2024-01-31#, "
                          "#2024-02-01#), DateDiff(\"d\", #2024-02-01#, #2024-03-01#), DateDiff(\"ww\", #2024-06-01#, "
                          "#2024-06-02#), DateDiff(\"w\", #2024-06-01#, #2024-06-14#)")
        << QStringList{"1|1|29|1|1"};

    // text functions
    QTest::newRow("Left, Right, Mid, Len count characters")
        << QStringLiteral("SELECT Left(name, 1), Right(name, 1), Right(name, 0), Mid(name, 2), Len(name) FROM person "
                          "WHERE ID = \"A3\"")
        << QStringList{"张|𠀾||𠀾|2"};
    QTest::newRow("Left and Right in lower case, beside a join")
        << QStringLiteral("SELECT left(p.name, 1) & right(c.contract_no, 1) FROM person AS p INNER JOIN contracts AS c "
                          "ON p.ID = c.person_id WHERE c.contract_no = \"C2\"")
        << QStringList{"李2"};
    QTest::newRow("UCase, LCase, Trim") << QStringLiteral(
                                               "SELECT UCase(\"äbc\"), LCase(\"ÄBC\"), \"[\" & Trim(\"  x  \") & \"]\"")
                                        << QStringList{"ÄBC|äbc|[x]"};
    QTest::newRow("InStr without case, with a start")
        << QStringLiteral("SELECT InStr(\"abcABC\", \"C\"), InStr(4, \"abcabc\", \"b\"), InStr(\"abc\", \"z\"), "
                          "InStr(1, \"abcABC\", \"C\", 0)")
        << QStringList{"3|5|0|6"};
    QTest::newRow("Val, Nz, IIf")
        << QStringLiteral("SELECT Val(\" 12.5abc\"), Val(\"x\"), Nz(dept, \"无\"), IIf(age > 30, \"老\", \"少\") "
                          "FROM person WHERE ID = \"A2\"")
        << QStringList{"12.5|0|无|老"};
    QTest::newRow("Format of dates and numbers")
        << QStringLiteral(
               "SELECT Format(birth, \"yyyy年m月d日\"), Format(1234.5, \"#,##0.00\"), Format(birth, \"yyyy\") "
               "FROM person WHERE ID = \"A1\"")
        << QStringList{"1999年12月20日|1,234.50|1999"};

    QTest::newRow("DateValue drops the time, TimeValue keeps it alone")
        << QStringLiteral("SELECT DateValue(#2024-02-01 10:30#), DateValue(\"2024-3-5 08:00:00\"), DateValue(birth), "
                          "TimeValue(#2024-02-01 10:30#) FROM person WHERE ID = \"A1\"")
        << QStringList{"2024-02-01|2024-03-05|1999-12-20|10:30:00"};
    QTest::newRow("String repeats a character given as text or code")
        << QStringLiteral("SELECT String(3, \"ab\"), String(2, 65), \"[\" & String(0, \"x\") & \"]\", String(2, Null), "
                          "String(2, \"𠀾\")")
        << QStringList{"aaa|AA|[]|<null>|𠀾𠀾"};
    QTest::newRow("type conversions round halves to even and read texts")
        << QStringLiteral("SELECT CByte(254.5), CBool(5), CBool(0), CBool(\"True\"), CInt(2.5), CInt(-3.5), "
                          "CLng(\" 12 \"), CCur(1.23456), CVar(name), CSng(0.1), CDbl(\"2.5\"), CVDate(birth) "
                          "FROM person WHERE ID = \"A1\"")
        << QStringList{"254|-1|0|-1|2|-4|12|1.2346|张三|0.1|2.5|1999-12-20"};
    QTest::newRow("CBool as a condition")
        << QStringLiteral("SELECT ID FROM person WHERE CBool(age - 30) = False ORDER BY ID") << QStringList{"A1", "A6"};
    QTest::newRow("GUID literal") << QStringLiteral("SELECT {guid {0c5d9c1a-1234-4bcd-8ef0-0123456789ab}}, "
                                                    "{GUID{0C5D9C1A-1234-4BCD-8EF0-0123456789AB}} = \"{0C5D9C1A-1234-"
                                                    "4BCD-8EF0-0123456789AB}\"")
                                  << QStringList{"{0C5D9C1A-1234-4BCD-8EF0-0123456789AB}|-1"};
    QTest::newRow("\\ and Mod at the edge of the integer range")
        << QStringLiteral("SELECT -9223372036854775808 Mod -1, 9223372036854775807 \\ -1, -7 \\ 2")
        << QStringList{"0|-9223372036854775807|-3"};
    QTest::newRow("fifty nested parentheses still translate")
        << QString(QStringLiteral("SELECT ") + QString(50, u'(') + u'1' + QString(50, u')')) << QStringList{"1"};

    // TOP
    QTest::newRow("TOP keeps the ties at the boundary")
        << QStringLiteral("SELECT TOP 3 age FROM person ORDER BY age") << QStringList{"20", "25", "30", "30"};
    QTest::newRow("TOP 1 with a tie, descending")
        << QStringLiteral("SELECT TOP 1 name FROM person WHERE age >= 40 AND age < 50 ORDER BY age DESC, dept")
        << QStringList{"李四"};
    QTest::newRow("TOP without ORDER BY")
        << QStringLiteral("SELECT count(*) FROM (SELECT TOP 2 ID FROM person)") << QStringList{"2"};
    QTest::newRow("TOP PERCENT") << QStringLiteral("SELECT TOP 25 PERCENT age FROM person ORDER BY age DESC")
                                 << QStringList{"50", "40", "40"};
    QTest::newRow("TOP in a grouped query")
        << QStringLiteral("SELECT TOP 1 dept, Count(*) AS n FROM person WHERE dept <> \"x\" GROUP BY dept "
                          "ORDER BY Count(*) DESC")
        << QStringList{"销售|3"};
    QTest::newRow("DISTINCTROW on one table")
        << QStringLiteral("SELECT DISTINCTROW dept FROM person WHERE ID = \"A1\"") << QStringList{"办公室"};
}

void TestJetSql::rows()
{
    QFETCH(QString, jet);
    QFETCH(QStringList, expected);
    QStringList actual;
    try {
        actual = texts(m_db->selectRows(jet));
    } catch (const RosterError& e) {
        QFAIL(qPrintable(e.message() + QStringLiteral("\nSQLite text: ") + m_db->translate(jet)));
    }
    QCOMPARE(actual, expected);
}

void TestJetSql::changesRows()
{
    // UPDATE with a qualified column and date arithmetic, DELETE * FROM, INSERT with a date literal.
    QCOMPARE(
        m_db->execute(QStringLiteral("UPDATE person SET person.age = age + 1, birth = birth + 1 WHERE ID = \"A1\"")),
        1);
    QCOMPARE(texts(m_db->selectRows(QStringLiteral("SELECT age, birth FROM person WHERE ID = \"A1\""))),
             QStringList{"31|1999-12-21"});
    QCOMPARE(m_db->execute(QStringLiteral("INSERT INTO notepad (date, caption) VALUES (#12/24/2023#, \"圣诞\")")), 1);
    QCOMPARE(texts(m_db->selectRows(QStringLiteral("SELECT date, caption FROM notepad"))),
             QStringList{"2023-12-24|圣诞"});
    QCOMPARE(m_db->execute(QStringLiteral("DELETE * FROM contracts WHERE end_date < Date()")), 1);
    QCOMPARE(m_db->execute(QStringLiteral("DELETE contracts.* FROM contracts WHERE person_id = \"A1\";")), 1);
    QCOMPARE(m_db->selectValue(QStringLiteral("SELECT Count(*) FROM contracts")).toInt(), 3);
}

void TestJetSql::selectParts()
{
    // The dataset layer builds its keyset from these parts; text is all there is to observe.
    const jet::SchemaInfo& schema = m_db->schema();
    jet::Translation t = jet::translate(
        QStringLiteral("SELECT * FROM person WHERE name LIKE \"张*\" AND status = 1 ORDER BY ID DESC"), schema);
    QVERIFY(t.isSelect);
    QVERIFY(t.isSimpleSelect);
    QCOMPARE(t.table, QStringLiteral("person"));
    QCOMPARE(t.selectList, QStringLiteral("*"));
    QCOMPARE(m_db->selectRows(QStringLiteral("SELECT ID FROM person WHERE ") + t.where + QStringLiteral(" ORDER BY ") +
                              t.orderBy)
                 .size(),
             3);
    QCOMPARE(t.orderBy, QStringLiteral("ID DESC"));

    for (const QString& notSimple :
         {QStringLiteral("SELECT dept, count(*) FROM person GROUP BY dept"),
          QStringLiteral("SELECT DISTINCT dept FROM person"), QStringLiteral("SELECT TOP 2 * FROM person"),
          QStringLiteral("SELECT * FROM person, contracts"),
          QStringLiteral("SELECT * FROM person UNION SELECT * FROM person"),
          QStringLiteral("SELECT count(*) FROM person"), QStringLiteral("SELECT * FROM (SELECT * FROM person)")}) {
        t = jet::translate(notSimple, schema);
        QVERIFY2(t.isSelect && !t.isSimpleSelect, qPrintable(notSimple));
    }
    t = jet::translate(QStringLiteral("SELECT p.name FROM person p INNER JOIN contracts c ON p.ID = c.person_id"),
                       schema);
    QCOMPARE(t.tables, (QStringList{"person", "contracts"}));
    QVERIFY(!jet::translate(QStringLiteral("DELETE FROM person"), schema).isSelect);

    // A parameter in a TOP query appears twice in the SQLite text and must keep its value in both.
    QCOMPARE(texts(m_db->selectRows(QStringLiteral("SELECT TOP 1 age FROM person WHERE age > ? ORDER BY age"), {35})),
             (QStringList{"40", "40"}));

    // A filter is a bare condition in the table's scope.
    QCOMPARE(m_db->selectRows(QStringLiteral("SELECT ID FROM person WHERE ") +
                              jet::translateCondition(QStringLiteral("status=1 and birth < #2000-01-01# + 30"), schema,
                                                      QStringLiteral("person")))
                 .size(),
             4);
}

void TestJetSql::refuses_data()
{
    QTest::addColumn<QString>("jet");
    QTest::newRow("unterminated double quote") << QStringLiteral("SELECT * FROM person WHERE name = \"abc");
    QTest::newRow("unterminated single quote") << QStringLiteral("SELECT * FROM person WHERE name = 'abc");
    QTest::newRow("month 20 in year-first order") << QStringLiteral("SELECT * FROM person WHERE birth = #2004/20/12#");
    QTest::newRow("no such day either way") << QStringLiteral("SELECT * FROM person WHERE birth = #13/13/2020#");
    QTest::newRow("not a date") << QStringLiteral("SELECT * FROM person WHERE birth = #tomorrow#");
    QTest::newRow("unterminated date") << QStringLiteral("SELECT * FROM person WHERE birth = #2020-01-01");
    QTest::newRow("unterminated bracket") << QStringLiteral("SELECT [name FROM person");
    QTest::newRow("second statement") << QStringLiteral("SELECT * FROM person; DELETE FROM person");
    QTest::newRow("missing operand") << QStringLiteral("SELECT * FROM person WHERE age >");
    QTest::newRow("unbalanced parenthesis") << QStringLiteral("SELECT (age + 1 FROM person");
    QTest::newRow("a macro marker left in") << QStringLiteral("SELECT * FROM person %where");
    QTest::newRow("malformed GUID") << QStringLiteral("SELECT {guid {0c5d9c1a-1234}}");
    // Nesting that would exhaust the parser's stack is refused instead.
    QTest::newRow("2000 nested parentheses")
        << QString(QStringLiteral("SELECT ") + QString(2000, u'(') + u'1' + QString(2000, u')'));
    QTest::newRow("100000 NOTs") << QString(QStringLiteral("SELECT ") + QStringLiteral("NOT ").repeated(100000) + u'1');
    QTest::newRow("100000 minus signs") << QString(QStringLiteral("SELECT ") + QStringLiteral("- ").repeated(100000) +
                                                   u'1');
    QTest::newRow("5000 nested subqueries") << QString(QStringLiteral("SELECT * FROM (").repeated(5000) +
                                                       QStringLiteral("SELECT 1") + QStringLiteral(")").repeated(5000));
    QTest::newRow("5000 subqueries in conditions")
        << QString(QStringLiteral("SELECT ID FROM person WHERE EXISTS (").repeated(5000) + QStringLiteral("SELECT 1") +
                   QStringLiteral(")").repeated(5000));
}

void TestJetSql::refuses()
{
    QFETCH(QString, jet);
    bool thrown = false;
    try {
        jet::translate(jet, m_db->schema());
    } catch (const jet::SqlError& e) {
        thrown = !e.message().isEmpty();
    }
    QVERIFY(thrown);
}

void TestJetSql::failsWithTheEngineText_data()
{
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("text");
    QTest::newRow("smallest integer \\ -1") << QStringLiteral("SELECT -9223372036854775808 \\ -1") << "溢出：Overflow";
    QTest::newRow("1e300 \\ -1") << QStringLiteral("SELECT 1e300 \\ -1") << "溢出：Overflow";
    QTest::newRow("1e300 Mod -1") << QStringLiteral("SELECT 1e300 Mod -1") << "溢出：Overflow";
    QTest::newRow("Mod by a value beyond the range") << QStringLiteral("SELECT 5 Mod -1e300") << "溢出：Overflow";
    QTest::newRow("\\ by zero") << QStringLiteral("SELECT 1 \\ 0.4") << "除数为零：Division by zero";
    QTest::newRow("CByte above 255") << QStringLiteral("SELECT CByte(255.6)") << "溢出：Overflow";
    QTest::newRow("CInt above its range") << QStringLiteral("SELECT CInt(32767.5)") << "溢出：Overflow";
    QTest::newRow("CLng above its range") << QStringLiteral("SELECT CLng(2147483648)") << "溢出：Overflow";
    QTest::newRow("CInt of a word") << QStringLiteral("SELECT CInt(\"abc\")") << "类型不匹配：Type mismatch";
    QTest::newRow("DateValue of a word") << QStringLiteral("SELECT DateValue(\"abc\")") << "类型不匹配：Type mismatch";
    QTest::newRow("String with a negative count")
        << QStringLiteral("SELECT String(-1, \"x\")") << "无效的过程调用或参数：Invalid procedure call or argument";
    QTest::newRow("Space beyond the length limit")
        << QStringLiteral("SELECT Space(2000000000)") << "字符串或二进制数据太长：string or blob too big";
    QTest::newRow("Space(1e300)") << QStringLiteral("SELECT Space(1e300)")
                                  << "字符串或二进制数据太长：string or blob too big";
    QTest::newRow("String beyond the length limit")
        << QStringLiteral("SELECT String(600000000, \"张\")") << "字符串或二进制数据太长：string or blob too big";
    QTest::newRow("unclosed [ in a pattern") << QStringLiteral("SELECT ID FROM person WHERE name LIKE \"[a\"")
                                             << "无效的模式字符串：Invalid pattern string.";
    QTest::newRow("unknown column") << QStringLiteral("SELECT nosuch FROM person")
                                    << "SQL 语句中有未知的字段名：no such column: nosuch";
}

void TestJetSql::failsWithTheEngineText()
{
    QFETCH(QString, jet);
    QFETCH(QString, text);
    try {
        m_db->selectRows(jet);
        QFAIL("the statement ran");
    } catch (const engine::DbError& e) {
        QCOMPARE(e.message(), text);
    }
}

QTEST_GUILESS_MAIN(TestJetSql)
#include "test_jetsql.moc"
