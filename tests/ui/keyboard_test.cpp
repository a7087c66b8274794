// Tab and Shift+Tab between the fields, the buttons and the result, Enter
// and Space on a button, reset back to the first field, and the focus
// rectangle's rule: what a clinician types, key by key, against the fake
// window.
#include <sstream>
#include <string>

#include "tests/ui/command_fixture.h"
#include "ui/keyboard.h"

namespace tarn::ui {
namespace {

using fake::kMainWindowFocus;

constexpr int32_t kCompute = kFirstButtonSlot;
constexpr int32_t kSave = kFirstButtonSlot + 1;
constexpr int32_t kCopy = kFirstButtonSlot + 2;
constexpr int32_t kReset = kFirstButtonSlot + 3;
constexpr int32_t kAbout = kFirstButtonSlot + 4;

// --- The order of the stops -------------------------------------------------

struct Step {
    int32_t inputCount;
    int32_t from;
    bool forward;
    int32_t to;
    bool resultShown = false;  // the result box is then the last stop
};

void PrintTo(const Step& step, std::ostream* out) {
    *out << step.inputCount << " inputs, " << step.from << (step.forward ? " Tab" : " Shift+Tab")
         << (step.resultShown ? ", a result shown" : "");
}

class TabStops : public ::testing::TestWithParam<Step> {};

TEST_P(TabStops, FollowFieldsThenButtonsAndWrap) {
    EXPECT_EQ(NextTabStop(GetParam().inputCount, GetParam().from, GetParam().forward,
                          GetParam().resultShown),
              GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(
    Ordavel, TabStops,
    ::testing::Values(Step{2, 0, true, 1}, Step{2, 1, true, kCompute}, Step{2, kCompute, true, kSave},
                      Step{2, kSave, true, kCopy}, Step{2, kCopy, true, kReset},
                      Step{2, kReset, true, kAbout}, Step{2, kAbout, true, 0},
                      Step{2, 0, false, kAbout}, Step{2, kCompute, false, 1},
                      Step{2, 1, false, 0}, Step{2, kAbout, false, kReset},
                      // From the main window, or from a control that is no stop.
                      Step{2, kMainWindowSlot, true, 0}, Step{2, kMainWindowSlot, false, kAbout},
                      Step{2, kNoSlot, true, 0}, Step{2, kNoSlot, false, kAbout},
                      Step{2, kVerdictLineSlot, true, 0}, Step{2, kNoteTextSlot, false, kAbout},
                      // Without a result the result box is no stop: it lies
                      // between the fields and the buttons.
                      Step{2, kResultBoxSlot, true, kCompute}, Step{2, kResultBoxSlot, false, 1},
                      // With one it is the last stop, after 关于.
                      Step{2, kAbout, true, kResultBoxSlot, true},
                      Step{2, kResultBoxSlot, true, 0, true},
                      Step{2, kResultBoxSlot, false, kAbout, true},
                      Step{2, 0, false, kResultBoxSlot, true},
                      Step{2, 1, true, kCompute, true},
                      Step{2, kMainWindowSlot, true, 0, true},
                      Step{2, kMainWindowSlot, false, kResultBoxSlot, true}));

INSTANTIATE_TEST_SUITE_P(
    OtherTools, TabStops,
    ::testing::Values(Step{16, 15, true, kCompute}, Step{16, kCompute, false, 15},
                      Step{16, kAbout, true, 0}, Step{1, 0, true, kCompute},
                      Step{1, 0, false, kAbout}, Step{0, kAbout, true, kCompute},
                      Step{0, kCompute, false, kAbout}, Step{0, kMainWindowSlot, true, kCompute},
                      Step{0, kResultBoxSlot, true, kCompute},
                      Step{0, kResultBoxSlot, false, kAbout},
                      Step{0, kResultBoxSlot, true, kCompute, true},
                      Step{16, kAbout, true, kResultBoxSlot, true},
                      // A slot past the tool's fields is no stop.
                      Step{2, 2, true, 0}, Step{2, 5, true, 0}));

// --- Key sequences ------------------------------------------------------------

// A clinician's keys, separated by blanks: "Tab", "ShiftTab", "Enter",
// "F5", "Space", "Backspace", "ClickReset", "ClickWeight"; anything else is
// typed.
void Press(WindowState& state, const std::string& keys) {
    std::istringstream words(keys);
    std::string key;
    while (words >> key) {
        if (key == "Tab") fake::user::Tab(state);
        else if (key == "ShiftTab") fake::user::Tab(state, true);
        else if (key == "Enter") fake::user::Enter(state);
        else if (key == "F5") fake::user::F5(state);
        else if (key == "Space") fake::user::Space(state);
        else if (key == "Backspace") fake::user::Backspace(state);
        else if (key == "ClickReset") fake::user::ClickButton(state, kResetId);
        else if (key == "ClickWeight") fake::user::ClickField(state, 0);
        else fake::user::Type(state, std::u16string(key.begin(), key.end()));
    }
}

struct Sequence {
    const char* name;
    const char* before;  // what happened before, pressed first
    const char* keys;
    double weight;  // what the last computation read
    double potassium;
    const char16_t* insulin;
    // Defaults nobody typed, asked about (and confirmed) on the way.
    size_t questions;
};

void PrintTo(const Sequence& sequence, std::ostream* out) { *out << sequence.name; }

// Start-up as both windows have it: the defaults in the fields, not typed
// by anyone, the first one focused with its text selected.
class Keys : public CommandTest {
protected:
    void SetUp() override {
        CommandTest::SetUp();
        Prefill(0, u"60");
        Prefill(1, u"6.8");
        FocusControl(state, 0);
    }
};

class KeySequence : public Keys, public ::testing::WithParamInterface<Sequence> {};

TEST_P(KeySequence, ComputesWhatWasTyped) {
    Press(state, GetParam().before);
    Press(state, GetParam().keys);
    EXPECT_EQ(state.lastInputs[0], GetParam().weight);
    EXPECT_EQ(state.lastInputs[1], GetParam().potassium);
    // No insulin below 5.5: then the result says no dose is computed.
    const char16_t* expected = GetParam().insulin ? GetParam().insulin : u"不计算降钾急救用药";
    EXPECT_NE(std::u16string(state.resultCopy).find(expected), std::u16string::npos);
    // Every value is a usual one: the only questions are about defaults.
    EXPECT_EQ(window().questions.size(), GetParam().questions);
    for (const fake::Message& question : window().questions) {
        EXPECT_NE(question.text.find(u"仍是预填的"), std::u16string::npos);
    }
    EXPECT_TRUE(window().messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Clinician, KeySequence,
    ::testing::Values(
        Sequence{"TabMovesToThePotassium", "", "8 Tab 5.2 Enter", 8.0, 5.2, nullptr, 0},
        Sequence{"TabMovesToThePotassiumOfAChild", "", "8 Tab 7 Enter", 8.0, 7.0,
                 u"胰岛素：0.8 U", 0},
        Sequence{"TabAfterAComputationStartsAtTheWeight", "Enter", "Tab 9 Tab 6.0 Enter", 9.0, 6.0,
                 u"胰岛素：0.9 U", 2},
        Sequence{"ShiftTabComesBackSelected", "Enter", "Tab Tab ShiftTab 7 Enter", 7.0, 6.8,
                 u"胰岛素：0.7 U", 2},
        Sequence{"ResetGoesBackToTheWeight", "45 Tab 5.5 Enter", "ClickReset 12 Enter", 12.0, 6.8,
                 u"胰岛素：1.2 U", 1},
        Sequence{"SpaceOnResetGoesBackToTheWeight", "Enter",
                 "ShiftTab ShiftTab Space 12 Enter", 12.0, 6.8, u"胰岛素：1.2 U", 3},
        Sequence{"TabRoundTheButtonsWrapsToTheWeight", "Tab",
                 "Tab Tab Tab Tab Tab Tab 3 Enter", 3.0, 6.8, u"胰岛素：0.3 U", 1},
        Sequence{"SpaceOnComputeComputes", "", "30 Tab Tab Space", 30.0, 6.8, u"胰岛素：3.0 U", 1},
        Sequence{"SpaceOnComputeAfterTabs", "", "20 Tab 6 Tab Space", 20.0, 6.0,
                 u"胰岛素：2.0 U", 0},
        Sequence{"EnterOnComputeComputes", "", "20 Tab 6 Tab Enter", 20.0, 6.0,
                 u"胰岛素：2.0 U", 0},
        Sequence{"EnterOnTheResultComputesAgain", "8 Tab 7 Enter", "Enter", 8.0, 7.0,
                 u"胰岛素：0.8 U", 0},
        Sequence{"F5OnTheResultComputesAgain", "8 Tab 7 Enter", "F5", 8.0, 7.0,
                 u"胰岛素：0.8 U", 0},
        Sequence{"BackspaceEditsTheCaretEnd", "ClickWeight", "Backspace 5 Enter", 65.0, 6.8,
                 u"胰岛素：6.5 U", 1},
        Sequence{"HeavyPatientsInsulinIsCapped", "", "150 Enter", 150.0, 6.8,
                 u"胰岛素：10.0 U", 1}));

TEST_F(Keys, AFieldEnteredByTabHasItsTextSelected) {
    Press(state, "ClickWeight Tab");
    EXPECT_EQ(window().focusedSlot, 1);
    EXPECT_TRUE(window().selectedAll[1]);
    Press(state, "ShiftTab");
    EXPECT_EQ(window().focusedSlot, 0);
    EXPECT_TRUE(window().selectedAll[0]) << "even after a click left the caret in it";
}

TEST_F(Keys, AfterAComputationTheResultBoxHasTheFocus) {
    Press(state, "8 Tab 7 Enter");
    ASSERT_EQ(window().focusedSlot, kResultBoxSlot);
    const std::u16string result = window().controls[kResultBoxSlot];
    Press(state, "5");
    EXPECT_EQ(window().controls[kResultBoxSlot], result) << "typing there changes nothing";
    EXPECT_EQ(window().controls[0], u"8");
    EXPECT_EQ(window().controls[1], u"7");
    Press(state, "Tab");
    EXPECT_EQ(window().focusedSlot, 0);
    EXPECT_TRUE(window().selectedAll[0]);
    Press(state, "Enter ShiftTab");
    EXPECT_EQ(window().focusedSlot, kAbout);
    Press(state, "Tab");
    EXPECT_EQ(window().focusedSlot, kResultBoxSlot) << "the last stop while it holds a result";
}

TEST_F(Keys, TheResultBoxIsNoStopOnceTheResultIsDropped) {
    Press(state, "8 Tab 7 Enter ShiftTab ShiftTab");
    ASSERT_EQ(window().focusedSlot, kReset);
    Press(state, "Space");  // reset: the result is gone, the weight focused
    Press(state, "ShiftTab");
    EXPECT_EQ(window().focusedSlot, kAbout);
}

TEST_F(Keys, EnterOnTheWindowItselfDoesNothing) {
    Press(state, "8 Tab 7 Enter");
    ForgetCalls();
    window().focusedSlot = kMainWindowFocus;
    Press(state, "Enter F5 7");
    EXPECT_EQ(window().calls, (std::vector<std::string>{"focused", "focused"}))
        << "each key only looks where the focus is";
    EXPECT_EQ(state.lastInputs[0], 8.0);
}

// Enter presses the focused button, as Space does: Tab to 保存记录 then
// Enter saves instead of computing again.
struct ButtonPress {
    int32_t slot;
    const char16_t* caption;  // of the box the command shows; null: none
    const char16_t* status;   // the status line begins with it
};

void PrintTo(const ButtonPress& press, std::ostream* out) { *out << "button slot " << press.slot; }

class EnterOnAButton : public Keys, public ::testing::WithParamInterface<ButtonPress> {};

TEST_P(EnterOnAButton, PressesIt) {
    window().appDataFolder = u"";  // no folder: a save is told it failed
    Press(state, "8 Tab 7 Enter");
    state.statusLine[0] = 0;
    ForgetCalls();
    FocusControl(state, GetParam().slot);

    Press(state, "Enter");

    if (GetParam().caption) {
        ASSERT_EQ(window().messages.size(), 1u);
        EXPECT_EQ(window().messages[0].caption, GetParam().caption);
    } else {
        EXPECT_TRUE(window().messages.empty());
    }
    EXPECT_EQ(std::u16string(state.statusLine).rfind(GetParam().status, 0), 0u)
        << "status: " << ::testing::PrintToString(std::u16string(state.statusLine));
    const bool computed = GetParam().slot == kCompute;
    EXPECT_EQ(window().readSlots.size(), computed ? 2u : 0u) << "only 计算 reads the fields";
}

// 保存记录 with Enter saves (here: is told it failed) and computes nothing.
INSTANTIATE_TEST_SUITE_P(
    Buttons, EnterOnAButton,
    ::testing::Values(ButtonPress{kCompute, nullptr, u"计算完成  Ordavel"},
                      ButtonPress{kSave, u"保存失败", u"记录保存失败："},
                      ButtonPress{kCopy, nullptr, u"结果已复制到剪贴板"},
                      ButtonPress{kReset, nullptr, u"已恢复默认值"},
                      ButtonPress{kAbout, u"关于本工具", u""}));

// --- The focus rectangle --------------------------------------------------

TEST_F(Keys, AButtonShowsTheFocusFromTheFirstTabUntilTheNextClick) {
    EXPECT_FALSE(state.focusCues) << "not at start-up";
    Press(state, "Tab Tab");
    EXPECT_EQ(window().focusedSlot, kCompute);
    EXPECT_TRUE(state.focusCues);
    EXPECT_TRUE(PointerPressed(state)) << "a press hides the rectangle on show";
    EXPECT_FALSE(state.focusCues);
    EXPECT_FALSE(PointerPressed(state));
    Press(state, "ClickReset");
    EXPECT_FALSE(state.focusCues);
    Press(state, "ShiftTab");
    EXPECT_TRUE(state.focusCues);
}

TEST_F(Keys, KeysDoNothingBeforeStartUp) {
    WindowState unstarted;
    TabKey(unstarted, true);
    EXPECT_FALSE(unstarted.focusCues);
}

}  // namespace
}  // namespace tarn::ui
