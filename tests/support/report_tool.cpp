#include "tests/reports/report_test_support.h"

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

std::string Utf8(std::u16string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t code = text[i];
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < text.size()) {
            code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<uint32_t>(text[i + 1]) - 0xDC00);
            ++i;
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

std::vector<std::string> Lines(std::u16string_view report) {
    std::vector<std::string> lines;
    size_t begin = 0;
    while (begin < report.size()) {
        const size_t end = report.find(u"\r\n", begin);
        if (end == std::u16string_view::npos) {
            lines.push_back(Utf8(report.substr(begin)));
            break;
        }
        lines.push_back(Utf8(report.substr(begin, end - begin)));
        begin = end + 2;
    }
    return lines;
}

}  // namespace tarn::testing
