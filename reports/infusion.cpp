// Drug compatibility of a pair from a numbered list, and the infusion card.
#include "engine/format.h"
#include "reports/generators.h"
#include "reports/reports.h"

namespace tarn {

namespace {

// --- Drug compatibility (kind 6) ---

// Numbered from 1; a number outside 1..10 is shown with drug 1's name.
constexpr const char16_t* kNumberedDrugs[] = {
    u"头孢曲松",    // 1 ceftriaxone
    u"葡萄糖酸钙",  // 2 calcium gluconate
    u"万古霉素",    // 3 vancomycin
    u"呋塞米",      // 4 furosemide
    u"氨溴索",      // 5 ambroxol
    u"奥美拉唑",    // 6 omeprazole
    u"维生素C",     // 7 vitamin C
    u"胰岛素",      // 8 insulin
    u"碳酸氢钠",    // 9 sodium bicarbonate
    u"多巴胺",      // 10 dopamine
};

struct Conclusion {
    const char16_t* line;
    const char16_t* verdict;
    int32_t level;
};

constexpr Conclusion kCalciumPrecipitate = {
    u"结论：禁忌配伍。头孢曲松与含钙注射液可形成不溶性沉淀；钙剂与碳酸氢钠亦不宜同瓶。",
    u"禁忌：不可同瓶输注，需间隔冲管", 3};
constexpr Conclusion kVancomycinUnstable = {
    u"结论：不宜同瓶。万古霉素与碱性药物/奥美拉唑配伍稳定性差，应分开输注并冲管。",
    u"不宜同瓶，分开输注并冲管", 2};
constexpr Conclusion kFurosemideReacts = {
    u"结论：不宜同瓶。呋塞米与多巴胺、氨溴索与碱性液混合易发生理化变化。",
    u"不宜同瓶，建议分开输注", 2};
constexpr Conclusion kOmeprazolePh = {
    u"结论：奥美拉唑与维生素C 同瓶 pH 冲突，稳定性下降，建议分开。", u"建议分开输注", 1};
constexpr Conclusion kNotListed = {
    u"结论：本工具库内未收录该组合的明确禁忌，但仍须查本院配伍表并现配现用、注意冲管。",
    u"未收录明确禁忌，仍需核对院内配伍表", 0};

// Known incompatibilities, keyed by the unordered pair (lo < hi).
struct Incompatibility {
    int32_t lo;
    int32_t hi;
    const Conclusion* conclusion;
};

constexpr Incompatibility kIncompatibilities[] = {
    {1, 2, &kCalciumPrecipitate},  // ceftriaxone + calcium gluconate
    {2, 9, &kCalciumPrecipitate},  // calcium gluconate + sodium bicarbonate
    {3, 6, &kVancomycinUnstable},  // vancomycin + omeprazole
    {3, 9, &kVancomycinUnstable},  // vancomycin + sodium bicarbonate
    {4, 10, &kFurosemideReacts},   // furosemide + dopamine
    {5, 9, &kFurosemideReacts},    // ambroxol + sodium bicarbonate
    {6, 7, &kOmeprazolePh},        // omeprazole + vitamin C
};

constexpr const char16_t* kDrugLegend[] = {
    u"编号：1头孢曲松 2葡萄糖酸钙 3万古霉素 4呋塞米 5氨溴索",
    u"      6奥美拉唑 7维生素C 8胰岛素 9碳酸氢钠 10多巴胺",
};

const char16_t* DrugName(int32_t number) {
    if (number >= 1 && number <= CountOf(kNumberedDrugs)) return kNumberedDrugs[number - 1];
    return kNumberedDrugs[0];
}

const Conclusion& FindConclusion(int32_t a, int32_t b) {
    const int32_t lo = a < b ? a : b;
    const int32_t hi = a < b ? b : a;
    for (const Incompatibility& entry : kIncompatibilities) {
        if (entry.lo == lo && entry.hi == hi) return *entry.conclusion;
    }
    return kNotListed;
}

// --- Infusion card (kind 10) ---

// 60 minutes per hour over a drip set of 20 drops per ml.
constexpr double kMlPerHourPerDropPerMinute = 3.0;

constexpr char16_t kCardTitle[] = u"静脉输液卡";
constexpr char16_t kCardCheck[] = u"核对：药名/剂量/浓度/有效期/配伍；双人签名。";
constexpr char16_t kCardWatch[] = u"观察：穿刺点、滴速、输注反应；每 30 分钟巡视并记录。";
constexpr char16_t kCardVerdict[] = u"输液卡已生成，双人核对后执行";

}  // namespace

int32_t DrugCompatibility(const ToolDescriptor& tool, const double* inputs, TextBuilder& report,
                          TextBuilder& verdict) {
    const int32_t a = WholeInput(tool, inputs, "drugA");
    const int32_t b = WholeInput(tool, inputs, "drugB");
    const Conclusion& conclusion = FindConclusion(a, b);

    AppendFormattedLine(report, u"待查：%d 号 %ls  +  %d 号 %ls", a, DrugName(a), b, DrugName(b));
    AppendEmptyLine(report);
    for (const char16_t* line : kDrugLegend) AppendFixedLine(report, line);
    AppendEmptyLine(report);
    AppendFixedLine(report, conclusion.line);
    AppendText(verdict, conclusion.verdict);
    return conclusion.level;
}

int32_t InfusionCard(const ToolDescriptor& tool, const double* inputs, TextBuilder& report,
                     TextBuilder& verdict) {
    const int32_t bed = WholeInput(tool, inputs, "bed");
    const double dose = InputByIdentifier(tool, inputs, "dose");
    const double volume = InputByIdentifier(tool, inputs, "volume");
    const double dropsPerMinute = InputByIdentifier(tool, inputs, "gtt");

    AppendFixedLine(report, kCardTitle);
    AppendFormattedLine(report, u"床号：%d", bed);
    AppendFormattedLine(report, u"药液：医嘱药量 %.2f ，加入溶媒 %.0f ml", dose, volume);
    AppendFormattedLine(report, u"滴速：%.0f 滴/分（约 %.0f ml/h）", dropsPerMinute,
               dropsPerMinute * kMlPerHourPerDropPerMinute);
    AppendFixedLine(report, kCardCheck);
    AppendFixedLine(report, kCardWatch);
    AppendText(verdict, kCardVerdict);
    return kLevelNormal;
}

}  // namespace tarn
