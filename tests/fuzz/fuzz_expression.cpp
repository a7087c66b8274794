// EvaluateExpression on arbitrary bytes.
//
// Input: one header byte (bits 0-1 the descriptor: this tool, the wide one
// with 16 inputs and outputs, or one with no variables; bits 2-4 a set of
// input values; bit 7: 16 more bytes give w and k raw), then the text.
//
// Besides memory errors it checks: the error output is written and is 0 or
// 1; a success has a finite value; the value arrays are left alone; a byte
// that no token can hold (vertical tab, form feed, 0x80-0xFF) always fails;
// a text that is one number literal reads as strtod reads it, bit for bit
// (and fails when that is infinite); and three rewritings that must not
// change the result, value bits and flag alike: a unary plus in front,
// blanks around the whole text, and (for a short text that succeeds)
// parentheses around it.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/expression.h"
#include "tests/support/descriptors.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

const tarn::ToolDescriptor& kNoVariables = tarn::testing::NoVariablesTool();

struct Result {
    double value;
    int32_t error;
};

Result Evaluate(const tarn::ToolDescriptor& tool, const std::string& text, const double* inputs,
                const double* outputs) {
    // Exactly the text and its terminator: a read past the NUL is caught.
    const auto copy = fuzz::NarrowCopy(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    Result result{0.0, 0x5A5A};
    result.value = tarn::EvaluateExpression(tool, copy.get(), inputs, outputs, &result.error);
    fuzz::Require(result.error == 0 || result.error == 1, "error output is 0 or 1");
    if (result.error == 0) fuzz::Require(std::isfinite(result.value), "a success is finite");
    return result;
}

bool Same(const Result& a, const Result& b) { return a.error == b.error && fuzz::SameBits(a.value, b.value); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ByteReader reader(data, size);
    const uint8_t header = reader.Byte();
    const tarn::ToolDescriptor* tools[] = {&tarn::CurrentTool(), &tarn::testing::WideTool(), &kNoVariables,
                                           &tarn::testing::WideTool()};
    const tarn::ToolDescriptor& tool = *tools[header & 3];

    double inputs[tarn::kMaxInputs];
    double outputs[tarn::kMaxOutputs];
    for (int32_t i = 0; i < tarn::kMaxInputs; ++i) inputs[i] = tool.inputCount > i ? tool.inputs[i].defaultValue : 0.0;
    const int32_t valueSet = (header >> 2) & 7;
    for (int32_t i = 0; i < tarn::kMaxOutputs; ++i) {
        const double spread[] = {0.0, 1.0, -2.5, 1e308, -0.0, 5e-324, HUGE_VAL, std::nan("")};
        outputs[i] = spread[(i + valueSet) % 8] * (valueSet == 0 ? 0.0 : 1.0);
    }
    if (valueSet >= 4) inputs[0] = -inputs[0];
    if (valueSet == 7) inputs[1] = std::nan("");
    if (header & 0x80) {
        inputs[0] = reader.RawDouble();
        inputs[1] = reader.RawDouble();
    }
    const std::string raw(reinterpret_cast<const char*>(reader.Rest()), reader.Remaining());
    const std::string text = raw.substr(0, raw.find('\0'));

    double inputsBefore[tarn::kMaxInputs];
    double outputsBefore[tarn::kMaxOutputs];
    std::memcpy(inputsBefore, inputs, sizeof inputs);
    std::memcpy(outputsBefore, outputs, sizeof outputs);

    const Result plain = Evaluate(tool, text, inputs, outputs);
    fuzz::Require(std::memcmp(inputs, inputsBefore, sizeof inputs) == 0, "inputs unchanged");
    fuzz::Require(std::memcmp(outputs, outputsBefore, sizeof outputs) == 0, "outputs unchanged");

    for (const char byte : text) {
        const auto unit = static_cast<unsigned char>(byte);
        if (unit == 0x0B || unit == 0x0C || unit >= 0x80) {
            fuzz::Require(plain.error == 1, "a byte outside the language fails");
            break;
        }
    }

    // strtod in the "C" locale (never changed here) is the reference for literals.
    if (!text.empty() && ((text[0] >= '0' && text[0] <= '9') || text[0] == '.')) {
        char* end = nullptr;
        const double expected = std::strtod(text.c_str(), &end);
        if (end == text.c_str() + text.size()) {
            if (std::isfinite(expected))
                fuzz::Require(plain.error == 0 && fuzz::SameBits(plain.value, expected), "a literal reads as strtod reads it");
            else
                fuzz::Require(plain.error == 1, "a literal beyond the range of a double fails");
        }
    }

    fuzz::Require(Same(Evaluate(tool, "+" + text, inputs, outputs), plain), "unary plus changes nothing");
    fuzz::Require(Same(Evaluate(tool, " \t" + text + "\r\n ", inputs, outputs), plain),
                  "blanks around the text change nothing");
    if (plain.error == 0 && text.size() <= 100) {
        fuzz::Require(Same(Evaluate(tool, "(" + text + ")", inputs, outputs), plain),
                      "parentheses around a success change nothing");
    }
    return 0;
}
