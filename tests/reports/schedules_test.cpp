// Shift rota, dosing timetable, follow-up dates and handover sheet.
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <limits>
#include <string>

#include "engine/format.h"
#include "reports/generators.h"
#include "reports/reports.h"
#include "tests/support/report_tool.h"

namespace tarn {
namespace {

using testing::Generate;
using testing::Lines;
using testing::ReportTool;
using testing::Utf8;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// --- Shift rota ---

TEST(ShiftRota, WithoutInputsOneStaffOneDay) {
    const std::vector<std::string> expected = {
        "排班规则：三班轮转（白班 D / 夜班 N / 休息 R），每日每班 1 人，按人员顺序滚动。",
        "人员：1 人；周期：1 天",
        "",
        "护士01：",
        "  1日D ",
        "",
        "提示：连续夜班不超过 2 个，夜班后应安排休息；请按科室实际人数与能级调整。",
    };
    EXPECT_EQ(Lines(Generate(1, {}).report), expected);
}

TEST(ShiftRota, ThreeByThreePattern) {
    const auto lines = Lines(Generate(1, {{"nurses", 3}, {"days", 3}}).report);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[1], "人员：3 人；周期：3 天");
    EXPECT_EQ(lines[3], "护士01：");
    EXPECT_EQ(lines[4], "  1日D 2日R 3日N ");
    EXPECT_EQ(lines[5], "护士02：");
    EXPECT_EQ(lines[6], "  1日N 2日D 3日R ");
    EXPECT_EQ(lines[7], "护士03：");
    EXPECT_EQ(lines[8], "  1日R 2日N 3日D ");
    EXPECT_EQ(lines[9], "");
}

struct RotaLimitCase {
    double nurses;
    double days;
    int32_t staff;
    int32_t dayCount;
};

TEST(ShiftRota, CountsAreConvertedAndClamped) {
    const RotaLimitCase cases[] = {
        {41, 5, 40, 5},   {40, 31, 40, 31}, {0.9, 1, 1, 1},   {1.9, 31.9, 1, 31},
        {1e10, 2, 1, 2},  {kNaN, kNaN, 1, 1}, {-5, 0, 1, 1},  {2, 32, 2, 31},
        {7.99, -1e12, 7, 1},
    };
    for (const RotaLimitCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.nurses << " x " << c.days);
        const auto lines = Lines(Generate(1, {{"nurses", c.nurses}, {"days", c.days}}).report);
        ASSERT_EQ(lines.size(), static_cast<size_t>(5 + 2 * c.staff));
        EXPECT_EQ(lines[1], "人员：" + std::to_string(c.staff) + " 人；周期：" +
                                std::to_string(c.dayCount) + " 天");
        const std::string lastName = (c.staff < 10 ? "护士0" : "护士") + std::to_string(c.staff) + "：";
        EXPECT_EQ(lines[static_cast<size_t>(1 + 2 * c.staff)], lastName);
        const std::string lastEntry = std::to_string(c.dayCount) + "日";
        const std::string& dayLine = lines[static_cast<size_t>(2 + 2 * c.staff)];
        EXPECT_NE(dayLine.find(lastEntry), std::string::npos);
        EXPECT_EQ(dayLine.find(std::to_string(c.dayCount + 1) + "日"), std::string::npos);
    }
}

