// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgchecklistbox.h"
#include "tqgdatalink.h"

#include <QPointer>
#include <QtTest>

class TestDataLink : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void bounds_data();
    void bounds();
    void missingEndChangesNothing();
    void hoverColour();
    void diesWithEitherWindow_data();
    void diesWithEitherWindow();
    void parentDeletionInAnyOrder_data();
    void parentDeletionInAnyOrder();
    void settingSameWindowTwice();
};

void TestDataLink::bounds_data()
{
    QTest::addColumn<QRect>("source");
    QTest::addColumn<QRect>("target");
    QTest::addColumn<QRect>("link");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QLine>("line");
    const QRect a(50, 40, 121, 180);
    QTest::newRow("falling") << a << QRect(300, 140, 121, 180) << QRect(171, 60, 129, 100)
                             << int(TQGDataLink::Falling) << QLine(0, 0, 129, 100);
    QTest::newRow("rising") << a << QRect(300, 10, 121, 180) << QRect(171, 30, 129, 30)
                            << int(TQGDataLink::Rising) << QLine(0, 30, 129, 0);
    QTest::newRow("dragged the other way") << QRect(300, 140, 121, 180) << a << QRect(171, 60, 129, 100)
                                           << int(TQGDataLink::Falling) << QLine(0, 0, 129, 100);
    // Same left: the target is taken as the left window (its right edge 171).
    QTest::newRow("same left") << QRect(50, 300, 200, 180) << a << QRect(171, 60, 121, 260)
                               << int(TQGDataLink::Falling) << QLine(0, 0, 121, 260);
    // Equal tops: horizontal, with the least height that shows the line.
    QTest::newRow("horizontal") << a << QRect(300, 40, 121, 180) << QRect(171, 60, 129, 2)
                                << int(TQGDataLink::Horizontal) << QLine(0, 1, 129, 1);
    // Touching edges: vertical, with the least width that shows the line.
    QTest::newRow("vertical") << a << QRect(171, 240, 121, 180) << QRect(171, 60, 2, 200)
                              << int(TQGDataLink::Vertical) << QLine(1, 0, 1, 200);
    // Overlapping horizontally: still from the left window's right edge, |x2 - x1| wide.
    QTest::newRow("overlap") << a << QRect(100, 100, 121, 180) << QRect(171, 60, 71, 60)
                             << int(TQGDataLink::Falling) << QLine(0, 0, 71, 60);
}

void TestDataLink::bounds()
{
    QFETCH(QRect, source);
    QFETCH(QRect, target);
    QFETCH(QRect, link);
    QFETCH(int, direction);
    QFETCH(QLine, line);
    QWidget canvas;
    auto *a = new TQGCheckListBox(&canvas);
    auto *b = new TQGCheckListBox(&canvas);
    a->setGeometry(source);
    b->setGeometry(target);
    auto *l = new TQGDataLink(&canvas);
    QCOMPARE(l->size(), QSize(65, 65));
    l->SetField1ListBox(a);
    l->SetField2ListBox(b);
    TQGDataLink::UpdateLinkBounds(l);
    QCOMPARE(l->geometry(), link);
    QCOMPARE(int(l->LinkDirection()), direction);
    QCOMPARE(l->LineGeometry(), line);
}

void TestDataLink::missingEndChangesNothing()
{
    QWidget canvas;
    auto *a = new TQGCheckListBox(&canvas);
    auto *l = new TQGDataLink(&canvas);
    l->setGeometry(1, 2, 3, 4);
    l->SetField1ListBox(a);
    TQGDataLink::UpdateLinkBounds(l);
    QCOMPARE(l->geometry(), QRect(1, 2, 3, 4));
    TQGDataLink::UpdateLinkBounds(nullptr);
}

void TestDataLink::hoverColour()
{
    QWidget canvas;
    canvas.resize(400, 300);
    auto *a = new TQGCheckListBox(&canvas);
    auto *b = new TQGCheckListBox(&canvas);
    a->setGeometry(10, 10, 100, 100);
    b->setGeometry(200, 120, 100, 100);
    auto *l = new TQGDataLink(&canvas);
    l->SetField1ListBox(a);
    l->SetField2ListBox(b);
    l->SetHint(QStringLiteral("a.x = b.y"));
    TQGDataLink::UpdateLinkBounds(l);
    canvas.show();
    QCOMPARE(l->toolTip(), QStringLiteral("a.x = b.y"));
    const QImage before = l->grab().toImage();
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(l, &enter);
    QVERIFY(l->MouseOver());
    const QImage over = l->grab().toImage();
    QVERIFY(before != over);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(l, &leave);
    QVERIFY(!l->MouseOver());
    QCOMPARE(l->grab().toImage(), before);
}

void TestDataLink::diesWithEitherWindow_data()
{
    QTest::addColumn<bool>("first");
    QTest::newRow("source window destroyed") << true;
    QTest::newRow("target window destroyed") << false;
}

void TestDataLink::diesWithEitherWindow()
{
    QFETCH(bool, first);
    QWidget canvas;
    auto *a = new TQGCheckListBox(&canvas);
    auto *b = new TQGCheckListBox(&canvas);
    QPointer<TQGDataLink> l = new TQGDataLink(&canvas);
    l->SetField1ListBox(a);
    l->SetField2ListBox(b);
    delete (first ? a : b);
    QVERIFY(!l);
}

void TestDataLink::parentDeletionInAnyOrder_data()
{
    QTest::addColumn<QList<int>>("order");  // creation order: 0 = window a, 1 = window b, 2 = link
    QTest::newRow("windows first") << QList<int>{0, 1, 2};
    QTest::newRow("link first") << QList<int>{2, 0, 1};
    QTest::newRow("link between") << QList<int>{0, 2, 1};
}

void TestDataLink::parentDeletionInAnyOrder()
{
    QFETCH(QList<int>, order);
    // The canvas deletes its children in creation order; a link that dies with the first of
    // its windows must not be deleted a second time.
    auto *canvas = new QWidget;
    TQGCheckListBox *a = nullptr;
    TQGCheckListBox *b = nullptr;
    TQGDataLink *l = nullptr;
    for (int kind : order) {
        if (kind == 0)
            a = new TQGCheckListBox(canvas);
        else if (kind == 1)
            b = new TQGCheckListBox(canvas);
        else
            l = new TQGDataLink(canvas);
    }
    l->SetField1ListBox(a);
    l->SetField2ListBox(b);
    QPointer<TQGDataLink> watch = l;
    delete canvas;
    QVERIFY(!watch);
}

void TestDataLink::settingSameWindowTwice()
{
    QWidget canvas;
    auto *a = new TQGCheckListBox(&canvas);
    auto *b = new TQGCheckListBox(&canvas);
    QPointer<TQGDataLink> l = new TQGDataLink(&canvas);
    l->SetField1ListBox(a);
    l->SetField1ListBox(a);
    l->SetField2ListBox(b);
    QCOMPARE(l->Field1ListBox(), a);
    delete a;
    QVERIFY(!l);
}

QTEST_MAIN(TestDataLink)
#include "tst_datalink.moc"
