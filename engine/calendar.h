// Day numbers of the proleptic Gregorian calendar: days since 1970-01-01.
#pragma once

#include <cstdint>

#include "engine/text_builder.h"

namespace tarn {

// Days since 1970-01-01 in the proleptic Gregorian calendar.
int64_t DaysFromCivil(int32_t year, int32_t month, int32_t day);

// Writes the civil date of `dayNumber` as "%04lld-%02lld-%02lld".
int32_t FormatDayNumber(int64_t dayNumber, char16_t* buffer, int32_t capacity);

// Appends the same date text to `text`.
void AppendDayNumber(TextBuilder& text, int64_t dayNumber);

}  // namespace tarn
