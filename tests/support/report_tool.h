// Test descriptors for the report kinds and helpers to read their output.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "engine/descriptor.h"

namespace tarn::testing {

struct NamedInput {
    const char* identifier;
    double value;
};

// A report tool of the given kind with the given inputs, in order. The
// descriptor points into the object, so it is neither copied nor moved.
class ReportTool {
public:
    ReportTool(int32_t kind, std::initializer_list<NamedInput> inputs);
    ReportTool(const ReportTool&) = delete;
    ReportTool& operator=(const ReportTool&) = delete;

    const ToolDescriptor& Descriptor() const { return descriptor_; }
    const double* Values() const { return values_; }

private:
    InputField fields_[kMaxInputs] = {};
    double values_[kMaxInputs] = {};
    ToolDescriptor descriptor_ = {};
};

struct ReportResult {
    std::u16string report;
    std::u16string verdict;
    int32_t level = -1;
};

// GenerateReport with the tool's own kind into generous buffers.
ReportResult Generate(const ReportTool& tool);
ReportResult Generate(int32_t kind, std::initializer_list<NamedInput> inputs);

std::string Utf8(std::u16string_view text);

// The report's lines without their CR LF; a text after the last CR LF, if
// any, is the last line.
std::vector<std::string> Lines(std::u16string_view report);

}  // namespace tarn::testing
