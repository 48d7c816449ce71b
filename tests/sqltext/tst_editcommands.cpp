// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgeditcommands.h"
#include "tqgqueryform.h"
#include "tqgscrollbox.h"
#include "tqgsqleditor.h"
#include "tqgtablelist.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QTabWidget>
#include <QTextCursor>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

class TestEditCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void emptySelectionDisables();
    void undoAndSelectAllAlwaysEnabled();
    void pasteFollowsClipboard();
    void caretMovesReadNoClipboardText();
    void deleteLeavesClipboard_data();
    void deleteLeavesClipboard();
    void cutMovesToClipboard_data();
    void cutMovesToClipboard();
    void copyKeepsText_data();
    void copyKeepsText();
    void pasteReplacesSelection();
    void undoAfterPaste();
    void selectAllCommands_data();
    void selectAllCommands();
    void shortcutsOnGeneratorPage_data();
    void shortcutsOnGeneratorPage();
    void editMenuOrder();

private:
    QObject *control(const QString &name) const;
    bool enabled(const QString &name) const;
    void trigger(const QString &name);
    void select(int from, int to);
    std::unique_ptr<TQGQueryForm> m_form;
};

namespace {

const QStringList SelectionControls{"Cut1", "Copy1", "Delete3", "Cut2", "Copy2", "Delete4", "bCut", "bCopy", "bDelete"};
const QStringList PasteControls{"Paste1", "Paste2", "bPaste"};
const QStringList AlwaysControls{"Undo1", "Undo2", "SelectAll1", "SelectAll2"};

QClipboard *clipboard() { return QGuiApplication::clipboard(); }

} // namespace

void TestEditCommands::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    // Everything below relies on the platform's clipboard holding data within this process.
    QVERIFY(clipboard());
    clipboard()->setText(QStringLiteral("probe"));
    QVERIFY2(clipboard()->text() == QStringLiteral("probe"),
             "the platform's clipboard does not keep text within the process");
    clipboard()->clear();
    QVERIFY(clipboard()->text().isEmpty());
}

void TestEditCommands::init()
{
    clipboard()->clear();
    m_form = std::make_unique<TQGQueryForm>();
    QVERIFY(m_form->findChild<TQGEditCommands *>(QStringLiteral("EditCommands")));
}

void TestEditCommands::cleanup()
{
    m_form.reset();
    clipboard()->clear();
}

QObject *TestEditCommands::control(const QString &name) const
{
    if (QAction *a = m_form->findChild<QAction *>(name))
        return a;
    return m_form->findChild<QToolButton *>(name);
}

bool TestEditCommands::enabled(const QString &name) const
{
    QObject *c = control(name);
    if (auto *a = qobject_cast<QAction *>(c))
        return a->isEnabled();
    if (auto *b = qobject_cast<QToolButton *>(c))
        return b->isEnabled();
    qWarning("no control %s", qPrintable(name));
    return false;
}

void TestEditCommands::trigger(const QString &name)
{
    QObject *c = control(name);
    if (auto *a = qobject_cast<QAction *>(c))
        a->trigger();
    else if (auto *b = qobject_cast<QToolButton *>(c))
        b->click();
    else
        QFAIL(qPrintable(QStringLiteral("no control ") + name));
}

void TestEditCommands::select(int from, int to)
{
    QTextCursor cursor = m_form->Memo1()->textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    m_form->Memo1()->setTextCursor(cursor);
}

void TestEditCommands::emptySelectionDisables()
{
    for (const QString &name : SelectionControls + PasteControls + AlwaysControls)
        QVERIFY2(control(name), qPrintable(name));

    m_form->Memo1()->SetText(QStringLiteral("SELECT *\r\nFROM CUSTOMER"));
    select(3, 3);
    for (const QString &name : SelectionControls)
        QVERIFY2(!enabled(name), qPrintable(name + QStringLiteral(" enabled without a selection")));

    select(3, 4);
    for (const QString &name : SelectionControls)
        QVERIFY2(enabled(name), qPrintable(name + QStringLiteral(" disabled with one character selected")));

    // Moving the caret drops the selection again.
    QTextCursor cursor = m_form->Memo1()->textCursor();
    cursor.clearSelection();
    m_form->Memo1()->setTextCursor(cursor);
    for (const QString &name : SelectionControls)
        QVERIFY2(!enabled(name), qPrintable(name));
}

