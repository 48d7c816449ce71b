// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqueryreading_p.h"

#include "sqlparameters.h"
#include "tdatabase.h"

#include <QDataStream>
#include <QtEndian>
#include <QDateTime>
#include <QIODevice>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>

namespace TQueryReading {

namespace {

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

} // namespace

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
    return q.result() ? handleOf<sqlite3_stmt *>(q.result()->handle(), "sqlite3_stmt*") : nullptr;
}


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
    switch (f.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        field.number = true;
        break;
    default:
        break;
    }
    if (field.kind == TFieldKind::Other && f.metaType().id() == QMetaType::QString && f.length() > 0
        && f.length() < 65536)
        field.size = f.length();
    return field;
}
namespace {

// The words of a statement outside strings, quoted names and comments, upper-cased, with
// its parentheses; and whether a ";" separates two statements.
QStringList keywords(const QString &sql, const SqlLexOptions &reading, bool *semicolon)
{
    QStringList words;
    *semicolon = false;
    ForEachSqlCodeChar(sql, reading, [&](qsizetype pos) {
        const int i = int(pos);
        const QChar c = sql.at(i);
        if (c == u';')
            *semicolon = true;
        if (c == u'(' || c == u')')
            words.append(QString(c));
        if (!c.isLetter() && c != u'_')
            return i;
        const int end = int(SqlWordEnd(sql, i));
        words.append(sql.mid(i, end - i).toUpper());
        return end - 1;
    });
    return words;
}

const QStringList &writers()
{
    static const QStringList words{QStringLiteral("INSERT"), QStringLiteral("UPDATE"), QStringLiteral("DELETE"),
                                   QStringLiteral("MERGE"),  QStringLiteral("REPLACE"), QStringLiteral("UPSERT"),
                                   QStringLiteral("CREATE"), QStringLiteral("DROP"),    QStringLiteral("ALTER"),
                                   QStringLiteral("TRUNCATE"), QStringLiteral("GRANT"), QStringLiteral("REVOKE")};
    return words;
}

// Whether the statement writes, by its words. A SELECT writes only with INTO (a table,
// variables or a file); anywhere else such a word is a name ("SELECT truncate FROM t"). A
// WITH writes when a named query's body or the statement after the list is a change.
bool writesData(const QStringList &words)
{
    qsizetype lead = 0;  // "(SELECT ...)" reads as its SELECT
    while (lead < words.size() && words.at(lead) == QLatin1String("("))
        ++lead;
    if (lead == words.size())
        return false;
    const QString &first = words.at(lead);
    if (first != QLatin1String("SELECT") && first != QLatin1String("WITH") && first != QLatin1String("VALUES")
        && first != QLatin1String("TABLE"))
        return writers().contains(first);
    if (words.contains(QStringLiteral("INTO")))
        return true;
    if (first != QLatin1String("WITH"))
        return false;
    int depth = 0;
    for (qsizetype i = lead + 1; i < words.size(); ++i) {
        const QString &w = words.at(i);
        if (w == QLatin1String("("))
            ++depth;
        else if (w == QLatin1String(")"))
            --depth;
        if (!writers().contains(w))
            continue;
        const QString &before = words.at(i - 1);
        const bool body = before == QLatin1String("(") && i >= 2
                          && (words.at(i - 2) == QLatin1String("AS") || words.at(i - 2) == QLatin1String("MATERIALIZED"));
        if (body || (before == QLatin1String(")") && depth == 0))
            return true;
    }
    return false;
}

// MySQL: the statements that may start a read. Any other (a definition, a call, a rename)
// would commit the read-only transaction first.
bool mysqlReads(const QStringList &words)
{
    static const QStringList reading{QStringLiteral("("),       QStringLiteral("SELECT"),  QStringLiteral("WITH"),
                                     QStringLiteral("VALUES"),  QStringLiteral("TABLE"),   QStringLiteral("SHOW"),
                                     QStringLiteral("DESCRIBE"), QStringLiteral("DESC"),   QStringLiteral("EXPLAIN")};
    return words.isEmpty() || reading.contains(words.first());
}

} // namespace

QString selectRefusal(const QString &sql, const SqlLexOptions &reading)
{
    bool semicolon = false;
    const QStringList words = keywords(sql, reading, &semicolon);
    if (semicolon)
        return kOneStatement;
    const bool returning = words.contains(QStringLiteral("RETURNING"));
    if (writesData(words))
        return returning ? kChangesData : kNoRows;
    const QString first = words.value(0);
    if (first == QLatin1String("CALL") || first == QLatin1String("EXECUTE"))
        return kChangesData;
    if (first == QLatin1String("DO"))
        return kNoRows;
    if (reading.dialect == SqlDialect::MySQL && !mysqlReads(words))
        return returning ? kChangesData : kNoRows;
    return QString();
}

