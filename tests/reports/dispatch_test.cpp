// The dispatch by kind, reading inputs by identifier and the whole-number
// conversion.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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
constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(GenerateReport, KindsWithoutGeneratorGetTheFixedText) {
    for (int32_t kind : {0, -1, 12, 13, 100, INT32_MIN, INT32_MAX}) {
        SCOPED_TRACE(kind);
        const auto result = Generate(kind, {{"kind", 1.0}, {"nurses", 3.0}});
        EXPECT_EQ(Utf8(result.report), "（该工具暂无自定义报告）");  // no line break
        EXPECT_EQ(Utf8(result.verdict), "暂无报告内容");
        EXPECT_EQ(result.level, 0);
    }
}

// Each kind with no inputs at all: line count, first and last line, verdict.
struct KindCase {
    int32_t kind;
    size_t lineCount;
    const char* first;
    const char* last;
    const char* verdict;
};

constexpr KindCase kKindCases[] = {
    {1, 7, "排班规则：三班轮转（白班 D / 夜班 N / 休息 R），每日每班 1 人，按人员顺序滚动。",
     "提示：连续夜班不超过 2 个，夜班后应安排休息；请按科室实际人数与能级调整。",
     "已生成轮转排班表，可复制到排班本或表格"},
    {2, 3, "首剂时间 0:00，间隔 8 小时，共 1 次：",
     "说明：按等间隔给药；抗菌药物需结合半衰期与肾肝功能调整。",
     "给药时间表已生成，注意首剂与夜间给药时间"},
    {3, 9, "标准采血顺序（按添加剂，避免交叉污染）：", "本次：其他项目，请按检验科项目手册执行。",
     "按标准顺序采血可减少溶血与交叉污染"},
    {4, 4, "常见检验危急值（参考，需以本院文件为准）：",
     "处置要求：核实标本→15 分钟内电话报告临床→记录报告与接听人→医师 30 分钟内处理并记录。",
     "危急值必须闭环：报告、接收、处理、记录"},
    {5, 3, "高警示药品类别与要点：",
     "要点：专柜加锁、基数管理、使用后登记、拮抗剂（纳洛酮/新斯的明）备用。",
     "高警示药品须专区、专标识、双人核对"},
    {6, 6, "待查：0 号 头孢曲松  +  0 号 头孢曲松",
     "结论：本工具库内未收录该组合的明确禁忌，但仍须查本院配伍表并现配现用、注意冲管。",
     "未收录明确禁忌，仍需核对院内配伍表"},
    {7, 3, "随访节点（以今天为基准，起始第 0 天，间隔 7 天，共 1 次）：",
     "内容：症状与体征、用药依从性、复查项目、并发症预警、是否需要提前复诊。",
     "随访计划已生成，可按日期短信提醒患者"},
    {8, 6, "手术安全核查表（三步核查）：",
     "要求：三方（外科、麻醉、护理）共同口述确认并签字，任一环节缺失不得开台。",
     "三方核查缺一不可，签字后归档"},
    {9, 4, "交班报告（床号 / 诊断 / 本班病情 / 治疗与管路 / 需下一班关注）：",
     "危重患者须床旁交接；新入院、手术、输血、病情变化患者逐一交接并双签名。",
     "模板已生成，床旁交接并双方签名"},
    {10, 6, "静脉输液卡", "观察：穿刺点、滴速、输注反应；每 30 分钟巡视并记录。",
     "输液卡已生成，双人核对后执行"},
    {11, 2, "尿常规（清洁中段尿）：尿蛋白、尿糖、尿潜血、白细胞、亚硝酸盐、比重、pH、镜检。",
     "注意：留取中段尿，1 小时内送检；月经期避免。", "套餐与采血管已列出，按顺序采血"},
};

TEST(GenerateReport, EveryKindWithoutInputs) {
    for (const KindCase& c : kKindCases) {
        SCOPED_TRACE(c.kind);
        const auto result = Generate(c.kind, {});
        const auto lines = Lines(result.report);
        ASSERT_EQ(lines.size(), c.lineCount);
        EXPECT_EQ(lines.front(), c.first);
        EXPECT_EQ(lines.back(), c.last);
        EXPECT_EQ(result.report.substr(result.report.size() - 2), u"\r\n");
        EXPECT_EQ(Utf8(result.verdict), c.verdict);
        EXPECT_EQ(result.level, 0);
    }
}

