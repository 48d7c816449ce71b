// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfixture.h"
#include "tqgsqlcompleter.h"
#include "tqgsqleditor.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QTextBlock>
#include <QtTest>

// Ctrl+Space in the designer's SQL editor, with the names of a real SQLite database, and
// the colouring of the text.
class TestSqlCompletion : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void complete_data();
    void complete();
    void severalCandidatesOpenAList();
    void fieldsAreReadOncePerDatabase();
    void highlighting();

private:
    QTemporaryDir m_dir;
};

void TestSqlCompletion::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(DesignFixture::MakeDatabase(m_dir.path(), {{QStringLiteral("clients"), {QStringLiteral("ClientNo"), QStringLiteral("Name")}},
                                                       {QStringLiteral("order items"), {QStringLiteral("ItemNo"), QStringLiteral("Qty")}},
                                                       {QStringLiteral("my sales"), {QStringLiteral("Id")}}}));
}

void TestSqlCompletion::complete_data()
{
    // "|" marks the cursor; the result is the text after Ctrl+Space with one candidate.
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("table") << "SELECT * FROM cl|" << "SELECT * FROM clients";
    QTest::newRow("table needing quotes") << "SELECT * FROM my|" << "SELECT * FROM \"my sales\"";
    QTest::newRow("typed quote") << "SELECT * FROM \"ord|" << "SELECT * FROM \"order items\"";
    QTest::newRow("keyword") << "SEL|" << "SELECT";
    QTest::newRow("field after table name") << "SELECT clients.Cl|" << "SELECT clients.\"ClientNo\"";
    QTest::newRow("field after designer alias") << "SELECT order_items.Q|" << "SELECT order_items.\"Qty\"";
    QTest::newRow("field after statement alias") << "SELECT c.N| FROM clients c" << "SELECT c.\"Name\" FROM clients c";
    QTest::newRow("field after AS alias of quoted table") << "SELECT o.I| FROM \"order items\" AS o"
                                                         << "SELECT o.\"ItemNo\" FROM \"order items\" AS o";
    QTest::newRow("unknown qualifier offers nothing") << "SELECT x.N|" << "SELECT x.N";
    QTest::newRow("keyword is no alias") << "SELECT w.N| FROM clients WHERE" << "SELECT w.N FROM clients WHERE";
}

void TestSqlCompletion::complete()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    auto form = DesignFixture::OpenForm();
    auto *memo = form->findChild<TQGSqlEditor *>(QStringLiteral("Memo1"));
    QVERIFY(memo);
    const int cursor = int(before.indexOf(u'|'));
    memo->SetText(QString(before).remove(u'|'));
    QTextCursor c = memo->textCursor();
    c.setPosition(cursor);
    memo->setTextCursor(c);
    QTest::keyClick(memo, Qt::Key_Space, Qt::ControlModifier);
    QCOMPARE(memo->toPlainText(), after);
}

void TestSqlCompletion::severalCandidatesOpenAList()
{
    auto form = DesignFixture::OpenForm();
    form->show();
    auto *memo = form->findChild<TQGSqlEditor *>(QStringLiteral("Memo1"));
    memo->SetText(QStringLiteral("SELECT clients."));
    memo->moveCursor(QTextCursor::End);
    int start = -1;
    QCOMPARE(memo->Completion()->Candidates(&start), (QStringList{QStringLiteral("\"ClientNo\""), QStringLiteral("\"Name\"")}));
    QCOMPARE(start, 15);
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_Space, Qt::ControlModifier);
    QTRY_VERIFY(memo->Completion()->PopupVisible());
    // Typing on narrows the list; a letter that fits nothing closes it.
    QTest::keyClick(memo, Qt::Key_N);
    QCOMPARE(memo->Completion()->Completer()->popup()->model()->rowCount(), 1);
    QTest::keyClick(memo, Qt::Key_Z);
    QVERIFY(!memo->Completion()->PopupVisible());
    QTest::keyClick(memo, Qt::Key_Backspace);
    QTest::keyClick(memo, Qt::Key_Backspace);
    QTest::keyClick(memo, Qt::Key_Space, Qt::ControlModifier);
    QTRY_VERIFY(memo->Completion()->PopupVisible());
    // Enter takes the chosen name and never reaches the editor as a line break.
    QAbstractItemView *popup = memo->Completion()->Completer()->popup();
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
    QCOMPARE(memo->toPlainText(), QStringLiteral("SELECT clients.\"Name\""));
}

void TestSqlCompletion::fieldsAreReadOncePerDatabase()
{
    auto form = DesignFixture::OpenForm();
    auto *memo = form->findChild<TQGSqlEditor *>(QStringLiteral("Memo1"));
    memo->SetText(QStringLiteral("SELECT clients."));
    memo->moveCursor(QTextCursor::End);
    int start = -1;
    QCOMPARE(memo->Completion()->Candidates(&start).size(), 2);
    // The table changes behind the designer's back; the names read stay until the
    // database is opened again.
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("alter"));
        db.setDatabaseName(QDir(m_dir.path()).filePath(QStringLiteral("shop.sqlite")));
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec(QStringLiteral("ALTER TABLE clients ADD COLUMN Town TEXT")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("alter"));
    QCOMPARE(memo->Completion()->Candidates(&start).size(), 2);
    form->OpenDesignDatabase(QStringLiteral("Default"), QStringLiteral("SHOP"));
    QCOMPARE(memo->Completion()->Candidates(&start).size(), 3);
}

void TestSqlCompletion::highlighting()
{
    TQGSqlEditor memo;
    memo.SetText(QStringLiteral("SELECT 'x' /* a\nb */ FROM `t`"));
    auto formatAt = [&](int blockNumber, int pos) {
        const QTextBlock block = memo.document()->findBlockByNumber(blockNumber);
        for (const QTextLayout::FormatRange &r : block.layout()->formats()) {
            if (pos >= r.start && pos < r.start + r.length)
                return r.format;
        }
        return QTextCharFormat();
    };
    QCOMPARE(formatAt(0, 0).fontWeight(), int(QFont::Bold));           // SELECT
    QVERIFY(formatAt(0, 8).foreground() != formatAt(0, 0).foreground()); // the string
    QVERIFY(formatAt(1, 0).fontItalic());                              // the comment's second line
    QCOMPARE(formatAt(1, 5).fontWeight(), int(QFont::Bold));           // FROM after it
    const QBrush backtickOnSqlite = formatAt(1, 11).foreground();
    memo.SetDialect(SqlDialect::PostgreSQL);
    QVERIFY(formatAt(1, 11).foreground() != backtickOnSqlite);         // a symbol there
    // The text itself stays plain.
    QCOMPARE(memo.toPlainText(), QStringLiteral("SELECT 'x' /* a\nb */ FROM `t`"));
}

QTEST_MAIN(TestSqlCompletion)
#include "tst_sqlcompletion.moc"
