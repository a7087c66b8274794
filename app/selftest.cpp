#include "app/selftest.h"

#include <cstdio>

#include "computation/computation.h"
#include "engine/format.h"
#include "engine/text.h"
#include "engine/text_builder.h"
#include "platform/platform.h"

namespace tarn::app {
namespace {

constexpr char16_t kMarker[] = u"--selftest";
constexpr char16_t kDefaultPath[] = u"selftest.txt";
constexpr int32_t kReportCapacity = 8192;
constexpr int32_t kVerdictCapacity = 512;
constexpr int32_t kLevelLineCapacity = 256;
constexpr int32_t kOutputLineCapacity = 512;
constexpr int32_t kErrorsLineCapacity = 128;
constexpr int32_t kDetailLimit = 8000;
// Each UTF-16 unit needs at most 3 UTF-8 bytes (a surrogate pair: 4 for 2).
constexpr int32_t kUtf8Capacity = 3 * (kSelfTestTextCapacity - 1) + 1;

// Position of the first "--selftest" in `line`, or null.
const char16_t* FindMarker(const char16_t* line) {
    const int32_t markerLength = TextLength(kMarker);
    for (; *line != 0; ++line) {
        int32_t matched = 0;
        while (matched < markerLength && line[matched] == kMarker[matched]) ++matched;
        if (matched == markerLength) return line;
    }
    return nullptr;
}

// The report on one line: CRs dropped, LFs made blanks, at most 8000
// characters of it.
void AppendFlattenedReport(TextBuilder& text, const char16_t* report) {
    int32_t taken = 0;
    for (const char16_t* cursor = report; *cursor != 0 && taken < kDetailLimit; ++cursor) {
        if (*cursor == u'\r') continue;
        AppendChar(text, *cursor == u'\n' ? u' ' : *cursor);
        ++taken;
    }
}

// Evaluates the outputs once more, as the report does, and appends the OUT
// line of each one shown; returns how many of those failed.
int32_t AppendOutputLines(TextBuilder& text, const ToolDescriptor& tool, const double* inputs) {
    OutputValues outputs;
    EvaluateOutputs(tool, inputs, outputs);
    int32_t failures = 0;
    for (int32_t i = 0; i < outputs.count; ++i) {
        if (!outputs.shown[i]) continue;
        if (outputs.failed[i]) ++failures;
        const OutputField& output = tool.outputs[i];
        char16_t valueText[kValueTextCapacity];
        FormatValue(output.formatCode, outputs.values[i], valueText, kValueTextCapacity);
        AppendFormattedPart(text, kOutputLineCapacity, u"OUT|%ls|%ls|%ls\r\n",
                            TextOrEmpty(output.label), valueText, TextOrEmpty(output.unit));
    }
    return failures;
}

}  // namespace

SelfTestRequest FindSelfTestRequest(const char16_t* commandLine, char16_t* path, int32_t capacity) {
    const char16_t* marker = commandLine ? FindMarker(commandLine) : nullptr;
    if (!marker) return SelfTestRequest::Absent;
    const char16_t* cursor = marker + TextLength(kMarker);
    while (*cursor == u' ') ++cursor;
    char16_t end = u' ';
    if (*cursor == u'"') {
        end = u'"';
        ++cursor;
    }
    int32_t length = 0;
    while (cursor[length] != 0 && cursor[length] != end) ++length;
    if (length == 0) {
        cursor = kDefaultPath;
        length = TextLength(kDefaultPath);
    }
    // A shortened path could name another file: refuse instead.
    if (length >= capacity) {
        if (capacity > 0) path[0] = 0;
        return SelfTestRequest::PathTooLong;
    }
    for (int32_t i = 0; i < length; ++i) path[i] = cursor[i];
    path[length] = 0;
    return SelfTestRequest::Path;
}

int32_t BuildSelfTestReport(const ToolDescriptor& tool, char16_t* text, int32_t capacity) {
    TextBuilder builder = StartText(text, capacity);
    return BuildSelfTestReport(tool, builder);
}

int32_t BuildSelfTestReport(const ToolDescriptor& tool, TextBuilder& text) {
    double inputs[kMaxInputs] = {};
    const int32_t inputCount = ClampedInputCount(tool);
    for (int32_t i = 0; i < inputCount; ++i) inputs[i] = tool.inputs[i].defaultValue;

    char16_t report[kReportCapacity] = {};
    char16_t verdict[kVerdictCapacity] = {};
    char16_t copy[kReportCapacity] = {};
    int32_t level = 0;
    ToolComputation(tool, inputs, report, kReportCapacity, verdict, kVerdictCapacity, &level, copy,
                    kReportCapacity);

    AppendFormatted(text, u"TOOL|%d|%ls|%ls\r\n", tool.id, TextOrEmpty(tool.title),
                    TextOrEmpty(tool.category));
    AppendFormattedPart(text, kLevelLineCapacity, u"LEVEL|%d\r\n", level);

    int32_t failures = 0;
    if (tool.kind == kFormulaTool) {
        failures = AppendOutputLines(text, tool, inputs);
    } else {
        AppendText(text, u"OUT|报告文本|见 DETAIL|\r\n");
    }

    AppendText(text, u"VERDICT|");
    AppendText(text, verdict);
    AppendText(text, u"\r\n");
    AppendText(text, u"DETAIL|");
    AppendFlattenedReport(text, report);
    AppendText(text, u"\r\n");

    AppendFormattedPart(text, kErrorsLineCapacity, u"ERRORS|%d\r\n", failures);
    return failures;
}

bool WriteUtf8File(const char16_t* path, const char16_t* text) {
    std::FILE* file = platform::OpenFile(path, "wb");
    if (!file) return false;
    static_assert(kUtf8Capacity > 0);
    char bytes[kUtf8Capacity];
    const int32_t size = platform::Utf16ToUtf8(text, bytes, kUtf8Capacity);
    bool written = size >= 0;
    if (written && size > 0)
        written = std::fwrite(bytes, 1, static_cast<size_t>(size), file) == static_cast<size_t>(size);
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

int32_t RunSelfTest(const ToolDescriptor& tool, const char16_t* reportPath) {
    char16_t buffer[kSelfTestTextCapacity];
    TextBuilder text = StartText(buffer, kSelfTestTextCapacity);
    const int32_t failures = BuildSelfTestReport(tool, text);
    // A cut report is not written: a reader would take it for the whole one.
    if (text.cut || !WriteUtf8File(reportPath, buffer)) return kSelfTestReportNotWritten;
    return failures != 0 ? kSelfTestOutputFailed : kSelfTestPassed;
}

int32_t RunSelfTest(const char16_t* reportPath) { return RunSelfTest(CurrentTool(), reportPath); }

}  // namespace tarn::app
