#include "tqgsqleditor.h"

#include <QFontDatabase>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QFont editorFont()
{
    // "Courier" where the family exists; otherwise the system's fixed font.
    QFont font(QStringLiteral("Courier"));
    font.setPointSize(10);
    font.setStyleHint(QFont::TypeWriter, QFont::PreferDefault);
    if (!QFontInfo(font).fixedPitch()) {
        QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        fixed.setPointSize(10);
        return fixed;
    }
    return font;
}

} // namespace

TQGSqlEditor::TQGSqlEditor(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("Memo1"));
    setFont(editorFont());
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(false);
}

QStringList TQGSqlEditor::Lines() const
{
    const QString text = toPlainText();
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(u'\n');
    if (text.endsWith(u'\n'))
        lines.removeLast();
    return lines;
}

void TQGSqlEditor::SetLines(const QStringList &lines)
{
    QTextDocument *doc = document();
    const int count = doc->isEmpty() ? 0 : doc->blockCount();
    if (count == 0 || count != lines.size()) {
        setPlainText(lines.join(u'\n'));
        return;
    }
    // The same number of lines (a tick changed, a value edited): only the run of lines that
    // differ is replaced, so the editor lays out just those again.
    int first = 0;
    QTextBlock block = doc->begin();
    while (first < count && block.text() == lines.at(first)) {
        block = block.next();
        ++first;
    }
    if (first == count)
        return;
    int last = count - 1;
    QTextBlock tail = doc->lastBlock();
    while (last > first && tail.text() == lines.at(last)) {
        tail = tail.previous();
        --last;
    }
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    QTextCursor cursor(doc);
    cursor.setPosition(block.position());
    cursor.setPosition(tail.position() + tail.length() - 1, QTextCursor::KeepAnchor);
    cursor.insertText(lines.mid(first, last - first + 1).join(u'\n'));
    // Like a new text, a regeneration starts the editor's undo afresh.
    doc->setUndoRedoEnabled(undo);
}

void TQGSqlEditor::SetText(const QString &text)
{
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalized.replace(u'\r', u'\n');
    setPlainText(normalized);
}
