// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "profilefile.h"

#include "fileaccess.h"
#include "vdqerror.h"
#include "windows1252.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringEncoder>

#include <cstring>
#include <limits>

namespace {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF. A line failing
// this is taken as Windows-1252, the eight-bit code page such files are written in.
bool IsValidUtf8(const char *begin, const char *end)
{
    const auto *p = reinterpret_cast<const unsigned char *>(begin);
    const auto *stop = reinterpret_cast<const unsigned char *>(end);
    while (p < stop) {
        // Eight ASCII bytes at a time: the common case by far.
        if (stop - p >= 8) {
            quint64 chunk;
            std::memcpy(&chunk, p, 8);
            if ((chunk & 0x8080808080808080ull) == 0) {
                p += 8;
                continue;
            }
        }
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int follow;
        unsigned char lo = 0x80, hi = 0xBF;  // range of the first continuation byte
        if (c >= 0xC2 && c <= 0xDF) {
            follow = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            follow = 2;
            if (c == 0xE0)
                lo = 0xA0;
            else if (c == 0xED)
                hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            follow = 3;
            if (c == 0xF0)
                lo = 0x90;
            else if (c == 0xF4)
                hi = 0x8F;
        } else {
            return false;
        }
        if (stop - p <= follow)
            return false;
        if (p[1] < lo || p[1] > hi)
            return false;
        for (int i = 2; i <= follow; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
        }
        p += follow + 1;
    }
    return true;
}

bool IsBlank(const char *begin, const char *end)
{
    for (const char *p = begin; p < end; ++p) {
        if (*p != ' ' && *p != '\t' && *p != '\f' && *p != '\v' && *p != '\r')
            return false;
    }
    return true;
}

// The text unchanged (and unshared) unless it holds a line break or NUL.
QString SingleLine(const QString &text)
{
    for (QChar c : text) {
        if (c == u'\r' || c == u'\n' || c == QChar(0)) {
            QString result = text;
            for (QChar &d : result) {
                if (d == u'\r' || d == u'\n' || d == QChar(0))
                    d = u' ';
            }
            return result;
        }
    }
    return text;
}

bool ParseInteger(QStringView text, int *value)
{
    text = text.trimmed();
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        quint64 v = 0;
        for (QChar c : text.mid(2)) {
            const char16_t u = c.unicode();
            int digit;
            if (u >= u'0' && u <= u'9')
                digit = u - u'0';
            else if (u >= u'a' && u <= u'f')
                digit = u - u'a' + 10;
            else if (u >= u'A' && u <= u'F')
                digit = u - u'A' + 10;
            else
                return false;
            v = v * 16 + quint64(digit);
            if (v > 0xFFFFFFFFu)
                return false;
        }
        *value = int(quint32(v));
        return true;
    }
    bool negative = false;
    if (!text.isEmpty() && (text[0] == u'-' || text[0] == u'+')) {
        negative = text[0] == u'-';
        text = text.mid(1);
    }
    if (text.isEmpty())
        return false;
    qint64 v = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
        v = v * 10 + (c.unicode() - u'0');
        if (v > qint64(1) << 31)
            return false;
    }
    if (negative)
        v = -v;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    *value = int(v);
    return true;
}

QString FromWindows1252(const char *begin, qsizetype size)
{
    QString text = QString::fromLatin1(begin, size);
    for (QChar &c : text)
        c = Windows1252Char(static_cast<unsigned char>(c.unicode()));
    return text;
}

QString Decode(const char *begin, const char *end, bool utf8)
{
    const qsizetype size = end - begin;
    if (!utf8)
        return FromWindows1252(begin, size);
    // fromUtf8 drops a leading byte-order mark; inside the file it is text and stays, or a
    // line "\xEF\xBB\xBF[x" would come back from the writer as a section header.
    if (size >= 3 && std::memcmp(begin, "\xEF\xBB\xBF", 3) == 0)
        return QChar(0xFEFF) + QString::fromUtf8(begin + 3, size - 3);
    return QString::fromUtf8(begin, size);
}

const QByteArray Bom("\xEF\xBB\xBF");

} // namespace

