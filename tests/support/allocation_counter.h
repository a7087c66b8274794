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

}  // namespace tarn::allocation
