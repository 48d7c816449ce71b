// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgjoinform.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TQGJoinForm::TQGJoinForm(const QString &table1, const QString &table2, JoinType type, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TQGJoinForm"));
    setWindowTitle(tr("Join Properties"));
    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(tr("Which rows does the join between %1 and %2 give?").arg(table1, table2), this);
    heading->setObjectName(QStringLiteral("JoinHeading"));
    layout->addWidget(heading);
    const QString sentences[4] = {
        tr("Only the rows where %1 and %2 match (inner join)").arg(table1, table2),
        tr("Every row of %1, and the rows of %2 that match (left join)").arg(table1, table2),
        tr("Every row of %2, and the rows of %1 that match (right join)").arg(table1, table2),
        tr("Every row of %1 and every row of %2, matched where they match (full join)").arg(table1, table2)};
    const char *names[4] = {"JoinInner", "JoinLeft", "JoinRight", "JoinFull"};
    for (int i = 0; i < 4; ++i) {
        m_choices[i] = new QRadioButton(sentences[i], this);
        m_choices[i]->setObjectName(QLatin1String(names[i]));
        layout->addWidget(m_choices[i]);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("JoinButtons"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    SetChoice(type);
}

JoinType TQGJoinForm::Choice() const
{
    for (int i = 0; i < 4; ++i) {
        if (m_choices[i]->isChecked())
            return JoinType(i);
    }
    return JoinType::Inner;
}

void TQGJoinForm::SetChoice(JoinType type)
{
    m_choices[int(type)]->setChecked(true);
}
