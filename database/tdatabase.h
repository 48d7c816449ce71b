// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "foreignkey.h"
#include "sqldialect.h"
#include "sqllexer.h"
#include "taliasconfig.h"

#include <QList>
#include <QPointer>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>

class QSqlError;
class TQuery;

// An open connection of a session to one database (alias).
class TDatabase
{
public:
    TDatabase(const TAliasParams &params, const QString &connectionName);
    ~TDatabase();
    TDatabase(const TDatabase &) = delete;
    TDatabase &operator=(const TDatabase &) = delete;

    QString DatabaseName() const { return m_params.name; }
    QString DriverName() const { return m_params.driver; }  // upper-cased
    const TAliasParams &Params() const { return m_params; }

    // The alias driver of a Qt SQL driver name (QSQLITE: STANDARD, ...); empty for a driver the
    // designer does not know.
    static QString DriverOfQtDriver(const QString &qtDriver);
    // A connection of the host program's own (TAliasParams::hostConnection).
    bool IsHostConnection() const { return !m_params.hostConnection.isEmpty(); }
    // True for every driver but STANDARD (the local desktop-table database).
    bool IsSqlBased() const;
    // The dialect statements are written in: the engine's own, also behind ODBC once
    // connected (plain ANSI when the ODBC driver names an engine this system does not know).
    SqlDialect Dialect() const;
    // How a statement for this database writes identifiers: quoted for the local
    // desktop-table database, in this engine's dialect. The designer and vdqsql both take it
    // from the database the design is opened in.
    IdentifierStyle Style() const { return {!IsSqlBased(), Dialect(), BackslashEscapes()}; }
    // MySQL: the server's own sql_mode, which the designer's session keeps, reads a backslash
    // in a string literal as an escape (no NO_BACKSLASH_ESCAPES). Known once connected.
    bool BackslashEscapes() const { return Dialect() == SqlDialect::MySQL && m_backslashEscapes; }
    // How the engine reads a statement's text on this connection.
    SqlLexOptions Reading() const { return SqlLexOptions(Style()); }
    // The family of the Qt driver (how results and type codes are read): ODBC stays ODBC.
    SqlDialect DriverFamily() const;

    // Asks the user for the user name and password of the named database; false when the
    // user cancels. The layer shows nothing itself: the component hands it its login dialog.
    using LoginPrompt = std::function<bool(const QString &databaseName, QString &user, QString &password)>;
    static void SetLoginPrompt(LoginPrompt prompt);

    // Connects when not yet connected; may ask for user name and password (the login
    // prompt) when a server wants a password the alias does not give; without a prompt
    // that is an error. An open connection
    // that was lost (a server restarted, a SQLite file replaced) is opened once more; if
    // that fails the engine's message is raised. Raises VdqError.
    void Open();
    bool IsOpen() const;
    void Close();

    QSqlDatabase Connection() const;
    QString ConnectionName() const { return m_connectionName; }

    // Table (and view) names, sorted; connects on demand. Raises VdqError.
    QStringList TableNames(bool systemTables);
    // Field names of a table in table order; connects on demand. Raises VdqError.
    QStringList TableFields(const QString &tableName);
    // The column names of a query's result: the query runs, only to read (in a read-only
    // transaction on the servers; SQLite runs only a statement it says reads), and gives no
    // rows (its text should say so: "... WHERE 1 = 0"). Raises VdqError with the engine's
    // message, or the reason a statement that could change data is not run.
    QStringList QueryFields(const QString &select);
    // The foreign keys the catalogue declares between the table and any table: those of the
    // table and those that point at it, each once, table names as TableNames lists them. At
    // most MaxForeignKeyColumns key columns are read; a name longer than MaxCatalogueName
    // leaves its key out. Raises VdqError.
    QList<ForeignKey> ForeignKeys(const QString &tableName);
    static constexpr int MaxForeignKeyColumns = 4096;
    static constexpr int MaxCatalogueName = 1024;
    // A table name as a statement writes it, quoted for this engine.
    QString QuotedTableName(const QString &tableName) const;

    // The engine's own message of a failure (its text, else the driver's).
    static QString ErrorText(const QSqlError &error);
    // True when the error says the connection to the engine is gone.
    static bool IsConnectionLost(const QSqlError &error);

private:
    friend class TQuery;
    void attachQuery(TQuery *query);
    void detachQuery(TQuery *query);
    QString qtDriverName() const;
    void configure(QSqlDatabase &db) const;
    void checkDatabaseFile() const;
    void openHostConnection();
    bool asksForPassword(const QSqlError &error) const;
    bool stillConnected();
    void connected(QSqlDatabase &db);
    QSqlError ping() const;
    QStringList sqliteTableFields(const QString &tableName);
    QStringList catalogueTableNames(bool systemTables);
    QList<ForeignKey> catalogueForeignKeys(const QString &tableName);
    QList<ForeignKey> odbcForeignKeys(const QString &tableName);
    [[noreturn]] void connectFailed(const QSqlError &error) const;

    TAliasParams m_params;
    QString m_connectionName;
    QList<QPointer<TQuery>> m_queries;  // open results on this connection
    SqlDialect m_engine = SqlDialect::ODBC;  // behind ODBC: found when connected
    bool m_backslashEscapes = true;          // MySQL's default mode
    QByteArray m_fileIdentity;               // STANDARD: device and inode of the file opened
};
