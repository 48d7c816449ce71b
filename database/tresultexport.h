// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "tquery.h"

#include <QByteArray>
#include <QList>
#include <QString>

class QIODevice;

// Writes the whole result of an open query, read from its spool in order: the rows read so far
// and then those the reading adds, never running the statement again. CSV is RFC 4180 (UTF-8,
// a header line of the names, CRLF line ends, quotes only where needed, NULL as an empty
// field); JSON is an array of one object per row (numbers as numbers, NULL as null). The
// caller drives it a chunk at a time, so that a window can show the progress between chunks.
class TResultExport
{
public:
    enum class Format { Csv, Json };

    TResultExport(const TQuery &query, Format format, QIODevice &out);

    // Writes the header line (CSV) or the array's start (JSON).
    bool Begin();
    // Writes the rows the reading has got to, about maxBytes of the spool at most; returns how
    // many rows, 0 when no more are there yet, -1 on an error (see ErrorString).
    qint64 WriteAvailable(qint64 maxBytes = qint64(4) << 20);
    // Every row is written: the reading has ended and the spool is read to its last row.
    bool AtEnd() const;
    // Writes the array's end (JSON).
    bool Finish();

    qint64 RowsWritten() const { return m_cursor.row; }
    QString ErrorString() const { return m_error; }

    // Writes the whole result, waiting for the reading where it must (for programs without a
    // window).
    bool WriteAll();

private:
    bool write(const QByteArray &bytes);
    bool appendRows(const QByteArray &spool, qint64 rows);

    const TQuery &m_query;
    Format m_format;
    QIODevice &m_out;
    QList<TFieldInfo> m_fields;
    QList<QByteArray> m_keys;  // JSON: each field's "name": text
    TQuery::SpoolCursor m_cursor;
    QByteArray m_spool;
    QByteArray m_text;
    QString m_error;
};
