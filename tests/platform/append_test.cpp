// The two file services behind the record log: append one block to an
// existing file, and create a file with its first bytes in one piece.
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "tests/support/scratch_folder.h"

namespace tarn::platform {
namespace {

using tarn::testing::ReadBytes;
using tarn::testing::ScratchFolder;
using tarn::testing::WriteBytes;
namespace fs = std::filesystem;

int32_t Size(const std::string& bytes) { return static_cast<int32_t>(bytes.size()); }

int CountEntries(const fs::path& folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++count;
    return count;
}

TEST(PlatformAppend, MissingFileIsReportedAndNotCreated) {
    ScratchFolder scratch;
    const fs::path file = scratch.path() / "log.csv";
    const std::string block = "a,b\r\n";
    EXPECT_EQ(AppendWholeBlock(file.u16string().c_str(), block.data(), Size(block)),
              AppendResult::Missing);
    EXPECT_FALSE(fs::exists(file));
}

TEST(PlatformAppend, BlocksGoToTheEnd) {
    ScratchFolder scratch;
    const fs::path file = scratch.path() / "记录.csv";
    WriteBytes(file, "start\r\n");
    for (const std::string block : {"one\r\n", "", "two\r\n"})
        EXPECT_EQ(AppendWholeBlock(file.u16string().c_str(), block.data(), Size(block)),
                  AppendResult::Appended);
    EXPECT_EQ(ReadBytes(file), "start\r\none\r\ntwo\r\n");
}

TEST(PlatformCreate, NewFileHoldsExactlyTheBlock) {
    ScratchFolder scratch;
    const fs::path file = scratch.path() / "new.csv";
    const std::string block("\xEF\xBB\xBFh\r\n\0r\r\n", 10);
    EXPECT_EQ(CreateFileWithBlock(file.u16string().c_str(), block.data(), Size(block)),
              CreateResult::Created);
    EXPECT_EQ(ReadBytes(file), block);
    EXPECT_EQ(CountEntries(scratch.path()), 1) << "the temporary name is gone";
}

TEST(PlatformCreate, ExistingFileIsLeftAlone) {
    ScratchFolder scratch;
    const fs::path file = scratch.path() / "old.csv";
    WriteBytes(file, "");
    const std::string block = "header\r\n";
    EXPECT_EQ(CreateFileWithBlock(file.u16string().c_str(), block.data(), Size(block)),
              CreateResult::Exists);
    EXPECT_EQ(ReadBytes(file), "");
    EXPECT_EQ(CountEntries(scratch.path()), 1) << "the temporary name is gone";
}

TEST(PlatformCreate, MissingFolderFails) {
    ScratchFolder scratch;
    const fs::path file = scratch.path() / "absent" / "new.csv";
    const std::string block = "x";
    EXPECT_EQ(CreateFileWithBlock(file.u16string().c_str(), block.data(), Size(block)),
              CreateResult::Failed);
    EXPECT_FALSE(fs::exists(scratch.path() / "absent"));
}

}  // namespace
}  // namespace tarn::platform
