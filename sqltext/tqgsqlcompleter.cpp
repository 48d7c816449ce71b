// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgsqlcompleter.h"

#include "naming.h"
#include "sqllexer.h"
#include "tqgsqleditor.h"
#include "vdqerror.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QScrollBar>
#include <QStringListModel>

namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

// The start of the name that ends at `end` (a bare word or one quoted name), or -1.
int nameStart(const QString &text, int end)
{
    if (end <= 0)
        return -1;
    const QChar last = text.at(end - 1);
    if (last == u'"' || last == u'`' || last == u']') {
        const QChar open = last == u']' ? QChar(u'[') : last;
        const int start = int(text.lastIndexOf(open, end - 2));
        return start;
    }
    int start = end;
    while (start > 0 && isWordChar(text.at(start - 1)))
        --start;
    return start < end ? start : -1;
}

} // namespace

TQGSqlCompleter::TQGSqlCompleter(TQGSqlEditor *editor)
    : QObject(editor)
    , m_editor(editor)
    , m_completer(new QCompleter(this))
    , m_model(new QStringListModel(this))
{
    m_completer->setModel(m_model);
    m_completer->setWidget(editor);
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setMaxVisibleItems(12);
    connect(m_completer, qOverload<const QString &>(&QCompleter::activated), this, &TQGSqlCompleter::insert);
    // The open list follows the typing: it narrows, and closes when nothing fits any more.
    connect(editor, &QPlainTextEdit::textChanged, this, &TQGSqlCompleter::refresh);
    connect(editor, &QPlainTextEdit::cursorPositionChanged, this, &TQGSqlCompleter::refresh);
}

void TQGSqlCompleter::refresh()
{
    if (!PopupVisible())
        return;
    const QStringList candidates = Candidates(&m_wordStart);
    if (candidates.isEmpty()) {
        m_completer->popup()->hide();
        return;
    }
    if (candidates != m_model->stringList()) {
        m_model->setStringList(candidates);
        m_completer->popup()->setCurrentIndex(m_completer->completionModel()->index(0, 0));
    }
}

void TQGSqlCompleter::SetNames(const QStringList &tables, FieldSource fields, const IdentifierStyle &style)
{
    m_tables = tables;
    m_fields = std::move(fields);
    m_style = style;
    m_fieldCache.clear();
}

QStringList TQGSqlCompleter::fieldsOf(const QString &table) const
{
    auto it = m_fieldCache.constFind(table);
    if (it != m_fieldCache.constEnd())
        return *it;
    QStringList fields;
    if (m_fields) {
        try {
            fields = m_fields(table);
        } catch (const VdqError &) {
            // A table that cannot be read offers no fields; the editor is no place for the message.
        }
    }
    m_fieldCache.insert(table, fields);
    return fields;
}

QString TQGSqlCompleter::tableOfQualifier(const QString &qualifier, const QString &text) const
{
    for (const QString &table : m_tables) {
        if (table.compare(qualifier, Qt::CaseInsensitive) == 0)
            return table;
    }
    // The designer's own aliases: CLIENTS_DB for CLIENTS.DB.
    for (const QString &table : m_tables) {
        if (TableAlias(table).compare(qualifier, Qt::CaseInsensitive) == 0)
            return table;
    }
    // An alias the statement gives: "table alias" or "table AS alias".
    const QList<SqlToken> tokens = TokenizeSql(text, SqlLexOptions(m_style));
    auto nameAt = [&](int i) {
        const QString piece = text.mid(tokens[i].start, tokens[i].length);
        return tokens[i].kind == SqlTokenKind::QuotedName ? UnquotedName(piece) : piece;
    };
    auto nextToken = [&](int i) {
        for (++i; i < tokens.size(); ++i) {
            if (tokens[i].kind != SqlTokenKind::Space && tokens[i].kind != SqlTokenKind::Comment)
                return i;
        }
        return -1;
    };
    for (int i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind != SqlTokenKind::Word && tokens[i].kind != SqlTokenKind::QuotedName)
            continue;
        const QString name = nameAt(i);
        const auto table = std::find_if(m_tables.cbegin(), m_tables.cend(), [&](const QString &t) {
            return t.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (table == m_tables.cend())
            continue;
        int j = nextToken(i);
        if (j >= 0 && tokens[j].kind == SqlTokenKind::Word && nameAt(j).compare(u"AS", Qt::CaseInsensitive) == 0)
            j = nextToken(j);
        if (j < 0 || (tokens[j].kind != SqlTokenKind::Word && tokens[j].kind != SqlTokenKind::QuotedName))
            continue;
        if (tokens[j].kind == SqlTokenKind::Word && IsSqlKeyword(nameAt(j), m_style.dialect))
            continue;
        if (nameAt(j).compare(qualifier, Qt::CaseInsensitive) == 0)
            return *table;
    }
    return QString();
}

QString TQGSqlCompleter::written(const QString &name, bool table) const
{
    return table ? SqlTableName(name, m_style.dialect) : QuoteIdentifier(name, m_style);
}

QStringList TQGSqlCompleter::Candidates(int *wordStart) const
{
    const QString text = m_editor->toPlainText();
    const int cursor = m_editor->textCursor().position();
    int start = cursor;
    while (start > 0 && isWordChar(text.at(start - 1)))
        --start;
    const QString plainPrefix = text.mid(start, cursor - start);
    // An opening quote typed before the word is replaced too: the candidates bring their own.
    const bool quoteTyped = start > 0 && (text.at(start - 1) == u'"' || text.at(start - 1) == u'`' ||
                                          text.at(start - 1) == u'[');
    if (quoteTyped)
        --start;
    *wordStart = start;

    QStringList candidates;
    if (start > 0 && text.at(start - 1) == u'.') {
        const int qualifierStart = nameStart(text, start - 1);
        if (qualifierStart < 0)
            return {};
        const QString qualifier = UnquotedName(QStringView(text).mid(qualifierStart, start - 1 - qualifierStart));
        const QString table = tableOfQualifier(qualifier, text);
        if (table.isEmpty())
            return {};
        for (const QString &field : fieldsOf(table)) {
            if (field.startsWith(plainPrefix, Qt::CaseInsensitive))
                candidates << written(field, false);
        }
        return candidates;
    }
    for (const QString &table : m_tables) {
        if (table.startsWith(plainPrefix, Qt::CaseInsensitive))
            candidates << written(table, true);
    }
    if (!quoteTyped) {
        for (const QString &word : SqlKeywords(m_style.dialect)) {
            if (word.startsWith(plainPrefix, Qt::CaseInsensitive))
                candidates << word;
        }
    }
    return candidates;
}

void TQGSqlCompleter::Complete()
{
    const QStringList candidates = Candidates(&m_wordStart);
    if (candidates.isEmpty())
        return;
    if (candidates.size() == 1) {
        insert(candidates.first());
        return;
    }
    m_model->setStringList(candidates);
    QRect rect = m_editor->cursorRect();
    QAbstractItemView *popup = m_completer->popup();
    rect.setWidth(popup->sizeHintForColumn(0) + popup->verticalScrollBar()->sizeHint().width() + 8);
    m_completer->complete(rect);
    popup->setCurrentIndex(m_completer->completionModel()->index(0, 0));
}

bool TQGSqlCompleter::PopupVisible() const
{
    return m_completer->popup() && m_completer->popup()->isVisible();
}

void TQGSqlCompleter::insert(const QString &completion)
{
    QTextCursor cursor = m_editor->textCursor();
    const int end = cursor.position();
    cursor.setPosition(qMin(m_wordStart, end));
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.insertText(completion);
    m_editor->setTextCursor(cursor);
}
