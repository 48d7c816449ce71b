// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgcomparisonform.h"

#include "designwords.h"
#include "selectforms.h"
#include "messages.h"
#include "naming.h"
#include "sqlbuilders.h"
#include "tqgbrace.h"
#include "tqgvaluepage.h"
#include "valuetext.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTimeEdit>

namespace {

constexpr int kBoxLeft = 87;
constexpr int kBoxWidth = 302;
constexpr int kBoxHeight = 20;
constexpr int kBoxStep = 22;

enum ComparisonPage { DataFieldPage, ValuesPage, DataSourcePage, DesignedParameterPage, OperatorPage };

QGridLayout *newPageGrid(QWidget *page)
{
    auto *grid = new QGridLayout(page);
    grid->setContentsMargins(8, 5, 8, 5);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowMinimumHeight(1, 4);
    return grid;
}

// "Value: " and the parameter label beside it.
QWidget *newParameterValue(QLabel *parameterLabel, QWidget *parent)
{
    auto *row = new QWidget(parent);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(new QLabel(QObject::tr("Value: "), row));
    layout->addWidget(parameterLabel);
    layout->addStretch();
    return row;
}

} // namespace

TQGComparisonForm::TQGComparisonForm(QWidget *parent)
    : TQGEditorDialog(parent, QStringLiteral("TQGComparisonForm"), tr("Comparison/Join Criteria"),
                      QSize(397, 292), Icon::Comparison)
{
    int y = BuildHeader(tr("Comparison/Join Criteria"), tr("Comparison Details"));
    y = BuildBoxes(y);
    y = BuildValueSource(y);
    BuildPages(y);

    BuildButtons(&OKButton, &CancelButton, QStringLiteral("OKButton"), QStringLiteral("CancelButton"));
    // A click on OK or Cancel leaves the focus where it is, so it is not leaving the
    // number edit: its check never stands in the way of closing.
    OKButton->setFocusPolicy(Qt::TabFocus);
    CancelButton->setFocusPolicy(Qt::TabFocus);

    FormCreate();
    ConnectControls();
    SetActiveBox(m_activeBox);
}

