// FormatBounded, AppendLine and FormatValue with arbitrary capacities,
// templates, format codes and values; every buffer is allocated at exactly
// its capacity.
//
// Input: a mode byte, then per mode:
//   0 FormatBounded: capacity (2 bytes), argument count and types, values,
//     then the template (bytes mapped to characters and conversions).
//   1 AppendLine: as 0, plus the length of the text already in the buffer.
//   2 FormatValue: format code, capacity, value.
//   3 one number conversion ("%g", "%f", "%.Nf") against the C library.
//
// Checked besides memory errors: every text is terminated within capacity-1;
// FormatBounded returns the length when the text fit and -1 otherwise; a text
// cut by a small capacity is the start of the same text formatted with room;
// AppendLine keeps the old text and adds the line and CR LF, cut in that
// order; FormatValue and the number conversions equal snprintf's text in the
// "C" locale (FormatValue gives "--" for a value that is not finite, and for
// a text longer than its 79-character scratch).
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/format.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using tarn::FormatArgument;

constexpr int32_t kRoomy = 4096;

// Bytes become template text: ASCII as it is, a range of CJK characters, and
// the conversions the system's templates use, some with widths and flags.
std::u16string TemplateFrom(const uint8_t* bytes, size_t size) {
    static const char* const kPieces[] = {
        "%ls", "%d", "%02d", "%03d", "%04d", "%-6d", "%5d", "%lld", "%02lld", "%04lld", "%-4lld",
        "%c", "%g", "%f", "%.0f", "%.1f", "%.2f", "%.3f", "%.6f", "%.9f", "%%", "%", "%l", "%.",
        "%.f", "%10", "%-", "%0", "%ll", "%5.1f", "%s", "%x", "%i", "%u", "\r\n",
    };
    constexpr size_t kPieceCount = sizeof kPieces / sizeof kPieces[0];
    std::u16string text;
    for (size_t i = 0; i < size; ++i) {
        const uint8_t byte = bytes[i];
        if (byte >= 1 && byte < 0x80) {
            text.push_back(byte);
        } else if (byte >= 0x80 && byte < 0x80 + kPieceCount) {
            text += fuzz::Widen(kPieces[byte - 0x80]);
        } else if (byte >= 0xC0) {
            text.push_back(static_cast<char16_t>(0x4E00 + byte));  // CJK
        } else if (byte == 0) {
            text.push_back(u'\xFF1A');  // full-width colon
        } else {
            text.push_back(static_cast<char16_t>(0xD800 + byte));  // lone surrogate
        }
    }
    return text;
}

struct Arguments {
    std::vector<std::u16string> texts;
    std::vector<FormatArgument> list;  // the arguments and the closing None, as the templates pass
    int32_t count = 0;
};

void ReadArguments(fuzz::ByteReader& reader, Arguments& arguments) {
    arguments.count = reader.Byte() % 9;
    arguments.texts.resize(static_cast<size_t>(arguments.count));
    for (int32_t i = 0; i < arguments.count; ++i) {
        FormatArgument argument;
        switch (reader.Byte() % 5) {
            case 0:
                argument = tarn::MakeFormatArgument(static_cast<int32_t>(reader.U32()));
                break;
            case 1:
                argument = tarn::MakeFormatArgument(static_cast<int64_t>(reader.U64()));
                break;
            case 2:
                argument = tarn::MakeFormatArgument(fuzz::InterestingDouble(reader));
                break;
            case 3: {
                const size_t length = reader.Byte() % 40;
                std::u16string& text = arguments.texts[static_cast<size_t>(i)];
                for (size_t j = 0; j < length; ++j) text.push_back(j % 3 == 0 ? u'%' : static_cast<char16_t>(0x4E00 + j));
                argument = tarn::MakeFormatArgument(text.c_str());
                break;
            }
            default:
                argument = tarn::MakeFormatArgument(static_cast<char16_t>(reader.U16()));
                break;
        }
        arguments.list.push_back(argument);
    }
    arguments.list.push_back(FormatArgument{});
}

