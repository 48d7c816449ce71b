// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "rtftext.h"

#include "windows1252.h"

#include <QList>
#include <QStringDecoder>

namespace {

// Windows-1252, the code page RTF files name most often; its undefined bytes read as the
// replacement character.
QChar cp1252(int byte)
{
    if (byte < 0x80 || byte >= 0xA0)
        return QChar(byte);
    const QChar c = Windows1252Char(static_cast<unsigned char>(byte));
    return c.unicode() < 0xA0 ? QChar(QChar::ReplacementCharacter) : c;
}

// The characters of the document's \'hh bytes, in the code page its \ansicpgN names. Qt
// decodes the other Windows code pages only where it is built with ICU; without a decoder
// for the page the bytes read as Windows-1252, as they did before the page was known.
class CodePage
{
public:
    void select(int page)
    {
        m_decoder = QStringDecoder();
        if (page == 1252)
            return;
        const QByteArray name = page == 65001                           ? QByteArray("UTF-8")
                                : page == 874 || (page >= 1250 && page <= 1258) ? "windows-" + QByteArray::number(page)
                                                                                : "CP" + QByteArray::number(page);
        m_decoder = QStringDecoder(name.constData());
    }

    // The text of one more byte: empty while a multi-byte character is still open.
    QString decode(char byte)
    {
        if (!m_decoder.isValid())
            return QString(cp1252(uchar(byte)));
        QString text = m_decoder.decode(QByteArrayView(&byte, 1));
        for (QChar &c : text) {
            if (c.unicode() >= 0x80 && c.unicode() < 0xA0)
                c = QChar(QChar::ReplacementCharacter);  // a byte the page leaves undefined
        }
        return text;
    }

private:
    QStringDecoder m_decoder;
};

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// What a control word does to the text.
enum class WordKind {
    Destination,  // starts a group whose text is not shown
    Character,    // stands for one character
    UnicodeSkip,  // \ucN: fallback characters after each \uN
    Unicode,      // \uN: the character N (negative: N + 65536)
};

struct ControlWord
{
    const char *word;
    WordKind kind;
    char16_t character;
};

// The control words the text depends on; every other word is formatting and is dropped.
const ControlWord ControlWords[] = {
    {"fonttbl", WordKind::Destination, 0}, {"colortbl", WordKind::Destination, 0},
    {"stylesheet", WordKind::Destination, 0}, {"info", WordKind::Destination, 0},
    {"pict", WordKind::Destination, 0}, {"header", WordKind::Destination, 0},
    {"footer", WordKind::Destination, 0}, {"headerl", WordKind::Destination, 0},
    {"headerr", WordKind::Destination, 0}, {"footerl", WordKind::Destination, 0},
    {"footerr", WordKind::Destination, 0}, {"listtable", WordKind::Destination, 0},
    {"listoverridetable", WordKind::Destination, 0}, {"rsidtbl", WordKind::Destination, 0},
    {"generator", WordKind::Destination, 0}, {"xmlnstbl", WordKind::Destination, 0},
    {"themedata", WordKind::Destination, 0}, {"datastore", WordKind::Destination, 0},
    {"latentstyles", WordKind::Destination, 0}, {"object", WordKind::Destination, 0},
    {"fldinst", WordKind::Destination, 0}, {"filetbl", WordKind::Destination, 0},
    {"par", WordKind::Character, u'\n'}, {"line", WordKind::Character, u'\n'},
    {"sect", WordKind::Character, u'\n'}, {"page", WordKind::Character, u'\n'},
    {"tab", WordKind::Character, u'\t'}, {"emdash", WordKind::Character, 0x2014},
    {"endash", WordKind::Character, 0x2013}, {"bullet", WordKind::Character, 0x2022},
    {"lquote", WordKind::Character, 0x2018}, {"rquote", WordKind::Character, 0x2019},
    {"ldblquote", WordKind::Character, 0x201C}, {"rdblquote", WordKind::Character, 0x201D},
    {"uc", WordKind::UnicodeSkip, 0}, {"u", WordKind::Unicode, 0},
};

const ControlWord *findControlWord(const QByteArray &word)
{
    for (const ControlWord &entry : ControlWords) {
        if (word == entry.word)
            return &entry;
    }
    return nullptr;
}

struct Token
{
    enum Kind {
        End,          // the end of the bytes, or a backslash as the last byte
        GroupOpen,    // {
        GroupClose,   // }
        Character,    // text, an escaped character or a control symbol that stands for one
        Byte,         // a byte of the code page: \'hh, or one above ASCII in the text
        IgnoreGroup,  // \* : the group is an optional destination
        Word,         // a control word with its optional numeric parameter
    };
    Kind kind = End;
    QChar character;
    char byte = 0;
    QByteArray word;
    bool hasParam = false;
    int param = 0;
};

// Splits RTF bytes into tokens. Bytes that mean nothing to the text (line breaks in the
// source, optional hyphens, unknown control symbols, broken \'hh escapes) give no token.
class Tokenizer
{
public:
    explicit Tokenizer(const QByteArray &rtf) : m_rtf(rtf), m_size(int(rtf.size())) {}

