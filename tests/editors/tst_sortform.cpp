// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgsortform.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

namespace {

QList<DesignTable> canvas()
{
    return {
        {QStringLiteral("clients.db"), {QStringLiteral("ClientNo"), QStringLiteral("Name")}, {true, true}, {}},
        {QStringLiteral("2nd order.db"), {QStringLiteral("Cust No"), QStringLiteral("Qty"), QStringLiteral("Day")},
         {true, false, true}, {}},
        {QStringLiteral("clients.db"), {QStringLiteral("Town")}, {false}, {}, QStringLiteral("clients_db_1")},
    };
}

} // namespace

class TestSortForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void window();
    void direction_data();
    void direction();
    void fillTableList();
    void chooseTableAndField();
    void anotherTableRefillsFields();
    void fieldReference_data();
    void fieldReference();
    void okAccepts();
    void escapeCancels_data();
    void escapeCancels();
};

void TestSortForm::window()
{
    TQGSortForm form;
    QCOMPARE(form.objectName(), QStringLiteral("TQGSortForm"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Order by Field"));
    QCOMPARE(form.size(), QSize(283, 197));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QCOMPARE(form.font().pointSize(), QApplication::font().pointSize());  // the host's
    QCOMPARE(form.RadioGroup1->title(), QStringLiteral("Sort Order"));
    QCOMPARE(form.AscendingButton->text(), QStringLiteral("Ascending"));
    QCOMPARE(form.DescendingButton->text(), QStringLiteral("Descending"));
    QCOMPARE(form.AscendingButton->parentWidget(), form.RadioGroup1);
    QVERIFY(form.AscendingButton->isChecked());
    QCOMPARE(form.AscendingText(), QStringLiteral("Yes"));
    QCOMPARE(form.Button1->text(), QStringLiteral("OK"));
    QCOMPARE(form.Button2->text(), QStringLiteral("Cancel"));
    QVERIFY(!form.Button1->isEnabled());
    QCOMPARE(form.findChild<QComboBox *>(QStringLiteral("ComboBox2")), form.ComboBox2);
    QCOMPARE(form.findChild<QGroupBox *>(QStringLiteral("RadioGroup1")), form.RadioGroup1);
    QCOMPARE(form.findChild<QPushButton *>(QStringLiteral("Button1")), form.Button1);
}

void TestSortForm::direction_data()
{
    QTest::addColumn<QString>("ascending");
    QTest::addColumn<bool>("ascendingChosen");
    QTest::addColumn<QString>("text");
    QTest::newRow("Yes") << "Yes" << true << "Yes";
    QTest::newRow("No") << "No" << false << "No";
    QTest::newRow("lower-case yes") << "yes" << false << "No";
    QTest::newRow("empty") << "" << false << "No";
    QTest::newRow("trailing blank") << "Yes " << false << "No";
}

void TestSortForm::direction()
{
    QFETCH(QString, ascending);
    QFETCH(bool, ascendingChosen);
    QFETCH(QString, text);
    TQGSortForm form;
    // Start from the other choice, so that a no-op would be caught.
    if (ascendingChosen)
        form.DescendingButton->setChecked(true);
    form.SetAscendingColumn(ascending);
    QCOMPARE(form.AscendingButton->isChecked(), ascendingChosen);
    QCOMPARE(form.DescendingButton->isChecked(), !ascendingChosen);
    QCOMPARE(form.AscendingText(), text);
}

void TestSortForm::fillTableList()
{
    TQGSortForm form;
    form.SetDesigner(canvas(), IdentifierStyle());
    form.FillTableList();
    QCOMPARE(form.ComboBox1->count(), 3);
    QCOMPARE(form.ComboBox1->itemText(0), QStringLiteral("clients.db"));
    QCOMPARE(form.ComboBox1->itemText(1), QStringLiteral("2nd order.db"));
    QCOMPARE(form.ComboBox1->itemText(2), QStringLiteral("clients.db (clients_db_1)"));
    QCOMPARE(form.ComboBox1->currentIndex(), -1);
    QCOMPARE(form.ComboBox2->count(), 0);
    QVERIFY(!form.HasFieldChosen());
    QVERIFY(!form.Button1->isEnabled());
    QCOMPARE(form.FieldReference(), QString());
}

void TestSortForm::chooseTableAndField()
{
    TQGSortForm form;
    form.SetDesigner(canvas(), IdentifierStyle());
    form.FillTableList();
    form.SetAscendingColumn(QStringLiteral("Yes"));
    form.ComboBox1->setCurrentIndex(0);
    // Each window gives its own fields, named through its own alias.
    QCOMPARE(form.ComboBox2->count(), 2);
    QCOMPARE(form.ComboBox2->itemText(1), QStringLiteral("Name"));
    QCOMPARE(form.ComboBox2->currentIndex(), -1);
    QVERIFY(!form.Button1->isEnabled());
    form.ComboBox2->setCurrentIndex(1);
    QVERIFY(form.HasFieldChosen());
    QVERIFY(form.Button1->isEnabled());
    QCOMPARE(form.FieldReference(), QStringLiteral("clients_db.Name"));
    QCOMPARE(form.AscendingText(), QStringLiteral("Yes"));
    form.DescendingButton->click();
    QCOMPARE(form.AscendingText(), QStringLiteral("No"));
}

void TestSortForm::anotherTableRefillsFields()
{
    TQGSortForm form;
    form.SetDesigner(canvas(), IdentifierStyle());
    form.FillTableList();
    form.ComboBox1->setCurrentIndex(0);
    form.ComboBox2->setCurrentIndex(0);
    QVERIFY(form.Button1->isEnabled());
    form.ComboBox1->setCurrentIndex(1);
    QCOMPARE(form.ComboBox2->count(), 3);
    QCOMPARE(form.ComboBox2->itemText(0), QStringLiteral("Cust No"));
    QCOMPARE(form.ComboBox2->currentIndex(), -1);
    QVERIFY(!form.HasFieldChosen());
    QVERIFY(!form.Button1->isEnabled());
}

void TestSortForm::fieldReference_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<int>("field");
    QTest::addColumn<bool>("quote");
    QTest::addColumn<QString>("reference");
    QTest::newRow("plain") << 0 << 1 << false << "clients_db.Name";
    QTest::newRow("quoted") << 0 << 1 << true << "clients_db.\"Name\"";
    QTest::newRow("leading digit and blank") << 1 << 0 << true << "_2nd_order_db.\"Cust No\"";
    QTest::newRow("blank needs quotes anyway") << 1 << 0 << false << "_2nd_order_db.\"Cust No\"";
    QTest::newRow("plain field of odd table") << 1 << 2 << false << "_2nd_order_db.Day";
    QTest::newRow("second window of a table, by its own alias") << 2 << 0 << false << "clients_db_1.Town";
}

void TestSortForm::fieldReference()
{
    QFETCH(int, table);
    QFETCH(int, field);
    QFETCH(bool, quote);
    QFETCH(QString, reference);
    TQGSortForm form;
    form.SetDesigner(canvas(), IdentifierStyle{quote, SqlDialect::SQLite});
    form.FillTableList();
    form.ComboBox1->setCurrentIndex(table);
    form.ComboBox2->setCurrentIndex(field);
    QCOMPARE(form.FieldReference(), reference);
}

void TestSortForm::okAccepts()
{
    TQGSortForm form;
    form.SetDesigner(canvas(), IdentifierStyle());
    form.FillTableList();
    form.SetAscendingColumn(QStringLiteral("No"));
    QTimer::singleShot(0, &form, [&form] {
        form.ComboBox1->setCurrentIndex(1);
        form.ComboBox2->setCurrentIndex(1);
        QTest::mouseClick(form.Button1, Qt::LeftButton);
    });
    QCOMPARE(form.exec(), int(QDialog::Accepted));
    QCOMPARE(form.FieldReference(), QStringLiteral("_2nd_order_db.Qty"));
    QCOMPARE(form.AscendingText(), QStringLiteral("No"));
}

void TestSortForm::escapeCancels_data()
{
    QTest::addColumn<QString>("focus");
    QTest::newRow("field list") << "ComboBox2";
    QTest::newRow("table list") << "ComboBox1";
    QTest::newRow("sort order") << "RadioGroup1Item1";
    QTest::newRow("OK button") << "Button1";
}

void TestSortForm::escapeCancels()
{
    QFETCH(QString, focus);
    TQGSortForm form;
    form.SetDesigner(canvas(), IdentifierStyle());
    form.FillTableList();
    form.ComboBox1->setCurrentIndex(0);
    form.ComboBox2->setCurrentIndex(0);
    bool timedOut = false;
    QTimer::singleShot(0, &form, [&] {
        form.activateWindow();
        auto *target = form.findChild<QWidget *>(focus);
        target->setFocus(Qt::TabFocusReason);
        QTest::keyClick(target, Qt::Key_Escape);
    });
    // Should Escape be lost, this closes the dialog with a result the test rejects.
    QTimer::singleShot(2000, &form, [&] {
        timedOut = true;
        form.done(42);
    });
    QCOMPARE(form.exec(), int(QDialog::Rejected));
    QVERIFY(!timedOut);
}

QTEST_MAIN(TestSortForm)
#include "tst_sortform.moc"
