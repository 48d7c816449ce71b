#include "sqlparameters.h"

#include <QSet>

namespace {

bool isSqlWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

} // namespace

qsizetype SqlWordEnd(const QString &sql, qsizetype i)
{
    while (i < sql.size() && isSqlWordChar(sql.at(i)))
        ++i;
    return i;
}

void ForEachSqlCodeChar(const QString &sql, const std::function<qsizetype(qsizetype)> &visit)
{
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = sql.at(i);
        if (c == u'\'' || c == u'"' || c == u'`') {
            const qsizetype end = sql.indexOf(c, i + 1);
            i = end < 0 ? n : end;
        } else if (c == u'-' && i + 1 < n && sql.at(i + 1) == u'-') {
            const qsizetype end = sql.indexOf(u'\n', i);
            i = end < 0 ? n : end;
        } else if (c == u'/' && i + 1 < n && sql.at(i + 1) == u'*') {
            const qsizetype end = sql.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? n : end + 1;
        } else if (c == u'$' && i + 1 < n && (sql.at(i + 1) == u'$' || sql.at(i + 1).isLetter())
                   && SqlWordEnd(sql, i + 1) < n && sql.at(SqlWordEnd(sql, i + 1)) == u'$') {
            // $$...$$ or $tag$...$tag$
            const QString tag = sql.mid(i, SqlWordEnd(sql, i + 1) - i + 1);
            const qsizetype end = sql.indexOf(tag, i + tag.size());
            i = end < 0 ? n : end + tag.size() - 1;
        } else {
            i = visit(i);
        }
    }
}

QStringList SqlParameterNames(const QString &sql)
{
    return SqlParameterNames(sql, SqlReading());
}

QStringList SqlParameterNames(const QString &sql, const SqlReading &reading)
{
    QStringList names;
    // Seen names, case-folded: a statement with many parameters costs no more per name.
    QSet<QString> seen;
    const qsizetype n = sql.size();
    ForEachSqlCodeChar(sql, reading, [&](qsizetype i) {
        if (sql.at(i) != u':' || i + 1 >= n || (i > 0 && sql.at(i - 1) == u':') || !isSqlWordChar(sql.at(i + 1)))
            return i;
        const qsizetype j = SqlWordEnd(sql, i + 1);
        const QString name = sql.mid(i + 1, j - i - 1);
        if (!seen.contains(name.toCaseFolded())) {
            seen.insert(name.toCaseFolded());
            names.append(name);
        }
        return j - 1;
    });
    return names;
}
