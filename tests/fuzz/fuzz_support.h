// Shared by the libFuzzer targets: reading structured values from the fuzz
// input, buffers allocated at exactly their capacity (so that AddressSanitizer
// sees a one-unit overrun), and the checks behind every promise that is not
// a crash. A broken promise prints what was seen and aborts, which libFuzzer
// records as a crash with the input that caused it.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "tests/support/numbers.h"
#include "tests/support/text.h"

namespace fuzz {

[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
}

inline void Require(bool condition, const char* what) {
    if (!condition) Fail(what);
}

// Reads the fuzz input from the front: fixed-size header fields first, the
// rest as a text. Past the end every read yields zeros.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t Byte() { return position_ < size_ ? data_[position_++] : 0; }
    uint16_t U16() { return static_cast<uint16_t>(Byte() | (Byte() << 8)); }
    uint32_t U32() { return static_cast<uint32_t>(U16()) | (static_cast<uint32_t>(U16()) << 16); }
    uint64_t U64() { return static_cast<uint64_t>(U32()) | (static_cast<uint64_t>(U32()) << 32); }
    double RawDouble() {
        const uint64_t bits = U64();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    size_t Remaining() const { return size_ - position_; }
    const uint8_t* Rest() const { return data_ + position_; }
    void Skip(size_t count) { position_ += count < Remaining() ? count : Remaining(); }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

// A value from a small table of awkward doubles, or raw bits.
inline double InterestingDouble(ByteReader& reader) {
    static const double kTable[] = {
        0.0, -0.0, 1.0, -1.0, 0.5, 60.0, 6.800000190734863, 6.5, 5.5, 5.49, 40.0, 30.0,
        1e-310, -1e-310, 5e-324, 2.2250738585072014e-308, 1.7976931348623157e308,
        -1.7976931348623157e308, 1e300, -1e300, 9.2233720368547748e18, -9.2233720368547758e18,
        2147483647.0, -2147483648.0, 2147483648.0, 0.125, 2.5, -2.5, 0.15, 1e22,
        HUGE_VAL, -HUGE_VAL, std::nan(""), 123456789.125, 1e74, 1e75,
    };
    constexpr uint8_t kCount = sizeof kTable / sizeof kTable[0];
    const uint8_t selector = reader.Byte();
    if (selector < kCount) return kTable[selector];
    if (selector < 128) return static_cast<double>(static_cast<int8_t>(reader.Byte())) / 4.0;
    return reader.RawDouble();
}

// A UTF-16 buffer of exactly `capacity` units on the heap (none for a
// capacity of 0 or less), filled with a marker so that unwritten units show.
class WideBuffer {
public:
    static constexpr char16_t kMarker = 0xA5A5;

    explicit WideBuffer(int32_t capacity)
        : capacity_(capacity),
          units_(new char16_t[capacity > 0 ? static_cast<size_t>(capacity) : 0]) {
        for (int32_t i = 0; i < capacity; ++i) units_[static_cast<size_t>(i)] = kMarker;
    }
    char16_t* data() { return units_.get(); }
    const char16_t* data() const { return units_.get(); }
    int32_t capacity() const { return capacity_; }

    // Puts a terminated text of `length` units (length < capacity) at the front.
    void Fill(const char16_t* text, int32_t length) {
        for (int32_t i = 0; i < length; ++i) units_[static_cast<size_t>(i)] = text[i];
        units_[static_cast<size_t>(length)] = 0;
    }

    // The length of the text, after checking that it is terminated within
    // the capacity (at most capacity - 1 characters).
    int32_t TerminatedLength(const char* what) const {
        for (int32_t i = 0; i < capacity_; ++i)
            if (units_[static_cast<size_t>(i)] == 0) return i;
        Fail(what);
    }

    std::u16string Text(const char* what) const {
        return std::u16string(units_.get(), static_cast<size_t>(TerminatedLength(what)));
    }

private:
    int32_t capacity_;
    std::unique_ptr<char16_t[]> units_;
};

// A narrow NUL-terminated copy on the heap with nothing after the terminator.
inline std::unique_ptr<char[]> NarrowCopy(const uint8_t* bytes, size_t size) {
    std::unique_ptr<char[]> text(new char[size + 1]);
    if (size > 0) std::memcpy(text.get(), bytes, size);
    text[size] = 0;
    return text;
}

// A wide NUL-terminated copy on the heap with nothing after the terminator.
inline std::unique_ptr<char16_t[]> WideCopy(const std::u16string& source) {
    std::unique_ptr<char16_t[]> text(new char16_t[source.size() + 1]);
    for (size_t i = 0; i < source.size(); ++i) text[i] = source[i];
    text[source.size()] = 0;
    return text;
}

using tarn::testing::SameBits;

// True when `prefix` is the first `prefix.size()` units of `text`.
inline bool StartsWith(const std::u16string& text, const std::u16string& prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

// `text` cut to a buffer of `capacity` units.
inline std::u16string CutTo(const std::u16string& text, int32_t capacity) {
    if (capacity <= 0) return std::u16string();
    const size_t room = static_cast<size_t>(capacity - 1);
    return text.size() <= room ? text : text.substr(0, room);
}

using tarn::testing::Widen;

}  // namespace fuzz
