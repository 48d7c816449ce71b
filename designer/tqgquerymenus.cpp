// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgquerymenus.h"

#include "tqgdesignfromsql.h"
#include "tqgdesignoptions.h"
#include "tqgengrid.h"
#include "tqgeditcommands.h"
#include "tqgfilecommands.h"
#include "tqgglyphs.h"
#include "tqgqueryexecution.h"
#include "tqgqueryform.h"
#include "tqgsqleditor.h"
#include "tqgtemplates.h"

#include <QActionGroup>
#include <QButtonGroup>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QUndoStack>
#include <QToolButton>

#include <functional>
#include <initializer_list>

namespace {

constexpr int NoCommand = -1;

// One tool button of Panel1: its left edge, hint and glyph, and what a click runs.
struct ButtonRow
{
    const char *name;
    int left;
    const char *hint;
    TQGGlyph glyph;
    std::function<void()> clicked;  // empty: an edit command's button, wired by the commands
};

// One menu item: a separator when name is null. An item runs its handler, or the edit
// command, or (neither) nothing. keep receives the action when the window needs it later.
struct MenuRow
{
    const char *name;
    const char *caption;
    QKeySequence shortcut = {};
    std::function<void()> triggered = {};
    int command = NoCommand;
    QAction **keep = nullptr;
};

const MenuRow MenuSeparator = {nullptr, nullptr};

QToolButton *toolButton(QWidget *parent, const char *name, int left, const QString &hint, TQGGlyph glyph)
{
    QToolButton *b = GlyphButton(parent, name, glyph, hint, 18);
    b->setGeometry(left, 4, 25, 25);
    return b;
}

// The rows' items appended to the menu; edit commands join commands, handlers run with context.
void addItems(QMenu *menu, std::initializer_list<MenuRow> rows, QObject *context, TQGEditCommands *commands)
{
    for (const MenuRow &row : rows) {
        if (!row.name) {
            menu->addSeparator();
            continue;
        }
        QAction *action = menu->addAction(TQGQueryMenus::tr(row.caption));
        action->setObjectName(QLatin1String(row.name));
        if (!row.shortcut.isEmpty())
            action->setShortcut(row.shortcut);
        if (row.triggered)
            QObject::connect(action, &QAction::triggered, context, row.triggered);
        if (row.command != NoCommand)
            commands->AddAction(TQGEditCommands::Command(row.command), action);
        if (row.keep)
            *row.keep = action;
    }
}

} // namespace

TQGQueryMenus::TQGQueryMenus(TQGQueryForm *form)
    : QObject(form), m_form(form), m_designFromSql(new TQGDesignFromSql(form))
{
}

void TQGQueryMenus::open() { m_form->Files()->ImportSQL1Click(); }
void TQGQueryMenus::save() { m_form->Files()->Saveas1Click(); }
void TQGQueryMenus::print() { m_form->PrintSQL1Click(); }
void TQGQueryMenus::execute() { m_form->Execution()->SpeedButton28Click(); }

