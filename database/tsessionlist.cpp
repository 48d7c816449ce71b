// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tsessionlist.h"

#include "tsession.h"
#include "vdqerror.h"

#include <QCoreApplication>

namespace {

void closeAllAtExit()
{
    // Runs while the application object goes away, before Qt SQL's own globals do.
    TSessionList::Sessions().CloseAll();
}

} // namespace

TSessionList &TSessionList::Sessions()
{
    // Never destroyed: its connections are closed by the post routine instead, because
    // static destruction would run after Qt SQL's connection registry is gone.
    static TSessionList *const list = [] {
        auto *created = new TSessionList;
        qAddPostRoutine(closeAllAtExit);
        return created;
    }();
    return *list;
}

TSessionList::TSessionList()
{
    m_sessions.push_back(std::make_unique<TSession>(this, QStringLiteral("Default")));
}

TSessionList::~TSessionList() = default;

void TSessionList::ListSessionNames(QStringList &list) const
{
    list.clear();
    for (const auto &session : m_sessions)
        list.append(session->SessionName());
}

TSession *TSessionList::FindSession(const QString &name) const
{
    if (name.isEmpty())
        return DefaultSession();
    for (const auto &session : m_sessions) {
        if (session->SessionName().compare(name, Qt::CaseInsensitive) == 0)
            return session.get();
    }
    return nullptr;
}

TSession *TSessionList::DefaultSession() const
{
    return m_sessions.front().get();
}

TSession *TSessionList::CreateSession(const QString &name)
{
    if (name.trimmed().isEmpty())
        throw VdqError(QCoreApplication::translate("TSession", "A session needs a name"));
    if (TSession *existing = FindSession(name))
        return existing;
    m_sessions.push_back(std::make_unique<TSession>(this, name));
    return m_sessions.back().get();
}

const TAliasConfig &TSessionList::Aliases()
{
    if (!m_aliasesLoaded) {
        m_aliases = TAliasConfig::LoadFile(AliasFile());
        m_aliasesLoaded = true;
    }
    return m_aliases;
}

void TSessionList::SetAliasFile(const QString &fileName)
{
    m_aliasFile = fileName;
    m_aliasesLoaded = false;
    m_aliases = TAliasConfig();
}

QString TSessionList::AliasFile() const
{
    return m_aliasFile.isEmpty() ? TAliasConfig::DefaultAliasFile() : m_aliasFile;
}

void TSessionList::CloseAll()
{
    for (const auto &session : m_sessions)
        session->CloseDatabases();
}

QStringList ListTableFields(const QString &sessionName, const QString &databaseName,
                            const QString &tableName)
{
    TSession *session = Sessions().FindSession(sessionName);
    if (!session)
        throw VdqError(QCoreApplication::translate("TSession", "Invalid session name %1").arg(sessionName));
    return session->ListTableFields(databaseName, tableName);
}