TEST(GenerateReport, ClearsWhatTheBuffersHeldBefore) {
    const ReportTool tool(8, {});
    char16_t report[2048];
    char16_t verdict[64];
    for (char16_t& c : report) c = u'x';
    for (char16_t& c : verdict) c = u'x';
    report[2047] = verdict[63] = 0;
    GenerateReport(8, tool.Descriptor(), tool.Values(), report, 2048, verdict, 64);
    EXPECT_EQ(Utf8(report).rfind("手术安全核查表", 0), 0u);
    EXPECT_EQ(Utf8(verdict), "三方核查缺一不可，签字后归档");
}

TEST(GenerateReport, ReportWithoutRoomStillGivesVerdictAndLevel) {
    const ReportTool tool(6, {{"drugA", 1}, {"drugB", 2}});
    char16_t report[4] = {u'a', u'b', u'c', u'd'};
    char16_t verdict[32];
    EXPECT_EQ(GenerateReport(6, tool.Descriptor(), tool.Values(), report, 0, verdict, 32), 3);
    EXPECT_EQ(std::u16string(report, 4), u"abcd");
    EXPECT_EQ(Utf8(verdict), "禁忌：不可同瓶输注，需间隔冲管");
}

TEST(InputByIdentifier, ExactCaseSensitiveFirstMatch) {
    const ReportTool tool(3, {{"kind", 2.5}, {"Kind", 7}, {"kind", 4}, {"kin", 9}, {"kindx", 8}});
    const auto& d = tool.Descriptor();
    EXPECT_EQ(InputByIdentifier(d, tool.Values(), "kind"), 2.5);
    EXPECT_EQ(InputByIdentifier(d, tool.Values(), "Kind"), 7);
    EXPECT_EQ(InputByIdentifier(d, tool.Values(), "kin"), 9);
    EXPECT_EQ(InputByIdentifier(d, tool.Values(), "KIND"), 0.0);
    EXPECT_EQ(InputByIdentifier(d, tool.Values(), "ki"), 0.0);
    EXPECT_EQ(InputByIdentifier(d, tool.Values(), ""), 0.0);
}

TEST(InputByIdentifier, DescriptorWithoutInputsReadsZero) {
    const ReportTool tool(3, {});
    EXPECT_EQ(tool.Descriptor().inputs, nullptr);
    EXPECT_EQ(InputByIdentifier(tool.Descriptor(), tool.Values(), "kind"), 0.0);
}

TEST(GenerateReport, FirstOfTwoInputsNamedKindCounts) {
    auto lines = Lines(Generate(3, {{"kind", 2}, {"kind", 5}}).report);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[8].rfind("本次：凝血", 0), 0u);
    // A first input of 0 is still the one that counts.
    lines = Lines(Generate(3, {{"kind", 0}, {"kind", 5}}).report);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[8], "本次：其他项目，请按检验科项目手册执行。");
}

struct WholeCase {
    double value;
    int32_t expected;
};

TEST(WholeNumber, TruncatesTowardZeroWithinThirtyTwoBits) {
    const WholeCase cases[] = {
        {0.0, 0},
        {-0.0, 0},
        {0.9, 0},
        {-0.5, 0},
        {-0.9, 0},
        {2.9, 2},
        {-2.9, -2},
        {31.9, 31},
        {41.0, 41},
        {2147483647.0, INT32_MAX},
        {2147483647.9, INT32_MAX},
        {-2147483648.0, INT32_MIN},
        {-2147483648.9, INT32_MIN},
        {2147483648.0, INT32_MIN},
        {-2147483649.0, INT32_MIN},
        {1e10, INT32_MIN},
        {1e12, INT32_MIN},
        {-1e12, INT32_MIN},
        {kNaN, INT32_MIN},
        {kInfinity, INT32_MIN},
        {-kInfinity, INT32_MIN},
    };
    for (const WholeCase& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(WholeNumber(c.value), c.expected);
    }
}

}  // namespace
}  // namespace tarn
