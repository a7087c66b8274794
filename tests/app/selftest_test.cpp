#include "app/selftest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/text.h"
#include "platform/platform.h"
#include "tests/support/over_limit_tools.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/text.h"

namespace tarn::app {
namespace {

std::u16string Request(const char16_t* line, SelfTestRequest* kind) {
    char16_t path[kSelfTestPathCapacity] = {};
    *kind = FindSelfTestRequest(line, path, kSelfTestPathCapacity);
    return path;
}

struct MarkerCase {
    const char16_t* commandLine;
    SelfTestRequest kind;
    const char16_t* path;
};

TEST(SelfTestCommandLine, FindsTheMarkerAndItsPath) {
    const MarkerCase cases[] = {
        {u"ordavel.exe", SelfTestRequest::Absent, u""},
        {u"ordavel.exe --SELFTEST out.txt", SelfTestRequest::Absent, u""},
        {u"ordavel.exe --selftest", SelfTestRequest::Path, u"selftest.txt"},
        {u"ordavel.exe --selftest    ", SelfTestRequest::Path, u"selftest.txt"},
        {u"ordavel.exe --selftest out.txt", SelfTestRequest::Path, u"out.txt"},
        {u"ordavel.exe --selftest out.txt more", SelfTestRequest::Path, u"out.txt"},
        {u"ordavel.exe --selftest \"my report.txt\" x", SelfTestRequest::Path, u"my report.txt"},
        {u"ordavel.exe --selftest \"open ended", SelfTestRequest::Path, u"open ended"},
        {u"ordavel.exe --selftest \"\"", SelfTestRequest::Path, u"selftest.txt"},
        {u"ordavel.exe --selftest=out.txt", SelfTestRequest::Path, u"=out.txt"},
        {u"C:\\tools\\x--selftest.exe", SelfTestRequest::Path, u".exe"},
        // Only blanks are skipped; a tab starts the path.
        {u"ordavel --selftest\tout.txt", SelfTestRequest::Path, u"\tout.txt"},
        {u"a --selftest one --selftest two", SelfTestRequest::Path, u"one"},
    };
    for (const MarkerCase& c : cases) {
        SelfTestRequest kind;
        const std::u16string path = Request(c.commandLine, &kind);
        EXPECT_EQ(kind, c.kind);
        if (c.kind == SelfTestRequest::Path) {
            EXPECT_EQ(path, c.path) << "command line index " << (&c - cases);
        }
    }
}

TEST(SelfTestCommandLine, RefusesAPathLongerThanTheBufferInsteadOfCuttingIt) {
    std::u16string line = u"ordavel --selftest ";
    line.append(519, u'a');
    SelfTestRequest kind;
    EXPECT_EQ(Request(line.c_str(), &kind).size(), 519u);
    EXPECT_EQ(kind, SelfTestRequest::Path);

    line.push_back(u'b');
    Request(line.c_str(), &kind);
    EXPECT_EQ(kind, SelfTestRequest::PathTooLong);
}

std::u16string Report(const ToolDescriptor& tool, int32_t* failures) {
    static char16_t text[kSelfTestTextCapacity];
    *failures = BuildSelfTestReport(tool, text, kSelfTestTextCapacity);
    return text;
}

TEST(SelfTestReport, HoldsTheNineLinesOfTheDefaultComputation) {
    int32_t failures = -1;
    EXPECT_EQ(Report(CurrentTool(), &failures),
              u"TOOL|22|Ordavel|急诊\r\n"
              u"LEVEL|3\r\n"
              u"OUT|10% 葡萄糖酸钙|20.0|ml\r\n"
              u"OUT|胰岛素|6.0|U\r\n"
              u"OUT|葡萄糖|30.0|g\r\n"
              u"OUT|50% 葡萄糖|60.0|ml\r\n"
              u"VERDICT|重度高钾，立即处理并持续心电监护\r\n"
              u"DETAIL|10% 葡萄糖酸钙：20.0 ml 胰岛素：6.0 U 葡萄糖：30.0 g 50% 葡萄糖：60.0 ml \r\n"
              u"ERRORS|0\r\n");
    EXPECT_EQ(failures, 0);
}

constexpr InputField kOneInput[] = {{"x", u"X", nullptr, 2.0}};
constexpr OutputField kChainedOutputs[] = {
    {"a", u"A|pipe", nullptr, "x*3", "f0"},
    {"b", u"B", u"u", "a+1", "f0"},  // names an earlier output
    {"c", u"C", u"", "x/0", "f1"},
};
constexpr VerdictRule kNoRules[] = {{"0", 1, u"never"}};
constexpr ToolDescriptor kChainedTool = {
    7, u"Chain", nullptr, u"Test", u"ref", nullptr, 1, kOneInput, 3, kChainedOutputs, 1, kNoRules, 0};

TEST(SelfTestReport, EvaluatesEachOutputAsTheReportDoesAndCountsFailures) {
    int32_t failures = -1;
    const std::u16string text = Report(kChainedTool, &failures);
    EXPECT_EQ(failures, 1);
    // b is computed from a = 6, in the OUT line as in the report.
    EXPECT_NE(text.find(u"OUT|A|pipe|6|\r\nOUT|B|7|u\r\nOUT|C|0.0|\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u"DETAIL|A|pipe：6 B：7 u C：0.0 （部分结果无法计算，请检查输入是否合理） \r\n"),
              std::u16string::npos);
    EXPECT_NE(text.find(u"VERDICT|请核对输入参数后重新计算\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u"ERRORS|1\r\n"), std::u16string::npos);
}

// Shown while x > 1: A; never: B (which fails); a condition that cannot be
// evaluated: C, shown and counted as failed.
constexpr OutputField kConditionalOutputs[] = {
    {"a", u"A", u"", "x*3", "f0", "x>1"},
    {"b", u"B", u"", "x/0", "f0", "x>5"},
    {"c", u"C", u"", "x", "f0", "y>1"},
};
constexpr ToolDescriptor kConditionalTool = {
    8, u"Shown", nullptr, u"Test", u"ref", nullptr, 1, kOneInput, 3, kConditionalOutputs, 0,
    nullptr, 0};

TEST(SelfTestReport, HiddenOutputsHaveNoOutLineAndNoError) {
    int32_t failures = -1;
    const std::u16string text = Report(kConditionalTool, &failures);
    EXPECT_EQ(failures, 1) << "C's condition fails; B's failure is hidden with B";
    EXPECT_NE(text.find(u"LEVEL|0\r\nOUT|A|6|\r\nOUT|C|2|\r\nVERDICT|"), std::u16string::npos)
        << "no OUT line for B";
    EXPECT_NE(text.find(u"DETAIL|A：6 C：2 （部分结果无法计算，请检查输入是否合理） \r\n"),
              std::u16string::npos);
    EXPECT_NE(text.find(u"ERRORS|1\r\n"), std::u16string::npos);
}

constexpr ToolDescriptor kReportKindTool = {
    9, u"Checklist", nullptr, u"Test", u"ref", nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 8};

TEST(SelfTestReport, WritesTheFixedOutLineForAReportKind) {
    int32_t failures = -1;
    const std::u16string text = Report(kReportKindTool, &failures);
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(text.rfind(u"TOOL|9|Checklist|Test\r\nLEVEL|0\r\nOUT|报告文本|见 DETAIL|\r\nVERDICT|", 0), 0u);
    EXPECT_NE(text.find(u"DETAIL|手术安全核查表（三步核查）： 【麻醉实施前】"), std::u16string::npos);
    EXPECT_EQ(text.substr(text.size() - 10), u"ERRORS|0\r\n");
}

// The self-test computes no more outputs and reads no more inputs than the
// computation does: 16 of each; a name past them is unknown.
TEST(SelfTestReport, WalksOnlyTheFirstSixteenOutputs) {
    int32_t failures = -1;
    const std::u16string text = Report(testing::kSeventeenOutputTool, &failures);
    EXPECT_EQ(failures, 1);  // o0 names q
    EXPECT_NE(text.find(u"LEVEL|1\r\nOUT|o0|0|\r\nOUT|o1|0|\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u"OUT|o15|0|\r\nVERDICT|caught\r\n"), std::u16string::npos);
    EXPECT_EQ(text.find(u"OUT|q|"), std::u16string::npos);
    EXPECT_EQ(text.substr(text.size() - 10), u"ERRORS|1\r\n");
}

TEST(SelfTestReport, ReadsOnlyTheFirstSixteenInputs) {
    int32_t failures = -1;
    const std::u16string text = Report(testing::kSeventeenInputTool, &failures);
    EXPECT_EQ(failures, 1);  // past names r
    EXPECT_NE(text.find(u"LEVEL|1\r\nOUT|last|2|\r\nOUT|past|0|\r\nVERDICT|caught\r\n"),
              std::u16string::npos);
    EXPECT_EQ(text.substr(text.size() - 10), u"ERRORS|1\r\n");
}

TEST(SelfTestRun, WritesUtf8WithoutByteOrderMarkAndReturnsTheStatus) {
    const testing::ScratchFolder scratch;
    const std::u16string path = scratch.File("selftest_unit.txt");
    EXPECT_EQ(RunSelfTest(path.c_str()), kSelfTestPassed);
    const std::string bytes = testing::ReadBytes(path);
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.rfind("TOOL|22|Ordavel|\xE6\x80\xA5\xE8\xAF\x8A\r\n", 0), 0u);
    EXPECT_EQ(bytes.substr(bytes.size() - 10), "ERRORS|0\r\n");

    EXPECT_EQ(RunSelfTest(kChainedTool, path.c_str()), kSelfTestOutputFailed);
}

// The report is refused when something of it was cut, not when it merely
// fills the buffer: a title is grown until the text fills all 16383 units,
// then by one more.
TEST(SelfTestRun, WritesAReportThatJustFitsAndRefusesACutOne) {
    const testing::ScratchFolder scratch;
    const std::u16string path = scratch.File("selftest_full.txt");
    int32_t failures = -1;
    ToolDescriptor tool = kReportKindTool;
    tool.title = u"";
    const size_t base = Report(tool, &failures).size();
    const size_t room = static_cast<size_t>(kSelfTestTextCapacity - 1);
    ASSERT_LT(base, room);

    const std::u16string fits(room - base, u'x');
    tool.title = fits.c_str();
    const std::u16string whole = Report(tool, &failures);
    ASSERT_EQ(whole.size(), room);
    EXPECT_EQ(RunSelfTest(tool, path.c_str()), kSelfTestPassed);
    EXPECT_EQ(testing::ReadBytes(path), testing::Utf8(whole));

    const std::u16string over(room - base + 1, u'x');
    tool.title = over.c_str();
    std::filesystem::remove(std::filesystem::path(path));
    EXPECT_EQ(RunSelfTest(tool, path.c_str()), kSelfTestReportNotWritten);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(path)));
}

TEST(SelfTestRun, ReportsAFileThatCannotBeWrittenAsItsOwnStatus) {
    EXPECT_EQ(RunSelfTest(u"no-such-folder/selftest.txt"), kSelfTestReportNotWritten);
    EXPECT_EQ(RunSelfTest(kChainedTool, u"no-such-folder/selftest.txt"), kSelfTestReportNotWritten);
    EXPECT_FALSE(WriteUtf8File(u"no-such-folder/x.txt", u"x"));
    // Longer than any report: its UTF-8 does not fit, and nothing is claimed written.
    const testing::ScratchFolder scratch;
    const std::u16string tooLong(16384, u'钾');
    EXPECT_FALSE(WriteUtf8File(scratch.File("too_long.txt").c_str(), tooLong.c_str()));
#ifndef _WIN32
    // A device that accepts the open but not the bytes.
    EXPECT_FALSE(WriteUtf8File(u"/dev/full", u"TOOL|1"));
    EXPECT_EQ(RunSelfTest(u"/dev/full"), kSelfTestReportNotWritten);
#endif
}

TEST(SelfTestRun, WritesAReportOfAnyLengthWhole) {
    struct Case {
        size_t units;
        size_t bytes;
    };
    // Three-byte characters throughout: more than the 8191 bytes of old, and
    // a full report buffer of them, the most UTF-8 a report can need.
    const Case cases[] = {{6000, 18000}, {16383, 49149}};
    const testing::ScratchFolder scratch;
    const std::u16string path = scratch.File("long_unit.txt");
    for (const Case& c : cases) {
        const std::u16string text(c.units, u'钾');
        ASSERT_TRUE(WriteUtf8File(path.c_str(), text.c_str())) << c.units << " units";
        EXPECT_EQ(testing::ReadBytes(path), testing::Utf8(text)) << c.units << " units";
        EXPECT_EQ(testing::ReadBytes(path).size(), c.bytes);
    }
}

}  // namespace
}  // namespace tarn::app
