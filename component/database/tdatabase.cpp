#include "tdatabase.h"

#include "naming.h"
#include "tqglogindialog.h"
#include "tquery.h"
#include "vdqerror.h"

#include <QApplication>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace {

const QString kStandard = QStringLiteral("STANDARD");
const QString kPostgreSQL = QStringLiteral("POSTGRESQL");
const QString kMySQL = QStringLiteral("MYSQL");
const QString kODBC = QStringLiteral("ODBC");

} // namespace

TDatabase::TDatabase(const TAliasParams &params, const QString &connectionName)
    : m_params(params), m_connectionName(connectionName)
{
    m_params.driver = m_params.driver.toUpper();
}

TDatabase::~TDatabase()
{
    Close();
    if (QSqlDatabase::contains(m_connectionName))
        QSqlDatabase::removeDatabase(m_connectionName);
}

bool TDatabase::IsSqlBased() const
{
    return m_params.driver != kStandard;
}

SqlDialect TDatabase::Dialect() const
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
    throw VdqError(QStringLiteral("Alias %1 has the unknown driver %2 (known: STANDARD, POSTGRESQL, MYSQL, ODBC)")
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
        throw VdqError(QStringLiteral("Alias %1 gives no Path of its database file").arg(m_params.name));
    const QFileInfo file(m_params.path);
    if (!file.exists())
        throw VdqError(QStringLiteral("The database file %1 of alias %2 does not exist").arg(m_params.path, m_params.name));
    if (!file.isFile())
        throw VdqError(QStringLiteral("The database path %1 of alias %2 is not a file").arg(m_params.path, m_params.name));
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
    if (m_params.driver == kODBC)
        return error.nativeErrorCode().contains(QLatin1String("28000"));
    return false;
}

void TDatabase::connectFailed(const QSqlError &error) const
{
    throw VdqError(QStringLiteral("Cannot connect to database %1: %2").arg(m_params.name, ErrorText(error)));
}

void TDatabase::Open()
{
    if (IsOpen())
        return;
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
            throw VdqError(QStringLiteral("The database driver %1 for alias %2 is not installed").arg(driver, m_params.name));
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
                throw VdqError(QStringLiteral("Cannot open database %1 (%2): %3").arg(m_params.name, m_params.path, ErrorText(error)));
            }
        }
        return;
    }
    const QSqlError error = db.lastError();
    if (!asksForPassword(error))
        connectFailed(error);
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        throw VdqError(QStringLiteral("Cannot connect to database %1: the server asks for a password; "
                                      "give it in the alias (Password), there is no display for the login dialog")
                           .arg(m_params.name));
    }
    QString user = db.userName();
    QString password;
    if (!TQGLoginDialog::Ask(m_params.name, user, password))
        throw VdqError(QStringLiteral("Login to database %1 was cancelled").arg(m_params.name));
    db.setUserName(user);
    db.setPassword(password);
    if (!db.open()) {
        const QSqlError retry = db.lastError();
        // Forget the typed answer, so that the next attempt asks again.
        db.setUserName(m_params.user);
        db.setPassword(QString());
        connectFailed(retry);
    }
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
    if (QSqlDatabase::contains(m_connectionName)) {
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
    // SQLite names are never schema-qualified here, so a "." belongs to the name; on the
    // servers a listed name "schema.table" is two parts.
    if (m_params.driver == kStandard)
        return QuotedName(tableName, u'"');
    const QChar quote = IdentifierQuote(Dialect());
    const qsizetype dot = tableName.indexOf(u'.');
    if (dot < 0)
        return QuotedName(tableName, quote);
    return QuotedName(tableName.left(dot), quote) + u'.' + QuotedName(tableName.mid(dot + 1), quote);
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
    } else {
        QSql::TableType types = QSql::TableType(QSql::Tables | QSql::Views);
        if (systemTables)
            types = QSql::TableType(types | QSql::SystemTables);
        names = db.tables(types);
    }
    names.sort(Qt::CaseInsensitive);
    names.removeDuplicates();
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
    QStringList fields;
    QString missing;
    switch (Dialect()) {
    case SqlDialect::SQLite:
        fields = catalogue(QStringLiteral("SELECT name FROM pragma_table_info(?) ORDER BY cid"), {tableName});
        missing = QStringLiteral("no such table: %1");
        break;
    case SqlDialect::PostgreSQL: {
        // A name visible on the search path as it is, else "schema.table" as listed.
        const qsizetype dot = tableName.indexOf(u'.');
        const QString schema = dot < 0 ? QString() : tableName.left(dot);
        const QString table = dot < 0 ? QString() : tableName.mid(dot + 1);
        fields = catalogue(QStringLiteral(
            "SELECT a.attname FROM pg_catalog.pg_attribute a WHERE a.attrelid = ("
            "SELECT c.oid FROM pg_catalog.pg_class c JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
            "WHERE c.relkind IN ('r', 'v', 'm', 'f', 'p') AND ((c.relname = ? AND pg_catalog.pg_table_is_visible(c.oid)) "
            "OR (n.nspname = ? AND c.relname = ?)) ORDER BY c.relname = ? DESC LIMIT 1) "
            "AND a.attnum > 0 AND NOT a.attisdropped ORDER BY a.attnum"),
            {tableName, schema, table, tableName});
        missing = QStringLiteral("relation \"%1\" does not exist");
        break;
    }
    case SqlDialect::MySQL:
        fields = catalogue(QStringLiteral("SELECT column_name FROM information_schema.columns "
                                          "WHERE table_schema = DATABASE() AND table_name = ? "
                                          "ORDER BY ordinal_position"),
                           {tableName});
        missing = QStringLiteral("Table '%1' doesn't exist");
        break;
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
