// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "querydocument.h"
#include "sqlbuilders.h"
#include "sqldesignparser.h"
#include "tdatabase.h"
#include "testsupport.h"
#include "tsession.h"
#include "tsessionlist.h"
#include "vdqerror.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

// Design from SQL over statements people write: a hundred questions on the public Chinook
// sample, answered as tutorials and exercise solutions answer them (tests/chinook/queries.sql
// says how that file reads). On SQLite, PostgreSQL and MariaDB each statement runs first as
// written; then either the reader refuses it, which is counted under its reason, or the
// design's statement must give the same columns, named and ordered alike, and the same rows,
// and read back to a design whose statement is the same again, byte for byte. Every wrong
// statement of an engine is listed before that engine fails. Where the columns differ, the
// rows are still compared, cell by cell regardless of column order, to tell the two faults apart.
class TestRealQueries : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase() { Sessions().CloseAll(); }
    void roundTrip_data();
    void roundTrip();

private:
    QMap<QString, QString> m_chinook;
};

namespace {

struct Question
{
    int number = 0;
    QString text;
    bool ordered = false;  // its ORDER BY gives the rows one order only
    QMap<QString, QString> statements;  // by engine: sqlite, pg, mariadb
};

const QStringList Engines = {QStringLiteral("sqlite"), QStringLiteral("pg"), QStringLiteral("mariadb")};

// The questions of the file, or an empty list with the reason in *error.
QList<Question> readQuestions(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("cannot open %1").arg(path);
        return {};
    }
    static const QRegularExpression header(QStringLiteral("^-- (\\d+)\\. (.+)$"));
    static const QRegularExpression forEngines(QStringLiteral("^-- ((?:sqlite|pg|mariadb)(?:, (?:sqlite|pg|mariadb))*):$"));
    QList<Question> questions;
    QStringList engines = Engines;
    QString statement;
    int lineNumber = 0;
    auto fail = [&](const QString &why) {
        *error = QStringLiteral("%1 line %2: %3").arg(path).arg(lineNumber).arg(why);
        return QList<Question>();
    };
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString &line : lines) {
        ++lineNumber;
        const QRegularExpressionMatch h = header.match(line), e = forEngines.match(line);
        if (h.hasMatch() || e.hasMatch() || line == QLatin1String("-- ordered")) {
            if (!statement.isEmpty())
                return fail(QStringLiteral("the statement before has no \";\" at its end"));
            if (h.hasMatch()) {
                if (h.captured(1).toInt() != questions.size() + 1)
                    return fail(QStringLiteral("question %1 after %2").arg(h.captured(1)).arg(questions.size()));
                questions.append({h.captured(1).toInt(), h.captured(2), false, {}});
                engines = Engines;
            } else if (questions.isEmpty()) {
                return fail(QStringLiteral("no question yet"));
            } else if (e.hasMatch()) {
                engines = e.captured(1).split(QStringLiteral(", "));
            } else {
                questions.last().ordered = true;
            }
            continue;
        }
        if (line.startsWith(QLatin1String("--")) || (statement.isEmpty() && line.trimmed().isEmpty()))
            continue;
        if (questions.isEmpty())
            return fail(QStringLiteral("a statement before the first question"));
        statement += line + u'\n';
        if (!line.endsWith(u';'))
            continue;
        statement.chop(2);  // ";\n"
        for (const QString &engine : engines) {
            if (questions.last().statements.contains(engine))
                return fail(QStringLiteral("a second statement for %1").arg(engine));
            questions.last().statements.insert(engine, statement);
        }
        statement.clear();
    }
    if (!statement.isEmpty())
        return fail(QStringLiteral("the last statement has no \";\" at its end"));
    for (const Question &q : std::as_const(questions)) {
        if (q.statements.size() != Engines.size())
            return fail(QStringLiteral("question %1 is not answered for every engine").arg(q.number));
    }
    return questions;
}

// What a statement gave: its columns' names in order and its rows, each cell as text, NULL
// apart from every text. Floating-point values are compared to 12 digits, past the last bits
// that the order of adding up may change.
struct Result
{
    QString error;  // empty when it ran
    QStringList columns;
    QList<QStringList> rows;
};

