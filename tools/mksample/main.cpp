// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause
// vdqmksample: builds the sample database SHOP from its SQL script.
//
//   vdqmksample [--no-big] --sqlite FILE SCRIPT
//   vdqmksample [--no-big] --postgresql "host=.. port=.. dbname=.. user=.." SCRIPT
//   vdqmksample [--no-big] --mysql "host=.. port=.. dbname=.. user=.. password=.." SCRIPT
//
// The script is plain SQL that both engines read; for PostgreSQL a few tokens are
// rewritten (BLOB -> BYTEA, X'hex' blob literals -> bytea literals). The large table
// MySQL/MariaDB reads it with the session in ANSI_QUOTES and NO_BACKSLASH_ESCAPES. The large table
// "ledger" is filled by the engine itself after the script ran, unless --no-big is given.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kLedgerRows = 1000000;
const char *const kConnection = "vdqmksample";

enum class Target { SQLite, PostgreSQL, MySQL };

struct Statement
{
    QString text;
    int line = 1;  // line of the script where the statement starts
};

QString g_building;  // SQLite: the file being written, renamed into place at the end

void fail(const QString &message)
{
    std::fprintf(stderr, "vdqmksample: %s\n", qPrintable(message));
    if (!g_building.isEmpty())
        QFile::remove(g_building);  // never leave half a database behind
    std::exit(1);
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

// Splits the script at ";" outside strings, quoted names and comments; for PostgreSQL
// it rewrites the two blob spellings on the way, so string contents are never touched.
QList<Statement> splitScript(const QString &script, Target target)
{
    QList<Statement> result;
    QString current;
    int line = 1;
    int startLine = 1;
    bool empty = true;  // nothing but blanks and comments in the current statement yet
    const int n = script.size();
    auto push = [&]() {
        if (!empty)
            result.append({current.trimmed(), startLine});
        current.clear();
        empty = true;
    };
    for (int i = 0; i < n; ++i) {
        const QChar c = script.at(i);
        if (c == u'\n')
            ++line;
        if (empty && !c.isSpace() && !(c == u'-' && i + 1 < n && script.at(i + 1) == u'-')
            && !(c == u'/' && i + 1 < n && script.at(i + 1) == u'*')) {
            empty = false;
            startLine = line;
        }
        if (c == u'-' && i + 1 < n && script.at(i + 1) == u'-') {
            while (i < n && script.at(i) != u'\n')
                ++i;
            if (i < n) {
                ++line;
                current += u'\n';
            }
            continue;
        }
        if (c == u'/' && i + 1 < n && script.at(i + 1) == u'*') {
            const int end = script.indexOf(QStringLiteral("*/"), i + 2);
            const int stop = end < 0 ? n : end + 2;
            line += int(QStringView(script).mid(i, stop - i).count(u'\n'));
            current += u' ';
            i = stop - 1;
            continue;
        }
        if (c == u'\'' || c == u'"') {
            // A string or a quoted name, with doubled quotes inside.
            const bool blob = target == Target::PostgreSQL && c == u'\'' && i > 0
                              && (script.at(i - 1) == u'X' || script.at(i - 1) == u'x')
                              && (i < 2 || !isWordChar(script.at(i - 2)));
            int j = i + 1;
            for (; j < n; ++j) {
                if (script.at(j) == c) {
                    if (j + 1 < n && script.at(j + 1) == c) {
                        ++j;
                        continue;
                    }
                    break;
                }
            }
            if (j >= n)
                fail(QStringLiteral("line %1: unterminated %2").arg(line).arg(c == u'"' ? QStringLiteral("quoted name") : QStringLiteral("string")));
            const QString token = script.mid(i, j - i + 1);
            line += int(token.count(u'\n'));
            if (blob) {
                current.chop(1);  // the X
                current += QStringLiteral("'\\x") + token.mid(1, token.size() - 2) + QStringLiteral("'::bytea");
            } else {
                current += token;
            }
            i = j;
            continue;
        }
        if (c == u';') {
            push();
            continue;
        }
        if (target == Target::PostgreSQL && isWordChar(c) && (i == 0 || !isWordChar(script.at(i - 1)))) {
            int j = i;
            while (j < n && isWordChar(script.at(j)))
                ++j;
            const QString word = script.mid(i, j - i);
            current += word.compare(QLatin1String("BLOB"), Qt::CaseInsensitive) == 0 ? QStringLiteral("BYTEA") : word;
            i = j - 1;
            continue;
        }
        current += c;
    }
    push();
    return result;
}

QString errorText(const QSqlError &error)
{
    const QString db = error.databaseText().trimmed();
    return db.isEmpty() ? error.driverText().trimmed() : db;
}

void run(QSqlDatabase &db, const QString &sql, const QString &where)
{
    QSqlQuery q(db);
    if (!q.exec(sql))
        fail(QStringLiteral("%1: %2").arg(where, errorText(q.lastError())));
}

QString ledgerInsert(Target target)
{
    const QString rows = QString::number(kLedgerRows);
    if (target == Target::SQLite) {
        return QStringLiteral(
                   "INSERT INTO ledger (\"EntryNo\", \"EntryDay\", \"ClientNo\", \"Amount\", \"Text\") "
                   "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                   "SELECT i, date('2003-01-01', '+' || (i % 365) || ' days'), 1001 + i % 30, "
                   "((i % 100000) * 7919 % 100000) / 100.0, 'Entry ' || i FROM n")
            .arg(rows);
    }
    if (target == Target::MySQL) {
        return QStringLiteral(
                   "INSERT INTO ledger (\"EntryNo\", \"EntryDay\", \"ClientNo\", \"Amount\", \"Text\") "
                   "SELECT i, DATE '2003-01-01' + INTERVAL (i % 365) DAY, 1001 + i % 30, "
                   "((i % 100000) * 7919 % 100000) / 100.0, CONCAT('Entry ', i) "
                   "FROM (SELECT seq AS i FROM seq_1_to_%1) AS g")
            .arg(rows);
    }
    return QStringLiteral(
               "INSERT INTO ledger (\"EntryNo\", \"EntryDay\", \"ClientNo\", \"Amount\", \"Text\") "
               "SELECT i, DATE '2003-01-01' + (i % 365), 1001 + i % 30, "
               "((i % 100000) * 7919 % 100000) / 100.0, 'Entry ' || i "
               "FROM generate_series(1, %1) AS g(i)")
        .arg(rows);
}

// libpq's "key=value key='quoted value'" connection string.
QMap<QString, QString> parseConnInfo(const QString &text)
{
    QMap<QString, QString> map;
    int i = 0;
    const int n = text.size();
    while (i < n) {
        while (i < n && text.at(i).isSpace())
            ++i;
        if (i >= n)
            break;
        const int eq = text.indexOf(u'=', i);
        if (eq < 0)
            fail(QStringLiteral("malformed connection string: %1").arg(text));
        const QString key = text.mid(i, eq - i).trimmed();
        i = eq + 1;
        while (i < n && text.at(i).isSpace())
            ++i;
        QString value;
        if (i < n && text.at(i) == u'\'') {
            ++i;
            while (i < n && text.at(i) != u'\'') {
                if (text.at(i) == u'\\' && i + 1 < n)
                    ++i;
                value += text.at(i++);
            }
            ++i;
        } else {
            while (i < n && !text.at(i).isSpace())
                value += text.at(i++);
        }
        map.insert(key, value);
    }
    return map;
}

void usage()
{
    std::fprintf(stderr,
                 "usage: vdqmksample [--no-big] --sqlite FILE SCRIPT\n"
                 "       vdqmksample [--no-big] --postgresql CONNINFO SCRIPT\n"
                 "       vdqmksample [--no-big] --mysql CONNINFO SCRIPT\n");
    std::exit(2);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    bool big = true;
    if (!args.isEmpty() && args.first() == QLatin1String("--no-big")) {
        big = false;
        args.removeFirst();
    }
    if (args.size() != 3)
        usage();
    Target target;
    if (args.at(0) == QLatin1String("--sqlite"))
        target = Target::SQLite;
    else if (args.at(0) == QLatin1String("--postgresql"))
        target = Target::PostgreSQL;
    else if (args.at(0) == QLatin1String("--mysql"))
        target = Target::MySQL;
    else
        usage();
    const QString destination = args.at(1);
    const QString scriptFile = args.at(2);

    QFile file(scriptFile);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read %1: %2").arg(scriptFile, file.errorString()));
    const QString script = QString::fromUtf8(file.readAll());
    file.close();
    const QList<Statement> statements = splitScript(script, target);
    if (statements.isEmpty())
        fail(QStringLiteral("%1 holds no statement").arg(scriptFile));

    QElapsedTimer timer;
    timer.start();
    {
        QSqlDatabase db;
        if (target == Target::SQLite) {
            const QFileInfo dest(destination);
            if (!dest.absoluteDir().exists())
                fail(QStringLiteral("folder %1 does not exist").arg(dest.absolutePath()));
            g_building = dest.absoluteFilePath() + QStringLiteral(".building");
            QFile::remove(g_building);
            db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QLatin1String(kConnection));
            db.setDatabaseName(g_building);
        } else {
            const auto info = parseConnInfo(destination);
            const bool mysql = target == Target::MySQL;
            db = QSqlDatabase::addDatabase(mysql ? QStringLiteral("QMYSQL") : QStringLiteral("QPSQL"),
                                           QLatin1String(kConnection));
            QStringList options;
            for (auto it = info.cbegin(); it != info.cend(); ++it) {
                if (it.key() == QLatin1String("host") || it.key() == QLatin1String("hostaddr"))
                    db.setHostName(it.value());
                else if (it.key() == QLatin1String("port"))
                    db.setPort(it.value().toInt());
                else if (it.key() == QLatin1String("dbname"))
                    db.setDatabaseName(it.value());
                else if (it.key() == QLatin1String("user"))
                    db.setUserName(it.value());
                else if (it.key() == QLatin1String("password"))
                    db.setPassword(it.value());
                else
                    options << it.key() + u'=' + it.value();
            }
            if (mysql)
                options << QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=10");
            else if (!info.contains(QStringLiteral("connect_timeout")))
                options << QStringLiteral("connect_timeout=10");
            db.setConnectOptions(options.join(u';'));
        }
        if (!db.isValid())
            fail(QStringLiteral("the Qt SQL driver for this engine is not installed"));
        if (!db.open())
            fail(QStringLiteral("cannot open %1: %2").arg(destination, errorText(db.lastError())));
        if (target == Target::SQLite) {
            // A fresh file that is renamed into place: no journal needed while building.
            run(db, QStringLiteral("PRAGMA journal_mode = OFF"), QStringLiteral("setup"));
            run(db, QStringLiteral("PRAGMA synchronous = OFF"), QStringLiteral("setup"));
        }
        if (target == Target::MySQL) {
            // The script's "..." are names and its strings hold no escapes.
            run(db, QStringLiteral("SET SESSION sql_mode = 'ANSI_QUOTES,NO_BACKSLASH_ESCAPES,STRICT_TRANS_TABLES'"),
                QStringLiteral("setup"));
        }
        if (!db.transaction())
            fail(QStringLiteral("cannot begin a transaction: %1").arg(errorText(db.lastError())));
        for (const Statement &s : statements)
            run(db, s.text, QStringLiteral("%1:%2").arg(scriptFile).arg(s.line));
        if (big)
            run(db, ledgerInsert(target), QStringLiteral("generating ledger"));
        if (!db.commit())
            fail(QStringLiteral("cannot commit: %1").arg(errorText(db.lastError())));
        if (target == Target::PostgreSQL)
            run(db, QStringLiteral("ANALYZE"), QStringLiteral("analyze"));
        else if (target == Target::MySQL)
            run(db, QStringLiteral("ANALYZE TABLE ledger"), QStringLiteral("analyze"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QLatin1String(kConnection));

    if (target == Target::SQLite) {
        QFile::remove(destination);
        if (!QFile::rename(g_building, destination))
            fail(QStringLiteral("cannot move %1 to %2").arg(g_building, destination));
    }
    std::printf("vdqmksample: %lld statements%s in %lld ms\n", qlonglong(statements.size()),
                big ? " and 1,000,000 ledger rows" : "", qlonglong(timer.elapsed()));
    return 0;
}
