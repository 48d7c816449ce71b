// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// An INI-structured profile file, read once and written once, with the semantics of
// key-by-key profile access:
// - section and key names match without regard to letter case; the first of two equal
//   names wins, the second stays in the file unseen;
// - the value is everything after the first "=" up to the line end, untrimmed, and a
//   read gives it whole; a value longer than MaxValueLength makes a loaded file refused;
// - a write updates an existing key in place, adds a new key at the end of its section
//   and a new section at the end of the file; nothing is ever deleted, and lines the
//   profile does not understand (comments, stray text) are kept as they are;
// - lines end with CR LF when written; CR LF, LF and CR are read, and CRs right before an
//   LF are part of the line end.
// Text is UTF-8. A line that is not valid UTF-8 is read as Windows-1252 instead of being
// lost, and an untouched line is written back with exactly the bytes it was read with.
class TProfileFile
{
public:
    TProfileFile();

    // A missing file gives an empty profile; one that exists but cannot be read raises
    // VdqError "Cannot open file %1", one with a value longer than MaxValueLength
    // "%1 holds a value longer than %2 characters".
    static TProfileFile Load(const QString &fileName);
    // Keeps overlong values; CheckValueLengths refuses them.
    static TProfileFile FromBytes(const QByteArray &bytes);
    // VdqError "%1 holds a value longer than %2 characters" when a value passes the bound.
    void CheckValueLengths(const QString &fileName) const;

    QString ReadString(const QString &section, const QString &key, const QString &def) const;
    // Decimal with an optional sign, or hexadecimal after "0x"/"0X" (up to 0xFFFFFFFF, read
    // as a 32-bit pattern); blanks around the number are allowed. Anything else gives def.
    int ReadInteger(const QString &section, const QString &key, int def) const;
    // A missing key gives def; an integer other than 0 is true; any other text is false.
    bool ReadBool(const QString &section, const QString &key, bool def) const;

    // A line break or NUL inside a value would break the file's structure; each is
    // written as a blank.
    void WriteString(const QString &section, const QString &key, const QString &value);
    void WriteInteger(const QString &section, const QString &key, int value);
    void WriteBool(const QString &section, const QString &key, bool value);

    bool SectionExists(const QString &section) const;
    bool KeyExists(const QString &section, const QString &key) const;
    QStringList Sections() const;  // in file order, as spelled there
    int SectionCount() const;
    int KeyCount(const QString &section) const;  // 0 for a missing section
    QStringList Keys(const QString &section) const;  // in file order, as spelled there

    QByteArray ToBytes() const;
    // Atomic: the file is either the old one or the new one, whole. VdqError
    // "Unable to write to %1" when it cannot be written.
    void SaveAs(const QString &fileName) const;

    // Far beyond any value the designer writes (a condition with an IN list of some
    // thousand items), far below what a hostile file could make the reader allocate.
    static constexpr int MaxValueLength = 1 << 20;

private:
    // A name as the index holds it: a view of a string stored in the profile that is never
    // changed afterwards, hashed and compared without regard to case.
    struct Name
    {
        QStringView text;
        static bool Equal(QStringView a, QStringView b) noexcept;
        static size_t Hash(QStringView name, size_t seed) noexcept;
        friend bool operator==(const Name &a, const Name &b) noexcept { return Equal(a.text, b.text); }
        friend size_t qHash(const Name &name, size_t seed) noexcept { return Hash(name.text, seed); }
    };
    // A hash value that tells a fresh slot (-1) from a filled one, so that keeping the first
    // of two equal names takes a single lookup.
    struct Position
    {
        qsizetype at = -1;
    };
    struct Line
    {
        QString prefix;   // entries: the text before the first "=", as spelled
        QString value;    // entries: the text after it
        QByteArray raw;   // the bytes as read, while they are to be written back as they are;
                          // for lines that are no entry, a run of them joined by CR LF
        bool entry = false;
        bool keepRaw = false;
        bool blank = false;  // a run of blank lines
        bool hidden = false; // later sections of names read before, never read themselves
    };
    struct Section
    {
        QString name;
        QByteArray header;             // the raw header line
        QList<Line> lines;             // the lines after the header
        qsizetype keyCount = 0;        // names in m_keys (the first of equal names)
        qsizetype appendAt = 0;        // after the last non-blank line
    };
    // A key as the index holds it: its section's place in m_sections and its name. One
    // index for the whole file, not one per section, so that a file of many small sections
    // costs memory in proportion to its keys.
    struct KeyName
    {
        qsizetype section;
        QStringView text;
        bool Equals(const KeyName &other) const noexcept
        {
            return section == other.section && Name::Equal(text, other.text);
        }
        size_t Hashed(size_t seed) const noexcept { return Name::Hash(text, qHash(section, seed)); }
        friend bool operator==(const KeyName &a, const KeyName &b) noexcept { return a.Equals(b); }
        friend size_t qHash(const KeyName &key, size_t seed) noexcept { return key.Hashed(seed); }
    };

    const Line *FindEntry(QStringView section, QStringView key) const;
    void ParseLine(const char *begin, const char *end);

    bool m_bom = false;
    bool m_valueTooLong = false;
    QList<Line> m_preamble;           // lines before the first section
    QList<Section> m_sections;        // sections in file order, the first of each name
    QHash<Name, Position> m_index;    // section name -> first section of that name
    QHash<KeyName, Position> m_keys;  // (section, key name) -> index into its lines
    bool m_hiding = false;            // reading a later section of a name read before
};
