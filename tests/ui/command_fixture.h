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
inline constexpr char16_t kModerateVerdict[] = u"中度高钾，限制含钾食物与药物，复查";
inline constexpr char16_t kNormalVerdict[] = u"血钾在可接受范围，继续监测";
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
    void Type(int32_t slot, const std::u16string& text) { fake_.controls[slot] = text; }
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
