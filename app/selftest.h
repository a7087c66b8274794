// The headless self-test: the tool computed once with its default inputs,
// written as a pipe-separated UTF-8 report file.
#pragma once

#include <cstdint>

#include "engine/descriptor.h"
#include "engine/text_builder.h"

namespace tarn::app {

inline constexpr int32_t kSelfTestPathCapacity = 520;
inline constexpr int32_t kSelfTestTextCapacity = 16384;

// Exit statuses of the self-test.
inline constexpr int32_t kSelfTestPassed = 0;
inline constexpr int32_t kSelfTestOutputFailed = 2;
inline constexpr int32_t kSelfTestReportNotWritten = 3;

enum class SelfTestRequest { Absent, Path, PathTooLong };

// Finds "--selftest" in the raw command line and takes the report path after
// it (quoted, or up to the next blank; "selftest.txt" when none is given).
SelfTestRequest FindSelfTestRequest(const char16_t* commandLine, char16_t* path, int32_t capacity);

// Assembles the report text; returns the number of outputs that failed.
int32_t BuildSelfTestReport(const ToolDescriptor& tool, char16_t* text, int32_t capacity);
int32_t BuildSelfTestReport(const ToolDescriptor& tool, TextBuilder& text);

// Writes `text` as UTF-8 without byte-order mark, replacing the file.
// True only when the whole text reached the file and it was closed cleanly.
bool WriteUtf8File(const char16_t* path, const char16_t* text);

// 0 when every output evaluated, 2 when one failed, 3 when the report could
// not be written whole (there is then nothing to read).
int32_t RunSelfTest(const ToolDescriptor& tool, const char16_t* reportPath);
int32_t RunSelfTest(const char16_t* reportPath);

}  // namespace tarn::app
