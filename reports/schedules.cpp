// Schedule reports: the three-shift rota, the equal-interval dosing
// timetable, the follow-up dates counted from today and the handover sheet.
#include <cmath>

#include "engine/format.h"
#include "reports/generators.h"
#include "reports/reports.h"

namespace tarn {

namespace {

// --- Shift rota (kind 1) ---

constexpr int32_t kMaxStaff = 40;
constexpr int32_t kMaxRotaDays = 31;

// Indexed by (staff index + 2 * day index) mod 3: day, night, rest.
constexpr char kShiftLetters[] = {'D', 'N', 'R'};

constexpr char16_t kRotaRule[] =
    u"排班规则：三班轮转（白班 D / 夜班 N / 休息 R），每日每班 1 人，按人员顺序滚动。";
constexpr char16_t kRotaTip[] =
    u"提示：连续夜班不超过 2 个，夜班后应安排休息；请按科室实际人数与能级调整。";
constexpr char16_t kRotaVerdict[] = u"已生成轮转排班表，可复制到排班本或表格";

// --- Dosing timetable (kind 2) ---

constexpr double kDefaultIntervalHours = 8.0;
constexpr int32_t kMaxDoses = 30;
constexpr int32_t kDoseEntryCapacity = 64;

constexpr char16_t kDosingNote[] = u"说明：按等间隔给药；抗菌药物需结合半衰期与肾肝功能调整。";
constexpr char16_t kDosingVerdict[] = u"给药时间表已生成，注意首剂与夜间给药时间";

// --- Follow-up dates (kind 7) ---

constexpr int32_t kDefaultGapDays = 7;
constexpr int32_t kMaxFollowUps = 20;
constexpr int32_t kDateTextCapacity = 32;

constexpr char16_t kFollowUpContent[] =
    u"内容：症状与体征、用药依从性、复查项目、并发症预警、是否需要提前复诊。";
constexpr char16_t kFollowUpVerdict[] = u"随访计划已生成，可按日期短信提醒患者";

// --- Handover sheet (kind 9) ---

constexpr int32_t kMaxBeds = 30;

constexpr char16_t kHandoverHeader[] =
    u"交班报告（床号 / 诊断 / 本班病情 / 治疗与管路 / 需下一班关注）：";
// A template: "%02d" is the bed, "%%" prints the percent of SpO2.
constexpr char16_t kBedTemplate[] =
    u"%02d 床：诊断＿＿；体温＿℃ 脉搏＿次/分 呼吸＿次/分 血压＿/＿mmHg SpO2＿%%；本班处置＿＿；"
    u"管路（静脉/引流/导尿/吸氧）＿＿；下一班关注＿＿。";
constexpr char16_t kHandoverTip[] =
    u"危重患者须床旁交接；新入院、手术、输血、病情变化患者逐一交接并双签名。";
constexpr char16_t kHandoverVerdict[] = u"模板已生成，床旁交接并双方签名";

}  // namespace

int32_t ShiftRota(const ToolDescriptor& tool, const double* inputs, TextBuilder& report,
                  TextBuilder& verdict) {
    const int32_t staff = Clamp(WholeInput(tool, inputs, "nurses"), 1, kMaxStaff);
    const int32_t days = Clamp(WholeInput(tool, inputs, "days"), 1, kMaxRotaDays);

    AppendFixedLine(report, kRotaRule);
    AppendFormattedLine(report, u"人员：%d 人；周期：%d 天", staff, days);
    AppendEmptyLine(report);
    for (int32_t s = 1; s <= staff; ++s) {
        AppendFormattedLine(report, u"护士%02d：", s);
        AppendText(report, u"  ");
        for (int32_t d = 1; d <= days; ++d) {
            // A day step of 2 makes any three consecutive staff hold the
            // three different shifts on every day.
            const char letter = kShiftLetters[((s - 1) + 2 * (d - 1)) % 3];
            AppendFormatted(report, u"%d日%c ", d, letter);
        }
        AppendText(report, u"\r\n");
    }
    AppendEmptyLine(report);
    AppendFixedLine(report, kRotaTip);
    AppendText(verdict, kRotaVerdict);
    return kLevelNormal;
}

int32_t DosingTimetable(const ToolDescriptor& tool, const double* inputs, TextBuilder& report,
                        TextBuilder& verdict) {
    const double start = InputByIdentifier(tool, inputs, "start");
    const double first = start > 0.0 ? start : 0.0;  // NaN too becomes 0
    double interval = InputByIdentifier(tool, inputs, "interval");
    if (!(interval > 0.0)) interval = kDefaultIntervalHours;
    const int32_t doses = Clamp(WholeInput(tool, inputs, "times"), 1, kMaxDoses);

    AppendFormattedLine(report, u"首剂时间 %.0f:00，间隔 %.0f 小时，共 %d 次：", first,
               interval, doses);
    for (int32_t k = 0; k < doses; ++k) {
        const double t = first + k * interval;  // hours since 00:00 of day 1
        // Hours and minutes are truncated, never rounded: 10.2 h is 10:11.
        // A time too large for the day count prints the 32-bit sentinel.
        const int32_t day = WholeNumber(1.0 - std::trunc(t / -24.0));
        const double hourOfDay = std::fmod(t, 24.0);
        const double wholeHour = std::trunc(hourOfDay);
        const int32_t hour = WholeNumber(wholeHour);
        const int32_t minute = WholeNumber(std::trunc((hourOfDay - wholeHour) * 60.0));
        AppendFormattedPart(report, kDoseEntryCapacity, u"第%d天 %02d:%02d", day, hour, minute);
        if (k + 1 < doses) AppendText(report, u"  |  ");
    }
    AppendText(report, u"\r\n");
    AppendFixedLine(report, kDosingNote);
    AppendText(verdict, kDosingVerdict);
    return kLevelNormal;
}

int32_t FollowUpDatesFrom(int64_t today, const ToolDescriptor& tool, const double* inputs,
                          TextBuilder& report, TextBuilder& verdict) {
    const int32_t offset = WholeInput(tool, inputs, "start");  // negative: past dates
    int32_t gap = WholeInput(tool, inputs, "gap");
    if (gap < 1) gap = kDefaultGapDays;
    const int32_t visits = Clamp(WholeInput(tool, inputs, "times"), 1, kMaxFollowUps);

    AppendFormattedLine(report, u"随访节点（以今天为基准，起始第 %d 天，间隔 %d 天，共 %d 次）：",
               offset, gap, visits);
    for (int32_t k = 1; k <= visits; ++k) {
        // The first visit falls on today + offset itself.
        const int64_t day = today + offset + static_cast<int64_t>(k - 1) * gap;
        char16_t date[kDateTextCapacity];
        FormatDayNumber(day, date, kDateTextCapacity);
        AppendFormattedLine(report, u"第 %d 次：%ls", k, date);
    }
    AppendFixedLine(report, kFollowUpContent);
    AppendText(verdict, kFollowUpVerdict);
    return kLevelNormal;
}

int32_t FollowUpDates(const ToolDescriptor& tool, const double* inputs, TextBuilder& report,
                      TextBuilder& verdict) {
    // The clock is read once, so every date of one report counts from the same day.
    return FollowUpDatesFrom(TodayDayNumber(), tool, inputs, report, verdict);
}

int32_t HandoverSheet(const ToolDescriptor& tool, const double* inputs, TextBuilder& report,
                      TextBuilder& verdict) {
    const int32_t beds = Clamp(WholeInput(tool, inputs, "beds"), 1, kMaxBeds);
    AppendFixedLine(report, kHandoverHeader);
    for (int32_t b = 1; b <= beds; ++b) AppendFormattedLine(report, kBedTemplate, b);
    AppendEmptyLine(report);
    AppendFixedLine(report, kHandoverTip);
    AppendText(verdict, kHandoverVerdict);
    return kLevelNormal;
}

}  // namespace tarn
