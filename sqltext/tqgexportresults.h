// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "tresultexport.h"

#include <QObject>
#include <QStringList>

class QProgressDialog;
class QWidget;
class TQuery;

// Export Results: the whole result of the open query, from its spool (the rows read so far,
// then the rest as the reading goes on; the statement is not run again), into a CSV or JSON
// file, with a progress window whose Cancel leaves no file behind.
class TQGExportResults : public QObject
{
    Q_OBJECT
public:
    TQGExportResults(TQuery *query, QWidget *window);

    // Asks for the file (its type by the dialog's filter) and exports; messages are shown.
    static void ExportResults1Click(QWidget *window, TQuery *query);
    // The file dialog's filters, CSV first, and the format a filter stands for.
    static QStringList Filters();
    static TResultExport::Format FormatOfFilter(const QString &filter);

    // Writes the file, through a temporary one that takes its name only when every row is
    // in it. False when cancelled (WasCancelled) or failed (ErrorString).
    bool Export(const QString &fileName, TResultExport::Format format);
    // Ends a running export as its Cancel button does.
    void Cancel() { m_cancelled = true; }
    bool WasCancelled() const { return m_cancelled; }
    QString ErrorString() const { return m_error; }
    // The progress window of the running export.
    QProgressDialog *ProgressDialog() const { return m_progress; }

Q_SIGNALS:
    // After each chunk written: the rows in the file so far.
    void Progressed(qint64 rows);

private:
    TQuery *m_query;
    QWidget *m_window;
    QProgressDialog *m_progress = nullptr;  // while Export() runs
    bool m_cancelled = false;
    QString m_error;
};
