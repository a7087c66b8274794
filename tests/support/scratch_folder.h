// Scratch folders and byte-exact file access for tests that write files.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>

namespace tarn::testing {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed afterwards.
// Readable and searchable by everyone, so an unprivileged child can use it.
class ScratchFolder {
public:
    ScratchFolder() {
        std::random_device random;
        path_ = fs::temp_directory_path() /
                ("ordavel-test-" + std::to_string(random()) + std::to_string(random()));
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
    // A file in the folder, as a UTF-16 path.
    std::u16string File(const char* name) const { return (path_ / name).u16string(); }

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

}  // namespace tarn::testing
