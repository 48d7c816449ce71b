// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "querydefinition.h"

#include "fileaccess.h"
#include "vdqerror.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>

#include <algorithm>

namespace {

const QString SessionSection = QStringLiteral("Session");
const QString QuerySection = QStringLiteral("Query");
const QString TablesSection = QStringLiteral("Tables");
const QString LinksSection = QStringLiteral("Links");
const QString CountKey = QStringLiteral("Count");
const QString ItemCountKey = QStringLiteral("ItemCount");
const QString ColumnCountKey = QStringLiteral("ColumnCount");
const QString LeftKey = QStringLiteral("Left");
const QString TopKey = QStringLiteral("Top");
const QString WidthKey = QStringLiteral("Width");
const QString HeightKey = QStringLiteral("Height");

void AppendNumber(QString &text, qint64 n)
{
    char16_t digits[24];
    int i = 24;
    const bool negative = n < 0;
    quint64 v = negative ? 0 - quint64(n) : quint64(n);
    do {
        digits[--i] = char16_t(u'0' + v % 10);
        v /= 10;
    } while (v);
    if (negative)
        digits[--i] = u'-';
    text.append(QStringView(digits + i, 24 - i));
}

// prefix + n + suffix [+ m]: the numbered names of sections and keys, built in one go.
// A file of some ten thousand keys asks for as many names.
class NumberedName
{
public:
    const QString &Make(QLatin1String prefix, qint64 n, QLatin1String suffix = QLatin1String(),
                        qint64 m = -1)
    {
        m_text.resize(0);
        m_text.reserve(prefix.size() + suffix.size() + 48);
        m_text.append(prefix);
        AppendNumber(m_text, n);
        m_text.append(suffix);
        if (m >= 0)
            AppendNumber(m_text, m);
        return m_text;
    }

private:
    QString m_text;
};

int Digits(qint64 n)
{
    int digits = 1;
    for (quint64 v = n < 0 ? 0 - quint64(n) : quint64(n); v >= 10; v /= 10)
        ++digits;
    return digits + (n < 0 ? 1 : 0);
}

// The same, for a name to keep: no spare room.
QString Numbered(QLatin1String prefix, qint64 n, QLatin1String suffix = QLatin1String(), qint64 m = -1)
{
    QString text;
    text.reserve(prefix.size() + Digits(n) + suffix.size() + (m >= 0 ? Digits(m) : 0));
    text.append(prefix);
    AppendNumber(text, n);
    text.append(suffix);
    if (m >= 0)
        AppendNumber(text, m);
    return text;
}

const QLatin1String TablePrefix("Table");
const QLatin1String LinkPrefix("Link");
const QLatin1String TextPrefix("Text");
const QLatin1String CheckedPrefix("Checked");
const QLatin1String TotalPrefix("Total");
const QString JoinTypeKey = QStringLiteral("JoinType");
const QString AliasKey = QStringLiteral("Alias");
const QString Field1AliasKey = QStringLiteral("Field1Alias");
const QString Field2AliasKey = QStringLiteral("Field2Alias");
const QString DistinctKey = QStringLiteral("Distinct");
const QString LimitKey = QStringLiteral("Limit");
const QString OffsetKey = QStringLiteral("Offset");
const QString WithKey = QStringLiteral("With");
const QString SourceKey = QStringLiteral("Source");
const QString QueryKey = QStringLiteral("Query");
const QString ColumnsSection = QStringLiteral("Columns");
const QLatin1String CaptionSuffix("_Item_Caption_");
const QLatin1String SubItemsInfix("_Item_SubItems_");

// A count as the reader uses it: nothing for zero or less, never beyond what is there.
qint64 Bounded(qint64 count, qint64 available)
{
    return count <= 0 ? 0 : std::min(count, available);
}

bool IsBlank(const QByteArray &contents)
{
    qsizetype start = contents.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    for (qsizetype i = start; i < contents.size(); ++i) {
        const char c = contents.at(i);
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\f' && c != '\v')
            return false;
    }
    return true;
}

bool IsDefinition(const QByteArray &contents, const TProfileFile &profile)
{
    if (contents.contains('\0'))
        return false;
    return profile.SectionCount() > 0 || IsBlank(contents);
}

} // namespace

