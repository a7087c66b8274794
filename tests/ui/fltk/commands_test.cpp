// The buttons and their message boxes, the clipboard and the record log,
// through the real window.
#include <FL/Fl.H>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "tests/ui/fltk/window_fixture.h"
#include "ui/fltk/utf.h"
#include "ui/fltk/xlib_safe.h"
#include "ui/window_state.h"

namespace tarn::fltk::test {
namespace {

constexpr char kSevere[] = "重度高钾，立即处理并持续心电监护";
constexpr char kPrompt[] = "填写左侧参数，点击“计算”";
constexpr char kReportCrLf[] =
    "10% 葡萄糖酸钙：20.0 ml\r\n胰岛素：6.0 U\r\n葡萄糖：30.0 g\r\n50% 葡萄糖：60.0 ml\r\n";

using CommandsTest = WindowTest;

TEST_F(CommandsTest, ComputeButtonShowsReportVerdictAndStatus) {
    EnterInputs("60", "6.8");
    Click(*front().buttons[0]);
    EXPECT_EQ(VerdictText(), kSevere);
    EXPECT_EQ(Status(), "计算完成  Ordavel");
    EXPECT_EQ(Fl::focus(), front().resultBox);
    char16_t report[512];
    ui::ReadControlText(front().state, ui::kResultBoxSlot, report, 512);
    char bytes[1024];
    ToUtf8(report, bytes, 1024);
    // The display keeps LF; the commands read CR LF back, as from an edit.
    EXPECT_STREQ(bytes, kReportCrLf);
}

TEST_F(CommandsTest, CopyPutsTitleReportAndVerdictOnTheClipboard) {
    EnterInputs("60", "6.8");
    Click(*front().buttons[0]);
    const std::vector<SeenMessage> messages = WithMessages([&] { Click(*front().buttons[2]); });
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Status(), "结果已复制到剪贴板");
    const std::optional<std::string> clipboard = ReadClipboard();
    ASSERT_TRUE(clipboard.has_value()) << "xclip could not read the CLIPBOARD";
    EXPECT_EQ(*clipboard, std::string("Ordavel\r\n") + kReportCrLf + "—— " + kSevere);
}

TEST_F(CommandsTest, CopyWithoutResultPromptsAndLeavesTheClipboardAlone) {
    ASSERT_TRUE(OfferClipboard("held by someone else"));
    const std::vector<SeenMessage> messages = WithMessages([&] { Click(*front().buttons[2]); });
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "提示");
    EXPECT_EQ(messages[0].text, "请先点击“计算”生成结果。");
    EXPECT_EQ(messages[0].icon, "i");
    EXPECT_EQ(Status(), "就绪：填写参数后按 F5 或点击“计算”");
    EXPECT_EQ(ReadClipboard().value_or("<unreadable>"), "held by someone else");
}

TEST_F(CommandsTest, ResetRestoresDefaultsPromptAndLevel) {
    EnterInputs("72", "7.5");
    Click(*front().buttons[0]);
    ASSERT_EQ(front().state.currentLevel, 3);
    SetInputText(0, "abc");
    Click(*front().buttons[3]);
    EXPECT_EQ(InputText(0), "60");
    EXPECT_EQ(InputText(1), "6.8");
    EXPECT_EQ(ResultText(), "");
    EXPECT_EQ(VerdictText(), kPrompt);
    EXPECT_EQ(front().verdictLine->Colour(), 0x008060u);
    EXPECT_EQ(front().state.currentLevel, 0);
    EXPECT_EQ(Status(), "已恢复默认值");
    // No result any more: copy prompts again.
    const std::vector<SeenMessage> messages = WithMessages([&] { Click(*front().buttons[2]); });
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "请先点击“计算”生成结果。");
}

TEST_F(CommandsTest, InputErrorWarnsAndPutsTheFocusOnTheField) {
    EnterInputs("60", "6.8");
    Click(*front().buttons[0]);
    const std::string report = ResultText();
    SetInputText(1, "1e999");
    front().inputEdits[0]->take_focus();
    const std::vector<SeenMessage> messages = WithMessages([&] { PressKey(FL_Enter); });
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "输入有误");
    EXPECT_EQ(messages[0].text, "第 2 项“血钾”请输入数字（如 6.8，不带单位）。");
    EXPECT_EQ(messages[0].icon, "!");
    EXPECT_EQ(Fl::focus(), front().inputEdits[1]);
    EXPECT_EQ(ResultText(), report);
    EXPECT_EQ(VerdictText(), kSevere);
    EXPECT_EQ(Status(), "计算完成  Ordavel");
}

