// Failures only a POSIX system can stage: a full device, a file-size limit
// that cuts a write short, permission bits, a dangling link. Tests run as
// root, where permission bits do not stop writes, drop to an unprivileged
// user in a child process for the permission cases.
#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "records/record_log.h"
#include "tests/records/test_files.h"

// The bytes another process puts under the record file's name while this
// one is between finding no file and linking its new one into place; null:
// no other process. The C library's link() is called through this one.
namespace {
const std::string* gMadeMeanwhile = nullptr;
int gLinkCalls = 0;
}  // namespace

extern "C" int link(const char* from, const char* to) noexcept {
    ++gLinkCalls;
    if (gMadeMeanwhile) {
        tarn::testing::WriteBytes(std::filesystem::path(to), *gMadeMeanwhile);
        gMadeMeanwhile = nullptr;
    }
    return linkat(AT_FDCWD, from, AT_FDCWD, to, 0);
}

namespace tarn::records {
namespace {

using testing::ReadBytes;
using testing::RecordFile;
using testing::ScratchFolder;
using testing::WriteBytes;
namespace fs = std::filesystem;

constexpr platform::LocalDateTime kTime{2026, 12, 7, 10, 15, 25};
constexpr char16_t kReport[] = u"10% 葡萄糖酸钙：20.0 ml\r\n胰岛素：6.0 U\r\n";
const std::string kEarlier = "\xEF\xBB\xBF时间,工具,体重,血钾,结果\r\nearlier record\r\n\r\n";

SaveResult Save(const fs::path& appData) {
    std::array<double, kMaxInputs> inputs{};
    inputs[0] = 60;
    inputs[1] = 6.8;
    const std::u16string folder = appData.u16string();
    char16_t shown[kRecordPathCapacity];
    return SaveRecord(CurrentTool(), inputs.data(), kReport, folder.c_str(), kTime, shown,
                      kRecordPathCapacity);
}

// Files left in a folder (a failed save must not leave temporary files).
int CountEntries(const fs::path& folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++count;
    return count;
}

constexpr uid_t kNobody = 65534;
constexpr int kCannotDrop = 250;

// Runs `save` where permission bits count: in place for an ordinary user;
// for root, in a child that owns nothing special and has become `nobody`
// (the scratch tree is handed to that user first). Empty when the
// privileges cannot be dropped.
std::optional<SaveResult> SaveWithPermissionsApplied(const fs::path& tree,
                                                     const std::function<SaveResult()>& save) {
    if (geteuid() != 0) return save();
    if (lchown(tree.c_str(), kNobody, kNobody) != 0) return std::nullopt;
    for (const auto& entry : fs::recursive_directory_iterator(tree))
        if (lchown(entry.path().c_str(), kNobody, kNobody) != 0) return std::nullopt;
    const pid_t child = fork();
    if (child < 0) return std::nullopt;
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)
            _exit(kCannotDrop);
        _exit(static_cast<int>(save()));
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) == kCannotDrop)
        return std::nullopt;
    return static_cast<SaveResult>(WEXITSTATUS(status));
}

#define SAVE_WITH_PERMISSIONS(result, tree, save)                                            \
    const std::optional<SaveResult> result = SaveWithPermissionsApplied(tree, save);        \
    if (!result) GTEST_SKIP() << "running as root and cannot become an unprivileged user, " \
                                 "so permission bits would not stop the write"

TEST(RecordLogPosix, ReadOnlyRecordsFolderRefusesANewFile) {
    ScratchFolder scratch;
    const fs::path folder = RecordFile(scratch.path()).parent_path();
    fs::create_directories(folder);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    SAVE_WITH_PERMISSIONS(result, scratch.path(), [&] { return Save(scratch.path()); });
    EXPECT_EQ(*result, SaveResult::FileNotOpened);
    EXPECT_EQ(CountEntries(folder), 0);
}

TEST(RecordLogPosix, ReadOnlyFileKeepsItsBytes) {
    ScratchFolder scratch;
    const fs::path file = RecordFile(scratch.path());
    fs::create_directories(file.parent_path());
    WriteBytes(file, kEarlier);
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    SAVE_WITH_PERMISSIONS(result, scratch.path(), [&] { return Save(scratch.path()); });
    EXPECT_EQ(*result, SaveResult::FileNotOpened);
    EXPECT_EQ(ReadBytes(file), kEarlier);
}

