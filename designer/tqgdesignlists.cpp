// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgdesignlists.h"

#include "querydocument.h"

#include "designwords.h"
#include "naming.h"
#include "tqgchecklistbox.h"
#include "sqlbuilders.h"
#include "tqgcolumnform.h"
#include "tqgcomparisonform.h"
#include "tqgglyphs.h"
#include "tqgstyle.h"
#include "tqgqueryform.h"
#include "tqgsortform.h"
#include "tqgstoredworddelegate.h"
#include "tqgvalueform.h"
#include "tquery.h"

#include <QFont>
#include <QAction>
#include <QMenu>

#include <QDropEvent>
#include <QMimeData>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QTreeWidget *makeList(const char *name, const QString &accessibleName, const QStringList &columns,
                      const QList<int> &widths)
{
    auto *list = new QTreeWidget;
    list->setObjectName(QLatin1String(name));
    list->setAccessibleName(accessibleName);
    list->setColumnCount(columns.size());
    list->setHeaderLabels(columns);
    // A caption longer than its column (a translated one) widens the column to show it whole.
    for (int i = 0; i < widths.size(); ++i)
        list->header()->resizeSection(i, std::max(widths.at(i), list->header()->sectionSizeHint(i)));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSortingEnabled(false);
    list->setAcceptDrops(true);
    list->setDragDropMode(QAbstractItemView::DropOnly);
    list->setStyleSheet(ItemGridStyleSheet(QStringLiteral("QTreeWidget")));
    return list;
}

QToolButton *sideButton(QWidget *panel, const char *name, TQGGlyph glyph, const QString &hint, int top)
{
    QToolButton *b = GlyphButton(panel, name, glyph, hint, 16);
    b->setGeometry(4, top, 25, 25);
    return b;
}

// The buttons beside a list, top to bottom; *made receives them in the same order.
QWidget *sidePanel(const char *name, const QList<std::tuple<const char *, TQGGlyph, QString, int>> &buttons,
                   QList<QToolButton *> *made)
{
    auto *panel = new QWidget;
    panel->setObjectName(QLatin1String(name));
    panel->setFixedWidth(33);
    for (const auto &[buttonName, glyph, hint, top] : buttons)
        *made << sideButton(panel, buttonName, glyph, hint, top);
    return panel;
}

// A label and two radio buttons below a list; *radios receives the two buttons.
QWidget *radioStrip(const char *name, const QString &label, const char *first, const QString &firstText,
                    const char *second, const QString &secondText, QRadioButton **radios)
{
    auto *strip = new QWidget;
    strip->setObjectName(QLatin1String(name));
    strip->setFixedHeight(26);
    auto *layout = new QHBoxLayout(strip);
    layout->setContentsMargins(6, 0, 6, 0);
    layout->setSpacing(12);
    layout->addWidget(new QLabel(label, strip));
    auto *a = new QRadioButton(firstText, strip);
    a->setObjectName(QLatin1String(first));
    a->setProperty("tag", 0);
    a->setChecked(true);
    a->setEnabled(false);
    auto *b = new QRadioButton(secondText, strip);
    b->setObjectName(QLatin1String(second));
    b->setProperty("tag", 1);
    b->setEnabled(false);
    layout->addWidget(a);
    layout->addWidget(b);
    layout->addStretch(1);
    radios[0] = a;
    radios[1] = b;
    return strip;
}

} // namespace

