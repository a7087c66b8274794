// The expression language of output formulas and verdict conditions.
//
// One left-to-right pass of recursive descent that computes while it reads:
// no tokens, no tree, nothing kept between evaluations. Every failure only
// sets the error flag; reading goes on with the contribution of the failing
// part (mostly 0.0), so a caller always gets the value as far as it was read.
#include "engine/expression.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace tarn {
namespace {

// A name is read into 64 bytes: at most 63 characters and the terminator.
constexpr int32_t kNameCapacity = kMaxIdentifierLength + 1;

// The state of one evaluation, handed down through every grammar level.
struct ExpressionEvaluator {
    const ToolDescriptor* tool;
    const double* inputs;   // one per input field
    const double* outputs;  // one per output field, as the caller holds them
    const char* cursor;     // next unread byte
    int32_t error;          // 0 until the first failure, then 1 for good
    int32_t depth;          // open nestings: "(", call, unary -, !, ^, ?:
};

double ParseConditional(ExpressionEvaluator& e);

// ---------------------------------------------------------------------------
// Characters. Own tests instead of <cctype>: those depend on the locale, and
// bytes 0x80..0xFF must never count as letters.

// Space, tab, line feed and carriage return; not vertical tab or form feed.
constexpr uint64_t kWhitespaceBits =
    (uint64_t{1} << ' ') | (uint64_t{1} << '\t') | (uint64_t{1} << '\n') | (uint64_t{1} << '\r');
constexpr bool IsWhitespace(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code <= ' ' && ((kWhitespaceBits >> code) & 1u) != 0;
}
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool IsNameStart(char c) { return IsLetter(c) || c == '_'; }
constexpr bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Names are copied character by character, so their test is one lookup.
struct NameCharacters {
    bool in[256];
};

constexpr NameCharacters MakeNameCharacters() {
    NameCharacters table{};
    for (int c = 0; c < 256; ++c) {
        const char ch = static_cast<char>(c);
        table.in[c] = IsNameStart(ch) || IsDigit(ch);
    }
    return table;
}

constexpr NameCharacters kNameCharacters = MakeNameCharacters();

constexpr bool IsNameChar(char c) { return kNameCharacters.in[static_cast<unsigned char>(c)]; }

static_assert(IsWhitespace(' ') && IsWhitespace('\t') && IsWhitespace('\n') && IsWhitespace('\r'));
static_assert(!IsWhitespace('\v') && !IsWhitespace('\f') && !IsWhitespace(0));
static_assert(IsNameChar('_') && IsNameChar('7') && !IsNameStart('7') && !IsNameChar('\xE9'));

// ---------------------------------------------------------------------------
// Scanner helpers.

// Records a failure; 0.0 is what a failing operand contributes.
double Fail(ExpressionEvaluator& e) {
    e.error = 1;
    return 0.0;
}

// Whitespace is skipped after every token (and once at the start), so the
// cursor always rests on the next character that matters: whitespace may
// stand between any two tokens, and each level's look at the next character
// is a plain read. Most tokens are followed by a printable character: only
// a byte up to the space (the end of the text included) leads to the run,
// kept out of line, which tells whitespace from the rest.
[[gnu::noinline]] void SkipWhitespaceRun(ExpressionEvaluator& e) {
    while (IsWhitespace(*e.cursor)) ++e.cursor;
}

void SkipWhitespace(ExpressionEvaluator& e) {
    if (static_cast<unsigned char>(*e.cursor) <= ' ') SkipWhitespaceRun(e);
}

// The next character, not consumed.
char Next(const ExpressionEvaluator& e) { return *e.cursor; }

// Consumes a token of `length` characters.
void Advance(ExpressionEvaluator& e, int32_t length) {
    e.cursor += length;
    SkipWhitespace(e);
}

// Consumes `c` when it comes next.
bool Accept(ExpressionEvaluator& e, char c) {
    if (Next(e) != c) return false;
    Advance(e, 1);
    return true;
}

// Consumes the two-character operator `first second`, written without a gap.
bool AcceptPair(ExpressionEvaluator& e, char first, char second) {
    if (e.cursor[0] != first || e.cursor[1] != second) return false;
    Advance(e, 2);
    return true;
}

// A missing closing character is a failure, but the value read stands.
void Expect(ExpressionEvaluator& e, char c) {
    if (!Accept(e, c)) e.error = 1;
}

double Truth(bool holds) { return holds ? 1.0 : 0.0; }

// Reads one nested sub-expression with `rule`. Past kMaxExpressionDepth open
// nestings the evaluation fails and reads nothing more, so no text can
// exhaust the stack.
template <typename Rule>
double Nested(ExpressionEvaluator& e, Rule rule) {
    if (e.depth >= kMaxExpressionDepth) return Fail(e);
    ++e.depth;
    const double value = rule(e);
    --e.depth;
    return value;
}

// ---------------------------------------------------------------------------
// Numbers: exactly the prefix strtod takes, converted to the same correctly
// rounded double, but without the locale and fast for the short literals
// that formulas use.

// Every power of ten up to 1e22 is exact in a double.
constexpr double kExactPowersOfTen[] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22,
};
constexpr int64_t kMaxExactPowerOfTen = 22;
constexpr uint64_t kMaxExactMantissa = uint64_t{1} << 53;
constexpr int64_t kMaxKeptDigits = 19;  // any 19 digits fit in 64 bits
// Exponent texts are read up to this size; beyond it every literal is zero
// or infinite anyway, and the sum with the digit count cannot overflow.
constexpr int64_t kExponentCap = int64_t{1} << 40;

