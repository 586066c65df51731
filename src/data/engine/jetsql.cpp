#include "data/engine/jetsql.h"

#include <QDate>
#include <QRegularExpression>
#include <QSet>
#include <QTime>

#include <vector>

namespace jet {

// ---------------------------------------------------------------------------------------------
// Schema

void SchemaInfo::addColumn(const QString& table, const QString& column, ColumnKind kind)
{
    Table& t = m_tables[table.toCaseFolded()];
    const QString key = column.toCaseFolded();
    if (!t.kinds.contains(key)) {
        t.columns.append(column);
    }
    t.kinds.insert(key, kind);
}

std::optional<ColumnKind> SchemaInfo::columnKind(const QString& table, const QString& column) const
{
    const auto t = m_tables.constFind(table.toCaseFolded());
    if (t == m_tables.constEnd()) {
        return std::nullopt;
    }
    const auto k = t->kinds.constFind(column.toCaseFolded());
    if (k == t->kinds.constEnd()) {
        return std::nullopt;
    }
    return *k;
}

std::optional<ColumnKind> SchemaInfo::columnKind(const QString& column) const
{
    const QString key = column.toCaseFolded();
    std::optional<ColumnKind> found;
    for (const Table& t : m_tables) {
        const auto k = t.kinds.constFind(key);
        if (k == t.kinds.constEnd()) {
            continue;
        }
        if (found && *found != *k) {
            return std::nullopt;
        }
        found = *k;
    }
    return found;
}

bool SchemaInfo::hasTable(const QString& table) const
{
    return m_tables.contains(table.toCaseFolded());
}

QStringList SchemaInfo::columns(const QString& table) const
{
    return m_tables.value(table.toCaseFolded()).columns;
}

ColumnKind SchemaInfo::kindFromDeclaredType(const QString& declType)
{
    QString t = declType.trimmed().toUpper();
    const int paren = t.indexOf(u'(');
    if (paren >= 0) {
        t = t.left(paren).trimmed();
    }
    if (t == u"DATE") {
        return ColumnKind::Date;
    }
    if (t == u"DATETIME" || t == u"TIMESTAMP" || t == u"TIME") {
        return ColumnKind::DateTime;
    }
    if (t == u"BOOLEAN" || t == u"BOOL" || t == u"BIT" || t == u"YESNO" || t == u"LOGICAL") {
        return ColumnKind::Boolean;
    }
    if (t.contains(u"INT")) {
        return ColumnKind::Integer;
    }
    if (t.contains(u"CHAR") || t.contains(u"CLOB") || t.contains(u"TEXT") || t == u"MEMO") {
        return ColumnKind::Text;
    }
    if (t.isEmpty() || t.contains(u"BLOB") || t == u"IMAGE" || t == u"LONGBINARY" || t == u"BINARY") {
        return ColumnKind::Blob;
    }
    return ColumnKind::Real;
}

// ---------------------------------------------------------------------------------------------
// #date# literals

namespace {

int fullYear(int year, int digits)
{
    // Jet's two-digit window: 00-29 are this century, 30-99 the last.
    if (digits <= 2) {
        return year < 30 ? 2000 + year : 1900 + year;
    }
    return year;
}

int monthFromName(const QString& name)
{
    static const QStringList names = {QStringLiteral("jan"), QStringLiteral("feb"), QStringLiteral("mar"),
                                      QStringLiteral("apr"), QStringLiteral("may"), QStringLiteral("jun"),
                                      QStringLiteral("jul"), QStringLiteral("aug"), QStringLiteral("sep"),
                                      QStringLiteral("oct"), QStringLiteral("nov"), QStringLiteral("dec")};
    const QString n = name.toLower();
    for (int i = 0; i < names.size(); ++i) {
        if (n.startsWith(names[i]) && QStringLiteral("january february march april may june july august "
                                                     "september october november december sept")
                                          .contains(n)) {
            return i + 1;
        }
    }
    return 0;
}

/// Reads "hh:nn[:ss] [AM/PM]" or "hh AM"; an empty text is midnight.
bool parseTime(const QString& text, QTime* time)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        *time = QTime(0, 0);
        return true;
    }
    static const QRegularExpression re(QStringLiteral(R"(^(\d{1,2})(?::(\d{1,2})(?::(\d{1,2}))?)?\s*([AaPp][Mm]?)?$)"));
    const auto m = re.match(t);
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(4).isEmpty())) {
        return false;
    }
    int h = m.captured(1).toInt();
    const int n = m.captured(2).isEmpty() ? 0 : m.captured(2).toInt();
    const int s = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    const QString ampm = m.captured(4).toUpper();
    if (!ampm.isEmpty()) {
        if (h < 1 || h > 12) {
            return false;
        }
        if (ampm.startsWith(u'P') && h != 12) {
            h += 12;
        } else if (ampm.startsWith(u'A') && h == 12) {
            h = 0;
        }
    }
    *time = QTime(h, n, s);
    return time->isValid();
}

QString isoText(const QDate& date, const QTime& time)
{
    if (time == QTime(0, 0)) {
        return date.toString(QStringLiteral("yyyy-MM-dd"));
    }
    return date.toString(QStringLiteral("yyyy-MM-dd")) + u' ' + time.toString(QStringLiteral("HH:mm:ss"));
}

} // namespace

QString parseDateLiteral(const QString& inside, bool* dayFirst)
{
    if (dayFirst) {
        *dayFirst = false;
    }
    const QString text = inside.trimmed();
    QTime time;
    // ISO order: year first, never swapped.
    static const QRegularExpression iso(QStringLiteral(R"(^(\d{4})[-/](\d{1,2})[-/](\d{1,2})(?:(?:\s+|T)(.*))?$)"));
    // US order m/d/y, as Jet reads it whatever the locale.
    static const QRegularExpression us(
        QStringLiteral(R"(^(\d{1,2})[-/](\d{1,2})(?:[-/](\d{4}|\d{1,2}))?(?:\s+(.*))?$)"));
    static const QRegularExpression dayMonthName(
        QStringLiteral(R"(^(\d{1,2})[-/ ]([A-Za-z]{3,9})[-/ ,]+(\d{4}|\d{1,2})(?:\s+(.*))?$)"));
    static const QRegularExpression monthNameDay(
        QStringLiteral(R"(^([A-Za-z]{3,9})[-/ ](\d{1,2}),?[-/ ]+(\d{4}|\d{1,2})(?:\s+(.*))?$)"));

    if (const auto m = iso.match(text); m.hasMatch()) {
        const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        if (!d.isValid() || !parseTime(m.captured(4), &time)) {
            return {};
        }
        return isoText(d, time);
    }
    if (const auto m = us.match(text); m.hasMatch()) {
        const int a = m.captured(1).toInt();
        const int b = m.captured(2).toInt();
        const int year = m.captured(3).isEmpty() ? QDate::currentDate().year()
                                                 : fullYear(m.captured(3).toInt(), int(m.captured(3).size()));
        if (!parseTime(m.captured(4), &time)) {
            return {};
        }
        QDate d(year, a, b);
        if (!d.isValid()) {
            // Jet swaps an impossible month/day order (#30/09/2008# is 30 September).
            d = QDate(year, b, a);
            if (!d.isValid()) {
                return {};
            }
            if (dayFirst) {
                *dayFirst = true;
            }
        }
        return isoText(d, time);
    }
    if (const auto m = dayMonthName.match(text); m.hasMatch()) {
        const QDate d(fullYear(m.captured(3).toInt(), int(m.captured(3).size())), monthFromName(m.captured(2)),
                      m.captured(1).toInt());
        if (!d.isValid() || !parseTime(m.captured(4), &time)) {
            return {};
        }
        return isoText(d, time);
    }
    if (const auto m = monthNameDay.match(text); m.hasMatch()) {
        const QDate d(fullYear(m.captured(3).toInt(), int(m.captured(3).size())), monthFromName(m.captured(1)),
                      m.captured(2).toInt());
        if (!d.isValid() || !parseTime(m.captured(4), &time)) {
            return {};
        }
        return isoText(d, time);
    }
    // A time alone belongs to Jet's day zero.
    if (!text.isEmpty() && parseTime(text, &time)) {
        return isoText(QDate(1899, 12, 30), time);
    }
    return {};
}

