#include "tquery.h"

#include "sqlparameters.h"
#include "tdatabase.h"
#include "tsession.h"
#include "tsessionlist.h"
#include "vdqerror.h"

#include <QAtomicInteger>
#include <QDataStream>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QCoreApplication>
#include <QMutex>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>
#include <QTemporaryFile>
#include <QTimer>
#include <QWaitCondition>

#include <sqlite3.h>

#include <dlfcn.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <thread>

namespace {

// The rows read are spooled to a file; every kMarkRows-th row's offset is kept, so a block
// of rows is one read, and the marks of ten million rows take about a megabyte.
constexpr int kMarkRows = 64;
constexpr int kMaxBlocks = 48;
// The first rows are handed over as soon as there are this many; later ones in chunks of
// at most kChunkRows or kChunkMs.
constexpr int kFirstRows = 128;
constexpr int kChunkRows = 65536;
constexpr int kChunkMs = 200;
constexpr int kPollMs = 20;
// Rows are announced to the grid at most this often: each announcement lays the view out,
// at a cost that grows with the rows it has (its vertical header), so a long result is
// announced less often: every 150 ms up to 750,000 rows, then 1 ms more per 5,000 rows.
constexpr int kAnnounceMs = 150;
constexpr int kAnnounceRowsPerMs = 5000;

const QString kNoStatement = QStringLiteral("No SQL statement available");
const QString kNoRows = QStringLiteral("The SQL statement does not return rows");
const QString kRanNoRows = QStringLiteral("The SQL statement has been executed; it does not return rows");
const QString kChangesData =
    QStringLiteral("The SQL statement changes data; run it as an Insert, Update or Delete query");
const QString kOneStatement = QStringLiteral("Only one SQL statement can be run at a time");
const QString kHasRows = QStringLiteral("The SQL statement returns rows; run it as a Select Query");
const QString kCancelled = QStringLiteral("The SQL statement was cancelled");
const QString kTimedOut = QStringLiteral("The SQL statement ran longer than its time-out of %1 s and was cancelled");

using Row = QList<QVariant>;
using Binds = QList<QPair<QString, QVariant>>;

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

template <typename T>
T handleOf(const QVariant &handle, const char *typeName)
{
    if (!handle.isValid() || qstrcmp(handle.typeName(), typeName) != 0)
        return nullptr;
    return *static_cast<T const *>(handle.constData());
}

sqlite3_stmt *sqliteStatement(const QSqlQuery &q)
{
    return q.result() ? handleOf<sqlite3_stmt *>(q.result()->handle(), "sqlite3_stmt*") : nullptr;
}

// The length in "VARCHAR(30)"; -1 without one.
int declaredLength(const QString &type)
{
    const int open = type.indexOf(u'(');
    if (open < 0)
        return -1;
    bool ok = false;
    const int length = type.mid(open + 1, type.indexOf(u')', open) - open - 1).section(u',', 0, 0).trimmed().toInt(&ok);
    return ok && length > 0 ? length : -1;
}

// SQLite keeps the declared type of a result column that comes straight from a table. It
// has no length-bound text type, so TEXT is any text: memo only by its values.
TFieldInfo sqliteField(const char *name, const char *declared)
{
    TFieldInfo field{QString::fromUtf8(name), TFieldKind::Other, -1};
    if (!declared)
        return field;
    const QString type = QString::fromUtf8(declared).trimmed().toUpper();
    const QString base = type.section(u'(', 0, 0).trimmed();
    static const QStringList binary{QStringLiteral("BLOB"), QStringLiteral("TINYBLOB"),
                                    QStringLiteral("MEDIUMBLOB"), QStringLiteral("LONGBLOB"),
                                    QStringLiteral("BYTEA"), QStringLiteral("IMAGE"),
                                    QStringLiteral("GRAPHIC")};
    if (binary.contains(base))
        field.kind = TFieldKind::Graphic;
    else if (base.contains(QLatin1String("CHAR")) || base.contains(QLatin1String("TEXT")))
        field.size = declaredLength(type);
    return field;
}

// Engines with a length-bound VARCHAR: their unbounded text types are memos.
TFieldInfo serverField(SqlDialect dialect, const QSqlField &f)
{
    TFieldInfo field{f.name(), TFieldKind::Other, -1};
    const int id = f.typeID();
    switch (dialect) {
    case SqlDialect::PostgreSQL:
        if (id == 25)  // text
            field.kind = TFieldKind::Memo;
        else if (id == 17)  // bytea
            field.kind = TFieldKind::Graphic;
        break;
    case SqlDialect::MySQL:
        // TINY_BLOB .. BLOB: the TEXT family shares them, told apart by the binary charset.
        if (id >= 249 && id <= 252)
            field.kind = f.metaType().id() == QMetaType::QByteArray ? TFieldKind::Graphic : TFieldKind::Memo;
        break;
    case SqlDialect::ODBC:
        if (id == -1 || id == -10)  // SQL_LONGVARCHAR, SQL_WLONGVARCHAR
            field.kind = TFieldKind::Memo;
        else if (id == -4)  // SQL_LONGVARBINARY
            field.kind = TFieldKind::Graphic;
        break;
    case SqlDialect::SQLite:
        break;
    }
    if (field.kind == TFieldKind::Other && f.metaType().id() == QMetaType::QString && f.length() > 0
        && f.length() < 65536)
        field.size = f.length();
    return field;
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

// The end of the run of word characters from i.
int wordEnd(const QString &sql, int i)
{
    while (i < sql.size() && isWordChar(sql.at(i)))
        ++i;
    return i;
}

// The words of a statement outside strings, quoted names and comments, upper-cased, and
// whether a ";" separates two statements.
QStringList keywords(const QString &sql, bool *semicolon)
{
    QStringList words;
    *semicolon = false;
    ForEachSqlCodeChar(sql, [&](qsizetype pos) {
        const int i = int(pos);
        const QChar c = sql.at(i);
        if (c == u';')
            *semicolon = true;
        if (!c.isLetter() && c != u'_')
            return i;
        const int end = wordEnd(sql, i);
        words.append(sql.mid(i, end - i).toUpper());
        return end - 1;
    });
    return words;
}

// On engines where preparing does not tell: whether the statement writes, by its words. A
// data-changing statement may hide in a WITH; FOR UPDATE is a lock, not a change.
bool writesData(const QStringList &words)
{
    static const QStringList writers{QStringLiteral("INSERT"), QStringLiteral("UPDATE"), QStringLiteral("DELETE"),
                                     QStringLiteral("MERGE"),  QStringLiteral("REPLACE"), QStringLiteral("UPSERT"),
                                     QStringLiteral("CREATE"), QStringLiteral("DROP"),    QStringLiteral("ALTER"),
                                     QStringLiteral("TRUNCATE"), QStringLiteral("GRANT"), QStringLiteral("REVOKE")};
    if (words.isEmpty())
        return false;
    const QString &first = words.first();
    if (first != QLatin1String("SELECT") && first != QLatin1String("WITH") && first != QLatin1String("VALUES")
        && first != QLatin1String("TABLE"))
        return writers.contains(first);
    for (int i = 1; i < words.size(); ++i) {
        const QString &w = words.at(i);
        if (w == QLatin1String("UPDATE") && (words.at(i - 1) == QLatin1String("FOR") || words.at(i - 1) == QLatin1String("KEY")))
            continue;
        if (w == QLatin1String("REPLACE") || w == QLatin1String("CREATE"))
            continue;  // the string function; CREATE only starts a statement
        // SELECT ... INTO makes a table (or sets variables, or writes a file).
        if (writers.contains(w) || w == QLatin1String("INTO"))
            return true;
    }
    return false;
}

// --- The spool: rows in a compact binary form --------------------------------------------

enum Tag : char { TagNull, TagInt, TagDouble, TagString, TagBytes, TagBool, TagOther };

// The chunk being written: one allocation reused, values copied in place (appending to a
// QByteArray value by value costs as much as reading the value from the engine).
class SpoolBuffer
{
public:
    qsizetype size() const { return m_used; }
    const char *data() const { return m_bytes.constData(); }
    void clear() { m_used = 0; }

    void tag(char t, const void *payload = nullptr, qsizetype n = 0)
    {
        char *p = reserve(1 + n);
        *p = t;
        if (n > 0)
            std::memcpy(p + 1, payload, size_t(n));
        m_used += 1 + n;
    }
    // A tag, a 32-bit length and the bytes.
    void block(char t, const void *bytes, qint32 n)
    {
        char *p = reserve(5 + qsizetype(n));
        *p = t;
        std::memcpy(p + 1, &n, 4);
        if (n > 0)
            std::memcpy(p + 5, bytes, size_t(n));
        m_used += 5 + qsizetype(n);
    }

private:
    char *reserve(qsizetype n)
    {
        if (m_used + n > m_bytes.size())
            m_bytes.resize(qMax(m_bytes.size() * 2, m_used + n + (qsizetype(1) << 20)));
        return m_bytes.data() + m_used;
    }

    QByteArray m_bytes;
    qsizetype m_used = 0;
};

void encode(SpoolBuffer &out, const QVariant &v)
{
    if (v.isNull()) {
        out.tag(TagNull);
        return;
    }
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UInt: {
        const qint64 x = v.toLongLong();
        out.tag(TagInt, &x, 8);
        return;
    }
    case QMetaType::Double: {
        const double x = v.toDouble();
        out.tag(TagDouble, &x, 8);
        return;
    }
    case QMetaType::QString: {
        const QString s = v.toString();
        out.block(TagString, s.constData(), qint32(s.size() * qsizetype(sizeof(QChar))));
        return;
    }
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        out.block(TagBytes, b.constData(), qint32(b.size()));
        return;
    }
    case QMetaType::Bool: {
        const char x = v.toBool();
        out.tag(TagBool, &x, 1);
        return;
    }
    default: {
        QByteArray b;
        QDataStream stream(&b, QIODevice::WriteOnly);
        stream << v;
        out.block(TagOther, b.constData(), qint32(b.size()));
        return;
    }
    }
}

