// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "taliasconfig.h"

#include <QStringList>
#include <memory>
#include <vector>

class TSession;

// All sessions of the process. "Default" always exists and comes first.
class TSessionList
{
public:
    static TSessionList &Sessions();

    TSessionList();
    ~TSessionList();

    void ListSessionNames(QStringList &list) const;
    // Empty name: the default session; no match: nullptr.
    TSession *FindSession(const QString &name) const;
    TSession *DefaultSession() const;
    // Creates a named session (or returns the existing one of that name).
    TSession *CreateSession(const QString &name);

    // The engine's aliases, loaded from the alias file on first use. Raises VdqError when
    // the file exists but cannot be read or is malformed.
    const TAliasConfig &Aliases();
    void SetAliasFile(const QString &fileName);  // reloads on next use
    QString AliasFile() const;

    // Closes every connection of every session.
    void CloseAll();

private:
    std::vector<std::unique_ptr<TSession>> m_sessions;
    QString m_aliasFile;
    bool m_aliasesLoaded = false;
    TAliasConfig m_aliases;
};

// Shorthand for the session list of the process.
inline TSessionList &Sessions() { return TSessionList::Sessions(); }

// Field names of a table, through the named session and database.
QStringList ListTableFields(const QString &sessionName, const QString &databaseName,
                            const QString &tableName);
