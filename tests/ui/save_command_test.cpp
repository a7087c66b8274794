// The save command over fake window services and the real platform: the
// prompt without a result, the status line and boxes after a save, and the
// failure report when the record could not be kept.
#include "ui/save_command.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "engine/descriptor.h"
#include "engine/text.h"
#include "records/record_log.h"
#include "tests/records/test_files.h"
#include "tests/support/fake_window.h"

namespace tarn::ui {
namespace {

using records::testing::ReadBytes;
using records::testing::RecordFile;
using records::testing::ScratchFolder;
using records::testing::Utf8;
using records::testing::WriteBytes;
namespace fs = std::filesystem;

constexpr char16_t kReport[] =
    u"10% 葡萄糖酸钙：20.0 ml\r\n胰岛素：6.0 U\r\n葡萄糖：30.0 g\r\n50% 葡萄糖：60.0 ml\r\n";
const std::string kRecordAfterTime =
    ",Ordavel,体重=60,血钾=6.8,10% 葡萄糖酸钙：20.0 ml\r\n胰岛素：6.0 U\r\n葡萄糖：30.0 g\r\n"
    "50% 葡萄糖：60.0 ml\r\n\r\n";
const std::string kHeader = "\xEF\xBB\xBF时间,工具,体重,血钾,结果\r\n";
constexpr char16_t kReadyStatus[] = u"就绪";

const fake::Message kPrompt{u"请先点击“计算”生成结果，再保存记录。", u"提示",
                            MessageIcon::Information};
const fake::Message kConfirmation{u"本次结果已追加保存到本地记录（CSV，可用 Excel 打开）。",
                                  u"已保存", MessageIcon::Information};
const fake::Message kFailure{u"本次结果未能保存到本地记录，请检查文件夹权限与磁盘空间。",
                             u"保存失败", MessageIcon::Warning};

void ExpectMessages(const fake::FakeWindow& window, const std::vector<fake::Message>& expected) {
    const auto& shown = window.messages;
    ASSERT_EQ(shown.size(), expected.size());
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(Utf8(shown[i].text), Utf8(expected[i].text)) << i;
        EXPECT_EQ(Utf8(shown[i].caption), Utf8(expected[i].caption)) << i;
        EXPECT_EQ(shown[i].icon, expected[i].icon) << i;
    }
}

std::unique_ptr<WindowState> StateWithResult(fake::FakeWindow& window, const char16_t* result) {
    auto state = std::make_unique<WindowState>();
    fake::Start(*state, CurrentTool(), window);
    state->lastInputs[0] = 60;
    state->lastInputs[1] = 6.8;
    CopyBounded(state->resultCopy, kResultCopyCapacity, result);
    CopyBounded(state->statusLine, kStatusLineCapacity, kReadyStatus);
    return state;
}

std::u16string PlatformRecordFile() {
    char16_t appData[records::kAppDataFolderCapacity];
    if (!platform::LocalAppDataFolder(appData, records::kAppDataFolderCapacity)) return u"";
    return RecordFile(fs::path(std::u16string(appData))).make_preferred().u16string();
}

// The record the save left at the end of the file, time stamp included.
void ExpectRecordAtEnd(const std::string& bytes) {
    ASSERT_GE(bytes.size(), kRecordAfterTime.size() + 19);
    const std::string stamp = bytes.substr(bytes.size() - kRecordAfterTime.size() - 19, 19);
    const std::string shape = "dddd-dd-dd dd:dd:dd";
    for (size_t i = 0; i < shape.size(); ++i) {
        if (shape[i] == 'd') EXPECT_TRUE(stamp[i] >= '0' && stamp[i] <= '9') << stamp;
        else EXPECT_EQ(stamp[i], shape[i]) << stamp;
    }
    EXPECT_EQ(bytes.substr(bytes.size() - kRecordAfterTime.size()), kRecordAfterTime);
}

#ifndef _WIN32
// Points the platform's application-data lookup at a test folder.
class DataHome {
public:
    DataHome() : xdg_(Get("XDG_DATA_HOME")), home_(Get("HOME")) {}
    ~DataHome() {
        Restore("XDG_DATA_HOME", xdg_);
        Restore("HOME", home_);
    }
    DataHome(const DataHome&) = delete;
    DataHome& operator=(const DataHome&) = delete;

