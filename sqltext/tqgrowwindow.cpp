// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgrowwindow.h"

TQGRowWindow::TQGRowWindow(QObject *parent) : QAbstractTableModel(parent) {}

void TQGRowWindow::SetSource(QAbstractItemModel *source)
{
    for (const QMetaObject::Connection &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_source = source;
    if (source) {
        const auto whole = [this] { reset(); };
        m_connections << connect(source, &QAbstractItemModel::modelReset, this, whole)
                      << connect(source, &QAbstractItemModel::layoutChanged, this, whole)
                      << connect(source, &QAbstractItemModel::rowsRemoved, this, whole)
                      << connect(source, &QAbstractItemModel::rowsMoved, this, whole)
                      << connect(source, &QAbstractItemModel::columnsInserted, this, whole)
                      << connect(source, &QAbstractItemModel::columnsRemoved, this, whole)
                      << connect(source, &QAbstractItemModel::rowsInserted, this, &TQGRowWindow::sourceRowsInserted)
                      << connect(source, &QAbstractItemModel::dataChanged, this, &TQGRowWindow::sourceDataChanged)
                      << connect(source, &QAbstractItemModel::headerDataChanged, this,
                                 &QAbstractItemModel::headerDataChanged);
    }
    reset();
}

int TQGRowWindow::SourceRows() const
{
    return m_source ? m_source->rowCount() : 0;
}

void TQGRowWindow::SetCapacity(int rows)
{
    m_capacity = qMax(1, rows);
    reset();
}

void TQGRowWindow::reset()
{
    beginResetModel();
    m_base = 0;
    m_rows = qMin(SourceRows(), m_capacity);
    m_columns = m_source ? m_source->columnCount() : 0;
    endResetModel();
}

void TQGRowWindow::sourceRowsInserted()
{
    // Rows are only ever added at the end of a result: a window not yet full grows.
    const int rows = qMin(SourceRows() - m_base, m_capacity);
    if (rows <= m_rows)
        return;
    beginInsertRows(QModelIndex(), m_rows, rows - 1);
    m_rows = rows;
    endInsertRows();
}

void TQGRowWindow::sourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles)
{
    const int first = qMax(topLeft.row() - m_base, 0);
    const int last = qMin(bottomRight.row() - m_base, m_rows - 1);
    if (first <= last)
        Q_EMIT dataChanged(index(first, topLeft.column()), index(last, bottomRight.column()), roles);
}

void TQGRowWindow::MoveTo(int base)
{
    base = qBound(0, base, qMax(0, SourceRows() - m_capacity));
    if (base == m_base)
        return;
    m_base = base;
    const int rows = qMin(SourceRows() - m_base, m_capacity);
    if (rows > m_rows) {
        beginInsertRows(QModelIndex(), m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    }
    if (m_rows > 0 && m_columns > 0)
        Q_EMIT dataChanged(index(0, 0), index(m_rows - 1, m_columns - 1));
}

QModelIndex TQGRowWindow::FromSource(const QModelIndex &sourceIndex) const
{
    if (!sourceIndex.isValid() || sourceIndex.model() != m_source)
        return QModelIndex();
    return index(sourceIndex.row() - m_base, sourceIndex.column());
}

int TQGRowWindow::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int TQGRowWindow::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QVariant TQGRowWindow::data(const QModelIndex &index, int role) const
{
    if (!m_source || !index.isValid() || index.row() >= m_rows)
        return QVariant();
    return m_source->index(m_base + index.row(), index.column()).data(role);
}

QVariant TQGRowWindow::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (!m_source || orientation != Qt::Horizontal)
        return QVariant();
    return m_source->headerData(section, orientation, role);
}

Qt::ItemFlags TQGRowWindow::flags(const QModelIndex &index) const
{
    if (!m_source || !index.isValid())
        return Qt::NoItemFlags;
    return m_source->flags(m_source->index(m_base + index.row(), index.column()));
}

bool TQGRowWindow::canFetchMore(const QModelIndex &parent) const
{
    return m_source && !parent.isValid() && m_source->canFetchMore(QModelIndex());
}