QWidget *TQGQueryMenus::BuildToolBar()
{
    auto *panel = new QFrame(m_form);
    m_panel1 = panel;
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedHeight(33);
    TQGQueryForm *form = m_form;
    const ButtonRow leading[] = {
        {"SpeedButton15", 8, QT_TR_NOOP("New Query"), TQGGlyph::NewQuery, [form] { form->SpeedButton15Click(); }},
        {"SpeedButton16", 32, QT_TR_NOOP("Open Query"), TQGGlyph::OpenQuery, [this] { open(); }},
        {"SpeedButton17", 56, QT_TR_NOOP("Save Query"), TQGGlyph::SaveQuery, [this] { save(); }},
        {"SpeedButton18", 88, QT_TR_NOOP("Print Query"), TQGGlyph::PrintQuery, [this] { print(); }},
        {"bCut", 120, QT_TR_NOOP("Cut"), TQGGlyph::Cut, {}},
        {"bCopy", 144, QT_TR_NOOP("Copy"), TQGGlyph::Copy, {}},
        {"bPaste", 168, QT_TR_NOOP("Paste"), TQGGlyph::Paste, {}},
        {"bDelete", 192, QT_TR_NOOP("Delete"), TQGGlyph::Delete, {}},
    };
    int editButton = 0;
    for (const ButtonRow &row : leading) {
        QToolButton *b = toolButton(panel, row.name, row.left, tr(row.hint), row.glyph);
        if (row.clicked)
            connect(b, &QToolButton::clicked, this, row.clicked);
        else
            m_editButtons[editButton++] = b;
    }

    const ButtonRow types[4] = {
        {"SpeedButton23", 224, QT_TR_NOOP("Select Query"), TQGGlyph::SelectQuery, {}},
        {"SpeedButton24", 248, QT_TR_NOOP("Insert Query"), TQGGlyph::InsertQuery, {}},
        {"SpeedButton25", 272, QT_TR_NOOP("Update Query"), TQGGlyph::UpdateQuery, {}},
        {"SpeedButton26", 296, QT_TR_NOOP("Delete Query"), TQGGlyph::DeleteQuery, {}},
    };
    auto *group = new QButtonGroup(panel);
    group->setExclusive(true);
    for (int tag = 0; tag < 4; ++tag) {
        QToolButton *b = toolButton(panel, types[tag].name, types[tag].left, tr(types[tag].hint), types[tag].glyph);
        b->setCheckable(true);
        b->setProperty("tag", tag);
        group->addButton(b, tag);
        m_typeButtons[tag] = b;
        // Clicking the button that is down keeps it down; the switch runs for every click.
        const QueryType type = QueryType(tag);
        connect(b, &QToolButton::clicked, form, [form, type] { form->DefineQueryType(type); });
    }
    m_typeButtons[0]->setChecked(true);

    const ButtonRow trailing[] = {
        {"SpeedButton21", 328, QT_TR_NOOP("Execute Query"), TQGGlyph::ExecuteQuery, [this] { execute(); }},
        {"SpeedButton30", 361, QT_TR_NOOP("Save and Exit"), TQGGlyph::SaveAndExit,
         [form] { form->SpeedButton30Click(); }},
        {"SpeedButton31", 385, QT_TR_NOOP("Cancel and Exit"), TQGGlyph::CancelAndExit,
         [form] { form->SpeedButton31Click(); }},
        {"bDesignFromSQL", 446, QT_TR_NOOP("Design from SQL"), TQGGlyph::Table,
         [this] { m_designFromSql->DesignfromSQL1Click(); }},
    };
    for (const ButtonRow &row : trailing)
        connect(toolButton(panel, row.name, row.left, tr(row.hint), row.glyph), &QToolButton::clicked, this,
                row.clicked);
    // The design's Undo and Redo, whatever has the focus.
    const auto undoButton = [panel](const char *name, int left, const QString &hint, const char *theme,
                                    QStyle::StandardPixmap fallback) {
        auto *b = new QToolButton(panel);
        b->setObjectName(QLatin1String(name));
        b->setAutoRaise(true);
        b->setIcon(QIcon::fromTheme(QLatin1String(theme), panel->style()->standardIcon(fallback)));
        b->setIconSize(QSize(18, 18));
        b->setToolTip(hint);
        b->setAccessibleName(hint);
        b->setGeometry(left, 4, 25, 25);
        return b;
    };
    m_undoButton = undoButton("bUndo", 478, tr("Undo"), "edit-undo", QStyle::SP_ArrowBack);
    m_redoButton = undoButton("bRedo", 502, tr("Redo"), "edit-redo", QStyle::SP_ArrowForward);
    connect(m_undoButton, &QToolButton::clicked, form, [form] { form->UndoStack()->undo(); });
    connect(m_redoButton, &QToolButton::clicked, form, [form] { form->UndoStack()->redo(); });
    // The totals switch; a sum sign, as the spreadsheets show it.
    m_totalsButton = new QToolButton(panel);
    m_totalsButton->setObjectName(QStringLiteral("SpeedButtonTotals"));
    m_totalsButton->setAutoRaise(true);
    m_totalsButton->setCheckable(true);
    m_totalsButton->setText(QStringLiteral("\u03A3"));
    m_totalsButton->setToolTip(tr("Totals"));
    m_totalsButton->setAccessibleName(tr("Totals"));
    m_totalsButton->setGeometry(417, 4, 25, 25);
    connect(m_totalsButton, &QToolButton::clicked, this,
            [this](bool checked) { m_form->Options()->SetTotals(checked); });
    return panel;
}

