// Windows services: GetCommandLineW, standard output and error (or the
// console of the parent process), SHGetFolderPathW, CreateDirectoryW,
// GetLocalTime, whole-block appends.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>

#include "platform/platform.h"

namespace tarn::platform {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t expected on Windows");

const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

// Paths up to 1008 characters, then ".<pid>.tmp".
constexpr int32_t kTemporaryPathCapacity = 1024;

// After a short append: cuts the part written off again, unless the file
// has grown past it since (another writer's record must stay).
void TakeBackShortAppend(HANDLE appending, const char16_t* path, DWORD written) {
    LARGE_INTEGER end{};
    if (!GetFileSizeEx(appending, &end) || end.QuadPart < written) return;
    HANDLE file = CreateFileW(Wide(path), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    LARGE_INTEGER now{};
    LARGE_INTEGER start{};
    start.QuadPart = end.QuadPart - written;
    if (GetFileSizeEx(file, &now) && now.QuadPart == end.QuadPart &&
        SetFilePointerEx(file, start, nullptr, FILE_BEGIN))
        SetEndOfFile(file);
    CloseHandle(file);
}

// "<path>.<pid>.tmp": private to this process, in the same folder.
bool TemporaryName(const char16_t* path, wchar_t* out, int32_t capacity) {
    int32_t length = 0;
    while (path[length] != 0) {
        if (length >= capacity - 16) return false;
        out[length] = static_cast<wchar_t>(path[length]);
        ++length;
    }
    out[length++] = L'.';
    wchar_t digits[12];
    int32_t count = 0;
    for (DWORD id = GetCurrentProcessId(); count == 0 || id != 0; id /= 10)
        digits[count++] = static_cast<wchar_t>(L'0' + id % 10);
    while (count > 0) out[length++] = digits[--count];
    for (const wchar_t* tail = L".tmp"; *tail != 0; ++tail) out[length++] = *tail;
    out[length] = 0;
    return true;
}

// Text goes to a stream in pieces: UTF-8 of this many bytes, or this many
// UTF-16 units to a console.
constexpr int32_t kStreamPieceCapacity = 1024;

// Writes all `size` bytes, going on after a short write.
bool WriteAll(HANDLE stream, const char* bytes, int32_t size) {
    while (size > 0) {
        DWORD written = 0;
        if (!WriteFile(stream, bytes, static_cast<DWORD>(size), &written, nullptr) || written == 0)
            return false;
        bytes += written;
        size -= static_cast<int32_t>(written);
    }
    return true;
}

// A file, a pipe or a device that is not a console: UTF-8, CR LF kept.
bool WriteUtf8(HANDLE stream, const char16_t* text) {
    char piece[kStreamPieceCapacity];
    int32_t index = 0;
    for (;;) {
        const int32_t size =
            NextUtf8Piece(text, &index, piece, kStreamPieceCapacity, LineEnds::AsGiven);
        if (size == 0) return true;
        if (!WriteAll(stream, piece, size)) return false;
    }
}

// A console takes UTF-16 whatever its code page. A piece never ends
// between the two halves of a surrogate pair.
bool WriteConsoleText(HANDLE console, const char16_t* text) {
    const wchar_t* rest = Wide(text ? text : u"");
    for (;;) {
        int32_t count = 0;
        while (count < kStreamPieceCapacity && rest[count] != 0) ++count;
        if (count == 0) return true;
        if (count == kStreamPieceCapacity && IsHighSurrogate(rest[count - 1])) --count;
        DWORD written = 0;
        if (!WriteConsoleW(console, rest, static_cast<DWORD>(count), &written, nullptr) ||
            written == 0)
            return false;
        rest += written;
    }
}

bool IsConsole(HANDLE stream) {
    DWORD mode = 0;
    return GetConsoleMode(stream, &mode) != 0;
}

// A GUI program has no console of its own. It attaches, once, to the
// console of the process that started it (a command prompt); "CONOUT$" is
// then that console's screen. INVALID_HANDLE_VALUE when there is none.
HANDLE gParentConsole = INVALID_HANDLE_VALUE;
bool gParentConsoleSought = false;

void AttachParentConsole() {
    if (gParentConsoleSought) return;
    gParentConsoleSought = true;
    // Fails when the process already has a console; CONOUT$ is that one.
    AttachConsole(ATTACH_PARENT_PROCESS);
    gParentConsole = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The stream the parent handed over when it is a file or a pipe (as for
// "ordavel.exe --report 8 7 > out.txt"); a console the program shares;
// else the parent's console, or nowhere.
bool WriteStream(DWORD which, const char16_t* text) {
    const HANDLE stream = GetStdHandle(which);
    const bool open = stream != nullptr && stream != INVALID_HANDLE_VALUE;
    const DWORD type = open ? GetFileType(stream) : FILE_TYPE_UNKNOWN;
    if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE) return WriteUtf8(stream, text);
    if (type == FILE_TYPE_CHAR) {
        // A console handle inherited from a console the program is not
        // attached to works once it is.
        if (!IsConsole(stream)) AttachParentConsole();
        return IsConsole(stream) ? WriteConsoleText(stream, text) : WriteUtf8(stream, text);
    }
    AttachParentConsole();
    if (gParentConsole == INVALID_HANDLE_VALUE) return true;
    return WriteConsoleText(gParentConsole, text);
}

}  // namespace

bool WriteStandardOutput(const char16_t* text) { return WriteStream(STD_OUTPUT_HANDLE, text); }

bool WriteStandardError(const char16_t* text) { return WriteStream(STD_ERROR_HANDLE, text); }

const char16_t* RawCommandLine() { return reinterpret_cast<const char16_t*>(GetCommandLineW()); }

void RememberArguments(int, char**) {}

void DeclareDpiAware() { SetProcessDPIAware(); }

LocalDateTime LocalTime() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

bool LocalAppDataFolder(char16_t* buffer, int32_t capacity) {
    wchar_t folder[MAX_PATH + 1] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return false;
    int32_t length = 0;
    while (folder[length] != 0) {
        if (length + 1 >= capacity) return false;
        buffer[length] = static_cast<char16_t>(folder[length]);
        ++length;
    }
    if (capacity <= 0) return false;
    buffer[length] = 0;
    return length > 0;
}

namespace {

bool IsDirectory(const char16_t* path) {
    const DWORD attributes = GetFileAttributesW(Wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

bool CreateDirectoryLevel(const char16_t* path) {
    if (CreateDirectoryW(Wide(path), nullptr)) return true;
    return GetLastError() == ERROR_ALREADY_EXISTS && IsDirectory(path);
}

std::FILE* OpenFile(const char16_t* path, const char* mode) {
    wchar_t wideMode[8] = {};
    for (int i = 0; i < 7 && mode[i] != 0; ++i) wideMode[i] = static_cast<wchar_t>(mode[i]);
    return _wfopen(Wide(path), wideMode);
}

AppendResult AppendWholeBlock(const char16_t* path, const char* bytes, int32_t size) {
    if (size < 0) return AppendResult::OpenFailed;
    // FILE_APPEND_DATA without FILE_WRITE_DATA: every write goes to the end
    // of the file as one piece.
    HANDLE file = CreateFileW(Wide(path), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND ? AppendResult::Missing
                                                      : AppendResult::OpenFailed;
    DWORD written = 0;
    const BOOL wrote = WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr);
    const bool whole = wrote && written == static_cast<DWORD>(size);
    if (!whole && written > 0) TakeBackShortAppend(file, path, written);
    const bool closed = CloseHandle(file) != 0;
    if (!whole) return AppendResult::WriteFailed;
    return closed ? AppendResult::Appended : AppendResult::CloseFailed;
}

CreateResult CreateFileWithBlock(const char16_t* path, const char* bytes, int32_t size) {
    wchar_t temporary[kTemporaryPathCapacity];
    if (size < 0 || !TemporaryName(path, temporary, kTemporaryPathCapacity))
        return CreateResult::Failed;
    HANDLE file = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return CreateResult::Failed;
    DWORD written = 0;
    const BOOL wrote = WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr);
    const bool closed = CloseHandle(file) != 0;
    if (!wrote || written != static_cast<DWORD>(size) || !closed) {
        DeleteFileW(temporary);
        return CreateResult::Failed;
    }
    // Without MOVEFILE_REPLACE_EXISTING the rename fails when the name is taken.
    if (MoveFileExW(temporary, Wide(path), 0)) return CreateResult::Created;
    const DWORD error = GetLastError();
    DeleteFileW(temporary);
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? CreateResult::Exists
                                                                       : CreateResult::Failed;
}

}  // namespace tarn::platform
