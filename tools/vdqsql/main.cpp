// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause
// vdqsql: the SQL statement of a saved design, without a window, and the design of a
// statement.
//
//   vdqsql [--aliases FILE] [--database ALIAS] DESIGN.vdq
//   vdqsql --to-design [--aliases FILE] --database ALIAS FILE.sql
//
// The design is read as the designer's Open command reads it (session and database from
// the file unless --database names another, fields from the database, ticks and rows from
// the file) and the statement the SQL editor would then hold goes to standard output, each
// line followed by "\n". With --to-design the statement in FILE.sql is read as the designer's
// "Design from SQL" reads it, with the tables and fields of the database ALIAS of the default
// session, and the design goes to standard output as the designer saves it (CR LF). On any
// error (a statement no design can show among them) the message goes to standard error, nothing to
// standard output, and the exit status is 1. --aliases takes the place of VDQ_ALIASES.
// Names in messages come from files and databases: their control characters are shown
// escaped, so that a name cannot retitle or clear the terminal; so is the statement when
// standard output is a terminal (sent elsewhere it stays exactly as generated). --help and
// --version answer on standard output with status 0, whatever else is given.

#include "querydocument.h"
#include "fileaccess.h"
#include "profilefile.h"
#include "sqlbuilders.h"
#include "sqldesignparser.h"
#include "sqltextfile.h"
#include "tdatabase.h"
#include "tsession.h"
#include "tsessionlist.h"
#include "vdqerror.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <unistd.h>

namespace {

struct Options
{
    QString aliases;
    QString database;
    QString design;  // the design file, or with toDesign the SQL file
    bool toDesign = false;
    bool help = false;  // asked for the usage: it goes to standard output, and that is success
    bool version = false;
};

const char *const kUsage = "usage: vdqsql [--aliases FILE] [--database ALIAS] DESIGN.vdq\n"
                           "       vdqsql --to-design [--aliases FILE] --database ALIAS FILE.sql";

// C0 and C1 control characters and DEL as \xHH;
// line breaks and tabs stay, as the messages' own lines use them.
QByteArray Printable(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\n' && u != u'\t') || (u >= 0x7F && u <= 0x9F))
            out += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out.toUtf8();
}

// The argument QCommandLineParser stopped at, for the message vdqsql has always given: an
// unknown option or a value given to a switch. Empty when the parser missed only a value.
QString offendingArgument(const QStringList &args, const QCommandLineParser &parser)
{
    const QStringList unknown = parser.unknownOptionNames();
    for (int i = 1; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == QLatin1String("--"))
            break;
        if (arg.size() < 2 || !arg.startsWith(u'-'))
            continue;
        const QString name = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1).section(u'=', 0, 0);
        const bool takesValue = name == QLatin1String("aliases") || name == QLatin1String("database");
        if (unknown.contains(name) || (arg.contains(u'=') && !takesValue))
            return arg;
        if (takesValue && !arg.contains(u'='))
            ++i;  // its value, whatever it looks like
    }
    return QString();
}

