// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfixture.h"
#include "tform1.h"
#include "tqgdbselect.h"
#include "tqgsqleditor.h"
#include "tvdruntimequery.h"
#include "tvdruntimequery_p.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using namespace DesignFixture;

class TestHost : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void form();
    void buttonRunsDesigner();
    void noDatabaseShowsSelection();
    void secondRunStartsEmpty();
    void escapeKeepsTheWindow();
    void enterPressesOnlyAFocusedButton_data();
    void enterPressesOnlyAFocusedButton();

private:
    QTemporaryDir m_dir;
};

void TestHost::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(MakeDatabase(m_dir.path(), {{"clients", {"ClientNo", "Firm"}}}));
}

void TestHost::form()
{
    TForm1 form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Run Time Query Engine."));
    QCOMPARE(form.Button1()->text(), QStringLiteral("Call \"Execute\""));
    QCOMPARE(form.ComboBox1()->count(), 1);
    QCOMPARE(form.ComboBox1()->itemText(0), QStringLiteral("SHOP"));
    QCOMPARE(form.ComboBox1()->currentIndex(), -1);
    QVERIFY(form.VDRunTimeQuery1()->DatabaseName().isEmpty());
    for (int i = 1; i <= 11; ++i)
        QVERIFY2(form.findChild<QLabel *>(QStringLiteral("Label%1").arg(i)), qPrintable(QString::number(i)));
    // The program's main window, with a fixed border.
    QVERIFY(qobject_cast<QMainWindow *>(&form));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QVERIFY(form.windowFlags() & Qt::MSWindowsFixedSizeDialogHint);
    QVERIFY(!form.ComboBox1()->isEditable());
    QCOMPARE(form.ComboBox1()->view()->sizeHintForRow(0), 16);
    // The SQL shown stays editable, as a multi-line text box is.
    QVERIFY(!form.Memo1()->isReadOnly());
}

void TestHost::buttonRunsDesigner()
{
    TForm1 form;
    form.ComboBox1()->setCurrentIndex(0);
    SetShowHook(*form.VDRunTimeQuery1(), [](QWidget *w) {
        if (auto *designer = qobject_cast<TQGQueryForm *>(w)) {
            QTimer::singleShot(0, designer, [designer] {
                designer->Memo1()->setPlainText(QStringLiteral("SELECT 1\nFROM clients"));
                designer->SpeedButton30Click();
            });
        }
    });
    form.Button1()->click();
    QCOMPARE(form.VDRunTimeQuery1()->DatabaseName(), QStringLiteral("SHOP"));
    QCOMPARE(form.Memo1()->toPlainText(), QStringLiteral("SELECT 1\nFROM clients"));
}

void TestHost::noDatabaseShowsSelection()
{
    TForm1 form;
    form.Memo1()->setPlainText(QStringLiteral("previous"));
    bool dialog = false;
    SetShowHook(*form.VDRunTimeQuery1(), [&](QWidget *w) {
        if (auto *select = qobject_cast<TQGDBSelect *>(w)) {
            dialog = true;
            QTimer::singleShot(0, select, [select] { select->reject(); });
        }
    });
    form.Button1()->click();
    QVERIFY(dialog);
    // A cancelled Execute leaves SQL empty (it was cleared), and the memo shows it.
    QVERIFY(form.Memo1()->toPlainText().isEmpty());
}

void TestHost::secondRunStartsEmpty()
{
    TForm1 form;
    form.ComboBox1()->setCurrentIndex(0);
    QString seenText = QStringLiteral("unset");
    int run = 0;
    SetShowHook(*form.VDRunTimeQuery1(), [&](QWidget *w) {
        if (auto *designer = qobject_cast<TQGQueryForm *>(w)) {
            ++run;
            if (run == 2)
                seenText = designer->Memo1()->toPlainText();
            QTimer::singleShot(0, designer, [designer] {
                designer->Memo1()->setPlainText(QStringLiteral("SELECT 2"));
                designer->SpeedButton30Click();
            });
        }
    });
    form.Button1()->click();
    form.Button1()->click();
    QCOMPARE(run, 2);
    QVERIFY(seenText.isEmpty());
}

void TestHost::escapeKeepsTheWindow()
{
    TForm1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.Memo1()->setPlainText(QStringLiteral("SELECT 1"));
    for (QWidget *focus : {static_cast<QWidget *>(form.Memo1()), static_cast<QWidget *>(form.ComboBox1()),
                           static_cast<QWidget *>(form.Button1())}) {
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Escape);
        QVERIFY(form.isVisible());
    }
    QCOMPARE(form.Memo1()->toPlainText(), QStringLiteral("SELECT 1"));
}

void TestHost::enterPressesOnlyAFocusedButton_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("presses");
    QTest::newRow("button") << "Button1" << 1;
    QTest::newRow("database list") << "ComboBox1" << 0;
    QTest::newRow("SQL text") << "Memo1" << 0;
}

void TestHost::enterPressesOnlyAFocusedButton()
{
    QFETCH(QString, focus);
    QFETCH(int, presses);
    TForm1 form;
    // A press opens the selection dialog (no database chosen); cancel it at once.
    SetShowHook(*form.VDRunTimeQuery1(), [](QWidget *w) {
        if (auto *select = qobject_cast<TQGDBSelect *>(w))
            QTimer::singleShot(0, select, [select] { select->reject(); });
    });
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QSignalSpy clicked(form.Button1(), &QPushButton::clicked);
    QWidget *w = form.findChild<QWidget *>(focus);
    QVERIFY(w);
    w->setFocus();
    QTest::keyClick(w, Qt::Key_Return);
    QCOMPARE(clicked.count(), presses);
    QVERIFY(form.isVisible());
}

QTEST_MAIN(TestHost)
#include "tst_host.moc"
