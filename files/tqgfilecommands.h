// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QObject>
#include <functional>

class QFileDialog;
class QWidget;
class TQGSqlEditor;

// The designer's Open and Save commands. A name ending in ".VDQ" (any case) is a query
// definition file holding the whole design; any other name an SQL text file holding the
// editor's text. There is no current file: every Save asks for a name.
class TQGFileCommands : public QObject
{
    Q_OBJECT
public:
    static const char *const Filter[3];

    TQGFileCommands(QWidget *window, TQGSqlEditor *editor,
                    std::function<void(const QString &)> loadDefinition,
                    std::function<void(const QString &)> saveDefinition, QObject *parent);

    QFileDialog *OD1() const { return m_open; }
    QFileDialog *SD1() const { return m_save; }

    // Show the dialog, then open or save the chosen file; errors are shown, not thrown.
    void ImportSQL1Click();
    void Saveas1Click();

    // Saves the design as a query definition file, asking for its name (suggested: the
    // file last opened or saved); true when it was saved.
    bool SaveDesign(const QString &suggested = QString());

    // The work after the dialog. Raise VdqError.
    void OpenFile(const QString &fileName);
    void SaveFile(const QString &fileName);

    // Runs a dialog and gives the chosen name, or empty when cancelled; tests replace it.
    std::function<QString(QFileDialog *)> RunDialog;

private:
    QWidget *m_window;
    TQGSqlEditor *m_editor;
    std::function<void(const QString &)> m_loadDefinition;
    std::function<void(const QString &)> m_saveDefinition;
    QFileDialog *m_open;
    QFileDialog *m_save;
};
