// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <sanitizer/allocator_interface.h>

#include <algorithm>
#include <cstddef>
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

// The heap a reading holds at its highest, counted by the allocator's hooks: what is
// allocated, less what is freed, from Start on.
struct HeapWatch
{
    static inline bool active = false;
    static inline long long live = 0;
    static inline long long peak = 0;

    static void Allocated(const volatile void *, size_t size)
    {
        if (!active)
            return;
        live += (long long)size;
        peak = std::max(peak, live);
    }
    static void Freed(const volatile void *ptr)
    {
        if (active && ptr)
            live -= (long long)__sanitizer_get_allocated_size(const_cast<const void *>(ptr));
    }
    static void Start()
    {
        static const bool installed = __sanitizer_install_malloc_and_free_hooks(Allocated, Freed) != 0;
        (void)installed;
        live = peak = 0;
        active = true;
    }
    static long long Stop()
    {
        active = false;
        return peak;
    }
};

// An input of 1 MB is read within 64 MB (and a little for what any reading needs).
constexpr long long HeapPerInputByte = 64;
constexpr long long HeapFixed = 1ll << 20;

inline void CheckHeap(long long heap, size_t size, const char *target)
{
    if (heap > HeapFixed + HeapPerInputByte * (long long)size) {
        std::fprintf(stderr, "%s: %lld bytes of heap to read %zu bytes\n", target, heap, size);
        std::abort();
    }
}
