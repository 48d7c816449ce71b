// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "messages.h"
#include "tqgprinting.h"
#include "tqgqueryform.h"
#include "tqgsqleditor.h"
#include "vdqerror.h"

#include <QAction>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

class TestPrinting : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();

    void shortText();
    void longTextPageByPage();
    void wideLineIsWrapped();
    void emptyText();
    void editorFontAndFullPage();
    void insidePrintableArea();
    void systemPrinter();
    void printCommandOfDesigner();

private:
    QString pdfPath(const QString &name) const { return m_dir.filePath(name + QStringLiteral(".pdf")); }
    int print(TQGSqlEditor *editor, const QString &pdf, QPrinter::PrinterMode mode = QPrinter::HighResolution);
    QTemporaryDir m_dir;
};

namespace {

// Runs one of the PDF tools and gives its standard output; an empty string and a failed
// check when it does not run.
QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qWarning("%s %s failed: %s %s", qPrintable(program), qPrintable(arguments.join(u' ')),
                 qPrintable(process.errorString()), process.readAllStandardError().constData());
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pdfText(const QString &pdf, int page = 0)
{
    QStringList args;
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    args << pdf << QStringLiteral("-");
    return run(QStringLiteral("pdftotext"), args);
}

QString pdfInfo(const QString &pdf, const QString &key)
{
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(key), QRegularExpression::MultilineOption);
    return line.match(info).captured(1).trimmed();
}

// The numbers of the "LINE nnn" marks in a text, in the order they appear.
QList<int> lineMarks(const QString &text)
{
    QList<int> marks;
    const QRegularExpression mark(QStringLiteral("LINE (\\d{3})"));
    for (auto it = mark.globalMatch(text); it.hasNext();)
        marks << it.next().captured(1).toInt();
    return marks;
}

QString numberedText(int lines)
{
    QStringList out;
    for (int i = 1; i <= lines; ++i)
        out << QStringLiteral("LINE %1 AND Orders.Amount > %2").arg(i, 3, 10, QLatin1Char('0')).arg(i * 7);
    return out.join(u'\n');
}

} // namespace

void TestPrinting::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
             "pdftotext (poppler-utils) is needed to read the printed pages");
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty(), "pdfinfo is needed");
}

int TestPrinting::print(TQGSqlEditor *editor, const QString &pdf, QPrinter::PrinterMode mode)
{
    QPrinter printer(mode);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const int pages = PrintSqlText(editor, &printer);
    if (printer.docName() != QLatin1String("Query Generator SQL Statement"))
        qWarning("job title %s", qPrintable(printer.docName()));
    return pages;
}

void TestPrinting::shortText()
{
    TQGSqlEditor editor;
    const QString text = QStringLiteral("SELECT CUSTOMER.*\nFROM CUSTOMER\nWHERE CustNo = 1221");
    editor.SetText(text);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = pdfPath(QStringLiteral("short"));
    printer.setOutputFileName(pdf);
    QCOMPARE(PrintSqlText(&editor, &printer), 1);

    QCOMPARE(printer.docName(), QStringLiteral("Query Generator SQL Statement"));
    QVERIFY(!printer.fullPage());
    QCOMPARE(printer.pageLayout().margins(), printer.pageLayout().minimumMargins());
    QCOMPARE(editor.toPlainText(), text);

    QCOMPARE(pdfInfo(pdf, QStringLiteral("Pages")), QStringLiteral("1"));
    QCOMPARE(pdfInfo(pdf, QStringLiteral("Title")), QStringLiteral("Query Generator SQL Statement"));
    const QStringList printed = pdfText(pdf).split(u'\n', Qt::SkipEmptyParts);
    QStringList lines;
    for (const QString &l : printed) {
        if (!l.trimmed().isEmpty() && l != QLatin1String("\f"))
            lines << l.trimmed();
    }
    QCOMPARE(lines, (QStringList{"SELECT CUSTOMER.*", "FROM CUSTOMER", "WHERE CustNo = 1221"}));
}

