// What a screen reader meets in the real window: after a computation the
// focus on the result box, named by the verdict before it, and the Tab
// stops around it; each field named by the label before it and described
// by its unit; the verdict and the status line as live regions that tell
// each change; and Ctrl+A in a field.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/ui/win32/window_fixture.h"

namespace tarn::win32::testing {
namespace {

const std::wstring kSevere = L"重度高钾，立即处理并持续心电监护";

using ScreenReaderTest = MainWindowTest;

// Windows names an edit after the static just before it in the Z-order.
TEST_F(ScreenReaderTest, EachFieldFollowsItsLabelAndTheResultBoxFollowsTheVerdict) {
    const std::pair<int, const wchar_t*> fields[] = {{0, L"体重"}, {1, L"血钾"}};
    for (const auto& [row, label] : fields) {
        HWND before = GetWindow(window().inputEdits[row], GW_HWNDPREV);
        EXPECT_EQ(ClassOf(before), L"Static");
        EXPECT_EQ(TextOf(before), label);
    }
    EXPECT_EQ(GetWindow(window().resultBox, GW_HWNDPREV), window().verdictLine);
    const LONG style = GetWindowLongW(window().resultBox, GWL_STYLE);
    EXPECT_EQ(ClassOf(window().resultBox), L"Edit");
    EXPECT_EQ(style & (ES_READONLY | WS_TABSTOP | ES_MULTILINE),
              ES_READONLY | WS_TABSTOP | ES_MULTILINE);
}

TEST_F(ScreenReaderTest, AfterAComputationTheResultHasTheFocusAndTabGoesOnFromIt) {
    ComputeWith(L"60", L"6.8");
    ASSERT_EQ(TextOf(window().verdictLine), kSevere);
    EXPECT_EQ(GetFocus(), window().resultBox);
    PostKey(GetFocus(), VK_TAB);
    EXPECT_EQ(GetFocus(), window().inputEdits[0]) << "Tab from the result: the weight";
    EXPECT_TRUE(WholeTextSelected(window().inputEdits[0]));

    SetFocus(window().resultBox);
    {
        const KeysHeld shift({VK_SHIFT});
        PostKey(GetFocus(), VK_TAB);
    }
    EXPECT_EQ(GetFocus(), button(1005)) << "Shift+Tab from the result: 关于";
    PostKey(GetFocus(), VK_TAB);
    EXPECT_EQ(GetFocus(), window().resultBox) << "the result is the last stop";
    EXPECT_EQ(window().state.currentLevel, 3) << "moving the focus keeps the result";
}

TEST_F(ScreenReaderTest, TypingOnTheResultChangesNothing) {
    ComputeWith(L"60", L"6.8");
    ASSERT_EQ(GetFocus(), window().resultBox);
    const std::wstring report = TextOf(window().resultBox);
    Type(L"12");
    PostKey(GetFocus(), VK_BACK);
    PostKey(GetFocus(), VK_DELETE);
    PostMessageW(GetFocus(), WM_CHAR, VK_BACK, 1);
    SendMessageW(GetFocus(), WM_PASTE, 0, 0);
    Pump();
    EXPECT_EQ(TextOf(window().resultBox), report);
    EXPECT_EQ(TextOf(window().verdictLine), kSevere);
    EXPECT_EQ(StatusLine(), L"计算完成  Ordavel");
}

// Where Wine's oleacc answers, the names are those a screen reader says.
TEST_F(ScreenReaderTest, TheAccessibleNamesAreTheLabelsAndTheVerdict) {
    const auto nameOf = [](HWND control) {
        IAccessible* accessible = nullptr;
        std::wstring name = L"<no IAccessible>";
        if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                              __uuidof(IAccessible),
                                              reinterpret_cast<void**>(&accessible)))) {
            return name;
        }
        VARIANT self = {};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR text = nullptr;
        name = SUCCEEDED(accessible->get_accName(self, &text)) && text ? text : L"<no name>";
        SysFreeString(text);
        accessible->Release();
        return name;
    };
    ComputeWith(L"60", L"6.8");
    EXPECT_EQ(nameOf(window().inputEdits[0]), L"体重");
    EXPECT_EQ(nameOf(window().inputEdits[1]), L"血钾");
    EXPECT_EQ(nameOf(window().resultBox), kSevere);
    EXPECT_EQ(nameOf(window().statusLine), L"计算完成  Ordavel");
}