TEST(ShiftRota, EveryThreeConsecutiveStaffCoverAllShifts) {
    const auto lines = Lines(Generate(1, {{"nurses", 40}, {"days", 31}}).report);
    ASSERT_EQ(lines.size(), 85u);
    // Letter of staff s (0-based) on day d (0-based), read back from the text.
    auto letter = [&](size_t s, int d) {
        const std::string& row = lines[4 + 2 * s];
        const std::string key = " " + std::to_string(d + 1) + "日";
        const size_t at = row.find(key);
        EXPECT_NE(at, std::string::npos);
        return row[at + key.size()];
    };
    for (size_t s = 0; s + 2 < 40; ++s) {
        for (int d = 0; d < 31; ++d) {
            std::string three = {letter(s, d), letter(s + 1, d), letter(s + 2, d)};
            std::sort(three.begin(), three.end());
            ASSERT_EQ(three, "DNR") << "staff " << s + 1 << " day " << d + 1;
        }
    }
    EXPECT_EQ(lines[4].substr(0, 25), "  1日D 2日R 3日N 4日D");
    // Staff 40 repeats staff 1.
    EXPECT_EQ(lines[82], "  1日D 2日R 3日N 4日D 5日R 6日N 7日D 8日R 9日N 10日D 11日R 12日N 13日D 14日R 15日N "
                         "16日D 17日R 18日N 19日D 20日R 21日N 22日D 23日R 24日N 25日D 26日R 27日N 28日D 29日R "
                         "30日N 31日D ");
    EXPECT_EQ(lines[81], "护士40：");
}

TEST(ShiftRota, LargestRotaIsCutInsideStaffTwentySixInTheWindowBuffer) {
    const ReportTool tool(1, {{"nurses", 40}, {"days", 31}});
    const auto full = Generate(tool).report;
    EXPECT_EQ(full.size(), 6390u);

    char16_t report[4096];
    char16_t verdict[64];
    GenerateReport(1, tool.Descriptor(), tool.Values(), report, 4096, verdict, 64);
    const std::u16string cut = report;
    ASSERT_EQ(cut.size(), 4095u);
    EXPECT_EQ(cut, full.substr(0, 4095));
    const size_t row26 = cut.find(u"护士26：\r\n");
    ASSERT_NE(row26, std::u16string::npos);
    EXPECT_EQ(cut.find(u"\r\n", row26 + 7), std::u16string::npos);  // its day row is unfinished
    EXPECT_EQ(cut.find(u"护士27"), std::u16string::npos);
    EXPECT_EQ(cut.find(u"提示"), std::u16string::npos);
    EXPECT_EQ(Utf8(verdict), "已生成轮转排班表，可复制到排班本或表格");
}

// --- Dosing timetable ---

struct DosingCase {
    double start;
    double interval;
    double times;
    const char* header;
    const char* doses;
};

TEST(DosingTimetable, HeaderAndDoseLine) {
    const DosingCase cases[] = {
        {0, 0, 0, "首剂时间 0:00，间隔 8 小时，共 1 次：", "第1天 00:00"},
        {8, 8, 3, "首剂时间 8:00，间隔 8 小时，共 3 次：", "第1天 08:00  |  第1天 16:00  |  第2天 00:00"},
        {-5, 8, 2, "首剂时间 0:00，间隔 8 小时，共 2 次：", "第1天 00:00  |  第1天 08:00"},
        {30, 8, 2, "首剂时间 30:00，间隔 8 小时，共 2 次：", "第2天 06:00  |  第2天 14:00"},
        // Minutes come from the binary fraction, truncated: 10.2 h is 10:11.
        {8, 2.2, 3, "首剂时间 8:00，间隔 2 小时，共 3 次：", "第1天 08:00  |  第1天 10:11  |  第1天 12:24"},
        {8, -2, 2, "首剂时间 8:00，间隔 8 小时，共 2 次：", "第1天 08:00  |  第1天 16:00"},
        {23.5, 1, 2, "首剂时间 24:00，间隔 1 小时，共 2 次：", "第1天 23:30  |  第2天 00:30"},
        {kNaN, kNaN, 2.9, "首剂时间 0:00，间隔 8 小时，共 2 次：", "第1天 00:00  |  第1天 08:00"},
        {0, 48, 2, "首剂时间 0:00，间隔 48 小时，共 2 次：", "第1天 00:00  |  第3天 00:00"},
    };
    for (const DosingCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.start << " / " << c.interval << " / " << c.times);
        const auto lines =
            Lines(Generate(2, {{"start", c.start}, {"interval", c.interval}, {"times", c.times}}).report);
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[0], c.header);
        EXPECT_EQ(lines[1], c.doses);
        EXPECT_EQ(lines[2], "说明：按等间隔给药；抗菌药物需结合半衰期与肾肝功能调整。");
    }
}

