// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// The design of a parsed statement: its tables looked up in the database, windows placed as
// a double click places them, links for its joins, the three lists and the totals. Private
// to DesignFromSql.

#include "querydefinition.h"
#include "sqldesignparser.h"
#include "sqldesignsyntax_p.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace SqlDesign {

class DesignBuilder
{
    Q_DECLARE_TR_FUNCTIONS(SqlDesign)

public:
    // sql is the statement's text, for the line and column of a refusal.
    DesignBuilder(const QString &sql, const SqlDesignSource &source) : m_sql(sql), m_source(source) {}

    // st must outlive the builder: its tables are referred to, not copied.
    QueryDefinition design(const Statement &st);

private:
    struct Table
    {
        QString caption;
        QString alias;  // the design's: the statement's own where it is plain, else TableAlias
        TableSource source = TableSource::Table;
        QString query;  // a derived table's, as written
        QStringList fields;
        const TableRef *ref = nullptr;
        QHash<QString, int> exact, folded;  // a table of many fields: each name's first field
    };

    // Each name a qualifier or a bare field may give a table, with the first table it gives:
    // a statement of many tables and names is looked up in linear time.
    struct Index
    {
        QHash<QString, int> alias, bareAlias, written, bareWritten, caption, bareCaption, last, designAlias;
        QHash<QString, QList<int>> tablesOfField;  // case-folded field name: the tables, in order
    };

    struct FieldAt
    {
        int table = -1;
        int field = -1;
    };

    struct Flat
    {
        QList<int> preds;
        QList<QPair<bool, int>> ops;  // AND (true) or OR, and where it stands
    };

    // A condition row of WHERE or HAVING with its grouping.
    struct Row
    {
        int pred = -1;
        QString open, close;
        bool andAfter = true;  // the operator to the next row
        bool topLevel = true;  // a term of the conditions' outermost AND, not negated
    };

    using Ticks = QList<QList<bool>>;
    using Totals = QList<QList<TotalKind>>;

    [[noreturn]] void fail(int offset, const QString &what) const { failAt(m_sql, offset, what); }
    // A text of the design, refused (at offset) when the design's file cannot hold it.
    const QString &bounded(const QString &text, int offset) const;
    static int valuePos(const Predicate &p) { return p.value.isEmpty() ? p.pos : p.value.constFirst().pos; }

    // Tables and fields (sqldesignnames.cpp)
    QString resolveTableName(const TableRef &ref);
    const WithQuery *withQueryOf(const TableRef &ref) const;
    QStringList queryFields(const QString &select, int pos) const;
    void resolveTables(const Statement &st);
    void indexTable(int k);
    int tablesWithField(const NamePart &part, int *first, int *second) const;
    int fieldIndex(const Table &t, const NamePart &part) const;
    int tableOfQualifier(const QList<NamePart> &qualifier) const;
    FieldAt resolveField(const QList<NamePart> &ref, int pos) const;
    FieldAt tryResolve(const QList<NamePart> &ref) const;
    QString reference(const FieldAt &at) const;
    QString referenceText(const QList<NamePart> &ref, QStringView written, int pos) const;
    QString render(const QList<Piece> &pieces) const;
    bool knownReference(const QList<NamePart> &ref) const;
    QString fieldNameText(const Expr &e) const;

    // The design (sqldesignbuilder.cpp)
    void checkFlattenable(const BoolNode &node) const;
    static void groupedRows(const BoolNode &node, bool top, QList<Row> &rows);
    static void flatten(const BoolNode &node, QList<int> &preds, QList<QPair<bool, int>> &ops);
    Flat flat(const BoolNode &node) const;
    void joinConditions(const Statement &st, QueryDefinition &def) const;
    void whereConditions(const Statement &st, QueryDefinition &def) const;
    void havingConditions(const Statement &st, QueryDefinition &def) const;
    void placeTables(QueryDefinition &def, const Ticks &ticks, const Totals &totals, bool anyTotal) const;
    void addLink(QueryDefinition &def, int a, int b, const QString &hint, JoinType type) const;
    static void placeLink(const QueryDefinition &def, StoredLink &link);
    void selectColumns(const Statement &st, Ticks &ticks, Totals &totals, bool &anyTotal,
                       QHash<QString, Expr> &columnAliases) const;
    bool classicColumns(const Statement &st) const;
    void ownColumns(const Statement &st, Ticks &ticks, QueryDefinition &def) const;
    QString columnNameText(const NamePart &name) const;
    QString ownSortField(const Statement &st, const Expr &e, const QueryDefinition &def) const;
    void usingConditions(const Statement &st, int j, QueryDefinition &def) const;
    void checkGroups(const Statement &st, const Ticks &ticks, Totals &totals) const;
    int columnPos(const Statement &st, int table, int field) const;
    QString sortField(const Statement &st, const Expr &e, const QHash<QString, Expr> &columnAliases) const;
    void insertValues(const Statement &st, QueryDefinition &def) const;
    void updateValues(const Statement &st, QueryDefinition &def) const;

    const QString &m_sql;
    const SqlDesignSource &m_source;
    QList<Table> m_tables;
    QStringList m_tableNames;
    QHash<QString, int> m_listed, m_listedFolded;  // the database's table names: the first of each
    bool m_tableNamesRead = false;
    QString m_with;  // the statement's WITH clause, as written
    QHash<QString, int> m_usingFields;  // case-folded: the table a bare USING column is read from
    Index m_index;
    const Statement *m_st = nullptr;
    mutable QHash<quint64, QString> m_references;  // (table, field): the field's reference
};

} // namespace SqlDesign
