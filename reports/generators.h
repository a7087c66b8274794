// Internal to reports/: the eleven generators and the helpers they share.
// Every generator reads its inputs by identifier, appends its lines to a
// report that arrives empty, appends its verdict to a verdict that arrives
// empty and returns its level.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/descriptor.h"
#include "engine/text_builder.h"

namespace tarn {

using ReportGenerator = int32_t (*)(const ToolDescriptor& tool, const double* inputs,
                                    TextBuilder& report, TextBuilder& verdict);

inline constexpr int32_t kFirstReportKind = 1;
inline constexpr int32_t kLastReportKind = 11;

// What a count or selector becomes when its value is NaN or does not fit
// 32 bits: far below every lower limit, and matching no listed selector.
inline constexpr int32_t kNotAWholeNumber = INT32_MIN;

// Truncates toward zero to 32 bits; NaN and out-of-range values give
// kNotAWholeNumber.
int32_t WholeNumber(double value);

// The input converted by WholeNumber (0 when the descriptor lacks it).
int32_t WholeInput(const ToolDescriptor& tool, const double* inputs, const char* identifier);

// `value` limited to lowest..highest.
int32_t Clamp(int32_t value, int32_t lowest, int32_t highest);

// Appends `text` as a line of its own, never read as a template.
void AppendFixedLine(TextBuilder& report, const char16_t* text);

// Appends CR LF alone.
void AppendEmptyLine(TextBuilder& report);

// Number of rows of a constant table.
template <class T, size_t N>
constexpr int32_t CountOf(const T (&)[N]) {
    static_assert(N <= static_cast<size_t>(INT32_MAX));
    return static_cast<int32_t>(N);
}

// Index into a selector table whose last row is the catch-all: selector
// 1..rowCount-1 picks row selector-1, every other value the last row.
int32_t SelectorRow(int32_t selector, int32_t rowCount);

// Fixed-text kinds.
int32_t BloodDrawOrder(const ToolDescriptor& tool, const double* inputs, TextBuilder& report,
                       TextBuilder& verdict);
int32_t CriticalValues(const ToolDescriptor& tool, const double* inputs, TextBuilder& report,
                       TextBuilder& verdict);
int32_t HighAlertDrugs(const ToolDescriptor& tool, const double* inputs, TextBuilder& report,
                       TextBuilder& verdict);
int32_t SurgicalChecklist(const ToolDescriptor& tool, const double* inputs, TextBuilder& report,
                          TextBuilder& verdict);
int32_t LabPanels(const ToolDescriptor& tool, const double* inputs, TextBuilder& report,
                  TextBuilder& verdict);

// Schedules.
int32_t ShiftRota(const ToolDescriptor& tool, const double* inputs, TextBuilder& report,
                  TextBuilder& verdict);
int32_t DosingTimetable(const ToolDescriptor& tool, const double* inputs, TextBuilder& report,
                        TextBuilder& verdict);
int32_t FollowUpDates(const ToolDescriptor& tool, const double* inputs, TextBuilder& report,
                      TextBuilder& verdict);
int32_t HandoverSheet(const ToolDescriptor& tool, const double* inputs, TextBuilder& report,
                      TextBuilder& verdict);

// The follow-up dates counted from the given today, so that the calendar
// arithmetic does not depend on the clock.
int32_t FollowUpDatesFrom(int64_t today, const ToolDescriptor& tool, const double* inputs,
                          TextBuilder& report, TextBuilder& verdict);

// Today's DayNumber from the platform's local time (platform::LocalTime).
int64_t TodayDayNumber();

// Infusions.
int32_t DrugCompatibility(const ToolDescriptor& tool, const double* inputs, TextBuilder& report,
                          TextBuilder& verdict);
int32_t InfusionCard(const ToolDescriptor& tool, const double* inputs, TextBuilder& report,
                     TextBuilder& verdict);

}  // namespace tarn
