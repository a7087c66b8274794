// PLACEHOLDER: replaced by the formatter.
#include "engine/format.h"
namespace tarn {
int32_t FormatBoundedArguments(char16_t* buffer, int32_t capacity, const char16_t*, const FormatArgument*, int32_t) {
    if (capacity > 0) buffer[0] = 0;
    return -1;
}
void AppendLineArguments(char16_t*, int32_t, const char16_t*, const FormatArgument*, int32_t) {}
void FormatValue(const char*, double, char16_t* buffer, int32_t capacity) {
    if (capacity > 0) buffer[0] = 0;
}
int64_t DaysFromCivil(int32_t, int32_t, int32_t) { return 0; }
int32_t FormatDayNumber(int64_t, char16_t* buffer, int32_t capacity) {
    if (capacity > 0) buffer[0] = 0;
    return -1;
}
}  // namespace tarn