TQGDesignLists::TQGDesignLists(QTabWidget *pageControl, TQGQueryForm *form)
    : QObject(form), m_form(form)
{
    ExecDialog = [](QDialog *dialog) { return dialog->exec(); };
    m_values = makeList("ListView5", tr("Values"), {tr("FieldName"), tr("Value")}, {170, 170});
    m_conditions = makeList("ListView2", tr("Conditions"), {tr("FieldName"), tr("Condition"), tr("Value"), tr("boolean Operator")},
                            {170, 80, 160, 99});
    m_sorting = makeList("ListView3", tr("Sorting"), {tr("FieldName"), tr("Ascending")}, {170, 80});
    // Two more columns show a row's grouping; a row without one keeps the classic four cells.
    m_conditions->setColumnCount(DesignState::GroupedConditionColumns);
    m_conditions->setHeaderLabels({tr("FieldName"), tr("Condition"), tr("Value"), tr("boolean Operator"), tr("("), tr(")")});
    m_conditions->header()->resizeSection(3, 112);
    m_conditions->header()->resizeSection(4, 44);
    m_conditions->header()->resizeSection(5, 34);
    m_conditions->setProperty("groupingColumns", 2);
    m_columns = makeList("ColumnsList", tr("Columns"), {tr("Column"), tr("Name"), tr("Group By"), tr("Show")},
                         {240, 110, 64, 50});
    // The cells of stored words keep them; the delegate shows them in the user's language.
    auto *words = new TQGStoredWordDelegate(this);
    m_conditions->setItemDelegateForColumn(1, words);
    m_sorting->setItemDelegateForColumn(1, words);
    m_columns->setItemDelegateForColumn(2, words);
    m_columns->setItemDelegateForColumn(3, words);
    m_columns->setDragEnabled(true);
    m_columns->setDragDropMode(QAbstractItemView::InternalMove);
    m_columnsViewport = m_columns->viewport();
    m_columnsViewport->setAcceptDrops(true);
    m_columnsViewport->installEventFilter(this);

    // Each side panel: Move Up, Move Down, Remove (and on the Values page Fill Parameter List).
    QList<QToolButton *> valueButtons;
    QList<QToolButton *> sortButtons;
    m_valuesPage = makePage(pageControl, "TabSheet6", tr("Values"), m_values,
                            sidePanel("Panel7", {{"SpeedButton12", TQGGlyph::MoveUp, tr("Move Up"), 8},
                                                 {"SpeedButton13", TQGGlyph::MoveDown, tr("Move Down"), 32},
                                                 {"SpeedButton14", TQGGlyph::Remove, tr("Remove"), 72},
                                                 {"SpeedButton19", TQGGlyph::FillParameters,
                                                  tr("Fill Parameter List"), 104}},
                                      &valueButtons),
                            nullptr);
    m_conditionsPage = makePage(pageControl, "TabSheet3", tr("Conditions"), m_conditions,
                                sidePanel("x", {{"SpeedButton6", TQGGlyph::MoveUp, tr("Move Up"), 8},
                                                {"SpeedButton7", TQGGlyph::MoveDown, tr("Move Down"), 32},
                                                {"SpeedButton8", TQGGlyph::Remove, tr("Remove"), 72}},
                                          &m_conditionButtons),
                                radioStrip("Panel11", tr("Boolean Operator"), "RadioButton1", tr("AND"),
                                           "RadioButton2", tr("OR"), &m_radio[0]));
    m_sortingPage = makePage(pageControl, "TabSheet4", tr("Sorting"), m_sorting,
                             sidePanel("Panel6", {{"SpeedButton9", TQGGlyph::MoveUp, tr("Move Up"), 8},
                                                  {"SpeedButton10", TQGGlyph::MoveDown, tr("Move Down"), 32},
                                                  {"SpeedButton11", TQGGlyph::Remove, tr("Remove"), 72}},
                                       &sortButtons),
                             radioStrip("Panel13", tr("Ascending Order"), "RadioButton3", tr("Yes"),
                                        "RadioButton4", tr("No"), &m_radio[2]));

    QList<QToolButton *> columnButtons;
    m_columnsPage = makePage(pageControl, "ColumnsPage", tr("Columns"), m_columns,
                             sidePanel("ColumnsPanel", {{"bColumnUp", TQGGlyph::MoveUp, tr("Move Up"), 8},
                                                        {"bColumnDown", TQGGlyph::MoveDown, tr("Move Down"), 32},
                                                        {"bColumnRemove", TQGGlyph::Remove, tr("Remove"), 72},
                                                        {"bAddColumn", TQGGlyph::FieldValue,
                                                         tr("Add Calculated Field"), 104}},
                                       &columnButtons),
                             nullptr);

    wireList(m_values, "PopupMenu3", false, valueButtons);
    wireList(m_conditions, "PopupMenu4", true, m_conditionButtons);
    wireList(m_sorting, "PopupMenu5", false, sortButtons);
    wireList(m_columns, "PopupMenu6", false, columnButtons);
    connect(columnButtons.at(3), &QToolButton::clicked, this, &TQGDesignLists::AddColumnClick);
    connect(m_columns, &QTreeWidget::itemDoubleClicked, this, &TQGDesignLists::EditColumnClick);
    auto addTo = [](QMenu *popup, QObject *receiver, const char *name, const QString &caption, auto slot) {
        QAction *a = popup->addAction(caption);
        a->setObjectName(QLatin1String(name));
        QObject::connect(a, &QAction::triggered, receiver, slot);
        return a;
    };
    QMenu *columnsPopup = m_columns->findChild<QMenu *>(QStringLiteral("PopupMenu6"));
    columnsPopup->addSeparator();
    addTo(columnsPopup, this, "AddColumn", tr("Add Calculated Field..."), [this] { AddColumnClick(); });
    addTo(columnsPopup, this, "EditColumn", tr("Edit Column..."), [this] { EditColumnClick(); });
    addTo(columnsPopup, this, "ColumnsFromTicks", tr("Columns as Ticked"), [this] { ColumnsFromTicksClick(); });
    QMenu *conditionsPopup = m_conditions->findChild<QMenu *>(QStringLiteral("PopupMenu4"));
    conditionsPopup->addSeparator();
    addTo(conditionsPopup, this, "OpenParenthesis", tr("Open Parenthesis"), [this] { OpenParenthesisClick(); });
    addTo(conditionsPopup, this, "CloseParenthesis", tr("Close Parenthesis"), [this] { CloseParenthesisClick(); });
    addTo(conditionsPopup, this, "Negate", tr("NOT"), [this] { NegateClick(); });
    addTo(conditionsPopup, this, "ClearGrouping", tr("Clear Grouping"), [this] { ClearGroupingClick(); });
    connect(m_values, &QTreeWidget::itemDoubleClicked, this, &TQGDesignLists::ListView5DblClick);
    connect(m_conditions, &QTreeWidget::itemDoubleClicked, this, &TQGDesignLists::ListView2DblClick);
    connect(m_sorting, &QTreeWidget::itemDoubleClicked, this, &TQGDesignLists::ListView3DblClick);

    // A radio button that becomes chosen, by the user or by ListView2Change, is the choice.
    connect(m_radio[0], &QRadioButton::toggled, this, [this](bool on) { if (on) ChangeBooleanOperator(0); });
    connect(m_radio[1], &QRadioButton::toggled, this, [this](bool on) { if (on) ChangeBooleanOperator(1); });
    connect(m_radio[2], &QRadioButton::toggled, this, [this](bool on) { if (on) RadioButton3Click(0); });
    connect(m_radio[3], &QRadioButton::toggled, this, [this](bool on) { if (on) RadioButton3Click(1); });

    auto conditionsChanged = [this] { ListView2Change(); };
    connect(m_conditions, &QTreeWidget::itemSelectionChanged, this, conditionsChanged);
    connect(m_conditions->model(), &QAbstractItemModel::rowsInserted, this, conditionsChanged);
    connect(m_conditions->model(), &QAbstractItemModel::rowsRemoved, this, conditionsChanged);
    connect(m_conditions->model(), &QAbstractItemModel::dataChanged, this, conditionsChanged);
    auto sortingChanged = [this] { ListView3Change(); };
    connect(m_sorting, &QTreeWidget::itemSelectionChanged, this, sortingChanged);
    connect(m_sorting->model(), &QAbstractItemModel::rowsInserted, this, sortingChanged);
    connect(m_sorting->model(), &QAbstractItemModel::rowsRemoved, this, sortingChanged);

    connect(valueButtons.at(3), &QToolButton::clicked, m_form, &TQGQueryForm::ParameterFill);
}

