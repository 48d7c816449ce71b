// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tform1.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>

#include <cstring>
#include <memory>

namespace {

// --help and --version only print: they are answered without a display, by a core
// application that never asks for the window system.
bool onlyPrints(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        for (const char *option : {"-h", "--help", "--help-all", "-v", "--version"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> app(onlyPrints(argc, argv) ? new QCoreApplication(argc, argv)
                                                                       : new QApplication(argc, argv));
    TForm1::InitApplication();
    QCoreApplication::setApplicationVersion(QStringLiteral(VDQ_VERSION));
    // QApplication has taken its own options (-platform, -style, ...) out of the arguments;
    // what is left is this program's, and anything else is refused.
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("An example host of the VDQ Designer component: choose a database and design a query on it."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(*app);

    TForm1 form;
    form.show();
    if (QScreen *screen = form.screen())
        form.move(screen->availableGeometry().center() - form.rect().center());
    return app->exec();
}
