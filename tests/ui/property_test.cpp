// What the clinician sees is what is dosed: random runs of a clinician's
// actions (typing digits and points, Backspace, Tab and Shift+Tab, clicking
// a field, Enter, the buttons, Space, Yes or No to a question) against the
// fake window. After every step:
//   - a result on screen is exactly the computation of the field texts on
//     screen, and it was computed from those very texts;
//   - every field it was computed from was typed into, or its default was
//     confirmed with a Yes;
//   - the clipboard and the last saved record hold the result on screen;
//   - Tab lands on the next stop, and a field it lands on is replaced by
//     what is typed next, as after reset.
// A failure prints the shortest run of steps that still fails.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "computation/computation.h"
#include "engine/format.h"
#include "records/record_log.h"
#include "tests/support/fake_window.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/text.h"
#include "ui/commands.h"
#include "ui/keyboard.h"

namespace tarn::ui {
namespace {

namespace user = fake::user;

enum class Action {
    Digit,
    Point,
    Backspace,
    Tab,
    ShiftTab,
    ClickField,
    Enter,
    Space,
    Compute,
    Copy,
    Save,
    Reset
};

struct Step {
    Action action;
    char16_t character;  // the digit typed
    int32_t field;       // the field clicked
    // The answers to the questions this step may ask: a default nobody
    // typed and an unusual value, for each field.
    bool yes[4];
};

std::string StepName(const Step& step) {
    static const char* const kNames[] = {"type ",          ".",
                                         "Backspace",      "Tab",
                                         "Shift+Tab",      "click field ",
                                         "Enter",          "Space",
                                         "click 计算",     "click 复制结果",
                                         "click 保存记录", "click 清空重填"};
    std::string text = kNames[static_cast<int>(step.action)];
    if (step.action == Action::Digit) text += static_cast<char>(step.character);
    if (step.action == Action::ClickField) text += std::to_string(step.field);
    if (step.action == Action::Enter || step.action == Action::Space ||
        step.action == Action::Compute) {
        text += " (answers ";
        for (const bool yes : step.yes) text += yes ? "Y" : "N";
        text += ")";
    }
    return text;
}

std::string StepList(const std::vector<Step>& steps) {
    std::string text;
    for (size_t i = 0; i < steps.size(); ++i) {
        text += "\n  " + std::to_string(i + 1) + ". " + StepName(steps[i]);
    }
    return text;
}

// The actions, weighted as a clinician at the keyboard does them.
Step RandomStep(std::mt19937& random) {
    static const struct {
        Action action;
        int weight;
    } kWeights[] = {{Action::Digit, 30}, {Action::Point, 4},    {Action::Backspace, 8},
                    {Action::Tab, 10},   {Action::ShiftTab, 4}, {Action::ClickField, 6},
                    {Action::Enter, 10}, {Action::Space, 6},    {Action::Compute, 3},
                    {Action::Copy, 6},   {Action::Save, 3},     {Action::Reset, 3}};
    int total = 0;
    for (const auto& one : kWeights) total += one.weight;
    int pick = std::uniform_int_distribution<int>(0, total - 1)(random);
    Step step = {Action::Digit, u'0', 0, {true, true, true, true}};
    for (const auto& one : kWeights) {
        if (pick < one.weight) {
            step.action = one.action;
            break;
        }
        pick -= one.weight;
    }
    step.character = static_cast<char16_t>(u'0' + std::uniform_int_distribution<int>(0, 9)(random));
    step.field = std::uniform_int_distribution<int>(0, 1)(random);
    for (bool& yes : step.yes) yes = std::bernoulli_distribution(0.7)(random);
    return step;
}

constexpr platform::LocalDateTime kSaveTime = {2026, 12, 8, 14, 30, 5};

// One run of steps on a freshly opened window: the defaults in the fields,
// the weight focused with its text selected.
class ClinicianRun {
public:
    ClinicianRun() {
        window_.appDataFolder = Folder().text();
        window_.localTime = kSaveTime;
        fake::Start(state_, CurrentTool(), window_);
        for (int32_t i = 0; i < 2; ++i) {
            char16_t text[64];
            FormatDefaultValue(CurrentTool().inputs[i].defaultValue, text, 64);
            window_.controls[i] = text;
        }
        FocusControl(state_, 0);
    }

    // The window, for a test that tampers with it behind the commands' back.
    fake::FakeWindow& Window() { return window_; }
    int32_t Results() const { return results_; }

