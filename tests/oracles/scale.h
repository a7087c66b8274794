// How much of each oracle sweep runs. All of it natively and under Wine; a
// quarter in the sanitizer build (unoptimised and instrumented, some twenty
// times slower: it checks memory, the other builds check digits); and the
// share ORDAVEL_ORACLE_SCALE gives (0 < scale <= 1), which scripts/fuzz sets
// for its run under Valgrind.
#pragma once

#include <cstdlib>

namespace oracle {

inline double SweepScale() {
    if (const char* text = std::getenv("ORDAVEL_ORACLE_SCALE")) {
        const double scale = std::atof(text);
        if (scale > 0.0 && scale <= 1.0) return scale;
    }
#if defined(__SANITIZE_ADDRESS__)
    return 0.25;
#else
    return 1.0;
#endif
}

// `count` scaled, at least 1.
inline int Scaled(int count) {
    const int scaled = static_cast<int>(count * SweepScale());
    return scaled > 0 ? scaled : 1;
}

}  // namespace oracle