bool operator==(const StoredTable &a, const StoredTable &b)
{
    return a.name == b.name && a.items == b.items && a.totals == b.totals && a.itemCount == b.itemCount && a.left == b.left
        && a.top == b.top && a.width == b.width && a.height == b.height && a.alias == b.alias && a.source == b.source && a.query == b.query;
}

bool operator==(const StoredLink &a, const StoredLink &b)
{
    return a.field1Table == b.field1Table && a.field2Table == b.field2Table && a.hint == b.hint
        && a.overText == b.overText && a.joinType == b.joinType && a.left == b.left && a.top == b.top && a.width == b.width
        && a.height == b.height && a.field1Alias == b.field1Alias && a.field2Alias == b.field2Alias;
}

bool operator==(const StoredList &a, const StoredList &b)
{
    return a.columnCount == b.columnCount && a.rows == b.rows;
}

bool operator==(const QueryDefinition &a, const QueryDefinition &b)
{
    return a.sessionName == b.sessionName && a.database == b.database && a.type == b.type
        && a.distinct == b.distinct && a.limit == b.limit && a.tables == b.tables && a.links == b.links && a.values == b.values
        && a.conditions == b.conditions && a.sorting == b.sorting && a.offset == b.offset && a.with == b.with
        && a.columns == b.columns;
}

void WriteListSection(TProfileFile &file, const StoredList &list, const QString &section)
{
    file.WriteInteger(section, ColumnCountKey, list.columnCount);
    file.WriteInteger(section, ItemCountKey, int(list.rows.size()));
    for (qsizetype i = 0; i < list.rows.size(); ++i) {
        const QStringList &row = list.rows.at(i);
        file.WriteString(section, Numbered(QLatin1String(), i, CaptionSuffix), row.value(0));
        for (qsizetype k = 1; k < row.size(); ++k)
            file.WriteString(section, Numbered(QLatin1String(), i, SubItemsInfix, k - 1), row.at(k));
    }
}

