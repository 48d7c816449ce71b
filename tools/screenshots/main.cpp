// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause
// vdqscreenshots: the README's pictures, made by driving the real windows.
//
//   vdqscreenshots [--sample SCRIPT] [--extra DIR] [--dark] OUTDIR
//
// Builds the sample database SHOP in a temporary folder (with the vdqmksample next to this
// program), writes an alias file for it and runs the example host the way a user would:
// the session and database selection dialog, the designer with a joined design, the
// comparison dialog on a condition row, the result grid of the "SQL" page, and the host
// showing the statement the designer returned. The pictures go to OUTDIR:
//
//   host.png  designer.png  comparison.png  grid.png  selection.png
//
// With --extra, every other window the user can open (about box, value and sort dialogs,
// the other dialog pages, menus and popups, the table list's view styles) is grabbed into
// DIR as well, for looking at rather than for the README.
//
// Needs a real window system (QT_QPA_PLATFORM=xcb, e.g. on Xvfb); QT_SCALE_FACTOR=2 gives
// the same pictures at twice the pixels. Exits with 1 when any picture could not be made.

#include "messages.h"
#include "tform1.h"
#include "tqgaboutform.h"
#include "tqgcanvascommands.h"
#include "tqgchecklistbox.h"
#include "tqgcomparisonform.h"
#include "tqgdbselect.h"
#include "tqgdesignlists.h"
#include "tqgqueryexecution.h"
#include "tqgqueryform.h"
#include "tqgscrollbox.h"
#include "tqgsortform.h"
#include "tqgsqleditor.h"
#include "tqgtablelist.h"
#include "tqgstyle.h"
#include "tqgvalueform.h"
#include "tvdruntimequery.h"
#include "tvdruntimequery_p.h"
#include "vdqerror.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QStyle>
#include <QComboBox>
#include <QCommandLineParser>
#include <QContextMenuEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

namespace {

const char *const kAlias = "SHOP";

// Shows the window if needed and lets layouts, posted updates and the window system catch
// up, so that a grab sees what the user would see.
void Settle(QWidget *window)
{
    if (!window->isVisible())
        window->show();
    if (window->isWindow()) {
        (void)QTest::qWaitForWindowExposed(window, 5000);
        // With no window manager nothing activates a new window; the user's window is active.
        if (!(window->windowFlags() & Qt::Popup) && !window->isActiveWindow()) {
            window->activateWindow();
            (void)QTest::qWaitForWindowActive(window, 2000);
        }
    }
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QTest::qWait(20);
    }
}

class Shots
{
public:
    Shots(const QString &outDir, const QString &extraDir) : m_out(outDir), m_extra(extraDir) {}

    bool Failed() const { return m_failed; }

    void Fail(const QString &message)
    {
        std::fprintf(stderr, "vdqscreenshots: %s\n", qPrintable(message));
        m_failed = true;
    }

    // A README picture.
    void Save(QWidget *window, const QString &name) { save(window, QDir(m_out).filePath(name)); }

    // A picture for looking at only; nothing without --extra.
    void Extra(QWidget *window, const QString &name)
    {
        if (!m_extra.isEmpty())
            save(window, QDir(m_extra).filePath(name));
    }
    bool WantsExtras() const { return !m_extra.isEmpty(); }

private:
    void save(QWidget *window, const QString &path)
    {
        Settle(window);
        const QPixmap picture = window->grab();
        if (picture.isNull() || !picture.save(path, "PNG")) {
            Fail(QStringLiteral("cannot write %1").arg(path));
            return;
        }
        std::printf("%s  %dx%d\n", qPrintable(path), picture.width(), picture.height());
    }

    QString m_out;
    QString m_extra;
    bool m_failed = false;
};

// Runs open, which shows a modal dialog, and hands that dialog to answer once it is up;
// answer must close it. The opener is the modal window that is up before.
void WithModal(QWidget *opener, const std::function<void()> &open, const std::function<void(QWidget *)> &answer)
{
    auto *timer = new QTimer(qApp);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal != opener) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
        } else if (clock->elapsed() > 10000) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
    open();
}

