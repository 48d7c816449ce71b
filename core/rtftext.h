// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QByteArray>
#include <QString>

// True when the bytes start a Rich Text Format document ("{\rtf").
bool LooksLikeRtf(const QByteArray &bytes);

// The plain text of an RTF document: paragraphs become line breaks, \'hh and \uN escapes
// become their characters (\'hh in the code page \ansicpgN names, Windows-1252 when it
// names none or one Qt cannot decode), destinations such as font and colour tables are skipped.
// *ok is false when the document's groups do not balance.
QString RtfToPlainText(const QByteArray &rtf, bool *ok = nullptr);
