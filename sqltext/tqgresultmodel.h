// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "tquery.h"

#include <QAbstractTableModel>
#include <QCache>
#include <QPixmap>
#include <QPointer>

// The open result of a query as a table model. Rows are asked of the query only when a
// view asks for them (the rows it paints), so the query's bounded block cache is all the
// memory a result takes. The rows grow as the query reads them, or at once to the result's
// count when its last rows were read ahead; once the count is known, it is the result's.
class TQGResultModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Role {
        FieldKindRole = Qt::UserRole + 1,  // int(TFieldKind)
        WholeTextRole,                     // the whole text of a memo field
        PictureRole,                       // the picture of a graphic field (QPixmap)
        FieldSizeRole,                     // the declared length of a text field, -1 for none
    };

    explicit TQGResultModel(QObject *parent = nullptr);

    // Follows the query: opening and closing it resets the model.
    void SetQuery(TQuery *query);
    TQuery *Query() const { return m_query; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // While the query reads: more rows will come (they are read without being asked for).
    bool canFetchMore(const QModelIndex &parent = QModelIndex()) const override;
    // Asks the query for the result's last rows ahead of the others (see TQuery::FetchEnd):
    // the rows grow to the result's count then, and the rows between show empty until the
    // reading has got to them.
    void FetchEnd();

    // Every data() call that had to read a row (for the tests of laziness).
    qint64 RowReads() const { return m_rowReads; }
    // The highest row a data() call asked for, -1 before any.
    qint64 HighestRowRead() const { return m_highestRow; }

private:
    void reload();
    void grow(qint64 rows);

    QPointer<TQuery> m_query;
    int m_rows = 0;
    int m_columns = 0;
    qint64 m_read = 0;  // rows read when the rows last grew: those after are shown empty until read
    mutable qint64 m_rowReads = 0;
    mutable qint64 m_highestRow = -1;
    // Decoding a picture is dearer than painting it: keep the few in view.
    mutable QCache<quint64, QPixmap> m_pictures;
};
