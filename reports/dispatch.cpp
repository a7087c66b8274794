// The report-kind dispatch, reading inputs by identifier and the helpers
// every generator shares.
#include <cstring>

#include "engine/format.h"
#include "engine/text.h"
#include "reports/generators.h"
#include "reports/reports.h"

namespace tarn {

namespace {

// Indexed by kind - 1.
constexpr ReportGenerator kGenerators[] = {
    ShiftRota,          // 1
    DosingTimetable,    // 2
    BloodDrawOrder,     // 3
    CriticalValues,     // 4
    HighAlertDrugs,     // 5
    DrugCompatibility,  // 6
    FollowUpDates,      // 7
    SurgicalChecklist,  // 8
    HandoverSheet,      // 9
    InfusionCard,       // 10
    LabPanels,          // 11
};
static_assert(CountOf(kGenerators) == kLastReportKind - kFirstReportKind + 1);

constexpr char16_t kNoCustomReport[] = u"（该工具暂无自定义报告）";
constexpr char16_t kNoCustomReportVerdict[] = u"暂无报告内容";

}  // namespace

int32_t WholeNumber(double value) {
    // Both bounds are exact doubles; everything strictly between them
    // truncates into the 32-bit range. NaN fails both comparisons.
    if (value > -2147483649.0 && value < 2147483648.0) return static_cast<int32_t>(value);
    return kNotAWholeNumber;
}

int32_t WholeInput(const ToolDescriptor& tool, const double* inputs, const char* identifier) {
    return WholeNumber(InputByIdentifier(tool, inputs, identifier));
}

int32_t Clamp(int32_t value, int32_t lowest, int32_t highest) {
    if (value < lowest) return lowest;
    if (value > highest) return highest;
    return value;
}

void AppendFixedLine(char16_t* report, int32_t capacity, const char16_t* text) {
    AppendLine(report, capacity, u"%ls", text);
}

void AppendEmptyLine(char16_t* report, int32_t capacity) { AppendLine(report, capacity, u""); }

int32_t SelectorRow(int32_t selector, int32_t rowCount) {
    if (selector >= 1 && selector < rowCount) return selector - 1;
    return rowCount - 1;
}

double InputByIdentifier(const ToolDescriptor& tool, const double* inputs, const char* identifier) {
    if (!identifier || !inputs) return 0.0;
    const int32_t inputCount = ClampedInputCount(tool);
    for (int32_t i = 0; i < inputCount; ++i) {
        const char* name = tool.inputs[i].identifier;
        if (name && std::strcmp(name, identifier) == 0) return inputs[i];
    }
    return 0.0;
}

int32_t GenerateReport(int32_t kind, const ToolDescriptor& tool, const double* inputs,
                       char16_t* report, int32_t reportCapacity,
                       char16_t* verdict, int32_t verdictCapacity) {
    // A buffer with no room at all is replaced by a one-element scratch, so
    // that the generators always write into a terminated text and the level
    // still comes out.
    char16_t noReport[1] = {0};
    char16_t noVerdict[1] = {0};
    if (!report || reportCapacity < 1) {
        report = noReport;
        reportCapacity = 1;
    }
    if (!verdict || verdictCapacity < 1) {
        verdict = noVerdict;
        verdictCapacity = 1;
    }
    report[0] = 0;
    verdict[0] = 0;

    if (kind >= kFirstReportKind && kind <= kLastReportKind) {
        return kGenerators[kind - kFirstReportKind](tool, inputs, report, reportCapacity, verdict,
                                                    verdictCapacity);
    }
    CopyBounded(report, reportCapacity, kNoCustomReport);
    CopyBounded(verdict, verdictCapacity, kNoCustomReportVerdict);
    return kLevelNormal;
}

}  // namespace tarn
