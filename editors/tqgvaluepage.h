// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QWidget>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QRadioButton;
class QStackedWidget;
class QTimeEdit;

// The "Values" page both the comparison and the value dialog show: the value-type list
// and one editor per value type. It produces the value text; the dialog decides which
// box receives it.
class TQGValuePage : public QWidget
{
    Q_OBJECT
public:
    enum ValueType { NumberValue, StringValue, DateValue, TimeValue, LogicalValue };

    explicit TQGValuePage(QWidget *parent = nullptr);

    // The SQL text of the editor the value-type list selects.
    QString ValueText() const;

    // Value-type list changed: show that type's editor, write nothing.
    void ComboBox4Change(int index);

    // The display formats of the pickers: the locale's short date format with a four-digit
    // year, and its time format with seconds (the time written always carries them). The
    // locale is the application's default, which is the system's unless set otherwise.
    static QString DateDisplayFormat();
    static QString TimeDisplayFormat();

    QLabel *Heading = nullptr;
    QComboBox *ComboBox4 = nullptr;
    QStackedWidget *Notebook2 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QDateEdit *DateTimePicker1 = nullptr;
    QTimeEdit *DateTimePicker2 = nullptr;
    QRadioButton *RadioButton8 = nullptr;
    QRadioButton *RadioButton9 = nullptr;

Q_SIGNALS:
    // The user changed an editor, or the logical choice changed.
    void ValueEdited();
    // The keyboard focus left the number edit inside the dialog.
    void NumberEditLeft();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
