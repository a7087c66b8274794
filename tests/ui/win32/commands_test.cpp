// The commands through the real window: keys through the loop's per-message
// function, button clicks, the clipboard, message boxes and the record file.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "tests/ui/win32/window_fixture.h"

namespace tarn::win32::testing {
namespace {

const std::wstring kDefaultReport =
    L"10% 葡萄糖酸钙：20.0 ml\r\n胰岛素：6.0 U\r\n葡萄糖：30.0 g\r\n50% 葡萄糖：60.0 ml\r\n";
const std::wstring kSevere = L"重度高钾，立即处理并持续心电监护";
const std::wstring kPrompt = L"填写左侧参数，点击“计算”";
const std::wstring kReady = L"就绪：填写参数后按 F5 或点击“计算”";
const std::wstring kNoResult = L"请先点击“计算”生成结果。";

void PutSentinelOnClipboard(const wchar_t* text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(block), text, bytes);
    GlobalUnlock(block);
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
}

HICON InformationIcon() { return LoadIconW(nullptr, IDI_INFORMATION); }
HICON WarningIcon() { return LoadIconW(nullptr, IDI_WARNING); }

using KeyboardTest = MainWindowTest;

TEST_F(KeyboardTest, F5AndEnterInAnInputEditComputeAndAreConsumed) {
    for (WPARAM key : {WPARAM{VK_F5}, WPARAM{VK_RETURN}}) {
        SCOPED_TRACE(key);
        SendMessageW(main(), WM_COMMAND, 1004, 0);
        Pump();
        TypeInto(0, L"60");
        TypeInto(1, L"6.8");
        seen_.clear();
        PostKey(window().inputEdits[1], key);
        EXPECT_EQ(TextOf(window().resultBox), kDefaultReport);
        EXPECT_EQ(TextOf(window().verdictLine), kSevere);
        EXPECT_EQ(StatusLine(), L"计算完成  Ordavel");
        EXPECT_EQ(window().state.currentLevel, 3);
        EXPECT_EQ(GetFocus(), window().resultBox) << "the focus moves to the result";
        EXPECT_FALSE(SawMessage(WM_CHAR)) << "the key must be neither translated nor dispatched";
        EXPECT_EQ(TextOf(window().inputEdits[1]), L"6.8") << "the edit never saw the key";
    }
}

TEST_F(KeyboardTest, F5OnAFocusedButtonComputes) {
    TypeInto(0, L"60");
    TypeInto(1, L"6.0");
    SetFocus(button(1003));
    PostKey(button(1003), VK_F5);
    EXPECT_EQ(TextOf(window().verdictLine), L"中度高钾：立即做心电图，有改变按重度处理");
    EXPECT_EQ(window().state.currentLevel, 2);
}

TEST_F(KeyboardTest, KeysOnTheResultBoxCompute) {
    TypeInto(0, L"60");
    TypeInto(1, L"6.8");
    SetFocus(window().resultBox);
    PostKey(window().resultBox, VK_RETURN);
    EXPECT_EQ(TextOf(window().resultBox), kDefaultReport);
}

TEST_F(KeyboardTest, KeysForTheMainWindowItselfAreDispatchedAndDoNothing) {
    PostKey(main(), VK_F5);
    PostKey(main(), VK_RETURN);
    EXPECT_EQ(TextOf(window().resultBox), L"");
    EXPECT_EQ(TextOf(window().verdictLine), kPrompt);
    EXPECT_EQ(StatusLine(), kReady);
    EXPECT_TRUE(SawMessage(WM_CHAR)) << "a key that is not taken is translated as usual";
}

// The focus rests on the result: Enter there computes again with what
// the fields hold now.
TEST_F(KeyboardTest, AfterAComputationEnterOnTheResultComputesAgain) {
    ComputeWith(L"60", L"6.8");
    ASSERT_EQ(GetFocus(), window().resultBox);
    SetInput(1, L"4.2");
    PostKey(GetFocus(), VK_RETURN);
    EXPECT_EQ(TextOf(window().verdictLine), L"血钾未升高，无需降钾急救用药");
    EXPECT_EQ(TextOf(window().resultBox), L"血钾 <5.5 mmol/L：不计算降钾急救用药\r\n");
}

TEST_F(KeyboardTest, OtherKeysReachTheEdit) {
    SetInput(0, L"");
    SetFocus(window().inputEdits[0]);
    PostMessageW(window().inputEdits[0], WM_CHAR, L'7', 1);
    Pump();
    EXPECT_EQ(TextOf(window().inputEdits[0]), L"7");
    EXPECT_EQ(TextOf(window().resultBox), L"");
}

struct LevelCase {
    const wchar_t* potassium;
    int level;
    const wchar_t* verdict;
    COLORREF colour;
};

using VerdictColourTest = MainWindowTest;

TEST_F(VerdictColourTest, TheVerdictTakesTheColourOfItsLevel) {
    EXPECT_EQ(VerdictTextColour(), RGB(0x00, 0x80, 0x60)) << "the start-up prompt";
    const LevelCase cases[] = {
        {L"7.0", 3, L"重度高钾，立即处理并持续心电监护", RGB(0xBE, 0x1E, 0x2D)},
        {L"6.5", 3, L"重度高钾，立即处理并持续心电监护", RGB(0xBE, 0x1E, 0x2D)},
        {L"6.49", 2, L"中度高钾：立即做心电图，有改变按重度处理", RGB(0xD6, 0x6C, 0x00)},
        {L"5.5", 1, L"轻度高钾：做心电图，停用升钾药物，复查血钾", RGB(0xB0, 0x84, 0x00)},
        {L"5.4", 0, L"血钾未升高，无需降钾急救用药", RGB(0x00, 0x80, 0x60)},
    };
    for (const LevelCase& one : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(one.potassium)));
        ComputeWith(L"60", one.potassium);
        EXPECT_EQ(window().state.currentLevel, one.level);
        EXPECT_EQ(TextOf(window().verdictLine), one.verdict);
        EXPECT_EQ(VerdictTextColour(), one.colour);
    }
}