bool TProfileFile::Name::Equal(QStringView a, QStringView b) noexcept
{
    // Names of different lengths never compare equal, with or without case.
    const qsizetype size = a.size();
    if (size != b.size())
        return false;
    const QChar *x = a.data();
    const QChar *y = b.data();
    for (qsizetype i = 0; i < size; ++i) {
        char16_t c = x[i].unicode(), d = y[i].unicode();
        if (c == d)
            continue;
        if (c >= 0x80 || d >= 0x80)
            return a.compare(b, Qt::CaseInsensitive) == 0;
        if (c >= u'A' && c <= u'Z')
            c += 32;
        if (d >= u'A' && d <= u'Z')
            d += 32;
        if (c != d)
            return false;
    }
    return true;
}

size_t TProfileFile::Name::Hash(QStringView name, size_t seed) noexcept
{
    // Case-folded per character, so that two names equal without regard to case always
    // hash alike; every code unit counts, or names written in characters beyond U+FFFF
    // would all collide.
    size_t h = 14695981039346656037ull;
    const auto mix = [&h](char32_t u) { h = (h ^ u) * 1099511628211ull; };
    const qsizetype size = name.size();
    for (qsizetype i = 0; i < size; ++i) {
        char32_t u = name[i].unicode();
        if (u < 0x80) {
            if (u >= u'A' && u <= u'Z')
                u += 32;
        } else if (QChar::isHighSurrogate(u) && i + 1 < size && name[i + 1].isLowSurrogate()) {
            u = QChar::toCaseFolded(QChar::surrogateToUcs4(char16_t(u), name[i + 1].unicode()));
            ++i;
            // Both halves of the folded character, as the comparison sees them.
            mix(QChar::highSurrogate(u));
            u = QChar::lowSurrogate(u);
        } else {
            u = QChar::toCaseFolded(u);
        }
        mix(u);
    }
    return qHash(h, seed);
}

TProfileFile::TProfileFile() = default;

TProfileFile TProfileFile::Load(const QString &fileName)
{
    if (!QFile::exists(fileName))
        return TProfileFile();
    TProfileFile profile = FromBytes(
        ReadWholeFile(fileName, QCoreApplication::translate("FileAccess", "Cannot open file %1").arg(fileName)));
    profile.CheckValueLengths(fileName);
    return profile;
}

TProfileFile TProfileFile::FromBytes(const QByteArray &bytes)
{
    TProfileFile profile;
    const char *p = bytes.constData();
    const char *end = p + bytes.size();
    if (bytes.startsWith(Bom)) {
        profile.m_bom = true;
        p += Bom.size();
    }
    // The next LF is looked up again only once passed, so a file of CR-only lines is not
    // searched to its end for every line.
    const char *lineEnd = nullptr;
    while (p < end) {
        if (!lineEnd || lineEnd < p) {
            const char *newline = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
            lineEnd = newline ? newline : end;
        }
        const char *cr = static_cast<const char *>(std::memchr(p, '\r', size_t(lineEnd - p)));
        if (!cr) {
            profile.ParseLine(p, lineEnd);
            p = lineEnd + 1;
            continue;
        }
        // CRs right before the LF belong to the line end (CR LF, and the CR CR LF of a file
        // converted twice); a CR followed by text ends a line by itself.
        const char *after = cr;
        while (after < lineEnd && *after == '\r')
            ++after;
        profile.ParseLine(p, cr);
        if (after == lineEnd) {
            p = lineEnd + 1;
            continue;
        }
        for (const char *q = cr + 1; q < after; ++q)
            profile.ParseLine(q, q);  // each further lone CR ends an empty line
        p = after;
    }
    return profile;
}

