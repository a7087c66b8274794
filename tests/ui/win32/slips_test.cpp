// A busy user's slips through the real window: typing over the start-up
// default, editing after a computation, values outside their usual range.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/ui/win32/window_fixture.h"

namespace tarn::win32::testing {
namespace {

const std::wstring kPrompt = L"填写左侧参数，点击“计算”";
const std::wstring kStale = L"参数已修改，请重新计算";
const std::wstring kConfirmCaption = L"请确认输入";
const std::wstring kWeight760 =
    L"第 1 项“体重”为 760 kg，超出常见范围 0.5–250 kg。\r\n仍按此数值计算吗？";

bool Contains(const std::wstring& text, const std::wstring& part) {
    return text.find(part) != std::wstring::npos;
}

using SlipsTest = MainWindowTest;

TEST_F(SlipsTest, AtStartUpTheFirstFieldIsFocusedWithItsTextSelected) {
    EXPECT_EQ(GetFocus(), window().inputEdits[0]);
    EXPECT_EQ(Selection(window().inputEdits[0]), std::make_pair(DWORD{0}, DWORD{2}));
}

// The potassium still holds its default: it is asked about, and taken.
TEST_F(SlipsTest, TypingAtStartUpReplacesTheDefault) {
    Type(L"70");
    EXPECT_EQ(TextOf(window().inputEdits[0]), L"70");
    MessageBoxWatcher watcher('Y');
    PostKey(GetFocus(), VK_F5);
    ASSERT_EQ(watcher.boxes().size(), 1u);
    EXPECT_EQ(watcher.boxes()[0].text, L"“血钾”仍是预填的 6.8 mmol/L，尚未输入。按 6.8 计算吗？");
    EXPECT_EQ(window().state.lastInputs[0], 70.0);
    EXPECT_TRUE(Contains(TextOf(window().resultBox), L"胰岛素：7.0 U")) << TextOf(window().resultBox);
}

TEST_F(SlipsTest, AnEditAfterAComputationDropsTheResult) {
    ComputeWith(L"60", L"6.8");
    ASSERT_EQ(window().state.currentLevel, 3);
    SetFocus(window().inputEdits[1]);
    SendMessageW(window().inputEdits[1], EM_SETSEL, 3, 3);
    Type(L"1");
    EXPECT_EQ(TextOf(window().inputEdits[1]), L"6.81");
    EXPECT_EQ(TextOf(window().resultBox), L"");
    EXPECT_EQ(TextOf(window().verdictLine), kPrompt);
    EXPECT_EQ(VerdictTextColour(), RGB(0x00, 0x80, 0x60));
    EXPECT_EQ(window().state.currentLevel, 0);
    EXPECT_EQ(StatusLine(), kStale);
    EXPECT_EQ(GetFocus(), window().inputEdits[1]) << "the focus stays where the user typed";
    EXPECT_EQ(window().state.lastInputs[1], 6.8) << "the last inputs stay";

    MessageBoxWatcher watcher;
    Click(1003);
    Click(1002);
    ASSERT_EQ(watcher.boxes().size(), 2u);
    EXPECT_EQ(watcher.boxes()[0].text, L"请先点击“计算”生成结果。");
    EXPECT_EQ(watcher.boxes()[1].text, L"请先点击“计算”生成结果，再保存记录。");
}

TEST_F(SlipsTest, TextsTheProgramSetsAreNoEdits) {
    ComputeWith(L"60", L"6.8");
    SetInput(0, L"70");
    EXPECT_EQ(window().state.currentLevel, 3);
    EXPECT_FALSE(TextOf(window().resultBox).empty());
    EXPECT_EQ(StatusLine(), L"计算完成  Ordavel");
    Click(1004);  // reset sets every field
    EXPECT_EQ(StatusLine(), L"已恢复默认值");
}

TEST_F(SlipsTest, AnUnusualWeightIsAskedAboutWithNoTheDefault) {
    ComputeWith(L"60", L"6.8");
    const std::wstring report = TextOf(window().resultBox);
    SetInput(0, L"760");
    for (WPARAM key : {WPARAM{'N'}, WPARAM{VK_RETURN}}) {
        SCOPED_TRACE(key);
        MessageBoxWatcher watcher(key);
        PostKey(window().inputEdits[1], VK_F5);
        ASSERT_EQ(watcher.boxes().size(), 1u);
        const SeenMessageBox& box = watcher.boxes()[0];
        EXPECT_EQ(box.caption, kConfirmCaption);
        EXPECT_EQ(box.text, kWeight760);
        EXPECT_EQ(box.owner, main());
        EXPECT_EQ(box.icon, LoadIconW(nullptr, IDI_WARNING));
        EXPECT_EQ(box.buttons.size(), 2u);
        EXPECT_EQ(box.defaultButton, IDNO);
        // Nothing changed; the field is ready to be typed over.
        EXPECT_EQ(GetFocus(), window().inputEdits[0]);
        EXPECT_EQ(Selection(window().inputEdits[0]), std::make_pair(DWORD{0}, DWORD{3}));
        EXPECT_EQ(TextOf(window().resultBox), report);
        EXPECT_EQ(window().state.currentLevel, 3);
        EXPECT_EQ(window().state.lastInputs[0], 60.0);
        EXPECT_EQ(StatusLine(), L"计算完成  Ordavel");
    }
    MessageBoxWatcher watcher('Y');
    PostKey(window().inputEdits[0], VK_F5);
    ASSERT_EQ(watcher.boxes().size(), 1u);
    EXPECT_EQ(window().state.lastInputs[0], 760.0);
    EXPECT_TRUE(Contains(TextOf(window().resultBox), L"胰岛素：10.0 U"));
    EXPECT_EQ(GetFocus(), window().resultBox);
}

TEST_F(SlipsTest, UsualValuesAskNothing) {
    TypeInto(0, L"60");
    TypeInto(1, L"6.8");
    MessageBoxWatcher watcher;
    PostKey(window().inputEdits[0], VK_F5);
    EXPECT_TRUE(watcher.boxes().empty());
    EXPECT_EQ(window().state.currentLevel, 3);
}

// Under Wine the spare bytes of the clipboard block reached X clients: the
// block holds the text and zeros only.
// Untouched, both defaults are asked about in turn, No the default; a Yes
// to each computes with them.
TEST_F(SlipsTest, UntouchedDefaultsAreAskedAboutWeightFirst) {
    {
        MessageBoxWatcher watcher(VK_RETURN);
        PostKey(window().inputEdits[1], VK_F5);
        ASSERT_EQ(watcher.boxes().size(), 1u);
        EXPECT_EQ(watcher.boxes()[0].text, L"“体重”仍是预填的 60 kg，尚未输入。按 60 计算吗？");
        EXPECT_EQ(watcher.boxes()[0].caption, kConfirmCaption);
        EXPECT_EQ(watcher.boxes()[0].defaultButton, IDNO);
        EXPECT_EQ(GetFocus(), window().inputEdits[0]);
        EXPECT_EQ(Selection(window().inputEdits[0]), std::make_pair(DWORD{0}, DWORD{2}));
        EXPECT_EQ(TextOf(window().resultBox), L"");
    }
    MessageBoxWatcher watcher('Y');
    PostKey(window().inputEdits[0], VK_F5);
    ASSERT_EQ(watcher.boxes().size(), 2u);
    EXPECT_EQ(watcher.boxes()[0].text, L"“体重”仍是预填的 60 kg，尚未输入。按 60 计算吗？");
    EXPECT_EQ(watcher.boxes()[1].text,
              L"“血钾”仍是预填的 6.8 mmol/L，尚未输入。按 6.8 计算吗？");
    EXPECT_EQ(watcher.boxes()[1].defaultButton, IDNO);
    EXPECT_EQ(window().state.currentLevel, 3);
    EXPECT_EQ(GetFocus(), window().resultBox);
}

TEST_F(SlipsTest, TheClipboardBlockHoldsTheTextAndZerosOnly) {
    ComputeWith(L"60", L"6.8");
    // Blocks of every size near the clipboard's, filled and given back, so
    // that a block that is not zero-filled shows what it held before.
    std::vector<HGLOBAL> used;
    for (SIZE_T size = 64; size <= 1024; size += 2) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
        if (!block) continue;
        memset(GlobalLock(block), 0xAB, size);
        GlobalUnlock(block);
        used.push_back(block);
    }
    for (HGLOBAL block : used) GlobalFree(block);
    Click(1003);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(data, nullptr);
    const SIZE_T size = GlobalSize(data);
    const auto* bytes = static_cast<const unsigned char*>(GlobalLock(data));
    ASSERT_NE(bytes, nullptr);
    const std::wstring text(reinterpret_cast<const wchar_t*>(bytes));
    size_t stray = 0;
    for (SIZE_T i = (text.size() + 1) * sizeof(wchar_t); i < size; ++i) stray += bytes[i] != 0;
    GlobalUnlock(data);
    CloseClipboard();
    const std::wstring verdict = L"—— 重度高钾，立即处理并持续心电监护";
    ASSERT_GT(text.size(), verdict.size());
    EXPECT_EQ(text.substr(0, 9), L"Ordavel\r\n");
    EXPECT_EQ(text.substr(text.size() - verdict.size()), verdict);
    EXPECT_EQ(stray, 0u) << "of " << size << " bytes";
}

}  // namespace
}  // namespace tarn::win32::testing
