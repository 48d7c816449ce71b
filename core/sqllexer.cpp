#include "sqllexer.h"

#include "sqlkeywords.h"

#include <QSet>

#include <algorithm>

namespace {

// Words of the language every engine here reads as keywords.
const char *const commonKeywords[] = {
    "ALL", "ALTER", "AND", "ANY", "AS", "ASC", "BEGIN", "BETWEEN", "BY", "CASE", "CAST",
    "CHECK", "COLLATE", "COLUMN", "COMMIT", "CONSTRAINT", "CREATE", "CROSS", "CURRENT_DATE",
    "CURRENT_TIME", "CURRENT_TIMESTAMP", "DEFAULT", "DELETE", "DESC", "DISTINCT", "DROP",
    "ELSE", "END", "ESCAPE", "EXCEPT", "EXISTS", "FALSE", "FOREIGN", "FROM", "FULL", "GROUP",
    "HAVING", "IN", "INDEX", "INNER", "INSERT", "INTERSECT", "INTO", "IS", "JOIN", "KEY",
    "LEFT", "LIKE", "LIMIT", "NATURAL", "NOT", "NULL", "OFFSET", "ON", "OR", "ORDER", "OUTER",
    "PRIMARY", "REFERENCES", "RIGHT", "ROLLBACK", "SELECT", "SET", "TABLE", "THEN", "TRUE",
    "UNION", "UNIQUE", "UPDATE", "USING", "VALUES", "VIEW", "WHEN", "WHERE", "WITH"};

const char *const sqliteKeywords[] = {
    "ABORT", "AUTOINCREMENT", "GLOB", "IGNORE", "ISNULL", "NOTNULL", "PRAGMA", "RAISE",
    "REGEXP", "REPLACE", "RETURNING", "ROWID", "TEMP", "TEMPORARY", "VACUUM", "WITHOUT"};

const char *const postgresKeywords[] = {
    "ARRAY", "FETCH", "FIRST", "ILIKE", "LATERAL", "NEXT", "ONLY", "RETURNING", "ROW", "ROWS",
    "SIMILAR", "TEMP", "TEMPORARY", "WINDOW"};

const char *const mysqlKeywords[] = {
    "DIV", "DUAL", "FORCE", "IGNORE", "LOW_PRIORITY", "MOD", "REGEXP", "REPLACE", "RLIKE",
    "SEPARATOR", "SQL_CALC_FOUND_ROWS", "STRAIGHT_JOIN", "XOR"};

const char *const odbcKeywords[] = {"FETCH", "FIRST", "NEXT", "ONLY", "ROWS", "TOP"};

template <size_t N>
void addWords(QSet<QString> &set, const char *const (&words)[N])
{
    for (const char *w : words)
        set.insert(QLatin1String(w));
}

struct KeywordSets
{
    QSet<QString> sets[4];
    KeywordSets()
    {
        for (auto &set : sets)
            addWords(set, commonKeywords);
        addWords(sets[int(SqlDialect::SQLite)], sqliteKeywords);
        addWords(sets[int(SqlDialect::PostgreSQL)], postgresKeywords);
        addWords(sets[int(SqlDialect::MySQL)], mysqlKeywords);
        addWords(sets[int(SqlDialect::ODBC)], odbcKeywords);
    }
};

const QSet<QString> &keywordSet(SqlDialect dialect)
{
    static const KeywordSets keywords;
    return keywords.sets[int(dialect)];
}

bool isWordStart(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The end of a quoted run that closes with `quote` (a doubled quote stays inside; with
// backslashEscapes a backslash takes the next character along). Sets closed.
int quotedEnd(QStringView line, int pos, QChar quote, bool backslashEscapes, bool *closed)
{
    const int n = int(line.size());
    while (pos < n) {
        const QChar c = line[pos];
        if (backslashEscapes && c == u'\\') {
            pos += 2;
            continue;
        }
        if (c == quote) {
            if (pos + 1 < n && line[pos + 1] == quote && quote != u']') {
                pos += 2;
                continue;
            }
            *closed = true;
            return pos + 1;
        }
        ++pos;
    }
    *closed = false;
    return n;
}

int numberEnd(QStringView line, int pos)
{
    const int n = int(line.size());
    while (pos < n && isDigit(line[pos]))
        ++pos;
    if (pos < n && line[pos] == u'.') {
        ++pos;
        while (pos < n && isDigit(line[pos]))
            ++pos;
    }
    if (pos < n && (line[pos] == u'e' || line[pos] == u'E')) {
        int p = pos + 1;
        if (p < n && (line[p] == u'+' || line[p] == u'-'))
            ++p;
        if (p < n && isDigit(line[p])) {
            pos = p;
            while (pos < n && isDigit(line[pos]))
                ++pos;
        }
    }
    return pos;
}

} // namespace

int TokenizeSqlLine(QStringView line, int state, SqlDialect dialect, QList<SqlToken> *tokens)
{
    const bool mysql = dialect == SqlDialect::MySQL;
    const int n = int(line.size());
    int pos = 0;
    auto push = [&](SqlTokenKind kind, int end) {
        if (end > pos)
            tokens->append({kind, pos, end - pos});
        pos = end;
    };
    // What the previous line left open goes on here.
    auto continueQuoted = [&](SqlTokenKind kind, QChar quote, bool escapes) {
        bool closed = false;
        const int end = quotedEnd(line, pos, quote, escapes, &closed);
        push(kind, end);
        return closed;
    };
    switch (state) {
    case LexBlockComment: {
        const int close = int(line.indexOf(u"*/"));
        if (close < 0) {
            push(SqlTokenKind::Comment, n);
            return LexBlockComment;
        }
        push(SqlTokenKind::Comment, close + 2);
        break;
    }
    case LexString:
        if (!continueQuoted(SqlTokenKind::String, u'\'', mysql))
            return LexString;
        break;
    case LexDoubleQuoted:
        if (!continueQuoted(mysql ? SqlTokenKind::String : SqlTokenKind::QuotedName, u'"', mysql))
            return LexDoubleQuoted;
        break;
    case LexBacktick:
        if (!continueQuoted(SqlTokenKind::QuotedName, u'`', false))
            return LexBacktick;
        break;
    case LexBracket:
        if (!continueQuoted(SqlTokenKind::QuotedName, u']', false))
            return LexBracket;
        break;
    default:
        break;
    }

    while (pos < n) {
        const QChar c = line[pos];
        const QChar next = pos + 1 < n ? line[pos + 1] : QChar();
        if (c.isSpace()) {
            int end = pos + 1;
            while (end < n && line[end].isSpace())
                ++end;
            push(SqlTokenKind::Space, end);
        } else if ((c == u'-' && next == u'-') || (mysql && c == u'#')) {
            push(SqlTokenKind::Comment, n);
        } else if (c == u'/' && next == u'*') {
            const int close = int(line.indexOf(u"*/", pos + 2));
            if (close < 0) {
                push(SqlTokenKind::Comment, n);
                return LexBlockComment;
            }
            push(SqlTokenKind::Comment, close + 2);
        } else if (c == u'\'' || c == u'"' || c == u'`' || (c == u'[' && dialect == SqlDialect::SQLite)) {
            const bool backtick = c == u'`' && (mysql || dialect == SqlDialect::SQLite);
            if (c == u'`' && !backtick) {
                push(SqlTokenKind::Symbol, pos + 1);
                continue;
            }
            const QChar close = c == u'[' ? QChar(u']') : c;
            const bool isString = c == u'\'' || (mysql && c == u'"');
            bool closed = false;
            const int end = quotedEnd(line, pos + 1, close, isString && mysql, &closed);
            push(isString ? SqlTokenKind::String : SqlTokenKind::QuotedName, end);
            if (!closed)
                return c == u'\'' ? LexString : c == u'"' ? LexDoubleQuoted : c == u'`' ? LexBacktick : LexBracket;
        } else if (isDigit(c) || (c == u'.' && isDigit(next))) {
            int end = numberEnd(line, pos);
            // 1abc is a name on some engines; keep it one word rather than a number and a name.
            if (end < n && isWordStart(line[end])) {
                while (end < n && isWordChar(line[end]))
                    ++end;
                push(SqlTokenKind::Word, end);
            } else {
                push(SqlTokenKind::Number, end);
            }
        } else if (isWordStart(c)) {
            int end = pos + 1;
            while (end < n && isWordChar(line[end]))
                ++end;
            push(SqlTokenKind::Word, end);
        } else if (c == u':' && next == u':') {
            push(SqlTokenKind::Symbol, pos + 2);  // a PostgreSQL cast, not a parameter
        } else if (c == u':' && isWordStart(next)) {
            int end = pos + 2;
            while (end < n && isWordChar(line[end]))
                ++end;
            push(SqlTokenKind::Parameter, end);
        } else if (c == u'$' && isDigit(next)) {
            int end = pos + 2;
            while (end < n && isDigit(line[end]))
                ++end;
            push(SqlTokenKind::Parameter, end);
        } else if (c == u'?') {
            push(SqlTokenKind::Parameter, pos + 1);
        } else {
            // A character outside the first plane is one symbol, not two halves.
            push(SqlTokenKind::Symbol, c.isHighSurrogate() && pos + 1 < n && line[pos + 1].isLowSurrogate() ? pos + 2 : pos + 1);
        }
    }
    return LexNormal;
}

QList<SqlToken> TokenizeSql(QStringView text, SqlDialect dialect)
{
    QList<SqlToken> tokens;
    int state = LexNormal;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        const int first = int(tokens.size());
        state = TokenizeSqlLine(text.mid(start, end - start), state, dialect, &tokens);
        for (int i = first; i < tokens.size(); ++i)
            tokens[i].start += int(start);
        if (end < text.size())
            tokens.append({SqlTokenKind::Space, int(end), 1});
        start = end + 1;
    }
    return tokens;
}

bool IsSqlKeyword(QStringView word, SqlDialect dialect)
{
    // The language's own words, and every word the engine reserves (its own list where the
    // connection read one).
    const QString upper = word.toString().toUpper();
    return keywordSet(dialect).contains(upper) || IsReservedWord(upper, dialect);
}

QStringList SqlKeywords(SqlDialect dialect)
{
    QStringList words = keywordSet(dialect).values();
    std::sort(words.begin(), words.end());
    return words;
}

QString UnquotedName(QStringView quoted)
{
    if (quoted.size() < 2)
        return quoted.toString();
    const QChar open = quoted.front();
    const QChar close = open == u'[' ? QChar(u']') : open;
    if ((open != u'"' && open != u'`' && open != u'[') || quoted.back() != close)
        return quoted.toString();
    QString name = quoted.mid(1, quoted.size() - 2).toString();
    if (open != u'[')
        name.replace(QString(2, close), QString(close));
    return name;
}
