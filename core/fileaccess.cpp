// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "fileaccess.h"

#include "vdqerror.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QString notRegular()
{
    return QCoreApplication::translate("FileAccess", "Not a regular file");
}

QString tooLarge()
{
    return QCoreApplication::translate("FileAccess", "Larger than %1 MB").arg(MaxReadFileSize / (1024 * 1024));
}

#ifdef Q_OS_UNIX
QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}
#endif

} // namespace

QString WithReason(const QString &message, const QString &reason)
{
    return reason.isEmpty() ? message : message + QStringLiteral(": ") + reason;
}

QByteArray ReadWholeFile(const QString &fileName, const QString &failure)
{
    QFile file;
#ifdef Q_OS_UNIX
    // Opened without waiting, so that a FIFO is refused instead of blocking until some
    // writer comes; the kind of file is then told from the open descriptor itself.
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw VdqError(WithReason(failure, systemReason(errno)));
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw VdqError(WithReason(failure, S_ISDIR(st.st_mode) ? systemReason(EISDIR) : notRegular()));
    }
    if (st.st_size > MaxReadFileSize) {
        ::close(fd);
        throw VdqError(WithReason(failure, tooLarge()));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw VdqError(WithReason(failure, file.errorString()));
    }
#else
    file.setFileName(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw VdqError(WithReason(failure, file.errorString()));
    if (!QFileInfo(fileName).isFile())
        throw VdqError(WithReason(
            failure,
            QFileInfo(fileName).isDir() ? QCoreApplication::translate("FileAccess", "Is a directory") : notRegular()));
    if (file.size() > MaxReadFileSize)
        throw VdqError(WithReason(failure, tooLarge()));
#endif
    // The size told beforehand is a hint only: the file may grow while it is read.
    QByteArray bytes;
    bytes.reserve(qsizetype(qMin<qint64>(file.size(), MaxReadFileSize)));
    char buffer[65536];
    for (;;) {
        const qint64 n = file.read(buffer, sizeof buffer);
        if (n < 0)
            throw VdqError(WithReason(failure, file.errorString()));
        if (n == 0)
            break;
        if (bytes.size() + n > MaxReadFileSize)
            throw VdqError(WithReason(failure, tooLarge()));
        bytes.append(buffer, qsizetype(n));
    }
    return bytes;
}

void WriteWholeFile(const QString &fileName, const QByteArray &bytes, const QString &failure)
{
    // Saving onto a FIFO would block, and onto a device would replace it by a plain file.
    const QFileInfo info(fileName);
    if (info.exists() && !info.isFile())
        throw VdqError(WithReason(failure, notRegular()));
    QSaveFile file(fileName);
    // Unbuffered, so that every failing write is seen here, before commit() puts the new
    // file in place of the old one: a buffered flush inside commit() may fail unreported.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw VdqError(WithReason(failure, file.errorString()));
    const auto fail = [&] {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw VdqError(WithReason(failure, reason));
    };
    const char *p = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const qint64 n = file.write(p, left);
        if (n <= 0)
            fail();
        p += n;
        left -= n;
    }
    if (!file.flush() || file.error() != QFileDevice::NoError)
        fail();
    if (!file.commit())
        throw VdqError(WithReason(failure, file.errorString()));
}
