// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "designfixture.h"
#include "tqgcanvascommands.h"
#include "tqgchecklistbox.h"
#include "tqgcomparisonform.h"
#include "tqgdatalink.h"
#include "tqgdbselect.h"
#include "tqgqueryexecution.h"
#include "tqgjoinform.h"
#include "tqgscrollbox.h"
#include "tqgsortform.h"
#include "tqgsqleditor.h"
#include "tqgvalueform.h"

#include <QAccessible>
#include <QtTest>

using namespace DesignFixture;

// What a screen reader finds: every control that takes the focus has a name, and a table
// window lists its fields with their ticks.
class TestAccessibility : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void everyFocusableControlIsNamed_data();
    void everyFocusableControlIsNamed();
    void tableWindowsShowFieldsAndTicks();

private:
    QTemporaryDir m_dir;
};

namespace {

// The focusable controls without a name, as "class objectName", under an interface.
void unnamed(QAccessibleInterface *iface, QStringList *out, int depth = 0)
{
    if (!iface || depth > 40)
        return;
    const QAccessible::State state = iface->state();
    if (state.invisible)
        return;  // nor anything inside it
    if (state.focusable && iface->text(QAccessible::Name).trimmed().isEmpty()) {
        QObject *o = iface->object();
        *out << QStringLiteral("%1 %2").arg(o ? o->metaObject()->className() : "?", o ? o->objectName() : QString());
    }
    for (int i = 0; i < iface->childCount(); ++i)
        unnamed(iface->child(i), out, depth + 1);
}

} // namespace

void TestAccessibility::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(MakeDatabase(m_dir.path(), {{"clients", {"ClientNo", "Town"}}, {"sales", {"SaleNo", "ClientNo"}}}));
}

void TestAccessibility::everyFocusableControlIsNamed_data()
{
    QTest::addColumn<QString>("window");
    for (const char *w : {"designer", "designer, SQL page", "comparison", "value", "sort", "join", "selection"})
        QTest::newRow(w) << QString::fromLatin1(w);
}

void TestAccessibility::everyFocusableControlIsNamed()
{
    QFETCH(QString, window);
    std::unique_ptr<TQGQueryForm> form = OpenForm();
    std::unique_ptr<QWidget> dialog;
    QWidget *top = form.get();
    if (window.startsWith(QLatin1String("designer"))) {
        TQGCanvasCommands *canvas = form->Canvas();
        TQGCheckListBox *clients = canvas->CreateTableWindow("clients", QRect(10, 10, 121, 180), true);
        TQGCheckListBox *sales = canvas->CreateTableWindow("sales", QRect(200, 10, 121, 180), true);
        canvas->CreateLink(sales, clients, QStringLiteral("sales.ClientNo = clients.ClientNo"));
        if (window.endsWith(QLatin1String("page"))) {
            form->Memo1()->setPlainText(QStringLiteral("SELECT * FROM clients"));
            form->PageControl981()->setCurrentIndex(1);
            form->Execution()->SpeedButton28Click();
        }
    } else if (window == QLatin1String("comparison")) {
        auto *d = new TQGComparisonForm;
        d->SetDesigner({}, IdentifierStyle(), {}, false);
        d->Prepare();
        dialog.reset(d);
    } else if (window == QLatin1String("value")) {
        dialog = std::make_unique<TQGValueForm>();
    } else if (window == QLatin1String("sort")) {
        dialog = std::make_unique<TQGSortForm>();
    } else if (window == QLatin1String("join")) {
        dialog = std::make_unique<TQGJoinForm>("clients", "sales", JoinType::Inner);
    } else {
        dialog = std::make_unique<TQGDBSelect>();
    }
    if (dialog)
        top = dialog.get();
    top->show();
    QVERIFY(QTest::qWaitForWindowExposed(top));
    QStringList missing;
    unnamed(QAccessible::queryAccessibleInterface(top), &missing);
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
}

void TestAccessibility::tableWindowsShowFieldsAndTicks()
{
    std::unique_ptr<TQGQueryForm> form = OpenForm();
    TQGCheckListBox *clients = form->Canvas()->CreateTableWindow("clients", QRect(10, 10, 121, 180), true);
    form->Canvas()->SetFieldTicked(clients, 1, false);
    TQGCheckListBox *sales = form->Canvas()->CreateTableWindow("sales", QRect(200, 10, 121, 180), true);
    TQGDataLink *link = form->Canvas()->CreateLink(sales, clients, QStringLiteral("sales.ClientNo = clients.ClientNo"));
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(clients);
    QVERIFY(window);
    QCOMPARE(window->text(QAccessible::Name), QStringLiteral("clients"));
    QStringList fields;
    for (int i = 0; i < window->childCount(); ++i) {
        QAccessibleInterface *cell = window->child(i);
        if (cell->role() == QAccessible::ListItem || cell->role() == QAccessible::Cell)
            fields << cell->text(QAccessible::Name) + (cell->state().checked ? QStringLiteral(" [x]") : QStringLiteral(" [ ]"));
    }
    QCOMPARE(fields, QStringList({"ClientNo [x]", "Town [ ]"}));
    QAccessibleInterface *line = QAccessible::queryAccessibleInterface(link);
    QVERIFY(line);
    QVERIFY2(line->text(QAccessible::Name).contains(QStringLiteral("sales.ClientNo = clients.ClientNo")),
             qPrintable(line->text(QAccessible::Name)));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