Result run(const QSqlDatabase &db, const QString &sql)
{
    Result result;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(sql)) {
        result.error = query.lastError().text();
        return result;
    }
    const QSqlRecord record = query.record();
    for (int i = 0; i < record.count(); ++i)
        result.columns << record.fieldName(i);
    while (query.next()) {
        QStringList cells;
        for (int i = 0; i < record.count(); ++i) {
            const QVariant v = query.value(i);
            if (v.isNull())
                cells << QStringLiteral("NULL");
            else if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
                cells << QString::number(v.toDouble(), 'g', 12);
            else
                cells << u'\'' + v.toString() + u'\'';
        }
        result.rows << cells;
    }
    return result;
}

QList<QStringList> sorted(QList<QStringList> rows)
{
    std::sort(rows.begin(), rows.end());
    return rows;
}

// The rows with each row's cells sorted: the same for two results whose columns differ in
// order only.
QList<QStringList> cellsSorted(QList<QStringList> rows)
{
    for (QStringList &row : rows)
        row.sort();
    return sorted(rows);
}

// Up to three rows that only one side has, for a failure's message.
QString rowsDiff(const QList<QStringList> &want, const QList<QStringList> &got)
{
    QList<QStringList> onlyWant, onlyGot;
    const QList<QStringList> w = sorted(want), g = sorted(got);
    std::set_difference(w.begin(), w.end(), g.begin(), g.end(), std::back_inserter(onlyWant));
    std::set_difference(g.begin(), g.end(), w.begin(), w.end(), std::back_inserter(onlyGot));
    auto some = [](const QList<QStringList> &rows) {
        QStringList out;
        for (const QStringList &row : rows.mid(0, 3))
            out << row.join(QStringLiteral(", "));
        return out.join(QStringLiteral("; ")) + (rows.size() > 3 ? QStringLiteral("; ...") : QString());
    };
    if (onlyWant.isEmpty() && onlyGot.isEmpty())
        return QStringLiteral("the same %1 rows in another order").arg(want.size());
    return QStringLiteral("%1 rows, design's %2; only the original's: %3; only the design's: %4")
        .arg(want.size()).arg(got.size()).arg(some(onlyWant), some(onlyGot));
}

// What the reader is given of a database, as Design from SQL gives it.
SqlDesignSource designSource(TSession *session, const QString &alias)
{
    return session->DesignSource(alias);
}

// The statement of the design read from sql, as the designer's SQL editor holds it.
QString designStatement(const QString &sql, const SqlDesignSource &source)
{
    const QueryDefinition read = DesignFromSql(sql, source);
    return GenerateSQLText(DesignOf(StateFromDefinition(read, source.tableFields), source.style));
}

// "The design cannot show a subquery (line 2, column 7)." is refused for "a subquery".
QString refusal(const QString &message)
{
    static const QRegularExpression shown(QStringLiteral("^The design cannot show (.*) \\(line \\d+, column \\d+\\)\\.$"),
                                          QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = shown.match(message);
    return m.hasMatch() ? m.captured(1) : message;
}

} // namespace

void TestRealQueries::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_chinook = TestSupport::ChinookEnv(QStringLiteral(VDQ_CHINOOK_ENV_FILE));
    QVERIFY2(!m_chinook.isEmpty(), "the Chinook set-up of the test run did not run");
    static QTemporaryDir dir;
    TestSupport::UseAliasFile(dir.filePath("aliases.ini"), TestSupport::ChinookAliasSections(m_chinook));
}

void TestRealQueries::roundTrip_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("alias");
    QTest::addColumn<int>("names");  // how the engine behind the connection spells and quotes names
    const int sqlite = int(SqlDialect::SQLite), pg = int(SqlDialect::PostgreSQL), mysql = int(SqlDialect::MySQL);
    QTest::newRow("sqlite") << "sqlite" << "CH_SQLITE" << sqlite;
    QTest::newRow("pg") << "pg" << "CH_PG" << pg;
    QTest::newRow("mariadb") << "mariadb" << "CH_MARIADB" << mysql;
    QTest::newRow("odbc to sqlite") << "sqlite" << "CH_ODBCSQLITE" << sqlite;
    QTest::newRow("odbc to pg") << "pg" << "CH_ODBCPG" << pg;
    QTest::newRow("odbc to mariadb") << "mariadb" << "CH_ODBCMARIADB" << mysql;
}