// The designer's part of the session: a joined design built as the user builds it, the
// dialogs it opens, and the SQL page with a result.
class DesignerDriver
{
public:
    DesignerDriver(TQGQueryForm *form, Shots &shots) : m_form(form), m_shots(shots) {}

    void Run()
    {
        try {
            build();
        } catch (const VdqError &e) {
            m_shots.Fail(QStringLiteral("designer: %1").arg(e.message()));
        }
        // Save and Exit: the host receives the design's statement.
        m_form->SpeedButton30Click();
    }

private:
    TQGCheckListBox *place(const QString &table)
    {
        TQGTableList *list = m_form->ListView1();
        for (int i = 0; i < list->RowCount(); ++i)
            list->SetSelected(i, list->Caption(i) == table);
        m_form->Canvas()->ListView1DblClick();
        Settle(m_form);
        const QList<TQGCheckListBox *> windows = m_form->ScrollBox1()->TableWindows();
        if (windows.isEmpty() || windows.last()->Caption() != table)
            throw VdqError(QStringLiteral("table %1 was not placed").arg(table));
        return windows.last();
    }

    static int row(TQGCheckListBox *window, const QString &field)
    {
        const int index = window->Fields().indexOf(field);
        if (index < 0)
            throw VdqError(QStringLiteral("%1 has no field %2").arg(window->Caption(), field));
        return index;
    }

    void untick(TQGCheckListBox *window, const QStringList &fields)
    {
        for (const QString &field : fields)
            m_form->Canvas()->SetFieldTicked(window, row(window, field), false);
        m_form->Canvas()->TableFieldListChanged(window);
    }

    // A field of one window dropped on a field of another, as the canvas receives it.
    void join(TQGCheckListBox *source, const QString &sourceField, TQGCheckListBox *target,
              const QString &targetField)
    {
        const QRect from = source->visualItemRect(source->item(row(source, sourceField)));
        m_form->Canvas()->TableStartDrag(source, source->viewport()->mapTo(source, from.center()));
        QMimeData mime;
        mime.setData(QLatin1String(TQGCanvasCommands::FieldMime), source->DragId());
        const QPoint at = target->visualItemRect(target->item(row(target, targetField))).center();
        QDragEnterEvent enter(at, Qt::LinkAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target->viewport(), &enter);
        QDropEvent drop(at, Qt::LinkAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target->viewport(), &drop);
        Settle(m_form);
    }

    void pickField(TQGCheckListBox *window, const QString &field)
    {
        window->setFocus(Qt::MouseFocusReason);
        window->setCurrentRow(row(window, field));
        m_form->SetCurrentTable(window);
    }

