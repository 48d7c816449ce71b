// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tdatabase.h"

#include "naming.h"
#include "sqlkeywords.h"
#include "tquery.h"
#include "tqueryreading_p.h"
#include "vdqerror.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <algorithm>

#include <sqlite3.h>
#include <sys/stat.h>

namespace {

// The login prompt the component installs; none in a program without windows.
TDatabase::LoginPrompt &loginPrompt()
{
    static TDatabase::LoginPrompt prompt;
    return prompt;
}

const QString kStandard = QStringLiteral("STANDARD");
const QString kPostgreSQL = QStringLiteral("POSTGRESQL");
const QString kMySQL = QStringLiteral("MYSQL");
const QString kODBC = QStringLiteral("ODBC");

// Device and inode of a file: a file deleted and put back under the same name differs.
QByteArray fileIdentity(const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return QByteArray();
    return QByteArray::number(qulonglong(st.st_dev)) + ':' + QByteArray::number(qulonglong(st.st_ino));
}

QStringList readColumn(const QSqlDatabase &db, const QString &sql)
{
    QStringList words;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (q.exec(sql)) {
        while (q.next() && words.size() < 10000)
            words.append(q.value(0).toString());
    }
    return words;
}

// The engine's own reserved words, added once per engine family and process.
void addEngineKeywords(const QSqlDatabase &db, SqlDialect engine)
{
    static bool done[4] = {};
    if (done[int(engine)])
        return;
    done[int(engine)] = true;
    QStringList words;
    switch (engine) {
    case SqlDialect::SQLite:
        for (int i = 0; i < sqlite3_keyword_count(); ++i) {
            const char *name = nullptr;
            int length = 0;
            if (sqlite3_keyword_name(i, &name, &length) == SQLITE_OK && name)
                words.append(QString::fromLatin1(name, length));
        }
        break;
    case SqlDialect::PostgreSQL:
        words = readColumn(db, QStringLiteral("SELECT word FROM pg_get_keywords() WHERE catcode IN ('R', 'T')"));
        break;
    case SqlDialect::MySQL:
        // MySQL 8 marks its reserved words; MariaDB lists keywords without the mark, so
        // the query fails there and the kept list stands.
        words = readColumn(db, QStringLiteral("SELECT WORD FROM information_schema.KEYWORDS WHERE RESERVED = 1"));
        break;
    case SqlDialect::ODBC:
        break;
    }
    AddEngineKeywords(engine, words);
}

// The ODBC connection handle behind Qt's driver, or null.
void *odbcConnection(const QSqlDatabase &db)
{
    const QVariant handle = db.driver()->handle();
    void *connection = TQueryReading::handleOf<void *>(handle, "void*");
    return connection ? connection : TQueryReading::handleOf<void *>(handle, "SQLHANDLE");
}

// The name the ODBC driver gives its engine (SQL_DBMS_NAME); empty when it cannot be asked.
QString odbcDbmsName(const QSqlDatabase &db)
{
    using SQLGetInfoFn = short (*)(void *, unsigned short, void *, short, short *);
    void *connection = odbcConnection(db);
    const auto getInfo = TQueryReading::libraryFunction<SQLGetInfoFn>(TQueryReading::kLibOdbc, "SQLGetInfo");
    constexpr unsigned short dbmsName = 17;  // SQL_DBMS_NAME
    char name[128] = {};
    short length = 0;
    // SQL_SUCCESS or SQL_SUCCESS_WITH_INFO (a name cut to the buffer)
    if (!connection || !getInfo || (getInfo(connection, dbmsName, name, short(sizeof name - 1), &length) & ~1) != 0)
        return QString();
    return QString::fromUtf8(name);
}

// One column pair of a foreign key as a catalogue gives it; the pairs of one key come one
// after another, in key order. Schemas are empty where the engine has none; home is the
// schema whose tables the table list names bare.
struct KeyColumnRow
{
    QString key, name, schema, table, referencedSchema, referencedTable, column, referencedColumn, home;
};

// The keys of the rows, named as the table list names their tables. A key with a missing or
// over-long name is left out, and a key read twice (a self-referencing key points at its
// own table) is kept once.
QList<ForeignKey> keysOfRows(const QList<KeyColumnRow> &rows, SqlDialect dialect)
{
    const auto listed = [dialect](const QString &schema, const QString &table, const QString &home) {
        return TableNameText(schema.isEmpty() || schema == home ? QStringList{table} : QStringList{schema, table}, dialect);
    };
    QList<ForeignKey> keys;
    QList<bool> sound;
    QString current;
    for (const KeyColumnRow &row : rows) {
        if (keys.isEmpty() || row.key != current) {
            current = row.key;
            keys.append({row.name, listed(row.schema, row.table, row.home), {},
                         listed(row.referencedSchema, row.referencedTable, row.home), {}});
            sound.append(!row.table.isEmpty() && !row.referencedTable.isEmpty());
        }
        keys.last().columns << row.column;
        keys.last().referencedColumns << row.referencedColumn;
        for (const QString *text : {&row.name, &row.table, &row.referencedTable, &row.column, &row.referencedColumn, &row.schema,
                                    &row.referencedSchema}) {
            if (text->size() > TDatabase::MaxCatalogueName)
                sound.last() = false;
        }
        if (row.column.isEmpty())
            sound.last() = false;
    }
    QList<ForeignKey> kept;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (sound.at(i) && !kept.contains(keys.at(i)))
            kept.append(keys.at(i));
    }
    return kept;
}

