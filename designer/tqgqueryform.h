// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "designedits.h"
#include "querydocument.h"
#include "querymodel.h"
#include "tqgcanvashost.h"

#include <QDialog>
#include <QPointer>

#include "tqgchecklistbox.h"

class QFrame;
class QLabel;
class QMenu;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QUndoStack;
class TDataSource;
class TQGCanvasCommands;
class TQGCheckListBox;
class TQGDataLink;
class TQGDBNavigator;
class TQGDesignLists;
class TQGDesignOptions;
class TQGenGrid;
class TQGQueryExecution;
class TQGQueryMenus;
class TQGFileCommands;
class TQGScrollBox;
class TQGSqlEditor;
class TQGTableList;
class TQuery;

// The designer window "SQL Query Generator". It owns the design document and its undo stack;
// the canvas, the three lists and the option controls show the document and change it only
// by pushing edits. One listener brings the views up to date and rewrites the SQL editor's
// text after each change. The subsystems' commands live in their own classes.
class TQGQueryForm : public QDialog, public TQGCanvasHost
{
    Q_OBJECT
public:
    enum ModalResult { mrNone = 0, mrOk = 1, mrCancel = 2 };

    explicit TQGQueryForm(QWidget *parent = nullptr);
    ~TQGQueryForm() override;

    // --- The query model -------------------------------------------------------------
    QueryDocument *Document() const { return m_document; }
    QUndoStack *UndoStack() const { return m_undoStack; }
    const DesignState &Design() const override { return m_document->state(); }
    bool EditDesign(const QString &text, const std::function<void(DesignState &)> &edit) override;
    bool EditDesign(const QString &text, const std::function<void(DesignState &)> &edit, DesignEdit::Kind kind);
    // The design undo and redo, and the editor's while it has the focus (Ctrl+Z, Ctrl+Y).
    void UndoClick();
    void RedoClick();
    // Whether the design differs from the file last opened or saved (or, without one, from
    // the empty design); the title bar marks it.
    bool IsModified() const;
    // Asks whether unsaved changes go before they are replaced or closed: true to go on
    // (saved or discarded), false to stay.
    bool ConfirmDiscard();
    QString FileName() const { return m_fileName; }

    QueryType GetQueryType() const { return Design().queryType; }
    bool QuoteIdentifiers() const { return m_quoteIdentifiers; }
    void SetQuoteIdentifiers(bool quote);
    SqlDialect Dialect() const { return m_dialect; }
    void SetDialect(SqlDialect dialect);
    IdentifierStyle Style() const override { return {m_quoteIdentifiers, m_dialect, m_backslashEscapes}; }
    TQGCheckListBox *CurrentTable() const override { return m_currentTable; }
    void SetCurrentTable(TQGCheckListBox *table) override { m_currentTable = table; }
    int PlacedTableCount() const override { return m_placedTableCount; }
    void SetPlacedTableCount(int count) override { m_placedTableCount = count; }
    TQuery *Query1() const { return m_query; }
    TDataSource *DataSource1() const { return m_dataSource; }
    TDataSource *MasterDataSource() const { return m_masterDataSource; }
    void SetMasterDataSource(TDataSource *source) { m_masterDataSource = source; }

    // The design's tables as the dialogs list them.
    QList<DesignTable> CanvasTables() const;

    int TableCount() const;
    bool CanAddTable() const override;
    void ShowJoinLinks(bool visible);

    // Query-type switch: the tool buttons and the menu radio items. The type lives here; the
    // controls only show it. A tag outside the four types changes nothing.
    void DefineQueryType(QueryType type);
    void DefineQueryType(int tag);
    void Select1Click() { DefineQueryType(QueryType::Select); }
    void Insert1Click() { DefineQueryType(QueryType::Insert); }
    void Update1Click() { DefineQueryType(QueryType::Update); }
    void Delete2Click() { DefineQueryType(QueryType::Delete); }

    void SpeedButton15Click();  // New Query
    void Exit1Click();
    void SpeedButton30Click() { Exit1Click(); }
    void ExitwithoutSaving1Click() { done(mrCancel); }
    void SpeedButton31Click() { done(mrCancel); }
    void ShowTableList1Click();
    void HideTableList1Click();
    void SpeedButton2Click(int tag);  // table list view style
    void Panel1Click();
    void About1Click();
    void PrintSQL1Click();

    // Opens the design on a session's database as the component does: the table list, a
    // starting statement on the SQL page and a starting file (either may be empty).
    void PrepareDesign(const QString &session, const QString &database, const QStringList &sql = {},
                       const QString &fileName = {});
    // Fills the table list and the status bar for a session and database.
    void SetStatusTexts(const QString &session, const QString &database, int tableCount);
    void OpenDesignDatabase(const QString &sessionName, const QString &databaseName);
    // A ".VDQ" file restores a design; any other file replaces the editor's text.
    void LoadStartingFile(const QString &fileName);
    void LoadQueryDefinition(const QString &fileName);
    void SaveQueryDefinition(const QString &fileName);
    // Which tables the table list offers: a host's filter over the database's names (none:
    // every table). Applies from the next listing.
    void SetTableFilter(std::function<bool(const QString &tableName)> filter) { m_tableFilter = std::move(filter); }
    // A designer inside a host's own window: leaving it ("Save and Exit", "Exit without
    // Saving") reports the result through finished() and leaves the widget in place.
    void Embed();
    bool IsEmbedded() const { return m_embedded; }
    void done(int result) override;
    // Fills the table list and the status bar with names already listed.
    void ShowTableNames(const QString &sessionName, const QString &databaseName, const QStringList &names);

