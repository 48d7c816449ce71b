// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QMetaObject>
#include <QPointer>
#include <QWidget>

class TQGenGrid;
class QToolButton;

// Record navigator for a read-only result: first, prior, next, last, refresh, and stop for
// a result still being read. It moves the current row of the grid it is bound to; the
// editing buttons of an updatable data set have no use here.
class TQGDBNavigator : public QWidget
{
    Q_OBJECT
public:
    explicit TQGDBNavigator(QWidget *parent = nullptr);

    // Binds the navigator to the grid and its present model; call it again after the grid
    // got another model.
    void SetView(TQGenGrid *view);
    TQGenGrid *View() const { return m_view; }

    void First();
    void Prior();
    void Next();
    // While the rows are still read, the current row follows the end until the last one.
    void Last();
    void Refresh();
    void Stop();

    // The reading of the rows ended: a pending Last goes to the last row.
    void ReadingEnded();
    // The stop button is enabled while something can be stopped.
    void SetStopEnabled(bool enabled);

    QToolButton *Button(const QString &name) const;

Q_SIGNALS:
    void refreshRequested();
    void stopRequested();

private:
    void moveTo(int row);
    void followEnd();
    void updateButtons();

    QPointer<TQGenGrid> m_view;
    QList<QMetaObject::Connection> m_connections;
    QToolButton *m_first;
    QToolButton *m_prior;
    QToolButton *m_next;
    QToolButton *m_last;
    QToolButton *m_refresh;
    QToolButton *m_stop;
    bool m_wantLast = false;  // Last was pressed while rows were still coming
};
