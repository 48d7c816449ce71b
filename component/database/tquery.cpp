#include "tquery.h"

#include "sqlparameters.h"
#include "tdatabase.h"
#include "tsession.h"
#include "tsessionlist.h"
#include "vdqerror.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QImage>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>

#include <sqlite3.h>

#include <algorithm>

namespace {

// A block is what one LIMIT/OFFSET round trip reads; the cache keeps a few of them, so
// memory stays the same whether the result has ten rows or ten million.
constexpr int kBlockRows = 256;
constexpr int kMaxBlocks = 16;

const QString kNoStatement = QStringLiteral("No SQL statement available");
const QString kNoRows = QStringLiteral("The SQL statement does not return rows");
const QString kHasRows = QStringLiteral("The SQL statement returns rows; run it as a Select Query");

using Row = QList<QVariant>;
using Binds = QList<QPair<QString, QVariant>>;

struct Block
{
    qint64 first = 0;
    QList<Row> rows;
    quint64 lastUse = 0;
};

bool exec(QSqlQuery &q, const QString &sql, const Binds &binds)
{
    if (binds.isEmpty())
        return q.exec(sql);
    if (!q.prepare(sql))
        return false;
    for (const auto &b : binds)
        q.bindValue(u':' + b.first, b.second);
    return q.exec();
}

sqlite3_stmt *sqliteStatement(const QSqlQuery &q)
{
    const QVariant handle = q.result() ? q.result()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3_stmt*") != 0)
        return nullptr;
    return *static_cast<sqlite3_stmt *const *>(handle.constData());
}

// SQLite keeps the declared type of a result column that comes straight from a table.
TFieldKind sqliteKind(const char *declared)
{
    if (!declared)
        return TFieldKind::Other;
    const QString type = QString::fromUtf8(declared).trimmed().toUpper();
    const int paren = type.indexOf(u'(');
    const QString base = (paren < 0 ? type : type.left(paren)).trimmed();
    static const QStringList longText{QStringLiteral("TEXT"), QStringLiteral("NTEXT"),
                                      QStringLiteral("MEMO"), QStringLiteral("TINYTEXT"),
                                      QStringLiteral("MEDIUMTEXT"), QStringLiteral("LONGTEXT")};
    static const QStringList clob{QStringLiteral("CLOB"), QStringLiteral("NCLOB")};
    static const QStringList binary{QStringLiteral("BLOB"), QStringLiteral("TINYBLOB"),
                                    QStringLiteral("MEDIUMBLOB"), QStringLiteral("LONGBLOB"),
                                    QStringLiteral("BYTEA"), QStringLiteral("IMAGE"),
                                    QStringLiteral("GRAPHIC")};
    if (longText.contains(base))
        return paren < 0 ? TFieldKind::Memo : TFieldKind::Other;  // TEXT(30) is a short text
    if (clob.contains(base))
        return TFieldKind::Memo;
    if (binary.contains(base))
        return TFieldKind::Graphic;
    return TFieldKind::Other;
}

TFieldKind serverKind(SqlDialect dialect, const QSqlField &field)
{
    const int id = field.typeID();
    switch (dialect) {
    case SqlDialect::PostgreSQL:
        if (id == 25)  // text
            return TFieldKind::Memo;
        if (id == 17)  // bytea
            return TFieldKind::Graphic;
        break;
    case SqlDialect::MySQL:
        // TINY_BLOB .. BLOB: the TEXT family shares them, told apart by the binary charset.
        if (id >= 249 && id <= 252)
            return field.metaType().id() == QMetaType::QByteArray ? TFieldKind::Graphic : TFieldKind::Memo;
        break;
    case SqlDialect::ODBC:
        if (id == -1 || id == -10)  // SQL_LONGVARCHAR, SQL_WLONGVARCHAR
            return TFieldKind::Memo;
        if (id == -4)  // SQL_LONGVARBINARY
            return TFieldKind::Graphic;
        break;
    case SqlDialect::SQLite:
        break;
    }
    return TFieldKind::Other;
}

} // namespace

class TQuery::Result
{
public:
    Result(TDatabase *db, QString statement, Binds binds)
        : m_db(db), m_statement(std::move(statement)), m_binds(std::move(binds)),
          m_dialect(db->Dialect())
    {
    }

    TDatabase *database() const { return m_db; }
    const QList<TFieldInfo> &fields() const { return m_fields; }

    void start()
    {
        if (m_dialect == SqlDialect::SQLite)
            describeSqlite();
        Block first;
        QSqlRecord record;
        if (fetchBlock(0, first, &record)) {
            if (m_fields.isEmpty())
                describe(record);
        } else {
            // The engine refused the wrapping (SHOW, EXPLAIN, PRAGMA ...): read the
            // statement itself, front to back.
            m_paged = false;
            openCursor();
            if (m_fields.isEmpty())
                describe(m_cursor->record());
            readFromCursor(0, first);
        }
        store(std::move(first));
    }

