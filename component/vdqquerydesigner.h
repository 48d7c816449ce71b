// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "vdqdesigner_export.h"

#include <QJsonObject>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QSqlDatabase;
class QWidget;
class VdqQueryDesignerPrivate;

/// \brief The query designer in a window of its own, in the conventions of QDialog.
///
/// Set a database, optionally a starting statement or design, and call open() (window
/// modal, returns at once, finished() follows) or exec() (returns the result). sql() is the
/// statement of the last "Save and Exit"; until then the starting one.
///
/// Nothing throws: a call that fails returns false (exec(): QDialog::Rejected), and
/// errorString() and errorOccurred() give the message.
///
/// \code
/// auto *designer = new VdqQueryDesigner(this);
/// designer->setDatabase(QSqlDatabase::database());
/// designer->setSql(currentStatement);
/// connect(designer, &VdqQueryDesigner::finished, this, [=](int result) {
///     if (result == QDialog::Accepted)
///         useStatement(designer->sql());
/// });
/// designer->open(this);
/// \endcode
class VDQDESIGNER_EXPORT VdqQueryDesigner : public QObject
{
    Q_OBJECT
    // The statement: the starting text, or the designed one after "Save and Exit".
    Q_PROPERTY(QString sql READ sql WRITE setSql NOTIFY sqlChanged)
    // A ".VDQ" design or an SQL file to open when the window opens; may be empty.
    Q_PROPERTY(QString fileName READ fileName WRITE setFileName)

public:
    /// Decides whether the table list offers a table (true) or hides it.
    using TableFilter = std::function<bool(const QString &tableName)>;

    /// A designer with no database yet, owned by \a parent.
    explicit VdqQueryDesigner(QObject *parent = nullptr);
    /// Closes the window if it is open, without a result.
    ~VdqQueryDesigner() override;

    /// The connection the designer uses when it opens (see VdqDesignerWidget::setDatabase()).
    void setDatabase(const QSqlDatabase &connection, const QString &name = QString());
    /// An alias of the alias file, or a database a session was given.
    void setAlias(const QString &alias, const QString &sessionName = QString());
    /// Restricts the tables the window's table list offers; empty: every table.
    void setTableFilter(const TableFilter &filter);

    /// The statement: the starting text, or the designed one after "Save and Exit".
    QString sql() const;
    /// The starting statement; the window opens on its SQL page when it is not empty.
    void setSql(const QString &sql);
    /// A ".VDQ" design or an SQL file the window opens with; may be empty.
    QString fileName() const;
    /// Sets the file the window opens with.
    void setFileName(const QString &fileName);
    /// The design as data (see VdqDesignerWidget::design()): of the open window, else of the
    /// last one, else the one given to setDesign().
    QJsonObject design() const;
    /// The design the window opens with; checked when it opens.
    void setDesign(const QJsonObject &design);

    /// Opens the designer window modal to \a parent's window and returns at once; false when
    /// it could not open (the reason in errorString()). finished() reports the end.
    bool open(QWidget *parent = nullptr);
    /// Opens the designer modally and returns when it closes: QDialog::Accepted after "Save
    /// and Exit", else QDialog::Rejected.
    int exec(QWidget *parent = nullptr);
    /// The open designer window, or null.
    QWidget *window() const;
    /// The message of the last call that failed.
    QString errorString() const;

    /// Adds a connection of the host's own to a session (created when it does not exist;
    /// empty: the default session), where the classic TVDRunTimeQuery and its selection
    /// dialog offer it under \a name. The connection stays the host's.
    static bool addDatabase(const QSqlDatabase &connection, const QString &name, const QString &sessionName = QString(),
                            QString *errorMessage = nullptr);
    /// The alias file the sessions read (reloaded on next use); empty: the default location.
    static void setAliasFile(const QString &fileName);
    /// The alias file the sessions read.
    static QString aliasFile();

Q_SIGNALS:
    /// sql() changed: setSql(), or a "Save and Exit" with another statement.
    void sqlChanged(const QString &sql);
    /// The open window's design changed.
    void designChanged();
    /// The window closed: QDialog::Accepted after "Save and Exit", else QDialog::Rejected.
    void finished(int result);
    /// A call failed; the message is the one errorString() gives.
    void errorOccurred(const QString &message);

private:
    friend class VdqQueryDesignerPrivate;
    std::unique_ptr<VdqQueryDesignerPrivate> d;
};
