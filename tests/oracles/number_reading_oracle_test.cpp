// The numbers the expression language reads, against the C library's strtod
// in the "C" locale: the same texts must give the same double, bit for bit,
// and a literal beyond the range of a double must fail as an infinity. The
// texts are the printf forms of a million pseudo-random doubles (fewer
// where scale.h says so): shortest round trip, 15 and 25 digits, fixed point
// and hexadecimal; then the exact halfway points between neighbouring
// doubles with a hair above and below them (held to their known values), and
// a table of literals known to trip up fast scanners.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/expression.h"
#include "tests/oracles/c_library.h"
#include "tests/oracles/doubles.h"
#include "tests/oracles/scale.h"
#include "tests/support/descriptors.h"
#include "tests/support/numbers.h"

namespace {

const int kValues = oracle::Scaled(1000000);
constexpr int kReportedMismatches = 10;

const tarn::ToolDescriptor& kNoVariables = tarn::testing::NoVariablesTool();

using tarn::testing::SameBits;

class Reader {
public:
    // Compares one literal with strtod's reading of it; returns false (and
    // reports the first few) when they disagree.
    bool Check(const std::string& text) {
        char* end = nullptr;
        const double expected = oracle::CStrtod(text.c_str(), &end);
        if (end != text.c_str() + text.size()) {
            ADD_FAILURE() << "strtod does not read all of \"" << text << "\"";
            return false;
        }
        return CheckValue(text, expected);
    }

