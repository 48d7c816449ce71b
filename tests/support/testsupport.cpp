#include "testsupport.h"

#include "tsessionlist.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTextStream>

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

QMap<QString, QString> PgEnv()
{
    QMap<QString, QString> env;
    QFile f(QStringLiteral(VDQ_PG_ENV_FILE));
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

void UseAliasFile(const QString &path, const QString &text)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(text.toUtf8());
    f.close();
    qputenv("VDQ_ALIASES", QFile::encodeName(path));
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

} // namespace TestSupport