// Reads an exponent (the marker letter, an optional sign, at least one decimal
// digit) at `p` into `*exponent`; returns its end, or `p` when there is none.
const char* ScanExponent(const char* p, char lower, char upper, int64_t* exponent) {
    if (*p != lower && *p != upper) return p;
    const char* q = p + 1;
    const bool negative = *q == '-';
    if (*q == '+' || *q == '-') ++q;
    if (!IsDigit(*q)) return p;  // "1e" and "1e+" are the number 1
    int64_t value = 0;
    for (; IsDigit(*q); ++q) {
        if (value < kExponentCap) value = value * 10 + (*q - '0');
    }
    *exponent = negative ? -value : value;
    return q;
}

// A decimal literal as scanned: its value is mantissa * 10^scale while it
// has at most kMaxKeptDigits digits.
struct DecimalLiteral {
    const char* end;    // one past the literal; the start when there is none
    uint64_t mantissa;  // all its digits, when there are few enough
    int64_t digits;     // digits before the exponent, leading zeros included
    int64_t scale;
};

// digits ["." digits] [("e" | "E") ["+" | "-"] digits], at least one digit
// before the exponent.
DecimalLiteral ScanDecimal(const char* begin) {
    const char* p = begin;
    uint64_t mantissa = 0;  // wraps past 19 digits, and is then not used
    for (; IsDigit(*p); ++p) mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
    int64_t digits = p - begin;
    int64_t fractionDigits = 0;
    if (*p == '.') {
        const char* fraction = ++p;
        for (; IsDigit(*p); ++p) mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
        fractionDigits = p - fraction;
        digits += fractionDigits;
    }
    if (digits == 0) return DecimalLiteral{begin, 0, 0, 0};  // a lone "." is no number
    int64_t exponent = 0;
    const char* end = ScanExponent(p, 'e', 'E', &exponent);
    return DecimalLiteral{end, mantissa, digits, exponent - fractionDigits};
}

// "0x" is already behind `begin`: hexdigits ["." hexdigits] [("p" | "P")
// ["+" | "-"] digits], at least one hex digit. Returns its end, or `begin`.
const char* ScanHex(const char* begin) {
    const char* p = begin;
    while (IsHexDigit(*p)) ++p;
    bool anyDigit = p != begin;
    if (*p == '.') {
        const char* fraction = ++p;
        while (IsHexDigit(*p)) ++p;
        anyDigit = anyDigit || p != fraction;
    }
    if (!anyDigit) return begin;
    int64_t exponent = 0;
    return ScanExponent(p, 'p', 'P', &exponent);
}

