// A busy user's slips through the real FLTK window: typing over the
// start-up default, a default never typed, a negative value, editing after
// a computation, values outside their usual range, and the boxes that ask
// about them.
#include <FL/Fl.H>

#include <string>

#include "tests/ui/fltk/window_fixture.h"

namespace tarn::fltk::test {
namespace {

constexpr char kPrompt[] = "填写左侧参数，点击“计算”";
constexpr char kStale[] = "参数已修改，请重新计算";
constexpr char kWeight760[] =
    "第 1 项“体重”为 760 kg，超出常见范围 0.5–250 kg。\n仍按此数值计算吗？";
constexpr char kWeightNotEntered[] = "“体重”仍是预填的 60 kg，尚未输入。按 60 计算吗？";
constexpr char kPotassiumNotEntered[] =
    "“血钾”仍是预填的 6.8 mmol/L，尚未输入。按 6.8 计算吗？";

using SlipsTest = WindowTest;

bool WholeTextSelected(const Fl_Input& edit) {
    const int low = edit.position() < edit.mark() ? edit.position() : edit.mark();
    const int high = edit.position() < edit.mark() ? edit.mark() : edit.position();
    return low == 0 && high == edit.size() && edit.size() > 0;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(SlipsTest, AtStartUpTheFirstFieldIsFocusedWithItsTextSelected) {
    EXPECT_EQ(Fl::focus(), front().inputEdits[0]);
    EXPECT_TRUE(WholeTextSelected(*front().inputEdits[0]));
}

TEST_F(SlipsTest, TypingAtStartUpReplacesTheDefault) {
    TypeText("70");
    EXPECT_EQ(InputText(0), "70");
    const std::vector<SeenMessage> messages = WithMessages([] { PressKey(FL_F + 5); }, 'y');
    ASSERT_EQ(messages.size(), 1u) << "the potassium nobody typed is asked about";
    EXPECT_EQ(messages[0].text, kPotassiumNotEntered);
    EXPECT_EQ(front().state.lastInputs[0], 70.0);
    EXPECT_TRUE(Contains(ResultText(), "胰岛素：7.0 U")) << ResultText();
}

TEST_F(SlipsTest, AnEditAfterAComputationDropsTheResult) {
    EnterInputs("60", "6.8");
    PressKey(FL_F + 5);
    ASSERT_EQ(front().state.currentLevel, 3);
    Click(*front().inputEdits[1]);
    front().inputEdits[1]->position(front().inputEdits[1]->size());
    TypeText("1");
    EXPECT_EQ(InputText(1), "6.81");
    EXPECT_EQ(ResultText(), "");
    EXPECT_EQ(VerdictText(), kPrompt);
    EXPECT_EQ(front().verdictLine->Colour(), 0x008060u);
    EXPECT_EQ(front().state.currentLevel, 0);
    EXPECT_EQ(Status(), kStale);
    EXPECT_EQ(Fl::focus(), front().inputEdits[1]);

    const std::vector<SeenMessage> messages = WithMessages([&] {
        Click(*front().buttons[2]);
        Click(*front().buttons[1]);
    });
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "请先点击“计算”生成结果。");
    EXPECT_EQ(messages[1].text, "请先点击“计算”生成结果，再保存记录。");
}

TEST_F(SlipsTest, TextsTheProgramSetsAreNoEdits) {
    EnterInputs("60", "6.8");
    PressKey(FL_F + 5);
    SetInputText(0, "70");
    EXPECT_EQ(front().state.currentLevel, 3);
    EXPECT_NE(ResultText(), "");
    Click(*front().buttons[3]);  // reset sets every field
    EXPECT_EQ(Status(), "已恢复默认值");
}

TEST_F(SlipsTest, AnUnusualWeightIsAskedAboutWithNoTheDefault) {
    EnterInputs("60", "6.8");
    PressKey(FL_F + 5);
    const std::string report = ResultText();
    SetInputText(0, "760");
    for (int key : {int{'n'}, int{FL_Enter}, int{FL_Escape}}) {
        SCOPED_TRACE(key);
        front().inputEdits[1]->take_focus();
        const std::vector<SeenMessage> messages = WithMessages([] { PressKey(FL_F + 5); }, key);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].caption, "请确认输入");
        EXPECT_EQ(messages[0].text, kWeight760);
        EXPECT_EQ(messages[0].icon, "!");
        EXPECT_EQ(messages[0].buttons, (std::vector<std::string>{"是(Y)", "否(N)"}));
        // Nothing changed; the field is ready to be typed over.
        EXPECT_EQ(Fl::focus(), front().inputEdits[0]);
        EXPECT_TRUE(WholeTextSelected(*front().inputEdits[0]));
        EXPECT_EQ(ResultText(), report);
        EXPECT_EQ(front().state.currentLevel, 3);
        EXPECT_EQ(front().state.lastInputs[0], 60.0);
        EXPECT_EQ(Status(), "计算完成  Ordavel");
    }
    const std::vector<SeenMessage> messages = WithMessages([] { PressKey(FL_F + 5); }, 'y');
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(front().state.lastInputs[0], 760.0);
    EXPECT_TRUE(Contains(ResultText(), "胰岛素：10.0 U")) << ResultText();
    EXPECT_EQ(Fl::focus(), front().resultBox);
}

