#pragma once

#include "sqldialect.h"

#include <QList>
#include <QString>
#include <QStringList>

// The design as the statement builders, the dialogs and the file format see it: plain
// values, read from the designer's windows and lists at the moment they are needed.

enum class QueryType : unsigned char { Select = 0, Insert = 1, Update = 2, Delete = 3 };

struct DesignTable
{
    QString caption;      // the table name as the database lists it
    QStringList fields;   // field names in table order
    QList<bool> checked;  // one tick per field
};

struct ConditionRow
{
    QString fieldName;
    QString condition;
    QString value;
    QString booleanOperator;
};

struct ValueRow
{
    QString fieldName;  // bare field name
    QString value;
};

struct SortRow
{
    QString fieldName;
    QString ascending;  // "Yes" or "No"
};

struct QueryDesign
{
    QueryType queryType = QueryType::Select;
    QList<DesignTable> tables;  // canvas child order
    QList<ConditionRow> conditions;
    QList<ValueRow> values;
    QList<SortRow> sorting;
    IdentifierStyle style;
};