    void Use(const fs::path& folder) { setenv("XDG_DATA_HOME", folder.c_str(), 1); }
    void Remove() {
        unsetenv("XDG_DATA_HOME");
        unsetenv("HOME");
    }

private:
    static std::optional<std::string> Get(const char* name) {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    }
    static void Restore(const char* name, const std::optional<std::string>& value) {
        if (value) setenv(name, value->c_str(), 1);
        else unsetenv(name);
    }
    std::optional<std::string> xdg_, home_;
};
#else
// The real local application-data folder is used; a test puts the record
// file back as it found it.
class RecordFileRestorer {
public:
    explicit RecordFileRestorer(fs::path file) : file_(std::move(file)) {
        std::error_code error;
        existed_ = fs::exists(file_, error);
        if (existed_) size_ = fs::file_size(file_, error);
    }
    ~RecordFileRestorer() {
        std::error_code error;
        if (existed_) fs::resize_file(file_, size_, error);
        else fs::remove(file_, error);
    }
    RecordFileRestorer(const RecordFileRestorer&) = delete;
    RecordFileRestorer& operator=(const RecordFileRestorer&) = delete;
    bool existed() const { return existed_; }

private:
    fs::path file_;
    bool existed_ = false;
    uintmax_t size_ = 0;
};
#endif

class SaveCommandTest : public ::testing::Test {
protected:
    fake::FakeWindow window;
};

TEST_F(SaveCommandTest, WithoutAResultOnlyPrompts) {
#ifndef _WIN32
    ScratchFolder scratch;
    DataHome home;
    home.Use(scratch.path());
#endif
    auto state = StateWithResult(window, u"");
    SaveCommand(*state);
    ExpectMessages(window, {kPrompt});
    EXPECT_EQ(window.mainRepaints, 0);
    EXPECT_EQ(std::u16string(state->statusLine), kReadyStatus);
#ifndef _WIN32
    EXPECT_TRUE(fs::is_empty(scratch.path())) << "no folder is made without a result";
#endif
}

TEST_F(SaveCommandTest, SavesThenShowsThePathAndConfirms) {
#ifndef _WIN32
    ScratchFolder scratch;
    DataHome home;
    home.Use(scratch.path());
#endif
    const std::u16string file = PlatformRecordFile();
    ASSERT_FALSE(file.empty());
#ifdef _WIN32
    RecordFileRestorer restorer{fs::path(file)};
#else
    EXPECT_EQ(fs::path(file), RecordFile(scratch.path()));
#endif
    std::cout << "record file: " << Utf8(file) << "\n";

    auto state = StateWithResult(window, kReport);
    SaveCommand(*state);
    ExpectMessages(window, {kConfirmation});
    EXPECT_EQ(window.mainRepaints, 1);
    EXPECT_EQ(Utf8(state->statusLine), Utf8(u"记录已保存：" + file));

    const std::string bytes = ReadBytes(fs::path(file));
    ExpectRecordAtEnd(bytes);
#ifdef _WIN32
    const bool fresh = !restorer.existed();
#else
    const bool fresh = true;
#endif
    if (fresh) {
        EXPECT_EQ(bytes.size(), kHeader.size() + 19 + kRecordAfterTime.size());
    }
    EXPECT_EQ(bytes.substr(0, kHeader.size()), kHeader);
}

// The window's services, not the save command, say where and when: a fixed
// folder and clock give the whole file byte for byte, on every platform.
TEST_F(SaveCommandTest, FolderAndTimeComeFromTheWindowServices) {
    ScratchFolder scratch;
    window.appDataFolder = fs::path(scratch.path()).make_preferred().u16string();
    window.localTime = platform::LocalDateTime{2026, 3, 4, 5, 6, 7};
    auto state = StateWithResult(window, kReport);
    SaveCommand(*state);
    ExpectMessages(window, {kConfirmation});
    EXPECT_EQ(ReadBytes(RecordFile(scratch.path())),
              kHeader + "2026-03-04 05:06:07" + kRecordAfterTime);
}

TEST_F(SaveCommandTest, NoFolderFromTheWindowServicesIsAFailure) {
    window.appDataFolder = u"";
    auto state = StateWithResult(window, kReport);
    SaveCommand(*state);
    ExpectMessages(window, {kFailure});
    EXPECT_EQ(Utf8(state->statusLine), "记录保存失败：");
}

#ifndef _WIN32
TEST_F(SaveCommandTest, LongPathIsCutToTheStatusLine) {
    ScratchFolder scratch;
    DataHome home;
    const fs::path appData = scratch.path() / std::string(190, 'd');
    ASSERT_LT(appData.native().size(), 238u) << "the records folder must still fit";
    home.Use(appData);
    auto state = StateWithResult(window, kReport);
    SaveCommand(*state);
    ExpectMessages(window, {kConfirmation});
    const std::u16string whole = u"记录已保存：" + RecordFile(appData).u16string();
    ASSERT_GT(whole.size(), 255u);
    EXPECT_EQ(Utf8(state->statusLine), Utf8(whole.substr(0, 255)));
}

TEST_F(SaveCommandTest, FailuresAreReportedAndNothingIsClaimed) {
    struct Case {
        const char* what;
        // Stages the failure under `appData`; returns the file whose bytes must stay.
        fs::path (*stage)(const fs::path& appData);
    };
    const Case cases[] = {
        {"the folder is a regular file",
         [](const fs::path& appData) {
             const fs::path blocker = appData / "TarnMedSuite";
             fs::create_directories(appData);
             WriteBytes(blocker, "earlier bytes");
             return blocker;
         }},
        {"the record file is a full device",
         [](const fs::path& appData) {
             fs::create_directories(RecordFile(appData).parent_path());
             fs::create_symlink("/dev/full", RecordFile(appData));
             return fs::path();
         }},
        {"the record file is a folder",
         [](const fs::path& appData) {
             fs::create_directories(RecordFile(appData));
             WriteBytes(RecordFile(appData) / "inside", "earlier bytes");
             return RecordFile(appData) / "inside";
         }},
    };
    for (const Case& c : cases) {
        window = fake::FakeWindow{};
        ScratchFolder scratch;
        DataHome home;
        const fs::path appData = scratch.path() / "data";
        const fs::path kept = c.stage(appData);
        home.Use(appData);

        auto state = StateWithResult(window, kReport);
        SaveCommand(*state);
        ExpectMessages(window, {kFailure});
        EXPECT_EQ(window.mainRepaints, 1) << c.what;
        EXPECT_EQ(Utf8(state->statusLine), Utf8(u"记录保存失败：" + RecordFile(appData).u16string()))
            << c.what;
        if (!kept.empty()) {
            EXPECT_EQ(ReadBytes(kept), "earlier bytes") << c.what;
        }
    }
}

TEST_F(SaveCommandTest, NoApplicationDataFolderIsAFailure) {
    DataHome home;
    home.Remove();
    auto state = StateWithResult(window, kReport);
    SaveCommand(*state);
    ExpectMessages(window, {kFailure});
    EXPECT_EQ(window.mainRepaints, 1);
    EXPECT_EQ(Utf8(state->statusLine), "记录保存失败：");
}
#endif

}  // namespace
}  // namespace tarn::ui
