// The record log: paths, header and record lines, and the append.
#include "records/record_log.h"

#include "engine/format.h"
#include "engine/text.h"
#include "engine/text_builder.h"

namespace tarn::records {
namespace {

constexpr char16_t kSeparator[2] = {platform::kPathSeparator, 0};

// The report cut to the column's room; a pair of surrogates is not split.
void CutResult(const char16_t* result, char16_t* cut) {
    TextBuilder text = StartText(cut, kResultColumnLength + 1);
    AppendText(text, result);
    if (text.length == kResultColumnLength && platform::IsHighSurrogate(cut[text.length - 1])) {
        cut[text.length - 1] = 0;
    }
}

// The body of a line leaves room for the CR LF that ends every line.
TextBuilder StartLineBody(char16_t* line, int32_t capacity) { return StartText(line, capacity - 2); }

void EndLine(const TextBuilder& body, int32_t capacity) {
    TextBuilder line{body.buffer, capacity, body.length, body.cut};
    AppendText(line, u"\r\n");
}

// [byte-order mark][header][record]: a new file is made from all three at
// once, an existing one gets the record part.
constexpr int32_t kNewFileCapacity = kByteOrderMarkSize + kHeaderUtf8Capacity + kRecordUtf8Capacity;

}  // namespace

bool FormatRecordsFolder(const char16_t* appDataFolder, char16_t* folder, int32_t capacity) {
    if (capacity <= 0) return false;
    folder[0] = 0;
    if (!appDataFolder || appDataFolder[0] == 0) return false;
    // A cut path would name another folder.
    if (FormatBounded(folder, capacity, u"%ls%lsTarnMedSuite%lsrecords", appDataFolder, kSeparator,
                      kSeparator) < 0) {
        folder[0] = 0;
        return false;
    }
    return true;
}

bool FormatRecordFilePath(const char16_t* folder, int32_t toolId, char16_t* path,
                          int32_t capacity) {
    if (capacity <= 0) return false;
    path[0] = 0;
    if (!folder || folder[0] == 0) return false;
    if (FormatBounded(path, capacity, u"%ls%lsT%03d.csv", folder, kSeparator, toolId) < 0) {
        path[0] = 0;
        return false;
    }
    return true;
}

bool CreateFolderLevels(const char16_t* folder) {
    char16_t walk[kFolderWalkCapacity];
    const int32_t length = TextLength(folder);
    if (length == 0 || length >= kFolderWalkCapacity) return false;
    CopyBounded(walk, kFolderWalkCapacity, folder);
    // Levels that exist already, or cannot be made but exist for the
    // system (a drive, a share), are fine: only the whole path must exist.
    for (int32_t i = platform::kPathRootLength; i < length; ++i) {
        if (walk[i] != platform::kPathSeparator) continue;
        walk[i] = 0;
        platform::CreateDirectoryLevel(walk);
        walk[i] = platform::kPathSeparator;
    }
    return platform::CreateDirectoryLevel(walk);
}

void BuildHeaderLine(const ToolDescriptor& tool, char16_t* line, int32_t capacity) {
    if (capacity <= 0) return;
    line[0] = 0;
    if (capacity < 3) return;
    TextBuilder body = StartLineBody(line, capacity);
    AppendText(body, u"时间,工具");
    const int32_t inputCount = ClampedInputCount(tool);
    for (int32_t i = 0; i < inputCount; ++i) {
        AppendChar(body, u',');
        AppendText(body, TextOrEmpty(tool.inputs[i].label));
    }
    AppendText(body, u",结果");
    EndLine(body, capacity);
}

void BuildRecordLine(const ToolDescriptor& tool, const double* inputs, const char16_t* result,
                     const platform::LocalDateTime& time, char16_t* line, int32_t capacity) {
    if (capacity <= 0) return;
    line[0] = 0;
    if (capacity < 3) return;
    TextBuilder body = StartLineBody(line, capacity);
    AppendFormatted(body, u"%04d-%02d-%02d %02d:%02d:%02d,%ls", time.year, time.month, time.day,
                    time.hour, time.minute, time.second, TextOrEmpty(tool.title));
    const int32_t inputCount = ClampedInputCount(tool);
    for (int32_t i = 0; i < inputCount; ++i) {
        AppendFormattedPart(body, kInputColumnCapacity, u",%ls=%g",
                            TextOrEmpty(tool.inputs[i].label), inputs[i]);
    }
    char16_t cut[kResultColumnLength + 1];
    CutResult(TextOrEmpty(result), cut);
    AppendFormattedPart(body, kResultColumnCapacity, u",%ls", cut);
    EndLine(body, capacity);
}

SaveResult SaveRecord(const ToolDescriptor& tool, const double* inputs, const char16_t* result,
                      const char16_t* appDataFolder, const platform::LocalDateTime& time,
                      char16_t* shownPath, int32_t shownCapacity) {
    CopyBounded(shownPath, shownCapacity, u"");
    char16_t folder[kRecordsFolderCapacity];
    if (!FormatRecordsFolder(appDataFolder, folder, kRecordsFolderCapacity)) {
        CopyBounded(shownPath, shownCapacity, TextOrEmpty(appDataFolder));
        return SaveResult::NoFolder;
    }
    char16_t path[kRecordPathCapacity];
    if (!FormatRecordFilePath(folder, tool.id, path, kRecordPathCapacity)) {
        CopyBounded(shownPath, shownCapacity, folder);
        return SaveResult::NoFolder;
    }
    CopyBounded(shownPath, shownCapacity, path);
    if (!CreateFolderLevels(folder)) return SaveResult::FolderNotCreated;

    char16_t header[kHeaderCapacity];
    BuildHeaderLine(tool, header, kHeaderCapacity);
    char16_t record[kRecordLineCapacity];
    BuildRecordLine(tool, inputs, result, time, record, kRecordLineCapacity);

    char bytes[kNewFileCapacity];
    for (int32_t i = 0; i < kByteOrderMarkSize; ++i) bytes[i] = kByteOrderMark[i];
    const int32_t headerSize =
        platform::Utf16ToUtf8(header, bytes + kByteOrderMarkSize, kHeaderUtf8Capacity);
    if (headerSize < 0) return SaveResult::LineTooLong;
    char* recordBytes = bytes + kByteOrderMarkSize + headerSize;
    const int32_t recordSize = platform::Utf16ToUtf8(record, recordBytes, kRecordUtf8Capacity);
    if (recordSize < 0) return SaveResult::LineTooLong;

    // Append to the file when it exists, whatever it begins with; otherwise
    // make it with mark, header and record. When another process makes it
    // between the two steps, append to that file.
    for (int32_t attempt = 0; attempt < 2; ++attempt) {
        switch (platform::AppendWholeBlock(path, recordBytes, recordSize)) {
            case platform::AppendResult::Appended: return SaveResult::Saved;
            case platform::AppendResult::WriteFailed: return SaveResult::WriteFailed;
            case platform::AppendResult::CloseFailed: return SaveResult::CloseFailed;
            case platform::AppendResult::OpenFailed: return SaveResult::FileNotOpened;
            case platform::AppendResult::Missing: break;
        }
        if (attempt > 0) break;
        const platform::CreateResult created = platform::CreateFileWithBlock(
            path, bytes, kByteOrderMarkSize + headerSize + recordSize);
        if (created == platform::CreateResult::Created) return SaveResult::Saved;
        // Not made, or its first write failed (the half-made file is gone).
        if (created == platform::CreateResult::Failed) return SaveResult::FileNotOpened;
    }
    // Named but not there to append to, such as a dangling link.
    return SaveResult::FileNotOpened;
}

}  // namespace tarn::records