    // --- Controls --------------------------------------------------------------------
    TQGTableList *ListView1() const { return m_tableList; }
    TQGScrollBox *ScrollBox1() const override { return m_scrollBox; }
    QWidget *Panel4() const override { return m_panel4; }
    QWidget *Panel3() const { return m_panel3; }
    QTabWidget *PageControl981() const { return m_pageControl981; }
    QTabWidget *PageControl982() const { return m_pageControl982; }
    QWidget *TabSheet1() const { return m_tabSheet1; }
    QWidget *TabSheet2() const { return m_tabSheet2; }
    TQGSqlEditor *Memo1() const { return m_memo; }
    TQGDesignLists *Lists() const { return m_lists; }
    QTreeWidget *ListView2() const;
    QTreeWidget *ListView3() const;
    QTreeWidget *ListView5() const;
    QStatusBar *StatusBar1() const { return m_statusBar; }
    QString StatusText(int panel) const;
    QToolButton *QueryTypeButton(int tag) const;
    QMenu *PopupMenu1() const override { return m_popupMenu1; }
    QMenu *PopupMenu2() const { return m_popupMenu2; }
    QMenu *PopupMenu6() const;
    TQGQueryMenus *Menus() const { return m_menus; }
    QWidget *Panel9() const { return m_panel9; }
    TQGenGrid *Grid() const { return m_grid; }
    TQGCanvasCommands *Canvas() const { return m_canvas; }
    TQGQueryExecution *Execution() const { return m_execution; }
    TQGFileCommands *Files() const { return m_files; }
    TQGDesignOptions *Options() const { return m_options; }

    // --- What the canvas asks of the window -------------------------------------------
    QWidget *HostWindow() override { return this; }
    QStringList SelectedTableNames() const override;
    bool PageShown(Page page) const override;
    QStringList TableFields(const QString &tableName) override;
    QList<ForeignKey> ForeignKeys(const QString &tableName) override;
    bool JoinsByForeignKeys() const override;
    int ChooseForeignKey(const QString &table, const QString &other, const QList<ForeignKey> &keys) override;
    // A Conditions row with the AND operator, as one step.
    void AddConditionRow(const QString &field, const QString &comparison, const QString &value);
    void AddFieldCondition(const QString &fieldReference) override;
    void SetFieldValue(const QString &fieldName) override;
    void AddSortRow(const QString &fieldReference, bool ascending) override;
    void ParameterFill() override;
    void ShowLinkPopup(TQGDataLink *link, const QPoint &globalPos) override;
    void EditJoinProperties(TQGDataLink *link) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormDestroy();
    QWidget *buildTablePanel();
    QWidget *buildGeneratorPage();
    QWidget *buildSqlPage();
    void applyQueryTypePages(QueryType type);
    TQGScrollBox *createCanvas();
    // The one listener of the document: the views show the change, and the statement is
    // written again when the change can alter it.
    void designChanged(QueryDocument::Changes what);
    void writeStatement();
    void updateTitle();
    void showStyle();

    QueryDocument *m_document;
    QUndoStack *m_undoStack;
    QString m_fileName;  // the file last opened or saved
    std::function<bool(const QString &)> m_tableFilter;
    bool m_embedded = false;
    bool m_quoteIdentifiers = false;
    SqlDialect m_dialect = SqlDialect::SQLite;
    bool m_backslashEscapes = false;  // the MySQL server's mode, from the database
    QPointer<TQGCheckListBox> m_currentTable;
    int m_placedTableCount = 0;
    TQuery *m_query;
    TDataSource *m_dataSource;
    TDataSource *m_masterDataSource = nullptr;

    TQGTableList *m_tableList = nullptr;
    TQGScrollBox *m_scrollBox = nullptr;
    TQGCanvasCommands *m_canvas = nullptr;
    TQGDesignLists *m_lists = nullptr;
    QWidget *m_panel3 = nullptr;
    QWidget *m_panel4 = nullptr;
    QWidget *m_panel9 = nullptr;
    QSplitter *m_splitter2 = nullptr;
    QTabWidget *m_pageControl981 = nullptr;
    QTabWidget *m_pageControl982 = nullptr;
    QWidget *m_tabSheet1 = nullptr;
    QWidget *m_tabSheet2 = nullptr;
    TQGSqlEditor *m_memo = nullptr;
    TQGenGrid *m_grid = nullptr;
    TQGQueryExecution *m_execution = nullptr;
    TQGFileCommands *m_files = nullptr;
    TQGDesignOptions *m_options = nullptr;
    TQGDBNavigator *m_navigator = nullptr;
    QStatusBar *m_statusBar = nullptr;
    QLabel *m_statusPanels[3] = {nullptr, nullptr, nullptr};
    QStatusBar *m_statusBar2 = nullptr;
    TQGQueryMenus *m_menus = nullptr;
    QToolButton *m_speedButton28 = nullptr;  // "Execute Query" on the SQL page
    QMenu *m_popupMenu1 = nullptr;
    QMenu *m_popupMenu2 = nullptr;
    QWidget *m_panel1 = nullptr;
};
