#pragma once

#include "sqldialect.h"
#include "taliasconfig.h"

#include <QSqlDatabase>
#include <QString>

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

    // True for every driver but STANDARD (the local desktop-table database).
    bool IsSqlBased() const;
    SqlDialect Dialect() const;

    // Connects when not yet connected; may ask for user name and password (the login
    // dialog) when a server wants a password the alias does not give. Raises VdqError.
    void Open();
    bool IsOpen() const;
    void Close();

    QSqlDatabase Connection() const;

private:
    TAliasParams m_params;
    QString m_connectionName;
};
