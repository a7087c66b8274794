// Windows services: GetCommandLineW, SHGetFolderPathW, CreateDirectoryW, GetLocalTime.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>

#include "platform/platform.h"

namespace tarn::platform {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t expected on Windows");

const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

}  // namespace

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

bool IsDirectory(const char16_t* path) {
    const DWORD attributes = GetFileAttributesW(Wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CreateDirectoryLevel(const char16_t* path) {
    if (CreateDirectoryW(Wide(path), nullptr)) return true;
    return GetLastError() == ERROR_ALREADY_EXISTS && IsDirectory(path);
}

std::FILE* OpenFile(const char16_t* path, const char* mode) {
    wchar_t wideMode[8] = {};
    for (int i = 0; i < 7 && mode[i] != 0; ++i) wideMode[i] = static_cast<wchar_t>(mode[i]);
    return _wfopen(Wide(path), wideMode);
}

}  // namespace tarn::platform
