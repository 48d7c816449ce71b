// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tquery.h"

#include "sqlparameters.h"
#include "tdatabase.h"
#include "tqueryresult_p.h"
#include "tsession.h"
#include "tsessionlist.h"
#include "vdqerror.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <memory>

TQuery::TQuery(QObject *parent) : QObject(parent) {}

TQuery::~TQuery()
{
    if (m_pending)
        m_pending->database()->detachQuery(this);
    m_pending.reset();
    if (m_result)
        m_result->database()->detachQuery(this);
}

void TQuery::checkClosed() const
{
    if (IsActive())
        throw VdqError(QCoreApplication::translate("TQuery", "Cannot perform this operation on an open query"));
}

void TQuery::SetSessionName(const QString &name)
{
    checkClosed();
    m_sessionName = name;
}

void TQuery::SetDatabaseName(const QString &name)
{
    checkClosed();
    m_databaseName = name;
}

void TQuery::SetSQL(const QStringList &lines)
{
    // A new statement makes the open result stale.
    Close();
    m_sql = lines;
}

bool TQuery::IsActive() const
{
    return m_result != nullptr;
}

void TQuery::Close()
{
    if (m_poll)
        m_poll->stop();
    if (m_pending) {
        // A run closed before its first rows ends as a cancelled one, so that whoever
        // waits for it stops waiting.
        m_pending->database()->detachQuery(this);
        m_pending.reset();
        Q_EMIT failed(kCancelled);
    }
    if (!m_result)
        return;
    m_result->database()->detachQuery(this);
    m_result.reset();
    Q_EMIT activeChanged(false);
}

QString TQuery::statementText() const
{
    // A trailing ";" ends the one statement; it is no second one.
    QString text = m_sql.join(u'\n').trimmed();
    while (text.endsWith(u';'))
        text = text.chopped(1).trimmed();
    return text;
}

QList<QPair<QString, QVariant>> TQuery::masterParameters(const QString &statement, const TDatabase &db) const
{
    Binds binds;
    TQuery *master = m_master ? m_master->DataSet() : nullptr;
    if (!master || master == this || !master->IsActive())
        return binds;
    const QList<TFieldInfo> fields = master->Fields();
    // Read as the engine reads the text: a ":name" inside its strings is no parameter.
    for (const QString &name : SqlParameterNames(statement, db.Reading())) {
        for (int i = 0; i < fields.size(); ++i) {
            if (fields.at(i).name.compare(name, Qt::CaseInsensitive) == 0) {
                binds.append({name, master->Value(master->RecNo(), i)});
                break;
            }
        }
    }
    return binds;
}

void TQuery::startRun(bool rows)
{
    const QString statement = statementText();
    if (statement.isEmpty())
        throw VdqError(kNoStatement);
    TDatabase *db = Database();
    auto result = std::make_unique<Result>(this, db, rows ? RunKind::Rows : RunKind::Exec, statement,
                                           masterParameters(statement, *db));
    result->start(db->Reading());
    m_pending = std::move(result);
    // Tied to its database from the start: a database closed or dropped while the run is
    // awaited (a failing reopen, another alias set) closes this run first.
    db->attachQuery(this);
    m_rowsSignalled = 0;
    m_endSignalled = false;
    m_sinceRowsSignal.invalidate();
    if (!m_poll) {
        m_poll = new QTimer(this);
        m_poll->setInterval(kPollMs);
        connect(m_poll, &QTimer::timeout, this, &TQuery::poll);
    }
    m_poll->start();
}

void TQuery::Start()
{
    if (IsActive() || m_pending)
        return;
    startRun(true);
}

void TQuery::StartExec()
{
    if (m_pending)
        return;
    Close();
    m_rowsAffected = -1;
    startRun(false);
}

void TQuery::dropPending()
{
    m_pending->database()->detachQuery(this);
    m_pending.reset();
    m_poll->stop();
}

void TQuery::finishPending()
{
    m_result = std::move(m_pending);
    m_recNo = 0;
    m_result->database()->attachQuery(this);
    Q_EMIT activeChanged(true);
}

void TQuery::Open()
{
    if (IsActive())
        return;
    Start();
    try {
        m_pending->waitOpened();
    } catch (const VdqError &) {
        dropPending();
        throw;
    }
    finishPending();
}

void TQuery::ExecSql()
{
    StartExec();
    try {
        m_pending->waitOpened();
    } catch (const VdqError &) {
        dropPending();
        throw;
    }
    m_rowsAffected = m_pending->state().rowsAffected;
    dropPending();
}