void TestPrinting::longTextPageByPage()
{
    TQGSqlEditor editor;
    editor.SetText(numberedText(200));
    const QString pdf = pdfPath(QStringLiteral("long"));
    const int pages = print(&editor, pdf);
    QVERIFY2(pages >= 2, qPrintable(QString::number(pages)));
    QCOMPARE(pdfInfo(pdf, QStringLiteral("Pages")), QString::number(pages));

    QList<int> expected;
    for (int i = 1; i <= 200; ++i)
        expected << i;
    QCOMPARE(lineMarks(pdfText(pdf)), expected);

    // Page after page: each page continues where the one before stopped, no line is cut in
    // two at a page end, and every page but the last is full.
    QList<int> all;
    int firstPageLines = 0;
    for (int page = 1; page <= pages; ++page) {
        const QString text = pdfText(pdf, page);
        const QList<int> marks = lineMarks(text);
        QVERIFY2(!marks.isEmpty(), qPrintable(QStringLiteral("page %1 is empty").arg(page)));
        QCOMPARE(text.count(QStringLiteral("AND Orders.Amount >")), marks.size());
        if (page == 1)
            firstPageLines = marks.size();
        else if (page < pages)
            QCOMPARE(marks.size(), firstPageLines);
        all << marks;
    }
    QCOMPARE(all, expected);
    QVERIFY(firstPageLines > 30);  // a 10 point font gives some 70 lines on an A4 page
}

void TestPrinting::wideLineIsWrapped()
{
    TQGSqlEditor editor;
    QStringList words;
    for (int i = 1; i <= 120; ++i)
        words << QStringLiteral("F%1").arg(i, 3, 10, QLatin1Char('0'));
    // A line far wider than the page, and one without a single space.
    const QString unbroken = QString(300, u'X');
    editor.SetText(QStringLiteral("SELECT ") + words.join(QStringLiteral(", ")) + u'\n' + unbroken + QStringLiteral("\nFROM T"));
    const QString pdf = pdfPath(QStringLiteral("wide"));
    QCOMPARE(print(&editor, pdf), 1);

    const QString text = pdfText(pdf);
    const QRegularExpression word(QStringLiteral("F(\\d{3})"));
    QList<int> found;
    for (auto it = word.globalMatch(text); it.hasNext();)
        found << it.next().captured(1).toInt();
    QList<int> expected;
    for (int i = 1; i <= 120; ++i)
        expected << i;
    QCOMPARE(found, expected);
    // The long line went onto several printed lines rather than off the paper.
    const QStringList printed = text.split(u'\n', Qt::SkipEmptyParts);
    int wordLines = 0;
    int xs = 0;
    int xLines = 0;
    for (const QString &l : printed) {
        if (l.contains(word))
            ++wordLines;
        if (l.trimmed().startsWith(u'X')) {
            ++xLines;
            xs += l.trimmed().size();
        }
    }
    QVERIFY2(wordLines >= 2, qPrintable(text));
    QVERIFY2(xLines >= 2, qPrintable(text));
    QCOMPARE(xs, unbroken.size());
    QVERIFY(text.contains(QStringLiteral("FROM T")));
}

void TestPrinting::emptyText()
{
    TQGSqlEditor editor;
    const QString pdf = pdfPath(QStringLiteral("empty"));
    QCOMPARE(print(&editor, pdf), 1);
    QCOMPARE(pdfInfo(pdf, QStringLiteral("Pages")), QStringLiteral("1"));
    QVERIFY(pdfText(pdf).trimmed().isEmpty());
}

