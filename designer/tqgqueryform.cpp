// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgqueryform.h"

#include "messages.h"
#include "naming.h"
#include "selectforms.h"
#include "sqlbuilders.h"
#include "tdatabase.h"
#include "tqgaboutform.h"
#include "tqgbusycursor.h"
#include "tqgdefinitionio.h"
#include "tqgfilecommands.h"
#include "tqgforeignkeyform.h"
#include "tqgcanvascommands.h"
#include "tqgchecklistbox.h"
#include "tqgdatalink.h"
#include "tqgdbnavigator.h"
#include "tqgprinting.h"
#include "tqgpanelsplitter.h"
#include "tqgqueryexecution.h"
#include "tqgquerymenus.h"
#include "tqgdesignlists.h"
#include "tqgdesignoptions.h"
#include "vdqerror.h"
#include "vdqtranslations.h"
#include "tqgengrid.h"
#include "tqgglyphs.h"
#include "tqgscrollbox.h"
#include "tqgsqleditor.h"
#include "tqgsqlcompleter.h"
#include "tqgtablelist.h"
#include "sqltextfile.h"
#include "tqgstyle.h"
#include "querydefinition.h"
#include "tquery.h"
#include "tsession.h"
#include "tsessionlist.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QUndoStack>
#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TQGQueryForm::TQGQueryForm(QWidget *parent)
    : QDialog(parent), m_document(new QueryDocument(this)), m_undoStack(new QUndoStack(this)),
      m_query(new TQuery(this)), m_dataSource(new TDataSource(this))
{
    InstallDesignerTranslations();
    m_undoStack->setObjectName(QStringLiteral("DesignUndoStack"));
    connect(m_document, &QueryDocument::changed, this, &TQGQueryForm::designChanged);
    connect(m_undoStack, &QUndoStack::cleanChanged, this, &TQGQueryForm::updateTitle);
    setObjectName(QStringLiteral("TQGQueryForm"));
    setWindowTitle(tr("SQL Query Generator"));
    setWindowIcon(Glyph(TQGGlyph::AppIcon));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);
    setFont(WindowFont());
    resize(1000, 700);
    m_query->setObjectName(QStringLiteral("Query1"));
    m_dataSource->setObjectName(QStringLiteral("DataSource1"));
    m_dataSource->SetDataSet(m_query);
    m_options = new TQGDesignOptions(this);

    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    auto *menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("MainMenu1"));
    root->setMenuBar(menuBar);

    m_menus = new TQGQueryMenus(this);
    m_panel1 = m_menus->BuildToolBar();
    m_panel1->installEventFilter(this);
    root->addWidget(m_panel1);

    auto *panel2 = new QWidget(this);
    panel2->setObjectName(QStringLiteral("Panel2"));
    auto *panels = new QHBoxLayout(panel2);
    panels->setContentsMargins(0, 0, 0, 0);
    panels->setSpacing(0);
    panels->addWidget(buildTablePanel());
    auto *splitter1 = new TQGPanelSplitter(m_panel3, 120, panel2);
    splitter1->setObjectName(QStringLiteral("Splitter1"));
    panels->addWidget(splitter1);
    m_pageControl981 = new QTabWidget(panel2);
    m_pageControl981->setObjectName(QStringLiteral("PageControl981"));
    m_pageControl981->setAccessibleName(tr("Designer pages"));
    m_pageControl981->setDocumentMode(true);
    m_tabSheet1 = buildGeneratorPage();
    m_tabSheet2 = buildSqlPage();
    m_pageControl981->addTab(m_tabSheet1, tr("Query Generator"));
    m_pageControl981->addTab(m_tabSheet2, tr("SQL"));
    panels->addWidget(m_pageControl981, 1);
    root->addWidget(panel2, 1);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setFixedHeight(19);
    const QString designTexts[3] = {tr("Session: <Session Name>"), tr("Database: <Database Name>"),
                                    tr("<#> Table(s)")};
    const int widths[3] = {200, 200, 50};
    for (int i = 0; i < 3; ++i) {
        m_statusPanels[i] = new QLabel(designTexts[i], m_statusBar);
        m_statusPanels[i]->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i));
        m_statusPanels[i]->setMinimumWidth(widths[i]);
        if (i < 2)
            m_statusPanels[i]->setMaximumWidth(widths[i]);
        m_statusPanels[i]->setContentsMargins(4, 0, 4, 0);
        m_statusBar->addWidget(m_statusPanels[i], i == 2 ? 1 : 0);
    }
    root->addWidget(m_statusBar);

    m_menus->BuildMenus(menuBar, m_memo);
    // The table popup; its conditional items follow the pages each time it opens.
    m_popupMenu1 = new QMenu(this);
    m_popupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    m_canvas = new TQGCanvasCommands(this, this);
    m_canvas->InstallListDropTarget(m_lists->Conditions(), TQGCanvasCommands::ListKind::Conditions);
    m_canvas->InstallListDropTarget(m_lists->Values(), TQGCanvasCommands::ListKind::Values);
    m_canvas->InstallListDropTarget(m_lists->Sorting(), TQGCanvasCommands::ListKind::Sorting);
    m_splitter2->insertWidget(0, createCanvas());
    m_splitter2->setStretchFactor(1, 0);
    m_splitter2->setSizes({400, 158});
    FormCreate();
}