Options parseArguments(QCommandLineParser &parser, const QStringList &args)
{
    const QCommandLineOption aliases(QStringLiteral("aliases"),
                                     QStringLiteral("Read the aliases from FILE instead of VDQ_ALIASES or the "
                                                    "configuration folder's aliases.ini."),
                                     QStringLiteral("FILE"));
    const QCommandLineOption database(QStringLiteral("database"),
                                      QStringLiteral("Open the design on the database ALIAS instead of its own; "
                                                     "with --to-design, the database whose tables the statement names."),
                                      QStringLiteral("ALIAS"));
    const QCommandLineOption toDesign(QStringLiteral("to-design"),
                                      QStringLiteral("Read FILE.sql and write its design as the designer saves it."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    // "-aliases" is "--aliases", not the switches a, l, i, ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral("Writes the SQL statement of a saved design, or the design of a statement."));
    parser.addOption(help);
    parser.addVersionOption();
    parser.addOptions({aliases, database, toDesign});
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("The design (.vdq), or with --to-design the SQL file."),
                                 QStringLiteral("DESIGN.vdq|FILE.sql"));
    if (!parser.parse(args)) {
        const QString arg = offendingArgument(args, parser);
        if (!arg.isEmpty())
            throw VdqError(QStringLiteral("unknown argument %1\n").arg(arg) + QLatin1String(kUsage));
        // Left: an option whose value is missing, which can only be the last argument.
        throw VdqError(QStringLiteral("%1 needs a value").arg(args.last()));
    }
    Options options;
    options.help = parser.isSet(help);
    options.version = parser.isSet(QStringLiteral("version"));
    options.aliases = parser.value(aliases);
    options.database = parser.value(database);
    options.toDesign = parser.isSet(toDesign);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        throw VdqError(QStringLiteral("unknown argument %1\n").arg(files.at(1)) + QLatin1String(kUsage));
    options.design = files.value(0);
    if (options.help || options.version)
        return options;
    if (options.design.isEmpty())
        throw VdqError(QLatin1String(kUsage));
    if (options.toDesign && options.database.isEmpty())
        throw VdqError(QStringLiteral("--to-design needs --database ALIAS\n") + QLatin1String(kUsage));
    return options;
}

// The usage lines, then the options as QCommandLineParser describes them.
QByteArray helpText(const QCommandLineParser &parser)
{
    const QString described = parser.helpText();
    return QByteArray(kUsage) + '\n' + described.mid(described.indexOf(u'\n')).toUtf8();
}

QByteArray statementOf(const Options &options)
{
    // A missing design is an error here, not an empty design as in the designer.
    const QByteArray contents = ReadWholeFile(options.design, QStringLiteral("Cannot open file %1").arg(options.design));
    if (!options.aliases.isEmpty())
        Sessions().SetAliasFile(options.aliases);
    const QueryDefinition def = ParseQueryDefinitionFile(contents, options.design);
    TSession *session = Sessions().FindSession(def.sessionName);
    if (!session)
        throw VdqError(QStringLiteral("Unknown session name %1").arg(def.sessionName));
    const QString database = options.database.isEmpty() ? def.database : options.database;
    if (database.isEmpty())
        throw VdqError(QStringLiteral("%1 names no database; give one with --database").arg(options.design));
    TDatabase *db = session->OpenDatabase(database);
    // The design as the designer holds it after Open, and its statement.
    const QueryDesign design = DesignOf(
        StateFromDefinition(def, [&](const QString &table) { return session->ListTableFields(database, table); }),
        db->Style());
    const bool terminal = ::isatty(STDOUT_FILENO);
    QByteArray out;
    for (const QString &line : GenerateSQLLines(design)) {
        out += terminal ? Printable(line) : line.toUtf8();
        out += '\n';
    }
    return out;
}

// The design of the statement in the SQL file, as the designer's file holds it.
QByteArray designOf(const Options &options)
{
    const QString sql = ReadSqlTextFile(options.design);
    if (!options.aliases.isEmpty())
        Sessions().SetAliasFile(options.aliases);
    TSession *session = Sessions().DefaultSession();
    const SqlDesignSource source = session->DesignSource(options.database);
    // The statement's design as Design from SQL places it, saved as the designer saves it.
    QueryDefinition read = DesignFromSql(sql, source);
    read.sessionName = session->SessionName();
    read.database = options.database;
    TProfileFile profile;
    WriteQueryDefinition(profile, DefinitionOf(StateFromDefinition(read, source.tableFields)));
    const QByteArray bytes = profile.ToBytes();
    // Names come from the database: on a terminal their control characters are escaped.
    return ::isatty(STDOUT_FILENO) ? Printable(QString::fromUtf8(bytes)) : bytes;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vdqsql"));
    QCoreApplication::setOrganizationName(QStringLiteral("VdqDesigner"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VDQ_VERSION));
    QCommandLineParser parser;
    try {
        const Options options = parseArguments(parser, QCoreApplication::arguments());
        if (options.help) {
            const QByteArray text = helpText(parser);
            std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
            return 0;
        }
        if (options.version)
            parser.showVersion();
        const QByteArray out = options.toDesign ? designOf(options) : statementOf(options);
        std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
        std::fflush(stdout);
        Sessions().CloseAll();
        return 0;
    } catch (const VdqError &e) {
        const QByteArray message = Printable(e.message()) + '\n';
        std::fwrite(message.constData(), 1, size_t(message.size()), stderr);
        Sessions().CloseAll();
        return 1;
    }
}
