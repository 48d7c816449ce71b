// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "testsupport.h"

#include "tsessionlist.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSet>
#include <QTextStream>
#include <QTimer>
#include <QtTest>
#include <QWidget>

namespace TestSupport {

bool MakeSampleSqlite(const QString &path, QString *error, bool withBigTable)
{
    static QSet<QString> made;
    if (made.contains(path) && QFileInfo::exists(path))
        return true;
    QFile::remove(path);
    QStringList args{QStringLiteral("--sqlite"), path, QStringLiteral(VDQ_SAMPLE_SQL)};
    if (!withBigTable)
        args.prepend(QStringLiteral("--no-big"));
    QProcess p;
    p.start(QStringLiteral(VDQ_MKSAMPLE), args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        if (error)
            *error = QString::fromLocal8Bit(p.readAllStandardError()) + p.errorString();
        return false;
    }
    made.insert(path);
    return true;
}

QString MkSampleProgram()
{
    return QStringLiteral(VDQ_MKSAMPLE);
}

namespace {

QMap<QString, QString> readEnvFile(const QString &path)
{
    QMap<QString, QString> env;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return env;
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        const int eq = line.indexOf(u'=');
        if (eq > 0)
            env.insert(line.left(eq), line.mid(eq + 1));
    }
    return env;
}

} // namespace

QMap<QString, QString> PgEnv()
{
    return readEnvFile(QStringLiteral(VDQ_PG_ENV_FILE));
}

QMap<QString, QString> MariaDbEnv()
{
    return readEnvFile(QStringLiteral(VDQ_MARIADB_ENV_FILE));
}

QMap<QString, QString> OdbcEnv()
{
    return readEnvFile(QStringLiteral(VDQ_ODBC_ENV_FILE));
}

QString MariaDbAliasSection(const QString &alias, const std::optional<QString> &password, const QString &database)
{
    const auto env = MariaDbEnv();
    QString section = QStringLiteral("[%1]\nDriver=MYSQL\nHost=%2\nPort=%3\nDatabase=%4\nUser=%5\n")
                          .arg(alias, env.value(QStringLiteral("MYHOST")), env.value(QStringLiteral("MYPORT")),
                               database.isEmpty() ? env.value(QStringLiteral("MYDATABASE")) : database,
                               env.value(QStringLiteral("MYUSER")));
    if (password)
        section += QStringLiteral("Password=%1\n").arg(*password);
    return section + u'\n';
}

QString OdbcAliasSection(const QString &alias, const QString &dsn, const std::optional<QString> &password)
{
    QString section = QStringLiteral("[%1]\nDriver=ODBC\nDSN=%2\n").arg(alias, dsn);
    if (password)
        section += QStringLiteral("Password=%1\n").arg(*password);
    return section + u'\n';
}

QSqlDatabase OpenPgConnection(const QString &connectionName, const QString &database)
{
    const auto env = PgEnv();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    db.setHostName(env.value(QStringLiteral("PGHOST")));
    db.setPort(env.value(QStringLiteral("PGPORT")).toInt());
    db.setUserName(env.value(QStringLiteral("PGUSER")));
    db.setDatabaseName(database.isEmpty() ? env.value(QStringLiteral("PGDATABASE")) : database);
    db.open();
    return db;
}

QSqlDatabase OpenMariaDbConnection(const QString &connectionName)
{
    const auto env = MariaDbEnv();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), connectionName);
    db.setHostName(env.value(QStringLiteral("MYHOST")));
    db.setPort(env.value(QStringLiteral("MYPORT")).toInt());
    db.setUserName(env.value(QStringLiteral("MYUSER")));
    db.setPassword(env.value(QStringLiteral("MYPASSWORD")));
    db.setDatabaseName(env.value(QStringLiteral("MYDATABASE")));
    db.open();
    return db;
}