// ODBC's catalogue call for the keys of a table (fk) or those that point at it (!fk),
// through the driver's own connection handle. Text goes as UTF-16, the driver manager's
// wide characters. The rows read are appended; false when the call cannot be made.
// catalogs: the engine's schemas are ODBC catalogues (MySQL's databases); home as in KeyColumnRow.
bool odbcKeyRows(const QSqlDatabase &db, bool fk, const QString &catalog, const QString &schema, const QString &table,
                 bool catalogs, const QString &home, QList<KeyColumnRow> &rows, QString *error)
{
    using SQLAllocHandleFn = short (*)(short, void *, void **);
    using SQLFreeHandleFn = short (*)(short, void *);
    using SQLForeignKeysWFn = short (*)(void *, const char16_t *, short, const char16_t *, short, const char16_t *, short,
                                        const char16_t *, short, const char16_t *, short, const char16_t *, short);
    using SQLFetchFn = short (*)(void *);
    using SQLGetDataFn = short (*)(void *, unsigned short, short, void *, long, long *);
    using SQLGetDiagRecWFn = short (*)(short, void *, short, char16_t *, int *, char16_t *, short, short *);
    const char *lib = TQueryReading::kLibOdbc;
    const auto allocHandle = TQueryReading::libraryFunction<SQLAllocHandleFn>(lib, "SQLAllocHandle");
    const auto freeHandle = TQueryReading::libraryFunction<SQLFreeHandleFn>(lib, "SQLFreeHandle");
    const auto foreignKeys = TQueryReading::libraryFunction<SQLForeignKeysWFn>(lib, "SQLForeignKeysW");
    const auto fetch = TQueryReading::libraryFunction<SQLFetchFn>(lib, "SQLFetch");
    const auto getData = TQueryReading::libraryFunction<SQLGetDataFn>(lib, "SQLGetData");
    const auto diagnostic = TQueryReading::libraryFunction<SQLGetDiagRecWFn>(lib, "SQLGetDiagRecW");
    void *connection = odbcConnection(db);
    constexpr short handleStmt = 3, wideChars = -8, nullData = -1, ntsLength = -3;
    void *stmt = nullptr;
    if (!connection || !allocHandle || !freeHandle || !foreignKeys || !fetch || !getData
        || (allocHandle(handleStmt, connection, &stmt) & ~1) != 0) {
        *error = QStringLiteral("the ODBC driver's catalogue cannot be asked");
        return false;
    }
    // A null argument matches any catalogue or schema; an empty one only those without.
    const auto text = [](const QString &value) { return value.isNull() ? nullptr : reinterpret_cast<const char16_t *>(value.utf16()); };
    const auto length = [](const QString &value) { return value.isNull() ? short(0) : ntsLength; };
    const QString none;
    const QString &pkCatalog = fk ? none : catalog, &pkSchema = fk ? none : schema, &pkTable = fk ? none : table;
    const QString &fkCatalog = fk ? catalog : none, &fkSchema = fk ? schema : none, &fkTable = fk ? table : none;
    const short called = foreignKeys(stmt, text(pkCatalog), length(pkCatalog), text(pkSchema), length(pkSchema),
                                     text(pkTable), length(pkTable), text(fkCatalog), length(fkCatalog),
                                     text(fkSchema), length(fkSchema), text(fkTable), length(fkTable));
    if ((called & ~1) != 0) {
        char16_t state[6] = {}, message[512] = {};
        int native = 0;
        short size = 0;
        if (diagnostic && (diagnostic(handleStmt, stmt, 1, state, &native, message, 511, &size) & ~1) == 0)
            *error = QString::fromUtf16(message, qBound(0, int(size), 511));
        else
            *error = QStringLiteral("SQLForeignKeys failed");
        freeHandle(handleStmt, stmt);
        return false;
    }
    // A value longer than the buffer is cut; the cut name is over-long and its key left out.
    const auto column = [&](unsigned short number) {
        char16_t buffer[TDatabase::MaxCatalogueName + 2] = {};
        long indicator = 0;
        if ((getData(stmt, number, wideChars, buffer, long(sizeof buffer), &indicator) & ~1) != 0 || indicator == nullData)
            return QString();
        const qsizetype units = indicator < 0 || indicator >= long(sizeof buffer) ? TDatabase::MaxCatalogueName + 1 : indicator / 2;
        return QString::fromUtf16(buffer, qMin<qsizetype>(units, TDatabase::MaxCatalogueName + 1));
    };
    int sequence = 0, keyNumber = 0;
    while (rows.size() < TDatabase::MaxForeignKeyColumns && (fetch(stmt) & ~1) == 0) {
        // Some drivers give each column once and in order only.
        QString values[13];
        for (unsigned short i = 1; i <= 12; ++i)
            values[i] = column(i);
        KeyColumnRow row;
        row.referencedSchema = values[catalogs ? 1 : 2];
        row.referencedTable = values[3];
        row.referencedColumn = values[4];
        row.schema = values[catalogs ? 5 : 6];
        row.table = values[7];
        row.column = values[8];
        row.name = values[12];
        row.home = home;
        const int seq = values[9].toInt();
        // KEY_SEQ starts again at 1 with each key.
        if (seq <= sequence || rows.isEmpty() || rows.last().table != row.table
            || rows.last().referencedTable != row.referencedTable || rows.last().name != row.name)
            ++keyNumber;
        sequence = seq;
        row.key = QString::number(keyNumber) + (fk ? u'f' : u'p');
        rows.append(row);
    }
    freeHandle(handleStmt, stmt);
    return true;
}

} // namespace