TEST_F(VerdictColourTest, LevelsTheRulesNeverGiveStillHaveAColour) {
    const std::pair<int, COLORREF> levels[] = {
        {1, RGB(0xB0, 0x84, 0x00)}, {0, RGB(0x00, 0x80, 0x60)},
        {4, RGB(0x00, 0x80, 0x60)}, {-1, RGB(0x00, 0x80, 0x60)},
    };
    for (const auto& [level, colour] : levels) {
        window().state.currentLevel = level;
        EXPECT_EQ(VerdictTextColour(), colour) << level;
    }
}

using CopyTest = MainWindowTest;

TEST_F(CopyTest, BeforeAnyResultCopyOnlyPromptsAndLeavesTheClipboardAlone) {
    PutSentinelOnClipboard(L"earlier clipboard text");
    MessageBoxWatcher watcher;
    Click(1003);
    ASSERT_EQ(watcher.boxes().size(), 1u);
    EXPECT_EQ(watcher.boxes()[0].text, kNoResult);
    EXPECT_EQ(watcher.boxes()[0].caption, L"提示");
    EXPECT_EQ(watcher.boxes()[0].owner, main());
    EXPECT_EQ(watcher.boxes()[0].icon, InformationIcon());
    EXPECT_EQ(ClipboardText(), L"earlier clipboard text");
    EXPECT_EQ(StatusLine(), kReady);
}

TEST_F(CopyTest, AfterAComputationTheClipboardHoldsTitleReportAndVerdict) {
    ComputeWith(L"60", L"6.8");
    MessageBoxWatcher watcher;
    Click(1003);
    EXPECT_TRUE(watcher.boxes().empty());
    EXPECT_EQ(ClipboardText(), L"Ordavel\r\n" + kDefaultReport + L"—— " + kSevere);
    EXPECT_EQ(StatusLine(), L"结果已复制到剪贴板");
}

