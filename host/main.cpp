// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tform1.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TForm1::InitApplication();
    TForm1 form;
    form.show();
    if (QScreen *screen = form.screen())
        form.move(screen->availableGeometry().center() - form.rect().center());
    return app.exec();
}
