// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause
// Saving and loading a large query definition, against the same keys written and read
// through QSettings' INI format. Prints the median of several runs:
//   save_ms=... load_ms=... qsettings_save_ms=... qsettings_load_ms=...
// Details (sizes, saving over an existing file) go to standard error.

#include "profilefile.h"
#include "querydefinition.h"
#include "vdqerror.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int Tables = 100;
constexpr int FieldsPerTable = 200;
constexpr int Runs = 7;

// 100 tables of 200 fields, a link between each neighbouring pair, and 1,000 list rows.
QueryDefinition BigDesign()
{
    QueryDefinition def;
    def.sessionName = QStringLiteral("Default");
    def.database = QStringLiteral("SHOP");
    def.type = 0;
    for (int n = 0; n < Tables; ++n) {
        StoredTable table;
        table.name = QStringLiteral("table_%1.db").arg(n);
        for (int j = 0; j < FieldsPerTable; ++j)
            table.items.append({QStringLiteral("Field_%1_%2").arg(n).arg(j), j % 3 != 0});
        table.itemCount = int(table.items.size());
        table.left = 20 + 150 * (n % 10);
        table.top = 20 + 200 * (n / 10);
        def.tables.append(table);
    }
    for (int m = 0; m + 1 < Tables; ++m) {
        StoredLink link;
        link.field1Table = def.tables[m].name;
        link.field2Table = def.tables[m + 1].name;
        link.hint = QStringLiteral("table_%1_db.Field_%1_0 = table_%2_db.Field_%2_1").arg(m).arg(m + 1);
        link.left = 100 + m;
        link.top = 60;
        link.width = 129;
        link.height = 100;
        def.links.append(link);
    }
    for (int i = 0; i < 300; ++i)
        def.values.rows.append({QStringLiteral("Field_0_%1").arg(i % FieldsPerTable), QStringLiteral("'value %1'").arg(i)});
    for (int i = 0; i < 400; ++i)
        def.conditions.rows.append({QStringLiteral("table_%1_db.Field_%1_2").arg(i % Tables), QStringLiteral("="),
                                    QStringLiteral(":param%1").arg(i), i % 2 ? QStringLiteral("AND") : QStringLiteral("OR")});
    for (int i = 0; i < 300; ++i)
        def.sorting.rows.append({QStringLiteral("table_%1_db.Field_%1_3").arg(i % Tables),
                                 i % 2 ? QStringLiteral("Yes") : QStringLiteral("No")});
    return def;
}

double Median(QList<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples.at(samples.size() / 2);
}

double Ms(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main()
{
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary directory\n");
        return 1;
    }
    const QueryDefinition design = BigDesign();

    // The keys of the design, in the writer's order, as QSettings paths.
    QList<QPair<QString, QString>> entries;
    {
        TProfileFile profile;
        WriteQueryDefinition(profile, design);
        for (const QString &section : profile.Sections()) {
            for (const QString &key : profile.Keys(section))
                entries.append({section + u'/' + key, profile.ReadString(section, key, QString())});
        }
    }

    QList<double> save, resave, load, qsave, qload;
    qint64 fileSize = 0;
    try {
        for (int run = 0; run < Runs; ++run) {
            const QString path = dir.filePath(QStringLiteral("run%1.vdq").arg(run));
            QElapsedTimer timer;
            timer.start();
            SaveQueryDefinitionFile(path, design);
            save.append(Ms(timer));

            timer.start();
            const QueryDefinition loaded = LoadQueryDefinitionFile(path);
            load.append(Ms(timer));
            if (loaded != design) {
                std::fprintf(stderr, "the design read back differs from the one saved\n");
                return 1;
            }

            timer.start();
            SaveQueryDefinitionFile(path, design);
            resave.append(Ms(timer));
            fileSize = QFile(path).size();

            const QString ini = dir.filePath(QStringLiteral("run%1.ini").arg(run));
            timer.start();
            {
                QSettings settings(ini, QSettings::IniFormat);
                for (const auto &entry : entries)
                    settings.setValue(entry.first, entry.second);
                settings.sync();
            }
            qsave.append(Ms(timer));

            timer.start();
            qsizetype read = 0;
            {
                QSettings settings(ini, QSettings::IniFormat);
                for (const auto &entry : entries)
                    read += settings.value(entry.first).toString().size();
            }
            qload.append(Ms(timer));
            if (read == 0) {
                std::fprintf(stderr, "QSettings read nothing back\n");
                return 1;
            }
        }
    } catch (const VdqError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }

    std::fprintf(stderr, "%d tables x %d fields, %lld list rows: %lld keys, %lld bytes; "
                         "saving over the existing file: %.1f ms (median of %d runs)\n",
                 Tables, FieldsPerTable,
                 qint64(design.values.rows.size() + design.conditions.rows.size() + design.sorting.rows.size()),
                 qint64(entries.size()), fileSize, Median(resave), Runs);
    std::printf("save_ms=%.1f load_ms=%.1f qsettings_save_ms=%.1f qsettings_load_ms=%.1f\n",
                Median(save), Median(load), Median(qsave), Median(qload));
    return 0;
}
