// A report tool of kind != 0 through the compute operation: the generator's
// report, verdict and level, and the copy cut to its own capacity.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "computation/computation.h"
#include "tests/support/report_tool.h"

namespace tarn {
namespace {

using testing::Generate;
using testing::ReportTool;
using testing::Utf8;

TEST(ToolComputationRoad, CopyReceivesTheGeneratedReport) {
    const ReportTool tool(6, {{"drugA", 9}, {"drugB", 2}});
    char16_t report[4096];
    char16_t verdict[512];
    char16_t copy[8192];
    int32_t level = -1;
    const int32_t returned = ToolComputation(tool.Descriptor(), tool.Values(), report, 4096,
                                             verdict, 512, &level, copy, 8192);
    const auto direct = Generate(tool);
    EXPECT_EQ(returned, 3);
    EXPECT_EQ(level, 3);
    EXPECT_EQ(std::u16string(report), direct.report);
    EXPECT_EQ(std::u16string(copy), direct.report);
    EXPECT_EQ(Utf8(verdict), "禁忌：不可同瓶输注，需间隔冲管");
}

TEST(ToolComputationRoad, VerdictIsTheGeneratorsAndCopyIsCut) {
    const ReportTool tool(12, {});
    char16_t report[64];
    char16_t verdict[32];
    char16_t copy[6];
    int32_t level = -1;
    EXPECT_EQ(ToolComputation(tool.Descriptor(), tool.Values(), report, 64, verdict, 32, &level,
                              copy, 6),
              0);
    EXPECT_EQ(level, 0);
    EXPECT_EQ(Utf8(report), "（该工具暂无自定义报告）");
    EXPECT_EQ(Utf8(verdict), "暂无报告内容");  // not the formula tools' default verdict
    EXPECT_EQ(Utf8(copy), "（该工具暂");
}

}  // namespace
}  // namespace tarn
