// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "messages.h"
#include "tqgbrace.h"
#include "tqgcomparisonform.h"
#include "valuetext.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimeEdit>
#include <QTimer>
#include <QtTest>
#include <QApplication>

namespace {

struct Message
{
    VdqMessages::Kind kind;
    QString title;
    QString text;
};

QList<DesignTable> canvas()
{
    return {
        {QStringLiteral("CLIENTS.DB"), {QStringLiteral("ClientNo"), QStringLiteral("Name"), QStringLiteral("Town")},
         {true, true, true}, {}},
        {QStringLiteral("2nd order.db"), {QStringLiteral("Cust No"), QStringLiteral("Qty")}, {true, false}, {}},
    };
}

bool painted(QWidget *box, const QColor &back, const QColor &text)
{
    const QPalette p = box->palette();
    return p.color(QPalette::Active, QPalette::Base) == back
        && p.color(QPalette::Active, QPalette::Window) == back
        && p.color(QPalette::Active, QPalette::Text) == text
        && p.color(QPalette::Active, QPalette::WindowText) == text;
}

bool active(TQGComparisonForm &form, QWidget *box)
{
    const QPalette p = form.palette();
    return painted(box, p.color(QPalette::Active, QPalette::Highlight),
                   p.color(QPalette::Active, QPalette::HighlightedText));
}

bool inactive(QWidget *box)
{
    return painted(box, TQGEditorDialog::InactiveCaptionColor(),
                   TQGEditorDialog::InactiveCaptionTextColor());
}

// A dialog opened on a row as the designer opens it.
void open(TQGComparisonForm &form, const QString &field, const QString &condition,
          const QString &value, const IdentifierStyle &style = IdentifierStyle(),
          const QStringList &masterFields = QStringList(), bool hasMaster = false)
{
    form.SetDesigner(canvas(), style, masterFields, hasMaster);
    form.SetRow(field, condition, value);
    form.Prepare();
}

} // namespace

class TestComparisonForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void window();
    void initialContents();
    void operatorChoices_data();
    void operatorChoices();
    void okIsTheDefaultButton();
    void openingOnNewRow();
    void operatorBoxKeepsRowOperator();
    void activeBoxColoursAndPages();
    void boxClickKeepsValueSource();
    void onlyMouseClickActivates();
    void choosingTableWritesNothingFieldWritesReference();
    void fieldChoiceGoesToFieldBoxAfterClick();
    void fieldReference_data();
    void fieldReference();
    void sameTableTwice();
    void fillingSuppressesTableChange();
    void valueTypeSelectionWritesNothing();
    void stringValue_data();
    void stringValue();
    void numberKeptAsTyped();
    void dateAndTimeValues();
    void logicalWritesOnlyOnChange();
    void dataSourceParameter();
    void noMasterDataSource();
    void designedParameter();
    void nullTestsEmptyValueBox_data();
    void nullTestsEmptyValueBox();
    void chosenOperatorDoesNotFire();
    void numberCheck_data();
    void numberCheck();
    void leavingNumberEditWarnsAndRefocuses();
    void okNotBlockedByNumberCheck();
    void keysGoToTheShownBox_data();
    void keysGoToTheShownBox();

private:
    QList<Message> m_messages;
};

void TestComparisonForm::init()
{
    m_messages.clear();
    VdqMessages::SetHook([this](VdqMessages::Kind kind, const QString &title, const QString &text) {
        m_messages.append({kind, title, text});
    });
}

void TestComparisonForm::cleanup()
{
    VdqMessages::SetHook(nullptr);
}