void TDatabase::SetLoginPrompt(LoginPrompt prompt)
{
    loginPrompt() = std::move(prompt);
}

TDatabase::TDatabase(const TAliasParams &params, const QString &connectionName)
    : m_params(params), m_connectionName(params.hostConnection.isEmpty() ? connectionName : params.hostConnection)
{
    m_params.driver = m_params.driver.toUpper();
}

TDatabase::~TDatabase()
{
    Close();
    if (!IsHostConnection() && QSqlDatabase::contains(m_connectionName))
        QSqlDatabase::removeDatabase(m_connectionName);
}

QString TDatabase::DriverOfQtDriver(const QString &qtDriver)
{
    const std::pair<const char *, const QString &> drivers[] = {
        {"QSQLITE", kStandard}, {"QPSQL", kPostgreSQL}, {"QMYSQL", kMySQL}, {"QMARIADB", kMySQL}, {"QODBC", kODBC}};
    for (const auto &[qt, driver] : drivers) {
        if (qtDriver.compare(QLatin1String(qt), Qt::CaseInsensitive) == 0)
            return driver;
    }
    return QString();
}

void TDatabase::openHostConnection()
{
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (!db.isValid())
        throw VdqError(QStringLiteral("The connection %1 of database %2 no longer exists").arg(m_connectionName, m_params.name));
    if (!db.isOpen() && !db.open())
        connectFailed(db.lastError());
    connected(db);
}

bool TDatabase::IsSqlBased() const
{
    return m_params.driver != kStandard;
}

SqlDialect TDatabase::Dialect() const
{
    if (m_params.driver == kODBC)
        return m_engine;
    return DriverFamily();
}

SqlDialect TDatabase::DriverFamily() const
{
    if (m_params.driver == kPostgreSQL)
        return SqlDialect::PostgreSQL;
    if (m_params.driver == kMySQL)
        return SqlDialect::MySQL;
    if (m_params.driver == kODBC)
        return SqlDialect::ODBC;
    return SqlDialect::SQLite;
}

QString TDatabase::qtDriverName() const
{
    if (m_params.driver == kStandard)
        return QStringLiteral("QSQLITE");
    if (m_params.driver == kPostgreSQL)
        return QStringLiteral("QPSQL");
    if (m_params.driver == kMySQL)
        return QStringLiteral("QMYSQL");
    if (m_params.driver == kODBC)
        return QStringLiteral("QODBC");
    throw VdqError(QCoreApplication::translate(
                       "TDatabase", "Alias %1 has the unknown driver %2 (known: STANDARD, POSTGRESQL, MYSQL, ODBC)")
                       .arg(m_params.name, m_params.driver));
}

