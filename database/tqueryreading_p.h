// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// What a query's run shares between the query and its reader thread: the limits of the
// reading, the messages, the statement's kind, the kinds of the result's fields, the spool
// format of the rows read, and the engines' cancel calls. Private to the query.

#include "sqldialect.h"
#include "sqllexer.h"
#include "tquery.h"
#include "translatedtext.h"

#include <QAtomicInteger>
#include <QByteArray>
#include <QMutex>
#include <QSqlQuery>
#include <QSqlResult>
#include <QStringList>
#include <QVariant>
#include <QWaitCondition>

#include <sqlite3.h>

#include <dlfcn.h>

#include <cstring>

class QSqlField;

namespace TQueryReading {

// The rows read are spooled to a file; every kMarkRows-th row's offset is kept, so a block
// of rows is one read, and the marks of ten million rows take about a megabyte.
constexpr int kMarkRows = 64;
constexpr int kMaxBlocks = 48;
// The first rows are handed over as soon as there are this many; later ones in chunks of
// at most kChunkRows or kChunkMs.
constexpr int kFirstRows = 128;
constexpr int kChunkRows = 65536;
constexpr int kChunkMs = 200;
// The last rows read ahead when the end is asked for before the reading got there.
constexpr int kEndRows = 1024;
constexpr int kPollMs = 20;
// Rows are announced to the grid at most this often: each announcement lays the view out.
constexpr int kAnnounceMs = 150;

const TranslatedText kNoStatement {"TQuery", QT_TRANSLATE_NOOP("TQuery", "No SQL statement available")};
const TranslatedText kNoRows {"TQuery", QT_TRANSLATE_NOOP("TQuery", "The SQL statement does not return rows")};
const TranslatedText kRanNoRows {
    "TQuery", QT_TRANSLATE_NOOP("TQuery", "The SQL statement has been executed; it does not return rows")};
const TranslatedText kChangesData {
    "TQuery",
    QT_TRANSLATE_NOOP("TQuery",
                      "The SQL statement changes data; run it as an Insert, Update or Delete "
                      "query")};
const TranslatedText kOneStatement {"TQuery",
                                    QT_TRANSLATE_NOOP("TQuery", "Only one SQL statement can be run at a time")};
const TranslatedText kHasRows {"TQuery",
                               QT_TRANSLATE_NOOP("TQuery", "The SQL statement returns rows; run it as a Select Query")};
const TranslatedText kCancelled {"TQuery", QT_TRANSLATE_NOOP("TQuery", "The SQL statement was cancelled")};
const TranslatedText kTimedOut {"TQuery",
                                QT_TRANSLATE_NOOP("TQuery",
                                                  "The SQL statement ran longer than its time-out of %1 s and was "
                                                  "cancelled")};

using Row = QList<QVariant>;
using Binds = QList<QPair<QString, QVariant>>;

// Runs the statement, prepared with the values when it has any.
bool exec(QSqlQuery &q, const QString &sql, const Binds &binds);

template <typename T>
T handleOf(const QVariant &handle, const char *typeName)
{
    if (!handle.isValid() || qstrcmp(handle.typeName(), typeName) != 0)
        return nullptr;
    return *static_cast<T const *>(handle.constData());
}

// The SQLite statement behind a query of the SQLite driver, else null.
sqlite3_stmt *sqliteStatement(const QSqlQuery &q);

// SQLite keeps the declared type of a result column that comes straight from a table. It
// has no length-bound text type, so TEXT is any text: memo only by its values.
TFieldInfo sqliteField(const char *name, const char *declared);
// Engines with a length-bound VARCHAR: their unbounded text types are memos.
TFieldInfo serverField(SqlDialect dialect, const QSqlField &f);

// Why a statement is not run under Select Query, said before it runs; empty when it may run.
// The engine's read-only transaction is what keeps the data as they are; this gives the
// clearer message. On MySQL, where a statement that defines or calls something commits the
// read-only transaction, only statements that read may start it, and this is the guard.
QString selectRefusal(const QString &sql, const SqlLexOptions &reading);

// The reader's own connection kept from changing anything during the run, by the engine's
// own read-only mode: the session's default first, then a read-only transaction (which
// also keeps a called routine from committing). What was started ends (the transaction is
// rolled back, the mode reset) when this goes, after the statement's result has gone.
class ReadOnlyRun
{
public:
    ReadOnlyRun(QSqlDatabase &db, SqlDialect engine) : m_db(db), m_engine(engine) {}
    ~ReadOnlyRun();
    ReadOnlyRun(const ReadOnlyRun &) = delete;
    ReadOnlyRun &operator=(const ReadOnlyRun &) = delete;

    // Each returns the engine's message when it failed; the run must not go on then.
    QString setSession();
    QString beginTransaction();

private:
    QString run(const QStringList &statements);