    // Compares one literal whose correctly rounded value is known.
    bool CheckValue(const std::string& text, double expected) {
        ++checked_;
        int32_t error = -1;
        const double value = tarn::EvaluateExpression(kNoVariables, text.c_str(), nullptr, nullptr, &error);
        const bool agrees = std::isfinite(expected) ? error == 0 && SameBits(value, expected) : error == 1;
        if (!agrees && mismatches_++ < kReportedMismatches) {
            ADD_FAILURE() << "\"" << text << "\": " << oracle::CFormat("%a", value) << " error " << error
                          << ", expected " << oracle::CFormat("%a", expected);
        }
        return agrees;
    }
    int mismatches() const { return mismatches_; }
    long long checked() const { return checked_; }

private:
    int mismatches_ = 0;
    long long checked_ = 0;
};

struct KnownLiteral {
    std::string text;
    double value;  // its correctly rounded value
};

// The exact decimal text of n * 2^exponent for exponent < 0, that is of
// n * 5^-exponent / 10^-exponent, in integer arithmetic (base 10^9 limbs).
std::string ExactDecimal(uint64_t n, int exponent) {
    constexpr uint32_t kBase = 1000000000;
    std::vector<uint32_t> limbs;  // least significant first
    for (; n != 0; n /= kBase) limbs.push_back(static_cast<uint32_t>(n % kBase));
    for (int i = 0; i < -exponent; ++i) {
        uint64_t carry = 0;
        for (uint32_t& limb : limbs) {
            const uint64_t product = uint64_t{limb} * 5 + carry;
            limb = static_cast<uint32_t>(product % kBase);
            carry = product / kBase;
        }
        if (carry != 0) limbs.push_back(static_cast<uint32_t>(carry));
    }
    std::string digits = std::to_string(limbs.back());
    for (size_t i = limbs.size() - 1; i-- > 0;) digits += oracle::CFormat("%09u", static_cast<unsigned>(limbs[i]));
    const size_t fraction = static_cast<size_t>(-exponent);
    if (digits.size() <= fraction) digits.insert(0, fraction - digits.size() + 1, '0');
    digits.insert(digits.size() - fraction, ".");
    return digits;
}

// The exact decimal text of the point halfway between `value` and the next
// double up, which rounds to the one of the two with an even significand,
// and the same point nudged a hair below and above, which round down and up.
// For 2^-60 <= value < 2^53 the point has a fraction, whose last digit is 5.
void HalfwayTexts(double value, KnownLiteral literals[3]) {
    int binaryExponent = 0;
    const double fraction = std::frexp(value, &binaryExponent);  // value = fraction * 2^binaryExponent
    const auto significand = static_cast<uint64_t>(std::ldexp(fraction, 53));
    const int exponent = binaryExponent - 53;  // value = significand * 2^exponent
    const double next = std::nextafter(value, HUGE_VAL);
    const std::string exact = ExactDecimal(2 * significand + 1, exponent - 1);
    literals[0] = {exact, significand % 2 == 0 ? value : next};
    literals[1] = {exact.substr(0, exact.size() - 1) + "4999999999", value};
    literals[2] = {exact + "000000000001", next};
}

TEST(NumberReadingOracle, PrintfFormsOfAMillionDoublesReadAsStrtodReadsThem) {
    oracle::DoubleStream stream(0xBEEFu);
    Reader reader;
    for (int i = 0; i < kValues; ++i) {
        const double value = std::fabs(stream.Next());
        if (!std::isfinite(value)) continue;  // "inf" and "nan" are names to the language
        const std::string forms[] = {
            oracle::CFormat("%.17g", value), oracle::CFormat("%.15g", value), oracle::CFormat("%g", value),
            oracle::CFormat("%.25e", value), oracle::CFormat("%a", value),
        };
        for (const std::string& form : forms) reader.Check(form);
        // Fixed point is long for large magnitudes; a share of them suffices.
        if (value < 1e30 || i % 16 == 0) reader.Check(oracle::CFormat("%.3f", value));
        if (value < 1e-3 && value > 1e-60) reader.Check(oracle::CFormat("%.70f", value));
    }
    EXPECT_EQ(reader.mismatches(), 0) << "of " << reader.checked() << " literals";
}

// The hardest texts for a fast scanner: long ones within a hair of the
// halfway point between two doubles. Their value is known from how they are
// made. strtod is compared as well, except on MinGW, whose __mingw_strtod
// misreads a text just below a power of two (0.49999999999999997224...49999
// gives 0x1.fffffffffffffp-54 instead of 0x1.fffffffffffffp-2); the count of
// such misreadings is printed.
TEST(NumberReadingOracle, HalfwayPointsRoundToEvenAndHairsRoundAway) {
    oracle::DoubleStream stream(0xFACEu);
    Reader reader;
    int strtodMisreadings = 0;
    for (int i = 0; i < kValues / 8; ++i) {
        const double value = std::fabs(stream.Next());
        if (!(value >= 0x1p-60 && value < 0x1p53)) continue;  // a fraction ending in 5
        KnownLiteral literals[3];
        HalfwayTexts(value, literals);
        for (const KnownLiteral& literal : literals) {
            reader.CheckValue(literal.text, literal.value);
            const double read = oracle::CStrtod(literal.text.c_str(), nullptr);
            if (!SameBits(read, literal.value)) ++strtodMisreadings;
        }
    }
    EXPECT_EQ(reader.mismatches(), 0) << "of " << reader.checked() << " literals";
    std::printf("C library strtod misread %d of %lld halfway literals\n", strtodMisreadings, reader.checked());
#ifndef _WIN32
    EXPECT_EQ(strtodMisreadings, 0) << "the halfway texts are not what they claim to be";
#endif
}

TEST(NumberReadingOracle, HardLiteralsReadAsStrtodReadsThem) {
    const char* const kLiterals[] = {
        "0", "0.", ".0", "00012", "5.", ".5", "1e0", "1E+2", "1e-0", "0e999999999999", "0.0e-5",
        "6.800000190734863", "6.8", "0.1", "0.15", "2.675", "20", "60", "0.5", "123456789012345678",
        "1234567890123456789", "12345678901234567890", "18446744073709551615", "18446744073709551616",
        "9007199254740992", "9007199254740993", "9007199254740993.0000000000000001", "9007199254740995",
        "1e22", "1e23", "8.98846567431158e307", "1.7976931348623157e308", "1.7976931348623158e308",
        "1.7976931348623159e308", "1e308", "1e309", "1e400", "1e99999999999999999999",
        "2.2250738585072011e-308", "2.2250738585072012e-308", "2.2250738585072014e-308",
        "4.9406564584124654e-324", "2.4703282292062328e-324", "2.4703282292062327e-324",
        "2.4703282292062327208828439643411068618252990130716238221279284125033775363510437593264991818081799618989828234772285886546332835517796989819938739800539093906315035659515570226392290858392449105184435931802849936536152500319370457678249219365623669863658480757001585769269903706311928279558551332927834338409351978015531246597263579574622766465272827220056374006485499977096599470454020828166226237857393450736339007967761930577506740176324673600968951340535537458516661134223766678604162159680461914467291840300530057530849048765391711386591646239524912623653881879636239373280423891018672348497668235089863388587925628302755995657524455507255189313690836254779186948667994968324049705821028513185451396213837722826145437693412532098591327667236328125e-324",
        "1e-320", "1e-324", "1e-400", "0.000000000000000000000000000000000000000001",
        "0x10", "0x1p3", "0X1P-1", "0x1.8p3", "0x.8", "0x1.fffffffffffffp1023", "0x1.fffffffffffff8p1023",
        "0x1p1024", "0x1p-1074", "0x1p-1075", "0x1.0000000000001p-1075", "0x1.00000000000008p0",
        "0x1.00000000000008000001p0", "0x1.00000000000018p0", "0xffffffffffffffffff", "0x0.0000001p-1040",
    };
    Reader reader;
    for (const char* literal : kLiterals) reader.Check(literal);
    // Long runs of digits on both sides of the point.
    reader.Check(std::string(400, '9'));
    reader.Check("0." + std::string(330, '0') + "1");
    reader.Check("1." + std::string(500, '0') + "1");
    reader.Check(std::string(300, '1') + "e-300");
    reader.Check("0." + std::string(400, '0') + "1e400");
    EXPECT_EQ(reader.mismatches(), 0) << "of " << reader.checked() << " literals";
}

// A minus sign is the unary operator, which only flips the sign bit.
TEST(NumberReadingOracle, NegatedLiteralsAreExactNegations) {
    oracle::DoubleStream stream(0xABCDu);
    int mismatches = 0;
    for (int i = 0; i < kValues / 10; ++i) {
        const double value = std::fabs(stream.Next());
        if (!std::isfinite(value)) continue;
        const std::string text = "-" + oracle::CFormat("%.17g", value);
        int32_t error = -1;
        const double read = tarn::EvaluateExpression(kNoVariables, text.c_str(), nullptr, nullptr, &error);
        if ((error != 0 || !SameBits(read, -value)) && mismatches++ < kReportedMismatches)
            ADD_FAILURE() << text << ": " << oracle::CFormat("%a", read) << " error " << error;
    }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
