// The window's fixed texts.
#pragma once

namespace tarn::ui {

inline constexpr char16_t kVerdictPrompt[] = u"填写左侧参数，点击“计算”";
inline constexpr char16_t kReadyStatus[] = u"就绪：填写参数后按 F5 或点击“计算”";
inline constexpr char16_t kReferenceTemplate[] = u"参考依据：%ls";
inline constexpr char16_t kSubtitleTemplate[] = u"%ls  \u00B7  %ls";
inline constexpr char16_t kInputsCaption[] = u"输入参数";
inline constexpr char16_t kResultsCaption[] = u"计算结果";

inline constexpr char16_t kComputeCaption[] = u"计算 (F5)";
inline constexpr char16_t kSaveCaption[] = u"保存记录";
inline constexpr char16_t kCopyCaption[] = u"复制结果";
inline constexpr char16_t kResetCaption[] = u"清空重填";
inline constexpr char16_t kAboutCaption[] = u"关于";

inline constexpr char16_t kInputErrorTemplate[] = u"第 %d 项“%ls”请输入数字（如 6.8，不带单位）。";
inline constexpr char16_t kNegativeInputTemplate[] = u"第 %d 项“%ls”不能为负数。";
inline constexpr char16_t kInputErrorCaption[] = u"输入有误";
// A field that still holds the value the program put there, never typed
// into: its label, the value with its unit ("6.8 mmol/L"), the value.
inline constexpr char16_t kNotEnteredTemplate[] = u"“%ls”仍是预填的 %ls，尚未输入。按 %ls 计算吗？";
// A value outside its field's usual range, confirmed before computing: the
// field's number and label, the value and the range ("760 kg", "0.5",
// "250 kg": a "%g" number, then a blank and the unit when there is one, the
// lower end without it). A range with one end only names that end.
inline constexpr char16_t kImplausibleTemplate[] =
    u"第 %d 项“%ls”为 %ls，超出常见范围 %ls\u2013%ls。\r\n仍按此数值计算吗？";
inline constexpr char16_t kBelowLowTemplate[] =
    u"第 %d 项“%ls”为 %ls，低于常见下限 %ls。\r\n仍按此数值计算吗？";
inline constexpr char16_t kAboveHighTemplate[] =
    u"第 %d 项“%ls”为 %ls，高于常见上限 %ls。\r\n仍按此数值计算吗？";
inline constexpr char16_t kImplausibleCaption[] = u"请确认输入";
inline constexpr char16_t kQuantityTemplate[] = u"%g %ls";
inline constexpr char16_t kNumberTemplate[] = u"%g";
inline constexpr char16_t kComputedStatusTemplate[] = u"计算完成  %ls";
inline constexpr char16_t kLastResultTemplate[] = u"%ls\u2014\u2014 %ls";

inline constexpr char16_t kNoResultYet[] = u"请先点击“计算”生成结果。";
inline constexpr char16_t kNoticeCaption[] = u"提示";
inline constexpr char16_t kClipboardTemplate[] = u"%ls\r\n%ls";
inline constexpr char16_t kCopiedStatus[] = u"结果已复制到剪贴板";
inline constexpr char16_t kCopyFailedMessage[] = u"结果未能复制到剪贴板，请稍后重试。";
inline constexpr char16_t kCopyFailedCaption[] = u"复制失败";
inline constexpr char16_t kResetStatus[] = u"已恢复默认值";
inline constexpr char16_t kStaleResultStatus[] = u"参数已修改，请重新计算";

inline constexpr char16_t kSavePrompt[] = u"请先点击“计算”生成结果，再保存记录。";
inline constexpr char16_t kSavedStatusTemplate[] = u"记录已保存：%ls";
inline constexpr char16_t kSavedMessage[] = u"本次结果已追加保存到本地记录（CSV，可用 Excel 打开）。";
inline constexpr char16_t kSavedCaption[] = u"已保存";
inline constexpr char16_t kSaveFailedStatusTemplate[] = u"记录保存失败：%ls";
inline constexpr char16_t kSaveFailedMessage[] =
    u"本次结果未能保存到本地记录，请检查文件夹权限与磁盘空间。";
inline constexpr char16_t kSaveFailedCaption[] = u"保存失败";

// Buttons of the message boxes a front end draws itself.
inline constexpr char16_t kOkButton[] = u"确定";
inline constexpr char16_t kYesButton[] = u"是(Y)";
inline constexpr char16_t kNoButton[] = u"否(N)";

inline constexpr char16_t kAboutCaptionText[] = u"关于本工具";
inline constexpr char16_t kAboutTemplate[] =
    u"%ls\r\n"
    u"\r\n"
    u"分类：%ls\r\n"
    u"参考依据：%ls\r\n"
    u"\r\n"
    u"本工具为临床辅助计算/记录工具，结果不能替代医师诊疗判断，\r\n"
    u"具体用药与处置请结合患者实际情况及本院规范执行。\r\n"
    u"\r\n"
    u"版本 %ls";  // the release, x.y.z

}  // namespace tarn::ui