void WriteQueryDefinition(TProfileFile &file, const QueryDefinition &def)
{
    file.WriteString(SessionSection, QStringLiteral("SessionName"), def.sessionName);
    file.WriteString(SessionSection, QStringLiteral("Database"), def.database);
    file.WriteInteger(QuerySection, QStringLiteral("Type"), def.type);
    // The keys beyond the classic design are written only where they say something, so that
    // a classic design gives the classic file; a key already there is kept up to date.
    if (def.distinct || file.KeyExists(QuerySection, DistinctKey))
        file.WriteBool(QuerySection, DistinctKey, def.distinct);
    if (def.limit != 0 || file.KeyExists(QuerySection, LimitKey))
        file.WriteInteger(QuerySection, LimitKey, def.limit);
    if (def.offset != 0 || file.KeyExists(QuerySection, OffsetKey))
        file.WriteInteger(QuerySection, OffsetKey, def.offset);
    if (!def.with.isEmpty() || file.KeyExists(QuerySection, WithKey))
        file.WriteString(QuerySection, WithKey, def.with);

    for (qsizetype n = 1; n <= def.tables.size(); ++n) {
        const StoredTable &table = def.tables.at(n - 1);
        const QString section = Numbered(TablePrefix, n);
        file.WriteString(section, QStringLiteral("Name"), table.name);
        if (!table.alias.isEmpty() || file.KeyExists(section, AliasKey))
            file.WriteString(section, AliasKey, table.alias);
        if (!table.source.isEmpty() || file.KeyExists(section, SourceKey))
            file.WriteString(section, SourceKey, table.source);
        if (!table.query.isEmpty() || file.KeyExists(section, QueryKey))
            file.WriteString(section, QueryKey, table.query);
        for (qsizetype j = 0; j < table.items.size(); ++j) {
            file.WriteString(section, Numbered(TextPrefix, j), table.items.at(j).first);
            file.WriteBool(section, Numbered(CheckedPrefix, j), table.items.at(j).second);
            const QString total = table.totals.value(j);
            const QString totalKey = Numbered(TotalPrefix, j);
            if (!total.isEmpty() || file.KeyExists(section, totalKey))
                file.WriteString(section, totalKey, total);
        }
        file.WriteInteger(section, ItemCountKey, int(table.items.size()));
        file.WriteInteger(section, LeftKey, table.left);
        file.WriteInteger(section, TopKey, table.top);
        file.WriteInteger(section, WidthKey, table.width);
        file.WriteInteger(section, HeightKey, table.height);
    }
    file.WriteInteger(TablesSection, CountKey, int(def.tables.size()));

    for (qsizetype m = 1; m <= def.links.size(); ++m) {
        const StoredLink &link = def.links.at(m - 1);
        const QString section = Numbered(LinkPrefix, m);
        file.WriteString(section, QStringLiteral("Field1Table"), link.field1Table);
        file.WriteString(section, QStringLiteral("Field2Table"), link.field2Table);
        if (!link.field1Alias.isEmpty() || file.KeyExists(section, Field1AliasKey))
            file.WriteString(section, Field1AliasKey, link.field1Alias);
        if (!link.field2Alias.isEmpty() || file.KeyExists(section, Field2AliasKey))
            file.WriteString(section, Field2AliasKey, link.field2Alias);
        file.WriteString(section, QStringLiteral("Hint"), link.hint);
        file.WriteString(section, QStringLiteral("OverText"), link.overText);
        if (!link.joinType.isEmpty() || file.KeyExists(section, JoinTypeKey))
            file.WriteString(section, JoinTypeKey, link.joinType);
        file.WriteInteger(section, LeftKey, link.left);
        file.WriteInteger(section, TopKey, link.top);
        file.WriteInteger(section, WidthKey, link.width);
        file.WriteInteger(section, HeightKey, link.height);
    }
    file.WriteInteger(LinksSection, CountKey, int(def.links.size()));

    WriteListSection(file, def.values, QStringLiteral("Values"));
    WriteListSection(file, def.conditions, QStringLiteral("Conditions"));
    WriteListSection(file, def.sorting, QStringLiteral("Sorting"));
    // A design that no longer holds its columns says so where a file had them.
    if (!def.columns.rows.isEmpty() || file.KeyExists(ColumnsSection, ItemCountKey))
        WriteListSection(file, def.columns, ColumnsSection);
}

StoredList ReadListSection(const TProfileFile &file, const QString &section, int defaultColumnCount)
{
    StoredList list;
    list.columnCount = file.ReadInteger(section, ColumnCountKey, defaultColumnCount);
    const qint64 available = qint64(file.KeyCount(section)) + CountSlack;
    const qint64 rows = Bounded(file.ReadInteger(section, ItemCountKey, 0), available);
    qint64 subItems = Bounded(qint64(list.columnCount) - 1, available);
    const qint64 cells = ListCellsPerKey * available;
    if (rows > 0 && rows * (subItems + 1) > cells)
        subItems = std::max<qint64>(0, cells / rows - 1);

    NumberedName key;
    list.rows.reserve(rows);
    qint64 held = 0;  // the rows up to the last one the file holds a key of
    for (qint64 i = 0; i < rows; ++i) {
        QStringList row;
        row.reserve(subItems + 1);
        const QString &caption = key.Make(QLatin1String(), i, CaptionSuffix);
        bool inFile = file.KeyExists(section, caption);
        row.append(file.ReadString(section, caption, QString()));
        for (qint64 k = 0; k < subItems; ++k) {
            const QString &subItem = key.Make(QLatin1String(), i, SubItemsInfix, k);
            inFile = inFile || file.KeyExists(section, subItem);
            row.append(file.ReadString(section, subItem, QString()));
        }
        list.rows.append(row);
        if (inFile)
            held = i + 1;
    }
    list.rows.resize(held);
    return list;
}

