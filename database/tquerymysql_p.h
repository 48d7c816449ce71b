// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// MySQL: a SELECT's rows read as the server sends them, through the client library's
// unbuffered result, on the driver's own connection. Qt's driver stores the whole result in
// memory with mysql_store_result before it returns from exec() (hundreds of MB for a few
// million rows, and no first row before the last one has arrived); the result it hands out
// is that stored one, so the rows are not read on from it but run here. The values go into
// the spool straight from the client library's row, as the bytes the driver's values would
// have given. Private to the query.

#include "tquery.h"
#include "tqueryreading_p.h"

#include <QSqlDatabase>
#include <QVariant>

#include <memory>

namespace TQueryReading {

class MysqlRows
{
public:
    // Runs the statement on the connection. Null when the client library is not at hand (the
    // caller reads through Qt then); otherwise a result whose error() tells a failure.
    static std::unique_ptr<MysqlRows> run(const QSqlDatabase &db, const QString &statement);
    ~MysqlRows();
    MysqlRows(const MysqlRows &) = delete;
    MysqlRows &operator=(const MysqlRows &) = delete;

    // The statement ran and returned rows.
    bool isSelect() const { return m_result != nullptr; }
    // The engine's message of a failure, at the run or while reading; empty when none.
    QString error() const { return m_error; }
    const QList<TFieldInfo> &fields() const { return m_fields; }
    bool next();
    // The value as the driver gives it.
    QVariant value(int field) const;
    // Writes the row's value of the field as encode() writes the driver's value of it. A
    // field not null is the one judged a memo or not by the value (the first rows).
    void encode(SpoolBuffer &out, int field, TFieldInfo *judged) const;

private:
    struct Api;
    struct Column
    {
        int type = 0;
        unsigned flags = 0;
        QMetaType meta;
        unsigned long length = 0;
    };
    MysqlRows(const Api *api, void *mysql, QSql::NumericalPrecisionPolicy precision)
        : m_api(api), m_mysql(mysql), m_precision(precision)
    {
    }
    void takeError();

    const Api *m_api;
    void *m_mysql;
    QSql::NumericalPrecisionPolicy m_precision;
    void *m_result = nullptr;
    char **m_row = nullptr;
    unsigned long *m_lengths = nullptr;
    QList<Column> m_columns;
    QList<TFieldInfo> m_fields;
    QString m_error;
};

} // namespace TQueryReading
