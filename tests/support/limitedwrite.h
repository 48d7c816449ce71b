// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// A real failing write, as a full disk gives one: the write runs in a child process whose
// file size limit is small, with SIGXFSZ ignored, so that writing beyond the limit fails
// with EFBIG instead of killing the child. The test process itself keeps its own limit,
// and nothing else it writes can fail.

#include "vdqerror.h"

#include <QByteArray>
#include <QString>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace LimitedWrite {

// The message of the VdqError that write raised in the child, "no error" when it raised
// none, or a text starting with "child:" when the child itself went wrong.
inline QString MessageOf(rlim_t limit, const std::function<void()> &write)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return QStringLiteral("child: no pipe");
    const pid_t pid = ::fork();
    if (pid < 0)
        return QStringLiteral("child: no fork");
    if (pid == 0) {
        ::close(fds[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit r{};
        ::getrlimit(RLIMIT_FSIZE, &r);
        r.rlim_cur = limit;
        QByteArray out;
        if (::setrlimit(RLIMIT_FSIZE, &r) != 0) {
            out = "child: no limit";
        } else {
            out = "no error";
            try {
                write();
            } catch (const VdqError &e) {
                out = e.message().toUtf8();
            }
        }
        const ssize_t written = ::write(fds[1], out.constData(), size_t(out.size()));
        ::_exit(written == out.size() ? 0 : 1);
    }
    ::close(fds[1]);
    QByteArray got;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0)
        got.append(buffer, n);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return QStringLiteral("child: ended with status %1").arg(status);
    return QString::fromUtf8(got);
}

} // namespace LimitedWrite