// A fixed-size value at pos.
template <typename T>
bool take(const QByteArray &in, qsizetype &pos, QVariant &v)
{
    if (pos + qsizetype(sizeof(T)) > in.size())
        return false;
    T x;
    std::memcpy(&x, in.constData() + pos, sizeof(T));
    pos += sizeof(T);
    v = x;
    return true;
}

// Decodes one value at pos; false on a spool that does not hold what was written.
bool decode(const QByteArray &in, qsizetype &pos, QVariant &v)
{
    const auto need = [&](qsizetype n) { return pos + n <= in.size(); };
    const auto get32 = [&] {
        qint32 x;
        std::memcpy(&x, in.constData() + pos, sizeof x);
        pos += sizeof x;
        return x;
    };
    if (!need(1))
        return false;
    const char tag = in.at(pos++);
    switch (tag) {
    case TagNull:
        v = QVariant();
        return true;
    case TagInt:
        return take<qint64>(in, pos, v);
    case TagDouble:
        return take<double>(in, pos, v);
    case TagBool:
        if (!need(1))
            return false;
        v = bool(in.at(pos++));
        return true;
    case TagString: {
        if (!need(4))
            return false;
        const qint32 n = get32();  // bytes
        if (n < 0 || n % 2 != 0 || !need(n))
            return false;
        QString s(n / 2, Qt::Uninitialized);
        std::memcpy(s.data(), in.constData() + pos, size_t(n));
        pos += n;
        v = s;
        return true;
    }
    case TagBytes:
    case TagOther: {
        if (!need(4))
            return false;
        const qint32 n = get32();
        if (n < 0 || !need(n))
            return false;
        const QByteArray b = in.mid(pos, n);
        pos += n;
        if (tag == TagBytes) {
            v = b;
        } else {
            QDataStream stream(b);
            stream >> v;
        }
        return true;
    }
    default:
        return false;
    }
}