void TestComparisonForm::window()
{
    // The dialog reads as the host does: in the host's font, not one of its own.
    const QFont hostFont = QApplication::font();
    QFont large(QStringLiteral("DejaVu Serif"), 11);
    QApplication::setFont(large);
    TQGComparisonForm form;
    QApplication::setFont(hostFont);
    QCOMPARE(form.objectName(), QStringLiteral("TQGComparisonForm"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Comparison/Join Criteria"));
    QCOMPARE(form.size(), QSize(397, 292));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QCOMPARE(form.font().family(), large.family());
    QCOMPARE(form.font().pointSize(), 11);
    for (QWidget *box : {static_cast<QWidget *>(form.Label3), static_cast<QWidget *>(form.Label4),
                         static_cast<QWidget *>(form.Label10)}) {
        QCOMPARE(box->width(), 302);
        QCOMPARE(box->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(box->x() > form.Brace->geometry().right());
    }
    QVERIFY(form.Label3->font().bold());
    QVERIFY(form.Label10->font().bold());
    QVERIFY(form.Label3->y() < form.Label4->y() && form.Label4->y() < form.Label10->y());
    QCOMPARE(form.Notebook1->count(), 5);
    QCOMPARE(form.findChild<QLineEdit *>(QStringLiteral("Label10")), form.Label10);
    QCOMPARE(form.findChild<QStackedWidget *>(QStringLiteral("Notebook2")), form.Notebook2);
    QCOMPARE(form.findChild<QRadioButton *>(QStringLiteral("RadioButton11")), form.RadioButton11);
    QCOMPARE(form.findChild<QLabel *>(QStringLiteral("Label21")), form.Label21);
    QVERIFY(form.DateTimePicker1->calendarPopup());
}

void TestComparisonForm::initialContents()
{
    TQGComparisonForm form;
    QCOMPARE(form.Filling(), false);
    const QStringList sources{QStringLiteral("Data Field"), QStringLiteral("Value"),
                              QStringLiteral("DataSource Parameters"), QStringLiteral("Designed Parameters")};
    QCOMPARE(form.ComboBox1->count(), sources.size());
    for (int i = 0; i < sources.size(); ++i)
        QCOMPARE(form.ComboBox1->itemText(i), sources.at(i));
    QCOMPARE(form.ComboBox1->currentIndex(), 0);
    const QStringList types{QStringLiteral("Number Value"), QStringLiteral("String Value"),
                            QStringLiteral("Date Value"), QStringLiteral("Time Value"),
                            QStringLiteral("Logical Value")};
    QCOMPARE(form.ComboBox4->count(), types.size());
    for (int i = 0; i < types.size(); ++i)
        QCOMPARE(form.ComboBox4->itemText(i), types.at(i));
    QCOMPARE(form.ComboBox4->currentIndex(), 0);
    QCOMPARE(form.Notebook2->currentIndex(), 0);
    QCOMPARE(form.Edit1->text(), QStringLiteral("0"));
    QCOMPARE(form.Edit2->text(), QString());
    QCOMPARE(form.DateTimePicker1->date(), QDate(1998, 7, 19));
    QCOMPARE(form.DateTimePicker2->time(), QTime(0, 2, 53));
    QVERIFY(form.RadioButton8->isChecked());
    QVERIFY(!form.RadioButton9->isChecked());
    QCOMPARE(form.RadioButton8->text(), QStringLiteral("True"));
    QCOMPARE(form.RadioButton9->text(), QStringLiteral("False"));
    QCOMPARE(form.Label17->text(), QStringLiteral(":FieldName"));
    QCOMPARE(form.Label21->text(), QStringLiteral(":ParameterName"));
    QVERIFY(form.RadioButton1->isChecked());
    QCOMPARE(form.Label3->text(), QString());
    QCOMPARE(form.Label4->text(), QString());
    QCOMPARE(form.Label10->text(), QString());
}

void TestComparisonForm::operatorChoices_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("tag");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("tabPosition");
    QTest::newRow("equals") << "RadioButton1" << "= (Equals)" << 0 << 0 << 1 << 0;
    QTest::newRow("less or equal") << "RadioButton2" << "<= (Less Than or Equals)" << 0 << 0 << 3 << 1;
    QTest::newRow("less") << "RadioButton3" << "< (Less Than)" << 0 << 0 << 2 << 2;
    QTest::newRow("like") << "RadioButton4" << "like " << 0 << 0 << 4 << 3;
    QTest::newRow("greater") << "RadioButton5" << "> (Greater Than)" << 0 << 1 << 1 << 4;
    QTest::newRow("not equal") << "RadioButton6" << "<> (Not Equal)" << 0 << 1 << 3 << 5;
    QTest::newRow("greater or equal") << "RadioButton7" << ">= (Greater Than or Equals)" << 0 << 1 << 2 << 6;
    QTest::newRow("is null") << "RadioButton10" << "IS NULL" << 1 << 1 << 4 << 7;
    QTest::newRow("is not null") << "RadioButton11" << "IS NOT NULL" << 1 << 0 << 5 << 8;
}

void TestComparisonForm::operatorChoices()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(int, tag);
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(int, tabPosition);
    TQGComparisonForm form;
    auto *button = form.findChild<QRadioButton *>(name);
    QVERIFY(button);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->property("tag").toInt(), tag);
    QCOMPARE(button->parentWidget(), form.Notebook1->widget(4));

    // Column and row relative to the first choice of the grid.
    auto *grid = qobject_cast<QGridLayout *>(button->parentWidget()->layout());
    QVERIFY(grid);
    int r = 0, c = 0, rs = 0, cs = 0, r1 = 0;
    grid->getItemPosition(grid->indexOf(button), &r, &c, &rs, &cs);
    grid->getItemPosition(grid->indexOf(form.RadioButton1), &r1, &c, &rs, &cs);
    grid->getItemPosition(grid->indexOf(button), &r, &c, &rs, &cs);
    QCOMPARE(c, column);
    QCOMPARE(r - r1 + 1, row);

    // Tab order as listed: follow nextInFocusChain from the first choice.
    QWidget *w = form.RadioButton1;
    const QList<QRadioButton *> order{form.RadioButton1, form.RadioButton2, form.RadioButton3,
                                      form.RadioButton4, form.RadioButton5, form.RadioButton6,
                                      form.RadioButton7, form.RadioButton10, form.RadioButton11};
    for (int i = 0; i < tabPosition; ++i) {
        do
            w = w->nextInFocusChain();
        while (!order.contains(qobject_cast<QRadioButton *>(w)));
    }
    QCOMPARE(w, static_cast<QWidget *>(button));
}

