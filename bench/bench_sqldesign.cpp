// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause
// The statement reader behind Design from SQL on statements of about 1 MB shaped to hurt it:
// deep nesting, long lists, many conditions, a long string, unclosed parentheses, many
// tables. For each shape prints one line:
//   shape=... bytes=... outcome=design|refused|crashed|timeout read_ms=... peak_rss_mb=... base_rss_mb=...
// Each shape is read in a child process of its own, so that a crash or a runaway reading
// (stopped after TimeLimit seconds) is reported instead of ending the benchmark, and so that
// the peak resident size is that reading's alone. read_ms is the whole of DesignFromSql: the
// reading, the design, and the reading back of the design's own statement.

#include "sqldesignparser.h"
#include "vdqerror.h"

#include <QElapsedTimer>
#include <QFile>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int TimeLimit = 60;
constexpr int Size = 1 << 20;

// Every table has the same two fields; a table is taken by the name it is written with.
SqlDesignSource Source()
{
    SqlDesignSource source;
    source.style = IdentifierStyle{false, SqlDialect::PostgreSQL};
    source.tableFields = [](const QString &) { return QStringList{"ClientNo", "Firm"}; };
    return source;
}

// head, then unit repeated (with its number where it holds %1) up to about size, then tail.
QString Shape(const QString &head, const QString &unit, const QString &tail, int size = Size)
{
    QString out = head;
    for (int i = 0; out.size() + tail.size() < size; ++i)
        out += unit.contains(u"%1") ? unit.arg(i) : unit;
    return out + tail;
}

// The highest resident size since the last reset, in MB.
double PeakRssMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

void ResetPeakRss()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// In the child: reads the statement, writes "outcome ms peak base" to fd.
[[noreturn]] void ReadInChild(const QString &sql, int fd)
{
    const SqlDesignSource source = Source();
    ResetPeakRss();
    const double base = PeakRssMb();
    QElapsedTimer timer;
    timer.start();
    const char *outcome = "design";
    try {
        DesignFromSql(sql, source);
    } catch (const VdqError &e) {
        outcome = "refused";
        std::fprintf(stderr, "  %s\n", qPrintable(e.message().left(160)));
    }
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    char line[128];
    const int n = std::snprintf(line, sizeof line, "%s %.1f %.1f %.1f", outcome, ms, PeakRssMb(), base);
    if (write(fd, line, size_t(n)) != n)
        _exit(2);
    _exit(0);
}

// The shapes to measure: those whose name holds the program's argument, or all.
const char *Only = nullptr;

void Measure(const char *shape, const QString &sql)
{
    if (Only && !std::strstr(shape, Only))
        return;
    std::fflush(stdout);
    std::fflush(stderr);
    int fds[2];
    if (pipe(fds) != 0)
        return;
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        alarm(TimeLimit);
        ReadInChild(sql, fds[1]);
    }
    close(fds[1]);
    char buffer[128] = {};
    const ssize_t got = read(fds[0], buffer, sizeof buffer - 1);
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    const qsizetype bytes = sql.toUtf8().size();
    if (got > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        char outcome[16] = {};
        double ms = 0, peak = 0, base = 0;
        std::sscanf(buffer, "%15s %lf %lf %lf", outcome, &ms, &peak, &base);
        std::printf("shape=%s bytes=%lld outcome=%s read_ms=%.1f peak_rss_mb=%.1f base_rss_mb=%.1f\n", shape,
                    static_cast<long long>(bytes), outcome, ms, peak, base);
    } else if (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM) {
        std::printf("shape=%s bytes=%lld outcome=timeout read_ms=>%d000\n", shape, static_cast<long long>(bytes),
                    TimeLimit);
    } else {
        std::printf("shape=%s bytes=%lld outcome=crashed signal=%d\n", shape, static_cast<long long>(bytes),
                    WIFSIGNALED(status) ? WTERMSIG(status) : -1);
    }
    std::fflush(stdout);
}

QString Nested(int depth)
{
    return "SELECT * FROM clients WHERE " + QString(depth, u'(') + "ClientNo = 1" + QString(depth, u')');
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1)
        Only = argv[1];
    const QString select = QStringLiteral("SELECT * FROM clients WHERE ");
    Measure("nested_10000", Nested(10000));
    Measure("nested_100000", Nested(100000));
    Measure("nested_1mb", Nested((Size - 40) / 2));
    Measure("nested_values_1mb", select + "ClientNo = " + QString((Size - 60) / 2, u'(') + u'1'
                                     + QString((Size - 60) / 2, u')'));
    Measure("unclosed_parens_1mb", Shape(select + "ClientNo = ", "(", ""));
    Measure("unclosed_parens_cond_1mb", Shape(select, "(", ""));
    Measure("in_list_1mb", Shape(select + "ClientNo IN (0", ", %1", ")"));
    Measure("in_list_fields_1mb", Shape(select + "ClientNo IN (Firm", ", Firm", ")"));
    Measure("many_ors_1mb", Shape(select + "ClientNo = 0", " OR ClientNo = %1", ""));
    Measure("many_unknown_names_1mb", Shape(select + "ClientNo = 0", " OR gone.f%1 = 1", ""));
    Measure("nested_200_many_1mb", Shape(select + "ClientNo = 0", " OR " + QString(200, u'(') + "ClientNo = %1" + QString(200, u')'), ""));
    Measure("many_ands_1mb", Shape(select + "ClientNo = 0", " AND Firm <> '%1'", ""));
    Measure("long_string_1mb", Shape(select + "Firm = '", "x", "'", Size - 100));
    Measure("long_sum_1mb", Shape(select + "ClientNo = 0", " + 1", ""));
    Measure("many_tables_1mb", Shape("SELECT * FROM clients", ", t%1", ""));
    Measure("many_comments_1mb", Shape("SELECT * FROM clients ", "/* c */ ", ""));
    return 0;
}
