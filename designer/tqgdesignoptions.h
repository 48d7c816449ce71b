// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "querymodel.h"

#include <QObject>
#include <QPoint>

class QAction;
class QMenu;
class QToolButton;
class TQGDataLink;
class TQGQueryForm;
struct DesignState;

// The design's choices beyond tables, lists and query type: totals, DISTINCT, the row limit,
// and each link's join type. The design holds them; menu items and the tool button show them.
class TQGDesignOptions : public QObject
{
    Q_OBJECT
public:
    explicit TQGDesignOptions(TQGQueryForm *form);

    // The controls that show the state, given by the menus that build them.
    void SetControls(QAction *totals, QToolButton *totalsButton, QAction *distinct);

    bool Totals() const;
    // Totals on or off, as one step; on, every table window shows its total choosers.
    void SetTotals(bool on);
    bool Distinct() const;
    void SetDistinct(bool on);
    int Limit() const;
    void SetLimit(int limit);
    // Whether placing a table joins it by its foreign keys to the tables placed before it:
    // a choice of the designer, not of the design (on by default).
    bool JoinByForeignKeys() const { return m_joinByForeignKeys; }
    void SetJoinByForeignKeys(bool on);
    void SetJoinByForeignKeysControl(QAction *action);
    // Asks for the limit (0: none).
    void RowLimitClick();
    // The menu items and the tool button show the design's choices.
    void ShowDesign(const DesignState &design);

    // The link's popup menu (PopupMenuLink) with "Join Properties...".
    QMenu *ShowLinkPopup(TQGDataLink *link, const QPoint &globalPos);
    // The join properties dialog for the link; OK changes its type and regenerates.
    void EditJoinProperties(TQGDataLink *link);
    void SetJoinType(TQGDataLink *link, JoinType type);

private:
    TQGQueryForm *m_form;
    QAction *m_totalsAction = nullptr;
    QToolButton *m_totalsButton = nullptr;
    QAction *m_distinctAction = nullptr;
    QAction *m_joinByKeysAction = nullptr;
    bool m_joinByForeignKeys = true;
};
