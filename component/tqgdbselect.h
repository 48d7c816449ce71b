// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;
class QTreeWidget;

// "Session and Database Select": the user picks the session and the database (alias) to
// design against. The caller fills the session list, selects a session, calls
// ComboBox1Change and reads the choice back on OK.
class TQGDBSelect : public QDialog
{
    Q_OBJECT
public:
    explicit TQGDBSelect(QWidget *parent = nullptr);

    QComboBox *ComboBox1() const { return m_sessions; }
    QTreeWidget *ListView1() const { return m_databases; }
    QPushButton *Button1() const { return m_ok; }
    QPushButton *Button2() const { return m_cancel; }

    // Rebuilds the database list for the session named by the combo box. Raises VdqError
    // from the access layer; the rows added so far stay.
    void ComboBox1Change();
    void ListView1Change();
    void ListView1DblClick();
    // The alias name of the selected row, or empty.
    QString SelectedDatabase() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The constructor's parts: the side image and texts, the two lists, OK and Cancel.
    void BuildHeading();
    void BuildLists();
    void BuildButtons();
    void ConnectControls();

    QComboBox *m_sessions = nullptr;
    QTreeWidget *m_databases = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