// --- Cancelling a running statement from another thread -----------------------------------

// libpq and the ODBC driver manager are loaded with the Qt drivers; their cancel calls are
// looked up there, so that nothing links them for a driver that is not used. The driver
// plugins load them privately: they are asked for by name, and only when already loaded.
template <typename F>
F libraryFunction(const char *library, const char *name)
{
    if (void *f = dlsym(RTLD_DEFAULT, name))
        return reinterpret_cast<F>(f);
    void *lib = dlopen(library, RTLD_LAZY | RTLD_NOLOAD);
    if (!lib)
        return nullptr;
    void *f = dlsym(lib, name);
    dlclose(lib);  // the driver keeps it loaded
    return reinterpret_cast<F>(f);
}

constexpr const char *kLibPq = "libpq.so.5";
constexpr const char *kLibOdbc = "libodbc.so.2";

using PQgetCancelFn = void *(*)(void *);
using PQcancelFn = int (*)(void *, char *, int);
using PQfreeCancelFn = void (*)(void *);
using SQLCancelFn = short (*)(void *);

} // namespace

// What the reader thread and the query share, under the mutex.
struct ReadState
{
    QMutex mutex;
    QWaitCondition changed;
    // Published by the reader.
    bool opened = false;  // the fields are known and the first rows are in
    bool done = false;
    QString error;
    QList<TFieldInfo> fields;
    qint64 rows = 0;
    qint64 bytes = 0;       // spool bytes holding those rows
    QList<qint64> marks;    // spool offset of row i * kMarkRows
    // How to cancel the statement from outside the reader.
    sqlite3 *sqlite = nullptr;
    void *pgCancel = nullptr;
    void *odbcStatement = nullptr;
    qint64 mysqlThread = -1;
    // Set by the query.
    QAtomicInteger<int> stop = 0;
};

