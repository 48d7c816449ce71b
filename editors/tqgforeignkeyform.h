// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "foreignkey.h"

#include <QDialog>

class QListWidget;

// Which of several foreign keys between two tables joins them (billing or shipping
// address), listed by their columns; none at all is an answer too.
class TQGForeignKeyForm : public QDialog
{
    Q_OBJECT
public:
    TQGForeignKeyForm(const QString &table, const QString &other, const QList<ForeignKey> &keys,
                      QWidget *parent = nullptr);

    // The index of the key selected, -1 for none; Do Not Join rejects the dialog.
    int Choice() const;
    void SetChoice(int index);
    QListWidget *KeyList() const { return m_keys; }

private:
    QListWidget *m_keys = nullptr;
};
