// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgcanvascommands.h"

#include <QCoreApplication>
#include <algorithm>
#include <limits>

#include "designwords.h"
#include "foreignkey.h"
#include "querydocument.h"
#include "messages.h"
#include "naming.h"
#include "tqgcanvashost.h"
#include "tqgchecklistbox.h"
#include "tqgdatalink.h"
#include "tqgscrollbox.h"

#include <QAbstractItemView>
#include <QAction>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSet>


namespace {
constexpr int PlacementStep = 145;
} // namespace

TQGCanvasCommands::TQGCanvasCommands(TQGCanvasHost *host, QObject *parent)
    : QObject(parent), m_host(host)
{
    buildPopup();
}

void TQGCanvasCommands::buildPopup()
{
    m_popup = m_host->PopupMenu1();
    auto add = [this](const char *name, const QString &caption) {
        QAction *a = m_popup->addAction(caption);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    connect(add("SelectAllFields1", tr("Select All Fields")), &QAction::triggered, this,
            &TQGCanvasCommands::SelectAllFields1Click);
    connect(add("HideAllFields1", tr("Hide All Fields")), &QAction::triggered, this,
            &TQGCanvasCommands::HideAllFields1Click);
    m_popup->addSeparator();
    connect(add("RemoveTable1", tr("Remove Table")), &QAction::triggered, this,
            &TQGCanvasCommands::RemoveTable1Click);
    connect(add("AddFieldCondition1", tr("Add Field Condition")), &QAction::triggered, this,
            &TQGCanvasCommands::AddFieldCondition1Click);
    connect(add("SetFieldValue1", tr("Set Field Value")), &QAction::triggered, this,
            &TQGCanvasCommands::SetFieldValue1Click);
    connect(add("ParameterFill1", tr("Parameter Fill")), &QAction::triggered, this,
            &TQGCanvasCommands::ParameterFill1Click);
    QMenu *sort = m_popup->addMenu(tr("Sort by this Field"));
    sort->setObjectName(QStringLiteral("SortbythisField1"));
    sort->menuAction()->setObjectName(QStringLiteral("SortbythisField1"));
    QAction *ascending = sort->addAction(tr("Ascending"));
    ascending->setObjectName(QStringLiteral("Ascending1"));
    ascending->setProperty("tag", 0);
    QAction *descending = sort->addAction(tr("Descending"));
    descending->setObjectName(QStringLiteral("Descending1"));
    descending->setProperty("tag", 1);
    connect(ascending, &QAction::triggered, this, [this] { Ascending1Click(0); });
    connect(descending, &QAction::triggered, this, [this] { Ascending1Click(1); });
    // Beyond the classic items: the window's own alias.
    m_popup->addSeparator();
    connect(add("RenameAlias1", tr("Rename Alias...")), &QAction::triggered, this,
            &TQGCanvasCommands::RenameAlias1Click);
    connect(add("AddRelatedTables1", tr("Add Related Tables")), &QAction::triggered, this,
            &TQGCanvasCommands::AddRelatedTables1Click);
    connect(m_popup, &QMenu::aboutToShow, this, &TQGCanvasCommands::PopupMenu1Popup);
}

QAction *TQGCanvasCommands::PopupItem(const char *name) const
{
    for (QAction *a : m_popup->actions()) {
        if (a->objectName() == QLatin1String(name))
            return a;
    }
    return nullptr;
}

void TQGCanvasCommands::ConnectCanvas(TQGScrollBox *box)
{
    box->OnDragOver = [this](QDragMoveEvent *event) { return ScrollBox1DragOver(event); };
    box->OnDragDrop = [this](QDropEvent *event, const QPoint &pos) { ScrollBox1DragDrop(event, pos); };
}

void TQGCanvasCommands::InstallListDropTarget(QAbstractItemView *list, ListKind kind)
{
    list->setAcceptDrops(true);
    list->viewport()->setAcceptDrops(true);
    list->viewport()->setProperty("vdqListKind", int(kind));
    list->viewport()->installEventFilter(this);
}

// --- Showing the design -----------------------------------------------------------------

int TQGCanvasCommands::DesignId(const QObject *view)
{
    return view ? view->property("designId").toInt() : 0;
}

TQGCheckListBox *TQGCanvasCommands::Window(int id) const
{
    TQGCheckListBox *w = m_windows.value(id);
    return w && w->parentWidget() == m_host->ScrollBox1()->Content() ? w : nullptr;
}

TQGDataLink *TQGCanvasCommands::Link(int id) const
{
    TQGDataLink *l = m_links.value(id);
    return l && l->parentWidget() == m_host->ScrollBox1()->Content() ? l : nullptr;
}

void TQGCanvasCommands::ForgetWindows()
{
    m_windows.clear();
    m_links.clear();
}

TQGCheckListBox *TQGCanvasCommands::newWindow(int id)
{
    auto *window = new TQGCheckListBox(m_host->ScrollBox1()->Content());
    window->hide();
    window->setProperty("designId", id);
    window->SetPopupMenu(m_popup);
    window->SetHandlers(this);
    m_windows.insert(id, window);
    return window;
}

TQGDataLink *TQGCanvasCommands::newLink(int id, TQGCheckListBox *from, TQGCheckListBox *to)
{
    auto *link = new TQGDataLink(m_host->ScrollBox1()->Content());
    link->hide();
    link->setProperty("designId", id);
    link->SetField1ListBox(from);
    link->SetField2ListBox(to);
    TQGCanvasHost *host = m_host;
    connect(link, &TQGDataLink::PopupRequested, link,
            [host, link](const QPoint &globalPos) { host->ShowLinkPopup(link, globalPos); });
    connect(link, &TQGDataLink::PropertiesRequested, link, [host, link] { host->EditJoinProperties(link); });
    // Beneath every table window, after the links drawn before it.
    const QList<TQGCheckListBox *> windows = m_host->ScrollBox1()->TableWindows();
    if (!windows.isEmpty())
        link->stackUnder(windows.first());
    m_links.insert(id, link);
    return link;
}

namespace {

// The views of ids the design no longer holds leave it: kept out of sight under the holder,
// as a removed window always was, and forgotten.
template <typename View, typename Leaving>
void retire(QHash<int, QPointer<View>> &views, const QSet<int> &kept, QWidget *content, QWidget *holder,
            Leaving leaving)
{
    for (auto it = views.begin(); it != views.end();) {
        if (kept.contains(it.key()) && it.value()) {
            ++it;
            continue;
        }
        if (View *v = it.value(); v && v->parentWidget() == content) {
            leaving(v);
            v->setParent(holder);
        }
        it = views.erase(it);
    }
}

} // namespace

void TQGCanvasCommands::ShowDesign(const DesignState &design)
{
    QWidget *content = m_host->ScrollBox1()->Content();
    QSet<int> shown, moved;
    for (const DocumentTable &t : design.tables) {
        shown.insert(t.id);
        TQGCheckListBox *w = Window(t.id);
        const bool created = !w;
        if (created)
            w = newWindow(t.id);
        if (w->Alias() != t.alias)
            w->SetAlias(t.alias);
        if (w->Caption() != t.caption)
            w->SetCaption(t.caption);
        // A window of a query says so, with the query's text.
        const QString tip = t.source == TableSource::Derived ? tr("A query in FROM, kept as written:\n%1").arg(t.query)
                            : t.source == TableSource::With ? tr("A query of the WITH clause: %1").arg(design.with)
                                                            : QString();
        if (w->toolTip() != tip)
            w->setToolTip(tip);
        if (w->TotalsShown() != design.totals)
            w->SetTotalsShown(design.totals);
        if (w->Fields() != t.fields)
            w->SetFields(t.fields, false);
        for (int i = 0; i < t.ticks.size(); ++i) {
            if (w->Checked(i) != t.ticks.at(i))
                w->SetChecked(i, t.ticks.at(i));
        }
        if (w->ChosenTotals() != t.totals) {
            for (int i = 0; i < t.totals.size(); ++i)
                w->SetTotal(i, t.totals.at(i));
        }
        if (w->geometry() != t.geometry) {
            w->setGeometry(t.geometry);
            moved.insert(t.id);
        }
        if (created) {
            w->show();
            w->raise();
            // A table just placed is the one the table commands act on.
            m_host->SetCurrentTable(w);
        }
    }
    retire(m_windows, shown, content, m_host->Panel4(), [this](TQGCheckListBox *w) {
        if (m_host->CurrentTable() == w)
            m_host->SetCurrentTable(nullptr);
    });
    QSet<int> linked;
    for (const DocumentLink &l : design.links) {
        TQGCheckListBox *from = Window(l.from);
        TQGCheckListBox *to = Window(l.to);
        if (!from || !to)
            continue;
        linked.insert(l.id);
        TQGDataLink *link = Link(l.id);
        const bool created = !link || link->Field1ListBox() != from || link->Field2ListBox() != to;
        if (created) {
            if (link)
                link->setParent(m_host->Panel4());
            link = newLink(l.id, from, to);
        }
        if (link->Hint() != l.hint)
            link->SetHint(l.hint);
        if (link->OverText() != l.overText)
            link->SetOverText(l.overText);
        // A new join type places the link again itself; a hidden window that moved tells its
        // links only once it is shown, so they follow it here.
        if (link->GetJoinType() != l.joinType)
            link->SetJoinType(l.joinType);
        if (created || moved.contains(l.from) || moved.contains(l.to))
            TQGDataLink::UpdateLinkBounds(link);
        if (created)
            link->setVisible(design.queryType == QueryType::Select);
    }
    retire(m_links, linked, content, m_host->Panel4(), [](TQGDataLink *) {});
}

QRect TQGCanvasCommands::WidenedForTotals(const QRect &geometry, const QStringList &fields)
{
    if (!m_measure) {
        m_measure = new TQGCheckListBox(m_host->Panel4());
        m_measure->hide();
    }
    QRect g = geometry;
    g.setWidth(qMax(g.width(), m_measure->WidthForTotals(fields)));
    return g;
}

TQGCheckListBox *TQGCanvasCommands::CreateTableWindow(const QString &tableName, const QRect &geometry, bool ticked)
{
    const QStringList fields = m_host->TableFields(tableName);
    const int id = m_host->Design().nextId;
    m_host->EditDesign(tr("Place Table"), [&](DesignState &d) {
        d.addTable(tableName, fields, ticked, d.totals ? WidenedForTotals(geometry, fields) : geometry);
    });
    return Window(id);
}

TQGDataLink *TQGCanvasCommands::CreateLink(TQGCheckListBox *from, TQGCheckListBox *to, const QString &hint)
{
    const int id = m_host->Design().nextId;
    m_host->EditDesign(tr("Draw Link"), [&](DesignState &d) { d.addLink(DesignId(from), DesignId(to), hint); });
    return Link(id);
}

TQGCheckListBox *TQGCanvasCommands::FindTableWindow(const QString &name, const QString &alias) const
{
    const DocumentTable *t = m_host->Design().findTable(name, alias);
    return t ? Window(t->id) : nullptr;
}

bool TQGCanvasCommands::editTable(TQGCheckListBox *window, const QString &text,
                                  const std::function<void(DocumentTable &)> &edit)
{
    const int id = DesignId(window);
    return m_host->EditDesign(text, [&](DesignState &d) {
        if (DocumentTable *t = d.table(id))
            edit(*t);
    });
}

void TQGCanvasCommands::SetFieldTicked(TQGCheckListBox *window, int row, bool ticked)
{
    const int id = DesignId(window);
    const IdentifierStyle style = m_host->Style();
    m_host->EditDesign(ticked ? tr("Tick Field") : tr("Untick Field"),
                       [&](DesignState &d) { d.tickField(id, row, ticked, style); });
}

void TQGCanvasCommands::SetFieldTotal(TQGCheckListBox *window, int row, TotalKind kind)
{
    editTable(window, tr("Total"), [&](DocumentTable &t) {
        if (row >= 0 && row < t.totals.size())
            t.totals[row] = kind;
    });
}

// --- Placement --------------------------------------------------------------------------

namespace {
bool carriesTables(const QDropEvent *event)
{
    return event->mimeData() && event->mimeData()->hasFormat(QLatin1String(TQGScrollBox::TablesMime));
}
} // namespace

bool TQGCanvasCommands::ScrollBox1DragOver(QDragMoveEvent *event) const
{
    return carriesTables(event);
}

void TQGCanvasCommands::ScrollBox1DragDrop(QDropEvent *event, const QPoint &pos)
{
    if (!carriesTables(event))
        return;
    InsertTables(m_host->SelectedTableNames(), pos);
}

void TQGCanvasCommands::placeTables(const QStringList &names, const std::function<QRect(int)> &geometry, bool joinByKeys,
                                    const QString &text)
{
    QList<QStringList> fields;
    QString failure;
    for (const QString &name : names) {
        try {
            fields << m_host->TableFields(name);
        } catch (const VdqError &e) {
            failure = e.message();
            break;
        }
    }
    // The keys may ask which to join by; the design changes once, after the answers.
    DesignState next = m_host->Design();
    QList<int> ids;
    for (int k = 0; k < fields.size(); ++k) {
        const QRect g = geometry(k);
        ids << next.addTable(names.at(k), fields.at(k), true, next.totals ? WidenedForTotals(g, fields.at(k)) : g).id;
    }
    if (joinByKeys)
        joinByForeignKeys(next, ids);
    m_host->EditDesign(!text.isEmpty() ? text : names.size() == 1 ? tr("Place Table") : tr("Place Tables"),
                       [&](DesignState &d) { d = next; });
    if (!failure.isEmpty()) {
        // No window is left current that the user did not see placed.
        m_host->SetCurrentTable(nullptr);
        VdqMessages::Error(m_host->HostWindow(), failure);
    }
}

void TQGCanvasCommands::joinByForeignKeys(DesignState &design, const QList<int> &ids)
{
    const IdentifierStyle style = m_host->Style();
    QHash<QString, QList<ForeignKey>> keysOf;
    for (const int id : ids) {
        const QString caption = design.table(id)->caption;
        if (!keysOf.contains(caption)) {
            // A catalogue the user may not read joins nothing; the table is placed all the same.
            try {
                keysOf.insert(caption, m_host->ForeignKeys(caption));
            } catch (const VdqError &) {
                keysOf.insert(caption, {});
            }
        }
        for (const KeyJoinChoice &choice : KeyJoinChoices(design, id, keysOf.value(caption))) {
            int chosen = 0;
            if (choice.keys.size() > 1)
                chosen = m_host->ChooseForeignKey(caption, design.table(choice.other)->caption, choice.keys);
            if (chosen >= 0 && chosen < choice.keys.size())
                AddKeyJoin(design, id, choice.other, choice.keys.at(chosen), style);
        }
    }
}

void TQGCanvasCommands::InsertTables(const QStringList &names, const QPoint &dropPos)
{
    if (names.isEmpty())
        return;
    if (!m_host->CanAddTable()) {
        VdqMessages::Information(m_host->HostWindow(), tr("Information"),
                                 QCoreApplication::translate("TQGCanvasHost", TQGCanvasHost::SingleTableMessage));
        return;
    }
    placeTables(names, [&](int k) {
        return QRect(dropPos.x() + PlacementStep * k, dropPos.y(), TQGCheckListBox::DefaultWidth,
                     TQGCheckListBox::DefaultHeight);
    }, m_host->JoinsByForeignKeys());
}

QPoint TQGCanvasCommands::PlacementPosition(int index) const
{
    constexpr int left = 50, top = 40, rowStep = TQGCheckListBox::DefaultHeight + 20;
    const TQGScrollBox *box = m_host->ScrollBox1();
    // A canvas not yet shown has no width of its own to wrap at.
    int perRow = std::numeric_limits<int>::max();
    if (box && box->isVisible())
        perRow = std::max(1, (box->viewport()->width() - left - TQGCheckListBox::DefaultWidth) / PlacementStep + 1);
    return QPoint(left + PlacementStep * (index % perRow), top + rowStep * (index / perRow));
}

void TQGCanvasCommands::ListView1DblClick()
{
    const QStringList names = m_host->SelectedTableNames();
    if (names.isEmpty() || !m_host->CanAddTable())
        return;
    const int placed = m_host->PlacedTableCount();
    int count = 0;
    placeTables(names, [&](int k) {
        count = k + 1;
        return QRect(PlacementPosition(placed + k), QSize(TQGCheckListBox::DefaultWidth, TQGCheckListBox::DefaultHeight));
    }, m_host->JoinsByForeignKeys());
    m_host->SetPlacedTableCount(placed + count);
}

// --- The table popup --------------------------------------------------------------------

void TQGCanvasCommands::PopupMenu1Popup()
{
    const bool conditions = m_host->PageShown(TQGCanvasHost::Page::Conditions);
    const bool values = m_host->PageShown(TQGCanvasHost::Page::Values);
    const bool sorting = m_host->PageShown(TQGCanvasHost::Page::Sorting);
    PopupItem("AddFieldCondition1")->setVisible(conditions);
    PopupItem("SetFieldValue1")->setVisible(values);
    PopupItem("ParameterFill1")->setVisible(values);
    PopupItem("SortbythisField1")->setVisible(sorting);
    // An INSERT names its table without an alias.
    PopupItem("RenameAlias1")->setVisible(conditions);
    // Only a Select design holds more than one table.
    PopupItem("AddRelatedTables1")->setVisible(m_host->CanAddTable());
}

void TQGCanvasCommands::SelectAllFields1Click()
{
    if (TQGCheckListBox *table = m_host->CurrentTable())
        editTable(table, tr("Select All Fields"), [](DocumentTable &t) { t.ticks.fill(true); });
}

void TQGCanvasCommands::HideAllFields1Click()
{
    if (TQGCheckListBox *table = m_host->CurrentTable())
        editTable(table, tr("Hide All Fields"), [](DocumentTable &t) { t.ticks.fill(false); });
}

void TQGCanvasCommands::AddRelatedTables1Click()
{
    TQGCheckListBox *table = m_host->CurrentTable();
    if (!table || !m_host->CanAddTable())
        return;
    const DocumentTable *placed = m_host->Design().table(DesignId(table));
    if (!placed || placed->source != TableSource::Table)
        return;
    QList<ForeignKey> keys;
    try {
        keys = m_host->ForeignKeys(placed->caption);
    } catch (const VdqError &e) {
        VdqMessages::Error(m_host->HostWindow(), e.message());
        return;
    }
    QStringList names;
    for (const ForeignKey &key : std::as_const(keys)) {
        if (key.table == placed->caption && !key.selfReferencing() && !names.contains(key.referencedTable)
            && !m_host->Design().findTable(key.referencedTable))
            names << key.referencedTable;
    }
    // In name order, whatever order the catalogue gives the keys in.
    names.sort(Qt::CaseInsensitive);
    if (names.isEmpty()) {
        VdqMessages::Information(m_host->HostWindow(), tr("Add Related Tables"),
                                 tr("%1 references no table that is not on the canvas yet.").arg(placed->caption));
        return;
    }
    // Where the next double clicks would put them, so that they cover no window placed so.
    const int count = m_host->PlacedTableCount();
    placeTables(names, [&](int k) {
        return QRect(PlacementPosition(count + k), QSize(TQGCheckListBox::DefaultWidth, TQGCheckListBox::DefaultHeight));
    }, true, tr("Add Related Tables"));
    m_host->SetPlacedTableCount(count + int(names.size()));
}

void TQGCanvasCommands::RemoveTable1Click()
{
    if (TQGCheckListBox *table = m_host->CurrentTable())
        RemoveTableWindow(table);
}

void TQGCanvasCommands::RemoveTableWindow(TQGCheckListBox *window)
{
    if (!window || window->parentWidget() != m_host->ScrollBox1()->Content())
        return;
    const int id = DesignId(window);
    m_host->EditDesign(tr("Remove Table"), [id](DesignState &d) { d.removeTable(id); });
}

QString TQGCanvasCommands::currentFieldReference() const
{
    const TQGCheckListBox *table = m_host->CurrentTable();
    if (!table || table->ItemIndex() < 0)
        return QString();
    return AliasFieldReference(table->Alias(), table->item(table->ItemIndex())->text(), m_host->Style());
}

void TQGCanvasCommands::AddFieldCondition1Click()
{
    const TQGCheckListBox *table = m_host->CurrentTable();
    if (!table || table->ItemIndex() < 0)
        return;
    m_host->AddFieldCondition(currentFieldReference());
}

void TQGCanvasCommands::SetFieldValue1Click()
{
    const TQGCheckListBox *table = m_host->CurrentTable();
    if (!table || table->ItemIndex() < 0)
        return;
    m_host->SetFieldValue(table->item(table->ItemIndex())->text());
}

void TQGCanvasCommands::Ascending1Click(int tag)
{
    const TQGCheckListBox *table = m_host->CurrentTable();
    if (!table || table->ItemIndex() < 0)
        return;
    m_host->AddSortRow(currentFieldReference(), tag <= 0);
}

void TQGCanvasCommands::ParameterFill1Click()
{
    m_host->ParameterFill();
}

void TQGCanvasCommands::RenameAlias1Click()
{
    TQGCheckListBox *table = m_host->CurrentTable();
    if (!table)
        return;
    const QPointer<TQGCheckListBox> guarded(table);
    bool ok = false;
    const QString alias = QInputDialog::getText(m_host->HostWindow(), tr("Rename Alias"),
                                                tr("Alias of %1:").arg(table->Caption()), QLineEdit::Normal,
                                                table->Alias(), &ok).trimmed();
    if (!ok || !guarded)
        return;
    const QString why = RenameAlias(guarded, alias);
    if (!why.isEmpty())
        VdqMessages::Warning(m_host->HostWindow(), tr("Rename Alias"), why);
}

QString TQGCanvasCommands::RenameAlias(TQGCheckListBox *window, const QString &alias)
{
    const int id = DesignId(window);
    QString why;
    const IdentifierStyle style = m_host->Style();
    m_host->EditDesign(tr("Rename Alias"), [&](DesignState &d) { why = d.renameAlias(id, alias, style); });
    return why;
}

// --- Handlers of the table windows ------------------------------------------------------

void TQGCanvasCommands::TableStartDrag(TQGCheckListBox *window, const QPoint &pressPos)
{
    m_joinSourceTable = window;
    m_joinSourceIndex = window->RowAt(pressPos);
    if (m_joinSourceIndex == -1)
        return;
    m_joinSourceField = AliasFieldReference(window->Alias(), window->item(m_joinSourceIndex)->text(),
                                            m_host->Style());
}

TQGCheckListBox *TQGCanvasCommands::dragSource(const QDropEvent *event) const
{
    // The drag began in the window that started the last drag; its id in the data says so.
    const QMimeData *mime = event->mimeData();
    if (!mime || !mime->hasFormat(QLatin1String(FieldMime)) || !m_joinSourceTable)
        return nullptr;
    return mime->data(QLatin1String(FieldMime)) == m_joinSourceTable->DragId() ? m_joinSourceTable.data() : nullptr;
}

bool TQGCanvasCommands::TableDragOver(TQGCheckListBox *target, QDragMoveEvent *event)
{
    TQGCheckListBox *source = dragSource(event);
    // A drag that began below the rows of its window carries no field to join with.
    return source && source != target && m_joinSourceIndex != -1;
}

void TQGCanvasCommands::TableDragDrop(TQGCheckListBox *target, QDropEvent *event)
{
    TQGCheckListBox *source = dragSource(event);
    if (!source || source == target || m_joinSourceIndex == -1)
        return;
    const int row = target->RowAtViewportPos(event->position().toPoint());
    if (row < 0)
        return;
    const QString targetName = AliasFieldReference(target->Alias(), target->item(row)->text(), m_host->Style());
    const QString sourceName = m_joinSourceField;
    const int from = DesignId(source), to = DesignId(target);
    m_host->EditDesign(tr("Draw Link"), [&](DesignState &d) { d.addFieldLink(from, to, sourceName, targetName); });
}

void TQGCanvasCommands::TableFieldListChanged(TQGCheckListBox *window)
{
    // The user's click changed the window; the design takes the change as one step, and
    // the window then shows the design again.
    const QList<bool> ticks = window->Ticks();
    const QList<TotalKind> totals = window->ChosenTotals();
    const DocumentTable *before = m_host->Design().table(DesignId(window));
    QString text = tr("Total");
    if (before && before->ticks != ticks) {
        const qsizetype changed = std::mismatch(ticks.cbegin(), ticks.cend(), before->ticks.cbegin(),
                                                before->ticks.cend()).first - ticks.cbegin();
        text = ticks.value(changed) ? tr("Tick Field") : tr("Untick Field");
    }
    const bool changed = editTable(window, text, [&](DocumentTable &t) {
        if (ticks.size() == t.ticks.size())
            t.ticks = ticks;
        if (totals.size() == t.totals.size())
            t.totals = totals;
    });
    // An edit that changed nothing leaves the window showing what the design holds.
    if (!changed)
        ShowDesign(m_host->Design());
}

void TQGCanvasCommands::TableEnter(TQGCheckListBox *window)
{
    m_host->SetCurrentTable(window);
}

void TQGCanvasCommands::TableExit(TQGCheckListBox *)
{
    m_host->SetCurrentTable(nullptr);
}

void TQGCanvasCommands::TableRemove(TQGCheckListBox *window)
{
    RemoveTableWindow(window);
}

void TQGCanvasCommands::TableGeometryChanged(TQGCheckListBox *window)
{
    const QRect g = window->geometry();
    const DocumentTable *t = m_host->Design().table(DesignId(window));
    const bool moved = t && t->geometry.size() == g.size();
    editTable(window, moved ? tr("Move Table") : tr("Size Table"), [&](DocumentTable &t) { t.geometry = g; });
}

void TQGCanvasCommands::TableMoved(TQGCheckListBox *window)
{
    TQGScrollBox *box = m_host->ScrollBox1();
    if (!box || window->parentWidget() != box->Content())
        return;
    for (TQGDataLink *link : box->Links()) {
        if (link->Field1ListBox() == window || link->Field2ListBox() == window)
            TQGDataLink::UpdateLinkBounds(link);
    }
}

// --- Field drops on the lists -----------------------------------------------------------

bool TQGCanvasCommands::ListView2DragOver(QDragMoveEvent *event) const
{
    return dragSource(event) != nullptr;
}

bool TQGCanvasCommands::eventFilter(QObject *watched, QEvent *event)
{
    const QVariant kind = watched->property("vdqListKind");
    if (!kind.isValid())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *e = static_cast<QDragMoveEvent *>(event);
        if (ListView2DragOver(e)) {
            e->setDropAction(Qt::LinkAction);
            e->accept();
        } else {
            e->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto *e = static_cast<QDropEvent *>(event);
        if (!dragSource(e))
            return true;
        e->setDropAction(Qt::LinkAction);
        e->accept();
        switch (ListKind(kind.toInt())) {
        case ListKind::Conditions: ListView2DragDrop(); break;
        case ListKind::Values: ListView5DragDrop(); break;
        case ListKind::Sorting: ListView3DragDrop(); break;
        }
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
