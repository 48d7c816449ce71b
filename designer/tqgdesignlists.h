#pragma once

#include "querymodel.h"

#include <QObject>

class QRadioButton;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QMenu;
class QWidget;

// The Values, Conditions and Sorting lists on the inner pages of the "Query Generator" page,
// with their side buttons, popups and radio strips.
class TQGDesignLists : public QObject
{
    Q_OBJECT
public:
    // Builds the three pages into the page control: "Values", "Conditions", "Sorting".
    TQGDesignLists(QTabWidget *pageControl, QObject *parent);

    QTreeWidget *Values() const { return m_values; }          // ListView5
    QTreeWidget *Conditions() const { return m_conditions; }  // ListView2
    QTreeWidget *Sorting() const { return m_sorting; }        // ListView3
    QWidget *ValuesPage() const { return m_valuesPage; }          // TabSheet6
    QWidget *ConditionsPage() const { return m_conditionsPage; }  // TabSheet3
    QWidget *SortingPage() const { return m_sortingPage; }        // TabSheet4

    QList<ConditionRow> ConditionRows() const;
    QList<ValueRow> ValueRows() const;
    QList<SortRow> SortRows() const;

    // Rows as plain text columns (caption, then sub-items), as the file format stores them.
    static QList<QStringList> Rows(const QTreeWidget *list);
    static void SetRows(QTreeWidget *list, const QList<QStringList> &rows);
    static void AppendRow(QTreeWidget *list, const QStringList &columns);

    void ClearAll();

private:
    QWidget *makePage(QTabWidget *pageControl, const char *pageName, const QString &title,
                      QTreeWidget *list, QWidget *sidePanel, QWidget *strip);

    QTreeWidget *m_values;
    QTreeWidget *m_conditions;
    QTreeWidget *m_sorting;
    QWidget *m_valuesPage;
    QWidget *m_conditionsPage;
    QWidget *m_sortingPage;
};