void TestComparisonForm::okIsTheDefaultButton()
{
    TQGComparisonForm form;
    QCOMPARE(form.OKButton->text(), QStringLiteral("OK"));
    QCOMPARE(form.CancelButton->text(), QStringLiteral("Cancel"));
    QVERIFY(form.OKButton->isDefault());
    QVERIFY(!form.CancelButton->isDefault());
    for (QPushButton *button : {form.OKButton, form.CancelButton})
        QVERIFY(!button->autoDefault());
    QVERIFY(form.OKButton->x() < form.CancelButton->x());
    QVERIFY(form.CancelButton->geometry().right() < form.width());
    QVERIFY(form.CancelButton->geometry().bottom() < form.height());
}

void TestComparisonForm::openingOnNewRow()
{
    TQGComparisonForm form;
    open(form, QStringLiteral("CLIENTS_DB.Town"), QStringLiteral("="), QString());
    QCOMPARE(form.FieldText(), QStringLiteral("CLIENTS_DB.Town"));
    QCOMPARE(form.OperatorText(), QStringLiteral("="));
    QCOMPARE(form.ValueText(), QString());
    QCOMPARE(form.ActiveBox(), TQGComparisonForm::Box::Value);
    QCOMPARE(form.Filling(), false);
    QCOMPARE(form.Notebook1->currentIndex(), 0);
    QCOMPARE(form.ComboBox2->count(), 2);
    QCOMPARE(form.ComboBox2->itemText(0), QStringLiteral("CLIENTS.DB"));
    QCOMPARE(form.ComboBox2->itemText(1), QStringLiteral("2nd order.db"));
    QCOMPARE(form.ComboBox2->currentIndex(), -1);
    QCOMPARE(form.ComboBox3->count(), 0);
    QVERIFY(active(form, form.Label10));
    QVERIFY(inactive(form.Label3));
    QVERIFY(inactive(form.Label4));
}

void TestComparisonForm::operatorBoxKeepsRowOperator()
{
    TQGComparisonForm form;
    open(form, QStringLiteral("CLIENTS_DB.Town"), QStringLiteral("<> (Not Equal)"), QStringLiteral("'X'"));
    // The choices are not set from the row.
    QVERIFY(form.RadioButton1->isChecked());
    QCOMPARE(form.OperatorText(), QStringLiteral("<> (Not Equal)"));
    QCOMPARE(form.IsNullChosen(), false);
}

void TestComparisonForm::activeBoxColoursAndPages()
{
    TQGComparisonForm form;
    open(form, QStringLiteral("CLIENTS_DB.Town"), QStringLiteral("="), QString());

    form.Label3Click();
    QCOMPARE(form.ActiveBox(), TQGComparisonForm::Box::Field);
    QVERIFY(active(form, form.Label3));
    QVERIFY(inactive(form.Label4));
    QVERIFY(inactive(form.Label10));
    QCOMPARE(form.Notebook1->currentIndex(), 0);
    QVERIFY(!form.ComboBox1->isHidden());
    QVERIFY(!form.ValueSourceLabel->isHidden());

    form.Label4Click();
    QCOMPARE(form.ActiveBox(), TQGComparisonForm::Box::Operator);
    QVERIFY(active(form, form.Label4));
    QVERIFY(inactive(form.Label3));
    QVERIFY(inactive(form.Label10));
    QCOMPARE(form.Notebook1->currentIndex(), 4);
    QVERIFY(form.ComboBox1->isHidden());
    QVERIFY(form.ValueSourceLabel->isHidden());
    QCOMPARE(form.ValueSourceLabel->text(), QStringLiteral("Value Type"));

    form.Label10Click();
    QCOMPARE(form.ActiveBox(), TQGComparisonForm::Box::Value);
    QVERIFY(active(form, form.Label10));
    QVERIFY(inactive(form.Label3));
    QVERIFY(inactive(form.Label4));
    QCOMPARE(form.Notebook1->currentIndex(), 0);
    QVERIFY(!form.ComboBox1->isHidden());
    QVERIFY(!form.ValueSourceLabel->isHidden());

    // Box clicks write nothing.
    QCOMPARE(form.FieldText(), QStringLiteral("CLIENTS_DB.Town"));
    QCOMPARE(form.OperatorText(), QStringLiteral("="));
    QCOMPARE(form.ValueText(), QString());
}