void TQGQueryMenus::BuildMenus(QMenuBar *menuBar, TQGSqlEditor *editor)
{
    m_commands = new TQGEditCommands(editor, m_form);
    m_commands->setObjectName(QStringLiteral("EditCommands"));
    const TQGEditCommands::Command buttonCommands[4] = {TQGEditCommands::Cut, TQGEditCommands::Copy,
                                                        TQGEditCommands::Paste, TQGEditCommands::Delete};
    for (int i = 0; i < 4; ++i)
        m_commands->AddButton(buttonCommands[i], m_editButtons[i]);

    auto addMenu = [this, menuBar](const char *name, const char *caption, std::initializer_list<MenuRow> rows) {
        QMenu *menu = menuBar->addMenu(tr(caption));
        menu->setObjectName(QLatin1String(name));
        addItems(menu, rows, this, m_commands);
        return menu;
    };
    TQGQueryForm *form = m_form;
    const auto typeSwitch = [form](QueryType type) { return [form, type] { form->DefineQueryType(type); }; };

    addMenu("File1", QT_TR_NOOP("&File"),
            {{"New1", QT_TR_NOOP("&New...")},
             {"ImportSQLFile1", QT_TR_NOOP("&Open..."), {}, [this] { open(); }},
             {"Save1", QT_TR_NOOP("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S), [this] { save(); }},
             MenuSeparator,
             {"PrintSQL1", QT_TR_NOOP("&Print..."), {}, [this] { print(); }},
             MenuSeparator,
             {"Exit1", QT_TR_NOOP("Save and E&xit"), {}, [form] { form->Exit1Click(); }},
             {"ExitwithoutSaving1", QT_TR_NOOP("Exit &without Saving"), {}, [form] { form->ExitwithoutSaving1Click(); }}});

    QMenu *edit = addMenu(
        "Edit1", QT_TR_NOOP("&Edit"),
        // Undo and Redo belong to the SQL editor while it has the focus, to the design elsewhere.
        {{"Undo1", QT_TR_NOOP("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z), [form] { form->UndoClick(); }, NoCommand,
          &m_undo},
         {"Redo1", QT_TR_NOOP("&Redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), [form] { form->RedoClick(); },
          NoCommand, &m_redo},
         MenuSeparator,
         {"Cut1", QT_TR_NOOP("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X), {}, TQGEditCommands::Cut},
         {"Copy1", QT_TR_NOOP("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C), {}, TQGEditCommands::Copy},
         {"Paste1", QT_TR_NOOP("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V), {}, TQGEditCommands::Paste},
         {"Delete3", QT_TR_NOOP("Delete"), QKeySequence(Qt::CTRL | Qt::Key_Delete), {}, TQGEditCommands::Delete},
         MenuSeparator,
         {"SelectAll1", QT_TR_NOOP("Select All"), QKeySequence(Qt::CTRL | Qt::Key_A), {}, TQGEditCommands::SelectAll}});
    connect(edit, &QMenu::aboutToShow, m_commands, &TQGEditCommands::Edit1Click);
    m_redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});

    // The handler toggles the mark itself, so the action's own toggling is undone first.
    const auto showTableList = [this, form] {
        m_showTableList->setChecked(!m_showTableList->isChecked());
        form->ShowTableList1Click();
    };
    addMenu("SQLGenerator1", QT_TR_NOOP("&SQL Generator"),
            {{"ShowTableList1", QT_TR_NOOP("Show Table List"), {}, showTableList, NoCommand, &m_showTableList},
             MenuSeparator,
             {"Select1", QT_TR_NOOP("Select"), {}, typeSwitch(QueryType::Select), NoCommand, &m_typeActions[0]},
             {"Insert1", QT_TR_NOOP("Insert"), {}, typeSwitch(QueryType::Insert), NoCommand, &m_typeActions[1]},
             {"Update1", QT_TR_NOOP("Update"), {}, typeSwitch(QueryType::Update), NoCommand, &m_typeActions[2]},
             {"Delete2", QT_TR_NOOP("Delete"), {}, typeSwitch(QueryType::Delete), NoCommand, &m_typeActions[3]},
             MenuSeparator,
             {"Totals1", QT_TR_NOOP("Totals"), {}, [this] { m_form->Options()->SetTotals(m_totals->isChecked()); },
              NoCommand, &m_totals},
             {"DistinctRows1", QT_TR_NOOP("Distinct Rows"), {},
              [this] { m_form->Options()->SetDistinct(m_distinct->isChecked()); }, NoCommand, &m_distinct},
             {"RowLimit1", QT_TR_NOOP("Row Limit..."), {}, [form] { form->Options()->RowLimitClick(); }},
             {"JoinByForeignKeys1", QT_TR_NOOP("Join Tables by Their Foreign Keys"), {},
              [this] { m_form->Options()->SetJoinByForeignKeys(m_joinByKeys->isChecked()); }, NoCommand, &m_joinByKeys},
             MenuSeparator,
             // Design from SQL is a step of the design's Undo; its own undo item stays for the
             // user who looks for it here.
             {"DesignfromSQL1", QT_TR_NOOP("Design from SQL"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D),
              [this] { m_designFromSql->DesignfromSQL1Click(); }},
             {"UndoDesignfromSQL1", QT_TR_NOOP("Undo Design from SQL"), {},
              [this] { m_designFromSql->UndoDesignfromSQL1Click(); }, NoCommand, &m_undoDesignFromSql}});
    m_totals->setCheckable(true);
    m_distinct->setCheckable(true);
    form->Options()->SetControls(m_totals, m_totalsButton, m_distinct);
    form->Options()->SetJoinByForeignKeysControl(m_joinByKeys);
    m_designFromSql->SetUndoAction(m_undoDesignFromSql);
    QUndoStack *stack = form->UndoStack();
    connect(stack, &QUndoStack::indexChanged, this, &TQGQueryMenus::showUndoState);
    showUndoState();
    m_showTableList->setCheckable(true);
    m_showTableList->setChecked(true);
    auto *typeGroup = new QActionGroup(m_form);
    typeGroup->setExclusive(true);
    for (QAction *a : m_typeActions) {
        a->setCheckable(true);
        typeGroup->addAction(a);
    }
    m_typeActions[0]->setChecked(true);

    BuildTemplateMenu(addMenu("SQLFunctions1", QT_TR_NOOP("&DML Templates"), {}), editor);
    addMenu("Help1", QT_TR_NOOP("Help"), {{"About1", QT_TR_NOOP("About"), {}, [form] { form->About1Click(); }}});

    // The editor's own menu.
    m_popupMenu6 = new QMenu(m_form);
    m_popupMenu6->setObjectName(QStringLiteral("PopupMenu6"));
    addItems(m_popupMenu6,
             {{"ExecuteSQL1", QT_TR_NOOP("Execute SQL"), {}, [this] { execute(); }},
              {"ExportResults1", QT_TR_NOOP("Export Results..."), {}, [form] { form->Grid()->ExportResults(); }},
              MenuSeparator,
              {"LoadSQL1", QT_TR_NOOP("Load..."), {}, [this] { open(); }},
              {"SaveSQL1", QT_TR_NOOP("Save..."), {}, [this] { save(); }},
              {"PrintSQL2", QT_TR_NOOP("Print..."), {}, [this] { print(); }},
              MenuSeparator,
              {"Undo2", QT_TR_NOOP("Undo"), {}, {}, TQGEditCommands::Undo},
              MenuSeparator,
              {"Cut2", QT_TR_NOOP("Cu&t"), {}, {}, TQGEditCommands::Cut},
              {"Copy2", QT_TR_NOOP("&Copy"), {}, {}, TQGEditCommands::Copy},
              {"Paste2", QT_TR_NOOP("&Paste"), {}, {}, TQGEditCommands::Paste},
              {"Delete4", QT_TR_NOOP("&Delete"), {}, {}, TQGEditCommands::Delete},
              MenuSeparator,
              {"SelectAll2", QT_TR_NOOP("Select &All"), {}, {}, TQGEditCommands::SelectAll}},
             this, m_commands);
    editor->setContextMenuPolicy(Qt::CustomContextMenu);
    QMenu *popup = m_popupMenu6;
    connect(editor, &QWidget::customContextMenuRequested, popup,
            [popup, editor](const QPoint &pos) { popup->popup(editor->viewport()->mapToGlobal(pos)); });
}

QMenu *TQGQueryMenus::BuildTablePopup(const std::function<void()> &insertTables)
{
    auto *popup = new QMenu(m_form);
    popup->setObjectName(QStringLiteral("PopupMenu2"));
    TQGQueryForm *form = m_form;
    addItems(popup,
             {{"InsertTables1", QT_TR_NOOP("Insert Table(s)"), {}, insertTables},
              MenuSeparator,
              {"HideTableList1", QT_TR_NOOP("Hide Table List"), {}, [form] { form->HideTableList1Click(); }}},
             this, nullptr);
    return popup;
}

void TQGQueryMenus::showUndoState()
{
    const QUndoStack *stack = m_form->UndoStack();
    // The buttons name the step they take back or do again.
    if (m_undoButton) {
        m_undoButton->setEnabled(stack->canUndo());
        m_undoButton->setToolTip(stack->canUndo() ? tr("Undo %1").arg(stack->undoText()) : tr("Undo"));
        m_redoButton->setEnabled(stack->canRedo());
        m_redoButton->setToolTip(stack->canRedo() ? tr("Redo %1").arg(stack->redoText()) : tr("Redo"));
    }
    m_designFromSql->ShowUndoState();
}

void TQGQueryMenus::ShowQueryType(QueryType type)
{
    m_typeButtons[int(type)]->setChecked(true);
    m_typeActions[int(type)]->setChecked(true);
}