void TestEditCommands::undoAndSelectAllAlwaysEnabled()
{
    for (const QString &name : AlwaysControls)
        QVERIFY2(enabled(name), qPrintable(name));
    m_form->Memo1()->SetText(QStringLiteral("SELECT 1"));
    select(0, 3);
    clipboard()->setText(QStringLiteral("x"));
    clipboard()->clear();
    for (const QString &name : AlwaysControls)
        QVERIFY2(enabled(name), qPrintable(name));
}

void TestEditCommands::pasteFollowsClipboard()
{
    for (const QString &name : PasteControls)
        QVERIFY2(!enabled(name), qPrintable(name + QStringLiteral(" enabled with an empty clipboard")));

    // Another program copying text: nothing happens in the designer but the notice.
    clipboard()->setText(QStringLiteral("CUSTOMER"));
    for (const QString &name : PasteControls)
        QVERIFY2(enabled(name), qPrintable(name + QStringLiteral(" did not follow the clipboard")));

    clipboard()->clear();
    for (const QString &name : PasteControls)
        QVERIFY2(!enabled(name), qPrintable(name + QStringLiteral(" enabled after the clipboard was cleared")));

    clipboard()->setText(QStringLiteral("CUSTOMER"));
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    clipboard()->setImage(picture);
    QVERIFY(clipboard()->text().isEmpty());
    QVERIFY(clipboard()->mimeData()->hasImage());
    for (const QString &name : PasteControls)
        QVERIFY2(!enabled(name), qPrintable(name + QStringLiteral(" enabled for a picture")));

    // Text of only white space is still text.
    clipboard()->setText(QStringLiteral(" "));
    for (const QString &name : PasteControls)
        QVERIFY2(enabled(name), qPrintable(name));
}

namespace {

// Clipboard data that counts how often its contents are read.
class CountingMimeData : public QMimeData
{
public:
    int *reads;
    explicit CountingMimeData(int *counter) : reads(counter) {}

protected:
    QVariant retrieveData(const QString &format, QMetaType type) const override
    {
        ++*reads;
        return QMimeData::retrieveData(format, type);
    }
};

} // namespace

void TestEditCommands::caretMovesReadNoClipboardText()
{
    int reads = 0;
    auto *data = new CountingMimeData(&reads);
    data->setText(QString(1000, u'x'));
    clipboard()->setMimeData(data);
    for (const QString &name : PasteControls)
        QVERIFY2(enabled(name), qPrintable(name));

    TQGSqlEditor *memo = m_form->Memo1();
    memo->SetText(QStringLiteral("SELECT 1\nFROM CUSTOMER"));
    reads = 0;
    for (int i = 0; i < 8; ++i)
        QTest::keyClick(memo, Qt::Key_Right);
    QTest::keyClick(memo, Qt::Key_Right, Qt::ShiftModifier);
    // The Edit menu opening recomputes the state too.
    Q_EMIT m_form->findChild<QMenu *>(QStringLiteral("Edit1"))->aboutToShow();
    QCOMPARE(reads, 0);
    for (const QString &name : PasteControls)
        QVERIFY2(enabled(name), qPrintable(name));
}

void TestEditCommands::deleteLeavesClipboard_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("Edit menu") << "Delete3";
    QTest::newRow("editor menu") << "Delete4";
    QTest::newRow("tool button") << "bDelete";
}

void TestEditCommands::deleteLeavesClipboard()
{
    QFETCH(QString, control);
    clipboard()->setText(QStringLiteral("kept"));
    m_form->Memo1()->SetText(QStringLiteral("SELECT Name\r\nFROM CUSTOMER"));
    select(7, 11);
    trigger(control);
    QCOMPARE(m_form->Memo1()->toPlainText(), QStringLiteral("SELECT \nFROM CUSTOMER"));
    QCOMPARE(clipboard()->text(), QStringLiteral("kept"));
    // The selection is gone, and with it Cut, Copy and Delete.
    QVERIFY(!m_form->Memo1()->textCursor().hasSelection());
    QVERIFY(!enabled(control));

    // Without a selection the command does nothing.
    trigger(control);
    QCOMPARE(m_form->Memo1()->toPlainText(), QStringLiteral("SELECT \nFROM CUSTOMER"));
}

