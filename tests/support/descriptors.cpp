#include "tests/support/descriptors.h"

#include <cstring>

namespace tarn::testing {

#define NAME_60 "abcdefghij_klmnopqrst_uvwxyzABCD_EFGHIJKLMN_OPQRSTUVWX_YZ012"
static_assert(sizeof(NAME_60) == 61);
const char kName63[] = NAME_60 "456";
const char kName64[] = NAME_60 "4567";
static_assert(sizeof(kName63) == 64 && sizeof(kName64) == 65);

namespace {

constexpr InputField kWideInputs[kMaxInputs] = {
    {"w", u"体重", u"kg", 60.0},
    {"k", u"血钾", u"mmol/L", 6.800000190734863},
    {kName63, u"六十三", u"", 1.0},
    {kName64, u"六十四", nullptr, 2.0},
    {"a_rather_long_input_name_of_forty_chars_", u"长名", u"x", 3.0},
    {"_", u"下划线", u"", -1.0},
    {"x1", u"x1", u"", 0.5},
    {"x2", u"x2", u"", 0.25},
    {"x3", u"x3", u"", 1e300},
    {"x4", u"x4", u"", -1e-310},
    {"x5", u"x5", u"", 0.0},
    {"x6", u"x6", u"", -0.0},
    {"x7", u"x7", u"", 2147483648.0},
    {"x8", u"x8", u"", 123.456},
    {"min", u"与函数同名", u"", 7.0},
    {"calcium", u"遮住输出", u"", 9.0},
};

constexpr OutputField kWideOutputs[kMaxOutputs] = {
    {"calcium", u"10% 葡萄糖酸钙", u"ml", "min(0.5*w,20)", "f1"},
    {"insulin", u"胰岛素", u"U", "0.1*w", "f1"},
    {"glucose_g", u"葡萄糖", u"g", "0.5*w", "f1"},
    {"glucose50", u"50% 葡萄糖", u"ml", "0.5*w/0.5", "f1"},
    {"later", u"用后面的输出", u"", "o15+insulin", "f3"},
    {NAME_60 "xyz", u"长输出名", u"", NAME_60 "456*2", "f0"},
    {"ratio", u"百分比", nullptr, "x1/x2*100", "pct"},
    {"day", u"日期", u"", "19782+w/60", "date"},
    {"rounded", u"取整", u"", "round(x8)", "int"},
    {"cond", u"条件", u"", "k>=6.5 ? 3 : k>=5.5 ? 2 : 0", "f0"},
    {"fails", u"失败", u"", "w/0", "f1"},
    {"huge", u"很大", u"", "x3*x3", "f2"},
    {"tiny", u"很小", u"", "x4", "f3"},
    {"nocode", u"无格式", u"", "sqrt(w)", nullptr},
    {"upper", u"大写", u"", "cbrt(-8)", "F1"},
    {"o15", u"最后", u"mg", "mod(w,7)+sign(-k)", ""},
};

constexpr VerdictRule kWideRules[] = {
    {"cond>=3 && calcium>=20", 3, u"重度"},
    {"fails", 2, u"不会成立"},
    {"1/0", 1, u"也不会成立"},
    {"cond==2", 2, u"中度"},
    {"", 0, u""},
};

constexpr ToolDescriptor kWideTool = {
    901, u"宽描述", nullptr, u"测试", u"无", nullptr,
    kMaxInputs, kWideInputs,
    kMaxOutputs, kWideOutputs,
    static_cast<int32_t>(sizeof kWideRules / sizeof kWideRules[0]), kWideRules,
    kFormulaTool,
};

// Every identifier a built-in report kind reads (15 of them, so the limit of
// 16 inputs holds), and one more "kind" that the first must hide.
constexpr InputField kReportInputs[kMaxInputs] = {
    {"nurses", u"人数", u"", 5.0},   {"days", u"天数", u"", 7.0},
    {"start", u"开始", u"", 8.0},    {"interval", u"间隔", u"h", 6.0},
    {"times", u"次数", u"", 4.0},    {"kind", u"项目", u"", 1.0},
    {"drugA", u"药物 A", u"", 1.0},  {"drugB", u"药物 B", u"", 2.0},
    {"gap", u"间隔天数", u"", 7.0},  {"beds", u"床位数", u"", 3.0},
    {"bed", u"床号", u"", 12.0},     {"dose", u"剂量", u"", 500.0},
    {"volume", u"容量", u"ml", 250.0}, {"gtt", u"滴速", u"gtt/min", 40.0},
    {"panel", u"套餐", u"", 2.0},    {"kind", u"被遮住", u"", 3.0},
};

constexpr ToolDescriptor kReportInputsTool = {
    902, u"报告", nullptr, u"测试", u"无", nullptr,
    kMaxInputs, kReportInputs,
    0, nullptr,
    0, nullptr,
    3,
};

constexpr const char* kFormatCodes[] = {"f0", "f1", "f2", "f3", "int", "pct", "date", "", "F1", nullptr};

}  // namespace

const ToolDescriptor& NoVariablesTool() {
    static constexpr ToolDescriptor tool = {
        903, u"空", nullptr, u"测试", u"无", nullptr, 0, nullptr, 0, nullptr, 0, nullptr, kFormulaTool,
    };
    return tool;
}

const ToolDescriptor& WideTool() { return kWideTool; }
const ToolDescriptor& ReportInputsTool() { return kReportInputsTool; }

void BuildScriptedTool(ScriptedTool& scripted, uint32_t shape, const std::string& script) {
    size_t start = 0;
    for (int32_t i = 0; i < ScriptedTool::kTexts; ++i) {
        const size_t end = start < script.size() ? script.find('\0', start) : std::string::npos;
        if (start >= script.size()) {
            scripted.texts[i].clear();
        } else if (end == std::string::npos) {
            scripted.texts[i] = script.substr(start);
            start = script.size();
        } else {
            scripted.texts[i] = script.substr(start, end - start);
            start = end + 1;
        }
    }
    const int32_t outputCount = static_cast<int32_t>(shape % 17);
    const int32_t ruleCount = static_cast<int32_t>((shape >> 5) % 9);
    for (int32_t i = 0; i < outputCount; ++i) {
        OutputField& output = scripted.outputs[i];
        output = kWideOutputs[i];
        output.expression = scripted.texts[i].c_str();
        output.formatCode = kFormatCodes[(shape >> (i % 24)) % 10];
        // Some outputs are shown by one of the conditions' texts.
        if ((shape >> (27 + i % 4)) & 1) output.condition = scripted.texts[16 + i % 8].c_str();
    }
    for (int32_t i = 0; i < ruleCount; ++i) {
        VerdictRule& rule = scripted.rules[i];
        rule.condition = scripted.texts[16 + i].c_str();
        rule.level = static_cast<int32_t>((shape >> (9 + 2 * i)) & 3);
        rule.verdict = (shape >> (25 + i % 7)) & 1 ? u"" : u"规则成立";
    }
    scripted.tool = kWideTool;
    scripted.tool.outputCount = outputCount;
    scripted.tool.outputs = scripted.outputs;
    scripted.tool.ruleCount = ruleCount;
    scripted.tool.rules = scripted.rules;
    scripted.tool.nothingShownLine = (shape >> 31) & 1 ? u"无可显示的结果" : nullptr;
}

}  // namespace tarn::testing
