// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

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

// The rows as the run spools them: next() steps to a row, encode() writes one of its values;
// the fields are judged by every row.
template <typename Next, typename Encode>
Spooled SpoolEach(int columns, Next next, Encode encode)
{
    using namespace TQueryReading;
    Spooled out;
    QList<TFieldInfo> fields(columns, TFieldInfo{QString(), TFieldKind::Other, -1});
    SpoolBuffer buffer;
    while (next()) {
        for (int i = 0; i < columns; ++i)
            encode(buffer, i, &fields[i]);
        ++out.rows;
    }
    out.bytes = QByteArray(buffer.data(), buffer.size());
    for (const TFieldInfo &f : fields)
        out.kinds.append(int(f.kind));
    return out;
}

// The rows of the driver's query through its values.
inline Spooled SpoolDriverRows(QSqlQuery &q)
{
    Spooled out = SpoolEach(
        q.record().count(), [&] { return q.next(); },
        [&](TQueryReading::SpoolBuffer &b, int i, TFieldInfo *f) { TQueryReading::encodeJudged(b, q.value(i), f); });
    out.error = q.lastError().isValid() ? TDatabase::ErrorText(q.lastError()) : QString();
    return out;
}

// The rows of a result of that many columns as an engine's own reader spools them.
template <typename Rows>
Spooled SpoolDirectRows(Rows &rows, int columns)
{
    Spooled out = SpoolEach(
        columns, [&] { return rows.next(); },
        [&](TQueryReading::SpoolBuffer &b, int i, TFieldInfo *f) { rows.encode(b, i, f); });
    out.error = rows.error();
    return out;
}

// The rows of the driver's query, through its values or through the engine's reader of it.
template <typename Rows>
Spooled SpoolRows(QSqlQuery &q, Rows &rows, bool direct)
{
    return direct ? SpoolDirectRows(rows, q.record().count()) : SpoolDriverRows(q);
}

// A reading of an engine's reader row by row, as the run reads it, that keeps where each row
// starts in the spool; for the tests of the last rows read ahead.
template <typename Rows>
struct ForwardReading
{
    Rows &rows;
    int columns;
    TQueryReading::SpoolBuffer spool;
    QList<qsizetype> starts;

    // Reads on until that many rows are read or the rows end.
    void readTo(qint64 upTo)
    {
        while (starts.size() < upTo && rows.next()) {
            starts.append(spool.size());
            for (int i = 0; i < columns; ++i)
                rows.encode(spool, i, nullptr);
        }
    }

    // The last rows read ahead (`tail` of them, where `got` says they were) are those the
    // reading got to itself, in the same bytes; a row written elsewhere after the statement
    // began, with the text "later", is in neither.
    void compareEnd(bool got, bool readAhead, const TQueryReading::EndRows &end, int tail) const
    {
        QVERIFY2(rows.error().isEmpty(), qPrintable(rows.error()));
        QCOMPARE(got, readAhead);
        if (!readAhead) {
            QCOMPARE(end.total, -1);
            return;
        }
        QVERIFY(!QByteArrayView(spool.data(), spool.size()).contains("later"));
        QVERIFY(!end.bytes.contains("later"));
        const qint64 read = starts.size();
        QCOMPARE(end.total, read);
        QCOMPARE(end.from, read - tail);
        const qsizetype at = starts.at(end.from);
        QCOMPARE(end.bytes.toHex(), QByteArray(spool.data() + at, spool.size() - at).toHex());
    }
};

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
