#include "sqlparameters.h"

#include <QSet>

QStringList SqlParameterNames(const QString &sql)
{
    QStringList names;
    // Seen names, case-folded: a statement with many parameters costs no more per name.
    QSet<QString> seen;
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = sql.at(i);
        if (c == u'\'' || c == u'"' || c == u'`') {
            const qsizetype end = sql.indexOf(c, i + 1);
            i = end < 0 ? n : end;
        } else if (c == u'-' && i + 1 < n && sql.at(i + 1) == u'-') {
            const qsizetype end = sql.indexOf(u'\n', i);
            i = end < 0 ? n : end;
        } else if (c == u':' && i + 1 < n && (i == 0 || sql.at(i - 1) != u':')
                   && (sql.at(i + 1).isLetterOrNumber() || sql.at(i + 1) == u'_')) {
            qsizetype j = i + 1;
            while (j < n && (sql.at(j).isLetterOrNumber() || sql.at(j) == u'_'))
                ++j;
            const QString name = sql.mid(i + 1, j - i - 1);
            if (!seen.contains(name.toCaseFolded())) {
                seen.insert(name.toCaseFolded());
                names.append(name);
            }
            i = j - 1;
        }
    }
    return names;
}
