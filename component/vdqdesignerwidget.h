// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "vdqdesigner_export.h"

#include <QJsonObject>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class QSqlDatabase;
class VdqDesignerWidgetPrivate;

/// \brief The query designer as a widget of the host's own window.
///
/// The whole designer (its menus, tool bar, table list, canvas, lists and SQL page) in a
/// widget the host places in a layout, a tab or a dock; it does not block. The host gives it a
/// database, either a connection of its own (setDatabase()) or an alias of the alias file
/// (setAlias()), and follows the statement through sqlChanged(). The designer's "Save and
/// Exit" and "Exit without Saving" commands end in finished(); the widget stays where it is.
///
/// Nothing throws: a call that fails returns false, and errorString() and errorOccurred()
/// give the message the user would read.
///
/// \code
/// auto *designer = new VdqDesignerWidget(this);
/// designer->setDatabase(QSqlDatabase::database());       // the host's own connection
/// connect(designer, &VdqDesignerWidget::sqlChanged, this, &MyWindow::showStatement);
/// setCentralWidget(designer);
/// \endcode
class VDQDESIGNER_EXPORT VdqDesignerWidget : public QWidget
{
    Q_OBJECT
    // The statement in the designer's SQL editor: written again after every change of the
    // design, and edited by the user.
    Q_PROPERTY(QString sql READ sql WRITE setSql NOTIFY sqlChanged)
    // The database the designer lists and runs statements on, as the status bar names it.
    Q_PROPERTY(QString databaseName READ databaseName NOTIFY databaseChanged)
    // Whether the design has changes not saved to its file.
    Q_PROPERTY(bool modified READ isModified NOTIFY designChanged)

public:
    /// Decides whether the table list offers a table (true) or hides it.
    using TableFilter = std::function<bool(const QString &tableName)>;

    /// An empty designer: no database yet.
    explicit VdqDesignerWidget(QWidget *parent = nullptr);
    /// Closes the designer's results; the host's connection stays open.
    ~VdqDesignerWidget() override;

    /// Designs on a connection the host opened itself (any Qt SQL driver the designer knows:
    /// QSQLITE, including a ":memory:" database, QPSQL, QMYSQL, QMARIADB, QODBC). The designer
    /// uses the connection as it is and leaves it open when it is done. \a name is the name the
    /// designer shows; empty: the connection's database. Returns false when the connection is
    /// not valid, of an unknown driver, or cannot list its tables.
    bool setDatabase(const QSqlDatabase &connection, const QString &name = QString());
    /// Designs on an alias of the alias file, or a database a session was given. Returns
    /// false when the alias is unknown or its database cannot be opened.
    bool setAlias(const QString &alias, const QString &sessionName = QString());
    /// The database the designer lists and runs statements on, as its status bar names it.
    QString databaseName() const;

    /// Restricts the tables the table list offers; an empty filter offers every table.
    /// Lists the database's tables again when one is open.
    void setTableFilter(const TableFilter &filter);

    /// The statement in the designer's SQL editor: written again after every change of the
    /// design, and as the user edits it.
    QString sql() const;
    /// Replaces the editor's text and shows the SQL page; the design is unchanged.
    void setSql(const QString &sql);

    /// The design as data: its tables with their fields and ticks, links, lists and options,
    /// as a JSON object a host can store and give back to setDesign().
    QJsonObject design() const;
    /// Replaces the design (one step the user can undo). Data that does not describe a design
    /// (unknown words, links to tables that are not there, sizes out of bounds) is refused
    /// with false and the design stays as it was.
    bool setDesign(const QJsonObject &design);

    /// Opens a ".VDQ" design or an SQL file, as the designer's Open command does.
    bool openFile(const QString &fileName);
    /// Whether the design has changes not saved to its file.
    bool isModified() const;

    /// The message of the last call that failed.
    QString errorString() const;

Q_SIGNALS:
    /// The editor's statement changed: the design was written again, or the user typed.
    void sqlChanged(const QString &sql);
    /// The design changed: a table, a tick, a link, a list row or an option.
    void designChanged();
    /// setDatabase() or setAlias() opened another database.
    void databaseChanged();
    /// The user left the designer: QDialog::Accepted after "Save and Exit", QDialog::Rejected
    /// after "Exit without Saving".
    void finished(int result);
    /// A call failed, or the designer could not do what the host asked.
    void errorOccurred(const QString &message);

private:
    friend class VdqDesignerWidgetPrivate;
    std::unique_ptr<VdqDesignerWidgetPrivate> d;
};
