// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

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

// What each engine reads differently, from the options.
struct Rules
{
    bool hashComments = false;     // # to the line's end
    bool dashNeedsSpace = false;   // -- only before a blank, a control character or the end
    bool executable = false;       // /*! ... */ and /*M! ... */ hold code
    bool nestedComments = false;   // /* /* */ */
    bool dollarQuotes = false;     // $tag$ ... $tag$
    bool escapedStrings = false;   // E'...' with backslash escapes
    bool backticks = false;        // `name`
    bool brackets = false;         // [name]
    bool doubleQuotedStrings = false;
    bool backslashEscapes = false;  // in '...' (and "..." where that is a string)
};

Rules rulesOf(const SqlLexOptions &options)
{
    Rules r;
    if (options.anyEngine) {
        r.executable = r.dollarQuotes = r.backticks = true;
        return r;
    }
    const SqlDialect d = options.dialect;
    r.hashComments = r.dashNeedsSpace = r.executable = r.doubleQuotedStrings = d == SqlDialect::MySQL;
    r.backslashEscapes = d == SqlDialect::MySQL && options.backslashEscapes;
    r.nestedComments = r.dollarQuotes = r.escapedStrings = d == SqlDialect::PostgreSQL;
    r.backticks = d == SqlDialect::MySQL || d == SqlDialect::SQLite;
    r.brackets = d == SqlDialect::SQLite;
    return r;
}

// A state's parts above its kind: a comment's depth beyond the first, a dollar tag's hash.
constexpr int ExtraShift = 8;
constexpr uint TagHashMask = (1u << 22) - 1;

uint tagHash(QStringView tag)
{
    uint h = 2166136261u;
    for (const QChar c : tag)
        h = (h ^ c.unicode()) * 16777619u;
    return h & TagHashMask;
}

// The end of the dollar quote's tag ($$, $tag$) at pos, or -1.
int dollarTagEnd(QStringView text, int pos)
{
    const int n = int(text.size());
    int k = pos + 1;
    while (k < n && (text[k].isLetter() || text[k] == u'_' || (k > pos + 1 && isDigit(text[k]))))
        ++k;
    return k < n && text[k] == u'$' ? k + 1 : -1;
}

// One reading of a text from a state; each step pushes the token it read.
class Lexer
{
public:
    Lexer(QStringView text, const SqlLexOptions &options, QList<SqlToken> *tokens)
        : m_text(text), m_n(int(text.size())), m_rules(rulesOf(options)), m_tokens(tokens)
    {
    }

    int run(int state)
    {
        m_executable = state & LexInExecutable;
        const int open = resume(state & LexKindMask, state >> ExtraShift);
        if (open)
            return open;
        while (m_pos < m_n) {
            if (const int still = step())
                return still;
        }
        return m_executable ? LexInExecutable : LexNormal;
    }

private:
    QChar at(int k) const { return k < m_n ? m_text[k] : QChar(); }

    void push(SqlTokenKind kind, int end)
    {
        if (end > m_pos)
            m_tokens->append({kind, m_pos, end - m_pos});
        m_pos = end;
    }

    // The state to return when a token runs to the end of the text.
    int opened(int kind, int extra = 0) const
    {
        return kind | (m_executable ? LexInExecutable : 0) | (extra << ExtraShift);
    }

    // What the previous line left open goes on here; 0 when it closes.
    int resume(int kind, int extra)
    {
        switch (kind) {
        case LexBlockComment: return blockComment(m_pos, extra + 1);
        case LexString: return quoted(SqlTokenKind::String, u'\'', m_rules.backslashEscapes, m_pos, LexString);
        case LexDoubleQuoted: return doubleQuoted(m_pos);
        case LexBacktick: return quoted(SqlTokenKind::QuotedName, u'`', false, m_pos, LexBacktick);
        case LexBracket: return quoted(SqlTokenKind::QuotedName, u']', false, m_pos, LexBracket);
        case LexEscapedString: return quoted(SqlTokenKind::String, u'\'', true, m_pos, LexEscapedString);
        case LexDollarQuoted: return dollarByHash(uint(extra));
        default: return 0;
        }
    }

    int blockComment(int from, int depth)
    {
        int k = from;
        while (k < m_n) {
            if (m_text[k] == u'*' && at(k + 1) == u'/') {
                k += 2;
                if (--depth == 0) {
                    push(SqlTokenKind::Comment, k);
                    return 0;
                }
            } else if (m_rules.nestedComments && m_text[k] == u'/' && at(k + 1) == u'*') {
                k += 2;
                ++depth;
            } else {
                ++k;
            }
        }
        push(SqlTokenKind::Comment, m_n);
        return opened(LexBlockComment, depth - 1);
    }

    int quoted(SqlTokenKind kind, QChar close, bool escapes, int from, int state)
    {
        bool closed = false;
        push(kind, quotedEnd(m_text, from, close, escapes, &closed));
        return closed ? 0 : opened(state);
    }

    int doubleQuoted(int from)
    {
        const bool string = m_rules.doubleQuotedStrings;
        return quoted(string ? SqlTokenKind::String : SqlTokenKind::QuotedName, u'"',
                      string && m_rules.backslashEscapes, from, LexDoubleQuoted);
    }

    int dollarQuoted(int tagEnd)
    {
        const QStringView tag = m_text.mid(m_pos, tagEnd - m_pos);
        const qsizetype close = m_text.indexOf(tag, tagEnd);
        if (close >= 0) {
            push(SqlTokenKind::String, int(close + tag.size()));
            return 0;
        }
        push(SqlTokenKind::String, m_n);
        return opened(LexDollarQuoted, int(tagHash(tag)));
    }

