// The few operating-system services the program uses, behind one header.
// Implemented by platform/win32.cpp on Windows and platform/posix.cpp on Linux.
#pragma once

#include <cstdint>
#include <cstdio>

// The UTF-8/UTF-16 codec, which needs no OS service.
#include "platform/unicode.h"

namespace tarn::platform {

#ifdef _WIN32
inline constexpr char16_t kPathSeparator = u'\\';
// A folder walk passes over the drive root such as "C:\".
inline constexpr int32_t kPathRootLength = 3;
#else
inline constexpr char16_t kPathSeparator = u'/';
// A folder walk starts below the root "/".
inline constexpr int32_t kPathRootLength = 1;
#endif

// The raw command line as one wide string. On Windows it is GetCommandLineW;
// on Linux the arguments joined by blanks, an argument holding a blank put in
// double quotes (set once from main with RememberArguments).
const char16_t* RawCommandLine();
void RememberArguments(int argumentCount, char** arguments);

// Writes `text`, whose lines end in CR LF, to standard output or standard
// error: as UTF-8 with LF line ends on Linux; on Windows as UTF-8 with CR LF
// to a file or pipe, and as UTF-16 to a console, so that Chinese shows
// whatever its code page. A Windows program started without a console of
// its own and without a redirected stream writes to the console of the
// process that started it, and to nowhere (true) when there is none. False
// when the stream took only part of the text, or none of it.
bool WriteStandardOutput(const char16_t* text);
bool WriteStandardError(const char16_t* text);

// Declares the process DPI-aware (Windows); nothing elsewhere.
void DeclareDpiAware();

struct LocalDateTime {
    int32_t year, month, day, hour, minute, second;
};
LocalDateTime LocalTime();

// The per-user local application-data folder, without a trailing separator.
// False when it cannot be determined or does not fit.
bool LocalAppDataFolder(char16_t* buffer, int32_t capacity);

// Creates one directory level. True when the directory exists afterwards.
bool CreateDirectoryLevel(const char16_t* path);

// fopen by UTF-16 path; mode is an ASCII fopen mode such as "wb" or "ab".
std::FILE* OpenFile(const char16_t* path, const char* mode);

// Appends `size` bytes to the end of an existing file with one write, so
// that blocks appended by several processes at once never interleave. A
// short write counts as failed; what it left is cut off again when no one
// has appended since.
enum class AppendResult : int32_t { Appended, Missing, OpenFailed, WriteFailed, CloseFailed };
AppendResult AppendWholeBlock(const char16_t* path, const char* bytes, int32_t size);

// Creates the file at `path` holding exactly these bytes, only when no file
// of that name exists. The bytes are written under a temporary name in the
// same folder and then linked into place, so no process ever sees the file
// part written and of two processes creating it at once exactly one wins.
// (On a file system without hard links it is created in place, exclusively.)
enum class CreateResult : int32_t { Created, Exists, Failed };
CreateResult CreateFileWithBlock(const char16_t* path, const char* bytes, int32_t size);

}  // namespace tarn::platform
