// ParseInputField, the compute command's reading of one input edit, on
// arbitrary UTF-16 text.
//
// Input: each byte one piece of text: digits, point, exponent letters and
// signs as they are (ASCII below 0x80), and a few bytes for look-alikes
// (full-width digits and point, the ideographic space, a comma), words the
// C library reads as infinity or NaN, long digit runs and lone surrogates.
//
// Checked: an empty or all-blank field reads as 0 and is accepted; an
// accepted value is finite and is exactly what strtod makes of the whole
// text less its blanks, full-width digits and full stops read as their
// ASCII forms (nothing is guessed from part of a text); a plain decimal such
// as "-12.5e3" of at most 127 characters (the field's room), with blanks
// around it and typed in either width, is always accepted.
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

#include "tests/fuzz/fuzz_support.h"
#include "ui/commands.h"

namespace {

std::u16string FieldFrom(const uint8_t* bytes, size_t size) {
    std::u16string text;
    for (size_t i = 0; i < size; ++i) {
        const uint8_t byte = bytes[i];
        switch (byte) {
            case 0x80: text += u"inf"; break;
            case 0x81: text += u"nan"; break;
            case 0x82: text += u"1e999"; break;
            case 0x83: text += u"0x1p-3"; break;
            case 0x84: text.push_back(u'\uFF16'); break;  // full-width 6
            case 0x85: text.push_back(u'\uFF0E'); break;  // full-width point
            case 0x86: text.push_back(u'\u3000'); break;  // ideographic space
            case 0x87: text.push_back(u'\u00A0'); break;  // no-break space
            case 0x88: text += std::u16string(400, u'9'); break;
            case 0x89: text.push_back(static_cast<char16_t>(0xD83D)); break;
            case 0x8A: text += u"kg"; break;
            case 0x8B: text += u"0.000000000000000000000000000001"; break;
            case 0x8C: text.push_back(u'\u3002'); break;  // ideographic full stop
            case 0x8D: text.push_back(static_cast<char16_t>(u'\uFF10' + byte % 10)); break;
            case 0x00: text.push_back(u' '); break;
            default:
                if (byte < 0x80)
                    text.push_back(byte);
                else
                    text.push_back(static_cast<char16_t>(u'0' + byte % 10));
        }
    }
    return text;
}

bool IsBlank(char16_t unit) { return unit == u' '; }

// What a Chinese input method types for a digit or the point, as ASCII.
std::u16string AsciiForms(const std::u16string& text) {
    std::u16string ascii;
    for (char16_t unit : text) {
        if (unit >= u'\uFF10' && unit <= u'\uFF19') unit = static_cast<char16_t>(u'0' + (unit - u'\uFF10'));
        if (unit == u'\uFF0E' || unit == u'\u3002') unit = u'.';
        ascii.push_back(unit);
    }
    return ascii;
}

// Drops the blanks at both ends, and other white space the field might
// also be allowed to drop (a generous set only widens what is compared).
std::u16string Trimmed(const std::u16string& text, bool generous) {
    auto drop = [generous](char16_t unit) {
        return IsBlank(unit) || (generous && (unit == u'\t' || unit == u'\r' || unit == u'\n'));
    };
    size_t first = 0;
    while (first < text.size() && drop(text[first])) ++first;
    size_t last = text.size();
    while (last > first && drop(text[last - 1])) --last;
    return text.substr(first, last - first);
}

// strtod over the whole narrow text; false when it is not ASCII or strtod
// stops early.
bool ReadWhole(const std::u16string& text, double& value, bool& inRange) {
    std::string narrow;
    for (const char16_t unit : text) {
        if (unit == 0 || unit >= 0x80) return false;
        narrow.push_back(static_cast<char>(unit));
    }
    if (narrow.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(narrow.c_str(), &end);
    inRange = errno == 0;
    return end == narrow.c_str() + narrow.size();
}

// -?(digits[.digits*]|.digits)([eE][+-]?digits)?
bool IsPlainDecimal(const std::u16string& text) {
    size_t i = 0;
    auto digits = [&]() {
        const size_t start = i;
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') ++i;
        return i - start;
    };
    if (i < text.size() && text[i] == u'-') ++i;
    const size_t whole = digits();
    size_t fraction = 0;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        fraction = digits();
    }
    if (whole == 0 && fraction == 0) return false;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
        if (digits() == 0) return false;
    }
    return i == text.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::u16string field = FieldFrom(data, size);
    const auto copy = fuzz::WideCopy(field);
    double value = 12345.0;
    const bool accepted = tarn::ui::ParseInputField(copy.get(), &value);

    const std::u16string strict = AsciiForms(Trimmed(field, false));
    if (strict.empty()) {
        fuzz::Require(accepted && value == 0.0, "an empty or blank field reads as 0");
        return 0;
    }
    if (accepted) {
        fuzz::Require(std::isfinite(value), "an accepted value is finite");
        double expected = 0.0;
        bool inRange = true;
        fuzz::Require(ReadWhole(AsciiForms(Trimmed(field, true)), expected, inRange), "an accepted field is one number, read whole");
        fuzz::Require(value == expected, "an accepted field has strtod's value");
    }
    double expected = 0.0;
    bool inRange = false;
    constexpr size_t kFieldRoom = 127;
    if (strict.size() <= kFieldRoom && IsPlainDecimal(strict) && ReadWhole(strict, expected, inRange) && inRange && std::isfinite(expected))
        fuzz::Require(accepted && value == expected, "a plain decimal is accepted");
    return 0;
}
