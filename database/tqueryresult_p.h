// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// The run of a query as the query sees it: the statement executed once on a thread with a
// connection of its own (see tqueryrun_p.h), a SELECT's rows read back in blocks from the
// spool file the thread writes. Private to the query.

#include "tdatabase.h"
#include "tquery.h"
#include "tqueryrun_p.h"
#include "vdqerror.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryFile>

#include <thread>

using namespace TQueryReading;

class TQuery::Result
{
public:
    Result(TQuery *owner, TDatabase *db, RunKind kind, const QString &statement, Binds binds)
        : m_db(db),
          m_run(std::make_shared<Run>(owner, kind, ConnectionParams::of(db->Connection()), statement, std::move(binds),
                                      db->DriverFamily(), db->Dialect())),
          m_timeout(db->Params().statementTimeout)
    {
    }

    ~Result()
    {
        if (!m_thread.joinable())
            return;
        requestStop(false);
        // A server that does not answer the cancel holds up no one: its run ends on its own.
        {
            QMutexLocker lock(&state().mutex);
            const QDeadlineTimer deadline(kAbandonMs);
            while (!state().done && !deadline.hasExpired())
                state().changed.wait(&state().mutex, deadline);
            if (!state().done) {
                m_run->orphan(kAbandoned.arg(kAbandonMs / 1000));
                m_thread.detach();
                return;
            }
        }
        m_thread.join();
    }

    TDatabase *database() const { return m_db; }
    const QList<TFieldInfo> &fields() const { return m_fields; }
    ReadState &state() { return m_run->state; }
    RunKind kind() const { return m_run->kind(); }

    void start(const SqlLexOptions &reading)
    {
        const QString &statement = m_run->statement();
        // SQLite says itself, once the statement is prepared, whether it writes.
        if (m_db->DriverFamily() != SqlDialect::SQLite) {
            const QString refusal = kind() == RunKind::Rows         ? selectRefusal(statement, reading)
                                    : severalStatements(statement, reading) ? kOneStatement
                                                                            : QString();
            if (!refusal.isEmpty())
                throw VdqError(refusal);
        }
        if (kind() == RunKind::Rows)
            openSpool();
        m_clock.start();
        // The run has a connection of its own: a connection serves one thread, and the
        // designer's stays free for its catalogue reads.
        m_thread = std::thread([run = m_run] { run->run(); });
    }

    // Waits until the first rows are in (or a statement without rows ran) or the run failed;
    // raises the failure.
    void waitOpened()
    {
        ReadState &s = state();
        QMutexLocker lock(&s.mutex);
        while (!s.opened && !s.done) {
            s.changed.wait(&s.mutex, QDeadlineTimer(50));
            lock.unlock();
            checkTimeout();
            lock.relock();
        }
        if (!s.error.isEmpty() || (kind() == RunKind::Rows && !s.opened))
            throw VdqError(failure(s.error));
        m_fields = s.fields;
    }

    // The message of a run that ended without its result.
    QString failure(const QString &error) const
    {
        return m_abandoned      ? kAbandoned.arg(kAbandonMs / 1000)
               : m_timedOut     ? kTimedOut.arg(m_timeout)
               : m_stoppedByUser ? kCancelled
                                 : error;
    }

    // Adopts the reader's fields once it opened; true when it did.
    bool adoptOpened()
    {
        ReadState &s = state();
        QMutexLocker lock(&s.mutex);
        if (s.opened)
            m_fields = s.fields;
        return s.opened;
    }

    void waitForRow(qint64 row)
    {
        ReadState &s = state();
        QMutexLocker lock(&s.mutex);
        while (!s.done && s.rows <= row) {
            s.changed.wait(&s.mutex, QDeadlineTimer(50));
            lock.unlock();
            checkTimeout();
            lock.relock();
        }
    }

    // Stops the run; a statement running in the engine is cancelled there.
    void requestStop(bool byUser)
    {
        if (!m_thread.joinable() || m_sinceStop.isValid())
            return;
        m_stoppedByUser = byUser;
        m_sinceStop.start();
        m_run->requestStop();
    }

