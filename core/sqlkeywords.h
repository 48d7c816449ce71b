// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "sqldialect.h"

#include <QString>
#include <QStringList>

// Reserved words: a name that is one of them is quoted, as the engine would read it as
// the word. Each dialect starts with a kept list; a connection adds the engine's own list
// where the engine offers one (SQLite's keyword table, PostgreSQL's pg_get_keywords()).

// True when the name, in any letter case, is a reserved word of the dialect.
bool IsReservedWord(const QString &name, SqlDialect dialect);

// Adds the engine's own words to the dialect's list (never removes a kept word).
void AddEngineKeywords(SqlDialect dialect, const QStringList &words);

// True when the name is a reserved word in the kept list of any dialect. A table alias
// serves every engine and must not change with the connections made, so it is checked
// against these lists alone.
bool IsReservedInAnyDialect(const QString &name);
