#pragma once

#include "querymodel.h"

#include <QObject>
#include <QPoint>

class QAction;
class QMenu;
class QToolButton;
class TQGDataLink;
class TQGQueryForm;

// The design's choices beyond tables, lists and query type: totals, DISTINCT, the row limit,
// and each link's join type. The state lives here; menu items and the tool button show it.
class TQGDesignOptions : public QObject
{
    Q_OBJECT
public:
    explicit TQGDesignOptions(TQGQueryForm *form);

    // The controls that show the state, given by the menus that build them.
    void SetControls(QAction *totals, QToolButton *totalsButton, QAction *distinct);

    bool Totals() const { return m_totals; }
    // Shows or hides the total choosers in every table window and regenerates.
    void SetTotals(bool on);
    bool Distinct() const { return m_distinct; }
    void SetDistinct(bool on);
    int Limit() const { return m_limit; }
    void SetLimit(int limit);
    // Asks for the limit (0: none).
    void RowLimitClick();
    // Back to a classic design without regenerating (New Query, a file being read).
    void Reset(bool totals, bool distinct, int limit);

    // The link's popup menu (PopupMenuLink) with "Join Properties...".
    QMenu *ShowLinkPopup(TQGDataLink *link, const QPoint &globalPos);
    // The join properties dialog for the link; OK changes its type and regenerates.
    void EditJoinProperties(TQGDataLink *link);
    void SetJoinType(TQGDataLink *link, JoinType type);

private:
    void showState();

    TQGQueryForm *m_form;
    bool m_totals = false;
    bool m_distinct = false;
    int m_limit = 0;
    QAction *m_totalsAction = nullptr;
    QToolButton *m_totalsButton = nullptr;
    QAction *m_distinctAction = nullptr;
};
