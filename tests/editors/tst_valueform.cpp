// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "messages.h"
#include "tqgvalueform.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimeEdit>
#include <QTimer>
#include <QtTest>

class TestValueForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void window();
    void openingNewRow();
    void okAtOnceStoresEmptyValue();
    void cancel();
    void valueTypes_data();
    void valueTypes();
    void selectingValueTypeWritesNothing();
    void logicalWritesOnlyOnChange();
    void designedParameter();
    void numberIsNotChecked();
    void enterAcceptsEscapeCancels_data();
    void enterAcceptsEscapeCancels();
    void fourDigitYear_data();
    void fourDigitYear();

private:
    int m_messageCount = 0;
};

void TestValueForm::init()
{
    m_messageCount = 0;
    VdqMessages::SetHook([this](VdqMessages::Kind, const QString &, const QString &) { ++m_messageCount; });
}

void TestValueForm::cleanup()
{
    VdqMessages::SetHook(nullptr);
}

void TestValueForm::window()
{
    TQGValueForm form;
    QCOMPARE(form.objectName(), QStringLiteral("TQGValueForm"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Field Value to set..."));
    QCOMPARE(form.size(), QSize(395, 260));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QCOMPARE(form.font().pointSize(), QApplication::font().pointSize());  // the host's
    QCOMPARE(form.ComboBox1->count(), 2);
    QCOMPARE(form.ComboBox1->itemText(0), QStringLiteral("Value"));
    QCOMPARE(form.ComboBox1->itemText(1), QStringLiteral("Designed Parameters"));
    QCOMPARE(form.Notebook1->count(), 2);
    QCOMPARE(form.BitBtn4->text(), QStringLiteral("Set Value"));
    QCOMPARE(form.BitBtn4->toolTip(), QStringLiteral("Sets the Value"));
    QVERIFY(!form.BitBtn4->isHidden());
    QCOMPARE(form.Label21->text(), QStringLiteral(":ParameterName"));
    QVERIFY(form.Label3->font().bold());
    QVERIFY(form.Label10->font().bold());
    const QPalette p = form.palette();
    QCOMPARE(form.Label10->palette().color(QPalette::Active, QPalette::Base),
             p.color(QPalette::Active, QPalette::Highlight));
    QCOMPARE(form.Label10->palette().color(QPalette::Active, QPalette::Text),
             p.color(QPalette::Active, QPalette::HighlightedText));
    QCOMPARE(form.OKButton->text(), QStringLiteral("OK"));
    QCOMPARE(form.CancelButton->text(), QStringLiteral("Cancel"));
    QVERIFY(form.OKButton->isDefault() && !form.OKButton->autoDefault());
    QCOMPARE(form.findChild<QLineEdit *>(QStringLiteral("Edit1")), form.Edit1);
    QCOMPARE(form.findChild<QPushButton *>(QStringLiteral("BitBtn4")), form.BitBtn4);
    QCOMPARE(form.findChild<QLabel *>(QStringLiteral("Label3")), form.Label3);
}

void TestValueForm::openingNewRow()
{
    TQGValueForm form;
    form.SetRow(QStringLiteral("Qty"), QString());
    QCOMPARE(form.Label3->text(), QStringLiteral("Qty"));
    QCOMPARE(form.FieldText(), QStringLiteral("Qty"));
    QCOMPARE(form.ValueText(), QString());
    QCOMPARE(form.ComboBox1->currentIndex(), 0);
    QCOMPARE(form.Notebook1->currentIndex(), 0);
    QCOMPARE(form.ComboBox4->currentIndex(), 0);
    QCOMPARE(form.Notebook2->currentIndex(), 0);
    QCOMPARE(form.Edit1->text(), QStringLiteral("0"));
    QCOMPARE(form.Edit2->text(), QString());
    QCOMPARE(form.DateTimePicker1->date(), QDate(1998, 7, 19));
    QCOMPARE(form.DateTimePicker2->time(), QTime(0, 2, 53));
    QVERIFY(form.RadioButton8->isChecked());
}

void TestValueForm::okAtOnceStoresEmptyValue()
{
    TQGValueForm form;
    form.SetRow(QStringLiteral("Qty"), QString());
    QTimer::singleShot(0, &form, [&form] { QTest::mouseClick(form.OKButton, Qt::LeftButton); });
    QCOMPARE(form.exec(), int(QDialog::Accepted));
    QCOMPARE(form.FieldText(), QStringLiteral("Qty"));
    QCOMPARE(form.ValueText(), QString());
}

void TestValueForm::cancel()
{
    TQGValueForm form;
    form.SetRow(QStringLiteral("Qty"), QStringLiteral("3"));
    QTimer::singleShot(0, &form, [&form] { QTest::mouseClick(form.CancelButton, Qt::LeftButton); });
    QCOMPARE(form.exec(), int(QDialog::Rejected));
}

void TestValueForm::valueTypes_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("written");
    const QDate noDate;
    const QTime noTime;
    QTest::newRow("number as typed") << 0 << "007" << noDate << noTime << "007";
    QTest::newRow("string with single quote") << 1 << "O'Brien" << noDate << noTime << "'O''Brien'";
    QTest::newRow("string with double quote") << 1 << "a\"b" << noDate << noTime << "'a\"b'";
    QTest::newRow("date") << 2 << "" << QDate(2024, 2, 29) << noTime << "'2024-02-29'";
    // 24-hour with seconds, the same as the comparison dialog.
    QTest::newRow("afternoon time") << 3 << ""
                                    << noDate
                                    << QTime::fromString(QStringLiteral("2:05:09 pm"), QStringLiteral("h:mm:ss ap"))
                                    << "'14:05:09'";
}

void TestValueForm::valueTypes()
{
    QFETCH(int, type);
    QFETCH(QString, typed);
    QFETCH(QDate, date);
    QFETCH(QTime, time);
    QFETCH(QString, written);
    TQGValueForm form;
    form.SetRow(QStringLiteral("Qty"), QStringLiteral("old"));
    form.ComboBox4->setCurrentIndex(type);
    QCOMPARE(form.Notebook2->currentIndex(), type);
    switch (type) {
    case 0:
        form.Edit1->selectAll();
        QTest::keyClicks(form.Edit1, typed);
        break;
    case 1:
        QTest::keyClicks(form.Edit2, typed);
        break;
    case 2:
        form.DateTimePicker1->setDate(date);
        break;
    case 3:
        form.DateTimePicker2->setTime(time);
        break;
    }
    QCOMPARE(form.ValueText(), written);
    QCOMPARE(form.FieldText(), QStringLiteral("Qty"));
}

void TestValueForm::selectingValueTypeWritesNothing()
{
    TQGValueForm form;
    form.SetRow(QStringLiteral("Qty"), QStringLiteral("keep"));
    for (int type : {1, 2, 3, 4, 0})
        form.ComboBox4->setCurrentIndex(type);
    form.ComboBox1->setCurrentIndex(1);
    QCOMPARE(form.Notebook1->currentIndex(), 1);
    form.ComboBox1->setCurrentIndex(0);
    QCOMPARE(form.Notebook1->currentIndex(), 0);
    QCOMPARE(form.ValueText(), QStringLiteral("keep"));
}

void TestValueForm::logicalWritesOnlyOnChange()
{
    TQGValueForm form;
    form.SetRow(QStringLiteral("Paid"), QStringLiteral("keep"));
    form.ComboBox4->setCurrentIndex(4);
    form.RadioButton8->click();
    QCOMPARE(form.ValueText(), QStringLiteral("keep"));
    form.RadioButton9->click();
    QCOMPARE(form.ValueText(), QStringLiteral("FALSE"));
    form.RadioButton8->click();
    QCOMPARE(form.ValueText(), QStringLiteral("TRUE"));
}

void TestValueForm::designedParameter()
{
    TQGValueForm form;
    form.SetRow(QStringLiteral("Qty"), QString());
    form.ComboBox1->setCurrentIndex(1);
    QTest::keyClicks(form.Edit3, QStringLiteral("Qty"));
    QCOMPARE(form.Label21->text(), QStringLiteral(":Qty"));
    QCOMPARE(form.ValueText(), QStringLiteral(":Qty"));
    form.Label10->setText(QStringLiteral("typed over"));
    QTest::mouseClick(form.BitBtn4, Qt::LeftButton);
    QCOMPARE(form.ValueText(), QStringLiteral(":Qty"));
    form.Edit3->selectAll();
    QTest::keyClick(form.Edit3, Qt::Key_Delete);
    QCOMPARE(form.ValueText(), QStringLiteral(":"));
}

void TestValueForm::numberIsNotChecked()
{
    TQGValueForm form;
    form.SetRow(QStringLiteral("Qty"), QString());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.Edit1->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(form.Edit1->hasFocus());
    QTest::keyClicks(form.Edit1, QStringLiteral("abc"));
    QCOMPARE(form.ValueText(), QStringLiteral("abc"));
    form.ComboBox4->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(form.ComboBox4->hasFocus());
    QTest::qWait(20);
    QCOMPARE(m_messageCount, 0);
    QVERIFY(form.ComboBox4->hasFocus());
    QCOMPARE(form.ValueText(), QStringLiteral("abc"));
}

void TestValueForm::fourDigitYear_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("shown");   // the picker's first date, 1998-07-19
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("en_US, short format M/d/yy")
        << QLocale(QLocale::English, QLocale::UnitedStates) << "7/19/1998" << "7/19/2003" << "'2003-07-19'";
    QTest::newRow("de_DE, short format dd.MM.yy")
        << QLocale(QLocale::German, QLocale::Germany) << "19.07.1998" << "19.07.2003" << "'2003-07-19'";
    QTest::newRow("en_GB, four digits already")
        << QLocale(QLocale::English, QLocale::UnitedKingdom) << "19/07/1998" << "19/07/2003" << "'2003-07-19'";
}

