// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QMainWindow>

class QComboBox;
class QPlainTextEdit;
class QPushButton;
class TVDRunTimeQuery;

// The example host: choose a database, call Execute, see the SQL the designer returned.
// The program's main window, with a fixed dialog-style border: Escape does not close it.
class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);

    // The application's names, as the program sets them before creating the form. No
    // display name: the toolkit would append it to every window's title.
    static void InitApplication();

    void FormCreate();
    void Button1Click();

    QComboBox *ComboBox1() const { return m_databases; }
    QPushButton *Button1() const { return m_button; }
    QPlainTextEdit *Memo1() const { return m_memo; }
    TVDRunTimeQuery *VDRunTimeQuery1() const { return m_query; }

private:
    QComboBox *m_databases;
    QPushButton *m_button;
    QPlainTextEdit *m_memo;
    TVDRunTimeQuery *m_query;
};
