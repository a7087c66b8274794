// Enter and F5: compute while a field or the report has the focus, F5 from
// a button too, consumed there; Enter or Space on a button presses it;
// nothing while the window itself has it. Tab and Shift+Tab, and the report
// that takes the focus after a computation.
#include <FL/Fl.H>

#include <string>
#include <tuple>
#include <vector>

#include "tests/ui/fltk/window_fixture.h"

namespace tarn::fltk::test {
namespace {

constexpr char kReady[] = "就绪：填写参数后按 F5 或点击“计算”";
constexpr char kComputed[] = "计算完成  Ordavel";
constexpr char kSevere[] = "重度高钾，立即处理并持续心电监护";
constexpr char kModerate[] = "中度高钾：立即做心电图，有改变按重度处理";
constexpr char kPrompt[] = "填写左侧参数，点击“计算”";
constexpr char kReport[] =
    "10% 葡萄糖酸钙：20.0 ml\n胰岛素：6.0 U\n葡萄糖：30.0 g\n50% 葡萄糖：60.0 ml\n";

enum class Target { FirstInput, SecondInput, Report, ComputeButton, CopyButton, AboutButton };

struct KeyCase {
    Target target;
    int key;
    const char* name;
};

void PrintTo(const KeyCase& keyCase, std::ostream* out) { *out << keyCase.name; }

class ComputeKeyTest : public WindowTest, public ::testing::WithParamInterface<KeyCase> {
protected:
    Fl_Widget& Widget(Target target) {
        switch (target) {
            case Target::FirstInput: return *front().inputEdits[0];
            case Target::SecondInput: return *front().inputEdits[1];
            case Target::Report: return *front().resultBox;
            case Target::ComputeButton: return *front().buttons[0];
            case Target::CopyButton: return *front().buttons[2];
            case Target::AboutButton: return *front().buttons[4];
        }
        return window();
    }
};

TEST_P(ComputeKeyTest, RunsComputeAndGoesNoFurther) {
    EnterInputs("60", "6.8");
    Fl_Widget& target = Widget(GetParam().target);
    target.take_focus();
    ASSERT_EQ(Fl::focus(), &target);
    int used = 0;
    // A button that also fired would open its message box or change the status.
    const std::vector<SeenMessage> messages =
        WithMessages([&] { used = PressKey(GetParam().key); });
    EXPECT_EQ(used, 1);
    EXPECT_TRUE(messages.empty()) << messages.front().caption;
    EXPECT_EQ(Status(), kComputed);
    EXPECT_EQ(VerdictText(), kSevere);
    EXPECT_EQ(ResultText(), kReport);
    EXPECT_EQ(front().state.currentLevel, 3);
    EXPECT_EQ(Fl::focus(), front().resultBox);
    EXPECT_EQ(InputText(0), "60");
    EXPECT_EQ(InputText(1), "6.8");
}

INSTANTIATE_TEST_SUITE_P(
    EveryControl, ComputeKeyTest,
    ::testing::Values(KeyCase{Target::FirstInput, FL_F + 5, "F5InFirstInput"},
                      KeyCase{Target::FirstInput, FL_Enter, "EnterInFirstInput"},
                      KeyCase{Target::SecondInput, FL_KP_Enter, "KeypadEnterInSecondInput"},
                      KeyCase{Target::Report, FL_F + 5, "F5InReport"},
                      KeyCase{Target::Report, FL_Enter, "EnterInReport"},
                      KeyCase{Target::ComputeButton, FL_Enter, "EnterOnCompute"},
                      KeyCase{Target::CopyButton, FL_F + 5, "F5OnCopy"},
                      KeyCase{Target::AboutButton, FL_F + 5, "F5OnAbout"}),
    [](const ::testing::TestParamInfo<KeyCase>& param) { return std::string(param.param.name); });

using WindowKeyTest = WindowTest;

TEST_F(WindowKeyTest, EnterAndF5DoNothingWhileTheWindowHasTheFocus) {
    Fl::focus(&window());
    for (int key : {FL_Enter, FL_F + 5, FL_KP_Enter}) {
        const std::vector<SeenMessage> messages = WithMessages([&] { PressKey(key); });
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(Status(), kReady) << key;
        EXPECT_EQ(VerdictText(), kPrompt) << key;
        EXPECT_EQ(ResultText(), "") << key;
    }
}

TEST_F(WindowKeyTest, ShortcutWorksAgainOnceAControlHasTheFocus) {
    EnterInputs("60", "6.8");
    PressKey(FL_F + 5);
    ASSERT_EQ(VerdictText(), kSevere);
    SetInputText(1, "6.0");
    Fl::focus(&window());
    PressKey(FL_F + 5);
    EXPECT_EQ(VerdictText(), kSevere);
    EXPECT_EQ(front().state.currentLevel, 3);

    Click(*front().inputEdits[1]);
    ASSERT_EQ(Fl::focus(), front().inputEdits[1]);
    PressKey(FL_Enter);
    EXPECT_EQ(VerdictText(), kModerate);
    EXPECT_EQ(front().state.currentLevel, 2);
}

TEST_F(WindowKeyTest, OtherKeysStillReachTheFocusedControl) {
    Fl_Input& edit = *front().inputEdits[0];
    edit.take_focus();
    edit.position(edit.size());
    Fl::e_keysym = '5';
    static char five[] = "5";
    Fl::e_text = five;
    Fl::e_length = 1;
    Fl::e_state = 0;
    Fl::handle(FL_KEYBOARD, &window());
    EXPECT_EQ(InputText(0), "605");
    EXPECT_EQ(Status(), kReady);
}

TEST_F(WindowKeyTest, SpaceOnAFocusedButtonPressesIt) {
    EnterInputs("60", "6.8");
    PressKey(FL_F + 5);
    front().buttons[3]->take_focus();  // reset
    PressKey(' ');
    EXPECT_EQ(Status(), "已恢复默认值");
    EXPECT_EQ(VerdictText(), kPrompt);
}

// --- Tab and Shift+Tab ---------------------------------------------------------

bool WholeTextSelected(const Fl_Input& edit) {
    return edit.size() > 0 && edit.mark() == 0 && edit.position() == edit.size();
}

TEST_F(WindowKeyTest, TabWalksTheFieldsThenTheButtonsAndWraps) {
    const std::vector<Fl_Widget*> stops = {front().inputEdits[1], front().buttons[0],
                                           front().buttons[1],    front().buttons[2],
                                           front().buttons[3],    front().buttons[4],
                                           front().inputEdits[0]};
    for (Fl_Widget* stop : stops) {
        EXPECT_EQ(PressKey(FL_Tab), 1);
        EXPECT_EQ(Fl::focus(), stop);
    }
    EXPECT_TRUE(WholeTextSelected(*front().inputEdits[0])) << "entered by Tab";
    for (auto stop = stops.rbegin() + 1; stop != stops.rend(); ++stop) {
        PressKey(FL_Tab, FL_SHIFT);
        EXPECT_EQ(Fl::focus(), *stop);
    }
    PressKey(FL_Tab, FL_SHIFT);
    ASSERT_EQ(Fl::focus(), front().inputEdits[0]);
    PressKey(FL_Tab, FL_SHIFT);
    EXPECT_EQ(Fl::focus(), front().buttons[4]) << "Shift+Tab from the weight wraps to 关于";
    EXPECT_EQ(InputText(0), "60") << "Tab is never typed";
    EXPECT_EQ(InputText(1), "6.8");
}

TEST_F(WindowKeyTest, TabFromTheWindowItselfStartsAtTheWeight) {
    EnterInputs("60", "6.8");
    PressKey(FL_F + 5);
    Fl::focus(&window());
    PressKey(FL_Tab);
    EXPECT_EQ(Fl::focus(), front().inputEdits[0]);
    EXPECT_TRUE(WholeTextSelected(*front().inputEdits[0]));
    Fl::focus(&window());
    PressKey(0xFE20);  // X's own key for Shift+Tab
    EXPECT_EQ(Fl::focus(), front().resultBox) << "the last stop while it holds a result";
    EXPECT_EQ(VerdictText(), kSevere) << "moving the focus keeps the result";
}

// --- The report after a computation ----------------------------------------

TEST_F(WindowKeyTest, AfterAComputationTheReportHasTheFocusAsTheLastStop) {
    EnterInputs("60", "6.8");
    PressKey(FL_F + 5);
    ASSERT_EQ(VerdictText(), kSevere);
    EXPECT_EQ(Fl::focus(), front().resultBox);
    EXPECT_TRUE(front().resultBox->ShowsFocus());
    // Tab from it goes round to the weight, its text selected.
    PressKey(FL_Tab);
    EXPECT_EQ(Fl::focus(), front().inputEdits[0]);
    EXPECT_TRUE(WholeTextSelected(*front().inputEdits[0]));
    EXPECT_FALSE(front().resultBox->ShowsFocus());
    // Shift+Tab comes back to it from the weight, and goes on to 关于.
    PressKey(FL_Tab, FL_SHIFT);
    EXPECT_EQ(Fl::focus(), front().resultBox);
    PressKey(FL_Tab, FL_SHIFT);
    EXPECT_EQ(Fl::focus(), front().buttons[4]);
    // From 关于, Tab comes to it again.
    PressKey(FL_Tab);
    EXPECT_EQ(Fl::focus(), front().resultBox);
    EXPECT_EQ(VerdictText(), kSevere);
}

TEST_F(WindowKeyTest, TypingInTheReportChangesNothing) {
    EnterInputs("60", "6.8");
    PressKey(FL_F + 5);
    ASSERT_EQ(Fl::focus(), front().resultBox);
    const std::string report = ResultText();
    for (int key : {int{'x'}, int{'7'}, int{FL_BackSpace}, int{FL_Delete}}) {
        if (key < 128) {
            const char text[2] = {static_cast<char>(key), 0};
            TypeText(text);
        } else {
            PressKey(key);
        }
        EXPECT_EQ(ResultText(), report) << key;
        EXPECT_EQ(Fl::focus(), front().resultBox) << key;
    }
    EXPECT_EQ(InputText(0), "60");
    EXPECT_EQ(InputText(1), "6.8");
    EXPECT_EQ(Status(), kComputed) << "the result is still the fields'";
    EXPECT_EQ(VerdictText(), kSevere);
}

TEST_F(WindowKeyTest, EnterInTheReportComputesAgain) {
    EnterInputs("60", "6.8");
    PressKey(FL_F + 5);
    ASSERT_EQ(Fl::focus(), front().resultBox);
    SetInputText(1, "6.2");  // the program's text: the result stays on show
    ASSERT_EQ(VerdictText(), kSevere);
    PressKey(FL_Enter);
    EXPECT_EQ(VerdictText(), kModerate);
    EXPECT_EQ(Fl::focus(), front().resultBox);
}

// Enter on each focused button presses it, as Space does, and runs that
// button's command only.
struct ButtonCase {
    int button;
    const char* caption;  // of the box the command opens; "" for none
    const char* status;   // after it
};

void PrintTo(const ButtonCase& buttonCase, std::ostream* out) { *out << buttonCase.button; }

class ButtonKeyTest : public WindowTest,
                      public ::testing::WithParamInterface<std::tuple<ButtonCase, int>> {};

TEST_P(ButtonKeyTest, PressesTheFocusedButton) {
    const auto& [button, key] = GetParam();
    EnterInputs("55", "7.0");
    PressKey(FL_F + 5);  // a result for save and copy to use
    ASSERT_EQ(front().state.currentLevel, 3);
    SetInputText(0, "60");  // compute would show 60 kg; the others keep 55
    PaintedButton& target = *front().buttons[button.button];
    target.take_focus();
    ASSERT_EQ(Fl::focus(), &target);
    int used = 0;
    const std::vector<SeenMessage> messages = WithMessages([&] { used = PressKey(key); });
    EXPECT_EQ(used, 1);
    if (button.caption[0] == 0) {
        EXPECT_TRUE(messages.empty()) << messages.front().caption;
    } else {
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].caption, button.caption);
    }
    EXPECT_EQ(Status().rfind(button.status, 0), 0u) << Status();
    const bool computed = button.button == 0;
    EXPECT_EQ(front().state.lastInputs[0], computed ? 60.0 : 55.0) << "computed only by 计算";
}

