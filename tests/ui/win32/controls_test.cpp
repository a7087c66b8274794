// The control tree of the real main window: classes, styles, ids, boxes,
// texts and fonts, and the window itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/rectangle_text.h"
#include "tests/ui/win32/window_fixture.h"
#include "ui/win32/gdi.h"

namespace tarn::win32::testing {
namespace {

struct ExpectedControl {
    const wchar_t* className;
    LONG exStyle;
    LONG style;
    RECT box;  // client pixels of the main window
    int id;
    const wchar_t* text;
    int fontHeight;  // 0: no font set
    int fontWeight;
    const wchar_t* face;
};

// Every static that shows data has SS_NOPREFIX (0x80): an "&" in it is shown.
// The status line draws itself (SS_OWNERDRAW, 0x0D) and gets no font.
const ExpectedControl kExpected[] = {
    {L"Static", 0, 0x50000082, {24, 151, 208, 173}, 0, L"体重", 14, 400, L"Microsoft YaHei UI"},
    {L"Edit", WS_EX_CLIENTEDGE, 0x50010080, {216, 146, 368, 173}, 2000, L"60", 15, 400,
     L"Microsoft YaHei UI"},
    {L"Static", 0, 0x50000080, {374, 150, 452, 172}, 0, L"kg", 12, 400, L"Microsoft YaHei UI"},
    {L"Static", 0, 0x50000082, {24, 185, 208, 207}, 0, L"血钾", 14, 400, L"Microsoft YaHei UI"},
    {L"Edit", WS_EX_CLIENTEDGE, 0x50010080, {216, 180, 368, 207}, 2001, L"6.8", 15, 400,
     L"Microsoft YaHei UI"},
    {L"Static", 0, 0x50000080, {374, 184, 452, 206}, 0, L"mmol/L", 12, 400,
     L"Microsoft YaHei UI"},
    {L"Static", 0, 0x50000080, {492, 142, 984, 188}, 0, L"填写左侧参数，点击“计算”", 21, 700,
     L"Microsoft YaHei UI"},
    {L"Edit", WS_EX_CLIENTEDGE, 0x50210844, {492, 196, 984, 428}, 3000, L"", 15, 400,
     L"Consolas"},
    {L"Static", 0, 0x50000080, {492, 444, 984, 564}, 0,
     L"① 先做 12 导联心电图；有高钾改变即缓慢静推钙剂（5–10 分钟），仍有改变可重复。"
     L"② 用胰岛素前测血糖，用后每小时复测，至少 6 小时；成人用前血糖 <7 mmol/L 者另予 10% 葡萄糖 50 ml/h，共 5 小时。"
     L"③ 体重 <40 kg：用 10% 葡萄糖，胰岛素须稀释后抽取；本工具不适用于新生儿。"
     L"④ 同时排钾（利尿、钾结合剂、透析）。", 12, 400,
     L"Microsoft YaHei UI"},
    {L"Static", 0, 0x50000080, {492, 576, 984, 632}, 0,
     L"参考依据：UKKA 成人急性高钾血症指南（2023）；中国慢性肾脏病血钾管理专家共识（2020）；儿童：BNFc", 12, 400,
     L"Microsoft YaHei UI"},
    {L"Button", 0, 0x5001000B, {20, 668, 172, 708}, 1001, L"计算 (F5)", 0, 0, nullptr},
    {L"Button", 0, 0x5001000B, {184, 668, 316, 708}, 1002, L"保存记录", 0, 0, nullptr},
    {L"Button", 0, 0x5001000B, {328, 668, 460, 708}, 1003, L"复制结果", 0, 0, nullptr},
    {L"Button", 0, 0x5001000B, {472, 668, 604, 708}, 1004, L"清空重填", 0, 0, nullptr},
    {L"Button", 0, 0x5001000B, {616, 668, 726, 708}, 1005, L"关于", 0, 0, nullptr},
    {L"Static", 0, 0x5000008D, {740, 704, 1004, 720}, 0, L"就绪：填写参数后按 F5 或点击“计算”", 0, 0,
     nullptr},
};

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

bool SameBox(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

using tarn::testing::Describe;

using ControlTreeTest = MainWindowTest;

TEST_F(ControlTreeTest, EveryControlHasItsClassStylesIdBoxTextAndFont) {
    const std::vector<HWND> children = Children(main());
    EXPECT_EQ(children.size(), std::size(kExpected));
    for (const ExpectedControl& expected : kExpected) {
        SCOPED_TRACE(Describe(expected.box));
        HWND found = nullptr;
        for (HWND child : children) {
            if (SameBox(ClientRectInParent(child), expected.box)) found = child;
        }
        ASSERT_NE(found, nullptr) << "no control at this box";
        EXPECT_EQ(_wcsicmp(ClassOf(found).c_str(), expected.className), 0);
        EXPECT_EQ(GetWindowLongW(found, GWL_EXSTYLE), expected.exStyle);
        EXPECT_EQ(GetWindowLongW(found, GWL_STYLE), expected.style);
        EXPECT_EQ(GetDlgCtrlID(found), expected.id);
        EXPECT_EQ(TextOf(found), expected.text);

        HFONT font = reinterpret_cast<HFONT>(SendMessageW(found, WM_GETFONT, 0, 0));
        if (expected.fontHeight == 0) {
            EXPECT_EQ(font, nullptr) << "owner-drawn controls paint their text themselves";
            continue;
        }
        ASSERT_NE(font, nullptr);
        LOGFONTW logical = {};
        ASSERT_EQ(GetObjectW(font, sizeof(logical), &logical), static_cast<int>(sizeof(logical)));
        EXPECT_EQ(logical.lfHeight, -expected.fontHeight);
        EXPECT_EQ(logical.lfWidth, 0);
        EXPECT_EQ(logical.lfWeight, expected.fontWeight);
        EXPECT_EQ(logical.lfCharSet, DEFAULT_CHARSET);
        EXPECT_EQ(logical.lfQuality, CLEARTYPE_QUALITY);
        EXPECT_FALSE(logical.lfItalic || logical.lfUnderline || logical.lfStrikeOut);
        EXPECT_STREQ(logical.lfFaceName, expected.face);
    }
}

TEST_F(ControlTreeTest, HandlesAreKeptForTheControlsTheCommandsUse) {
    EXPECT_EQ(GetDlgCtrlID(window().inputEdits[0]), 2000);
    EXPECT_EQ(GetDlgCtrlID(window().inputEdits[1]), 2001);
    EXPECT_EQ(window().inputEdits[2], nullptr);
    EXPECT_EQ(GetDlgCtrlID(window().resultBox), 3000);
    EXPECT_EQ(TextOf(window().verdictLine), L"填写左侧参数，点击“计算”");
    EXPECT_EQ(TextOf(window().noteText), Wide(CurrentTool().note));
    EXPECT_EQ(TextOf(window().statusLine), L"就绪：填写参数后按 F5 或点击“计算”");
    for (int id = 1001; id <= 1005; ++id) EXPECT_EQ(GetDlgCtrlID(button(id)), id);
}

TEST_F(ControlTreeTest, TheMainWindowIsAFixedCaptionWindowOfItsClass) {
    EXPECT_EQ(ClassOf(main()), L"TarnMedToolWnd");
    EXPECT_EQ(TextOf(main()), L"Ordavel");
    const LONG style = GetWindowLongW(main(), GWL_STYLE);
    EXPECT_EQ(style & 0x00CA0000, 0x00CA0000);
    EXPECT_EQ(static_cast<DWORD>(style) & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CHILD | WS_POPUP), 0u);
    EXPECT_TRUE(IsWindowVisible(main()));
    EXPECT_EQ(GetParent(main()), nullptr);
    EXPECT_EQ(GetFocus(), window().inputEdits[0]);

    // The class's background brush is the window background colour.
    HBRUSH background = reinterpret_cast<HBRUSH>(GetClassLongPtrW(main(), GCLP_HBRBACKGROUND));
    LOGBRUSH brush = {};
    ASSERT_EQ(GetObjectW(background, sizeof(brush), &brush), static_cast<int>(sizeof(brush)));
    EXPECT_EQ(brush.lbColor, RGB(0xF4, 0xF7, 0xF9));
    EXPECT_EQ(GetClassLongPtrW(main(), GCL_STYLE), 0);
}

TEST_F(ControlTreeTest, TheClientAreaIsExactlyTheLayoutsSize) {
    RECT client;
    GetClientRect(main(), &client);
    EXPECT_EQ(client.right, 1020);
    EXPECT_EQ(client.bottom, 720);
    RECT frame;
    GetWindowRect(main(), &frame);
    EXPECT_GE(frame.left, 0);
    EXPECT_GE(frame.top, 0);
    // Centred on the screen (to within the rounding of the halves).
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    if (screenWidth > frame.right - frame.left) {
        EXPECT_LE(std::abs(frame.left - (screenWidth - frame.right)), 1);
    }
}

// Minimum and maximum tracking size are the window's own size, so the
// window can be neither shrunk nor grown.
TEST_F(ControlTreeTest, TrackingSizeIsPinnedToTheWindowSize) {
    RECT frame;
    GetWindowRect(main(), &frame);
    MINMAXINFO info = {};
    SendMessageW(main(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, frame.right - frame.left);
    EXPECT_EQ(info.ptMinTrackSize.y, frame.bottom - frame.top);
    EXPECT_EQ(info.ptMaxTrackSize.x, frame.right - frame.left);
    EXPECT_EQ(info.ptMaxTrackSize.y, frame.bottom - frame.top);
}

TEST_F(ControlTreeTest, BackgroundEraseIsLeftToThePaint) {
    HDC dc = GetDC(main());
    EXPECT_EQ(SendMessageW(main(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    ReleaseDC(main(), dc);
}

TEST_F(ControlTreeTest, ClosingTheWindowEndsTheMessageLoopWithZero) {
    PostMessageW(main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_FALSE(IsWindow(main()));
}

// Remote Desktop and Citrix apply no compatibility layer to a program
// marked Terminal-Server-aware in its PE header.
TEST(ProgramHeader, OrdavelExeIsTerminalServerAware) {
    FILE* file = _wfopen(ProgramPath().c_str(), L"rb");
    ASSERT_NE(file, nullptr);
    std::vector<unsigned char> head(4096);
    head.resize(fread(head.data(), 1, head.size(), file));
    fclose(file);
    ASSERT_GT(head.size(), 0x40u);
    const auto word = [&](size_t at) { return head[at] | (head[at + 1] << 8); };
    const size_t pe = static_cast<size_t>(word(0x3C) | (word(0x3E) << 16));
    ASSERT_LT(pe + 24 + 72, head.size());
    ASSERT_EQ(word(pe), 0x4550) << "PE signature";
    const size_t optional = pe + 24;
    ASSERT_EQ(word(optional), 0x20B) << "PE32+";
    const int characteristics = word(optional + 70);
    EXPECT_EQ(characteristics & IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE, 0x8000);
}

// The program's own icon and version block, read from ordavel.exe.
TEST(ProgramResources, IconGroupOneAndVersionInformation) {
    const std::wstring path = ProgramPath();
    HMODULE program = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        HICON icon = static_cast<HICON>(
            LoadImageW(program, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr);
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour = {};
        GetObjectW(info.hbmColor, sizeof(colour), &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    FreeLibrary(program);

    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));
    wchar_t* product = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\080404B0\\ProductName",
                               reinterpret_cast<void**>(&product), &length));
    EXPECT_STREQ(product, L"Ordavel");
    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwProductVersionMS,
              (ORDAVEL_VERSION_MAJOR << 16u) | ORDAVEL_VERSION_MINOR);  // the build's x.y
}

}  // namespace
}  // namespace tarn::win32::testing
