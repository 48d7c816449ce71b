#pragma once

// The run of a query: the statement executed once on a reader thread with a connection of
// its own, its rows spooled to a file and read back in blocks. Private to the query.

#include "tdatabase.h"
#include "tquery.h"
#include "tqueryreading_p.h"
#include "vdqerror.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QTemporaryFile>

#include <thread>

using namespace TQueryReading;

class TQuery::Result
{
public:
    Result(TQuery *owner, TDatabase *db, QString statement, Binds binds)
        : m_owner(owner), m_db(db), m_statement(std::move(statement)), m_binds(std::move(binds)),
          m_dialect(db->DriverFamily()), m_engine(db->Dialect()), m_reading(db->Reading()),
          m_timeout(db->Params().statementTimeout)
    {
    }

    ~Result()
    {
        requestStop(false);
        if (m_thread.joinable())
            m_thread.join();
    }

    TDatabase *database() const { return m_db; }
    const QList<TFieldInfo> &fields() const { return m_fields; }
    ReadState &state() { return m_state; }

    void start()
    {
        // SQLite says itself, once the statement is prepared, whether it writes.
        if (m_dialect != SqlDialect::SQLite) {
            const QString refusal = selectRefusal(m_statement, m_reading);
            if (!refusal.isEmpty())
                throw VdqError(refusal);
        }
        m_spool.setFileTemplate(QDir::tempPath() + QStringLiteral("/vdq-result-XXXXXX"));
        if (!m_spool.open())
            throw VdqError(QStringLiteral("Cannot create file %1: %2").arg(m_spool.fileTemplate(), m_spool.errorString()));
        // Read without a buffer of its own: the reader thread appends behind it.
        m_reader.setFileName(m_spool.fileName());
        if (!m_reader.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            throw VdqError(QStringLiteral("Cannot open file %1: %2").arg(m_reader.fileName(), m_reader.errorString()));
        m_writer.setFileName(m_spool.fileName());
        if (!m_writer.open(QIODevice::WriteOnly | QIODevice::Append))
            throw VdqError(QStringLiteral("Cannot open file %1: %2").arg(m_writer.fileName(), m_writer.errorString()));
        // Both ends are open: the name goes at once, so that a run that dies (a crash, a
        // kill) leaves no spool behind. Where an open file cannot be removed it goes at the end.
        if (QFile::remove(m_spool.fileName()))
            m_spool.setAutoRemove(false);
        m_clock.start();
        // The reader has a connection of its own: a connection serves one thread, and the
        // designer's stays free for its catalogue reads and for cancelling.
        m_thread = std::thread(&Result::read, this, m_db->Connection(), m_spool.fileName());
    }

    // Waits until the first rows are in or the run failed; raises the failure.
    void waitOpened()
    {
        QMutexLocker lock(&m_state.mutex);
        while (!m_state.opened && !m_state.done) {
            m_state.changed.wait(&m_state.mutex, QDeadlineTimer(50));
            lock.unlock();
            checkTimeout();
            lock.relock();
        }
        if (!m_state.opened)
            throw VdqError(m_state.error);
        m_fields = m_state.fields;
    }

    // Adopts the reader's fields once it opened; true when it did.
    bool adoptOpened()
    {
        QMutexLocker lock(&m_state.mutex);
        if (m_state.opened)
            m_fields = m_state.fields;
        return m_state.opened;
    }

    void waitForRow(qint64 row)
    {
        QMutexLocker lock(&m_state.mutex);
        while (!m_state.done && m_state.rows <= row) {
            m_state.changed.wait(&m_state.mutex, QDeadlineTimer(50));
            lock.unlock();
            checkTimeout();
            lock.relock();
        }
    }

    // Stops the run; a statement running in the engine is cancelled there.
    void requestStop(bool byUser)
    {
        if (!m_thread.joinable())
            return;
        if (m_state.stop.fetchAndStoreRelaxed(1) == 0)
            m_stoppedByUser = byUser;
        cancelEngine();
    }

    void checkTimeout()
    {
        if (m_timeout <= 0 || m_timedOut || !m_clock.isValid() || m_clock.elapsed() < qint64(m_timeout) * 1000)
            return;
        {
            QMutexLocker lock(&m_state.mutex);
            if (m_state.done)
                return;
        }
        m_timedOut = true;
        requestStop(false);
    }

    bool stoppedByUser() const { return m_stoppedByUser; }
    bool endSignalled = false;  // readingFinished() was emitted
    bool timedOut() const { return m_timedOut; }
    int timeout() const { return m_timeout; }

    const Row *row(qint64 index)
    {
        if (index < 0)
            return nullptr;
        waitForRow(index);
        const qint64 block = index / kMarkRows;
        qint64 from = 0, to = 0, rows = 0;
        {
            QMutexLocker lock(&m_state.mutex);
            if (index >= m_state.rows)
                return nullptr;
            from = m_state.marks.at(block);
            to = block + 1 < m_state.marks.size() ? m_state.marks.at(block + 1) : m_state.bytes;
            rows = qMin<qint64>(kMarkRows, m_state.rows - block * kMarkRows);
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

    bool readBlock(qint64 from, qint64 to, int rows, QList<Row> &out)
    {
        if (!m_reader.seek(from))
            return false;
        const QByteArray bytes = m_reader.read(to - from);
        if (bytes.size() != to - from)
            return false;
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

    void cancelEngine()
    {
        QMutexLocker lock(&m_state.mutex);
        if (m_state.done)
            return;
        if (m_state.sqlite)
            sqlite3_interrupt(m_state.sqlite);
        if (m_state.pgCancel) {
            if (auto cancel = libraryFunction<PQcancelFn>(kLibPq, "PQcancel")) {
                char message[256];
                cancel(m_state.pgCancel, message, int(sizeof message));
            }
        }
        if (m_state.odbcStatement) {
            if (auto cancel = libraryFunction<SQLCancelFn>(kLibOdbc, "SQLCancel"))
                cancel(m_state.odbcStatement);
        }
        if (m_state.mysqlThread >= 0) {
            QSqlQuery kill(m_db->Connection());
            kill.exec(QStringLiteral("KILL QUERY %1").arg(m_state.mysqlThread));
        }
    }

    // --- The reader thread --------------------------------------------------------------

    void publishHandles(QSqlDatabase &db)
    {
        QMutexLocker lock(&m_state.mutex);
        const QVariant handle = db.driver()->handle();
        if (m_dialect == SqlDialect::SQLite) {
            m_state.sqlite = handleOf<sqlite3 *>(handle, "sqlite3*");
        } else if (m_dialect == SqlDialect::PostgreSQL) {
            // PGconn is the typedef of struct pg_conn; the driver registers the latter.
            void *conn = handleOf<void *>(handle, "pg_conn*");
            if (!conn)
                conn = handleOf<void *>(handle, "PGconn*");
            auto getCancel = libraryFunction<PQgetCancelFn>(kLibPq, "PQgetCancel");
            if (conn && getCancel)
                m_state.pgCancel = getCancel(conn);
        }
    }

    void fail(const QString &message)
    {
        QMutexLocker lock(&m_state.mutex);
        if (m_state.error.isEmpty())
            m_state.error = message;
    }

    void finish()
    {
        QMutexLocker lock(&m_state.mutex);
        if (m_state.pgCancel) {
            if (auto freeCancel = libraryFunction<PQfreeCancelFn>(kLibPq, "PQfreeCancel"))
                freeCancel(m_state.pgCancel);
        }
        m_state.pgCancel = nullptr;
        m_state.sqlite = nullptr;
        m_state.odbcStatement = nullptr;
        m_state.mysqlThread = -1;
        m_state.done = true;
        m_state.changed.wakeAll();
        wakeOwner();
    }

    // The first rows and the end are shown at once, not at the next look of the timer.
    // The owner outlives the thread: the result is joined before the owner goes.
    void wakeOwner() { QMetaObject::invokeMethod(m_owner, &TQuery::poll, Qt::QueuedConnection); }

    bool stopping() const { return m_state.stop.loadRelaxed() != 0; }

    void read(QSqlDatabase source, QString spoolName)
    {
        const QString name = QStringLiteral("vdq-reader-%1").arg(quintptr(this), 0, 16);
        {
            QSqlDatabase db = QSqlDatabase::cloneDatabase(source, name);
            source = QSqlDatabase();
            // An engine this system does not know is asked through ODBC's own access mode,
            // which many drivers only take as a hint.
            if (m_dialect == SqlDialect::ODBC && m_engine == SqlDialect::ODBC)
                db.setConnectOptions(db.connectOptions() + QStringLiteral(";SQL_ATTR_ACCESS_MODE=SQL_MODE_READ_ONLY"));
            if (!db.open())
                fail(TDatabase::ErrorText(db.lastError()));
            else
                readOn(db, spoolName);
            // The engine's statement is over before the connection goes.
            QMutexLocker lock(&m_state.mutex);
            m_state.sqlite = nullptr;
            m_state.odbcStatement = nullptr;
        }
        QSqlDatabase::removeDatabase(name);
        finish();
    }

    // Makes the reader's connection read-only and lets one statement through; the message
    // when the run must not go on.
    QString readOnlyRefusal(QSqlDatabase &db, ReadOnlyRun &readOnly)
    {
        if (m_dialect == SqlDialect::MySQL && !mysqlOneStatementPerCall(db))
            return kOneStatement;
        QString refusal = readOnly.setSession();
        // libpq parses the text as it will run (the session's string rules set), before the
        // transaction that a failed parse would abort. With values Qt prepares the text
        // itself; the check before the run has read it then.
        if (refusal.isEmpty() && m_dialect == SqlDialect::PostgreSQL && m_binds.isEmpty())
            refusal = postgresParseRefusal(db, m_statement);
        return refusal.isEmpty() ? readOnly.beginTransaction() : refusal;
    }

    void readOn(QSqlDatabase &db, const QString &spoolName)
    {
        publishHandles(db);
        if (m_dialect == SqlDialect::MySQL) {
            QSqlQuery id(db);
            if (id.exec(QStringLiteral("SELECT CONNECTION_ID()")) && id.next()) {
                QMutexLocker lock(&m_state.mutex);
                m_state.mysqlThread = id.value(0).toLongLong();
            }
        }
        QFile &spool = m_writer;  // opened by start(), written by this thread alone
        // Declared before the statement's query: the transaction ends after its result.
        ReadOnlyRun readOnly(db, m_engine);
        const QString refusal = readOnlyRefusal(db, readOnly);
        if (!refusal.isEmpty()) {
            fail(refusal);
            return;
        }
        QSqlQuery q(db);
        q.setForwardOnly(true);
        QList<TFieldInfo> fields;
        // SQLite and ODBC prepare first: SQLite tells there whether the statement writes,
        // and the ODBC statement handle (for SQLCancel) exists from then on.
        const bool prepared = m_dialect == SqlDialect::SQLite || m_dialect == SqlDialect::ODBC || !m_binds.isEmpty();
        if (prepared) {
            if (!q.prepare(m_statement)) {
                fail(TDatabase::ErrorText(q.lastError()));
                return;
            }
            if (sqlite3_stmt *stmt = sqliteStatement(q)) {
                const int n = sqlite3_column_count(stmt);
                if (!sqlite3_stmt_readonly(stmt)) {
                    fail(n > 0 ? kChangesData : kNoRows);
                    return;
                }
                if (n == 0) {
                    fail(kNoRows);
                    return;
                }
                for (int i = 0; i < n; ++i)
                    fields.append(sqliteField(sqlite3_column_name(stmt, i), sqlite3_column_decltype(stmt, i)));
            }
            if (m_dialect == SqlDialect::ODBC) {
                // The driver hands out its SQLHANDLE as a plain pointer.
                const QVariant handle = q.result()->handle();
                QMutexLocker lock(&m_state.mutex);
                m_state.odbcStatement = handleOf<void *>(handle, "void*");
                if (!m_state.odbcStatement)
                    m_state.odbcStatement = handleOf<void *>(handle, "SQLHANDLE");
            }
            for (const auto &b : m_binds)
                q.bindValue(u':' + b.first, b.second);
        }
        if (stopping())
            return;
        if (!(prepared ? q.exec() : q.exec(m_statement))) {
            fail(TDatabase::ErrorText(q.lastError()));
            return;
        }
        if (!q.isSelect()) {
            fail(kRanNoRows);
            return;
        }
        const QSqlRecord record = q.record();
        if (fields.size() != record.count()) {
            fields.clear();
            for (int i = 0; i < record.count(); ++i)
                fields.append(serverField(m_dialect, record.field(i)));
        }
        const int columns = int(fields.size());
        SpoolBuffer buffer;
        QList<qint64> marks;
        qint64 written = 0;  // spool bytes
        qint64 rows = 0;
        bool opened = false;
        QElapsedTimer sinceFlush;
        sinceFlush.start();
        // The last flush also says that no more rows come, with them in one step.
        const auto flush = [&](bool last) -> bool {
            if (buffer.size() > 0 && spool.write(buffer.data(), buffer.size()) != buffer.size()) {
                fail(QStringLiteral("Unable to write to %1: %2").arg(spoolName, spool.errorString()));
                return false;
            }
            spool.flush();
            written += buffer.size();
            buffer.clear();
            QMutexLocker lock(&m_state.mutex);
            m_state.rows = rows;
            m_state.bytes = written;
            m_state.marks += marks;
            marks.clear();
            m_state.done = last;
            if (!opened || last) {
                m_state.fields = fields;
                m_state.opened = opened = true;
                wakeOwner();
            }
            m_state.changed.wakeAll();
            sinceFlush.restart();
            return true;
        };
        while (!stopping() && q.next()) {
            if (rows % kMarkRows == 0)
                marks.append(written + buffer.size());
            for (int i = 0; i < columns; ++i) {
                const QVariant v = q.value(i);
                // A text of no declared length with a line break is a memo, judged by the
                // first rows.
                if (!opened && fields.at(i).kind == TFieldKind::Other && fields.at(i).size < 0
                    && v.metaType().id() == QMetaType::QString && v.toString().contains(u'\n'))
                    fields[i].kind = TFieldKind::Memo;
                encode(buffer, v);
            }
            ++rows;
            const bool due = !opened ? rows >= kFirstRows
                                     : (rows % kChunkRows == 0 || (rows % 256 == 0 && sinceFlush.elapsed() >= kChunkMs));
            if (due && !flush(false))
                return;
        }
        const QSqlError error = q.lastError();
        if (!stopping() && error.isValid())
            fail(TDatabase::ErrorText(error));
        flush(true);
    }

    TQuery *m_owner;
    TDatabase *m_db;
    QString m_statement;
    Binds m_binds;
    SqlDialect m_dialect;  // the Qt driver's family
    SqlDialect m_engine;   // the engine behind it
    SqlLexOptions m_reading;
    int m_timeout;
    QList<TFieldInfo> m_fields;
    ReadState m_state;
    std::thread m_thread;
    QTemporaryFile m_spool;  // its name is removed once both ends are open
    QFile m_writer;          // the reader thread's end
    QFile m_reader;
    QList<Block> m_cache;
    quint64 m_use = 0;
    QElapsedTimer m_clock;
    bool m_stoppedByUser = false;
    bool m_timedOut = false;
};
