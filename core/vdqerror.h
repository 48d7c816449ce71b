// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "vdqdesigner_export.h"

#include <QByteArray>
#include <QString>
#include <exception>

/// \brief The one error type of the designer.
///
/// The database layer, file access and printing raise it with a message text; the windows
/// catch it at their command handlers and show the text. Of the public API only the classic
/// TVDRunTimeQuery::Execute() raises it; VdqQueryDesigner and VdqDesignerWidget report errors
/// as return values and signals.
class VDQDESIGNER_EXPORT VdqError : public std::exception
{
public:
    /// An error with the message the user reads.
    explicit VdqError(QString message);
    /// Copies the message.
    VdqError(const VdqError &other);
    /// Copies the message.
    VdqError &operator=(const VdqError &other);
    /// Releases the message.
    ~VdqError() override;

    /// The message, as the user reads it.
    const QString &message() const noexcept { return m_message; }
    /// The message in UTF-8.
    const char *what() const noexcept override { return m_what.constData(); }

private:
    QString m_message;
    QByteArray m_what;
};