void TQGDesignLists::wireList(QTreeWidget *list, const char *popupName, bool withNew,
                              const QList<QToolButton *> &sideButtons)
{
    auto *popup = new QMenu(list);
    popup->setObjectName(QLatin1String(popupName));
    const QString suffix = QString::fromLatin1(popupName).right(1);
    auto item = [&](const QString &name, const QString &caption, const QKeySequence &key) {
        QAction *a = popup->addAction(caption);
        a->setObjectName(name);
        if (!key.isEmpty()) {
            a->setShortcut(key);
            // The shortcuts work while the list has the focus, not only in the open menu.
            a->setShortcutContext(Qt::WidgetShortcut);
            list->addAction(a);
        }
        return a;
    };
    if (withNew) {
        connect(item(QStringLiteral("New2"), tr("New"), QKeySequence()), &QAction::triggered, this,
                &TQGDesignLists::New2Click);
        popup->addSeparator();
    }
    QAction *upAction = item(QStringLiteral("MoveUp") + suffix, tr("Move Up"), QKeySequence(Qt::CTRL | Qt::Key_U));
    QAction *downAction = item(QStringLiteral("MoveDown") + suffix, tr("Move Down"), QKeySequence(Qt::CTRL | Qt::Key_D));
    QAction *removeAction = item(QStringLiteral("Remove") + suffix, tr("Remove"), QKeySequence(Qt::Key_Delete));
    connect(upAction, &QAction::triggered, this, [this, list] { MoveItemUp(list); });
    connect(downAction, &QAction::triggered, this, [this, list] { MoveItemDown(list); });
    connect(removeAction, &QAction::triggered, this, [this, list] { RemoveItem(list); });
    connect(sideButtons.at(0), &QToolButton::clicked, this, [this, list] { MoveItemUp(list); });
    connect(sideButtons.at(1), &QToolButton::clicked, this, [this, list] { MoveItemDown(list); });
    connect(sideButtons.at(2), &QToolButton::clicked, this, [this, list] { RemoveItem(list); });
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, popup,
            [popup, list](const QPoint &pos) { popup->popup(list->viewport()->mapToGlobal(pos)); });
}

