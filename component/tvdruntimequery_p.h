// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "tvdruntimequery.h"

#include <functional>

class QWidget;

// What a component keeps between its calls.
class TVDRunTimeQueryPrivate
{
public:
    QString databaseName;
    QStringList sql;
    QString sessionName;
    QString fileName;
    std::function<void(QWidget *window)> showHook;

    static TVDRunTimeQueryPrivate *get(TVDRunTimeQuery &query) { return query.d.get(); }
};

// Called with the designer window just before it is shown modally, and the selection dialog
// likewise; the project's tests and screenshot program use it to look at or drive the windows.
inline void SetShowHook(TVDRunTimeQuery &query, std::function<void(QWidget *window)> hook)
{
    TVDRunTimeQueryPrivate::get(query)->showHook = std::move(hook);
}