// The heap copy keeps a read past the closing None argument visible.
int32_t Format(fuzz::WideBuffer& buffer, const std::u16string& format, const Arguments& arguments) {
    const auto formatCopy = fuzz::WideCopy(format);
    std::unique_ptr<FormatArgument[]> list(new FormatArgument[arguments.list.size()]);
    for (size_t i = 0; i < arguments.list.size(); ++i) list[i] = arguments.list[i];
    return tarn::FormatBoundedArguments(buffer.data(), buffer.capacity(), formatCopy.get(), list.get(),
                                        arguments.count);
}

int32_t ReadCapacity(fuzz::ByteReader& reader) {
    const uint16_t raw = reader.U16();
    if (raw >= 0xFFF0) return -static_cast<int32_t>(raw - 0xFFEF);  // -1..-16
    return static_cast<int32_t>(raw % 1200);
}

// The template formatted with room to spare, or false when it did not fit
// or could not be processed.
bool FormatWithRoom(const std::u16string& format, const Arguments& arguments, std::u16string& text) {
    fuzz::WideBuffer roomy(kRoomy);
    const int32_t result = Format(roomy, format, arguments);
    const int32_t length = roomy.TerminatedLength("FormatBounded terminates (roomy)");
    if (result < 0) return false;
    fuzz::Require(result == length, "FormatBounded returns the length written");
    text = roomy.Text("roomy");
    return length < kRoomy - 1;
}

void FuzzFormatBounded(fuzz::ByteReader& reader) {
    const int32_t capacity = ReadCapacity(reader);
    Arguments arguments;
    ReadArguments(reader, arguments);
    const std::u16string format = TemplateFrom(reader.Rest(), reader.Remaining());

    fuzz::WideBuffer buffer(capacity);
    const int32_t result = Format(buffer, format, arguments);
    fuzz::Require(result >= -1, "FormatBounded returns -1 or a length");
    if (capacity <= 0) {
        fuzz::Require(result == -1 || result == 0, "nothing fits a capacity of 0");
        return;
    }
    const int32_t length = buffer.TerminatedLength("FormatBounded terminates within capacity-1");
    if (result >= 0) fuzz::Require(result == length, "FormatBounded returns the length written");

    std::u16string whole;
    if (FormatWithRoom(format, arguments, whole)) {
        const std::u16string expected = fuzz::CutTo(whole, capacity);
        fuzz::Require(buffer.Text("cut") == expected, "a cut text is the start of the whole text");
        const bool fits = whole.size() <= static_cast<size_t>(capacity - 1);
        fuzz::Require(fits ? result == length : result == -1, "-1 exactly when the text was cut");
    }
}

void FuzzAppendLine(fuzz::ByteReader& reader) {
    const int32_t capacity = 1 + static_cast<int32_t>(reader.U16() % 1200);
    const int32_t existing = static_cast<int32_t>(reader.U16() % static_cast<uint16_t>(capacity));
    Arguments arguments;
    ReadArguments(reader, arguments);
    const std::u16string format = TemplateFrom(reader.Rest(), reader.Remaining());

    std::u16string before;
    for (int32_t i = 0; i < existing; ++i) before.push_back(static_cast<char16_t>(u'a' + i % 26));
    fuzz::WideBuffer buffer(capacity);
    buffer.Fill(before.data(), existing);

    const auto formatCopy = fuzz::WideCopy(format);
    std::unique_ptr<FormatArgument[]> list(new FormatArgument[arguments.list.size()]);
    for (size_t i = 0; i < arguments.list.size(); ++i) list[i] = arguments.list[i];
    tarn::AppendLineArguments(buffer.data(), capacity, formatCopy.get(), list.get(), arguments.count);
    const std::u16string after = buffer.Text("AppendLine terminates within capacity-1");
    fuzz::Require(fuzz::StartsWith(after, before), "AppendLine keeps the text already there");

    // The line as FormatBounded gives it in the 512-unit scratch.
    fuzz::WideBuffer scratch(tarn::kAppendLineScratch);
    const int32_t lineResult = Format(scratch, format, arguments);
    (void)lineResult;
    const std::u16string line = scratch.Text("scratch line");
    const std::u16string expected = fuzz::CutTo(before + line + u"\r\n", capacity);
    std::u16string whole;
    if (FormatWithRoom(format, arguments, whole))
        fuzz::Require(after == expected, "AppendLine adds the line cut at 511, then CR LF, cut at capacity");
    else
        fuzz::Require(after.size() <= expected.size(), "AppendLine adds no more than the line and CR LF");
}

