#pragma once

// The rows of an executed statement spooled as the run spools them, through the driver's
// values or through an engine's own reader, for tests that compare the two.

#include "tdatabase.h"
#include "tqueryreading_p.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

struct Spooled
{
    QByteArray bytes;
    qint64 rows = 0;
    QString error;
    QList<int> kinds;  // of the fields, judged by every row
};

template <typename Rows>
Spooled SpoolRows(QSqlQuery &q, Rows &rows, bool direct)
{
    using namespace TQueryReading;
    Spooled out;
    QList<TFieldInfo> fields(q.record().count(), TFieldInfo{QString(), TFieldKind::Other, -1});
    SpoolBuffer buffer;
    while (direct ? rows.next() : q.next()) {
        for (int i = 0; i < fields.size(); ++i) {
            if (direct)
                rows.encode(buffer, i, &fields[i]);
            else
                encodeJudged(buffer, q.value(i), &fields[i]);
        }
        ++out.rows;
    }
    out.bytes = QByteArray(buffer.data(), buffer.size());
    out.error = direct ? rows.error() : q.lastError().isValid() ? TDatabase::ErrorText(q.lastError()) : QString();
    for (const TFieldInfo &f : fields)
        out.kinds.append(int(f.kind));
    return out;
}

// Both readings of one statement: the rows expected, a failure or none, and the same bytes,
// field kinds and message from each.
inline void CompareSpooled(const Spooled &driver, const Spooled &direct, qint64 rows, bool fails)
{
    QCOMPARE(driver.rows, rows);
    QCOMPARE(direct.rows, rows);
    QCOMPARE(direct.error.isEmpty(), !fails);
    QCOMPARE(direct.error, driver.error);
    QCOMPARE(direct.kinds, driver.kinds);
    QCOMPARE(direct.bytes.toHex(), driver.bytes.toHex());
}