TEST(DosingTimetable, DoseCountIsClamped) {
    struct { double times; size_t doses; } cases[] = {{31, 30}, {30, 30}, {0, 1}, {-4, 1}, {1e12, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.times);
        const auto lines = Lines(Generate(2, {{"times", c.times}, {"interval", 1}}).report);
        ASSERT_EQ(lines.size(), 3u);
        size_t separators = 0;
        for (size_t at = lines[1].find("  |  "); at != std::string::npos; at = lines[1].find("  |  ", at + 1))
            ++separators;
        EXPECT_EQ(separators + 1, c.doses);
        EXPECT_NE(lines[0].find("共 " + std::to_string(c.doses) + " 次"), std::string::npos);
    }
    const auto thirty = Lines(Generate(2, {{"times", 31}, {"interval", 1}}).report);
    EXPECT_EQ(thirty[1].substr(thirty[1].size() - 13), "第2天 05:00");
}

// --- Follow-up dates ---

struct FollowUpCase {
    int32_t year, month, day;  // today
    double start, gap, times;
    const char* header;
    std::vector<std::string> dates;
};

std::vector<std::string> FollowUpLines(int64_t today, double start, double gap, double times) {
    const ReportTool tool(7, {{"start", start}, {"gap", gap}, {"times", times}});
    char16_t report[4096];
    char16_t verdict[64];
    TextBuilder reportText = StartText(report, 4096);
    TextBuilder verdictText = StartText(verdict, 64);
    EXPECT_EQ(FollowUpDatesFrom(today, tool.Descriptor(), tool.Values(), reportText, verdictText), 0);
    EXPECT_EQ(Utf8(verdict), "随访计划已生成，可按日期短信提醒患者");
    return Lines(report);
}

TEST(FollowUpDates, DatesCountedFromAFixedToday) {
    const FollowUpCase cases[] = {
        {2026, 12, 7, 7, 7, 3, "随访节点（以今天为基准，起始第 7 天，间隔 7 天，共 3 次）：",
         {"2026-12-14", "2026-12-21", "2026-12-28"}},
        {2026, 12, 7, 0, 0, 0, "随访节点（以今天为基准，起始第 0 天，间隔 7 天，共 1 次）：", {"2026-12-07"}},
        {2026, 12, 7, -3, 7, 1, "随访节点（以今天为基准，起始第 -3 天，间隔 7 天，共 1 次）：", {"2026-12-04"}},
        {2028, 2, 27, 2, 1, 3, "随访节点（以今天为基准，起始第 2 天，间隔 1 天，共 3 次）：",
         {"2028-02-29", "2028-03-01", "2028-03-02"}},
        {2027, 2, 27, 2, 1, 1, "随访节点（以今天为基准，起始第 2 天，间隔 1 天，共 1 次）：", {"2027-03-01"}},
        {2100, 2, 28, 1, 1, 1, "随访节点（以今天为基准，起始第 1 天，间隔 1 天，共 1 次）：", {"2100-03-01"}},
        {2026, 12, 28, 3, 2, 3, "随访节点（以今天为基准，起始第 3 天，间隔 2 天，共 3 次）：",
         {"2026-12-31", "2027-01-02", "2027-01-04"}},
        {2026, 1, 30, 1, 30, 2, "随访节点（以今天为基准，起始第 1 天，间隔 30 天，共 2 次）：",
         {"2026-01-31", "2026-03-02"}},
        {2027, 1, 2, -2.9, -1, 2, "随访节点（以今天为基准，起始第 -2 天，间隔 7 天，共 2 次）：",
         {"2026-12-31", "2027-01-07"}},
    };
    for (const FollowUpCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.year << "-" << c.month << "-" << c.day << " start " << c.start);
        const auto lines = FollowUpLines(DaysFromCivil(c.year, c.month, c.day), c.start, c.gap, c.times);
        ASSERT_EQ(lines.size(), c.dates.size() + 2);
        EXPECT_EQ(lines[0], c.header);
        for (size_t k = 0; k < c.dates.size(); ++k)
            EXPECT_EQ(lines[k + 1], "第 " + std::to_string(k + 1) + " 次：" + c.dates[k]);
        EXPECT_EQ(lines.back(), "内容：症状与体征、用药依从性、复查项目、并发症预警、是否需要提前复诊。");
    }
}

