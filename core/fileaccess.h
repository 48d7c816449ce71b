// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QByteArray>
#include <QString>

// Whole-file reading and writing for design, SQL and alias files, which come from the user
// and may be anything: a FIFO, a device, a link to either, a file of gigabytes.

// Real designs and scripts are kilobytes; a file beyond this is refused before it is read.
constexpr qint64 MaxReadFileSize = 64 * 1024 * 1024;

// "message: reason", or the message alone when there is no reason.
QString WithReason(const QString &message, const QString &reason);

// The bytes of a regular file (a link is followed) of at most MaxReadFileSize bytes.
// Anything else raises VdqError with failure and the reason: the system's (permission
// denied, is a directory), "Not a regular file", or "Larger than 64 MB". Never waits on a
// FIFO.
QByteArray ReadWholeFile(const QString &fileName, const QString &failure);

// Replaces the file atomically: a failed write (a full disk, a size limit) leaves the old
// file as it was, byte for byte, and raises VdqError with failure and the system's reason.
// An existing name that is not a regular file (FIFO, device) is refused untouched.
void WriteWholeFile(const QString &fileName, const QByteArray &bytes, const QString &failure);