    // Takes one step; returns what went wrong, if anything. The window
    // answers the step's questions as `step` says, unless a test makes it
    // answer otherwise behind the run's back.
    std::optional<std::string> Take(const Step& step,
                                    std::optional<std::vector<bool>> answersGiven = {}) {
        window_.answers = answersGiven ? *answersGiven
                                       : std::vector<bool>(std::begin(step.yes), std::end(step.yes));
        const int32_t focusBefore = window_.focusedSlot;
        const std::optional<std::u16string> clipboardBefore = window_.clipboard;
        Do(step);
        NoteConfirmedDefaults(step);
        if (auto fault = CheckKeyboard(step, focusBefore)) return fault;
        if (auto fault = CheckEntered()) return fault;
        if (auto fault = CheckResult()) return fault;
        if (auto fault = CheckClipboard(clipboardBefore)) return fault;
        if (auto fault = CheckRecord()) return fault;
        Forget();
        return std::nullopt;
    }

private:
    void Do(const Step& step) {
        const bool pressed = step.action == Action::Space || step.action == Action::Enter;
        resetNow_ = step.action == Action::Reset || (pressed && Focused() == kFirstButtonSlot + 3);
        if (resetNow_) typedOrConfirmed_[0] = typedOrConfirmed_[1] = false;
        switch (step.action) {
            case Action::Digit:
                Type(std::u16string(1, step.character));
                break;
            case Action::Point:
                Type(u".");
                break;
            case Action::Backspace:
                NoteTyped();
                user::Backspace(state_);
                NoteEdit();
                break;
            case Action::Tab:
                user::Tab(state_);
                break;
            case Action::ShiftTab:
                user::Tab(state_, true);
                break;
            case Action::ClickField:
                user::ClickField(state_, step.field);
                break;
            case Action::Enter:
                user::Enter(state_);
                break;
            case Action::Space:
                user::Space(state_);
                break;
            case Action::Compute:
                user::ClickButton(state_, kComputeId);
                break;
            case Action::Copy:
                user::ClickButton(state_, kCopyId);
                break;
            case Action::Save:
                user::ClickButton(state_, kSaveId);
                break;
            case Action::Reset:
                user::ClickButton(state_, kResetId);
                break;
        }
        if (Computed()) {
            computedFrom_ = Fields();
            ++results_;
        }
        // A field that Tab, Shift+Tab or reset moved to is replaced by what
        // is typed next.
        const bool moved = step.action == Action::Tab || step.action == Action::ShiftTab;
        replaceNext_ = (moved || resetNow_) && Focused() >= 0 && Focused() < 2;
    }

    void Type(const std::u16string& text) {
        const int32_t field = Focused();
        const bool replaces = replaceNext_ && field >= 0 && field < 2;
        const std::u16string before = field >= 0 && field < 2 ? window_.controls[field] : u"";
        NoteTyped();
        user::Type(state_, text);
        NoteEdit();
        if (replaces && window_.controls[field] != text) {
            typedOverSelection_ = "typing \"" + testing::Utf8(text) + "\" into field " +
                                  std::to_string(field) + " entered by the keyboard left \"" +
                                  testing::Utf8(window_.controls[field]) + "\" (was \"" +
                                  testing::Utf8(before) + "\")";
        }
    }

    void NoteEdit() { replaceNext_ = false; }

    void NoteTyped() {
        if (Focused() >= 0 && Focused() < 2) typedOrConfirmed_[Focused()] = true;
    }

    // The questions of this step, answered in order: a Yes to "“体重”仍是
    // 预填的…" confirms that default.
    void NoteConfirmedDefaults(const Step& step) {
        static const char16_t* const kAsked[] = {u"“体重”仍是预填的", u"“血钾”仍是预填的"};
        for (size_t j = 0; j < window_.questions.size() && j < 4; ++j) {
            for (int32_t field = 0; field < 2; ++field) {
                if (window_.questions[j].text.rfind(kAsked[field], 0) == 0 && step.yes[j]) {
                    typedOrConfirmed_[field] = true;
                }
            }
        }
    }

    // A result of this step was computed only from fields typed into or
    // whose default was confirmed.
    std::optional<std::string> CheckEntered() const {
        if (!Computed()) return std::nullopt;
        for (int32_t field = 0; field < 2; ++field) {
            if (!typedOrConfirmed_[field]) {
                return "a result was computed from the default of field " + std::to_string(field) +
                       ", neither typed nor confirmed";
            }
        }
        return std::nullopt;
    }

    int32_t Focused() const { return window_.focusedSlot; }

    // The compute command ran to a result in this step: only it repaints
    // the verdict line.
    bool Computed() const { return Called("repaint verdict"); }

    bool Called(const std::string& service) const {
        for (const std::string& call : window_.calls) {
            if (call == service) return true;
        }
        return false;
    }

    std::vector<std::u16string> Fields() const {
        return {window_.controls[0], window_.controls[1]};
    }

