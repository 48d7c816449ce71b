// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause
// libFuzzer target for the reader that takes rich text files as SQL text: any bytes at all
// are read without a crash, and no more text comes out than the bytes can hold.

#include "rtftext.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    bool ok = false;
    const QString text = RtfToPlainText(bytes, &ok);
    // Every character of the text comes from at least one byte: a plain byte, an escape
    // ("\'hh", "\uN", "\par") or a group's end.
    if (text.size() > bytes.size()) {
        std::fprintf(stderr, "fuzz_rtftext: %lld characters from %lld bytes\n",
                     static_cast<long long>(text.size()), static_cast<long long>(bytes.size()));
        std::abort();
    }
    (void)LooksLikeRtf(bytes);
    return 0;
}
