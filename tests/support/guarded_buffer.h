// A UTF-16 buffer followed by a guard band, for every test of a writer into
// a caller's buffer: the room up to the capacity starts as garbage, the
// guard band after it must stay untouched, so an overrun shows without a
// sanitizer, under Wine too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarn::testing {

inline constexpr char16_t kGarbage = u'#';
inline constexpr char16_t kGuard = 0xBEEF;

struct GuardedBuffer {
    static constexpr int32_t kGuardUnits = 32;

    explicit GuardedBuffer(int32_t room)
        : storage(static_cast<size_t>(room) + kGuardUnits, kGuard), capacity(room) {
        for (int32_t i = 0; i < room; ++i) storage[static_cast<size_t>(i)] = kGarbage;
        data = storage.data();
    }
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    // Index of the first guard unit that was written, or -1.
    int32_t FirstWrittenGuard() const {
        for (size_t i = static_cast<size_t>(capacity); i < storage.size(); ++i) {
            if (storage[i] != kGuard) return static_cast<int32_t>(i);
        }
        return -1;
    }
    bool GuardsIntact() const { return FirstWrittenGuard() < 0; }

    // Every unit from `index` on is as it started: garbage within the room,
    // guard after it. A test that passes a smaller capacity than the room
    // checks from that capacity.
    bool UntouchedFrom(int32_t index) const {
        for (size_t i = static_cast<size_t>(index); i < storage.size(); ++i) {
            const char16_t start = i < static_cast<size_t>(capacity) ? kGarbage : kGuard;
            if (storage[i] != start) return false;
        }
        return true;
    }

    // Index of the terminator within the capacity, or -1.
    int32_t Terminator() const {
        for (int32_t i = 0; i < capacity; ++i) {
            if (data[i] == 0) return i;
        }
        return -1;
    }
    bool Terminated() const { return Terminator() >= 0; }

    // The text up to its terminator (all of the room when there is none).
    std::u16string Text() const {
        const int32_t end = Terminated() ? Terminator() : capacity;
        return std::u16string(data, static_cast<size_t>(end));
    }

    std::vector<char16_t> storage;
    int32_t capacity;
    char16_t* data;
};

}  // namespace tarn::testing