const char* const kCodes[] = {"f0", "f1", "f2", "f3", "int", "pct", "date", "", "F1", "f1 ", "f", "pc", "dat"};
constexpr size_t kCodeCount = sizeof kCodes / sizeof kCodes[0];

// The narrow template a code stands for, or null for "date".
const char* TemplateOfCode(const char* code) {
    if (code == nullptr) return "%.2f";
    const std::string name(code);
    if (name == "f0" || name == "int") return "%.0f";
    if (name == "f1") return "%.1f";
    if (name == "f3") return "%.3f";
    if (name == "pct") return "%.1f%%";
    if (name == "date") return nullptr;
    return "%.2f";
}

void FuzzFormatValue(fuzz::ByteReader& reader) {
    const uint8_t codeByte = reader.Byte();
    const int32_t capacity = static_cast<int32_t>(reader.U16() % 301);
    const double value = fuzz::InterestingDouble(reader);
    std::unique_ptr<char[]> code;
    if (codeByte < kCodeCount) {
        const std::string& name = kCodes[codeByte];
        code = fuzz::NarrowCopy(reinterpret_cast<const uint8_t*>(name.data()), name.size());
    } else if (codeByte < 200) {
        const size_t length = codeByte % 5;
        const std::string bytes(reinterpret_cast<const char*>(reader.Rest()),
                                length < reader.Remaining() ? length : reader.Remaining());
        reader.Skip(length);
        code = fuzz::NarrowCopy(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }

    fuzz::WideBuffer buffer(capacity);
    tarn::FormatValue(code.get(), value, buffer.data(), capacity);
    if (capacity == 0) return;  // nothing may be written: any write is an overrun
    const std::u16string text = buffer.Text("FormatValue terminates within capacity-1");

    std::u16string expected;
    if (!std::isfinite(value)) {
        expected = u"--";
    } else if (const char* format = TemplateOfCode(code.get())) {
        char narrow[512];
        const int length = std::snprintf(narrow, sizeof narrow, format, value);
        expected = length >= 0 && length <= 79 ? fuzz::Widen(narrow) : u"--";
    } else {
        // "date": the day of the truncated value; its text belongs to the calendar oracle.
        return;
    }
    fuzz::Require(text == fuzz::CutTo(expected, capacity), "FormatValue gives the C library's text");
}

void FuzzNumberConversion(fuzz::ByteReader& reader) {
    const uint8_t conversion = reader.Byte();
    const double value = fuzz::InterestingDouble(reader);
    char format[16];
    if (conversion % 12 == 0)
        std::snprintf(format, sizeof format, "%%g");
    else if (conversion % 12 == 1)
        std::snprintf(format, sizeof format, "%%f");
    else
        std::snprintf(format, sizeof format, "%%.%df", conversion % 12 - 2);
    char narrow[kRoomy];
    const int length = std::snprintf(narrow, sizeof narrow, format, value);
    fuzz::Require(length > 0 && length < kRoomy, "snprintf fits");

    const std::u16string wideFormat = fuzz::Widen(format);
    Arguments arguments;
    arguments.count = 1;
    arguments.list = {tarn::MakeFormatArgument(value), FormatArgument{}};
    fuzz::WideBuffer buffer(kRoomy);
    const int32_t result = Format(buffer, wideFormat, arguments);
    const std::u16string text = buffer.Text("number conversion terminates");
    fuzz::Require(result == length, "a number conversion fits a roomy buffer");
    fuzz::Require(text == fuzz::Widen(narrow), "number text equals the C library's");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ByteReader reader(data, size);
    switch (reader.Byte() % 4) {
        case 0: FuzzFormatBounded(reader); break;
        case 1: FuzzAppendLine(reader); break;
        case 2: FuzzFormatValue(reader); break;
        default: FuzzNumberConversion(reader); break;
    }
    return 0;
}
