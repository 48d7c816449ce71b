// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause
// How long a failed connection takes to report its error: a port where nothing listens, a
// server that accepts and never answers (with Timeout=2), a missing ODBC data source.
// Prints one line per case:  <alias> ms=... message=...

#include "tsession.h"
#include "tsessionlist.h"
#include "vdqerror.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    quint16 deadPort = 0;
    {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost))
            return 1;
        deadPort = probe.serverPort();
    }
    QTcpServer silent;
    if (!silent.listen(QHostAddress::LocalHost))
        return 1;
    silent.pauseAccepting();
    const QString path = dir.filePath(QStringLiteral("aliases.ini"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(QStringLiteral(
                   "[PGDEAD]\nDriver=POSTGRESQL\nHost=127.0.0.1\nPort=%1\nDatabase=shop\nUser=alice\nPassword=x\n"
                   "[MYDEAD]\nDriver=MYSQL\nHost=127.0.0.1\nPort=%1\nDatabase=shop\nUser=alice\nPassword=x\n"
                   "[PGSILENT]\nDriver=POSTGRESQL\nHost=127.0.0.1\nPort=%2\nDatabase=shop\nUser=alice\nPassword=x\nTimeout=2\n"
                   "[MYSILENT]\nDriver=MYSQL\nHost=127.0.0.1\nPort=%2\nDatabase=shop\nUser=alice\nPassword=x\nTimeout=2\n"
                   "[NODSN]\nDriver=ODBC\nDSN=vdq-no-such-source\nUser=alice\nPassword=x\n")
                   .arg(deadPort)
                   .arg(silent.serverPort())
                   .toUtf8());
    file.close();
    Sessions().SetAliasFile(path);

    for (const char *alias : {"PGDEAD", "MYDEAD", "PGSILENT", "MYSILENT", "NODSN"}) {
        QElapsedTimer t;
        t.start();
        QString message = QStringLiteral("(connected)");
        try {
            QStringList tables;
            Sessions().DefaultSession()->ListTableNames(QLatin1String(alias), QString(), true, false, tables);
        } catch (const VdqError &e) {
            message = e.message().simplified();
        }
        std::printf("%s ms=%lld message=%s\n", alias, static_cast<long long>(t.elapsed()), qPrintable(message));
    }
    Sessions().CloseAll();
    return 0;
}
