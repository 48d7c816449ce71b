// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "foreignkey.h"
#include "taliasconfig.h"

#include <QStringList>
#include <map>
#include <memory>

class TDatabase;
class TSessionList;
struct SqlDesignSource;

// A database session: the aliases of the engine, the databases a host added of its own,
// and the connections opened in it. Names are matched without regard to case.
class TSession
{
public:
    TSession(TSessionList *owner, const QString &name);
    ~TSession();

    QString SessionName() const { return m_name; }

    void ListAliasNames(QStringList &list) const;
    QString GetAliasDriverName(const QString &alias) const;  // "Invalid alias name %s"
    void ListDatabaseNames(QStringList &list) const;
    void ListTableNames(const QString &databaseName, const QString &pattern, bool extensions,
                        bool systemTables, QStringList &list);

    // The open connection of that name, or nullptr.
    TDatabase *FindOpenDatabase(const QString &name) const;
    // The connection of that name, connected on demand. Raises VdqError.
    TDatabase *OpenDatabase(const QString &name);
    void CloseDatabase(const QString &name);
    void CloseDatabases();

    // A database of the host's own, known to this session only.
    void AddDatabase(const TAliasParams &params);

    // Field names of a table in table order (opens the table, closes it again).
    QStringList ListTableFields(const QString &databaseName, const QString &tableName);
    // The foreign keys between a table and any table of the database (TDatabase::ForeignKeys).
    QList<ForeignKey> ListForeignKeys(const QString &databaseName, const QString &tableName);

    // What the reader of a statement's design asks of a database of this session: its
    // tables, their fields, and the columns of a query.
    SqlDesignSource DesignSource(const QString &databaseName);

private:
    const TAliasParams *findParams(const QString &name) const;

    TSessionList *m_owner;
    QString m_name;
    QList<TAliasParams> m_ownDatabases;
    std::map<QString, std::unique_ptr<TDatabase>> m_open;  // key: upper-cased name
};
