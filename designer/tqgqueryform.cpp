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
    : QDialog(parent), m_query(new TQuery(this)), m_dataSource(new TDataSource(this))
{
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
                                        m_query, [this] { return m_queryType == QueryType::Select; },
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
    QList<DesignTable> tables;
    const QList<TQGCheckListBox *> windows = m_scrollBox->TableWindows();
    tables.reserve(windows.size());
    for (const TQGCheckListBox *w : windows)
        tables << DesignTable{w->Caption(), w->Fields(), w->Ticks(), w->Totals(), w->Alias()};
    return tables;
}

QueryDesign TQGQueryForm::CurrentDesign() const
{
    QueryDesign design;
    design.queryType = m_queryType;
    design.tables = CanvasTables();
    design.conditions = m_lists->ConditionRows();
    design.values = m_lists->ValueRows();
    design.sorting = m_lists->SortRows();
    for (const TQGDataLink *link : m_scrollBox->Links()) {
        if (link->Field1ListBox() && link->Field2ListBox())
            design.links << DesignLink{link->Field1ListBox()->Caption(), link->Field2ListBox()->Caption(), link->Hint(),
                                       link->GetJoinType(), link->Field1ListBox()->Alias(),
                                       link->Field2ListBox()->Alias()};
    }
    design.distinct = m_options->Distinct();
    design.limit = m_options->Limit();
    design.style = Style();
    return design;
}

int TQGQueryForm::TableCount() const
{
    return m_scrollBox->TableWindows().size();
}

bool TQGQueryForm::CanAddTable() const
{
    return m_queryType == QueryType::Select || TableCount() == 0;
}

void TQGQueryForm::ShowJoinLinks(bool visible)
{
    for (TQGDataLink *link : m_scrollBox->Links())
        link->setVisible(visible);
}

void TQGQueryForm::GenerateSQL()
{
    const QueryDesign design = CurrentDesign();
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

bool TQGQueryForm::TotalsShown() const
{
    return m_options->Totals();
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
        VdqMessages::Information(this, tr("Information"), tr(SingleTableMessage));
        // The clicked button or radio item moved by itself; both go back to what the design is.
        m_queryType = QueryType::Select;
        m_menus->ShowQueryType(m_queryType);
        return;
    }
    m_queryType = type;
    applyQueryTypePages(type);
    GenerateSQL();
}

void TQGQueryForm::applyQueryTypePages(QueryType type)
{
    const bool values = type == QueryType::Insert || type == QueryType::Update;
    const bool conditions = type != QueryType::Insert;
    const bool sorting = type == QueryType::Select;
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
    m_lists->ClearAll();
    TQGScrollBox *old = m_scrollBox;
    m_currentTable = nullptr;
    // The new canvas takes the old one's place and size: the lists keep the height the
    // user gave them.
    m_splitter2->replaceWidget(m_splitter2->indexOf(old), createCanvas());
    delete old;
    m_currentTable = nullptr;
    m_options->Reset(false, false, 0);
    // The next table goes to the first place again, not after those of the old design.
    m_placedTableCount = 0;
    GenerateSQL();
}

void TQGQueryForm::RemoveTableReferences(TQGCheckListBox *window)
{
    m_lists->RemoveTableRows(window->Alias());
    const QList<TQGDataLink *> links = m_scrollBox->Links();
    for (int i = links.size() - 1; i >= 0; --i) {
        TQGDataLink *link = links.at(i);
        if (link->Field1ListBox() == window || link->Field2ListBox() == window)
            link->setParent(m_panel4);
    }
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
    m_statusPanels[2]->setText(tr("%1 Table(s)").arg(tableCount));
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

void TQGQueryForm::ShowTableNames(const QString &sessionName, const QString &databaseName, const QStringList &names)
{
    m_tableList->Clear();
    for (const QString &name : names)
        m_tableList->AddRow(name);
    TSession *session = Sessions().FindSession(sessionName);
    // No session name is the default session: the status bar names the one in use.
    SetStatusTexts(sessionName.isEmpty() && session ? session->SessionName() : sessionName, databaseName,
                   names.size());
    if (TDatabase *db = session ? session->FindOpenDatabase(databaseName) : nullptr) {
        const IdentifierStyle style = db->Style();
        m_quoteIdentifiers = style.quoteIdentifiers;
        m_backslashEscapes = style.backslashEscapes;
        SetDialect(style.dialect);
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
    TQGBusyCursor busy;
    TQGDefinitionIO::Load(*this, fileName);
}

void TQGQueryForm::SaveQueryDefinition(const QString &fileName)
{
    TQGDefinitionIO::Save(*this, fileName);
}

QStringList TQGQueryForm::TableFields(const QString &tableName)
{
    return ListTableFields(m_query->SessionName(), m_query->DatabaseName(), tableName);
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
