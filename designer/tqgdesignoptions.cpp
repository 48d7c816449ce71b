#include "tqgdesignoptions.h"

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
    showState();
}

void TQGDesignOptions::showState()
{
    if (m_totalsAction)
        m_totalsAction->setChecked(m_totals);
    if (m_totalsButton)
        m_totalsButton->setChecked(m_totals);
    if (m_distinctAction)
        m_distinctAction->setChecked(m_distinct);
}

void TQGDesignOptions::SetTotals(bool on)
{
    m_totals = on;
    for (TQGCheckListBox *w : m_form->ScrollBox1()->TableWindows())
        w->SetTotalsShown(on);
    showState();
    m_form->GenerateSQL();
}

void TQGDesignOptions::SetDistinct(bool on)
{
    m_distinct = on;
    showState();
    m_form->GenerateSQL();
}

void TQGDesignOptions::SetLimit(int limit)
{
    m_limit = qMax(0, limit);
    m_form->GenerateSQL();
}

void TQGDesignOptions::RowLimitClick()
{
    QInputDialog dialog(m_form);
    dialog.setObjectName(QStringLiteral("RowLimitDialog"));
    dialog.setWindowTitle(tr("Row Limit"));
    dialog.setLabelText(tr("Return at most this many rows (0: all rows):"));
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(0, 2147483647);
    dialog.setIntValue(m_limit);
    if (dialog.exec() == QDialog::Accepted)
        SetLimit(dialog.intValue());
}

void TQGDesignOptions::Reset(bool totals, bool distinct, int limit)
{
    m_totals = totals;
    m_distinct = distinct;
    m_limit = qMax(0, limit);
    for (TQGCheckListBox *w : m_form->ScrollBox1()->TableWindows())
        w->SetTotalsShown(totals);
    showState();
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
    link->SetJoinType(type);
    m_form->GenerateSQL();
}