// Whether a literal out of the range of a double is too large rather than too
// small: its leading digit's place plus its exponent (scaled to powers of two
// for hex) is positive. Only reached for magnitudes far beyond +-300.
bool IsTooLarge(const char* digits, bool hex) {
    const auto isDigit = [hex](char c) { return hex ? IsHexDigit(c) : IsDigit(c); };
    const char* p = digits;
    int64_t place = 0;  // digits of the leading one above the point
    bool significant = false;
    for (; isDigit(*p); ++p) {
        significant = significant || *p != '0';
        if (significant) ++place;
    }
    if (*p == '.') {
        for (++p; isDigit(*p); ++p) {
            significant = significant || *p != '0';
            if (!significant) --place;
        }
    }
    int64_t exponent = 0;
    ScanExponent(p, hex ? 'p' : 'e', hex ? 'P' : 'E', &exponent);
    return (hex ? 4 * place : place) + exponent > 0;
}

// The correctly rounded value of [begin, end) by std::from_chars, which is
// locale-free. It leaves the value alone when the literal is out of range;
// strtod then gives an infinity or zero, and so does this.
double ConvertByLibrary(ExpressionEvaluator& e, const char* begin, const char* end, bool hex) {
    double value = 0.0;
    const std::from_chars_result result =
        std::from_chars(begin, end, value, hex ? std::chars_format::hex : std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        return IsTooLarge(begin, hex) ? std::numeric_limits<double>::infinity() : 0.0;
    }
    if (result.ec != std::errc{} || result.ptr != end) return Fail(e);  // scanner disagrees
    return value;
}

// Clinger's fast path: a mantissa and a power of ten that are both exact
// doubles give the correctly rounded value with a single multiply or divide.
bool ConvertExactly(const DecimalLiteral& n, double* value) {
    if (n.digits > kMaxKeptDigits || n.mantissa > kMaxExactMantissa) return false;
    if (n.mantissa == 0) {  // zero whatever the exponent
        *value = 0.0;
        return true;
    }
    if (n.scale < -kMaxExactPowerOfTen || n.scale > kMaxExactPowerOfTen) return false;
    const double mantissa = static_cast<double>(n.mantissa);
    *value = n.scale >= 0 ? mantissa * kExactPowersOfTen[n.scale]
                          : mantissa / kExactPowersOfTen[-n.scale];
    return true;
}

// "0x" with no hex digit after it is read by strtod as the number 0 alone.
double ReadHexNumber(ExpressionEvaluator& e) {
    const char* digits = e.cursor + 2;
    const char* end = ScanHex(digits);
    if (end == digits) {
        Advance(e, 1);
        return 0.0;
    }
    e.cursor = end;
    SkipWhitespace(e);
    return ConvertByLibrary(e, digits, end, true);
}

double ReadDecimalNumber(ExpressionEvaluator& e) {
    const char* begin = e.cursor;
    const DecimalLiteral n = ScanDecimal(begin);
    if (n.end == begin) return Fail(e);
    e.cursor = n.end;
    SkipWhitespace(e);
    double value = 0.0;
    if (ConvertExactly(n, &value)) return value;
    return ConvertByLibrary(e, begin, n.end, false);
}

/* <number> = <decimal> | "0" ("x" | "X") <hex> */
double ReadNumber(ExpressionEvaluator& e) {
    const char* p = e.cursor;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) return ReadHexNumber(e);
    return ReadDecimalNumber(e);
}

// ---------------------------------------------------------------------------
// Variables and functions.

