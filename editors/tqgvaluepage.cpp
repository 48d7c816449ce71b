// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgvaluepage.h"

#include "tqgeditordialog.h"
#include "valuetext.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimeEdit>

namespace {

// Every year section outside quoted literals widened to four digits: a short format's "yy"
// would read a typed "03" as 1903.
QString withFourDigitYear(const QString &format)
{
    QString result;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c == u'\'')
            quoted = !quoted;
        if (quoted || c != u'y') {
            result += c;
            ++i;
            continue;
        }
        qsizetype run = 0;
        while (i < format.size() && format.at(i) == u'y') {
            ++run;
            ++i;
        }
        result += QString(qMax<qsizetype>(run, 4), u'y');
    }
    return result;
}

// Removes the time-zone sections (t, tt, ttt, tttt) outside quoted literals.
QString withoutTimeZone(const QString &format)
{
    QString result;
    bool quoted = false;
    for (QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        result += c;
    }
    return result.trimmed();
}

} // namespace

TQGValuePage::TQGValuePage(QWidget *parent)
    : QWidget(parent)
{
    Heading = TQGEditorDialog::NewHeading(tr("Values"), this);

    ComboBox4 = new QComboBox(this);
    ComboBox4->setObjectName(QStringLiteral("ComboBox4"));
    ComboBox4->addItems({tr("Number Value"), tr("String Value"), tr("Date Value"), tr("Time Value"),
                         tr("Logical Value")});
    ComboBox4->setCurrentIndex(NumberValue);

    Notebook2 = new QStackedWidget(this);
    Notebook2->setObjectName(QStringLiteral("Notebook2"));

    Edit1 = new QLineEdit(QStringLiteral("0"), Notebook2);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setAccessibleName(tr("Number"));
    Edit1->installEventFilter(this);
    Notebook2->addWidget(Edit1);

    Edit2 = new QLineEdit(Notebook2);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setAccessibleName(tr("Text"));
    Notebook2->addWidget(Edit2);

    DateTimePicker1 = new QDateEdit(QDate(1998, 7, 19), Notebook2);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setAccessibleName(tr("Date"));
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker1->setDisplayFormat(DateDisplayFormat());
    Notebook2->addWidget(DateTimePicker1);

    DateTimePicker2 = new QTimeEdit(QTime(0, 2, 53), Notebook2);
    DateTimePicker2->setObjectName(QStringLiteral("DateTimePicker2"));
    DateTimePicker2->setAccessibleName(tr("Time"));
    DateTimePicker2->setDisplayFormat(TimeDisplayFormat());
    Notebook2->addWidget(DateTimePicker2);

    auto *logical = new QWidget(Notebook2);
    RadioButton8 = new QRadioButton(tr("True"), logical);
    RadioButton8->setObjectName(QStringLiteral("RadioButton8"));
    RadioButton8->setChecked(true);
    RadioButton9 = new QRadioButton(tr("False"), logical);
    RadioButton9->setObjectName(QStringLiteral("RadioButton9"));
    auto *logicalLayout = new QHBoxLayout(logical);
    logicalLayout->setContentsMargins(2, 0, 0, 0);
    logicalLayout->setSpacing(16);
    logicalLayout->addWidget(RadioButton8);
    logicalLayout->addWidget(RadioButton9);
    logicalLayout->addStretch();
    Notebook2->addWidget(logical);
    Notebook2->setCurrentIndex(NumberValue);
    Notebook2->setFixedHeight(Edit1->sizeHint().height());

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(8, 5, 8, 5);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(2);
    grid->addWidget(Heading, 0, 0, 1, 2);
    grid->setRowMinimumHeight(1, 4);
    grid->addWidget(new QLabel(tr("Value Type"), this), 2, 0);
    grid->addWidget(new QLabel(tr("Value"), this), 2, 1);
    grid->addWidget(ComboBox4, 3, 0);
    grid->addWidget(Notebook2, 3, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);

    // Connected after the initial contents are in place: only the user's changes write.
    connect(ComboBox4, &QComboBox::currentIndexChanged, this, &TQGValuePage::ComboBox4Change);
    connect(Edit1, &QLineEdit::textEdited, this, &TQGValuePage::ValueEdited);
    connect(Edit2, &QLineEdit::textEdited, this, &TQGValuePage::ValueEdited);
    connect(DateTimePicker1, &QDateEdit::dateChanged, this, &TQGValuePage::ValueEdited);
    connect(DateTimePicker2, &QTimeEdit::timeChanged, this, &TQGValuePage::ValueEdited);
    // toggled fires only on a change, so clicking the chosen button writes nothing.
    connect(RadioButton8, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Q_EMIT ValueEdited();
    });
    connect(RadioButton9, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Q_EMIT ValueEdited();
    });
}

QString TQGValuePage::ValueText() const
{
    switch (ComboBox4->currentIndex()) {
    case NumberValue:
        return NumberValueText(Edit1->text());
    case StringValue:
        return StringValueText(Edit2->text());
    case DateValue:
        return DateValueText(DateTimePicker1->date());
    case TimeValue:
        return TimeValueText(DateTimePicker2->time());
    case LogicalValue:
        return LogicalValueText(RadioButton8->isChecked());
    default:
        return QString();
    }
}

void TQGValuePage::ComboBox4Change(int index)
{
    if (index >= 0)
        Notebook2->setCurrentIndex(index);
}

QString TQGValuePage::DateDisplayFormat()
{
    return withFourDigitYear(QLocale().dateFormat(QLocale::ShortFormat));
}

QString TQGValuePage::TimeDisplayFormat()
{
    const QLocale locale;
    const QString shortFormat = locale.timeFormat(QLocale::ShortFormat);
    if (shortFormat.contains(u's'))
        return shortFormat;
    const QString longFormat = withoutTimeZone(locale.timeFormat(QLocale::LongFormat));
    return longFormat.contains(u's') ? longFormat : QStringLiteral("HH:mm:ss");
}

bool TQGValuePage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Edit1 && event->type() == QEvent::FocusOut) {
        // Switching windows or opening a popup is not leaving the edit.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason
            && window()->isVisible())
            Q_EMIT NumberEditLeft();
    }
    return QWidget::eventFilter(watched, event);
}
