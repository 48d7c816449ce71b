#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant of a fuzz target: named on standard error, then the abort that
// libFuzzer records with the input that caused it.
inline void Check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}
