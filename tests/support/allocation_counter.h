// Counts heap allocations made by the code under test. Linking this replaces
// the global operator new and delete of the test binary and, on glibc
// without AddressSanitizer (which owns malloc itself), malloc and its
// relatives too, so that allocations inside the C and C++ runtime libraries
// count as well. Counting runs while a CountedScope is open, except inside
// a PausedCounting (a test's own bookkeeping on the heap).
#pragma once

#include <cstdint>

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
#define ORDAVEL_COUNT_MALLOC 1
#else
#define ORDAVEL_COUNT_MALLOC 0
#endif

namespace tarn::allocation {

// Allocations seen since the innermost CountedScope opened.
int64_t Count();

class CountedScope {
public:
    CountedScope();
    ~CountedScope();
    CountedScope(const CountedScope&) = delete;
    CountedScope& operator=(const CountedScope&) = delete;

private:
    bool wasCounting_;
};

class PausedCounting {
public:
    PausedCounting();
    ~PausedCounting();
    PausedCounting(const PausedCounting&) = delete;
    PausedCounting& operator=(const PausedCounting&) = delete;

private:
    bool wasCounting_;
};

// What running `body` inside a CountedScope cost: the allocations it made
// and whether an exception left it (caught here).
struct Measured {
    int64_t allocations;
    int32_t exceptions;
};

template <class Body>
Measured Measure(Body body) {
    int32_t exceptions = 0;
    const CountedScope counted;
    try {
        body();
    } catch (...) {
        ++exceptions;
    }
    return {Count(), exceptions};
}

}  // namespace tarn::allocation