void TestComparisonForm::boxClickKeepsValueSource()
{
    TQGComparisonForm form;
    open(form, QString(), QStringLiteral("="), QStringLiteral("1"));
    form.ComboBox1->setCurrentIndex(3);
    QCOMPARE(form.Notebook1->currentIndex(), 3);
    form.Label3Click();
    QCOMPARE(form.ComboBox1->currentIndex(), 3);
    QCOMPARE(form.Notebook1->currentIndex(), 0);
    form.ComboBox1->setCurrentIndex(2);
    QCOMPARE(form.Notebook1->currentIndex(), 2);
    QCOMPARE(form.ValueText(), QStringLiteral("1"));
}

void TestComparisonForm::onlyMouseClickActivates()
{
    TQGComparisonForm form;
    open(form, QStringLiteral("CLIENTS_DB.Town"), QStringLiteral("="), QStringLiteral("old"));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    QTest::mouseClick(form.Label3, Qt::LeftButton);
    QCOMPARE(form.ActiveBox(), TQGComparisonForm::Box::Field);
    QVERIFY(active(form, form.Label3));

    // The keyboard focus moving into the value box changes nothing.
    form.Label10->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(form.Label10->hasFocus());
    QCOMPARE(form.ActiveBox(), TQGComparisonForm::Box::Field);
    // Typing changes only the box typed in.
    QTest::keyClick(form.Label10, Qt::Key_End);
    QTest::keyClicks(form.Label10, QStringLiteral("X"));
    QCOMPARE(form.ValueText(), QStringLiteral("oldX"));
    QCOMPARE(form.FieldText(), QStringLiteral("CLIENTS_DB.Town"));
    QCOMPARE(form.ActiveBox(), TQGComparisonForm::Box::Field);

    QTest::mouseClick(form.Label4, Qt::LeftButton);
    QCOMPARE(form.ActiveBox(), TQGComparisonForm::Box::Operator);
    QCOMPARE(form.Notebook1->currentIndex(), 4);
    QTest::mouseClick(form.Label10, Qt::RightButton);
    QCOMPARE(form.ActiveBox(), TQGComparisonForm::Box::Operator);
    QTest::mouseClick(form.Label10, Qt::LeftButton);
    QCOMPARE(form.ActiveBox(), TQGComparisonForm::Box::Value);
    QCOMPARE(form.Notebook1->currentIndex(), 0);
}

void TestComparisonForm::choosingTableWritesNothingFieldWritesReference()
{
    TQGComparisonForm form;
    open(form, QStringLiteral("CLIENTS_DB.Town"), QStringLiteral("="), QStringLiteral("old"));
    form.ComboBox2->setCurrentIndex(0);
    QCOMPARE(form.ValueText(), QStringLiteral("old"));
    QCOMPARE(form.FieldText(), QStringLiteral("CLIENTS_DB.Town"));
    QCOMPARE(form.ComboBox3->count(), 3);
    QCOMPARE(form.ComboBox3->itemText(0), QStringLiteral("ClientNo"));
    QCOMPARE(form.ComboBox3->itemText(2), QStringLiteral("Town"));
    QCOMPARE(form.ComboBox3->currentIndex(), -1);

    form.ComboBox3->setCurrentIndex(1);
    QCOMPARE(form.ValueText(), QStringLiteral("CLIENTS_DB.Name"));
    QCOMPARE(form.FieldText(), QStringLiteral("CLIENTS_DB.Town"));

    // Another table refills the field list and still writes nothing.
    form.ComboBox2->setCurrentIndex(1);
    QCOMPARE(form.ComboBox3->count(), 2);
    QCOMPARE(form.ComboBox3->currentIndex(), -1);
    QCOMPARE(form.ValueText(), QStringLiteral("CLIENTS_DB.Name"));
    form.ComboBox3->setCurrentIndex(1);
    QCOMPARE(form.ValueText(), QStringLiteral("_2nd_order_db.Qty"));
}

void TestComparisonForm::fieldChoiceGoesToFieldBoxAfterClick()
{
    TQGComparisonForm form;
    open(form, QString(), QStringLiteral("="), QStringLiteral("5"));
    form.Label3Click();
    form.ComboBox2->setCurrentIndex(0);
    form.ComboBox3->setCurrentIndex(0);
    QCOMPARE(form.FieldText(), QStringLiteral("CLIENTS_DB.ClientNo"));
    QCOMPARE(form.ValueText(), QStringLiteral("5"));
    // With the operator box active the value box is the target.
    form.Label4Click();
    form.Label10Click();
    form.ComboBox3->setCurrentIndex(2);
    QCOMPARE(form.ValueText(), QStringLiteral("CLIENTS_DB.Town"));
    QCOMPARE(form.FieldText(), QStringLiteral("CLIENTS_DB.ClientNo"));
}

