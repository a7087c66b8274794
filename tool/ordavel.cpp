// Ordavel: the emergency treatment of hyperkalaemia by body weight. This is
// the tool's clinical content; each figure names the guidance it follows,
// and docs/safety.md lists every figure with its source and deviations.
//
// Sources, as cited below:
//   UKKA    UK Kidney Association, Treatment of Acute Hyperkalaemia in
//           Adults (2020; 2023 update)
//   MHRA    MHRA Drug Safety Update, June 2023 (calcium gluconate dosing)
//   CN-CKD  中华医学会肾脏病学分会《中国慢性肾脏病患者血钾管理实践专家共识》(2020)
//   BNFc    BNF for Children
//   CHOP    CHOP tumour-lysis pathway
//   BWC     Birmingham Women's and Children's hyperkalaemia guideline (2019)
//   RCH     Royal Children's Hospital Melbourne, Hyperkalaemia
//   JEM     Moussavi et al., J Emerg Med 2019;57:36-42
#include "engine/descriptor.h"

namespace tarn {
namespace {

// The default potassium is the single-precision value nearest 6.8, widened.
constexpr double kDefaultPotassium = static_cast<double>(6.8f);
static_assert(kDefaultPotassium == 6.800000190734863);

constexpr InputField kInputs[] = {
    // Usual ranges, asked about outside them: 0.5 kg (a preterm infant) to
    // 250 kg; potassium 1.5 to 12 mmol/L, beyond which a value is far more
    // likely a slip or a haemolysed sample than a living patient's.
    {"w", u"体重", u"kg", 60.0, 0.5, 250.0},
    {"k", u"血钾", u"mmol/L", kDefaultPotassium, 1.5, 12.0},
};

// Doses are given from 5.5 mmol/L, the threshold of hyperkalaemia (UKKA: mild
// 5.5-5.9; RCH: > 5.5). Below it no guideline gives calcium or insulin.
constexpr char kHyperkalaemia[] = "k>=5.5";

constexpr OutputField kOutputs[] = {
    // 10% calcium gluconate 0.5 ml/kg (BNFc: 0.11 mmol/kg), at most 20 ml
    // (BWC, BNFc 4.5 mmol). Deviation: UKKA and the MHRA give adults 30 ml
    // (6.8 mmol); Chinese practice gives 10-20 ml.
    {"calcium", u"10% 葡萄糖酸钙", u"ml", "min(0.5*w,20)", "f1", kHyperkalaemia},
    // Insulin 0.1 U/kg (CHOP; JEM as a guard against hypoglycaemia), at most
    // 10 U (UKKA's adult dose; CN-CKD 10 IU).
    {"insulin", u"胰岛素", u"U", "min(0.1*w,10)", "f1", kHyperkalaemia},
    // Glucose 5 g for each unit of insulin at every weight: 0.5 g/kg for a
    // child (CHOP 0.5-1 g/kg), at most 50 g with 10 U (CN-CKD: 10 U in
    // 500 ml of 10%; JEM: 50 g instead of 25 g). UKKA gives adults 25 g.
    {"glucose_g", u"葡萄糖", u"g", "min(0.5*w,50)", "f1", kHyperkalaemia},
    // From 40 kg as 50% glucose, 2 ml per g (UKKA, CN-CKD give adults 50% or
    // 10%).
    {"glucose50", u"50% 葡萄糖", u"ml", "glucose_g/0.5", "f1", "k>=5.5 && w>=40"},
    // Under 40 kg as 10% glucose, 10 ml per g: 50% is not recommended for
    // children (BNFc); CHOP gives 5-10 ml/kg of 10%.
    {"glucose10", u"10% 葡萄糖", u"ml", "glucose_g/0.1", "f1", "k>=5.5 && w<40"},
};

// UKKA bands: mild 5.5-5.9, moderate 6.0-6.4 (an urgent ECG, severe treatment
// if it shows changes), severe >= 6.5. CN-CKD: >= 6.0 is an emergency. Below
// 3.5 insulin would drive a low potassium lower still.
constexpr VerdictRule kRules[] = {
    {"k>=6.5", 3, u"重度高钾，立即处理并持续心电监护"},
    {"k>=6", 2, u"中度高钾：立即做心电图，有改变按重度处理"},
    {"k>=5.5", 1, u"轻度高钾：做心电图，停用升钾药物，复查血钾"},
    {"k<3.5", 2, u"血钾偏低，不宜使用胰岛素，请复核血钾"},
    {"", 0, u"血钾未升高，无需降钾急救用药"},
};

// ① UKKA: ECG for all at >= 6.0, calcium for ECG changes over 5-10 minutes
//   (MHRA: over 10 minutes), repeated while they persist; CN-CKD likewise.
// ② UKKA: glucose before insulin, 10% glucose 50 ml/h for 5 h when it is
//   below 7 mmol/L, monitoring for 6 h; JEM: hourly for 4-6 h.
// ③ BNFc (no 50% for children); CHOP (insulin diluted at <= 50 kg); RCH and
//   BWC (other thresholds for neonates).
// ④ UKKA, CN-CKD: removing potassium from the body.
constexpr char16_t kNote[] =
    u"① 先做 12 导联心电图；有高钾改变即缓慢静推钙剂（5–10 分钟），仍有改变可重复。"
    u"② 用胰岛素前测血糖，用后每小时复测，至少 6 小时；成人用前血糖 <7 mmol/L 者另予 10% 葡萄糖 50 ml/h，共 5 小时。"
    u"③ 体重 <40 kg：用 10% 葡萄糖，胰岛素须稀释后抽取；本工具不适用于新生儿。"
    u"④ 同时排钾（利尿、钾结合剂、透析）。";

constexpr ToolDescriptor kOrdavel = {
    22,
    u"Ordavel",
    u"按体重计算钙剂、胰岛素与葡萄糖",
    u"急诊",
    u"UKKA 成人急性高钾血症指南（2023）；中国慢性肾脏病血钾管理专家共识（2020）；儿童：BNFc",
    kNote,
    2, kInputs,
    5, kOutputs,
    5, kRules,
    kFormulaTool,
    // Below 5.5 no dose is shown: the report says so rather than stay empty.
    u"血钾 <5.5 mmol/L：不计算降钾急救用药",
};

}  // namespace

const ToolDescriptor& CurrentTool() { return kOrdavel; }

}  // namespace tarn
