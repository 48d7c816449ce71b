#pragma once

#include <QObject>
#include <QPair>
#include <QPixmap>
#include <QStringList>
#include <QVariant>
#include <memory>

class TDataSource;
class TDatabase;

// How the grid shows a result field.
enum class TFieldKind { Other, Memo, Graphic };

struct TFieldInfo
{
    QString name;
    TFieldKind kind = TFieldKind::Other;
};

// The designer's query object: session and database names, SQL lines, an optional
// master data source for parameter values, and the open result.
class TQuery : public QObject
{
    Q_OBJECT
public:
    explicit TQuery(QObject *parent = nullptr);
    ~TQuery() override;

    QString SessionName() const { return m_sessionName; }
    void SetSessionName(const QString &name);   // only while closed
    QString DatabaseName() const { return m_databaseName; }
    void SetDatabaseName(const QString &name);  // only while closed
    QStringList SQL() const { return m_sql; }
    void SetSQL(const QStringList &lines);      // closes an open result
    TDataSource *MasterDataSource() const { return m_master; }
    void SetMasterDataSource(TDataSource *source) { m_master = source; }

    bool IsActive() const;
    void Close();
    // Runs a statement that returns rows. Raises VdqError with the engine's message.
    void Open();
    // Runs a statement without rows. Raises VdqError with the engine's message.
    void ExecSql();

    // The open result (empty while closed).
    int FieldCount() const;
    TFieldInfo Field(int index) const;
    QList<TFieldInfo> Fields() const;
    qint64 RecordCount() const;  // -1 when the engine cannot tell
    // Row access for the grid: display text, whole text (memo), picture (graphic).
    // Rows are read in blocks as they are asked for; a bounded number of blocks is kept.
    QVariant Value(qint64 row, int field) const;
    QString DisplayText(qint64 row, int field) const;
    QString WholeText(qint64 row, int field) const;
    QPixmap Picture(qint64 row, int field) const;  // null when the value is no picture
    bool HasRow(qint64 row) const;

    // The current record (the navigator's position; parameter values of detail queries
    // come from the current record of their master).
    qint64 RecNo() const { return m_recNo; }
    void SetRecNo(qint64 row) { m_recNo = row; }

    // Rows held in memory at the moment.
    qint64 CachedRowCount() const;

    // The connection the query runs on (opened on demand).
    TDatabase *Database() const;

Q_SIGNALS:
    void activeChanged(bool active);

private:
    class Result;
    QString m_sessionName;
    QString m_databaseName;
    QStringList m_sql;
    TDataSource *m_master = nullptr;
    qint64 m_recNo = 0;
    std::unique_ptr<Result> m_result;

    QString statementText() const;
    QList<QPair<QString, QVariant>> masterParameters(const QString &statement) const;
    void checkClosed() const;
};

// Binds an open query to the result grid and the record navigator.
class TDataSource : public QObject
{
    Q_OBJECT
public:
    explicit TDataSource(QObject *parent = nullptr) : QObject(parent) {}
    TQuery *DataSet() const { return m_dataSet; }
    void SetDataSet(TQuery *query) { m_dataSet = query; }

private:
    TQuery *m_dataSet = nullptr;
};