void TestComparisonForm::fieldReference_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("quote");
    QTest::addColumn<int>("dialect");
    QTest::addColumn<QString>("reference");
    const int sqlite = int(SqlDialect::SQLite), pg = int(SqlDialect::PostgreSQL),
              mysql = int(SqlDialect::MySQL);
    QTest::newRow("quoted") << "2nd order.db" << "Cust No" << true << sqlite << "_2nd_order_db.\"Cust No\"";
    // A blank cannot stand bare, so the engine's quote is used even without the flag.
    QTest::newRow("unflagged blank") << "2nd order.db" << "Cust No" << false << sqlite
                                     << "_2nd_order_db.\"Cust No\"";
    QTest::newRow("plain unquoted") << "2nd order.db" << "Qty" << false << sqlite << "_2nd_order_db.Qty";
    QTest::newRow("plain quoted") << "2nd order.db" << "Qty" << true << sqlite << "_2nd_order_db.\"Qty\"";
    QTest::newRow("upper case on PostgreSQL") << "2nd order.db" << "Qty" << false << pg
                                              << "_2nd_order_db.\"Qty\"";
    QTest::newRow("MySQL quote") << "2nd order.db" << "Cust No" << false << mysql << "_2nd_order_db.`Cust No`";
}

void TestComparisonForm::fieldReference()
{
    QFETCH(QString, table);
    QFETCH(QString, field);
    QFETCH(bool, quote);
    QFETCH(int, dialect);
    QFETCH(QString, reference);
    TQGComparisonForm form;
    open(form, QString(), QStringLiteral("="), QString(), IdentifierStyle{quote, SqlDialect(dialect)});
    form.ComboBox2->setCurrentIndex(form.ComboBox2->findText(table));
    form.ComboBox3->setCurrentIndex(form.ComboBox3->findText(field));
    QCOMPARE(form.ValueText(), reference);
}

void TestComparisonForm::sameTableTwice()
{
    TQGComparisonForm form;
    const QList<DesignTable> tables{
        {QStringLiteral("A"), {QStringLiteral("x"), QStringLiteral("y")}, {true, false}, {}},
        {QStringLiteral("B"), {QStringLiteral("b")}, {true}, {}},
        {QStringLiteral("A"), {QStringLiteral("z")}, {false}, {}, QStringLiteral("A_1")},
        {QStringLiteral("a"), {QStringLiteral("lower")}, {true}, {}, QStringLiteral("a_2")},
    };
    form.SetDesigner(tables, IdentifierStyle(), {}, false);
    form.SetRow(QString(), QStringLiteral("="), QString());
    form.Prepare();
    QCOMPARE(form.ComboBox2->count(), 4);
    QCOMPARE(form.ComboBox2->itemText(0), QStringLiteral("A"));
    QCOMPARE(form.ComboBox2->itemText(2), QStringLiteral("A (A_1)"));
    // Each window gives its own fields, named through its own alias.
    form.ComboBox2->setCurrentIndex(2);
    QCOMPARE(form.ComboBox3->count(), 1);
    QCOMPARE(form.ComboBox3->itemText(0), QStringLiteral("z"));
    QCOMPARE(form.Filling(), false);
    form.ComboBox3->setCurrentIndex(0);
    QCOMPARE(form.ValueText(), QStringLiteral("A_1.z"));
}

void TestComparisonForm::fillingSuppressesTableChange()
{
    TQGComparisonForm form;
    open(form, QString(), QStringLiteral("="), QStringLiteral("v"));
    form.SetFilling(true);
    form.ComboBox2->setCurrentIndex(0);
    QCOMPARE(form.ComboBox3->count(), 0);
    form.FillFieldList();
    QCOMPARE(form.ComboBox3->count(), 3);
    QCOMPARE(form.Filling(), true);
    form.ComboBox3->setCurrentIndex(0);
    QCOMPARE(form.ValueText(), QStringLiteral("v"));
    form.SetFilling(false);
    form.ComboBox3->setCurrentIndex(1);
    QCOMPARE(form.ValueText(), QStringLiteral("CLIENTS_DB.Name"));
    // Refilling the lists writes nothing and leaves nothing chosen.
    form.FillTableList();
    QCOMPARE(form.ComboBox2->currentIndex(), -1);
    QCOMPARE(form.ComboBox3->count(), 0);
    QCOMPARE(form.ValueText(), QStringLiteral("CLIENTS_DB.Name"));
}

