// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqglogindialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TQGLoginDialog::TQGLoginDialog(QWidget *parent)
    : QDialog(parent)
    , m_databaseLabel(new QLabel(this))
    , m_userEdit(new QLineEdit(this))
    , m_passwordEdit(new QLineEdit(this))
{
    setObjectName(QStringLiteral("DatabaseLogin"));
    setWindowTitle(tr("Database Login"));
    setModal(true);

    m_databaseLabel->setObjectName(QStringLiteral("DatabaseLabel"));
    m_userEdit->setObjectName(QStringLiteral("UserName"));
    m_passwordEdit->setObjectName(QStringLiteral("Password"));
    m_passwordEdit->setEchoMode(QLineEdit::Password);

    auto *form = new QFormLayout;
    form->addRow(tr("&User Name:"), m_userEdit);
    form->addRow(tr("&Password:"), m_passwordEdit);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("ButtonBox"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_databaseLabel);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(300, 0)));
}

void TQGLoginDialog::SetDatabaseName(const QString &name)
{
    m_databaseLabel->setText(tr("Database: %1").arg(name));
}

QString TQGLoginDialog::UserName() const
{
    return m_userEdit->text();
}

void TQGLoginDialog::SetUserName(const QString &name)
{
    m_userEdit->setText(name);
    // The name is known already: the password is what is missing.
    (name.isEmpty() ? m_userEdit : m_passwordEdit)->setFocus();
}

QString TQGLoginDialog::Password() const
{
    return m_passwordEdit->text();
}

bool TQGLoginDialog::Ask(const QString &databaseName, QString &user, QString &password)
{
    TQGLoginDialog dialog(QApplication::activeWindow());
    dialog.SetDatabaseName(databaseName);
    dialog.SetUserName(user);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    user = dialog.UserName();
    password = dialog.Password();
    return true;
}