    // Called while the query waits or looks at the run: the statement's time-out, and a
    // cancelled statement that its server does not end.
    void checkTimeout()
    {
        if (m_sinceStop.isValid()) {
            if (m_sinceStop.elapsed() < kAbandonMs || !m_thread.joinable())
                return;
            ReadState &s = state();
            QMutexLocker lock(&s.mutex);
            if (s.done)
                return;
            m_abandoned = true;
            m_run->orphan(kAbandoned.arg(kAbandonMs / 1000));
            m_thread.detach();
            return;
        }
        if (m_timeout <= 0 || !m_clock.isValid() || m_clock.elapsed() < qint64(m_timeout) * 1000)
            return;
        {
            QMutexLocker lock(&state().mutex);
            if (state().done)
                return;
        }
        m_timedOut = true;
        requestStop(false);
    }

    bool stoppedByUser() const { return m_stoppedByUser; }
    bool endSignalled = false;  // readingFinished() was emitted
    bool timedOut() const { return m_timedOut; }
    bool abandoned() const { return m_abandoned; }

    // Asks the reader for the last rows ahead of those before them.
    void wantEnd() { state().endWanted.storeRelaxed(1); }

    // Takes the last rows once the reader has read them ahead; the result's row count from
    // then on, -1 before (or where they were not read ahead).
    qint64 adoptEnd()
    {
        if (m_total >= 0)
            return m_total;
        qint64 total = -1, from = -1;
        QByteArray bytes;
        {
            ReadState &s = state();
            QMutexLocker lock(&s.mutex);
            if (s.total < 0)
                return -1;
            total = s.total;
            from = s.endFrom;
            bytes = s.endRows;
        }
        QList<Row> rows;
        if (!decodeRows(bytes, int(total - from), rows))
            return -1;
        m_end = std::move(rows);
        m_endFrom = from;
        m_total = total;
        return m_total;
    }

    // Whether the row is at hand without waiting: read, or among the last rows read ahead.
    bool hasRowNow(qint64 index)
    {
        if (index < 0)
            return false;
        if (adoptEnd() >= 0 && index >= m_endFrom && index < m_total)
            return true;
        ReadState &s = state();
        QMutexLocker lock(&s.mutex);
        return index < s.rows;
    }

    const Row *row(qint64 index)
    {
        if (index < 0)
            return nullptr;
        // The last rows read ahead, until the reading has got there itself.
        if (adoptEnd() >= 0 && index >= m_endFrom && index < m_total) {
            ReadState &s = state();
            QMutexLocker lock(&s.mutex);
            if (index >= s.rows)
                return &m_end.at(index - m_endFrom);
        }
        waitForRow(index);
        const qint64 block = index / kMarkRows;
        qint64 from = 0, to = 0, rows = 0;
        {
            ReadState &s = state();
            QMutexLocker lock(&s.mutex);
            if (index >= s.rows)
                return nullptr;
            from = s.marks.at(block);
            to = block + 1 < s.marks.size() ? s.marks.at(block + 1) : s.bytes;
            rows = qMin<qint64>(kMarkRows, s.rows - block * kMarkRows);
        }
        const int offset = int(index - block * kMarkRows);
        for (Block &b : m_cache) {
            if (b.index == block && b.rows.size() == rows) {
                b.lastUse = ++m_use;
                return &b.rows.at(offset);
            }
        }
        Block fresh;
        fresh.index = block;
        if (!readBlock(from, to, int(rows), fresh.rows))
            return nullptr;
        fresh.lastUse = ++m_use;
        Block *slot = nullptr;
        for (Block &b : m_cache) {
            if (b.index == block)
                slot = &b;  // a block that grew since it was read
        }
        if (!slot && m_cache.size() >= kMaxBlocks)
            slot = &*std::min_element(m_cache.begin(), m_cache.end(),
                                      [](const Block &a, const Block &b) { return a.lastUse < b.lastUse; });
        if (slot) {
            *slot = std::move(fresh);
        } else {
            m_cache.append(std::move(fresh));
            slot = &m_cache.last();
        }
        return &slot->rows.at(offset);
    }

