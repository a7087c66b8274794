// The engine's speed next to its alternatives, all taken in one run:
//
// - EvaluateExpression on the tool's four formulas, its two conditions and
//   three longer texts, next to muparser on the same texts, once parsed and
//   evaluated each time (SetExpr + Eval) and once evaluated only (Eval of
//   the bytecode muparser compiles at its first Eval);
// - ToolComputation with the default inputs next to a hand-written function
//   that computes the same four doses and writes the same 59-character UTF-16
//   report, verdict and copy, with snprintf for the numbers.
//
// After the Google Benchmark output the figures and their ratios to the goals
// are printed as a Markdown section (and written to --markdown=<file>).
#include <benchmark/benchmark.h>

#include <muParser.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "computation/computation.h"
#include "engine/expression.h"

namespace {

struct Text {
    const char* key;
    const char* text;
};

// The tool's formulas and conditions, then three longer texts that mean the
// same in both languages: arithmetic, functions, and nested conditionals.
const Text kTexts[] = {
    {"calcium", "min(0.5*w,20)"},
    {"insulin", "0.1*w"},
    {"glucose_g", "0.5*w"},
    {"glucose50", "0.5*w/0.5"},
    {"severe", "k>=6.5"},
    {"moderate", "k>=5.5"},
    {"long_arithmetic", "0.5*w + 0.1*k*(w - 3.25) / (k + 1.5) - w*w/1000 + (k - 4)*(k + 4)*0.25"},
    {"long_functions", "sqrt(w*w + k*k) + abs(w - 100) + exp(-k/10) + log10(w + 1) + min(w, k) * max(0.5, k/w)"},
    {"long_conditional",
     "k >= 6.5 ? min(0.5*w, 20) : (k >= 5.5 && w > 40 ? 0.1*w : (w <= 10 || k < 3.5 ? 0 : 0.5*w/0.5))"},
};

double g_inputs[2] = {60.0, 6.800000190734863};
const double kOutputs[tarn::kMaxOutputs] = {};

void Ordavel(benchmark::State& state, const char* text) {
    const tarn::ToolDescriptor& tool = tarn::CurrentTool();
    for (auto _ : state) {
        benchmark::DoNotOptimize(g_inputs);
        int32_t error = 0;
        double value = tarn::EvaluateExpression(tool, text, g_inputs, kOutputs, &error);
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(error);
    }
}

void MuParserParseAndEvaluate(benchmark::State& state, const char* text) {
    mu::Parser parser;
    double w = g_inputs[0], k = g_inputs[1];
    parser.DefineVar("w", &w);
    parser.DefineVar("k", &k);
    const std::string expression(text);
    for (auto _ : state) {
        parser.SetExpr(expression);  // every SetExpr makes the next Eval parse again
        double value = parser.Eval();
        benchmark::DoNotOptimize(value);
    }
}

void MuParserEvaluate(benchmark::State& state, const char* text) {
    mu::Parser parser;
    double w = g_inputs[0], k = g_inputs[1];
    parser.DefineVar("w", &w);
    parser.DefineVar("k", &k);
    parser.SetExpr(text);
    parser.Eval();  // parses once and keeps the bytecode
    for (auto _ : state) {
        benchmark::DoNotOptimize(w);
        double value = parser.Eval();
        benchmark::DoNotOptimize(value);
    }
}

// The compute command's buffers.
constexpr int32_t kReportCapacity = 4096;
constexpr int32_t kVerdictCapacity = 512;
constexpr int32_t kCopyCapacity = 8192;

struct Buffers {
    char16_t report[kReportCapacity];
    char16_t verdict[kVerdictCapacity];
    char16_t copy[kCopyCapacity];
    int32_t level;
};

// Appends `text` to the terminated text at `buffer[*length]`, cut at the cap.
void Append(char16_t* buffer, int32_t capacity, int32_t* length, const char16_t* text) {
    while (*text != 0 && *length < capacity - 1) buffer[(*length)++] = *text++;
    buffer[*length] = 0;
}

void AppendNarrow(char16_t* buffer, int32_t capacity, int32_t* length, const char* text) {
    while (*text != 0 && *length < capacity - 1) buffer[(*length)++] = static_cast<char16_t>(*text++);
    buffer[*length] = 0;
}

void CopyText(char16_t* buffer, int32_t capacity, const char16_t* text) {
    int32_t length = 0;
    buffer[0] = 0;
    Append(buffer, capacity, &length, text);
}

// What a C programmer would write for this one tool: the formulas and the
// thresholds compiled in, snprintf for the numbers, the same bounded texts.
int32_t HandWritten(const double* inputs, Buffers& out) {
    struct Line {
        const char16_t* label;
        const char16_t* unit;
    };
    static const Line kLines[4] = {{u"10% 葡萄糖酸钙", u"ml"}, {u"胰岛素", u"U"}, {u"葡萄糖", u"g"}, {u"50% 葡萄糖", u"ml"}};
    const double w = inputs[0];
    const double k = inputs[1];
    const double half = 0.5 * w;
    const double doses[4] = {half < 20 ? half : 20, 0.1 * w, half, half / 0.5};
    int32_t length = 0;
    out.report[0] = 0;
    for (int i = 0; i < 4; ++i) {
        char number[80];
        std::snprintf(number, sizeof number, "%.1f", doses[i]);
        Append(out.report, kReportCapacity, &length, kLines[i].label);
        Append(out.report, kReportCapacity, &length, u"：");
        AppendNarrow(out.report, kReportCapacity, &length, number);
        Append(out.report, kReportCapacity, &length, u" ");
        Append(out.report, kReportCapacity, &length, kLines[i].unit);
        Append(out.report, kReportCapacity, &length, u"\r\n");
    }
    if (k >= 6.5) {
        CopyText(out.verdict, kVerdictCapacity, u"重度高钾，立即处理并持续心电监护");
        out.level = 3;
    } else if (k >= 5.5) {
        CopyText(out.verdict, kVerdictCapacity, u"中度高钾，限制含钾食物与药物，复查");
        out.level = 2;
    } else {
        CopyText(out.verdict, kVerdictCapacity, u"血钾在可接受范围，继续监测");
        out.level = 0;
    }
    CopyText(out.copy, kCopyCapacity, out.report);
    return out.level;
}

int32_t EngineComputation(const double* inputs, Buffers& out) {
    return tarn::ToolComputation(tarn::CurrentTool(), inputs, out.report, kReportCapacity, out.verdict,
                                 kVerdictCapacity, &out.level, out.copy, kCopyCapacity);
}

void Computation(benchmark::State& state, int32_t (*compute)(const double*, Buffers&)) {
    static Buffers buffers;
    for (auto _ : state) {
        benchmark::DoNotOptimize(g_inputs);
        int32_t level = compute(g_inputs, buffers);
        benchmark::DoNotOptimize(level);
        benchmark::ClobberMemory();
    }
}

// Both ways must give the same texts, or the comparison means nothing.
bool SameResults() {
    static Buffers engine, hand;
    EngineComputation(g_inputs, engine);
    HandWritten(g_inputs, hand);
    const bool same = std::u16string(engine.report) == hand.report && std::u16string(engine.verdict) == hand.verdict &&
                      std::u16string(engine.copy) == hand.copy && engine.level == hand.level;
    return same && std::u16string(engine.report).size() == 59;
}

bool SameValues() try {
    bool same = true;
    for (const Text& t : kTexts) {
        mu::Parser parser;
        double w = g_inputs[0], k = g_inputs[1];
        parser.DefineVar("w", &w);
        parser.DefineVar("k", &k);
        parser.SetExpr(t.text);
        int32_t error = 0;
        const double ours = tarn::EvaluateExpression(tarn::CurrentTool(), t.text, g_inputs, kOutputs, &error);
        const double theirs = parser.Eval();
        if (error != 0 || std::fabs(ours - theirs) > 1e-12 * std::fabs(theirs)) {
            std::fprintf(stderr, "%s: ours %.17g (error %d), muparser %.17g\n", t.text, ours, error, theirs);
            same = false;
        }
    }
    return same;
} catch (const mu::Parser::exception_type& error) {
    std::fprintf(stderr, "muparser: %s\n", error.GetMsg().c_str());
    return false;
}

// Keeps each benchmark's CPU time per iteration in nanoseconds (the median
// when there are repetitions).
class Collector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const std::string name = run.run_name.function_name;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.error_occurred) continue;
            if (run.run_type == Run::RT_Iteration && nanoseconds.count(name) == 0) nanoseconds[name] = Nanoseconds(run);
            if (median) nanoseconds[name] = Nanoseconds(run);
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> nanoseconds;

