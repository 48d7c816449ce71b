// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "vdqerror.h"

#include <QString>
#include <functional>
#include <utility>

class QWidget;

// The designer's message boxes. The error display stands in for the application's
// default error display: command handlers catch VdqError and show its text here.
namespace VdqMessages {

enum class Kind { Information, Warning, Error, Question };
enum class Answer { Save, Discard, Cancel };

void Information(QWidget *parent, const QString &title, const QString &text);
void Warning(QWidget *parent, const QString &title, const QString &text);
// Titled with the command it comes from, or without one with the title of the window.
void Error(QWidget *parent, const QString &text);
void Error(QWidget *parent, const QString &title, const QString &text);

// Asks whether changes are saved before they are lost: Save, Discard or Cancel.
Answer AskSaveChanges(QWidget *parent, const QString &title, const QString &text);

// Tests install a hook that records the messages instead of showing modal boxes; with it
// a question is recorded too and answered Discard, unless an answer hook gives the answer.
using Hook = std::function<void(Kind kind, const QString &title, const QString &text)>;
void SetHook(Hook hook);
using AnswerHook = std::function<Answer(const QString &title, const QString &text)>;
void SetAnswerHook(AnswerHook hook);

// Runs a command; a VdqError it raises is shown by the error display, titled with the
// command's name when given. Returns false then.
template <typename F>
bool Guarded(QWidget *parent, const QString &title, F &&command)
{
    try {
        command();
        return true;
    } catch (const VdqError &e) {
        Error(parent, title, e.message());
        return false;
    }
}
template <typename F>
bool Guarded(QWidget *parent, F &&command)
{
    return Guarded(parent, QString(), std::forward<F>(command));
}

} // namespace VdqMessages
