#include "naming.h"
#include "selectforms.h"
#include "sqlbuilders.h"
#include "tdatabase.h"
#include "testsupport.h"
#include "tsession.h"
#include "tsessionlist.h"
#include "vdqerror.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

// Designs over the public Chinook sample (a schema this project did not write), on every
// engine of the test run: each gives the rows of a statement written by hand for the same
// question in another form. PostgreSQL's Chinook names everything in snake case
// (invoice_line.track_id), the others in Pascal case (InvoiceLine.TrackId).
class TestChinook : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void designsGiveTheRowsWrittenByHand_data();
    void designsGiveTheRowsWrittenByHand();

private:
    QMap<QString, QString> m_env;
};

namespace {

const QStringList Aliases = {"SQLITE", "POSTGRESQL", "MARIADB", "ODBCPG", "ODBCSQLITE"};

bool snakeCase(const QString &alias)
{
    return alias == QLatin1String("POSTGRESQL") || alias == QLatin1String("ODBCPG");
}

// A Chinook name as the engine's script spells it.
QString chinookName(const QString &alias, const QString &pascal)
{
    if (!snakeCase(alias))
        return pascal;
    QString out;
    for (qsizetype i = 0; i < pascal.size(); ++i) {
        if (i > 0 && pascal.at(i).isUpper())
            out += u'_';
        out += pascal.at(i).toLower();
    }
    return out;
}

// A hand-written statement with {Name} for each Chinook name.
QString written(const QString &alias, QString sql)
{
    static const QRegularExpression name(QStringLiteral("\\{(\\w+)\\}"));
    QRegularExpressionMatch m;
    while ((m = name.match(sql)).hasMatch())
        sql.replace(m.capturedStart(), m.capturedLength(), chinookName(alias, m.captured(1)));
    return sql;
}

// A design in Pascal-case names: "Table" or "Table AS alias"; "Table.Field" ticks and rows.
struct Question
{
    QStringList tables;
    QStringList ticked;  // "Table.Field" in column order of the canvas
    struct Link
    {
        QString from, to;  // "Table.Field" (alias.Field for a second window)
        JoinType type;
    };
    QList<Link> links;
    QStringList rows;  // Conditions rows after the links' own: "Table.Field|=|'Jazz'|OR"
};

} // namespace

Q_DECLARE_METATYPE(Question)

void TestChinook::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QFile envFile(QStringLiteral(VDQ_CHINOOK_ENV_FILE));
    QVERIFY2(envFile.open(QIODevice::ReadOnly), "the Chinook set-up of the test run did not run");
    for (const QByteArray &line : envFile.readAll().split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq > 0)
            m_env.insert(QString::fromUtf8(line.left(eq)), QString::fromUtf8(line.mid(eq + 1)));
    }
    if (m_env.value("CHINOOK") == QLatin1String("absent"))
        QSKIP("the public Chinook sample is not beside the project (../shared/data/chinook)");
    static QTemporaryDir dir;
    TestSupport::UseAliasFile(
        dir.filePath("aliases.ini"),
        QStringLiteral("[SQLITE]\nDriver=STANDARD\nPath=%1\n\n").arg(m_env.value("CHINOOKSQLITE"))
            + TestSupport::PgAliasSection(QStringLiteral("POSTGRESQL"), m_env.value("CHINOOKPGDATABASE"))
            + TestSupport::MariaDbAliasSection(QStringLiteral("MARIADB"), TestSupport::MariaDbEnv().value("MYPASSWORD"),
                                               m_env.value("CHINOOKMYDATABASE"))
            + TestSupport::OdbcAliasSection(QStringLiteral("ODBCPG"), m_env.value("CHINOOKODBCPGDSN"))
            + TestSupport::OdbcAliasSection(QStringLiteral("ODBCSQLITE"), m_env.value("CHINOOKODBCSQLITEDSN")));
}

void TestChinook::cleanupTestCase()
{
    Sessions().CloseAll();
}