TEST_F(SlipsTest, UsualValuesAskNothing) {
    EnterInputs("60", "6.8");
    const std::vector<SeenMessage> messages = WithMessages([] { PressKey(FL_F + 5); });
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(front().state.currentLevel, 3);
}

// As Windows places a box with an owner, and with a title that X clients
// (window managers, xdotool) decode.
TEST_F(SlipsTest, BoxesSitOnTheMainWindowTitledForX) {
    EnterInputs("60", "68");
    const std::vector<SeenMessage> messages = WithMessages([&] {
        Click(*front().buttons[4]);
        PressKey(FL_F + 5);
    }, FL_Escape);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].titleInX, "关于本工具");
    EXPECT_EQ(messages[1].titleInX, "请确认输入");
    EXPECT_EQ(messages[1].text,
              "第 2 项“血钾”为 68 mmol/L，超出常见范围 1.5–12 mmol/L。\n仍按此数值计算吗？");
    const int centreX = window().x() + window().w() / 2;
    const int centreY = window().y() + window().h() / 2;
    for (const SeenMessage& box : messages) {
        SCOPED_TRACE(box.caption);
        EXPECT_NEAR(box.x + box.width / 2, centreX, 1);
        EXPECT_NEAR(box.y + box.height / 2, centreY, 1);
    }
}

// Typing the weight and pressing Enter, the habit of moving to the next
// field, asks about the potassium nobody typed; No computes nothing and
// leaves that field ready to be typed over.
TEST_F(SlipsTest, APotassiumNobodyTypedIsAskedAboutAndNoLeavesItSelected) {
    TypeText("8");
    for (int key : {int{'n'}, int{FL_Enter}, int{FL_Escape}}) {
        SCOPED_TRACE(key);
        front().inputEdits[0]->take_focus();
        const std::vector<SeenMessage> messages = WithMessages([] { PressKey(FL_Enter); }, key);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].caption, "请确认输入");
        EXPECT_EQ(messages[0].text, kPotassiumNotEntered);
        EXPECT_EQ(messages[0].icon, "!");
        EXPECT_EQ(messages[0].buttons, (std::vector<std::string>{"是(Y)", "否(N)"}));
        EXPECT_EQ(Fl::focus(), front().inputEdits[1]);
        EXPECT_TRUE(WholeTextSelected(*front().inputEdits[1]));
        EXPECT_EQ(ResultText(), "");
        EXPECT_EQ(VerdictText(), kPrompt);
        EXPECT_EQ(Status(), "就绪：填写参数后按 F5 或点击“计算”");
    }
    TypeText("7");
    EXPECT_EQ(InputText(1), "7") << "typing replaced the selected default";
    const std::vector<SeenMessage> messages = WithMessages([] { PressKey(FL_Enter); });
    EXPECT_TRUE(messages.empty()) << messages.front().text;
    EXPECT_EQ(front().state.lastInputs[0], 8.0);
    EXPECT_EQ(front().state.lastInputs[1], 7.0);
    EXPECT_TRUE(Contains(ResultText(), "10% 葡萄糖：40.0 ml")) << ResultText();
}

// Both defaults untouched: each is asked about in the order of the fields;
// Yes to both computes with them, and they count as entered until 清空重填
// puts the defaults back.
TEST_F(SlipsTest, EveryUntouchedDefaultIsAskedAboutUntilTyped) {
    std::vector<SeenMessage> messages = WithMessages([] { PressKey(FL_F + 5); }, 'y');
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, kWeightNotEntered);
    EXPECT_EQ(messages[1].text, kPotassiumNotEntered);
    EXPECT_EQ(front().state.currentLevel, 3);
    EXPECT_EQ(Fl::focus(), front().resultBox);
    EXPECT_TRUE(WithMessages([] { PressKey(FL_F + 5); }).empty()) << "Yes counts as entered";

    Click(*front().buttons[3]);
    messages = WithMessages([] { PressKey(FL_F + 5); }, 'n');
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, kWeightNotEntered) << "清空重填 put the defaults back";
    EXPECT_EQ(Fl::focus(), front().inputEdits[0]);
    EXPECT_TRUE(WholeTextSelected(*front().inputEdits[0]));
    EXPECT_EQ(ResultText(), "");
}

TEST_F(SlipsTest, ANegativeWeightIsRefused) {
    EnterInputs("-5", "6.8");
    const std::vector<SeenMessage> messages = WithMessages([] { PressKey(FL_Enter); });
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "输入有误");
    EXPECT_EQ(messages[0].text, "第 1 项“体重”不能为负数。");
    EXPECT_EQ(messages[0].icon, "!");
    EXPECT_EQ(Fl::focus(), front().inputEdits[0]);
    EXPECT_TRUE(WholeTextSelected(*front().inputEdits[0]));
    EXPECT_EQ(ResultText(), "");
    EXPECT_EQ(VerdictText(), kPrompt);
}

// Below 5.5 no dose is computed, and the report says so in one line.
TEST_F(SlipsTest, NoDoseBelowHyperkalaemiaAndTheReportSaysSo) {
    for (const char* potassium : {"5.4", "4.5", "3.0"}) {
        SCOPED_TRACE(potassium);
        EnterInputs("60", potassium);
        PressKey(FL_Enter);
        EXPECT_EQ(ResultText(), "血钾 <5.5 mmol/L：不计算降钾急救用药\n");
    }
}

}  // namespace
}  // namespace tarn::fltk::test
