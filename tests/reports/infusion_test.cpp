// Drug compatibility by unordered pair, and the infusion card.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/report_tool.h"

namespace tarn {
namespace {

using testing::Generate;
using testing::Lines;
using testing::Utf8;

const char* const kNames[] = {"头孢曲松", "葡萄糖酸钙", "万古霉素", "呋塞米", "氨溴索",
                              "奥美拉唑", "维生素C",    "胰岛素",   "碳酸氢钠", "多巴胺"};

std::string Shown(int32_t number) { return number >= 1 && number <= 10 ? kNames[number - 1] : kNames[0]; }

std::string Header(int32_t a, int32_t b) {
    return "待查：" + std::to_string(a) + " 号 " + Shown(a) + "  +  " + std::to_string(b) + " 号 " + Shown(b);
}

constexpr char kCalcium[] = "结论：禁忌配伍。头孢曲松与含钙注射液可形成不溶性沉淀；钙剂与碳酸氢钠亦不宜同瓶。";
constexpr char kVancomycin[] = "结论：不宜同瓶。万古霉素与碱性药物/奥美拉唑配伍稳定性差，应分开输注并冲管。";
constexpr char kFurosemide[] = "结论：不宜同瓶。呋塞米与多巴胺、氨溴索与碱性液混合易发生理化变化。";
constexpr char kOmeprazole[] = "结论：奥美拉唑与维生素C 同瓶 pH 冲突，稳定性下降，建议分开。";
constexpr char kNotListed[] = "结论：本工具库内未收录该组合的明确禁忌，但仍须查本院配伍表并现配现用、注意冲管。";
constexpr char kNotListedVerdict[] = "未收录明确禁忌，仍需核对院内配伍表";

struct PairCase {
    double a;
    double b;
    int32_t level;
    const char* conclusion;
    const char* verdict;
};

const PairCase kPairs[] = {
    {1, 2, 3, kCalcium, "禁忌：不可同瓶输注，需间隔冲管"},
    {2, 9, 3, kCalcium, "禁忌：不可同瓶输注，需间隔冲管"},
    {3, 6, 2, kVancomycin, "不宜同瓶，分开输注并冲管"},
    {3, 9, 2, kVancomycin, "不宜同瓶，分开输注并冲管"},
    {4, 10, 2, kFurosemide, "不宜同瓶，建议分开输注"},
    {5, 9, 2, kFurosemide, "不宜同瓶，建议分开输注"},
    {6, 7, 1, kOmeprazole, "建议分开输注"},
    {1, 1, 0, kNotListed, kNotListedVerdict},
    {1, 9, 0, kNotListed, kNotListedVerdict},
    {2, 12, 0, kNotListed, kNotListedVerdict},
    {0, 0, 0, kNotListed, kNotListedVerdict},
    {1.9, 2.2, 3, kCalcium, "禁忌：不可同瓶输注，需间隔冲管"},
    {-1, 2, 0, kNotListed, kNotListedVerdict},
};

void ExpectPair(double a, double b, const PairCase& c) {
    SCOPED_TRACE(::testing::Message() << "drugA " << a << " drugB " << b);
    const auto result = Generate(6, {{"drugA", a}, {"drugB", b}});
    const auto lines = Lines(result.report);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], Header(static_cast<int32_t>(a), static_cast<int32_t>(b)));
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "编号：1头孢曲松 2葡萄糖酸钙 3万古霉素 4呋塞米 5氨溴索");
    EXPECT_EQ(lines[3], "      6奥美拉唑 7维生素C 8胰岛素 9碳酸氢钠 10多巴胺");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], c.conclusion);
    EXPECT_EQ(Utf8(result.verdict), c.verdict);
    EXPECT_EQ(result.level, c.level);
}

TEST(DrugCompatibility, EveryPairInBothOrders) {
    for (const PairCase& c : kPairs) {
        ExpectPair(c.a, c.b, c);
        ExpectPair(c.b, c.a, c);
    }
}

TEST(DrugCompatibility, InsulinIsInNoPair) {
    const PairCase none = {0, 0, 0, kNotListed, kNotListedVerdict};
    for (int32_t other = 0; other <= 11; ++other) {
        ExpectPair(8, other, none);
        ExpectPair(other, 8, none);
    }
}

TEST(DrugCompatibility, NumbersOutsideTheListShowDrugOne) {
    auto result = Generate(6, {{"drugA", 12}, {"drugB", 2}});
    EXPECT_EQ(Lines(result.report)[0], "待查：12 号 头孢曲松  +  2 号 葡萄糖酸钙");
    EXPECT_EQ(result.level, 0);
    result = Generate(6, {{"drugA", 1e12}, {"drugB", 2}});
    EXPECT_EQ(Lines(result.report)[0], "待查：-2147483648 号 头孢曲松  +  2 号 葡萄糖酸钙");
    EXPECT_EQ(result.level, 0);
    result = Generate(6, {});
    EXPECT_EQ(Lines(result.report)[0], "待查：0 号 头孢曲松  +  0 号 头孢曲松");
}

struct CardCase {
    double bed, dose, volume, gtt;
    const char* bedLine;
    const char* drugLine;
    const char* rateLine;
};

TEST(InfusionCard, ValuesAndHourlyVolume) {
    const CardCase cases[] = {
        {12.7, 2.5, 250, 40, "床号：12", "药液：医嘱药量 2.50 ，加入溶媒 250 ml", "滴速：40 滴/分（约 120 ml/h）"},
        {3, 0.125, 100, 33, "床号：3", "药液：医嘱药量 0.12 ，加入溶媒 100 ml", "滴速：33 滴/分（约 99 ml/h）"},
        {0, 0, 0, 0, "床号：0", "药液：医嘱药量 0.00 ，加入溶媒 0 ml", "滴速：0 滴/分（约 0 ml/h）"},
        {-3.9, -1, -50, -20, "床号：-3", "药液：医嘱药量 -1.00 ，加入溶媒 -50 ml", "滴速：-20 滴/分（约 -60 ml/h）"},
        {1e12, 1, 500.5, 20.5, "床号：-2147483648", "药液：医嘱药量 1.00 ，加入溶媒 500 ml",
         "滴速：20 滴/分（约 62 ml/h）"},
    };
    for (const CardCase& c : cases) {
        SCOPED_TRACE(c.bedLine);
        const auto result = Generate(10, {{"bed", c.bed}, {"dose", c.dose}, {"volume", c.volume}, {"gtt", c.gtt}});
        const std::vector<std::string> expected = {
            "静脉输液卡",
            c.bedLine,
            c.drugLine,
            c.rateLine,
            "核对：药名/剂量/浓度/有效期/配伍；双人签名。",
            "观察：穿刺点、滴速、输注反应；每 30 分钟巡视并记录。",
        };
        EXPECT_EQ(Lines(result.report), expected);
        EXPECT_EQ(Utf8(result.verdict), "输液卡已生成，双人核对后执行");
        EXPECT_EQ(result.level, 0);
    }
}

}  // namespace
}  // namespace tarn
