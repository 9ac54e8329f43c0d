#pragma once

#include <cstdio>
#include <cstdlib>

// A broken promise found by a fuzz target: say which, then abort, so that libFuzzer keeps
// the input as a crash and the replay program fails.
inline void fuzzCheck(bool holds, const char *promise)
{
    if (!holds) {
        std::fprintf(stderr, "fuzz check failed: %s\n", promise);
        std::abort();
    }
}
