// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QObject>
#include <functional>

class QStatusBar;
class QTabWidget;
class QWidget;
class TDataSource;
class TQGDBNavigator;
class TQGenGrid;
class TQGResultModel;
class TQGSqlEditor;
class TQuery;

// The execute command of the "SQL" page: runs the editor's statement through the designer's
// query object and shows a SELECT's rows in the result grid with the record count. The
// statement runs once, on a reader thread; the window stays alive meanwhile, the status
// bar counts the rows read, and Escape or the navigator's stop button ends the run.
class TQGQueryExecution : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        QTabWidget *pageControl = nullptr;  // PageControl981
        QWidget *sqlPage = nullptr;         // TabSheet2
        TQGSqlEditor *memo = nullptr;       // Memo1
        QWidget *resultPanel = nullptr;     // Panel9
        TQGenGrid *grid = nullptr;
        TQGDBNavigator *navigator = nullptr;  // DBNavigator1
        QStatusBar *statusBar = nullptr;      // StatusBar2
    };

    TQGQueryExecution(const Controls &controls, TQuery *query, std::function<bool()> selectQuery,
                      std::function<TDataSource *()> masterDataSource, QWidget *messageParent,
                      QObject *parent);
    ~TQGQueryExecution() override;

    // The command behind SpeedButton28, SpeedButton21 and "Execute SQL". Engine errors are
    // shown with the engine's message; nothing is thrown. A SELECT returns once its first
    // rows are shown (or it failed or was cancelled); the events are processed meanwhile.
    void SpeedButton28Click();

    // Closes the result (loading a design does so).
    void CloseResult();

    // The navigator's refresh: runs the open SELECT again and keeps the current row.
    void RefreshResult();

    // Escape and the stop button: cancels a statement still executing in the engine, or ends
    // the reading of its rows (the rows read so far stay).
    void StopResult();

    // A statement is executing or its rows are being read.
    bool IsRunning() const;

    // The model between the query and the grid.
    TQGResultModel *ResultModel() const;

private:
    class Private;
    Private *d;
};
