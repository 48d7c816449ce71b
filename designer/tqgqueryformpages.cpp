// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause
// The designer window's panels and pages, built once by its constructor: the table list with its
// view buttons, the Query Generator page and the SQL page with the result panel.

#include "tqgqueryform.h"

#include "tqgdbnavigator.h"
#include "tqgdesignlists.h"
#include "tqgengrid.h"
#include "tqgglyphs.h"
#include "tqgquerymenus.h"
#include "tqgcanvascommands.h"
#include "tqgsqleditor.h"
#include "tqgtablelist.h"

#include <QButtonGroup>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

QWidget *TQGQueryForm::buildTablePanel()
{
    m_panel3 = new QWidget(this);
    m_panel3->setObjectName(QStringLiteral("Panel3"));
    m_panel3->setFixedWidth(225);
    auto *layout = new QVBoxLayout(m_panel3);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_tableList = new TQGTableList(m_panel3);
    layout->addWidget(m_tableList, 1);

    auto *panel5 = new QWidget(m_panel3);
    panel5->setObjectName(QStringLiteral("Panel5"));
    panel5->setFixedHeight(27);
    auto *group = new QButtonGroup(panel5);
    const char *names[4] = {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4"};
    const TQGGlyph glyphs[4] = {TQGGlyph::LargeIcons, TQGGlyph::SmallIcons, TQGGlyph::ListStyle,
                                TQGGlyph::ReportStyle};
    const QString hints[4] = {tr("Large Icons"), tr("Small Icons"), tr("List"), tr("Details")};
    for (int tag = 0; tag < 4; ++tag) {
        QToolButton *b = GlyphButton(panel5, names[tag], glyphs[tag], hints[tag], 16);
        b->setCheckable(true);
        b->setProperty("tag", tag);
        b->setGeometry(4 + 25 * tag, 1, 25, 25);
        group->addButton(b, tag);
        connect(b, &QToolButton::clicked, this, [this, tag] { SpeedButton2Click(tag); });
    }
    group->button(2)->setChecked(true);
    layout->addWidget(panel5);

    m_panel4 = new QWidget(m_panel3);
    m_panel4->setObjectName(QStringLiteral("Panel4"));
    m_panel4->hide();

    m_popupMenu2 = m_menus->BuildTablePopup([this] { m_canvas->ListView1DblClick(); });
    m_tableList->SetPopupMenu(m_popupMenu2);
    connect(m_tableList, &TQGTableList::doubleClicked, this, [this] { m_canvas->ListView1DblClick(); });
    return m_panel3;
}

QWidget *TQGQueryForm::buildGeneratorPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    m_splitter2 = new QSplitter(Qt::Vertical, page);
    m_splitter2->setObjectName(QStringLiteral("Splitter2"));
    m_splitter2->setHandleWidth(3);
    m_splitter2->setChildrenCollapsible(false);
    m_pageControl982 = new QTabWidget;
    m_pageControl982->setObjectName(QStringLiteral("PageControl982"));
    m_pageControl982->setAccessibleName(tr("Lists"));
    m_pageControl982->setMinimumHeight(100);
    m_lists = new TQGDesignLists(m_pageControl982, this);
    m_splitter2->addWidget(m_pageControl982);
    layout->addWidget(m_splitter2);
    return page;
}

QWidget *TQGQueryForm::buildSqlPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *panel10 = new QWidget(page);
    panel10->setObjectName(QStringLiteral("Panel10"));
    panel10->setFixedHeight(33);
    auto *execute = new QToolButton(panel10);
    m_speedButton28 = execute;
    execute->setObjectName(QStringLiteral("SpeedButton28"));
    execute->setAutoRaise(true);
    execute->setIcon(Glyph(TQGGlyph::ExecuteQuery));
    execute->setIconSize(QSize(16, 16));
    execute->setText(tr("Execute Query"));
    execute->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    execute->setGeometry(4, 4, 110, 25);
    layout->addWidget(panel10);

    auto *splitter3 = new QSplitter(Qt::Vertical, page);
    splitter3->setObjectName(QStringLiteral("Splitter3"));
    splitter3->setHandleWidth(3);
    splitter3->setChildrenCollapsible(false);
    m_memo = new TQGSqlEditor(splitter3);
    m_memo->setMinimumHeight(60);
    splitter3->addWidget(m_memo);

    m_panel9 = new QWidget(splitter3);
    m_panel9->setObjectName(QStringLiteral("Panel9"));
    auto *resultLayout = new QVBoxLayout(m_panel9);
    resultLayout->setContentsMargins(0, 0, 0, 0);
    resultLayout->setSpacing(0);
    m_navigator = new TQGDBNavigator(m_panel9);
    resultLayout->addWidget(m_navigator);
    m_statusBar2 = new QStatusBar(m_panel9);
    m_statusBar2->setObjectName(QStringLiteral("StatusBar2"));
    m_statusBar2->setSizeGripEnabled(false);
    splitter3->addWidget(m_panel9);
    // The editor keeps its height when the result panel appears; the panel fills the rest.
    splitter3->setStretchFactor(0, 0);
    splitter3->setStretchFactor(1, 1);
    splitter3->setSizes({184, 400});
    m_panel9->hide();
    layout->addWidget(splitter3, 1);
    return page;
}