private:
    static double Nanoseconds(const Run& run) {
        return run.GetAdjustedCPUTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
    }
};

std::string Figure(double nanoseconds) {
    char text[32];
    std::snprintf(text, sizeof text, nanoseconds < 100 ? "%.1f" : "%.0f", nanoseconds);
    return text;
}

std::string Ratio(double ratio) {
    char text[32];
    std::snprintf(text, sizeof text, ratio < 10 ? "%.2f×" : "%.0f×", ratio);
    return text;
}

std::string MarkdownSection(const std::map<std::string, double>& ns, bool* allMet) {
    std::ostringstream out;
    *allMet = true;
    out << "| Text | Ordavel ns | muparser parse+eval ns | muparser eval ns | parse+eval ÷ Ordavel (goal ≥ 50×) | Ordavel ÷ eval |\n";
    out << "|---|---:|---:|---:|---:|---:|\n";
    for (const Text& t : kTexts) {
        const double ours = ns.at(std::string("ordavel/") + t.key);
        const double parse = ns.at(std::string("muparser_parse_eval/") + t.key);
        const double eval = ns.at(std::string("muparser_eval/") + t.key);
        const bool met = parse / ours >= 50.0;
        *allMet = *allMet && met;
        out << "| `" << t.text << "` | " << Figure(ours) << " | " << Figure(parse) << " | " << Figure(eval) << " | "
            << Ratio(parse / ours) << (met ? "" : " **missed**") << " | " << Ratio(ours / eval) << " |\n";
    }
    const double calcium = ns.at("ordavel/calcium") / ns.at("muparser_eval/calcium");
    const double computation = ns.at("computation/ordavel") / ns.at("computation/hand_written");
    const bool calciumMet = calcium <= 4.0;
    const bool computationMet = computation <= 2.0;
    *allMet = *allMet && calciumMet && computationMet;
    out << "\n| Computation (default inputs) | ns |\n|---|---:|\n";
    out << "| `ToolComputation` | " << Figure(ns.at("computation/ordavel")) << " |\n";
    out << "| hand-written, snprintf | " << Figure(ns.at("computation/hand_written")) << " |\n";
    double worst = 1e300;
    for (const Text& t : kTexts)
        worst = std::min(worst, ns.at(std::string("muparser_parse_eval/") + t.key) / ns.at(std::string("ordavel/") + t.key));
    out << "\n| Goal | Ratio | |\n|---|---:|---|\n";
    out << "| muparser parse+eval ÷ Ordavel, every text | " << Ratio(worst) << " (worst) | goal ≥ 50× "
        << (worst >= 50.0 ? "met" : "**missed**") << " |\n";
    out << "| Ordavel ÷ muparser eval, `min(0.5*w,20)` | " << Ratio(calcium) << " | goal ≤ 4× " << (calciumMet ? "met" : "**missed**")
        << " |\n";
    out << "| ToolComputation ÷ hand-written | " << Ratio(computation) << " | goal ≤ 2× "
        << (computationMet ? "met" : "**missed**") << " |\n";
    return out.str();
}

}  // namespace

