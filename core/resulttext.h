// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The texts a result is handed on as: tab-separated cells for the clipboard (as spreadsheets
// read them back), CSV (RFC 4180) and JSON for an export. The CSV and JSON pieces append UTF-8
// to a buffer, for writers that go through millions of values.

// One cell of tab-separated text: in double quotes, each quote doubled, when it holds a tab, a
// line break or a quote; as it is otherwise.
QString TabSeparatedCell(const QString &value);
// A header line of the names, then one line per row; lines end in a line feed.
QString TabSeparatedText(const QStringList &names, const QList<QStringList> &rows);

// One CSV field of UTF-8 text: quoted only when it holds a comma, a quote, a carriage return
// or a line feed, or when it is empty (an empty text stays apart from NULL, which is
// written as nothing at all).
void AppendCsvField(QByteArray &out, const char *utf8, qsizetype size);
// A JSON string of UTF-8 text, with its quotes.
void AppendJsonString(QByteArray &out, const char *utf8, qsizetype size);
// A whole number in decimal.
void AppendInteger(QByteArray &out, qint64 value);
// The shortest decimal that reads back as the same double. CSV writes NaN and the
// infinities as PostgreSQL does (NaN, Infinity, -Infinity); JSON has no such number and
// writes null.
void AppendDouble(QByteArray &out, double value, bool json);