void TestValueForm::fourDigitYear()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, shown);
    QFETCH(QString, typed);
    QFETCH(QString, written);
    const QLocale before;
    QLocale::setDefault(locale);
    const auto restore = qScopeGuard([&before] { QLocale::setDefault(before); });
    TQGValueForm form;
    form.SetRow(QStringLiteral("SaleDay"), QString());
    form.ComboBox4->setCurrentIndex(2);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.DateTimePicker1->text(), shown);
    form.DateTimePicker1->setFocus();
    form.DateTimePicker1->selectAll();
    QTest::keyClicks(form.DateTimePicker1, typed);
    QCOMPARE(form.ValueText(), written);
}

void TestValueForm::enterAcceptsEscapeCancels_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(QDialog::Accepted);
    QTest::newRow("Escape") << int(Qt::Key_Escape) << int(QDialog::Rejected);
}

void TestValueForm::enterAcceptsEscapeCancels()
{
    QFETCH(int, key);
    QFETCH(int, result);
    TQGValueForm form;
    form.SetRow(QStringLiteral("Qty"), QString());
    QTimer::singleShot(0, &form, [&] {
        QTest::keyClicks(form.focusWidget(), QStringLiteral("12"));
        QTest::keyClick(form.focusWidget(), Qt::Key(key));
    });
    QCOMPARE(form.exec(), result);
    if (result == QDialog::Accepted)
        QCOMPARE(form.ValueText(), QStringLiteral("12"));
}

QTEST_MAIN(TestValueForm)
#include "tst_valueform.moc"
