#pragma once

#include <cstdio>
#include <cstdlib>

// A property every input must keep; a broken one stops the fuzzer, which saves the input.
// A macro, so that the report names the condition and where it stands.
#define VARNHOLT_REQUIRE(condition)                                                      \
    do {                                                                                 \
        if (!(condition)) {                                                              \
            std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                \
        }                                                                                \
    } while (false)
