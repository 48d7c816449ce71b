// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPair>
#include <QByteArray>
#include <QStringList>
#include <QVariant>
#include <memory>

class QTimer;
class TDataSource;
class TDatabase;

// How the grid shows a result field.
enum class TFieldKind { Other, Memo, Graphic };

struct TFieldInfo
{
    QString name;
    TFieldKind kind = TFieldKind::Other;
    int size = -1;  // declared length of a text field in characters, -1 when none
    bool number = false;  // declared as a number: a text value is an exact decimal
};

// The designer's query object: session and database names, SQL lines, an optional
// master data source for parameter values, and the open result.
class TQuery : public QObject
{
    Q_OBJECT
public:
    explicit TQuery(QObject *parent = nullptr);
    ~TQuery() override;

    QString SessionName() const { return m_sessionName; }
    void SetSessionName(const QString &name);   // only while closed
    QString DatabaseName() const { return m_databaseName; }
    void SetDatabaseName(const QString &name);  // only while closed
    QStringList SQL() const { return m_sql; }
    void SetSQL(const QStringList &lines);      // closes an open result
    TDataSource *MasterDataSource() const { return m_master; }
    void SetMasterDataSource(TDataSource *source) { m_master = source; }

    bool IsActive() const;
    void Close();
    // Runs a statement that returns rows and waits for its first rows. Raises VdqError
    // with the engine's message.
    void Open();
    // Runs a statement that returns rows on a connection of its own in a reader thread and
    // returns at once: opened() follows with the first rows, or failed() with the message.
    // Statements that change data are refused here, before they run. Raises VdqError.
    void Start();
    // Ends the run: a statement still executing is cancelled in the engine, a result being
    // read keeps the rows read so far. Safe to call at any time.
    void Stop();
    // Started and not yet opened, executed, failed or stopped.
    bool IsStarting() const;
    // Rows are still being read.
    bool IsReading() const;
    // Stop() ended the reading before the last row.
    bool WasStopped() const;
    // Rows read from the engine so far (all of them once reading has ended).
    qint64 RowsRead() const;
    // Waits (without processing events) until the reading has ended; the signals of the
    // state follow at the next event processing.
    void WaitForEnd();
    // Asks for the last rows ahead of the rows before them, while rows are still being read;
    // rowsRead() follows once they are there, with KnownRowCount() the result's. The reader
    // reads them only where they are exactly the rows of this one run (see readSqliteEnd and
    // readPostgresEnd); otherwise the rows come in order as before.
    void FetchEnd();
    // The rows the result is known to have: all of them once the last rows were read ahead
    // or the reading has ended, else those read so far.
    qint64 KnownRowCount() const;
    // Whether the row is at hand without waiting for the reading.
    bool IsRowAvailable(qint64 row) const;
    // Runs a statement without rows on a connection of its own in a thread and returns at
    // once: executed() follows, or failed() with the message. Stop() cancels it, as does the
    // database's StatementTimeout. Raises VdqError when the text is no single statement.
    void StartExec();
    // Runs a statement without rows and waits for it (without processing events). Raises
    // VdqError with the engine's message.
    void ExecSql();
    // The rows the last ExecSql inserted, changed or deleted, as the engine counts them;
    // -1 when it does not say.
    int RowsAffected() const { return m_rowsAffected; }

    // The open result (empty while closed).
    int FieldCount() const;
    TFieldInfo Field(int index) const;
    QList<TFieldInfo> Fields() const;
    // Every row of the one run: waits until the reading has ended.
    qint64 RecordCount() const;
    // Row access for the grid: display text, whole text (memo), picture (graphic).
    // The rows read are spooled to a temporary file; a bounded number of blocks of them is
    // kept in memory. A row not read yet is waited for.
    QVariant Value(qint64 row, int field) const;
    QString DisplayText(qint64 row, int field) const;
    QString WholeText(qint64 row, int field) const;
    // The bytes of a binary value, for the window to decode as a picture; null otherwise.
    QByteArray Picture(qint64 row, int field) const;
    bool HasRow(qint64 row) const;

    // The spool read in order, for handing the whole result on (TResultExport): where the
    // next rows start in it.
    struct SpoolCursor
    {
        qint64 row = 0;
        qint64 offset = 0;
    };
    // The rows from the cursor on that the reading has got to, as the spool holds them: whole
    // rows, about maxBytes of them at most. The cursor moves behind them. Returns how many
    // rows, 0 when no more are there yet, -1 when the spool could not be read.
    qint64 ReadSpooled(SpoolCursor &cursor, QByteArray &bytes, qint64 maxBytes) const;

    // The current record (the navigator's position; parameter values of detail queries
    // come from the current record of their master).
    qint64 RecNo() const { return m_recNo; }
    void SetRecNo(qint64 row) { m_recNo = row; }

    // Rows held in memory at the moment.
    qint64 CachedRowCount() const;

    // The connection the query runs on (opened on demand).
    TDatabase *Database() const;

Q_SIGNALS:
    void activeChanged(bool active);
    // While reading: more rows have been read (the total so far).
    void rowsRead(qint64 rows);
    // The reading ended: at the last row, by Stop(), or by an error after the first rows
    // (failed() comes first then).
    void readingFinished();
    // The engine's message: the statement was refused, or reading failed later.
    void failed(const QString &message);
    // A statement without rows ran (StartExec); RowsAffected() tells how many it changed.
    void executed();

private Q_SLOTS:
    // Looks at the run: its first rows, its progress, its end.
    void poll();

private:
    class Result;
    QString m_sessionName;
    QString m_databaseName;
    QStringList m_sql;
    TDataSource *m_master = nullptr;
    qint64 m_recNo = 0;
    int m_rowsAffected = -1;
    std::unique_ptr<Result> m_result;  // open: the first rows are there
    std::unique_ptr<Result> m_pending; // started, waiting for the first rows
    QTimer *m_poll = nullptr;
    qint64 m_rowsSignalled = 0;
    bool m_endSignalled = false;  // the rows read ahead were announced
    QElapsedTimer m_sinceRowsSignal;

    void finishPending();
    void dropPending();
    void startRun(bool rows);

    QString statementText() const;
    QList<QPair<QString, QVariant>> masterParameters(const QString &statement, const TDatabase &db) const;
    void checkClosed() const;
};

// Binds an open query to the result grid and the record navigator.
class TDataSource : public QObject
{
    Q_OBJECT
public:
    explicit TDataSource(QObject *parent = nullptr) : QObject(parent) {}
    TQuery *DataSet() const { return m_dataSet; }
    void SetDataSet(TQuery *query) { m_dataSet = query; }

private:
    TQuery *m_dataSet = nullptr;
};
