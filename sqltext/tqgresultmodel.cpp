// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgresultmodel.h"

#include "tquery.h"

#include <QImage>

#include <limits>

namespace {

constexpr int kPictureCacheSize = 64;

} // namespace

TQGResultModel::TQGResultModel(QObject *parent)
    : QAbstractTableModel(parent), m_pictures(kPictureCacheSize)
{
}

void TQGResultModel::SetQuery(TQuery *query)
{
    if (m_query == query)
        return;
    if (m_query)
        disconnect(m_query, nullptr, this, nullptr);
    m_query = query;
    if (m_query) {
        connect(m_query, &TQuery::activeChanged, this, &TQGResultModel::reload);
        connect(m_query, &TQuery::rowsRead, this, &TQGResultModel::grow);
    }
    reload();
}

void TQGResultModel::reload()
{
    beginResetModel();
    m_pictures.clear();
    m_rowReads = 0;
    m_highestRow = -1;
    m_rows = 0;
    m_columns = 0;
    m_read = 0;
    if (m_query && m_query->IsActive()) {
        m_columns = m_query->FieldCount();
        m_read = m_query->RowsRead();
        m_rows = int(qMin<qint64>(m_query->KnownRowCount(), std::numeric_limits<int>::max()));
    }
    endResetModel();
}

void TQGResultModel::grow(qint64 rows)
{
    if (!m_query || !m_query->IsActive())
        return;
    // The result's count once its last rows were read ahead, else the rows announced.
    const qint64 known = m_query->KnownRowCount();
    const int count = int(qMin<qint64>(known > m_query->RowsRead() ? known : rows, std::numeric_limits<int>::max()));
    // Rows shown empty so far that the reading has got to.
    const int before = m_rows;
    const int filled = int(qMin<qint64>(rows, before));
    if (m_read < filled && m_columns > 0)
        Q_EMIT dataChanged(index(int(m_read), 0), index(filled - 1, m_columns - 1));
    m_read = qMax(m_read, rows);
    if (count <= before)
        return;
    beginInsertRows(QModelIndex(), before, count - 1);
    m_rows = count;
    endInsertRows();
}

void TQGResultModel::FetchEnd()
{
    if (m_query)
        m_query->FetchEnd();
}

int TQGResultModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int TQGResultModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

bool TQGResultModel::canFetchMore(const QModelIndex &parent) const
{
    // Rows read but not yet announced count as coming too.
    return !parent.isValid() && m_query && (m_query->IsReading() || m_rows < m_query->RowsRead());
}

QVariant TQGResultModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_query || !m_query->IsActive() || index.row() >= m_rows || index.column() >= m_columns)
        return QVariant();
    const int field = index.column();
    const qint64 row = index.row();
    if (role == FieldKindRole)
        return int(m_query->Field(field).kind);
    if (role == FieldSizeRole)
        return m_query->Field(field).size;
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != WholeTextRole && role != PictureRole)
        return QVariant();
    // A row between the rows read and the last ones read ahead: empty until it is read.
    if (row >= m_read && !m_query->IsRowAvailable(row))
        return QVariant();
    ++m_rowReads;
    m_highestRow = qMax(m_highestRow, row);
    switch (role) {
    case WholeTextRole:
        return m_query->WholeText(row, field);
    case PictureRole: {
        const quint64 key = quint64(row) * quint64(m_columns) + quint64(field);
        if (const QPixmap *cached = m_pictures.object(key))
            return *cached;
        const QPixmap picture = QPixmap::fromImage(QImage::fromData(m_query->Picture(row, field)));
        m_pictures.insert(key, new QPixmap(picture));
        return picture;
    }
    case Qt::ToolTipRole:
        return m_query->Field(field).kind == TFieldKind::Memo ? m_query->WholeText(row, field) : QVariant();
    default:
        return m_query->DisplayText(row, field);
    }
}

QVariant TQGResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    // The vertical header is the record indicator: it has no text.
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || !m_query || section < 0 || section >= m_columns)
        return QVariant();
    return m_query->Field(section).name;
}

Qt::ItemFlags TQGResultModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // The result is read-only.
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}