INSTANTIATE_TEST_SUITE_P(
    EveryButton, ButtonKeyTest,
    ::testing::Combine(::testing::Values(ButtonCase{0, "", "计算完成"},
                                         ButtonCase{1, "已保存", "记录已保存："},
                                         ButtonCase{2, "", "结果已复制到剪贴板"},
                                         ButtonCase{3, "", "已恢复默认值"},
                                         ButtonCase{4, "关于本工具", "计算完成"}),
                       ::testing::Values(int{FL_Enter}, int{FL_KP_Enter}, int{' '})),
    [](const ::testing::TestParamInfo<std::tuple<ButtonCase, int>>& param) {
        const int key = std::get<1>(param.param);
        return "Button" + std::to_string(std::get<0>(param.param).button) +
               (key == ' ' ? "Space" : key == FL_Enter ? "Enter" : "KeypadEnter");
    });

// The dotted focus rectangle 4 pixels inside a button, in its caption colour.
class FocusRectangleTest : public WindowTest {
protected:
    // Caption-coloured pixels on the rectangle's top row.
    int DotsOn(const Fl_Widget& button, uint32_t caption) {
        Pump();
        return CountColour(button.x() + 4, button.y() + 4, button.w() - 8, 1, caption);
    }
};

TEST_F(FocusRectangleTest, ShowsFromTheKeyboardUntilTheNextClick) {
    PaintedButton& compute = *front().buttons[0];
    PaintedButton& copy = *front().buttons[2];
    EXPECT_EQ(DotsOn(compute, 0xFFFFFF), 0) << "not at start-up";
    PressKey(FL_Tab);
    PressKey(FL_Tab);
    ASSERT_EQ(Fl::focus(), &compute);
    EXPECT_EQ(DotsOn(compute, 0xFFFFFF), (compute.w() - 8 + 1) / 2) << "every other pixel";
    PressKey(FL_Tab);
    PressKey(FL_Tab);
    ASSERT_EQ(Fl::focus(), &copy);
    EXPECT_EQ(DotsOn(compute, 0xFFFFFF), 0) << "gone with the focus";
    EXPECT_GT(DotsOn(copy, 0x2C3842), 50);
    WithMessages([&] { Click(copy); });  // no result yet: a prompt
    ASSERT_EQ(Fl::focus(), &copy);
    EXPECT_EQ(DotsOn(copy, 0x2C3842), 0) << "none after a click";
    PressKey(FL_Tab, FL_SHIFT);
    EXPECT_GT(DotsOn(*front().buttons[1], 0x2C3842), 50) << "the keyboard shows it again";
}

}  // namespace
}  // namespace tarn::fltk::test
