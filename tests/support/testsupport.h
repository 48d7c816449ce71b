#pragma once

#include <QMap>
#include <QString>

// Shared by the test programs: the sample database and the test run's PostgreSQL server.
namespace TestSupport {

// Builds the sample SQLite database (from sample/shop.sql) at the given path, once per
// path per process; returns false with a message in *error on failure.
bool MakeSampleSqlite(const QString &path, QString *error = nullptr, bool withBigTable = false);

// The server's settings from the pg.env file the "pg" fixture writes (PGHOST, PGPORT,
// PGUSER, PGDATABASE, PGEMPTY, PGPASSUSER, PGPASSWORD); empty when it is not running.
QMap<QString, QString> PgEnv();

// Writes an alias file and points the process at it (VDQ_ALIASES and the session list).
void UseAliasFile(const QString &path, const QString &text);

// An alias file section for the test server's sample database.
QString PgAliasSection(const QString &alias, const QString &database = QString());

} // namespace TestSupport
