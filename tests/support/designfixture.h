// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// Header-only helpers for the designer and canvas tests: a small SQLite database of tables
// named by the test, an alias file pointing at it, and a designer window opened on it as
// Execute opens one.

#include "messages.h"
#include "naming.h"
#include "tdatabase.h"
#include "testsupport.h"
#include "tqgqueryform.h"
#include "tquery.h"
#include "tqgtablelist.h"
#include "tsession.h"
#include "tsessionlist.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace DesignFixture {

using TableSpec = QList<QPair<QString, QStringList>>;

// A test answers the unsaved-changes question with Discard unless it installs an answer of
// its own, so that no modal question waits for a user.
inline const bool DiscardsChanges = [] {
    VdqMessages::SetAnswerHook([](const QString &, const QString &) { return VdqMessages::Answer::Discard; });
    return true;
}();

inline QString quoted(const QString &name)
{
    return QuotedName(name, u'"');
}

// Creates the SQLite file with the tables (each field INTEGER, two rows) and an alias
// file naming it SHOP (STANDARD); the session list then reads that alias file.
inline bool MakeDatabase(const QString &dir, const TableSpec &tables, const QString &alias = QStringLiteral("SHOP"))
{
    const QString path = QDir(dir).filePath(alias.toLower() + QStringLiteral(".sqlite"));
    QFile::remove(path);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fixture"));
        db.setDatabaseName(path);
        if (!db.open())
            return false;
        QSqlQuery q(db);
        for (const auto &[table, fields] : tables) {
            QStringList columns;
            for (const QString &f : fields)
                columns << quoted(f) + QStringLiteral(" INTEGER");
            if (!q.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(table), columns.join(QStringLiteral(", ")))))
                return false;
            for (int row = 1; row <= 2; ++row) {
                QStringList values;
                for (int i = 0; i < fields.size(); ++i)
                    values << QString::number(row * 10 + i);
                q.exec(QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(quoted(table), values.join(QStringLiteral(", "))));
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
    TestSupport::UseAliasFile(QDir(dir).filePath(QStringLiteral("aliases.ini")),
                              QStringLiteral("[%1]\nDriver=STANDARD\nPath=%2\n").arg(alias, path));
    return true;
}

// A designer window on the alias, prepared as Execute prepares it.
inline std::unique_ptr<TQGQueryForm> OpenForm(const QString &alias = QStringLiteral("SHOP"),
                                              const QString &session = QStringLiteral("Default"))
{
    auto form = std::make_unique<TQGQueryForm>();
    form->PrepareDesign(session, alias);
    return form;
}

// Records the message boxes instead of showing them.
struct MessageLog
{
    QList<QPair<VdqMessages::Kind, QString>> messages;
    MessageLog()
    {
        VdqMessages::SetHook([this](VdqMessages::Kind kind, const QString &, const QString &text) {
            messages << qMakePair(kind, text);
        });
    }
    ~MessageLog() { VdqMessages::SetHook({}); }
    QString last() const { return messages.isEmpty() ? QString() : messages.last().second; }
};

// Selects the named rows of the designer's table list (and only those).
template <typename Form>
void SelectTables(Form *form, const QStringList &names)
{
    auto *list = form->ListView1();
    for (int i = 0; i < list->RowCount(); ++i)
        list->SetSelected(i, names.contains(list->Caption(i)));
}

} // namespace DesignFixture
