// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqueryrun_p.h"

#include "tdatabase.h"
#include "tquerymysql_p.h"
#include "tquerypostgres_p.h"
#include "tquerysqlite_p.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>

#include <thread>

#include <sys/socket.h>

namespace TQueryReading {

namespace {

// The rows of a Qt query, as the spool reads them.
struct QtRows
{
    QSqlQuery &q;
    bool next() { return q.next(); }
    void encode(SpoolBuffer &out, int i, TFieldInfo *judged) const { encodeJudged(out, q.value(i), judged); }
    QString error() const { return q.lastError().isValid() ? TDatabase::ErrorText(q.lastError()) : QString(); }
};

// SQLite waits for a lock held by another connection as the designer's own connection does
// (5 s), but gives up at once when the run is stopped or has timed out.
constexpr int kBusyWaitMs = 5000;
constexpr int kBusySleepMs = 5;

int busyWait(void *run, int count)
{
    if (static_cast<ReadState *>(run)->stop.loadRelaxed() != 0 || count * kBusySleepMs >= kBusyWaitMs)
        return 0;
    sqlite3_sleep(kBusySleepMs);
    return 1;
}

} // namespace

ConnectionParams ConnectionParams::of(const QSqlDatabase &db)
{
    ConnectionParams p;
    p.driver = db.driverName();
    p.database = db.databaseName();
    p.host = db.hostName();
    p.user = db.userName();
    p.password = db.password();
    p.options = db.connectOptions();
    p.port = db.port();
    p.precision = db.numericalPrecisionPolicy();
    return p;
}

QSqlDatabase ConnectionParams::add(const QString &name, const QString &extraOptions) const
{
    QSqlDatabase db = QSqlDatabase::addDatabase(driver, name);
    db.setDatabaseName(database);
    db.setHostName(host);
    db.setUserName(user);
    db.setPassword(password);
    db.setPort(port);
    db.setNumericalPrecisionPolicy(precision);
    QString all = options;
    if (!extraOptions.isEmpty())
        all += (all.isEmpty() ? QString() : QStringLiteral(";")) + extraOptions;
    db.setConnectOptions(all);
    return db;
}

Run::Run(TQuery *owner, RunKind kind, ConnectionParams connection, QString statement, Binds binds, SqlDialect dialect,
         SqlDialect engine)
    : m_owner(owner), m_kind(kind), m_connection(std::move(connection)), m_statement(std::move(statement)),
      m_binds(std::move(binds)), m_dialect(dialect), m_engine(engine)
{
}

Run::~Run()
{
    if (m_pgCancel) {
        if (auto freeCancel = libraryFunction<PQfreeCancelFn>(kLibPq, "PQfreeCancel"))
            freeCancel(m_pgCancel);
    }
}

void Run::requestStop()
{
    if (state.stop.fetchAndStoreRelaxed(1) != 0)
        return;
    {
        QMutexLocker lock(&state.mutex);
        if (state.done)
            return;
    }
    std::thread([self = shared_from_this()] { self->cancelEngine(); }).detach();
}

void Run::orphan(const QString &message)
{
    {
        QMutexLocker lock(&m_socketMutex);
        if (m_socket >= 0)
            ::shutdown(m_socket, SHUT_RDWR);
    }
    state.orphaned = true;
    state.done = true;
    if (state.error.isEmpty())
        state.error = message;
    state.changed.wakeAll();
}

void Run::cancelEngine()
{
    QMutexLocker lock(&m_handles);
    if (m_sqlite)
        sqlite3_interrupt(m_sqlite);
    for (void *pgCancel : {m_pgCancel, m_pgEndCancel}) {
        if (!pgCancel)
            continue;
        if (auto cancel = libraryFunction<PQcancelFn>(kLibPq, "PQcancel")) {
            char message[256];
            cancel(pgCancel, message, int(sizeof message));
        }
    }
    if (m_odbcStatement) {
        if (auto cancel = libraryFunction<SQLCancelFn>(kLibOdbc, "SQLCancel"))
            cancel(m_odbcStatement);
    }
    if (m_mysqlThread >= 0) {
        // On a connection of its own with short time-outs: the reader's is busy with the
        // statement, and a server that does not answer must not hold this thread for long.
        const QString name = QStringLiteral("vdq-cancel-%1").arg(quintptr(this), 0, 16);
        {
            const QString seconds = QString::number(kAbandonMs / 1000);
            QSqlDatabase db = m_connection.add(name, QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=%1;MYSQL_OPT_READ_TIMEOUT=%1;"
                                                                    "MYSQL_OPT_WRITE_TIMEOUT=%1")
                                                         .arg(seconds));
            if (db.open()) {
                QSqlQuery kill(db);
                kill.exec(QStringLiteral("KILL QUERY %1").arg(m_mysqlThread));
            }
        }
        QSqlDatabase::removeDatabase(name);
    }
}

