// Standard output and standard error as the text mode writes them: UTF-8,
// LF line ends on Linux and CR LF on Windows, checked through a file put in
// place of the stream; and a stream that refuses the bytes.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/platform.h"
#include "tests/support/scratch_folder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tarn::platform {
namespace {

using tarn::testing::ReadBytes;
using tarn::testing::ScratchFolder;

enum class Stream { Output, Error };

bool Write(Stream stream, const char16_t* text) {
    return stream == Stream::Output ? WriteStandardOutput(text) : WriteStandardError(text);
}

#ifdef _WIN32
constexpr char kLineEnd[] = "\r\n";

std::u16string PathIn(const ScratchFolder& scratch, const char* name) { return scratch.File(name); }

// Writes `text` with the stream redirected to `path` (opened with `access`);
// false when the write or the redirection failed.
bool WriteRedirected(Stream stream, const char16_t* text, const std::u16string& path,
                     DWORD access = GENERIC_WRITE) {
    const DWORD which = stream == Stream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE;
    const DWORD creation = access == GENERIC_WRITE ? CREATE_ALWAYS : OPEN_ALWAYS;
    const HANDLE file = CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), access,
                                    FILE_SHARE_READ, nullptr, creation, FILE_ATTRIBUTE_NORMAL,
                                    nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const HANDLE saved = GetStdHandle(which);
    SetStdHandle(which, file);
    const bool written = Write(stream, text);
    SetStdHandle(which, saved);
    CloseHandle(file);
    return written;
}
#else
constexpr char kLineEnd[] = "\n";

std::string PathIn(const ScratchFolder& scratch, const char* name) {
    return (scratch.path() / name).string();
}

bool WriteRedirected(Stream stream, const char16_t* text, const std::string& path,
                     int flags = O_WRONLY | O_CREAT | O_TRUNC) {
    const int which = stream == Stream::Output ? STDOUT_FILENO : STDERR_FILENO;
    const int file = open(path.c_str(), flags, 0600);
    if (file < 0) return false;
    std::fflush(stdout);
    std::fflush(stderr);
    const int saved = dup(which);
    dup2(file, which);
    const bool written = Write(stream, text);
    dup2(saved, which);
    close(saved);
    close(file);
    return written;
}
#endif

TEST(PlatformStreams, WriteUtf8WithThePlatformsLineEnds) {
    const ScratchFolder scratch;
    const std::string end = kLineEnd;
    const struct {
        const char* what;
        const char16_t* text;
        std::string bytes;
    } cases[] = {
        {"lines", u"血钾：7 mmol/L\r\n等级：重度\r\n",
         "\xE8\xA1\x80\xE9\x92\xBE\xEF\xBC\x9A" "7 mmol/L" + end +
             "\xE7\xAD\x89\xE7\xBA\xA7\xEF\xBC\x9A\xE9\x87\x8D\xE5\xBA\xA6" + end},
        // Only a CR before an LF is part of a line end.
        {"lone CR and LF", u"a\rb\nc", "a\rb\nc"},
        {"empty", u"", ""},
        {"a pair of surrogates", u"\U0001F600\r\n", "\xF0\x9F\x98\x80" + end},
    };
    for (const Stream stream : {Stream::Output, Stream::Error}) {
        for (const auto& c : cases) {
            const auto path = PathIn(scratch, "stream.txt");
            ASSERT_TRUE(WriteRedirected(stream, c.text, path)) << c.what;
            EXPECT_EQ(ReadBytes(path), c.bytes) << c.what;
        }
    }
}

// Longer than the pieces the writer converts at a time, a three-byte
// character straddling each piece's end.
TEST(PlatformStreams, WriteALongTextWhole) {
    const ScratchFolder scratch;
    std::u16string text;
    std::string bytes;
    for (int i = 0; i < 3000; ++i) {
        text += u"钾x\r\n";
        bytes += std::string("\xE9\x92\xBEx") + kLineEnd;
    }
    const auto path = PathIn(scratch, "long.txt");
    ASSERT_TRUE(WriteRedirected(Stream::Output, text.c_str(), path));
    EXPECT_EQ(ReadBytes(path), bytes);
}

TEST(PlatformStreams, AStreamThatRefusesTheBytesIsAFailure) {
    const ScratchFolder scratch;
#ifdef _WIN32
    const auto path = PathIn(scratch, "read_only.txt");
    EXPECT_FALSE(WriteRedirected(Stream::Output, u"x\r\n", path, GENERIC_READ));
    EXPECT_FALSE(WriteRedirected(Stream::Error, u"x\r\n", path, GENERIC_READ));
#else
    EXPECT_FALSE(WriteRedirected(Stream::Output, u"x\r\n", "/dev/full", O_WRONLY));
    EXPECT_FALSE(WriteRedirected(Stream::Error, u"x\r\n", "/dev/full", O_WRONLY));
#endif
}

}  // namespace
}  // namespace tarn::platform
