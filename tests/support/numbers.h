// Comparing doubles in tests bit for bit: -0.0 differs from 0.0, and NaN
// equals a NaN of the same payload.
#pragma once

#include <cstring>

namespace tarn::testing {

inline bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace tarn::testing
