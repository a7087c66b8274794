// Test descriptors for the report kinds, and their reports generated into
// generous buffers (tests/support/text.h reads them).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "engine/descriptor.h"
#include "tests/support/text.h"

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

}  // namespace tarn::testing
