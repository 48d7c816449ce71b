// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "querymodel.h"

#include <QBrush>
#include <QPen>
#include <QPointer>
#include <QWidget>

class TQGCheckListBox;

// A join line on the design canvas between two table windows. It paints only its line
// (2 pixels, inactive caption colour, active caption colour while the pointer is inside its
// rectangle), shows the join text as tooltip, and destroys itself when either of its table
// windows is destroyed. It stays beneath the table windows so it never takes their clicks.
class TQGDataLink : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(QString OverText READ OverText WRITE SetOverText)
    Q_PROPERTY(bool IsNew READ IsNew WRITE SetIsNew)
public:
    enum Direction : unsigned char { Falling = 0, Rising = 1, Horizontal = 2, Vertical = 3 };

    explicit TQGDataLink(QWidget *parent = nullptr);

    TQGCheckListBox *Field1ListBox() const { return m_field1; }
    void SetField1ListBox(TQGCheckListBox *box);
    TQGCheckListBox *Field2ListBox() const { return m_field2; }
    void SetField2ListBox(TQGCheckListBox *box);

    // Which rows the join keeps; the line marks the kept side and the tooltip names it.
    JoinType GetJoinType() const { return m_joinType; }
    void SetJoinType(JoinType type);
    // The tooltip's words for a join type, naming the tables.
    static QString JoinTypeText(JoinType type, const QString &table1, const QString &table2);

    QString Hint() const { return m_hint; }
    void SetHint(const QString &hint);
    QString OverText() const { return m_overText; }
    void SetOverText(const QString &text) { m_overText = text; }
    bool IsNew() const { return m_isNew; }
    void SetIsNew(bool isNew) { m_isNew = isNew; }

    QPen Pen() const { return m_pen; }
    void SetPen(const QPen &pen);
    QBrush Brush() const { return m_brush; }
    void SetBrush(const QBrush &brush);
    void StyleChanged() { update(); }

    Direction LinkDirection() const { return m_direction; }
    bool MouseOver() const { return m_mouseOver; }

    // Position, size and direction from the two windows; nothing changes while either is
    // missing. Rectangles that would be 0 high or wide get the least extent that shows
    // the line.
    static void UpdateLinkBounds(TQGDataLink *link);

    // The two ends of the line in link coordinates, as painted.
    QLine LineGeometry() const;
    // True when the line's first end (LineGeometry().p1()) is at Field1ListBox.
    bool Field1AtLineStart() const;

Q_SIGNALS:
    // A right click or a double click on the link: the user asks for its join properties.
    void PopupRequested(const QPoint &globalPos);
    void PropertiesRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void watch(TQGCheckListBox *box);
    void updateToolTip();

    QPointer<TQGCheckListBox> m_field1;
    QPointer<TQGCheckListBox> m_field2;
    QString m_hint;
    QString m_overText;
    bool m_isNew = false;
    JoinType m_joinType = JoinType::Inner;
    QPen m_pen;
    QBrush m_brush;
    Direction m_direction = Falling;
    bool m_mouseOver = false;
};