QWidget *TQGDesignLists::makePage(QTabWidget *pageControl, const char *pageName, const QString &title,
                                  QTreeWidget *list, QWidget *side, QWidget *strip)
{
    auto *page = new QWidget;
    page->setObjectName(QLatin1String(pageName));
    auto *outer = new QHBoxLayout(page);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto *left = new QVBoxLayout;
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);
    left->addWidget(list, 1);
    if (strip)
        left->addWidget(strip);
    outer->addLayout(left, 1);
    outer->addWidget(side);
    pageControl->addTab(page, title);
    return page;
}

QList<QStringList> TQGDesignLists::Rows(const QTreeWidget *list)
{
    QList<QStringList> rows;
    const int columns = list->columnCount();
    rows.reserve(list->topLevelItemCount());
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = list->topLevelItem(i);
        QStringList row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c)
            row << item->text(c);
        // An ungrouped row has no grouping cells, as the file holds it.
        const int grouping = list->property("groupingColumns").toInt();
        if (grouping > 0 && std::all_of(row.cend() - grouping, row.cend(), [](const QString &c) { return c.isEmpty(); }))
            row.resize(columns - grouping);
        rows << row;
    }
    return rows;
}

void TQGDesignLists::AppendRow(QTreeWidget *list, const QStringList &columns)
{
    auto *item = new QTreeWidgetItem(list);
    for (int c = 0; c < columns.size() && c < list->columnCount(); ++c)
        item->setText(c, columns.at(c));
}

QList<QStringList> &TQGDesignLists::rowsOf(DesignState &design, const QTreeWidget *list) const
{
    if (list == m_columns)
        return design.columns;
    return list == m_values ? design.values : list == m_conditions ? design.conditions : design.sorting;
}

