// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

// The layer's own "Database Login" dialog: asks for the user name and password of a
// server that wants a password the alias does not give. Nothing typed is stored.
class TQGLoginDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TQGLoginDialog(QWidget *parent = nullptr);

    void SetDatabaseName(const QString &name);
    QString UserName() const;
    void SetUserName(const QString &name);
    QString Password() const;

    // Shows the dialog modally; true on OK with the answers in user and password.
    static bool Ask(const QString &databaseName, QString &user, QString &password);

private:
    QLabel *m_databaseLabel;
    QLineEdit *m_userEdit;
    QLineEdit *m_passwordEdit;
};
