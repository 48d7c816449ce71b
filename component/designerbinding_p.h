// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QJsonObject>
#include <QString>

#include <functional>

class QObject;
class QSqlDatabase;
class QWidget;
class TQGQueryForm;

// What the host-facing designers (the widget and the window) share: how a connection of the
// host's own becomes a database of a session, how a design given as data reaches a designer
// window, and how errors become the messages they report.
namespace DesignerBinding {

// The session a host's connections go to when the host names none.
QString HostSession();

// The host's connection as a database of the session (created when missing; empty: the
// default session), under \a name or, empty, a name taken from the connection. Returns the
// name. Raises VdqError when the connection is invalid or of a driver the designer lacks.
QString AddHostConnection(const QSqlDatabase &connection, const QString &name, const QString &sessionName);

// The design data as one undoable step of the window's design, kept on the window's session
// and database. Raises VdqError when the data does not describe a design.
void ApplyDesign(TQGQueryForm *form, const QJsonObject &design);
QJsonObject DesignOf(const TQGQueryForm *form);

// The editor's text as one string, and a string as its lines.
QString StatementOf(const TQGQueryForm *form);
void SetStatement(TQGQueryForm *form, const QString &sql);

// Runs \a work; a VdqError it raises becomes *error (and false).
bool Guarded(const std::function<void()> &work, QString *error);

// The window a designer window opens over: the host's active window while it shows. A window
// already hidden (one that closed and goes later) is none, as it would take its children along.
QWidget *HostWindow(QWidget *parent = nullptr);

// The login dialog for servers that ask for a password, for every designer of the process.
void InstallLoginPrompt();

} // namespace DesignerBinding
