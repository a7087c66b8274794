#include "app/text_report.h"

#include <charconv>
#include <system_error>

#include "computation/computation.h"
#include "engine/format.h"
#include "engine/text.h"
#include "platform/platform.h"
#include "ui/commands.h"
#include "ui/texts.h"

namespace tarn::app {
namespace {

constexpr char16_t kMarker[] = u"--report";
constexpr char16_t kBlank = u' ';
constexpr char16_t kQuote = u'"';

// The window's buffers: a report cut there is cut the same way here.
constexpr int32_t kReportCapacity = 4096;
constexpr int32_t kVerdictCapacity = 512;
constexpr int32_t kLineCapacity = 512;
constexpr int32_t kNumberCapacity = 64;
constexpr int32_t kOutputCapacity = 8192;
constexpr int32_t kErrorCapacity = 1024;

// The verdict's level in words; the window shows it only as a colour.
constexpr const char16_t* kLevelWords[] = {u"正常", u"轻度", u"中度", u"重度"};

bool SameText(const char16_t* a, const char16_t* b) {
    while (*a != 0 && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

// The shortest text that reads back as exactly `value` ("7", "6.8",
// "5.4999999"), so that the echo never shows a value the computation did
// not use: "%g" would show 5.4999999 as 5.5, which gets doses.
void FormatExactNumber(double value, char16_t* buffer, int32_t capacity) {
    char digits[kNumberCapacity];
    const std::to_chars_result result = std::to_chars(digits, digits + kNumberCapacity - 1, value);
    int32_t length = result.ec == std::errc{} ? static_cast<int32_t>(result.ptr - digits) : 0;
    if (length >= capacity) length = capacity - 1;
    for (int32_t i = 0; i < length; ++i) buffer[i] = static_cast<char16_t>(digits[i]);
    if (capacity > 0) buffer[length] = 0;
}

// "体重：8 kg", or without a unit "体重：8".
void AppendInputLine(TextBuilder& text, const InputField& input, double value) {
    char16_t number[kNumberCapacity];
    FormatExactNumber(value, number, kNumberCapacity);
    if (input.unit != nullptr && input.unit[0] != 0) {
        AppendFormattedPart(text, kLineCapacity, u"%ls：%ls %ls\r\n", TextOrEmpty(input.label),
                            number, input.unit);
    } else {
        AppendFormattedPart(text, kLineCapacity, u"%ls：%ls\r\n", TextOrEmpty(input.label), number);
    }
}

// The window's question about a value outside its usual range, less the
// question itself: its first line alone.
void AppendUnusualValueLine(TextBuilder& text, const InputField& input, int32_t position,
                            double value) {
    char16_t question[kLineCapacity];
    ui::FormatUnusualValueQuestion(input, position, value, question, kLineCapacity);
    int32_t length = 0;
    while (question[length] != 0 && question[length] != u'\r' && question[length] != u'\n')
        ++length;
    question[length] = 0;
    AppendText(text, question);
    AppendText(text, u"\r\n");
}

// "用法：ordavel --report 体重(kg) 血钾(mmol/L)，例如 ordavel --report 60 6.8"
void AppendUsage(TextBuilder& text, const ToolDescriptor& tool) {
    AppendText(text, u"用法：ordavel --report");
    for (int32_t i = 0; i < ClampedInputCount(tool); ++i) {
        const InputField& input = tool.inputs[i];
        if (input.unit != nullptr && input.unit[0] != 0) {
            AppendFormattedPart(text, kLineCapacity, u" %ls(%ls)", TextOrEmpty(input.label),
                                input.unit);
        } else {
            AppendFormattedPart(text, kLineCapacity, u" %ls", TextOrEmpty(input.label));
        }
    }
    AppendText(text, u"，例如 ordavel --report");
    for (int32_t i = 0; i < ClampedInputCount(tool); ++i) {
        char16_t number[kNumberCapacity];
        ui::FormatDefaultValue(tool.inputs[i].defaultValue, number, kNumberCapacity);
        AppendText(text, u" ");
        AppendText(text, number);
    }
    AppendText(text, u"\r\n");
}

// Nothing but blanks: the window reads such a field as 0 and asks about
// it; here no question can be asked, so it is no number.
bool IsBlank(const char16_t* text) {
    while (*text == kBlank) ++text;
    return *text == 0;
}

// Reads every value as the window reads its fields; the index of the first
// one refused and why, or -1. An argument too long for a field, or blank,
// is no number.
int32_t ReadValues(const ToolDescriptor& tool, const ReportArguments& arguments, double* values,
                   ui::FieldRefusal* refusal) {
    for (int32_t i = 0; i < ClampedInputCount(tool); ++i) {
        const char16_t* argument = arguments.values[i];
        *refusal = arguments.cut[i] || IsBlank(argument)
                       ? ui::FieldRefusal::NotANumber
                       : ui::ReadInputValue(tool.inputs[i], argument, &values[i]);
        if (*refusal != ui::FieldRefusal::None) return i;
    }
    return -1;
}

void AppendReport(TextBuilder& text, const ToolDescriptor& tool, const double* values) {
    const int32_t inputCount = ClampedInputCount(tool);
    for (int32_t i = 0; i < inputCount; ++i) {
        if (ui::OutsideUsualRange(tool.inputs[i], values[i]))
            AppendUnusualValueLine(text, tool.inputs[i], i + 1, values[i]);
    }
    AppendFormattedPart(text, kLineCapacity, u"%ls\r\n", TextOrEmpty(tool.title));
    for (int32_t i = 0; i < inputCount; ++i) AppendInputLine(text, tool.inputs[i], values[i]);

    char16_t report[kReportCapacity];
    char16_t verdict[kVerdictCapacity];
    int32_t level = 0;
    // No clipboard text is needed.
    ToolComputation(tool, values, report, kReportCapacity, verdict, kVerdictCapacity, &level,
                    nullptr, 0);
    AppendText(text, report);
    AppendText(text, u"结论：");
    AppendText(text, verdict);
    AppendText(text, u"\r\n");
    if (level >= 0 && level < static_cast<int32_t>(sizeof kLevelWords / sizeof kLevelWords[0])) {
        AppendFormatted(text, u"等级：%ls\r\n", kLevelWords[level]);
    } else {
        AppendFormatted(text, u"等级：%d\r\n", level);
    }
    if (tool.note != nullptr && tool.note[0] != 0) {
        AppendText(text, u"注意：");
        AppendText(text, tool.note);
        AppendText(text, u"\r\n");
    }
    if (tool.reference != nullptr && tool.reference[0] != 0) {
        AppendFormatted(text, ui::kReferenceTemplate, tool.reference);
        AppendText(text, u"\r\n");
    }
}

// Reads the argument that starts at or after `cursor` (blanks before it are
// skipped) into `argument`: up to the next blank outside double quotes, the
// quotes left out. Returns where reading stopped, or null when no argument
// is left; `*cut` tells whether it was longer than `capacity` - 1 units.
const char16_t* NextArgument(const char16_t* cursor, char16_t* argument, int32_t capacity,
                             bool* cut) {
    *cut = false;
    if (capacity > 0) argument[0] = 0;
    if (cursor == nullptr) return nullptr;
    while (*cursor == kBlank) ++cursor;
    if (*cursor == 0) return nullptr;
    int32_t length = 0;
    bool quoted = false;
    for (; *cursor != 0 && (quoted || *cursor != kBlank); ++cursor) {
        if (*cursor == kQuote) {
            quoted = !quoted;
            continue;
        }
        if (length < capacity - 1) {
            argument[length++] = *cursor;
        } else {
            *cut = true;
        }
    }
    if (capacity > 0) argument[length] = 0;
    return cursor;
}

}  // namespace

bool FindReportRequest(const char16_t* commandLine, ReportArguments& arguments) {
    arguments.count = 0;
    char16_t argument[kArgumentCapacity];
    bool cut = false;
    // The program's own path comes first and is never the marker.
    const char16_t* cursor = NextArgument(commandLine, argument, kArgumentCapacity, &cut);
    while ((cursor = NextArgument(cursor, argument, kArgumentCapacity, &cut)) != nullptr) {
        if (!cut && SameText(argument, kMarker)) break;
    }
    if (cursor == nullptr) return false;
    for (;;) {
        const int32_t index = arguments.count;
        char16_t* value = index < kMaxInputs ? arguments.values[index] : argument;
        cursor = NextArgument(cursor, value, kArgumentCapacity, &cut);
        if (cursor == nullptr) return true;
        if (index < kMaxInputs) arguments.cut[index] = cut;
        ++arguments.count;
    }
}

int32_t BuildTextReport(const ToolDescriptor& tool, const ReportArguments& arguments,
                        TextBuilder& output, TextBuilder& error) {
    if (arguments.count != ClampedInputCount(tool)) {
        AppendUsage(error, tool);
        return error.cut ? kTextReportNotWritten : kTextReportRefused;
    }
    double values[kMaxInputs] = {};
    ui::FieldRefusal refusal = ui::FieldRefusal::None;
    const int32_t refused = ReadValues(tool, arguments, values, &refusal);
    if (refused >= 0) {
        char16_t message[kLineCapacity];
        ui::FormatRefusal(refusal, refused + 1, TextOrEmpty(tool.inputs[refused].label), message,
                          kLineCapacity);
        AppendText(error, message);
        AppendText(error, u"\r\n");
        return error.cut ? kTextReportNotWritten : kTextReportRefused;
    }
    AppendReport(output, tool, values);
    // A cut report is not written: a reader would take it for the whole one.
    return output.cut ? kTextReportNotWritten : kTextReportWritten;
}

bool RunTextReport(const ToolDescriptor& tool, const char16_t* commandLine, int32_t* status) {
    ReportArguments arguments;
    if (!FindReportRequest(commandLine, arguments)) return false;
    char16_t outputText[kOutputCapacity];
    char16_t errorText[kErrorCapacity];
    TextBuilder output = StartText(outputText, kOutputCapacity);
    TextBuilder error = StartText(errorText, kErrorCapacity);
    *status = BuildTextReport(tool, arguments, output, error);
    if (*status == kTextReportNotWritten) return true;
    const bool written = (output.length == 0 || platform::WriteStandardOutput(outputText)) &&
                         (error.length == 0 || platform::WriteStandardError(errorText));
    if (!written) *status = kTextReportNotWritten;
    return true;
}

}  // namespace tarn::app