    std::optional<std::string> CheckKeyboard(const Step& step, int32_t focusBefore) {
        if (!typedOverSelection_.empty()) return typedOverSelection_;
        if (resetNow_ && Focused() != 0) {
            return "reset left the focus on slot " + std::to_string(Focused()) + ", not the weight";
        }
        if (step.action != Action::Tab && step.action != Action::ShiftTab) return std::nullopt;
        const int32_t expected =
            ExpectedStop(focusBefore, step.action == Action::Tab, state_.resultCopy[0] != 0);
        if (Focused() == expected) return std::nullopt;
        return "Tab from slot " + std::to_string(focusBefore) + " went to slot " +
               std::to_string(Focused()) + ", not " + std::to_string(expected);
    }

    // The round: weight, potassium, then 计算, 保存记录, 复制结果, 清空重填, 关于,
    // and the result box while it holds a result.
    static int32_t ExpectedStop(int32_t from, bool forward, bool resultShown) {
        static const int32_t kRound[] = {0,
                                         1,
                                         kFirstButtonSlot,
                                         kFirstButtonSlot + 1,
                                         kFirstButtonSlot + 2,
                                         kFirstButtonSlot + 3,
                                         kFirstButtonSlot + 4,
                                         kResultBoxSlot};
        const int32_t stops = resultShown ? 8 : 7;
        if (from == kResultBoxSlot && !resultShown) return forward ? kFirstButtonSlot : 1;
        for (int32_t i = 0; i < stops; ++i) {
            if (kRound[i] == from) return kRound[(i + (forward ? 1 : stops - 1)) % stops];
        }
        return forward ? kRound[0] : kRound[stops - 1];
    }

    // A result on screen is the computation of the fields on screen, made
    // from those very texts.
    std::optional<std::string> CheckResult() {
        const std::u16string& shownReport = window_.controls[kResultBoxSlot];
        const std::u16string& shownVerdict = window_.controls[kVerdictLineSlot];
        const bool resultKept = state_.resultCopy[0] != 0;
        if (!resultKept) {
            if (!shownReport.empty()) return "a report is on screen with no result kept";
            if (shownVerdict != kVerdictPrompt && !shownVerdict.empty()) {
                return "a verdict is on screen with no result kept";
            }
            return std::nullopt;
        }
        if (Fields() != computedFrom_) {
            return "the result on screen was computed from \"" + testing::Utf8(computedFrom_[0]) +
                   "\", \"" + testing::Utf8(computedFrom_[1]) + "\", the fields show \"" +
                   testing::Utf8(window_.controls[0]) + "\", \"" +
                   testing::Utf8(window_.controls[1]) + "\"";
        }
        double values[kMaxInputs] = {};
        for (int32_t i = 0; i < 2; ++i) {
            if (!ParseInputField(window_.controls[i].c_str(), &values[i])) {
                return "a result is on screen for a field that is not a number";
            }
        }
        char16_t report[4096];
        char16_t verdict[512];
        char16_t copy[8192];
        int32_t level = -1;
        ToolComputation(CurrentTool(), values, report, 4096, verdict, 512, &level, copy, 8192);
        if (shownReport != report || shownVerdict != verdict || state_.currentLevel != level ||
            std::u16string(state_.resultCopy) != report) {
            return "the result on screen is not the computation of the fields on screen";
        }
        expectedClipboard_ = std::u16string(u"Ordavel\r\n") + report + u"\u2014\u2014 " + verdict;
        for (int32_t i = 0; i < 2; ++i) shownValues_[i] = values[i];
        return std::nullopt;
    }

    std::optional<std::string> CheckClipboard(const std::optional<std::u16string>& before) {
        if (window_.clipboard == before || !window_.clipboard) return std::nullopt;
        if (state_.resultCopy[0] == 0) return "the clipboard was written with no result on screen";
        if (*window_.clipboard != expectedClipboard_) {
            return "the clipboard does not hold the result on screen";
        }
        return std::nullopt;
    }

    // A save of this step asked for the folder; the file then holds its
    // record alone, and is removed for the next one.
    std::optional<std::string> CheckRecord() {
        if (!Called("app data")) return std::nullopt;
        const std::string saved = testing::ReadBytes(RecordFile());
        std::error_code ignored;
        testing::fs::remove(RecordFile(), ignored);
        if (saved.empty()) return std::nullopt;
        if (state_.resultCopy[0] == 0) return "a record was saved with no result on screen";
        char16_t line[records::kRecordLineCapacity];
        records::BuildRecordLine(CurrentTool(), shownValues_, state_.resultCopy, kSaveTime, line,
                                 records::kRecordLineCapacity);
        const std::string expected = testing::Utf8(line);
        if (saved.size() < expected.size() ||
            saved.compare(saved.size() - expected.size(), expected.size(), expected) != 0) {
            return "the saved record does not hold the result and the fields on screen";
        }
        return std::nullopt;
    }

