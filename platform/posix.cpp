// Linux services: argv as the raw command line, XDG data folder, mkdir, localtime.
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>

#include "platform/platform.h"

namespace tarn::platform {
namespace {

// Windows caps a command line at 32767 characters; so does this copy.
constexpr int32_t kCommandLineCapacity = 32768;
char16_t gCommandLine[kCommandLineCapacity];

// Appends UTF-8 `text` as UTF-16; invalid bytes become U+FFFD.
void AppendUtf8(const char* text, char16_t* out, int32_t capacity, int32_t* length) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    int32_t index = 0;
    while (bytes[index] != 0) {
        char32_t codePoint = bytes[index];
        int32_t extra = 0;
        if (codePoint >= 0xF0 && codePoint < 0xF8) { codePoint &= 0x07; extra = 3; }
        else if (codePoint >= 0xE0) { codePoint &= 0x0F; extra = 2; }
        else if (codePoint >= 0xC0) { codePoint &= 0x1F; extra = 1; }
        else if (codePoint >= 0x80) { codePoint = 0xFFFD; }
        ++index;
        for (int32_t i = 0; i < extra; ++i) {
            if ((bytes[index] & 0xC0) != 0x80) { codePoint = 0xFFFD; break; }
            codePoint = (codePoint << 6) | (bytes[index] & 0x3F);
            ++index;
        }
        if (codePoint > 0x10FFFF) codePoint = 0xFFFD;
        if (codePoint >= 0x10000) {
            if (*length + 2 >= capacity) return;
            codePoint -= 0x10000;
            out[(*length)++] = static_cast<char16_t>(0xD800 + (codePoint >> 10));
            out[(*length)++] = static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
        } else {
            if (*length + 1 >= capacity) return;
            out[(*length)++] = static_cast<char16_t>(codePoint);
        }
    }
}

bool HoldsBlank(const char* text) {
    for (; *text != 0; ++text)
        if (*text == ' ') return true;
    return false;
}

// UTF-16 path to UTF-8 for the C library; false when it does not fit.
bool NarrowPath(const char16_t* path, char* out, int32_t capacity) {
    return Utf16ToUtf8(path, out, capacity) >= 0;
}

constexpr int32_t kNarrowPathCapacity = 4096;

}  // namespace

void RememberArguments(int argumentCount, char** arguments) {
    int32_t length = 0;
    for (int i = 0; i < argumentCount; ++i) {
        if (i > 0) AppendUtf8(" ", gCommandLine, kCommandLineCapacity, &length);
        const bool quoted = HoldsBlank(arguments[i]);
        if (quoted) AppendUtf8("\"", gCommandLine, kCommandLineCapacity, &length);
        AppendUtf8(arguments[i], gCommandLine, kCommandLineCapacity, &length);
        if (quoted) AppendUtf8("\"", gCommandLine, kCommandLineCapacity, &length);
    }
    gCommandLine[length] = 0;
}

const char16_t* RawCommandLine() { return gCommandLine; }

void DeclareDpiAware() {}

LocalDateTime LocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
            parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

bool LocalAppDataFolder(char16_t* buffer, int32_t capacity) {
    if (capacity <= 0) return false;
    int32_t length = 0;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') {
        AppendUtf8(xdg, buffer, capacity, &length);
    } else {
        const char* home = std::getenv("HOME");
        if (!home || home[0] != '/') return false;
        AppendUtf8(home, buffer, capacity, &length);
        AppendUtf8("/.local/share", buffer, capacity, &length);
    }
    buffer[length] = 0;
    while (length > 1 && buffer[length - 1] == u'/') buffer[--length] = 0;
    // A path cut at the capacity would name another folder.
    return length > 0 && length + 1 < capacity;
}

bool IsDirectory(const char16_t* path) {
    char narrow[kNarrowPathCapacity];
    if (!NarrowPath(path, narrow, kNarrowPathCapacity)) return false;
    struct stat status {};
    return stat(narrow, &status) == 0 && S_ISDIR(status.st_mode);
}

bool CreateDirectoryLevel(const char16_t* path) {
    char narrow[kNarrowPathCapacity];
    if (!NarrowPath(path, narrow, kNarrowPathCapacity)) return false;
    if (mkdir(narrow, 0777) == 0) return true;
    return errno == EEXIST && IsDirectory(path);
}

std::FILE* OpenFile(const char16_t* path, const char* mode) {
    char narrow[kNarrowPathCapacity];
    if (!NarrowPath(path, narrow, kNarrowPathCapacity)) return nullptr;
    return std::fopen(narrow, mode);
}

}  // namespace tarn::platform
