// Tab and Shift+Tab, Space and reset through the real window: the keys go
// through the loop's per-message function as the user's would.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/win32/window_fixture.h"

namespace tarn::win32::testing {
namespace {

std::pair<DWORD, DWORD> Selection(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

bool WholeTextSelected(HWND edit) {
    const std::pair<DWORD, DWORD> selection = Selection(edit);
    return selection.first == 0 && selection.second == TextOf(edit).size() &&
           selection.second > 0;
}

// Shift held in this thread's key state while it lives, as GetKeyState sees it.
class ShiftHeld {
public:
    ShiftHeld() {
        GetKeyboardState(saved_);
        BYTE held[256];
        GetKeyboardState(held);
        held[VK_SHIFT] = 0x80;
        SetKeyboardState(held);
    }
    ~ShiftHeld() { SetKeyboardState(saved_); }
    ShiftHeld(const ShiftHeld&) = delete;
    ShiftHeld& operator=(const ShiftHeld&) = delete;

private:
    BYTE saved_[256] = {};
};

class KeysTest : public MainWindowTest {
protected:
    void Tab() { PostKey(GetFocus(), VK_TAB); }
    void ShiftTab() {
        const ShiftHeld shift;
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

TEST_F(KeysTest, FromTheMainWindowTabStartsAtTheWeightAndShiftTabAtAbout) {
    PostKey(window().inputEdits[0], VK_F5);
    ASSERT_EQ(GetFocus(), main());
    Tab();
    EXPECT_EQ(GetFocus(), window().inputEdits[0]);
    EXPECT_TRUE(WholeTextSelected(window().inputEdits[0]));
    SetFocus(main());
    ShiftTab();
    EXPECT_EQ(GetFocus(), button(1005));
    EXPECT_EQ(window().state.currentLevel, 3) << "moving the focus keeps the result";
}

TEST_F(KeysTest, SpaceOnAFocusedButtonPressesIt) {
    PostKey(window().inputEdits[0], VK_F5);
    SetFocus(button(1004));  // reset
    PostKey(button(1004), VK_SPACE);
    PostMessageW(button(1004), WM_KEYUP, VK_SPACE, static_cast<LPARAM>(1 | (3u << 30)));
    Pump();
    EXPECT_EQ(StatusLine(), L"已恢复默认值");
    EXPECT_EQ(window().state.currentLevel, 0);
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