    Token next()
    {
        Token token;
        while (m_pos < m_size) {
            const char c = m_rtf.at(m_pos++);
            if (c == '{') {
                token.kind = Token::GroupOpen;
                return token;
            }
            if (c == '}') {
                token.kind = Token::GroupClose;
                return token;
            }
            if (c == '\\') {
                if (m_pos >= m_size)
                    return Token();
                if (control(token))
                    return token;
                continue;
            }
            if (c == '\r' || c == '\n')
                continue;  // line breaks in the source are not text
            if (uchar(c) >= 0x80) {
                token.kind = Token::Byte;
                token.byte = c;
            } else {
                token.kind = Token::Character;
                token.character = QChar(uchar(c));
            }
            return token;
        }
        return Token();
    }

private:
    // The bytes after a backslash; false when they give no token.
    bool control(Token &token)
    {
        const char next = m_rtf.at(m_pos);
        if (isLetter(next))
            return word(token);
        ++m_pos;
        token.kind = Token::Character;
        switch (next) {
        case '\\':
        case '{':
        case '}':
            token.character = QChar(next);
            return true;
        case '~':
            token.character = QChar(0xA0);
            return true;
        case '\r':
        case '\n':
            token.character = QChar(u'\n');
            return true;
        case '*':
            token.kind = Token::IgnoreGroup;
            return true;
        case '\'': {
            const int start = m_pos;
            m_pos += 2;
            if (start + 1 >= m_size)
                return false;
            bool hexOk = false;
            const int value = m_rtf.mid(start, 2).toInt(&hexOk, 16);
            token.kind = Token::Byte;
            token.byte = char(value);
            return hexOk;
        }
        default:
            return false;  // \- and \_ and unknown control symbols
        }
    }

    bool word(Token &token)
    {
        const int start = m_pos;
        while (m_pos < m_size && isLetter(m_rtf.at(m_pos)))
            ++m_pos;
        token.kind = Token::Word;
        token.word = m_rtf.mid(start, m_pos - start);
        const int paramStart = m_pos;
        if (m_pos < m_size && (m_rtf.at(m_pos) == '-' || isDigit(m_rtf.at(m_pos)))) {
            ++m_pos;
            while (m_pos < m_size && isDigit(m_rtf.at(m_pos)))
                ++m_pos;
        }
        token.hasParam = m_pos > paramStart;
        token.param = token.hasParam ? m_rtf.mid(paramStart, m_pos - paramStart).toInt() : 0;
        // One space ends the word and is not text.
        if (m_pos < m_size && m_rtf.at(m_pos) == ' ')
            ++m_pos;
        return true;
    }

    const QByteArray &m_rtf;
    const int m_size;
    int m_pos = 0;
};

struct GroupState
{
    bool skip = false;  // inside a destination whose text is not shown
    int ucSkip = 1;     // characters to skip after \uN
};

} // namespace

bool LooksLikeRtf(const QByteArray &bytes)
{
    return bytes.startsWith("{\\rtf");
}

QString RtfToPlainText(const QByteArray &rtf, bool *ok)
{
    QString out;
    CodePage codePage;
    QList<GroupState> stack;
    GroupState state;
    int pendingSkip = 0;  // fallback characters still to drop after a \uN
    bool balanced = true;
    // True when the next character is not text: a \uN's fallback (which counts bytes, so
    // that those skipped never reach the decoder) or inside a hidden destination.
    auto skipped = [&]() {
        if (pendingSkip > 0) {
            --pendingSkip;
            return true;
        }
        return state.skip;
    };
    auto put = [&](QChar c) {
        if (!skipped())
            out += c;
    };
    Tokenizer tokens(rtf);
    for (Token token = tokens.next(); token.kind != Token::End; token = tokens.next()) {
        if (token.kind == Token::GroupOpen) {
            stack.push_back(state);
            pendingSkip = 0;
        } else if (token.kind == Token::GroupClose) {
            if (stack.isEmpty()) {
                balanced = false;
                break;
            }
            state = stack.takeLast();
            pendingSkip = 0;
        } else if (token.kind == Token::Character) {
            put(token.character);
        } else if (token.kind == Token::Byte) {
            if (!skipped())
                out += codePage.decode(token.byte);
        } else if (token.kind == Token::IgnoreGroup) {
            state.skip = true;
        } else if (token.word == "ansicpg") {
            if (token.hasParam)
                codePage.select(token.param);
        } else if (const ControlWord *word = findControlWord(token.word)) {
            switch (word->kind) {
            case WordKind::Destination:
                state.skip = true;
                break;
            case WordKind::Character:
                put(QChar(word->character));
                break;
            case WordKind::UnicodeSkip:
                if (token.hasParam)
                    state.ucSkip = token.param;
                break;
            case WordKind::Unicode:
                if (token.hasParam) {
                    put(QChar(char16_t(token.param < 0 ? token.param + 65536 : token.param)));
                    pendingSkip = state.ucSkip;
                }
                break;
            }
        }
    }
    if (!stack.isEmpty())
        balanced = false;
    if (ok)
        *ok = balanced;
    // A final paragraph mark ends the last line rather than starting an empty one.
    if (out.endsWith(u'\n'))
        out.chop(1);
    return out;
}
