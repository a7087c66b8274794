// Tab and Shift+Tab, Space and reset through the real window: the keys go
// through the loop's per-message function as the user's would.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>

#include <string>
#include <vector>

#include "tests/ui/win32/window_fixture.h"

namespace tarn::win32::testing {
namespace {

class KeysTest : public MainWindowTest {
protected:
    void Tab() { PostKey(GetFocus(), VK_TAB); }
    void ShiftTab() {
        const KeysHeld shift({VK_SHIFT});
        PostKey(GetFocus(), VK_TAB);
    }
    std::vector<HWND> Stops() {
        return {window().inputEdits[1], button(1001), button(1002), button(1003),
                button(1004),           button(1005), window().inputEdits[0]};
    }
};

TEST_F(KeysTest, TabWalksTheFieldsThenTheButtonsAndWraps) {
    for (HWND stop : Stops()) {
        Tab();
        EXPECT_EQ(GetFocus(), stop);
    }
    EXPECT_TRUE(WholeTextSelected(window().inputEdits[0])) << "entered by Tab";
    EXPECT_FALSE(SawMessage(WM_CHAR)) << "Tab is neither translated nor typed";
    EXPECT_EQ(TextOf(window().inputEdits[0]), L"60");
    EXPECT_EQ(TextOf(window().inputEdits[1]), L"6.8");
}

TEST_F(KeysTest, ShiftTabWalksBack) {
    const std::vector<HWND> stops = Stops();
    for (auto stop = stops.rbegin() + 1; stop != stops.rend(); ++stop) {
        ShiftTab();
        if (*stop == window().inputEdits[0]) continue;  // the first step is from it
        EXPECT_EQ(GetFocus(), *stop);
    }
    ASSERT_EQ(GetFocus(), window().inputEdits[1]);
    EXPECT_TRUE(WholeTextSelected(window().inputEdits[1]));
    ShiftTab();
    ShiftTab();
    EXPECT_EQ(GetFocus(), button(1005)) << "Shift+Tab from the weight wraps to 关于";
}

TEST_F(KeysTest, FromTheMainWindowTabStartsAtTheWeightAndShiftTabAtTheLastStop) {
    ComputeWith(L"60", L"6.8");
    SetFocus(main());
    Tab();
    EXPECT_EQ(GetFocus(), window().inputEdits[0]);
    EXPECT_TRUE(WholeTextSelected(window().inputEdits[0]));
    SetFocus(main());
    ShiftTab();
    EXPECT_EQ(GetFocus(), window().resultBox) << "the last stop: the result, while one is shown";
    EXPECT_EQ(window().state.currentLevel, 3) << "moving the focus keeps the result";
}

TEST_F(KeysTest, SpaceOnAFocusedButtonPressesIt) {
    ComputeWith(L"60", L"6.8");
    SetFocus(button(1004));  // reset
    PostKey(button(1004), VK_SPACE);
    PostMessageW(button(1004), WM_KEYUP, VK_SPACE, static_cast<LPARAM>(1 | (3u << 30)));
    Pump();
    EXPECT_EQ(StatusLine(), L"已恢复默认值");
    EXPECT_EQ(window().state.currentLevel, 0);
}

std::wstring RecordFilePath() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, folder))) return L"";
    return std::wstring(folder) + L"\\TarnMedSuite\\records\\T022.csv";
}

long FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return static_cast<long>(data.nFileSizeLow);
}

// Enter on a focused button presses it, as Space does: each button runs
// its own command, and none computes in its place.
TEST_F(KeysTest, EnterPressesTheFocusedButton) {
    const auto enterOn = [&](int id) {
        SetFocus(button(id));
        PostKey(button(id), VK_RETURN);
    };
    const std::wstring records = RecordFilePath();
    ASSERT_FALSE(records.empty());
    DeleteFileW(records.c_str());

    // 计算 computes what was typed.
    TypeInto(0, L"70");
    TypeInto(1, L"7.1");
    enterOn(1001);
    EXPECT_EQ(window().state.lastInputs[0], 70.0);
    EXPECT_EQ(window().state.currentLevel, 3);
    EXPECT_EQ(GetFocus(), window().resultBox);

    // 复制结果 copies it.
    enterOn(1003);
    EXPECT_EQ(ClipboardText().substr(0, 9), L"Ordavel\r\n");
    EXPECT_EQ(StatusLine(), L"结果已复制到剪贴板");

    // 保存记录 saves it, and asks nothing.
    {
        MessageBoxWatcher watcher;
        enterOn(1002);
        ASSERT_EQ(watcher.boxes().size(), 1u);
        EXPECT_EQ(watcher.boxes()[0].caption, L"已保存");
    }
    EXPECT_GT(FileSize(records), 0);

    // 关于 shows the about box.
    {
        MessageBoxWatcher watcher;
        enterOn(1005);
        ASSERT_EQ(watcher.boxes().size(), 1u);
        EXPECT_EQ(watcher.boxes()[0].caption, L"关于本工具");
    }

    // 清空重填 restores the defaults.
    enterOn(1004);
    EXPECT_EQ(StatusLine(), L"已恢复默认值");
    EXPECT_EQ(TextOf(window().resultBox), L"");
    EXPECT_EQ(GetFocus(), window().inputEdits[0]);
    DeleteFileW(records.c_str());
}

// The slip the old Enter made: a new value typed, Tab to 保存记录, Enter.
// Save has no result to save and says so; nothing is computed.
TEST_F(KeysTest, EnterOnSaveAfterAnEditSavesNothingAndComputesNothing) {
    const std::wstring records = RecordFilePath();
    DeleteFileW(records.c_str());
    ComputeWith(L"60", L"6.8");
    TypeInto(1, L"7.5");
    Tab();
    Tab();
    ASSERT_EQ(GetFocus(), button(1002));
    MessageBoxWatcher watcher;
    PostKey(GetFocus(), VK_RETURN);
    ASSERT_EQ(watcher.boxes().size(), 1u);
    EXPECT_EQ(watcher.boxes()[0].text, L"请先点击“计算”生成结果，再保存记录。");
    EXPECT_EQ(TextOf(window().resultBox), L"");
    EXPECT_EQ(window().state.lastInputs[1], 6.8) << "no computation with 7.5";
    EXPECT_EQ(FileSize(records), -1);
}

TEST_F(KeysTest, TheKeyboardTurnsTheFocusRectangleOnAndAPressOff) {
    EXPECT_FALSE(window().state.focusCues) << "not at start-up";
    Tab();
    Tab();
    ASSERT_EQ(GetFocus(), button(1001));
    EXPECT_TRUE(window().state.focusCues);
    PostMessageW(button(1003), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageW(button(1003), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    {
        const MessageBoxWatcher watcher;  // copy with no result: a prompt
        Pump();
    }
    EXPECT_FALSE(window().state.focusCues);
    ShiftTab();
    EXPECT_TRUE(window().state.focusCues);
}

TEST_F(KeysTest, CtrlTabMovesNothing) {
    BYTE saved[256];
    GetKeyboardState(saved);
    BYTE held[256];
    GetKeyboardState(held);
    held[VK_CONTROL] = 0x80;
    SetKeyboardState(held);
    Tab();
    SetKeyboardState(saved);
    EXPECT_EQ(GetFocus(), window().inputEdits[0]);
}

}  // namespace
}  // namespace tarn::win32::testing
