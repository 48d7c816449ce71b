// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause
// The SQL editor with a 10,000-line statement: how long setting the text, a keystroke and
// a page of scrolling take with the colouring, next to a plain QPlainTextEdit. The worst
// keystroke is "/*" typed on the first line, which turns every later line into a comment.
// Prints, in milliseconds (medians):
//
//   lines=10000 set_ms=… key_ms=… comment_open_ms=… page_ms=… plain_set_ms=… plain_key_ms=… plain_page_ms=…
//
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_editor

#include "tqgsqleditor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int Lines = 10000;

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

QString statement()
{
    QStringList lines{QStringLiteral("SELECT")};
    for (int i = 0; i < Lines - 3; ++i) {
        switch (i % 4) {
        case 0: lines << QStringLiteral("  clients.\"Name %1\", 'it''s %1' AS label%1,").arg(i); break;
        case 1: lines << QStringLiteral("  -- the amount of row %1").arg(i); break;
        case 2: lines << QStringLiteral("  sales.Amount * 1.5e2 + :param%1, -- note").arg(i); break;
        default: lines << QStringLiteral("  CASE WHEN x%1 IS NULL THEN 0 ELSE %1 END,").arg(i); break;
        }
    }
    lines << QStringLiteral("  1") << QStringLiteral("FROM clients, sales WHERE clients.ClientNo = sales.ClientNo");
    return lines.join(u'\n');
}

struct Figures
{
    double set = 0, key = 0, commentOpen = 0, page = 0;
};

template <typename Editor, typename Set>
Figures measure(Editor &editor, Set set, const QString &text)
{
    Figures f;
    editor.resize(900, 700);
    editor.show();
    QList<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < 5; ++i) {
        timer.start();
        set(text);
        editor.repaint();
        times << timer.nsecsElapsed() / 1e6;
    }
    f.set = median(times);

    // A keystroke in the middle of the text, painted.
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(text.size() / 2);
    editor.setTextCursor(cursor);
    editor.centerCursor();
    times.clear();
    for (int i = 0; i < 41; ++i) {
        timer.start();
        QTest::keyClick(&editor, i % 2 ? Qt::Key_Backspace : Qt::Key_X);
        editor.repaint();
        times << timer.nsecsElapsed() / 1e6;
    }
    f.key = median(times);

    // "/*" on the first line, then taken away again: every later line changes colour twice.
    times.clear();
    for (int i = 0; i < 5; ++i) {
        cursor.setPosition(0);
        editor.setTextCursor(cursor);
        timer.start();
        QTest::keyClicks(&editor, QStringLiteral("/*"));
        if (i == 0 && !editor.toPlainText().startsWith(QStringLiteral("/*")))
            std::fprintf(stderr, "the keys did not reach the editor\n");
        QTest::keyClick(&editor, Qt::Key_Backspace);
        QTest::keyClick(&editor, Qt::Key_Backspace);
        editor.repaint();
        times << timer.nsecsElapsed() / 1e6;
    }
    f.commentOpen = median(times);

    times.clear();
    editor.verticalScrollBar()->setValue(0);
    for (int i = 0; i < 41; ++i) {
        timer.start();
        QTest::keyClick(&editor, Qt::Key_PageDown);
        editor.repaint();
        times << timer.nsecsElapsed() / 1e6;
    }
    f.page = median(times);
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString text = statement();

    TQGSqlEditor editor;
    const Figures coloured = measure(editor, [&](const QString &t) { editor.SetText(t); }, text);
    QPlainTextEdit plain;
    plain.setFont(editor.font());
    plain.setLineWrapMode(QPlainTextEdit::NoWrap);
    const Figures baseline = measure(plain, [&](const QString &t) { plain.setPlainText(t); }, text);

    std::printf("lines=%d set_ms=%.1f key_ms=%.2f comment_open_ms=%.1f page_ms=%.2f "
                "plain_set_ms=%.1f plain_key_ms=%.2f plain_page_ms=%.2f\n",
                Lines, coloured.set, coloured.key, coloured.commentOpen, coloured.page,
                baseline.set, baseline.key, baseline.page);
    return 0;
}