QueryDefinition ReadQueryDefinition(const TProfileFile &file)
{
    QueryDefinition def;
    def.sessionName = file.ReadString(SessionSection, QStringLiteral("SessionName"), QString());
    def.database = file.ReadString(SessionSection, QStringLiteral("Database"), QString());
    def.type = file.ReadInteger(QuerySection, QStringLiteral("Type"), 0);
    def.distinct = file.ReadBool(QuerySection, DistinctKey, false);
    def.limit = file.ReadInteger(QuerySection, LimitKey, 0);
    def.offset = file.ReadInteger(QuerySection, OffsetKey, 0);
    def.with = file.ReadString(QuerySection, WithKey, QString());

    const qint64 sections = qint64(file.SectionCount()) + CountSlack;
    const qint64 tableCount = Bounded(file.ReadInteger(TablesSection, CountKey, 0), sections);
    def.tables.reserve(tableCount);
    NumberedName key;
    for (qint64 n = 1; n <= tableCount; ++n) {
        const QString section = Numbered(TablePrefix, n);
        StoredTable table;
        table.name = file.ReadString(section, QStringLiteral("Name"), QStringLiteral("NoTable"));
        table.alias = file.ReadString(section, AliasKey, QString());
        table.source = file.ReadString(section, SourceKey, QString());
        table.query = file.ReadString(section, QueryKey, QString());
        table.itemCount = file.ReadInteger(section, ItemCountKey, 0);
        const qint64 items = Bounded(table.itemCount, qint64(file.KeyCount(section)) + CountSlack);
        table.items.reserve(items);
        qint64 held = 0;
        bool anyTotal = false;
        for (qint64 j = 0; j < items; ++j) {
            const QString &textKey = key.Make(TextPrefix, j);
            bool inFile = file.KeyExists(section, textKey);
            QString text = file.ReadString(section, textKey, QString());
            const QString &checkedKey = key.Make(CheckedPrefix, j);
            inFile = inFile || file.KeyExists(section, checkedKey);
            table.items.append({text, file.ReadBool(section, checkedKey, false)});
            const QString &totalKey = key.Make(TotalPrefix, j);
            if (file.KeyExists(section, totalKey)) {
                inFile = true;
                table.totals.resize(j + 1);
                table.totals[j] = file.ReadString(section, totalKey, QString());
                anyTotal = anyTotal || !table.totals.at(j).isEmpty();
            }
            if (inFile)
                held = j + 1;
        }
        table.items.resize(held);
        // One total text per item when any is given, none at all for a design without totals.
        if (anyTotal)
            table.totals.resize(held);
        else
            table.totals.clear();
        table.left = file.ReadInteger(section, LeftKey, 145);
        table.top = file.ReadInteger(section, TopKey, 100);
        table.width = file.ReadInteger(section, WidthKey, 121);
        table.height = file.ReadInteger(section, HeightKey, 180);
        def.tables.append(table);
    }

    const qint64 linkCount = Bounded(file.ReadInteger(LinksSection, CountKey, 0), sections);
    def.links.reserve(linkCount);
    for (qint64 m = 1; m <= linkCount; ++m) {
        const QString section = Numbered(LinkPrefix, m);
        StoredLink link;
        link.field1Table = file.ReadString(section, QStringLiteral("Field1Table"), QString());
        link.field2Table = file.ReadString(section, QStringLiteral("Field2Table"), QString());
        link.field1Alias = file.ReadString(section, Field1AliasKey, QString());
        link.field2Alias = file.ReadString(section, Field2AliasKey, QString());
        link.hint = file.ReadString(section, QStringLiteral("Hint"), QString());
        link.overText = file.ReadString(section, QStringLiteral("OverText"), QString());
        link.joinType = file.ReadString(section, JoinTypeKey, QString());
        link.left = file.ReadInteger(section, LeftKey, 0);
        link.top = file.ReadInteger(section, TopKey, 0);
        link.width = file.ReadInteger(section, WidthKey, 0);
        link.height = file.ReadInteger(section, HeightKey, 0);
        def.links.append(link);
    }

    def.values = ReadListSection(file, QStringLiteral("Values"), 2);
    def.conditions = ReadListSection(file, QStringLiteral("Conditions"), 4);
    def.sorting = ReadListSection(file, QStringLiteral("Sorting"), 2);
    def.columns = ReadListSection(file, ColumnsSection, 4);
    return def;
}