    void build()
    {
        // The window as the README shows it, not maximized.
        m_form->setWindowState(Qt::WindowNoState);
        m_form->resize(1100, 720);
        if (QScreen *screen = m_form->screen())
            m_form->move(screen->availableGeometry().topLeft());
        Settle(m_form);
        m_shots.Extra(m_form, QStringLiteral("designer-empty.png"));

        TQGCheckListBox *clients = place(QStringLiteral("clients"));
        TQGCheckListBox *sales = place(QStringLiteral("sales"));
        // Moved and sized by their caption bars and borders, apart so the join line shows.
        clients->setGeometry(40, 24, 150, 190);
        sales->setGeometry(330, 70, 140, 120);
        Settle(m_form);

        join(clients, QStringLiteral("ClientNo"), sales, QStringLiteral("ClientNo"));
        untick(clients, {QStringLiteral("Contact"), QStringLiteral("Street"), QStringLiteral("Zip"),
                         QStringLiteral("Phone"), QStringLiteral("Notes")});
        untick(sales, {QStringLiteral("ClientNo"), QStringLiteral("PaidBy")});

        // A condition through the table popup's "Add Field Condition": the row is added and
        // its comparison dialog opens at once.
        m_form->Lists()->ExecDialog = [this](QDialog *dialog) { return answerDialog(dialog); };
        pickField(clients, QStringLiteral("Town"));
        m_form->Canvas()->AddFieldCondition1Click();

        // A sort row through "Sort by this Field" -> "Descending".
        pickField(sales, QStringLiteral("SaleDay"));
        m_form->Canvas()->Ascending1Click(1);
        Settle(m_form);

        m_form->PageControl981()->setCurrentWidget(m_form->TabSheet1());
        m_form->PageControl982()->setCurrentWidget(m_form->Lists()->SortingPage());
        m_shots.Extra(m_form, QStringLiteral("designer-sorting.png"));
        if (m_shots.WantsExtras()) {
            TQGDesignLists::SelectRow(m_form->ListView3(), 0);
            m_form->Lists()->ListView3DblClick();
        }
        m_form->PageControl982()->setCurrentWidget(m_form->Lists()->ConditionsPage());
        Settle(m_form);
        // A click on the free area below the rows: both rows show in their plain colours.
        QWidget *rows = m_form->ListView2()->viewport();
        QTest::mouseClick(rows, Qt::LeftButton, Qt::NoModifier, QPoint(rows->width() / 2, rows->height() - 4));
        m_shots.Save(m_form, QStringLiteral("designer.png"));

        if (m_shots.WantsExtras())
            extras(clients);

        m_form->PageControl981()->setCurrentWidget(m_form->TabSheet2());
        m_shots.Extra(m_form, QStringLiteral("designer-sql.png"));
        m_form->Memo1()->SetLines({QStringLiteral("SELECT * FROM products")});
        m_form->Execution()->SpeedButton28Click();
        m_shots.Save(m_form, QStringLiteral("grid.png"));
        m_form->PageControl981()->setCurrentWidget(m_form->TabSheet1());
    }

    int answerDialog(QDialog *dialog)
    {
        dialog->show();
        Settle(dialog);
        if (auto *comparison = qobject_cast<TQGComparisonForm *>(dialog))
            return answerComparison(comparison);
        if (auto *sort = qobject_cast<TQGSortForm *>(dialog))
            return answerSort(sort);
        dialog->hide();
        return QDialog::Rejected;
    }

    int answerComparison(TQGComparisonForm *dialog)
    {
        m_shots.Extra(dialog, QStringLiteral("comparison-datafield.png"));
        if (m_shots.WantsExtras()) {
            dialog->ComboBox2->setCurrentIndex(0);
            dialog->ComboBox3->showPopup();
            Settle(dialog);
            if (QWidget *popup = dialog->ComboBox3->view()->window(); popup && popup->isVisible())
                m_shots.Extra(popup, QStringLiteral("comparison-fieldlist.png"));
            dialog->ComboBox3->hidePopup();
            QTest::mouseClick(dialog->Label4, Qt::LeftButton);
            m_shots.Extra(dialog, QStringLiteral("comparison-operator.png"));
            QTest::mouseClick(dialog->Label3, Qt::LeftButton);
            m_shots.Extra(dialog, QStringLiteral("comparison-fieldbox.png"));
            QTest::mouseClick(dialog->Label10, Qt::LeftButton);
            dialog->ComboBox1->setCurrentIndex(2);
            m_shots.Extra(dialog, QStringLiteral("comparison-datasource.png"));
            dialog->ComboBox1->setCurrentIndex(3);
            QTest::keyClicks(dialog->Edit3, QStringLiteral("Town"));
            m_shots.Extra(dialog, QStringLiteral("comparison-parameter.png"));
            dialog->ComboBox1->setCurrentIndex(1);
            const char *const kinds[] = {"number", "string", "date", "time", "logical"};
            for (int i = 0; i < 5; ++i) {
                dialog->ComboBox4->setCurrentIndex(i);
                m_shots.Extra(dialog, QStringLiteral("comparison-value-%1.png").arg(QLatin1String(kinds[i])));
            }
        }
        // The README's state: the value box active, a string value typed.
        QTest::mouseClick(dialog->Label10, Qt::LeftButton);
        // A box click shows page 0 whatever the list says; choosing "Value" again shows it.
        dialog->ComboBox1->setCurrentIndex(0);
        dialog->ComboBox1->setCurrentIndex(1);
        dialog->ComboBox4->setCurrentIndex(0);
        dialog->ComboBox4->setCurrentIndex(1);
        dialog->Edit2->clear();
        dialog->Edit2->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(dialog->Edit2, QStringLiteral("London"));
        if (!dialog->ValueText().contains(QLatin1String("London")))
            m_shots.Fail(QStringLiteral("comparison dialog: value box holds %1").arg(dialog->ValueText()));
        m_shots.Save(dialog, QStringLiteral("comparison.png"));
        dialog->hide();
        return QDialog::Accepted;
    }