void TestComparisonForm::valueTypeSelectionWritesNothing()
{
    TQGComparisonForm form;
    open(form, QString(), QStringLiteral("="), QStringLiteral("keep"));
    form.ComboBox1->setCurrentIndex(1);
    QCOMPARE(form.Notebook1->currentIndex(), 1);
    for (int type = 0; type < 5; ++type) {
        form.ComboBox4->setCurrentIndex(type);
        QCOMPARE(form.Notebook2->currentIndex(), type);
        QCOMPARE(form.ValueText(), QStringLiteral("keep"));
    }
    form.ComboBox1->setCurrentIndex(2);
    form.ComboBox1->setCurrentIndex(3);
    QCOMPARE(form.ValueText(), QStringLiteral("keep"));
}

void TestComparisonForm::stringValue_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("double quote inside") << "a\"b" << "'a\"b'";
    QTest::newRow("single quote doubled") << "O'Brien" << "'O''Brien'";
    QTest::newRow("plain") << "London" << "'London'";
}

void TestComparisonForm::stringValue()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    TQGComparisonForm form;
    open(form, QStringLiteral("CLIENTS_DB.Name"), QStringLiteral("="), QString());
    form.ComboBox1->setCurrentIndex(1);
    form.ComboBox4->setCurrentIndex(1);
    QTest::keyClicks(form.Edit2, typed);
    QCOMPARE(form.ValueText(), written);
    // Into the field box while it is active.
    form.Label3Click();
    QCOMPARE(form.Notebook1->currentIndex(), 0);
    form.ComboBox1->setCurrentIndex(0);
    form.ComboBox1->setCurrentIndex(1);
    QCOMPARE(form.Notebook1->currentIndex(), 1);
    QTest::keyClick(form.Edit2, Qt::Key_End);
    QTest::keyClicks(form.Edit2, QStringLiteral("!"));
    QCOMPARE(form.FieldText(), StringValueText(typed + u'!'));
    QCOMPARE(form.ValueText(), written);
}

void TestComparisonForm::numberKeptAsTyped()
{
    TQGComparisonForm form;
    open(form, QString(), QStringLiteral("="), QString());
    form.ComboBox1->setCurrentIndex(1);
    form.Edit1->selectAll();
    QTest::keyClicks(form.Edit1, QStringLiteral("007"));
    QCOMPARE(form.ValueText(), QStringLiteral("007"));
    QCOMPARE(m_messages.size(), 0);
}

void TestComparisonForm::dateAndTimeValues()
{
    TQGComparisonForm form;
    open(form, QString(), QStringLiteral("="), QString());
    form.ComboBox1->setCurrentIndex(1);
    form.ComboBox4->setCurrentIndex(2);
    QCOMPARE(form.ValueText(), QString());
    form.DateTimePicker1->setDate(QDate(2003, 1, 5));
    QCOMPARE(form.ValueText(), QStringLiteral("'2003-01-05'"));

    form.ComboBox4->setCurrentIndex(3);
    QCOMPARE(form.ValueText(), QStringLiteral("'2003-01-05'"));
    form.DateTimePicker2->setTime(QTime::fromString(QStringLiteral("2:05:09 pm"), QStringLiteral("h:mm:ss ap")));
    QCOMPARE(form.ValueText(), QStringLiteral("'14:05:09'"));
    // The pickers show the system's formats; the time keeps its seconds.
    QCOMPARE(form.DateTimePicker1->displayFormat(), QLocale::system().dateFormat(QLocale::ShortFormat));
    QVERIFY(form.DateTimePicker2->displayFormat().contains(u's'));
}

void TestComparisonForm::logicalWritesOnlyOnChange()
{
    TQGComparisonForm form;
    open(form, QString(), QStringLiteral("="), QStringLiteral("keep"));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.ComboBox1->setCurrentIndex(1);
    form.ComboBox4->setCurrentIndex(4);
    QCOMPARE(form.ValueText(), QStringLiteral("keep"));
    QTest::mouseClick(form.RadioButton8, Qt::LeftButton);
    QVERIFY(form.RadioButton8->isChecked());
    QCOMPARE(form.ValueText(), QStringLiteral("keep"));
    QTest::mouseClick(form.RadioButton9, Qt::LeftButton);
    QCOMPARE(form.ValueText(), QStringLiteral("FALSE"));
    form.Label10->setText(QStringLiteral("typed"));
    QTest::mouseClick(form.RadioButton9, Qt::LeftButton);
    QCOMPARE(form.ValueText(), QStringLiteral("typed"));
    QTest::mouseClick(form.RadioButton8, Qt::LeftButton);
    QCOMPARE(form.ValueText(), QStringLiteral("TRUE"));
}