void TQuery::poll()
{
    if (m_pending) {
        m_pending->checkTimeout();
        ReadState &s = m_pending->state();
        QString error;
        int rowsAffected = -1;
        {
            QMutexLocker lock(&s.mutex);
            if (!s.opened && !s.done)
                return;
            error = s.error;
            rowsAffected = s.rowsAffected;
        }
        if (m_pending->kind() == RunKind::Exec) {
            const QString message = error.isEmpty() ? QString() : m_pending->failure(error);
            dropPending();
            if (!message.isEmpty()) {
                Q_EMIT failed(message);
                return;
            }
            m_rowsAffected = rowsAffected;
            Q_EMIT executed();
            return;
        }
        if (!m_pending->adoptOpened()) {
            const QString message = m_pending->failure(error);
            dropPending();
            Q_EMIT failed(message);
            return;
        }
        finishPending();
    }
    if (!m_result) {
        if (m_poll)
            m_poll->stop();
        return;
    }
    m_result->checkTimeout();
    ReadState &s = m_result->state();
    qint64 rows = 0;
    bool done = false;
    QString error;
    {
        QMutexLocker lock(&s.mutex);
        rows = s.rows;
        done = s.done;
        error = s.error;
    }
    const qint64 announceMs = kAnnounceMs;
    // The last rows read ahead are shown at once.
    const bool endRead = !m_endSignalled && m_result->adoptEnd() >= 0;
    if (endRead || (rows != m_rowsSignalled
                    && (done || !m_sinceRowsSignal.isValid() || m_sinceRowsSignal.elapsed() >= announceMs))) {
        m_endSignalled = m_endSignalled || endRead;
        m_rowsSignalled = rows;
        m_sinceRowsSignal.start();
        Q_EMIT rowsRead(rows);
    }
    if (done && !m_result->endSignalled) {
        // Set first: a message box shown by a receiver runs the timer again.
        m_result->endSignalled = true;
        m_poll->stop();
        if (m_result->abandoned() || m_result->timedOut() || (!error.isEmpty() && !m_result->stoppedByUser()))
            Q_EMIT failed(m_result->failure(error));
        Q_EMIT readingFinished();
    }
}

void TQuery::Stop()
{
    if (m_pending)
        m_pending->requestStop(true);
    else if (m_result)
        m_result->requestStop(true);
}

bool TQuery::IsStarting() const
{
    return m_pending != nullptr;
}

bool TQuery::IsReading() const
{
    if (!m_result)
        return false;
    ReadState &s = m_result->state();
    QMutexLocker lock(&s.mutex);
    return !s.done;
}

bool TQuery::WasStopped() const
{
    return m_result && (m_result->stoppedByUser() || m_result->timedOut() || m_result->abandoned());
}

qint64 TQuery::RowsRead() const
{
    if (!m_result)
        return 0;
    ReadState &s = m_result->state();
    QMutexLocker lock(&s.mutex);
    return s.rows;
}

void TQuery::FetchEnd()
{
    if (m_result && IsReading())
        m_result->wantEnd();
}

qint64 TQuery::KnownRowCount() const
{
    if (!m_result)
        return 0;
    return qMax(m_result->adoptEnd(), RowsRead());
}

bool TQuery::IsRowAvailable(qint64 row) const
{
    return m_result && m_result->hasRowNow(row);
}

void TQuery::WaitForEnd()
{
    if (m_result)
        m_result->waitForRow(std::numeric_limits<qint64>::max() - 1);
}

int TQuery::FieldCount() const
{
    return m_result ? int(m_result->fields().size()) : 0;
}

TFieldInfo TQuery::Field(int index) const
{
    if (!m_result || index < 0 || index >= m_result->fields().size())
        return {};
    return m_result->fields().at(index);
}

QList<TFieldInfo> TQuery::Fields() const
{
    return m_result ? m_result->fields() : QList<TFieldInfo>();
}

qint64 TQuery::RecordCount() const
{
    if (!m_result)
        return 0;
    m_result->waitForRow(std::numeric_limits<qint64>::max() - 1);
    return RowsRead();
}

QVariant TQuery::Value(qint64 row, int field) const
{
    if (!m_result || field < 0 || field >= m_result->fields().size())
        return {};
    const Row *r = m_result->row(row);
    return r && field < r->size() ? r->at(field) : QVariant();
}

qint64 TQuery::ReadSpooled(SpoolCursor &cursor, QByteArray &bytes, qint64 maxBytes) const
{
    return m_result ? m_result->spooled(cursor, bytes, maxBytes) : -1;
}

bool TQuery::HasRow(qint64 row) const
{
    return m_result && m_result->row(row) != nullptr;
}

QString TQuery::DisplayText(qint64 row, int field) const
{
    const QVariant v = Value(row, field);
    if (!v.isValid() || v.isNull())
        return QString();
    switch (Field(field).kind) {
    case TFieldKind::Memo:
        return v.toString();
    case TFieldKind::Graphic:
        return QStringLiteral("(Graphic)");
    case TFieldKind::Other:
        break;
    }
    switch (v.metaType().id()) {
    case QMetaType::QByteArray:
        return QStringLiteral("(Blob)");
    case QMetaType::QDateTime:
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return v.toString();
    }
}

QString TQuery::WholeText(qint64 row, int field) const
{
    const QVariant v = Value(row, field);
    if (v.metaType().id() == QMetaType::QByteArray)
        return QString::fromUtf8(v.toByteArray());
    return v.toString();
}

QByteArray TQuery::Picture(qint64 row, int field) const
{
    // The window decodes the image; the layer hands over the bytes.
    const QVariant v = Value(row, field);
    if (v.metaType().id() != QMetaType::QByteArray)
        return QByteArray();
    return v.toByteArray();
}

qint64 TQuery::CachedRowCount() const
{
    return m_result ? m_result->cachedRows() : 0;
}

TDatabase *TQuery::Database() const
{
    TSession *session = Sessions().FindSession(m_sessionName);
    if (!session)
        throw VdqError(QCoreApplication::translate("TSession", "Invalid session name %1").arg(m_sessionName));
    if (m_databaseName.isEmpty())
        throw VdqError(QCoreApplication::translate("TQuery", "The query has no database name"));
    return session->OpenDatabase(m_databaseName);
}