bool TQGDesignLists::editRows(QTreeWidget *list, const QString &text,
                              const std::function<void(QList<QStringList> &rows)> &edit)
{
    const IdentifierStyle style = m_form->Style();
    return m_form->EditDesign(text, [&](DesignState &d) {
        // The columns the ticks give become the design's own at its first change.
        if (list == m_columns && d.columns.isEmpty())
            d.columns = d.columnsFromTicks(style);
        edit(rowsOf(d, list));
        if (list == m_columns)
            d.tickColumnFields(style);
    });
}

void TQGDesignLists::showRows(QTreeWidget *list, const QList<QStringList> &rows)
{
    // Row by row, so that the selection stays where it was.
    const int columns = list->columnCount();
    while (list->topLevelItemCount() > rows.size())
        delete list->takeTopLevelItem(list->topLevelItemCount() - 1);
    for (int i = 0; i < rows.size(); ++i) {
        QTreeWidgetItem *item = list->topLevelItem(i);
        if (!item) {
            AppendRow(list, rows.at(i));
            continue;
        }
        for (int c = 0; c < columns; ++c) {
            if (item->text(c) != rows.at(i).value(c))
                item->setText(c, rows.at(i).value(c));
        }
    }
}

void TQGDesignLists::ShowDesign(const DesignState &design)
{
    showRows(m_values, design.values);
    showRows(m_conditions, design.conditions);
    showRows(m_sorting, design.sorting);
    // Until the design holds its columns, the list shows the ones its ticks give, greyed.
    const bool own = !design.columns.isEmpty();
    showRows(m_columns, own ? design.columns : design.columnsFromTicks(m_form->Style()));
    const QString tip = own ? QString()
                            : tr("The ticked fields, in table order. Add, move or name a column to keep the columns "
                                 "in an order of their own");
    for (int i = 0; i < m_columns->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = m_columns->topLevelItem(i);
        for (int c = 0; c < m_columns->columnCount(); ++c) {
            item->setForeground(c, own ? m_columns->palette().text() : m_columns->palette().placeholderText());
            item->setToolTip(c, tip);
        }
    }
}

// --- Columns -----------------------------------------------------------------------------

namespace {

QStringList fieldReferences(const QList<DesignTable> &tables, const IdentifierStyle &style)
{
    QStringList references;
    const QStringList aliases = TableAliases(tables);
    for (qsizetype t = 0; t < tables.size(); ++t) {
        for (const QString &field : tables.at(t).fields)
            references << AliasFieldReference(aliases.at(t), field, style);
    }
    return references;
}

} // namespace

void TQGDesignLists::AddColumnClick()
{
    if (m_form->Design().tables.isEmpty())
        return;
    TQGColumnForm dialog(m_form);
    dialog.SetFields(fieldReferences(m_form->CanvasTables(), m_form->Style()));
    if (ExecDialog(&dialog) != QDialog::Accepted)
        return;
    const QStringList row = OutputColumnRow(dialog.Column());
    editRows(m_columns, tr("Add Calculated Field"), [&](QList<QStringList> &rows) { rows << row; });
    SelectRow(m_columns, m_columns->topLevelItemCount() - 1);
}

void TQGDesignLists::EditColumnClick()
{
    const int row = SelectedRow(m_columns);
    if (row < 0)
        return;
    TQGColumnForm dialog(m_form);
    dialog.SetFields(fieldReferences(m_form->CanvasTables(), m_form->Style()));
    dialog.SetColumn(OutputColumnOf(Rows(m_columns).value(row)));
    if (ExecDialog(&dialog) != QDialog::Accepted)
        return;
    const QStringList edited = OutputColumnRow(dialog.Column());
    editRows(m_columns, tr("Edit Column"), [&](QList<QStringList> &rows) {
        if (row < rows.size())
            rows[row] = edited;
    });
    SelectRow(m_columns, row);
}

void TQGDesignLists::MoveColumn(int from, int to)
{
    const int count = m_columns->topLevelItemCount();
    if (from < 0 || to < 0 || from >= count || to >= count || from == to)
        return;
    editRows(m_columns, tr("Move Column"), [&](QList<QStringList> &rows) { rows.move(from, to); });
    SelectRow(m_columns, to);
}

