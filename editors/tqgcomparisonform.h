// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "querymodel.h"
#include "sqldialect.h"
#include "tqgeditordialog.h"

#include <QList>
#include <QStringList>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTimeEdit;
class TQGBrace;
class TQGValuePage;

// Edits one row of the Conditions list: field, comparison and value as three boxes, and
// below them the page that writes into the box being edited.
class TQGComparisonForm : public TQGEditorDialog
{
    Q_OBJECT
public:
    enum class Box { Field, Operator, Value };

    explicit TQGComparisonForm(QWidget *parent = nullptr);

    // The designer this dialog serves: its canvas tables in child order, its quoting,
    // and the fields of its master data source.
    void SetDesigner(const QList<DesignTable> &canvasTables, const IdentifierStyle &style,
                     const QStringList &masterDataSourceFields, bool hasMasterDataSource);
    // The row's three texts into the three boxes.
    void SetRow(const QString &fieldName, const QString &condition, const QString &value);
    // Lists the tables and data-source fields, then makes the value box active.
    void Prepare();

    // The texts the caller copies back on OK.
    QString FieldText() const;
    QString OperatorText() const;
    QString ValueText() const;
    bool IsNullChosen() const;

    Box ActiveBox() const { return m_activeBox; }
    bool Filling() const { return m_filling; }
    void SetFilling(bool filling) { m_filling = filling; }

    void FillTableList();
    void FillFieldList();
    void FillDataSourceFieldList();

    void Label3Click();
    void Label4Click();
    void Label10Click();
    void ComboBox1Change(int index);
    void ComboBox2Change();
    void ComboBox3Change();
    void BitBtn2Click();
    void Edit1Exit();
    void ComboBox5Change();
    void Edit3Change(const QString &text);
    void ChangeComparisonValue(QRadioButton *choice);

    // The three boxes.
    QLineEdit *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLineEdit *Label10 = nullptr;
    TQGBrace *Brace = nullptr;

    QLabel *ValueSourceLabel = nullptr;  // "Value Type" above the pages
    QComboBox *ComboBox1 = nullptr;      // value source
    QStackedWidget *Notebook1 = nullptr;

    QComboBox *ComboBox2 = nullptr;  // tables
    QComboBox *ComboBox3 = nullptr;  // fields
    // An aggregate of the field (Count, Sum, ...): such a condition belongs to HAVING.
    QComboBox *ComboBoxAggregate = nullptr;

    TQGValuePage *ValuePage = nullptr;
    QComboBox *ComboBox4 = nullptr;
    QStackedWidget *Notebook2 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QDateEdit *DateTimePicker1 = nullptr;
    QTimeEdit *DateTimePicker2 = nullptr;
    QRadioButton *RadioButton8 = nullptr;
    QRadioButton *RadioButton9 = nullptr;

    QComboBox *ComboBox5 = nullptr;  // data-source fields
    QLabel *Label17 = nullptr;
    QLineEdit *Edit3 = nullptr;      // designed parameter name
    QLabel *Label21 = nullptr;

    QRadioButton *RadioButton1 = nullptr;
    QRadioButton *RadioButton2 = nullptr;
    QRadioButton *RadioButton3 = nullptr;
    QRadioButton *RadioButton4 = nullptr;
    QRadioButton *RadioButton5 = nullptr;
    QRadioButton *RadioButton6 = nullptr;
    QRadioButton *RadioButton7 = nullptr;
    QRadioButton *RadioButton10 = nullptr;
    QRadioButton *RadioButton11 = nullptr;

    QPushButton *OKButton = nullptr;
    QPushButton *CancelButton = nullptr;

    // True when the field box names a field of a table of the design (alone or under a
    // total), or still holds the row's own field text.
    bool NamesDesignField(const QString &text) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // OK with a field box that names no field of the design warns and stays open.
    void done(int result) override;

private:
    void FormCreate();
    // The constructor's parts, top to bottom; each takes the top edge and returns the next.
    int BuildBoxes(int y);
    int BuildValueSource(int y);
    void BuildPages(int y);
    void ConnectControls();
    QWidget *BuildDataFieldPage();
    QWidget *BuildDataSourcePage();
    QWidget *BuildDesignedParameterPage();
    QWidget *BuildOperatorPage();
    QLineEdit *TargetBox() const;
    void SetActiveBox(Box box);

    QList<DesignTable> m_tables;
    QString m_givenField;  // the row's field as SetRow gave it
    IdentifierStyle m_style;
    QStringList m_masterFields;
    bool m_hasMasterDataSource = false;
    Box m_activeBox = Box::Value;
    bool m_filling = false;
};
