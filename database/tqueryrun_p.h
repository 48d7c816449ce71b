// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// The thread side of a query's run: the statement executed once on a connection of its own,
// a SELECT's rows spooled to a file, and the cancel of the statement in its engine. The run is
// shared by the reader thread, the cancel thread and the query, so that a run the query lets
// go of (its server no longer answers) ends on its own, later, without the query. Private to
// the query.

#include "tqueryreading_p.h"

#include <QFile>
#include <QSqlDatabase>

#include <functional>
#include <memory>

namespace TQueryReading {

// A run reads a SELECT's rows, or executes a statement that changes data.
enum class RunKind { Rows, Exec };

// How long a cancelled statement is waited for before its run is let go of; also the
// time-outs of the connection a MySQL cancel is sent on.
constexpr int kAbandonMs = 3000;

const TranslatedText kAbandoned {
    "TQuery",
    QT_TRANSLATE_NOOP("TQuery",
                      "The database server did not answer the cancel within %1 s; the statement "
                      "was abandoned and its connection will be closed when the server answers again")};

// The designer's connection, as a connection of a run's own is made from it.
struct ConnectionParams
{
    QString driver, database, host, user, password, options;
    int port = -1;
    QSql::NumericalPrecisionPolicy precision = QSql::LowPrecisionDouble;

    static ConnectionParams of(const QSqlDatabase &db);
    // Adds and configures a connection of that name, not opened yet.
    QSqlDatabase add(const QString &name, const QString &extraOptions = QString()) const;
};

class Run : public std::enable_shared_from_this<Run>
{
public:
    Run(TQuery *owner, RunKind kind, ConnectionParams connection, QString statement, Binds binds, SqlDialect dialect,
        SqlDialect engine);
    ~Run();
    Run(const Run &) = delete;
    Run &operator=(const Run &) = delete;

    RunKind kind() const { return m_kind; }
    const QString &statement() const { return m_statement; }
    ReadState state;
    // The spool's end the reader thread writes (opened by the query before the thread starts).
    QFile writer;
    QString spoolName;

    // The reader thread's body.
    void run();
    // Sets the stop flag; the first call also cancels the statement in its engine, from a
    // thread of its own, so that a server that does not answer holds up nobody.
    void requestStop();
    // The query lets go of the run (under the state's mutex): it ends with the message,
    // nothing is published or announced to the query any more, and the connection the
    // statement runs on is shut down.
    void orphan(const QString &message);

private:
    struct HandlesClearer
    {
        Run *run;
        ~HandlesClearer() { run->clearHandles(); }
    };
    bool stopping() const { return state.stop.loadRelaxed() != 0; }
    void fail(const QString &message);
    void finish();
    void wakeOwner();
    void cancelEngine();
    void publishHandles(QSqlDatabase &db);
    void clearHandles();
    QString readOnlyRefusal(QSqlDatabase &db, ReadOnlyRun &readOnly);
    QString oneStatementRefusal(const QSqlDatabase &db) const;
    QString prepare(QSqlQuery &q, QList<TFieldInfo> &fields);
    // Prepares (where it pays) and runs the statement; false, with the message, when it did not run.
    bool execute(QSqlQuery &q, QList<TFieldInfo> &fields);
    void readOn(QSqlDatabase &db);
    // Reads the result's last rows ahead, given the rows read so far; false where it cannot.
    using EndReader = std::function<bool(qint64 read, EndRows &end)>;
    // Spools the rows of a result (Qt's query, or an engine's own reader of it); the end
    // reader, where there is one, answers the query's wish for the last rows.
    template <typename Rows>
    void spool(Rows &rows, QList<TFieldInfo> fields, const EndReader &readEnd = {});
    void answerEnd(qint64 read, const EndReader &readEnd);
    // PostgreSQL: the last rows on a connection of their own, in the snapshot of the run's.
    bool readPostgresEndAhead(qint64 read, EndRows &end);
    void execOn(QSqlDatabase &db);
    QString connectionError(const QSqlDatabase &db) const;

    TQuery *m_owner;
    RunKind m_kind;
    ConnectionParams m_connection;
    QString m_statement;
    Binds m_binds;
    SqlDialect m_dialect;  // the Qt driver's family
    SqlDialect m_engine;   // the engine behind it
    QString m_snapshot;    // PostgreSQL: the run's exported snapshot, where its last rows may be read ahead

    // How to cancel the statement from outside the reader; the reader clears them (under
    // this mutex) before the statement and its connection go.
    QMutex m_handles;
    sqlite3 *m_sqlite = nullptr;
    void *m_pgCancel = nullptr;  // freed with the run: a cancel may still use it
    void *m_pgEndCancel = nullptr;  // of the connection reading the last rows ahead
    void *m_odbcStatement = nullptr;
    qint64 m_mysqlThread = -1;
    // The socket of the run's connection where the driver tells it: a run let go of has its
    // connection shut down, so that its thread ends at once instead of when the server answers.
    QMutex m_socketMutex;
    int m_socket = -1;
};

} // namespace TQueryReading
