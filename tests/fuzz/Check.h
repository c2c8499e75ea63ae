#pragma once
// An invariant of a fuzz target: when it fails, the input is a finding, so the
// run stops with the description and libFuzzer keeps the input as a crash.

#include <cstdio>
#include <cstdlib>

namespace varnok::fuzz {

inline void check(bool holds, const char* invariant) {
    if (holds) return;
    std::fprintf(stderr, "invariant broken: %s\n", invariant);
    std::abort();
}

}  // namespace varnok::fuzz
