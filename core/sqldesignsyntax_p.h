// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// The parsed form of one statement, as the statement reader hands it to the design builder,
// and the helpers both share. Private to DesignFromSql; never installed.

#include "naming.h"
#include "querymodel.h"
#include "selectforms.h"
#include "vdqerror.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace SqlDesign {

struct NamePart
{
    QString text;  // without quotes
    bool quoted = false;
};

// A piece of an expression's text: a token as written, or a name that is looked up when the
// tables are known. Its text stays in the statement's (Statement::text), and a name's parts
// in the statement's list of them, so that a long expression costs a few bytes a token.
struct Piece
{
    int pos = 0;
    int length = 0;
    int ref = -1;  // a name: its parts are Statement::refs[ref]
    bool space = false;
    bool afterCast = false;  // a type name after "::", never a field
    bool isRef() const { return ref >= 0; }
};

struct Expr
{
    enum Kind { Other, Field, Aggregate, Star, TableStar } kind = Other;
    QList<Piece> pieces;
    QList<NamePart> ref;  // Field, the argument of an Aggregate, the qualifier of TableStar
    int refPos = 0;
    QString function;     // Aggregate: COUNT, SUM, AVG, MIN, MAX
    int pos = 0;
    int functionPos = -1;  // the first function call in it
    // When it is an aggregate call of anything but a lone field: where its argument starts,
    // and the number of pieces up to the call's ")".
    int aggregateArgPos = -1;
    int aggregateCallEnd = -1;
    bool keptText = false;  // holds a subquery, a CASE or a window kept as written
};

struct Predicate
{
    Expr left;              // empty for EXISTS
    QString comparison;     // as the Condition column holds it
    QString writtenOperator;  // the operator as written, upper case ("=", "LIKE", ...)
    QList<Piece> value;
    bool rightIsField = false;  // the value is one field (fieldExpr gives it)
    int pos = 0;
};

struct BoolNode
{
    enum Kind { Pred, And, Or } kind = Pred;
    int pred = -1;
    QList<BoolNode> kids;
    QList<int> opPositions;  // before kids 1..n-1
    int pos = 0;
    int parenPos = -1;
    bool negated = false;  // NOT before it
};

struct TableRef
{
    QList<NamePart> name;  // empty for a derived table
    int pos = 0;
    std::optional<NamePart> alias;
    QList<Piece> query;  // a derived table's query, without its parentheses
};

// A query the WITH clause names.
struct WithQuery
{
    NamePart name;
    int pos = 0;
};

enum class JoinKind { Comma, Inner, Left, Right, Full };

struct Join
{
    JoinKind kind = JoinKind::Comma;
    std::optional<BoolNode> on;
    QList<NamePart> usingColumns;  // JOIN ... USING (a, b)
    int pos = 0;
};

struct SelectItem
{
    Expr expr;
    std::optional<NamePart> alias;
    int aliasPos = -1;
};

struct SortItem
{
    Expr expr;
    bool ascending = true;
};

struct Assignment
{
    QList<NamePart> target;
    int pos = 0;
    Expr value;
};

struct Statement
{
    QueryType type = QueryType::Select;
    bool distinct = false;
    int limit = 0;
    int offset = 0;
    QList<Piece> with;  // the WITH clause as written, from WITH to the last query's ")"
    QList<WithQuery> withQueries;
    QList<SelectItem> columns;
    QList<TableRef> tables;
    QList<Join> joins;  // joins[k] brings in tables[k + 1]
    std::optional<BoolNode> where;
    QList<Expr> groupBy;
    int groupByPos = -1;
    std::optional<BoolNode> having;
    QList<SortItem> orderBy;
    QList<NamePart> insertColumns;
    QList<int> insertColumnPositions;
    QList<Expr> insertValues;
    int valuesPos = 0;
    QList<Assignment> assignments;
    QList<Predicate> preds;
    QList<QList<NamePart>> refs;  // the names of the pieces
    QStringView source;           // the statement's text

    QStringView text(const Piece &p) const { return source.mid(p.pos, p.length); }

    // The pieces as written, each space between them one blank.
    QString written(const QList<Piece> &pieces) const
    {
        QString out;
        for (const Piece &p : pieces) {
            if (p.space && !out.isEmpty())
                out += u' ';
            out += text(p);
        }
        return out;
    }

    // The field that a list of pieces holding one name stands for.
    Expr fieldOf(const QList<Piece> &pieces) const
    {
        Expr e;
        e.kind = Expr::Field;
        e.pieces = pieces;
        e.ref = refs.at(pieces.constFirst().ref);
        e.pos = e.refPos = pieces.constFirst().pos;
        return e;
    }
};

// The functions a total is written with: COUNT, SUM, AVG, MIN, MAX.
inline TotalKind aggregateKind(const QString &function)
{
    const TotalKind kind = TotalKindFromName(function);
    return kind == TotalKind::Group ? TotalKind::None : kind;
}

// The parts of a name as the table list writes a table's name (TableNameText).
inline QString writtenName(const QList<NamePart> &parts, SqlDialect dialect)
{
    QStringList texts;
    for (const NamePart &p : parts)
        texts << p.text;
    return TableNameText(texts, dialect);
}

// The refusal of a part of the statement, named with the line and column of its offset.
[[noreturn]] inline void failAt(const QString &sql, int offset, const QString &what)
{
    int line = 1;
    int lineStart = 0;
    for (int k = 0; k < offset && k < sql.size(); ++k) {
        if (sql.at(k) == u'\n') {
            ++line;
            lineStart = k + 1;
        }
    }
    throw VdqError(QCoreApplication::translate("SqlDesign", "The design cannot show %1 (line %2, column %3).")
                       .arg(what, QString::number(line), QString::number(offset - lineStart + 1)));
}

} // namespace SqlDesign