    QSqlDatabase &m_db;
    SqlDialect m_engine;
    bool m_session = false;
    bool m_transaction = false;
};

// Whether the text holds more than one statement (a ";" outside strings, names and comments).
bool severalStatements(const QString &sql, const SqlLexOptions &reading);

// MySQL: the client library's MYSQL of the connection, null when it is not that driver's.
void *mysqlHandle(const QSqlDatabase &db);

// MySQL: the socket of the connection, -1 when the client library does not tell it.
int mysqlSocket(const QSqlDatabase &db);

// MySQL: the client library's message for the last call on this connection; empty when it
// succeeded.
QString mysqlError(const QSqlDatabase &db);

// MySQL: makes the server refuse several statements in one call on this connection (Qt's
// driver asks for them at connect). False when the client library does not offer it.
bool mysqlOneStatementPerCall(const QSqlDatabase &db);

// PostgreSQL: libpq's PGconn of the connection, null when it is not that driver's.
void *postgresHandle(const QSqlDatabase &db);

// PostgreSQL through libpq: the engine parses the statement without running it, and refuses
// several statements in one text. The engine's message when it refuses it as no single
// statement; empty when it is one (a failure after parsing shows when it runs).
QString postgresParseRefusal(const QSqlDatabase &db, const QString &sql);

// --- The spool: rows in a compact binary form --------------------------------------------

enum Tag : char { TagNull, TagInt, TagDouble, TagString, TagBytes, TagBool, TagOther, TagDate, TagTime, TagDateTime,
                 TagLatin1 };

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

    // A text: one byte a character when every character fits in one (most texts; half the
    // bytes to write and read back), else UTF-16.
    void text(const QString &s) { text(s.constData(), s.size()); }
    void text(const QChar *from, qsizetype n)
    {
        char *p = reserve(5 + 2 * n);
        for (qsizetype i = 0; i < n; ++i) {
            if (from[i].unicode() > 0xff) {
                block(TagString, from, qint32(n * 2));
                return;
            }
            p[5 + i] = char(from[i].unicode());
        }
        const qint32 bytes = qint32(n);
        *p = TagLatin1;
        std::memcpy(p + 1, &bytes, 4);
        m_used += 5 + n;
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

void encode(SpoolBuffer &out, const QVariant &v);
// A text of no declared length with a line break is a memo; the first rows judge it.
inline void judgeMemo(TFieldInfo &field)
{
    if (field.kind == TFieldKind::Other && field.size < 0)
        field.kind = TFieldKind::Memo;
}
// Encodes the value; a field not null is judged a memo or not by it.
void encodeJudged(SpoolBuffer &out, const QVariant &v, TFieldInfo *judged);
// An engine's UTF-8 text: a line break judges the field a memo, and a text of ASCII alone
// goes in byte for byte, as its QString would. False for any other text, which the caller
// then writes as the driver reads it.
inline bool encodeAsciiText(SpoolBuffer &out, const char *bytes, int n, TFieldInfo *judged)
{
    if (judged && n > 0 && std::memchr(bytes, '\n', size_t(n)))
        judgeMemo(*judged);
    unsigned char any = 0;
    for (int i = 0; i < n; ++i)
        any |= static_cast<unsigned char>(bytes[i]);
    if (any >= 0x80)
        return false;
    out.block(TagLatin1, bytes, qint32(n));
    return true;
}
// An engine's UTF-8 text as its QString would go: byte for byte when it is ASCII, else
// decoded (a line break judges the field a memo either way).
inline void encodeUtf8Text(SpoolBuffer &out, const char *bytes, int n, TFieldInfo *judged)
{
    if (!encodeAsciiText(out, bytes, n, judged))
        out.text(QString::fromUtf8(bytes, n));
}
// A quint64 as encode() writes the QVariant of it (through the data stream), without the
// variant and the stream.
void encodeUnsigned(SpoolBuffer &out, quint64 x);
// Decodes one value at pos; false on a spool that does not hold what was written.
bool decode(const QByteArray &in, qsizetype &pos, QVariant &v);

// The last rows of a result, read ahead of the rows before them.
struct EndRows
{
    qint64 total = -1;  // rows of the whole result
    qint64 from = -1;   // the first row read ahead
    QByteArray bytes;   // rows from .. total - 1 in the spool's form
};

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
constexpr const char *kLibMariaDb = "libmariadb.so.3";
constexpr const char *kLibMySql = "libmysqlclient.so.21";

// A function of the MySQL client library the driver was built with.
template <typename F>
F mysqlFunction(const char *name)
{
    if (auto f = libraryFunction<F>(kLibMariaDb, name))
        return f;
    return libraryFunction<F>(kLibMySql, name);
}

using PQgetCancelFn = void *(*)(void *);
using PQcancelFn = int (*)(void *, char *, int);
using PQfreeCancelFn = void (*)(void *);
using SQLCancelFn = short (*)(void *);
using PQprepareFn = void *(*)(void *, const char *, const char *, int, const void *);
using PQresultStatusFn = int (*)(const void *);
using PQresultErrorMessageFn = char *(*)(const void *);
using PQresultErrorFieldFn = char *(*)(const void *, int);
using PQclearFn = void (*)(void *);
using MysqlSetServerOptionFn = int (*)(void *, int);
using PQsocketFn = int (*)(const void *);
using MysqlGetSocketFn = int (*)(void *);
using MysqlErrnoFn = unsigned int (*)(void *);
using MysqlErrorFn = const char *(*)(void *);

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
    int rowsAffected = -1;  // a statement that changes data: as the engine counts them
    // The last rows read ahead of those before them (TQuery::FetchEnd): asked for by the
    // query, answered once by the reader, with the rows or without them (total stays -1).
    QAtomicInteger<int> endWanted = 0;
    qint64 total = -1;     // rows of the whole result
    qint64 endFrom = -1;   // the first of the rows read ahead
    QByteArray endRows;    // those rows to the last, in the spool's form
    // Set by the query.
    QAtomicInteger<int> stop = 0;
    bool orphaned = false;  // the query let go of the run
};

} // namespace TQueryReading
