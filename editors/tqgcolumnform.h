// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "querymodel.h"
#include "tqgeditordialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// Edits one column of a SELECT that holds its own columns: an expression over the design's
// fields (a double click on a field writes it in), a total around it, its name and whether
// it is shown or only grouped by.
class TQGColumnForm : public TQGEditorDialog
{
    Q_OBJECT
public:
    // What the Total box offers, in its order.
    enum Total { NoTotal = 0, GroupBy, Count, Sum, Avg, Min, Max, CountDistinct, CountRows };

    explicit TQGColumnForm(QWidget *parent = nullptr);

    // The references of the fields to pick from ("alias.field"), in canvas and table order.
    void SetFields(const QStringList &references);
    // The column being edited: its expression stands as it is, with no total around it.
    void SetColumn(const OutputColumn &column);
    // The column the dialog describes: the total written around the expression.
    OutputColumn Column() const;

    void ListBox1DblClick();

    QListWidget *ListBox1 = nullptr;     // fields
    QPlainTextEdit *Memo1 = nullptr;     // expression
    QComboBox *ComboBox1 = nullptr;      // total
    QLineEdit *Edit1 = nullptr;          // name
    QCheckBox *CheckBox1 = nullptr;      // shown
    QPushButton *Button1 = nullptr;      // OK
    QPushButton *Button2 = nullptr;      // Cancel

private:
    void UpdateButton1();
};
