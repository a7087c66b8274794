// Byte-exact file access for the record-log tests, over the test support's
// scratch folders and text helpers.
#pragma once

#include "tests/support/scratch_folder.h"
#include "tests/support/text.h"

namespace tarn::records::testing {

namespace fs = std::filesystem;

using tarn::testing::ReadBytes;
using tarn::testing::ScratchFolder;
using tarn::testing::Utf8;
using tarn::testing::WriteBytes;

// The record file under an application-data folder.
inline fs::path RecordFile(const fs::path& appData, const char* name = "T022.csv") {
    return appData / "TarnMedSuite" / "records" / name;
}

}  // namespace tarn::records::testing
