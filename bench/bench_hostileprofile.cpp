// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause
// Reading profiles shaped to hurt the reader, against an ordinary design file of the same
// size. For each shape prints one line:
//   shape=... bytes=... load_ms=... heap_mb=... heap_per_byte=...
// load_ms is the median of several loads; heap_mb is what the loaded profile holds on the
// heap (glibc's count of allocated bytes, before and after), the figure that decides how
// large a file this machine can read.

#include "profilefile.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <malloc.h>

namespace {

constexpr int Runs = 3;

QByteArray Repeat(const QByteArray &unit, qsizetype total)
{
    QByteArray out;
    out.reserve(total + unit.size());
    while (out.size() < total)
        out += unit;
    return out;
}

// Section names of characters above U+FFFF, each name different: they all collided in a
// hash that left surrogates out.
QByteArray AstralSections(int count)
{
    QByteArray out;
    for (int i = 0; i < count; ++i) {
        QString name;
        for (int n = i, d = 0; d < 3; ++d, n /= 64)
            name += QString::fromUcs4(std::u32string(1, char32_t(0x1F600 + n % 64)).data(), 1);
        out += '[' + name.toUtf8() + "]\r\n";
    }
    return out;
}

QByteArray Ordinary(qsizetype total)
{
    QByteArray out;
    for (int i = 0; out.size() < total; ++i)
        out += "[Table" + QByteArray::number(i) + "]\r\nName=clients\r\nLeft=10\r\nTop=20\r\nText0=ClientNo\r\n";
    return out;
}

// Allocated bytes, large blocks (which glibc maps on their own) included.
size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void Measure(const char *shape, const QByteArray &bytes)
{
    QList<double> times;
    double heap = 0;
    for (int run = 0; run < Runs; ++run) {
        const size_t before = HeapInUse();
        QElapsedTimer timer;
        timer.start();
        TProfileFile profile = TProfileFile::FromBytes(bytes);
        times.append(double(timer.nsecsElapsed()) / 1e6);
        heap = double(HeapInUse() - before);
        if (profile.SectionCount() < 0)
            std::fprintf(stderr, "impossible\n");
    }
    std::sort(times.begin(), times.end());
    std::printf("shape=%s bytes=%lld load_ms=%.1f heap_mb=%.1f heap_per_byte=%.1f\n", shape,
                static_cast<long long>(bytes.size()), times.at(times.size() / 2), heap / 1048576.0,
                heap / double(qMax<qsizetype>(1, bytes.size())));
    std::fflush(stdout);
}

} // namespace

int main()
{
    Measure("ordinary_1mb", Ordinary(1 << 20));
    Measure("astral_sections_100k", AstralSections(100000));
    Measure("empty_lines_20mb", Repeat("\n", 20 << 20));
    Measure("crlf_lines_4mb", Repeat("\r\n", 4 << 20));
    Measure("comment_lines_1mb", Repeat("x\n", 1 << 20));
    Measure("bare_sections_1mb", Repeat("[\n", 1 << 20));
    Measure("short_entries_1mb", Repeat("[s]\na=\nb=\nc=\nd=\n", 1 << 20));
    Measure("distinct_keys_1mb", [] {
        QByteArray out = "[s]\n";
        for (int i = 0; out.size() < (1 << 20); ++i)
            out += QByteArray::number(i, 36) + "=\n";
        return out;
    }());
    return 0;
}
