// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgforeignkeyform.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TQGForeignKeyForm::TQGForeignKeyForm(const QString &table, const QString &other, const QList<ForeignKey> &keys,
                                     QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TQGForeignKeyForm"));
    setWindowTitle(tr("Join by Foreign Key"));
    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(tr("%1 and %2 are related by more than one foreign key. Join them by:").arg(table, other), this);
    heading->setObjectName(QStringLiteral("KeyHeading"));
    heading->setWordWrap(true);
    layout->addWidget(heading);
    m_keys = new QListWidget(this);
    m_keys->setObjectName(QStringLiteral("KeyList"));
    for (const ForeignKey &key : keys) {
        auto *item = new QListWidgetItem(ForeignKeyText(key), m_keys);
        if (!key.name.isEmpty())
            item->setToolTip(key.name);
    }
    layout->addWidget(m_keys);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setObjectName(QStringLiteral("KeyButtons"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKButton"));
    QPushButton *none = buttons->addButton(tr("Do Not Join"), QDialogButtonBox::RejectRole);
    none->setObjectName(QStringLiteral("NoneButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_keys, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons);
    SetChoice(0);
}

int TQGForeignKeyForm::Choice() const
{
    return m_keys->currentRow();
}

void TQGForeignKeyForm::SetChoice(int index)
{
    m_keys->setCurrentRow(index);
}
