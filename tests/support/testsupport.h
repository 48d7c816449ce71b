// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "sqldialect.h"

#include <QMap>
#include <QStringList>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QSqlDatabase;
class QSqlQuery;

class QWidget;

// Shared by the test programs: the sample database and the test run's PostgreSQL and
// MariaDB servers and ODBC data sources.
namespace TestSupport {

// Builds the sample SQLite database (from sample/shop.sql) at the given path, once per
// path per process; returns false with a message in *error on failure.
bool MakeSampleSqlite(const QString &path, QString *error = nullptr, bool withBigTable = false);

// The sample builder program (vdqmksample).
QString MkSampleProgram();

// The server's settings from the pg.env file the "pg" fixture writes (PGHOST, PGPORT,
// PGUSER, PGDATABASE, PGEMPTY, PGPASSUSER, PGPASSWORD); empty when it is not running.
QMap<QString, QString> PgEnv();

// The MariaDB server's settings from the mariadb.env file the "mariadb" fixture writes
// (MYHOST, MYPORT, MYSOCKET, MYDATABASE, MYEMPTY, MYUSER, MYPASSWORD); empty when it is not running.
QMap<QString, QString> MariaDbEnv();

// A section for the MariaDB sample database; the Password key is written only when given.
QString MariaDbAliasSection(const QString &alias, const std::optional<QString> &password,
                            const QString &database = QString());

// The ODBC data sources' settings from the odbc.env file the "odbc" fixture writes
// (ODBCPGDSN, ODBCPGPASSDSN, ODBCPGPASSWORD, ODBCMARIADBDSN, ODBCSQLITEDSN, ODBCSQLITEFILE);
// empty when missing.
QMap<QString, QString> OdbcEnv();

// A section for an ODBC data source; the Password key is written only when given.
QString OdbcAliasSection(const QString &alias, const QString &dsn,
                         const std::optional<QString> &password = std::nullopt);

// A connection of that name to a database of the PostgreSQL test server (PGDATABASE when
// none is given) as the server's owner, opened.
QSqlDatabase OpenPgConnection(const QString &connectionName, const QString &database = QString());

// A connection of that name to the MariaDB test server's sample database as its user, opened.
QSqlDatabase OpenMariaDbConnection(const QString &connectionName);

// Runs the statements one after another; false at the first that fails, with the statement
// and the engine's message in *error.
bool RunStatements(QSqlDatabase db, const QStringList &statements, QString *error);

// An odbc.ini section of a data source (psqlODBC of the test run, as the server's owner) to
// a database of the test server.
QString PgOdbcSourceSection(const QString &dsn, const QString &database);
// The same to a database of the MariaDB test server (MariaDB Connector/ODBC of the test run,
// as the test user, the password in the data source).
QString MariaDbOdbcSourceSection(const QString &dsn, const QString &database);

// Writes an odbc.ini and points unixODBC at it (ODBCINI); the drivers stay those of the
// test run (ODBCSYSINI).
void UseOdbcIni(const QString &path, const QString &text);

// Writes an alias file and points the process at it (VDQ_ALIASES and the session list).
void UseAliasFile(const QString &path, const QString &text);

// An alias file section for the test server's sample database.
QString PgAliasSection(const QString &alias, const QString &database = QString());

// A section for the sample database as the user who logs in with a password (PGPASSUSER);
// the Password key is written only when a password is given.
QString PgPasswordAliasSection(const QString &alias, const std::optional<QString> &password);

// The alias file text of the six back-ends every statement test runs on: SHOP (the SQLite
// file given), WAREHOUSE (PostgreSQL), MARIADB, ODBCPG (PostgreSQL through ODBC), ODBCMARIADB
// (MariaDB through ODBC, WAREHOUSE's and MARIADB's databases shared) and ODBCSQLITE (the ODBC
// data source's SQLite file). Empty when a server or data source is missing.
QString EngineAliases(const QString &sqliteFile);
// Their names, in that order.
QStringList EngineAliasNames();

// A test's table of texts on each alias: the columns "alias" and "text", a row "ALIAS name"
// per alias and text.
void AddTextRows(const QStringList &aliases, const QList<QPair<const char *, QString>> &texts);

// The rows of a query as "a|b|c" of whole numbers ("NULL" for none), sorted.
QStringList SortedIntegerRows(QSqlQuery &query);

// The public Chinook sample of the test run, from the env file the "chinook" fixture writes
// (CHINOOK=present or absent, CHINOOKSQLITE, CHINOOKPGDATABASE, CHINOOKMYDATABASE and the
// ODBC data sources); empty when the file is missing.
QMap<QString, QString> ChinookEnv(const QString &envFile);
// The alias file sections of its copies: CH_SQLITE, CH_PG, CH_MARIADB, and through ODBC
// CH_ODBCPG, CH_ODBCMARIADB, CH_ODBCSQLITE.
QString ChinookAliasSections(const QMap<QString, QString> &env);

// A name of the sample's (Pascal case) as the engine's copy spells it: PostgreSQL's Chinook
// names everything in snake case (InvoiceLine.TrackId is invoice_line.track_id there).
QString ChinookName(SqlDialect dialect, const QString &pascal);
// A statement with {Name} for each such name, for that engine; MySQL reads its quoted names
// in backticks.
QString WrittenFor(SqlDialect dialect, QString sql);

// Answers the next modal dialog with that objectName: a timer polls
// QApplication::activeModalWidget() and calls answer once with the dialog. Call it before
// the code that shows the dialog. Returns a counter of the dialogs answered (0 or 1);
// polling stops when the counter is released or after timeoutMs.
std::shared_ptr<int> AnswerModal(const QString &objectName, std::function<void(QWidget *)> answer,
                                 int timeoutMs = 10000);

} // namespace TestSupport
