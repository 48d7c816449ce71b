// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

// The German translation: every text the sources mark has one, the designer shows it under a
// German locale, and what the designer stores stays English.

#include "designfixture.h"
#include "tqgdefinitionio.h"
#include "tqgsortform.h"
#include "vdqerror.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTreeWidget>
#include <QXmlStreamReader>

namespace {

const char *const kEnglishSave = "--save-under-english";

// Conditions, Sorting and a join, each with a stored word the lists translate when shown.
const char *const kDesign =
    "[Session]\r\nSessionName=Default\r\nDatabase=SHOP\r\n[Query]\r\nType=0\r\n"
    "[Table1]\r\nName=clients\r\nText0=ClientNo\r\nChecked0=1\r\nText1=Firm\r\nChecked1=1\r\nItemCount=2\r\n"
    "Left=50\r\nTop=40\r\nWidth=121\r\nHeight=180\r\n"
    "[Table2]\r\nName=sales\r\nText0=SaleNo\r\nChecked0=1\r\nText1=ClientNo\r\nChecked1=0\r\nItemCount=2\r\n"
    "Left=300\r\nTop=140\r\nWidth=121\r\nHeight=180\r\n[Tables]\r\nCount=2\r\n"
    "[Link1]\r\nField1Table=clients\r\nField2Table=sales\r\nHint=clients.ClientNo = sales.ClientNo\r\n"
    "OverText=\r\nLeft=171\r\nTop=60\r\nWidth=129\r\nHeight=100\r\n[Links]\r\nCount=1\r\n"
    "[Values]\r\nColumnCount=2\r\nItemCount=0\r\n"
    "[Conditions]\r\nColumnCount=4\r\nItemCount=2\r\n"
    "0_Item_Caption_=clients.ClientNo\r\n0_Item_SubItems_0==\r\n0_Item_SubItems_1=sales.ClientNo\r\n"
    "0_Item_SubItems_2=AND\r\n"
    "1_Item_Caption_=clients.Firm\r\n1_Item_SubItems_0=<> (Not Equal)\r\n1_Item_SubItems_1='x'\r\n"
    "1_Item_SubItems_2=OR\r\n"
    "[Sorting]\r\nColumnCount=2\r\nItemCount=2\r\n0_Item_Caption_=sales.SaleNo\r\n0_Item_SubItems_0=Yes\r\n"
    "1_Item_Caption_=clients.Firm\r\n1_Item_SubItems_0=No\r\n";

void useLanguage(const char *language, const char *locale)
{
    qputenv("LANGUAGE", language);
    qputenv("LC_ALL", locale);
    qputenv("LANG", locale);
}

// The child run of the test program: opens the design and saves it again under English.
int saveUnderEnglish(int argc, char **argv)
{
    useLanguage("en", "en_US.UTF-8");
    QApplication app(argc, argv);
    auto form = DesignFixture::OpenForm();
    if (form->windowTitle() != QLatin1String("SQL Query Generator"))
        return 2;
    try {
        TQGDefinitionIO::Load(*form, QString::fromLocal8Bit(argv[2]));
        TQGDefinitionIO::Save(*form, QString::fromLocal8Bit(argv[3]));
    } catch (const VdqError &e) {
        qWarning("%s", e.what());
        return 1;
    }
    return 0;
}

QByteArray readAll(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TstTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everySourceTextIsTranslated();
    void germanCaptions_data();
    void germanCaptions();
    void storedWordsShowTranslated_data();
    void storedWordsShowTranslated();
    void savedDesignKeepsEnglishWords();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TQGQueryForm> m_form;
    QString m_designFile;
    QString m_title;
};

void TstTranslations::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(DesignFixture::MakeDatabase(
        m_dir.path(),
        {{QStringLiteral("clients"), {"ClientNo", "Firm"}}, {QStringLiteral("sales"), {"SaleNo", "ClientNo"}}}));
    m_designFile = m_dir.filePath(QStringLiteral("design.vdq"));
    QFile design(m_designFile);
    QVERIFY(design.open(QIODevice::WriteOnly));
    design.write(kDesign);
    design.close();
    m_form = DesignFixture::OpenForm();
    m_title = m_form->windowTitle();  // before the design that marks it changed
    TQGDefinitionIO::Load(*m_form, m_designFile);
}

