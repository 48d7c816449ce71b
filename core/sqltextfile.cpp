// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "sqltextfile.h"

#include "fileaccess.h"
#include "rtftext.h"
#include "vdqerror.h"

#include <QCoreApplication>
#include <QObject>
#include <QStringDecoder>

namespace {

// UTF-8 where the bytes are valid UTF-8, Latin-1 otherwise, so no byte is lost.
QString decodeText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

} // namespace

QString ReadSqlTextFile(const QString &fileName)
{
    const QByteArray bytes =
        ReadWholeFile(fileName, QCoreApplication::translate("FileAccess", "Cannot open file %1").arg(fileName));
    if (LooksLikeRtf(bytes)) {
        bool ok = false;
        const QString text = RtfToPlainText(bytes, &ok);
        if (!ok)
            throw VdqError(QCoreApplication::translate("FileAccess", "Failed to Load Stream"));
        return text;
    }
    return decodeText(bytes);
}

void WriteSqlTextFile(const QString &fileName, const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    WriteWholeFile(fileName, bytes, QCoreApplication::translate("FileAccess", "Cannot create file %1").arg(fileName));
}