bool RunStatements(QSqlDatabase db, const QStringList &statements, QString *error)
{
    QSqlQuery q(db);
    for (const QString &s : statements) {
        if (!q.exec(s)) {
            *error = s.left(200) + QStringLiteral(" -> ") + q.lastError().text();
            return false;
        }
    }
    return true;
}

QString PgOdbcSourceSection(const QString &dsn, const QString &database)
{
    const auto env = PgEnv();
    return QStringLiteral("[%1]\nDriver=VDQ PostgreSQL\nServername=%2\nPort=%3\nDatabase=%4\nUsername=%5\n\n")
        .arg(dsn, env.value(QStringLiteral("PGHOST")), env.value(QStringLiteral("PGPORT")), database,
             env.value(QStringLiteral("PGUSER")));
}

QString MariaDbOdbcSourceSection(const QString &dsn, const QString &database)
{
    const auto env = MariaDbEnv();
    return QStringLiteral("[%1]\nDriver=VDQ MariaDB\nServer=%2\nPort=%3\nDatabase=%4\nUser=%5\nPassword=%6\nCharset=utf8mb4\n\n")
        .arg(dsn, env.value(QStringLiteral("MYHOST")), env.value(QStringLiteral("MYPORT")), database,
             env.value(QStringLiteral("MYUSER")), env.value(QStringLiteral("MYPASSWORD")));
}

// Writes the text to the file and names the file in the environment variable.
static void writeNamedFile(const char *variable, const QString &path, const QString &text)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(text.toUtf8());
    f.close();
    qputenv(variable, QFile::encodeName(path));
}

void UseOdbcIni(const QString &path, const QString &text)
{
    writeNamedFile("ODBCINI", path, text);
}

void UseAliasFile(const QString &path, const QString &text)
{
    writeNamedFile("VDQ_ALIASES", path, text);
    Sessions().CloseAll();
    Sessions().SetAliasFile(path);
}

QString PgAliasSection(const QString &alias, const QString &database)
{
    const auto env = PgEnv();
    return QStringLiteral("[%1]\nDriver=POSTGRESQL\nHost=%2\nPort=%3\nDatabase=%4\nUser=%5\n\n")
        .arg(alias, env.value(QStringLiteral("PGHOST")), env.value(QStringLiteral("PGPORT")),
             database.isEmpty() ? env.value(QStringLiteral("PGDATABASE")) : database,
             env.value(QStringLiteral("PGUSER")));
}

QString PgPasswordAliasSection(const QString &alias, const std::optional<QString> &password)
{
    const auto env = PgEnv();
    QString section = QStringLiteral("[%1]\nDriver=POSTGRESQL\nHost=%2\nPort=%3\nDatabase=%4\nUser=%5\n")
                          .arg(alias, env.value(QStringLiteral("PGHOST")), env.value(QStringLiteral("PGPORT")),
                               env.value(QStringLiteral("PGDATABASE")), env.value(QStringLiteral("PGPASSUSER")));
    if (password)
        section += QStringLiteral("Password=%1\n").arg(*password);
    return section + u'\n';
}

QMap<QString, QString> ChinookEnv(const QString &envFile)
{
    QMap<QString, QString> env;
    QFile file(envFile);
    if (!file.open(QIODevice::ReadOnly))
        return env;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq > 0)
            env.insert(QString::fromUtf8(line.left(eq)), QString::fromUtf8(line.mid(eq + 1)));
    }
    return env;
}

QString ChinookAliasSections(const QMap<QString, QString> &env)
{
    return QStringLiteral("[CH_SQLITE]\nDriver=STANDARD\nPath=%1\n\n").arg(env.value(QStringLiteral("CHINOOKSQLITE")))
           + PgAliasSection(QStringLiteral("CH_PG"), env.value(QStringLiteral("CHINOOKPGDATABASE")))
           + MariaDbAliasSection(QStringLiteral("CH_MARIADB"), MariaDbEnv().value(QStringLiteral("MYPASSWORD")),
                                 env.value(QStringLiteral("CHINOOKMYDATABASE")))
           + OdbcAliasSection(QStringLiteral("CH_ODBCPG"), env.value(QStringLiteral("CHINOOKODBCPGDSN")))
           + OdbcAliasSection(QStringLiteral("CH_ODBCMARIADB"), env.value(QStringLiteral("CHINOOKODBCMARIADBDSN")))
           + OdbcAliasSection(QStringLiteral("CH_ODBCSQLITE"), env.value(QStringLiteral("CHINOOKODBCSQLITEDSN")));
}

