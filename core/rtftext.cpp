#include "rtftext.h"

#include <QList>

namespace {

// Characters 0x80-0x9F of Windows-1252, the code page RTF files name most often.
const char16_t Cp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

QChar cp1252(int byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return QChar(Cp1252High[byte - 0x80]);
    return QChar(byte);
}

struct GroupState
{
    bool skip = false;  // inside a destination whose text is not shown
    int ucSkip = 1;     // characters to skip after \uN
};

bool isSkippedDestination(const QByteArray &word)
{
    static const char *const names[] = {"fonttbl", "colortbl", "stylesheet", "info", "pict",
                                        "header", "footer", "headerl", "headerr", "footerl",
                                        "footerr", "listtable", "listoverridetable", "rsidtbl",
                                        "generator", "xmlnstbl", "themedata", "datastore",
                                        "latentstyles", "object", "fldinst", "filetbl"};
    for (const char *name : names) {
        if (word == name)
            return true;
    }
    return false;
}

} // namespace

bool LooksLikeRtf(const QByteArray &bytes)
{
    return bytes.startsWith("{\\rtf");
}

QString RtfToPlainText(const QByteArray &rtf, bool *ok)
{
    QString out;
    QList<GroupState> stack;
    GroupState state;
    int depth = 0;
    int pendingSkip = 0;  // fallback characters still to drop after a \uN
    bool balanced = true;
    const int n = rtf.size();
    auto put = [&](QChar c) {
        if (pendingSkip > 0) {
            --pendingSkip;
            return;
        }
        if (!state.skip)
            out += c;
    };
    for (int i = 0; i < n; ++i) {
        const char c = rtf.at(i);
        if (c == '{') {
            stack.push_back(state);
            ++depth;
            pendingSkip = 0;
        } else if (c == '}') {
            if (stack.isEmpty()) {
                balanced = false;
                break;
            }
            state = stack.takeLast();
            --depth;
            pendingSkip = 0;
        } else if (c == '\\') {
            if (i + 1 >= n)
                break;
            const char next = rtf.at(i + 1);
            if (next == '\\' || next == '{' || next == '}') {
                put(QChar(next));
                ++i;
            } else if (next == '\'') {
                if (i + 3 < n) {
                    bool hexOk = false;
                    const int value = rtf.mid(i + 2, 2).toInt(&hexOk, 16);
                    if (hexOk)
                        put(cp1252(value));
                }
                i += 3;
            } else if (next == '*') {
                state.skip = true;
                ++i;
            } else if (next == '~') {
                put(QChar(0xA0));
                ++i;
            } else if (next == '-' || next == '_') {
                ++i;
            } else if (next == '\r' || next == '\n') {
                put(QChar(u'\n'));
                ++i;
            } else if ((next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z')) {
                int j = i + 1;
                while (j < n && ((rtf.at(j) >= 'a' && rtf.at(j) <= 'z') || (rtf.at(j) >= 'A' && rtf.at(j) <= 'Z')))
                    ++j;
                const QByteArray word = rtf.mid(i + 1, j - i - 1);
                int k = j;
                if (k < n && (rtf.at(k) == '-' || (rtf.at(k) >= '0' && rtf.at(k) <= '9'))) {
                    ++k;
                    while (k < n && rtf.at(k) >= '0' && rtf.at(k) <= '9')
                        ++k;
                }
                const bool hasParam = k > j;
                const int param = hasParam ? rtf.mid(j, k - j).toInt() : 0;
                if (k < n && rtf.at(k) == ' ')
                    ++k;
                i = k - 1;
                if (isSkippedDestination(word)) {
                    state.skip = true;
                } else if (word == "par" || word == "line" || word == "sect" || word == "page") {
                    put(QChar(u'\n'));
                } else if (word == "tab") {
                    put(QChar(u'\t'));
                } else if (word == "uc" && hasParam) {
                    state.ucSkip = param;
                } else if (word == "u" && hasParam) {
                    const int code = param < 0 ? param + 65536 : param;
                    put(QChar(char16_t(code)));
                    pendingSkip = state.ucSkip;
                } else if (word == "emdash") {
                    put(QChar(0x2014));
                } else if (word == "endash") {
                    put(QChar(0x2013));
                } else if (word == "bullet") {
                    put(QChar(0x2022));
                } else if (word == "lquote") {
                    put(QChar(0x2018));
                } else if (word == "rquote") {
                    put(QChar(0x2019));
                } else if (word == "ldblquote") {
                    put(QChar(0x201C));
                } else if (word == "rdblquote") {
                    put(QChar(0x201D));
                }
            } else {
                ++i;  // an unknown control symbol
            }
        } else if (c == '\r' || c == '\n') {
            // Line breaks in the source are not text.
        } else {
            put(QChar(uchar(c)).unicode() < 0x80 ? QChar(uchar(c)) : cp1252(uchar(c)));
        }
    }
    if (depth != 0)
        balanced = false;
    if (ok)
        *ok = balanced;
    // A final paragraph mark ends the last line rather than starting an empty one.
    if (out.endsWith(u'\n'))
        out.chop(1);
    return out;
}
