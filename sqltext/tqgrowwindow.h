// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QAbstractTableModel>
#include <QPointer>

// A window of consecutive rows of a source model, shown to a view as rows 0 to n-1. A
// view's vertical header keeps a record for every row of its model; through the window it
// keeps one per row of the window, however long the result behind it grows.
class TQGRowWindow : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int DefaultCapacity = 1 << 16;

    explicit TQGRowWindow(QObject *parent = nullptr);

    void SetSource(QAbstractItemModel *source);
    QAbstractItemModel *Source() const { return m_source; }
    int SourceRows() const;

    // The most rows the window holds; a change resets it.
    int Capacity() const { return m_capacity; }
    void SetCapacity(int rows);

    // The source row shown as row 0.
    int Base() const { return m_base; }
    // Moves the window to start at base, bounded so that it stays full; the rows keep their
    // number and show the rows of the new place.
    void MoveTo(int base);

    QModelIndex FromSource(const QModelIndex &index) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool canFetchMore(const QModelIndex &parent = QModelIndex()) const override;

private:
    void reset();
    void sourceRowsInserted();
    void sourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles);

    QPointer<QAbstractItemModel> m_source;
    QList<QMetaObject::Connection> m_connections;
    int m_capacity = DefaultCapacity;
    int m_base = 0;
    int m_rows = 0;
    int m_columns = 0;
};