TEST_F(CommandsTest, AboutShowsTheToolDescription) {
    const std::vector<SeenMessage> messages = WithMessages([&] { Click(*front().buttons[4]); });
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "关于本工具");
    EXPECT_EQ(messages[0].icon, "i");
    EXPECT_EQ(messages[0].text,
              "Ordavel\n\n分类：急诊\n"
              "参考依据：UKKA 成人急性高钾血症指南（2023）；中国慢性肾脏病血钾管理专家共识（2020）；儿童：BNFc\n\n"
              "本工具为临床辅助计算/记录工具，结果不能替代医师诊疗判断，\n"
              "具体用药与处置请结合患者实际情况及本院规范执行。\n\n"
              "版本 " ORDAVEL_VERSION);
    // At 96 DPI the box keeps its design sizes.
    EXPECT_EQ(messages[0].textSize, 15);
    EXPECT_EQ(messages[0].glyphSize, 34);
    EXPECT_EQ(messages[0].buttonWidth, 96);
    EXPECT_EQ(messages[0].buttonHeight, 28);
    // The box gave the focus back to the button that opened it.
    EXPECT_EQ(Fl::focus(), front().buttons[4]);
}

TEST_F(CommandsTest, SaveBeforeComputePromptsAndWritesNothing) {
    const std::string file = DataHome() + "/TarnMedSuite/records/T022.csv";
    std::remove(file.c_str());
    const std::vector<SeenMessage> messages = WithMessages([&] { Click(*front().buttons[1]); });
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "提示");
    EXPECT_EQ(messages[0].text, "请先点击“计算”生成结果，再保存记录。");
    EXPECT_EQ(messages[0].icon, "i");
    EXPECT_FALSE(std::ifstream(file).good());
}

TEST_F(CommandsTest, SaveAppendsTheRecordAndConfirms) {
    const std::string file = DataHome() + "/TarnMedSuite/records/T022.csv";
    std::remove(file.c_str());
    EnterInputs("60", "6.8");
    Click(*front().buttons[0]);
    const std::vector<SeenMessage> messages = WithMessages([&] { Click(*front().buttons[1]); });
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "已保存");
    EXPECT_EQ(messages[0].text, "本次结果已追加保存到本地记录（CSV，可用 Excel 打开）。");
    EXPECT_EQ(messages[0].icon, "i");
    EXPECT_EQ(Status(), "记录已保存：" + file);
    std::ifstream in(file, std::ios::binary);
    ASSERT_TRUE(in.good());
    std::stringstream content;
    content << in.rdbuf();
    const std::string text = content.str();
    EXPECT_EQ(text.rfind("\xEF\xBB\xBF时间,工具,体重,血钾,结果\r\n", 0), 0u) << text;
    EXPECT_NE(text.find(",Ordavel,体重=60,血钾=6.8,10% 葡萄糖酸钙：20.0 ml\r\n"), std::string::npos)
        << text;
}

// The X server refuses the CLIPBOARD to a request that carries the time of
// an event older than another client's claim: a clipboard manager or a
// remote desktop's clipboard sync that took it meanwhile. The copy must say
// so, not leave the other text there as if it were this result.
TEST_F(CommandsTest, CopyTheServerRefusesWarnsAndLeavesTheStatusAlone) {
    EnterInputs("60", "6.8");
    Click(*front().buttons[0]);
    ASSERT_TRUE(OfferClipboard("another patient's result"));
    // The click that pressed 复制结果 came before the other client's claim.
    const ulong clickTime = fl_event_time;
    fl_event_time = 1;
    const std::vector<SeenMessage> messages = WithMessages([&] { Click(*front().buttons[2]); });
    fl_event_time = clickTime;
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "复制失败");
    EXPECT_EQ(messages[0].text, "结果未能复制到剪贴板，请稍后重试。");
    EXPECT_EQ(messages[0].icon, "!");
    EXPECT_EQ(Status(), "计算完成  Ordavel") << "no copied status";
    EXPECT_EQ(ReadClipboard().value_or("<unreadable>"), "another patient's result");

    // The next copy, from a click that comes later, owns it.
    fl_event_time = 0;  // CurrentTime: the server's time of the request
    const std::vector<SeenMessage> again = WithMessages([&] { Click(*front().buttons[2]); });
    fl_event_time = clickTime;
    EXPECT_TRUE(again.empty());
    EXPECT_EQ(Status(), "结果已复制到剪贴板");
    EXPECT_EQ(ReadClipboard().value_or("<unreadable>"),
              std::string("Ordavel\r\n") + kReportCrLf + "—— " + kSevere);
}

TEST_F(CommandsTest, MessageTextsKeepAtSigns) {
    // FLTK labels read '@' as the start of a symbol name.
    const std::vector<SeenMessage> messages = WithMessages(
        [&] { ui::ShowMessage(front().state, u"a@b", u"c@d", ui::MessageIcon::Information); });
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "a@@b");
    EXPECT_EQ(messages[0].caption, "c@d");
}

}  // namespace
}  // namespace tarn::fltk::test