void Run::publishHandles(QSqlDatabase &db)
{
    QMutexLocker lock(&m_handles);
    const QVariant handle = db.driver()->handle();
    if (m_dialect == SqlDialect::SQLite) {
        m_sqlite = handleOf<sqlite3 *>(handle, "sqlite3*");
        if (m_sqlite)
            sqlite3_busy_handler(m_sqlite, busyWait, &state);
    } else if (m_dialect == SqlDialect::PostgreSQL) {
        void *conn = postgresHandle(db);
        auto getCancel = libraryFunction<PQgetCancelFn>(kLibPq, "PQgetCancel");
        if (conn && getCancel)
            m_pgCancel = getCancel(conn);
        auto socket = libraryFunction<PQsocketFn>(kLibPq, "PQsocket");
        if (conn && socket) {
            QMutexLocker socketLock(&m_socketMutex);
            m_socket = socket(conn);
        }
    } else if (m_dialect == SqlDialect::MySQL) {
        {
            QMutexLocker socketLock(&m_socketMutex);
            m_socket = mysqlSocket(db);
        }
        lock.unlock();
        QSqlQuery id(db);
        if (id.exec(QStringLiteral("SELECT CONNECTION_ID()")) && id.next()) {
            lock.relock();
            m_mysqlThread = id.value(0).toLongLong();
        }
    }
}

void Run::clearHandles()
{
    QMutexLocker lock(&m_handles);
    m_sqlite = nullptr;
    m_odbcStatement = nullptr;
    m_mysqlThread = -1;
}

void Run::fail(const QString &message)
{
    QMutexLocker lock(&state.mutex);
    if (state.error.isEmpty() && !state.orphaned)
        state.error = message;
}

void Run::finish()
{
    QMutexLocker lock(&state.mutex);
    if (state.orphaned)
        return;
    state.done = true;
    state.changed.wakeAll();
    wakeOwner();
}

// The first rows and the end are shown at once, not at the next look of the query's timer.
// Called under the state's mutex: the query cannot let go of the run meanwhile, and while it
// holds it, it outlives the call.
void Run::wakeOwner()
{
    if (!state.orphaned)
        QMetaObject::invokeMethod(m_owner, "poll", Qt::QueuedConnection);
}

void Run::run()
{
    const QString name = QStringLiteral("vdq-run-%1").arg(quintptr(this), 0, 16);
    {
        // An engine this system does not know is asked through ODBC's own access mode,
        // which many drivers only take as a hint.
        QString extra;
        if (m_kind == RunKind::Rows && m_dialect == SqlDialect::ODBC && m_engine == SqlDialect::ODBC)
            extra = QStringLiteral("SQL_ATTR_ACCESS_MODE=SQL_MODE_READ_ONLY");
        QSqlDatabase db = m_connection.add(name, extra);
        if (!db.open())
            fail(TDatabase::ErrorText(db.lastError()));
        else if (m_kind == RunKind::Rows)
            readOn(db);
        else
            execOn(db);
        clearHandles();
        // Nothing more goes over the connection: it closes next.
        QMutexLocker lock(&m_socketMutex);
        m_socket = -1;
    }
    QSqlDatabase::removeDatabase(name);
    finish();
}

// The engine's own word on a connection that broke while the statement ran: a driver may
// report such a statement as one that ran and returned no rows. Empty when there is none.
QString Run::connectionError(const QSqlDatabase &db) const
{
    if (m_dialect != SqlDialect::MySQL)
        return QString();
    return mysqlError(db);
}

// PostgreSQL: the engine's refusal of a text that is no single statement. With values Qt
// prepares the text itself; the check before the run has read it then.
QString Run::oneStatementRefusal(const QSqlDatabase &db) const
{
    if (m_dialect != SqlDialect::PostgreSQL || !m_binds.isEmpty())
        return QString();
    return postgresParseRefusal(db, m_statement);
}

// Makes the reader's connection read-only and lets one statement through; the message
// when the run must not go on.
QString Run::readOnlyRefusal(QSqlDatabase &db, ReadOnlyRun &readOnly)
{
    if (m_dialect == SqlDialect::MySQL && !mysqlOneStatementPerCall(db))
        return kOneStatement;
    // libpq parses the text as it will run (the session's string rules set), before the
    // transaction that a failed parse would abort.
    QString refusal = readOnly.setSession();
    if (refusal.isEmpty())
        refusal = oneStatementRefusal(db);
    if (!refusal.isEmpty())
        return refusal;
    // PostgreSQL: a plain scan's last rows can be read ahead on another connection in this
    // transaction's snapshot. The plan is asked for before the transaction, which a statement
    // that cannot be explained would abort.
    const bool plainScan = m_dialect == SqlDialect::PostgreSQL && m_binds.isEmpty() && postgresPlainScan(db, m_statement);
    refusal = readOnly.beginTransaction();
    if (refusal.isEmpty() && plainScan) {
        m_snapshot = postgresExportSnapshot(db);
        // A server that exports none has aborted the transaction: the run goes on in a new one.
        if (m_snapshot.isEmpty() && QSqlQuery(db).exec(QStringLiteral("ROLLBACK")))
            refusal = readOnly.beginTransaction();
    }
    return refusal;
}

