// A fixed-seed stream of doubles for the number oracles: every binade
// (subnormals and the largest values included), exact ties for the fixed
// conversions (k + 0.5, k + 0.25, 0.125 and the like), decimal fractions
// that only look like ties (0.15, 2.675), negative zero, integers, powers of
// two and of ten, and the neighbours of each of them.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

namespace oracle {


inline double FromBits(uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

class DoubleStream {
public:
    explicit DoubleStream(uint64_t seed = 0x0DA7E1u) : random_(seed) {}

    double Next() {
        const uint64_t pick = random_() % 100;
        double value;
        if (pick < 30) {
            value = AnyBinade();
        } else if (pick < 50) {
            value = EverydayMagnitude();
        } else if (pick < 65) {
            value = ExactTie();
        } else if (pick < 80) {
            value = DecimalFraction();
        } else if (pick < 90) {
            value = Landmark();
        } else {
            value = Neighbour(EverydayMagnitude());
        }
        return (random_() & 1) != 0 ? -value : value;
    }

    uint64_t Bits() { return random_(); }

private:
    // Uniform over the exponent field: every binade equally, subnormals,
    // infinities and NaNs included.
    double AnyBinade() {
        const uint64_t exponent = random_() % 2048;
        const uint64_t mantissa = random_() & ((uint64_t{1} << 52) - 1);
        return FromBits((exponent << 52) | mantissa);
    }

    // 1e-6 .. 1e9 with a random mantissa: the sizes doses and inputs have.
    double EverydayMagnitude() {
        const int64_t exponent = static_cast<int64_t>(random_() % 50) - 20;
        const uint64_t mantissa = random_() & ((uint64_t{1} << 52) - 1);
        return FromBits((static_cast<uint64_t>(1023 + exponent) << 52) | mantissa);
    }

    // k + j / 2^t with j odd: exactly halfway for the conversion with t - 1
    // decimals (t = 1: "%.0f", t = 2: "%.1f", ... ties at the last digit).
    double ExactTie() {
        const int t = 1 + static_cast<int>(random_() % 6);
        const uint64_t integerBits = random_() % 40;
        const double k = static_cast<double>(random_() % (uint64_t{1} << integerBits));
        const double j = static_cast<double>(2 * (random_() % (uint64_t{1} << (t - 1))) + 1);
        return k + j / static_cast<double>(uint64_t{1} << t);
    }

    // n / 10^p: decimal texts whose binary value sits just off the tie.
    double DecimalFraction() {
        static const double kPowers[] = {10.0, 100.0, 1000.0, 10000.0, 100000.0, 1000000.0};
        const double power = kPowers[random_() % 6];
        const double n = static_cast<double>(random_() % 10000000);
        return n / power;
    }

    double Landmark() {
        static const double kLandmarks[] = {
            0.0,
            std::numeric_limits<double>::denorm_min(),
            FromBits(0x000FFFFFFFFFFFFFull),  // largest subnormal
            std::numeric_limits<double>::min(),
            std::numeric_limits<double>::max(),
            std::numeric_limits<double>::epsilon(),
            9007199254740992.0,   // 2^53
            9007199254740993.0,   // rounds to 2^53
            4503599627370495.5,   // 2^52 - 0.5
            1e22, 1e23, 1e74, 9.99999999999999e73, 1e75, 1e-5, 1e-4, 0.5, 1.5, 2.5, 0.125,
            0.375, 2.675, 0.15, 0.05, 6.800000190734863, 20.0, 60.0, 1e15, 1e16, 1e17,
            123456.5, 999999.5, 9.5, 99.95, 0.0005, 1234567.0, 0.00001,
            std::numeric_limits<double>::infinity(),
            std::numeric_limits<double>::quiet_NaN(),
        };
        constexpr uint64_t kCount = sizeof kLandmarks / sizeof kLandmarks[0];
        const double landmark = kLandmarks[random_() % kCount];
        return (random_() % 3) == 0 ? Neighbour(landmark) : landmark;
    }

    double Neighbour(double value) {
        return std::nextafter(value, (random_() & 1) != 0 ? HUGE_VAL : -HUGE_VAL);
    }

    std::mt19937_64 random_;
};

}  // namespace oracle
