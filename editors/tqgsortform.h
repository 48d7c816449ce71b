// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "querymodel.h"
#include "sqldialect.h"
#include "tqgeditordialog.h"

#include <QList>

class QComboBox;
class QGroupBox;
class QKeyEvent;
class QPushButton;
class QRadioButton;

// Edits one row of the Sorting list: the field to sort by and the direction.
class TQGSortForm : public TQGEditorDialog
{
    Q_OBJECT
public:
    explicit TQGSortForm(QWidget *parent = nullptr);

    // The designer's canvas tables in child order and its quoting.
    void SetDesigner(const QList<DesignTable> &canvasTables, const IdentifierStyle &style);

    void FillTableList();
    void FillFieldList();

    // "Ascending" only for exactly "Yes"; anything else is descending.
    void SetAscendingColumn(const QString &ascending);

    // The texts the caller stores on OK. FieldReference is empty while no table is chosen.
    QString FieldReference() const;
    QString AscendingText() const;
    bool HasFieldChosen() const;

    void ComboBox1Change();
    void ComboBox2Change();
    // Escape closes with Cancel whichever control has the focus; true when it was handled.
    bool FormKeyPress(QKeyEvent *event);

    QComboBox *ComboBox1 = nullptr;  // tables
    QComboBox *ComboBox2 = nullptr;  // fields
    QGroupBox *RadioGroup1 = nullptr;
    QRadioButton *AscendingButton = nullptr;   // item 0
    QRadioButton *DescendingButton = nullptr;  // item 1
    QPushButton *Button1 = nullptr;  // OK
    QPushButton *Button2 = nullptr;  // Cancel

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void UpdateButton1();

    QList<DesignTable> m_tables;
    IdentifierStyle m_style;
};