bool Run::readPostgresEndAhead(qint64 read, EndRows &end)
{
    const QString name = QStringLiteral("vdq-end-%1").arg(quintptr(this), 0, 16);
    bool got = false;
    {
        QSqlDatabase db = m_connection.add(name);
        if (db.open()) {
            // Cancelled with the statement; the connection closes when this is done.
            void *conn = postgresHandle(db);
            auto getCancel = libraryFunction<PQgetCancelFn>(kLibPq, "PQgetCancel");
            {
                QMutexLocker lock(&m_handles);
                if (conn && getCancel)
                    m_pgEndCancel = getCancel(conn);
            }
            got = !stopping() && readPostgresEnd(db, m_snapshot, m_statement, read, kEndRows, end);
            QMutexLocker lock(&m_handles);
            if (m_pgEndCancel) {
                if (auto freeCancel = libraryFunction<PQfreeCancelFn>(kLibPq, "PQfreeCancel"))
                    freeCancel(m_pgEndCancel);
                m_pgEndCancel = nullptr;
            }
        }
    }
    QSqlDatabase::removeDatabase(name);
    return got;
}

// SQLite and ODBC prepare first: SQLite tells there whether the statement writes and what it
// returns, and the ODBC statement handle (for SQLCancel) exists from then on. The message
// when the statement must not run.
QString Run::prepare(QSqlQuery &q, QList<TFieldInfo> &fields)
{
    if (!q.prepare(m_statement))
        return TDatabase::ErrorText(q.lastError());
    if (sqlite3_stmt *stmt = sqliteStatement(q)) {
        const int n = sqlite3_column_count(stmt);
        if (m_kind == RunKind::Exec)
            return n > 0 ? kHasRows : QString();
        if (!sqlite3_stmt_readonly(stmt))
            return n > 0 ? kChangesData : kNoRows;
        if (n == 0)
            return kNoRows;
        for (int i = 0; i < n; ++i)
            fields.append(sqliteField(sqlite3_column_name(stmt, i), sqlite3_column_decltype(stmt, i)));
    }
    if (m_dialect == SqlDialect::ODBC) {
        // The driver hands out its SQLHANDLE as a plain pointer.
        const QVariant handle = q.result()->handle();
        QMutexLocker lock(&m_handles);
        m_odbcStatement = handleOf<void *>(handle, "void*");
        if (!m_odbcStatement)
            m_odbcStatement = handleOf<void *>(handle, "SQLHANDLE");
    }
    for (const auto &b : m_binds)
        q.bindValue(u':' + b.first, b.second);
    return QString();
}

bool Run::execute(QSqlQuery &q, QList<TFieldInfo> &fields)
{
    q.setForwardOnly(true);
    const bool prepared = m_dialect == SqlDialect::SQLite || m_dialect == SqlDialect::ODBC || !m_binds.isEmpty();
    if (prepared) {
        const QString refusal = prepare(q, fields);
        if (!refusal.isEmpty()) {
            fail(refusal);
            return false;
        }
    }
    if (stopping())
        return false;
    if (!(prepared ? q.exec() : q.exec(m_statement))) {
        fail(TDatabase::ErrorText(q.lastError()));
        return false;
    }
    return true;
}

void Run::execOn(QSqlDatabase &db)
{
    publishHandles(db);
    const QString refusal = m_dialect == SqlDialect::MySQL && !mysqlOneStatementPerCall(db) ? kOneStatement
                                                                                            : oneStatementRefusal(db);
    if (!refusal.isEmpty()) {
        fail(refusal);
        return;
    }
    QSqlQuery q(db);
    // The statement's handles go before the statement does, whichever way this returns.
    const HandlesClearer clearer{this};
    QList<TFieldInfo> fields;
    if (!execute(q, fields))
        return;
    if (q.isSelect()) {
        fail(kHasRows);
        return;
    }
    const QString lost = connectionError(db);
    if (!lost.isEmpty()) {
        fail(lost);
        return;
    }
    QMutexLocker lock(&state.mutex);
    state.rowsAffected = q.numRowsAffected();
}

