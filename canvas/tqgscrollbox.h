// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QList>
#include <QScrollArea>
#include <functional>

class TQGCheckListBox;
class TQGDataLink;

// The design canvas. Table windows and join links are children of its content widget; the
// content grows to their bounding box so that windows far right or down can be scrolled to.
// The design's order is the order they were placed in, kept apart from the children's
// z-order, which raising a window changes.
class TQGScrollBox : public QScrollArea
{
    Q_OBJECT
public:
    // The data format of a drag of tables from the table list onto the canvas.
    static constexpr const char TablesMime[] = "application/x-vdq-tables";

    explicit TQGScrollBox(QWidget *parent = nullptr);

    QWidget *Content() const { return m_content; }
    QList<TQGCheckListBox *> TableWindows() const;  // placing order
    QList<TQGDataLink *> Links() const;             // placing order
    int HorzScrollPosition() const;
    int VertScrollPosition() const;

    // Drop handlers of the canvas (the table list's drags); positions in content coordinates.
    std::function<bool(QDragMoveEvent *)> OnDragOver;
    std::function<void(QDropEvent *, const QPoint &)> OnDragDrop;

    // Grows the content to the children's bounding box (never below the visible area).
    void UpdateExtent();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *m_content;
    QList<QObject *> m_placed;  // the content's children in the order they were added
    bool m_updating = false;
};