void TestComparisonForm::dataSourceParameter()
{
    TQGComparisonForm form;
    open(form, QString(), QStringLiteral("="), QStringLiteral("keep"), IdentifierStyle(),
         {QStringLiteral("CustNo"), QStringLiteral("Town")}, true);
    QCOMPARE(form.ComboBox5->count(), 2);
    QCOMPARE(form.ComboBox5->itemText(0), QStringLiteral("CustNo"));
    QCOMPARE(form.ComboBox5->currentIndex(), -1);
    QCOMPARE(form.ValueText(), QStringLiteral("keep"));
    QCOMPARE(form.Label17->text(), QStringLiteral(":FieldName"));
    form.ComboBox1->setCurrentIndex(2);
    form.ComboBox5->setCurrentIndex(1);
    QCOMPARE(form.Label17->text(), QStringLiteral(":Town"));
    QCOMPARE(form.ValueText(), QStringLiteral(":Town"));
}

void TestComparisonForm::noMasterDataSource()
{
    TQGComparisonForm form;
    open(form, QString(), QStringLiteral("="), QString(), IdentifierStyle(), {QStringLiteral("Ignored")}, false);
    QCOMPARE(form.ComboBox5->count(), 0);
    // A data source whose data set lists no fields contributes nothing either.
    TQGComparisonForm closed;
    open(closed, QString(), QStringLiteral("="), QString(), IdentifierStyle(), {}, true);
    QCOMPARE(closed.ComboBox5->count(), 0);
}

void TestComparisonForm::designedParameter()
{
    TQGComparisonForm form;
    open(form, QString(), QStringLiteral("="), QString());
    form.ComboBox1->setCurrentIndex(3);
    QTest::keyClicks(form.Edit3, QStringLiteral("Cust"));
    QCOMPARE(form.Label21->text(), QStringLiteral(":Cust"));
    QCOMPARE(form.ValueText(), QStringLiteral(":Cust"));
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(form.Edit3, Qt::Key_Backspace);
    QCOMPARE(form.Label21->text(), QStringLiteral(":"));
    QCOMPARE(form.ValueText(), QStringLiteral(":"));
}

void TestComparisonForm::nullTestsEmptyValueBox_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("isNull");
    QTest::newRow("IS NULL") << "RadioButton10" << true;
    QTest::newRow("IS NOT NULL") << "RadioButton11" << false;
}

void TestComparisonForm::nullTestsEmptyValueBox()
{
    QFETCH(QString, name);
    QFETCH(bool, isNull);
    TQGComparisonForm form;
    open(form, QStringLiteral("CLIENTS_DB.Town"), QStringLiteral("="), QStringLiteral("'London'"));
    form.Label4Click();
    form.findChild<QRadioButton *>(name)->click();
    QCOMPARE(form.OperatorText(), form.findChild<QRadioButton *>(name)->text());
    QCOMPARE(form.ValueText(), QString());
    QCOMPARE(form.IsNullChosen(), isNull);
    QCOMPARE(form.FieldText(), QStringLiteral("CLIENTS_DB.Town"));
    form.RadioButton1->click();
    QCOMPARE(form.OperatorText(), QStringLiteral("= (Equals)"));
    QCOMPARE(form.ValueText(), QString());
    QCOMPARE(form.IsNullChosen(), false);
    // The other comparisons leave the value box alone.
    form.Label10->setText(QStringLiteral("5"));
    form.RadioButton4->click();
    QCOMPARE(form.OperatorText(), QStringLiteral("like "));
    QCOMPARE(form.ValueText(), QStringLiteral("5"));
}

void TestComparisonForm::chosenOperatorDoesNotFire()
{
    TQGComparisonForm form;
    open(form, QString(), QStringLiteral(">= (Greater Than or Equals)"), QString());
    form.Label4Click();
    form.RadioButton1->click();
    QCOMPARE(form.OperatorText(), QStringLiteral(">= (Greater Than or Equals)"));
    form.RadioButton3->click();
    QCOMPARE(form.OperatorText(), QStringLiteral("< (Less Than)"));
    form.RadioButton1->click();
    QCOMPARE(form.OperatorText(), QStringLiteral("= (Equals)"));
}

void TestComparisonForm::numberCheck_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("lone minus") << "-" << false;
    QTest::newRow("comma") << "1,5" << false;
    QTest::newRow("trailing blank") << "12 " << false;
    QTest::newRow("exponent without digits") << "1e" << false;
    QTest::newRow("zero") << "0" << true;
    QTest::newRow("negative after blanks") << "   -3.25" << true;
    QTest::newRow("lone full stop") << "." << true;
    QTest::newRow("no integer digits") << ".5" << true;
    QTest::newRow("exponent") << "2E-3" << true;
}

void TestComparisonForm::numberCheck()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    TQGComparisonForm form;
    open(form, QString(), QStringLiteral("="), QString());
    form.ComboBox1->setCurrentIndex(1);
    form.Edit1->clear();
    QTest::keyClicks(form.Edit1, text);
    // The box holds the text as typed, valid or not.
    QCOMPARE(form.ValueText(), text);
    form.Edit1Exit();
    if (valid) {
        QCOMPARE(m_messages.size(), 0);
    } else {
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages.at(0).kind, VdqMessages::Kind::Warning);
        QCOMPARE(m_messages.at(0).text, QStringLiteral("You must enter a valid number."));
    }
    QCOMPARE(form.ValueText(), text);
}

