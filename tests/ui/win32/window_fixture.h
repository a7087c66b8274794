// The real main window for in-process tests: created without the message
// loop, driven through the loop's per-message function, with real message
// boxes read and dismissed from a thread timer inside their modal loops.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/descriptor.h"
#include "ui/win32/main_window.h"

namespace tarn::win32::testing {

// A file of the build, by its path as Wine sees it.
std::wstring HelperPath(const char* path);
// ordavel.exe, by its path as Wine sees it.
std::wstring ProgramPath();

std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);
RECT ClientRectInParent(HWND child);
std::wstring StatusLine();
// The colour the window's control-colour hook gives the verdict line's text.
COLORREF VerdictTextColour();
// An edit's selection, start and end.
std::pair<DWORD, DWORD> Selection(HWND edit);
// The edit's whole text, not empty, is selected.
bool WholeTextSelected(HWND edit);
// The Unicode text on the clipboard.
std::wstring ClipboardText();

// Keys held in this thread's key state while it lives, as GetKeyState sees them.
class KeysHeld {
public:
    explicit KeysHeld(std::vector<int> keys) {
        GetKeyboardState(saved_);
        BYTE held[256];
        GetKeyboardState(held);
        for (int key : keys) held[key] = 0x80;
        SetKeyboardState(held);
    }
    ~KeysHeld() { SetKeyboardState(saved_); }
    KeysHeld(const KeysHeld&) = delete;
    KeysHeld& operator=(const KeysHeld&) = delete;

private:
    BYTE saved_[256] = {};
};

// Sets the work area for one scope, as a taskbar would, and puts the old one back.
class WorkArea {
public:
    explicit WorkArea(RECT area) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &previous_, 0);
        set_ = SystemParametersInfoW(SPI_SETWORKAREA, 0, &area, 0) != FALSE;
    }
    ~WorkArea() { SystemParametersInfoW(SPI_SETWORKAREA, 0, &previous_, 0); }
    WorkArea(const WorkArea&) = delete;
    WorkArea& operator=(const WorkArea&) = delete;
    bool set() const { return set_; }

private:
    RECT previous_ = {};
    bool set_ = false;
};

struct SeenMessageBox {
    std::wstring text;
    std::wstring caption;
    HWND owner = nullptr;
    HICON icon = nullptr;
    std::vector<std::wstring> buttons;  // captions, in z-order
    int defaultButton = 0;              // id of the BS_DEFPUSHBUTTON
};

// While alive, every message box of this thread is recorded and closed
// with IDOK, or answered with a key press (such as 'Y', 'N', VK_RETURN)
// on the box's focused button, as a person at the keyboard would.
class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(WPARAM answerKey = 0);
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    const std::vector<SeenMessageBox>& boxes() const { return boxes_; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK OnThreadWindow(HWND window, LPARAM);

    static MessageBoxWatcher* current_;
    UINT_PTR timer_ = 0;
    HWND lastClosed_ = nullptr;
    WPARAM answerKey_ = 0;
    std::vector<SeenMessageBox> boxes_;
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs every queued message through the loop's per-message function
    // and records which messages went by.
    void Pump();
    void PostKey(HWND target, WPARAM key);
    // Puts a text into an input as the program does (no edit of the user's).
    void SetInput(int32_t row, const wchar_t* text);
    // Types into the focused control, one character message each.
    void Type(const wchar_t* text);
    // Types over the whole text of an input, as the user does (an empty
    // text erases it): the field counts as entered.
    void TypeInto(int32_t row, const wchar_t* text);
    void Click(int32_t buttonId);
    // Both values typed in, compute by F5 in the first edit.
    void ComputeWith(const wchar_t* weight, const wchar_t* potassium);
    // Destroys the window and creates it anew, as at start-up.
    void Reopen();

    bool SawMessage(UINT message) const;

    MainWindow& window() { return Window(); }
    HWND main() { return Window().window; }
    HWND button(int32_t id) { return Window().buttons[id - 1001]; }

    std::vector<MSG> seen_;
};

}  // namespace tarn::win32::testing
