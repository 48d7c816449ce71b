#pragma once

#include <QMetaObject>
#include <QPointer>
#include <QWidget>

class QAbstractItemView;
class QToolButton;

// Record navigator for a read-only result: first, prior, next, last, refresh. It moves the
// current row of the grid it is bound to; the editing buttons of an updatable data set
// have no use here.
class TQGDBNavigator : public QWidget
{
    Q_OBJECT
public:
    explicit TQGDBNavigator(QWidget *parent = nullptr);

    // Binds the navigator to the view and its present model; call it again after the view
    // got another model.
    void SetView(QAbstractItemView *view);
    QAbstractItemView *View() const { return m_view; }

    void First();
    void Prior();
    void Next();
    void Last();
    void Refresh();

    QToolButton *Button(const QString &name) const;

Q_SIGNALS:
    void refreshRequested();

private:
    void moveTo(int row);
    void updateButtons();

    QPointer<QAbstractItemView> m_view;
    QList<QMetaObject::Connection> m_connections;
    QToolButton *m_first;
    QToolButton *m_prior;
    QToolButton *m_next;
    QToolButton *m_last;
    QToolButton *m_refresh;
};
