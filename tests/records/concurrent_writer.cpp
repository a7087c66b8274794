// Saves records one after another into the log under a given folder; two of
// these running at once show whether records from separate processes stay
// whole. Usage:
//   records_concurrent_writer <application-data folder> <writer> <count> [<start file>]
// With a start file, the writer waits until that file exists, so that two
// writers begin together.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "engine/descriptor.h"
#include "engine/format.h"
#include "records/record_log.h"

namespace {

constexpr int32_t kFolderCapacity = 512;
constexpr int32_t kResultCapacity = 512;

// ASCII folder names only: the driver makes the folder.
bool Widen(const char* text, char16_t* out, int32_t capacity) {
    int32_t length = 0;
    for (; text[length] != 0; ++length) {
        if (length >= capacity - 1 || static_cast<unsigned char>(text[length]) >= 0x80) return false;
        out[length] = static_cast<char16_t>(text[length]);
    }
    out[length] = 0;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    char16_t folder[kFolderCapacity];
    if ((argc != 4 && argc != 5) || !Widen(argv[1], folder, kFolderCapacity)) {
        std::fputs("usage: records_concurrent_writer <ascii folder> <writer> <count> [<start file>]\n",
                   stderr);
        return 2;
    }
    if (argc == 5) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        while (!std::filesystem::exists(argv[4])) {
            if (std::chrono::steady_clock::now() > deadline) return 3;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    const int writer = std::atoi(argv[2]);
    const int count = std::atoi(argv[3]);
    const tarn::platform::LocalDateTime time{2026, 12, 7, 10, 15, 25};
    for (int i = 0; i < count; ++i) {
        // A report of several lines, long enough that interleaved writes would show.
        char16_t result[kResultCapacity];
        tarn::FormatBounded(result, kResultCapacity,
                            u"写入者 %d 第 %d 条\r\n"
                            u"校验行 %d-%d ...............................................\r\n"
                            u"末行\r\n",
                            writer, i, writer, i);
        double inputs[tarn::kMaxInputs] = {static_cast<double>(writer), static_cast<double>(i)};
        char16_t shown[tarn::records::kRecordPathCapacity];
        const tarn::records::SaveResult saved =
            tarn::records::SaveRecord(tarn::CurrentTool(), inputs, result, folder, time, shown,
                                      tarn::records::kRecordPathCapacity);
        if (saved != tarn::records::SaveResult::Saved) {
            std::fprintf(stderr, "writer %d: record %d not saved (%d)\n", writer, i,
                         static_cast<int>(saved));
            return 1;
        }
    }
    return 0;
}
