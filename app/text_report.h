// The text mode: "ordavel --report WEIGHT POTASSIUM" writes what the window
// would show for these values to standard output (a terminal is readable
// by any screen reader or braille display, and a hospital can run its own
// table of cases through it), refusing a value as the window refuses it.
#pragma once

#include <cstdint>

#include "engine/descriptor.h"
#include "engine/text_builder.h"

namespace tarn::app {

// Exit statuses of the text mode.
inline constexpr int32_t kTextReportWritten = 0;
inline constexpr int32_t kTextReportRefused = 2;     // a value refused, or not one per input
inline constexpr int32_t kTextReportNotWritten = 3;  // the output did not reach its stream whole

// One value as given: a field holds at most 127 characters, so a longer
// argument is kept cut and marked, and then refused like a field's text.
inline constexpr int32_t kArgumentCapacity = 256;

struct ReportArguments {
    int32_t count;  // the arguments after the marker, all counted; the first 16 are kept
    char16_t values[kMaxInputs][kArgumentCapacity];
    bool cut[kMaxInputs];
};

// Looks for the argument "--report" after the program's own path; false
// when there is none. Otherwise the arguments after it are its values.
// Arguments are parted by blanks outside double quotes, the quotes left
// out, so that "" is an empty argument.
bool FindReportRequest(const char16_t* commandLine, ReportArguments& arguments);

// The text of standard output and of standard error for these values, CR
// LF line ends, and the exit status. Refused (usage or a value's message on
// `error`, nothing on `output`) unless there is one value for each input;
// not written when either text was cut.
int32_t BuildTextReport(const ToolDescriptor& tool, const ReportArguments& arguments,
                        TextBuilder& output, TextBuilder& error);

// The text mode when the command line asks for it: true, with its exit
// status in `*status`, once the texts are written. False when it does not.
bool RunTextReport(const ToolDescriptor& tool, const char16_t* commandLine, int32_t* status);

}  // namespace tarn::app
