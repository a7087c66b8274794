// Ordavel: emergency treatment of hyperkalaemia by body weight.
#include "engine/descriptor.h"

namespace tarn {
namespace {

// The default potassium is the single-precision value nearest 6.8, widened.
constexpr double kDefaultPotassium = static_cast<double>(6.8f);
static_assert(kDefaultPotassium == 6.800000190734863);

constexpr InputField kInputs[] = {
    {"w", u"体重", u"kg", 60.0, 0.5, 250.0},
    {"k", u"血钾", u"mmol/L", kDefaultPotassium, 1.5, 12.0},
};

constexpr OutputField kOutputs[] = {
    {"calcium", u"10% 葡萄糖酸钙", u"ml", "min(0.5*w,20)", "f1"},
    // Capped at 10 U, the adult dose, as calcium is at 20 ml: more only adds
    // to the hypoglycaemia this treatment risks.
    {"insulin", u"胰岛素", u"U", "min(0.1*w,10)", "f1"},
    {"glucose_g", u"葡萄糖", u"g", "0.5*w", "f1"},
    {"glucose50", u"50% 葡萄糖", u"ml", "0.5*w/0.5", "f1"},
};

// Low potassium is no "acceptable" value: insulin would drive it lower still.
constexpr VerdictRule kRules[] = {
    {"k>=6.5", 3, u"重度高钾，立即处理并持续心电监护"},
    {"k>=5.5", 2, u"中度高钾，限制含钾食物与药物，复查"},
    {"k<3.5", 2, u"血钾偏低，不宜使用胰岛素，请复核血钾"},
    {"", 0, u"血钾在可接受范围，继续监测"},
};

constexpr ToolDescriptor kOrdavel = {
    22,
    u"Ordavel",
    u"按体重计算钙剂、胰岛素与葡萄糖",
    u"急诊",
    u"高钾处理：10% 葡萄糖酸钙 0.5ml/kg（最多 20ml）、胰岛素 0.1U/kg（最多 10U）+ 50% 葡萄糖",
    u"同时需排钾（利尿、树脂、透析）；持续心电监护，警惕低血糖。",
    2, kInputs,
    4, kOutputs,
    4, kRules,
    kFormulaTool,
};

}  // namespace

const ToolDescriptor& CurrentTool() { return kOrdavel; }

}  // namespace tarn
