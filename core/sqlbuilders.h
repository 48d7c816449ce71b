// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "querymodel.h"

#include <QList>
#include <QString>
#include <QStringList>

// The statement builders behind the designer's text. Each returns the editor's lines for the
// design, without line terminators; an empty list leaves the editor empty. The engine's
// dialect in design.style decides how names are written where an engine would not read
// them bare and where the engines disagree on UPDATE and DELETE syntax.

QStringList BuildSelectSQL(const QueryDesign &design);
QStringList BuildInsertSQL(const QueryDesign &design);
QStringList BuildUpdateSQL(const QueryDesign &design);
QStringList BuildDeleteSQL(const QueryDesign &design);

// The alias of each table: its own where it has one, else TableAlias of its caption, with
// "_1", "_2", ... behind where another table has that alias already.
QStringList TableAliases(const QList<DesignTable> &tables);
// A table's own alias, else TableAlias of its caption.
QString DesignTableAlias(const DesignTable &table);

// One condition line: " field cmp value " and, unless it is the last row, "op ".
// The comparison is the Condition column cut before its first " (".
QString ConditionLine(const ConditionRow &row, bool last);

// "WHERE " followed by one condition line per row, or nothing for no rows.
QStringList ConditionLines(const QList<ConditionRow> &rows);

// The builder of design.queryType.
QStringList GenerateSQLLines(const QueryDesign &design);

// The lines joined by "\n", without a trailing newline.
QString GenerateSQLText(const QueryDesign &design);