void TestChinook::designsGiveTheRowsWrittenByHand_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<Question>("question");
    QTest::addColumn<QString>("byHand");
    QTest::addColumn<int>("rowCount");
    const JoinType I = JoinType::Inner, L = JoinType::Left, R = JoinType::Right;
    struct Case
    {
        const char *name;
        Question question;
        const char *byHand;
        int rowCount;
    };
    const QList<Case> cases = {
        {"Jazz or Blues tracks",
         {{"Track", "Genre"}, {"Track.TrackId"}, {{"Track.GenreId", "Genre.GenreId", I}},
          {"Genre.Name|= (Equals)|'Jazz'|OR", "Genre.Name|= (Equals)|'Blues'|AND"}},
         "SELECT {TrackId} FROM {Track} WHERE {GenreId} IN (SELECT {GenreId} FROM {Genre} WHERE {Name} IN "
         "('Jazz', 'Blues'))",
         211},
        {"every artist with the tracks of their albums",
         {{"Artist", "Album", "Track"}, {"Artist.ArtistId", "Track.TrackId"},
          {{"Artist.ArtistId", "Album.ArtistId", L}, {"Album.AlbumId", "Track.AlbumId", I}}, {}},
         "SELECT {Artist}.{ArtistId}, x.t FROM {Artist} LEFT JOIN (SELECT {Album}.{ArtistId} AS a, {Track}.{TrackId} "
         "AS t FROM {Album}, {Track} WHERE {Album}.{AlbumId} = {Track}.{AlbumId}) x ON x.a = {Artist}.{ArtistId}",
         3574},
        {"every track of a media type with its invoice lines",
         {{"InvoiceLine", "Track", "MediaType"}, {"InvoiceLine.InvoiceLineId", "Track.TrackId", "MediaType.MediaTypeId"},
          {{"InvoiceLine.TrackId", "Track.TrackId", R}, {"Track.MediaTypeId", "MediaType.MediaTypeId", I}}, {}},
         "SELECT {InvoiceLine}.{InvoiceLineId}, x.t, x.m FROM (SELECT {Track}.{TrackId} AS t, "
         "{MediaType}.{MediaTypeId} AS m FROM {Track} JOIN {MediaType} ON {Track}.{MediaTypeId} = "
         "{MediaType}.{MediaTypeId}) x LEFT JOIN {InvoiceLine} ON {InvoiceLine}.{TrackId} = x.t",
         3759},
        {"every employee with their manager: the table twice",
         {{"Employee", "Employee AS Employee_1"}, {"Employee.EmployeeId", "Employee_1.EmployeeId"},
          {{"Employee.ReportsTo", "Employee_1.EmployeeId", L}}, {}},
         "SELECT e.{EmployeeId}, (SELECT m.{EmployeeId} FROM {Employee} m WHERE m.{EmployeeId} = e.{ReportsTo}) "
         "FROM {Employee} e",
         8},
        {"customers of two countries with their invoices, an OR beside a left link",
         {{"Customer", "Invoice"}, {"Customer.CustomerId", "Invoice.InvoiceId"},
          {{"Customer.CustomerId", "Invoice.CustomerId", L}},
          {"Customer.Country|= (Equals)|'Brazil'|OR", "Customer.Country|= (Equals)|'Canada'|AND"}},
         "SELECT c.{CustomerId}, i.{InvoiceId} FROM {Customer} c, {Invoice} i WHERE i.{CustomerId} = c.{CustomerId} "
         "AND c.{Country} IN ('Brazil', 'Canada')",
         91},
    };
    for (const QString &alias : Aliases) {
        for (const Case &c : cases)
            QTest::addRow("%s %s", qPrintable(alias), c.name) << alias << c.question << QString(c.byHand) << c.rowCount;
    }
}

void TestChinook::designsGiveTheRowsWrittenByHand()
{
    QFETCH(QString, alias);
    QFETCH(Question, question);
    QFETCH(QString, byHand);
    QFETCH(int, rowCount);
    TSession *session = Sessions().DefaultSession();
    TDatabase *database = session->OpenDatabase(alias);
    QueryDesign design;
    design.style = database->Style();
    QStringList pascalAliases;  // the windows as the question names them
    for (const QString &spec : question.tables) {
        const QStringList parts = spec.split(QStringLiteral(" AS "));
        const QString table = chinookName(alias, parts.at(0));
        DesignTable t{table, session->ListTableFields(alias, table), {}, {}};
        if (parts.size() > 1)
            t.alias = chinookName(alias, parts.at(1));
        pascalAliases << parts.value(1, parts.at(0));
        design.tables << t;
    }
    const QStringList aliases = TableAliases(design.tables);
    for (DesignTable &t : design.tables)
        t.checked = QList<bool>(t.fields.size(), false);
    // "Table.Field" of the question: the window's index and the field's name in this engine.
    auto locate = [&](const QString &pascal) {
        const QStringList parts = pascal.split(u'.');
        return qMakePair(int(pascalAliases.indexOf(parts.at(0))), chinookName(alias, parts.at(1)));
    };
    auto ref = [&](const QString &pascal) {
        const auto [table, field] = locate(pascal);
        return AliasFieldReference(aliases.at(table), field, design.style);
    };
    for (const QString &tick : question.ticked) {
        const auto [table, field] = locate(tick);
        const qsizetype f = design.tables.at(table).fields.indexOf(field);
        QVERIFY2(f >= 0, qPrintable(tick));
        design.tables[table].checked[f] = true;
    }
    for (const Question::Link &l : question.links) {
        const ConditionRow row{ref(l.from), "=", ref(l.to), "AND"};
        design.conditions << row;
        const int from = locate(l.from).first, to = locate(l.to).first;
        design.links << DesignLink{design.tables.at(from).caption, design.tables.at(to).caption, ConditionText(row),
                                   l.type, aliases.at(from), aliases.at(to)};
    }
    for (const QString &text : question.rows) {
        const QStringList parts = text.split(u'|');
        design.conditions << ConditionRow{ref(parts.at(0)), parts.at(1), parts.at(2), parts.at(3)};
    }

    const QString statement = GenerateSQLText(design);
    QSqlQuery generated(database->Connection()), hand(database->Connection());
    generated.setForwardOnly(true);
    hand.setForwardOnly(true);
    QVERIFY2(generated.exec(statement), qPrintable(statement + "\n-> " + generated.lastError().text()));
    const QStringList got = TestSupport::SortedIntegerRows(generated);
    const QString handText = written(alias, byHand);
    QVERIFY2(hand.exec(handText), qPrintable(handText + "\n-> " + hand.lastError().text()));
    const QStringList want = TestSupport::SortedIntegerRows(hand);
    QVERIFY2(got == want, qPrintable(QStringLiteral("%1\n-> %2 rows, by hand %3").arg(statement).arg(got.size()).arg(want.size())));
    QCOMPARE(got.size(), rowCount);
}

QTEST_MAIN(TestChinook)
#include "tst_chinook.moc"
