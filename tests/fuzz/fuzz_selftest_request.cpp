// FindSelfTestRequest: the "--selftest" marker and the report path after it,
// on arbitrary command lines and path capacities.
//
// Input: the capacity (2 bytes), then the command line, each byte one
// character: bytes below 0x80 as they are, a few bytes stand for the marker,
// its look-alikes, quotes and blanks, the rest for CJK characters.
//
// The path is worked out here from the rules of the command line: the first
// exact "--selftest" anywhere; blanks (U+0020 only) after it skipped; a
// quoted path runs to the next double quote or the end, an unquoted one to
// the next blank or the end; nothing taken means "selftest.txt". A path that
// does not fit the capacity, the default one included, is refused, never cut.
#include <string>

#include "app/selftest.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using tarn::app::SelfTestRequest;

std::u16string CommandLineFrom(const uint8_t* bytes, size_t size) {
    std::u16string line;
    for (size_t i = 0; i < size; ++i) {
        const uint8_t byte = bytes[i];
        switch (byte) {
            case 0x80: line += u"--selftest"; break;
            case 0x81: line += u"--SELFTEST"; break;
            case 0x82: line += u"-selftest"; break;
            case 0x83: line += u"--selftes"; break;
            case 0x84: line += u"\"C:\\Program Files\\ordavel.exe\" "; break;
            case 0x85: line += u"报告 目录\\结果.txt"; break;
            case 0x86: line.push_back(u'\u3000'); break;  // ideographic space: not a blank here
            case 0x87: line.push_back(u'\t'); break;
            case 0x88: line += std::u16string(300, u'p'); break;
            case 0x89: line.push_back(static_cast<char16_t>(0xDC00)); break;
            case 0x00: line.push_back(u' '); break;
            default:
                if (byte < 0x80)
                    line.push_back(byte);
                else
                    line.push_back(static_cast<char16_t>(0x4E00 + byte));
        }
    }
    return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ByteReader reader(data, size);
    // The program passes 520; 0 must write nothing at all.
    const int32_t capacity = static_cast<int32_t>(reader.U16() % 1113);
    const std::u16string line = CommandLineFrom(reader.Rest(), reader.Remaining());
    const auto lineCopy = fuzz::WideCopy(line);

    fuzz::WideBuffer path(capacity);
    const SelfTestRequest request = tarn::app::FindSelfTestRequest(lineCopy.get(), path.data(), capacity);

    const size_t marker = line.find(u"--selftest");
    if (marker == std::u16string::npos) {
        fuzz::Require(request == SelfTestRequest::Absent, "no marker, no self-test");
        return 0;
    }
    size_t cursor = marker + 10;
    while (cursor < line.size() && line[cursor] == u' ') ++cursor;
    char16_t end = u' ';
    if (cursor < line.size() && line[cursor] == u'"') {
        end = u'"';
        ++cursor;
    }
    size_t stop = line.find(end, cursor);
    if (stop == std::u16string::npos) stop = line.size();
    std::u16string expected = line.substr(cursor, stop - cursor);
    if (expected.empty()) expected = u"selftest.txt";

    if (static_cast<int64_t>(expected.size()) <= static_cast<int64_t>(capacity) - 1) {
        fuzz::Require(request == SelfTestRequest::Path, "a path that fits is taken");
        fuzz::Require(path.Text("path terminated within capacity-1") == expected, "the path follows the rules");
    } else {
        fuzz::Require(request == SelfTestRequest::PathTooLong, "a path that does not fit is refused");
    }
    return 0;
}
