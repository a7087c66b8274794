// The report-kind dispatch: the generator of a kind, or the fixed text of a
// tool without a custom report.
#include "engine/text_builder.h"
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

int32_t GenerateReport(int32_t kind, const ToolDescriptor& tool, const double* inputs,
                       char16_t* report, int32_t reportCapacity,
                       char16_t* verdict, int32_t verdictCapacity) {
    // A buffer with no room at all takes nothing, but the generator still
    // runs and the level still comes out.
    TextBuilder reportText = StartText(report, reportCapacity);
    TextBuilder verdictText = StartText(verdict, verdictCapacity);
    if (kind >= kFirstReportKind && kind <= kLastReportKind) {
        return kGenerators[kind - kFirstReportKind](tool, inputs, reportText, verdictText);
    }
    AppendText(reportText, kNoCustomReport);
    AppendText(verdictText, kNoCustomReportVerdict);
    return kLevelNormal;
}

}  // namespace tarn
