#include "tqgdesignlists.h"

#include "tqgglyphs.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QTreeWidget *makeList(const char *name, const QStringList &columns, const QList<int> &widths)
{
    auto *list = new QTreeWidget;
    list->setObjectName(QLatin1String(name));
    list->setColumnCount(columns.size());
    list->setHeaderLabels(columns);
    for (int i = 0; i < widths.size(); ++i)
        list->header()->resizeSection(i, widths.at(i));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSortingEnabled(false);
    list->setAcceptDrops(true);
    list->setDragDropMode(QAbstractItemView::DropOnly);
    list->setStyleSheet(QStringLiteral(
        "QTreeWidget::item { border-right: 1px solid palette(midlight); border-bottom: 1px solid palette(midlight); }"));
    return list;
}

QToolButton *sideButton(QWidget *panel, const char *name, TQGGlyph glyph, const QString &hint, int top)
{
    auto *b = new QToolButton(panel);
    b->setObjectName(QLatin1String(name));
    b->setAutoRaise(true);
    b->setIcon(Glyph(glyph));
    b->setIconSize(QSize(16, 16));
    b->setToolTip(hint);
    b->setGeometry(4, top, 25, 25);
    return b;
}

QWidget *sidePanel(const char *name, const QList<std::tuple<const char *, TQGGlyph, QString, int>> &buttons)
{
    auto *panel = new QWidget;
    panel->setObjectName(QLatin1String(name));
    panel->setFixedWidth(33);
    for (const auto &[buttonName, glyph, hint, top] : buttons)
        sideButton(panel, buttonName, glyph, hint, top);
    return panel;
}

QWidget *radioStrip(const char *name, const QString &label, const char *first, const QString &firstText,
                    const char *second, const QString &secondText)
{
    auto *strip = new QWidget;
    strip->setObjectName(QLatin1String(name));
    strip->setFixedHeight(26);
    auto *layout = new QHBoxLayout(strip);
    layout->setContentsMargins(6, 0, 6, 0);
    layout->setSpacing(12);
    layout->addWidget(new QLabel(label, strip));
    auto *a = new QRadioButton(firstText, strip);
    a->setObjectName(QLatin1String(first));
    a->setProperty("tag", 0);
    a->setChecked(true);
    a->setEnabled(false);
    auto *b = new QRadioButton(secondText, strip);
    b->setObjectName(QLatin1String(second));
    b->setProperty("tag", 1);
    b->setEnabled(false);
    layout->addWidget(a);
    layout->addWidget(b);
    layout->addStretch(1);
    return strip;
}

} // namespace

TQGDesignLists::TQGDesignLists(QTabWidget *pageControl, QObject *parent)
    : QObject(parent)
{
    m_values = makeList("ListView5", {tr("FieldName"), tr("Value")}, {170, 170});
    m_conditions = makeList("ListView2", {tr("FieldName"), tr("Condition"), tr("Value"), tr("boolean Operator")},
                            {170, 80, 160, 99});
    m_sorting = makeList("ListView3", {tr("FieldName"), tr("Ascending")}, {170, 80});

    m_valuesPage = makePage(pageControl, "TabSheet6", tr("Values"), m_values,
                            sidePanel("Panel7", {{"SpeedButton12", TQGGlyph::MoveUp, tr("Move Up"), 8},
                                                 {"SpeedButton13", TQGGlyph::MoveDown, tr("Move Down"), 32},
                                                 {"SpeedButton14", TQGGlyph::Remove, tr("Remove"), 72},
                                                 {"SpeedButton19", TQGGlyph::FillParameters,
                                                  tr("Fill Parameter List"), 104}}),
                            nullptr);
    m_conditionsPage = makePage(pageControl, "TabSheet3", tr("Conditions"), m_conditions,
                                sidePanel("x", {{"SpeedButton6", TQGGlyph::MoveUp, tr("Move Up"), 8},
                                                {"SpeedButton7", TQGGlyph::MoveDown, tr("Move Down"), 32},
                                                {"SpeedButton8", TQGGlyph::Remove, tr("Remove"), 72}}),
                                radioStrip("Panel11", tr("Boolean Operator"), "RadioButton1", tr("AND"),
                                           "RadioButton2", tr("OR")));
    m_sortingPage = makePage(pageControl, "TabSheet4", tr("Sorting"), m_sorting,
                             sidePanel("Panel6", {{"SpeedButton9", TQGGlyph::MoveUp, tr("Move Up"), 8},
                                                  {"SpeedButton10", TQGGlyph::MoveDown, tr("Move Down"), 32},
                                                  {"SpeedButton11", TQGGlyph::Remove, tr("Remove"), 72}}),
                             radioStrip("Panel13", tr("Ascending Order"), "RadioButton3", tr("Yes"),
                                        "RadioButton4", tr("No")));
}

QWidget *TQGDesignLists::makePage(QTabWidget *pageControl, const char *pageName, const QString &title,
                                  QTreeWidget *list, QWidget *side, QWidget *strip)
{
    auto *page = new QWidget;
    page->setObjectName(QLatin1String(pageName));
    auto *outer = new QHBoxLayout(page);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto *left = new QVBoxLayout;
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);
    left->addWidget(list, 1);
    if (strip)
        left->addWidget(strip);
    outer->addLayout(left, 1);
    outer->addWidget(side);
    pageControl->addTab(page, title);
    return page;
}

QList<QStringList> TQGDesignLists::Rows(const QTreeWidget *list)
{
    QList<QStringList> rows;
    const int columns = list->columnCount();
    rows.reserve(list->topLevelItemCount());
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = list->topLevelItem(i);
        QStringList row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c)
            row << item->text(c);
        rows << row;
    }
    return rows;
}

void TQGDesignLists::AppendRow(QTreeWidget *list, const QStringList &columns)
{
    auto *item = new QTreeWidgetItem(list);
    for (int c = 0; c < columns.size() && c < list->columnCount(); ++c)
        item->setText(c, columns.at(c));
}

void TQGDesignLists::SetRows(QTreeWidget *list, const QList<QStringList> &rows)
{
    list->clear();
    for (const QStringList &row : rows)
        AppendRow(list, row);
}

QList<ConditionRow> TQGDesignLists::ConditionRows() const
{
    QList<ConditionRow> rows;
    rows.reserve(m_conditions->topLevelItemCount());
    for (int i = 0; i < m_conditions->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = m_conditions->topLevelItem(i);
        rows << ConditionRow{item->text(0), item->text(1), item->text(2), item->text(3)};
    }
    return rows;
}

QList<ValueRow> TQGDesignLists::ValueRows() const
{
    QList<ValueRow> rows;
    rows.reserve(m_values->topLevelItemCount());
    for (int i = 0; i < m_values->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = m_values->topLevelItem(i);
        rows << ValueRow{item->text(0), item->text(1)};
    }
    return rows;
}

QList<SortRow> TQGDesignLists::SortRows() const
{
    QList<SortRow> rows;
    rows.reserve(m_sorting->topLevelItemCount());
    for (int i = 0; i < m_sorting->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = m_sorting->topLevelItem(i);
        rows << SortRow{item->text(0), item->text(1)};
    }
    return rows;
}

void TQGDesignLists::ClearAll()
{
    m_values->clear();
    m_conditions->clear();
    m_sorting->clear();
}