void TQGDesignLists::ColumnsFromTicksClick()
{
    if (m_form->Design().columns.isEmpty())
        return;
    m_form->EditDesign(tr("Columns as Ticked"), [](DesignState &d) { d.columns.clear(); });
}

bool TQGDesignLists::eventFilter(QObject *watched, QEvent *event)
{
    // A row dragged within the Columns list moves there, as one step of the design.
    // Only the drag events touch the list: the filter also sees the viewport's events while
    // the list is being destroyed.
    const QEvent::Type type = event->type();
    if ((type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop) && watched == m_columnsViewport) {
        auto *drag = static_cast<QDropEvent *>(event);
        // The list's own rows: a drag within it (offscreen, a drop event names no source).
        const bool rows = drag->mimeData()->hasFormat(QStringLiteral("application/x-qabstractitemmodeldatalist"));
        if (!rows || (drag->source() && drag->source() != m_columns))
            return QObject::eventFilter(watched, event);
        if (type != QEvent::Drop) {
            drag->setDropAction(Qt::MoveAction);
            drag->accept();
            return true;
        }
        QTreeWidgetItem *target = m_columns->itemAt(drag->position().toPoint());
        const int to = target ? m_columns->indexOfTopLevelItem(target) : m_columns->topLevelItemCount() - 1;
        drag->setDropAction(Qt::IgnoreAction);
        drag->accept();
        MoveColumn(SelectedRow(m_columns), to);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// --- Grouping ----------------------------------------------------------------------------

void TQGDesignLists::editGrouping(const QString &text, const std::function<void(QString &open, QString &close)> &edit)
{
    const int row = SelectedRow(m_conditions);
    if (row < 0)
        return;
    editRows(m_conditions, text, [&](QList<QStringList> &rows) {
        if (row >= rows.size())
            return;
        QStringList &cells = rows[row];
        cells = ListRow(cells, DesignState::GroupedConditionColumns);
        edit(cells[4], cells[5]);
        if (cells.at(4).isEmpty() && cells.at(5).isEmpty())
            cells.resize(DesignState::ConditionColumns);
    });
    SelectRow(m_conditions, row);
}

void TQGDesignLists::OpenParenthesisClick()
{
    editGrouping(tr("Open Parenthesis"), [](QString &open, QString &) { open += u'('; });
}

void TQGDesignLists::CloseParenthesisClick()
{
    editGrouping(tr("Close Parenthesis"), [](QString &, QString &close) { close += u')'; });
}

void TQGDesignLists::NegateClick()
{
    static const QString notWord = QStringLiteral("NOT ");
    editGrouping(tr("NOT"), [](QString &open, QString &) {
        if (open.startsWith(notWord))
            open.remove(0, notWord.size());
        else
            open.prepend(notWord);
    });
}

void TQGDesignLists::ClearGroupingClick()
{
    editGrouping(tr("Clear Grouping"), [](QString &open, QString &close) {
        open.clear();
        close.clear();
    });
}

void TQGDesignLists::MarkLinkRows(const QList<bool> &linkRows)
{
    const QString tip = tr("The condition of a join link: it holds for every row of the result, whatever the "
                           "other conditions say");
    for (int i = 0; i < m_conditions->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = m_conditions->topLevelItem(i);
        const bool link = linkRows.value(i);
        if (item->font(0).italic() == link && (item->toolTip(0) == tip) == link)
            continue;
        for (int c = 0; c < m_conditions->columnCount(); ++c) {
            QFont font = item->font(c);
            font.setItalic(link);
            item->setFont(c, font);
            item->setToolTip(c, link ? tip : QString());
        }
    }
}

// --- Selection ---------------------------------------------------------------------------

int TQGDesignLists::SelectedRow(const QTreeWidget *list)
{
    const QList<QTreeWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->indexOfTopLevelItem(selected.first());
}

void TQGDesignLists::SelectRow(QTreeWidget *list, int row)
{
    QTreeWidgetItem *item = list->topLevelItem(row);
    if (!item)
        return;
    list->clearSelection();
    list->setCurrentItem(item);
    item->setSelected(true);
}

// --- Row creation ------------------------------------------------------------------------

void TQGDesignLists::AddConditionRow(const QString &field, const QString &comparison, const QString &value)
{
    AddRow(m_conditions, {field, comparison, value, QString(AndWord)});
}

void TQGDesignLists::AddRow(QTreeWidget *list, const QStringList &columns)
{
    editRows(list, tr("Add Row"), [&](QList<QStringList> &rows) { rows << ListRow(columns, list->columnCount()); });
}

void TQGDesignLists::AddFieldConditionRow(const QString &fieldReference)
{
    addAndEdit(m_conditions, tr("Add Condition"), {fieldReference, QString(NewRowComparison), QString(), QString(AndWord)});
}

void TQGDesignLists::New2Click()
{
    if (!m_form->CurrentTable())
        return;
    addAndEdit(m_conditions, tr("Add Condition"), {QString(), QString(NewRowComparison), QString(), QString(AndWord)});
}

void TQGDesignLists::AddValueRow(const QString &fieldName)
{
    addAndEdit(m_values, tr("Set Field Value"), {fieldName, QString()});
}

void TQGDesignLists::addAndEdit(QTreeWidget *list, const QString &text, const QStringList &row)
{
    // The new row and its dialog's answer are one step; a cancelled dialog leaves the row.
    QUndoStack *stack = m_form->UndoStack();
    stack->beginMacro(text);
    editRows(list, text, [&](QList<QStringList> &rows) { rows << row; });
    SelectRow(list, list->topLevelItemCount() - 1);
    if (list == m_conditions)
        ListView2DblClick();
    else
        ListView5DblClick();
    stack->endMacro();
}

void TQGDesignLists::AddSortRow(const QString &fieldReference, bool ascending)
{
    editRows(m_sorting, tr("Sort by Field"),
             [&](QList<QStringList> &rows) { rows << QStringList{fieldReference, SortWord(ascending)}; });
    SelectRow(m_sorting, m_sorting->topLevelItemCount() - 1);
}

void TQGDesignLists::FillParameters(const QStringList &fieldNames)
{
    editRows(m_values, tr("Parameter Fill"), [&](QList<QStringList> &rows) {
        rows.clear();
        for (const QString &field : fieldNames)
            rows << QStringList{field, u':' + ParameterName(field)};
    });
}

// --- Row editing -------------------------------------------------------------------------

void TQGDesignLists::ListView2DblClick()
{
    const int row = SelectedRow(m_conditions);
    if (row < 0)
        return;
    QTreeWidgetItem *item = m_conditions->topLevelItem(row);
    QStringList masterFields;
    TDataSource *master = m_form->MasterDataSource();
    if (master && master->DataSet() && master->DataSet()->IsActive()) {
        for (const TFieldInfo &field : master->DataSet()->Fields())
            masterFields << field.name;
    }
    TQGComparisonForm dialog(m_form);
    dialog.SetDesigner(m_form->CanvasTables(), m_form->Style(), masterFields, master != nullptr);
    dialog.SetRow(item->text(0), item->text(1), item->text(2));
    dialog.Prepare();
    if (ExecDialog(&dialog) != QDialog::Accepted)
        return;
    const QString comparison = dialog.OperatorText();
    // A null test has no right-hand side.
    const bool nullTest = IsNullComparison(comparison);
    const QString field = dialog.FieldText();
    const QString value = nullTest ? QString() : dialog.ValueText();
    editRows(m_conditions, tr("Edit Condition"), [&](QList<QStringList> &rows) {
        if (row >= rows.size())
            return;
        rows[row][0] = field;
        rows[row][1] = comparison;
        rows[row][2] = value;
    });
}

void TQGDesignLists::ListView5DblClick()
{
    const int row = SelectedRow(m_values);
    if (row < 0)
        return;
    QTreeWidgetItem *item = m_values->topLevelItem(row);
    TQGValueForm dialog(m_form);
    dialog.SetRow(item->text(0), item->text(1));
    if (ExecDialog(&dialog) != QDialog::Accepted)
        return;
    const QString field = dialog.FieldText();
    const QString value = dialog.ValueText();
    editRows(m_values, tr("Edit Value"), [&](QList<QStringList> &rows) {
        if (row < rows.size())
            rows[row] = QStringList{field, value};
    });
}

void TQGDesignLists::ListView3DblClick()
{
    const int row = SelectedRow(m_sorting);
    if (row < 0)
        return;
    QTreeWidgetItem *item = m_sorting->topLevelItem(row);
    TQGSortForm dialog(m_form);
    dialog.SetDesigner(m_form->CanvasTables(), m_form->Style());
    dialog.FillTableList();
    dialog.SetAscendingColumn(item->text(1));
    if (ExecDialog(&dialog) != QDialog::Accepted || !dialog.HasFieldChosen())
        return;
    const QString field = dialog.FieldReference();
    const QString ascending = dialog.AscendingText();
    editRows(m_sorting, tr("Edit Sorting"), [&](QList<QStringList> &rows) {
        if (row < rows.size())
            rows[row] = QStringList{field, ascending};
    });
}

// --- Order and removal -------------------------------------------------------------------

void TQGDesignLists::MoveItemUp(QTreeWidget *list)
{
    const int row = SelectedRow(list);
    if (row <= 0)
        return;
    editRows(list, tr("Move Up"), [&](QList<QStringList> &rows) { rows.swapItemsAt(row, row - 1); });
    SelectRow(list, row - 1);
}

void TQGDesignLists::MoveItemDown(QTreeWidget *list)
{
    const int row = SelectedRow(list);
    if (row < 0 || row >= list->topLevelItemCount() - 1)
        return;
    editRows(list, tr("Move Down"), [&](QList<QStringList> &rows) { rows.swapItemsAt(row, row + 1); });
    SelectRow(list, row + 1);
}

void TQGDesignLists::RemoveItem(QTreeWidget *list)
{
    const int row = SelectedRow(list);
    if (row < 0)
        return;
    editRows(list, tr("Remove Row"), [&](QList<QStringList> &rows) { rows.removeAt(row); });
    const int count = list->topLevelItemCount();
    if (count > 0)
        SelectRow(list, row < count ? row : row - 1);
}

// --- Operators and directions ------------------------------------------------------------

void TQGDesignLists::ChangeBooleanOperator(int tag)
{
    const int row = SelectedRow(m_conditions);
    if (row < 0 || m_settingOperator)
        return;
    m_settingOperator = true;
    editRows(m_conditions, tr("Condition Operator"),
             [&](QList<QStringList> &rows) {
                 if (row < rows.size())
                     rows[row][3] = BooleanOperatorWord(tag != 0);
             });
    m_settingOperator = false;
}

void TQGDesignLists::ListView2Change()
{
    if (m_settingOperator)
        return;
    const int row = SelectedRow(m_conditions);
    const bool selected = row >= 0;
    m_radio[0]->setEnabled(selected);
    m_radio[1]->setEnabled(selected);
    for (QToolButton *button : std::as_const(m_conditionButtons))
        button->setEnabled(selected);
    if (!selected)
        return;
    const bool isAnd = m_conditions->topLevelItem(row)->text(3) == AndWord;
    // Choosing the button counts as the user's choice: the row takes its operator.
    m_radio[isAnd ? 0 : 1]->setChecked(true);
}

void TQGDesignLists::RadioButton3Click(int tag)
{
    const int row = SelectedRow(m_sorting);
    if (row < 0)
        return;
    // The stored word, whatever the radio button's caption says.
    editRows(m_sorting, tr("Sort Direction"), [&](QList<QStringList> &rows) {
        if (row < rows.size())
            rows[row][1] = SortWord(tag == 0);
    });
}

void TQGDesignLists::ListView3Change()
{
    const bool selected = SelectedRow(m_sorting) >= 0;
    m_radio[2]->setEnabled(selected);
    m_radio[3]->setEnabled(selected);
}
