// Linux services: argv as the raw command line, standard output and error,
// XDG data folder, mkdir, localtime, whole-block appends.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <ctime>

#include "platform/platform.h"

namespace tarn::platform {
namespace {

// Windows caps a command line at 32767 characters; so does this copy.
constexpr int32_t kCommandLineCapacity = 32768;
char16_t gCommandLine[kCommandLineCapacity];

// An empty argument is quoted too, so that it stays an argument ("").
bool NeedsQuotes(const char* text) {
    if (*text == 0) return true;
    for (; *text != 0; ++text)
        if (*text == ' ') return true;
    return false;
}

// UTF-8 is written in pieces of this many bytes.
constexpr int32_t kStreamPieceCapacity = 1024;

// Writes all `size` bytes, going on after a short write or a signal.
bool WriteAll(int descriptor, const char* bytes, int32_t size) {
    while (size > 0) {
        const ssize_t written = write(descriptor, bytes, static_cast<size_t>(size));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes += written;
        size -= static_cast<int32_t>(written);
    }
    return true;
}

bool WriteText(int descriptor, const char16_t* text) {
    char piece[kStreamPieceCapacity];
    int32_t index = 0;
    for (;;) {
        const int32_t size =
            NextUtf8Piece(text, &index, piece, kStreamPieceCapacity, LineEnds::LineFeed);
        if (size == 0) return true;
        if (!WriteAll(descriptor, piece, size)) return false;
    }
}

// A UTF-16 path goes to the C library as at most this many UTF-8 bytes
// (Utf16ToUtf8 refuses a longer one: -1).
constexpr int32_t kNarrowPathCapacity = 4096;
// Room for ".<pid>.tmp" after a path.
constexpr int32_t kTemporaryPathCapacity = kNarrowPathCapacity + 32;

// One write of the whole block; a signal before anything was written is retried.
ssize_t WriteOnce(int descriptor, const char* bytes, int32_t size) {
    ssize_t written = 0;
    do {
        written = write(descriptor, bytes, static_cast<size_t>(size));
    } while (written < 0 && errno == EINTR);
    return written;
}

// After a short append: cuts the part written off again, unless the file
// has grown past it since (another writer's record must stay).
void TakeBackShortAppend(int descriptor, ssize_t written) {
    const off_t end = lseek(descriptor, 0, SEEK_CUR);
    struct stat status {};
    if (end >= written && fstat(descriptor, &status) == 0 && status.st_size == end) {
        // Best effort: the caller reports the failed save either way. The
        // result is tested because glibc's fortified headers require it.
        if (ftruncate(descriptor, end - written) != 0) return;
    }
}

// Creates (with `flags`) and fills a file; 0 when it holds exactly the bytes,
// else the error. `opened` tells whether the file was made at all.
int WriteNewFile(const char* name, int flags, const char* bytes, int32_t size, bool* opened) {
    const int descriptor = open(name, O_WRONLY | O_CREAT | O_CLOEXEC | flags, 0666);
    *opened = descriptor >= 0;
    if (descriptor < 0) return errno;
    const ssize_t written = WriteOnce(descriptor, bytes, size);
    int error = 0;
    if (written < 0) error = errno;
    else if (written != size) error = ENOSPC;
    if (close(descriptor) != 0 && error == 0) error = errno;
    return error;
}

// "<path>.<pid>.tmp": private to this process, in the same folder.
bool TemporaryName(const char* path, char* out, int32_t capacity) {
    int32_t length = 0;
    while (path[length] != 0) {
        if (length >= capacity - 1) return false;
        out[length] = path[length];
        ++length;
    }
    char suffix[32] = ".";
    const auto [end, error] = std::to_chars(suffix + 1, suffix + 24, static_cast<long>(getpid()));
    if (error != std::errc{}) return false;
    const char tail[] = ".tmp";
    for (int32_t i = 0; i < 5; ++i) end[i] = tail[i];
    for (int32_t i = 0; suffix[i] != 0; ++i) {
        if (length >= capacity - 1) return false;
        out[length++] = suffix[i];
    }
    out[length] = 0;
    return true;
}

bool LinksUnsupported(int error) {
    return error == EPERM || error == ENOTSUP || error == EOPNOTSUPP || error == ENOSYS ||
           error == EMLINK;
}

}  // namespace

void RememberArguments(int argumentCount, char** arguments) {
    int32_t length = 0;
    for (int i = 0; i < argumentCount; ++i) {
        if (i > 0) AppendUtf8AsUtf16(" ", gCommandLine, kCommandLineCapacity, &length);
        const bool quoted = NeedsQuotes(arguments[i]);
        if (quoted) AppendUtf8AsUtf16("\"", gCommandLine, kCommandLineCapacity, &length);
        AppendUtf8AsUtf16(arguments[i], gCommandLine, kCommandLineCapacity, &length);
        if (quoted) AppendUtf8AsUtf16("\"", gCommandLine, kCommandLineCapacity, &length);
    }
    gCommandLine[length] = 0;
}

const char16_t* RawCommandLine() { return gCommandLine; }

bool WriteStandardOutput(const char16_t* text) { return WriteText(STDOUT_FILENO, text); }

bool WriteStandardError(const char16_t* text) { return WriteText(STDERR_FILENO, text); }

void DeclareDpiAware() {}

LocalDateTime LocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    // Without a local time the UTC time is the closest there is.
    if (localtime_r(&now, &parts) == nullptr) gmtime_r(&now, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
            parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

bool LocalAppDataFolder(char16_t* buffer, int32_t capacity) {
    if (capacity <= 0) return false;
    int32_t length = 0;
    buffer[0] = 0;
    bool whole = true;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') {
        whole = AppendUtf8AsUtf16(xdg, buffer, capacity, &length);
    } else {
        const char* home = std::getenv("HOME");
        if (!home || home[0] != '/') return false;
        whole = AppendUtf8AsUtf16(home, buffer, capacity, &length) &&
                AppendUtf8AsUtf16("/.local/share", buffer, capacity, &length);
    }
    while (length > 1 && buffer[length - 1] == u'/') buffer[--length] = 0;
    // A path cut at the capacity would name another folder.
    return whole && length > 0;
}

namespace {

bool IsDirectory(const char16_t* path) {
    char narrow[kNarrowPathCapacity];
    if (Utf16ToUtf8(path, narrow, kNarrowPathCapacity) < 0) return false;
    struct stat status {};
    return stat(narrow, &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

bool CreateDirectoryLevel(const char16_t* path) {
    char narrow[kNarrowPathCapacity];
    if (Utf16ToUtf8(path, narrow, kNarrowPathCapacity) < 0) return false;
    if (mkdir(narrow, 0777) == 0) return true;
    return errno == EEXIST && IsDirectory(path);
}

std::FILE* OpenFile(const char16_t* path, const char* mode) {
    char narrow[kNarrowPathCapacity];
    if (Utf16ToUtf8(path, narrow, kNarrowPathCapacity) < 0) return nullptr;
    return std::fopen(narrow, mode);
}

AppendResult AppendWholeBlock(const char16_t* path, const char* bytes, int32_t size) {
    char narrow[kNarrowPathCapacity];
    if (size < 0 || Utf16ToUtf8(path, narrow, kNarrowPathCapacity) < 0)
        return AppendResult::OpenFailed;
    const int descriptor = open(narrow, O_WRONLY | O_APPEND | O_CLOEXEC);
    if (descriptor < 0) return errno == ENOENT ? AppendResult::Missing : AppendResult::OpenFailed;
    const ssize_t written = WriteOnce(descriptor, bytes, size);
    const bool whole = written == size;
    if (!whole && written > 0) TakeBackShortAppend(descriptor, written);
    const bool closed = close(descriptor) == 0;
    if (!whole) return AppendResult::WriteFailed;
    return closed ? AppendResult::Appended : AppendResult::CloseFailed;
}

CreateResult CreateFileWithBlock(const char16_t* path, const char* bytes, int32_t size) {
    char narrow[kNarrowPathCapacity];
    char temporary[kTemporaryPathCapacity];
    if (size < 0 || Utf16ToUtf8(path, narrow, kNarrowPathCapacity) < 0 ||
        !TemporaryName(narrow, temporary, kTemporaryPathCapacity))
        return CreateResult::Failed;
    bool opened = false;
    if (WriteNewFile(temporary, O_TRUNC, bytes, size, &opened) != 0) {
        if (opened) unlink(temporary);
        return CreateResult::Failed;
    }
    CreateResult result = CreateResult::Failed;
    if (link(temporary, narrow) == 0) {
        result = CreateResult::Created;
    } else if (errno == EEXIST) {
        result = CreateResult::Exists;
    } else if (LinksUnsupported(errno)) {
        // A file system without hard links: create in place, exclusively.
        // Another process could append between the creation and the write.
        const int error = WriteNewFile(narrow, O_EXCL, bytes, size, &opened);
        if (error == 0) result = CreateResult::Created;
        else if (!opened && error == EEXIST) result = CreateResult::Exists;
        else if (opened) unlink(narrow);
    }
    unlink(temporary);
    return result;
}

}  // namespace tarn::platform