void TProfileFile::ParseLine(const char *begin, const char *end)
{
    const bool utf8 = IsValidUtf8(begin, end);
    const char *first = begin;
    while (first < end && (*first == ' ' || *first == '\t'))
        ++first;
    if (first < end && *first == '[') {
        const QString text = Decode(first + 1, end, utf8);
        const qsizetype close = text.indexOf(u']');
        const QString name = QStringView(text).left(close < 0 ? text.size() : close).trimmed().toString();
        // A later section of a name already read is never read itself; it is kept only to
        // be written back, as hidden text at the end of the section before it, where it
        // costs its bytes and no more (a file of many "[x]" lines would otherwise cost a
        // section each).
        if (m_index.contains(Name{name})) {
            QList<Line> &lines = m_sections.last().lines;
            if (lines.isEmpty() || !lines.last().hidden) {
                Line hidden;
                hidden.keepRaw = true;
                hidden.hidden = true;
                hidden.raw = QByteArray(begin, end - begin);
                lines.append(hidden);
            } else {
                lines.last().raw.append("\r\n", 2).append(begin, end - begin);
            }
            m_hiding = true;
            return;
        }
        m_hiding = false;
        Section section;
        section.name = name;
        section.header = QByteArray(begin, end - begin);
        m_sections.append(section);
        m_index.insert(Name{m_sections.last().name}, Position{m_sections.size() - 1});
        return;
    }
    if (m_hiding) {
        m_sections.last().lines.last().raw.append("\r\n", 2).append(begin, end - begin);
        return;
    }

    Line line;
    const char *eq = static_cast<const char *>(std::memchr(begin, '=', size_t(end - begin)));
    if (eq && !m_sections.isEmpty()) {
        line.prefix = Decode(begin, eq, utf8);
        if (!QStringView(line.prefix).trimmed().isEmpty()) {
            line.entry = true;
            line.value = Decode(eq + 1, end, utf8);
            if (line.value.size() > MaxValueLength)
                m_valueTooLong = true;
        }
    }
    // Lines that are not valid UTF-8 and lines that are no entry go back as they came.
    line.keepRaw = !line.entry || !utf8;
    if (!line.entry) {
        // A run of such lines (comments, stray text, or blank lines, which decide where
        // new keys go) is held as one block, so that memory follows the file's bytes, not
        // its count of lines: a file of nothing but line ends costs no more than its size.
        const bool blank = IsBlank(begin, end);
        QList<Line> &lines = m_sections.isEmpty() ? m_preamble : m_sections.last().lines;
        if (!lines.isEmpty() && !lines.last().entry && !lines.last().hidden && lines.last().blank == blank) {
            QByteArray &block = lines.last().raw;
            block.append("\r\n", 2);
            block.append(begin, end - begin);
            return;
        }
        line.blank = blank;
        line.prefix.clear();
    }
    if (line.keepRaw)
        line.raw = QByteArray(begin, end - begin);

    if (m_sections.isEmpty()) {
        m_preamble.append(line);
        return;
    }
    Section &section = m_sections.last();
    section.lines.append(line);
    const qsizetype index = section.lines.size() - 1;
    if (line.entry) {
        const KeyName key{m_sections.size() - 1, QStringView(section.lines.at(index).prefix).trimmed()};
        Position &first = m_keys[key];
        if (first.at < 0) {
            first.at = index;
            ++section.keyCount;
        }
    }
    if (!line.blank)
        section.appendAt = index + 1;
}

void TProfileFile::CheckValueLengths(const QString &fileName) const
{
    if (m_valueTooLong)
        throw VdqError(QCoreApplication::translate("FileAccess", "%1 holds a value longer than %2 characters")
                           .arg(fileName)
                           .arg(MaxValueLength));
}

const TProfileFile::Line *TProfileFile::FindEntry(QStringView section, QStringView key) const
{
    const auto s = m_index.constFind(Name{section.trimmed()});
    if (s == m_index.constEnd())
        return nullptr;
    const auto k = m_keys.constFind(KeyName{s->at, key.trimmed()});
    if (k == m_keys.constEnd())
        return nullptr;
    return &m_sections.at(s->at).lines.at(k->at);
}

QString TProfileFile::ReadString(const QString &section, const QString &key, const QString &def) const
{
    const Line *entry = FindEntry(section, key);
    if (!entry)
        return def;
    return entry->value;
}

int TProfileFile::ReadInteger(const QString &section, const QString &key, int def) const
{
    const Line *entry = FindEntry(section, key);
    int value = 0;
    if (!entry || !ParseInteger(entry->value, &value))
        return def;
    return value;
}

bool TProfileFile::ReadBool(const QString &section, const QString &key, bool def) const
{
    const Line *entry = FindEntry(section, key);
    if (!entry)
        return def;
    int value = 0;
    return ParseInteger(entry->value, &value) && value != 0;
}

void TProfileFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    const QString keyName = SingleLine(key);
    const QString text = SingleLine(value);

    auto s = m_index.constFind(Name{QStringView(section).trimmed()});
    if (s == m_index.constEnd()) {
        Section created;
        created.name = SingleLine(section).trimmed();
        created.header = QByteArray("[") + created.name.toUtf8() + ']';
        m_sections.append(created);
        s = m_index.insert(Name{m_sections.last().name}, Position{m_sections.size() - 1});
    }
    Section &sec = m_sections[s->at];
    const auto k = m_keys.constFind(KeyName{s->at, QStringView(keyName).trimmed()});
    if (k != m_keys.constEnd()) {
        Line &line = sec.lines[k->at];
        line.value = text;
        line.keepRaw = false;
        line.raw.clear();
        return;
    }
    // Only blank lines and hidden later sections follow appendAt, so no indexed line moves.
    Line line;
    line.entry = true;
    line.prefix = keyName;
    line.value = text;
    sec.lines.insert(sec.appendAt, line);
    m_keys.insert(KeyName{s->at, QStringView(sec.lines.at(sec.appendAt).prefix).trimmed()}, Position{sec.appendAt});
    ++sec.keyCount;
    ++sec.appendAt;
}

void TProfileFile::WriteInteger(const QString &section, const QString &key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TProfileFile::WriteBool(const QString &section, const QString &key, bool value)
{
    static const QString one = QStringLiteral("1"), zero = QStringLiteral("0");
    WriteString(section, key, value ? one : zero);
}

bool TProfileFile::SectionExists(const QString &section) const
{
    return m_index.contains(Name{QStringView(section).trimmed()});
}

bool TProfileFile::KeyExists(const QString &section, const QString &key) const
{
    return FindEntry(section, key) != nullptr;
}

QStringList TProfileFile::Sections() const
{
    QStringList names;
    names.reserve(m_index.size());
    for (qsizetype i = 0; i < m_sections.size(); ++i) {
        if (m_index.value(Name{m_sections.at(i).name}).at == i)
            names.append(m_sections.at(i).name);
    }
    return names;
}

int TProfileFile::SectionCount() const
{
    return int(m_index.size());
}

int TProfileFile::KeyCount(const QString &section) const
{
    const auto s = m_index.constFind(Name{QStringView(section).trimmed()});
    return s == m_index.constEnd() ? 0 : int(m_sections.at(s->at).keyCount);
}

QStringList TProfileFile::Keys(const QString &section) const
{
    QStringList keys;
    const auto s = m_index.constFind(Name{QStringView(section).trimmed()});
    if (s == m_index.constEnd())
        return keys;
    const Section &sec = m_sections.at(s->at);
    keys.reserve(sec.keyCount);
    for (qsizetype i = 0; i < sec.lines.size(); ++i) {
        const Line &line = sec.lines.at(i);
        if (!line.entry)
            continue;
        const QStringView key = QStringView(line.prefix).trimmed();
        if (m_keys.value(KeyName{s->at, key}).at == i)
            keys.append(key.toString());
    }
    return keys;
}

QByteArray TProfileFile::ToBytes() const
{
    // UTF-8 needs at most three bytes per UTF-16 code unit.
    const auto lineSize = [](const Line &line) {
        return (line.keepRaw ? line.raw.size() : 3 * (line.prefix.size() + line.value.size()) + 1) + 2;
    };
    qsizetype size = m_bom ? Bom.size() : 0;
    for (const Line &line : m_preamble)
        size += lineSize(line);
    for (const Section &section : m_sections) {
        size += section.header.size() + 2;
        for (const Line &line : section.lines)
            size += lineSize(line);
    }

    QByteArray out(size, Qt::Uninitialized);
    char *p = out.data();
    const auto put = [&p](const QByteArray &bytes) {
        std::memcpy(p, bytes.constData(), size_t(bytes.size()));
        p += bytes.size();
    };
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    const auto putLine = [&](const Line &line) {
        if (line.keepRaw) {
            put(line.raw);
        } else {
            p = encoder.appendToBuffer(p, line.prefix);
            *p++ = '=';
            p = encoder.appendToBuffer(p, line.value);
        }
        *p++ = '\r';
        *p++ = '\n';
    };
    if (m_bom)
        put(Bom);
    for (const Line &line : m_preamble)
        putLine(line);
    for (const Section &section : m_sections) {
        put(section.header);
        *p++ = '\r';
        *p++ = '\n';
        for (const Line &line : section.lines)
            putLine(line);
    }
    out.truncate(p - out.constData());
    return out;
}

void TProfileFile::SaveAs(const QString &fileName) const
{
    WriteWholeFile(fileName, ToBytes(),
                   QCoreApplication::translate("FileAccess", "Unable to write to %1").arg(fileName));
}