void TestPrinting::insidePrintableArea()
{
    // A printer that cannot print within 36 points of the paper's edges: the text starts
    // at the printable area's corner.
    TQGSqlEditor editor;
    editor.SetText(QStringLiteral("SELECT\nFROM"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = pdfPath(QStringLiteral("printable"));
    printer.setOutputFileName(pdf);
    const QMarginsF unprintable(36, 36, 36, 36);
    QVERIFY(printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, unprintable,
                                              QPageLayout::Point, unprintable)));
    QCOMPARE(PrintSqlText(&editor, &printer), 1);
    QCOMPARE(printer.pageLayout().margins(QPageLayout::Point), unprintable);
    const QString html = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    const QRegularExpression box(QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>SELECT</word>"));
    const QRegularExpressionMatch m = box.match(html);
    QVERIFY2(m.hasMatch(), qPrintable(html));
    const double xMin = m.captured(1).toDouble();
    const double yMin = m.captured(2).toDouble();
    QVERIFY2(xMin >= 36.0 && xMin < 38.0, qPrintable(QStringLiteral("left edge %1 pt").arg(xMin)));
    QVERIFY2(yMin >= 36.0 && yMin < 40.0, qPrintable(QStringLiteral("top edge %1 pt").arg(yMin)));
}

void TestPrinting::editorFontAndFullPage()
{
    // The printed words are as high as the editor's 10 point font and start at the very
    // corner of the printable area, which for a PDF is the paper's, whatever the printer's
    // resolution.
    // An editor font given in pixels (13 pixels at 96 dpi) prints at the same size.
    const QList<QPair<QPrinter::PrinterMode, bool>> cases{{QPrinter::HighResolution, false},
                                                          {QPrinter::ScreenResolution, false},
                                                          {QPrinter::HighResolution, true}};
    for (const auto &[mode, pixelFont] : cases) {
        TQGSqlEditor editor;
        if (pixelFont) {
            QFont font = editor.font();
            font.setPixelSize(13);
            editor.setFont(font);
        }
        editor.SetText(QStringLiteral("SELECT\nFROM"));
        const QString pdf = pdfPath(QStringLiteral("bbox%1%2").arg(int(mode)).arg(pixelFont));
        QCOMPARE(print(&editor, pdf, mode), 1);
        const QString html = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
        const QRegularExpression box(QStringLiteral(
            "<word xMin=\"(-?[\\d.]+)\" yMin=\"(-?[\\d.]+)\" xMax=\"(-?[\\d.]+)\" yMax=\"(-?[\\d.]+)\">SELECT</word>"));
        const QRegularExpressionMatch m = box.match(html);
        QVERIFY2(m.hasMatch(), qPrintable(html));
        const double xMin = m.captured(1).toDouble();
        const double yMin = m.captured(2).toDouble();
        const double height = m.captured(4).toDouble() - yMin;
        QVERIFY2(xMin < 2.0, qPrintable(QStringLiteral("left margin %1 pt").arg(xMin)));
        QVERIFY2(yMin < 4.0, qPrintable(QStringLiteral("top margin %1 pt").arg(yMin)));
        QVERIFY2(height > 8.0 && height < 14.0, qPrintable(QStringLiteral("word height %1 pt").arg(height)));
    }
}

void TestPrinting::systemPrinter()
{
    TQGSqlEditor editor;
    const QString text = QStringLiteral("SELECT * FROM CUSTOMER");
    editor.SetText(text);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        qInfo("no printer installed: the error branch is tested");
        QVERIFY(QPrinterInfo::defaultPrinter().isNull());
        try {
            PrintSqlText(&editor);
            QFAIL("printing without a printer raised no error");
        } catch (const VdqError &e) {
            QCOMPARE(e.message(), QStringLiteral("No printer is installed. Install a printer to print the SQL statement."));
        }
    } else {
        qInfo("printer %s installed: a real job is printed", qPrintable(QPrinterInfo::defaultPrinter().printerName()));
        try {
            PrintSqlText(&editor);
        } catch (const VdqError &e) {
            QFAIL(qPrintable(e.message()));
        }
    }
    QCOMPARE(editor.toPlainText(), text);
}

void TestPrinting::printCommandOfDesigner()
{
    // The designer's three print controls reach the printer; a failure shows as an error
    // message and leaves the text alone.
    QList<QPair<VdqMessages::Kind, QString>> messages;
    VdqMessages::SetHook([&messages](VdqMessages::Kind kind, const QString &, const QString &text) {
        messages << qMakePair(kind, text);
    });
    struct Unhook {
        ~Unhook() { VdqMessages::SetHook({}); }
    } unhook;

    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("a printer is installed: the designer would print real jobs (systemPrinter covers it)");

    auto form = std::make_unique<TQGQueryForm>();
    const QString text = QStringLiteral("SELECT *\nFROM ORDERS");
    form->Memo1()->SetText(text);
    for (const char *name : {"PrintSQL1", "PrintSQL2"}) {
        messages.clear();
        auto *action = form->findChild<QAction *>(QLatin1String(name));
        QVERIFY2(action, name);
        action->trigger();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.first().first, VdqMessages::Kind::Error);
        QCOMPARE(messages.first().second,
                 QStringLiteral("No printer is installed. Install a printer to print the SQL statement."));
        QCOMPARE(form->Memo1()->toPlainText(), text);
    }
    messages.clear();
    auto *button = form->findChild<QToolButton *>(QStringLiteral("SpeedButton18"));
    QVERIFY(button);
    button->click();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.first().first, VdqMessages::Kind::Error);
    QCOMPARE(form->Memo1()->toPlainText(), text);
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
