#include "literaltext.h"

namespace {

enum class Reading { Code, String, Name, BlockComment };

} // namespace

QStringList WithServerBackslashes(const QStringList &lines, const IdentifierStyle &style)
{
    if (style.dialect != SqlDialect::MySQL || !style.backslashEscapes)
        return lines;
    QStringList out;
    out.reserve(lines.size());
    // A literal, a name or a comment may go on over the next line.
    Reading state = Reading::Code;
    QChar nameQuote;
    for (const QString &line : lines) {
        QString text;
        text.reserve(line.size() + 8);
        const qsizetype n = line.size();
        for (qsizetype i = 0; i < n; ++i) {
            const QChar c = line.at(i);
            const QChar next = i + 1 < n ? line.at(i + 1) : QChar();
            text.append(c);
            switch (state) {
            case Reading::Code:
                if (c == u'\'') {
                    state = Reading::String;
                } else if (c == u'"' || c == u'`') {
                    state = Reading::Name;
                    nameQuote = c;
                } else if (c == u'-' && next == u'-') {
                    // To the end of the line, as it is.
                    qsizetype end = line.indexOf(u'\n', i);
                    end = end < 0 ? n : end;
                    text.append(QStringView(line).mid(i + 1, end - i - 1));
                    i = end - 1;
                } else if (c == u'/' && next == u'*') {
                    text.append(next);
                    ++i;
                    state = Reading::BlockComment;
                }
                break;
            case Reading::String:
                // A doubled quote closes the literal and opens it again: the same.
                if (c == u'\\')
                    text.append(c);
                else if (c == u'\'')
                    state = Reading::Code;
                break;
            case Reading::Name:
                if (c == nameQuote)
                    state = Reading::Code;
                break;
            case Reading::BlockComment:
                if (c == u'*' && next == u'/') {
                    text.append(next);
                    ++i;
                    state = Reading::Code;
                }
                break;
            }
        }
        out << text;
    }
    return out;
}