int main(int argc, char** argv) {
    std::string markdownPath;
    std::vector<char*> arguments;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--markdown=", 11) == 0) {
            markdownPath = argv[i] + 11;
        } else {
            arguments.push_back(argv[i]);
        }
    }
    if (!SameValues() || !SameResults()) {
        std::fprintf(stderr, "the compared functions do not compute the same results\n");
        return 1;
    }
    for (const Text& t : kTexts) {
        benchmark::RegisterBenchmark((std::string("ordavel/") + t.key).c_str(), Ordavel, t.text);
        benchmark::RegisterBenchmark((std::string("muparser_parse_eval/") + t.key).c_str(), MuParserParseAndEvaluate, t.text);
        benchmark::RegisterBenchmark((std::string("muparser_eval/") + t.key).c_str(), MuParserEvaluate, t.text);
    }
    benchmark::RegisterBenchmark("computation/ordavel", Computation, EngineComputation);
    benchmark::RegisterBenchmark("computation/hand_written", Computation, HandWritten);

    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();

    bool allMet = false;
    std::string section;
    try {
        section = MarkdownSection(collector.nanoseconds, &allMet);
    } catch (const std::out_of_range&) {
        std::printf("\nA filtered run: no summary of the goals.\n");
        return 0;
    }
    std::printf("\n%s\n%s\n", allMet ? "All goals met." : "A goal was missed.", section.c_str());
    if (!markdownPath.empty()) std::ofstream(markdownPath) << section;
    return 0;
}