// Exact, case-sensitive comparison of two names.
bool SameName(const char* a, const char* b) {
    while (*a != 0 && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

// An absent identifier names nothing.
bool NamesEqual(const char* identifier, const char* name) {
    return identifier != nullptr && SameName(identifier, name);
}

// Inputs first, so an input hides an output of the same name. An output is
// read as the caller holds it, computed or not. A value array the caller did
// not pass fails the name instead of being read. Only the first 16 inputs
// and outputs have names, as only they have values: a field past the clamp
// is an unknown name and fails.
double LookUpVariable(ExpressionEvaluator& e, const char* name) {
    const ToolDescriptor& tool = *e.tool;
    const int32_t inputCount = ClampedInputCount(tool);
    for (int32_t i = 0; i < inputCount; ++i) {
        if (NamesEqual(tool.inputs[i].identifier, name)) return e.inputs ? e.inputs[i] : Fail(e);
    }
    const int32_t outputCount = ClampedOutputCount(tool);
    for (int32_t i = 0; i < outputCount; ++i) {
        if (NamesEqual(tool.outputs[i].identifier, name)) return e.outputs ? e.outputs[i] : Fail(e);
    }
    return Fail(e);
}

// Written as 0.3333333333333333 so that cbrt(8) and cbrt(-8) come out whole.
constexpr double kOneThird = 0.3333333333333333;

double Sqrt(ExpressionEvaluator& e, double x) { return x < 0.0 ? Fail(e) : std::sqrt(x); }
double Abs(ExpressionEvaluator&, double x) { return std::fabs(x); }
double Log(ExpressionEvaluator& e, double x) { return x <= 0.0 ? Fail(e) : std::log(x); }
double Log10(ExpressionEvaluator& e, double x) { return x <= 0.0 ? Fail(e) : std::log10(x); }
double Exp(ExpressionEvaluator&, double x) { return std::exp(x); }
double Floor(ExpressionEvaluator&, double x) { return std::floor(x); }
double Ceil(ExpressionEvaluator&, double x) { return std::ceil(x); }
// Halves go up: round(-2.5) is -2.
double Round(ExpressionEvaluator&, double x) { return std::floor(x + 0.5); }
double Cbrt(ExpressionEvaluator&, double x) {
    return x >= 0.0 ? std::pow(x, kOneThird) : -std::pow(-x, kOneThird);
}
double Sign(ExpressionEvaluator&, double x) {
    if (x > 0.0) return 1.0;
    if (x < 0.0) return -1.0;
    return 0.0;  // zero and NaN
}

// With a NaN operand min and max give their second argument.
double Min(ExpressionEvaluator&, double a, double b) { return a < b ? a : b; }
double Max(ExpressionEvaluator&, double a, double b) { return a > b ? a : b; }
double Pow(ExpressionEvaluator&, double a, double b) { return std::pow(a, b); }
double Mod(ExpressionEvaluator& e, double a, double b) { return b == 0.0 ? Fail(e) : std::fmod(a, b); }

struct OneArgumentFunction {
    const char* name;
    double (*apply)(ExpressionEvaluator&, double);
};

struct TwoArgumentFunction {
    const char* name;
    double (*apply)(ExpressionEvaluator&, double, double);
};

constexpr OneArgumentFunction kOneArgumentFunctions[] = {
    {"sqrt", Sqrt},   {"abs", Abs},   {"log", Log},     {"log10", Log10}, {"exp", Exp},
    {"floor", Floor}, {"ceil", Ceil}, {"round", Round}, {"cbrt", Cbrt},   {"sign", Sign},
};

constexpr TwoArgumentFunction kTwoArgumentFunctions[] = {
    {"min", Min}, {"max", Max}, {"pow", Pow}, {"mod", Mod},
};

double ApplyOneArgumentFunction(ExpressionEvaluator& e, const char* name, double x) {
    for (const OneArgumentFunction& function : kOneArgumentFunctions) {
        if (SameName(function.name, name)) return function.apply(e, x);
    }
    return Fail(e);
}

double ApplyTwoArgumentFunction(ExpressionEvaluator& e, const char* name, double a, double b) {
    for (const TwoArgumentFunction& function : kTwoArgumentFunctions) {
        if (SameName(function.name, name)) return function.apply(e, a, b);
    }
    return Fail(e);
}

// "(" is behind; the arguments and the closing ")".
double ReadArguments(ExpressionEvaluator& e, const char* name) {
    const double a = ParseConditional(e);
    if (!Accept(e, ',')) {
        Expect(e, ')');
        return ApplyOneArgumentFunction(e, name, a);
    }
    const double b = ParseConditional(e);
    Expect(e, ')');  // a third argument leaves its "," as trailing text
    return ApplyTwoArgumentFunction(e, name, a, b);
}

/* <call> = <name> "(" <conditional> ["," <conditional>] ")" */
double ReadCall(ExpressionEvaluator& e, const char* name) {
    Advance(e, 1);  // "("
    // The arguments nest one level deeper than the call.
    return Nested(e, [name](ExpressionEvaluator& inner) { return ReadArguments(inner, name); });
}

/* <name> = (letter | "_") {letter | digit | "_"}, a call when "(" follows */
double ReadName(ExpressionEvaluator& e) {
    char name[kNameCapacity];
    const char* p = e.cursor;
    int32_t length = 0;
    // A 64th name character stays unread and fails the text as trailing text.
    while (length < kNameCapacity - 1 && IsNameChar(*p)) name[length++] = *p++;
    name[length] = 0;
    e.cursor = p;
    SkipWhitespace(e);
    if (Next(e) == '(') return ReadCall(e, name);
    return LookUpVariable(e, name);
}

// ---------------------------------------------------------------------------
// Grammar levels, lowest precedence first. In most formulas the levels from
// "||" down to "^" only hand an operand through; they are folded into the
// conditional's frame (always_inline), so that each rule keeps its own
// function and a formula is still read in a few dozen nanoseconds. None of
// them calls itself directly: the recursion runs through ParseConditional,
// ParseUnary and ParseExponent, which stay out of line.

/* <unary> = "(" <conditional> ")" | ("-" | "+" | "!") <unary> | <number> | <name> */
double ParseUnary(ExpressionEvaluator& e) {
    for (;;) {
        const char c = Next(e);
        if (IsDigit(c) || c == '.') return ReadNumber(e);
        if (IsNameStart(c)) return ReadName(e);
        switch (c) {
            case '+':  // changes nothing, however often written: a loop, no nesting
                Advance(e, 1);
                continue;
            case '-':
                Advance(e, 1);
                return -Nested(e, ParseUnary);
            case '!':
                Advance(e, 1);
                return Truth(Nested(e, ParseUnary) == 0.0);
            case '(': {
                Advance(e, 1);
                const double value = Nested(e, ParseConditional);
                Expect(e, ')');
                return value;
            }
            default:
                return Fail(e);  // no operand here, the end of the text included
        }
    }
}

double ParseExponent(ExpressionEvaluator& e);

/* <power> = <unary> ["^" <power>] */
[[gnu::always_inline]] inline double ParsePower(ExpressionEvaluator& e) {
    const double base = ParseUnary(e);
    if (!Accept(e, '^')) return base;
    const double exponent = Nested(e, ParseExponent);  // "^" groups to the right
    return std::pow(base, exponent);
}

// The exponent of "^", itself a power.
double ParseExponent(ExpressionEvaluator& e) { return ParsePower(e); }

/* <multiplicative> = <power> {("*" | "/" | "%") <power>} */
[[gnu::always_inline]] inline double ParseMultiplicative(ExpressionEvaluator& e) {
    double r = ParsePower(e);
    for (;;) {
        const char op = Next(e);
        if (op != '*' && op != '/' && op != '%') return r;
        if (op == '*' && e.cursor[1] == '*') return r;  // "**" is no operator
        Advance(e, 1);
        const double p = ParsePower(e);
        if (op == '*') {
            r *= p;
        } else if (p == 0.0) {
            return Fail(e);  // ends the term with 0.0, its rest unread
        } else {
            r = op == '/' ? r / p : std::fmod(r, p);
        }
    }
}

/* <additive> = <multiplicative> {("+" | "-") <multiplicative>} */
[[gnu::always_inline]] inline double ParseAdditive(ExpressionEvaluator& e) {
    double r = ParseMultiplicative(e);
    for (;;) {
        const char op = Next(e);
        if (op != '+' && op != '-') return r;
        Advance(e, 1);
        const double m = ParseMultiplicative(e);
        r = op == '+' ? r + m : r - m;
    }
}

enum class Relation { kNone, kLessEqual, kGreaterEqual, kEqual, kNotEqual, kLess, kGreater };

// Reads a relational operator, the two-character ones first.
Relation ReadRelation(ExpressionEvaluator& e) {
    if (AcceptPair(e, '<', '=')) return Relation::kLessEqual;
    if (AcceptPair(e, '>', '=')) return Relation::kGreaterEqual;
    if (AcceptPair(e, '=', '=')) return Relation::kEqual;
    if (AcceptPair(e, '!', '=')) return Relation::kNotEqual;
    if (Accept(e, '<')) return Relation::kLess;
    if (Accept(e, '>')) return Relation::kGreater;
    return Relation::kNone;  // a lone "=" or "!" is trailing text
}

// With a NaN operand every relation is false but "!=".
bool Holds(Relation relation, double a, double b) {
    switch (relation) {
        case Relation::kLessEqual: return a <= b;
        case Relation::kGreaterEqual: return a >= b;
        case Relation::kEqual: return a == b;
        case Relation::kNotEqual: return a != b;
        case Relation::kLess: return a < b;
        case Relation::kGreater: return a > b;
        case Relation::kNone: break;
    }
    return false;
}

/* <comparison> = <additive> [("<=" | ">=" | "==" | "!=" | "<" | ">") <additive>] */
[[gnu::always_inline]] inline double ParseComparison(ExpressionEvaluator& e) {
    const double a = ParseAdditive(e);
    const char c = Next(e);
    if (c != '<' && c != '>' && c != '=' && c != '!') return a;
    const Relation relation = ReadRelation(e);
    if (relation == Relation::kNone) return a;
    // One operator at most: in 1<2<3 the second "<" is trailing text.
    return Truth(Holds(relation, a, ParseAdditive(e)));
}

/* <and> = <comparison> {"&&" <comparison>} */
[[gnu::always_inline]] inline double ParseAnd(ExpressionEvaluator& e) {
    double r = ParseComparison(e);
    while (AcceptPair(e, '&', '&')) {
        const double s = ParseComparison(e);  // always read: no short-circuit
        r = Truth(r != 0.0 && s != 0.0);
    }
    return r;
}

/* <or> = <and> {"||" <and>} */
[[gnu::always_inline]] inline double ParseOr(ExpressionEvaluator& e) {
    double r = ParseAnd(e);
    while (AcceptPair(e, '|', '|')) {
        const double s = ParseAnd(e);  // always read: no short-circuit
        r = Truth(r != 0.0 || s != 0.0);
    }
    return r;
}

/* <conditional> = <or> ["?" <conditional> ":" <conditional>] */
double ParseConditional(ExpressionEvaluator& e) {
    const double condition = ParseOr(e);
    if (!Accept(e, '?')) return condition;
    // Both branches are read, so a failure in the one not chosen still counts.
    const double chosen = Nested(e, ParseConditional);
    Expect(e, ':');  // when missing, the second branch starts right here
    const double other = Nested(e, ParseConditional);
    return condition != 0.0 ? chosen : other;  // NaN is true
}

}  // namespace

double EvaluateExpression(const ToolDescriptor& tool, const char* text, const double* inputs,
                          const double* outputs, int32_t* error) {
    if (!text || *text == 0) {
        if (error) *error = 1;
        return 0.0;
    }
    ExpressionEvaluator e{&tool, inputs, outputs, text, 0, 0};
    SkipWhitespace(e);
    const double value = ParseConditional(e);
    const bool trailingText = Next(e) != 0;
    // Only the final value must be finite: 1/1e999 is a clean 0.
    const bool failed = trailingText || e.error != 0 || !std::isfinite(value);
    if (error) *error = failed ? 1 : 0;
    return value;
}

}  // namespace tarn
