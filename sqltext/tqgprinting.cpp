// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgprinting.h"

#include "tqgsqleditor.h"
#include "vdqerror.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>
#include <QTextOption>

namespace {

// The editor's font as the printer should measure it: a font given in pixels is turned into
// points at the screen's resolution, or it would shrink to nothing on a 1200 dpi printer.
QFont printFont(const TQGSqlEditor *editor)
{
    QFont font = editor->font();
    if (font.pointSizeF() <= 0 && font.pixelSize() > 0) {
        const int dpi = editor->logicalDpiY() > 0 ? editor->logicalDpiY() : 96;
        font.setPointSizeF(font.pixelSize() * 72.0 / dpi);
    }
    return font;
}

} // namespace

void PrintSqlText(TQGSqlEditor *editor)
{
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        // No default chosen: any installed printer is the current one.
        const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
        if (!printers.isEmpty())
            info = printers.first();
    }
    if (info.isNull())
        throw VdqError(QCoreApplication::translate(
            "TQGPrinting", "No printer is installed. Install a printer to print the SQL statement."));
    QPrinter printer(info, QPrinter::HighResolution);
    PrintSqlText(editor, &printer);
}

int PrintSqlText(TQGSqlEditor *editor, QPrinter *printer)
{
    printer->setDocName(QCoreApplication::translate("TQGPrinting", "Query Generator SQL Statement"));
    // The whole printable page is the text's, with no margins of its own, header, footer
    // or page numbers: the margins are the least the printer needs, and the page's origin
    // is the printable area's corner, not the paper's.
    printer->setFullPage(false);
    const QPageLayout layout = printer->pageLayout();
    printer->setPageMargins(layout.minimumMargins(), layout.units());
    if (!printer->isValid())
        throw VdqError(QCoreApplication::translate("TQGPrinting", "The printer \"%1\" cannot be used.")
                           .arg(printer->printerName()));

    const QRectF page = printer->pageRect(QPrinter::DevicePixel);
    if (page.width() <= 0 || page.height() <= 0)
        throw VdqError(QCoreApplication::translate("TQGPrinting", "The printer \"%1\" reports no printable page.")
                           .arg(printer->printerName()));

    // A copy of the text laid out for the printer: measured at its resolution, cut into
    // pages of its size, lines moved whole to the next page. The editor does not wrap, but
    // paper cannot scroll: a line wider than the page wraps at the page width.
    QTextDocument document;
    document.documentLayout()->setPaintDevice(printer);
    document.setDefaultFont(printFont(editor));
    document.setDocumentMargin(0);
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(option);
    document.setPlainText(editor->toPlainText());
    document.setPageSize(page.size());
    const int pages = qMax(1, document.pageCount());

    QPainter painter;
    if (!painter.begin(printer))
        throw VdqError(
            QCoreApplication::translate("TQGPrinting", "The print job could not be started on the printer \"%1\".")
                .arg(printer->printerName()));

    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !printer->newPage()) {
            painter.end();
            throw VdqError(
                QCoreApplication::translate("TQGPrinting", "The printing system refused page %1 of the SQL statement.")
                    .arg(i + 1));
        }
        const QRectF view(0, i * page.height(), page.width(), page.height());
        painter.save();
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        context.clip = view;
        document.documentLayout()->draw(&painter, context);
        painter.restore();
    }
    if (!painter.end())
        throw VdqError(QCoreApplication::translate(
            "TQGPrinting", "The printing system could not finish the SQL statement's print job."));
    return pages;
}
