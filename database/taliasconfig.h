// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// One configured database (alias): a section of the alias file, or a database that a
// host added to a session itself.
struct TAliasParams
{
    QString name;       // the alias name, as written
    QString driver;     // upper-cased: STANDARD, POSTGRESQL, MYSQL, ODBC
    QString path;       // STANDARD: the database file, absolute once loaded
    QString host;
    int port = -1;
    QString database;
    QString user;
    QString password;
    bool hasPassword = false;  // the Password key was given (it may be empty)
    QString dsn;               // ODBC
    int connectTimeout = 5;    // seconds a server may take to answer (key Timeout)
    int statementTimeout = 0;  // seconds a statement may run, 0: no limit (key StatementTimeout)
    // A connection the host program opened itself (its Qt connection name): the designer uses
    // it as it is and leaves it open and registered when it is done. Never from a file.
    QString hostConnection;
};

// The alias file: INI text with one section per alias. Relative paths are relative to
// the file; unknown keys are ignored.
class TAliasConfig
{
public:
    // The file named by VDQ_ALIASES, else aliases.ini in the configuration folder.
    static QString DefaultAliasFile();

    // Reads and checks the file; a missing file gives an empty configuration, an
    // unreadable or malformed one raises VdqError with a message naming the file and line.
    static TAliasConfig LoadFile(const QString &fileName);
    static TAliasConfig FromText(const QString &text, const QString &baseDir);

    QStringList Names() const;  // file order
    const TAliasParams *Find(const QString &name) const;  // case-insensitive
    void Add(const TAliasParams &params);  // replaces an alias of the same name
    bool IsEmpty() const { return m_aliases.isEmpty(); }

private:
    QList<TAliasParams> m_aliases;
};
