// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "designedits.h"
#include "querydefinition.h"
#include "querydocument.h"

#include <functional>

class TQGQueryForm;

// Moves a design between the designer window and a query definition file.
class TQGDefinitionIO
{
public:
    // The design of the window as the file stores it: the canvas's table windows and links in
    // the order they were placed (Left and Top in scroll-independent canvas coordinates) and
    // the three lists.
    static QueryDefinition Capture(const TQGQueryForm &form);

    // Replaces the window's design with the file's. The whole file is read and checked, and
    // the file's database listed, before the design is touched: a file that is not a query
    // definition or names a database that cannot be listed leaves the design as it was.
    // Raises VdqError.
    static void Load(TQGQueryForm &form, const QString &fileName);
    // The definition's design as one step named text: the fields its database has now, ids
    // after the window's, windows wide enough for totals; adjust changes it before it is
    // pushed. A table that cannot be opened ends the reading, and its message is raised.
    static void Apply(TQGQueryForm &form, const QueryDefinition &definition, const QString &text,
                      DesignEdit::Kind kind = DesignEdit::Ordinary,
                      const std::function<void(DesignState &)> &adjust = {});

    static void Save(const TQGQueryForm &form, const QString &fileName);
};