void TestEditCommands::cutMovesToClipboard_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("Edit menu") << "Cut1";
    QTest::newRow("editor menu") << "Cut2";
    QTest::newRow("tool button") << "bCut";
}

void TestEditCommands::cutMovesToClipboard()
{
    QFETCH(QString, control);
    clipboard()->setText(QStringLiteral("old"));
    m_form->Memo1()->SetText(QStringLiteral("SELECT Name\r\nFROM CUSTOMER"));
    select(7, 16);  // "Name\nFROM" across the line break
    trigger(control);
    QCOMPARE(m_form->Memo1()->toPlainText(), QStringLiteral("SELECT  CUSTOMER"));
    QCOMPARE(clipboard()->text(), QStringLiteral("Name\nFROM"));
    for (const QString &name : PasteControls)
        QVERIFY2(enabled(name), qPrintable(name));
}

void TestEditCommands::copyKeepsText_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("Edit menu") << "Copy1";
    QTest::newRow("editor menu") << "Copy2";
    QTest::newRow("tool button") << "bCopy";
}

void TestEditCommands::copyKeepsText()
{
    QFETCH(QString, control);
    m_form->Memo1()->SetText(QStringLiteral("SELECT Name\r\nFROM CUSTOMER"));
    select(17, 25);
    for (const QString &name : PasteControls)
        QVERIFY(!enabled(name));
    trigger(control);
    QCOMPARE(clipboard()->text(), QStringLiteral("CUSTOMER"));
    QCOMPARE(m_form->Memo1()->toPlainText(), QStringLiteral("SELECT Name\nFROM CUSTOMER"));
    QCOMPARE(m_form->Memo1()->textCursor().selectedText(), QStringLiteral("CUSTOMER"));
    for (const QString &name : PasteControls)
        QVERIFY2(enabled(name), qPrintable(name));
}

void TestEditCommands::pasteReplacesSelection()
{
    const QStringList controls{"Paste1", "Paste2", "bPaste"};
    for (const QString &name : controls) {
        clipboard()->setText(QStringLiteral("ORDERS"));
        m_form->Memo1()->SetText(QStringLiteral("SELECT *\r\nFROM CUSTOMER"));
        select(14, 22);
        trigger(name);
        QCOMPARE(m_form->Memo1()->toPlainText(), QStringLiteral("SELECT *\nFROM ORDERS"));
        QCOMPARE(clipboard()->text(), QStringLiteral("ORDERS"));
    }
}