    static testing::fs::path RecordFile() {
        return Folder().path() / "TarnMedSuite" / "records" / "T022.csv";
    }

    // One folder for every run: each save's file is removed once checked.
    static const testing::ScratchFolder& Folder() {
        static const testing::ScratchFolder folder;
        return folder;
    }

    // The fake's records of this step: the run keeps no history.
    void Forget() {
        window_.calls.clear();
        window_.readSlots.clear();
        window_.messages.clear();
        window_.questions.clear();
        window_.statusAtMainRepaint.clear();
        window_.levelAtVerdictText.clear();
        window_.levelAtVerdictRepaint.clear();
    }

    fake::FakeWindow window_;
    WindowState state_;
    std::vector<std::u16string> computedFrom_;
    std::u16string expectedClipboard_;
    double shownValues_[kMaxInputs] = {};
    bool replaceNext_ = true;  // the weight is selected at start-up
    bool typedOrConfirmed_[2] = {};  // the defaults are nobody's at start-up
    bool resetNow_ = false;
    int32_t results_ = 0;
    std::string typedOverSelection_;
};

// The fault a run of steps meets, if any, with the step it happened at;
// `results` counts the results the run computed.
std::optional<std::string> FaultOf(const std::vector<Step>& steps, size_t* at = nullptr,
                                   int32_t* results = nullptr) {
    ClinicianRun run;
    for (size_t i = 0; i < steps.size(); ++i) {
        if (auto fault = run.Take(steps[i])) {
            if (at) *at = i;
            return fault;
        }
    }
    if (results) *results += run.Results();
    return std::nullopt;
}

// Drops steps one at a time while the run still fails.
std::vector<Step> Shortest(std::vector<Step> steps) {
    size_t at = 0;
    if (FaultOf(steps, &at)) steps.resize(at + 1);
    for (bool shorter = true; shorter;) {
        shorter = false;
        for (size_t i = 0; i < steps.size(); ++i) {
            std::vector<Step> fewer = steps;
            fewer.erase(fewer.begin() + static_cast<std::ptrdiff_t>(i));
            if (FaultOf(fewer)) {
                steps = fewer;
                shorter = true;
                break;
            }
        }
    }
    return steps;
}

constexpr uint32_t kSeed = 20261208;
constexpr int32_t kRuns = 1000;
constexpr int32_t kStepsPerRun = 100;  // 10^5 steps in all

TEST(WhatIsSeenIsWhatIsDosed, OverAHundredThousandStepsOfAClinician) {
    std::mt19937 random(kSeed);
    int32_t results = 0;
    for (int32_t run = 0; run < kRuns; ++run) {
        std::vector<Step> steps;
        for (int32_t i = 0; i < kStepsPerRun; ++i) steps.push_back(RandomStep(random));
        if (FaultOf(steps, nullptr, &results)) {
            const std::vector<Step> shortest = Shortest(steps);
            FAIL() << *FaultOf(shortest) << "\nafter the steps (seed " << kSeed << ", run " << run
                   << "):" << StepList(shortest);
        }
    }
    EXPECT_GT(results, 5 * kRuns) << "the runs reached results often";
}

// The checks themselves see faults made behind the commands' back.
TEST(WhatIsSeenIsWhatIsDosed, SeesAResultThatOutlivedItsFields) {
    ClinicianRun run;
    ASSERT_FALSE(run.Take({Action::Enter, u'0', 0, {true, true, true, true}}));
    run.Window().controls[0] = u"70";  // an edit the window never reported
    const auto fault = run.Take({Action::ClickField, u'0', 1, {true, true, true, true}});
    ASSERT_TRUE(fault.has_value());
    EXPECT_NE(fault->find("computed from"), std::string::npos) << *fault;
}

TEST(WhatIsSeenIsWhatIsDosed, SeesAResultFromADefaultNobodyConfirmed) {
    ClinicianRun run;
    // A Yes, recorded as a No: the run believes the weight was not confirmed.
    const auto fault = run.Take({Action::Enter, u'0', 0, {false, true, true, true}},
                                std::vector<bool>{true, true, true, true});
    ASSERT_TRUE(fault.has_value());
    EXPECT_NE(fault->find("neither typed nor confirmed"), std::string::npos) << *fault;
}

TEST(WhatIsSeenIsWhatIsDosed, SeesAFieldTabDidNotSelect) {
    ClinicianRun run;
    ASSERT_FALSE(run.Take({Action::Tab, u'0', 0, {true, true, true, true}}));
    run.Window().selectedAll[1] = false;  // a window that did not select it
    const auto fault = run.Take({Action::Digit, u'4', 0, {true, true, true, true}});
    ASSERT_TRUE(fault.has_value());
    EXPECT_NE(fault->find("entered by the keyboard"), std::string::npos) << *fault;
}

}  // namespace
}  // namespace tarn::ui
