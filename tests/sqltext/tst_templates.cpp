// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgqueryform.h"
#include "tqgsqleditor.h"
#include "tqgtemplates.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTextCursor>
#include <QtTest>

#include <memory>

class TestTemplates : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void itemText_data();
    void itemText();
    void menuStructure();
    void menuPlacedBeforeHelp();
    void selectionIsReplaced();
    void insertedAtCaret();
    void generatorPageStaysActive();
    void undoRestoresText_data();
    void undoRestoresText();
    void standaloneMenu();

private:
    QAction *action(const QString &name) const;
    std::unique_ptr<TQGQueryForm> m_form;
};

namespace {

// A menu's items as captions, "-" for a separator.
QStringList captions(const QMenu *menu)
{
    QStringList out;
    for (const QAction *a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

QString editorText(const QString &templateText)
{
    QString text = templateText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace

void TestTemplates::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestTemplates::init()
{
    m_form = std::make_unique<TQGQueryForm>();
}

void TestTemplates::cleanup()
{
    m_form.reset();
}

QAction *TestTemplates::action(const QString &name) const
{
    QAction *a = m_form->findChild<QAction *>(name);
    if (!a)
        qWarning("no action %s", qPrintable(name));
    return a;
}

void TestTemplates::itemText_data()
{
    QTest::addColumn<QString>("submenu");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");

    const auto row = [](const char *name, const char *submenu, const char *caption, const char *text) {
        QTest::newRow(name) << QString::fromLatin1(submenu) << QString::fromLatin1(caption)
                            << QString::fromLatin1(text);
    };
    row("StandardQuery1", "Select2", "Standard Query", "SELECT * FROM <tablename>\r\nWHERE <conditionlist>;");
    row("SubQuery1", "Select2", "Sub Query",
        "SELECT <fieldlist>\r\nFROM <tablename1>\r\nWHERE <fieldname> IN\r\n    ( SELECT <fieldname>\r\n"
        "      FROM <tablename2>\r\n      WHERE <conditionlist> );");
    row("ExistsQuery1", "Select2", "Exists Query",
        "SELECT <fieldlist>\r\nFROM <tablename1>\r\nWHERE EXISTS\r\n    ( SELECT <fieldname>\r\n"
        "      FROM <tablename2>\r\n      WHERE <conditionlist> );");
    row("NotExists1", "Select2", "Not Exists",
        "SELECT <fieldlist>\r\nFROM <tablename1>\r\nWHERE NOT EXISTS\r\n    ( SELECT <fieldname>\r\n"
        "      FROM <tablename2>\r\n      WHERE <conditionlist> );");
    row("GroupBy1", "Select2", "Group By", "SELECT <fieldlist>\r\nFROM <tablename>\r\nGROUP BY <groupfieldlist>;");
    row("StandardUpdate1", "Update2", "Standard Update",
        "UPDATE <tablename>\r\nSET <fieldname1> = <fieldvalue1>,\r\n    <fieldname2> = <fieldvalue2>\r\n"
        "WHERE <conditionlist>;");
    row("UpdatewithSubQuery1", "Update2", "Update with SubQuery",
        "UPDATE <tablename1>\r\nSET <fieldname1> = <fieldvalue1>,\r\n    <fieldname2> = <fieldvalue2>\r\n"
        "WHERE <value> = \r\n    ( SELECT <fieldname>\r\n      FROM <tablename2>\r\n      WHERE <conditionlist> );");
    row("DeleteAll1", "Delete1", "Delete All Records", "DELETE FROM <tablename>;");
    row("SingleDelete1", "Delete1", "Single Delete", "DELETE FROM <tablename>\r\nWHERE <fieldname> = <fieldvalue>;");
    row("ConditionalDelete1", "Delete1", "Conditional Delete", "DELETE FROM <tablename>\r\nWHERE <conditionlist>;");
    row("SubQueryDelete1", "Delete1", "SubQuery Delete",
        "DELETE FROM <tablename1>\r\nWHERE <value> = \r\n    ( SELECT <fieldname>\r\n      FROM <tablename2>\r\n"
        "      WHERE <conditionlist> );");
    row("StandardInsert1", "Insert2", "Standard Insert",
        "INSERT INTO \r\n<tablename> (<fieldname1>, <fieldname2>, ...., <fieldnameX>)\r\n"
        "VALUES (<fieldvalue1>, <fieldvalue2>, ...., <fieldvalueX>);");
    row("MultipleRecordInsert1", "Insert2", "Multiple Record Insert",
        "INSERT INTO \r\n<tablename1> (<fieldname1>, <fieldname2>, ...., <fieldnameX>)\r\n"
        "SELECT <fieldname1>, <fieldname2>, ...., <fieldnameX> FROM <tablename2>\r\nWHERE <conditionlist>;");
    row("TableCopyInsert1", "Insert2", "Table Copy Insert", "INSERT INTO <tablename1>\r\nSELECT * from <tablename2>;\r\n");
    row("AVG1", "Functions1", "Avg()", "AVG(<fieldname>)");
    row("Cast1", "Functions1", "Cast()", "CAST (<value> AS <newdatatype>)");
    row("Count1", "Functions1", "Count()", "COUNT(<fieldname>)");
    row("MAX1", "Functions1", "Max()", "MAX(<fieldname>)");
    row("Min1", "Functions1", "Min()", "MIN(<fieldname>)");
    row("Sum1", "Functions1", "Sum()", "SUM(<fieldname>)");
    row("Upper1", "Functions1", "Upper()", "UPPER(<fieldname>)");
}

void TestTemplates::itemText()
{
    QFETCH(QString, submenu);
    QFETCH(QString, caption);
    QFETCH(QString, text);
    const QString name = QString::fromLatin1(QTest::currentDataTag());

    auto *sub = m_form->findChild<QMenu *>(submenu);
    QVERIFY(sub);
    QAction *item = nullptr;
    for (QAction *a : sub->actions()) {
        if (a->objectName() == name)
            item = a;
    }
    QVERIFY2(item, qPrintable(name + QStringLiteral(" is not in ") + submenu));
    QCOMPARE(item->text(), caption);

    TQGSqlEditor *memo = m_form->Memo1();
    QVERIFY(memo->toPlainText().isEmpty());
    QSignalSpy changed(memo, &QPlainTextEdit::textChanged);
    item->trigger();
    QCOMPARE(memo->toPlainText(), editorText(text));
    QVERIFY(changed.count() >= 1);
    // The caret ends behind the template, ready for the next word.
    QCOMPARE(memo->textCursor().position(), editorText(text).size());
    QVERIFY(!memo->textCursor().hasSelection());
}

void TestTemplates::menuStructure()
{
    auto *menu = m_form->findChild<QMenu *>(QStringLiteral("SQLFunctions1"));
    QVERIFY(menu);
    QCOMPARE(menu->title(), QStringLiteral("&DML Templates"));
    QCOMPARE(captions(menu), (QStringList{"Select", "Update", "Delete", "Insert", "-", "Functions"}));

    const QStringList submenuNames{"Select2", "Update2", "Delete1", "Insert2", QString(), "Functions1"};
    const QList<QAction *> top = menu->actions();
    QCOMPARE(top.size(), submenuNames.size());
    for (int i = 0; i < top.size(); ++i) {
        if (submenuNames[i].isEmpty())
            continue;
        QVERIFY2(top[i]->menu(), qPrintable(submenuNames[i]));
        QCOMPARE(top[i]->menu()->objectName(), submenuNames[i]);
    }

    const auto sub = [this](const char *name) {
        auto *m = m_form->findChild<QMenu *>(QLatin1String(name));
        return m ? captions(m) : QStringList{QStringLiteral("missing")};
    };
    QCOMPARE(sub("Select2"), (QStringList{"Standard Query", "-", "Sub Query", "Exists Query", "Not Exists", "Group By"}));
    QCOMPARE(sub("Update2"), (QStringList{"Standard Update", "-", "Update with SubQuery"}));
    QCOMPARE(sub("Delete1"),
             (QStringList{"Delete All Records", "-", "Single Delete", "Conditional Delete", "SubQuery Delete"}));
    QCOMPARE(sub("Insert2"), (QStringList{"Standard Insert", "-", "Multiple Record Insert", "Table Copy Insert"}));
    QCOMPARE(sub("Functions1"), (QStringList{"Avg()", "Cast()", "Count()", "Max()", "Min()", "Sum()", "Upper()"}));

    // Every item has its own name, in menu order.
    QStringList names;
    for (const char *s : {"Select2", "Update2", "Delete1", "Insert2", "Functions1"}) {
        for (const QAction *a : m_form->findChild<QMenu *>(QLatin1String(s))->actions()) {
            if (!a->isSeparator())
                names << a->objectName();
        }
    }
    QCOMPARE(names, (QStringList{"StandardQuery1", "SubQuery1", "ExistsQuery1", "NotExists1", "GroupBy1",
                                 "StandardUpdate1", "UpdatewithSubQuery1", "DeleteAll1", "SingleDelete1",
                                 "ConditionalDelete1", "SubQueryDelete1", "StandardInsert1",
                                 "MultipleRecordInsert1", "TableCopyInsert1", "AVG1", "Cast1", "Count1", "MAX1",
                                 "Min1", "Sum1", "Upper1"}));
}

void TestTemplates::menuPlacedBeforeHelp()
{
    auto *bar = m_form->findChild<QMenuBar *>();
    QVERIFY(bar);
    QStringList titles;
    for (const QAction *a : bar->actions())
        titles << a->text();
    const int at = titles.indexOf(QStringLiteral("&DML Templates"));
    QVERIFY2(at > 0, qPrintable(titles.join(u'|')));
    QCOMPARE(titles.value(at - 1), QStringLiteral("&SQL Generator"));
    QCOMPARE(titles.value(at + 1), QStringLiteral("Help"));
}

void TestTemplates::selectionIsReplaced()
{
    TQGSqlEditor *memo = m_form->Memo1();
    memo->SetText(QStringLiteral("SELECT CustNo\r\nFROM CUSTOMER"));
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(7);
    cursor.setPosition(13, QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
    QCOMPARE(memo->textCursor().selectedText(), QStringLiteral("CustNo"));

    QVERIFY(action(QStringLiteral("MAX1")));
    action(QStringLiteral("MAX1"))->trigger();
    QCOMPARE(memo->toPlainText(), QStringLiteral("SELECT MAX(<fieldname>)\nFROM CUSTOMER"));
    QCOMPARE(memo->Lines(), (QStringList{"SELECT MAX(<fieldname>)", "FROM CUSTOMER"}));

    // A selection across lines is replaced as a whole by a template of several lines.
    memo->selectAll();
    action(QStringLiteral("ConditionalDelete1"))->trigger();
    QCOMPARE(memo->Lines(), (QStringList{"DELETE FROM <tablename>", "WHERE <conditionlist>;"}));
}

void TestTemplates::insertedAtCaret()
{
    TQGSqlEditor *memo = m_form->Memo1();
    memo->SetText(QStringLiteral("SELECT \r\nFROM CUSTOMER\r\nWHERE 1 = 1"));
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(7);  // behind "SELECT "
    memo->setTextCursor(cursor);

    QVERIFY(action(QStringLiteral("Count1")));
    action(QStringLiteral("Count1"))->trigger();
    QCOMPARE(memo->Lines(), (QStringList{"SELECT COUNT(<fieldname>)", "FROM CUSTOMER", "WHERE 1 = 1"}));

    // A template with its own closing line break, in the middle of a line.
    cursor = memo->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.movePosition(QTextCursor::StartOfBlock);
    memo->setTextCursor(cursor);
    action(QStringLiteral("TableCopyInsert1"))->trigger();
    QCOMPARE(memo->Lines(), (QStringList{"SELECT COUNT(<fieldname>)", "FROM CUSTOMER", "INSERT INTO <tablename1>",
                                         "SELECT * from <tablename2>;", "WHERE 1 = 1"}));
}

void TestTemplates::generatorPageStaysActive()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QTabWidget *pages = m_form->PageControl981();
    pages->setCurrentWidget(m_form->TabSheet1());
    QCoreApplication::processEvents();
    QVERIFY(!m_form->Memo1()->isVisible());
    QSignalSpy pageChanged(pages, &QTabWidget::currentChanged);

    QVERIFY(action(QStringLiteral("StandardQuery1")));
    action(QStringLiteral("StandardQuery1"))->trigger();
    QCoreApplication::processEvents();

    QCOMPARE(pages->currentWidget(), m_form->TabSheet1());
    QCOMPARE(pageChanged.count(), 0);
    QCOMPARE(m_form->Memo1()->Lines(), (QStringList{"SELECT * FROM <tablename>", "WHERE <conditionlist>;"}));
}

void TestTemplates::undoRestoresText_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("selectionStart");
    QTest::addColumn<int>("selectionEnd");
    QTest::newRow("at caret, one line") << "Upper1" << 7 << 7;
    QTest::newRow("at caret, several lines") << "UpdatewithSubQuery1" << 0 << 0;
    QTest::newRow("over a selection, several lines") << "SubQuery1" << 3 << 12;
}

void TestTemplates::undoRestoresText()
{
    QFETCH(QString, item);
    QFETCH(int, selectionStart);
    QFETCH(int, selectionEnd);

    TQGSqlEditor *memo = m_form->Memo1();
    const QString before = QStringLiteral("SELECT A.*\nFROM ORDERS A");
    memo->SetText(before);
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(selectionStart);
    cursor.setPosition(selectionEnd, QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);

    QVERIFY(action(item));
    action(item)->trigger();
    QVERIFY(memo->toPlainText() != before);

    // One Undo takes the whole template back, whatever its number of lines.
    memo->setFocus();
    QVERIFY(action(QStringLiteral("Undo1")));
    action(QStringLiteral("Undo1"))->trigger();
    QCOMPARE(memo->toPlainText(), before);
}

void TestTemplates::standaloneMenu()
{
    // The menu builder also serves an editor outside the designer window.
    QMenu menu;
    TQGSqlEditor editor;
    BuildTemplateMenu(&menu, &editor);
    QCOMPARE(captions(&menu), (QStringList{"Select", "Update", "Delete", "Insert", "-", "Functions"}));
    auto *cast = menu.findChild<QAction *>(QStringLiteral("Cast1"));
    QVERIFY(cast);
    cast->trigger();
    QCOMPARE(editor.toPlainText(), QStringLiteral("CAST (<value> AS <newdatatype>)"));

    InsertTemplate(&editor, QStringLiteral("\r\nA\rB"));
    QCOMPARE(editor.Lines(), (QStringList{"CAST (<value> AS <newdatatype>)", "A", "B"}));
}

QTEST_MAIN(TestTemplates)
#include "tst_templates.moc"