void TestEditCommands::undoAfterPaste()
{
    TQGSqlEditor *memo = m_form->Memo1();
    const QString before = QStringLiteral("SELECT *\nFROM CUSTOMER");
    memo->SetText(before);
    clipboard()->setText(QStringLiteral("ORDERS\r\nWHERE 1 = 1"));

    // At the caret.
    select(memo->toPlainText().size() - 8, memo->toPlainText().size() - 8);
    trigger(QStringLiteral("Paste1"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("SELECT *\nFROM ORDERS\nWHERE 1 = 1CUSTOMER"));
    memo->setFocus();  // Undo is the editor's while it has the focus
    trigger(QStringLiteral("Undo1"));
    QCOMPARE(memo->toPlainText(), before);

    // Over a selection, undone from the editor menu.
    select(14, 22);
    trigger(QStringLiteral("bPaste"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("SELECT *\nFROM ORDERS\nWHERE 1 = 1"));
    trigger(QStringLiteral("Undo2"));
    QCOMPARE(memo->toPlainText(), before);
}

void TestEditCommands::selectAllCommands_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("Edit menu") << "SelectAll1";
    QTest::newRow("editor menu") << "SelectAll2";
}

void TestEditCommands::selectAllCommands()
{
    QFETCH(QString, control);
    m_form->Memo1()->SetText(QStringLiteral("SELECT *\r\nFROM CUSTOMER"));
    select(2, 2);
    trigger(control);
    const QTextCursor cursor = m_form->Memo1()->textCursor();
    QCOMPARE(cursor.selectionStart(), 0);
    QCOMPARE(cursor.selectionEnd(), m_form->Memo1()->toPlainText().size());
    for (const QString &name : SelectionControls)
        QVERIFY2(enabled(name), qPrintable(name));
}

void TestEditCommands::shortcutsOnGeneratorPage_data()
{
    QTest::addColumn<QString>("focus");
    QTest::newRow("table list") << "ListView1";
    QTest::newRow("conditions list") << "ListView2";
    QTest::newRow("canvas") << "ScrollBox1";
}

void TestEditCommands::shortcutsOnGeneratorPage()
{
    QFETCH(QString, focus);
    const QString text = QStringLiteral("SELECT *\nFROM CUSTOMER\nWHERE CustNo = 1");
    TQGSqlEditor *memo = m_form->Memo1();
    memo->SetText(text);
    select(0, 0);

    m_form->show();
    QApplication::setActiveWindow(m_form.get());
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    m_form->PageControl981()->setCurrentWidget(m_form->TabSheet1());
    QVERIFY(!memo->isVisible());

    QWidget *target = nullptr;
    if (focus == QLatin1String("ListView1"))
        target = m_form->ListView1();
    else if (focus == QLatin1String("ListView2"))
        target = m_form->ListView2();
    else
        target = m_form->ScrollBox1();
    QVERIFY(target);
    QVERIFY2(target->isVisible(), qPrintable(focus + QStringLiteral(" is not showing")));
    // The table list may be a composite; its focusable part takes the focus.
    QWidget *focusable = target->focusPolicy() != Qt::NoFocus ? target : nullptr;
    // The table list's view, not its filter box, which keeps Ctrl+A and Ctrl+C for its text.
    if (focus == QLatin1String("ListView1"))
        focusable = m_form->ListView1()->CurrentView();
    if (!focusable) {
        for (QWidget *w : target->findChildren<QWidget *>()) {
            if (w->isVisible() && w->focusPolicy() != Qt::NoFocus) {
                focusable = w;
                break;
            }
        }
    }
    QVERIFY2(focusable, qPrintable(focus + QStringLiteral(" cannot take the focus")));
    focusable->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), focusable);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    if (focus == QLatin1String("ListView1")) {
        // In the table list Ctrl+A selects every table; the SQL text is left as it was.
        QCOMPARE(m_form->ListView1()->SelectedCaptions(), m_form->ListView1()->Captions());
        QVERIFY(!memo->textCursor().hasSelection());
        memo->selectAll();
    } else {
        QCOMPARE(memo->textCursor().selectionStart(), 0);
        QCOMPARE(memo->textCursor().selectionEnd(), text.size());
    }

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard()->text(), text);

    // Neither key changed the page or the text.
    QCOMPARE(m_form->PageControl981()->currentWidget(), m_form->TabSheet1());
    QCOMPARE(memo->toPlainText(), text);
}

void TestEditCommands::editMenuOrder()
{
    auto *edit = m_form->findChild<QMenu *>(QStringLiteral("Edit1"));
    QVERIFY(edit);
    QStringList names;
    for (const QAction *a : edit->actions())
        names << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    QCOMPARE(names, (QStringList{"Undo1", "Redo1", "-", "Cut1", "Copy1", "Paste1", "Delete3", "-", "SelectAll1"}));

    // Opening the menu recomputes the state, even when no notice came before it.
    m_form->Memo1()->SetText(QStringLiteral("SELECT 1"));
    select(0, 0);
    QVERIFY(!enabled(QStringLiteral("Cut1")));
    m_form->Memo1()->blockSignals(true);
    select(0, 6);
    m_form->Memo1()->blockSignals(false);
    QVERIFY(!enabled(QStringLiteral("Cut1")));
    emit edit->aboutToShow();
    for (const QString &name : SelectionControls)
        QVERIFY2(enabled(name), qPrintable(name));
}

QTEST_MAIN(TestEditCommands)
#include "tst_editcommands.moc"
