// The save command: appends the last result, its inputs and the local time
// to the tool's record log, and tells the user whether it was kept.
#include "ui/save_command.h"

#include "engine/format.h"
#include "records/record_log.h"
#include "ui/texts.h"

namespace tarn::ui {

void SaveCommand(WindowState& state) {
    if (!IsStarted(state)) return;
    if (state.resultCopy[0] == 0) {
        ShowMessage(state, kSavePrompt, kNoticeCaption, MessageIcon::Information);
        return;
    }
    const ToolDescriptor& tool = *state.tool;

    char16_t appData[records::kAppDataFolderCapacity];
    const bool haveFolder = LocalAppDataFolder(state, appData, records::kAppDataFolderCapacity);
    const platform::LocalDateTime now = LocalTime(state);
    char16_t path[records::kRecordPathCapacity];
    const records::SaveResult result =
        records::SaveRecord(tool, state.lastInputs, state.resultCopy, haveFolder ? appData : nullptr,
                            now, path, records::kRecordPathCapacity);

    // A record that was not written is never reported as saved.
    const bool saved = result == records::SaveResult::Saved;
    FormatBounded(state.statusLine, kStatusLineCapacity,
                  saved ? kSavedStatusTemplate : kSaveFailedStatusTemplate, path);
    RepaintMainWindow(state);
    if (saved)
        ShowMessage(state, kSavedMessage, kSavedCaption, MessageIcon::Information);
    else
        ShowMessage(state, kSaveFailedMessage, kSaveFailedCaption, MessageIcon::Warning);
}

}  // namespace tarn::ui