TEST_F(CopyTest, ResetRestoresTheDefaultsAndForgetsTheResult) {
    ComputeWith(L"70", L"7.1");
    ASSERT_EQ(window().state.currentLevel, 3);
    Click(1004);
    EXPECT_EQ(TextOf(window().inputEdits[0]), L"60");
    EXPECT_EQ(TextOf(window().inputEdits[1]), L"6.8");
    EXPECT_EQ(TextOf(window().resultBox), L"");
    EXPECT_EQ(TextOf(window().verdictLine), kPrompt);
    EXPECT_EQ(VerdictTextColour(), RGB(0x00, 0x80, 0x60));
    EXPECT_EQ(StatusLine(), L"已恢复默认值");

    PutSentinelOnClipboard(L"kept");
    MessageBoxWatcher watcher;
    Click(1003);
    ASSERT_EQ(watcher.boxes().size(), 1u);
    EXPECT_EQ(watcher.boxes()[0].text, kNoResult);
    EXPECT_EQ(ClipboardText(), L"kept");
}

// Another program holds the clipboard open (as a remote session's
// clipboard sync does, briefly and often) while copy runs: a process of
// its own, started for the test, that opens it and waits to be told.
class ClipboardHolder {
public:
    ClipboardHolder() {
        const std::wstring tag = std::to_wstring(GetCurrentProcessId());
        const std::wstring openedName = L"ordavel-test-opened-" + tag;
        const std::wstring releaseName = L"ordavel-test-release-" + tag;
        opened_ = CreateEventW(nullptr, TRUE, FALSE, openedName.c_str());
        release_ = CreateEventW(nullptr, TRUE, FALSE, releaseName.c_str());
        std::wstring command = L"\"" + HelperPath(CLIPBOARD_HOLDER_PATH) + L"\" " + openedName +
                               L" " + releaseName;
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &process_)) {
            CloseHandle(process_.hThread);
            HANDLE either[] = {opened_, process_.hProcess};
            holding_ = WaitForMultipleObjects(2, either, FALSE, 20000) == WAIT_OBJECT_0;
        }
    }
    ~ClipboardHolder() {
        Release();
        if (process_.hProcess) {
            WaitForSingleObject(process_.hProcess, 20000);
            CloseHandle(process_.hProcess);
        }
        CloseHandle(opened_);
        CloseHandle(release_);
    }
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;

    bool holding() const { return holding_; }
    // The holder closes the clipboard and ends.
    void Release() { SetEvent(release_); }
    // The same, `milliseconds` from now, from another thread.
    std::thread ReleaseAfter(DWORD milliseconds) {
        return std::thread([this, milliseconds] {
            Sleep(milliseconds);
            Release();
        });
    }

private:
    HANDLE opened_ = nullptr;
    HANDLE release_ = nullptr;
    PROCESS_INFORMATION process_ = {};
    bool holding_ = false;
};

TEST_F(CopyTest, AClipboardHeldByAnotherProgramIsToldAndNothingSaysCopied) {
    PutSentinelOnClipboard(L"held elsewhere");
    ComputeWith(L"60", L"6.8");
    ClipboardHolder holder;
    ASSERT_TRUE(holder.holding());
    MessageBoxWatcher watcher;
    Click(1003);
    holder.Release();
    ASSERT_EQ(watcher.boxes().size(), 1u);
    EXPECT_EQ(watcher.boxes()[0].text, L"结果未能复制到剪贴板，请稍后重试。");
    EXPECT_EQ(watcher.boxes()[0].caption, L"复制失败");
    EXPECT_EQ(watcher.boxes()[0].owner, main());
    EXPECT_EQ(watcher.boxes()[0].icon, WarningIcon());
    EXPECT_EQ(StatusLine(), L"计算完成  Ordavel");
    EXPECT_EQ(ClipboardText(), L"held elsewhere");
}

// Let go 60 ms after copy began, well within the 200 ms it keeps trying.
TEST_F(CopyTest, AClipboardHeldBrieflyIsWaitedFor) {
    PutSentinelOnClipboard(L"held elsewhere");
    ComputeWith(L"60", L"6.8");
    ClipboardHolder holder;
    ASSERT_TRUE(holder.holding());
    MessageBoxWatcher watcher;
    std::thread releaser = holder.ReleaseAfter(60);
    Click(1003);
    releaser.join();
    EXPECT_TRUE(watcher.boxes().empty());
    EXPECT_EQ(StatusLine(), L"结果已复制到剪贴板");
    EXPECT_EQ(ClipboardText(), L"Ordavel\r\n" + kDefaultReport + L"—— " + kSevere);
}

