#include "tests/support/report_tool.h"

#include <vector>

#include "reports/reports.h"

namespace tarn::testing {

ReportTool::ReportTool(int32_t kind, std::initializer_list<NamedInput> inputs) {
    int32_t count = 0;
    for (const NamedInput& input : inputs) {
        if (count == kMaxInputs) break;
        fields_[count] = InputField{input.identifier, u"", u"", input.value};
        values_[count] = input.value;
        ++count;
    }
    descriptor_.id = 900;
    descriptor_.title = u"报告测试";
    descriptor_.category = u"测试";
    descriptor_.reference = u"";
    descriptor_.inputCount = count;
    descriptor_.inputs = count > 0 ? fields_ : nullptr;
    descriptor_.kind = kind;
}

ReportResult Generate(const ReportTool& tool) {
    static constexpr int32_t kReportCapacity = 16384;
    static constexpr int32_t kVerdictCapacity = 512;
    std::vector<char16_t> report(kReportCapacity, u'#');
    std::vector<char16_t> verdict(kVerdictCapacity, u'#');
    ReportResult result;
    result.level = GenerateReport(tool.Descriptor().kind, tool.Descriptor(), tool.Values(),
                                  report.data(), kReportCapacity, verdict.data(),
                                  kVerdictCapacity);
    result.report = report.data();
    result.verdict = verdict.data();
    return result;
}

ReportResult Generate(int32_t kind, std::initializer_list<NamedInput> inputs) {
    const ReportTool tool(kind, inputs);
    return Generate(tool);
}

}  // namespace tarn::testing