TEST(RecordLogPosix, UnwritableApplicationDataRoot) {
    ScratchFolder scratch;
    const fs::path root = scratch.path() / "appdata";
    fs::create_directories(root);
    fs::permissions(root, fs::perms::owner_read | fs::perms::owner_exec);
    SAVE_WITH_PERMISSIONS(result, scratch.path(), [&] { return Save(root); });
    EXPECT_EQ(*result, SaveResult::FolderNotCreated);
    EXPECT_EQ(CountEntries(root), 0);
}

TEST(RecordLogPosix, FullDevice) {
    ScratchFolder scratch;
    const fs::path file = RecordFile(scratch.path());
    fs::create_directories(file.parent_path());
    fs::create_symlink("/dev/full", file);
    EXPECT_EQ(Save(scratch.path()), SaveResult::WriteFailed);
    EXPECT_TRUE(fs::is_symlink(file));
}

TEST(RecordLogPosix, AFileMadeByAnotherProcessMeanwhileIsAppendedTo) {
    ScratchFolder scratch;
    const fs::path file = RecordFile(scratch.path());
    fs::create_directories(file.parent_path());
    gMadeMeanwhile = &kEarlier;
    const SaveResult result = Save(scratch.path());
    ASSERT_EQ(gMadeMeanwhile, nullptr) << "the save never tried to link its new file";
    EXPECT_EQ(result, SaveResult::Saved);
    EXPECT_EQ(ReadBytes(file),
              kEarlier + "2026-12-07 10:15:25,Ordavel,体重=60,血钾=6.8,10% 葡萄糖酸钙：20.0 ml\r\n"
                         "胰岛素：6.0 U\r\n\r\n")
        << "the other file keeps its bytes and gets the record, without a second header";
    EXPECT_EQ(CountEntries(file.parent_path()), 1) << "no temporary file is left behind";
}

TEST(RecordLogPosix, DanglingLinkIsNotSaved) {
    ScratchFolder scratch;
    const fs::path file = RecordFile(scratch.path());
    fs::create_directories(file.parent_path());
    fs::create_symlink(scratch.path() / "gone" / "T022.csv", file);
    gLinkCalls = 0;
    EXPECT_EQ(Save(scratch.path()), SaveResult::FileNotOpened);
    EXPECT_EQ(gLinkCalls, 1) << "one try at making the file, then one more look: no loop";
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(CountEntries(file.parent_path()), 1) << "no temporary file is left behind";
}

// Lowers the file-size limit for one test; a write across it comes back short.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        applied_ = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool applied() const { return applied_; }

private:
    rlimit saved_{};
    void (*previous_)(int) = SIG_DFL;
    bool applied_ = false;
};

TEST(RecordLogPosix, ShortAppendIsTakenBack) {
    ScratchFolder scratch;
    const fs::path file = RecordFile(scratch.path());
    fs::create_directories(file.parent_path());
    WriteBytes(file, kEarlier);
    SaveResult result;
    {
        // Room for ten bytes of the record: the write stops there.
        FileSizeLimit limit(kEarlier.size() + 10);
        ASSERT_TRUE(limit.applied());
        result = Save(scratch.path());
    }
    EXPECT_EQ(result, SaveResult::WriteFailed);
    EXPECT_EQ(ReadBytes(file), kEarlier) << "no half record stays in the file";
}

TEST(RecordLogPosix, ShortWriteOfANewFileLeavesNoFile) {
    ScratchFolder scratch;
    const fs::path folder = RecordFile(scratch.path()).parent_path();
    fs::create_directories(folder);
    SaveResult result;
    {
        FileSizeLimit limit(10);
        ASSERT_TRUE(limit.applied());
        result = Save(scratch.path());
    }
    EXPECT_EQ(result, SaveResult::FileNotOpened);
    EXPECT_EQ(CountEntries(folder), 0) << "neither the log nor a temporary file is left";
    EXPECT_EQ(Save(scratch.path()), SaveResult::Saved) << "the next save starts the file afresh";
    EXPECT_EQ(ReadBytes(RecordFile(scratch.path())).substr(0, 3), "\xEF\xBB\xBF");
}

}  // namespace
}  // namespace tarn::records
