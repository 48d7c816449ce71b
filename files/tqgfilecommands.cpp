// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgfilecommands.h"

#include "designwords.h"
#include "messages.h"
#include "querydefinition.h"
#include "tqgbusycursor.h"
#include "tqgsqleditor.h"
#include "sqltextfile.h"

#include <QApplication>
#include <QFileDialog>
#include <QTextCursor>

// Qt's form of "SQL Files (*.sql)|*.sql|Vendrel Query (*.vdq)|*.vdq|All Files (*.*)|*.*";
// "*" rather than "*.*" so that names without a dot show too.
const char *const TQGFileCommands::Filter[3] = {QT_TR_NOOP("SQL Files (*.sql)"), QT_TR_NOOP("Vendrel Query (*.vdq)"),
                                                QT_TR_NOOP("All Files (*)")};

namespace {

QFileDialog *makeDialog(QWidget *parent, const char *name, const QString &title, QFileDialog::AcceptMode mode)
{
    auto *dialog = new QFileDialog(parent, title);
    dialog->setObjectName(QLatin1String(name));
    dialog->setAcceptMode(mode);
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog->setNameFilters({TQGFileCommands::tr(TQGFileCommands::Filter[0]),
                            TQGFileCommands::tr(TQGFileCommands::Filter[1]),
                            TQGFileCommands::tr(TQGFileCommands::Filter[2])});
    dialog->selectNameFilter(TQGFileCommands::tr(TQGFileCommands::Filter[0]));
    dialog->setDefaultSuffix(QStringLiteral("sql"));
    dialog->setOption(QFileDialog::ReadOnly, false);
    return dialog;
}

} // namespace

TQGFileCommands::TQGFileCommands(QWidget *window, TQGSqlEditor *editor,
                                 std::function<void(const QString &)> loadDefinition,
                                 std::function<void(const QString &)> saveDefinition, QObject *parent)
    : QObject(parent), m_window(window), m_editor(editor), m_loadDefinition(std::move(loadDefinition)),
      m_saveDefinition(std::move(saveDefinition))
{
    m_open = makeDialog(window, "OD1", tr("Open SQL File"), QFileDialog::AcceptOpen);
    // The open dialog takes the name of a file that does not exist (a new design).
    m_open->setFileMode(QFileDialog::AnyFile);
    m_save = makeDialog(window, "SD1", tr("Save SQL File"), QFileDialog::AcceptSave);
    m_save->setFileMode(QFileDialog::AnyFile);
    m_save->setOption(QFileDialog::DontConfirmOverwrite, true);
    RunDialog = [](QFileDialog *dialog) {
        dialog->selectNameFilter(tr(Filter[0]));
        if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
            return QString();
        return dialog->selectedFiles().constFirst();
    };
}

void TQGFileCommands::ImportSQL1Click()
{
    const QString name = RunDialog(m_open);
    if (name.isEmpty())
        return;
    VdqMessages::Guarded(m_window, tr("Open Query"), [&] { OpenFile(name); });
}

void TQGFileCommands::Saveas1Click()
{
    const QString name = RunDialog(m_save);
    if (name.isEmpty())
        return;
    VdqMessages::Guarded(m_window, tr("Save Query"), [&] { SaveFile(name); });
}

bool TQGFileCommands::SaveDesign(const QString &suggested)
{
    m_save->selectNameFilter(tr(Filter[1]));
    if (!suggested.isEmpty())
        m_save->selectFile(suggested);
    QString name = RunDialog(m_save);
    if (name.isEmpty())
        return false;
    // The design goes to a query definition file whatever filter the dialog was left at.
    if (!IsQueryDefinitionFileName(name)) {
        if (name.endsWith(QLatin1String(".sql"), Qt::CaseInsensitive))
            name.chop(4);
        name += QStringLiteral(".vdq");
    }
    return VdqMessages::Guarded(m_window, tr("Save Query"), [&] { SaveFile(name); });
}

void TQGFileCommands::OpenFile(const QString &fileName)
{
    TQGBusyCursor busy;
    if (IsQueryDefinitionFileName(fileName)) {
        m_loadDefinition(fileName);
        return;
    }
    const QString text = NormalizeLineBreaks(ReadSqlTextFile(fileName));
    // Replaced as one edit, so that Undo brings the previous text back.
    QTextCursor cursor(m_editor->document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(text);
}

void TQGFileCommands::SaveFile(const QString &fileName)
{
    TQGBusyCursor busy;
    if (IsQueryDefinitionFileName(fileName))
        m_saveDefinition(fileName);
    else
        WriteSqlTextFile(fileName, m_editor->Lines());
}
