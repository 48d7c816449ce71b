#include "messages.h"

#include <QWidget>

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>

namespace VdqMessages {

namespace {
Hook &hook()
{
    static Hook h;
    return h;
}
} // namespace

void SetHook(Hook h) { hook() = std::move(h); }

void Information(QWidget *parent, const QString &title, const QString &text)
{
    if (hook()) {
        hook()(Kind::Information, title, text);
        return;
    }
    QMessageBox::information(parent, title, text, QMessageBox::Ok);
}

void Warning(QWidget *parent, const QString &title, const QString &text)
{
    if (hook()) {
        hook()(Kind::Warning, title, text);
        return;
    }
    QMessageBox::warning(parent, title, text, QMessageBox::Ok);
}

void Error(QWidget *parent, const QString &text)
{
    Error(parent, QString(), text);
}

void Error(QWidget *parent, const QString &command, const QString &text)
{
    // Not the program's name: the user should see which window or command failed.
    QString title = command;
    if (title.isEmpty() && parent)
        title = parent->window()->windowTitle();
    if (title.isEmpty())
        title = QGuiApplication::applicationDisplayName();
    if (hook()) {
        hook()(Kind::Error, title, text);
        return;
    }
    QMessageBox::critical(parent, title, text, QMessageBox::Ok);
}

} // namespace VdqMessages
