// The record log: paths, header and record lines, and the append.
#include "records/record_log.h"

#include "engine/format.h"
#include "engine/text.h"

namespace tarn::records {
namespace {

constexpr char16_t kSeparator[2] = {platform::kPathSeparator, 0};

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// The report cut to the column's room; a pair of surrogates is not split.
void CutResult(const char16_t* result, char16_t* cut) {
    CopyBounded(cut, kResultColumnLength + 1, result);
    const int32_t length = TextLength(cut);
    if (length == kResultColumnLength && IsHighSurrogate(cut[length - 1])) cut[length - 1] = 0;
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
    // Room is kept for the CR LF that ends every line.
    const int32_t body = capacity - 2;
    CopyBounded(line, body, u"时间,工具");
    const int32_t inputCount = ClampedInputCount(tool);
    for (int32_t i = 0; i < inputCount; ++i) {
        AppendBounded(line, body, u",");
        AppendBounded(line, body, TextOrEmpty(tool.inputs[i].label));
    }
    AppendBounded(line, body, u",结果");
    AppendBounded(line, capacity, u"\r\n");
}

void BuildRecordLine(const ToolDescriptor& tool, const double* inputs, const char16_t* result,
                     const platform::LocalDateTime& time, char16_t* line, int32_t capacity) {
    if (capacity <= 0) return;
    line[0] = 0;
    if (capacity < 3) return;
    const int32_t body = capacity - 2;
    FormatBounded(line, body, u"%04d-%02d-%02d %02d:%02d:%02d,%ls", time.year, time.month,
                  time.day, time.hour, time.minute, time.second, TextOrEmpty(tool.title));
    const int32_t inputCount = ClampedInputCount(tool);
    for (int32_t i = 0; i < inputCount; ++i) {
        char16_t column[kInputColumnCapacity];
        FormatBounded(column, kInputColumnCapacity, u",%ls=%g", TextOrEmpty(tool.inputs[i].label),
                      inputs[i]);
        AppendBounded(line, body, column);
    }
    char16_t cut[kResultColumnLength + 1];
    CutResult(TextOrEmpty(result), cut);
    char16_t column[kResultColumnCapacity];
    FormatBounded(column, kResultColumnCapacity, u",%ls", cut);
    AppendBounded(line, body, column);
    AppendBounded(line, capacity, u"\r\n");
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
