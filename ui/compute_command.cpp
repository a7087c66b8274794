// The compute command: reads the input fields, has values outside their
// usual range confirmed, runs the tool's computation and shows the report,
// the verdict and its level.
#include <charconv>
#include <cmath>
#include <system_error>

#include "computation/computation.h"
#include "engine/format.h"
#include "engine/text.h"
#include "ui/commands.h"
#include "ui/texts.h"

namespace tarn::ui {
namespace {

constexpr char16_t kBlank = u' ';
// One field holds at most 127 characters; a field is read with one
// character more so that a longer text is seen, and refused, rather than
// silently cut to a prefix that may be another number.
constexpr int32_t kFieldCapacity = 128;
constexpr int32_t kFieldReadCapacity = kFieldCapacity + 1;
constexpr int32_t kMessageCapacity = 256;
constexpr int32_t kQuestionCapacity = 512;
constexpr int32_t kQuantityCapacity = 96;
constexpr int32_t kReportCapacity = 4096;
constexpr int32_t kVerdictCapacity = 512;

// What a Chinese input method types for a digit or the decimal point: the
// full-width digits and full stop, and the ideographic full stop that the
// Chinese punctuation mode gives for ".".
char16_t AsciiFormOf(char16_t unit) {
    constexpr char16_t kFullWidthZero = u'\uFF10';
    if (unit >= kFullWidthZero && unit <= u'\uFF19') {
        return static_cast<char16_t>(u'0' + (unit - kFullWidthZero));
    }
    if (unit == u'\uFF0E' || unit == u'\u3002') return u'.';
    return unit;
}

// Copies text[0, length) as ASCII, digits and points typed full-width
// taken as their ASCII forms; false when any other character is not ASCII.
bool NarrowToAscii(const char16_t* text, int32_t length, char* ascii) {
    for (int32_t i = 0; i < length; ++i) {
        const char16_t unit = AsciiFormOf(text[i]);
        if (unit > 0x7F) return false;
        ascii[i] = static_cast<char>(unit);
    }
    return true;
}

// Reads every input field into `values`. Returns the index of the first
// field refused and why, or -1 when all were read; fields after a refused
// one are not read. A text too long for a field is no number.
int32_t ReadInputFields(const WindowState& state, double* values, FieldRefusal* refusal) {
    for (int32_t i = 0; i < ClampedInputCount(*state.tool); ++i) {
        char16_t text[kFieldReadCapacity] = {};
        ReadControlText(state, i, text, kFieldReadCapacity);
        *refusal = TextLength(text) >= kFieldCapacity
                       ? FieldRefusal::NotANumber
                       : ReadInputValue(state.tool->inputs[i], text, &values[i]);
        if (*refusal != FieldRefusal::None) return i;
    }
    return -1;
}

void ShowInputError(const WindowState& state, int32_t index, FieldRefusal refusal) {
    char16_t message[kMessageCapacity];
    FormatRefusal(refusal, index + 1, TextOrEmpty(state.tool->inputs[index].label), message,
                  kMessageCapacity);
    ShowMessage(state, message, kInputErrorCaption, MessageIcon::Warning);
    FocusControl(state, index);
}

// "%g", then a blank and the unit when there is one.
void FormatQuantity(double value, const char16_t* unit, char16_t* buffer, int32_t capacity) {
    if (unit && unit[0] != 0) {
        FormatBounded(buffer, capacity, kQuantityTemplate, value, unit);
    } else {
        FormatBounded(buffer, capacity, kNumberTemplate, value);
    }
}

bool AskToUseValue(const WindowState& state, int32_t index, double value) {
    char16_t question[kQuestionCapacity];
    FormatUnusualValueQuestion(state.tool->inputs[index], index + 1, value, question,
                               kQuestionCapacity);
    return AskYesNo(state, question, kImplausibleCaption);
}

// Asks about every input that still holds the value the program put there,
// in the order of the fields. A Yes counts as entering it. Returns the index
// of the first one the user did not confirm, or -1.
int32_t ConfirmDefaultsNotEntered(WindowState& state, const double* values) {
    for (int32_t i = 0; i < ClampedInputCount(*state.tool); ++i) {
        if (state.entered[i]) continue;
        const InputField& input = state.tool->inputs[i];
        char16_t quantity[kQuantityCapacity];
        char16_t number[kQuantityCapacity];
        FormatQuantity(values[i], input.unit, quantity, kQuantityCapacity);
        FormatBounded(number, kQuantityCapacity, kNumberTemplate, values[i]);
        char16_t question[kQuestionCapacity];
        FormatBounded(question, kQuestionCapacity, kNotEnteredTemplate, TextOrEmpty(input.label),
                      quantity, number);
        if (!AskYesNo(state, question, kImplausibleCaption)) return i;
        state.entered[i] = true;
    }
    return -1;
}

// Asks about every value outside its usual range, in the order of the
// fields. Returns the index of the first value the user did not confirm,
// or -1 when every value may be used.
int32_t ConfirmUnusualValues(const WindowState& state, const double* values) {
    for (int32_t i = 0; i < ClampedInputCount(*state.tool); ++i) {
        if (!OutsideUsualRange(state.tool->inputs[i], values[i])) continue;
        if (!AskToUseValue(state, i, values[i])) return i;
    }
    return -1;
}

// The clipboard body: a formula tool's report and verdict; a report kind's
// text alone, since its verdict only says that the report was made.
void KeepLastResultText(WindowState& state, const char16_t* report, const char16_t* verdict) {
    if (state.tool->kind != kFormulaTool) {
        CopyBounded(state.lastResultText, kLastResultCapacity, report);
        return;
    }
    FormatBounded(state.lastResultText, kLastResultCapacity, kLastResultTemplate, report, verdict);
}

}  // namespace

// Accepted: optional U+0020 blanks around one decimal number as
// std::from_chars reads it ("60", "-5", "6.8", ".5", "5.", "1e2"), finite
// and in the range of a double; full-width digits and full stops count as
// their ASCII forms ("６.８", "6。8"). Refused: anything else, including a
// leading "+", hexadecimal ("0x10" reads as 0 followed by rubbish), tabs,
// other blanks, commas, units and the words for infinity and NaN. On
// refusal `*value` is left as it was.
bool ParseInputField(const char16_t* text, double* value) {
    const char16_t* field = text ? text : u"";
    int32_t begin = 0;
    while (field[begin] == kBlank) ++begin;
    int32_t end = begin + TextLength(field + begin);
    while (end > begin && field[end - 1] == kBlank) --end;
    if (begin == end) {
        *value = 0.0;
        return true;
    }
    const int32_t length = end - begin;
    char ascii[kFieldCapacity];
    if (length >= kFieldCapacity || !NarrowToAscii(field + begin, length, ascii)) return false;
    double parsed = 0.0;
    const std::from_chars_result result =
        std::from_chars(ascii, ascii + length, parsed, std::chars_format::general);
    if (result.ec != std::errc{} || result.ptr != ascii + length || !std::isfinite(parsed)) {
        return false;
    }
    *value = parsed;
    return true;
}

// A NaN end compares false either way, so it sets no limit on its side.
bool OutsideUsualRange(const InputField& input, double value) {
    return value < input.plausibleLow || value > input.plausibleHigh;
}

FieldRefusal ReadInputValue(const InputField& input, const char16_t* text, double* value) {
    double read = 0.0;
    if (!ParseInputField(text, &read)) return FieldRefusal::NotANumber;
    // A dose for a negative weight is a negative dose. A NaN lower limit
    // compares false: no limit, negatives taken.
    if (read < 0.0 && input.plausibleLow >= 0.0) return FieldRefusal::Negative;
    // "-0" is 0: adding +0 turns -0 into +0, which no dose then shows as "-0.0".
    *value = read + 0.0;
    return FieldRefusal::None;
}

void FormatRefusal(FieldRefusal refusal, int32_t position, const char16_t* label,
                   char16_t* buffer, int32_t capacity) {
    const char16_t* format =
        refusal == FieldRefusal::Negative ? kNegativeInputTemplate : kInputErrorTemplate;
    FormatBounded(buffer, capacity, format, position, TextOrEmpty(label));
}

// The range reads "0.5–250 kg": the unit once, after the upper end. A range
// with one end only names that end, with the unit.
void FormatUnusualValueQuestion(const InputField& input, int32_t position, double value,
                                char16_t* buffer, int32_t capacity) {
    char16_t shown[kQuantityCapacity];
    char16_t low[kQuantityCapacity];
    char16_t high[kQuantityCapacity];
    FormatQuantity(value, input.unit, shown, kQuantityCapacity);
    FormatQuantity(input.plausibleHigh, input.unit, high, kQuantityCapacity);
    const char16_t* label = TextOrEmpty(input.label);
    if (std::isnan(input.plausibleHigh)) {
        FormatQuantity(input.plausibleLow, input.unit, low, kQuantityCapacity);
        FormatBounded(buffer, capacity, kBelowLowTemplate, position, label, shown, low);
    } else if (std::isnan(input.plausibleLow)) {
        FormatBounded(buffer, capacity, kAboveHighTemplate, position, label, shown, high);
    } else {
        FormatBounded(low, kQuantityCapacity, kNumberTemplate, input.plausibleLow);
        FormatBounded(buffer, capacity, kImplausibleTemplate, position, label, shown, low, high);
    }
}

void ComputeCommand(WindowState& state) {
    if (!IsStarted(state)) return;
    const ToolDescriptor& tool = *state.tool;
    // Parsed apart first: the kept inputs always belong to the kept result.
    double values[kMaxInputs] = {};
    FieldRefusal refusal = FieldRefusal::None;
    const int32_t refused = ReadInputFields(state, values, &refusal);
    if (refused >= 0) {
        ShowInputError(state, refused, refusal);
        return;
    }
    // A value not confirmed ends the command as an input error does: first a
    // default nobody typed, then a value outside its usual range.
    int32_t unconfirmed = ConfirmDefaultsNotEntered(state, values);
    if (unconfirmed < 0) unconfirmed = ConfirmUnusualValues(state, values);
    if (unconfirmed >= 0) {
        FocusControl(state, unconfirmed);
        return;
    }
    for (int32_t i = 0; i < ClampedInputCount(tool); ++i) state.lastInputs[i] = values[i];

    char16_t report[kReportCapacity];
    char16_t verdict[kVerdictCapacity];
    ToolComputation(tool, state.lastInputs, report, kReportCapacity, verdict, kVerdictCapacity,
                    &state.currentLevel, state.resultCopy, kResultCopyCapacity);
    SetControlText(state, kResultBoxSlot, report);
    SetControlText(state, kVerdictLineSlot, verdict);
    KeepLastResultText(state, report, verdict);
    RepaintVerdictLine(state);
    RepaintMainWindow(state);

    FormatBounded(state.statusLine, kStatusLineCapacity, kComputedStatusTemplate,
                  TextOrEmpty(tool.title));
    RepaintMainWindow(state);
    // On the result: a screen reader reads the verdict that names it, then
    // the doses; Tab from there goes on to the first field.
    FocusControl(state, kResultBoxSlot);
}

}  // namespace tarn::ui