// ---------------------------------------------------------------------------------------------
// Tokens

namespace {

struct Token
{
    enum Type
    {
        Word,
        Bracket,
        String,
        Number,
        Date,
        Op,
        Param,
        End
    };
    Type type = End;
    QString text;  // Word/Number/Op/Param as written; Bracket: the name inside; String: the value; Date: ISO text
    QString upper; // Word: upper case, a trailing "$" removed
    int pos = 0;
};

bool isWordStart(QChar c)
{
    return c.isLetter() || c == u'_' || (c.unicode() >= 0x80 && !c.isSpace() && !c.isPunct());
}

bool isWordChar(QChar c)
{
    return isWordStart(c) || c.isDigit() || c.isMark();
}

QString excerpt(const QString& sql, int pos)
{
    return sql.mid(pos, 40).trimmed();
}

std::vector<Token> tokenize(const QString& sql, QStringList* warnings)
{
    std::vector<Token> tokens;
    const int n = int(sql.size());
    int i = 0;
    int questionMarks = 0;
    auto push = [&](Token::Type type, const QString& text, int pos) {
        Token t;
        t.type = type;
        t.text = text;
        t.pos = pos;
        if (type == Token::Word) {
            t.upper = text.toUpper();
            if (t.upper.endsWith(u'$')) {
                t.upper.chop(1);
            }
        }
        tokens.push_back(t);
    };
    while (i < n) {
        const QChar c = sql[i];
        const int start = i;
        if (c.isSpace()) {
            ++i;
            continue;
        }
        if (c == u'"' || c == u'\'') {
            QString value;
            ++i;
            bool closed = false;
            while (i < n) {
                if (sql[i] == c) {
                    if (i + 1 < n && sql[i + 1] == c) {
                        value += c;
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                value += sql[i++];
            }
            if (!closed) {
                throw SqlError(QStringLiteral("查询表达式 '%1' 中的字符串语法错误。").arg(excerpt(sql, start)));
            }
            push(Token::String, value, start);
            continue;
        }
        if (c == u'[' || c == u'`') {
            const QChar close = c == u'[' ? QChar(u']') : QChar(u'`');
            const int end = int(sql.indexOf(close, i + 1));
            if (end < 0) {
                throw SqlError(QStringLiteral("名称 '%1' 的方括号不正确。").arg(excerpt(sql, start)));
            }
            push(Token::Bracket, sql.mid(i + 1, end - i - 1), start);
            i = end + 1;
            continue;
        }
        if (c == u'{') {
            // A GUID literal, {guid {xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}}, becomes the GUID's text.
            static const QRegularExpression guid(
                QStringLiteral(
                    R"(\{\s*guid\s*\{([0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12})\}\s*\})"),
                QRegularExpression::CaseInsensitiveOption);
            const auto m =
                guid.match(sql, i, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
            if (!m.hasMatch()) {
                throw SqlError(QStringLiteral("查询表达式 '%1' 中的 GUID 格式不正确。").arg(excerpt(sql, start)));
            }
            push(Token::String, u'{' + m.captured(1).toUpper() + u'}', start);
            i += int(m.capturedLength(0));
            continue;
        }
        if (c == u'#') {
            const int end = int(sql.indexOf(u'#', i + 1));
            const QString inside = end < 0 ? QString() : sql.mid(i + 1, end - i - 1);
            bool swapped = false;
            const QString iso = end < 0 ? QString() : parseDateLiteral(inside, &swapped);
            if (iso.isEmpty()) {
                throw SqlError(QStringLiteral("查询表达式 '%1' 中的日期语法错误。")
                                   .arg(end < 0 ? excerpt(sql, start) : sql.mid(start, end - start + 1)));
            }
            if (swapped) {
                warnings->append(QStringLiteral("#%1# was read day first as %2").arg(inside, iso));
            }
            push(Token::Date, iso, start);
            i = end + 1;
            continue;
        }
        const bool afterName =
            !tokens.empty() && (tokens.back().type == Token::Word || tokens.back().type == Token::Bracket ||
                                (tokens.back().type == Token::Op && tokens.back().text == u")"));
        if (c.isDigit() || (c == u'.' && i + 1 < n && sql[i + 1].isDigit() && !afterName)) {
            while (i < n && sql[i].isDigit()) {
                ++i;
            }
            if (i < n && sql[i] == u'.') {
                ++i;
                while (i < n && sql[i].isDigit()) {
                    ++i;
                }
            }
            if (i < n && (sql[i] == u'e' || sql[i] == u'E')) {
                int j = i + 1;
                if (j < n && (sql[j] == u'+' || sql[j] == u'-')) {
                    ++j;
                }
                if (j < n && sql[j].isDigit()) {
                    i = j;
                    while (i < n && sql[i].isDigit()) {
                        ++i;
                    }
                }
            }
            if (i < n && isWordStart(sql[i])) {
                throw SqlError(QStringLiteral("查询表达式 '%1' 中的语法错误。").arg(excerpt(sql, start)));
            }
            push(Token::Number, sql.mid(start, i - start), start);
            continue;
        }
        if (isWordStart(c)) {
            while (i < n && isWordChar(sql[i])) {
                ++i;
            }
            if (i < n && sql[i] == u'$') {
                ++i;
            }
            push(Token::Word, sql.mid(start, i - start), start);
            continue;
        }
        if (c == u'?') {
            ++i;
            while (i < n && sql[i].isDigit()) {
                ++i;
            }
            // Bare "?" are numbered, so that a parameter copied into a subquery keeps its value.
            QString text = sql.mid(start, i - start);
            if (text.size() == 1) {
                text += QString::number(++questionMarks);
            }
            push(Token::Param, text, start);
            continue;
        }
        if ((c == u':' || c == u'@' || c == u'$') && i + 1 < n && isWordStart(sql[i + 1])) {
            ++i;
            while (i < n && isWordChar(sql[i])) {
                ++i;
            }
            push(Token::Param, sql.mid(start, i - start), start);
            continue;
        }
        const QString two = sql.mid(i, 2);
        if (two == u"<=" || two == u">=" || two == u"<>" || two == u"!=") {
            push(Token::Op, two == u"!=" ? QStringLiteral("<>") : two, start);
            i += 2;
            continue;
        }
        static const QString singles = QStringLiteral("(),.;+-*/\\&=<>^");
        if (singles.contains(c)) {
            push(Token::Op, QString(c), start);
            ++i;
            continue;
        }
        throw SqlError(QStringLiteral("查询表达式 '%1' 中的语法错误。").arg(excerpt(sql, start)));
    }
    Token end;
    end.type = Token::End;
    end.pos = n;
    tokens.push_back(end);
    return tokens;
}

QString quoteString(const QString& value)
{
    QString v = value;
    v.replace(u'\'', QStringLiteral("''"));
    return u'\'' + v + u'\'';
}

QString bracketName(const QString& name)
{
    return u'[' + name + u']';
}

// ---------------------------------------------------------------------------------------------
// Parser

const QSet<QString>& reservedWords()
{
    static const QSet<QString> words = {
        QStringLiteral("SELECT"), QStringLiteral("FROM"),     QStringLiteral("WHERE"),       QStringLiteral("GROUP"),
        QStringLiteral("BY"),     QStringLiteral("HAVING"),   QStringLiteral("ORDER"),       QStringLiteral("UNION"),
        QStringLiteral("ALL"),    QStringLiteral("DISTINCT"), QStringLiteral("DISTINCTROW"), QStringLiteral("TOP"),
        QStringLiteral("AS"),     QStringLiteral("ON"),       QStringLiteral("INNER"),       QStringLiteral("LEFT"),
        QStringLiteral("RIGHT"),  QStringLiteral("FULL"),     QStringLiteral("OUTER"),       QStringLiteral("CROSS"),
        QStringLiteral("JOIN"),   QStringLiteral("AND"),      QStringLiteral("OR"),          QStringLiteral("NOT"),
        QStringLiteral("LIKE"),   QStringLiteral("BETWEEN"),  QStringLiteral("IN"),          QStringLiteral("IS"),
        QStringLiteral("INTO"),   QStringLiteral("VALUES"),   QStringLiteral("SET"),         QStringLiteral("LIMIT"),
        QStringLiteral("OFFSET"), QStringLiteral("ASC"),      QStringLiteral("DESC"),        QStringLiteral("MOD"),
        QStringLiteral("WHEN"),   QStringLiteral("THEN"),     QStringLiteral("ELSE"),        QStringLiteral("END"),
        QStringLiteral("XOR"),    QStringLiteral("EQV"),      QStringLiteral("IMP")};
    return words;
}

/// A translated expression and what the rewrites need to know about its value.
struct Expr
{
    enum Kind
    {
        Unknown,
        Number,
        Text,
        Date
    };
    QString text;
    Kind kind = Unknown;
    bool isCondition = false; ///< a comparison or logical result: 1/0 in SQLite, -1/0 in Jet
    bool isColumn = false;    ///< a plain column reference
    QString name;             ///< the column's name, for result titles
};

/// The rewritten value form: Jet's True is -1.
QString valueOf(const Expr& e)
{
    return e.isCondition ? QStringLiteral("(-%1)").arg(e.text) : e.text;
}

Expr::Kind kindOf(ColumnKind k)
{
    switch (k) {
    case ColumnKind::Text:
        return Expr::Text;
    case ColumnKind::Integer:
    case ColumnKind::Real:
    case ColumnKind::Boolean:
        return Expr::Number;
    case ColumnKind::Date:
    case ColumnKind::DateTime:
        return Expr::Date;
    case ColumnKind::Blob:
        break;
    }
    return Expr::Unknown;
}

struct Source
{
    QString alias; // name the statement refers to it by
    QString table; // empty for a subquery
};

struct SelectInfo
{
    bool simple = false;
    QString table;
    QString alias;
    QString selectList;
    QString where;
    QString orderBy;
};

class Parser
{
public:
    Parser(const QString& sql, const SchemaInfo& schema, Translation& out)
        : m_sql(sql), m_schema(schema), m_out(out), m_tokens(tokenize(sql, &out.warnings))
    {
    }

    void statement();
    QString condition(const QString& table);

private:
    // token access
    const Token& cur() const { return m_tokens[m_pos]; }
    const Token& peek(int ahead = 1) const { return m_tokens[std::min<size_t>(m_pos + ahead, m_tokens.size() - 1)]; }
    bool isWord(const char* upper, int ahead = 0) const
    {
        const Token& t = peek(ahead);
        return t.type == Token::Word && t.upper == QLatin1String(upper);
    }
    bool isOp(const char* op, int ahead = 0) const
    {
        const Token& t = peek(ahead);
        return t.type == Token::Op && t.text == QLatin1String(op);
    }
    bool acceptWord(const char* upper)
    {
        if (isWord(upper)) {
            ++m_pos;
            return true;
        }
        return false;
    }
    bool acceptOp(const char* op)
    {
        if (isOp(op)) {
            ++m_pos;
            return true;
        }
        return false;
    }
    void expectWord(const char* upper)
    {
        if (!acceptWord(upper)) {
            fail();
        }
    }
    void expectOp(const char* op)
    {
        if (!acceptOp(op)) {
            fail();
        }
    }
    [[noreturn]] void fail() const
    {
        const Token& t = cur();
        if (t.type == Token::End) {
            throw SqlError(QStringLiteral("SQL 语句的语法错误：'%1' 意外结束。").arg(m_sql.trimmed().left(80)));
        }
        throw SqlError(QStringLiteral("SQL 语句的语法错误（在 '%1' 附近）。").arg(excerpt(m_sql, t.pos)));
    }
    bool isReserved(const Token& t) const { return t.type == Token::Word && reservedWords().contains(t.upper); }
    void noteTable(const QString& table)
    {
        for (const QString& t : std::as_const(m_out.tables)) {
            if (t.compare(table, Qt::CaseInsensitive) == 0) {
                return;
            }
        }
        m_out.tables.append(table);
    }

    // statements
    QString query(SelectInfo* info);
    QString select(SelectInfo* info, bool* hasTop);
    QString fromList();
    QString joinedSource();
    QString source();
    QString insertStatement();
    QString updateStatement();
    QString deleteStatement();
    QString genericStatement();
    QString nameChain(QString* last);

    /// The parser descends once per nested parenthesis, NOT, sign or subquery; a text nested deeper
    /// than any real statement is refused before it can exhaust the stack.
    class Nesting
    {
    public:
        explicit Nesting(Parser& parser) : m_parser(parser)
        {
            if (++m_parser.m_depth > maxNesting) {
                --m_parser.m_depth;
                throw SqlError(QStringLiteral("查询过于复杂：嵌套超过 %1 层。").arg(maxNesting));
            }
        }
        ~Nesting() { --m_parser.m_depth; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

    private:
        Parser& m_parser;
    };
    static constexpr int maxNesting = 64;

    // expressions
    Expr expr()
    {
        const Nesting level(*this);
        return orExpr();
    }
    Expr orExpr();
    Expr andExpr();
    Expr notExpr();
    Expr comparison();
    Expr concat();
    Expr additive();
    Expr modulo();
    Expr intDivision();
    Expr multiplicative();
    Expr unary();
    Expr power();
    Expr primary();
    Expr functionCall();
    Expr columnRef();
    QString conditionText(const Expr& e) const { return e.text; }
    std::optional<ColumnKind> resolve(const QString& qualifier, const QString& column) const;

    const QString& m_sql;
    const SchemaInfo& m_schema;
    Translation& m_out;
    std::vector<Token> m_tokens;
    size_t m_pos = 0;
    int m_depth = 0;
    QList<QList<Source>> m_scopes;
    QList<bool> m_aggregates; // per SELECT level: an aggregate function was seen
};

// ---- statements ------------------------------------------------------------------------------

void Parser::statement()
{
    QString sql;
    if (isWord("SELECT")) {
        m_out.isSelect = true;
        SelectInfo info;
        sql = query(&info);
        m_out.isSimpleSelect = info.simple;
        m_out.table = info.table;
        m_out.tableAlias = info.alias;
        m_out.selectList = info.selectList;
        m_out.where = info.where;
        m_out.orderBy = info.orderBy;
    } else if (isWord("INSERT")) {
        sql = insertStatement();
    } else if (isWord("UPDATE")) {
        sql = updateStatement();
    } else if (isWord("DELETE")) {
        sql = deleteStatement();
    } else {
        m_out.isSelect = isWord("WITH");
        sql = genericStatement();
    }
    acceptOp(";");
    if (cur().type != Token::End) {
        throw SqlError(QStringLiteral("在 SQL 语句结尾之后找到字符：'%1'。").arg(excerpt(m_sql, cur().pos)));
    }
    m_out.sql = sql;
}

QString Parser::condition(const QString& table)
{
    m_scopes.append(QList<Source>{Source{table, table}});
    m_aggregates.append(false);
    const Expr e = expr();
    m_scopes.removeLast();
    m_aggregates.removeLast();
    if (cur().type != Token::End) {
        fail();
    }
    return conditionText(e);
}

QString Parser::query(SelectInfo* info)
{
    const Nesting level(*this);
    QStringList arms;
    bool anyTop = false;
    QList<bool> tops;
    SelectInfo first;
    do {
        if (!arms.isEmpty()) {
            QString op = QStringLiteral("UNION");
            if (acceptWord("ALL")) {
                op += QStringLiteral(" ALL");
            }
            arms.append(op);
        }
        bool hasTop = false;
        SelectInfo armInfo;
        const QString arm = select(&armInfo, &hasTop);
        if (arms.isEmpty()) {
            first = armInfo;
        }
        arms.append(arm);
        tops.append(hasTop);
        anyTop = anyTop || hasTop;
    } while (acceptWord("UNION"));

    if (arms.size() == 1) {
        if (info) {
            *info = first;
        }
        return arms.first();
    }
    // SQLite allows LIMIT only at the end of a compound SELECT: an arm with TOP becomes a subquery.
    if (anyTop) {
        for (int i = 0, arm = 0; i < arms.size(); i += 2, ++arm) {
            if (tops[arm]) {
                arms[i] = QStringLiteral("SELECT * FROM (%1)").arg(arms[i]);
            }
        }
    }
    if (info) {
        *info = SelectInfo();
    }
    return arms.join(u' ');
}

QString Parser::select(SelectInfo* info, bool* hasTop)
{
    expectWord("SELECT");
    QString predicate;
    bool distinctRow = false;
    QString topCount;
    bool topPercent = false;
    for (;;) {
        if (acceptWord("ALL")) {
            continue;
        }
        if (acceptWord("DISTINCT")) {
            predicate = QStringLiteral("DISTINCT ");
            continue;
        }
        if (acceptWord("DISTINCTROW")) {
            distinctRow = true;
            continue;
        }
        if (isWord("TOP") && peek().type == Token::Number) {
            ++m_pos;
            topCount = cur().text;
            ++m_pos;
            topPercent = acceptWord("PERCENT");
            continue;
        }
        break;
    }
    *hasTop = !topCount.isEmpty();

    // The FROM clause is read first, so that the select list knows the column kinds.
    const size_t listStart = m_pos;
    size_t fromPos = 0;
    {
        int depth = 0;
        for (size_t i = m_pos; i < m_tokens.size(); ++i) {
            const Token& t = m_tokens[i];
            if (t.type == Token::End) {
                break;
            }
            if (t.type == Token::Op && t.text == u"(") {
                ++depth;
            } else if (t.type == Token::Op && t.text == u")") {
                if (--depth < 0) {
                    break;
                }
            } else if (depth == 0 && t.type == Token::Word && (t.upper == u"UNION")) {
                break;
            } else if (depth == 0 && t.type == Token::Op && t.text == u";") {
                break;
            } else if (depth == 0 && t.type == Token::Word && t.upper == u"FROM") {
                fromPos = i;
                break;
            }
        }
    }
    m_scopes.append(QList<Source>());
    m_aggregates.append(false);
    QString from;
    size_t afterFrom = 0;
    bool join = false;
    if (fromPos) {
        m_pos = fromPos + 1;
        from = fromList();
        afterFrom = m_pos;
        join = m_scopes.last().size() != 1 || from.contains(QLatin1String(" JOIN "));
        m_pos = listStart;
    }

    // select list
    QStringList items;
    QStringList itemValues; // for ORDER BY by position
    int exprNumber = 1000;
    do {
        if (isOp("*")) {
            ++m_pos;
            items.append(QStringLiteral("*"));
            itemValues.append(QString());
            continue;
        }
        if ((peek().type == Token::Op && peek().text == u"." && peek(2).type == Token::Op && peek(2).text == u"*") &&
            (cur().type == Token::Word || cur().type == Token::Bracket)) {
            const QString q = cur().type == Token::Bracket ? bracketName(cur().text) : cur().text;
            m_pos += 3;
            items.append(q + QStringLiteral(".*"));
            itemValues.append(QString());
            continue;
        }
        const Expr e = expr();
        QString alias;
        if (acceptWord("AS")) {
            if (cur().type == Token::Word || cur().type == Token::Bracket || cur().type == Token::String) {
                alias = cur().type == Token::Word ? cur().text : bracketName(cur().text);
                ++m_pos;
            } else {
                fail();
            }
        } else if ((cur().type == Token::Word && !isReserved(cur())) || cur().type == Token::Bracket) {
            alias = cur().type == Token::Word ? cur().text : bracketName(cur().text);
            ++m_pos;
        }
        QString item = valueOf(e);
        if (!alias.isEmpty()) {
            item += QStringLiteral(" AS ") + alias;
        } else if (!e.isColumn) {
            // Jet titles an unnamed expression Expr1000, Expr1001, ...
            item += QStringLiteral(" AS Expr%1").arg(exprNumber++);
        }
        items.append(item);
        itemValues.append(valueOf(e));
    } while (acceptOp(","));
    if (fromPos) {
        if (m_pos != fromPos) {
            fail();
        }
        m_pos = afterFrom;
    } else if (isWord("FROM")) {
        fail();
    }

    QString where;
    QString groupBy;
    QString having;
    QString orderBy;
    if (acceptWord("WHERE")) {
        where = conditionText(expr());
    }
    if (acceptWord("GROUP")) {
        expectWord("BY");
        QStringList list;
        do {
            list.append(valueOf(expr()));
        } while (acceptOp(","));
        groupBy = list.join(QStringLiteral(", "));
    }
    if (acceptWord("HAVING")) {
        having = conditionText(expr());
    }
    QStringList orderKeys; // with positions replaced by the items they name
    if (acceptWord("ORDER")) {
        expectWord("BY");
        QStringList list;
        do {
            QString key;
            const bool position =
                cur().type == Token::Number && (peek().type == Token::End || isOp(",", 1) || isWord("ASC", 1) ||
                                                isWord("DESC", 1) || isOp(")", 1) || isOp(";", 1));
            const int index = position ? cur().text.toInt() : 0;
            const Expr e = expr();
            key = valueOf(e);
            QString dir;
            if (acceptWord("DESC")) {
                dir = QStringLiteral(" DESC");
            } else if (acceptWord("ASC")) {
                dir = QStringLiteral(" ASC");
            }
            list.append(key + dir);
            const bool known = position && index >= 1 && index <= itemValues.size() && !itemValues[index - 1].isEmpty();
            orderKeys.append((known ? itemValues[index - 1] : key) + dir);
        } while (acceptOp(","));
        orderBy = list.join(QStringLiteral(", "));
    }
    QString limit;
    if (acceptWord("LIMIT")) {
        limit = QStringLiteral(" LIMIT ") + valueOf(expr());
        if (acceptWord("OFFSET")) {
            limit += QStringLiteral(" OFFSET ") + valueOf(expr());
        }
    }
    const bool aggregate = m_aggregates.last();
    const QList<Source> sources = m_scopes.last();
    m_scopes.removeLast();
    m_aggregates.removeLast();

    QString core;
    if (fromPos) {
        core += QStringLiteral(" FROM ") + from;
    }
    if (!where.isEmpty()) {
        core += QStringLiteral(" WHERE ") + where;
    }
    if (!groupBy.isEmpty()) {
        core += QStringLiteral(" GROUP BY ") + groupBy;
    }
    if (!having.isEmpty()) {
        core += QStringLiteral(" HAVING ") + having;
    }
    const QString list = items.join(QStringLiteral(", "));
    QString sql = QStringLiteral("SELECT ") + predicate + list + core;
    if (!orderBy.isEmpty()) {
        sql += QStringLiteral(" ORDER BY ") + orderBy;
    }
    if (!topCount.isEmpty()) {
        if (!limit.isEmpty()) {
            fail();
        }
        const QString n = topCount;
        if (orderBy.isEmpty() || !predicate.isEmpty()) {
            // Without an order there are no ties to keep. With DISTINCT the rank would count the
            // rows before they are made distinct, so the ties are not kept there either.
            if (topPercent) {
                sql += QStringLiteral(" LIMIT (SELECT jet_ceil(count(*) * %1 / 100.0) FROM (SELECT %2%3%4))")
                           .arg(n, predicate, list, core);
            } else {
                sql += QStringLiteral(" LIMIT ") + n;
            }
        } else {
            // Jet's TOP keeps every row that ties with the last one: count the rows whose rank
            // in the same order is within n and take that many.
            const QString over = orderKeys.join(QStringLiteral(", "));
            if (topPercent) {
                sql += QStringLiteral(" LIMIT (SELECT count(*) FROM (SELECT rank() OVER (ORDER BY %1) AS jet_rank_, "
                                      "count(*) OVER () AS jet_count_%2) WHERE jet_rank_ <= "
                                      "jet_ceil(jet_count_ * %3 / 100.0))")
                           .arg(over, core, n);
            } else {
                sql += QStringLiteral(" LIMIT (SELECT count(*) FROM (SELECT rank() OVER (ORDER BY %1) AS jet_rank_%2) "
                                      "WHERE jet_rank_ <= %3)")
                           .arg(over, core, n);
            }
        }
    }
    sql += limit;
    Q_UNUSED(distinctRow); // DISTINCTROW only matters for joins with columns from part of the tables

    if (info) {
        info->selectList = list;
        info->where = where;
        info->orderBy = orderBy;
        info->simple = fromPos && !join && !aggregate && groupBy.isEmpty() && having.isEmpty() && predicate.isEmpty() &&
                       !distinctRow && topCount.isEmpty() && limit.isEmpty() && sources.size() == 1 &&
                       !sources.first().table.isEmpty();
        if (info->simple) {
            info->table = sources.first().table;
            info->alias = sources.first().alias.compare(sources.first().table, Qt::CaseInsensitive) == 0
                              ? QString()
                              : sources.first().alias;
        }
    }
    return sql;
}

QString Parser::nameChain(QString* last)
{
    QStringList parts;
    for (;;) {
        const Token& t = cur();
        if (t.type == Token::Word && !isReserved(t)) {
            parts.append(t.text);
            *last = t.text;
        } else if (t.type == Token::Bracket) {
            parts.append(bracketName(t.text));
            *last = t.text;
        } else {
            fail();
        }
        ++m_pos;
        if (isOp(".") && (peek().type == Token::Word || peek().type == Token::Bracket)) {
            ++m_pos;
            continue;
        }
        break;
    }
    return parts.join(u'.');
}

QString Parser::fromList()
{
    QStringList list;
    do {
        list.append(joinedSource());
    } while (acceptOp(","));
    return list.join(QStringLiteral(", "));
}

QString Parser::joinedSource()
{
    QString text = source();
    for (;;) {
        QString kind;
        if (isWord("INNER") && isWord("JOIN", 1)) {
            kind = QStringLiteral("INNER JOIN");
            m_pos += 2;
        } else if ((isWord("LEFT") || isWord("RIGHT") || isWord("FULL")) &&
                   (isWord("JOIN", 1) || (isWord("OUTER", 1) && isWord("JOIN", 2)))) {
            kind = cur().upper + QStringLiteral(" JOIN");
            m_pos += isWord("OUTER", 1) ? 3 : 2;
        } else if (isWord("CROSS") && isWord("JOIN", 1)) {
            kind = QStringLiteral("CROSS JOIN");
            m_pos += 2;
        } else if (isWord("JOIN")) {
            kind = QStringLiteral("JOIN");
            ++m_pos;
        } else {
            break;
        }
        const QString right = source();
        text += u' ' + kind + u' ' + right;
        if (acceptWord("ON")) {
            text += QStringLiteral(" ON ") + conditionText(expr());
        }
    }
    return text;
}

QString Parser::source()
{
    QString text;
    if (isOp("(")) {
        const Nesting level(*this);
        ++m_pos;
        if (isWord("SELECT")) {
            text = u'(' + query(nullptr) + u')';
            expectOp(")");
            QString alias;
            if (acceptWord("AS") || (cur().type == Token::Word && !isReserved(cur())) || cur().type == Token::Bracket) {
                nameChain(&alias);
                text += QStringLiteral(" AS ") + bracketName(alias);
            }
            m_scopes.last().append(Source{alias, QString()});
            return text;
        }
        text = u'(' + joinedSource() + u')';
        expectOp(")");
        return text;
    }
    QString table;
    text = nameChain(&table);
    noteTable(table);
    QString alias;
    if (acceptWord("AS")) {
        nameChain(&alias);
    } else if ((cur().type == Token::Word && !isReserved(cur())) || cur().type == Token::Bracket) {
        nameChain(&alias);
    }
    if (!alias.isEmpty()) {
        text += QStringLiteral(" AS ") + bracketName(alias);
    }
    m_scopes.last().append(Source{alias.isEmpty() ? table : alias, table});
    return text;
}

QString Parser::insertStatement()
{
    expectWord("INSERT");
    expectWord("INTO");
    QString table;
    QString sql = QStringLiteral("INSERT INTO ") + nameChain(&table);
    noteTable(table);
    if (isOp("(") && !isWord("SELECT", 1)) {
        ++m_pos;
        QStringList columns;
        do {
            QString last;
            nameChain(&last);
            columns.append(bracketName(last));
        } while (acceptOp(","));
        expectOp(")");
        sql += QStringLiteral(" (") + columns.join(QStringLiteral(", ")) + u')';
    }
    if (acceptWord("VALUES")) {
        expectOp("(");
        m_scopes.append(QList<Source>());
        m_aggregates.append(false);
        QStringList values;
        do {
            values.append(valueOf(expr()));
        } while (acceptOp(","));
        m_scopes.removeLast();
        m_aggregates.removeLast();
        expectOp(")");
        sql += QStringLiteral(" VALUES (") + values.join(QStringLiteral(", ")) + u')';
    } else if (isWord("SELECT")) {
        sql += u' ' + query(nullptr);
    } else {
        fail();
    }
    return sql;
}

QString Parser::updateStatement()
{
    expectWord("UPDATE");
    m_scopes.append(QList<Source>());
    m_aggregates.append(false);
    QString sql = QStringLiteral("UPDATE ") + source() + QStringLiteral(" SET ");
    expectWord("SET");
    QStringList assignments;
    do {
        // SQLite takes no table name before an assigned column.
        QString column;
        nameChain(&column);
        expectOp("=");
        assignments.append(bracketName(column) + QStringLiteral(" = ") + valueOf(expr()));
    } while (acceptOp(","));
    sql += assignments.join(QStringLiteral(", "));
    if (acceptWord("WHERE")) {
        sql += QStringLiteral(" WHERE ") + conditionText(expr());
    }
    m_scopes.removeLast();
    m_aggregates.removeLast();
    return sql;
}

QString Parser::deleteStatement()
{
    expectWord("DELETE");
    // Jet's "DELETE * FROM t" and "DELETE t.* FROM t": what stands before FROM changes nothing.
    while (cur().type != Token::End && !isWord("FROM")) {
        ++m_pos;
    }
    expectWord("FROM");
    m_scopes.append(QList<Source>());
    m_aggregates.append(false);
    QString sql = QStringLiteral("DELETE FROM ") + source();
    if (acceptWord("WHERE")) {
        sql += QStringLiteral(" WHERE ") + conditionText(expr());
    }
    m_scopes.removeLast();
    m_aggregates.removeLast();
    return sql;
}

QString Parser::genericStatement()
{
    QString sql;
    while (cur().type != Token::End && !(isOp(";") && peek().type == Token::End)) {
        const Token& t = cur();
        QString piece;
        switch (t.type) {
        case Token::Word:
            piece = t.upper == u"TRUE" ? QStringLiteral("-1") : t.upper == u"FALSE" ? QStringLiteral("0") : t.text;
            break;
        case Token::Bracket:
            piece = bracketName(t.text);
            break;
        case Token::String:
        case Token::Date:
            piece = quoteString(t.text);
            break;
        default:
            piece = t.text;
            break;
        }
        const bool tight = sql.isEmpty() || sql.endsWith(u'(') || sql.endsWith(u'.') || piece == u"," ||
                           piece == u")" || piece == u"." || piece == u"(";
        if (!tight) {
            sql += u' ';
        }
        sql += piece;
        ++m_pos;
    }
    return sql;
}

// ---- expressions -----------------------------------------------------------------------------

Expr makeCondition(const QString& text)
{
    Expr e;
    e.text = text;
    e.isCondition = true;
    e.kind = Expr::Number;
    return e;
}

Expr makeValue(const QString& text, Expr::Kind kind)
{
    Expr e;
    e.text = text;
    e.kind = kind;
    return e;
}

Expr Parser::orExpr()
{
    Expr left = andExpr();
    while (isWord("OR") || isWord("XOR")) {
        const bool exclusive = isWord("XOR");
        ++m_pos;
        const Expr right = andExpr();
        if (exclusive) {
            left = makeCondition(QStringLiteral("((%1 <> 0) <> (%2 <> 0))").arg(left.text, right.text));
        } else {
            left = makeCondition(QStringLiteral("(%1 OR %2)").arg(left.text, right.text));
        }
    }
    return left;
}

Expr Parser::andExpr()
{
    Expr left = notExpr();
    while (acceptWord("AND")) {
        const Expr right = notExpr();
        left = makeCondition(QStringLiteral("(%1 AND %2)").arg(left.text, right.text));
    }
    return left;
}

Expr Parser::notExpr()
{
    if (acceptWord("NOT")) {
        const Nesting level(*this);
        const Expr e = notExpr();
        return makeCondition(QStringLiteral("(NOT %1)").arg(e.text));
    }
    return comparison();
}

/// Jet compares texts without regard to case. Text columns carry NOCASE themselves; this covers
/// literals and function results (Left(name, 1) = "a").
QString textCollation(const Expr& a, const Expr& b)
{
    return a.kind == Expr::Text || b.kind == Expr::Text ? QStringLiteral(" COLLATE NOCASE") : QString();
}

Expr Parser::comparison()
{
    Expr left = concat();
    for (;;) {
        const Token& t = cur();
        if (t.type == Token::Op && (t.text == u"=" || t.text == u"<>" || t.text == u"<" || t.text == u">" ||
                                    t.text == u"<=" || t.text == u">=")) {
            const QString op = t.text;
            ++m_pos;
            const Expr right = concat();
            left = makeCondition(
                QStringLiteral("(%1 %2 %3%4)").arg(valueOf(left), op, valueOf(right), textCollation(left, right)));
            continue;
        }
        const bool negated = isWord("NOT") && (isWord("LIKE", 1) || isWord("BETWEEN", 1) || isWord("IN", 1));
        const QString no = negated ? QStringLiteral("NOT ") : QString();
        if (negated) {
            ++m_pos;
        }
        if (acceptWord("LIKE")) {
            // The connection's like() reads Jet's wild cards, so the pattern passes unchanged.
            const Expr pattern = concat();
            left = makeCondition(QStringLiteral("(%1 %2LIKE %3)").arg(valueOf(left), no, valueOf(pattern)));
        } else if (acceptWord("BETWEEN")) {
            const Expr low = concat();
            expectWord("AND");
            const Expr high = concat();
            left = makeCondition(QStringLiteral("(%1%2 %3BETWEEN %4 AND %5)")
                                     .arg(valueOf(left), textCollation(left, low), no, valueOf(low), valueOf(high)));
        } else if (acceptWord("IN")) {
            expectOp("(");
            QString list;
            if (isWord("SELECT")) {
                list = query(nullptr);
            } else {
                QStringList values;
                do {
                    values.append(valueOf(expr()));
                } while (acceptOp(","));
                list = values.join(QStringLiteral(", "));
            }
            expectOp(")");
            const QString collation = left.kind == Expr::Text ? QStringLiteral(" COLLATE NOCASE") : QString();
            left = makeCondition(QStringLiteral("(%1%2 %3IN (%4))").arg(valueOf(left), collation, no, list));
        } else if (negated) {
            fail();
        } else if (acceptWord("IS")) {
            const bool isNot = acceptWord("NOT");
            expectWord("NULL");
            left = makeCondition(
                QStringLiteral("(%1 IS %2NULL)").arg(valueOf(left), isNot ? QStringLiteral("NOT ") : QString()));
        } else {
            break;
        }
    }
    return left;
}

Expr Parser::concat()
{
    const Expr first = additive();
    if (!isOp("&")) {
        return first;
    }
    // One call for the whole chain: Jet's & gives Null only when every operand is Null.
    QStringList parts{valueOf(first)};
    while (acceptOp("&")) {
        parts.append(valueOf(additive()));
    }
    return makeValue(QStringLiteral("jet_cat(%1)").arg(parts.join(QStringLiteral(", "))), Expr::Text);
}

Expr Parser::additive()
{
    Expr left = modulo();
    while (isOp("+") || isOp("-")) {
        const bool plus = isOp("+");
        ++m_pos;
        const Expr right = modulo();
        const QString l = valueOf(left);
        const QString r = valueOf(right);
        // Dates are ISO text: arithmetic on them is done in days, as Jet's date serials are.
        if (plus && left.kind == Expr::Date && right.kind != Expr::Date) {
            left = makeValue(QStringLiteral("jet_daysadd(%1, %2)").arg(l, r), Expr::Date);
        } else if (plus && right.kind == Expr::Date && left.kind != Expr::Date) {
            left = makeValue(QStringLiteral("jet_daysadd(%1, %2)").arg(r, l), Expr::Date);
        } else if (!plus && left.kind == Expr::Date && right.kind == Expr::Date) {
            left = makeValue(QStringLiteral("jet_daysdiff(%1, %2)").arg(l, r), Expr::Number);
        } else if (!plus && left.kind == Expr::Date) {
            left = makeValue(QStringLiteral("jet_daysadd(%1, -(%2))").arg(l, r), Expr::Date);
        } else if (plus && left.kind == Expr::Text && right.kind == Expr::Text) {
            // Jet's + joins two texts (and gives Null when one is Null), as || does.
            left = makeValue(QStringLiteral("(%1 || %2)").arg(l, r), Expr::Text);
        } else {
            left = makeValue(QStringLiteral("(%1 %2 %3)").arg(l, plus ? QStringLiteral("+") : QStringLiteral("-"), r),
                             Expr::Number);
        }
    }
    return left;
}

Expr Parser::modulo()
{
    Expr left = intDivision();
    while (acceptWord("MOD")) {
        const Expr right = intDivision();
        left = makeValue(QStringLiteral("jet_mod(%1, %2)").arg(valueOf(left), valueOf(right)), Expr::Number);
    }
    return left;
}

Expr Parser::intDivision()
{
    Expr left = multiplicative();
    while (acceptOp("\\")) {
        const Expr right = multiplicative();
        left = makeValue(QStringLiteral("jet_intdiv(%1, %2)").arg(valueOf(left), valueOf(right)), Expr::Number);
    }
    return left;
}

Expr Parser::multiplicative()
{
    Expr left = unary();
    while (isOp("*") || isOp("/")) {
        const bool divide = isOp("/");
        ++m_pos;
        const Expr right = unary();
        // Jet's / always divides as real numbers; SQLite's divides integers as integers.
        left = makeValue(divide ? QStringLiteral("(%1 * 1.0 / %2)").arg(valueOf(left), valueOf(right))
                                : QStringLiteral("(%1 * %2)").arg(valueOf(left), valueOf(right)),
                         Expr::Number);
    }
    return left;
}

Expr Parser::unary()
{
    if (acceptOp("-")) {
        const Nesting level(*this);
        const Expr e = unary();
        if (e.kind == Expr::Number && !e.isCondition && !e.text.startsWith(u'-') && !e.text.isEmpty() &&
            e.text.at(0).isDigit()) {
            return makeValue(u'-' + e.text, Expr::Number);
        }
        return makeValue(QStringLiteral("(- %1)").arg(valueOf(e)), Expr::Number);
    }
    if (acceptOp("+")) {
        const Nesting level(*this);
        return unary();
    }
    return power();
}

Expr Parser::power()
{
    Expr base = primary();
    while (acceptOp("^")) {
        QString exponent;
        if (acceptOp("-")) {
            exponent = QStringLiteral("(- %1)").arg(valueOf(primary()));
        } else {
            exponent = valueOf(primary());
        }
        base = makeValue(QStringLiteral("jet_pow(%1, %2)").arg(valueOf(base), exponent), Expr::Number);
    }
    return base;
}

Expr Parser::primary()
{
    const Token t = cur();
    switch (t.type) {
    case Token::Number:
        ++m_pos;
        return makeValue(t.text, Expr::Number);
    case Token::String:
        ++m_pos;
        return makeValue(quoteString(t.text), Expr::Text);
    case Token::Date:
        ++m_pos;
        return makeValue(quoteString(t.text), Expr::Date);
    case Token::Param:
        ++m_pos;
        return makeValue(t.text, Expr::Unknown);
    case Token::Op:
        if (t.text == u"(") {
            ++m_pos;
            if (isWord("SELECT")) {
                const QString sub = query(nullptr);
                expectOp(")");
                return makeValue(u'(' + sub + u')', Expr::Unknown);
            }
            Expr inner = expr();
            expectOp(")");
            inner.text = u'(' + inner.text + u')';
            inner.isColumn = false;
            return inner;
        }
        fail();
    case Token::Bracket:
        if (isOp("(", 1)) {
            return functionCall();
        }
        return columnRef();
    case Token::Word:
        if (t.upper == u"TRUE") {
            ++m_pos;
            return makeValue(QStringLiteral("-1"), Expr::Number);
        }
        if (t.upper == u"FALSE") {
            ++m_pos;
            return makeValue(QStringLiteral("0"), Expr::Number);
        }
        if (t.upper == u"NULL") {
            ++m_pos;
            return makeValue(QStringLiteral("NULL"), Expr::Unknown);
        }
        if (t.upper == u"EXISTS" && isOp("(", 1)) {
            m_pos += 2;
            const QString sub = query(nullptr);
            expectOp(")");
            return makeCondition(QStringLiteral("(EXISTS (%1))").arg(sub));
        }
        if (t.upper == u"CAST" && isOp("(", 1)) {
            m_pos += 2;
            const QString value = valueOf(expr());
            expectWord("AS");
            QString type;
            while (cur().type != Token::End && !isOp(")")) {
                type += (type.isEmpty() || isOp("(") || isOp(",") || type.endsWith(u'(') ? QString()
                                                                                         : QStringLiteral(" ")) +
                        cur().text;
                ++m_pos;
                if (isOp(")") && type.contains(u'(') && !type.endsWith(u')')) {
                    type += u')';
                    ++m_pos;
                }
            }
            expectOp(")");
            return makeValue(QStringLiteral("CAST(%1 AS %2)").arg(value, type), Expr::Unknown);
        }
        if (t.upper == u"CASE") {
            ++m_pos;
            QString text = QStringLiteral("CASE");
            if (!isWord("WHEN")) {
                text += u' ' + valueOf(expr());
            }
            while (acceptWord("WHEN")) {
                text += QStringLiteral(" WHEN ") + conditionText(expr());
                expectWord("THEN");
                text += QStringLiteral(" THEN ") + valueOf(expr());
            }
            if (acceptWord("ELSE")) {
                text += QStringLiteral(" ELSE ") + valueOf(expr());
            }
            expectWord("END");
            return makeValue(text + QStringLiteral(" END"), Expr::Unknown);
        }
        if (isOp("(", 1)) {
            return functionCall();
        }
        if (isReserved(t)) {
            fail();
        }
        return columnRef();
    default:
        break;
    }
    fail();
}

std::optional<ColumnKind> Parser::resolve(const QString& qualifier, const QString& column) const
{
    for (int level = int(m_scopes.size()) - 1; level >= 0; --level) {
        const QList<Source>& sources = m_scopes[level];
        if (!qualifier.isEmpty()) {
            for (const Source& s : sources) {
                if (s.alias.compare(qualifier, Qt::CaseInsensitive) == 0) {
                    return s.table.isEmpty() ? m_schema.columnKind(column) : m_schema.columnKind(s.table, column);
                }
            }
            continue;
        }
        std::optional<ColumnKind> found;
        bool seen = false;
        for (const Source& s : sources) {
            if (s.table.isEmpty()) {
                continue;
            }
            const auto k = m_schema.columnKind(s.table, column);
            if (!k) {
                continue;
            }
            if (seen && found != k) {
                return std::nullopt;
            }
            found = k;
            seen = true;
        }
        if (seen) {
            return found;
        }
    }
    if (!qualifier.isEmpty()) {
        if (const auto k = m_schema.columnKind(qualifier, column)) {
            return k;
        }
    }
    return m_schema.columnKind(column);
}

Expr Parser::columnRef()
{
    QStringList parts;
    QStringList names;
    for (;;) {
        const Token& t = cur();
        if (t.type == Token::Word && !isReserved(t)) {
            parts.append(t.text);
            names.append(t.text);
        } else if (t.type == Token::Bracket) {
            parts.append(bracketName(t.text));
            names.append(t.text);
        } else {
            fail();
        }
        ++m_pos;
        if (isOp(".") && (peek().type == Token::Word || peek().type == Token::Bracket)) {
            ++m_pos;
            continue;
        }
        break;
    }
    // Jet reads [person.birth] as the column birth of person.
    if (names.size() == 1 && m_tokens[m_pos - 1].type == Token::Bracket && names.first().count(u'.') == 1) {
        const QString whole = names.first();
        const int dot = int(whole.indexOf(u'.'));
        const QString table = whole.left(dot);
        const QString column = whole.mid(dot + 1);
        if (!m_schema.columnKind(whole) && !table.isEmpty() && !column.isEmpty()) {
            names = QStringList{table, column};
            parts = QStringList{bracketName(table), bracketName(column)};
        }
    }
    Expr e;
    e.text = parts.join(u'.');
    e.isColumn = true;
    e.name = names.last();
    const QString qualifier = names.size() >= 2 ? names[names.size() - 2] : QString();
    if (const auto k = resolve(qualifier, names.last())) {
        e.kind = kindOf(*k);
    }
    return e;
}

Expr Parser::functionCall()
{
    const Token name = cur();
    const QString upper = name.type == Token::Word ? name.upper : name.text.toUpper();
    m_pos += 2; // name and "("
    QList<Expr> args;
    QString distinct;
    bool star = false;
    if (acceptOp("*")) {
        star = true;
    } else if (!isOp(")")) {
        if (acceptWord("DISTINCT")) {
            distinct = QStringLiteral("DISTINCT ");
        }
        do {
            args.append(expr());
        } while (acceptOp(","));
    }
    expectOp(")");

    struct Mapping
    {
        const char* jet;
        const char* sqlite;
        Expr::Kind kind;
    };
    // Renamed where SQLite has no such function or one that differs (LEFT and RIGHT are even
    // keywords there). The kind feeds the date arithmetic and the & and + rewrites.
    static const Mapping mappings[] = {
        {"DATE", "jet_date", Expr::Date},
        {"NOW", "jet_now", Expr::Date},
        {"TIME", "jet_time", Expr::Text},
        {"YEAR", "jet_year", Expr::Number},
        {"MONTH", "jet_month", Expr::Number},
        {"DAY", "jet_day", Expr::Number},
        {"HOUR", "jet_hour", Expr::Number},
        {"MINUTE", "jet_minute", Expr::Number},
        {"SECOND", "jet_second", Expr::Number},
        {"WEEKDAY", "jet_weekday", Expr::Number},
        {"NZ", "jet_nz", Expr::Unknown},
        {"LEFT", "jet_left", Expr::Text},
        {"RIGHT", "jet_right", Expr::Text},
        {"MID", "jet_mid", Expr::Text},
        {"LEN", "jet_len", Expr::Number},
        {"TRIM", "trim", Expr::Text},
        {"LTRIM", "ltrim", Expr::Text},
        {"RTRIM", "rtrim", Expr::Text},
        {"UCASE", "jet_ucase", Expr::Text},
        {"LCASE", "jet_lcase", Expr::Text},
        {"INSTR", "jet_instr", Expr::Number},
        {"VAL", "jet_val", Expr::Number},
        {"DATEADD", "jet_dateadd", Expr::Date},
        {"DATEDIFF", "jet_datediff", Expr::Number},
        {"DATEPART", "jet_datepart", Expr::Number},
        {"DATESERIAL", "jet_dateserial", Expr::Date},
        {"DATEVALUE", "jet_datevalue", Expr::Date},
        {"TIMEVALUE", "jet_timevalue", Expr::Text},
        {"CDATE", "jet_cdate", Expr::Date},
        {"CVDATE", "jet_cdate", Expr::Date},
        {"INT", "jet_int", Expr::Number},
        {"FIX", "jet_fix", Expr::Number},
        {"ROUND", "jet_round", Expr::Number},
        {"SGN", "jet_sgn", Expr::Number},
        {"SQR", "jet_sqr", Expr::Number},
        {"ABS", "abs", Expr::Number},
        {"CSTR", "jet_cstr", Expr::Text},
        {"STR", "jet_str", Expr::Text},
        {"CBOOL", "jet_cbool", Expr::Number},
        {"CBYTE", "jet_cbyte", Expr::Number},
        {"CINT", "jet_cint", Expr::Number},
        {"CLNG", "jet_clng", Expr::Number},
        {"CCUR", "jet_ccur", Expr::Number},
        {"CSNG", "jet_csng", Expr::Number},
        {"CDBL", "jet_cdbl", Expr::Number},
        {"CVAR", "jet_cvar", Expr::Unknown},
        {"FORMAT", "jet_format", Expr::Text},
        {"SPACE", "jet_space", Expr::Text},
        {"STRING", "jet_string", Expr::Text},
        {"COUNT", "count", Expr::Number},
        {"SUM", "sum", Expr::Number},
        {"AVG", "avg", Expr::Number},
        {"MIN", "min", Expr::Unknown},
        {"MAX", "max", Expr::Unknown},
    };
    QString sqliteName = name.type == Token::Word ? name.text : bracketName(name.text);
    Expr::Kind kind = Expr::Unknown;
    for (const Mapping& m : mappings) {
        if (upper == QLatin1String(m.jet)) {
            sqliteName = QLatin1String(m.sqlite);
            kind = m.kind;
            break;
        }
    }
    const bool aggregate = upper == u"COUNT" || upper == u"SUM" || upper == u"AVG" ||
                           ((upper == u"MIN" || upper == u"MAX") && args.size() == 1) || upper == u"STDEV" ||
                           upper == u"VAR" || upper == u"FIRST" || upper == u"LAST";
    if (aggregate && !m_aggregates.isEmpty()) {
        m_aggregates.last() = true;
    }
    QStringList texts;
    for (int i = 0; i < args.size(); ++i) {
        // IIf's first argument is a condition, the others are values.
        texts.append(upper == u"IIF" && i == 0 ? conditionText(args[i]) : valueOf(args[i]));
    }
    if (upper == u"IIF") {
        sqliteName = QStringLiteral("iif");
        if (args.size() == 3 && args[1].kind == args[2].kind) {
            kind = args[1].kind;
        }
    } else if ((upper == u"NZ" || upper == u"MIN" || upper == u"MAX") && !args.isEmpty()) {
        kind = args.first().kind;
    }
    const QString inside = star ? QStringLiteral("*") : distinct + texts.join(QStringLiteral(", "));
    return makeValue(sqliteName + u'(' + inside + u')', kind);
}

} // namespace

Translation translate(const QString& jetSql, const SchemaInfo& schema)
{
    Translation result;
    Parser parser(jetSql, schema, result);
    parser.statement();
    return result;
}

QString translateCondition(const QString& jetCondition, const SchemaInfo& schema, const QString& table)
{
    Translation scratch;
    Parser parser(jetCondition, schema, scratch);
    return parser.condition(table);
}

} // namespace jet
