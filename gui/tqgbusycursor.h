// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QApplication>

// The busy cursor for the length of a scope: long work on the GUI thread (opening a
// database, running a statement, reading a file), restored on every way out.
class TQGBusyCursor
{
public:
    TQGBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TQGBusyCursor() { QApplication::restoreOverrideCursor(); }
    TQGBusyCursor(const TQGBusyCursor &) = delete;
    TQGBusyCursor &operator=(const TQGBusyCursor &) = delete;
};