class TQuery::Result
{
public:
    Result(TQuery *owner, TDatabase *db, QString statement, Binds binds)
        : m_owner(owner), m_db(db), m_statement(std::move(statement)), m_binds(std::move(binds)),
          m_dialect(db->DriverFamily()), m_timeout(db->Params().statementTimeout)
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
        if (m_dialect != SqlDialect::SQLite) {
            bool semicolon = false;
            const QStringList words = keywords(m_statement, &semicolon);
            if (semicolon)
                throw VdqError(kOneStatement);
            if (writesData(words))
                throw VdqError(words.contains(QStringLiteral("RETURNING")) ? kChangesData : kNoRows);
        }
        m_spool.setFileTemplate(QDir::tempPath() + QStringLiteral("/vdq-result-XXXXXX"));
        if (!m_spool.open())
            throw VdqError(QStringLiteral("Cannot create file %1: %2").arg(m_spool.fileTemplate(), m_spool.errorString()));
        // Read without a buffer of its own: the reader thread appends behind it.
        m_reader.setFileName(m_spool.fileName());
        if (!m_reader.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            throw VdqError(QStringLiteral("Cannot open file %1: %2").arg(m_reader.fileName(), m_reader.errorString()));
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
        QFile spool(spoolName);
        if (!spool.open(QIODevice::WriteOnly | QIODevice::Append)) {
            fail(QStringLiteral("Cannot open file %1: %2").arg(spoolName, spool.errorString()));
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
    SqlDialect m_dialect;
    int m_timeout;
    QList<TFieldInfo> m_fields;
    ReadState m_state;
    std::thread m_thread;
    QTemporaryFile m_spool;  // removed with the result
    QFile m_reader;
    QList<Block> m_cache;
    quint64 m_use = 0;
    QElapsedTimer m_clock;
    bool m_stoppedByUser = false;
    bool m_timedOut = false;
};

TQuery::TQuery(QObject *parent) : QObject(parent) {}

TQuery::~TQuery()
{
    m_pending.reset();
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
    if (m_poll)
        m_poll->stop();
    if (m_pending) {
        // A run closed before its first rows ends as a cancelled one, so that whoever
        // waits for it stops waiting.
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

void TQuery::Start()
{
    if (IsActive() || m_pending)
        return;
    const QString statement = statementText();
    if (statement.isEmpty())
        throw VdqError(kNoStatement);
    TDatabase *db = Database();
    auto result = std::make_unique<Result>(this, db, statement, masterParameters(statement));
    result->start();
    m_pending = std::move(result);
    m_rowsSignalled = 0;
    m_sinceRowsSignal.invalidate();
    if (!m_poll) {
        m_poll = new QTimer(this);
        m_poll->setInterval(kPollMs);
        connect(m_poll, &QTimer::timeout, this, &TQuery::poll);
    }
    m_poll->start();
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
        m_poll->stop();
        const QString message = m_pending->timedOut() ? kTimedOut.arg(m_pending->timeout()) : QString();
        m_pending.reset();
        if (!message.isEmpty())
            throw VdqError(message);
        throw;
    }
    finishPending();
}

void TQuery::poll()
{
    if (m_pending) {
        m_pending->checkTimeout();
        ReadState &s = m_pending->state();
        QString error;
        {
            QMutexLocker lock(&s.mutex);
            if (!s.opened && !s.done)
                return;
            error = s.error;
        }
        if (!m_pending->adoptOpened()) {
            const bool byUser = m_pending->stoppedByUser();
            const QString message = m_pending->timedOut() ? kTimedOut.arg(m_pending->timeout())
                                    : byUser                  ? kCancelled
                                                              : error;
            m_pending.reset();
            m_poll->stop();
            Q_EMIT failed(message);
            return;
        }
        finishPending();
    }
    if (!m_result) {
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
    const qint64 announceMs = qMax<qint64>(kAnnounceMs, m_rowsSignalled / kAnnounceRowsPerMs);
    if (rows != m_rowsSignalled && (done || !m_sinceRowsSignal.isValid() || m_sinceRowsSignal.elapsed() >= announceMs)) {
        m_rowsSignalled = rows;
        m_sinceRowsSignal.start();
        Q_EMIT rowsRead(rows);
    }
    if (done && !m_result->endSignalled) {
        // Set first: a message box shown by a receiver runs the timer again.
        m_result->endSignalled = true;
        m_poll->stop();
        if (m_result->timedOut())
            Q_EMIT failed(kTimedOut.arg(m_result->timeout()));
        else if (!error.isEmpty() && !m_result->stoppedByUser())
            Q_EMIT failed(error);
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
    return m_result && (m_result->stoppedByUser() || m_result->timedOut());
}

qint64 TQuery::RowsRead() const
{
    if (!m_result)
        return 0;
    ReadState &s = m_result->state();
    QMutexLocker lock(&s.mutex);
    return s.rows;
}

void TQuery::WaitForEnd()
{
    if (m_result)
        m_result->waitForRow(std::numeric_limits<qint64>::max() - 1);
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
    if (db->DriverFamily() == SqlDialect::SQLite) {
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
        throw VdqError(QStringLiteral("Invalid session name %1").arg(m_sessionName));
    if (m_databaseName.isEmpty())
        throw VdqError(QStringLiteral("The query has no database name"));
    return session->OpenDatabase(m_databaseName);
}
