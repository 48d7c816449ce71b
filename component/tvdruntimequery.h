// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "vdqdesigner_export.h"
#include "vdqerror.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class TVDRunTimeQueryPrivate;

/// \brief The run-time query component: the designer "SQL Query Generator" in one modal call.
///
/// A host sets the database (or leaves it empty to let the user choose a session and
/// database in a dialog), optionally a starting SQL text or a file, and calls Execute().
/// When the user leaves the designer with "Save and Exit", the editor's lines become SQL().
///
/// For a designer that does not block, that uses a connection of the host's own or that
/// reports its changes as signals, see VdqQueryDesigner and VdqDesignerWidget.
class VDQDESIGNER_EXPORT TVDRunTimeQuery : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString DatabaseName READ DatabaseName WRITE SetDatabaseName)
    Q_PROPERTY(QStringList SQL READ SQL WRITE SetSQL)
    Q_PROPERTY(QString SessionName READ SessionName WRITE SetSessionName)
    Q_PROPERTY(QString FileName READ FileName WRITE SetFileName)

public:
    /// A component owned by \a owner (may be null).
    explicit TVDRunTimeQuery(QObject *owner = nullptr);
    /// Releases the component; the sessions and their connections stay.
    ~TVDRunTimeQuery() override;

    /// The alias of the database the designer opens on; empty: the user chooses.
    QString DatabaseName() const;
    /// Sets DatabaseName().
    void SetDatabaseName(const QString &name);
    /// The statement: the starting text before Execute(), the designed one after it.
    QStringList SQL() const;
    /// Sets SQL(), one string per line.
    void SetSQL(const QStringList &lines);
    /// The session whose databases are offered; empty: the default session.
    QString SessionName() const;
    /// Sets SessionName().
    void SetSessionName(const QString &name);
    /// A ".VDQ" design or an SQL file the designer opens at the start; may be empty.
    QString FileName() const;
    /// Sets FileName().
    void SetFileName(const QString &name);

    /// Shows the designer modally and returns when it closes. SQL() changes only when the
    /// user leaves it with "Save and Exit".
    ///
    /// Raises VdqError when the database cannot be listed or the starting file cannot be
    /// read; the windows it created are released first and SQL() is unchanged.
    void Execute();

private:
    friend class TVDRunTimeQueryPrivate;
    std::unique_ptr<TVDRunTimeQueryPrivate> d;
};
