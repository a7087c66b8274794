// The record log: paths, the header and record lines, and the bytes a save
// leaves in the file, for new, existing and unusable files.
#include "records/record_log.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "engine/descriptor.h"
#include "tests/records/test_files.h"

namespace tarn::records {
namespace {

using testing::ReadBytes;
using testing::RecordFile;
using testing::ScratchFolder;
using testing::Utf8;
using testing::WriteBytes;
namespace fs = std::filesystem;

const std::u16string kSep(1, platform::kPathSeparator);

constexpr platform::LocalDateTime kFirstSave{2026, 12, 7, 10, 15, 25};
constexpr platform::LocalDateTime kSecondSave{2026, 12, 7, 10, 16, 2};

// The copy text of a computation with 60 kg and 6.8 mmol/L.
constexpr char16_t kReport[] =
    u"10% 葡萄糖酸钙：20.0 ml\r\n胰岛素：6.0 U\r\n葡萄糖：30.0 g\r\n50% 葡萄糖：60.0 ml\r\n";
constexpr char16_t kSecondReport[] =
    u"10% 葡萄糖酸钙：20.0 ml\r\n胰岛素：7.3 U\r\n葡萄糖：36.3 g\r\n50% 葡萄糖：72.5 ml\r\n";

const std::string kBom = "\xEF\xBB\xBF";
const std::string kHeader = "时间,工具,体重,血钾,结果\r\n";
const std::string kFirstRecord =
    "2026-12-07 10:15:25,Ordavel,体重=60,血钾=6.8,10% 葡萄糖酸钙：20.0 ml\r\n"
    "胰岛素：6.0 U\r\n"
    "葡萄糖：30.0 g\r\n"
    "50% 葡萄糖：60.0 ml\r\n"
    "\r\n";
const std::string kSecondRecord =
    "2026-12-07 10:16:02,Ordavel,体重=72.5,血钾=5.9,10% 葡萄糖酸钙：20.0 ml\r\n"
    "胰岛素：7.3 U\r\n"
    "葡萄糖：36.3 g\r\n"
    "50% 葡萄糖：72.5 ml\r\n"
    "\r\n";

std::array<double, kMaxInputs> Inputs(double weight, double potassium) {
    std::array<double, kMaxInputs> inputs{};
    inputs[0] = weight;
    inputs[1] = potassium;
    return inputs;
}

struct Saved {
    SaveResult result;
    std::u16string shownPath;
};

Saved Save(const fs::path& appData, const platform::LocalDateTime& time = kFirstSave,
           const char16_t* report = kReport, double weight = 60, double potassium = 6.8,
           const ToolDescriptor& tool = CurrentTool()) {
    const auto inputs = Inputs(weight, potassium);
    const std::u16string folder = appData.u16string();
    char16_t shown[kRecordPathCapacity];
    const SaveResult result =
        SaveRecord(tool, inputs.data(), report, folder.c_str(), time, shown, kRecordPathCapacity);
    return {result, shown};
}

std::u16string RecordLine(const platform::LocalDateTime& time, const char16_t* report,
                          double weight, double potassium,
                          const ToolDescriptor& tool = CurrentTool()) {
    const auto inputs = Inputs(weight, potassium);
    char16_t line[kRecordLineCapacity];
    BuildRecordLine(tool, inputs.data(), report, time, line, kRecordLineCapacity);
    return line;
}

// Paths --------------------------------------------------------------------

TEST(RecordPaths, FolderAndFileNamesUnderTheApplicationDataFolder) {
    char16_t folder[kRecordsFolderCapacity];
    ASSERT_TRUE(FormatRecordsFolder(u"base", folder, kRecordsFolderCapacity));
    EXPECT_EQ(std::u16string(folder), u"base" + kSep + u"TarnMedSuite" + kSep + u"records");

    struct Case {
        int32_t id;
        std::u16string name;
    };
    for (const Case& c : {Case{22, u"T022.csv"}, Case{7, u"T007.csv"}, Case{0, u"T000.csv"},
                          Case{1234, u"T1234.csv"}}) {
        char16_t path[kRecordPathCapacity];
        ASSERT_TRUE(FormatRecordFilePath(folder, c.id, path, kRecordPathCapacity)) << c.id;
        EXPECT_EQ(std::u16string(path), std::u16string(folder) + kSep + c.name) << c.id;
    }
}

TEST(RecordPaths, NoFolderWhenTheBaseIsMissingOrTooLong) {
    char16_t folder[kRecordsFolderCapacity];
    folder[0] = u'x';
    EXPECT_FALSE(FormatRecordsFolder(nullptr, folder, kRecordsFolderCapacity));
    EXPECT_EQ(folder[0], 0) << "no base: an empty folder";
    folder[0] = u'x';
    EXPECT_FALSE(FormatRecordsFolder(u"", folder, kRecordsFolderCapacity));
    EXPECT_EQ(folder[0], 0) << "an empty base: an empty folder";
    char16_t path[kRecordPathCapacity];
    for (const char16_t* noFolder : {static_cast<const char16_t*>(nullptr), u""}) {
        path[0] = u'x';
        EXPECT_FALSE(FormatRecordFilePath(noFolder, 22, path, kRecordPathCapacity));
        EXPECT_EQ(path[0], 0) << "no folder: an empty path";
    }

    // "/TarnMedSuite/records" is 21 characters: a base of 238 fills 259 + terminator.
    const std::u16string fits(238, u'a');
    ASSERT_TRUE(FormatRecordsFolder(fits.c_str(), folder, kRecordsFolderCapacity));
    EXPECT_EQ(std::u16string(folder).size(), 259u);
    const std::u16string tooLong(239, u'a');
    EXPECT_FALSE(FormatRecordsFolder(tooLong.c_str(), folder, kRecordsFolderCapacity));
    EXPECT_EQ(folder[0], 0) << "a cut folder would name another place";
}

TEST(RecordPaths, CreatesEveryMissingLevel) {
    ScratchFolder scratch;
    const fs::path deep = scratch.path() / "a" / "b" / "c";
    EXPECT_TRUE(CreateFolderLevels(deep.u16string().c_str()));
    EXPECT_TRUE(fs::is_directory(deep));
    EXPECT_TRUE(CreateFolderLevels(deep.u16string().c_str())) << "existing levels are fine";
}

// Lines --------------------------------------------------------------------

TEST(RecordLines, HeaderNamesTimeToolEachInputAndResult) {
    char16_t header[kHeaderCapacity];
    BuildHeaderLine(CurrentTool(), header, kHeaderCapacity);
    EXPECT_EQ(Utf8(header), kHeader);
}

TEST(RecordLines, TimeStampAndValues) {
    struct Case {
        platform::LocalDateTime time;
        double weight, potassium;
        std::string start;
    };
    const Case cases[] = {
        {{2026, 1, 5, 8, 3, 9}, 60, 6.8, "2026-01-05 08:03:09,Ordavel,体重=60,血钾=6.8,"},
        {{987, 12, 31, 23, 59, 59}, 0, 0, "0987-12-31 23:59:59,Ordavel,体重=0,血钾=0,"},
        {{12026, 10, 10, 0, 0, 0}, 1234567, 0.0001,
         "12026-10-10 00:00:00,Ordavel,体重=1.23457e+06,血钾=0.0001,"},
        {{2026, 6, 1, 12, 0, 0}, -3.25, 6.800000190734863,
         "2026-06-01 12:00:00,Ordavel,体重=-3.25,血钾=6.8,"},
    };
    for (const Case& c : cases) {
        const std::string line = Utf8(RecordLine(c.time, u"R\r\n", c.weight, c.potassium));
        EXPECT_EQ(line, c.start + "R\r\n\r\n");
    }
}

TEST(RecordLines, ResultColumnKeepsTheFirst254Characters) {
    std::u16string longResult;
    for (int i = 0; i < 300; ++i) longResult += static_cast<char16_t>(u'0' + i % 10);
    const std::u16string line = RecordLine(kFirstSave, longResult.c_str(), 60, 6.8);
    const std::u16string start = u"2026-12-07 10:15:25,Ordavel,体重=60,血钾=6.8,";
    EXPECT_EQ(line, start + longResult.substr(0, 254) + u"\r\n");

    const std::u16string exact = longResult.substr(0, 254);
    EXPECT_EQ(RecordLine(kFirstSave, exact.c_str(), 60, 6.8), start + exact + u"\r\n");
}

TEST(RecordLines, CutDoesNotSplitASurrogatePair) {
    // 253 characters, then U+1F600 as two units: the cut at 254 would keep
    // only its first half, which has no UTF-8 form.
    std::u16string result(253, u'x');
    result += u"\U0001F600tail";
    const std::u16string line = RecordLine(kFirstSave, result.c_str(), 60, 6.8);
    EXPECT_EQ(line, u"2026-12-07 10:15:25,Ordavel,体重=60,血钾=6.8," + std::u16string(253, u'x') +
                        u"\r\n");
}

// A descriptor whose texts overflow the lines: each line is cut before its
// CR LF, so the next record still starts on a line of its own.
constexpr InputField kWideInputs[] = {
    {"a", u"标签甲标签甲标签甲标签甲标签甲标签甲标签甲标签甲标签甲标签甲标签甲标签甲标签甲标签甲标签甲标签甲"
          u"标签甲标签甲标签甲标签甲标签甲标签甲标签甲标签甲标签甲标签甲标签甲标签甲标签甲标签甲标签甲标签甲",
     u"", 1},
    {"b", u"标签乙标签乙标签乙标签乙标签乙标签乙标签乙标签乙标签乙标签乙标签乙标签乙标签乙标签乙标签乙标签乙"
          u"标签乙标签乙标签乙标签乙标签乙标签乙标签乙标签乙标签乙标签乙标签乙标签乙标签乙标签乙标签乙标签乙",
     u"", 2},
    {"c", u"标签丙标签丙标签丙标签丙标签丙标签丙标签丙标签丙标签丙标签丙标签丙标签丙标签丙标签丙标签丙标签丙"
          u"标签丙标签丙标签丙标签丙标签丙标签丙标签丙标签丙标签丙标签丙标签丙标签丙标签丙标签丙标签丙标签丙",
     u"", 3},
};

TEST(RecordLines, OverlongLinesAreCutBeforeTheirLineEnd) {
    const std::u16string title(5000, u'题');
    std::array<InputField, kMaxInputs> inputs{};
    for (size_t i = 0; i < inputs.size(); ++i) inputs[i] = kWideInputs[i % 3];
    ToolDescriptor tool = CurrentTool();
    tool.title = title.c_str();
    tool.inputCount = kMaxInputs;
    tool.inputs = inputs.data();

    char16_t header[kHeaderCapacity];
    BuildHeaderLine(tool, header, kHeaderCapacity);
    const std::u16string headerText = header;
    EXPECT_EQ(headerText.size(), static_cast<size_t>(kHeaderCapacity - 1));
    EXPECT_EQ(headerText.substr(0, 6), u"时间,工具,");
    EXPECT_EQ(headerText.substr(headerText.size() - 2), u"\r\n");

    const std::u16string line = RecordLine(kFirstSave, kReport, 1, 2, tool);
    EXPECT_EQ(line.size(), static_cast<size_t>(kRecordLineCapacity - 1));
    EXPECT_EQ(line.substr(0, 20), u"2026-12-07 10:15:25,");
    EXPECT_EQ(line.substr(line.size() - 2), u"\r\n");
}

TEST(RecordLog, TheLongestLineIsWrittenWhole) {
    // 4093 three-byte characters and CR LF: the UTF-8 room must take all of it.
    ScratchFolder scratch;
    const std::u16string title(5000, u'题');
    ToolDescriptor tool = CurrentTool();
    tool.title = title.c_str();
    ASSERT_EQ(Save(scratch.path(), kFirstSave, kReport, 60, 6.8, tool).result, SaveResult::Saved);
    const std::string bytes = ReadBytes(RecordFile(scratch.path()));
    const std::string record = Utf8(RecordLine(kFirstSave, kReport, 60, 6.8, tool));
    EXPECT_EQ(record.size(), 20u + 3u * (4093u - 20u) + 2u);
    EXPECT_EQ(bytes, kBom + kHeader + record);
}

// Saving -------------------------------------------------------------------

TEST(RecordLog, NewFileGetsMarkAndHeaderOnceThenRecordsAreAppended) {
    ScratchFolder scratch;
    const Saved first = Save(scratch.path());
    ASSERT_EQ(first.result, SaveResult::Saved);
    const fs::path file = RecordFile(scratch.path());
    EXPECT_EQ(first.shownPath, file.u16string());

    const std::string afterFirst = ReadBytes(file);
    EXPECT_EQ(afterFirst, kBom + kHeader + kFirstRecord);
    // The six physical lines of the first save, the last one empty.
    const std::vector<std::string> lines = {"时间,工具,体重,血钾,结果",
                                            "2026-12-07 10:15:25,Ordavel,体重=60,血钾=6.8,10% 葡萄糖酸钙：20.0 ml",
                                            "胰岛素：6.0 U",
                                            "葡萄糖：30.0 g",
                                            "50% 葡萄糖：60.0 ml",
                                            ""};
    std::string joined;
    for (const std::string& line : lines) joined += line + "\r\n";
    EXPECT_EQ(afterFirst.substr(kBom.size()), joined);

    ASSERT_EQ(Save(scratch.path(), kSecondSave, kSecondReport, 72.5, 5.9).result,
              SaveResult::Saved);
    EXPECT_EQ(ReadBytes(file), kBom + kHeader + kFirstRecord + kSecondRecord);
}

TEST(RecordLog, ExistingFilesAreAppendedToWhateverTheyHold) {
    struct Case {
        const char* what;
        std::string before;
    };
    const Case cases[] = {
        {"empty file", ""},
        {"no mark, no header", "某行\r\n"},
        {"a mark and another header", kBom + "a,b\r\n"},
    };
    for (const Case& c : cases) {
        ScratchFolder scratch;
        const fs::path file = RecordFile(scratch.path());
        fs::create_directories(file.parent_path());
        WriteBytes(file, c.before);
        ASSERT_EQ(Save(scratch.path()).result, SaveResult::Saved) << c.what;
        EXPECT_EQ(ReadBytes(file), c.before + kFirstRecord) << c.what;
    }
}

TEST(RecordLog, EachToolKeepsItsOwnFile) {
    ScratchFolder scratch;
    ToolDescriptor other = CurrentTool();
    other.id = 5;
    ASSERT_EQ(Save(scratch.path()).result, SaveResult::Saved);
    ASSERT_EQ(Save(scratch.path(), kSecondSave, kSecondReport, 72.5, 5.9, other).result,
              SaveResult::Saved);
    EXPECT_EQ(ReadBytes(RecordFile(scratch.path())), kBom + kHeader + kFirstRecord);
    EXPECT_EQ(ReadBytes(RecordFile(scratch.path(), "T005.csv")), kBom + kHeader + kSecondRecord);
}

// Failures -----------------------------------------------------------------

TEST(RecordLogFailure, NoApplicationDataFolder) {
    const auto inputs = Inputs(60, 6.8);
    char16_t shown[kRecordPathCapacity];
    EXPECT_EQ(SaveRecord(CurrentTool(), inputs.data(), kReport, nullptr, kFirstSave, shown,
                         kRecordPathCapacity),
              SaveResult::NoFolder);
    EXPECT_EQ(shown[0], 0);

    const std::u16string tooLong(300, u'a');
    EXPECT_EQ(SaveRecord(CurrentTool(), inputs.data(), kReport, tooLong.c_str(), kFirstSave, shown,
                         kRecordPathCapacity),
              SaveResult::NoFolder);
    EXPECT_EQ(std::u16string(shown), tooLong) << "the folder is shown when there is no file path";
}

TEST(RecordLogFailure, AFolderLevelThatIsARegularFile) {
    for (const char* level : {"TarnMedSuite", "TarnMedSuite/records"}) {
        ScratchFolder scratch;
        const fs::path blocker = scratch.path() / fs::path(level).make_preferred();
        fs::create_directories(blocker.parent_path());
        WriteBytes(blocker, "earlier bytes");
        const Saved saved = Save(scratch.path());
        EXPECT_EQ(saved.result, SaveResult::FolderNotCreated) << level;
        EXPECT_EQ(saved.shownPath, RecordFile(scratch.path()).u16string()) << level;
        EXPECT_EQ(ReadBytes(blocker), "earlier bytes") << level;
    }
}

TEST(RecordLogFailure, TheRecordFileNameIsAFolder) {
    ScratchFolder scratch;
    const fs::path file = RecordFile(scratch.path());
    fs::create_directories(file / "inside");
    EXPECT_EQ(Save(scratch.path()).result, SaveResult::FileNotOpened);
    EXPECT_TRUE(fs::is_directory(file / "inside"));
}

TEST(RecordLogFailure, TheApplicationDataRootIsARegularFile) {
    ScratchFolder scratch;
    const fs::path root = scratch.path() / "appdata";
    WriteBytes(root, "earlier bytes");
    EXPECT_EQ(Save(root).result, SaveResult::FolderNotCreated);
    EXPECT_EQ(ReadBytes(root), "earlier bytes");
}

}  // namespace
}  // namespace tarn::records
