// Blood-draw order, critical values, high-alert drugs, surgical checklist
// and laboratory panels: the lines each selector picks.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/support/report_tool.h"

namespace tarn {
namespace {

using testing::Generate;
using testing::Lines;

constexpr double kAbsent = std::numeric_limits<double>::quiet_NaN();  // marks "no input"

struct SelectorCase {
    int32_t kind;
    double selector;  // kAbsent: the descriptor has no selector input
    size_t lineCount;
    size_t pickedIndex;
    const char* picked;
    const char* last;
};

constexpr char kDrawOther[] = "本次：其他项目，请按检验科项目手册执行。";
constexpr char kHandling[] =
    "处置要求：核实标本→15 分钟内电话报告临床→记录报告与接听人→医师 30 分钟内处理并记录。";
constexpr char kAnaesthetics[] = "麻醉与肌松药：丙泊酚、维库溴铵、琥珀胆碱、阿片类";
constexpr char kAnaestheticsPoints[] =
    "要点：专柜加锁、基数管理、使用后登记、拮抗剂（纳洛酮/新斯的明）备用。";
constexpr char kUrine[] = "尿常规（清洁中段尿）：尿蛋白、尿糖、尿潜血、白细胞、亚硝酸盐、比重、pH、镜检。";
constexpr char kUrineNote[] = "注意：留取中段尿，1 小时内送检；月经期避免。";

const SelectorCase kSelectorCases[] = {
    // Blood-draw order: the selected line is the last of nine.
    {3, 1, 9, 8, "本次：血常规 → 紫管 EDTA，采血后 8 次颠倒混匀，2 小时内送检。", nullptr},
    {3, 2, 9, 8, "本次：凝血 → 淡蓝管，需采满刻度线（约 2.0ml），采血后立即轻柔颠倒 3-4 次。", nullptr},
    {3, 3, 9, 8, "本次：生化 → 红/金黄管，避免溶血，采血后静置 30 分钟离心。", nullptr},
    {3, 4, 9, 8, "本次：血气 → 肝素化注射器，排气后立即送检，15 分钟内完成。", nullptr},
    {3, 5, 9, 8, "本次：血培养 → 需氧+厌氧各 1 套，采血 2 套不同部位，先注入培养瓶。", nullptr},
    {3, 6, 9, 8, "本次：血糖/乳酸 → 灰管，需冰浴送检，30 分钟内完成。", nullptr},
    {3, 7, 9, 8, kDrawOther, nullptr},
    {3, 0, 9, 8, kDrawOther, nullptr},
    {3, -1, 9, 8, kDrawOther, nullptr},
    {3, 2.9, 9, 8, "本次：凝血 → 淡蓝管，需采满刻度线（约 2.0ml），采血后立即轻柔颠倒 3-4 次。", nullptr},
    {3, -0.5, 9, 8, kDrawOther, nullptr},
    {3, 1e12, 9, 8, kDrawOther, nullptr},
    {3, kAbsent, 9, 8, kDrawOther, nullptr},
    // Critical values: the group's first line follows the header.
    {4, 1, 6, 1, "血钾 <2.5 或 >6.5 mmol/L", kHandling},
    {4, 2, 5, 1, "血糖 <2.8 或 >22.2 mmol/L", kHandling},
    {4, 3, 5, 2, "血红蛋白 <50 g/L；血小板 <20 或 >1000 ×10^9/L", kHandling},
    {4, 4, 5, 1, "INR >4.0；纤维蛋白原 <1.0 g/L", kHandling},
    {4, 5, 5, 2, "脑脊液培养阳性；HIV 初筛阳性需确认", kHandling},
    {4, 6, 5, 1, "肌钙蛋白明显升高（高于第 99 百分位）", kHandling},
    {4, 7, 4, 1, "请查阅本院《危急值报告目录》", kHandling},
    {4, 1e12, 4, 1, "请查阅本院《危急值报告目录》", kHandling},
    {4, kAbsent, 4, 1, "请查阅本院《危急值报告目录》", kHandling},
    // High-alert drugs: category line, then its points.
    {5, 1, 3, 1, "高浓度电解质：10% 氯化钾、10% 氯化钠、25% 硫酸镁",
     "要点：专用标识、专区存放、双人核对、禁止直接静脉推注（钾）。"},
    {5, 2, 3, 1, "胰岛素与口服降糖药：胰岛素、格列本脲",
     "要点：独立存放、专用注射器、剂量双人核对、低血糖监测与急救糖备用。"},
    {5, 3, 3, 1, "抗凝与化疗药：肝素、华法林、低分子肝素、化疗药物",
     "要点：化疗药集中配置与防护、抗凝药监测 INR/APTT、出血风险宣教。"},
    {5, 4, 3, 1, kAnaesthetics, kAnaestheticsPoints},
    {5, 0, 3, 1, kAnaesthetics, kAnaestheticsPoints},
    {5, kAbsent, 3, 1, kAnaesthetics, kAnaestheticsPoints},
    // Laboratory panels: exactly the panel line and its note.
    {11, 1, 2, 0, "血常规（紫管 EDTA）：WBC、RBC、Hb、Hct、PLT、MCV/MCH/MCHC、中性/淋巴/单核/嗜酸/嗜碱比例。",
     "注意：剧烈运动、情绪、采血时间可影响结果；PLT 聚集需涂片复核。"},
    {11, 2, 2, 0, "生化全套（红/金黄管）：肝功（ALT/AST/ALP/GGT/胆红素/白蛋白）、肾功（BUN/Cr/UA）、血糖、血脂、电解质。",
     "注意：空腹 8-12 小时；溶血标本钾、AST 假性升高。"},
    {11, 3, 2, 0, "凝血四项（淡蓝管）：PT、INR、APTT、TT、纤维蛋白原、D-二聚体。",
     "注意：采血量必须达刻度；肝素治疗中查 APTT。"},
    {11, 4, 2, 0, "甲状腺功能（红/金黄管）：TSH、FT3、FT4、TPOAb、TgAb。",
     "注意：空腹；含碘造影剂后 1 周内避免复查。"},
    {11, 5, 2, 0, "心肌损伤标志物：cTnI/cTnT、CK-MB、肌红蛋白、BNP/NT-proBNP。",
     "注意：胸痛发作后 2-4 小时开始升高；动态复查更有意义。"},
    {11, 6, 2, 0, kUrine, kUrineNote},
    {11, -3, 2, 0, kUrine, kUrineNote},
    {11, kAbsent, 2, 0, kUrine, kUrineNote},
};

TEST(FixedTextKinds, EachSelectorPicksItsLines) {
    for (const SelectorCase& c : kSelectorCases) {
        SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " selector " << c.selector);
        const char* identifier = c.kind == 11 ? "panel" : "kind";
        const auto result = std::isnan(c.selector) ? Generate(c.kind, {})
                                                   : Generate(c.kind, {{identifier, c.selector}});
        const auto lines = Lines(result.report);
        ASSERT_EQ(lines.size(), c.lineCount);
        EXPECT_EQ(lines[c.pickedIndex], c.picked);
        if (c.last) {
            EXPECT_EQ(lines.back(), c.last);
        }
        EXPECT_EQ(result.report.substr(result.report.size() - 2), u"\r\n");
        EXPECT_NE(lines.back(), "");  // none of these ends with an empty line
        EXPECT_EQ(result.level, 0);
    }
}

TEST(FixedTextKinds, BloodDrawOrderListsTheTubesBeforeTheChoice) {
    const auto lines = Lines(Generate(3, {{"kind", 4}}).report);
    const std::vector<std::string> expected = {
        "标准采血顺序（按添加剂，避免交叉污染）：",
        "1 血培养瓶（需氧/厌氧）",
        "2 凝血管 淡蓝（枸橼酸钠，凝血 PT/APTT）",
        "3 促凝/血清管 红或金黄（生化、免疫）",
        "4 肝素管 绿（血气、部分生化）",
        "5 EDTA 紫（血常规、糖化、血型）",
        "6 氟化钠 灰（血糖、乳酸）",
        "",
        "本次：血气 → 肝素化注射器，排气后立即送检，15 分钟内完成。",
    };
    EXPECT_EQ(lines, expected);
}

TEST(FixedTextKinds, CriticalValuesGroupsAreComplete) {
    const std::vector<std::string> first = {
        "常见检验危急值（参考，需以本院文件为准）：",
        "血钾 <2.5 或 >6.5 mmol/L",
        "血钠 <120 或 >160 mmol/L",
        "血钙 <1.5 或 >3.5 mmol/L",
        "",
        kHandling,
    };
    EXPECT_EQ(Lines(Generate(4, {{"kind", 1}}).report), first);
    const auto second = Lines(Generate(4, {{"kind", 2}}).report);
    ASSERT_EQ(second.size(), 5u);
    EXPECT_EQ(second[2], "pH <7.20 或 >7.60；PaO2 <45 mmHg；PaCO2 >70 mmHg");
    EXPECT_EQ(second[3], "");
    const auto third = Lines(Generate(4, {{"kind", 3}}).report);
    ASSERT_EQ(third.size(), 5u);
    EXPECT_EQ(third[1], "白细胞 <1.0 或 >30.0 ×10^9/L");
    EXPECT_EQ(Lines(Generate(4, {{"kind", 4}}).report)[2], "D-二聚体显著升高并伴临床血栓表现");
    EXPECT_EQ(Lines(Generate(4, {{"kind", 5}}).report)[1], "血培养阳性（无菌部位）");
    EXPECT_EQ(Lines(Generate(4, {{"kind", 6}}).report)[2], "血淀粉酶/脂肪酶 >3 倍正常上限");
}

TEST(FixedTextKinds, PercentSignsOfFixedLinesArePrintedAsTheyAre) {
    const auto result = Generate(5, {{"kind", 1}});
    EXPECT_EQ(testing::Utf8(result.report),
              "高警示药品类别与要点：\r\n"
              "高浓度电解质：10% 氯化钾、10% 氯化钠、25% 硫酸镁\r\n"
              "要点：专用标识、专区存放、双人核对、禁止直接静脉推注（钾）。\r\n");
}

TEST(FixedTextKinds, SurgicalChecklistIgnoresItsInputs) {
    const std::vector<std::string> expected = {
        "手术安全核查表（三步核查）：",
        "【麻醉实施前】身份/部位/术式/知情同意；过敏史；气道与插管风险；出血风险；影像与植入物；皮肤准备。",
        "【手术开始前】团队自我介绍；确认患者、部位、术式；预计手术时间与失血量；抗菌药物已用；器械灭菌合格；影像资料到位。",
        "【患者离室前】手术名称与记录一致；标本标识与送检；器械敷料清点；皮肤与管路；恢复与转运方案。",
        "",
        "要求：三方（外科、麻醉、护理）共同口述确认并签字，任一环节缺失不得开台。",
    };
    const auto plain = Generate(8, {});
    EXPECT_EQ(Lines(plain.report), expected);
    const auto withInputs = Generate(8, {{"kind", 3}, {"panel", 2}, {"nurses", 9}});
    EXPECT_EQ(withInputs.report, plain.report);
    EXPECT_EQ(withInputs.verdict, plain.verdict);
}

}  // namespace
}  // namespace tarn
