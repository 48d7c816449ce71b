// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tsession.h"

#include "sqldesignparser.h"

#include "tdatabase.h"
#include "tsessionlist.h"
#include "vdqerror.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>

TSession::TSession(TSessionList *owner, const QString &name) : m_owner(owner), m_name(name) {}

TSession::~TSession() = default;

const TAliasParams *TSession::findParams(const QString &name) const
{
    // The session's own databases come before the engine's aliases of the same name.
    for (const TAliasParams &p : m_ownDatabases) {
        if (p.name.compare(name, Qt::CaseInsensitive) == 0)
            return &p;
    }
    return m_owner->Aliases().Find(name);
}

void TSession::ListAliasNames(QStringList &list) const
{
    list.clear();
    list = m_owner->Aliases().Names();
}

QString TSession::GetAliasDriverName(const QString &alias) const
{
    const TAliasParams *p = findParams(alias);
    if (!p)
        throw VdqError(QCoreApplication::translate("TSession", "Invalid alias name %1").arg(alias));
    return p->driver.toUpper();
}

void TSession::ListDatabaseNames(QStringList &list) const
{
    QStringList names = m_owner->Aliases().Names();
    for (const TAliasParams &p : m_ownDatabases) {
        // Databases named by a directory path are not listed.
        if (!p.name.isEmpty() && !p.name.contains(u':') && !p.name.contains(u'\\'))
            names.append(p.name);
    }
    std::stable_sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    QStringList unique;
    for (const QString &name : std::as_const(names)) {
        if (unique.isEmpty() || unique.last().compare(name, Qt::CaseInsensitive) != 0)
            unique.append(name);
    }
    list = unique;
}

void TSession::ListTableNames(const QString &databaseName, const QString &pattern, bool extensions,
                              bool systemTables, QStringList &list)
{
    // Table names of SQL engines carry no file extension, so the flag changes nothing.
    Q_UNUSED(extensions);
    list.clear();
    QStringList names = OpenDatabase(databaseName)->TableNames(systemTables);
    if (!pattern.isEmpty()) {
        const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern),
                                    QRegularExpression::CaseInsensitiveOption);
        names = names.filter(re);
    }
    list = names;
}

TDatabase *TSession::FindOpenDatabase(const QString &name) const
{
    const auto it = m_open.find(name.toUpper());
    if (it == m_open.end() || !it->second->IsOpen())
        return nullptr;
    return it->second.get();
}

TDatabase *TSession::OpenDatabase(const QString &name)
{
    const QString key = name.toUpper();
    auto it = m_open.find(key);
    if (it == m_open.end()) {
        const TAliasParams *params = findParams(name);
        if (!params)
            throw VdqError(QCoreApplication::translate("TSession", "Invalid alias name %1").arg(name));
        // Unique per session and database, so two sessions never share a connection.
        const QString connection = QStringLiteral("vdq|%1|%2").arg(m_name.toUpper(), key);
        it = m_open.emplace(key, std::make_unique<TDatabase>(*params, connection)).first;
    }
    try {
        it->second->Open();
    } catch (...) {
        m_open.erase(it);
        throw;
    }
    return it->second.get();
}

void TSession::CloseDatabase(const QString &name)
{
    m_open.erase(name.toUpper());
}

void TSession::CloseDatabases()
{
    m_open.clear();
}

void TSession::AddDatabase(const TAliasParams &params)
{
    TAliasParams own = params;
    own.driver = own.driver.toUpper();
    // A connection opened under the old settings (or the alias of that name) is dropped.
    CloseDatabase(own.name);
    for (TAliasParams &p : m_ownDatabases) {
        if (p.name.compare(own.name, Qt::CaseInsensitive) == 0) {
            p = own;
            return;
        }
    }
    m_ownDatabases.append(own);
}

QStringList TSession::ListTableFields(const QString &databaseName, const QString &tableName)
{
    return OpenDatabase(databaseName)->TableFields(tableName);
}

QList<ForeignKey> TSession::ListForeignKeys(const QString &databaseName, const QString &tableName)
{
    return OpenDatabase(databaseName)->ForeignKeys(tableName);
}

SqlDesignSource TSession::DesignSource(const QString &databaseName)
{
    SqlDesignSource source;
    source.style = OpenDatabase(databaseName)->Style();
    source.tableNames = [this, databaseName] {
        QStringList names;
        ListTableNames(databaseName, QString(), true, false, names);
        return names;
    };
    source.tableFields = [this, databaseName](const QString &table) { return ListTableFields(databaseName, table); };
    source.queryFields = [this, databaseName](const QString &select) {
        return OpenDatabase(databaseName)->QueryFields(select);
    };
    return source;
}