TQGQueryForm::~TQGQueryForm()
{
    // The stack, a child, says it was cleared as it goes; nothing of this window is left to
    // hear it by then.
    m_undoStack->disconnect();
    FormDestroy();
}

void TQGQueryForm::FormCreate()
{
    m_placedTableCount = 0;
    applyQueryTypePages(QueryType::Select);
    m_grid = new TQGenGrid(m_panel9);
    m_panel9->layout()->addWidget(m_grid);
    m_panel9->layout()->addWidget(m_statusBar2);
    m_navigator->SetView(m_grid);
    m_execution = new TQGQueryExecution({m_pageControl981, m_tabSheet2, m_memo, m_panel9, m_grid, m_navigator,
                                         m_statusBar2},
                                        m_query, [this] { return GetQueryType() == QueryType::Select; },
                                        [this] { return m_masterDataSource; }, this, this);
    connect(m_speedButton28, &QToolButton::clicked, m_execution, &TQGQueryExecution::SpeedButton28Click);
    m_files = new TQGFileCommands(
        this, m_memo, [this](const QString &name) { LoadQueryDefinition(name); },
        [this](const QString &name) { SaveQueryDefinition(name); }, this);
}

void TQGQueryForm::PrintSQL1Click()
{
    VdqMessages::Guarded(this, tr("Print Query"), [this] {
        TQGBusyCursor busy;
        PrintSqlText(m_memo);
    });
}

void TQGQueryForm::FormDestroy()
{
    // The clipboard connection ends with the edit commands, a child of this window.
}

TQGScrollBox *TQGQueryForm::createCanvas()
{
    auto *box = new TQGScrollBox;
    // The canvas takes what the window gains or loses; the lists keep their height.
    QSizePolicy policy = box->sizePolicy();
    policy.setVerticalStretch(1);
    box->setSizePolicy(policy);
    m_canvas->ConnectCanvas(box);
    m_scrollBox = box;
    return box;
}

// --- The query model ------------------------------------------------------------------

QList<DesignTable> TQGQueryForm::CanvasTables() const
{
    return m_document->design().tables;
}

int TQGQueryForm::TableCount() const
{
    return int(Design().tables.size());
}

bool TQGQueryForm::CanAddTable() const
{
    return GetQueryType() == QueryType::Select || TableCount() == 0;
}

void TQGQueryForm::ShowJoinLinks(bool visible)
{
    for (TQGDataLink *link : m_scrollBox->Links())
        link->setVisible(visible);
}

