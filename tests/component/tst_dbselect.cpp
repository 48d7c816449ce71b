// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfixture.h"
#include "tqgdbselect.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using namespace DesignFixture;

class TestDBSelect : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void layout();
    void listsAliasesWithDrivers();
    void okFollowsSelection();
    void sessionChangeRebuildsList();
    void doubleClick();
    void escapeCancels_data();
    void escapeCancels();
    void enterWithoutSelection();
    void sessionWithoutAliases();
    void firstArrowSelects_data();
    void firstArrowSelects();

private:
    void fill(TQGDBSelect &dialog, const QString &session = QStringLiteral("Default"));
    QTemporaryDir m_dir;
};

void TestDBSelect::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(MakeDatabase(m_dir.path(), {{"t", {"a"}}}));
    // More aliases, in an order that is not sorted; "mid" sorts between the others only
    // when letter case is not regarded.
    TestSupport::UseAliasFile(m_dir.filePath("aliases.ini"),
                              QStringLiteral("[ZEBRA]\nDriver=postgresql\nHost=127.0.0.1\nDatabase=z\n\n"
                                             "[SHOP]\nDriver=STANDARD\nPath=%1\n\n[mid]\nDriver=odbc\nDSN=x\n")
                                  .arg(m_dir.filePath("shop.sqlite")));
    Sessions().CreateSession(QStringLiteral("Other"));
}

void TestDBSelect::fill(TQGDBSelect &dialog, const QString &session)
{
    QStringList sessions;
    Sessions().ListSessionNames(sessions);
    dialog.ComboBox1()->addItems(sessions);
    dialog.ComboBox1()->setCurrentIndex(sessions.indexOf(session));
    dialog.ComboBox1Change();
}

void TestDBSelect::layout()
{
    TQGDBSelect dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Session and Database Select"));
    QCOMPARE(dialog.size(), QSize(416, 285));
    QCOMPARE(dialog.ListView1()->headerItem()->text(0), QStringLiteral("Database Alias"));
    QCOMPARE(dialog.ListView1()->headerItem()->text(1), QStringLiteral("Driver"));
    QVERIFY(!dialog.Button1()->isEnabled());
    QVERIFY(dialog.Button1()->isDefault());
    QCOMPARE(dialog.Button1()->text(), QStringLiteral("OK"));
    QCOMPARE(dialog.Button2()->text(), QStringLiteral("Cancel"));
    for (const char *name : {"Label1", "Label2", "Label3", "Label4", "Bevel1", "Panel1", "Image1"})
        QVERIFY2(dialog.findChild<QWidget *>(name), name);
    QCOMPARE(dialog.findChild<QLabel *>("Label2")->text(),
             QStringLiteral("Select the Database from the List. Alternatively you can also select the Session"));
}

void TestDBSelect::listsAliasesWithDrivers()
{
    TQGDBSelect dialog;
    fill(dialog);
    QStringList rows;
    for (int i = 0; i < dialog.ListView1()->topLevelItemCount(); ++i)
        rows << dialog.ListView1()->topLevelItem(i)->text(0) + u'/' + dialog.ListView1()->topLevelItem(i)->text(1);
    QCOMPARE(rows, QStringList({"mid/ODBC", "SHOP/STANDARD", "ZEBRA/POSTGRESQL"}));
}

void TestDBSelect::okFollowsSelection()
{
    TQGDBSelect dialog;
    fill(dialog);
    dialog.ListView1()->topLevelItem(1)->setSelected(true);
    QVERIFY(dialog.Button1()->isEnabled());
    QCOMPARE(dialog.SelectedDatabase(), QStringLiteral("SHOP"));
    dialog.ListView1()->clearSelection();
    QVERIFY(!dialog.Button1()->isEnabled());
}

void TestDBSelect::sessionChangeRebuildsList()
{
    TQGDBSelect dialog;
    fill(dialog);
    dialog.ListView1()->topLevelItem(0)->setSelected(true);
    QVERIFY(dialog.Button1()->isEnabled());
    dialog.ComboBox1()->setCurrentText(QStringLiteral("Other"));
    dialog.ComboBox1Change();
    QCOMPARE(dialog.ListView1()->topLevelItemCount(), 3);
    QVERIFY(dialog.ListView1()->selectedItems().isEmpty());
    QVERIFY(!dialog.Button1()->isEnabled());
}

void TestDBSelect::doubleClick()
{
    TQGDBSelect dialog;
    fill(dialog);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    // On an empty area: nothing.
    QWidget *viewport = dialog.ListView1()->viewport();
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(10, viewport->height() - 5));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), 0);
    // On a row: OK.
    QTreeWidgetItem *item = dialog.ListView1()->topLevelItem(2);
    const QRect r = dialog.ListView1()->visualItemRect(item);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, r.center());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.SelectedDatabase(), QStringLiteral("ZEBRA"));
}

void TestDBSelect::escapeCancels_data()
{
    QTest::addColumn<QString>("focus");
    QTest::newRow("database list") << "ListView1";
    QTest::newRow("session list") << "ComboBox1";
    QTest::newRow("cancel button") << "Button2";
}

void TestDBSelect::escapeCancels()
{
    QFETCH(QString, focus);
    TQGDBSelect dialog;
    fill(dialog);
    dialog.ListView1()->topLevelItem(0)->setSelected(true);
    QTimer::singleShot(0, &dialog, [&] {
        QWidget *w = dialog.findChild<QWidget *>(focus);
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Escape);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
}

void TestDBSelect::enterWithoutSelection()
{
    TQGDBSelect dialog;
    fill(dialog);
    dialog.show();
    QTest::keyClick(dialog.ListView1(), Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), 0);
}

void TestDBSelect::sessionWithoutAliases()
{
    QTemporaryDir dir;
    TestSupport::UseAliasFile(dir.filePath("aliases.ini"), QString());
    TQGDBSelect dialog;
    fill(dialog);
    QCOMPARE(dialog.ListView1()->topLevelItemCount(), 0);
    QVERIFY(!dialog.Button1()->isEnabled());
    initTestCase();
}

void TestDBSelect::firstArrowSelects_data()
{
    QTest::addColumn<QString>("aliases");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("selected");
    const QString one = QStringLiteral("[ONLY]\nDriver=STANDARD\nPath=x.sqlite\n");
    QTest::newRow("Down on the only row") << one << int(Qt::Key_Down) << "ONLY";
    QTest::newRow("Up on the only row") << one << int(Qt::Key_Up) << "ONLY";
    QTest::newRow("Down on three rows") << QString() << int(Qt::Key_Down) << "mid";
}

void TestDBSelect::firstArrowSelects()
{
    QFETCH(QString, aliases);
    QFETCH(int, key);
    QFETCH(QString, selected);
    QTemporaryDir dir;
    if (!aliases.isEmpty())
        TestSupport::UseAliasFile(dir.filePath("aliases.ini"), aliases);
    TQGDBSelect dialog;
    fill(dialog);
    dialog.show();
    dialog.ListView1()->setFocus();
    QTest::keyClick(dialog.ListView1(), Qt::Key(key));
    QCOMPARE(dialog.SelectedDatabase(), selected);
    QVERIFY(dialog.Button1()->isEnabled());
    if (!aliases.isEmpty())
        initTestCase();
}

QTEST_MAIN(TestDBSelect)
#include "tst_dbselect.moc"
