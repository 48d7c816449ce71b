// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "querymodel.h"

#include <QListWidget>
#include <QPair>
#include <QMenu>
#include <QPointer>

class QMenu;
class TQGTableWindowHandlers;

// A table on the design canvas: a check list box of its fields with a small caption bar
// showing the table name and a sizing border, moved by the caption and sized by the border
// like a miniature tool window. Its geometry is the Left, Top, Width and Height of the design.
// The WCAG 2 contrast ratio of two colours (1 to 21).
double ContrastRatio(const QColor &a, const QColor &b);

class TQGCheckListBox : public QListWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString Alias READ Alias WRITE SetAlias)
public:
    // The data format of a drag from a table window (its DragId).
    static constexpr const char FieldMime[] = "application/x-vdq-field";
    static constexpr int BorderWidth = 3;
    static constexpr int CaptionHeight = 15;
    static constexpr int DefaultWidth = 121;
    static constexpr int DefaultHeight = 180;

    explicit TQGCheckListBox(QWidget *parent = nullptr);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);
    // The window's own alias in the statement; the caption bar names it where it is not the
    // table's classic alias (a second table with the same alias).
    QString Alias() const { return m_alias; }
    void SetAlias(const QString &alias);
    // The caption bar's text: the caption, and the alias where the bar names it.
    QString CaptionText() const;
    // The caption bar's background and text colours, for the window with the focus or not.
    static QPair<QColor, QColor> CaptionColors(const QPalette &palette, bool active);

    void SetHandlers(TQGTableWindowHandlers *handlers) { m_handlers = handlers; }
    void SetPopupMenu(QMenu *menu) { m_popup = menu; }
    QMenu *PopupMenu() const { return m_popup; }

    // Rows: field names with ticks. Setting ticks by program raises no tick-change event.
    void SetFields(const QStringList &fields, bool checked);
    QStringList Fields() const;
    QList<bool> Ticks() const;
    bool Checked(int row) const;
    void SetChecked(int row, bool checked);
    int ItemIndex() const { return currentRow(); }
    // Totals: while shown, each ticked row shows its function at its right end, and a click
    // there opens the chooser (TotalChooser). A ticked row without a choice is grouped.
    void SetTotalsShown(bool shown);
    bool TotalsShown() const { return m_totalsShown; }
    TotalKind Total(int row) const;
    void SetTotal(int row, TotalKind kind);
    // The words a row shows for its total.
    static QString TotalCaption(TotalKind kind);
    // The chooser for a row, shown at a global position; its choice changes the design.
    QMenu *ShowTotalChooser(int row, const QPoint &globalPos);
    // The part of a row, in viewport coordinates, where its total shows.
    QRect TotalRect(int row) const;
    // Wide enough for the longest function name in this window's font.
    int TotalWidth() const;
    // The width at which fields of these names and their total boxes fit side by side.
    int WidthForTotals(const QStringList &fields) const;
    // The function chosen per field (None where none was), whether shown or not.
    QList<TotalKind> ChosenTotals() const { return m_totals; }

    // The row at a point in client (widget) coordinates, or -1 below the last row.
    int RowAt(const QPoint &widgetPos) const;
    // What a drag from this window carries, so a drop can tell it came from here.
    QByteArray DragId() const;
    // The same for a point in viewport coordinates (where drag and drop events arrive).
    int RowAtViewportPos(const QPoint &viewportPos) const;

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void widenForTotals();
    enum Edge { None = 0, Left = 1, Right = 2, Top = 4, Bottom = 8, Caption_ = 16 };
    int hitTest(const QPoint &pos) const;
    void paintFrame();
    bool frameMouse(QMouseEvent *event);
    void updateFrameCursor(int hit);

    QString m_caption;
    QString m_alias;
    // The fields and ticks as plain lists, kept with the rows, so reading the design is cheap.
    QStringList m_fields;
    QList<bool> m_ticks;
    QPointer<QMenu> m_popup;
    QList<TotalKind> m_totals;  // per field; None: grouped when ticked
    bool m_totalsShown = false;
    TQGTableWindowHandlers *m_handlers = nullptr;
    bool m_programmatic = false;
    int m_dragEdges = None;
    QPoint m_dragStartGlobal;
    QRect m_dragStartGeometry;
    QPoint m_pressPos;  // widget coordinates of the last press on the rows
};
