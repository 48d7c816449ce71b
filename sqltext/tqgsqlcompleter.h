// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "sqldialect.h"

#include <QHash>
#include <QObject>
#include <QStringList>

#include <functional>

class QCompleter;
class QStringListModel;
class QTextCursor;
class TQGSqlEditor;

// Ctrl+Space in the SQL editor: table names of the database, the fields of a table after
// "name." or "alias.", and keywords. The names are asked of the database once each and
// kept until the design moves to another database.
class TQGSqlCompleter : public QObject
{
    Q_OBJECT
public:
    using FieldSource = std::function<QStringList(const QString &tableName)>;

    explicit TQGSqlCompleter(TQGSqlEditor *editor);

    // The database's tables and how to read a table's fields; forgets the fields read.
    void SetNames(const QStringList &tables, FieldSource fields, const IdentifierStyle &style);
    void SetStyle(const IdentifierStyle &style) { m_style = style; }

    // What Ctrl+Space offers at the cursor, as it would be inserted, and where the word
    // being completed starts.
    QStringList Candidates(int *wordStart) const;
    // Completes at the cursor: a single candidate is inserted, several are offered in a list.
    void Complete();
    bool PopupVisible() const;
    QCompleter *Completer() const { return m_completer; }

private:
    QStringList fieldsOf(const QString &table) const;
    QString tableOfQualifier(const QString &qualifier, const QString &text) const;
    QString written(const QString &name, bool table) const;
    void insert(const QString &completion);
    void refresh();

    TQGSqlEditor *m_editor;
    QCompleter *m_completer;
    QStringListModel *m_model;
    QStringList m_tables;
    FieldSource m_fields;
    IdentifierStyle m_style;
    mutable QHash<QString, QStringList> m_fieldCache;
    int m_wordStart = 0;
};
