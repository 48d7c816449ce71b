#include "sqlreading.h"

#include "sqlparameters.h"

namespace {

bool isNameChar(QChar c, SqlDialect dialect)
{
    return c.isLetterOrNumber() || c == u'_' || (c == u'$' && dialect != SqlDialect::SQLite);
}

// The index of the quote that closes the run opened at open: a doubled quote stays inside,
// and with escapes a backslash takes the next character along. The end when it never closes.
qsizetype closingQuote(const QString &sql, qsizetype open, QChar quote, bool escapes)
{
    const qsizetype n = sql.size();
    for (qsizetype i = open + 1; i < n; ++i) {
        const QChar c = sql.at(i);
        if (escapes && c == u'\\') {
            ++i;
        } else if (c == quote) {
            if (quote == u']' || i + 1 >= n || sql.at(i + 1) != quote)
                return i;
            ++i;
        }
    }
    return n;
}

// The last character of a comment that runs to the end of the line.
qsizetype lineCommentEnd(const QString &sql, qsizetype i, bool carriageReturnEnds)
{
    const qsizetype n = sql.size();
    while (i < n && sql.at(i) != u'\n' && !(carriageReturnEnds && sql.at(i) == u'\r'))
        ++i;
    return i;
}

// The last character of the block comment opened at i ("*/"); PostgreSQL nests them.
qsizetype blockCommentEnd(const QString &sql, qsizetype i, bool nested)
{
    const qsizetype n = sql.size();
    int depth = 0;
    for (; i + 1 < n; ++i) {
        if (sql.at(i) == u'/' && sql.at(i + 1) == u'*' && (nested || depth == 0)) {
            ++depth;
            ++i;
        } else if (sql.at(i) == u'*' && sql.at(i + 1) == u'/') {
            ++i;
            if (--depth == 0)
                return i;
        }
    }
    return n;
}

// PostgreSQL: the tag of a dollar quote at i ("$$", "$name$"), else empty.
QString dollarTag(const QString &sql, qsizetype i)
{
    qsizetype j = i + 1;
    if (j < sql.size() && (sql.at(j).isLetter() || sql.at(j) == u'_')) {
        while (j < sql.size() && (sql.at(j).isLetterOrNumber() || sql.at(j) == u'_'))
            ++j;
    }
    return j < sql.size() && sql.at(j) == u'$' ? sql.mid(i, j - i + 1) : QString();
}

void forEachPostgresCodeChar(const QString &sql, const std::function<qsizetype(qsizetype)> &visit)
{
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = sql.at(i);
        const QChar next = i + 1 < n ? sql.at(i + 1) : QChar();
        // A prefix or a "$" only counts at the start of a token, not inside a name.
        const bool tokenStart = i == 0 || !isNameChar(sql.at(i - 1), SqlDialect::PostgreSQL);
        if (c == u'\'') {
            const bool escapes = i > 0 && (sql.at(i - 1) == u'E' || sql.at(i - 1) == u'e')
                                 && (i == 1 || !isNameChar(sql.at(i - 2), SqlDialect::PostgreSQL));
            i = closingQuote(sql, i, c, escapes);
        } else if (c == u'"') {
            i = closingQuote(sql, i, c, false);
        } else if (c == u'-' && next == u'-') {
            i = lineCommentEnd(sql, i, true);
        } else if (c == u'/' && next == u'*') {
            i = blockCommentEnd(sql, i, true);
        } else if (c == u'$' && tokenStart && !dollarTag(sql, i).isEmpty()) {
            const QString tag = dollarTag(sql, i);
            const qsizetype end = sql.indexOf(tag, i + tag.size());
            i = end < 0 ? n : end + tag.size() - 1;
        } else {
            i = visit(i);
        }
    }
}

void forEachMySqlCodeChar(const QString &sql, bool backslashEscapes, const std::function<qsizetype(qsizetype)> &visit)
{
    const qsizetype n = sql.size();
    bool executable = false;  // inside /*! ... */, whose text the server runs
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = sql.at(i);
        const QChar next = i + 1 < n ? sql.at(i + 1) : QChar();
        if (c == u'\'' || c == u'"') {
            i = closingQuote(sql, i, c, backslashEscapes);
        } else if (c == u'`') {
            i = closingQuote(sql, i, c, false);
        } else if (c == u'#' || (c == u'-' && next == u'-' && (i + 2 >= n || sql.at(i + 2).unicode() <= ' '))) {
            i = lineCommentEnd(sql, i, false);
        } else if (c == u'/' && next == u'*') {
            qsizetype marker = i + 2;
            if (marker < n && sql.at(marker) == u'M')
                ++marker;
            if (marker < n && sql.at(marker) == u'!' && !executable) {
                // The version the text needs: its digits are no code.
                for (++marker; marker < n && marker - i < 10 && sql.at(marker).isDigit(); ++marker) {
                }
                executable = true;
                i = marker - 1;
            } else {
                i = blockCommentEnd(sql, i, false);
            }
        } else if (executable && c == u'*' && next == u'/') {
            executable = false;
            ++i;
        } else {
            i = visit(i);
        }
    }
}

void forEachSqliteCodeChar(const QString &sql, const std::function<qsizetype(qsizetype)> &visit)
{
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = sql.at(i);
        const QChar next = i + 1 < n ? sql.at(i + 1) : QChar();
        if (c == u'\'' || c == u'"' || c == u'`') {
            i = closingQuote(sql, i, c, false);
        } else if (c == u'[') {
            i = closingQuote(sql, i, u']', false);
        } else if (c == u'-' && next == u'-') {
            i = lineCommentEnd(sql, i, false);
        } else if (c == u'/' && next == u'*') {
            i = blockCommentEnd(sql, i, false);
        } else {
            i = visit(i);
        }
    }
}

} // namespace

void ForEachSqlCodeChar(const QString &sql, const SqlReading &reading, const std::function<qsizetype(qsizetype)> &visit)
{
    switch (reading.dialect) {
    case SqlDialect::PostgreSQL:
        forEachPostgresCodeChar(sql, visit);
        return;
    case SqlDialect::MySQL:
        forEachMySqlCodeChar(sql, reading.backslashEscapes, visit);
        return;
    case SqlDialect::SQLite:
        forEachSqliteCodeChar(sql, visit);
        return;
    case SqlDialect::ODBC:
        ForEachSqlCodeChar(sql, visit);
        return;
    }
}