using MessageBoxTest = MainWindowTest;

TEST_F(MessageBoxTest, AboutDescribesTheTool) {
    MessageBoxWatcher watcher;
    Click(1005);
    ASSERT_EQ(watcher.boxes().size(), 1u);
    const SeenMessageBox& box = watcher.boxes()[0];
    EXPECT_EQ(box.caption, L"关于本工具");
    EXPECT_EQ(box.owner, main());
    EXPECT_EQ(box.icon, InformationIcon());
    const std::wstring head =
        L"Ordavel\r\n"
        L"\r\n"
        L"分类：急诊\r\n"
        L"参考依据：UKKA 成人急性高钾血症指南（2023）；中国慢性肾脏病血钾管理专家共识（2020）；儿童：BNFc\r\n"
        L"\r\n"
        L"本工具为临床辅助计算/记录工具，结果不能替代医师诊疗判断，\r\n"
        L"具体用药与处置请结合患者实际情况及本院规范执行。\r\n"
        L"\r\n"
        L"版本 " ORDAVEL_VERSION_WIDE;
    EXPECT_EQ(box.text, head) << "the full version ends the text";
}

TEST_F(MessageBoxTest, ANumberWithTrailingTextIsRefusedAndTheFieldFocused) {
    SetInput(1, L"6.8kg");
    MessageBoxWatcher watcher;
    PostKey(window().inputEdits[0], VK_F5);
    ASSERT_EQ(watcher.boxes().size(), 1u);
    EXPECT_EQ(watcher.boxes()[0].text, L"第 2 项“血钾”请输入数字（如 6.8，不带单位）。");
    EXPECT_EQ(watcher.boxes()[0].caption, L"输入有误");
    EXPECT_EQ(watcher.boxes()[0].owner, main());
    EXPECT_EQ(watcher.boxes()[0].icon, WarningIcon());
    EXPECT_EQ(GetFocus(), window().inputEdits[1]);
    EXPECT_EQ(TextOf(window().resultBox), L"");
    EXPECT_EQ(TextOf(window().verdictLine), kPrompt);
    EXPECT_EQ(StatusLine(), kReady);
}

TEST_F(MessageBoxTest, AnInputErrorKeepsTheEarlierResult) {
    ComputeWith(L"60", L"6.8");
    SetInput(0, L"1e999");
    SetFocus(window().inputEdits[1]);
    MessageBoxWatcher watcher;
    PostKey(window().inputEdits[1], VK_RETURN);
    ASSERT_EQ(watcher.boxes().size(), 1u);
    EXPECT_EQ(watcher.boxes()[0].text, L"第 1 项“体重”请输入数字（如 6.8，不带单位）。");
    EXPECT_EQ(GetFocus(), window().inputEdits[0]);
    EXPECT_EQ(TextOf(window().resultBox), kDefaultReport);
    EXPECT_EQ(window().state.currentLevel, 3);
    EXPECT_EQ(StatusLine(), L"计算完成  Ordavel");
}

// Zero lies outside both usual ranges: each is confirmed (Y), and no input
// error is shown. A potassium of 0 is graded low.
TEST_F(MessageBoxTest, EmptyFieldsCountAsZeroOnceConfirmed) {
    TypeInto(0, L"");
    TypeInto(1, L"   ");
    MessageBoxWatcher watcher('Y');
    PostKey(window().inputEdits[0], VK_F5);
    ASSERT_EQ(watcher.boxes().size(), 2u);
    EXPECT_EQ(watcher.boxes()[0].text,
              L"第 1 项“体重”为 0 kg，超出常见范围 0.5–250 kg。\r\n仍按此数值计算吗？");
    EXPECT_EQ(watcher.boxes()[1].text,
              L"第 2 项“血钾”为 0 mmol/L，超出常见范围 1.5–12 mmol/L。\r\n仍按此数值计算吗？");
    EXPECT_EQ(TextOf(window().resultBox), L"血钾 <5.5 mmol/L：不计算降钾急救用药\r\n");
    EXPECT_EQ(window().state.currentLevel, 2);
    EXPECT_EQ(TextOf(window().verdictLine), L"血钾偏低，不宜使用胰岛素，请复核血钾");
}