    int answerSort(TQGSortForm *dialog)
    {
        m_shots.Extra(dialog, QStringLiteral("sort-empty.png"));
        dialog->ComboBox1->setCurrentIndex(dialog->ComboBox1->findText(QStringLiteral("sales")));
        dialog->ComboBox2->setCurrentIndex(dialog->ComboBox2->findText(QStringLiteral("SaleDay")));
        m_shots.Extra(dialog, QStringLiteral("sort.png"));
        dialog->hide();
        return QDialog::Rejected;  // the row stays as the popup made it
    }

    // Grabs a menu that is open; opens a submenu of it when asked.
    void grabMenu(QMenu *menu, const QString &name)
    {
        Settle(menu);
        if (!menu->isVisible()) {
            m_shots.Fail(QStringLiteral("menu %1 did not open").arg(menu->objectName()));
            return;
        }
        m_shots.Extra(menu, name);
    }

    void grabSubmenu(QMenu *menu, QAction *action, const QString &name)
    {
        if (!action || !action->menu())
            return;
        menu->setActiveAction(action);
        QMenu *sub = action->menu();
        Settle(sub);
        if (!sub->isVisible())
            sub->popup(menu->mapToGlobal(menu->actionGeometry(action).topRight()));
        grabMenu(sub, name);
        sub->hide();
    }