// lupdate over the sources, merged into a copy of the shipped file: a text added to the
// sources without a German translation comes out unfinished.
void TstTranslations::everySourceTextIsTranslated()
{
    QString lupdate = QLibraryInfo::path(QLibraryInfo::BinariesPath) + QStringLiteral("/lupdate");
    if (!QFileInfo(lupdate).isExecutable())
        lupdate = QStandardPaths::findExecutable(QStringLiteral("lupdate"));
    QVERIFY2(!lupdate.isEmpty(), "lupdate is not installed (Debian: qt6-l10n-tools)");
    const QString ts = m_dir.filePath(QStringLiteral("check_de.ts"));
    QVERIFY(QFile::copy(QStringLiteral(VDQ_SOURCE_DIR "/translations/vdqdesigner_de.ts"), ts));
    QProcess run;
    run.setWorkingDirectory(QStringLiteral(VDQ_SOURCE_DIR));
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(lupdate,
              {"-silent", "-locations", "none", "-no-obsolete", "core", "gui", "database", "editors", "canvas",
               "sqltext", "files", "designer", "component", "host", "-ts", ts});
    QVERIFY(run.waitForFinished(120000));
    QVERIFY2(run.exitCode() == 0, run.readAll().constData());

    QFile file(ts);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList untranslated;
    QString context, source;
    int messages = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"source") {
            source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            ++messages;
            const bool unfinished = xml.attributes().value(QLatin1String("type")) == u"unfinished";
            if (xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed().isEmpty() || unfinished)
                untranslated << context + QStringLiteral(": ") + source;
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(messages > 400);
    QVERIFY2(untranslated.isEmpty(),
             qPrintable(QStringLiteral("Without a German translation in "
                                       "translations/vdqdesigner_de.ts:\n")
                        + untranslated.join(u'\n')));
}

void TstTranslations::germanCaptions_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("german");

    QTest::newRow("window title") << m_title << "SQL-Abfragegenerator";
    QTest::newRow("menu") << m_form->findChild<QMenu *>("File1")->title() << "&Datei";
    QTest::newRow("menu item") << m_form->findChild<QAction *>("ImportSQLFile1")->text() << "Ö&ffnen...";
    QTest::newRow("page") << m_form->findChild<QTabWidget *>()->tabText(0) << "Abfragegenerator";
    QTest::newRow("status, plural") << m_form->findChild<QLabel *>("StatusBar1Panel2")->text() << "2 Tabellen";
    TQGSortForm sort;
    QTest::newRow("dialog caption") << sort.windowTitle() << "Nach Feld sortieren";
    QString unknownAlias;
    try {
        TSessionList::Sessions().FindSession(QStringLiteral("Default"))->OpenDatabase(QStringLiteral("NOSUCH"));
    } catch (const VdqError &e) {
        unknownAlias = e.message();
    }
    QTest::newRow("database error") << unknownAlias << "Ungültiger Aliasname NOSUCH";
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    QTest::newRow("Qt's own button") << buttons.button(QDialogButtonBox::Cancel)->text() << "Abbrechen";
}

void TstTranslations::germanCaptions()
{
    QFETCH(QString, shown);
    QFETCH(QString, german);
    QCOMPARE(shown, german);
}

void TstTranslations::storedWordsShowTranslated_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");

    QTest::newRow("ascending") << "ListView3" << 0 << 1 << "Yes"
                               << "Ja";
    QTest::newRow("descending") << "ListView3" << 1 << 1 << "No"
                                << "Nein";
    QTest::newRow("comparison") << "ListView2" << 1 << 1 << "<> (Not Equal)"
                                << "<> (Ungleich)";
    QTest::newRow("bare comparison") << "ListView2" << 0 << 1 << "="
                                     << "=";
    QTest::newRow("value") << "ListView2" << 1 << 2 << "'x'"
                           << "'x'";
}

void TstTranslations::storedWordsShowTranslated()
{
    QFETCH(QString, list);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    auto *view = m_form->findChild<QTreeWidget *>(list);
    QVERIFY(view);
    QTreeWidgetItem *item = view->topLevelItem(row);
    QVERIFY(item);
    QCOMPARE(item->text(column), stored);
    auto *delegate = qobject_cast<QStyledItemDelegate *>(view->itemDelegateForIndex(view->model()->index(row, column)));
    QVERIFY(delegate);
    QCOMPARE(delegate->displayText(item->text(column), QLocale()), shown);
}

// The same design saved under German and, by a run of this program, under English.
void TstTranslations::savedDesignKeepsEnglishWords()
{
    const QString german = m_dir.filePath(QStringLiteral("german.vdq"));
    const QString english = m_dir.filePath(QStringLiteral("english.vdq"));
    TQGDefinitionIO::Save(*m_form, german);
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QLatin1String(kEnglishSave), m_designFile, english});
    QVERIFY(child.waitForFinished(120000));
    QCOMPARE(child.exitCode(), 0);
    const QByteArray saved = readAll(german);
    QVERIFY(saved.contains("0_Item_SubItems_0=Yes\r\n"));
    QVERIFY(saved.contains("1_Item_SubItems_0=<> (Not Equal)\r\n"));
    QCOMPARE(saved, readAll(english));
}

// The German run sets its locale before Qt reads it; the child run is the English one.
int main(int argc, char **argv)
{
    if (argc == 4 && qstrcmp(argv[1], kEnglishSave) == 0)
        return saveUnderEnglish(argc, argv);
    useLanguage("de", "de_DE.UTF-8");
    QApplication app(argc, argv);
    TstTranslations test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_translations.moc"
