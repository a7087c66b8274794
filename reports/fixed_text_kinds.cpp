// The kinds whose text is fixed apart from a selector: blood-draw order,
// critical values, high-alert drugs, surgical checklist, laboratory panels.
// Every line is literal text; percent signs in it are printed as they are.
#include "reports/generators.h"
#include "reports/reports.h"

namespace tarn {

namespace {

// --- Blood-draw order (kind 3) ---

constexpr const char16_t* kTubeLines[] = {
    u"标准采血顺序（按添加剂，避免交叉污染）：",
    u"1 血培养瓶（需氧/厌氧）",
    u"2 凝血管 淡蓝（枸橼酸钠，凝血 PT/APTT）",
    u"3 促凝/血清管 红或金黄（生化、免疫）",
    u"4 肝素管 绿（血气、部分生化）",
    u"5 EDTA 紫（血常规、糖化、血型）",
    u"6 氟化钠 灰（血糖、乳酸）",
};

// Selectors 1..6, then the catch-all.
constexpr const char16_t* kDrawLines[] = {
    u"本次：血常规 → 紫管 EDTA，采血后 8 次颠倒混匀，2 小时内送检。",
    u"本次：凝血 → 淡蓝管，需采满刻度线（约 2.0ml），采血后立即轻柔颠倒 3-4 次。",
    u"本次：生化 → 红/金黄管，避免溶血，采血后静置 30 分钟离心。",
    u"本次：血气 → 肝素化注射器，排气后立即送检，15 分钟内完成。",
    u"本次：血培养 → 需氧+厌氧各 1 套，采血 2 套不同部位，先注入培养瓶。",
    u"本次：血糖/乳酸 → 灰管，需冰浴送检，30 分钟内完成。",
    u"本次：其他项目，请按检验科项目手册执行。",
};

constexpr char16_t kDrawVerdict[] = u"按标准顺序采血可减少溶血与交叉污染";

// --- Critical values (kind 4) ---

struct CriticalGroup {
    int32_t lineCount;
    const char16_t* lines[3];
};

// Selectors 1..6, then the catch-all.
constexpr CriticalGroup kCriticalGroups[] = {
    {3, {u"血钾 <2.5 或 >6.5 mmol/L", u"血钠 <120 或 >160 mmol/L", u"血钙 <1.5 或 >3.5 mmol/L"}},
    {2, {u"血糖 <2.8 或 >22.2 mmol/L", u"pH <7.20 或 >7.60；PaO2 <45 mmHg；PaCO2 >70 mmHg", nullptr}},
    {2, {u"白细胞 <1.0 或 >30.0 ×10^9/L", u"血红蛋白 <50 g/L；血小板 <20 或 >1000 ×10^9/L", nullptr}},
    {2, {u"INR >4.0；纤维蛋白原 <1.0 g/L", u"D-二聚体显著升高并伴临床血栓表现", nullptr}},
    {2, {u"血培养阳性（无菌部位）", u"脑脊液培养阳性；HIV 初筛阳性需确认", nullptr}},
    {2, {u"肌钙蛋白明显升高（高于第 99 百分位）", u"血淀粉酶/脂肪酶 >3 倍正常上限", nullptr}},
    {1, {u"请查阅本院《危急值报告目录》", nullptr, nullptr}},
};

constexpr char16_t kCriticalHeader[] = u"常见检验危急值（参考，需以本院文件为准）：";
constexpr char16_t kCriticalHandling[] =
    u"处置要求：核实标本→15 分钟内电话报告临床→记录报告与接听人→医师 30 分钟内处理并记录。";
constexpr char16_t kCriticalVerdict[] = u"危急值必须闭环：报告、接收、处理、记录";

// --- High-alert drugs (kind 5) ---

struct HighAlertCategory {
    const char16_t* category;
    const char16_t* points;
};

// Selectors 1..3, then the catch-all (anaesthetics and muscle relaxants).
constexpr HighAlertCategory kHighAlertCategories[] = {
    {u"高浓度电解质：10% 氯化钾、10% 氯化钠、25% 硫酸镁",
     u"要点：专用标识、专区存放、双人核对、禁止直接静脉推注（钾）。"},
    {u"胰岛素与口服降糖药：胰岛素、格列本脲",
     u"要点：独立存放、专用注射器、剂量双人核对、低血糖监测与急救糖备用。"},
    {u"抗凝与化疗药：肝素、华法林、低分子肝素、化疗药物",
     u"要点：化疗药集中配置与防护、抗凝药监测 INR/APTT、出血风险宣教。"},
    {u"麻醉与肌松药：丙泊酚、维库溴铵、琥珀胆碱、阿片类",
     u"要点：专柜加锁、基数管理、使用后登记、拮抗剂（纳洛酮/新斯的明）备用。"},
};

constexpr char16_t kHighAlertHeader[] = u"高警示药品类别与要点：";
constexpr char16_t kHighAlertVerdict[] = u"高警示药品须专区、专标识、双人核对";

// --- Surgical checklist (kind 8); an empty entry is an empty line ---

constexpr const char16_t* kChecklistLines[] = {
    u"手术安全核查表（三步核查）：",
    u"【麻醉实施前】身份/部位/术式/知情同意；过敏史；气道与插管风险；出血风险；影像与植入物；皮肤准备。",
    u"【手术开始前】团队自我介绍；确认患者、部位、术式；预计手术时间与失血量；抗菌药物已用；器械灭菌合格；影像资料到位。",
    u"【患者离室前】手术名称与记录一致；标本标识与送检；器械敷料清点；皮肤与管路；恢复与转运方案。",
    u"",
    u"要求：三方（外科、麻醉、护理）共同口述确认并签字，任一环节缺失不得开台。",
};

constexpr char16_t kChecklistVerdict[] = u"三方核查缺一不可，签字后归档";

// --- Laboratory panels (kind 11) ---

struct LabPanel {
    const char16_t* panel;
    const char16_t* note;
};

// Selectors 1..5, then the catch-all (urine).
constexpr LabPanel kLabPanels[] = {
    {u"血常规（紫管 EDTA）：WBC、RBC、Hb、Hct、PLT、MCV/MCH/MCHC、中性/淋巴/单核/嗜酸/嗜碱比例。",
     u"注意：剧烈运动、情绪、采血时间可影响结果；PLT 聚集需涂片复核。"},
    {u"生化全套（红/金黄管）：肝功（ALT/AST/ALP/GGT/胆红素/白蛋白）、肾功（BUN/Cr/UA）、血糖、血脂、电解质。",
     u"注意：空腹 8-12 小时；溶血标本钾、AST 假性升高。"},
    {u"凝血四项（淡蓝管）：PT、INR、APTT、TT、纤维蛋白原、D-二聚体。",
     u"注意：采血量必须达刻度；肝素治疗中查 APTT。"},
    {u"甲状腺功能（红/金黄管）：TSH、FT3、FT4、TPOAb、TgAb。",
     u"注意：空腹；含碘造影剂后 1 周内避免复查。"},
    {u"心肌损伤标志物：cTnI/cTnT、CK-MB、肌红蛋白、BNP/NT-proBNP。",
     u"注意：胸痛发作后 2-4 小时开始升高；动态复查更有意义。"},
    {u"尿常规（清洁中段尿）：尿蛋白、尿糖、尿潜血、白细胞、亚硝酸盐、比重、pH、镜检。",
     u"注意：留取中段尿，1 小时内送检；月经期避免。"},
};

constexpr char16_t kLabVerdict[] = u"套餐与采血管已列出，按顺序采血";

}  // namespace

int32_t BloodDrawOrder(const ToolDescriptor& tool, const double* inputs, TextBuilder& report,
                       TextBuilder& verdict) {
    const int32_t row = SelectorRow(WholeInput(tool, inputs, "kind"), CountOf(kDrawLines));
    for (const char16_t* line : kTubeLines) AppendFixedLine(report, line);
    AppendEmptyLine(report);
    AppendFixedLine(report, kDrawLines[row]);
    AppendText(verdict, kDrawVerdict);
    return kLevelNormal;
}

int32_t CriticalValues(const ToolDescriptor& tool, const double* inputs, TextBuilder& report,
                       TextBuilder& verdict) {
    const CriticalGroup& group =
        kCriticalGroups[SelectorRow(WholeInput(tool, inputs, "kind"), CountOf(kCriticalGroups))];
    AppendFixedLine(report, kCriticalHeader);
    for (int32_t i = 0; i < group.lineCount; ++i) AppendFixedLine(report, group.lines[i]);
    AppendEmptyLine(report);
    AppendFixedLine(report, kCriticalHandling);
    AppendText(verdict, kCriticalVerdict);
    return kLevelNormal;
}

int32_t HighAlertDrugs(const ToolDescriptor& tool, const double* inputs, TextBuilder& report,
                       TextBuilder& verdict) {
    const HighAlertCategory& category = kHighAlertCategories[SelectorRow(
        WholeInput(tool, inputs, "kind"), CountOf(kHighAlertCategories))];
    AppendFixedLine(report, kHighAlertHeader);
    AppendFixedLine(report, category.category);
    AppendFixedLine(report, category.points);
    AppendText(verdict, kHighAlertVerdict);
    return kLevelNormal;
}

int32_t SurgicalChecklist(const ToolDescriptor&, const double*, TextBuilder& report,
                          TextBuilder& verdict) {
    for (const char16_t* line : kChecklistLines) AppendFixedLine(report, line);
    AppendText(verdict, kChecklistVerdict);
    return kLevelNormal;
}

int32_t LabPanels(const ToolDescriptor& tool, const double* inputs, TextBuilder& report,
                  TextBuilder& verdict) {
    const LabPanel& panel =
        kLabPanels[SelectorRow(WholeInput(tool, inputs, "panel"), CountOf(kLabPanels))];
    AppendFixedLine(report, panel.panel);
    AppendFixedLine(report, panel.note);
    AppendText(verdict, kLabVerdict);
    return kLevelNormal;
}

}  // namespace tarn