void Run::readOn(QSqlDatabase &db)
{
    publishHandles(db);
    // Declared before the statement's query: the transaction ends after its result.
    ReadOnlyRun readOnly(db, m_engine);
    QString refusal = readOnlyRefusal(db, readOnly);
    if (!refusal.isEmpty()) {
        fail(refusal);
        return;
    }
    if (stopping())
        return;
    // MySQL: the rows as the server sends them.
    if (m_dialect == SqlDialect::MySQL && m_binds.isEmpty()) {
        if (std::unique_ptr<MysqlRows> rows = MysqlRows::run(db, m_statement)) {
            if (!rows->isSelect())
                fail(rows->error().isEmpty() ? kRanNoRows : rows->error());
            else
                spool(*rows, rows->fields());
            return;
        }
    }
    QSqlQuery q(db);
    // The statement's handles go before the statement does, whichever way this returns.
    const HandlesClearer clearer{this};
    QList<TFieldInfo> fields;
    if (!execute(q, fields))
        return;
    if (!q.isSelect()) {
        const QString lost = connectionError(db);
        fail(lost.isEmpty() ? kRanNoRows : lost);
        return;
    }
    const QSqlRecord record = q.record();
    if (fields.size() != record.count()) {
        fields.clear();
        for (int i = 0; i < record.count(); ++i)
            fields.append(serverField(m_dialect, record.field(i)));
    }
    // SQLite: the rest of the rows straight from the statement the driver ran.
    if (sqlite3_stmt *statement = sqliteStatement(q)) {
        SqliteRows rows(q, statement);
        const QSql::NumericalPrecisionPolicy precision = q.numericalPrecisionPolicy();
        spool(rows, fields, [statement, precision](qint64 read, EndRows &end) {
            return readSqliteEnd(statement, precision, read, kEndRows, end);
        });
        return;
    }
    // PostgreSQL: the rows after the first as libpq hands them out.
    if (m_dialect == SqlDialect::PostgreSQL) {
        PostgresRows rows(q, postgresHandle(db));
        EndReader readEnd;
        if (!m_snapshot.isEmpty())
            readEnd = [this](qint64 read, EndRows &end) { return readPostgresEndAhead(read, end); };
        spool(rows, fields, readEnd);
        return;
    }
    QtRows rows{q};
    spool(rows, fields);
}

void Run::answerEnd(qint64 read, const EndReader &readEnd)
{
    EndRows end;
    if (!readEnd || !readEnd(read, end))
        return;  // the rows come in order: the grid follows them to the end
    QMutexLocker lock(&state.mutex);
    if (state.orphaned)
        return;
    state.total = end.total;
    state.endFrom = end.from;
    state.endRows = std::move(end.bytes);
    wakeOwner();
}

template <typename Rows>
void Run::spool(Rows &source, QList<TFieldInfo> fields, const EndReader &readEnd)
{
    QFile &spool = writer;  // opened by the query, written by this thread alone
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
            fail(
                QCoreApplication::translate("TQuery", "Unable to write to %1: %2").arg(spoolName, spool.errorString()));
            return false;
        }
        spool.flush();
        written += buffer.size();
        buffer.clear();
        QMutexLocker lock(&state.mutex);
        if (state.orphaned)
            return false;
        state.rows = rows;
        state.bytes = written;
        state.marks += marks;
        marks.clear();
        state.done = last;
        if (!opened || last) {
            state.fields = fields;
            state.opened = opened = true;
            wakeOwner();
        }
        state.changed.wakeAll();
        sinceFlush.restart();
        return true;
    };
    bool endAnswered = false;
    while (!stopping() && source.next()) {
        // Between two rows: the statement has not ended, its read transaction is open.
        if (opened && !endAnswered && state.endWanted.loadRelaxed() != 0) {
            endAnswered = true;
            answerEnd(rows, readEnd);
        }
        if (rows % kMarkRows == 0)
            marks.append(written + buffer.size());
        for (int i = 0; i < columns; ++i)
            source.encode(buffer, i, opened ? nullptr : &fields[i]);
        ++rows;
        const bool due = !opened ? rows >= kFirstRows
                                 : (rows % kChunkRows == 0 || (rows % 256 == 0 && sinceFlush.elapsed() >= kChunkMs));
        if (due && !flush(false))
            return;
    }
    // A statement that failed or was cancelled before its first row (a stream tells it only
    // when the first row is asked for) ends as one that did not run.
    const QString error = stopping() ? QString() : source.error();
    if (!opened && rows == 0 && (stopping() || !error.isEmpty())) {
        fail(error);
        return;
    }
    fail(error);
    // The statement is over before the handles go: a cancel may be on its way.
    clearHandles();
    flush(true);
}

} // namespace TQueryReading
