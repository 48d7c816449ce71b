// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause
// Writes the application icon as <dir>/<n>x<n>/vdqbexample.png for each size given.
#include "tqgglyphs.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: vdqiconrender <dir> <size>...\n");
        return 2;
    }
    const QDir dir(args.first());
    for (const QString &arg : args.mid(1)) {
        bool ok = false;
        const int size = arg.toInt(&ok);
        if (!ok || size <= 0) {
            std::fprintf(stderr, "vdqiconrender: not a size: %s\n", qPrintable(arg));
            return 2;
        }
        const QString sub = QStringLiteral("%1x%1").arg(size);
        const QString file = dir.filePath(sub + QStringLiteral("/vdqbexample.png"));
        if (!dir.mkpath(sub) || !GlyphPixmap(TQGGlyph::AppIcon, size).save(file, "PNG")) {
            std::fprintf(stderr, "vdqiconrender: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
