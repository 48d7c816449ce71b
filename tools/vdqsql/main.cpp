// vdqsql: the SQL statement of a saved design, without a window.
//
//   vdqsql [--aliases FILE] [--database ALIAS] DESIGN.vdq
//
// The design is read as the designer's Open command reads it (session and database from
// the file unless --database names another, fields from the database, ticks and rows from
// the file) and the statement the SQL editor would then hold goes to standard output, each
// line followed by "\n". On any error the message goes to standard error, nothing to
// standard output, and the exit status is 1. --aliases takes the place of VDQ_ALIASES.

#include "designfromdefinition.h"
#include "sqlbuilders.h"
#include "tdatabase.h"
#include "tsession.h"
#include "tsessionlist.h"
#include "vdqerror.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace {

struct Options
{
    QString aliases;
    QString database;
    QString design;
};

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
        else if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
            throw VdqError(QStringLiteral("usage: vdqsql [--aliases FILE] [--database ALIAS] DESIGN.vdq"));
        else if (arg.startsWith(QLatin1String("--")) || !options.design.isEmpty())
            throw VdqError(QStringLiteral("unknown argument %1\nusage: vdqsql [--aliases FILE] [--database ALIAS] DESIGN.vdq").arg(arg));
        else
            options.design = arg;
    }
    if (options.design.isEmpty())
        throw VdqError(QStringLiteral("usage: vdqsql [--aliases FILE] [--database ALIAS] DESIGN.vdq"));
    return options;
}

QByteArray statementOf(const Options &options)
{
    if (!QFileInfo(options.design).isFile())
        throw VdqError(QStringLiteral("Cannot open file %1").arg(options.design));
    if (!options.aliases.isEmpty())
        Sessions().SetAliasFile(options.aliases);
    const QueryDefinition def = LoadQueryDefinitionFile(options.design);
    TSession *session = Sessions().FindSession(def.sessionName);
    if (!session)
        throw VdqError(QStringLiteral("Unknown session name %1").arg(def.sessionName));
    const QString database = options.database.isEmpty() ? def.database : options.database;
    if (database.isEmpty())
        throw VdqError(QStringLiteral("%1 names no database; give one with --database").arg(options.design));
    TDatabase *db = session->OpenDatabase(database);
    const IdentifierStyle style = db->Style();
    const QueryDesign design = DesignFromDefinition(
        def, [&](const QString &table) { return session->ListTableFields(database, table); }, style);
    QByteArray out;
    for (const QString &line : GenerateSQLLines(design)) {
        out += line.toUtf8();
        out += '\n';
    }
    return out;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vdqsql"));
    QCoreApplication::setOrganizationName(QStringLiteral("VdqDesigner"));
    try {
        const QByteArray out = statementOf(parseArguments(QCoreApplication::arguments()));
        std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
        std::fflush(stdout);
        Sessions().CloseAll();
        return 0;
    } catch (const VdqError &e) {
        const QByteArray message = e.message().toUtf8() + '\n';
        std::fwrite(message.constData(), 1, size_t(message.size()), stderr);
        Sessions().CloseAll();
        return 1;
    }
}
