// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QObject>
#include <QStringList>

class TQGQueryForm;

// The run-time query component: a host sets the database (or leaves it empty to let the
// user choose), optionally a starting SQL text or a file, and calls Execute. When the user
// leaves the designer with "Save and Exit", the editor's lines become SQL.
//
// Execute raises VdqError when the database cannot be listed or the starting file cannot
// be read; the windows it created are released first and SQL is unchanged.
class TVDRunTimeQuery : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString DatabaseName READ DatabaseName WRITE SetDatabaseName)
    Q_PROPERTY(QStringList SQL READ SQL WRITE SetSQL)
    Q_PROPERTY(QString SessionName READ SessionName WRITE SetSessionName)
    Q_PROPERTY(QString FileName READ FileName WRITE SetFileName)
public:
    explicit TVDRunTimeQuery(QObject *owner = nullptr);
    ~TVDRunTimeQuery() override;

    QString DatabaseName() const { return m_databaseName; }
    void SetDatabaseName(const QString &name) { m_databaseName = name; }
    QStringList SQL() const { return m_sql; }
    void SetSQL(const QStringList &lines) { m_sql = lines; }
    QString SessionName() const { return m_sessionName; }
    void SetSessionName(const QString &name) { m_sessionName = name; }
    QString FileName() const { return m_fileName; }
    void SetFileName(const QString &name) { m_fileName = name; }

    void Execute();

    // Called with the designer window just before it is shown modally, and the selection
    // dialog likewise; hosts and tests use it to look at or drive the windows.
    void SetShowHook(std::function<void(QWidget *window)> hook) { m_showHook = std::move(hook); }

private:
    void prepareDesigner(TQGQueryForm *form, const QString &session, const QString &database,
                         const QStringList &sql);

    QString m_databaseName;
    QStringList m_sql;
    QString m_sessionName;
    QString m_fileName;
    std::function<void(QWidget *)> m_showHook;
};
