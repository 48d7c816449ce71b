#include "tqgcanvascommands.h"

#include <algorithm>
#include <limits>

#include "designwords.h"
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
#include <QMenu>
#include <QMimeData>


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

// --- Creating table windows -------------------------------------------------------------

TQGCheckListBox *TQGCanvasCommands::newWindow(const QString &tableName, const QRect &geometry,
                                              const QString &storedAlias)
{
    // Every window has an alias of its own, so that two tables whose names give the same
    // alias stay apart in the statement and in the lists.
    QStringList taken;
    for (const TQGCheckListBox *w : m_host->ScrollBox1()->TableWindows())
        taken << w->Alias();
    auto *window = new TQGCheckListBox(m_host->ScrollBox1()->Content());
    window->SetAlias(WindowAlias(tableName, storedAlias, taken));
    window->hide();
    window->setGeometry(geometry);
    window->SetPopupMenu(m_popup);
    window->SetHandlers(this);
    window->SetCaption(tableName);
    window->SetTotalsShown(m_host->TotalsShown());
    m_host->SetCurrentTable(window);
    return window;
}

TQGCheckListBox *TQGCanvasCommands::CreateTableWindow(const QString &tableName, const QRect &geometry,
                                                      bool ticked)
{
    TQGCheckListBox *window = newWindow(tableName, geometry, QString());
    try {
        window->SetFields(m_host->TableFields(tableName), ticked);
    } catch (const VdqError &) {
        // A window that cannot show its table would stay on the canvas unseen yet part of
        // the statement; it goes again and the error reaches the user.
        if (m_host->CurrentTable() == window)
            m_host->SetCurrentTable(nullptr);
        delete window;
        throw;
    }
    window->show();
    window->raise();
    return window;
}

TQGCheckListBox *TQGCanvasCommands::CreateStoredTableWindow(const QString &tableName, const QRect &geometry,
                                                            const QString &storedAlias)
{
    TQGCheckListBox *window = newWindow(tableName, geometry, storedAlias);
    try {
        LoadTableFields(window);
    } catch (const VdqError &) {
        window->show();
        throw;
    }
    window->show();
    window->raise();
    return window;
}

void TQGCanvasCommands::LoadTableFields(TQGCheckListBox *window)
{
    window->SetFields(m_host->TableFields(window->Caption()), false);
}

TQGDataLink *TQGCanvasCommands::CreateLink(TQGCheckListBox *from, TQGCheckListBox *to, const QString &hint)
{
    auto *link = new TQGDataLink(m_host->ScrollBox1()->Content());
    link->hide();
    link->SetHint(hint);
    link->SetField1ListBox(from);
    link->SetField2ListBox(to);
    TQGDataLink::UpdateLinkBounds(link);
    TQGCanvasHost *host = m_host;
    connect(link, &TQGDataLink::PopupRequested, link,
            [host, link](const QPoint &globalPos) { host->ShowLinkPopup(link, globalPos); });
    connect(link, &TQGDataLink::PropertiesRequested, link, [host, link] { host->EditJoinProperties(link); });
    // Beneath every table window, after the links drawn before it: the child order stays
    // the order the links were drawn in.
    const QList<TQGCheckListBox *> windows = m_host->ScrollBox1()->TableWindows();
    if (!windows.isEmpty())
        link->stackUnder(windows.first());
    link->show();
    return link;
}

TQGCheckListBox *TQGCanvasCommands::FindTableWindow(const QString &name, const QString &alias) const
{
    for (TQGCheckListBox *window : m_host->ScrollBox1()->TableWindows()) {
        if (window->Caption() == name && (alias.isEmpty() || window->Alias() == alias))
            return window;
    }
    return nullptr;
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

void TQGCanvasCommands::InsertTables(const QStringList &names, const QPoint &dropPos)
{
    if (names.isEmpty())
        return;
    if (!m_host->CanAddTable()) {
        VdqMessages::Information(m_host->HostWindow(), tr("Information"), tr(TQGCanvasHost::SingleTableMessage));
        return;
    }
    const bool done = VdqMessages::Guarded(m_host->HostWindow(), [&] {
        for (int k = 0; k < names.size(); ++k) {
            const QRect geometry(dropPos.x() + PlacementStep * k, dropPos.y(), TQGCheckListBox::DefaultWidth,
                                 TQGCheckListBox::DefaultHeight);
            CreateTableWindow(names.at(k), geometry, true);
        }
    });
    if (done)
        m_host->GenerateSQL();
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
    const bool done = VdqMessages::Guarded(m_host->HostWindow(), [&] {
        for (const QString &name : names) {
            const QRect geometry(PlacementPosition(m_host->PlacedTableCount()),
                                 QSize(TQGCheckListBox::DefaultWidth, TQGCheckListBox::DefaultHeight));
            CreateTableWindow(name, geometry, true);
            m_host->SetPlacedTableCount(m_host->PlacedTableCount() + 1);
        }
    });
    if (done)
        m_host->GenerateSQL();
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
}

void TQGCanvasCommands::SelectAllFields1Click()
{
    if (TQGCheckListBox *table = m_host->CurrentTable()) {
        table->SetAllChecked(true);
        m_host->GenerateSQL();
    }
}

void TQGCanvasCommands::HideAllFields1Click()
{
    if (TQGCheckListBox *table = m_host->CurrentTable()) {
        table->SetAllChecked(false);
        m_host->GenerateSQL();
    }
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
    if (m_host->CurrentTable() == window)
        m_host->SetCurrentTable(nullptr);
    window->setParent(m_host->Panel4());
    m_host->RemoveTableReferences(window);
    m_host->GenerateSQL();
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
    CreateLink(source, target, JoinText(m_joinSourceField, targetName));
    m_host->AddConditionRow(m_joinSourceField, NewRowComparison, targetName);
    m_host->GenerateSQL();
}

void TQGCanvasCommands::TableFieldListChanged(TQGCheckListBox *)
{
    m_host->GenerateSQL();
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
