#include "designfixture.h"
#include "tform1.h"
#include "tqgdbselect.h"
#include "tqgsqleditor.h"
#include "tvdruntimequery.h"

#include <QComboBox>
#include <QLabel>
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
    for (int i = 1; i <= 8; ++i)
        QVERIFY(form.findChild<QLabel *>(QStringLiteral("Label%1").arg(i)));
}

void TestHost::buttonRunsDesigner()
{
    TForm1 form;
    form.ComboBox1()->setCurrentIndex(0);
    form.VDRunTimeQuery1()->SetShowHook([](QWidget *w) {
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
    form.VDRunTimeQuery1()->SetShowHook([&](QWidget *w) {
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
    form.VDRunTimeQuery1()->SetShowHook([&](QWidget *w) {
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

QTEST_MAIN(TestHost)
#include "tst_host.moc"