bool TQGQueryForm::EditDesign(const QString &text, const std::function<void(DesignState &)> &edit)
{
    return PushDesignEdit(m_undoStack, m_document, text, edit);
}

bool TQGQueryForm::EditDesign(const QString &text, const std::function<void(DesignState &)> &edit,
                              DesignEdit::Kind kind)
{
    return PushDesignEdit(m_undoStack, m_document, text, edit, kind);
}

void TQGQueryForm::designChanged(QueryDocument::Changes what)
{
    const DesignState &d = Design();
    if (what & QueryDocument::Database) {
        // A design of another database (an undone Open) lists that database's tables.
        if (!d.database.isEmpty() && (d.sessionName != m_query->SessionName() || d.database != m_query->DatabaseName())) {
            m_query->SetSessionName(d.sessionName);
            m_query->SetDatabaseName(d.database);
            VdqMessages::Guarded(this, [&] { OpenDesignDatabase(d.sessionName, d.database); });
        }
    }
    if (what & (QueryDocument::Tables | QueryDocument::Geometry | QueryDocument::Links | QueryDocument::Options
                | QueryDocument::Type))
        m_canvas->ShowDesign(d);
    if (what & (QueryDocument::Values | QueryDocument::Conditions | QueryDocument::Sorting | QueryDocument::Columns
                | QueryDocument::Tables | QueryDocument::Options | QueryDocument::Style))
        m_lists->ShowDesign(d);
    if (what & QueryDocument::Options)
        m_options->ShowDesign(d);
    if (what & QueryDocument::Type)
        applyQueryTypePages(d.queryType);
    // Where the windows stand and which database is listed change no statement.
    if (what & ~(QueryDocument::Changes(QueryDocument::Geometry) | QueryDocument::Database))
        writeStatement();
}

void TQGQueryForm::writeStatement()
{
    const QueryDesign design = m_document->design();
    m_lists->MarkLinkRows(LinkConditionRows(design, TableAliases(design.tables)));
    try {
        m_memo->SetLines(GenerateSQLLines(design));
    } catch (const VdqError &e) {
        // A design the engine cannot run (a join type it lacks) gives no statement at all,
        // never one with other rows; the user is told why.
        m_memo->SetLines({});
        VdqMessages::Warning(this, tr("Warning"), e.message());
    }
}

// The editor's while it is the window's focus widget (the one that has or last had the focus).
void TQGQueryForm::UndoClick()
{
    if (focusWidget() == m_memo)
        m_memo->undo();
    else
        m_undoStack->undo();
}

void TQGQueryForm::RedoClick()
{
    if (focusWidget() == m_memo)
        m_memo->redo();
    else
        m_undoStack->redo();
}

bool TQGQueryForm::IsModified() const
{
    return !m_undoStack->isClean();
}

void TQGQueryForm::updateTitle()
{
    // The title bar marks a design with unsaved changes, as Qt's own "[*]" does.
    setProperty("designModified", IsModified());
    setWindowTitle(IsModified() ? tr("SQL Query Generator") + u'*' : tr("SQL Query Generator"));
}

bool TQGQueryForm::ConfirmDiscard()
{
    if (!IsModified())
        return true;
    switch (VdqMessages::AskSaveChanges(this, tr("SQL Query Generator"),
                                        tr("The design has changes that are not saved. Save them?"))) {
    case VdqMessages::Answer::Save:
        return m_files->SaveDesign(m_fileName);
    case VdqMessages::Answer::Discard:
        return true;
    case VdqMessages::Answer::Cancel:
        break;
    }
    return false;
}

void TQGQueryForm::Exit1Click()
{
    // The statement goes back to the host; a design from a file asks for its changes first.
    if (!m_fileName.isEmpty() && !ConfirmDiscard())
        return;
    done(mrOk);
}