using CommandRoutingTest = MainWindowTest;

TEST_F(CommandRoutingTest, OnlyTheLowWordOfTheCommandIsLookedAt) {
    ComputeWith(L"60", L"6.8");
    SendMessageW(main(), WM_COMMAND, MAKEWPARAM(1004, 0x1234), 0);
    EXPECT_EQ(StatusLine(), L"已恢复默认值");
}

TEST_F(CommandRoutingTest, EditNotificationsRunNothing) {
    SendMessageW(main(), WM_COMMAND, MAKEWPARAM(2000, EN_CHANGE),
                 reinterpret_cast<LPARAM>(window().inputEdits[0]));
    SendMessageW(main(), WM_COMMAND, MAKEWPARAM(3000, EN_SETFOCUS),
                 reinterpret_cast<LPARAM>(window().resultBox));
    SendMessageW(main(), WM_COMMAND, MAKEWPARAM(1000, 0), 0);
    SendMessageW(main(), WM_COMMAND, MAKEWPARAM(1006, 0), 0);
    EXPECT_EQ(StatusLine(), kReady);
    EXPECT_EQ(TextOf(window().resultBox), L"");
}

std::wstring RecordFilePath() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, folder))) return L"";
    return std::wstring(folder) + L"\\TarnMedSuite\\records\\T022.csv";
}

std::string FileBytes(const std::wstring& path) {
    std::string bytes;
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file) return bytes;
    char chunk[4096];
    size_t got = 0;
    while ((got = fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, got);
    fclose(file);
    return bytes;
}

using SaveTest = MainWindowTest;

TEST_F(SaveTest, BeforeAnyResultSaveOnlyPrompts) {
    const std::wstring path = RecordFilePath();
    DeleteFileW(path.c_str());
    MessageBoxWatcher watcher;
    Click(1002);
    ASSERT_EQ(watcher.boxes().size(), 1u);
    EXPECT_EQ(watcher.boxes()[0].text, L"请先点击“计算”生成结果，再保存记录。");
    EXPECT_EQ(watcher.boxes()[0].caption, L"提示");
    EXPECT_EQ(watcher.boxes()[0].icon, InformationIcon());
    EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(StatusLine(), kReady);
}

TEST_F(SaveTest, TheRecordIsAppendedUnderLocalApplicationData) {
    const std::wstring path = RecordFilePath();
    ASSERT_FALSE(path.empty());
    DeleteFileW(path.c_str());
    ComputeWith(L"60", L"6.8");

    MessageBoxWatcher watcher;
    Click(1002);
    Click(1002);
    ASSERT_EQ(watcher.boxes().size(), 2u);
    EXPECT_EQ(watcher.boxes()[0].text, L"本次结果已追加保存到本地记录（CSV，可用 Excel 打开）。");
    EXPECT_EQ(watcher.boxes()[0].caption, L"已保存");
    EXPECT_EQ(watcher.boxes()[0].owner, main());
    EXPECT_EQ(watcher.boxes()[0].icon, InformationIcon());
    EXPECT_EQ(StatusLine(), L"记录已保存：" + path);

    const std::string bytes = FileBytes(path);
    const std::string header = "\xEF\xBB\xBF时间,工具,体重,血钾,结果\r\n";
    ASSERT_EQ(bytes.substr(0, header.size()), header);
    // "YYYY-MM-DD hh:mm:ss" then the rest of the record; two records, one header.
    const std::string rest =
        ",Ordavel,体重=60,血钾=6.8,10% 葡萄糖酸钙：20.0 ml\r\n胰岛素：6.0 U\r\n"
        "葡萄糖：30.0 g\r\n50% 葡萄糖：60.0 ml\r\n\r\n";
    const size_t record = 19 + rest.size();
    ASSERT_EQ(bytes.size(), header.size() + 2 * record);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(bytes.substr(header.size() + i * record + 19, rest.size()), rest) << i;
    }
    DeleteFileW(path.c_str());
}

}  // namespace
}  // namespace tarn::win32::testing
