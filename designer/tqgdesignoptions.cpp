// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgdesignoptions.h"

#include "querydocument.h"
#include "tqgcanvascommands.h"
#include "tqgchecklistbox.h"
#include "tqgdatalink.h"
#include "tqgjoinform.h"
#include "tqgqueryform.h"
#include "tqgscrollbox.h"

#include <QAction>
#include <QInputDialog>
#include <QMenu>
#include <QToolButton>

TQGDesignOptions::TQGDesignOptions(TQGQueryForm *form)
    : QObject(form), m_form(form)
{
    setObjectName(QStringLiteral("DesignOptions"));
}

void TQGDesignOptions::SetControls(QAction *totals, QToolButton *totalsButton, QAction *distinct)
{
    m_totalsAction = totals;
    m_totalsButton = totalsButton;
    m_distinctAction = distinct;
    ShowDesign(m_form->Design());
}

void TQGDesignOptions::ShowDesign(const DesignState &design)
{
    if (m_totalsAction)
        m_totalsAction->setChecked(design.totals);
    if (m_totalsButton)
        m_totalsButton->setChecked(design.totals);
    if (m_distinctAction)
        m_distinctAction->setChecked(design.distinct);
}

bool TQGDesignOptions::Totals() const { return m_form->Design().totals; }
bool TQGDesignOptions::Distinct() const { return m_form->Design().distinct; }
int TQGDesignOptions::Limit() const { return m_form->Design().limit; }

void TQGDesignOptions::SetTotals(bool on)
{
    TQGCanvasCommands *canvas = m_form->Canvas();
    const bool changed = m_form->EditDesign(on ? tr("Totals On") : tr("Totals Off"), [&](DesignState &d) {
        d.totals = on;
        for (DocumentTable &t : d.tables) {
            if (on)
                t.geometry = canvas->WidenedForTotals(t.geometry, t.fields);
            else
                t.totals.fill(TotalKind::None);
        }
    });
    // The button or menu item toggled itself; it shows the design again.
    if (!changed)
        ShowDesign(m_form->Design());
}

void TQGDesignOptions::SetDistinct(bool on)
{
    if (!m_form->EditDesign(tr("Distinct Rows"), [on](DesignState &d) { d.distinct = on; }))
        ShowDesign(m_form->Design());
}

void TQGDesignOptions::SetLimit(int limit)
{
    m_form->EditDesign(tr("Row Limit"), [limit](DesignState &d) { d.limit = qMax(0, limit); });
}

void TQGDesignOptions::SetJoinByForeignKeys(bool on)
{
    m_joinByForeignKeys = on;
    if (m_joinByKeysAction)
        m_joinByKeysAction->setChecked(on);
}

void TQGDesignOptions::SetJoinByForeignKeysControl(QAction *action)
{
    m_joinByKeysAction = action;
    action->setCheckable(true);
    action->setChecked(m_joinByForeignKeys);
}

void TQGDesignOptions::RowLimitClick()
{
    QInputDialog dialog(m_form);
    dialog.setObjectName(QStringLiteral("RowLimitDialog"));
    dialog.setWindowTitle(tr("Row Limit"));
    dialog.setLabelText(tr("Return at most this many rows (0: all rows):"));
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(0, 2147483647);
    dialog.setIntValue(Limit());
    if (dialog.exec() == QDialog::Accepted)
        SetLimit(dialog.intValue());
}

QMenu *TQGDesignOptions::ShowLinkPopup(TQGDataLink *link, const QPoint &globalPos)
{
    auto *menu = new QMenu(m_form);
    menu->setObjectName(QStringLiteral("PopupMenuLink"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction *properties = menu->addAction(tr("Join Properties..."));
    properties->setObjectName(QStringLiteral("JoinProperties1"));
    QPointer<TQGDataLink> guarded(link);
    // Queued, so that the menu has closed before the dialog opens.
    connect(properties, &QAction::triggered, this, [this, guarded] {
        if (guarded)
            EditJoinProperties(guarded);
    }, Qt::QueuedConnection);
    menu->popup(globalPos);
    return menu;
}

void TQGDesignOptions::EditJoinProperties(TQGDataLink *link)
{
    if (!link || !link->Field1ListBox() || !link->Field2ListBox())
        return;
    TQGJoinForm dialog(link->Field1ListBox()->Caption(), link->Field2ListBox()->Caption(), link->GetJoinType(),
                       m_form);
    QPointer<TQGDataLink> guarded(link);
    if (dialog.exec() == QDialog::Accepted && guarded)
        SetJoinType(guarded, dialog.Choice());
}

void TQGDesignOptions::SetJoinType(TQGDataLink *link, JoinType type)
{
    const int id = TQGCanvasCommands::DesignId(link);
    m_form->EditDesign(tr("Join Type"), [&](DesignState &d) {
        for (DocumentLink &l : d.links) {
            if (l.id == id)
                l.joinType = type;
        }
    });
}
