// The save command: appends the last result, its inputs and the local time
// to the tool's record log, and tells the user whether it was kept.
#include "ui/save_command.h"

#include "engine/format.h"
#include "platform/platform.h"
#include "records/record_log.h"
#include "ui/services.h"

namespace tarn::ui {
namespace {

constexpr char16_t kSavePrompt[] = u"请先点击“计算”生成结果，再保存记录。";
constexpr char16_t kSavePromptCaption[] = u"提示";
constexpr char16_t kSavedStatusTemplate[] = u"记录已保存：%ls";
constexpr char16_t kSavedMessage[] = u"本次结果已追加保存到本地记录（CSV，可用 Excel 打开）。";
constexpr char16_t kSavedCaption[] = u"已保存";
constexpr char16_t kSaveFailedStatusTemplate[] = u"记录保存失败：%ls";
constexpr char16_t kSaveFailedMessage[] = u"本次结果未能保存到本地记录，请检查文件夹权限与磁盘空间。";
constexpr char16_t kSaveFailedCaption[] = u"保存失败";

}  // namespace

void SaveCommand(WindowState& state) {
    if (state.resultCopy[0] == 0) {
        ShowMessage(kSavePrompt, kSavePromptCaption, MessageIcon::Information);
        return;
    }
    const ToolDescriptor& tool = state.tool ? *state.tool : CurrentTool();

    char16_t appData[records::kAppDataFolderCapacity];
    const bool haveFolder = platform::LocalAppDataFolder(appData, records::kAppDataFolderCapacity);
    const platform::LocalDateTime now = platform::LocalTime();
    char16_t path[records::kRecordPathCapacity];
    const records::SaveResult result =
        records::SaveRecord(tool, state.lastInputs, state.resultCopy, haveFolder ? appData : nullptr,
                            now, path, records::kRecordPathCapacity);

    // A record that was not written is never reported as saved.
    const bool saved = result == records::SaveResult::Saved;
    FormatBounded(state.statusLine, kStatusLineCapacity,
                  saved ? kSavedStatusTemplate : kSaveFailedStatusTemplate, path);
    RepaintMainWindow();
    if (saved)
        ShowMessage(kSavedMessage, kSavedCaption, MessageIcon::Information);
    else
        ShowMessage(kSaveFailedMessage, kSaveFailedCaption, MessageIcon::Warning);
}

}  // namespace tarn::ui