    void extras(TQGCheckListBox *clients)
    {
        // The main menu, one menu at a time, as a click on the bar opens it.
        auto *bar = m_form->findChild<QMenuBar *>(QStringLiteral("MainMenu1"));
        for (QAction *item : bar->actions()) {
            QMenu *menu = item->menu();
            if (!menu)
                continue;
            bar->setActiveAction(item);
            grabMenu(menu, QStringLiteral("menu-%1.png").arg(menu->objectName()));
            if (menu->objectName() == QLatin1String("SQLFunctions1")) {
                int n = 0;
                for (QAction *action : menu->actions()) {
                    if (action->menu())
                        grabSubmenu(menu, action, QStringLiteral("menu-SQLFunctions1-%1.png").arg(++n));
                }
            }
            menu->hide();
            Settle(m_form);
        }

        // The table popup, as a right click on a field opens it.
        pickField(clients, QStringLiteral("Firm"));
        const QPoint at = clients->visualItemRect(clients->item(1)).center();
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, clients->viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(clients->viewport(), &click);
        QMenu *popup = m_form->PopupMenu1();
        grabMenu(popup, QStringLiteral("popup-table.png"));
        grabSubmenu(popup, m_form->Canvas()->PopupItem("SortbythisField1"), QStringLiteral("popup-table-sort.png"));
        popup->hide();

        // The other popups: table list, the three lists, the SQL editor.
        for (const char *name : {"PopupMenu2", "PopupMenu3", "PopupMenu4", "PopupMenu5", "PopupMenu6"}) {
            auto *menu = m_form->findChild<QMenu *>(QLatin1String(name));
            if (!menu)
                continue;
            menu->popup(m_form->mapToGlobal(QPoint(300, 300)));
            grabMenu(menu, QStringLiteral("popup-%1.png").arg(QLatin1String(name)));
            menu->hide();
        }

        // The table list in its four view styles (the glyphs at every size).
        const char *const styles[] = {"large", "small", "list", "report"};
        for (int tag = 0; tag < 4; ++tag) {
            m_form->SpeedButton2Click(tag);
            m_shots.Extra(m_form->Panel3(), QStringLiteral("tablelist-%1.png").arg(QLatin1String(styles[tag])));
        }
        m_form->SpeedButton2Click(2);

        // Help -> About.
        WithModal(m_form, [this] { m_form->About1Click(); }, [this](QWidget *about) {
            m_shots.Extra(about, QStringLiteral("about.png"));
            static_cast<QDialog *>(about)->done(1);
        });

        // The value dialog, as the Values list opens it for a new row.
        {
            TQGValueForm value(m_form);
            value.SetRow(QStringLiteral("Town"), QString());
            value.show();
            m_shots.Extra(&value, QStringLiteral("value.png"));
            value.ComboBox4->setCurrentIndex(2);
            m_shots.Extra(&value, QStringLiteral("value-date.png"));
            value.ComboBox4->setCurrentIndex(3);
            m_shots.Extra(&value, QStringLiteral("value-time.png"));
            value.ComboBox1->setCurrentIndex(1);
            m_shots.Extra(&value, QStringLiteral("value-parameter-initial.png"));
            QTest::keyClicks(value.Edit3, QStringLiteral("Town"));
            m_shots.Extra(&value, QStringLiteral("value-parameter.png"));
            value.hide();
        }

        // The refusal of a second query type with two tables on the canvas.
        VdqMessages::SetHook({});
        WithModal(m_form, [this] { m_form->DefineQueryType(1); }, [this](QWidget *box) {
            m_shots.Extra(box, QStringLiteral("message-information.png"));
            static_cast<QDialog *>(box)->done(QDialog::Accepted);
        });
        InstallMessageHook(m_shots);
    }

public:
    static void InstallMessageHook(Shots &shots)
    {
        // A message box would wait for a click that never comes.
        VdqMessages::SetHook([&shots](VdqMessages::Kind, const QString &title, const QString &text) {
            shots.Fail(QStringLiteral("message \"%1\": %2").arg(title, text));
        });
    }

private:
    TQGQueryForm *m_form;
    Shots &m_shots;
};

void AnswerSelection(TQGDBSelect *dialog, Shots &shots)
{
    Settle(dialog);
    QTreeWidget *list = dialog->ListView1();
    const QList<QTreeWidgetItem *> rows = list->findItems(QLatin1String(kAlias), Qt::MatchExactly, 0);
    if (rows.isEmpty()) {
        shots.Fail(QStringLiteral("selection dialog: no %1 row").arg(QLatin1String(kAlias)));
    } else {
        list->setCurrentItem(rows.first());
        rows.first()->setSelected(true);
        list->setFocus(Qt::MouseFocusReason);
    }
    shots.Save(dialog, QStringLiteral("selection.png"));
    dialog->reject();
}

QString DefaultSampleScript()
{
    // The source tree this program was built from.
    return QFileInfo(QStringLiteral(__FILE__)).dir().absoluteFilePath(QStringLiteral("../../sample/shop.sql"));
}

