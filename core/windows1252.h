// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QChar>

// A byte of Windows-1252: 0x80..0x9F are the code page's own characters; the five bytes it
// leaves undefined keep their Latin-1 control characters, as Windows itself maps them. Every
// other byte is Latin-1.
inline QChar Windows1252Char(unsigned char byte)
{
    static constexpr char16_t High[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    return byte >= 0x80 && byte < 0xA0 ? QChar(High[byte - 0x80]) : QChar(byte);
}
