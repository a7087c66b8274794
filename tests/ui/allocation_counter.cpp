// The counting operator new of the test binary.
#include "tests/ui/allocation_counter.h"

#include <cstdlib>
#include <new>

namespace tarn::allocation {
namespace {

bool counting = false;
int64_t count = 0;

}  // namespace

int64_t Count() { return count; }

CountedScope::CountedScope() {
    count = 0;
    counting = true;
}
CountedScope::~CountedScope() { counting = false; }

PausedCounting::PausedCounting() : wasCounting_(counting) { counting = false; }
PausedCounting::~PausedCounting() { counting = wasCounting_; }

}  // namespace tarn::allocation

void* operator new(std::size_t size) {
    if (tarn::allocation::counting) ++tarn::allocation::count;
    void* block = std::malloc(size == 0 ? 1 : size);
    if (!block) throw std::bad_alloc();
    return block;
}

void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