    // A dollar quote from an earlier line, whose tag only its hash tells.
    int dollarByHash(uint hash)
    {
        for (int k = m_pos; k < m_n; ++k) {
            if (m_text[k] != u'$')
                continue;
            const int end = dollarTagEnd(m_text, k);
            if (end < 0)
                continue;
            if (tagHash(m_text.mid(k, end - k)) == hash) {
                push(SqlTokenKind::String, end);
                return 0;
            }
            k = end - 2;  // the tag's closing "$" may open the next one
        }
        push(SqlTokenKind::String, m_n);
        return opened(LexDollarQuoted, int(hash));
    }

    bool lineCommentStarts(QChar c, QChar next) const
    {
        if (m_rules.hashComments && c == u'#')
            return true;
        if (c != u'-' || next != u'-')
            return false;
        // MySQL's "--" starts a comment only before a blank or a control character.
        const QChar after = at(m_pos + 2);
        return !m_rules.dashNeedsSpace || m_pos + 2 >= m_n || after.unicode() <= 0x20 || after.unicode() == 0x7f;
    }

    // Reads one token; returns the state when it runs to the end of the text still open.
    int step()
    {
        const QChar c = m_text[m_pos];
        const QChar next = at(m_pos + 1);
        if (m_executable && c == u'*' && next == u'/') {
            m_executable = false;
            push(SqlTokenKind::Comment, m_pos + 2);
        } else if (c.isSpace()) {
            int end = m_pos + 1;
            while (end < m_n && m_text[end].isSpace())
                ++end;
            push(SqlTokenKind::Space, end);
        } else if (lineCommentStarts(c, next)) {
            const qsizetype end = m_text.indexOf(u'\n', m_pos);
            push(SqlTokenKind::Comment, end < 0 ? m_n : int(end));
        } else if (c == u'/' && next == u'*') {
            const bool mariadb = at(m_pos + 2) == u'M' && at(m_pos + 3) == u'!';
            if (m_rules.executable && !m_executable && (at(m_pos + 2) == u'!' || mariadb)) {
                // The code inside runs (on a server at least the version given after "!").
                int end = m_pos + (mariadb ? 4 : 3);
                for (int digits = 0; digits < 6 && isDigit(at(end)); ++digits)
                    ++end;
                m_executable = true;
                push(SqlTokenKind::Comment, end);
            } else {
                return blockComment(m_pos + 2, 1);
            }
        } else if (c == u'\'') {
            return quoted(SqlTokenKind::String, u'\'', m_rules.backslashEscapes, m_pos + 1, LexString);
        } else if (c == u'"') {
            return doubleQuoted(m_pos + 1);
        } else if ((c == u'`' && m_rules.backticks) || (c == u'[' && m_rules.brackets)) {
            const bool backtick = c == u'`';
            return quoted(SqlTokenKind::QuotedName, backtick ? c : QChar(u']'), false, m_pos + 1,
                          backtick ? LexBacktick : LexBracket);
        } else if (m_rules.escapedStrings && (c == u'E' || c == u'e') && next == u'\'') {
            return quoted(SqlTokenKind::String, u'\'', true, m_pos + 2, LexEscapedString);
        } else if (const int tagEnd = m_rules.dollarQuotes && c == u'$' ? dollarTagEnd(m_text, m_pos) : -1; tagEnd > 0) {
            return dollarQuoted(tagEnd);
        } else {
            plain(c, next);
        }
        return 0;
    }

    // Numbers, words, parameters and symbols.
    void plain(QChar c, QChar next)
    {
        auto wordEnd = [&](int end) {
            while (end < m_n && IsSqlWordChar(m_text[end], true))
                ++end;
            return end;
        };
        if (isDigit(c) || (c == u'.' && isDigit(next))) {
            const int end = numberEnd(m_text, m_pos);
            // 1abc is a name on some engines; keep it one word rather than a number and a name.
            if (end < m_n && isWordStart(m_text[end]))
                push(SqlTokenKind::Word, wordEnd(end));
            else
                push(SqlTokenKind::Number, end);
        } else if (isWordStart(c)) {
            push(SqlTokenKind::Word, wordEnd(m_pos + 1));
        } else if (c == u':' && next == u':') {
            push(SqlTokenKind::Symbol, m_pos + 2);  // a PostgreSQL cast, not a parameter
        } else if (c == u':' && isWordStart(next)) {
            push(SqlTokenKind::Parameter, wordEnd(m_pos + 2));
        } else if (c == u'$' && isDigit(next)) {
            int end = m_pos + 2;
            while (end < m_n && isDigit(m_text[end]))
                ++end;
            push(SqlTokenKind::Parameter, end);
        } else if (c == u'?') {
            push(SqlTokenKind::Parameter, m_pos + 1);
        } else {
            // A character outside the first plane is one symbol, not two halves.
            push(SqlTokenKind::Symbol, c.isHighSurrogate() && next.isLowSurrogate() ? m_pos + 2 : m_pos + 1);
        }
    }

    const QStringView m_text;
    const int m_n;
    const Rules m_rules;
    QList<SqlToken> *const m_tokens;
    int m_pos = 0;
    bool m_executable = false;
};

} // namespace

bool IsSqlWordChar(QChar c, bool dollar)
{
    return c.isLetterOrNumber() || c == u'_' || (dollar && c == u'$');
}

int TokenizeSqlLine(QStringView line, int state, const SqlLexOptions &options, QList<SqlToken> *tokens)
{
    return Lexer(line, options, tokens).run(state);
}

QList<SqlToken> TokenizeSql(QStringView text, const SqlLexOptions &options)
{
    QList<SqlToken> tokens;
    int state = LexNormal;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        const int first = int(tokens.size());
        state = TokenizeSqlLine(text.mid(start, end - start), state, options, &tokens);
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
