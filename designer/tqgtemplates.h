// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QString>

class QMenu;
class TQGSqlEditor;

// The "&DML Templates" menu: skeleton statements and function calls that go into the SQL
// editor in place of the selection, or at the caret.
void BuildTemplateMenu(QMenu *menu, TQGSqlEditor *editor);

// The shared operation behind every template item.
void InsertTemplate(TQGSqlEditor *editor, const QString &templateText);
