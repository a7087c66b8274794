// Descriptors that declare one field more than the engine computes: 17
// outputs (o0..o15, then q) and 17 inputs (i0..i15, then r). The names past
// the sixteenth must never be read: they evaluate as unknown names.
#pragma once

#include "engine/descriptor.h"

namespace tarn::testing {

inline constexpr OutputField kSeventeenOutputs[] = {
    {"o0", u"o0", nullptr, "q", "f0"},  {"o1", u"o1", nullptr, "0", "f0"},
    {"o2", u"o2", nullptr, "0", "f0"},  {"o3", u"o3", nullptr, "0", "f0"},
    {"o4", u"o4", nullptr, "0", "f0"},  {"o5", u"o5", nullptr, "0", "f0"},
    {"o6", u"o6", nullptr, "0", "f0"},  {"o7", u"o7", nullptr, "0", "f0"},
    {"o8", u"o8", nullptr, "0", "f0"},  {"o9", u"o9", nullptr, "0", "f0"},
    {"o10", u"o10", nullptr, "0", "f0"}, {"o11", u"o11", nullptr, "0", "f0"},
    {"o12", u"o12", nullptr, "0", "f0"}, {"o13", u"o13", nullptr, "0", "f0"},
    {"o14", u"o14", nullptr, "0", "f0"}, {"o15", u"o15", nullptr, "0", "f0"},
    {"q", u"q", nullptr, "0", "f0"},
};
// The first rule names the output past the clamp, so it never holds.
inline constexpr VerdictRule kPastTheClampRules[] = {
    {"q", 3, u"past the clamp"},
    {"", 1, u"caught"},
};
inline constexpr ToolDescriptor kSeventeenOutputTool = {
    71, u"Seventeen outputs", nullptr, u"Test", u"ref", nullptr,
    0, nullptr, 17, kSeventeenOutputs, 2, kPastTheClampRules, 0};

inline constexpr InputField kSeventeenInputs[] = {
    {"i0", u"i0", nullptr, 1.0},   {"i1", u"i1", nullptr, 1.0},   {"i2", u"i2", nullptr, 1.0},
    {"i3", u"i3", nullptr, 1.0},   {"i4", u"i4", nullptr, 1.0},   {"i5", u"i5", nullptr, 1.0},
    {"i6", u"i6", nullptr, 1.0},   {"i7", u"i7", nullptr, 1.0},   {"i8", u"i8", nullptr, 1.0},
    {"i9", u"i9", nullptr, 1.0},   {"i10", u"i10", nullptr, 1.0}, {"i11", u"i11", nullptr, 1.0},
    {"i12", u"i12", nullptr, 1.0}, {"i13", u"i13", nullptr, 1.0}, {"i14", u"i14", nullptr, 1.0},
    {"i15", u"i15", nullptr, 2.0}, {"r", u"r", nullptr, 5.0},
};
inline constexpr OutputField kInputReadingOutputs[] = {
    {"last", u"last", nullptr, "i15", "f0"},
    {"past", u"past", nullptr, "r", "f0"},
};
inline constexpr VerdictRule kInputPastTheClampRules[] = {
    {"r", 3, u"past the clamp"},
    {"", 1, u"caught"},
};
inline constexpr ToolDescriptor kSeventeenInputTool = {
    72, u"Seventeen inputs", nullptr, u"Test", u"ref", nullptr,
    17, kSeventeenInputs, 2, kInputReadingOutputs, 2, kInputPastTheClampRules, 0};

}  // namespace tarn::testing
