// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgcolumnform.h"

#include "selectforms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// The total the Total box names; None for no total and Group By.
TotalKind totalKind(TQGColumnForm::Total total)
{
    switch (total) {
    case TQGColumnForm::Count:
    case TQGColumnForm::CountDistinct:
    case TQGColumnForm::CountRows:
        return TotalKind::Count;
    case TQGColumnForm::Sum:
        return TotalKind::Sum;
    case TQGColumnForm::Avg:
        return TotalKind::Avg;
    case TQGColumnForm::Min:
        return TotalKind::Min;
    case TQGColumnForm::Max:
        return TotalKind::Max;
    case TQGColumnForm::NoTotal:
    case TQGColumnForm::GroupBy:
        break;
    }
    return TotalKind::None;
}

} // namespace

TQGColumnForm::TQGColumnForm(QWidget *parent)
    : TQGEditorDialog(parent, QStringLiteral("TQGColumnForm"), tr("Column"), QSize(460, 330), Icon::Value)
{
    int y = BuildHeader(tr("Calculated Field"), tr("An expression over the design's fields, its total and its name"));
    const int listWidth = 150;
    const int right = kMargin + listWidth + 10;
    const int rightWidth = width() - kMargin - right;

    auto *fieldsLabel = new QLabel(tr("&Fields"), this);
    fieldsLabel->setGeometry(kMargin, y, listWidth, 15);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setToolTip(tr("Double click a field to write it into the expression"));
    fieldsLabel->setBuddy(ListBox1);

    auto *expressionLabel = new QLabel(tr("&Expression"), this);
    expressionLabel->setGeometry(right, y, rightWidth, 15);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setTabChangesFocus(true);
    Memo1->setGeometry(right, y + 16, rightWidth, 90);
    expressionLabel->setBuddy(Memo1);
    int ry = y + 16 + 90 + 8;

    auto *totalLabel = new QLabel(tr("&Total"), this);
    totalLabel->setGeometry(right, ry + 3, 60, 15);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({tr("None"), tr("Group By"), tr("Count"), tr("Sum"), tr("Average"), tr("Minimum"),
                         tr("Maximum"), tr("Count Distinct"), tr("Count of Rows")});
    ComboBox1->setGeometry(right + 64, ry, rightWidth - 64, 22);
    totalLabel->setBuddy(ComboBox1);
    ry += 30;

    auto *nameLabel = new QLabel(tr("&Name"), this);
    nameLabel->setGeometry(right, ry + 3, 60, 15);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setPlaceholderText(tr("as the engine names it"));
    Edit1->setGeometry(right + 64, ry, rightWidth - 64, 22);
    nameLabel->setBuddy(Edit1);
    ry += 30;

    CheckBox1 = new QCheckBox(tr("&Show in the result"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setChecked(true);
    CheckBox1->setGeometry(right, ry, rightWidth, 20);

    BuildButtons(&Button1, &Button2, QStringLiteral("Button1"), QStringLiteral("Button2"));
    ListBox1->setGeometry(kMargin, y + 16, listWidth, ButtonTop() - 10 - (y + 16));

    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TQGColumnForm::ListBox1DblClick);
    connect(Memo1, &QPlainTextEdit::textChanged, this, &TQGColumnForm::UpdateButton1);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TQGColumnForm::UpdateButton1);
    UpdateButton1();
}

void TQGColumnForm::SetFields(const QStringList &references)
{
    ListBox1->clear();
    ListBox1->addItems(references);
}

void TQGColumnForm::SetColumn(const OutputColumn &column)
{
    Memo1->setPlainText(column.expression);
    ComboBox1->setCurrentIndex(column.grouped ? GroupBy : NoTotal);
    Edit1->setText(column.name);
    CheckBox1->setChecked(column.shown);
}

OutputColumn TQGColumnForm::Column() const
{
    // A column is one line of the statement.
    QString expression = Memo1->toPlainText().simplified();
    const Total total = Total(ComboBox1->currentIndex());
    if (total == CountRows)
        expression = QStringLiteral("*");
    else if (total == CountDistinct)
        expression.prepend(QStringLiteral("DISTINCT "));
    expression = TotalExpression(totalKind(total), expression);
    return OutputColumn{expression, Edit1->text().trimmed(), total == GroupBy, CheckBox1->isChecked()};
}

void TQGColumnForm::ListBox1DblClick()
{
    const QListWidgetItem *item = ListBox1->currentItem();
    if (!item)
        return;
    Memo1->insertPlainText(item->text());
    Memo1->setFocus();
}

void TQGColumnForm::UpdateButton1()
{
    Button1->setEnabled(ComboBox1->currentIndex() == CountRows || !Memo1->toPlainText().trimmed().isEmpty());
}