bool LooksLikeQueryDefinition(const QByteArray &contents)
{
    return IsDefinition(contents, TProfileFile::FromBytes(contents));
}

QueryDefinition ParseQueryDefinitionFile(const QByteArray &contents, const QString &fileName)
{
    const TProfileFile profile = TProfileFile::FromBytes(contents);
    if (!IsDefinition(contents, profile))
        throw VdqError(QCoreApplication::translate("FileAccess", "%1 is not a query definition file").arg(fileName));
    profile.CheckValueLengths(fileName);
    return ReadQueryDefinition(profile);
}

QueryDefinition LoadQueryDefinitionFile(const QString &fileName)
{
    if (!QFile::exists(fileName))
        return QueryDefinition();
    const QByteArray contents =
        ReadWholeFile(fileName, QCoreApplication::translate("FileAccess", "Cannot open file %1").arg(fileName));
    return ParseQueryDefinitionFile(contents, fileName);
}

void SaveQueryDefinitionFile(const QString &fileName, const QueryDefinition &def)
{
    TProfileFile profile;
    if (QFile::exists(fileName)) {
        const QByteArray contents =
            ReadWholeFile(fileName, QCoreApplication::translate("FileAccess", "Unable to write to %1").arg(fileName));
        // Merging into something that is not a query definition would give a file the
        // reader refuses; such a file is replaced instead.
        TProfileFile old = TProfileFile::FromBytes(contents);
        if (IsDefinition(contents, old))
            profile = std::move(old);
    }
    WriteQueryDefinition(profile, def);
    profile.SaveAs(fileName);
}

QString FileExtension(const QString &fileName)
{
    for (qsizetype i = fileName.size() - 1; i >= 0; --i) {
        const QChar c = fileName.at(i);
        if (c == u'.')
            return fileName.mid(i);
        if (c == u'\\' || c == u':' || c == u'/')
            break;
    }
    return QString();
}

bool IsQueryDefinitionFileName(const QString &fileName)
{
    return FileExtension(fileName).toUpper() == QLatin1String(".VDQ");
}

QList<qsizetype> StoredItemFields(const QStringList &fields, const QStringList &names)
{
    QHash<QString, qsizetype> firstField;
    firstField.reserve(fields.size());
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const QString folded = fields.at(i).toCaseFolded();
        if (!firstField.contains(folded))
            firstField.insert(folded, i);
    }
    QList<qsizetype> found;
    found.reserve(names.size());
    for (const QString &name : names)
        found << firstField.value(name.toCaseFolded(), -1);
    return found;
}

QList<bool> ApplyStoredTicks(const QStringList &fields, const QList<QPair<QString, bool>> &stored)
{
    QStringList names;
    names.reserve(stored.size());
    for (const auto &entry : stored)
        names << entry.first;
    const QList<qsizetype> found = StoredItemFields(fields, names);
    QList<bool> ticks(fields.size(), false);
    for (qsizetype i = 0; i < stored.size(); ++i) {
        if (found.at(i) >= 0)
            ticks[found.at(i)] = stored.at(i).second;
    }
    return ticks;
}