int TQGComparisonForm::BuildBoxes(int y)
{
    Label3 = new QLineEdit(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label4 = new QLabel(this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setFrameShape(QFrame::StyledPanel);
    Label4->setFrameShadow(QFrame::Sunken);
    Label4->setIndent(3);
    Label10 = new QLineEdit(this);
    Label10->setObjectName(QStringLiteral("Label10"));
    QFont bold = font();
    bold.setBold(true);
    Label3->setFont(bold);
    Label10->setFont(bold);
    Label3->setAccessibleName(tr("Field"));
    Label4->setAccessibleName(tr("Comparison"));
    Label10->setAccessibleName(tr("Value"));
    const QList<QWidget *> boxes{Label3, Label4, Label10};
    for (int i = 0; i < boxes.size(); ++i) {
        boxes[i]->setGeometry(kBoxLeft, y + i * kBoxStep, kBoxWidth, kBoxHeight);
        boxes[i]->setCursor(Qt::PointingHandCursor);
        // A click, not the keyboard focus, chooses the box being edited.
        boxes[i]->installEventFilter(this);
    }
    Brace = new TQGBrace(this);
    Brace->setGeometry(kBoxLeft - 22, y - 1, 18, 2 * kBoxStep + kBoxHeight + 2);
    return y + 2 * kBoxStep + kBoxHeight + 7;
}

int TQGComparisonForm::BuildValueSource(int y)
{
    ValueSourceLabel = new QLabel(tr("Value Type"), this);
    ValueSourceLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ValueSourceLabel->setGeometry(kMargin, y, kBoxLeft - kMargin - 7, 22);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({tr("Data Field"), tr("Value"), tr("DataSource Parameters"),
                         tr("Designed Parameters")});
    ComboBox1->setGeometry(kBoxLeft, y, 170, 22);
    return y + 22 + 5;
}

void TQGComparisonForm::BuildPages(int y)
{
    Notebook1 = new QStackedWidget(this);
    Notebook1->setObjectName(QStringLiteral("Notebook1"));
    Notebook1->setFrameShape(QFrame::StyledPanel);
    Notebook1->setFrameShadow(QFrame::Sunken);
    Notebook1->setGeometry(kMargin, y, width() - 2 * kMargin, ButtonTop() - 7 - y);

    ValuePage = new TQGValuePage(Notebook1);
    ComboBox4 = ValuePage->ComboBox4;
    Notebook2 = ValuePage->Notebook2;
    Edit1 = ValuePage->Edit1;
    Edit2 = ValuePage->Edit2;
    DateTimePicker1 = ValuePage->DateTimePicker1;
    DateTimePicker2 = ValuePage->DateTimePicker2;
    RadioButton8 = ValuePage->RadioButton8;
    RadioButton9 = ValuePage->RadioButton9;

    Notebook1->addWidget(BuildDataFieldPage());
    Notebook1->addWidget(ValuePage);
    Notebook1->addWidget(BuildDataSourcePage());
    Notebook1->addWidget(BuildDesignedParameterPage());
    Notebook1->addWidget(BuildOperatorPage());
}

void TQGComparisonForm::ConnectControls()
{
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TQGComparisonForm::ComboBox1Change);
    connect(ComboBox2, &QComboBox::currentIndexChanged, this, &TQGComparisonForm::ComboBox2Change);
    connect(ComboBox3, &QComboBox::currentIndexChanged, this, &TQGComparisonForm::ComboBox3Change);
    connect(ComboBoxAggregate, &QComboBox::currentIndexChanged, this, &TQGComparisonForm::ComboBox3Change);
    connect(ComboBox5, &QComboBox::currentIndexChanged, this, &TQGComparisonForm::ComboBox5Change);
    connect(Edit3, &QLineEdit::textEdited, this, &TQGComparisonForm::Edit3Change);
    connect(ValuePage, &TQGValuePage::ValueEdited, this, &TQGComparisonForm::BitBtn2Click);
    // Queued, so that the focus change has finished before the warning takes the focus.
    connect(ValuePage, &TQGValuePage::NumberEditLeft, this, [this] {
        if (isVisible())
            Edit1Exit();
    }, Qt::QueuedConnection);
    for (QRadioButton *choice : {RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5,
                                 RadioButton6, RadioButton7, RadioButton10, RadioButton11}) {
        // toggled fires only on a change: choosing the chosen comparison does nothing.
        connect(choice, &QRadioButton::toggled, this, [this, choice](bool on) {
            if (on)
                ChangeComparisonValue(choice);
        });
    }
}

void TQGComparisonForm::FormCreate()
{
    m_filling = false;
    ComboBox1->setCurrentIndex(DataFieldPage);
    Notebook1->setCurrentIndex(DataFieldPage);
    ComboBox4->setCurrentIndex(TQGValuePage::NumberValue);
}

QWidget *TQGComparisonForm::BuildDataFieldPage()
{
    auto *page = new QWidget(Notebook1);
    QGridLayout *grid = newPageGrid(page);
    ComboBox2 = new QComboBox(page);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox3 = new QComboBox(page);
    ComboBox3->setObjectName(QStringLiteral("ComboBox3"));
    ComboBoxAggregate = new QComboBox(page);
    ComboBoxAggregate->setObjectName(QStringLiteral("ComboBoxAggregate"));
    ComboBoxAggregate->addItem(tr("(none)"), int(TotalKind::None));
    const std::pair<TotalKind, const char *> aggregates[] = {{TotalKind::Count, QT_TR_NOOP("Count")},
                                                             {TotalKind::Sum, QT_TR_NOOP("Sum")},
                                                             {TotalKind::Avg, QT_TR_NOOP("Avg")},
                                                             {TotalKind::Min, QT_TR_NOOP("Min")},
                                                             {TotalKind::Max, QT_TR_NOOP("Max")}};
    for (const auto &[kind, caption] : aggregates)
        ComboBoxAggregate->addItem(tr(caption), int(kind));
    grid->addWidget(NewHeading(tr("Data Field"), page), 0, 0, 1, 3);
    // Each label names its list for the keyboard and for screen readers.
    const std::pair<const char *, QComboBox *> labelled[] = {
        {QT_TR_NOOP("Table Name"), ComboBox2}, {QT_TR_NOOP("Field Name"), ComboBox3}, {QT_TR_NOOP("Total"), ComboBoxAggregate}};
    for (int column = 0; column < 3; ++column) {
        auto *label = new QLabel(tr(labelled[column].first), page);
        label->setBuddy(labelled[column].second);
        grid->addWidget(label, 2, column);
    }
    grid->addWidget(ComboBox2, 3, 0);
    grid->addWidget(ComboBox3, 3, 1);
    grid->addWidget(ComboBoxAggregate, 3, 2);
    grid->setRowStretch(4, 1);
    return page;
}

QWidget *TQGComparisonForm::BuildDataSourcePage()
{
    auto *page = new QWidget(Notebook1);
    QGridLayout *grid = newPageGrid(page);
    auto *heading = new QWidget(page);
    auto *headingLayout = new QHBoxLayout(heading);
    headingLayout->setContentsMargins(0, 0, 0, 0);
    headingLayout->setSpacing(6);
    headingLayout->addWidget(NewHeading(tr("Data Source Fields"), heading));
    headingLayout->addWidget(new QLabel(tr("(dataset must be active to view)"), heading));
    headingLayout->addStretch();
    ComboBox5 = new QComboBox(page);
    ComboBox5->setObjectName(QStringLiteral("ComboBox5"));
    Label17 = new QLabel(tr(":FieldName"), page);
    Label17->setObjectName(QStringLiteral("Label17"));
    grid->addWidget(heading, 0, 0, 1, 2);
    grid->addWidget(new QLabel(tr("Field Name"), page), 2, 0);
    grid->addWidget(ComboBox5, 3, 0);
    grid->addWidget(newParameterValue(Label17, page), 3, 1);
    grid->setRowStretch(4, 1);
    return page;
}

QWidget *TQGComparisonForm::BuildDesignedParameterPage()
{
    auto *page = new QWidget(Notebook1);
    QGridLayout *grid = newPageGrid(page);
    Edit3 = new QLineEdit(page);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    Label21 = new QLabel(tr(":ParameterName"), page);
    Label21->setObjectName(QStringLiteral("Label21"));
    grid->addWidget(NewHeading(tr("Created Parameters"), page), 0, 0, 1, 2);
    grid->addWidget(new QLabel(tr("Parameter Name:"), page), 2, 0);
    grid->addWidget(Edit3, 3, 0);
    grid->addWidget(newParameterValue(Label21, page), 3, 1);
    grid->setRowStretch(4, 1);
    return page;
}

QWidget *TQGComparisonForm::BuildOperatorPage()
{
    auto *page = new QWidget(Notebook1);
    QGridLayout *grid = newPageGrid(page);
    grid->setVerticalSpacing(0);
    grid->setRowMinimumHeight(1, 2);
    grid->addWidget(NewHeading(tr("Comparison Method"), page), 0, 0, 1, 2);

    struct Choice
    {
        QRadioButton **button;
        const char *name;
        QString caption;
        int column;
        int row;
        int tag;  // 1: a null test, which empties the value box
        int stored;  // the Condition column's word, in StoredComparisons
    };
    const Choice choices[] = {
        {&RadioButton1, "RadioButton1", tr("= (Equals)"), 0, 1, 0, 0},
        {&RadioButton2, "RadioButton2", tr("<= (Less Than or Equals)"), 0, 3, 0, 1},
        {&RadioButton3, "RadioButton3", tr("< (Less Than)"), 0, 2, 0, 2},
        {&RadioButton4, "RadioButton4", QStringLiteral("like "), 0, 4, 0, 3},
        {&RadioButton5, "RadioButton5", tr("> (Greater Than)"), 1, 1, 0, 4},
        {&RadioButton6, "RadioButton6", tr("<> (Not Equal)"), 1, 3, 0, 5},
        {&RadioButton7, "RadioButton7", tr(">= (Greater Than or Equals)"), 1, 2, 0, 6},
        {&RadioButton10, "RadioButton10", QStringLiteral("IS NULL"), 1, 4, 1, 7},
        {&RadioButton11, "RadioButton11", QStringLiteral("IS NOT NULL"), 0, 5, 1, 8},
    };
    QWidget *previous = nullptr;
    for (const Choice &choice : choices) {
        auto *button = new QRadioButton(choice.caption, page);
        button->setObjectName(QString::fromLatin1(choice.name));
        button->setProperty("tag", choice.tag);
        // The caption may be translated; the row stores the comparison's own word.
        button->setProperty("condition", QString(StoredComparisons[choice.stored]));
        grid->addWidget(button, choice.row + 1, choice.column);
        if (previous)
            QWidget::setTabOrder(previous, button);
        previous = button;
        *choice.button = button;
    }
    RadioButton1->setChecked(true);
    grid->setRowStretch(7, 1);
    return page;
}

void TQGComparisonForm::SetDesigner(const QList<DesignTable> &canvasTables,
                                    const IdentifierStyle &style,
                                    const QStringList &masterDataSourceFields,
                                    bool hasMasterDataSource)
{
    m_tables = canvasTables;
    m_style = style;
    m_masterFields = masterDataSourceFields;
    m_hasMasterDataSource = hasMasterDataSource;
}

void TQGComparisonForm::SetRow(const QString &fieldName, const QString &condition,
                               const QString &value)
{
    m_givenField = fieldName;
    Label3->setText(fieldName);
    Label4->setText(condition);
    Label10->setText(value);
}

void TQGComparisonForm::Prepare()
{
    SetFilling(true);
    FillTableList();
    FillDataSourceFieldList();
    SetFilling(false);
    Label10Click();
}

QString TQGComparisonForm::FieldText() const
{
    return Label3->text();
}

QString TQGComparisonForm::OperatorText() const
{
    return Label4->text();
}

QString TQGComparisonForm::ValueText() const
{
    return Label10->text();
}

bool TQGComparisonForm::IsNullChosen() const
{
    return RadioButton10->isChecked();
}

void TQGComparisonForm::FillTableList()
{
    // Filling a list moves its current item; that is not the user's choice.
    const QSignalBlocker tables(ComboBox2);
    const QSignalBlocker fields(ComboBox3);
    ComboBox2->clear();
    for (const DesignTable &table : std::as_const(m_tables))
        ComboBox2->addItem(TableTitle(table.caption, table.alias));
    ComboBox2->setCurrentIndex(-1);
    ComboBox3->clear();
}

void TQGComparisonForm::FillFieldList()
{
    const QSignalBlocker fields(ComboBox3);
    ComboBox3->clear();
    const bool wasFilling = m_filling;
    m_filling = true;
    const int table = ComboBox2->currentIndex();
    if (table >= 0 && table < m_tables.size())
        ComboBox3->addItems(m_tables.at(table).fields);
    ComboBox3->setCurrentIndex(-1);
    m_filling = wasFilling;
}

void TQGComparisonForm::FillDataSourceFieldList()
{
    const QSignalBlocker blocker(ComboBox5);
    ComboBox5->clear();
    if (!m_hasMasterDataSource)
        return;
    ComboBox5->addItems(m_masterFields);
    ComboBox5->setCurrentIndex(-1);
}

QLineEdit *TQGComparisonForm::TargetBox() const
{
    return m_activeBox == Box::Field ? Label3 : Label10;
}

void TQGComparisonForm::SetActiveBox(Box box)
{
    m_activeBox = box;
    PaintBox(Label3, box == Box::Field);
    PaintBox(Label4, box == Box::Operator);
    PaintBox(Label10, box == Box::Value);
    // The keys go where the dialog shows they go.
    if (box == Box::Operator) {
        for (QRadioButton *choice : {RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5,
                                     RadioButton6, RadioButton7, RadioButton10, RadioButton11}) {
            if (choice && choice->isChecked())
                choice->setFocus(Qt::OtherFocusReason);
        }
    } else {
        TargetBox()->setFocus(Qt::OtherFocusReason);
    }
}

bool TQGComparisonForm::NamesDesignField(const QString &text) const
{
    const QString field = text.trimmed();
    if (!field.isEmpty() && field == m_givenField.trimmed())
        return true;  // as the row had it: a row read from a statement may hold an expression
    // A value may stand on the left too ('x' = clients.Town), as the Value page writes it.
    if (IsValidNumber(field) || field.startsWith(u':') || (field.size() >= 2 && field.startsWith(u'\'')
                                                            && field.endsWith(u'\'')))
        return true;
    for (const char *word : {"NULL", "TRUE", "FALSE"}) {
        if (field.compare(QLatin1String(word), Qt::CaseInsensitive) == 0)
            return true;
    }
    const QStringList aliases = TableAliases(m_tables);
    for (qsizetype t = 0; t < m_tables.size(); ++t) {
        for (const QString &name : m_tables.at(t).fields) {
            const QString reference = AliasFieldReference(aliases.at(t), name, m_style);
            for (int kind = int(TotalKind::None); kind <= int(TotalKind::Max); ++kind) {
                if (field == TotalExpression(TotalKind(kind), reference))
                    return true;
            }
        }
    }
    return false;
}

void TQGComparisonForm::done(int result)
{
    if (result == Accepted && !NamesDesignField(FieldText())) {
        VdqMessages::Warning(this, tr("Warning"),
                             tr("%1 is not a field of a table in the design. Choose the field from the "
                                "Data Field list, or correct its name.")
                                 .arg(FieldText()));
        Label3Click();
        return;
    }
    TQGEditorDialog::done(result);
}

void TQGComparisonForm::Label3Click()
{
    SetActiveBox(Box::Field);
    ValueSourceLabel->show();
    ComboBox1->show();
    Notebook1->setCurrentIndex(DataFieldPage);
}

void TQGComparisonForm::Label4Click()
{
    SetActiveBox(Box::Operator);
    ValueSourceLabel->hide();
    ComboBox1->hide();
    Notebook1->setCurrentIndex(OperatorPage);
}

void TQGComparisonForm::Label10Click()
{
    SetActiveBox(Box::Value);
    ValueSourceLabel->show();
    ComboBox1->show();
    Notebook1->setCurrentIndex(DataFieldPage);
}

void TQGComparisonForm::ComboBox1Change(int index)
{
    if (index >= 0)
        Notebook1->setCurrentIndex(index);
}

void TQGComparisonForm::ComboBox2Change()
{
    if (!m_filling)
        FillFieldList();
}

void TQGComparisonForm::ComboBox3Change()
{
    if (m_filling || ComboBox3->currentText().isEmpty())
        return;
    const int table = ComboBox2->currentIndex();
    if (table < 0 || table >= m_tables.size())
        return;
    const QString reference = AliasFieldReference(DesignTableAlias(m_tables.at(table)), ComboBox3->currentText(), m_style);
    TargetBox()->setText(TotalExpression(TotalKind(ComboBoxAggregate->currentData().toInt()), reference));
}

void TQGComparisonForm::BitBtn2Click()
{
    TargetBox()->setText(ValuePage->ValueText());
}

void TQGComparisonForm::Edit1Exit()
{
    if (IsValidNumber(Edit1->text()))
        return;
    VdqMessages::Warning(this, tr("Warning"), tr("You must enter a valid number."));
    Edit1->setFocus(Qt::OtherFocusReason);
}

void TQGComparisonForm::ComboBox5Change()
{
    if (ComboBox5->currentIndex() < 0)
        return;
    Label17->setText(ParameterText(ComboBox5->currentText()));
    TargetBox()->setText(Label17->text());
}

void TQGComparisonForm::Edit3Change(const QString &text)
{
    Label21->setText(ParameterText(text));
    TargetBox()->setText(Label21->text());
}

void TQGComparisonForm::ChangeComparisonValue(QRadioButton *choice)
{
    Label4->setText(choice->property("condition").toString());
    if (choice->property("tag").toInt() != 0)
        Label10->clear();
}

bool TQGComparisonForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == Label3)
            Label3Click();
        else if (watched == Label4)
            Label4Click();
        else if (watched == Label10)
            Label10Click();
    }
    return TQGEditorDialog::eventFilter(watched, event);
}
