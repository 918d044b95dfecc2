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

// Marks a plain restatement that a fuzzer holds the code against: its branches guide no
// mutation, and its byte loops run without the tracing that would make them the run's cost.
#if defined(__clang__)
#define VARNHOLT_RESTATEMENT __attribute__((no_sanitize("coverage")))
#else
#define VARNHOLT_RESTATEMENT
#endif