QString ReadOnlyRun::run(const QStringList &statements)
{
    for (const QString &statement : statements) {
        QSqlQuery q(m_db);
        if (!q.exec(statement))
            return TDatabase::ErrorText(q.lastError());
    }
    return QString();
}

QString ReadOnlyRun::setSession()
{
    m_session = true;
    switch (m_engine) {
    case SqlDialect::PostgreSQL:
        // Strings are read as the check before the run reads them. A scan of a big table
        // starts at its first page, not where another scan of it is: the rows of a plain scan
        // come in the same order to every reading of the data (see readPostgresEnd).
        return run({QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"),
                    QStringLiteral("SET standard_conforming_strings = on"),
                    QStringLiteral("SET synchronize_seqscans = off")});
    case SqlDialect::MySQL:
        // A read-only transaction alone lets a definition commit it and run; the session's
        // mode refuses definitions too.
        return run({QStringLiteral("SET SESSION TRANSACTION READ ONLY")});
    case SqlDialect::SQLite:
        return run({QStringLiteral("PRAGMA query_only = ON")});
    case SqlDialect::ODBC:
        break;  // the connection's access mode, set before it opened
    }
    return QString();
}

QString ReadOnlyRun::beginTransaction()
{
    if (m_engine != SqlDialect::PostgreSQL && m_engine != SqlDialect::MySQL)
        return QString();
    m_transaction = true;
    // PostgreSQL: one snapshot for the whole transaction, which another connection can share.
    return run({m_engine == SqlDialect::PostgreSQL
                    ? QStringLiteral("START TRANSACTION ISOLATION LEVEL REPEATABLE READ READ ONLY")
                    : QStringLiteral("START TRANSACTION READ ONLY")});
}

ReadOnlyRun::~ReadOnlyRun()
{
    // The connection is the reader's own and closes next; ending here leaves nothing open
    // on the server meanwhile. A failure (a lost connection) ends it there all the same.
    if (m_transaction)
        run({QStringLiteral("ROLLBACK")});
    if (m_session && m_engine == SqlDialect::SQLite)
        run({QStringLiteral("PRAGMA query_only = OFF")});
}

bool severalStatements(const QString &sql, const SqlLexOptions &reading)
{
    bool semicolon = false;
    keywords(sql, reading, &semicolon);
    return semicolon;
}

void *mysqlHandle(const QSqlDatabase &db)
{
    // MYSQL is the typedef of struct st_mysql; the driver registers the latter.
    const QVariant handle = db.driver()->handle();
    void *mysql = handleOf<void *>(handle, "st_mysql*");
    return mysql ? mysql : handleOf<void *>(handle, "MYSQL*");
}

int mysqlSocket(const QSqlDatabase &db)
{
    void *mysql = mysqlHandle(db);
    auto socket = mysqlFunction<MysqlGetSocketFn>("mysql_get_socket");
    return mysql && socket ? socket(mysql) : -1;
}

QString mysqlError(const QSqlDatabase &db)
{
    void *mysql = mysqlHandle(db);
    auto number = mysqlFunction<MysqlErrnoFn>("mysql_errno");
    auto text = mysqlFunction<MysqlErrorFn>("mysql_error");
    if (!mysql || !number || !text || number(mysql) == 0)
        return QString();
    return QString::fromUtf8(text(mysql)).trimmed();
}

bool mysqlOneStatementPerCall(const QSqlDatabase &db)
{
    void *mysql = mysqlHandle(db);
    auto setOption = mysqlFunction<MysqlSetServerOptionFn>("mysql_set_server_option");
    constexpr int multiStatementsOff = 1;  // MYSQL_OPTION_MULTI_STATEMENTS_OFF
    return mysql && setOption && setOption(mysql, multiStatementsOff) == 0;
}

void *postgresHandle(const QSqlDatabase &db)
{
    // PGconn is the typedef of struct pg_conn; the driver registers the latter.
    const QVariant handle = db.driver()->handle();
    void *conn = handleOf<void *>(handle, "pg_conn*");
    return conn ? conn : handleOf<void *>(handle, "PGconn*");
}

