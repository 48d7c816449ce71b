// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

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
AnswerHook &answerHook()
{
    static AnswerHook h;
    return h;
}
} // namespace

void SetHook(Hook h) { hook() = std::move(h); }
void SetAnswerHook(AnswerHook h) { answerHook() = std::move(h); }

Answer AskSaveChanges(QWidget *parent, const QString &title, const QString &text)
{
    if (answerHook())
        return answerHook()(title, text);
    if (hook()) {
        hook()(Kind::Question, title, text);
        return Answer::Discard;
    }
    switch (QMessageBox::question(parent, title, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                  QMessageBox::Save)) {
    case QMessageBox::Save:
        return Answer::Save;
    case QMessageBox::Discard:
        return Answer::Discard;
    default:
        return Answer::Cancel;
    }
}

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
    if (title.isEmpty() && parent) {
        title = parent->window()->windowTitle();
        // Without the mark of unsaved changes that the title bar shows.
        if (parent->window()->property("designModified").toBool() && title.endsWith(u'*'))
            title.chop(1);
    }
    if (title.isEmpty())
        title = QGuiApplication::applicationDisplayName();
    if (hook()) {
        hook()(Kind::Error, title, text);
        return;
    }
    QMessageBox::critical(parent, title, text, QMessageBox::Ok);
}

} // namespace VdqMessages
