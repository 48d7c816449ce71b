// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "sqlparameters.h"

#include <QSet>

qsizetype SqlWordEnd(const QString &sql, qsizetype i)
{
    while (i < sql.size() && IsSqlWordChar(sql.at(i)))
        ++i;
    return i;
}

void ForEachSqlCodeChar(const QString &sql, const SqlLexOptions &options,
                        const std::function<qsizetype(qsizetype)> &visit)
{
    QList<SqlToken> tokens;
    TokenizeSqlLine(sql, LexNormal, options, &tokens);
    qsizetype i = 0;  // the first character not yet visited or passed over
    for (const SqlToken &t : tokens) {
        const qsizetype end = qsizetype(t.start) + t.length;
        if (t.kind == SqlTokenKind::String || t.kind == SqlTokenKind::QuotedName || t.kind == SqlTokenKind::Comment) {
            i = qMax(i, end);
            continue;
        }
        for (i = qMax(i, qsizetype(t.start)); i < end; ++i)
            i = visit(i);
    }
}

void ForEachSqlCodeChar(const QString &sql, const std::function<qsizetype(qsizetype)> &visit)
{
    ForEachSqlCodeChar(sql, SqlLexOptions::AnyEngine(), visit);
}

QStringList SqlParameterNames(const QString &sql, const SqlLexOptions &options)
{
    QStringList names;
    // Seen names, case-folded: a statement with many parameters costs no more per name.
    QSet<QString> seen;
    const qsizetype n = sql.size();
    ForEachSqlCodeChar(sql, options, [&](qsizetype i) {
        if (sql.at(i) != u':' || i + 1 >= n || (i > 0 && sql.at(i - 1) == u':') || !IsSqlWordChar(sql.at(i + 1)))
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