TEST_F(ScreenReaderTest, CtrlASelectsTheWholeTextOfAFieldAndOfTheResult) {
    SendMessageW(window().inputEdits[1], EM_SETSEL, 1, 1);
    SetFocus(window().inputEdits[1]);
    {
        const KeysHeld control({VK_CONTROL});
        PostKey(GetFocus(), 'A');
    }
    EXPECT_TRUE(WholeTextSelected(window().inputEdits[1]));
    EXPECT_FALSE(SawMessage(WM_CHAR)) << "the key makes no character";
    EXPECT_EQ(TextOf(window().inputEdits[1]), L"6.8");

    ComputeWith(L"60", L"6.8");
    ASSERT_EQ(GetFocus(), window().resultBox);
    SendMessageW(window().resultBox, EM_SETSEL, 0, 0);
    {
        const KeysHeld control({VK_CONTROL});
        PostKey(GetFocus(), 'A');
    }
    EXPECT_TRUE(WholeTextSelected(window().resultBox));

    // Ctrl+Alt is AltGr on many keyboards: no select-all there.
    SendMessageW(window().inputEdits[0], EM_SETSEL, 1, 1);
    SetFocus(window().inputEdits[0]);
    {
        const KeysHeld altGr({VK_CONTROL, VK_MENU});
        PostKey(GetFocus(), 'A');
    }
    EXPECT_EQ(Selection(window().inputEdits[0]), std::make_pair(DWORD{1}, DWORD{1}));
}

// What the window annotated, in order: "live", "description <text>" or
// "clear", each with its control.
std::vector<std::pair<HWND, std::wstring>> gAnnotations;

const AccessibleProperties kRecorder = {
    [](HWND control) { gAnnotations.emplace_back(control, L"live"); },
    [](HWND control, const wchar_t* text) {
        gAnnotations.emplace_back(control, std::wstring(L"description ") + text);
    },
    [](HWND control) { gAnnotations.emplace_back(control, L"clear"); },
};

class AnnotationTest : public MainWindowTest {
protected:
    void SetUp() override {
        gAnnotations.clear();
        ASSERT_NE(CreateMainWindow(GetModuleHandleW(nullptr), CurrentTool(), kSystemParameters,
                                   kRecorder),
                  nullptr);
        Pump();
    }
};

TEST_F(AnnotationTest, FieldsAreDescribedByTheirUnitsTheVerdictAndStatusAreLive) {
    const std::vector<std::pair<HWND, std::wstring>> expected = {
        {window().inputEdits[0], L"description kg"},
        {window().inputEdits[1], L"description mmol/L"},
        {window().verdictLine, L"live"},
        {window().statusLine, L"live"},
    };
    EXPECT_EQ(gAnnotations, expected);

    gAnnotations.clear();
    const std::vector<HWND> annotated = {window().inputEdits[0], window().inputEdits[1],
                                         window().verdictLine, window().statusLine};
    DestroyWindow(main());
    for (HWND control : annotated) {
        int cleared = 0;
        for (const auto& [where, what] : gAnnotations) cleared += where == control && what == L"clear";
        EXPECT_EQ(cleared, 1) << "annotations left on a destroyed control";
    }
}

// EVENT_OBJECT_LIVEREGIONCHANGED as a screen reader's hook receives it.
std::vector<HWND> gLiveChanges;

void CALLBACK OnLiveRegionChanged(HWINEVENTHOOK, DWORD event, HWND control, LONG object,
                                  LONG child, DWORD, DWORD) {
    if (event == EVENT_OBJECT_LIVEREGIONCHANGED && object == OBJID_CLIENT &&
        child == CHILDID_SELF) {
        gLiveChanges.push_back(control);
    }
}

class LiveRegionTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        hook_ = SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED,
                                nullptr, OnLiveRegionChanged, GetCurrentProcessId(), 0,
                                WINEVENT_OUTOFCONTEXT);
        ASSERT_NE(hook_, nullptr);
        gLiveChanges.clear();
    }
    void TearDown() override {
        UnhookWinEvent(hook_);
        MainWindowTest::TearDown();
    }
    // The changes told since the last call.
    std::vector<HWND> Told() {
        Pump();
        std::vector<HWND> told;
        told.swap(gLiveChanges);
        return told;
    }
    HWINEVENTHOOK hook_ = nullptr;
};

TEST_F(LiveRegionTest, EachChangeOfTheVerdictOrTheStatusIsToldOnce) {
    ComputeWith(L"60", L"6.8");
    EXPECT_EQ(Told(), (std::vector<HWND>{window().verdictLine, window().statusLine}));
    EXPECT_EQ(TextOf(window().statusLine), L"计算完成  Ordavel");

    PostKey(window().resultBox, VK_RETURN);  // the same result again
    EXPECT_EQ(Told(), std::vector<HWND>{}) << "nothing changed, nothing is told";

    Click(1003);
    EXPECT_EQ(Told(), std::vector<HWND>{window().statusLine});
    EXPECT_EQ(TextOf(window().statusLine), L"结果已复制到剪贴板");

    TypeInto(1, L"5");
    EXPECT_EQ(Told(), (std::vector<HWND>{window().verdictLine, window().statusLine}));
    EXPECT_EQ(TextOf(window().verdictLine), L"填写左侧参数，点击“计算”");
    EXPECT_EQ(TextOf(window().statusLine), L"参数已修改，请重新计算");
}

}  // namespace
}  // namespace tarn::win32::testing
