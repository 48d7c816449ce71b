// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgvalueform.h"

#include "tqgvaluepage.h"
#include "valuetext.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimeEdit>

TQGValueForm::TQGValueForm(QWidget *parent)
    : TQGEditorDialog(parent, QStringLiteral("TQGValueForm"), tr("Field Value to set..."),
                      QSize(395, 260), Icon::Value)
{
    int y = BuildHeader(tr("Set Field Value"), tr("Comparison Details"));
    const int innerWidth = width() - 2 * kMargin;

    QFont bold = font();
    bold.setBold(true);
    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setFont(bold);
    Label3->setGeometry(kMargin, y, innerWidth, 17);
    y += 19;
    Label10 = new QLineEdit(this);
    Label10->setObjectName(QStringLiteral("Label10"));
    Label10->setFont(bold);
    Label10->setAccessibleName(tr("Value"));
    Label10->setGeometry(kMargin, y, innerWidth, 20);
    // The only box, so always painted as the one being edited.
    PaintBox(Label10, true);
    y += 20 + 7;

    // Flush with the boxes above, the list right after its label.
    ValueSourceLabel = new QLabel(tr("Value Type"), this);
    ValueSourceLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const int labelWidth = ValueSourceLabel->sizeHint().width();
    ValueSourceLabel->setGeometry(kMargin, y, labelWidth, 22);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({tr("Value"), tr("Designed Parameters")});
    ComboBox1->setGeometry(kMargin + labelWidth + 8, y, 170, 22);
    y += 22 + 5;

    Notebook1 = new QStackedWidget(this);
    Notebook1->setObjectName(QStringLiteral("Notebook1"));
    Notebook1->setFrameShape(QFrame::StyledPanel);
    Notebook1->setFrameShadow(QFrame::Sunken);
    Notebook1->setGeometry(kMargin, y, innerWidth, ButtonTop() - 7 - y);

    ValuePage = new TQGValuePage(Notebook1);
    ComboBox4 = ValuePage->ComboBox4;
    Notebook2 = ValuePage->Notebook2;
    Edit1 = ValuePage->Edit1;
    Edit2 = ValuePage->Edit2;
    DateTimePicker1 = ValuePage->DateTimePicker1;
    DateTimePicker2 = ValuePage->DateTimePicker2;
    RadioButton8 = ValuePage->RadioButton8;
    RadioButton9 = ValuePage->RadioButton9;
    Notebook1->addWidget(ValuePage);
    Notebook1->addWidget(BuildDesignedParameterPage());

    BuildButtons(&OKButton, &CancelButton, QStringLiteral("OKButton"), QStringLiteral("CancelButton"));

    FormCreate();

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TQGValueForm::ComboBox1Change);
    connect(ValuePage, &TQGValuePage::ValueEdited, this, &TQGValueForm::BitBtn2Click);
    connect(Edit3, &QLineEdit::textEdited, this, &TQGValueForm::Edit3Change);
    connect(BitBtn4, &QPushButton::clicked, this, &TQGValueForm::BitBtn4Click);
}

void TQGValueForm::FormCreate()
{
    ComboBox1->setCurrentIndex(0);  // the Values page
    Notebook1->setCurrentIndex(0);
    ComboBox4->setCurrentIndex(TQGValuePage::NumberValue);
}

QWidget *TQGValueForm::BuildDesignedParameterPage()
{
    auto *page = new QWidget(Notebook1);
    auto *grid = new QGridLayout(page);
    grid->setContentsMargins(8, 5, 8, 5);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowMinimumHeight(1, 4);

    Edit3 = new QLineEdit(page);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    Label21 = new QLabel(tr(":ParameterName"), page);
    Label21->setObjectName(QStringLiteral("Label21"));
    BitBtn4 = new QPushButton(tr("Set Value"), page);
    BitBtn4->setObjectName(QStringLiteral("BitBtn4"));
    BitBtn4->setToolTip(tr("Sets the Value"));
    BitBtn4->setAutoDefault(false);

    auto *value = new QWidget(page);
    auto *valueLayout = new QHBoxLayout(value);
    valueLayout->setContentsMargins(0, 0, 0, 0);
    valueLayout->setSpacing(0);
    valueLayout->addWidget(new QLabel(tr("Value: "), value));
    valueLayout->addWidget(Label21, 1);
    valueLayout->addSpacing(6);
    valueLayout->addWidget(BitBtn4);

    grid->addWidget(NewHeading(tr("Created Parameters"), page), 0, 0, 1, 2);
    grid->addWidget(new QLabel(tr("Parameter Name:"), page), 2, 0);
    grid->addWidget(Edit3, 3, 0);
    grid->addWidget(value, 3, 1);
    grid->setRowStretch(4, 1);
    return page;
}

void TQGValueForm::SetRow(const QString &fieldName, const QString &value)
{
    Label3->setText(fieldName);
    Label10->setText(value);
    // The value box is the one being edited: the keys go there.
    Label10->setFocus(Qt::OtherFocusReason);
}

QString TQGValueForm::FieldText() const
{
    return Label3->text();
}

QString TQGValueForm::ValueText() const
{
    return Label10->text();
}

void TQGValueForm::ComboBox1Change(int index)
{
    if (index >= 0)
        Notebook1->setCurrentIndex(index);
}

void TQGValueForm::BitBtn2Click()
{
    Label10->setText(ValuePage->ValueText());
}

void TQGValueForm::Edit3Change(const QString &text)
{
    Label21->setText(ParameterText(text));
    BitBtn4Click();
}

void TQGValueForm::BitBtn4Click()
{
    Label10->setText(Label21->text());
}
