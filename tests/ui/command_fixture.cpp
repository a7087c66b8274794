#include "tests/ui/command_fixture.h"

#include <optional>

#include "tests/support/allocation_counter.h"

namespace tarn::ui {

void PauseCountingWhileRecording(bool started) {
    static std::optional<allocation::PausedCounting> paused;
    if (started) paused.emplace();
    else paused.reset();
}

Snapshot TakeSnapshot(const WindowState& state) {
    Snapshot snapshot{state.currentLevel, state.resultCopy, state.lastResultText,
                      state.statusLine, {}, {}};
    snapshot.lastInputs.assign(std::begin(state.lastInputs), std::end(state.lastInputs));
    for (const std::u16string& text : fake::WindowOf(state).controls) {
        snapshot.controls.push_back(text);
    }
    return snapshot;
}

void ExpectSameState(const Snapshot& before, const Snapshot& after) {
    EXPECT_EQ(before.level, after.level);
    EXPECT_EQ(before.resultCopy, after.resultCopy);
    EXPECT_EQ(before.lastResultText, after.lastResultText);
    EXPECT_EQ(before.status, after.status);
    EXPECT_EQ(before.lastInputs, after.lastInputs);
    EXPECT_EQ(before.controls, after.controls);
}

std::vector<std::u16string> Lines(const std::u16string& text) {
    std::vector<std::u16string> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(u"\r\n", start);
        lines.push_back(text.substr(start, end == std::u16string::npos ? end : end - start));
        if (end == std::u16string::npos) return lines;
        start = end + 2;
    }
}

const ToolDescriptor& RotaTool() {
    static constexpr InputField inputs[] = {
        {"nurses", u"人数", u"人", 3.0},
        {"days", u"天数", u"天", 3.0},
    };
    static constexpr ToolDescriptor tool = {
        901, u"排班", nullptr, u"护理", u"科室排班", nullptr,
        2, inputs, 0, nullptr, 0, nullptr, 1,
    };
    return tool;
}

const ToolDescriptor& LongReportTool() {
    // Each report line is cut at 255 characters; eight of them pass 1023.
    static const std::u16string label(240, u'长');
    static const OutputField outputs[] = {
        {"a", label.c_str(), nullptr, "1", "f0"}, {"b", label.c_str(), nullptr, "2", "f0"},
        {"c", label.c_str(), nullptr, "3", "f0"}, {"d", label.c_str(), nullptr, "4", "f0"},
        {"e", label.c_str(), nullptr, "5", "f0"}, {"f", label.c_str(), nullptr, "6", "f0"},
        {"g", label.c_str(), nullptr, "7", "f0"}, {"h", label.c_str(), nullptr, "8", "f0"},
    };
    static constexpr VerdictRule rules[] = {{"", 1, u"长报告"}};
    static const ToolDescriptor tool = {
        902, u"长", u"", u"测试", u"无", u"",
        0, nullptr, 8, outputs, 1, rules, kFormulaTool,
    };
    return tool;
}

const ToolDescriptor& ThreeInputTool() {
    static constexpr InputField inputs[] = {
        {"a", u"甲", nullptr, 1.5},
        {"b", u"乙", u"", 1234567.0},
        {"c", u"丙", nullptr, -0.25},
    };
    static constexpr OutputField outputs[] = {{"sum", u"和", nullptr, "a+b+c", "f2"}};
    static constexpr VerdictRule rules[] = {{"sum>10", 2, u"偏大"}, {"", 0, u"正常"}};
    static constexpr ToolDescriptor tool = {
        903, u"三项", nullptr, u"测试", u"无", nullptr,
        3, inputs, 1, outputs, 2, rules, kFormulaTool,
    };
    return tool;
}

}  // namespace tarn::ui