    const Row *row(qint64 index) const
    {
        if (index < 0 || (m_end >= 0 && index >= m_end))
            return nullptr;
        const qint64 first = index - index % kBlockRows;
        for (Block &b : m_cache) {
            if (b.first == first) {
                b.lastUse = ++m_clock;
                return index - first < b.rows.size() ? &b.rows.at(int(index - first)) : nullptr;
            }
        }
        Block block;
        try {
            if (m_paged) {
                if (!fetchBlock(first, block, nullptr))
                    return nullptr;
            } else {
                readFromCursor(first, block);
            }
        } catch (const VdqError &) {
            return nullptr;  // read by painting code: an unreadable row shows empty
        }
        const Block &stored = store(std::move(block));
        return index - first < stored.rows.size() ? &stored.rows.at(int(index - first)) : nullptr;
    }

    qint64 recordCount() const
    {
        if (m_end >= 0)
            return m_end;
        if (m_count == -2)
            m_count = count();
        return m_count;
    }

    qint64 cachedRows() const
    {
        qint64 rows = 0;
        for (const Block &b : m_cache)
            rows += b.rows.size();
        return rows;
    }

private:
    // The statement inside a query of its own. It stands on lines of its own, so that a
    // trailing "--" comment ends there; concatenated, as the text may hold "%1".
    QString wrapped(const QString &select, const QString &tail) const
    {
        return select + QStringLiteral(" FROM (\n") + m_statement + QStringLiteral("\n) AS vdq_q") + tail;
    }

    void describeSqlite()
    {
        QSqlQuery q(m_db->Connection());
        if (!q.prepare(m_statement))
            throw VdqError(TDatabase::ErrorText(q.lastError()));
        sqlite3_stmt *stmt = sqliteStatement(q);
        if (!stmt)
            return;  // no handle to ask: the names and kinds come from the result
        const int n = sqlite3_column_count(stmt);
        if (n == 0)
            throw VdqError(kNoRows);
        // The statement's own column names: the wrapping would rename duplicates.
        for (int i = 0; i < n; ++i)
            m_fields.append({QString::fromUtf8(sqlite3_column_name(stmt, i)),
                             sqliteKind(sqlite3_column_decltype(stmt, i))});
    }

    void describe(const QSqlRecord &record)
    {
        for (int i = 0; i < record.count(); ++i)
            m_fields.append({record.fieldName(i), serverKind(m_dialect, record.field(i))});
    }

    // One block through the wrapping; false when the engine refuses it.
    bool fetchBlock(qint64 first, Block &block, QSqlRecord *record) const
    {
        QSqlQuery q(m_db->Connection());
        q.setForwardOnly(true);
        const QString sql = wrapped(QStringLiteral("SELECT *"),
                                    QStringLiteral(" LIMIT %1 OFFSET %2").arg(kBlockRows).arg(first));
        if (!exec(q, sql, m_binds))
            return false;
        if (record)
            *record = q.record();
        block.first = first;
        readRows(q, block, kBlockRows);
        if (block.rows.size() < kBlockRows && (block.rows.size() > 0 || first == 0))
            m_end = first + block.rows.size();
        return true;
    }

    void readRows(QSqlQuery &q, Block &block, int limit) const
    {
        const int n = int(m_fields.isEmpty() ? q.record().count() : m_fields.size());
        while (block.rows.size() < limit && q.next()) {
            Row r;
            r.reserve(n);
            for (int i = 0; i < n; ++i)
                r.append(q.value(i));
            block.rows.append(std::move(r));
        }
    }

    void openCursor() const
    {
        m_cursor = std::make_unique<QSqlQuery>(m_db->Connection());
        m_cursor->setForwardOnly(true);
        m_cursorRow = 0;
        if (!exec(*m_cursor, m_statement, m_binds)) {
            const QString error = TDatabase::ErrorText(m_cursor->lastError());
            m_cursor.reset();
            throw VdqError(error);
        }
        if (!m_cursor->isSelect()) {
            m_cursor.reset();
            throw VdqError(kNoRows);
        }
    }

    void readFromCursor(qint64 first, Block &block) const
    {
        if (!m_cursor || m_cursorRow > first)
            openCursor();  // a forward cursor cannot go back: run the statement again
        while (m_cursorRow < first) {
            if (!m_cursor->next()) {
                m_end = m_cursorRow;
                return;
            }
            ++m_cursorRow;
        }
        block.first = first;
        readRows(*m_cursor, block, kBlockRows);
        m_cursorRow += block.rows.size();
        if (block.rows.size() < kBlockRows)
            m_end = m_cursorRow;
    }

    const Block &store(Block &&block) const
    {
        block.lastUse = ++m_clock;
        if (m_cache.size() >= kMaxBlocks) {
            const auto oldest = std::min_element(m_cache.begin(), m_cache.end(), [](const Block &a, const Block &b) {
                return a.lastUse < b.lastUse;
            });
            *oldest = std::move(block);
            return *oldest;
        }
        m_cache.append(std::move(block));
        return m_cache.last();
    }