void TestRealQueries::roundTrip()
{
    QFETCH(QString, engine);
    QFETCH(QString, alias);
    QFETCH(int, names);
    if (m_chinook.value("CHINOOK") != QLatin1String("present"))
        QSKIP("the public Chinook sample is not beside the project (../shared/data/chinook)");
    QString error;
    const QList<Question> questions = readQuestions(QStringLiteral(VDQ_SOURCE_DIR "/tests/chinook/queries.sql"), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));

    QElapsedTimer timer;
    timer.start();
    TSession *session = Sessions().DefaultSession();
    TDatabase *database = session->OpenDatabase(alias);
    const QSqlDatabase db = database->Connection();
    const SqlDesignSource source = designSource(session, alias);
    QMap<QString, int> refused;  // by reason
    int accepted = 0, originalsNotRun = 0, wrong = 0, notRun = 0, otherColumns = 0, wrongRows = 0, unstable = 0;
    QStringList failures;
    for (const Question &q : questions) {
        const QString sql = TestSupport::WrittenFor(SqlDialect(names), q.statements.value(engine));
        const QString title = QStringLiteral("%1. %2\n    %3").arg(q.number).arg(q.text, QString(sql).replace(u'\n', u' '));
        const Result want = run(db, sql);
        if (!want.error.isEmpty()) {
            ++originalsNotRun;
            failures << QStringLiteral("%1\n  the original does not run: %2").arg(title, want.error);
            continue;
        }
        QString generated;
        try {
            generated = designStatement(sql, source);
        } catch (const VdqError &e) {
            ++refused[refusal(e.message())];
            continue;
        }
        ++accepted;
        const QString shown = QStringLiteral("%1\n  design's: %2").arg(title, QString(generated).replace(u'\n', u' '));
        const Result got = run(db, generated);
        if (!got.error.isEmpty()) {
            ++notRun;
            ++wrong;
            failures << QStringLiteral("%1\n  the design's statement does not run: %2").arg(shown, got.error);
            continue;
        }
        const bool sameColumns = got.columns == want.columns;
        const bool sameRows = sameColumns ? (q.ordered ? got.rows == want.rows : sorted(got.rows) == sorted(want.rows))
                                          : cellsSorted(got.rows) == cellsSorted(want.rows);
        wrong += !sameColumns || !sameRows;
        if (!sameColumns) {
            ++otherColumns;
            failures << QStringLiteral("%1\n  columns (%2), design's (%3)")
                       .arg(shown, want.columns.join(QStringLiteral(", ")), got.columns.join(QStringLiteral(", ")));
        }
        if (!sameRows) {
            ++wrongRows;
            failures << QStringLiteral("%1\n  other rows%2: %3")
                            .arg(shown, sameColumns ? QString() : QStringLiteral(", columns aside"), rowsDiff(want.rows, got.rows));
        }
        QString again;
        try {
            again = designStatement(generated, source);
        } catch (const VdqError &e) {
            again = QStringLiteral("(refused: %1)").arg(e.message());
        }
        if (again != generated) {
            ++unstable;
            failures << QStringLiteral("%1\n  read again: %2").arg(shown, again.replace(u'\n', u' '));
        }
    }

    const int total = int(questions.size());
    QList<QPair<int, QString>> reasons;
    int refusedCount = 0;
    for (auto it = refused.cbegin(); it != refused.cend(); ++it) {
        reasons.append({-it.value(), it.key()});
        refusedCount += it.value();
    }
    std::sort(reasons.begin(), reasons.end());
    qInfo().noquote() << QStringLiteral("chinook %1: accepted %2/%3, refused %4/%3, not run as written %5/%3")
                             .arg(alias).arg(accepted).arg(total).arg(refusedCount).arg(originalsNotRun);
    for (const auto &[count, reason] : std::as_const(reasons))
        qInfo().noquote() << QStringLiteral("  %1  %2").arg(-count, 3).arg(reason);
    qInfo().noquote() << QStringLiteral("chinook %1: %2 of %3 accepted, %4 wrong (%5 with other columns, %6 with other "
                                        "rows, %7 whose statement does not run), %8 unstable; %9 s")
                             .arg(alias).arg(accepted).arg(total).arg(wrong)
                             .arg(otherColumns).arg(wrongRows).arg(notRun).arg(unstable)
                             .arg(timer.elapsed() / 1000.0, 0, 'f', 1);
    if (!failures.isEmpty())
        QFAIL(qPrintable(QStringLiteral("%1 failures on %2:\n").arg(failures.size()).arg(engine)
                         + failures.join(u'\n')));
}

QTEST_MAIN(TestRealQueries)
#include "tst_realqueries.moc"