void TQGQueryForm::closeEvent(QCloseEvent *event)
{
    if (!ConfirmDiscard()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TQGQueryForm::SetQuoteIdentifiers(bool quote)
{
    m_quoteIdentifiers = quote;
    showStyle();
}

void TQGQueryForm::showStyle()
{
    m_document->setStyle(Style());
}

void TQGQueryForm::ShowLinkPopup(TQGDataLink *link, const QPoint &globalPos)
{
    m_options->ShowLinkPopup(link, globalPos);
}

void TQGQueryForm::EditJoinProperties(TQGDataLink *link)
{
    m_options->EditJoinProperties(link);
}

void TQGQueryForm::DefineQueryType(int tag)
{
    if (const std::optional<QueryType> type = QueryTypeFromTag(tag))
        DefineQueryType(*type);
}

void TQGQueryForm::DefineQueryType(QueryType type)
{
    if (type != QueryType::Select && TableCount() >= 2) {
        VdqMessages::Information(this, tr("Information"),
                                 QCoreApplication::translate("TQGCanvasHost", SingleTableMessage));
        // The clicked button or radio item moved by itself; both go back to what the design is.
        m_menus->ShowQueryType(GetQueryType());
        return;
    }
    if (!EditDesign(tr("Query Type"), [type](DesignState &d) { d.queryType = type; }))
        applyQueryTypePages(type);  // the same type again still brings its first page forward
}

void TQGQueryForm::applyQueryTypePages(QueryType type)
{
    const bool values = type == QueryType::Insert || type == QueryType::Update;
    const bool conditions = type != QueryType::Insert;
    const bool sorting = type == QueryType::Select;
    m_pageControl982->setTabVisible(m_pageControl982->indexOf(m_lists->ColumnsPage()), sorting);
    const int valuesIndex = m_pageControl982->indexOf(m_lists->ValuesPage());
    const int conditionsIndex = m_pageControl982->indexOf(m_lists->ConditionsPage());
    const int sortingIndex = m_pageControl982->indexOf(m_lists->SortingPage());
    m_pageControl982->setTabVisible(valuesIndex, values);
    m_pageControl982->setTabVisible(conditionsIndex, conditions);
    m_pageControl982->setTabVisible(sortingIndex, sorting);
    m_pageControl982->setCurrentIndex(values ? valuesIndex : conditionsIndex);
    m_menus->ShowQueryType(type);
    ShowJoinLinks(type == QueryType::Select);
}

bool TQGQueryForm::PageShown(Page page) const
{
    const QWidget *w = page == Page::Values ? m_lists->ValuesPage()
                       : page == Page::Conditions ? m_lists->ConditionsPage()
                                                  : m_lists->SortingPage();
    return m_pageControl982->isTabVisible(m_pageControl982->indexOf(const_cast<QWidget *>(w)));
}

void TQGQueryForm::SpeedButton15Click()
{
    if (!ConfirmDiscard())
        return;
    TQGScrollBox *old = m_scrollBox;
    m_currentTable = nullptr;
    // The new canvas takes the old one's place and size: the lists keep the height the
    // user gave them.
    m_splitter2->replaceWidget(m_splitter2->indexOf(old), createCanvas());
    delete old;
    m_canvas->ForgetWindows();
    m_currentTable = nullptr;
    // The next table goes to the first place again, not after those of the old design.
    m_placedTableCount = 0;
    const bool changed = EditDesign(tr("New Query"), [](DesignState &d) {
        DesignState fresh;
        fresh.queryType = d.queryType;  // the query type stays
        fresh.sessionName = d.sessionName;
        fresh.database = d.database;
        fresh.nextId = d.nextId;
        d = fresh;
    });
    // An empty design stays as it was, but the editor still gets its text again.
    if (!changed)
        writeStatement();
    // A new design has no file; it has changes only once it is edited.
    m_fileName.clear();
    m_undoStack->setClean();
}

void TQGQueryForm::ShowTableList1Click()
{
    QAction *mark = m_menus->ShowTableList();
    mark->setChecked(!mark->isChecked());
    m_panel3->setVisible(mark->isChecked());
}

void TQGQueryForm::HideTableList1Click()
{
    m_menus->ShowTableList()->setChecked(false);
    m_panel3->hide();
}

void TQGQueryForm::SpeedButton2Click(int tag)
{
    if (tag >= 0 && tag <= 3)
        m_tableList->SetViewStyle(TQGTableList::ViewStyle(tag));
}

void TQGQueryForm::Panel1Click()
{
    for (TQGDataLink *link : m_scrollBox->Links())
        TQGDataLink::UpdateLinkBounds(link);
}

void TQGQueryForm::About1Click()
{
    TQGAboutForm about(this);
    about.exec();
}

// --- Database ---------------------------------------------------------------------------

void TQGQueryForm::SetStatusTexts(const QString &session, const QString &database, int tableCount)
{
    m_statusPanels[0]->setText(tr("Session: %1").arg(session));
    m_statusPanels[1]->setText(tr("Database: %1").arg(database));
    m_statusPanels[2]->setText(tr("%n Table(s)", nullptr, tableCount));
}

QString TQGQueryForm::StatusText(int panel) const
{
    return panel >= 0 && panel < 3 ? m_statusPanels[panel]->text() : QString();
}

void TQGQueryForm::PrepareDesign(const QString &session, const QString &database, const QStringList &sql,
                                 const QString &fileName)
{
    TQGBusyCursor busy;
    m_query->SetSessionName(session);
    m_query->SetDatabaseName(database);
    // Where the design begins: not a step of its own.
    DesignState start = Design();
    start.sessionName = session;
    start.database = database;
    m_document->setState(start);
    OpenDesignDatabase(session, database);
    if (!sql.isEmpty()) {
        m_memo->SetLines(sql);
        m_pageControl981->setCurrentWidget(m_tabSheet2);
    }
    if (!fileName.isEmpty())
        LoadStartingFile(fileName);
}

void TQGQueryForm::OpenDesignDatabase(const QString &sessionName, const QString &databaseName)
{
    TSession *session = Sessions().FindSession(sessionName);
    if (!session)
        throw VdqError(tr("Unknown session name %1").arg(sessionName));
    QStringList names;
    session->ListTableNames(databaseName, QString(), true, false, names);
    ShowTableNames(sessionName, databaseName, names);
}

void TQGQueryForm::Embed()
{
    m_embedded = true;
    setWindowFlags(Qt::Widget);
}

void TQGQueryForm::done(int result)
{
    if (!m_embedded) {
        QDialog::done(result);
        return;
    }
    setResult(result);
    emit finished(result);
}

void TQGQueryForm::ShowTableNames(const QString &sessionName, const QString &databaseName, const QStringList &allNames)
{
    QStringList names = allNames;
    if (m_tableFilter)
        names.removeIf([this](const QString &name) { return !m_tableFilter(name); });
    m_tableList->SetRows(names);
    TSession *session = Sessions().FindSession(sessionName);
    // No session name is the default session: the status bar names the one in use.
    SetStatusTexts(sessionName.isEmpty() && session ? session->SessionName() : sessionName, databaseName,
                   names.size());
    if (TDatabase *db = session ? session->FindOpenDatabase(databaseName) : nullptr) {
        const IdentifierStyle style = db->Style();
        m_quoteIdentifiers = style.quoteIdentifiers;
        m_backslashEscapes = style.backslashEscapes;
        SetDialect(style.dialect);
        showStyle();
    }
    // Completion offers this database's names; a table's fields are read when first asked.
    const QPointer<TQGQueryForm> self(this);
    m_memo->Completion()->SetNames(names, [self](const QString &table) {
        return self ? self->TableFields(table) : QStringList();
    }, Style());
}

void TQGQueryForm::SetDialect(SqlDialect dialect)
{
    m_dialect = dialect;
    // The editor reads the text as the engine does, its backslash escapes included.
    m_memo->SetStyle(Style());
    showStyle();
}

void TQGQueryForm::LoadStartingFile(const QString &fileName)
{
    if (IsQueryDefinitionFileName(fileName))
        LoadQueryDefinition(fileName);
    else
        m_memo->SetText(ReadSqlTextFile(fileName));
}

void TQGQueryForm::LoadQueryDefinition(const QString &fileName)
{
    if (!ConfirmDiscard())
        return;
    TQGBusyCursor busy;
    // The next table goes to the first place again, as in a new design.
    m_placedTableCount = 0;
    TQGDefinitionIO::Load(*this, fileName);
    m_fileName = fileName;
    m_undoStack->setClean();
}

void TQGQueryForm::SaveQueryDefinition(const QString &fileName)
{
    TQGDefinitionIO::Save(*this, fileName);
    m_fileName = fileName;
    m_undoStack->setClean();
}

QStringList TQGQueryForm::TableFields(const QString &tableName)
{
    return ListTableFields(m_query->SessionName(), m_query->DatabaseName(), tableName);
}

QList<ForeignKey> TQGQueryForm::ForeignKeys(const QString &tableName)
{
    TSession *session = Sessions().FindSession(m_query->SessionName());
    if (!session)
        throw VdqError(tr("Unknown session name %1").arg(m_query->SessionName()));
    return session->ListForeignKeys(m_query->DatabaseName(), tableName);
}

bool TQGQueryForm::JoinsByForeignKeys() const
{
    return m_options->JoinByForeignKeys();
}

int TQGQueryForm::ChooseForeignKey(const QString &table, const QString &other, const QList<ForeignKey> &keys)
{
    TQGForeignKeyForm dialog(table, other, keys, this);
    return dialog.exec() == QDialog::Accepted ? dialog.Choice() : -1;
}

QStringList TQGQueryForm::SelectedTableNames() const
{
    return m_tableList->SelectedCaptions();
}

// --- Lists ------------------------------------------------------------------------------

QTreeWidget *TQGQueryForm::ListView2() const { return m_lists->Conditions(); }
QTreeWidget *TQGQueryForm::ListView3() const { return m_lists->Sorting(); }
QTreeWidget *TQGQueryForm::ListView5() const { return m_lists->Values(); }

void TQGQueryForm::AddConditionRow(const QString &field, const QString &comparison, const QString &value)
{
    m_lists->AddConditionRow(field, comparison, value);
}

void TQGQueryForm::AddFieldCondition(const QString &fieldReference)
{
    m_lists->AddFieldConditionRow(fieldReference);
}

void TQGQueryForm::SetFieldValue(const QString &fieldName)
{
    m_lists->AddValueRow(fieldName);
}

void TQGQueryForm::AddSortRow(const QString &fieldReference, bool ascending)
{
    m_lists->AddSortRow(fieldReference, ascending);
}

void TQGQueryForm::ParameterFill()
{
    if (TQGCheckListBox *table = m_currentTable)
        m_lists->FillParameters(table->Fields());
}

QToolButton *TQGQueryForm::QueryTypeButton(int tag) const
{
    const std::optional<QueryType> type = QueryTypeFromTag(tag);
    return type ? m_menus->QueryTypeButton(*type) : nullptr;
}

QMenu *TQGQueryForm::PopupMenu6() const
{
    return m_menus->PopupMenu6();
}

// --- Events -----------------------------------------------------------------------------

void TQGQueryForm::keyPressEvent(QKeyEvent *event)
{
    // Escape and Enter belong to the controls; they never close the designer with its work.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TQGQueryForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_panel1 && event->type() == QEvent::MouseButtonPress) {
        Panel1Click();
        return false;
    }
    return QDialog::eventFilter(watched, event);
}