TEST(FollowUpDates, CountIsClampedAndGapDefaults) {
    const int64_t today = DaysFromCivil(2026, 12, 7);
    auto lines = FollowUpLines(today, 0, 1, 25);
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[20], "第 20 次：2026-12-26");
    lines = FollowUpLines(today, 0, 0, 2);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2], "第 2 次：2026-12-14");
    lines = FollowUpLines(today, 1e12, 1, 1);  // not a 32-bit number: far in the past
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "随访节点（以今天为基准，起始第 -2147483648 天，间隔 1 天，共 1 次）：");
}

TEST(FollowUpDates, ThroughTheDispatchCountsFromToday) {
    const int64_t before = TodayDayNumber();
    const auto lines = Lines(Generate(7, {}).report);
    const int64_t after = TodayDayNumber();
    ASSERT_EQ(lines.size(), 3u);
    char16_t date[32];
    FormatDayNumber(before, date, 32);
    const std::string first = "第 1 次：" + Utf8(date);
    FormatDayNumber(after, date, 32);
    const std::string second = "第 1 次：" + Utf8(date);
    EXPECT_TRUE(lines[1] == first || lines[1] == second) << lines[1];
}

TEST(FollowUpDates, TodayIsTheLocalCalendarDay) {
    // The local day differs from the UTC day by at most one.
    const int64_t utcDay = static_cast<int64_t>(std::time(nullptr)) / 86400;
    const int64_t today = TodayDayNumber();
    EXPECT_GE(today, utcDay - 1);
    EXPECT_LE(today, utcDay + 1);
}

// --- Handover sheet ---

constexpr char kBedOne[] =
    "01 床：诊断＿＿；体温＿℃ 脉搏＿次/分 呼吸＿次/分 血压＿/＿mmHg SpO2＿%；本班处置＿＿；"
    "管路（静脉/引流/导尿/吸氧）＿＿；下一班关注＿＿。";

TEST(HandoverSheet, OneLinePerBed) {
    const std::vector<std::string> single = {
        "交班报告（床号 / 诊断 / 本班病情 / 治疗与管路 / 需下一班关注）：",
        kBedOne,
        "",
        "危重患者须床旁交接；新入院、手术、输血、病情变化患者逐一交接并双签名。",
    };
    EXPECT_EQ(Lines(Generate(9, {}).report), single);
    EXPECT_EQ(Lines(Generate(9, {{"beds", 0}}).report), single);
    EXPECT_EQ(Lines(Generate(9, {{"beds", 1.99}}).report), single);

    const auto thirty = Generate(9, {{"beds", 30}});
    EXPECT_EQ(thirty.report.size(), 2509u);
    const auto lines = Lines(thirty.report);
    ASSERT_EQ(lines.size(), 33u);
    EXPECT_EQ(lines[30].substr(0, 9), "30 床：");
    EXPECT_EQ(lines[10].substr(0, 9), "10 床：");
    EXPECT_EQ(Generate(9, {{"beds", 31}}).report, thirty.report);
    EXPECT_EQ(Generate(9, {{"beds", 1e12}}).report, Generate(9, {}).report);
}

}  // namespace
}  // namespace tarn
