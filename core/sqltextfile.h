// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QString>
#include <QStringList>

// SQL text files: any file that is not a query definition.

// The file's text; Rich Text Format content is taken as rich text and its plain text
// returned. Raises VdqError "Cannot open file %s" with the reason when the file cannot be
// read (a FIFO, a device or a file over 64 MB is refused unread), and
// "Failed to Load Stream" for rich text that cannot be read.
QString ReadSqlTextFile(const QString &fileName);

// Writes the lines, each followed by CR LF, replacing the file (atomically). Raises
// VdqError "Cannot create file %s" with the system's reason when it cannot be written
// (a full disk); the old file then stays as it was.
void WriteSqlTextFile(const QString &fileName, const QStringList &lines);
