// Scratch folders and byte-exact file access for the record-log tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>

#include "platform/platform.h"

namespace tarn::records::testing {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed afterwards.
// Readable and searchable by everyone, so an unprivileged child can use it.
class ScratchFolder {
public:
    ScratchFolder() {
        std::random_device random;
        path_ = fs::temp_directory_path() /
                ("ordavel-records-" + std::to_string(random()) + std::to_string(random()));
        fs::create_directories(path_);
        fs::permissions(path_, fs::perms::owner_all | fs::perms::group_read |
                                   fs::perms::group_exec | fs::perms::others_read |
                                   fs::perms::others_exec);
    }
    ~ScratchFolder() {
        std::error_code error;
        // Folders a test made read-only must be writable again to be emptied.
        for (auto it = fs::recursive_directory_iterator(path_, error);
             !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
            if (!it->is_symlink(error)) fs::permissions(it->path(), fs::perms::owner_all,
                                                        fs::perm_options::add, error);
        }
        fs::remove_all(path_, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const fs::path& path() const { return path_; }
    std::u16string text() const { return path_.u16string(); }

private:
    fs::path path_;
};

inline std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string Utf8(const std::u16string& text) {
    std::string bytes(static_cast<size_t>(platform::Utf8Size(text.c_str())), '\0');
    const int32_t size =
        platform::Utf16ToUtf8(text.c_str(), bytes.data(), static_cast<int32_t>(bytes.size()));
    bytes.resize(size < 0 ? 0 : static_cast<size_t>(size));
    return bytes;
}

// The record file under an application-data folder.
inline fs::path RecordFile(const fs::path& appData, const char* name = "T022.csv") {
    return appData / "TarnMedSuite" / "records" / name;
}

}  // namespace tarn::records::testing
