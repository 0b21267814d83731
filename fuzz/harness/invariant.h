// Fuzz harness: an invariant that does not hold is a finding. It stops the
// run loudly, so libFuzzer saves the input and the replay reports it.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace vantor::fuzz {

[[noreturn]] inline void invariantBroken(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
    std::abort();
}

}  // namespace vantor::fuzz

#define FUZZ_REQUIRE(condition)                                                            \
    do {                                                                                   \
        if (!(condition)) ::vantor::fuzz::invariantBroken(#condition, __FILE__, __LINE__); \
    } while (0)
