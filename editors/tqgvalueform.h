// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "tqgeditordialog.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTimeEdit;
class TQGValuePage;

// Edits one row of the Values list: the value an INSERT or UPDATE assigns to a field.
class TQGValueForm : public TQGEditorDialog
{
    Q_OBJECT
public:
    explicit TQGValueForm(QWidget *parent = nullptr);

    void SetRow(const QString &fieldName, const QString &value);

    // The texts the caller copies back on OK.
    QString FieldText() const;
    QString ValueText() const;

    void ComboBox1Change(int index);
    void BitBtn2Click();
    void Edit3Change(const QString &text);
    void BitBtn4Click();

    QLabel *Label3 = nullptr;       // the field name
    QLineEdit *Label10 = nullptr;   // the value
    QLabel *ValueSourceLabel = nullptr;
    QComboBox *ComboBox1 = nullptr; // value source
    QStackedWidget *Notebook1 = nullptr;

    TQGValuePage *ValuePage = nullptr;
    QComboBox *ComboBox4 = nullptr;
    QStackedWidget *Notebook2 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QDateEdit *DateTimePicker1 = nullptr;
    QTimeEdit *DateTimePicker2 = nullptr;
    QRadioButton *RadioButton8 = nullptr;
    QRadioButton *RadioButton9 = nullptr;

    QLineEdit *Edit3 = nullptr;     // designed parameter name
    QLabel *Label21 = nullptr;
    QPushButton *BitBtn4 = nullptr; // "Set Value"

    QPushButton *OKButton = nullptr;
    QPushButton *CancelButton = nullptr;

private:
    void FormCreate();
    QWidget *BuildDesignedParameterPage();
};