void TestComparisonForm::leavingNumberEditWarnsAndRefocuses()
{
    TQGComparisonForm form;
    open(form, QString(), QStringLiteral("="), QString());
    form.ComboBox1->setCurrentIndex(1);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    form.Edit1->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(form.Edit1->hasFocus());
    form.Edit1->selectAll();
    QTest::keyClicks(form.Edit1, QStringLiteral("1,5"));
    form.ComboBox4->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages.at(0).text, QStringLiteral("You must enter a valid number."));
    QTRY_VERIFY(form.Edit1->hasFocus());
    QCOMPARE(form.ValueText(), QStringLiteral("1,5"));

    // A valid number leaves quietly.
    form.Edit1->selectAll();
    QTest::keyClicks(form.Edit1, QStringLiteral("2E-3"));
    form.ComboBox4->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(form.ComboBox4->hasFocus());
    QTest::qWait(20);
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(form.ValueText(), QStringLiteral("2E-3"));
}

void TestComparisonForm::okNotBlockedByNumberCheck()
{
    TQGComparisonForm form;
    open(form, QStringLiteral("CLIENTS_DB.Town"), QStringLiteral("="), QString());
    form.ComboBox1->setCurrentIndex(1);
    QTimer::singleShot(0, &form, [&form] {
        form.activateWindow();
        form.Edit1->setFocus(Qt::TabFocusReason);
        form.Edit1->selectAll();
        QTest::keyClicks(form.Edit1, QStringLiteral("abc"));
        QTest::mouseClick(form.OKButton, Qt::LeftButton);
    });
    QCOMPARE(form.exec(), int(QDialog::Accepted));
    QCOMPARE(form.ValueText(), QStringLiteral("abc"));
    QTest::qWait(20);
    QCOMPARE(m_messages.size(), 0);
}

void TestComparisonForm::keysGoToTheShownBox_data()
{
    QTest::addColumn<QString>("field");  // the row's field; empty: a new row
    QTest::addColumn<int>("click");      // 0: as opened (value box); 3: the field box
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("fieldAfter");
    QTest::addColumn<QString>("valueAfter");
    QTest::addColumn<int>("warnings");
    const QString clientNo = QStringLiteral("CLIENTS_DB.ClientNo");
    QTest::newRow("a dropped field: typing fills the value, Enter is OK")
        << clientNo << 0 << "1001" << int(QDialog::Accepted) << clientNo << "1001" << 0;
    QTest::newRow("a field typed by hand")
        << QString() << 3 << "CLIENTS_DB.Town" << int(QDialog::Accepted) << "CLIENTS_DB.Town" << "" << 0;
    QTest::newRow("a total of a field") << QString() << 3 << "COUNT(CLIENTS_DB.Town)" << int(QDialog::Accepted)
                                        << "COUNT(CLIENTS_DB.Town)" << "" << 0;
    QTest::newRow("a literal on the left") << QString() << 3 << "'x'" << int(QDialog::Accepted) << "'x'" << "" << 0;
    // Refused with a warning, and the dialog stays open (the test then cancels it).
    QTest::newRow("a field name that names no field")
        << clientNo << 3 << "1001" << int(QDialog::Rejected) << clientNo + "1001" << "" << 1;
    QTest::newRow("a new row without a field") << QString() << 3 << "" << int(QDialog::Rejected) << "" << "" << 1;
}

void TestComparisonForm::keysGoToTheShownBox()
{
    QFETCH(QString, field);
    QFETCH(int, click);
    QFETCH(QString, typed);
    QFETCH(int, result);
    QFETCH(QString, fieldAfter);
    QFETCH(QString, valueAfter);
    QFETCH(int, warnings);
    TQGComparisonForm form;
    open(form, field, QStringLiteral("="), QString());
    QString fieldSeen;
    QTimer::singleShot(0, &form, [&] {
        if (click == 3)
            QTest::mouseClick(form.Label3, Qt::LeftButton);
        QWidget *focus = form.focusWidget();
        QTest::keyClicks(focus, typed);
        QTest::keyClick(focus, Qt::Key_Return);
        fieldSeen = form.FieldText();
        if (form.isVisible())
            QTest::keyClick(form.focusWidget(), Qt::Key_Escape);
    });
    QCOMPARE(form.exec(), result);
    QCOMPARE(fieldSeen, fieldAfter);
    QCOMPARE(form.ValueText(), valueAfter);
    QCOMPARE(m_messages.size(), warnings);
}

QTEST_MAIN(TestComparisonForm)
#include "tst_comparisonform.moc"
