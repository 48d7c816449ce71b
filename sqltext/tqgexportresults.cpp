// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgexportresults.h"

#include "messages.h"
#include "tquery.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QSaveFile>
#include <QThread>

#include <limits>

namespace {

// While the reading has no new rows yet: a short wait before looking again.
constexpr int kIdleMs = 10;

} // namespace

TQGExportResults::TQGExportResults(TQuery *query, QWidget *window) : QObject(window), m_query(query), m_window(window)
{
}

QStringList TQGExportResults::Filters()
{
    return {tr("CSV files (*.csv)"), tr("JSON files (*.json)")};
}

TResultExport::Format TQGExportResults::FormatOfFilter(const QString &filter)
{
    return filter == Filters().at(1) ? TResultExport::Format::Json : TResultExport::Format::Csv;
}

void TQGExportResults::ExportResults1Click(QWidget *window, TQuery *query)
{
    const QString title = tr("Export Results");
    if (!query || !query->IsActive()) {
        VdqMessages::Information(window, title, tr("There are no results to export: execute a query first."));
        return;
    }
    QFileDialog dialog(window, title);
    dialog.setObjectName(QStringLiteral("ExportDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setNameFilters(Filters());
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &filter) {
        dialog.setDefaultSuffix(FormatOfFilter(filter) == TResultExport::Format::Json ? QStringLiteral("json")
                                                                                      : QStringLiteral("csv"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    TQGExportResults exporter(query, window);
    if (exporter.Export(dialog.selectedFiles().constFirst(), FormatOfFilter(dialog.selectedNameFilter())))
        return;
    if (!exporter.WasCancelled())
        VdqMessages::Error(window, title, exporter.ErrorString());
}

bool TQGExportResults::Export(const QString &fileName, TResultExport::Format format)
{
    m_cancelled = false;
    m_error.clear();
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = tr("Cannot create the file %1: %2").arg(fileName, file.errorString());
        return false;
    }
    TResultExport writer(*m_query, format, file);
    QProgressDialog progress(tr("Exporting the results..."), tr("Cancel"), 0, 0, m_window);
    progress.setObjectName(QStringLiteral("ExportProgress"));
    progress.setWindowTitle(tr("Export Results"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    connect(&progress, &QProgressDialog::canceled, this, &TQGExportResults::Cancel);
    m_progress = &progress;
    const auto forget = qScopeGuard([this] { m_progress = nullptr; });
    const auto failed = [&] {
        m_error = tr("Cannot write the file %1: %2").arg(fileName, writer.ErrorString());
        file.cancelWriting();
        return false;
    };
    if (!writer.Begin())
        return failed();
    while (!writer.AtEnd()) {
        const qint64 rows = writer.WriteAvailable();
        if (rows < 0)
            return failed();
        const qint64 written = writer.RowsWritten();
        const qint64 read = m_query->RowsRead();
        // The scale is the rows read so far; it still grows while the reading goes on.
        progress.setMaximum(int(qMin<qint64>(read, std::numeric_limits<int>::max())));
        progress.setValue(int(qMin<qint64>(written, std::numeric_limits<int>::max())));
        progress.setLabelText(m_query->IsReading() ? tr("%L1 rows written, %L2 read so far").arg(written).arg(read)
                                                   : tr("%L1 of %L2 rows written").arg(written).arg(read));
        if (rows > 0)
            Q_EMIT Progressed(written);
        QCoreApplication::processEvents();
        if (m_cancelled) {
            file.cancelWriting();
            return false;
        }
        if (rows == 0)
            QThread::msleep(kIdleMs);
    }
    if (!writer.Finish())
        return failed();
    if (!file.commit()) {
        m_error = tr("Cannot write the file %1: %2").arg(fileName, file.errorString());
        return false;
    }
    return true;
}
