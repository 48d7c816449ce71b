// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "querymodel.h"

#include <QDialog>

class QRadioButton;

// The join properties of one link: four choices, each a sentence naming the link's tables.
// table1 is the table the join was dragged from, table2 the one it was dropped on.
class TQGJoinForm : public QDialog
{
    Q_OBJECT
public:
    TQGJoinForm(const QString &table1, const QString &table2, JoinType type, QWidget *parent = nullptr);

    JoinType Choice() const;
    void SetChoice(JoinType type);
    QRadioButton *ChoiceButton(JoinType type) const { return m_choices[int(type)]; }

private:
    QRadioButton *m_choices[4] = {nullptr, nullptr, nullptr, nullptr};
};
