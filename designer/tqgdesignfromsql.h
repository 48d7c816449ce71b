#pragma once

#include "querydefinition.h"

#include <QObject>

#include <optional>

class QAction;
class TQGQueryForm;

// "Design from SQL": the statement in the SQL editor replaces the design, as if the user had
// placed its tables by double click, ticked its fields, drawn its joins and filled the lists;
// "Undo Design from SQL" brings back the design it replaced. The editor's own Undo (Ctrl+Z)
// is not involved.
class TQGDesignFromSql : public QObject
{
    Q_OBJECT
public:
    explicit TQGDesignFromSql(TQGQueryForm *form);

    // The item that offers the undo: enabled exactly while there is a design to bring back.
    void SetUndoAction(QAction *action);

    // Reads the editor's statement. A statement no design can show leaves the design as it
    // was and shows a warning naming the part, its line and column. True when the design
    // was replaced.
    bool DesignfromSQL1Click();
    // Brings back the design the last "Design from SQL" replaced; nothing without one.
    bool UndoDesignfromSQL1Click();
    bool CanUndo() const { return m_replaced.has_value(); }

private:
    // placed: the windows were placed by the reader, in a row, not by the user.
    void apply(const QueryDefinition &definition, bool placed);

    TQGQueryForm *m_form;
    QAction *m_undoAction = nullptr;
    std::optional<QueryDefinition> m_replaced;
};
