// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "taliasconfig.h"

#include "fileaccess.h"
#include "vdqerror.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

#include <functional>

namespace {

QString unquoted(const QString &value)
{
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
        return value.mid(1, value.size() - 2);
    return value;
}

// Parses the text; a fault is reported as (line, reason) through the callback's throw.
QList<TAliasParams> parse(const QString &text, const QString &baseDir,
                          const std::function<void(int, const QString &)> &fault)
{
    QList<TAliasParams> aliases;
    QList<int> sectionLines;
    QList<bool> hasDriver;
    QSet<QString> seen;
    QString body = text;
    if (body.startsWith(QChar(0xFEFF)))
        body.remove(0, 1);
    const QStringList lines = body.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        const QString line = lines.at(i).trimmed();  // also drops the \r of CRLF files
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            if (!line.endsWith(u']'))
                fault(lineNo, QCoreApplication::translate("TAliasConfig", "the section header has no closing \"]\""));
            const QString name = line.mid(1, line.size() - 2).trimmed();
            if (name.isEmpty())
                fault(lineNo, QCoreApplication::translate("TAliasConfig", "the section has no alias name"));
            // Case-folded names seen so far: one lookup per section, however many there are.
            const QString folded = name.toCaseFolded();
            if (seen.contains(folded))
                fault(lineNo, QCoreApplication::translate("TAliasConfig", "alias %1 is defined twice").arg(name));
            seen.insert(folded);
            TAliasParams params;
            params.name = name;
            aliases.append(params);
            sectionLines.append(lineNo);
            hasDriver.append(false);
            continue;
        }
        const int eq = line.indexOf(u'=');
        if (eq < 0)
            fault(lineNo, QCoreApplication::translate("TAliasConfig", "expected \"[alias]\" or \"Key=Value\""));
        if (aliases.isEmpty())
            fault(lineNo, QCoreApplication::translate("TAliasConfig", "a key comes before the first [alias] section"));
        const QString key = line.left(eq).trimmed().toUpper();
        const QString value = unquoted(line.mid(eq + 1).trimmed());
        if (key.isEmpty())
            fault(lineNo, QCoreApplication::translate("TAliasConfig", "the line has no key before \"=\""));
        TAliasParams &p = aliases.last();
        if (key == QLatin1String("DRIVER")) {
            if (value.isEmpty())
                fault(lineNo, QCoreApplication::translate("TAliasConfig", "Driver has no value"));
            p.driver = value.toUpper();
            hasDriver.last() = true;
        } else if (key == QLatin1String("PATH")) {
            p.path = value.isEmpty() ? value : QDir::cleanPath(QDir(baseDir).absoluteFilePath(value));
        } else if (key == QLatin1String("HOST")) {
            p.host = value;
        } else if (key == QLatin1String("PORT")) {
            bool ok = false;
            const int port = value.toInt(&ok);
            if (!ok || port <= 0 || port > 65535)
                fault(lineNo,
                      QCoreApplication::translate("TAliasConfig", "Port \"%1\" is not a port number").arg(value));
            p.port = port;
        } else if (key == QLatin1String("DATABASE")) {
            p.database = value;
        } else if (key == QLatin1String("USER")) {
            p.user = value;
        } else if (key == QLatin1String("PASSWORD")) {
            p.password = value;
            p.hasPassword = true;
        } else if (key == QLatin1String("DSN")) {
            p.dsn = value;
        } else if (key == QLatin1String("TIMEOUT")) {
            bool ok = false;
            const int seconds = value.toInt(&ok);
            if (!ok || seconds <= 0)
                fault(lineNo,
                      QCoreApplication::translate("TAliasConfig", "Timeout \"%1\" is not a number of seconds")
                          .arg(value));
            p.connectTimeout = seconds;
        } else if (key == QLatin1String("STATEMENTTIMEOUT")) {
            bool ok = false;
            const int seconds = value.toInt(&ok);
            if (!ok || seconds < 0)
                fault(lineNo,
                      QCoreApplication::translate("TAliasConfig", "StatementTimeout \"%1\" is not a number of seconds")
                          .arg(value));
            p.statementTimeout = seconds;
        }
        // Other keys belong to other tools and are left alone.
    }
    for (int i = 0; i < aliases.size(); ++i) {
        if (!hasDriver.at(i))
            fault(sectionLines.at(i),
                  QCoreApplication::translate("TAliasConfig", "alias %1 has no Driver").arg(aliases.at(i).name));
    }
    return aliases;
}

} // namespace

QString TAliasConfig::DefaultAliasFile()
{
    const QString env = qEnvironmentVariable("VDQ_ALIASES");
    if (!env.isEmpty())
        return env;
    const QString name = QStringLiteral("aliases.ini");
    const QString found = QStandardPaths::locate(QStandardPaths::AppConfigLocation, name);
    if (!found.isEmpty())
        return found;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).filePath(name);
}

TAliasConfig TAliasConfig::LoadFile(const QString &fileName)
{
    TAliasConfig config;
    if (!QFile::exists(fileName))
        return config;
    const QString text = QString::fromUtf8(ReadWholeFile(
        fileName, QCoreApplication::translate("TAliasConfig", "Cannot read the alias file %1").arg(fileName)));
    const QString baseDir = QFileInfo(fileName).absolutePath();
    config.m_aliases = parse(text, baseDir, [&](int line, const QString &reason) {
        throw VdqError(QCoreApplication::translate("TAliasConfig", "Alias file %1, line %2: %3")
                           .arg(fileName)
                           .arg(line)
                           .arg(reason));
    });
    return config;
}

TAliasConfig TAliasConfig::FromText(const QString &text, const QString &baseDir)
{
    TAliasConfig config;
    config.m_aliases = parse(text, baseDir, [](int line, const QString &reason) {
        throw VdqError(QCoreApplication::translate("TAliasConfig", "Alias text, line %1: %2").arg(line).arg(reason));
    });
    return config;
}

QStringList TAliasConfig::Names() const
{
    QStringList names;
    names.reserve(m_aliases.size());
    for (const TAliasParams &a : m_aliases)
        names.append(a.name);
    return names;
}

const TAliasParams *TAliasConfig::Find(const QString &name) const
{
    for (const TAliasParams &a : m_aliases) {
        if (a.name.compare(name, Qt::CaseInsensitive) == 0)
            return &a;
    }
    return nullptr;
}

void TAliasConfig::Add(const TAliasParams &params)
{
    TAliasParams added = params;
    added.driver = added.driver.toUpper();
    for (TAliasParams &a : m_aliases) {
        if (a.name.compare(added.name, Qt::CaseInsensitive) == 0) {
            a = added;
            return;
        }
    }
    m_aliases.append(added);
}
