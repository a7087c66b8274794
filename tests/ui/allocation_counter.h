// Counts heap allocations made by the code under test: the global operator
// new of the test binary counts while a CountedScope is open, except inside
// a PausedCounting (the fake services, which keep their records on the heap).
#pragma once

#include <cstdint>

namespace tarn::allocation {

int64_t Count();

class CountedScope {
public:
    CountedScope();
    ~CountedScope();
    CountedScope(const CountedScope&) = delete;
    CountedScope& operator=(const CountedScope&) = delete;
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
