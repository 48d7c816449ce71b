// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgdbnavigator.h"

#include "tqgglyphs.h"

#include "tqgengrid.h"

#include <QAbstractItemModel>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QToolButton>

namespace {

QToolButton *navButton(QWidget *parent, const char *name, TQGGlyph glyph, const QString &hint)
{
    QToolButton *b = GlyphButton(parent, name, glyph, hint, 12);
    b->setFixedSize(25, 18);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

} // namespace

TQGDBNavigator::TQGDBNavigator(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("DBNavigator1"));
    setFixedHeight(18);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_first = navButton(this, "NavFirst", TQGGlyph::NavFirst, tr("First record"));
    m_prior = navButton(this, "NavPrior", TQGGlyph::NavPrior, tr("Prior record"));
    m_next = navButton(this, "NavNext", TQGGlyph::NavNext, tr("Next record"));
    m_last = navButton(this, "NavLast", TQGGlyph::NavLast, tr("Last record"));
    m_refresh = navButton(this, "NavRefresh", TQGGlyph::NavRefresh, tr("Refresh data"));
    m_stop = navButton(this, "NavStop", TQGGlyph::CancelAndExit, tr("Stop reading (Esc)"));
    m_stop->setEnabled(false);
    for (QToolButton *b : {m_first, m_prior, m_next, m_last, m_refresh, m_stop})
        layout->addWidget(b);
    layout->addStretch(1);
    connect(m_first, &QToolButton::clicked, this, &TQGDBNavigator::First);
    connect(m_prior, &QToolButton::clicked, this, &TQGDBNavigator::Prior);
    connect(m_next, &QToolButton::clicked, this, &TQGDBNavigator::Next);
    connect(m_last, &QToolButton::clicked, this, &TQGDBNavigator::Last);
    connect(m_refresh, &QToolButton::clicked, this, &TQGDBNavigator::Refresh);
    connect(m_stop, &QToolButton::clicked, this, &TQGDBNavigator::Stop);
    updateButtons();
}

QToolButton *TQGDBNavigator::Button(const QString &name) const
{
    return findChild<QToolButton *>(name, Qt::FindDirectChildrenOnly);
}

void TQGDBNavigator::SetView(TQGenGrid *view)
{
    for (const QMetaObject::Connection &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_view = view;
    if (view && view->SourceModel()) {
        QAbstractItemModel *model = view->SourceModel();
        const auto update = [this] { updateButtons(); };
        m_connections << connect(model, &QAbstractItemModel::modelReset, this, [this] {
                          m_wantLast = false;
                          updateButtons();
                      })
                      << connect(model, &QAbstractItemModel::rowsInserted, this, [this] {
                             if (m_wantLast)
                                 followEnd();
                             updateButtons();
                         })
                      << connect(model, &QAbstractItemModel::rowsRemoved, this, update)
                      << connect(view, &TQGenGrid::CurrentRowChanged, this, update);
    }
    updateButtons();
}

void TQGDBNavigator::First()
{
    m_wantLast = false;
    moveTo(0);
}

void TQGDBNavigator::Prior()
{
    m_wantLast = false;
    if (m_view)
        moveTo(qMax(0, m_view->CurrentRow() - 1));
}

void TQGDBNavigator::Next()
{
    m_wantLast = false;
    if (m_view)
        moveTo(m_view->CurrentRow() + 1);
}

void TQGDBNavigator::Last()
{
    if (!m_view || !m_view->SourceModel())
        return;
    // Rows still being read: the current row follows them to the end.
    m_wantLast = m_view->SourceModel()->canFetchMore(QModelIndex());
    followEnd();
}

void TQGDBNavigator::followEnd()
{
    if (m_view && m_view->SourceModel())
        moveTo(m_view->SourceModel()->rowCount() - 1);
}

void TQGDBNavigator::ReadingEnded()
{
    if (m_wantLast)
        followEnd();
    m_wantLast = false;
    updateButtons();
}

void TQGDBNavigator::Refresh()
{
    m_wantLast = false;
    Q_EMIT refreshRequested();
}

void TQGDBNavigator::Stop()
{
    Q_EMIT stopRequested();
}

void TQGDBNavigator::SetStopEnabled(bool enabled)
{
    m_stop->setEnabled(enabled);
}

void TQGDBNavigator::moveTo(int row)
{
    if (!m_view || !m_view->SourceModel() || m_view->SourceModel()->rowCount() == 0)
        return;
    m_view->SetCurrentRow(row);
    updateButtons();
}

void TQGDBNavigator::updateButtons()
{
    QAbstractItemModel *model = m_view ? m_view->SourceModel() : nullptr;
    const int rows = model ? model->rowCount() : 0;
    const bool has = rows > 0;
    const int row = has ? m_view->CurrentRow() : -1;
    const bool more = model && model->canFetchMore(QModelIndex());
    m_first->setEnabled(has && row != 0);
    m_prior->setEnabled(has && row > 0);
    m_next->setEnabled(has && (row < rows - 1 || more));
    m_last->setEnabled(has && (row != rows - 1 || more));
    m_refresh->setEnabled(model != nullptr && model->columnCount() > 0);
}