void TDatabase::configure(QSqlDatabase &db) const
{
    const QString timeout = QString::number(qMax(1, m_params.connectTimeout));
    if (m_params.driver == kStandard) {
        db.setDatabaseName(m_params.path);
        QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000");
        if (!QFileInfo(m_params.path).isWritable())
            options += QStringLiteral(";QSQLITE_OPEN_READONLY");
        db.setConnectOptions(options);
        return;
    }
    // DECIMAL and NUMERIC as the engine writes them, not rounded through a double.
    db.setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (m_params.driver == kODBC) {
        db.setDatabaseName(m_params.dsn.isEmpty() ? m_params.database : m_params.dsn);
        db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1;SQL_ATTR_CONNECTION_TIMEOUT=%1").arg(timeout));
    } else {
        db.setDatabaseName(m_params.database);
        if (m_params.driver == kPostgreSQL)
            db.setConnectOptions(QStringLiteral("connect_timeout=%1").arg(timeout));
        else
            db.setConnectOptions(QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=%1").arg(timeout));
    }
    if (!m_params.host.isEmpty())
        db.setHostName(m_params.host);
    if (m_params.port > 0)
        db.setPort(m_params.port);
    db.setUserName(m_params.user);
    db.setPassword(m_params.password);
}

void TDatabase::checkDatabaseFile() const
{
    // The engine would create a missing file silently; a missing database is an error.
    if (m_params.path.isEmpty())
        throw VdqError(
            QCoreApplication::translate("TDatabase", "Alias %1 gives no Path of its database file").arg(m_params.name));
    const QFileInfo file(m_params.path);
    if (!file.exists())
        throw VdqError(QCoreApplication::translate("TDatabase", "The database file %1 of alias %2 does not exist")
                           .arg(m_params.path, m_params.name));
    if (!file.isFile())
        throw VdqError(QCoreApplication::translate("TDatabase", "The database path %1 of alias %2 is not a file")
                           .arg(m_params.path, m_params.name));
}

QString TDatabase::ErrorText(const QSqlError &error)
{
    // SQLite reports "not an error" when the fault was found by the driver, not the engine.
    const QString text = error.databaseText().trimmed();
    if (text.isEmpty() || text == QLatin1String("not an error"))
        return error.driverText().trimmed();
    return text;
}

bool TDatabase::asksForPassword(const QSqlError &error) const
{
    if (m_params.hasPassword)
        return false;
    const QString text = error.databaseText();
    if (m_params.driver == kPostgreSQL)
        return text.contains(QLatin1String("no password supplied"));
    if (m_params.driver == kMySQL)
        return error.nativeErrorCode() == QLatin1String("1045") && text.contains(QLatin1String("using password: NO"));
    if (m_params.driver == kODBC) {
        const QString all = text + u' ' + error.driverText();
        // psqlODBC answers SQLSTATE 08001 with libpq's "fe_sendauth: no password supplied";
        // other drivers 28000 (invalid authorization) or the engine's own text.
        return error.nativeErrorCode().contains(QLatin1String("28000"))
               || all.contains(QLatin1String("no password supplied"), Qt::CaseInsensitive)
               || all.contains(QLatin1String("using password: NO"));
    }
    return false;
}

bool TDatabase::IsConnectionLost(const QSqlError &error)
{
    const QString code = error.nativeErrorCode();
    // MySQL/MariaDB client codes: server gone away, lost connection, connection killed.
    static const QStringList mysqlCodes = {QStringLiteral("2006"), QStringLiteral("2013"),
                                           QStringLiteral("2055"), QStringLiteral("1927"),
                                           QStringLiteral("4031")};
    if (mysqlCodes.contains(code))
        return true;
    // SQLSTATE class 08 (connection exception) and PostgreSQL's shutdown states, which the
    // ODBC driver gives as the state and libpq in the message.
    for (const QString &state : {QStringLiteral("08S01"), QStringLiteral("08003"), QStringLiteral("08006"),
                                 QStringLiteral("57P01"), QStringLiteral("57P02"), QStringLiteral("57P03")}) {
        if (code.contains(state))
            return true;
    }
    static const char *const phrases[] = {"server closed the connection", "no connection to the server",
                                          "terminating connection", "could not receive data from server",
                                          "could not send data to server", "connection is not open",
                                          "could not send query to backend", "connection has been lost",
                                          "gone away", "lost connection", "connection was killed",
                                          "attempt to write a readonly database"};
    const QString text = error.databaseText() + u' ' + error.driverText();
    for (const char *phrase : phrases) {
        if (text.contains(QLatin1String(phrase), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QSqlError TDatabase::ping() const
{
    QSqlQuery q(Connection());
    q.setForwardOnly(true);
    if (q.exec(QStringLiteral("SELECT 1")) && q.next())
        return QSqlError();
    const QSqlError error = q.lastError();
    return error.isValid() ? error : QSqlError(QString(), QStringLiteral("no connection"), QSqlError::ConnectionError);
}

bool TDatabase::stillConnected()
{
    if (IsHostConnection() && m_params.driver == kStandard)
        return true;  // the host's own file, or a database in memory: the host keeps it
    if (m_params.driver == kStandard) {
        // A file deleted and put back while open leaves SQLite writing to the old one,
        // which it then reports as read-only.
        return !m_fileIdentity.isEmpty() && fileIdentity(m_params.path) == m_fileIdentity;
    }
    const QSqlError error = ping();
    // Any other failure (an aborted transaction) keeps the connection.
    return !error.isValid() || !IsConnectionLost(error);
}

void TDatabase::connected(QSqlDatabase &db)
{
    if (m_params.driver == kStandard) {
        m_fileIdentity = fileIdentity(m_params.path);
        addEngineKeywords(db, SqlDialect::SQLite);
        return;
    }
    SqlDialect engine = DriverFamily();
    if (m_params.driver == kODBC) {
        // The dialect is the engine's behind the data source, as the driver names it.
        switch (db.driver()->dbmsType()) {
        case QSqlDriver::PostgreSQL:
            engine = SqlDialect::PostgreSQL;
            break;
        case QSqlDriver::MySqlServer:
            engine = SqlDialect::MySQL;
            break;
        default:
            // Qt's ODBC driver knows MySQL by that name alone; MariaDB's own driver names
            // its server MariaDB. Nor does it name SQLite; its version function does.
            if (odbcDbmsName(db).contains(QLatin1String("MariaDB"), Qt::CaseInsensitive))
                engine = SqlDialect::MySQL;
            else
                engine = readColumn(db, QStringLiteral("SELECT sqlite_version()")).isEmpty() ? SqlDialect::ODBC
                                                                                              : SqlDialect::SQLite;
            break;
        }
        m_engine = engine;
    }
    if (engine == SqlDialect::MySQL) {
        // The session keeps the server's own mode, so the text written here means the same on
        // the host's ordinary connection to that server; whether a backslash in a string is an
        // escape follows from that mode.
        const QStringList mode = readColumn(db, QStringLiteral("SELECT @@SESSION.sql_mode"));
        m_backslashEscapes = mode.isEmpty()
                             || !mode.first().split(u',').contains(QLatin1String("NO_BACKSLASH_ESCAPES"), Qt::CaseInsensitive);
    }
    addEngineKeywords(db, engine);
}

void TDatabase::connectFailed(const QSqlError &error) const
{
    throw VdqError(QCoreApplication::translate("TDatabase", "Cannot connect to database %1: %2")
                       .arg(m_params.name, ErrorText(error)));
}

void TDatabase::Open()
{
    if (IsOpen()) {
        if (stillConnected())
            return;
        // Lost: open once more below; a failure there gives the engine's message.
        Close();
    }
    if (IsHostConnection()) {
        openHostConnection();
        return;
    }
    const QString driver = qtDriverName();
    if (m_params.driver == kStandard)
        checkDatabaseFile();
    QSqlDatabase db;
    if (QSqlDatabase::contains(m_connectionName)) {
        db = QSqlDatabase::database(m_connectionName, false);
    } else {
        db = QSqlDatabase::addDatabase(driver, m_connectionName);
        if (!db.isValid()) {
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_connectionName);
            throw VdqError(
                QCoreApplication::translate("TDatabase", "The database driver %1 for alias %2 is not installed")
                    .arg(driver, m_params.name));
        }
        configure(db);
    }
    if (db.open()) {
        if (m_params.driver == kStandard) {
            // Opening reads nothing yet; a file that is no database shows at the first read.
            QSqlQuery probe(db);
            if (!probe.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"))) {
                const QSqlError error = probe.lastError();
                probe = QSqlQuery();
                db.close();
                throw VdqError(QCoreApplication::translate("TDatabase", "Cannot open database %1 (%2): %3")
                                   .arg(m_params.name, m_params.path, ErrorText(error)));
            }
        }
        connected(db);
        return;
    }
    const QSqlError error = db.lastError();
    if (!asksForPassword(error))
        connectFailed(error);
    const TDatabase::LoginPrompt &prompt = loginPrompt();
    if (!prompt) {
        throw VdqError(
            QCoreApplication::translate("TDatabase",
                                        "Cannot connect to database %1: the server asks for a password; "
                                        "give it in the alias (Password), there is no display for the login dialog")
                .arg(m_params.name));
    }
    QString user = db.userName();
    QString password;
    if (!prompt(m_params.name, user, password))
        throw VdqError(
            QCoreApplication::translate("TDatabase", "Login to database %1 was cancelled").arg(m_params.name));
    db.setUserName(user);
    db.setPassword(password);
    if (!db.open()) {
        const QSqlError retry = db.lastError();
        // Forget the typed answer, so that the next attempt asks again.
        db.setUserName(m_params.user);
        db.setPassword(QString());
        connectFailed(retry);
    }
    connected(db);
}

bool TDatabase::IsOpen() const
{
    return QSqlDatabase::contains(m_connectionName) && Connection().isOpen();
}

void TDatabase::Close()
{
    const auto queries = m_queries;
    for (const QPointer<TQuery> &query : queries) {
        if (query)
            query->Close();
    }
    m_queries.clear();
    if (!IsHostConnection() && QSqlDatabase::contains(m_connectionName)) {
        QSqlDatabase db = Connection();
        db.close();
    }
}

QSqlDatabase TDatabase::Connection() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

void TDatabase::attachQuery(TQuery *query)
{
    if (!m_queries.contains(query))
        m_queries.append(query);
}

void TDatabase::detachQuery(TQuery *query)
{
    m_queries.removeAll(query);
}

QString TDatabase::QuotedTableName(const QString &tableName) const
{
    // This system's own quoting, never the driver's: a driver may hand a name that starts
    // or ends with a quote back unchanged, and the statement then holds whatever follows.
    QStringList parts = TableNameParts(tableName, Dialect());
    for (QString &part : parts)
        part = QuotedName(part, IdentifierQuote(Dialect()));
    return parts.join(u'.');
}

QStringList TDatabase::catalogueTableNames(bool systemTables)
{
    // The catalogue's schema (PostgreSQL) or database (MySQL) and name of each table, and the
    // schema whose tables are listed bare: public, as PostgreSQL's Qt driver lists them, or
    // the connection's own database.
    QString sql;
    if (Dialect() == SqlDialect::PostgreSQL) {
        sql = QStringLiteral("SELECT n.nspname, c.relname, 'public' FROM pg_catalog.pg_class c "
                             "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
                             "WHERE c.relkind IN ('r', 'v', 'm', 'f', 'p')");
        if (!systemTables)
            sql += QStringLiteral(" AND n.nspname <> 'information_schema' AND n.nspname NOT LIKE 'pg\\_%'");
    } else {
        sql = QStringLiteral("SELECT table_schema, table_name, DATABASE() FROM information_schema.tables "
                             "WHERE table_type IN ('BASE TABLE', 'VIEW', 'SYSTEM VIEW')");
        if (!systemTables)
            sql += QStringLiteral(" AND table_schema NOT IN ('information_schema', 'mysql', 'performance_schema', 'sys')");
    }
    QSqlQuery q(Connection());
    q.setForwardOnly(true);
    if (!q.exec(sql))
        throw VdqError(QCoreApplication::translate("TDatabase", "Cannot read the tables of database %1: %2")
                           .arg(m_params.name, ErrorText(q.lastError())));
    QStringList names;
    while (q.next()) {
        const QString schema = q.value(0).toString(), name = q.value(1).toString();
        names << TableNameText(schema == q.value(2).toString() ? QStringList{name} : QStringList{schema, name}, Dialect());
    }
    return names;
}

QStringList TDatabase::sqliteTableFields(const QString &tableName)
{
    // The catalogue keeps a name whole; the driver's record drops the double quotes in it.
    QSqlQuery q(Connection());
    q.setForwardOnly(true);
    if (!q.prepare(QStringLiteral("SELECT name FROM pragma_table_info(?) ORDER BY cid")))
        throw VdqError(ErrorText(q.lastError()));
    q.addBindValue(tableName);
    if (!q.exec())
        throw VdqError(ErrorText(q.lastError()));
    QStringList fields;
    while (q.next())
        fields.append(q.value(0).toString());
    if (fields.isEmpty())
        throw VdqError(QStringLiteral("no such table: %1").arg(tableName));
    return fields;
}

QStringList TDatabase::TableNames(bool systemTables)
{
    Open();
    QSqlDatabase db = Connection();
    QStringList names;
    if (m_params.driver == kStandard) {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        QString sql = QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table', 'view')");
        if (!systemTables)
            sql += QStringLiteral(" AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'");
        if (!q.exec(sql))
            throw VdqError(ErrorText(q.lastError()));
        while (q.next())
            names.append(q.value(0).toString());
        if (systemTables)
            names.append(QStringLiteral("sqlite_master"));
    } else if (Dialect() == SqlDialect::PostgreSQL || Dialect() == SqlDialect::MySQL) {
        // Read from the catalogue on the native drivers and through ODBC alike: the ODBC
        // driver lists names without their schema, PostgreSQL's joins schema and name into a
        // text that a "." inside the name makes ambiguous, MySQL's lists one database only.
        names = catalogueTableNames(systemTables);
    } else {
        QSql::TableType types = QSql::TableType(QSql::Tables | QSql::Views);
        if (systemTables)
            types = QSql::TableType(types | QSql::SystemTables);
        names = db.tables(types);
        // The drivers give an empty list on failure: no tables must be a fact, not an error.
        if (names.isEmpty()) {
            const QSqlError error = ping();
            if (error.isValid())
                throw VdqError(QCoreApplication::translate("TDatabase", "Cannot read the tables of database %1: %2")
                                   .arg(m_params.name, ErrorText(error)));
        }
    }
    names.sort(Qt::CaseInsensitive);
    names.removeDuplicates();
    return names;
}

QStringList TDatabase::QueryFields(const QString &select)
{
    Open();
    const SqlLexOptions reading = Reading();
    if (TQueryReading::severalStatements(select, reading))
        throw VdqError(QCoreApplication::translate("TDatabase", "The query is more than one statement"));
    const QString refusal = TQueryReading::selectRefusal(select, reading);
    if (!refusal.isEmpty())
        throw VdqError(refusal);
    QSqlDatabase db = Connection();
    const bool server = Dialect() == SqlDialect::PostgreSQL || Dialect() == SqlDialect::MySQL;
    const auto run = [&](const QString &sql) {
        QSqlQuery q(db);
        if (!q.exec(sql))
            throw VdqError(ErrorText(q.lastError()));
    };
    if (server)
        run(QStringLiteral("START TRANSACTION READ ONLY"));
    QStringList names;
    QString failure;
    {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.prepare(select)) {
            failure = ErrorText(q.lastError());
        } else if (sqlite3_stmt *stmt = TQueryReading::sqliteStatement(q); stmt && !sqlite3_stmt_readonly(stmt)) {
            failure = QObject::tr("The query could change data");
        } else if (!q.exec()) {
            failure = ErrorText(q.lastError());
        } else {
            const QSqlRecord record = q.record();
            for (int i = 0; i < record.count(); ++i)
                names << record.fieldName(i);
        }
    }
    if (server)
        run(QStringLiteral("ROLLBACK"));
    if (!failure.isEmpty())
        throw VdqError(failure);
    return names;
}

QStringList TDatabase::TableFields(const QString &tableName)
{
    Open();
    QSqlDatabase db = Connection();
    // Read from the engine's catalogue with the name as a bound value, so that no name,
    // however it is spelled, ever becomes part of a statement's text.
    const auto catalogue = [&](const QString &sql, const QVariantList &values) {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.prepare(sql))
            throw VdqError(ErrorText(q.lastError()));
        for (const QVariant &value : values)
            q.addBindValue(value);
        if (!q.exec())
            throw VdqError(ErrorText(q.lastError()));
        QStringList names;
        while (q.next())
            names.append(q.value(0).toString());
        return names;
    };
    // On the servers the schema or database and the table, each a value of its own; a name
    // of more parts names no table.
    const QStringList parts = TableNameParts(tableName, Dialect());
    const QVariantList partValues = parts.size() > 2 ? QVariantList() : QVariantList(parts.cbegin(), parts.cend());
    const auto partsCondition = [&](QLatin1String oneBound, QLatin1String twoBound) {
        return parts.size() == 1 ? oneBound : parts.size() == 2 ? twoBound : QLatin1String("FALSE");
    };
    QStringList fields;
    QString missing;
    switch (Dialect()) {
    case SqlDialect::SQLite:
        fields = catalogue(QStringLiteral("SELECT name FROM pragma_table_info(?) ORDER BY cid"), {tableName});
        missing = QStringLiteral("no such table: %1");
        break;
    case SqlDialect::PostgreSQL:
        // A name of one part is the table the search path finds, as the statement finds it.
        fields = catalogue(QStringLiteral(
            "SELECT a.attname FROM pg_catalog.pg_attribute a WHERE a.attrelid = ("
            "SELECT c.oid FROM pg_catalog.pg_class c JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
            "WHERE c.relkind IN ('r', 'v', 'm', 'f', 'p') AND %1) "
            "AND a.attnum > 0 AND NOT a.attisdropped ORDER BY a.attnum")
                               .arg(partsCondition(QLatin1String("c.relname = ? AND pg_catalog.pg_table_is_visible(c.oid)"),
                                                   QLatin1String("n.nspname = ? AND c.relname = ?"))),
                           partValues);
        missing = QStringLiteral("relation \"%1\" does not exist");
        break;
    case SqlDialect::MySQL: {
        // Each part goes as its bytes: Qt's ODBC driver hands a text value over with its
        // terminating NUL counted, which MariaDB's ODBC driver keeps as part of the value.
        QVariantList bytes;
        for (const QVariant &part : partValues)
            bytes << part.toString().toUtf8();
        fields = catalogue(QStringLiteral("SELECT column_name FROM information_schema.columns WHERE %1 "
                                          "ORDER BY ordinal_position")
                               .arg(partsCondition(QLatin1String("table_schema = DATABASE() AND table_name = CONVERT(? USING utf8mb4)"),
                                                   QLatin1String("table_schema = CONVERT(? USING utf8mb4) "
                                                                 "AND table_name = CONVERT(? USING utf8mb4)"))),
                           bytes);
        missing = QStringLiteral("Table '%1' doesn't exist");
        break;
    }
    default: {
        // ODBC: the driver asks SQLColumns, a catalogue call that takes the name as a value.
        const QSqlRecord record = db.record(tableName);
        for (int i = 0; i < record.count(); ++i)
            fields.append(record.fieldName(i));
        missing = QStringLiteral("no such table: %1");
        break;
    }
    }
    // Every table has a field, so none at all means there is no such table.
    if (fields.isEmpty())
        throw VdqError(missing.arg(tableName));
    return fields;
}

QList<ForeignKey> TDatabase::ForeignKeys(const QString &tableName)
{
    Open();
    QList<ForeignKey> keys = DriverFamily() == SqlDialect::ODBC ? odbcForeignKeys(tableName) : catalogueForeignKeys(tableName);
    if (Dialect() == SqlDialect::SQLite) {
        // SQLite keeps a referenced table as the statement wrote it, in any case; the key
        // names it as the table list does.
        QStringList listed;
        for (ForeignKey &key : keys) {
            for (QString *name : {&key.table, &key.referencedTable}) {
                if (listed.isEmpty())
                    listed = TableNames(false);
                if (listed.contains(*name))
                    continue;
                const auto it = std::find_if(listed.cbegin(), listed.cend(), [name](const QString &t) {
                    return t.compare(*name, Qt::CaseInsensitive) == 0;
                });
                if (it != listed.cend())
                    *name = *it;
            }
        }
    }
    return keys;
}

QList<ForeignKey> TDatabase::catalogueForeignKeys(const QString &tableName)
{
    // Every name is a bound value, never part of the statement's text. Each row is one column
    // pair: key, constraint name, schema and table, referenced schema and table, the two
    // columns, and the schema listed bare.
    const QStringList parts = TableNameParts(tableName, Dialect());
    QVariantList values;
    QString sql;
    switch (Dialect()) {
    case SqlDialect::SQLite:
        // A key's "to" is empty where it names the referenced table's primary key.
        sql = QStringLiteral(
            "SELECT f.id, '', '', m.name, '', f.\"table\", f.\"from\", "
            "COALESCE(f.\"to\", (SELECT p.name FROM pragma_table_info(f.\"table\") p WHERE p.pk = f.seq + 1)), '' "
            "FROM sqlite_master m, pragma_foreign_key_list(m.name) f WHERE m.type = 'table' "
            "AND (m.name = ? COLLATE NOCASE OR f.\"table\" = ? COLLATE NOCASE) ORDER BY m.name, f.id, f.seq");
        values = {tableName, tableName};
        break;
    case SqlDialect::PostgreSQL: {
        if (parts.size() > 2)
            return {};
        sql = QStringLiteral(
            "WITH target AS (SELECT c.oid FROM pg_catalog.pg_class c JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
            "WHERE c.relkind IN ('r', 'v', 'm', 'f', 'p') AND %1) "
            "SELECT con.oid, con.conname, sn.nspname, s.relname, tn.nspname, t.relname, sa.attname, ta.attname, 'public' "
            "FROM pg_catalog.pg_constraint con "
            "JOIN pg_catalog.pg_class s ON s.oid = con.conrelid JOIN pg_catalog.pg_namespace sn ON sn.oid = s.relnamespace "
            "JOIN pg_catalog.pg_class t ON t.oid = con.confrelid JOIN pg_catalog.pg_namespace tn ON tn.oid = t.relnamespace "
            "CROSS JOIN LATERAL unnest(con.conkey, con.confkey) WITH ORDINALITY AS k(col, refcol, pos) "
            "JOIN pg_catalog.pg_attribute sa ON sa.attrelid = con.conrelid AND sa.attnum = k.col "
            "JOIN pg_catalog.pg_attribute ta ON ta.attrelid = con.confrelid AND ta.attnum = k.refcol "
            "WHERE con.contype = 'f' AND con.conparentid = 0 "
            "AND (con.conrelid IN (SELECT oid FROM target) OR con.confrelid IN (SELECT oid FROM target)) "
            "ORDER BY con.oid, k.pos")
                  .arg(parts.size() == 1 ? QLatin1String("c.relname = ? AND pg_catalog.pg_table_is_visible(c.oid)")
                                         : QLatin1String("n.nspname = ? AND c.relname = ?"));
        values = QVariantList(parts.cbegin(), parts.cend());
        break;
    }
    default: {
        if (parts.size() > 2)
            return {};
        const QLatin1String schema(parts.size() == 1 ? "DATABASE()" : "CONVERT(? USING utf8mb4)");
        sql = QStringLiteral(
            "SELECT '', k.CONSTRAINT_NAME, k.TABLE_SCHEMA, k.TABLE_NAME, k.REFERENCED_TABLE_SCHEMA, "
            "k.REFERENCED_TABLE_NAME, k.COLUMN_NAME, k.REFERENCED_COLUMN_NAME, DATABASE() "
            "FROM information_schema.KEY_COLUMN_USAGE k JOIN information_schema.REFERENTIAL_CONSTRAINTS r "
            "ON r.CONSTRAINT_SCHEMA = k.CONSTRAINT_SCHEMA AND r.CONSTRAINT_NAME = k.CONSTRAINT_NAME "
            "AND r.TABLE_NAME = k.TABLE_NAME "
            "WHERE k.CONSTRAINT_SCHEMA = DATABASE() AND k.REFERENCED_TABLE_NAME IS NOT NULL "
            "AND ((k.TABLE_SCHEMA = %1 AND k.TABLE_NAME = CONVERT(? USING utf8mb4)) "
            "OR (k.REFERENCED_TABLE_SCHEMA = %1 AND k.REFERENCED_TABLE_NAME = CONVERT(? USING utf8mb4))) "
            "ORDER BY k.TABLE_SCHEMA, k.TABLE_NAME, k.CONSTRAINT_NAME, k.ORDINAL_POSITION")
                  .arg(schema);
        for (int side = 0; side < 2; ++side) {
            for (const QString &part : parts)
                values << part.toUtf8();
        }
        break;
    }
    }
    QSqlQuery q(Connection());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw VdqError(QStringLiteral("Cannot read the foreign keys of %1: %2").arg(tableName, ErrorText(q.lastError())));
    for (const QVariant &value : std::as_const(values))
        q.addBindValue(value);
    if (!q.exec())
        throw VdqError(QStringLiteral("Cannot read the foreign keys of %1: %2").arg(tableName, ErrorText(q.lastError())));
    QList<KeyColumnRow> rows;
    while (rows.size() < MaxForeignKeyColumns && q.next()) {
        KeyColumnRow row;
        QString *cells[] = {&row.key, &row.name, &row.schema, &row.table, &row.referencedSchema, &row.referencedTable,
                            &row.column, &row.referencedColumn, &row.home};
        for (int i = 0; i < 9; ++i)
            *cells[i] = q.value(i).toString();
        // One key's pairs are the rows of one constraint of one table.
        row.key = row.key + QChar(0) + row.schema + QChar(0) + row.table + QChar(0) + row.name;
        rows.append(row);
    }
    return keysOfRows(rows, Dialect());
}

QList<ForeignKey> TDatabase::odbcForeignKeys(const QString &tableName)
{
    // The schema or database and the table as the catalogue call takes them: PostgreSQL's
    // schemas, MySQL's databases (catalogues to ODBC); a bare name is any schema's, and the
    // keys of other schemas' tables of that name are left out below.
    const QStringList parts = TableNameParts(tableName, Dialect());
    if (parts.isEmpty() || parts.size() > 2)
        return {};
    const bool catalogs = Dialect() == SqlDialect::MySQL;
    QString home;
    if (Dialect() == SqlDialect::PostgreSQL)
        home = QStringLiteral("public");
    else if (catalogs)
        home = readColumn(Connection(), QStringLiteral("SELECT DATABASE()")).value(0);
    QString catalog, schema;
    if (parts.size() == 2)
        (catalogs ? catalog : schema) = parts.first();
    else if (catalogs)
        catalog = home;
    QList<KeyColumnRow> rows;
    QString error;
    for (const bool fk : {true, false}) {
        if (!odbcKeyRows(Connection(), fk, catalog, schema, parts.last(), catalogs, home, rows, &error))
            throw VdqError(QStringLiteral("Cannot read the foreign keys of %1: %2").arg(tableName, error));
    }
    QList<ForeignKey> keys = keysOfRows(rows, Dialect());
    if (Dialect() != SqlDialect::SQLite) {
        keys.removeIf([&](const ForeignKey &key) { return key.table != tableName && key.referencedTable != tableName; });
    }
    return keys;
}
