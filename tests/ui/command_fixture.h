// Shared set-up of the command tests: a window state started with a tool,
// the fake window watching it, and a few test tools besides Ordavel.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/descriptor.h"
#include "tests/support/fake_window.h"
#include "ui/commands.h"
#include "ui/window_state.h"

namespace tarn::ui {

// The report of Ordavel at 60 kg, four lines of 59 characters in all.
inline constexpr char16_t kDefaultReport[] =
    u"10% 葡萄糖酸钙：20.0 ml\r\n胰岛素：6.0 U\r\n葡萄糖：30.0 g\r\n50% 葡萄糖：60.0 ml\r\n";
inline constexpr char16_t kSevereVerdict[] = u"重度高钾，立即处理并持续心电监护";
inline constexpr char16_t kModerateVerdict[] = u"中度高钾：立即做心电图，有改变按重度处理";
inline constexpr char16_t kMildVerdict[] = u"轻度高钾：做心电图，停用升钾药物，复查血钾";
inline constexpr char16_t kNormalVerdict[] = u"血钾未升高，无需降钾急救用药";
// The report when no dose is shown (potassium below 5.5).
inline constexpr char16_t kNoDoseReport[] = u"血钾 <5.5 mmol/L：不计算降钾急救用药\r\n";
inline constexpr char16_t kLowVerdict[] = u"血钾偏低，不宜使用胰岛素，请复核血钾";

// What a command may change, copied out for before/after comparison.
struct Snapshot {
    int32_t level;
    std::u16string resultCopy;
    std::u16string lastResultText;
    std::u16string status;
    std::vector<double> lastInputs;
    std::vector<std::u16string> controls;
};

Snapshot TakeSnapshot(const WindowState& state);
void ExpectSameState(const Snapshot& before, const Snapshot& after);

// Splits a message text at CR LF.
std::vector<std::u16string> Lines(const std::u16string& text);

// A built-in report kind (the staff rota): inputs "nurses" and "days".
const ToolDescriptor& RotaTool();
// A formula tool whose report is far longer than the clipboard body.
const ToolDescriptor& LongReportTool();
// Three inputs, no note, no units.
const ToolDescriptor& ThreeInputTool();

// The fake window's hook around each service call: the fake's records are
// kept on the heap, and are not the commands' allocations.
void PauseCountingWhileRecording(bool started);

class CommandTest : public ::testing::Test {
protected:
    void SetUp() override { StartWith(CurrentTool()); }

    // A fresh fake window with empty controls, the state started over it.
    void StartWith(const ToolDescriptor& tool) {
        fake_ = fake::FakeWindow{};
        fake_.recording = PauseCountingWhileRecording;
        fake::Start(state, tool, fake_);
    }
    fake::FakeWindow& window() { return fake_; }
    // What the user typed into a field: it counts as entered.
    void Type(int32_t slot, const std::u16string& text) {
        fake_.controls[slot] = text;
        if (slot >= 0 && slot < kMaxInputs) state.entered[slot] = true;
    }
    // What the program put into a field (its default): not entered.
    void Prefill(int32_t slot, const std::u16string& text) { fake_.controls[slot] = text; }
    void TypeInputs(const std::u16string& weight, const std::u16string& potassium) {
        Type(0, weight);
        Type(1, potassium);
    }
    // Forgets the recorded calls, keeps what the controls show.
    void ForgetCalls() { fake::ForgetCalls(fake_); }

    WindowState state;

private:
    fake::FakeWindow fake_;
};

}  // namespace tarn::ui
