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
// standard output is a terminal (sent elsewhere it stays exactly as generated).

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

Options parseArguments(const QStringList &args)
{
    Options options;
    for (int i = 1; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        auto value = [&](const QString &name) {
            if (i + 1 >= args.size())
                throw VdqError(QStringLiteral("%1 needs a value").arg(name));
            return args.at(++i);
        };
        if (arg == QLatin1String("--aliases"))
            options.aliases = value(arg);
        else if (arg.startsWith(QLatin1String("--aliases=")))
            options.aliases = arg.mid(10);
        else if (arg == QLatin1String("--database"))
            options.database = value(arg);
        else if (arg.startsWith(QLatin1String("--database=")))
            options.database = arg.mid(11);
        else if (arg == QLatin1String("--to-design"))
            options.toDesign = true;
        else if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
            options.help = true;
        else if (arg.startsWith(QLatin1String("--")) || !options.design.isEmpty())
            throw VdqError(QStringLiteral("unknown argument %1\n").arg(arg) + QLatin1String(kUsage));
        else
            options.design = arg;
    }
    if (options.help)
        return options;
    if (options.design.isEmpty())
        throw VdqError(QLatin1String(kUsage));
    if (options.toDesign && options.database.isEmpty())
        throw VdqError(QStringLiteral("--to-design needs --database ALIAS\n") + QLatin1String(kUsage));
    return options;
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
    try {
        const Options options = parseArguments(QCoreApplication::arguments());
        if (options.help) {
            std::puts(kUsage);
            return 0;
        }
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