    qint64 count() const
    {
        if (m_paged) {
            QSqlQuery q(m_db->Connection());
            q.setForwardOnly(true);
            if (exec(q, wrapped(QStringLiteral("SELECT COUNT(*)"), QString()), m_binds) && q.next())
                return q.value(0).toLongLong();
        }
        if (m_dialect != SqlDialect::SQLite)
            return -1;
        // The embedded engine always gets a count: step through the rows once.
        QSqlQuery q(m_db->Connection());
        q.setForwardOnly(true);
        if (!exec(q, m_statement, m_binds))
            return -1;
        qint64 rows = 0;
        while (q.next())
            ++rows;
        return rows;
    }

    TDatabase *m_db;
    QString m_statement;
    Binds m_binds;
    SqlDialect m_dialect;
    QList<TFieldInfo> m_fields;
    bool m_paged = true;
    mutable QList<Block> m_cache;
    mutable quint64 m_clock = 0;
    mutable qint64 m_end = -1;     // the row count, once a read has passed the last row
    mutable qint64 m_count = -2;   // -2: not asked yet
    mutable std::unique_ptr<QSqlQuery> m_cursor;
    mutable qint64 m_cursorRow = 0;
};

TQuery::TQuery(QObject *parent) : QObject(parent) {}

TQuery::~TQuery()
{
    if (m_result)
        m_result->database()->detachQuery(this);
}

void TQuery::checkClosed() const
{
    if (IsActive())
        throw VdqError(QStringLiteral("Cannot perform this operation on an open query"));
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
    if (!m_result)
        return;
    m_result->database()->detachQuery(this);
    m_result.reset();
    Q_EMIT activeChanged(false);
}

QString TQuery::statementText() const
{
    // Trailing ";" and blanks would end up inside the wrapping parentheses.
    QString text = m_sql.join(u'\n').trimmed();
    while (text.endsWith(u';'))
        text = text.chopped(1).trimmed();
    return text;
}

QList<QPair<QString, QVariant>> TQuery::masterParameters(const QString &statement) const
{
    Binds binds;
    TQuery *master = m_master ? m_master->DataSet() : nullptr;
    if (!master || master == this || !master->IsActive())
        return binds;
    const QList<TFieldInfo> fields = master->Fields();
    for (const QString &name : SqlParameterNames(statement)) {
        for (int i = 0; i < fields.size(); ++i) {
            if (fields.at(i).name.compare(name, Qt::CaseInsensitive) == 0) {
                binds.append({name, master->Value(master->RecNo(), i)});
                break;
            }
        }
    }
    return binds;
}

void TQuery::Open()
{
    if (IsActive())
        return;
    const QString statement = statementText();
    if (statement.isEmpty())
        throw VdqError(kNoStatement);
    TDatabase *db = Database();
    auto result = std::make_unique<Result>(db, statement, masterParameters(statement));
    result->start();
    m_result = std::move(result);
    m_recNo = 0;
    db->attachQuery(this);
    Q_EMIT activeChanged(true);
}

void TQuery::ExecSql()
{
    Close();
    const QString statement = statementText();
    if (statement.isEmpty())
        throw VdqError(kNoStatement);
    TDatabase *db = Database();
    const Binds binds = masterParameters(statement);
    QSqlQuery q(db->Connection());
    q.setForwardOnly(true);
    if (db->Dialect() == SqlDialect::SQLite) {
        // Prepared first, so that a statement with a result is refused before it runs.
        if (!q.prepare(statement))
            throw VdqError(TDatabase::ErrorText(q.lastError()));
        if (sqlite3_stmt *stmt = sqliteStatement(q); stmt && sqlite3_column_count(stmt) > 0)
            throw VdqError(kHasRows);
        for (const auto &b : binds)
            q.bindValue(u':' + b.first, b.second);
        if (!q.exec())
            throw VdqError(TDatabase::ErrorText(q.lastError()));
        return;
    }
    if (!exec(q, statement, binds))
        throw VdqError(TDatabase::ErrorText(q.lastError()));
    if (q.isSelect())
        throw VdqError(kHasRows);
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
    return m_result ? m_result->recordCount() : 0;
}

QVariant TQuery::Value(qint64 row, int field) const
{
    if (!m_result || field < 0 || field >= m_result->fields().size())
        return {};
    const Row *r = m_result->row(row);
    return r && field < r->size() ? r->at(field) : QVariant();
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

QPixmap TQuery::Picture(qint64 row, int field) const
{
    // Pixmaps need the GUI; a command-line program gets none.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return QPixmap();
    const QVariant v = Value(row, field);
    if (v.metaType().id() != QMetaType::QByteArray)
        return QPixmap();
    return QPixmap::fromImage(QImage::fromData(v.toByteArray()));
}

qint64 TQuery::CachedRowCount() const
{
    return m_result ? m_result->cachedRows() : 0;
}

TDatabase *TQuery::Database() const
{
    TSession *session = Sessions().FindSession(m_sessionName);
    if (!session)
        throw VdqError(QStringLiteral("Invalid session name %1").arg(m_sessionName));
    if (m_databaseName.isEmpty())
        throw VdqError(QStringLiteral("The query has no database name"));
    return session->OpenDatabase(m_databaseName);
}
