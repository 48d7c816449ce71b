// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgsortform.h"

#include "designwords.h"
#include "naming.h"
#include "sqlbuilders.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QHBoxLayout>

TQGSortForm::TQGSortForm(QWidget *parent)
    : TQGEditorDialog(parent, QStringLiteral("TQGSortForm"), tr("Order by Field"), QSize(283, 197),
                      Icon::Sort)
{
    int y = BuildHeader(tr("Sort by Field"));
    const int innerWidth = width() - 2 * kMargin;

    // Table and field side by side, each under its label.
    const int columnWidth = (innerWidth - 9) / 2;
    const int fieldLeft = width() - kMargin - columnWidth;
    auto *tableLabel = new QLabel(tr("Database Table"), this);
    tableLabel->setGeometry(kMargin, y, columnWidth, 15);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setGeometry(kMargin, y + 16, columnWidth, 22);
    tableLabel->setBuddy(ComboBox1);
    auto *fieldLabel = new QLabel(tr("Field"), this);
    fieldLabel->setGeometry(fieldLeft, y, columnWidth, 15);
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setGeometry(fieldLeft, y + 16, columnWidth, 22);
    fieldLabel->setBuddy(ComboBox2);
    y += 16 + 22 + 10;

    BuildButtons(&Button1, &Button2, QStringLiteral("Button1"), QStringLiteral("Button2"));

    RadioGroup1 = new QGroupBox(tr("Sort Order"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(kMargin, y, innerWidth, Button1->y() - 10 - y);
    AscendingButton = new QRadioButton(tr("Ascending"), RadioGroup1);
    AscendingButton->setObjectName(QStringLiteral("RadioGroup1Item0"));
    DescendingButton = new QRadioButton(tr("Descending"), RadioGroup1);
    DescendingButton->setObjectName(QStringLiteral("RadioGroup1Item1"));
    auto *groupLayout = new QHBoxLayout(RadioGroup1);
    groupLayout->setContentsMargins(10, 4, 10, 6);
    groupLayout->setSpacing(24);
    groupLayout->addWidget(AscendingButton);
    groupLayout->addWidget(DescendingButton);
    groupLayout->addStretch();
    AscendingButton->setChecked(true);

    // Escape reaches the dialog first, whichever control has the focus.
    for (QWidget *control : {static_cast<QWidget *>(ComboBox1), static_cast<QWidget *>(ComboBox2),
                             static_cast<QWidget *>(AscendingButton),
                             static_cast<QWidget *>(DescendingButton),
                             static_cast<QWidget *>(Button1), static_cast<QWidget *>(Button2)})
        control->installEventFilter(this);

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TQGSortForm::ComboBox1Change);
    connect(ComboBox2, &QComboBox::currentIndexChanged, this, &TQGSortForm::ComboBox2Change);
    UpdateButton1();
}

void TQGSortForm::SetDesigner(const QList<DesignTable> &canvasTables, const IdentifierStyle &style)
{
    m_tables = canvasTables;
    m_style = style;
}

void TQGSortForm::FillTableList()
{
    const QSignalBlocker tables(ComboBox1);
    const QSignalBlocker fields(ComboBox2);
    ComboBox1->clear();
    for (const DesignTable &table : std::as_const(m_tables))
        ComboBox1->addItem(TableTitle(table.caption, table.alias));
    ComboBox1->setCurrentIndex(-1);
    ComboBox2->clear();
    UpdateButton1();
}

void TQGSortForm::FillFieldList()
{
    const QSignalBlocker fields(ComboBox2);
    ComboBox2->clear();
    const int table = ComboBox1->currentIndex();
    if (table >= 0 && table < m_tables.size())
        ComboBox2->addItems(m_tables.at(table).fields);
    ComboBox2->setCurrentIndex(-1);
    UpdateButton1();
}

void TQGSortForm::SetAscendingColumn(const QString &ascending)
{
    if (IsAscendingWord(ascending))
        AscendingButton->setChecked(true);
    else
        DescendingButton->setChecked(true);
}

QString TQGSortForm::FieldReference() const
{
    const int table = ComboBox1->currentIndex();
    if (table < 0 || table >= m_tables.size())
        return QString();
    return AliasFieldReference(DesignTableAlias(m_tables.at(table)), ComboBox2->currentText(), m_style);
}

QString TQGSortForm::AscendingText() const
{
    return SortWord(AscendingButton->isChecked());
}

bool TQGSortForm::HasFieldChosen() const
{
    return ComboBox1->currentIndex() >= 0 && ComboBox2->currentIndex() >= 0;
}

void TQGSortForm::ComboBox1Change()
{
    FillFieldList();
}

void TQGSortForm::ComboBox2Change()
{
    UpdateButton1();
}

void TQGSortForm::UpdateButton1()
{
    // A row names a field of a table on the canvas; OK waits until both are chosen.
    Button1->setEnabled(HasFieldChosen());
}

bool TQGSortForm::FormKeyPress(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Escape)
        return false;
    reject();
    return true;
}

bool TQGSortForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && FormKeyPress(static_cast<QKeyEvent *>(event)))
        return true;
    return TQGEditorDialog::eventFilter(watched, event);
}

void TQGSortForm::keyPressEvent(QKeyEvent *event)
{
    if (FormKeyPress(event))
        return;
    TQGEditorDialog::keyPressEvent(event);
}
