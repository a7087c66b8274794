#include "ui/paint.h"

#include "engine/format.h"
#include "engine/text.h"
#include "ui/texts.h"

namespace tarn::ui {

void RegionTextOf(RegionText text, const WindowState& state, char16_t* buffer, int32_t capacity) {
    if (capacity <= 0) return;
    static const ToolDescriptor kNoTool = {};
    const ToolDescriptor& tool = state.tool ? *state.tool : kNoTool;
    switch (text) {
        case RegionText::Title: CopyBounded(buffer, capacity, tool.title); return;
        case RegionText::Subtitle:
            FormatBounded(buffer, capacity, kSubtitleTemplate, TextOrEmpty(tool.category),
                          TextOrEmpty(tool.subtitle));
            return;
        case RegionText::InputsCaption: CopyBounded(buffer, capacity, kInputsCaption); return;
        case RegionText::ResultsCaption: CopyBounded(buffer, capacity, kResultsCaption); return;
        case RegionText::StatusLine: CopyBounded(buffer, capacity, state.statusLine); return;
        case RegionText::None: break;
    }
    buffer[0] = 0;
}

}  // namespace tarn::ui