    qint64 spooled(SpoolCursor &cursor, QByteArray &bytes, qint64 maxBytes)
    {
        qint64 rows = 0, to = 0;
        {
            ReadState &s = state();
            QMutexLocker lock(&s.mutex);
            if (cursor.row >= s.rows)
                return 0;
            // Up to the first mark about maxBytes on, else to the last row read.
            const auto first = s.marks.cbegin() + cursor.row / kMarkRows + 1;
            const auto mark = first > s.marks.cend() ? s.marks.cend()
                                                     : std::lower_bound(first, s.marks.cend(), cursor.offset + maxBytes);
            const qint64 markRow = qint64(mark - s.marks.cbegin()) * kMarkRows;
            if (mark != s.marks.cend() && markRow < s.rows) {
                rows = markRow - cursor.row;
                to = *mark;
            } else {
                rows = s.rows - cursor.row;
                to = s.bytes;
            }
        }
        if (!m_reader.seek(cursor.offset))
            return -1;
        bytes.resize(to - cursor.offset);
        if (m_reader.read(bytes.data(), bytes.size()) != bytes.size())
            return -1;
        cursor.row += rows;
        cursor.offset = to;
        return rows;
    }

    qint64 cachedRows() const
    {
        qint64 rows = 0;
        for (const Block &b : m_cache)
            rows += b.rows.size();
        return rows;
    }

private:
    struct Block
    {
        qint64 index = -1;
        QList<Row> rows;
        quint64 lastUse = 0;
    };

    void openSpool()
    {
        m_spool.setFileTemplate(QDir::tempPath() + QStringLiteral("/vdq-result-XXXXXX"));
        if (!m_spool.open())
            throw VdqError(QCoreApplication::translate("TQuery", "Cannot create file %1: %2")
                               .arg(m_spool.fileTemplate(), m_spool.errorString()));
        // Read without a buffer of its own: the reader thread appends behind it.
        m_reader.setFileName(m_spool.fileName());
        if (!m_reader.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            throw VdqError(QCoreApplication::translate("TQuery", "Cannot open file %1: %2")
                               .arg(m_reader.fileName(), m_reader.errorString()));
        QFile &writer = m_run->writer;
        writer.setFileName(m_spool.fileName());
        if (!writer.open(QIODevice::WriteOnly | QIODevice::Append))
            throw VdqError(QCoreApplication::translate("TQuery", "Cannot open file %1: %2")
                               .arg(writer.fileName(), writer.errorString()));
        m_run->spoolName = m_spool.fileName();
        // Both ends are open: the name goes at once, so that a run that dies (a crash, a
        // kill) leaves no spool behind. Where an open file cannot be removed it goes at the end.
        if (QFile::remove(m_spool.fileName()))
            m_spool.setAutoRemove(false);
    }

    bool readBlock(qint64 from, qint64 to, int rows, QList<Row> &out)
    {
        if (!m_reader.seek(from))
            return false;
        const QByteArray bytes = m_reader.read(to - from);
        return bytes.size() == to - from && decodeRows(bytes, rows, out);
    }

    bool decodeRows(const QByteArray &bytes, int rows, QList<Row> &out) const
    {
        qsizetype pos = 0;
        const int columns = int(m_fields.size());
        out.reserve(rows);
        for (int r = 0; r < rows; ++r) {
            Row row;
            row.resize(columns);
            for (int c = 0; c < columns; ++c) {
                if (!decode(bytes, pos, row[c]))
                    return false;
            }
            out.append(std::move(row));
        }
        return true;
    }

    TDatabase *m_db;
    std::shared_ptr<Run> m_run;
    int m_timeout;
    QList<TFieldInfo> m_fields;
    std::thread m_thread;
    QTemporaryFile m_spool;  // its name is removed once both ends are open
    QFile m_reader;
    QList<Block> m_cache;
    quint64 m_use = 0;
    QList<Row> m_end;  // the last rows read ahead
    qint64 m_endFrom = -1;
    qint64 m_total = -1;
    QElapsedTimer m_clock;
    QElapsedTimer m_sinceStop;
    bool m_stoppedByUser = false;
    bool m_timedOut = false;
    bool m_abandoned = false;
};