bool MakeSample(const QString &script, const QString &dir, QString *database)
{
    *database = QDir(dir).filePath(QStringLiteral("shop.sqlite"));
    const QString program = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("vdqmksample"));
    QProcess mk;
    mk.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    mk.start(program, {QStringLiteral("--no-big"), QStringLiteral("--sqlite"), *database, script});
    if (!mk.waitForFinished(120000) || mk.exitStatus() != QProcess::NormalExit || mk.exitCode() != 0) {
        std::fprintf(stderr, "vdqscreenshots: %s failed: %s\n", qPrintable(program), qPrintable(mk.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vdqscreenshots"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Makes the README's pictures of the host and the designer."));
    parser.addHelpOption();
    QCommandLineOption sample(QStringLiteral("sample"), QStringLiteral("The sample database script."),
                              QStringLiteral("SCRIPT"), DefaultSampleScript());
    QCommandLineOption extra(QStringLiteral("extra"),
                             QStringLiteral("Also grab every other window into DIR."), QStringLiteral("DIR"));
    QCommandLineOption dark(QStringLiteral("dark"), QStringLiteral("Fusion with the usual dark palette."));
    parser.addOptions({sample, extra, dark});
    parser.addPositionalArgument(QStringLiteral("OUTDIR"), QStringLiteral("Where the pictures go."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    if (parser.isSet(dark)) {
        QApplication::setStyle(QStringLiteral("Fusion"));
        QApplication::setPalette(FusionDarkPalette(QApplication::style()->standardPalette()));
    }
    const QString outDir = parser.positionalArguments().first();
    const QString extraDir = parser.value(extra);
    for (const QString &dir : {outDir, extraDir}) {
        if (!dir.isEmpty() && !QDir().mkpath(dir)) {
            std::fprintf(stderr, "vdqscreenshots: cannot create %s\n", qPrintable(dir));
            return 1;
        }
    }
    if (!QFileInfo::exists(parser.value(sample))) {
        std::fprintf(stderr, "vdqscreenshots: no sample script %s (use --sample)\n", qPrintable(parser.value(sample)));
        return 1;
    }

    QTemporaryDir temp;
    QString database;
    if (!temp.isValid() || !MakeSample(parser.value(sample), temp.path(), &database))
        return 1;
    const QString aliasFile = temp.filePath(QStringLiteral("aliases.ini"));
    {
        QFile f(aliasFile);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
            return 1;
        f.write(QStringLiteral("[%1]\nDriver=STANDARD\nPath=%2\n").arg(QLatin1String(kAlias), database).toUtf8());
    }
    // Read by the session list when it first starts, that is when the host form opens.
    qputenv("VDQ_ALIASES", QFile::encodeName(aliasFile));

    // Whatever goes wrong, the program ends rather than waiting on a window for ever.
    QTimer::singleShot(180000, &app, [] {
        std::fprintf(stderr, "vdqscreenshots: timed out\n");
        std::_Exit(1);
    });

    Shots shots(outDir, extraDir);
    DesignerDriver::InstallMessageHook(shots);

    TForm1 host;
    host.show();
    if (QScreen *screen = host.screen())
        host.move(screen->availableGeometry().center() - host.rect().center());
    Settle(&host);

    SetShowHook(*host.VDRunTimeQuery1(), [&shots](QWidget *window) {
        // Called just before the window's modal loop starts; the drive runs inside it.
        QTimer::singleShot(0, window, [&shots, window] {
            if (auto *select = qobject_cast<TQGDBSelect *>(window)) {
                AnswerSelection(select, shots);
            } else if (auto *form = qobject_cast<TQGQueryForm *>(window)) {
                DesignerDriver(form, shots).Run();
            } else {
                shots.Fail(QStringLiteral("unexpected window %1").arg(window->objectName()));
                if (auto *dialog = qobject_cast<QDialog *>(window))
                    dialog->reject();
            }
        });
    });

    // No database chosen: Execute asks in the selection dialog (answered with Cancel).
    host.ComboBox1()->setCurrentIndex(-1);
    host.Button1Click();

    // SHOP chosen: the designer opens directly; "Save and Exit" returns the statement.
    host.ComboBox1()->setCurrentIndex(host.ComboBox1()->findText(QLatin1String(kAlias)));
    if (host.ComboBox1()->currentIndex() < 0)
        shots.Fail(QStringLiteral("the host lists no %1").arg(QLatin1String(kAlias)));
    host.Button1Click();
    if (host.Memo1()->toPlainText().isEmpty())
        shots.Fail(QStringLiteral("the host's memo is empty after Save and Exit"));
    host.Button1()->setFocus();
    shots.Save(&host, QStringLiteral("host.png"));

    return shots.Failed() ? 1 : 0;
}
