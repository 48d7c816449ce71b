#include "tform1.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VDQBExample"));
    QApplication::setApplicationDisplayName(QStringLiteral("Run Time Query Engine"));
    QApplication::setOrganizationName(QStringLiteral("VdqDesigner"));
    TForm1 form;
    form.show();
    if (QScreen *screen = form.screen())
        form.move(screen->availableGeometry().center() - form.rect().center());
    return app.exec();
}
