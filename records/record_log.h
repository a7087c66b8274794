// The record log: one CSV file per tool id under the user's local
// application-data folder, "TarnMedSuite/records/T%03d.csv", UTF-8 with a
// byte-order mark and a header line at its creation, one record appended per
// save and never rewritten.
//
// The folder and the local time are parameters here so that callers (the
// save command, tests, the concurrent-writer check) choose them; the save
// command passes what the platform reports.
#pragma once

#include <cstdint>

#include "engine/descriptor.h"
#include "platform/platform.h"

namespace tarn::records {

// Wide-character capacities, terminator included.
inline constexpr int32_t kAppDataFolderCapacity = 512;
inline constexpr int32_t kRecordsFolderCapacity = 260;
inline constexpr int32_t kFolderWalkCapacity = 520;
inline constexpr int32_t kRecordPathCapacity = 520;
inline constexpr int32_t kHeaderCapacity = 512;
inline constexpr int32_t kRecordLineCapacity = 4096;
inline constexpr int32_t kInputColumnCapacity = 128;
inline constexpr int32_t kResultColumnCapacity = 256;
// The result column holds at most this many characters of the report.
inline constexpr int32_t kResultColumnLength = 254;

// A UTF-16 unit never needs more than three UTF-8 bytes (a surrogate pair
// needs four for two units), so these hold the longest line the wide
// buffers can.
inline constexpr int32_t kHeaderUtf8Capacity = 3 * kHeaderCapacity;
inline constexpr int32_t kRecordUtf8Capacity = 3 * kRecordLineCapacity;

inline constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
inline constexpr int32_t kByteOrderMarkSize = 3;

enum class SaveResult : int32_t {
    Saved,
    NoFolder,          // no application-data folder, or the path does not fit
    FolderNotCreated,  // a level of the records folder could not be made
    FileNotOpened,     // the record file could not be opened or created
    LineTooLong,       // a line's UTF-8 form does not fit its buffer
    WriteFailed,       // the write failed or was short
    CloseFailed,
};

// "<appData>/TarnMedSuite/records" with the platform's separator. False, with
// an empty folder, when the application-data folder is absent or empty or
// the path does not fit.
bool FormatRecordsFolder(const char16_t* appDataFolder, char16_t* folder, int32_t capacity);

// "<folder>/T%03d.csv". False, with an empty path, when it does not fit.
bool FormatRecordFilePath(const char16_t* folder, int32_t toolId, char16_t* path,
                          int32_t capacity);

// Creates every missing level of `folder`, one directory per separator after
// the root. True when the whole folder exists afterwards.
bool CreateFolderLevels(const char16_t* folder);

// "时间,工具", ",<label>" per input, ",结果", CR LF. Text that does not fit is
// cut before the CR LF, which always ends the line.
void BuildHeaderLine(const ToolDescriptor& tool, char16_t* line, int32_t capacity);

// "YYYY-MM-DD hh:mm:ss,<title>", ",<label>=%g" per input, ",<result cut to
// 254 characters>", CR LF; cut like the header.
void BuildRecordLine(const ToolDescriptor& tool, const double* inputs, const char16_t* result,
                     const platform::LocalDateTime& time, char16_t* line, int32_t capacity);

// Appends one record to the tool's log under `appDataFolder` (null: none
// known), creating the folder and, for a new file, the byte-order mark and
// header. `shownPath` receives the record-file path, or the folder when there
// is no file path yet, for the status line.
SaveResult SaveRecord(const ToolDescriptor& tool, const double* inputs, const char16_t* result,
                      const char16_t* appDataFolder, const platform::LocalDateTime& time,
                      char16_t* shownPath, int32_t shownCapacity);

}  // namespace tarn::records
