// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QString>

class QPrinter;
class QWidget;
class TQGSqlEditor;

// Prints the SQL editor's text on the system's default printer, page after page, as the
// job "Query Generator SQL Statement". Raises VdqError when there is no printer.
void PrintSqlText(TQGSqlEditor *editor);

// The same on a given printer (tests hand in a PDF printer). Returns the number of pages.
int PrintSqlText(TQGSqlEditor *editor, QPrinter *printer);
