#pragma once

#include <QPointer>
#include <QWidget>

class QAbstractItemView;
class QToolButton;

// Record navigator for a read-only result: first, prior, next, last, refresh. It moves the
// current row of the grid it is bound to.
class TQGDBNavigator : public QWidget
{
    Q_OBJECT
public:
    explicit TQGDBNavigator(QWidget *parent = nullptr);

    void SetView(QAbstractItemView *view);

    void First();
    void Prior();
    void Next();
    void Last();

Q_SIGNALS:
    void refreshRequested();

private:
    void moveTo(int row);
    void updateButtons();

    QPointer<QAbstractItemView> m_view;
    QToolButton *m_first;
    QToolButton *m_prior;
    QToolButton *m_next;
    QToolButton *m_last;
    QToolButton *m_refresh;
};