QString postgresParseRefusal(const QSqlDatabase &db, const QString &sql)
{
    void *conn = postgresHandle(db);
    auto prepare = libraryFunction<PQprepareFn>(kLibPq, "PQprepare");
    auto status = libraryFunction<PQresultStatusFn>(kLibPq, "PQresultStatus");
    auto message = libraryFunction<PQresultErrorMessageFn>(kLibPq, "PQresultErrorMessage");
    auto field = libraryFunction<PQresultErrorFieldFn>(kLibPq, "PQresultErrorField");
    auto clear = libraryFunction<PQclearFn>(kLibPq, "PQclear");
    if (!conn || !prepare || !status || !message || !field || !clear)
        return QString();
    // The unnamed statement: parsed, never run, replaced by the next one.
    void *result = prepare(conn, "", sql.toUtf8().constData(), 0, nullptr);
    if (!result)
        return QStringLiteral("out of memory");
    constexpr int commandOk = 1;     // PGRES_COMMAND_OK
    constexpr int sqlState = 'C';    // PG_DIAG_SQLSTATE
    QString refusal;
    const char *state = field(result, sqlState);
    // Several statements are a syntax error (42601); any later failure came from reading one
    // statement, and shows again when it runs. Written as the driver writes the engine's errors.
    if (status(result) != commandOk && state && qstrcmp(state, "42601") == 0)
        refusal = QString::fromUtf8(message(result)) + QStringLiteral("(42601)");
    clear(result);
    return refusal;
}

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
        out.text(*static_cast<const QString *>(v.constData()));  // no copy of the text
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
    // Dates and times are common in results and costly through a data stream: they go as numbers.
    case QMetaType::QDate: {
        const qint64 day = v.toDate().toJulianDay();
        out.tag(TagDate, &day, 8);
        return;
    }
    case QMetaType::QTime: {
        const qint32 ms = v.toTime().msecsSinceStartOfDay();
        out.tag(TagTime, &ms, 4);
        return;
    }
    case QMetaType::QDateTime: {
        const QDateTime t = v.toDateTime();
        if (t.isValid() && (t.timeSpec() == Qt::UTC || t.timeSpec() == Qt::LocalTime)) {
            char bytes[9];
            const qint64 ms = t.toMSecsSinceEpoch();
            std::memcpy(bytes, &ms, 8);
            bytes[8] = char(t.timeSpec());
            out.tag(TagDateTime, bytes, 9);
            return;
        }
        break;  // an offset or a time zone: the data stream keeps it
    }
    default:
        break;
    }
    QByteArray b;
    QDataStream stream(&b, QIODevice::WriteOnly);
    stream << v;
    out.block(TagOther, b.constData(), qint32(b.size()));
}

void encodeUnsigned(SpoolBuffer &out, quint64 x)
{
    // The stream's bytes of one such value, and where in them the number is: written by the
    // stream itself once, so that they stay what it writes.
    struct Layout
    {
        QByteArray bytes;
        qsizetype at = -1;
    };
    static const Layout layout = [] {
        constexpr quint64 probe = 0x0102030405060708ULL;
        SpoolBuffer probed;
        encode(probed, QVariant(probe));
        Layout l{QByteArray(probed.data(), probed.size())};
        const char bigEndian[] = {1, 2, 3, 4, 5, 6, 7, 8};
        l.at = l.bytes.indexOf(QByteArrayView(bigEndian, 8));
        if (l.bytes.indexOf(QByteArrayView(bigEndian, 8), l.at + 1) >= 0)
            l.at = -1;
        return l;
    }();
    char bytes[64];
    if (layout.at < 0 || layout.bytes.size() > qsizetype(sizeof bytes)) {
        encode(out, QVariant(x));
        return;
    }
    std::memcpy(bytes, layout.bytes.constData(), size_t(layout.bytes.size()));
    const quint64 big = qToBigEndian(x);
    std::memcpy(bytes + layout.at, &big, 8);
    // The spool's tag and length are in the layout already.
    out.tag(bytes[0], bytes + 1, layout.bytes.size() - 1);
}

void encodeJudged(SpoolBuffer &out, const QVariant &v, TFieldInfo *judged)
{
    if (judged && v.metaType().id() == QMetaType::QString
        && static_cast<const QString *>(v.constData())->contains(u'\n'))
        judgeMemo(*judged);
    encode(out, v);
}

bool decode(const QByteArray &in, qsizetype &pos, QVariant &v)
{
    const auto need = [&](qsizetype n) { return pos + n <= in.size(); };
    // A number at pos, once need() said it is there.
    const auto get = [&](auto x) {
        std::memcpy(&x, in.constData() + pos, sizeof x);
        pos += sizeof x;
        return x;
    };
    const auto get32 = [&] { return get(qint32()); };
    const auto get64 = [&] { return get(qint64()); };
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
    case TagDate:
        if (!need(8))
            return false;
        v = QDate::fromJulianDay(get64());
        return true;
    case TagTime:
        if (!need(4))
            return false;
        v = QTime::fromMSecsSinceStartOfDay(get32());
        return true;
    case TagDateTime: {
        if (!need(9))
            return false;
        const qint64 ms = get64();
        const char spec = in.at(pos++);
        if (spec != char(Qt::UTC) && spec != char(Qt::LocalTime))
            return false;
        v = QDateTime::fromMSecsSinceEpoch(ms, Qt::TimeSpec(spec));
        return true;
    }
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
    case TagLatin1: {
        if (!need(4))
            return false;
        const qint32 n = get32();
        if (n < 0 || !need(n))
            return false;
        v = QString::fromLatin1(in.constData() + pos, n);
        pos += n;
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
} // namespace TQueryReading
