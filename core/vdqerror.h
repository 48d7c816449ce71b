// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// The one error type of the designer: the database layer, file access and printing
// raise it with a message text; the windows catch it at their command handlers and
// show the text.
class VdqError : public std::exception
{
public:
    explicit VdqError(QString message)
        : m_message(std::move(message)), m_what(m_message.toUtf8()) {}

    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_what.constData(); }

private:
    QString m_message;
    QByteArray m_what;
};
