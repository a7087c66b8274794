// Tab and Shift+Tab between the fields and the buttons, Space on a button,
// reset back to the first field, and the focus rectangle's rule: what a
// clinician types, key by key, against the fake window.
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
};

void PrintTo(const Step& step, std::ostream* out) {
    *out << step.inputCount << " inputs, " << step.from << (step.forward ? " Tab" : " Shift+Tab");
}

class TabStops : public ::testing::TestWithParam<Step> {};

TEST_P(TabStops, FollowFieldsThenButtonsAndWrap) {
    EXPECT_EQ(NextTabStop(GetParam().inputCount, GetParam().from, GetParam().forward, false),
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
                      // The result box lies between the fields and the buttons.
                      Step{2, kResultBoxSlot, true, kCompute}, Step{2, kResultBoxSlot, false, 1}));

INSTANTIATE_TEST_SUITE_P(
    OtherTools, TabStops,
    ::testing::Values(Step{16, 15, true, kCompute}, Step{16, kCompute, false, 15},
                      Step{16, kAbout, true, 0}, Step{1, 0, true, kCompute},
                      Step{1, 0, false, kAbout}, Step{0, kAbout, true, kCompute},
                      Step{0, kCompute, false, kAbout}, Step{0, kMainWindowSlot, true, kCompute},
                      Step{0, kResultBoxSlot, true, kCompute},
                      Step{0, kResultBoxSlot, false, kAbout},
                      // A slot past the tool's fields is no stop.
                      Step{2, 2, true, 0}, Step{2, 5, true, 0}));

// --- Key sequences ------------------------------------------------------------

// A clinician's keys, separated by blanks: "Tab", "ShiftTab", "Enter" (or
// F5), "Space", "Backspace", "ClickReset", "ClickWeight"; anything else is
// typed.
void Press(WindowState& state, const std::string& keys) {
    std::istringstream words(keys);
    std::string key;
    while (words >> key) {
        if (key == "Tab") fake::user::Tab(state);
        else if (key == "ShiftTab") fake::user::Tab(state, true);
        else if (key == "Enter") fake::user::Enter(state);
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
};

void PrintTo(const Sequence& sequence, std::ostream* out) { *out << sequence.name; }

// Start-up as both windows have it: the defaults in the fields, the first
// one focused with its text selected.
class Keys : public CommandTest {
protected:
    void SetUp() override {
        CommandTest::SetUp();
        TypeInputs(u"60", u"6.8");
        FocusControl(state, 0);
    }
};

class KeySequence : public Keys, public ::testing::WithParamInterface<Sequence> {};

TEST_P(KeySequence, ComputesWhatWasTyped) {
    Press(state, GetParam().before);
    Press(state, GetParam().keys);
    EXPECT_EQ(state.lastInputs[0], GetParam().weight);
    EXPECT_EQ(state.lastInputs[1], GetParam().potassium);
    EXPECT_NE(std::u16string(state.resultCopy).find(GetParam().insulin), std::u16string::npos);
    EXPECT_TRUE(window().questions.empty()) << "every value is a usual one";
    EXPECT_TRUE(window().messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Clinician, KeySequence,
    ::testing::Values(
        Sequence{"TabMovesToThePotassium", "", "8 Tab 5.2 Enter", 8.0, 5.2, u"胰岛素：0.8 U"},
        Sequence{"TabAfterAComputationStartsAtTheWeight", "Enter", "Tab 9 Tab 5.0 Enter", 9.0, 5.0,
                 u"胰岛素：0.9 U"},
        Sequence{"ShiftTabComesBackSelected", "Enter", "Tab Tab ShiftTab 7 Enter", 7.0, 6.8,
                 u"胰岛素：0.7 U"},
        Sequence{"ResetGoesBackToTheWeight", "45 Tab 5.5 Enter", "ClickReset 12 Enter", 12.0, 6.8,
                 u"胰岛素：1.2 U"},
        Sequence{"SpaceOnResetGoesBackToTheWeight", "Enter",
                 "ShiftTab ShiftTab Space 12 Enter", 12.0, 6.8, u"胰岛素：1.2 U"},
        Sequence{"TabRoundTheButtonsWrapsToTheWeight", "Tab",
                 "Tab Tab Tab Tab Tab Tab 3 Enter", 3.0, 6.8, u"胰岛素：0.3 U"},
        Sequence{"SpaceOnComputeComputes", "", "30 Tab Tab Space", 30.0, 6.8, u"胰岛素：3.0 U"},
        Sequence{"SpaceOnComputeAfterTabs", "", "20 Tab 4 Tab Space", 20.0, 4.0,
                 u"胰岛素：2.0 U"},
        Sequence{"BackspaceEditsTheCaretEnd", "ClickWeight", "Backspace 5 Enter", 65.0, 6.8,
                 u"胰岛素：6.5 U"},
        Sequence{"HeavyPatientsInsulinIsCapped", "", "150 Enter", 150.0, 6.8,
                 u"胰岛素：10.0 U"}));

TEST_F(Keys, AFieldEnteredByTabHasItsTextSelected) {
    Press(state, "ClickWeight Tab");
    EXPECT_EQ(window().focusedSlot, 1);
    EXPECT_TRUE(window().selectedAll[1]);
    Press(state, "ShiftTab");
    EXPECT_EQ(window().focusedSlot, 0);
    EXPECT_TRUE(window().selectedAll[0]) << "even after a click left the caret in it";
}

TEST_F(Keys, TabFromTheWindowItselfReachesTheFirstFieldAndShiftTabAbout) {
    Press(state, "Enter");
    ASSERT_EQ(window().focusedSlot, kMainWindowFocus);
    Press(state, "Tab");
    EXPECT_EQ(window().focusedSlot, 0);
    Press(state, "Enter ShiftTab");
    EXPECT_EQ(window().focusedSlot, kAbout);
}

TEST_F(Keys, EnterOnTheWindowItselfDoesNothing) {
    Press(state, "Enter");
    const size_t calls = window().calls.size();
    Press(state, "Enter 7");
    EXPECT_EQ(window().calls.size(), calls);
    EXPECT_EQ(state.lastInputs[0], 60.0);
}

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
