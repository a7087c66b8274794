// The copy, reset and about commands, start-up state and id routing.
#include <string>

#include "tests/support/allocation_counter.h"
#include "tests/ui/command_fixture.h"
#include "ui/layout.h"
#include "ui/save_command.h"
#include "ui/texts.h"

namespace tarn::ui {
namespace {

class CommandsTest : public CommandTest {
protected:
    void ComputeDefaults() {
        ResetCommand(state);
        ComputeCommand(state);
        ForgetCalls();
    }
};

TEST_F(CommandsTest, StartsWithNoResultAndTheReadyStatus) {
    EXPECT_EQ(state.tool, &CurrentTool());
    EXPECT_EQ(state.currentLevel, 0);
    EXPECT_EQ(state.resultCopy[0], 0);
    EXPECT_EQ(std::u16string(state.statusLine), u"就绪：填写参数后按 F5 或点击“计算”");
    EXPECT_TRUE(window().calls.empty()) << "start-up state needs no window";
}

// --- Copy ---------------------------------------------------------------

TEST_F(CommandsTest, CopyBeforeComputeOnlyPrompts) {
    CopyCommand(state);
    ASSERT_EQ(window().messages.size(), 1u);
    EXPECT_EQ(window().messages[0].text, u"请先点击“计算”生成结果。");
    EXPECT_EQ(window().messages[0].caption, u"提示");
    EXPECT_EQ(window().messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(window().clipboardCalls, 0);
    EXPECT_EQ(std::u16string(state.statusLine), kReadyStatus);
}

TEST_F(CommandsTest, CopyPutsTitleAndLastResultOnTheClipboard) {
    ComputeDefaults();
    CopyCommand(state);
    ASSERT_TRUE(window().clipboard.has_value());
    EXPECT_EQ(*window().clipboard, std::u16string(u"Ordavel\r\n") + kDefaultReport +
                                       u"\u2014\u2014 " + kSevereVerdict);
    EXPECT_EQ(std::u16string(state.statusLine), u"结果已复制到剪贴板");
    ASSERT_EQ(window().statusAtMainRepaint.size(), 1u);
    EXPECT_EQ(window().statusAtMainRepaint[0], u"结果已复制到剪贴板");
    EXPECT_TRUE(window().messages.empty());
}

// Title, CR LF and a full clipboard body (1023 characters) fit when the
// title has at most 510 characters; beyond that the end is cut.
TEST_F(CommandsTest, CopyGivesTheTitleRoomFor510Characters) {
    for (const size_t titleLength : {0u, 1u, 509u, 510u, 511u, 600u}) {
        const std::u16string title(titleLength, u'题');
        ToolDescriptor tool = LongReportTool();
        tool.title = title.c_str();
        StartWith(tool);
        ComputeCommand(state);
        const std::u16string body = state.lastResultText;
        ASSERT_EQ(body.size(), 1023u);
        CopyCommand(state);
        ASSERT_TRUE(window().clipboard.has_value()) << titleLength;
        EXPECT_EQ(*window().clipboard, (title + u"\r\n" + body).substr(0, 1535))
            << "a title of " << titleLength;
    }
}

// The clipboard still holds what it held before, perhaps another patient's
// result: the clinician is told, and the status claims nothing.
TEST_F(CommandsTest, AFailedCopyIsToldAndSetsNoStatus) {
    ComputeDefaults();
    window().clipboardFails = true;
    CopyCommand(state);
    EXPECT_EQ(window().clipboardCalls, 1);
    EXPECT_EQ(std::u16string(state.statusLine), u"计算完成  Ordavel");
    EXPECT_EQ(window().mainRepaints, 0);
    ASSERT_EQ(window().messages.size(), 1u);
    EXPECT_EQ(window().messages[0].text, u"结果未能复制到剪贴板，请稍后重试。");
    EXPECT_EQ(window().messages[0].caption, u"复制失败");
    EXPECT_EQ(window().messages[0].icon, MessageIcon::Warning);

    window().clipboardFails = false;
    ForgetCalls();
    CopyCommand(state);
    EXPECT_TRUE(window().messages.empty()) << "a later copy that works says nothing";
    EXPECT_EQ(std::u16string(state.statusLine), u"结果已复制到剪贴板");
}

TEST_F(CommandsTest, CopyAfterResetPromptsThoughTheLastTextIsKept) {
    ComputeDefaults();
    ResetCommand(state);
    ForgetCalls();
    CopyCommand(state);
    EXPECT_NE(state.lastResultText[0], 0);
    ASSERT_EQ(window().messages.size(), 1u);
    EXPECT_EQ(window().messages[0].text, kNoResultYet);
    EXPECT_EQ(window().clipboardCalls, 0);
}

// --- Reset ----------------------------------------------------------------

TEST_F(CommandsTest, ResetRestoresDefaultsAndForgetsTheResult) {
    TypeInputs(u"45", u"5.5");
    ComputeCommand(state);
    const std::u16string lastText = state.lastResultText;
    ForgetCalls();

    ResetCommand(state);

    EXPECT_EQ(window().controls[0], u"60");
    EXPECT_EQ(window().controls[1], u"6.8");
    EXPECT_EQ(window().controls[kResultBoxSlot], u"");
    EXPECT_EQ(window().controls[kVerdictLineSlot], u"填写左侧参数，点击“计算”");
    EXPECT_EQ(window().controls[kNoteTextSlot], CurrentTool().note);
    EXPECT_EQ(std::u16string(state.statusLine), u"已恢复默认值");
    EXPECT_EQ(state.resultCopy[0], 0);
    EXPECT_EQ(state.currentLevel, 0);
    ASSERT_EQ(window().levelAtVerdictText.size(), 1u);
    EXPECT_EQ(window().levelAtVerdictText[0], 0) << "the prompt is shown at level 0";
    ASSERT_FALSE(window().statusAtMainRepaint.empty());
    EXPECT_EQ(window().statusAtMainRepaint.back(), u"已恢复默认值");
    // Kept as they were.
    EXPECT_EQ(state.lastInputs[0], 45.0);
    EXPECT_EQ(state.lastInputs[1], 5.5);
    EXPECT_EQ(std::u16string(state.lastResultText), lastText);
    EXPECT_EQ(window().focusedSlot, 0) << "back at the first field";
    EXPECT_TRUE(window().selectedAll[0]) << "with its default selected";
    EXPECT_EQ(window().calls.back(), "focus 0");
    EXPECT_TRUE(window().messages.empty());
}

TEST_F(CommandsTest, ResetOfAToolWithoutNoteEmptiesTheNote) {
    StartWith(ThreeInputTool());
    Type(kNoteTextSlot, u"旧");
    ResetCommand(state);
    EXPECT_EQ(window().controls[0], u"1.5");
    EXPECT_EQ(window().controls[1], u"1.23457e+06");
    EXPECT_EQ(window().controls[2], u"-0.25");
    EXPECT_EQ(window().controls[kNoteTextSlot], u"");
}

struct DefaultText {
    double value;
    const char16_t* text;
};

class DefaultValueText : public ::testing::TestWithParam<DefaultText> {};

TEST_P(DefaultValueText, HasSixSignificantDigits) {
    char16_t buffer[64] = {u'?'};
    FormatDefaultValue(GetParam().value, buffer, 64);
    EXPECT_EQ(std::u16string(buffer), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, DefaultValueText,
                         ::testing::Values(DefaultText{60.0, u"60"},
                                           DefaultText{6.800000190734863, u"6.8"},
                                           DefaultText{0.0, u"0"}, DefaultText{0.5, u"0.5"},
                                           DefaultText{-3.0, u"-3"},
                                           DefaultText{1234567.0, u"1.23457e+06"},
                                           DefaultText{0.0001, u"0.0001"},
                                           DefaultText{0.00001, u"1e-05"}));

// --- About ----------------------------------------------------------------

TEST_F(CommandsTest, AboutDescribesTheTool) {
    AboutCommand(state);
    ASSERT_EQ(window().messages.size(), 1u);
    EXPECT_EQ(window().messages[0].caption, u"关于本工具");
    EXPECT_EQ(window().messages[0].icon, MessageIcon::Information);
    const std::vector<std::u16string> expected = {
        u"Ordavel",
        u"",
        u"分类：急诊",
        u"参考依据：UKKA 成人急性高钾血症指南（2023）；中国慢性肾脏病血钾管理专家共识（2020）；儿童：BNFc",
        u"",
        u"本工具为临床辅助计算/记录工具，结果不能替代医师诊疗判断，",
        u"具体用药与处置请结合患者实际情况及本院规范执行。",
        u"",
        u"版本 " ORDAVEL_VERSION_TEXT,  // the release as the build numbers it, x.y.z
    };
    EXPECT_EQ(Lines(window().messages[0].text), expected);
    EXPECT_EQ(window().mainRepaints, 0);
}

// --- Routing --------------------------------------------------------------

TEST_F(CommandsTest, ButtonIdsRunTheirCommands) {
    TypeInputs(u"60", u"5.0");
    EXPECT_TRUE(RunCommandForId(state, kComputeId));
    EXPECT_EQ(std::u16string(state.statusLine), u"计算完成  Ordavel");

    EXPECT_TRUE(RunCommandForId(state, kCopyId));
    ASSERT_TRUE(window().clipboard.has_value());
    EXPECT_EQ(window().clipboard->substr(0, 9), u"Ordavel\r\n");

    EXPECT_TRUE(RunCommandForId(state, kResetId));
    EXPECT_EQ(std::u16string(state.statusLine), u"已恢复默认值");

    ForgetCalls();
    EXPECT_TRUE(RunCommandForId(state, kAboutId));
    ASSERT_EQ(window().messages.size(), 1u);
    EXPECT_EQ(window().messages[0].caption, u"关于本工具");
}

TEST_F(CommandsTest, SaveIdRunsTheSaveCommand) {
    // With no result the save command only prompts; nothing is written.
    EXPECT_TRUE(RunCommandForId(state, kSaveId));
    ASSERT_EQ(window().messages.size(), 1u);
    EXPECT_EQ(window().messages[0].text, u"请先点击“计算”生成结果，再保存记录。");
    EXPECT_EQ(window().messages[0].caption, u"提示");
}

class UnknownId : public CommandTest, public ::testing::WithParamInterface<int32_t> {};

TEST_P(UnknownId, RunsNothing) {
    TypeInputs(u"60", u"6.8");
    const Snapshot before = TakeSnapshot(state);
    EXPECT_FALSE(RunCommandForId(state, GetParam()));
    EXPECT_TRUE(window().calls.empty());
    ExpectSameState(before, TakeSnapshot(state));
}

INSTANTIATE_TEST_SUITE_P(Ids, UnknownId,
                         ::testing::Values(0, -1, 1000, 1006, kFirstInputEditId,
                                           kFirstInputEditId + 1, kResultBoxId, 65535));

// A state not started, or given a tool or services alone, runs no command.
TEST_F(CommandsTest, AStateNotWhollyStartedRunsNoCommand) {
    struct Case {
        const char* what;
        const ToolDescriptor* tool;
        const WindowServices* services;
    };
    const Case cases[] = {
        {"nothing", nullptr, nullptr},
        {"a tool alone", &CurrentTool(), nullptr},
        {"services alone", nullptr, &fake::kServices},
    };
    for (const Case& c : cases) {
        WindowState halfway;
        halfway.tool = c.tool;
        halfway.services = c.services;
        halfway.servicesContext = &window();
        halfway.resultCopy[0] = u'x';  // as if there were a result to copy, save or drop
        for (const int32_t id : {kComputeId, kSaveId, kCopyId, kResetId, kAboutId})
            EXPECT_TRUE(RunCommandForId(halfway, id)) << c.what;
        InputEdited(halfway, 0);
        EXPECT_TRUE(window().calls.empty()) << c.what;
        EXPECT_EQ(halfway.resultCopy[0], u'x') << c.what;
        EXPECT_EQ(halfway.statusLine[0], 0) << c.what;
    }
}

// --- An edit after a computation -------------------------------------------

TEST_F(CommandsTest, AnEditDropsTheResultAndKeepsTheFieldsAndLastInputs) {
    TypeInputs(u"45", u"5.5");
    ComputeCommand(state);
    const std::u16string lastText = state.lastResultText;
    Type(0, u"70");  // what the user typed
    ForgetCalls();

    InputEdited(state, 0);

    EXPECT_EQ(window().controls[kResultBoxSlot], u"");
    EXPECT_EQ(window().controls[kVerdictLineSlot], u"填写左侧参数，点击“计算”");
    ASSERT_EQ(window().levelAtVerdictText.size(), 1u);
    EXPECT_EQ(window().levelAtVerdictText[0], 0) << "the prompt is shown at level 0";
    EXPECT_EQ(state.currentLevel, 0);
    EXPECT_EQ(state.resultCopy[0], 0);
    EXPECT_EQ(std::u16string(state.statusLine), u"参数已修改，请重新计算");
    ASSERT_FALSE(window().statusAtMainRepaint.empty());
    EXPECT_EQ(window().statusAtMainRepaint.back(), u"参数已修改，请重新计算");
    // Left alone.
    EXPECT_EQ(window().controls[0], u"70");
    EXPECT_EQ(window().controls[1], u"5.5");
    EXPECT_EQ(state.lastInputs[0], 45.0);
    EXPECT_EQ(state.lastInputs[1], 5.5);
    EXPECT_EQ(std::u16string(state.lastResultText), lastText);
    EXPECT_EQ(window().focusedSlot, -1);
    EXPECT_TRUE(window().messages.empty());

    // Copy and save have nothing to hand over any more.
    ForgetCalls();
    CopyCommand(state);
    SaveCommand(state);
    ASSERT_EQ(window().messages.size(), 2u);
    EXPECT_EQ(window().messages[0].text, u"请先点击“计算”生成结果。");
    EXPECT_EQ(window().messages[1].text, u"请先点击“计算”生成结果，再保存记录。");
    EXPECT_EQ(window().clipboardCalls, 0);
}

TEST_F(CommandsTest, AnEditWithoutAResultChangesNothing) {
    const auto editWithoutResult = [&] {
        ForgetCalls();
        const Snapshot before = TakeSnapshot(state);
        InputEdited(state, 0);
        EXPECT_TRUE(window().calls.empty());
        ExpectSameState(before, TakeSnapshot(state));
    };
    editWithoutResult();  // at start-up
    ComputeCommand(state);
    ResetCommand(state);
    editWithoutResult();  // after reset: its status stays
    EXPECT_EQ(std::u16string(state.statusLine), u"已恢复默认值");
    ComputeCommand(state);
    InputEdited(state, 0);
    editWithoutResult();  // a second edit
    EXPECT_EQ(std::u16string(state.statusLine), u"参数已修改，请重新计算");
}

// --- No heap --------------------------------------------------------------

TEST_F(CommandsTest, CommandsAllocateNothing) {
    TypeInputs(u"60", u"abc");
    const allocation::CountedScope counted;
    ComputeCommand(state);  // refused
    {
        const allocation::PausedCounting typing;
        Type(1, u"6.8");
    }
    ComputeCommand(state);
    CopyCommand(state);
    ResetCommand(state);
    CopyCommand(state);  // prompt
    AboutCommand(state);
    ComputeCommand(state);
    InputEdited(state, 0);
    {
        const allocation::PausedCounting typing;
        Type(0, u"760");
    }
    ComputeCommand(state);  // asked and confirmed
    RunCommandForId(state, 4242);
    EXPECT_EQ(allocation::Count(), 0);
    EXPECT_EQ(window().messages.size(), 3u) << "the commands did run";
    // The two defaults after reset, then 760 kg.
    EXPECT_EQ(window().questions.size(), 3u);
}

TEST(AllocationCounter, SeesAnAllocation) {
    const allocation::CountedScope counted;
    void* volatile block = ::operator new(16);
    EXPECT_EQ(allocation::Count(), 1);
    ::operator delete(block);
}

}  // namespace
}  // namespace tarn::ui