QString ChinookName(SqlDialect dialect, const QString &pascal)
{
    if (dialect != SqlDialect::PostgreSQL)
        return pascal;
    QString out;
    for (qsizetype i = 0; i < pascal.size(); ++i) {
        if (i > 0 && pascal.at(i).isUpper())
            out += u'_';
        out += pascal.at(i).toLower();
    }
    return out;
}

QString WrittenFor(SqlDialect dialect, QString sql)
{
    static const QRegularExpression name(QStringLiteral("\\{(\\w+)\\}"));
    QRegularExpressionMatch m;
    while ((m = name.match(sql)).hasMatch())
        sql.replace(m.capturedStart(), m.capturedLength(), ChinookName(dialect, m.captured(1)));
    if (dialect == SqlDialect::MySQL)
        sql.replace(u'"', u'`');
    return sql;
}

std::shared_ptr<int> AnswerModal(const QString &objectName, std::function<void(QWidget *)> answer,
                                 int timeoutMs)
{
    auto answered = std::make_shared<int>(0);
    const std::weak_ptr<int> counter = answered;
    auto *timer = new QTimer(QCoreApplication::instance());
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [=]() {
        const std::shared_ptr<int> count = counter.lock();
        if (!count || clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            return;
        }
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal->objectName() == objectName) {
            timer->stop();
            timer->deleteLater();
            ++*count;
            answer(modal);
        }
    });
    timer->start();
    return answered;
}

QString EngineAliases(const QString &sqliteFile)
{
    const auto odbc = OdbcEnv();
    if (PgEnv().isEmpty() || MariaDbEnv().isEmpty() || odbc.isEmpty())
        return QString();
    return QStringLiteral("[SHOP]\nDriver=STANDARD\nPath=%1\n\n").arg(sqliteFile) + PgAliasSection(QStringLiteral("WAREHOUSE"))
           + MariaDbAliasSection(QStringLiteral("MARIADB"), MariaDbEnv().value(QStringLiteral("MYPASSWORD")))
           + OdbcAliasSection(QStringLiteral("ODBCPG"), odbc.value(QStringLiteral("ODBCPGDSN")))
           + OdbcAliasSection(QStringLiteral("ODBCMARIADB"), odbc.value(QStringLiteral("ODBCMARIADBDSN")))
           + OdbcAliasSection(QStringLiteral("ODBCSQLITE"), odbc.value(QStringLiteral("ODBCSQLITEDSN")));
}

QStringList EngineAliasNames()
{
    return {QStringLiteral("SHOP"),        QStringLiteral("WAREHOUSE"), QStringLiteral("MARIADB"),
            QStringLiteral("ODBCPG"),      QStringLiteral("ODBCMARIADB"), QStringLiteral("ODBCSQLITE")};
}

void AddTextRows(const QStringList &aliases, const QList<QPair<const char *, QString>> &texts)
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("text");
    for (const QString &alias : aliases) {
        for (const auto &[name, text] : texts)
            QTest::addRow("%s %s", qPrintable(alias), name) << alias << text;
    }
}

QStringList SortedIntegerRows(QSqlQuery &query)
{
    QStringList rows;
    while (query.next()) {
        QStringList cells;
        for (int i = 0; i < query.record().count(); ++i)
            cells << (query.isNull(i) ? QStringLiteral("NULL") : QString::number(query.value(i).toLongLong()));
        rows << cells.join(u'|');
    }
    rows.sort();
    return rows;
}

} // namespace TestSupport
